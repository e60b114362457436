// The stage information panel and the pause, retry and out-of-tries menu.
#pragma once

namespace vx {

int StageInfoPanel();
// code 100 opens the paused menu, 110 the try-lost menu, 1 is the per-frame call.
bool PauseMenu(int code);

}  // namespace vx
