// The real backends on SDL2: window, clock, keyboard, mouse, game pad, message boxes, and the
// GL device (sdl_gpu.h).
#pragma once
#include <SDL.h>

#include <cstdint>

#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/input.h"
#include "platform/sdl/sdl_gpu.h"
#include "platform/window.h"

namespace vx::platform {

class SdlWindow : public Window {
 public:
  bool Create(const char* title, int width, int height) override;
  DesktopSize Desktop() override;
  void Move(int x, int y, int width, int height) override;
  bool PumpEvents() override;
  void PixelSize(int* width, int* height) override;
  void SetFullscreen(bool on) override;
  void Destroy() override;

  SDL_Window* handle = nullptr;
  bool hasFocus = true;
  bool fullscreen = false;

 private:
  // Where the window stands when it does not cover the desktop: the last Move.
  int windowedX_ = 0, windowedY_ = 0, windowedWidth_ = 0, windowedHeight_ = 0;
};

class SdlClock : public Clock {
 public:
  std::uint64_t CounterFrequency() override { return SDL_GetPerformanceFrequency(); }
  std::uint64_t Counter() override { return SDL_GetPerformanceCounter(); }
  std::uint32_t Milliseconds() override { return SDL_GetTicks(); }
};

class SdlKeyboard : public Keyboard {
 public:
  bool Create() override { return true; }
  bool Read(std::uint8_t state[256]) override;
};

class SdlMouse : public Mouse {
 public:
  explicit SdlMouse(SdlWindow* window) : window_(window) {}
  bool Create() override;
  bool Read(MouseReading* reading) override;
  bool Reacquire() override;

 private:
  SdlWindow* window_;
};

// The first game controller SDL knows (SDL's own controller database names the buttons),
// opened when it is plugged in and let go when it is pulled out.
class SdlGamepad : public Gamepad {
 public:
  bool Create() override;
  void Read(PadReading* reading) override;

 private:
  bool ready_ = false;
  SDL_GameController* controller_ = nullptr;
};

class SdlDialogs : public Dialogs {
 public:
  explicit SdlDialogs(SdlWindow* window) : window_(window) {}
  Answer Show(const char* text, const char* caption, Buttons buttons) override;

 private:
  SdlWindow* window_;
};

}  // namespace vx::platform
