#include "app/device.h"

#include "app/gamepad.h"
#include "audio/sound.h"
#include "core/input.h"
#include "platform/gpu.h"
#include "platform/platform.h"
#include "storage/matrix.h"
#include "storage/texture.h"

namespace vx {

bool SetupDevices() {
  platform::Gpu* gpu = platform::backend.gpu;
  if (!gpu || !gpu->Create()) {
    platform::ShowMessage(
        "Software emulation failed.  Make sure correct video card driver installed", "Vexorbia");
    return false;
  }
  if (!CreateSoundSystem()) {
    // The game cannot run without its mixer; the drawing device made above goes again.
    gpu->Destroy();
    return false;
  }
  KeyboardSetup();
  MouseSetup();
  GamepadSetup();
  mouse.pointerX = 256;
  mouse.pointerY = 256;
  // The fixed 3-D state of the models: a left-handed 45 degree projection, the directional
  // scene light and the ambient colour. (The sprite batch needs no set-up of its own: it
  // lives in the device and begins with every frame.)
  float projection[16];
  MatrixPerspectiveFovLH(projection, 0.785398f, 1.0f, 0.1f, 100.0f);
  gpu->SetProjection(projection);
  models.light = platform::Light{};
  models.ambient = 0xFFCE3333u;
  gpu->SetLight(models.light);
  gpu->SetAmbient(models.ambient);
  return true;
}

void ReleaseDevices() {
  if (platform::backend.gpu) platform::backend.gpu->Destroy();
}

}  // namespace vx
