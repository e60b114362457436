#include "platform/headless/headless_devices.h"

#include <cstring>

namespace vx::platform {

bool HeadlessWindow::Create(const char*, int w, int h) {
  if (failCreate) return false;
  created = true;
  width = w;
  height = h;
  return true;
}

void HeadlessWindow::Move(int x, int y, int w, int h) {
  moves.push_back({x, y, w, h});
  width = w;
  height = h;
}

bool HeadlessWindow::PumpEvents() {
  return closeRequested;
}

void HeadlessWindow::PixelSize(int* w, int* h) {
  *w = fullscreen ? desktop.width : width;
  *h = fullscreen ? desktop.height : height;
}

void HeadlessWindow::SetFullscreen(bool on) {
  fullscreenCalls.push_back(on);
  fullscreen = on;
}

bool HeadlessKeyboard::Read(std::uint8_t out[256]) {
  ++reads;
  if (failReads) return false;
  std::memcpy(out, keys, 256);
  return true;
}

bool HeadlessMouse::Read(MouseReading* r) {
  if (failReads) return false;
  r->dx = pendingDx;
  r->dy = pendingDy;
  r->dz = pendingDz;
  pendingDx = pendingDy = pendingDz = 0;
  std::memset(r->buttons, 0, sizeof r->buttons);
  r->buttons[0] = left ? 0x80 : 0;
  r->buttons[1] = right ? 0x80 : 0;
  r->buttons[2] = middle ? 0x80 : 0;
  return true;
}

}  // namespace vx::platform
