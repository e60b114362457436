#include "objects/ball_powers.h"

#include <algorithm>
#include <cmath>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/random.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/object_update.h"

namespace vx {

namespace {

constexpr float kAuraGrowth = 2.0f;  // an aura's ring grows to 1 + this
constexpr float kMaturingAge = 1000.0f;
constexpr float kAuraLife = 3000.0f;
constexpr float kBeamLife = 800.0f;
constexpr float kSelfBreakAge = 2500.0f;
constexpr float kPermanent = 10000.0f;  // a special at this age or more never ages out
constexpr float kAgeWrap = 100000.0f;

constexpr int kFlashRing = 21;
constexpr int kBeamImage = 32;

// The phase of a ring that grows from nothing to full once every 100 units: 0..100.
float RingPhase(float timer) {
  float v = static_cast<float>(100 - WholeUnits(timer) % 100) + frameClock.frameStep;
  return v > 100.0f ? 0.0f : v;
}

// What a matured special leaves behind.
void SpawnFromCell(int i) {
  if (objects.objectCount >= kSpawnObjectLimit) return;
  const float x = cells.x[i], y = cells.y[i];
  switch (cells.kind[i]) {
    case 29:
      AppendObject(x, y, 18, OBJECT_DEFLECTOR, kAuraLife);
      break;
    case 30:
      AppendObject(x, y, 18, OBJECT_ABSORBER, kAuraLife);
      break;
    case 31:
      AppendObject(x, y, 12, OBJECT_COLOUR_CHANGER, kAuraLife);
      break;
    default:
      AppendObject(x, y, -1, OBJECT_LASER_BEAM, kBeamLife);
      break;
  }
}

int MaturingCell(int i) {
  cells.timer[i] += frameClock.frameStep;
  if (cells.timer[i] < kMaturingAge) {
    const float s = static_cast<float>(Pulse(cells.timer[i])) / 200.0f + 1.0f;
    DrawCentred(cells.x[i], cells.y[i], cells.kind[i], 100.0f, s, s);
    return 1;
  }
  cells.timer[i] = 0.0f;
  cells.flags[i] |= CELL_BREAKING;
  SpawnFromCell(i);
  DetachCells(CELL_BREAKING);
  return -1;
}

int Aura(int i, int image) {
  const float v = RingPhase(objects.timer[i]);
  const float s = v / 100.0f * kAuraGrowth + 1.0f;
  const float o = std::max(100.0f - v, 40.0f);
  const float x = objects.x[i], y = objects.y[i];
  DrawCentred(x, y, image, o, s, s);
  DrawCentred(x, y, image, o, 1.0f, 1.0f);
  DrawCentred(x, y, image, o, kAuraGrowth + 1.0f, kAuraGrowth + 1.0f);
  objects.timer[i] -= frameClock.frameStep;
  if (objects.timer[i] > 0.0f) return 1;
  RemoveOwnObject(i);
  return -1;
}

int LaserBeam(int i) {
  const float v = RingPhase(objects.timer[i]);
  const float x = objects.x[i], y = objects.y[i];
  // A beam 30 cells tall whose width swells from 0.2 to 1 cell every 100 units.
  DrawCentred(x, y, kBeamImage, std::max(100.0f - v, 60.0f), v / 100.0f * 0.8f + 0.2f, 30.0f);
  DrawCentred(x, y, kBeamImage, 100.0f, 1.0f,
              static_cast<float>(Pulse(objects.timer[i])) / 200.0f + 1.0f);
  objects.timer[i] -= frameClock.frameStep;
  if (objects.timer[i] > 0.0f) {
    ShooterState& s = shooter;
    const float half = 0.5f * geometry.cellWidthF;
    if (!s.shotActive || !(x - half <= s.ballX && s.ballX < x + half)) return 1;
    // The beam stops the shot anywhere in its column, and goes with it.
    RemoveObject(i);
    s.shotActive = false;
    if (objects.objectCount < kSpawnObjectLimit)
      AppendObject(s.ballX, s.ballY, -1, OBJECT_BEAM_FLASH, 0.0f);
    return -1;
  }
  RemoveObject(i);
  return -1;
}

}  // namespace

void ChooseBombCarriers() {
  const int perWorld = std::max(flow.stagesPerWorld, 1);
  const float through = static_cast<float>(StageInWorld()) / static_cast<float>(perWorld);
  const int threshold = static_cast<int>(90.0f - through * 30.0f);
  for (int i = 0; i < cells.cellCount; ++i) {
    if (!IsColourKind(cells.kind[i])) continue;
    if (GameRand() % 100 > threshold) cells.flags[i] |= CELL_BOMB;
  }
}

int SpecialBall(int who) {
  if (who < 0) {
    const int i = ~who;
    return i < cells.cellCount ? MaturingCell(i) : 1;
  }
  if (who >= objects.objectCount) return 1;
  const int f = objects.flags[who];
  if (f & OBJECT_DEFLECTOR) return Aura(who, 29);
  if (f & OBJECT_ABSORBER) return Aura(who, 30);
  if (f & OBJECT_COLOUR_CHANGER) return Aura(who, 31);
  if (f & OBJECT_LASER_BEAM) return LaserBeam(who);
  return 1;
}

int PlainSpecial(int who) {
  const int i = ~who;
  if (i < 0 || i >= cells.cellCount) return 1;
  const int kind = cells.kind[i];
  float& timer = cells.timer[i];
  // A random phase on the first frame, so the specials do not pulse in step.
  if (flow.firstPlayFrame && timer < kPermanent)
    timer = kind == 18 ? 0.0f : static_cast<float>(GameRand() % 100);
  timer += frameClock.frameStep;
  if (timer > kAgeWrap) timer = 0.0f;
  const float s = static_cast<float>(Pulse(timer)) / 200.0f + 1.0f;
  DrawCentred(cells.x[i], cells.y[i], kind, 100.0f, s, s);
  if (kind == KIND_GEM_SPRING || kind == KIND_SEED_SPRING || kind == KIND_LIMITED_GEM_SPRING) {
    if (timer < kPermanent && timer > kSelfBreakAge) {
      cells.flags[i] = CELL_PLACED | CELL_BREAKING;
      DetachCells(CELL_BREAKING);
      return -1;
    }
    if (timer >= kPermanent) timer = kPermanent;
  }
  return 1;
}

int BombCarrierPulse(int who) {
  const int i = ~who;
  if (i < 0 || i >= cells.cellCount) return 1;
  float& timer = cells.timer[i];
  timer += frameClock.frameStep;
  if (timer > 100.0f) timer = 0.0f;
  const float s = std::fabs(timer - 50.0f) / 400.0f + 1.0f;
  DrawCentred(cells.x[i], cells.y[i], cells.kind[i], 100.0f, s, s);
  return 1;
}

int BeamFlash(int i) {
  const float t = objects.timer[i];
  const float o = std::max(100.0f - t, 60.0f);
  const float x = objects.x[i], y = objects.y[i];
  // A beam 30 cells wide that thins out, and a flickering ring.
  DrawCentred(x, y, kBeamImage, o, 30.0f, (100.0f - t) / 100.0f * 0.8f + 0.2f);
  DrawCentred(x, y, kFlashRing, WholeUnits(t) % 4 < 2 ? 1.0f : o, t / 100.0f + 1.0f,
              t / 100.0f + 1.0f);
  objects.timer[i] += frameClock.frameStep;
  if (objects.timer[i] < 100.0f) return 1;
  RemoveOwnObject(i);
  return -1;
}

}  // namespace vx
