// The aim path: the whole flight of the next shot, computed step by step before it is fired.
// It runs straight, bounces off the side walls and blocks, is bent by deflectors, may be
// swallowed by an absorber, and stops at the first cell it touches, at the ceiling line, at the
// bottom or after 1500 steps.
#pragma once

namespace vx {

// Fills the aim path from aimPath.pathStartX/Y towards shooter.aimTargetX/Y. Returns 1 when the
// shot comes to rest (a cell, an absorber, the ceiling line, or a block touched before it
// ran out), 0 when it leaves through the bottom or runs out of steps.
int ComputeAimPath();
// The same computation over the direct table scans; slow, kept as the measure of the other.
int ComputeAimPathReference();

struct BlockHit {
  int block = -1;  // 100 + index of the last block touched, or -1
  bool flipX = false;
  bool flipY = false;
};
// Which way a ball at (x, y) moving by (dx, dy) bounces off the blocks its shrunken box
// touches.
BlockHit BlockBounce(float x, float y, float dx, float dy, float shrinkPercent);

// The aura zone of a ball at (x, y) within radiusFactor half cell widths: 0 no aura on the
// field, 1 none near, 2 or 3 a deflector to the left or right, 4 an absorber, 5 a colour
// changer. The first aura in table order that is near decides.
int ObjectZoneAt(float x, float y, float radiusFactor);

}  // namespace vx
