#include "objects/field_drawing.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "draw/numbers.h"
#include "draw/shared_images.h"
#include "draw/sprite.h"
#include "field/next_ball_queue.h"
#include "field/shooter.h"
#include "objects/pusher.h"
#include "objects/stage_start.h"
#include "storage/texture.h"

namespace vx {

FieldDrawingState fieldDrawing;

namespace {

constexpr std::uint32_t kOpaque = 0xFFFFFFFFu;
constexpr float kBallOffset = 30.0f;  // the loaded ball hangs this far from the wheel's pivot
constexpr int kWorlds = 5;

// Regions of the shared character sheet.
constexpr SpriteRect kLauncherWheel = {0, 256, 117, 511};
constexpr int kDigitLeft = 160, kDigitWidth = 20, kDigitHeight = 24;

void Sparkle() {
  FieldDrawingState& d = fieldDrawing;
  d.sparkleClock += frameClock.frameStep;
  if (d.sparkleClock > 200.0f) {
    d.sparkleClock = 0.0f;
    std::memset(d.sparkle, 0, sizeof d.sparkle);
  }
  if (d.sparkleClock > 100.0f && d.sparkleClock < 131.0f) {
    d.sparkleClock += 50.0f;
    const int n = cells.cellCount;
    for (int i = n / 2; i < n; ++i) {
      const int j = GameRand() % n;
      if (IsColourKind(cells.kind[j])) d.sparkle[j] = 1;
    }
  }
}

void SkyAndBackground() {
  FieldDrawingState& d = fieldDrawing;
  d.skyOffset += 0.08f * frameClock.frameStep;
  if (d.skyOffset >= 512.0f) d.skyOffset -= 512.0f;
  const int i = static_cast<int>(d.skyOffset);
  const SpriteRect right = {i, 0, 512, 512};
  DrawTexture(stageStart.sky, &right, 1, 1, 0, 0, 0, 0, 0, kOpaque);
  if (i >= 1) {
    const SpriteRect left = {0, 0, i, 512};
    DrawTexture(stageStart.sky, &left, 1, 1, 0, 0, 0, static_cast<float>(512 - i), 0, kOpaque);
  }
  DrawTexture(stageStart.background, nullptr, 1, 1, 0, 0, 0, 0, 0, kOpaque);
}

// Four gears behind the launcher that turn with it, lagging and coasting, never stopping.
void Gears() {
  FieldDrawingState& d = fieldDrawing;
  const float aim = shooter.aimAngle;
  if (sharedImages.wheel) {
    const float step = frameClock.frameStep;
    d.smoothedAim += (aim - d.smoothedAim) / 10.0f;
    d.gearSpeed += (aim - d.smoothedAim) / 50.0f;
    d.gearAngle += d.gearSpeed * step;
    if (d.gearAngle > 360.0f)
      d.gearAngle -= 360.0f;
    else if (d.gearAngle < 0.0f)
      d.gearAngle += 360.0f;
    if (d.gearSpeed > 0.0f) {
      d.gearSpeed -= 0.001f * step;
      if (d.gearSpeed < 0.01f) d.gearSpeed = 0.01f;
    } else {
      d.gearSpeed += 0.001f * step;
      if (d.gearSpeed > -0.01f) d.gearSpeed = -0.01f;
    }
    const float g = d.gearAngle;
    struct Gear {
      float k, cx, cy, degrees;
      std::uint32_t colour;
    };
    const Gear gears[] = {
        {0.6f, 220, 505, 360.0f - g / 2, 0xFF303030u},
        {0.6f, 280, 530, g, 0xFF888888u},
        {0.5f, 245, 500, d.smoothedAim, 0xFFCCCCCCu},
        {0.2f, 180, 510, 2 * g, 0xFFFFFFFFu},
    };
    for (const Gear& gear : gears) {
      const float half = 128.0f * gear.k;
      DrawTexture(sharedImages.wheel, nullptr, gear.k, gear.k, half, half,
                  gear.degrees * kRadiansPerDegree, gear.cx - half, gear.cy - half, gear.colour);
    }
  }
  d.smoothedAim = aim;
}

// The field jumps by up to 15 units about every 3 units of time while a push is near.
float Shake() {
  FieldDrawingState& d = fieldDrawing;
  if (!pusher.pushWarning) return 0.0f;
  d.shakeClock += frameClock.frameStep;
  if (d.shakeClock < 3.0f) return 0.0f;
  d.shakeClock = 0.0f;
  return static_cast<float>(GameRand() % 30 - 15);
}

void BlocksCellsAndObjects(float dy) {
  for (int i = 0; i < blocks.blockCount; ++i)
    DrawCell(blocks.x[i], blocks.y[i] + dy, blocks.kind[i], BlockIgnored(i) ? 50.0f : 100.0f, 0, 1,
             1);
  for (int i = 0; i < cells.cellCount; ++i) {
    if (!(cells.flags[i] & CELL_PLACED)) continue;
    const int mark = fieldDrawing.sparkle[i];
    DrawCell(cells.x[i], cells.y[i] + dy, mark ? cells.kind[i] + 300 : cells.kind[i], 100, mark, 1,
             1);
  }
  for (int i = 0; i < objects.objectCount; ++i) {
    if (objects.flags[i] & OBJECT_ABSORBER) continue;
    DrawCell(objects.x[i], objects.y[i], objects.code[i], 100, 0, 1, 1);
  }
}

// The launcher wheel, turned against the aim, and the loaded ball hanging from its pivot on
// the side opposite the aim; a flying ball is drawn where it flies instead.
void LauncherAndBall() {
  const FieldGeometry& g = geometry;
  const float sx = sprites.screenScaleX, sy = sprites.screenScaleY;
  DrawTexture(sprites.sheets[kCharacterSheet], &kLauncherWheel, sx, sy, 58.5f * sx, 197.5f * sy,
              -shooter.aimAngle * kRadiansPerDegree, g.launcherLeft * sx, g.launcherTop * sy,
              kOpaque);
  const float theta = -shooter.aimAngle * kRadiansPerDegree;
  float bx =
      g.launcherWidth / 2 + g.launcherLeft + kBallOffset * std::sin(theta) - g.cellWidthF / 2;
  float by = g.launcherHeight - g.launcherWidth / 2 + g.launcherTop +
             kBallOffset * std::cos(theta) - g.cellHeightF / 2;
  if (!shooter.shotActive) {
    // The aim path starts from the drawn ball.
    geometry.shotStartX = bx;
    geometry.shotStartY = by;
  } else {
    bx = shooter.ballX;
    by = shooter.ballY;
  }
  DrawCell(bx, by, shooter.shotColour, 100, 0, 1, 1);
}

// The figure beside the launcher bobs between 394 and 404 and steps through its frames
// 0, 1, 2, 1.
void PlayerFigure() {
  FieldDrawingState& d = fieldDrawing;
  const float step = frameClock.frameStep;
  if (d.figureGoingDown) {
    d.figureY += 0.1f * step;
    if (d.figureY > 404.0f) d.figureGoingDown = false;
  } else {
    d.figureY -= 0.1f * step;
    if (d.figureY < 394.0f) d.figureGoingDown = true;
  }
  d.figureClock += step;
  if (d.figureClock > 60.0f) {
    d.figureFrame = d.figureFrame >= 3 ? 0 : d.figureFrame + 1;
    d.figureClock = 0.0f;
  }
  const int image = d.figureFrame == 3 ? 1 : d.figureFrame;
  DrawTexture(sharedImages.playerFigures[image], nullptr, 1, 1, 0, 0, 0, 140, d.figureY, kOpaque);
}

SpriteRect DigitRect(int digit) {
  return {kDigitLeft + kDigitWidth * digit, 0, kDigitLeft + kDigitWidth * (digit + 1),
          kDigitHeight};
}

}  // namespace

void DrawField() {
  Sparkle();
  SkyAndBackground();
  Gears();
  Pusher();
  UpdateQueue();
  const float dy = Shake();
  BlocksCellsAndObjects(dy);
  LauncherAndBall();
  PlayerFigure();
}

void PlayKeys() {
  if (KeyPressed(KEY_F3, true)) flow.aimGuide = true;
  if (KeyPressed(KEY_F2, true)) flow.aimGuide = false;
  if (!KeyHeld(KEY_LSHIFT) || !KeyHeld(KEY_Q)) return;
  const int before = flow.stageNumber;
  // The skip stays within the five worlds: past the last stage there is no world to show.
  const long long perWorld = flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1;
  const long long lastStage = kWorlds * perWorld - 1;
  if (KeyHeld(KEY_LEFT) && flow.stageNumber > 0) --flow.stageNumber;
  if (KeyHeld(KEY_RIGHT) && shooter.aimAngle < 80.0f && flow.stageNumber < lastStage)
    ++flow.stageNumber;
  if (flow.stageNumber != before) flow.gameState = StageLoad;
}

void RemainingBallsPopup(float size, float rotation) {
  FieldDrawingState& d = fieldDrawing;
  if (cells.cellCount < d.popupCellCount) {
    d.popupAlpha = 255.0f;
    fieldCounts.remainingColourCells = CountColourBalls();
  }
  d.popupCellCount = cells.cellCount;
  if (d.popupAlpha <= 0.0f) return;
  const int a = static_cast<int>(d.popupAlpha);
  d.popupAlpha -= frameClock.frameStep;
  // The alpha byte a over a tint that shifts as it fades.
  const std::uint32_t colour = static_cast<std::uint32_t>(a + 1) * 0xFFFFFFu;
  // Only the significant digits: one to three of them for any count below 1000, and the
  // whole number beyond.
  int digits[9];
  const int n = SplitDigits(fieldCounts.remainingColourCells, digits);
  const float digitWidth = kDigitWidth * size;
  const float width = digitWidth * static_cast<float>(n);
  const float height = 20.0f * size;
  float x = 512.0f * sprites.screenScaleX - width / 2;
  const float y = 512.0f * sprites.screenScaleY - height / 2;
  float centreX = width / 2;
  for (int i = 0; i < n; ++i) {
    const SpriteRect rect = DigitRect(digits[i]);
    DrawTexture(sprites.sheets[kCharacterSheet], &rect, size, size, centreX, height / 2, rotation,
                x, y, colour);
    x += digitWidth;
    centreX -= digitWidth;
  }
}

int StageClock(int command) {
  FieldDrawingState& d = fieldDrawing;
  if (command == -1) {
    d.clockAccumulator = 0.0f;
    d.clockTicks = 0;
    return 0;
  }
  if (command == 99) return d.clockTicks;
  d.clockAccumulator += frameClock.frameStep;
  if (d.clockAccumulator > 2.4f) {
    d.clockAccumulator = 0.0f;
    if (d.clockTicks < INT_MAX) ++d.clockTicks;  // a stage left running for over a year
  }
  DrawTime(d.clockTicks, 2.0f, 256.0f / sprites.screenScaleX, 10.0f / sprites.screenScaleY, 2,
           true);
  return d.clockTicks;
}

void EnergyDisplay(int energy) {
  DrawSprite(275, 455, 345, 60, 440, 120, 100, 0, 0.47f, 0.47f, 0, 0);
  DrawNumber(energy, 1.0f, 610, 940, 1);
}

void ClearPlayerFigures() {
  for (Texture*& figure : sharedImages.playerFigures) {
    ReleaseTexture(figure);
    figure = nullptr;
  }
}

}  // namespace vx
