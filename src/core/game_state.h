// The game state machine's values: which state runs each frame and the game-wide numbers
// the states share (stage, world, stage set, per-frame flags, tries, energy, world locks).
#pragma once
#include <cstdint>

namespace vx {

inline constexpr int E_FAIL = static_cast<int>(0x80004005u);

enum GameState : int {
  Boot = 0,
  TitleLoad = 1,
  Title = 2,
  StageLoad = 3,
  Play = 4,
  Editor = 5,
  Settings = 6,
  StageClear = 7,
  WorldSelect = 8,
  StageInfo = 9,
  PauseMenuState = 10,  // the pause menu's state (its handler is PauseMenu)
  Ending = 11,
  SaveOfferState = 13,  // the save offer's state (its handler is SaveOffer)
  Intro = 18,
};

// Stages per world come from stage file 1. They are held to 1 .. kMaxStagesPerWorld, and the
// stage set to 0 .. kMaxStageSet, so that every number the game forms from them fits an int:
// a set's stages (5 x stages per world), its first stage (stages per world x set x 5) and a
// stage file number (stage + 1 + set x 5 x stages per world).
inline constexpr int kMaxStagesPerWorld = 10000;
inline constexpr int kMaxStageSet = 40000;
static_assert(5LL * kMaxStagesPerWorld * (kMaxStageSet + 1) <= 2147483647LL);

struct GameFlow {
  int gameState = Boot;
  int previousState = -1;
  int frameCounter = 0;
  bool clickThisFrame = false;
  int stageNumber = 0;
  int stagesPerWorld = 100;
  int stageSet = 0;
  int lastCellCount = 0;
  std::int16_t playFrameCounter = 0;
  bool firstPlayFrame = false;
  bool aimGuide = false;
  bool frameRateDisplay = false;
  // The field objects lost the try (the invasion ended, or a bomb blast left the energy below
  // 1). The try-lost menu is a screen, floors above the objects: the play frame opens it right
  // after the object update.
  bool tryLostRequested = false;
};
extern GameFlow flow;

// The tries display has room for one digit.
inline constexpr int kMostTriesShown = 9;

// The player's standing: tries and energy of the world in progress, and which worlds may be
// chosen. The stage flow, the world selection and the saved games share them.
struct PlayerState {
  int tries = 4;
  int energy = 100;
  bool worldLocked[20] = {};  // the first five are the worlds; true = cannot be chosen
};
extern PlayerState player;

// Derived values of the stage number.
inline int CurrentWorld() {
  return flow.stageNumber / (flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1);
}
inline int StageInWorld() {
  return flow.stageNumber % (flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1);
}

}  // namespace vx
