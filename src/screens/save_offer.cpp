#include "screens/save_offer.h"

#include "core/game_state.h"

namespace vx {

namespace {
int rememberedState = TitleLoad;
}

// Not built yet: the offer itself; it passes straight on to the state chosen before it.
int SaveOffer(int code) {
  if (code == -1) {
    rememberedState = flow.gameState;
    return -1;
  }
  return rememberedState;
}

}  // namespace vx
