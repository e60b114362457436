// The platform layer: the narrow interfaces through which the game core reaches the
// window, clock, input devices, message boxes, GPU and audio. `main` (or a test) installs
// one backend per facility into `backend` before the core runs; the core never includes
// SDL or OpenGL headers.
#pragma once

namespace vx::platform {

class Window;
class Clock;
class Keyboard;
class Mouse;
class Gamepad;
class Dialogs;
class Gpu;
class SoundDevice;
class MusicPlayer;

struct Backend {
  Window* window = nullptr;
  Clock* clock = nullptr;
  Keyboard* keyboard = nullptr;
  Mouse* mouse = nullptr;
  Gamepad* gamepad = nullptr;
  Dialogs* dialogs = nullptr;
  Gpu* gpu = nullptr;
  SoundDevice* sound = nullptr;
  MusicPlayer* music = nullptr;
};

// The installed backends. Null entries mean "no such device": the core then behaves as
// the game does when a device cannot be created.
extern Backend backend;

// Shows `text` in a message box with an OK button on the installed dialogs; nothing when
// there are none.
void ShowMessage(const char* text, const char* caption);

}  // namespace vx::platform
