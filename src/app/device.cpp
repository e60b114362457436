#include "app/device.h"

#include "app/input.h"
#include "audio/sound.h"
#include "platform/dialog.h"
#include "platform/gpu.h"
#include "platform/platform.h"

namespace vx {

bool SetupDevices() {
  platform::Gpu* gpu = platform::backend.gpu;
  if (!gpu || !gpu->Create()) {
    if (platform::backend.dialogs)
      platform::backend.dialogs->Show(
          "Software emulation failed.  Make sure correct video card driver installed", "Vexorbia",
          platform::Buttons::Ok);
    return false;
  }
  if (!CreateSoundSystem()) return false;
  KeyboardSetup();
  MouseSetup();
  mouse.pointerX = 256;
  mouse.pointerY = 256;
  return true;
}

void ReleaseDevices() {
  if (platform::backend.gpu) platform::backend.gpu->Destroy();
}

}  // namespace vx
