// Raw keyboard, relative mouse and game pad devices. Keys are numbered by the classic PC
// keyboard scan codes (1 Escape, 28 Return, 200 Up, ...); the mouse reports unaccelerated
// relative motion in device units; the pad reports its buttons and sticks in the common
// controller layout (A at the bottom of the four face buttons, B on the right).
#pragma once
#include <cstdint>

namespace vx::platform {

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Opens the device; false when there is none.
  virtual bool Create() = 0;
  // Fills 256 bytes indexed by scan code, non-zero = down. False when the read fails.
  virtual bool Read(std::uint8_t state[256]) = 0;
};

struct MouseReading {
  int dx = 0, dy = 0, dz = 0;
  std::uint8_t buttons[8] = {};  // bit 7 set = down; 0 left, 1 right, 2 middle
};

class Mouse {
 public:
  virtual ~Mouse() = default;
  virtual bool Create() = 0;
  // Motion since the last read and the buttons now. False when the read fails (focus lost).
  virtual bool Read(MouseReading* reading) = 0;
  // Asks for the device again after a failed read; false while input stays lost.
  virtual bool Reacquire() = 0;
};

// The buttons of a game pad, by their place in the common layout. The triggers count as
// buttons once pulled half way.
enum PadButton : int {
  PAD_A = 0,
  PAD_B,
  PAD_X,
  PAD_Y,
  PAD_BACK,
  PAD_START,
  PAD_LEFT_SHOULDER,
  PAD_RIGHT_SHOULDER,
  PAD_LEFT_TRIGGER,
  PAD_RIGHT_TRIGGER,
  PAD_DPAD_UP,
  PAD_DPAD_DOWN,
  PAD_DPAD_LEFT,
  PAD_DPAD_RIGHT,
  PAD_BUTTON_COUNT,
};

struct PadReading {
  bool connected = false;  // a pad is plugged in; everything below is zero otherwise
  bool buttons[PAD_BUTTON_COUNT] = {};
  float leftX = 0, leftY = 0;  // the left stick, -1 .. 1 each, right and down positive
};

class Gamepad {
 public:
  virtual ~Gamepad() = default;
  // Prepares the pad support; false when there is none (a pad then never shows up).
  virtual bool Create() = 0;
  // The first pad plugged in, as it is now. Pads may come and go between reads.
  virtual void Read(PadReading* reading) = 0;
};

}  // namespace vx::platform
