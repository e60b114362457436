// The offer to save the game after a stage.
#pragma once

namespace vx {

// code -1 opens the offer (remembering the current state), 0 is the per-frame call.
// Returns -1 while showing, else the state to go on with.
int SaveOffer(int code);

}  // namespace vx
