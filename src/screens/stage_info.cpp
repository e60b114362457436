#include "screens/stage_info.h"

#include <algorithm>
#include <cmath>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "objects/pusher.h"
#include "persist/best_times.h"
#include "screens/screen_numbers.h"
#include "screens/stage_clear.h"

namespace vx {

StageInfoState stageInfo;
PauseState pauseMenu;

namespace {

void PanelPiece(float x, float y, int left, int top, int right, int bottom, int anchor) {
  game_DisplayLayerPart(LAYER_STAGE_INFO_SHEET, LayerImage(LAYER_STAGE_INFO_SHEET),
                        stageInfo.panelOpacity, x, y, left, top, right, bottom, 1, anchor);
}

// A number from the panel sheet's 30 x 30 digits, centred on (x, y).
void PanelNumber(float x, float y, int value) {
  game_DisplayLayerNumber(LAYER_STAGE_INFO_SHEET, LayerImage(LAYER_STAGE_INFO_SHEET),
                          stageInfo.panelOpacity, x, y, 0, 80, 30, 30, 1, 1, value);
}

// The world's name on the panel sheet, by world; false for a world beyond the fifth.
bool WorldName(int world, int rect[4]) {
  static const int kNames[5][4] = {{30, 393, 190, 417},
                                   {190, 393, 310, 417},
                                   {310, 393, 385, 417},
                                   {385, 393, 512, 417},
                                   {59, 430, 183, 455}};
  if (world < 0 || world > 4) return false;
  std::copy(kNames[world], kNames[world] + 4, rect);
  return true;
}

void MenuText(float x, float y, int left, int top, int right, int bottom) {
  game_DisplayLayerPart(LAYER_PAUSE_TEXTS, LayerImage(LAYER_PAUSE_TEXTS), 100, x, y, left, top,
                        right, bottom, 1, 1);
}

void OpenMenu(int mode) {
  pauseMenu.menuFade = 0;
  pauseMenu.menuBlink = 0;
  pauseMenu.noTriesMessage = 0;
  pauseMenu.menuMode = mode;
  flow.gameState = PauseMenuState;
}

// Back to the stage where it was left. A play frame that follows another state refills the
// queue and restarts the push clock by itself, but the menu switches to Play inside its own
// frame, so the next play frame sees Play as the previous state: the resume asks for both
// here. The ceiling stays where the pushes brought it.
void ResumePlay() {
  flow.gameState = Play;
  queue.queueRefill = true;
  pusher.pushClock = 0;
}

// While the menu fades in its keys are read but not acted on, so a key that went down then
// does not act later just because it is still held when the menu is ready.
void IgnoreMenuKeys() {
  KeyPressed(KEY_C, true);
  for (int key : {KEY_R, KEY_Q, KEY_Y, KEY_N, KEY_A}) KeyPressed(key, false);
}

// The menu's keys by mode; the first that went down acts.
void MenuKeys() {
  const bool triesLeft = player.tries > 0;
  switch (pauseMenu.menuMode) {
    case MENU_PAUSED:
      if (KeyPressed(KEY_C, true))
        ResumePlay();
      else if (KeyPressed(KEY_R, false))
        flow.gameState = StageLoad;
      else if (KeyPressed(KEY_Q, false))
        pauseMenu.menuMode = MENU_PAUSED_QUIT;
      break;
    case MENU_TRY_LOST:
      if (!triesLeft && KeyPressed(KEY_A, true)) {
        // Out of tries: the world starts again from its first stage.
        const int spw = std::max(flow.stagesPerWorld, 1);
        flow.stageNumber -= flow.stageNumber % spw;
        player.tries = 4;
        for (int& t : bestTimes.stageTimes) t = 0;
        flow.gameState = StageLoad;
      } else if (triesLeft && KeyPressed(KEY_R, true)) {
        flow.gameState = StageLoad;
      } else if (KeyPressed(KEY_Q, true)) {
        pauseMenu.menuMode = MENU_TRY_LOST_QUIT;
      }
      break;
    case MENU_PAUSED_QUIT:
    case MENU_TRY_LOST_QUIT:
      if (KeyPressed(KEY_Y, true)) {
        flow.gameState = TitleLoad;
        flow.aimGuide = true;
      } else if (KeyPressed(KEY_N, false)) {
        pauseMenu.menuMode = pauseMenu.menuMode == MENU_PAUSED_QUIT ? MENU_PAUSED : MENU_TRY_LOST;
      }
      break;
    default:
      break;
  }
}

}  // namespace

int StageInfoPanel() {
  const float step = frameClock.frameStep;
  const int spw = std::max(flow.stagesPerWorld, 1);
  const int world = flow.stageNumber / spw;
  const int place = flow.stageNumber % spw;

  if (stageInfo.panelSlide < 90)
    stageInfo.panelSlide = std::min(stageInfo.panelSlide + 0.5f * step, 90.0f);
  const float e = 1 - std::sin(stageInfo.panelSlide * kRadiansPerDegree);

  PanelPiece(-370 * e, 7, 0, 7, 370, 72, 0);
  int name[4];
  if (WorldName(world, name)) PanelPiece(348 - 370 * e, 40, name[0], name[1], name[2], name[3], 2);
  const float d = 489 * e;  // the rows slide in from the right
  PanelPiece(23 + d, 173, 23, 173, 512, 221, 0);
  PanelPiece(50 + d, 186, 20, 116, 240, 140, 0);
  PanelNumber(420 + d, 197, place + 1);
  PanelPiece(23 + d, 306, 23, 306, 512, 355, 0);
  PanelPiece(50 + d, 320, 20, 140, 316, 165, 0);
  PanelNumber(420 + d, 335, geometry.colourCount);

  stageInfo.panelBlink += step;
  if (stageInfo.panelBlink > 200) stageInfo.panelBlink = 0;
  if (stageInfo.panelBlink > 125) PanelPiece(256, 480, 192, 430, 392, 456, 1);

  if ((KeyPressed(KEY_Z, true) || mouse.leftWentDown) && stageInfo.panelOpacity >= 100)
    stageInfo.panelOpacity = 99.9f;
  if (stageInfo.panelOpacity < 100) {
    stageInfo.panelOpacity -= 0.7f * step;
    if (stageInfo.panelOpacity < 0) {
      stageInfo.panelOpacity = 100;
      stageInfo.panelSlide = 0;
      flow.gameState = Play;
    }
  }
  return 0;
}

bool PauseMenu(int code) {
  if (invasion.invasionRunning) return false;
  if (code >= 100) {
    if (code == 100) OpenMenu(MENU_PAUSED);
    if (code == 110) OpenMenu(MENU_TRY_LOST);
    ResetStageList();
    return false;
  }

  const float step = frameClock.frameStep;
  const int startState = flow.gameState;
  bool input = false;
  pauseMenu.menuFade += step;
  if (pauseMenu.menuFade >= 100) {
    pauseMenu.menuFade = 100;
    input = true;
  }
  game_DisplayLayer(LAYER_PAUSE_BACKGROUND, LayerImage(LAYER_PAUSE_BACKGROUND), pauseMenu.menuFade);
  StageList(flow.stageNumber % std::max(flow.stagesPerWorld, 1));

  // The lines of the mode and where the tries figure goes beside them.
  const int mode = pauseMenu.menuMode;
  bool showTries = false;
  float triesX = 0, triesY = 0;
  if (mode == MENU_PAUSED) {
    MenuText(256, 460, 90, 70, 410, 135);
    showTries = true;
    triesX = 75;
    triesY = -5;
  } else if (mode == MENU_TRY_LOST && player.tries > 0) {
    MenuText(256, 460, 90, 95, 410, 135);
    showTries = true;
    triesX = 75;
    triesY = -17;
  } else if (mode == MENU_TRY_LOST) {
    MenuText(256, 445, 200, 248, 520, 270);
    MenuText(256, 475, 90, 116, 410, 135);
  }

  pauseMenu.menuBlink += step;
  if (pauseMenu.menuBlink > 100) pauseMenu.menuBlink = 0;
  if (pauseMenu.menuBlink > 50) {
    if (showTries) DrawNumberAt(player.tries, 1.15f, 256 + triesX, 460 + triesY, 0);
    if (mode == MENU_PAUSED_QUIT || mode == MENU_TRY_LOST_QUIT)
      MenuText(256, 440, 75, 385, 430, 497);
  }

  if (!input) {
    IgnoreMenuKeys();
    return false;
  }
  MenuKeys();

  if (pauseMenu.noTriesMessage > 0) {
    pauseMenu.noTriesMessage += step;
    if (pauseMenu.noTriesMessage >= 100) pauseMenu.noTriesMessage = 0;
    MenuText(256, 256, 340, 170, 510, 250);
  }

  if (flow.gameState == StageLoad) {
    if (player.tries > 0) {
      --player.tries;  // the retry costs a try and brings the energy back
      player.energy = 100;
    } else {
      pauseMenu.noTriesMessage = 1;  // no try left to spend: the retry is refused
      flow.gameState = PauseMenuState;
    }
  }

  if (flow.gameState != startState) {
    if (flow.gameState == StageLoad) PlaySound(sfx.retry, 0, volumes.effectsVolume);
    if (flow.gameState == TitleLoad) PlaySound(sfx.exitPlay, 0, volumes.effectsVolume);
    if (flow.gameState == Play) PlaySound(sfx.chgSelection, 0, volumes.effectsVolume);
  }
  return true;
}

}  // namespace vx
