// Recording stand-ins for the window, clock, keyboard, mouse and game pad (the GPU is in
// headless_gpu.h). Tests and the replay harness set their inputs directly and read back what
// the game did.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/clock.h"
#include "platform/headless/headless_gpu.h"
#include "platform/input.h"
#include "platform/window.h"

namespace vx::platform {

class HeadlessWindow : public Window {
 public:
  bool Create(const char* title, int width, int height) override;
  DesktopSize Desktop() override { return desktop; }
  void Move(int x, int y, int width, int height) override;
  bool PumpEvents() override;
  void PixelSize(int* width, int* height) override;
  void SetFullscreen(bool on) override;
  void Destroy() override { created = false; }

  struct MoveCall {
    int x, y, width, height;
  };
  DesktopSize desktop{1280, 1024};
  bool failCreate = false;
  bool created = false;
  bool closeRequested = false;  // set by a test: the user closes the window
  int width = 0, height = 0;
  std::vector<MoveCall> moves;
  bool fullscreen = false;  // while on, the drawing surface is the desktop's size
  std::vector<bool> fullscreenCalls;
};

// A clock that stands still until told to advance.
class HeadlessClock : public Clock {
 public:
  std::uint64_t CounterFrequency() override { return frequency; }
  std::uint64_t Counter() override { return counter; }
  std::uint32_t Milliseconds() override { return static_cast<std::uint32_t>(counter); }
  void AdvanceSeconds(double s) { counter += static_cast<std::uint64_t>(s * double(frequency)); }

  std::uint64_t frequency = 1000000;
  std::uint64_t counter = 0;
};

class HeadlessKeyboard : public Keyboard {
 public:
  bool Create() override { return available; }
  bool Read(std::uint8_t out[256]) override;

  bool available = true;
  bool failReads = false;
  std::uint8_t keys[256] = {};
  int reads = 0;
};

class HeadlessMouse : public Mouse {
 public:
  bool Create() override { return available; }
  bool Read(MouseReading* reading) override;
  bool Reacquire() override { return !failReads; }

  bool available = true;
  bool failReads = false;
  int pendingDx = 0, pendingDy = 0, pendingDz = 0;  // motion handed out by the next read
  bool left = false, right = false, middle = false;
};

// A pad whose state a test or a replay script sets; `state.connected` plugs it in and out.
class HeadlessGamepad : public Gamepad {
 public:
  bool Create() override { return available; }
  void Read(PadReading* reading) override { *reading = state; }

  bool available = true;
  PadReading state;
};

}  // namespace vx::platform
