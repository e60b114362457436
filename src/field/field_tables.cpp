#include "field/field_tables.h"

#include <algorithm>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/random.h"
#include "field/box_probe.h"

namespace vx {

FieldGeometry geometry;
FieldCells cells;
FieldObjects objects;
FieldBlocks blocks;
AimPath aimPath;
NextBallQueue queue;
FieldCounts fieldCounts;

void SetCellSize(int width, int height) {
  FieldGeometry& g = geometry;
  g.cellWidth = width;
  g.cellHeight = height;
  g.cellWidthF = static_cast<float>(width);
  g.cellHeightF = static_cast<float>(height);
  g.cellScaleX = g.cellWidthF / 50.0f;
  g.cellScaleY = g.cellHeightF / 50.0f;
  g.bottomLine = 1024.0f - g.cellHeightF;
  // The cell halvings are integer ones, as the rest position has always been computed.
  g.shotStartX = g.launcherWidth / 2 - static_cast<float>(width / 2) + g.launcherLeft;
  g.shotStartY = g.launcherHeight - g.launcherWidth / 2 - static_cast<float>(height / 2) +
                 g.launcherTop + 30.0f;
}

void ResetFieldTables() {
  geometry = FieldGeometry{};
  cells.cellCount = 0;
  objects.objectCount = 0;
  blocks.blockCount = 0;
  // Only the scalars of the large tables: the entries beyond a count are never read.
  aimPath.pathCount = 0;
  aimPath.pathStartX = aimPath.pathStartY = 0.0f;
  aimPath.pathEndX = aimPath.pathEndY = 0.0f;
  aimPath.pathEndDX = aimPath.pathEndDY = 0.0f;
  aimPath.pathFlags = 0;
  aimPath.hitCell = -1;
  aimPath.endedOnCell = false;
  queue = NextBallQueue{};
  fieldCounts = FieldCounts{};
}

int AppendCell(float x, float y, int kind, int flags, float timer) {
  if (cells.cellCount >= kCellCapacity) return -1;
  int i = cells.cellCount++;
  cells.x[i] = x;
  cells.y[i] = y;
  cells.kind[i] = kind;
  cells.flags[i] = flags;
  cells.timer[i] = timer;
  return i;
}

int AppendObject(float x, float y, int code, int flags, float timer) {
  if (objects.objectCount >= kObjectCapacity) return -1;
  int i = objects.objectCount++;
  objects.x[i] = x;
  objects.y[i] = y;
  objects.code[i] = code;
  objects.flags[i] = flags;
  objects.timer[i] = timer;
  return i;
}

int AppendBlock(float x, float y, int kind) {
  if (blocks.blockCount >= kBlockCapacity) return -1;
  int i = blocks.blockCount++;
  blocks.x[i] = x;
  blocks.y[i] = y;
  blocks.kind[i] = kind;
  return i;
}

namespace {

template <typename T>
void ShiftDown(T* column, int from, int count) {
  std::copy(column + from + 1, column + count, column + from);
}

// Within 1.5 cell heights of the bottom line.
bool Overflows(float y) {
  return y + 1.5f * geometry.cellHeightF > geometry.bottomLine;
}
bool CellOverflows(int i) {
  return Overflows(cells.y[i]);
}

void RaiseObjectOverflow() {
  // Auras, flashes, growing balls and bombs count; popping and falling balls do not.
  constexpr int kOverflowObjects = 0x43F;
  if (fieldCounts.fieldOverflow) return;  // raised already
  for (int i = 0; i < objects.objectCount; ++i) {
    if ((objects.flags[i] & kOverflowObjects) && Overflows(objects.y[i])) {
      fieldCounts.fieldOverflow = true;
      return;
    }
  }
}

}  // namespace

void RaiseFieldOverflow() {
  if (fieldCounts.fieldOverflow) return;
  for (int i = 0; i < cells.cellCount; ++i) {
    if (CellOverflows(i)) {
      fieldCounts.fieldOverflow = true;
      return;
    }
  }
  RaiseObjectOverflow();
}

int CountColourBalls() {
  int n = 0;
  bool overflow = false;
  for (int i = 0; i < cells.cellCount; ++i) {
    n += IsColourKind(cells.kind[i]);
    overflow |= CellOverflows(i);
  }
  if (overflow) fieldCounts.fieldOverflow = true;
  RaiseObjectOverflow();
  return n;
}

void RemoveCell(int i) {
  int n = cells.cellCount;
  if (i < 0 || i >= n) return;
  if (IsColourKind(cells.kind[i])) ++fieldCounts.clearedColourCells;
  ShiftDown(cells.x, i, n);
  ShiftDown(cells.y, i, n);
  ShiftDown(cells.kind, i, n);
  ShiftDown(cells.flags, i, n);
  ShiftDown(cells.timer, i, n);
  cells.cellCount = n - 1;
  fieldCounts.remainingColourCells = CountColourBalls();
}

void RemoveObject(int i) {
  int n = objects.objectCount;
  if (i < 0 || i >= n) return;
  ShiftDown(objects.x, i, n);
  ShiftDown(objects.y, i, n);
  ShiftDown(objects.code, i, n);
  ShiftDown(objects.flags, i, n);
  ShiftDown(objects.timer, i, n);
  objects.objectCount = n - 1;
}

void RemoveBlock(int i) {
  int n = blocks.blockCount;
  if (i < 0 || i >= n) return;
  ShiftDown(blocks.x, i, n);
  ShiftDown(blocks.y, i, n);
  ShiftDown(blocks.kind, i, n);
  blocks.blockCount = n - 1;
}

int NeighbourOf(int n, int i, int skipMask) {
  if (i < 0 || i >= cells.cellCount) return -1;
  float px, py;
  if (!NeighbourProbe(n, cells.x[i], cells.y[i], &px, &py)) return -1;
  for (int j = 0; j < cells.cellCount; ++j) {
    if (cells.flags[j] & skipMask) continue;
    if (BoxHoldsStrictly(cells.x[j], cells.y[j], px, py)) return j;
  }
  return -1;
}

namespace {

// Fills object o, just appended for cell i, as a popping or a falling ball; returns which
// sound group it counts in (1 popped, 2 fallen, 0 neither).
int MakeDetached(int o, int i) {
  const int f = cells.flags[i];
  if (f & CELL_BREAKING) {
    objects.timer[o] = static_cast<float>(8 + GameRand() % 2);
    objects.code[o] = -cells.kind[i];
    objects.flags[o] = OBJECT_POPPING;
    return 1;
  }
  if (f & CELL_UNSUPPORTED) {
    objects.timer[o] = (static_cast<float>(GameRand() % 800) / 1850.0f + 0.05f) * 10.0f;
    objects.flags[o] = OBJECT_FALLING;
    return 2;
  }
  return 0;
}

void PlayDetachSounds(int popped, int fallen) {
  const int volume = volumes.effectsVolume;
  if (popped > 3) {
    PlaySound(sfx.linkedMany, 0, volume);
  } else if (popped > 0) {
    PlaySound(sfx.linked3, 0, volume);
  }
  if (fallen > 5) {
    PlaySound(sfx.fallMany, 0, volume);
  } else if (fallen > 3) {
    PlaySound(sfx.fall5, 0, volume);
  } else if (fallen > 0) {
    PlaySound(sfx.fall3, 0, volume);
  }
}

}  // namespace

int DetachCells(int mask) {
  // One pass that keeps the cells staying in order and counts as it goes. Removing the moved
  // cells one by one would shift the table and recount it for every cell.
  int counted[3] = {0, 0, 0};
  const int n = cells.cellCount;
  int kept = 0, colours = 0, low = 0;
  bool full = false, firstMovedLow = false;
  for (int i = 0; i < n; ++i) {
    const int f = cells.flags[i];
    const bool isLow = CellOverflows(i);
    low += isLow;
    int o = -1;
    // A full object table keeps the cell in the grid rather than losing it unseen.
    if (!full && (f & mask)) {
      o = AppendObject(cells.x[i], cells.y[i], cells.kind[i], f, cells.timer[i]);
      full = o < 0;
    }
    if (o < 0) {
      colours += IsColourKind(cells.kind[i]);
      if (kept != i) {
        cells.x[kept] = cells.x[i];
        cells.y[kept] = cells.y[i];
        cells.kind[kept] = cells.kind[i];
        cells.flags[kept] = f;
        cells.timer[kept] = cells.timer[i];
      }
      ++kept;
      continue;
    }
    if (kept == i) firstMovedLow = isLow;  // nothing moved before it: the first to go
    ++counted[MakeDetached(o, i)];
    if (IsColourKind(cells.kind[i])) ++fieldCounts.clearedColourCells;
  }
  cells.cellCount = kept;
  const int moved = n - kept;
  if (moved > 0) {
    fieldCounts.remainingColourCells = colours;
    // Removing cells one at a time recounts after each removal: every cell but the first to
    // go is seen by some recount, and so is every object, the new ones among them.
    if (low - (firstMovedLow ? 1 : 0) > 0) fieldCounts.fieldOverflow = true;
    RaiseObjectOverflow();
  }
  PlayDetachSounds(counted[1], counted[2]);
  return moved;
}

int DetachCellsReference(int mask) {
  int counted[3] = {0, 0, 0};
  int moved = 0;
  int i = 0;
  while (i < cells.cellCount) {
    if (!(cells.flags[i] & mask)) {
      ++i;
      continue;
    }
    int o = AppendObject(cells.x[i], cells.y[i], cells.kind[i], cells.flags[i], cells.timer[i]);
    if (o < 0) break;
    ++counted[MakeDetached(o, i)];
    RemoveCell(i);
    ++moved;
  }
  PlayDetachSounds(counted[1], counted[2]);
  return moved;
}

GridPlace SnapToGrid(int x, int y) {
  const int w = geometry.cellWidth, h = geometry.cellHeight;
  if (w <= 0 || h <= 0) return {x, y};
  int row = static_cast<int>(static_cast<float>(y) - geometry.ceilingOffset) / h;
  bool odd = row % 2 != 0;
  int shifted = odd ? x - w / 2 : x;
  int sx = (shifted / w) * w + (odd ? w / 2 : 0);
  int sy = static_cast<int>(static_cast<float>(row * h) + geometry.ceilingOffset);
  return {sx, sy};
}

namespace {

// The highest of the first n entries passing keep whose box at (xs[i], ys[i]) holds a corner
// of b, or -1: the first found from the top down.
template <typename Keep>
int HighestWithCornerIn(const float* xs, const float* ys, int n, const ProbeBox& b, Keep keep) {
  for (int i = n - 1; i >= 0; --i)
    if (keep(i) && AnyCornerIn(xs[i], ys[i], b)) return i;
  return -1;
}

constexpr auto KeepAll = [](int) { return true; };

}  // namespace

int CellAtBox(float x, float y, float shrinkPercent) {
  return HighestWithCornerIn(cells.x, cells.y, cells.cellCount, ShrunkBox(x, y, shrinkPercent),
                             KeepAll);
}

int BlockAtBox(float x, float y, float shrinkPercent) {
  return HighestWithCornerIn(blocks.x, blocks.y, blocks.blockCount, ShrunkBox(x, y, shrinkPercent),
                             [](int i) { return !BlockIgnored(i); });
}

int ObjectAtBox(float x, float y, float shrinkPercent) {
  return HighestWithCornerIn(objects.x, objects.y, objects.objectCount,
                             ShrunkBox(x, y, shrinkPercent), KeepAll);
}

int BlockAtPoint(float x, float y) {
  int found = -1;
  for (int i = 0; i < blocks.blockCount; ++i)
    if (!BlockIgnored(i) && BoxHolds(blocks.x[i], blocks.y[i], x, y)) found = i;
  return found;
}

void SortCellsByY() {
  static int order[kCellCapacity];
  static float x[kCellCapacity], y[kCellCapacity], timer[kCellCapacity];
  static int kind[kCellCapacity], flags[kCellCapacity];
  const int n = cells.cellCount;
  for (int i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order, order + n, [](int a, int b) { return cells.y[a] < cells.y[b]; });
  for (int i = 0; i < n; ++i) {
    int j = order[i];
    x[i] = cells.x[j];
    y[i] = cells.y[j];
    kind[i] = cells.kind[j];
    flags[i] = cells.flags[j];
    timer[i] = cells.timer[j];
  }
  std::copy(x, x + n, cells.x);
  std::copy(y, y + n, cells.y);
  std::copy(kind, kind + n, cells.kind);
  std::copy(flags, flags + n, cells.flags);
  std::copy(timer, timer + n, cells.timer);
}

}  // namespace vx
