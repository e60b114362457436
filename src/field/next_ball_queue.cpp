#include "field/next_ball_queue.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/random.h"
#include "draw/sprite.h"
#include "field/bonuses.h"
#include "field/field_tables.h"

namespace vx {

CellImages cellImages;

namespace {

constexpr float kScreenScale = 0.5f;
constexpr float kPi = 3.14159265f;

// Row layout in surface pixels: pitch, baseline and the first entry's left edge.
float Pitch() {
  return geometry.cellWidthF * kScreenScale;
}
float Baseline() {
  return 512.0f - Pitch() + 3.0f;
}
float FirstEntryX() {
  return (geometry.launcherWidth / 2 + geometry.launcherLeft) * kScreenScale + Pitch();
}

// False when the game was not playing in the previous frame: the queue only notes that it
// must be refilled. Otherwise refills it first when that is due.
bool RefillCheck() {
  NextBallQueue& q = queue;
  if (flow.previousState != Play) {
    q.queueRefill = true;
    return false;
  }
  if (q.queueRefill) {
    for (int e = 0; e < q.queueLength; ++e) {
      q.colour[e] = ChooseColour();
      q.roll[e] = 0.0f;
    }
    q.queueScroll = 0.0f;
    q.queueRefill = false;
    q.queueVisible = 0;
    const float f = Pitch();
    if (f > 0.0f)
      for (float x = FirstEntryX(); x + f < 512.0f; x += f) ++q.queueVisible;
  }
  return true;
}

int RandomColour() {
  return GameRand() % 9 + 1;
}

bool Acceptable(int c) {
  if (!IsColourKind(c)) return false;
  int same = 0;
  for (int e = 0; e < queue.queueLength; ++e)
    if (queue.colour[e] == c) ++same;
  return same < 2;
}

// Picks kinds of random cells among [from, to) until one is a colour, at most 100 picks;
// writes the last kind picked. An attempt that took all 100 picks counts as failed.
bool PickFromCells(int from, int to, int* pick) {
  const int span = to - from;
  if (span <= 0) return false;
  for (int picks = 1; picks <= 100; ++picks) {
    *pick = cells.kind[from + GameRand() % span];
    if (IsColourKind(*pick)) return picks < 100;
  }
  return false;
}

int SmartColour(int spanStart) {
  const int n = cells.cellCount;
  int pick = 0;
  const int ranges[3][2] = {{spanStart, n}, {0, spanStart > 0 ? spanStart : n}, {0, n}};
  for (const auto& r : ranges) {
    for (int attempt = 0; attempt < 100; ++attempt)
      if (PickFromCells(r[0], r[1], &pick) && Acceptable(pick)) return pick;
  }
  for (int attempt = 0; attempt < 1000; ++attempt) {
    pick = RandomColour();
    if (Acceptable(pick)) return pick;
  }
  return pick;
}

}  // namespace

int NextShotColour() {
  if (!RefillCheck()) return 0;
  return bonuses.laserBonus >= 1 ? KIND_LASER_GIFT : queue.colour[0];
}

void UpdateQueue() {
  if (!RefillCheck()) return;
  NextBallQueue& q = queue;
  const float f = Pitch();
  const float fs = frameClock.frameStep;
  if (q.queueState == QUEUE_SLIDE) {
    q.queueScroll -= 0.2f * fs;
    if (q.queueScroll < -f) q.queueState = QUEUE_IDLE;  // stays shifted until the landing
  } else if (q.queueState == QUEUE_SHIFT) {
    q.queueScroll = 0.0f;
    q.queueState = QUEUE_IDLE;
    for (int e = 1; e < q.queueLength; ++e) {
      q.colour[e - 1] = q.colour[e];
      q.roll[e - 1] = q.roll[e];
    }
    int last = std::min(q.queueLength, q.queueVisible) - 1;
    if (last >= 0) {
      q.roll[last] = 3600.0f;
      q.colour[last] = ChooseColour();
    }
  }
  for (int e = 0; e < q.queueLength; ++e)
    if (q.roll[e] > 0.0f) q.roll[e] = std::max(0.0f, q.roll[e] - 1.5f * fs);

  // A new entry drops in with 20 bounces, each 3 pixels lower than the one before.
  float x = FirstEntryX() + q.queueScroll;
  for (int e = 0; x + f < 512.0f && e < q.queueVisible && e < q.queueLength; ++e) {
    int bounces = static_cast<int>(q.roll[e] / 180.0f);
    float y = Baseline() - std::sin((q.roll[e] / 180.0f - static_cast<float>(bounces)) * kPi) *
                               3.0f * static_cast<float>(bounces);
    int kind = bonuses.laserBonus == 1 ? KIND_LASER_GIFT : q.colour[e];
    if (kind < 100 || (kind >= 200 && kind < 300))
      DrawCell(x / kScreenScale, y / kScreenScale, kind, 100.0f, 0, 1.0f, 1.0f);
    x += f;
  }
}

int ChooseColour() {
  SortCellsByY();
  const int n = cells.cellCount;
  if (n == 0) return RandomColour();
  if (n == 1) return cells.kind[0];
  // The lowest three rows: a row starts wherever the y changes.
  int starts[3] = {0, 0, 0};
  int rows = 1;
  float rowY = cells.y[0];
  for (int i = 1; i < n; ++i) {
    if (cells.y[i] == rowY) continue;
    rowY = cells.y[i];
    starts[0] = starts[1];
    starts[1] = starts[2];
    starts[2] = i;
    ++rows;
  }
  const int spanStart = rows >= 3 ? starts[0] : 0;
  NextBallQueue& q = queue;
  if ((spanStart < n && q.smartBudget > 0) || fieldCounts.remainingColourCells < 10) {
    --q.smartBudget;
    return SmartColour(spanStart);
  }
  q.smartBudget = 5;
  return RandomColour();
}

void DrawCell(float x, float y, int kind, float opacity, int sheet, float scaleX, float scaleY) {
  if (kind < 0 || kind == 13) return;
  Texture* texture = nullptr;
  SpriteRect rect{};
  if ((kind >= 1 && kind <= 9) || (kind >= 301 && kind <= 309 && cellImages.stageBalls)) {
    int f = (kind < 300 ? kind : kind - 290) - 1;
    texture = cellImages.stageBalls;
    rect = {(f % 5) * 50, (f / 5) * 50, (f % 5) * 50 + 50, (f / 5) * 50 + 50};
  } else if (kind < 100) {
    texture = sprites.sheets[kCharacterSheet];
    rect = {(kind % 7) * 50 + 130, (kind / 7) * 50 + 260, 0, 0};
    rect.right = rect.left + 50;
    rect.bottom = rect.top + 50;
  } else if (kind >= 200 && kind <= 299) {
    int k = kind - 200;
    texture = sprites.sheets[sheet >= 1 ? 3 : 2];
    rect = {(k % 10) * 50, (k / 10) * 50, (k % 10) * 50 + 50, (k / 10) * 50 + 50};
  } else {
    return;
  }
  std::uint32_t alpha = static_cast<std::uint32_t>(static_cast<int>(opacity / 100.0f * 255.0f));
  std::uint32_t colour = (alpha << 24) | 0xFFFFFFu;
  DrawTexture(texture, rect, kScreenScale * geometry.cellScaleX * scaleX,
              kScreenScale * geometry.cellScaleY * scaleY, 0.0f, 0.0f, 0.0f, x * kScreenScale,
              y * kScreenScale, colour);
}

}  // namespace vx
