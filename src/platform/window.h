// The one game window.
#pragma once

namespace vx::platform {

struct DesktopSize {
  int width = 0;
  int height = 0;
};

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
  virtual void Destroy() = 0;
};

}  // namespace vx::platform
