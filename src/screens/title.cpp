#include "screens/title.h"

#include "app/game_state.h"
#include "app/input.h"
#include "screens/stage_info.h"

namespace vx {

// The game values of a new game; the backdrop and the rest of the title come later.
int Game_0Stage1() {
  player.tries = 4;
  player.energy = 100;
  mouse.pointerX = 430;
  mouse.pointerY = 400;
  flow.gameState = Title;
  return 0;
}

// Not built yet: the title menu.
int TitleMenu() {
  return 0;
}

}  // namespace vx
