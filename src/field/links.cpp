#include "field/links.h"

#include <algorithm>
#include <cmath>

#include "audio/sound.h"
#include "audio/volume.h"
#include "field/bonuses.h"
#include "field/box_probe.h"
#include "field/field_index.h"
#include "field/field_tables.h"
#include "field/hit_effects.h"
#include "field/shooter.h"

namespace vx {

namespace {

constexpr float kDangerOffset = 168.0f;

// Depth-first work lists for one search. A cell is pushed at most once after it has been
// visited, and the start cell once more at the start, so the cell capacity plus one entry
// can never overflow; pushes refuse beyond that all the same.
struct LinkSearch {
  struct Entry {
    int cell;
    int next;  // neighbour number still to ask, 6 down to 1
  };
  Entry stack[kCellCapacity + 1];
  int depth = 0;
  bool visited[kCellCapacity];

  void Clear() {
    depth = 0;
    std::fill(visited, visited + kCellCapacity, false);
  }
  void Push(int cell) {
    if (depth < kCellCapacity + 1) stack[depth++] = {cell, 6};
  }
  // Asks the top entry's next neighbour, then moves that entry on to the following one.
  template <typename Q>
  int NextNeighbour(int skipMask) {
    Entry& top = stack[depth - 1];
    int j = Q::Neighbour(top.next, top.cell, skipMask);
    if (top.next == 1) {
      --depth;
    } else {
      --top.next;
    }
    return j;
  }
};
LinkSearch search;

void ClearMarks() {
  for (int i = 0; i < cells.cellCount; ++i) cells.flags[i] &= 0x3F;
}

void MarkBreaking(int i) {
  if (i >= 0 && i < cells.cellCount) cells.flags[i] |= CELL_BREAKING;
}

// Whether breaking cell m stands above cell c in a column overlapping it.
bool StandsAbove(int m, int c) {
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  const float xc = cells.x[c], xm = cells.x[m];
  bool column = (xm <= xc && xc < xm + w) || (xm <= xc + w && xc + w < xm + w);
  return column && cells.y[c] > cells.y[m] + h / 2;
}

bool BreakingAboveScan(int c) {
  for (int m = 0; m < cells.cellCount; ++m)
    if ((cells.flags[m] & CELL_BREAKING) && StandsAbove(m, c)) return true;
  return false;
}

// The breaking cells filed in columns of at least a cell's width, each column ordered from the
// top down, so the question "is a breaking cell above c" looks at the few columns c overlaps
// and, in each, only at the cells high enough.
struct BreakingColumns {
  static constexpr int kMaxColumns = 256;
  double perColumn = 1.0;
  int cols = 1;
  int start[kMaxColumns + 1] = {};
  int items[kCellCapacity] = {};

  int Col(float x) const {
    double t = static_cast<double>(x) * perColumn;
    if (!(t >= 0.0)) return 0;
    if (t >= cols - 1) return cols - 1;
    return static_cast<int>(t);
  }
  // A cell with a NaN position never stands above anything; it is left out.
  static bool Filed(int m) {
    return (cells.flags[m] & CELL_BREAKING) && !std::isnan(cells.x[m]) && !std::isnan(cells.y[m]);
  }

  void Build() {
    double width = std::max(static_cast<double>(geometry.cellWidthF), 1024.0 / (kMaxColumns - 2));
    if (!(width > 0.0)) width = 1024.0 / (kMaxColumns - 2);
    perColumn = 1.0 / width;
    cols = std::min(kMaxColumns, static_cast<int>(1024.0 / width) + 2);
    std::fill(start, start + cols + 1, 0);
    const int n = cells.cellCount;
    for (int m = 0; m < n; ++m)
      if (Filed(m)) ++start[Col(cells.x[m]) + 1];
    for (int k = 0; k < cols; ++k) start[k + 1] += start[k];
    int fill[kMaxColumns];
    for (int k = 0; k < cols; ++k) fill[k] = start[k];
    for (int m = 0; m < n; ++m)
      if (Filed(m)) items[fill[Col(cells.x[m])]++] = m;
    for (int k = 0; k < cols; ++k)
      std::sort(items + start[k], items + start[k + 1],
                [](int a, int b) { return cells.y[a] < cells.y[b]; });
  }

