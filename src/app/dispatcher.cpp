#include "app/dispatcher.h"

#include <cmath>

#include "app/main_loop.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "audio/volume.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "draw/numbers.h"
#include "draw/sprite.h"
#include "editor/editor.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "objects/object_update.h"
#include "objects/planters.h"
#include "objects/pusher.h"
#include "objects/stage_start.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "screens/backgrounds.h"
#include "screens/boot.h"
#include "screens/ending.h"
#include "screens/intro.h"
#include "screens/save_offer.h"
#include "screens/settings_screen.h"
#include "screens/stage_clear.h"
#include "screens/stage_info.h"
#include "screens/title.h"
#include "screens/world_select.h"

namespace vx {

const StateHandlers kDefaultStateHandlers = {
    Game_0Stage0, Game_0Stage1, TitleMenu,      StartStage,      StageClearScreen,
    SaveOffer,    EndSequence,  WriteSavedGame, RecordStageTime,
};
StateHandlers stateHandlers = kDefaultStateHandlers;

namespace {

bool Failed(int result) {
  return result < 0;
}

// The frames-per-second figure as the display shows it: truncated, 0 when not finite.
int FrameRateFigure() {
  float fps = frameClock.framesPerSecond;
  if (!std::isfinite(fps) || fps >= 2147483647.0f || fps <= -2147483647.0f) return 0;
  return static_cast<int>(fps);
}

}  // namespace

void RunPlayStates() {
  DrawField();
  UpdateShooter();
  if (shooter.invasionDue) {
    shooter.invasionDue = false;
    Invasion(0, -1500);
  }
  PlayKeys();
  UpdateObjects();
  if (flow.tryLostRequested) {
    flow.tryLostRequested = false;
    PauseMenu(110);
  }
  CountPlanter(1);
  TimedPlanter(1);
  RemainingBallsPopup(2.5f, 0.0f);
  StageClock(0);
  EnergyDisplay(player.energy);
  DangerWarning();
  if (KeyPressed(KEY_ESCAPE, true)) {
    PauseMenu(100);
    PlaySound(sfx.chgSelection, 0, volumes.effectsVolume);
  }
  // End of the stage: recount when the field changed; nothing left to clear ends it.
  if (cells.cellCount != flow.lastCellCount) fieldCounts.remainingColourCells = CountColourBalls();
  if (fieldCounts.remainingColourCells == 0) {
    stateHandlers.recordStageTime(flow.stageNumber, true, StageClock(99));
    flow.gameState = StageClear;
  }
  DangerStrip();
  if (flow.gameState != Play) LeavePlay();
  flow.firstPlayFrame = false;
  ++flow.playFrameCounter;
  flow.lastCellCount = cells.cellCount;

  const SpriteRect label = WorldLabelRect(CurrentWorld());
  DrawSprite(100, 15, label.left, label.top, label.right, label.bottom, 100, 0, 1, 1, 1, 0);
  DrawNumber(StageInWorld() + 1, 0.8f, 200, 50, 1);
  if (flow.stageSet > 0) {
    DrawSprite(412, 15, 0, 80, 100, 95, 100, 0, 1, 1, 1, 0);
    DrawNumber(flow.stageSet, 0.8f, 824, 50, 1);
  }
}

void RunStageClearStates() {
  int choice = stateHandlers.stageClearScreen();
  if (choice == 0) return;
  ++flow.stageNumber;
  int spw = flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1;
  int newWorld = flow.stageNumber / spw;
  if (newWorld >= 0 && newWorld < 20) player.worldLocked[newWorld] = false;
  if (choice == 1) {
    if (flow.stageNumber >= 5 * spw) {
      flow.stageNumber = 0;
      stateHandlers.endSequence(-1);
      flow.gameState = Ending;
    } else if (StageInWorld() != 0) {
      flow.gameState = StageLoad;
    } else {
      player.energy = 100;
      player.tries = 4;
      flow.gameState = WorldSelect;
    }
  } else if (choice == 2) {
    --flow.stageNumber;
    flow.gameState = StageLoad;
  } else if (choice == 3) {
    stateHandlers.writeSavedGame();
    flow.gameState = TitleLoad;
  }
  flow.aimGuide = StageInWorld() < 1;
  stateHandlers.saveOffer(-1);
  flow.gameState = SaveOfferState;
}

int DispatchGameState() {
  ++flow.frameCounter;
  danger.dangerThisFrame = false;
  danger.lowestDanger = 0.0f;
  objectUpdate.removedThisFrame = false;
  // Raised during the frame by whatever comes near the bottom; the danger strip reads it.
  fieldCounts.fieldOverflow = false;

  flow.clickThisFrame = ReadMouse();
  if (!app.startupDone) StartOfGameLoading();

  if (flow.gameState == Boot && Failed(stateHandlers.boot())) return E_FAIL;
  if (flow.gameState == TitleLoad && Failed(stateHandlers.titleLoad())) return E_FAIL;
  if (flow.gameState == Title && Failed(stateHandlers.title())) return E_FAIL;
  // E on the title screen opens the stage editor, whose first frame runs below.
  if (flow.gameState == Title && KeyPressed(KEY_E, true)) EnterEditor();
  if (flow.gameState == StageLoad && Failed(stateHandlers.stageLoad())) return E_FAIL;

  switch (flow.gameState) {
    case Play:
      RunPlayStates();
      break;
    case Editor:
      UpdateEditor();
      break;
    case Settings:
      ScrollBackdrop();
      SettingsScreen(99);
      break;
    case StageClear:
      RunStageClearStates();
      break;
    case WorldSelect:
      GemStream(-1, 0);
      WorldSelectScreen();
      break;
    case StageInfo:
      DrawField();
      StageInfoPanel();
      break;
    case PauseMenuState:
      PauseMenu(1);
      break;
    case Ending:
      stateHandlers.endSequence(0);
      break;
    case SaveOfferState: {
      ScrollBackdrop();
      int next = stateHandlers.saveOffer(0);
      if (next >= 0) flow.gameState = next;
      break;
    }
    case Intro:
      IntroSequence(false);
      break;
    default:
      break;
  }

  ConfirmPrompt(0, 0);
  UpdateMusic(flow.gameState, flow.stageNumber);
  if (KeyPressed(KEY_F2, true)) flow.frameRateDisplay = !flow.frameRateDisplay;
  if (flow.frameRateDisplay) DrawNumber(FrameRateFigure(), 0.7f, 0, 0, 0);
  DrawMusicCredit(100, 256, 256, 1, 1);
  flow.previousState = flow.gameState;
  return 0;
}

}  // namespace vx
