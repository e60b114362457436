#include "screens/world_select.h"

#include <algorithm>
#include <climits>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "draw/sprite.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "persist/stage_files.h"
#include "platform/files.h"
#include "screens/screen_numbers.h"

namespace vx {

WorldSelectState worldSelect;

namespace {

// A world's box; it takes a click when the pointer is strictly inside. The lock icon has its
// top-left at (lockX, lockY); the best and last world times are centred on their points.
struct WorldBox {
  int left, right, top, bottom;
  int lockX, lockY;
  int bestX, bestY;
  int lastX, lastY;
};
constexpr WorldBox kBoxes[kWorldCount] = {
    {31, 149, 66, 174, 130, 160, 90, 130, 90, 90},
    {201, 319, 66, 174, 300, 160, 260, 130, 260, 90},
    {371, 489, 66, 174, 470, 160, 430, 130, 430, 90},
    {121, 239, 226, 334, 220, 320, 180, 290, 180, 250},
    {291, 409, 226, 334, 390, 320, 350, 290, 350, 250},
};
// The selection frame and the "not available" cover stretch a 50 x 50 cell over a box.
constexpr float kCoverScaleX = 2.36f, kCoverScaleY = 2.16f;

bool StrictlyInside(int x, int y, int left, int right, int top, int bottom) {
  return x > left && x < right && y > top && y < bottom;
}

bool Available(int world) {
  return stageFiles.worldAvailable[world - 1];
}
bool Locked(int world) {
  return player.worldLocked[world - 1];
}

// True when the screen did not run in the previous frame; remembers this frame.
bool FirstFrame() {
  const bool first = !worldSelect.called || static_cast<unsigned>(flow.frameCounter) !=
                                                static_cast<unsigned>(worldSelect.lastFrame) + 1u;
  worldSelect.called = true;
  worldSelect.lastFrame = flow.frameCounter;
  return first;
}

void DrawCover(int world, int cellLeft) {
  const WorldBox& b = kBoxes[world - 1];
  DrawSprite(static_cast<float>(b.left), static_cast<float>(b.top), cellLeft, 360, cellLeft + 50,
             410, 100, 0, kCoverScaleX, kCoverScaleY, 0, 0);
}

// Stage file 1 gives the stages per world; the stage files after the five worlds of the basic
// set belong to further sets, 5 x stages per world each, counted up to the first that holds no
// cells.
void CountExtraSets() {
  LoadStage(1, false);
  const long long perSet = 5LL * std::max(flow.stagesPerWorld, 1);
  long long file = perSet + 1;
  while (file <= INT_MAX && CountStageCells(static_cast<int>(file)) > 0) ++file;
  worldSelect.extraSetCount = static_cast<int>(std::clamp(file / perSet - 1, 0LL, 999LL));
}

// A set without a saved game starts afresh: only the first world open, the world times reset.
void LookAtSavedGame() {
  if (PeekSavedGame() >= 0) return;
  for (int w = 1; w < kWorldCount; ++w) player.worldLocked[w] = true;
  player.worldLocked[0] = false;
  ResetProgress(true, true, false);
}

// The newest extra set the player has a saved game for, or 0. The chooser starts there once a
// run, so a returning player finds the set they were playing, while a new player starts on the
// basic set rather than on a harder one meant for those who have finished it.
int NewestPlayedSet() {
  for (int set = worldSelect.extraSetCount; set >= 1; --set) {
    char name[32];
    SavedGameName(set, name, sizeof name);
    if (platform::files::Exists(name)) return set;
  }
  return 0;
}

void StageSetChooser(bool first, bool latch) {
  if (first || flow.stageSet != worldSelect.chooserSet) LookAtSavedGame();
  worldSelect.chooserSet = flow.stageSet;
  if (first) CountExtraSets();
  if (worldSelect.extraSetCount <= 0) return;
  if (worldSelect.jumpToNewest) {
    worldSelect.jumpToNewest = false;
    flow.stageSet = NewestPlayedSet();
  }
  const int x = mouse.pointerX, y = mouse.pointerY;
  const bool onLeft = y >= 361 && y <= 387 && x >= 215 && x <= 239;
  const bool onRight = y >= 361 && y <= 387 && x >= 283 && x <= 311;
  if (latch && onLeft) flow.stageSet = std::max(flow.stageSet - 1, 0);
  if (latch && onRight) flow.stageSet = std::min(flow.stageSet + 1, worldSelect.extraSetCount);
  const float leftScale = onLeft ? 1.1f : 1.0f, rightScale = onRight ? 1.1f : 1.0f;
  DrawSprite(214, 360, 0, 50, 26, 78, onLeft ? 100.0f : 70.0f, 0, leftScale, leftScale, 0, 0);
  DrawSprite(282, 360, 68, 50, 98, 78, onRight ? 100.0f : 70.0f, 0, rightScale, rightScale, 0, 0);
  DrawSprite(214, 390, 0, 80, 98, 96, 100, 0, 1, 1, 0, 0);
  if (flow.stageSet == 0)
    DrawSprite(262, 374, 108, 51, 135, 79, 100, 0, 1, 1, 1, 0);
  else
    DrawNumberAt(flow.stageSet, 1, 262, 374, 3);
}

void ContinueButton(bool first, bool latch) {
  if (first || flow.stageSet != worldSelect.continueSet)
    worldSelect.continueAvailable = ReadSavedGame(false) >= 0;
  worldSelect.continueSet = flow.stageSet;
  if (!worldSelect.continueAvailable) return;
  const int x = mouse.pointerX, y = mouse.pointerY;
  if (x >= 222 && x <= 307 && y >= 443 && y <= 456) {
    DrawSprite(265, 450, 0, 32, 86, 46, 100, 0, 1.1f, 1.1f, 1, 0);
    if (latch) {
      mouse.leftWentDown = false;
      ReadSavedGame(true);
      flow.gameState = StageLoad;
    }
  } else {
    DrawSprite(265, 450, 0, 32, 86, 46, 50, 0, 1, 1, 1, 0);
  }
}

}  // namespace

int WorldSelectScreen() {
  const bool first = FirstFrame();
  // The title opens this screen and it runs in the same frame: that frame's click chose "play"
  // (whose entry lies over the boxes of worlds 4 and 5) and is no click of this screen.
  const bool ownClick = flow.previousState == WorldSelect;
  const bool click = ownClick && flow.clickThisFrame;
  const bool latch = ownClick && mouse.leftWentDown;
  const int spw = std::max(flow.stagesPerWorld, 1);
  const int startState = flow.gameState;

  if (first) worldSelect.selectedWorld = std::clamp(flow.stageNumber / spw + 1, 1, kWorldCount);
  worldSelect.clickedWorld = std::clamp(worldSelect.clickedWorld, 1, kWorldCount);

  // Box clicks: an available world becomes the selection, unless it is locked.
  const int before = worldSelect.selectedWorld;
  if (click) {
    for (int w = 1; w <= kWorldCount; ++w) {
      const WorldBox& b = kBoxes[w - 1];
      if (Available(w) &&
          StrictlyInside(mouse.pointerX, mouse.pointerY, b.left, b.right, b.top, b.bottom))
        worldSelect.selectedWorld = worldSelect.clickedWorld = w;
    }
  }
  if (Locked(worldSelect.clickedWorld)) worldSelect.selectedWorld = before;

  worldSelect.blinkTimer += frameClock.frameStep;
  if (worldSelect.blinkTimer > 60) worldSelect.blinkTimer = 0;
  if (worldSelect.blinkTimer > 30) DrawCover(worldSelect.selectedWorld, 380);
  for (int w = 1; w <= kWorldCount; ++w)
    if (!Available(w)) DrawCover(w, 430);

  game_DisplayLayer(LAYER_WORLD_SELECT, LayerImage(LAYER_WORLD_SELECT), 100);

  for (int w = 1; w <= kWorldCount; ++w) {
    const WorldBox& b = kBoxes[w - 1];
    if (Available(w)) {
      DrawTimeAt(bestTimes.bestWorldTime[w - 1], 1, static_cast<float>(b.bestX),
                 static_cast<float>(b.bestY), 2);
      DrawTimeAt(bestTimes.lastWorldTime[w - 1], 1, static_cast<float>(b.lastX),
                 static_cast<float>(b.lastY), 2);
    }
    if (Locked(w))
      DrawSprite(static_cast<float>(b.lockX), static_cast<float>(b.lockY), 194, 70, 217, 106, 100,
                 0, 1, 1, 0, 0);
    else
      DrawSprite(static_cast<float>(b.lockX), static_cast<float>(b.lockY), 168, 70, 190, 106, 100,
                 0, 1, 1, 0, 0);
  }

  StageSetChooser(first, latch);
  ContinueButton(first, latch);
  DrawPointer(true);

  if (KeyPressed(KEY_ESCAPE, true)) flow.gameState = Title;

  const int x = mouse.pointerX, y = mouse.pointerY;
  if (click && StrictlyInside(x, y, 170, 255, 470, 500)) {
    flow.gameState = Title;
    mouse.pointerY -= 20;
  }

  // Return starts the selected world like the play button, once it has been seen up here.
  const bool returnWentDown = KeyPressed(KEY_RETURN, false);
  if (first) worldSelect.returnArmed = false;
  if (!keyboard.current[KEY_RETURN]) worldSelect.returnArmed = true;
  const bool returnStarts = worldSelect.returnArmed && returnWentDown;
  if ((click && StrictlyInside(x, y, 260, 345, 470, 500)) || returnStarts) {
    // Stages per world come from a stage file: a huge count must not overflow.
    flow.stageNumber =
        static_cast<int>(std::min((worldSelect.selectedWorld - 1) * static_cast<long long>(spw),
                                  static_cast<long long>(INT_MAX)));
    flow.gameState = StageLoad;
  }

  if (flow.gameState != startState) {
    if (flow.gameState == Title) PlaySound(sfx.chgSelection, 0, volumes.effectsVolume);
    if (flow.gameState == StageLoad) PlaySound(sfx.ok, 0, volumes.effectsVolume);
  }
  return worldSelect.selectedWorld;
}

}  // namespace vx
