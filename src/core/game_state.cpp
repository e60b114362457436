#include "core/game_state.h"

namespace vx {

GameFlow flow;
PlayerState player;

}  // namespace vx
