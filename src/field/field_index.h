// Uniform grids over the field for the many box and neighbour tests of the aim path, the link
// resolution and the searches for a free place. Each is rebuilt from the tables when its user
// starts and answers exactly as the table scans do, visiting only the entries near the probe.
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

// The link resolution's index: the cells as they stand when it starts. NeighbourOf's answer
// (the first cell in table order) while no cell moves, is added or is removed.
void BuildNeighbourIndex();
int IndexedNeighbourOf(int n, int i, int skipMask);

// The index of a search for a free place: CellAtBox's, BlockAtBox's and ObjectAtBox's answers
// while the tables stay as they were when BuildSpotIndex started the search. The first few
// questions scan the table; a table asked more often is filed in a grid.
void BuildSpotIndex();
int SpotCellAtBox(float x, float y, float shrinkPercent);
int SpotBlockAtBox(float x, float y, float shrinkPercent);
int SpotObjectAtBox(float x, float y, float shrinkPercent);

}  // namespace vx
