#include "field/hit_effects.h"

#include "core/game_state.h"
#include "core/random.h"
#include "field/field_tables.h"

namespace vx {

namespace {

// Breaks spring i and grows on its own place and on every free place around it that lies
// inside the field, below the ceiling line and well above the launcher. A limit of 0 or more
// stops after more than `limit` extra growths.
void Spring(int i, void (*spawn)(float, float), int limit) {
  if (i < 0 || i >= cells.cellCount) return;
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  const float x = cells.x[i], y = cells.y[i];
  cells.flags[i] |= CELL_BREAKING;

  // The six places around it, in the order of the neighbours (1 upper left .. 6 left). A
  // place is taken by a standing neighbour (breaking or falling ones do not count) or by a
  // block covering either of the place's two probe points.
  const float probes[6][2][2] = {
      {{x - w / 4, y - h / 2}, {x + w / 4, y - h / 2}},
      {{x + 3 * w / 4, y - h / 2}, {x + 5 * w / 4, y - h / 2}},
      {{x + 5 * w / 4, y + h / 2}, {x + 7 * w / 4, y + h / 2}},
      {{x + 3 * w / 4, y + 3 * h / 2}, {x + 5 * w / 4, y + 3 * h / 2}},
      {{x - w / 4, y + 3 * h / 2}, {x + w / 4, y + 3 * h / 2}},
      {{x - 3 * w / 4, y + h / 2}, {x - w / 4, y + h / 2}},
  };
  bool occupied[6];
  for (int n = 0; n < 6; ++n) {
    occupied[n] = NeighbourOf(n + 1, i, CELL_BREAKING | CELL_UNSUPPORTED) >= 0 ||
                  BlockAtPoint(probes[n][0][0], probes[n][0][1]) >= 0 ||
                  BlockAtPoint(probes[n][1][0], probes[n][1][1]) >= 0;
  }

  // Where a ball grows in each place: its top-left.
  const float spots[6][2] = {{x - w / 2, y - h}, {x + w / 2, y - h}, {x + w, y},
                             {x + w / 2, y + h}, {x - w / 2, y + h}, {x - w, y}};
  spawn(x, y);
  int extra = 0;
  for (int n = 0; n < 6; ++n) {
    if (occupied[n]) continue;
    const float sx = spots[n][0], sy = spots[n][1];
    if (!(sx >= 0.0f && sx < 1024.0f - w && sy >= geometry.ceilingLine &&
          sy < geometry.launcherTop - 5 * h))
      continue;
    spawn(sx, sy);
    ++extra;
    if (limit >= 0 && extra > limit) break;
  }
}

}  // namespace

int Blast(int i) {
  if (i < 0 || i >= cells.cellCount) return 0;
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  const float left = cells.x[i] + w / 2 - w, right = cells.x[i] + w / 2 + w;
  const float top = cells.y[i] + h / 2 - h, bottom = cells.y[i] + h / 2 + h;
  auto inside = [&](float px, float py) {
    return px >= left && px < right && py > top && py < bottom;
  };
  int marked = 0;
  for (int j = 0; j < cells.cellCount; ++j) {
    const float x = cells.x[j], y = cells.y[j];
    if (inside(x, y) || inside(x + w, y) || inside(x + w, y + h) || inside(x, y + h)) {
      cells.flags[j] |= CELL_BREAKING;
      ++marked;
    }
  }
  return marked;
}

void GemSpring(int i) {
  Spring(i, SpawnGrowingBall, -1);
}
void SeedSpring(int i) {
  Spring(i, SpawnGrowingSeed, -1);
}
void LimitedGemSpring(int i) {
  Spring(i, SpawnGrowingBall, flow.stageNumber);
}

void SpawnGrowingBall(float x, float y) {
  AppendObject(x, y, GameRand() % 9000 / 1000 + 1, OBJECT_GROWING_BALL, 100.0f);
}

void SpawnGrowingSeed(float x, float y) {
  AppendObject(x, y, KIND_SEED, OBJECT_GROWING_SEED, 100.0f);
}

}  // namespace vx
