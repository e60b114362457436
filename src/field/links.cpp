#include "field/links.h"

#include <algorithm>

#include "audio/sound.h"
#include "audio/volume.h"
#include "field/bonuses.h"
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
  int NextNeighbour(int skipMask) {
    Entry& top = stack[depth - 1];
    int j = NeighbourOf(top.next, top.cell, skipMask);
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

// Whether a breaking cell stands above cell c in a column overlapping it.
bool BreakingAbove(int c) {
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  const float xc = cells.x[c], yc = cells.y[c];
  for (int m = 0; m < cells.cellCount; ++m) {
    if (!(cells.flags[m] & CELL_BREAKING)) continue;
    const float xm = cells.x[m];
    bool column = (xm <= xc && xc < xm + w) || (xm <= xc + w && xc + w < xm + w);
    if (column && yc > cells.y[m] + h / 2) return true;
  }
  return false;
}

// Marks unsupported every cell below topY reachable from s through cells below topY or
// breaking ones; then keeps in the grid those with no breaking cell above them.
void MarkFalls(int s, float topY) {
  topY -= 1.0f;
  search.Clear();
  search.Push(s);
  while (search.depth > 0) {
    int j = search.NextNeighbour(CELL_UNSUPPORTED);
    if (j < 0) continue;
    bool below = cells.y[j] > topY;
    bool breaking = (cells.flags[j] & CELL_BREAKING) != 0;
    if (below && !breaking) cells.flags[j] |= CELL_UNSUPPORTED;
    if (search.visited[j]) continue;
    search.visited[j] = true;
    if (below || breaking) search.Push(j);
  }
  for (int c = 0; c < cells.cellCount; ++c)
    if ((cells.flags[c] & CELL_UNSUPPORTED) && !BreakingAbove(c))
      cells.flags[c] &= ~CELL_UNSUPPORTED;
  for (int i = 0; i < cells.cellCount; ++i) {
    const int both = CELL_BREAKING | CELL_BOMB;
    if ((cells.flags[i] & both) == both) DropBomb(i);
  }
}

bool Finish(bool afterLanding) {
  if (afterLanding) DetachCells(CELL_BREAKING | CELL_UNSUPPORTED);
  return true;
}

}  // namespace

bool ResolveShot(bool afterLanding) {
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
    return Finish(afterLanding);
  }
  switch (h) {
    case KIND_LIMITED_GEM_SPRING:
      MarkBreaking(s);
      MarkBreaking(hit);
      LimitedGemSpring(hit);
      return Finish(afterLanding);
    case KIND_LASER_GIFT:
      MarkBreaking(s);
      MarkBreaking(hit);
      LaserBonus(1);
      return Finish(afterLanding);
    case KIND_GUIDE_GIFT:
      MarkBreaking(s);
      MarkBreaking(hit);
      AimGuideGift(1);
      return Finish(afterLanding);
    case KIND_GEM_SPRING:
      MarkBreaking(s);
      GemSpring(hit);
      return Finish(afterLanding);
    case KIND_SEED_SPRING:
      MarkBreaking(s);
      SeedSpring(hit);
      return Finish(afterLanding);
    case KIND_BLAST:
      if (Blast(hit) > 0) {
        MarkFalls(hit, topY);
        return Finish(afterLanding);
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
  topY = 9999.0f;
  int group = 0;
  search.Clear();
  search.Push(s);
  while (search.depth > 0) {
    int j = search.NextNeighbour(CELL_BREAKING);
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
  MarkFalls(s, topY);
  return Finish(afterLanding);
}

void DropBomb(int i) {
  if (i < 0 || i >= cells.cellCount) return;
  const float x = cells.x[i], y = cells.y[i];
  if (y >= geometry.bottomLine - kDangerOffset) {
    AppendObject(x, y, 12, OBJECT_HIT_FLASH, 0.0f);
  } else {
    AppendObject(x, y, -1, OBJECT_BOMB, 0.0f);
  }
  PlaySound(sfx.bombFall, 0, volumes.effectsVolume);
}

}  // namespace vx
