#include "core/input.h"

#include <cstring>

#include "platform/input.h"
#include "platform/platform.h"

namespace vx {

KeyboardState keyboard;
MouseState mouse;

void KeyboardSetup() {
  platform::Keyboard* device = platform::backend.keyboard;
  keyboard.device = device && device->Create();
  std::memset(keyboard.current, 0, sizeof keyboard.current);
  std::memset(keyboard.previous, 0, sizeof keyboard.previous);
}

namespace {

bool ReadKeyboard() {
  if (!keyboard.device) return false;
  return platform::backend.keyboard->Read(keyboard.current);
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

void MouseSetup() {
  platform::Mouse* device = platform::backend.mouse;
  mouse.device = device && device->Create();
  mouse.pointerX = mouse.pointerY = mouse.wheel = 0;
}

void MouseRead() {
  if (!mouse.device) {
    mouse.left = false;
    return;
  }
  platform::Mouse* device = platform::backend.mouse;
  platform::MouseReading r;
  if (!device->Read(&r)) {
    // Ask for the device again; the state stays as it was for this read. The retries are
    // bounded so a device that stays lost cannot hang the frame.
    for (int attempt = 0; attempt < 8 && !device->Reacquire(); ++attempt) {
    }
    return;
  }
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
