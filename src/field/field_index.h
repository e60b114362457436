// A uniform grid over the field for the aim path's many box tests. It is rebuilt from the
// tables at the start of each path computation and answers exactly as the table scans do
// (the highest matching index), visiting only the entries near the probe.
#pragma once
#include "field/aim_path.h"

namespace vx {

// Snapshots the cells, the blocks the block tests consider and the shot auras. The queries
// below answer for the tables as they were then.
void BuildFieldIndex();

int IndexedCellAtBox(float x, float y, float shrinkPercent);
BlockHit IndexedBlockBounce(float x, float y, float dx, float dy, float shrinkPercent);
int IndexedObjectZoneAt(float x, float y, float radiusFactor);
// The same answers as BlockAtBox, and whether some cell stands exactly at (x, y).
int IndexedBlockAtBox(float x, float y, float shrinkPercent);
bool IndexedCellStandsAt(float x, float y);

// Shared by the scanning and indexed block bounce: turns the corners found inside blocks into
// the flips; pointFree answers whether a point lies in no block.
template <typename PointFree>
BlockHit ClassifyBounce(int corners, int lastBlock, float cx, float cy, float dx, float dy,
                        PointFree pointFree) {
  BlockHit hit;
  hit.block = lastBlock >= 0 ? 100 + lastBlock : -1;
  constexpr int TL = 1, BL = 2, TR = 4, BR = 8;
  hit.flipX = corners == (TR | BR) || corners == (TL | BL);
  hit.flipY = corners == (TL | TR) || corners == (BL | BR);
  if ((corners & (TL | BR)) == (TL | BR) || (corners & (TR | BL)) == (TR | BL)) {
    hit.flipX = hit.flipY = true;
  }
  if (corners == TL || corners == BL || corners == TR || corners == BR) {
    hit.flipX = pointFree(cx - dx, cy + dy);
    hit.flipY = pointFree(cx + dx, cy - dy);
  }
  return hit;
}

}  // namespace vx
