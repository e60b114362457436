#include "field/hit_effects.h"

#include "app/game_state.h"
#include "app/random.h"
#include "field/field_tables.h"

namespace vx {

namespace {

// The six places around a cell at (x, y), numbered as the neighbours: the point another cell
// would cover if it stood there, and the top-left where a new ball would grow.
struct Place {
  float probeX, probeY;
  float spawnX, spawnY;
};

void PlacesAround(float x, float y, Place out[6]) {
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  out[0] = {x, y - h / 2, x - w / 2, y - h};
  out[1] = {x + w, y - h / 2, x + w / 2, y - h};
  out[2] = {x + 1.5f * w, y + h / 2, x + w, y};
  out[3] = {x + w, y + 1.5f * h, x + w / 2, y + h};
  out[4] = {x, y + 1.5f * h, x - w / 2, y + h};
  out[5] = {x - w / 2, y + h / 2, x - w, y};
}

// Two points per place that a block standing there would cover.
void BlockProbes(float x, float y, float out[12][2]) {
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  const float pts[12][2] = {
      {x - w / 4, y - h / 2},         {x + w / 4, y - h / 2},         {x + 3 * w / 4, y - h / 2},
      {x + 5 * w / 4, y - h / 2},     {x + 5 * w / 4, y + h / 2},     {x + 7 * w / 4, y + h / 2},
      {x + 3 * w / 4, y + 3 * h / 2}, {x + 5 * w / 4, y + 3 * h / 2}, {x - w / 4, y + 3 * h / 2},
      {x + w / 4, y + 3 * h / 2},     {x - 3 * w / 4, y + h / 2},     {x - w / 4, y + h / 2},
  };
  for (int k = 0; k < 12; ++k) {
    out[k][0] = pts[k][0];
    out[k][1] = pts[k][1];
  }
}

// Breaks spring i and grows on its own place and on every free place around it that lies
// inside the field, below the ceiling line and well above the launcher. A limit of 0 or more
// stops after more than `limit` extra growths.
void Spring(int i, void (*spawn)(float, float), int limit) {
  if (i < 0 || i >= cells.cellCount) return;
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  const float x = cells.x[i], y = cells.y[i];
  cells.flags[i] |= CELL_BREAKING;

  Place places[6];
  PlacesAround(x, y, places);
  bool occupied[6] = {};
  for (int j = 0; j < cells.cellCount; ++j) {
    if (j == i || (cells.flags[j] & (CELL_BREAKING | CELL_UNSUPPORTED))) continue;
    for (int n = 0; n < 6; ++n) {
      const float px = places[n].probeX, py = places[n].probeY;
      if (px > cells.x[j] && px < cells.x[j] + w && py > cells.y[j] && py < cells.y[j] + h)
        occupied[n] = true;
    }
  }
  float probes[12][2];
  BlockProbes(x, y, probes);
  for (int n = 0; n < 6; ++n) {
    if (BlockAtPoint(probes[2 * n][0], probes[2 * n][1]) >= 0 ||
        BlockAtPoint(probes[2 * n + 1][0], probes[2 * n + 1][1]) >= 0)
      occupied[n] = true;
  }

  spawn(x, y);
  int extra = 0;
  for (int n = 0; n < 6; ++n) {
    if (occupied[n]) continue;
    const float sx = places[n].spawnX, sy = places[n].spawnY;
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
