// Bringing the devices up on the window and releasing them at the end.
#pragma once

namespace vx {

// Drawing device, sound system, keyboard, mouse and game pad. False when the game must end
// (after the failure's messages, with nothing left to release).
bool SetupDevices();
void ReleaseDevices();

}  // namespace vx
