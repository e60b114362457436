// The game state dispatcher: one call per frame runs the bookkeeping, the current state's
// work and the overlays every state shares.
#pragma once

namespace vx {

// The handlers the dispatcher calls, as a table so tests can put recorders in their place.
// The defaults are the game's own routines.
struct StateHandlers {
  int (*boot)();
  int (*titleLoad)();
  int (*title)();
  int (*stageLoad)();
  int (*stageClearScreen)();
  int (*saveOffer)(int code);
  void (*endSequence)(int code);
  void (*writeSavedGame)();
  void (*recordStageTime)(int stageNumber, bool writeFile, int time);
};
extern StateHandlers stateHandlers;
extern const StateHandlers kDefaultStateHandlers;

// Returns 0, or E_FAIL when Boot, TitleLoad, Title or StageLoad failed (the frame's
// dispatch then ends at once).
int DispatchGameState();

// The parts of a frame, callable on their own for tests.
void RunPlayStates();
void RunStageClearStates();

}  // namespace vx
