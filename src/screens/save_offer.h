// The offer to save the game after a stage, and the world label it shows.
#pragma once
#include "draw/sprite.h"

namespace vx {

struct OfferState {
  float offerTimer = 0;  // frame-step units since the offer opened or the last Y or N
  int offerPhase = 0;    // 0 asking, 1 saved (the confirmation shows)
  int nextState = 0;     // the state chosen before the offer opened
  int offeredStage = 0;  // the stage number Y saves
  int storedStage = -1;  // the stage number in the set's saved game, -1 without one
};
extern OfferState saveOffer;

// code -1 opens the offer (remembering the current state as the one to go on with) and runs
// its first frame; 0 is the per-frame call. Returns -1 while showing, else the state to go
// on with.
int SaveOffer(int code);

// The shared sheet's label of a world (0..4; any other world gets the first one's label).
SpriteRect WorldLabelRect(int world);
// The label of the stage's world with its top centre at (x, y).
void DrawWorldLabel(int stage, float x, float y);

}  // namespace vx
