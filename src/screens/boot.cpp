#include "screens/boot.h"

#include "app/game_state.h"

namespace vx {

// Not built yet: the loading itself. Until then boot hands straight over to the title.
int Game_0Stage0() {
  flow.gameState = TitleLoad;
  return 0;
}

}  // namespace vx
