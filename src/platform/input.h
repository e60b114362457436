// Raw keyboard and relative mouse devices. Keys are numbered by the classic PC keyboard
// scan codes (1 Escape, 28 Return, 200 Up, ...); the mouse reports unaccelerated
// relative motion in device units.
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

}  // namespace vx::platform
