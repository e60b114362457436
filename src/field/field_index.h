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

}  // namespace vx
