// The settings screen: window size and position, music and effects volume.
#pragma once

namespace vx {

// code 0 opens the screen, 99 is the per-frame call.
int SettingsScreen(int code);

}  // namespace vx
