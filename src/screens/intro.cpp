#include "screens/intro.h"

#include "app/game_state.h"

namespace vx {

// Not built yet: the sequence returns to the title at once.
bool IntroSequence(bool /*start*/) {
  flow.gameState = Title;
  return false;
}

}  // namespace vx
