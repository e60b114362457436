#include "objects/stage_start.h"

#include "core/game_state.h"

namespace vx {

// Not built yet: loading the stage. The flow values are set so the states follow on.
int StartStage() {
  flow.firstPlayFrame = true;
  flow.lastCellCount = 10000;
  flow.gameState = StageInfo;
  return 0;
}

}  // namespace vx