  bool Above(int c) const {
    const float w = geometry.cellWidthF, h = geometry.cellHeightF;
    const float xc = cells.x[c], yc = cells.y[c];
    // Every cell in an overlapping column has its left edge within a width of c's, give or
    // take the rounding of the sums; the margin covers that.
    const float margin = 1.0f + (std::fabs(xc) + std::fabs(w)) * 1e-5f;
    const int first = Col(xc - w - margin), last = Col(xc + w + margin);
    for (int k = first; k <= last; ++k) {
      for (int p = start[k]; p < start[k + 1]; ++p) {
        const int m = items[p];
        if (!(yc > cells.y[m] + h / 2)) break;  // the rest of the column is lower still
        if (StandsAbove(m, c)) return true;
      }
    }
    return false;
  }
};
BreakingColumns breakingColumns;

// The questions the resolution asks of the field, answered by scanning the tables.
struct ScanQueries {
  static void Begin() {}
  static int Neighbour(int n, int i, int skipMask) { return NeighbourOf(n, i, skipMask); }
  static void BeginRelease() {}
  static bool BreakingAbove(int c) { return BreakingAboveScan(c); }
  static int Detach(int mask) { return DetachCellsReference(mask); }
};

// The same questions answered through indices built when they are first needed.
struct IndexedQueries {
  static void Begin() { BuildNeighbourIndex(); }
  static int Neighbour(int n, int i, int skipMask) { return IndexedNeighbourOf(n, i, skipMask); }
  static void BeginRelease() { breakingColumns.Build(); }
  static bool BreakingAbove(int c) { return breakingColumns.Above(c); }
  static int Detach(int mask) { return DetachCells(mask); }
};

// Marks unsupported every cell below topY reachable from s through cells below topY or
// breaking ones; then keeps in the grid those with no breaking cell above them.
template <typename Q>
void MarkFalls(int s, float topY) {
  topY -= 1.0f;
  search.Clear();
  search.Push(s);
  while (search.depth > 0) {
    int j = search.NextNeighbour<Q>(CELL_UNSUPPORTED);
    if (j < 0) continue;
    bool below = cells.y[j] > topY;
    bool breaking = (cells.flags[j] & CELL_BREAKING) != 0;
    if (below && !breaking) cells.flags[j] |= CELL_UNSUPPORTED;
    if (search.visited[j]) continue;
    search.visited[j] = true;
    if (below || breaking) search.Push(j);
  }
  bool anyUnsupported = false;
  for (int c = 0; c < cells.cellCount && !anyUnsupported; ++c)
    anyUnsupported = (cells.flags[c] & CELL_UNSUPPORTED) != 0;
  if (anyUnsupported) {
    Q::BeginRelease();
    for (int c = 0; c < cells.cellCount; ++c)
      if ((cells.flags[c] & CELL_UNSUPPORTED) && !Q::BreakingAbove(c))
        cells.flags[c] &= ~CELL_UNSUPPORTED;
  }
  for (int i = 0; i < cells.cellCount; ++i) {
    const int both = CELL_BREAKING | CELL_BOMB;
    if ((cells.flags[i] & both) == both) DropBomb(i);
  }
}

template <typename Q>
bool Finish(bool afterLanding) {
  if (afterLanding) Q::Detach(CELL_BREAKING | CELL_UNSUPPORTED);
  return true;
}

template <typename Q>
bool Resolve(bool afterLanding) {
  ClearMarks();
  const int n = cells.cellCount;
  int s = shooter.newCell;
  if (s >= n) s = -1;
  float topY = s >= 0 ? cells.y[s] : 0.0f;
  const int hit =
      shooter.hitCellOfShot >= 0 && shooter.hitCellOfShot < n ? shooter.hitCellOfShot : -1;
  const int h = hit >= 0 ? cells.kind[hit] : -1;

  // Specials the shot touched.
  if (shooter.shotColour == KIND_LASER_GIFT || (h >= KIND_DEFLECTOR_BALL && h <= KIND_LASER_BALL) ||
      h == KIND_SEED) {
    MarkBreaking(s);
    MarkBreaking(hit);
    return Finish<Q>(afterLanding);
  }
  switch (h) {
    case KIND_LIMITED_GEM_SPRING:
      MarkBreaking(s);
      MarkBreaking(hit);
      LimitedGemSpring(hit);
      return Finish<Q>(afterLanding);
    case KIND_LASER_GIFT:
      MarkBreaking(s);
      MarkBreaking(hit);
      LaserBonus(1);
      return Finish<Q>(afterLanding);
    case KIND_GUIDE_GIFT:
      MarkBreaking(s);
      MarkBreaking(hit);
      AimGuideGift(1);
      return Finish<Q>(afterLanding);
    case KIND_GEM_SPRING:
      MarkBreaking(s);
      GemSpring(hit);
      return Finish<Q>(afterLanding);
    case KIND_SEED_SPRING:
      MarkBreaking(s);
      SeedSpring(hit);
      return Finish<Q>(afterLanding);
    case KIND_BLAST:
      if (Blast(hit) > 0) {
        Q::Begin();
        MarkFalls<Q>(hit, topY);
        return Finish<Q>(afterLanding);
      }
      break;
    default:
      break;
  }

  // The like-coloured group around the new cell. The start cell is reached again through
  // its neighbours, so a lone ball counts 0 and a group of two or more its full size.
  if (s < 0) return false;
  const int colour = cells.kind[s];
  if (colour != shooter.shotColour) return false;
  Q::Begin();
  topY = 9999.0f;
  int group = 0;
  search.Clear();
  search.Push(s);
  while (search.depth > 0) {
    int j = search.NextNeighbour<Q>(CELL_BREAKING);
    if (j < 0 || cells.kind[j] != colour) continue;
    cells.flags[j] |= CELL_BREAKING;
    topY = std::min(topY, cells.y[j]);
    if (search.visited[j]) continue;
    search.visited[j] = true;
    search.Push(j);
    ++group;
  }
  if (group < geometry.colourCount) {
    ClearMarks();
    return false;
  }
  MarkFalls<Q>(s, topY);
  return Finish<Q>(afterLanding);
}

}  // namespace

bool ResolveShot(bool afterLanding) {
  return Resolve<IndexedQueries>(afterLanding);
}

bool ResolveShotReference(bool afterLanding) {
  return Resolve<ScanQueries>(afterLanding);
}

void DropBomb(int i) {
  if (i < 0 || i >= cells.cellCount) return;
  const float x = cells.x[i], y = cells.y[i];
  bool falls = false;
  if (y >= geometry.bottomLine - kDangerOffset) {
    AppendObject(x, y, 12, OBJECT_HIT_FLASH, 0.0f);
  } else {
    falls = AppendObject(x, y, -1, OBJECT_BOMB, 0.0f) >= 0;
  }
  // The fall sound loops while a bomb is in the air; the object update stops it on the first
  // frame without one. Without a falling bomb it sounds once.
  PlaySound(sfx.bombFall, falls ? platform::kPlayLooping : 0, volumes.effectsVolume);
}

}  // namespace vx
