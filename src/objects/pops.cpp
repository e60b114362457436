#include "objects/pops.h"

#include <algorithm>
#include <cmath>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/random.h"
#include "draw/numbers.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "field/next_ball_queue.h"
#include "field/shooter.h"
#include "objects/object_update.h"

namespace vx {

BlastState blast;

namespace {

// The wobble of a popping ball, in units of its size: table B while its clock is 9 or more,
// table A below.
constexpr int kWobbleA[10] = {-1, -2, -4, -6, -8, -11, -4, -1, 1, 3};
constexpr int kWobbleB[10] = {1, 4, 3, 2, 6, 7, 8, 4, 3, 7};

constexpr int kFlashRing = 21;
constexpr int kBombImage = 214;      // gem sheet 0
constexpr int kHighBombImage = 213;  // drawn over a bomb still high up
constexpr int kWarningImage = 14;
constexpr float kBombHighOffset = 1.6f * -168.0f;
constexpr int kEnergyCost = 8;

// The flash over the whole screen (a ring 40 times a cell), centred on the field's middle.
void ScreenFlash() {
  DrawCentred(512.0f, 512.0f, kFlashRing, 100.0f, 40.0f, 40.0f);
}

// A ring shrinking from 5 to 1 as it fades in, over `life` units.
void ShrinkingRing(float x, float y, int image, float timer, float life) {
  const float f = timer / life;
  const float s = (1.0f - f) * 4.0f + 1.0f;
  DrawCentred(x, y, image, std::max(f * 100.0f, 20.0f), s, s);
}

}  // namespace

bool ShotHits(float x, float y) {
  const ShooterState& s = shooter;
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  return s.shotActive && x - 0.5f * w <= s.ballX && s.ballX < x + 1.5f * w &&
         y - 0.5f * h <= s.ballY && s.ballY < y + 1.5f * h;
}

void UseUpShot() {
  shooter.shotActive = false;
  shooter.shotColour = NextShotColour();
  queue.queueState = QUEUE_SHIFT;
}

int PoppingBall(int i) {
  float& timer = objects.timer[i];
  const float fs = frameClock.frameStep;
  const float x = objects.x[i], y = objects.y[i];
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  if (timer >= 8.0f) {
    // Wobbling, flickering between its colour and white.
    const int k = WholeUnits(timer * 10.0f) % 10;
    int d;
    if (timer >= 9.0f) {
      d = kWobbleB[k];
      timer -= 0.015f * fs;
    } else {
      d = kWobbleA[k];
      timer -= 0.007f * fs;
    }
    const float s = 2.0f * static_cast<float>(d) / 50.0f + 1.0f;
    const int image = GameRand() % 100 < 40 ? -objects.code[i] : kFlashRing;
    DrawCell(x + (w - w * s) / 2, y + (h - h * s) / 2, image, 100.0f, 0, s, s);
  } else {
    // Bursting: explosion image 8 down to 1, 12.5 units each.
    const int f = std::clamp(WholeUnits(timer), 0, 7);
    const float scale = w / 64.0f * sprites.screenScaleX * 1.4f;
    DrawTexture(objectUpdate.explosionImages[f], nullptr, scale, scale, 0.0f, 0.0f, 0.0f,
                (x + (w - 1.4f * w) / 2) * sprites.screenScaleX,
                (y + (h - 1.4f * h) / 2) * sprites.screenScaleY, 0xFFFFFFFFu);
    timer -= 0.08f * fs;
  }
  if (timer > 0.0f) return 1;
  RemoveOwnObject(i);
  return -1;
}

int FallingBall(int i) {
  const float fs = frameClock.frameStep;
  float& speed = objects.timer[i];
  objects.y[i] += fs * speed;
  if (speed < 6.0f) speed += 0.05f * fs;
  if (objects.y[i] <= 1024.0f) return 1;
  RemoveOwnObject(i);
  return -1;
}

int HitFlash(int i) {
  ShrinkingRing(objects.x[i], objects.y[i], objects.code[i], objects.timer[i], 150.0f);
  objects.timer[i] += frameClock.frameStep;
  if (objects.timer[i] < 150.0f) return 1;
  RemoveOwnObject(i);
  return -1;
}

int Bomb(int i) {
  const float fs = frameClock.frameStep;
  const float timer = objects.timer[i];
  const float speed = timer > 1.2f ? 1.0f : timer;
  objects.y[i] += speed * fs;
  const float x = objects.x[i], y = objects.y[i];
  const float bottom = geometry.bottomLine, danger = DangerLine();

  // It spins while high, swings once in danger, and lies still on the bottom.
  float r = 0.0f;
  if (y > bottom) {
    r = 0.0f;
  } else if (y > danger) {
    const float degrees = static_cast<float>(WholeUnits(timer * 800.0f) % 360);
    r = std::sin(degrees * kRadiansPerDegree) * 45.0f;
  } else {
    r = timer * 800.0f;
  }
  DrawCellImage(x, y, kBombImage, 0, 0, 0, 0, 100.0f, 0, 1.0f, 1.0f, 1, r);
  const bool high = y < bottom + kBombHighOffset;
  if (high) DrawCentred(x, y, kHighBombImage, 100.0f, 1.0f, 1.0f);
  if (y > danger) {
    const int p = std::abs(WholeUnits(timer * 500.0f) % 100 - 50);
    const float s = static_cast<float>(p) / 200.0f + 1.0f;
    DrawCentred(x, y, kWarningImage, 100.0f, s, s);
  }

  if (ShotHits(x, y)) {
    UseUpShot();
    SpawnHitFlash(x, y);
    if (high) {
      // Too high to defuse: the shot is spent and the bomb falls on.
      PlaySound(sfx.break1, 0, volumes.effectsVolume);
    } else {
      RemoveObject(i);
      PlaySound(sfx.shotGhost, 0, volumes.effectsVolume);
      return -1;
    }
  }
  if (y >= 1024.0f - geometry.cellHeightF) {
    StartBombBlast(x, y);
    RemoveObject(i);
    PlaySound(sfx.bombLanded, 0, volumes.effectsVolume);
    return -1;
  }
  objects.timer[i] += 0.005f * fs;
  return 1;
}

void StartBombBlast(float x, float y) {
  BlastState& b = blast;
  b.blastClock = 100.0f;
  b.nextBlastMark = 100.0f - static_cast<float>(GameRand() % 30);
  b.secondaryCount = 0;
  b.flashClock = 35.0f;
  if (objects.objectCount < kSpawnObjectLimit) AppendObject(x, y, -1, OBJECT_BOMB_BLAST, 0.0f);
}

int BombBlast(int i) {
  BlastState& b = blast;
  // Between sequences the blasts wait, untouched, until a new landing restarts the clock.
  if (b.blastClock <= 0.0f) return 1;
  const float fs = frameClock.frameStep;
  const float x = objects.x[i], y = objects.y[i];
  ShrinkingRing(x, y, kFlashRing, objects.timer[i], 50.0f);
  objects.timer[i] += fs;
  if (b.flashClock >= 0.0f) {
    b.flashClock -= fs;
    ScreenFlash();
  }
  const bool removed = objects.timer[i] >= 50.0f;
  if (removed) RemoveObject(i);
  if (b.lastFrame != flow.playFrameCounter) {
    b.lastFrame = flow.playFrameCounter;
    b.blastClock -= fs;
  }
  if (b.blastClock <= b.nextBlastMark) {
    b.nextBlastMark = b.blastClock - static_cast<float>(GameRand() % 30);
    if (objects.objectCount < kSpawnObjectLimit) {
      const float dx = static_cast<float>(GameRand() % 120 - 60);
      const float dy = static_cast<float>(GameRand() % 20 - 10);
      const int colour = GameRand() % 9 + 1;
      AppendObject(x + dx, y + dy, -colour, OBJECT_BOMB_BLAST, 0.0f);
      // Every fourth secondary blast costs energy; an empty bar loses the try.
      if (++b.secondaryCount > 3) {
        player.energy -= kEnergyCost;
        b.secondaryCount = 0;
        if (player.energy < 1) flow.tryLostRequested = true;
      }
    }
  }
  return removed ? -1 : 1;
}

int GrowingBall(int i) {
  objects.timer[i] -= frameClock.frameStep;
  const float x = objects.x[i], y = objects.y[i], timer = objects.timer[i];
  if (timer <= 0.0f) {
    // It grows even where a cell has landed meanwhile: the new cell is simply added.
    AppendCell(x, y, objects.code[i], CELL_PLACED, 0.0f);
    RemoveObject(i);
    PlaySound(sfx.fxGrow, 0, volumes.effectsVolume);
    return -1;
  }
  const float s = static_cast<float>(Pulse(timer)) / 300.0f + 1.0f;
  DrawCentred(x, y, kFlashRing, 50.0f, s, s);
  // The countdown in hundreds of units, 7 with 700..799 left, 0 in the last hundred.
  DrawNumber(WholeUnits(timer / 100.0f), geometry.cellScaleX, x + geometry.cellWidthF / 2,
             y + geometry.cellHeightF / 2, 3);
  if (!ShotHits(x, y)) return 1;
  UseUpShot();
  SpawnHitFlash(x, y);
  RemoveObject(i);
  PlaySound(sfx.shotFx, 0, volumes.effectsVolume);
  return -1;
}

}  // namespace vx
