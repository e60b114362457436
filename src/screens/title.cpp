#include "screens/title.h"

#include <algorithm>
#include <cmath>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/app_values.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "draw/sprite.h"
#include "persist/best_times.h"
#include "persist/stage_files.h"
#include "platform/platform.h"
#include "screens/backgrounds.h"
#include "screens/boot.h"
#include "screens/intro.h"
#include "screens/settings_screen.h"
#include "screens/stage_info.h"
#include "storage/sealed.h"
#include "storage/texture.h"

namespace vx {

TitleState title;

namespace {

// Every piece of the title's picture sheet is drawn under this one layer id, so the sheet
// is loaded once and stays while the title shows.

void TitlePiece(float opacity, float x, float y, int left, int top, int right, int bottom,
                float scale) {
  game_DisplayLayerPart(LAYER_TITLE_SHEET, LayerImage(LAYER_TITLE_SHEET), opacity, x, y, left, top,
                        right, bottom, scale, 1);
}

// Advances a pulse by 0.1 x frame step, back to 0 once it reaches `period`.
float Pulse(float value, float period) {
  value += 0.1f * frameClock.frameStep;
  return value >= period ? 0.0f : value;
}

// The menu entry under the pointer (0 play, 1 settings, 2 quit), or -1 for none; the gaps
// between the entries belong to none.
int TitleEntryAt(int x, int y) {
  if (x <= 200 || x >= 320) return -1;
  if (y > 320 && y < 357) return 0;
  if (y > 360 && y < 404) return 1;
  if (y > 410 && y < 447) return 2;
  return -1;
}

void StartIntro() {
  flow.gameState = Intro;
  IntroSequence(true);
  title.idleTimer = 0;
}

// Speed after a change of selection, then its decay towards a slow turn (0.1 or -0.1).
void UpdateWheelSpeed() {
  const float step = frameClock.frameStep;
  if (title.selection > title.previousSelection) title.wheelSpeed = 1.5f;
  if (title.selection < title.previousSelection) title.wheelSpeed = -1.5f;
  if (title.wheelSpeed > 0) {
    title.wheelSpeed -= 0.01f * step;
    if (title.wheelSpeed < 0.1f) title.wheelSpeed = 0.1f;
  } else {
    title.wheelSpeed += 0.01f * step;
    if (title.wheelSpeed > -0.1f) title.wheelSpeed = -0.1f;
  }
}

void DrawTitle() {
  const float step = frameClock.frameStep;
  title.pulseA = Pulse(title.pulseA, 100);
  const float r = std::fabs(title.pulseA - 50) + 45;  // 45..95
  float glowOpacity = 0, glowScale = 1;
  if (r >= 80) {
    glowOpacity = (r - 80) * 5;
    glowScale = (r - 80) / 20 + 1;
  }
  title.logoAngle = DrawTitleWheel(100, 256, 346, 1.0f, title.wheelSpeed);
  TitlePiece(r, 256, 346, 180, 180, 310, 310, 1);
  TitlePiece(glowOpacity, 256, 346, 350, 180, 512, 340, glowScale);
  TitlePiece(100, 256, 380, 180, 328, 332, 462, 1);  // the three menu words
  title.pulseB = Pulse(title.pulseB, 100);
  TitlePiece(100, 256, 68, 0, 32, 511, 105, std::fabs(title.pulseB - 50) / 800 + 1);
  title.pulseC = Pulse(title.pulseC, 87);
  TitlePiece(100, 256, 140, 0, 106, 511, 175, std::fabs(title.pulseC - 43.5f) / 800 + 1);
  GemStreamLarge(12, 1);
  DrawIntroButton();
  title.blinkTimer += step;
  if (title.blinkTimer > 60) title.blinkTimer = 0;
  if (title.blinkTimer > 30) {
    const float barY[3] = {339, 383, 427};
    TitlePiece(100, 256, barY[title.selection], 0, 465, 165, 511, 1);
  }
}

}  // namespace

int Game_0Stage1() {
  flow.aimGuide = true;
  player.tries = 4;
  player.energy = 100;
  LoadStage(1, false);
  CheckWorldStageFiles();
  mouse.pointerX = 430;
  mouse.pointerY = 400;
  WriteBestTimes();
  if (LoadArchiveTexture("_data.loc", "img\\startscreenclouds.tga", &backgrounds.backdrop) < 0) {
    platform::ShowMessage("startscreenclouds.tga", "Game_0Stage1()");
    // The title cannot be shown without its backdrop, and trying again would show the message
    // again every frame without end: the game ends after this one message, as a failed boot
    // does.
    RequestFailureExit();
    return E_FAIL;
  }
  flow.gameState = Title;
  return 0;
}

int TitleMenu() {
  title.idleTimer += frameClock.frameStep;
  if (title.idleTimer > kTitleIdleLimit) StartIntro();

  const int hovered = TitleEntryAt(mouse.pointerX, mouse.pointerY);
  if (hovered >= 0) title.selection = hovered;
  if (KeyPressed(KEY_UP, true)) --title.selection;
  if (KeyPressed(KEY_DOWN, false)) ++title.selection;
  title.selection = std::clamp(title.selection, 0, 2);

  if (KeyHeld(KEY_RETURN) || (hovered >= 0 && flow.clickThisFrame)) {
    PlaySound(sfx.ok, 0, volumes.effectsVolume);
    if (title.selection == 2) {
      DeleteSealTemporaries();
      app.closeRequested = true;  // the main loop closes at the end of this frame
      return E_FAIL;
    }
    if (title.selection == 0) {
      flow.gameState = WorldSelect;
    } else {
      SettingsScreen(0);
      flow.gameState = Settings;
    }
  }

  GemStream(12, 1);
  ScrollBackdrop();
  UpdateWheelSpeed();
  if (title.selection != title.previousSelection)
    PlaySound(sfx.chgSelection, 0, volumes.effectsVolume);
  title.previousSelection = title.selection;
  DrawTitle();
  DrawPointer(true);
  return 0;
}

float DrawTitleWheel(float opacity, float x, float y, float scale, float speed) {
  float angle = title.logoAngle + speed * frameClock.frameStep;
  if (angle > 360) angle -= 360;
  // A wheel turning backwards wraps the same way, so the angle never drifts far.
  if (angle < -360) angle += 360;
  title.logoAngle = angle;
  if (sharedImages.logo) {
    const float half = 128 * scale;
    DrawTexture(sharedImages.logo, nullptr, scale, scale, half, half, angle * kRadiansPerDegree,
                x - half, y - half, OpacityColour(opacity));
  }
  return angle;
}

void DrawIntroButton() {
  const bool hovered =
      mouse.pointerX > 200 && mouse.pointerX < 310 && mouse.pointerY > 490 && mouse.pointerY < 510;
  const float scale = hovered ? 1.1f : 1.0f;
  DrawSprite(256, 500, 0, 0, 115, 15, hovered ? 100.0f : 70.0f, 0, scale, scale, 1, 0);
  if (hovered && mouse.leftWentDown) {
    mouse.leftWentDown = false;
    StartIntro();
  }
}

}  // namespace vx
