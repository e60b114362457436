// Keyboard and mouse as the game reads them: keys by scan code with a per-key memory for
// "went down", and a relative mouse accumulated into a pointer. A game pad joins in through
// the pad overlay: the keys, pointer motion and buttons it stands for this frame.
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
  KEY_LALT = 56,
  KEY_F2 = 60,
  KEY_F3 = 61,
  KEY_F11 = 87,
  KEY_RALT = 184,
  KEY_UP = 200,
  KEY_LEFT = 203,
  KEY_RIGHT = 205,
  KEY_DOWN = 208,
};

struct KeyboardState {
  std::uint8_t current[256] = {};
  std::uint8_t previous[256] = {};  // per key: current when that key was last asked about
  bool device = false;
  // F11, or Return going down while an Alt key is held, asks for the full screen to be
  // switched; the main loop carries the request out. Return pressed with Alt is kept from the
  // game until it is let go, so a menu that reads Return does not act on it as well.
  bool fullscreenToggleRequested = false;
  bool returnWithAlt = false;
  bool returnWasDown = false;  // the keyboard's own Return at the last read
  bool f11WasDown = false;
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

// What a game pad stands for this frame, added to every keyboard and mouse read. The pad
// mapping fills it before the frame's first read; without a pad it stays empty.
struct PadOverlay {
  bool connected = false;
  std::uint8_t keys[256] = {};       // non-zero: the pad holds that key down
  int pointerDx = 0, pointerDy = 0;  // motion handed to the next mouse read, then cleared
  bool left = false, right = false;  // mouse buttons the pad holds
};
extern PadOverlay padOverlay;

void KeyboardSetup();
bool KeyPressed(int key, bool reread);
bool KeyHeld(int key);
// Reads the keyboard once for the window's own keys (F11, Alt+Return), whether or not a
// screen asked about a key this frame.
void ReadWindowKeys();

void MouseSetup();
void MouseRead();
bool ReadMouse();

}  // namespace vx
