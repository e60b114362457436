// Keyboard and mouse as the game reads them: keys by scan code with a per-key memory for
// "went down", and a relative mouse accumulated into a pointer.
#pragma once
#include <cstdint>

namespace vx {

// Scan codes the game uses.
enum Key : int {
  KEY_ESCAPE = 1,
  KEY_1 = 2,
  KEY_0 = 11,
  KEY_Q = 16,
  KEY_E = 18,
  KEY_R = 19,
  KEY_Y = 21,
  KEY_RETURN = 28,
  KEY_A = 30,
  KEY_LSHIFT = 42,
  KEY_Z = 44,
  KEY_C = 46,
  KEY_N = 49,
  KEY_F2 = 60,
  KEY_F3 = 61,
  KEY_UP = 200,
  KEY_LEFT = 203,
  KEY_RIGHT = 205,
  KEY_DOWN = 208,
};

struct KeyboardState {
  std::uint8_t current[256] = {};
  std::uint8_t previous[256] = {};  // per key: current when that key was last asked about
  bool device = false;
};
extern KeyboardState keyboard;

struct MouseState {
  int pointerX = 256, pointerY = 256;
  int wheel = 0;
  int lastDx = 0, lastDy = 0, lastDz = 0;
  bool left = false, right = false, middle = false;
  bool leftWentDown = false;  // a screen acting on it may clear it for later readers
  bool previousLeft = false;
  bool readMousePreviousLeft = false;  // ReadMouse's own memory
  bool device = false;
};
extern MouseState mouse;

void KeyboardSetup();
bool KeyPressed(int key, bool reread);
bool KeyHeld(int key);

void MouseSetup();
void MouseRead();
bool ReadMouse();

}  // namespace vx
