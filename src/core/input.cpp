#include "core/input.h"

#include <cstring>

#include "platform/input.h"
#include "platform/platform.h"

namespace vx {

KeyboardState keyboard;
MouseState mouse;
PadOverlay padOverlay;

void KeyboardSetup() {
  platform::Keyboard* device = platform::backend.keyboard;
  keyboard.device = device && device->Create();
  std::memset(keyboard.current, 0, sizeof keyboard.current);
  std::memset(keyboard.previous, 0, sizeof keyboard.previous);
}

namespace {

// The window's own keys, seen on the keyboard alone before the pad joins in.
void WindowKeys() {
  std::uint8_t* k = keyboard.current;
  const bool returnDown = k[KEY_RETURN] != 0;
  if (returnDown && !keyboard.returnWasDown && (k[KEY_LALT] || k[KEY_RALT])) {
    keyboard.returnWithAlt = true;
    keyboard.fullscreenToggleRequested = true;
  }
  if (!returnDown) keyboard.returnWithAlt = false;
  keyboard.returnWasDown = returnDown;
  if (keyboard.returnWithAlt) k[KEY_RETURN] = 0;
  const bool f11Down = k[KEY_F11] != 0;
  if (f11Down && !keyboard.f11WasDown) keyboard.fullscreenToggleRequested = true;
  keyboard.f11WasDown = f11Down;
}

bool ReadKeyboard() {
  if (keyboard.device) {
    if (!platform::backend.keyboard->Read(keyboard.current)) return false;
    WindowKeys();
  } else if (padOverlay.connected) {
    std::memset(keyboard.current, 0, sizeof keyboard.current);  // the pad's keys alone
  } else {
    return false;
  }
  if (padOverlay.connected)
    for (int key = 0; key < 256; ++key) keyboard.current[key] |= padOverlay.keys[key];
  return true;
}

}  // namespace

bool KeyPressed(int key, bool reread) {
  if (key < 0 || key > 255) return false;
  if (reread && !ReadKeyboard()) return false;
  bool pressed = keyboard.previous[key] == 0 && keyboard.current[key] != 0;
  keyboard.previous[key] = keyboard.current[key];
  return pressed;
}

bool KeyHeld(int key) {
  if (key < 0 || key > 255) return false;
  if (!ReadKeyboard()) return false;
  return keyboard.current[key] != 0;
}

void ReadWindowKeys() {
  ReadKeyboard();
}

void MouseSetup() {
  platform::Mouse* device = platform::backend.mouse;
  mouse.device = device && device->Create();
  mouse.pointerX = mouse.pointerY = mouse.wheel = 0;
}

void MouseRead() {
  platform::MouseReading r;
  if (mouse.device) {
    platform::Mouse* device = platform::backend.mouse;
    if (!device->Read(&r)) {
      // Ask for the device again; the state stays as it was for this read. The retries are
      // bounded so a device that stays lost cannot hang the frame.
      for (int attempt = 0; attempt < 8 && !device->Reacquire(); ++attempt) {
      }
      return;
    }
  } else if (!padOverlay.connected) {
    mouse.left = false;
    return;
  }
  // The pad's pointer and buttons ride along with the mouse's own.
  r.dx += padOverlay.pointerDx;
  r.dy += padOverlay.pointerDy;
  padOverlay.pointerDx = padOverlay.pointerDy = 0;
  if (padOverlay.left) r.buttons[0] |= 0x80;
  if (padOverlay.right) r.buttons[1] |= 0x80;
  mouse.lastDx = r.dx;
  mouse.lastDy = r.dy;
  mouse.lastDz = r.dz;
  mouse.pointerX += r.dx;
  mouse.pointerY += r.dy;
  mouse.wheel += r.dz;
  mouse.left = (r.buttons[0] & 0x80) != 0;
  mouse.right = (r.buttons[1] & 0x80) != 0;
  mouse.middle = (r.buttons[2] & 0x80) != 0;
  mouse.leftWentDown = mouse.left && !mouse.previousLeft;
  mouse.previousLeft = mouse.left;
}

bool ReadMouse() {
  MouseRead();
  bool wentDown = mouse.left && !mouse.readMousePreviousLeft;
  mouse.readMousePreviousLeft = mouse.left;
  return wentDown;
}

}  // namespace vx
