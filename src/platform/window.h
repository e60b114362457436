// The one game window.
#pragma once

namespace vx::platform {

struct DesktopSize {
  int width = 0;
  int height = 0;
};

// The part of a drawing surface the 512 x 512 picture fills: the largest square that fits,
// centred, in pixels from the top-left corner. An odd pixel left over goes below and right.
struct SquareArea {
  int x = 0, y = 0, size = 0;
};
inline SquareArea CentredSquare(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const int size = width < height ? width : height;
  return {(width - size) / 2, (height - size) / 2, size};
}

class Window {
 public:
  virtual ~Window() = default;
  // Creates and shows the window with a drawing surface of width x height pixels.
  virtual bool Create(const char* title, int width, int height) = 0;
  // Size of the desktop the window lives on.
  virtual DesktopSize Desktop() = 0;
  // Moves the window to (x, y) and gives its drawing surface the size width x height.
  virtual void Move(int x, int y, int width, int height) = 0;
  // Takes the pending window-system events. Returns true when the user asked to close the
  // window (close box, Alt+F4, the desktop's close request).
  virtual bool PumpEvents() = 0;
  // Drawing-surface size in pixels (the real pixel size of the window).
  virtual void PixelSize(int* width, int* height) = 0;
  // Covers the whole desktop with the window (on), or puts it back at the place and size of
  // the last Move (off). A Move while it covers the desktop takes effect on the way back.
  virtual void SetFullscreen(bool on) = 0;
  virtual void Destroy() = 0;
};

}  // namespace vx::platform
