#include "objects/planters.h"

#include <algorithm>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/random.h"
#include "field/field_index.h"
#include "field/field_tables.h"
#include "objects/object_update.h"
#include "objects/pusher.h"

namespace vx {

PlanterState planters;

namespace {

// By stage number mod 15: cleared colour cells between count plantings and the kinds planted;
// the timed period in thousands of units (-1 off) and its kinds.
constexpr int kCountThreshold[15] = {3, 25, 20, 14, 20, 18, 10, 9, 7, 8, 7, 5, 7, 6, 4};
constexpr int kCountKinds[15] = {0x005, 0x100, 0x146, 0x101, 0x150, 0x04F, 0x801, 0x000,
                                 0x00E, 0x102, 0x01B, 0x00B, 0x102, 0x01A, 0x00A};
constexpr int kTimedPeriod[15] = {-1, -1, -1, 3, 3, 3, 6, 5, 3, 6, 3, 3, 3, 2, 2};
constexpr int kTimedKinds[15] = {0x002, 0x002, 0x002, 0x201, 0x202, 0x301, 0x202, 0x042,
                                 0x00E, 0x042, 0x003, 0x00B, 0x102, 0x01A, 0x00A};

constexpr float kGrowTime = 800.0f;

int StageRow() {
  return (flow.stageNumber % 15 + 15) % 15;
}

// Starts the planting animation at the spot with a kind from `kinds`, or none when the kind
// plants nothing.
void BeginPlanting(Planting& p, int kinds, float x, float y) {
  p.spotX = x;
  p.spotY = y;
  p.code = PlantCode(PickPlantKind(kinds), y >= DangerLine());
  p.animClock = p.code < 0 ? 0.0f : 0.1f;
}

// The planted ball shrinks from three times its size onto the spot over 100 units, then
// clears the spot and stays there as a growing ball.
void RunPlanting(Planting& p) {
  if (p.animClock <= 0.0f) return;
  p.animClock += frameClock.frameStep;
  const float s = (100.0f - p.animClock) / 50.0f + 1.0f;
  DrawCentred(p.spotX, p.spotY, p.code, std::max(p.animClock, 40.0f), s, s);
  if (p.animClock < 100.0f) return;
  p.animClock = 0.0f;
  int i = CellAtBox(p.spotX, p.spotY, 50.0f);
  if (i >= 0) RemoveCell(i);
  if (objects.objectCount < kSpawnObjectLimit)
    AppendObject(p.spotX, p.spotY, p.code, OBJECT_GROWING_SEED, kGrowTime);
  const bool good = p.code == KIND_BLAST || p.code == KIND_GUIDE_GIFT || p.code == KIND_LASER_GIFT;
  PlaySound(good ? sfx.goodFxPlanted : sfx.fxPlanted, 0, volumes.effectsVolume);
}

}  // namespace

int PickPlantKind(int mask) {
  int bits[16];
  int n = 0;
  for (int b = 0; b < 16; ++b)
    if (mask & (1 << b)) bits[n++] = 1 << b;
  return n == 0 ? 0 : bits[GameRand() % n];
}

int PlantCode(int kindBit, bool low) {
  switch (kindBit) {
    case 0x001:
      return low ? -1 : KIND_SEED;
    case 0x002:
      return KIND_SEED_SPRING;
    case 0x004:
      return KIND_BLAST;
    case 0x008:
      return low ? -1 : KIND_GEM_SPRING;
    case 0x010:
      return low ? -1 : GameRand() % 9 + 1;
    case 0x040:
      return KIND_GUIDE_GIFT;
    case 0x080:
      return KIND_LASER_GIFT;
    case 0x100:
      return KIND_LIMITED_GEM_SPRING;
    case 0x200:
      return low ? -1 : 29;
    case 0x400:
      return low ? -1 : 30;
    case 0x800:
      return 31;
    case 0x2000:
      return KIND_LASER_BALL;
    default:
      return -1;  // 0x020 and the others plant nothing
  }
}

bool FindPlantSpot(int tries, bool takenByCells, float* x, float* y) {
  const float w = geometry.cellWidthF, danger = DangerLine();
  auto placeable = [&](float px, float py) {
    return px <= 1024.0f - w && py <= danger && py >= pusher.pusherBottom;
  };
  float cx = 0.0f, cy = 9999.0f;
  int left = tries;
  BuildSpotIndex();  // the tables stay as they are for the whole search
  for (;;) {
    if (placeable(cx, cy)) {
      if (left == 0) return false;  // the last try's spot comes too late
      *x = cx;
      *y = cy;
      return true;
    }
    if (left <= 0) return false;
    const int rx = GameRand() % 1024;
    const int ry = GameRand() % 1024;
    GridPlace g = SnapToGrid(rx, ry);
    cx = static_cast<float>(g.x);
    cy = static_cast<float>(g.y);
    // A spot out of place is refused anyway: the box tests only matter for the others.
    if (placeable(cx, cy)) {
      if (SpotObjectAtBox(cx, cy, 70.0f) >= 0 || SpotBlockAtBox(cx, cy, 70.0f) >= 0 ||
          (takenByCells && SpotCellAtBox(cx, cy, 70.0f) >= 0))
        cy = 9999.0f;
    }
    --left;
  }
}

void CountPlanter(int mode) {
  PlanterState& s = planters;
  if (mode == -1) {
    s.count = Planting{};
    s.clearedAtLastPlanting = fieldCounts.clearedColourCells;
    return;
  }
  if (mode != 1) return;
  const int k = StageRow();
  if (fieldCounts.clearedColourCells - s.clearedAtLastPlanting >= kCountThreshold[k]) {
    float x, y;
    if (FindPlantSpot(1000, false, &x, &y)) {
      BeginPlanting(s.count, kCountKinds[k], x, y);
    } else {
      s.count.animClock = 0.0f;
    }
    s.clearedAtLastPlanting = fieldCounts.clearedColourCells;
  }
  RunPlanting(s.count);
}

void TimedPlanter(int mode) {
  PlanterState& s = planters;
  if (mode == -1) {
    s.timed = Planting{};
    s.periodClock = 0.0f;
    return;
  }
  if (mode != 1) return;
  const int k = StageRow();
  const float period = static_cast<float>(kTimedPeriod[k]) * 1000.0f;
  if (period < 0.0f) return;
  s.periodClock += frameClock.frameStep;
  if (s.periodClock >= period) {
    s.periodClock = 0.0f;
    float x, y;
    if (FindPlantSpot(5000, true, &x, &y)) {
      BeginPlanting(s.timed, kTimedKinds[k], x, y);
    } else {
      s.timed.animClock = 0.0f;
    }
  }
  RunPlanting(s.timed);
}

}  // namespace vx
