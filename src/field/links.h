// Links and falls: when a shot settles, decides what breaks (a like-coloured group of at least
// colourCount, or a special the shot touched) and what falls with it, and moves those cells
// into the object table.
#pragma once

namespace vx {

// Works from shooter.newCell, shooter.hitCellOfShot and shooter.shotColour. True when
// something broke; with afterLanding false the marked cells are left in the grid.
bool ResolveShot(bool afterLanding);
// The same resolution over the direct table scans and the cell-by-cell detach; slow on large
// groups, kept as the measure of the other.
bool ResolveShotReference(bool afterLanding);

// Releases the bomb carried by breaking cell i: a falling bomb, or a hit flash when the cell
// is already at or below the danger line.
void DropBomb(int i);

}  // namespace vx
