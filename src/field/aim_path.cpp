#include "field/aim_path.h"

#include <algorithm>
#include <cmath>

#include "field/box_probe.h"
#include "field/field_index.h"
#include "field/field_tables.h"
#include "field/shooter.h"

namespace vx {

namespace {

// The three questions the path asks of the field, answered by scanning the tables.
struct ScanQueries {
  static int Cell(float x, float y, float s) { return CellAtBox(x, y, s); }
  static int Zone(float x, float y, float k) { return ObjectZoneAt(x, y, k); }
  static BlockHit Bounce(float x, float y, float dx, float dy, float s) {
    return BlockBounce(x, y, dx, dy, s);
  }
};

// The same questions answered through the field index.
struct IndexedQueries {
  static int Cell(float x, float y, float s) { return IndexedCellAtBox(x, y, s); }
  static int Zone(float x, float y, float k) { return IndexedObjectZoneAt(x, y, k); }
  static BlockHit Bounce(float x, float y, float dx, float dy, float s) {
    return IndexedBlockBounce(x, y, dx, dy, s);
  }
};

template <typename Q>
int TracePath() {
  AimPath& p = aimPath;
  const FieldGeometry& g = geometry;

  // Step vector with its larger component of length 1.
  float dx = shooter.aimTargetX - p.pathStartX;
  float dy = shooter.aimTargetY - p.pathStartY;
  float longer = std::max(std::fabs(dx), std::fabs(dy));
  if (longer > 0.0f) {
    dx /= longer;
    dy /= longer;
  }
  const float rightWall = 1024.0f - 0.9f * g.cellWidthF;
  const float leftWall = -0.1f * g.cellWidthF;
  const float bottomEdge = 1024.0f - 0.9f * g.cellHeightF;

  float x = p.pathStartX, y = p.pathStartY;
  p.pathCount = 0;
  p.pathFlags = 0;
  int steps = 0;
  float angle = 0.785398f;  // deflection per deflector step
  float contactX = -1.0f, contactY = -1.0f;
  int contactCount = -1;
  bool touched = false;   // a cell touched or the shot absorbed
  bool cellHit = false;   // a cell touched
  bool finished = false;  // bottom, ceiling line or step limit

  // With no aura on the field the object probe is skipped for the whole path.
  int zone = Q::Zone(0.0f, 0.0f, 0.0f);

  while (!touched && !finished) {
    int f = 0;
    int c = Q::Cell(x, y, 50.0f);
    if (c >= 0) {
      p.hitCell = c;
      touched = cellHit = true;
    }
    if (zone > 0) {
      zone = Q::Zone(x, y, 3.0f);
      if (zone == 2 || zone == 3) {
        if (zone == 2) angle = -angle;
        float ca = std::cos(angle), sa = std::sin(angle);
        float ndx = dx * ca + dy * sa;
        float ndy = -dx * sa + dy * ca;
        dx = ndx;
        dy = ndy;
      } else if (zone == 4) {
        // Swallowed: the ball never reaches a cell it touches on this same step.
        touched = true;
        cellHit = false;
        f |= PATH_ABSORBED;
      } else if (zone == 5) {
        f |= PATH_RECOLOUR;
      }
    }
    BlockHit hit = Q::Bounce(x, y, dx, dy, 30.0f);
    if (hit.flipX) dx = -dx;
    if (hit.flipY) dy = -dy;
    if (dy > 0.0f && y >= bottomEdge) finished = true;
    if (x >= rightWall || x <= leftWall) {
      dx = -dx;
      f |= PATH_BOUNCE;
    }
    bool ceiling = false;
    if (y <= g.ceilingLine) finished = ceiling = true;
    if (hit.block >= 0 || ceiling) {
      contactX = x;
      contactY = y;
      contactCount = p.pathCount;
      f |= PATH_BOUNCE;
    }
    if (p.pathCount < kPathCapacity) {
      p.x[p.pathCount] = x;
      p.y[p.pathCount] = y;
      p.flags[p.pathCount] = f;
      ++p.pathCount;
    }
    x += dx;
    y += dy;
    if (++steps >= kPathStepLimit) finished = true;
    p.pathFlags |= f;
  }

  p.pathEndDX = dx;
  p.pathEndDY = dy;
  p.pathEndX = x;
  p.pathEndY = y;
  p.endedOnCell = false;
  if (finished) {
    if (contactCount > 0) {
      // Comes to rest at the last block contact or on the ceiling line.
      p.pathCount = contactCount;
      p.pathEndX = contactX;
      p.pathEndY = contactY;
      return 1;
    }
    return 0;
  }
  p.endedOnCell = cellHit;
  return 1;
}

}  // namespace

int ComputeAimPath() {
  BuildFieldIndex();
  return TracePath<IndexedQueries>();
}

int ComputeAimPathReference() {
  return TracePath<ScanQueries>();
}

BlockHit BlockBounce(float x, float y, float dx, float dy, float shrinkPercent) {
  ProbeBox b = ShrunkBox(x, y, shrinkPercent);
  int corners = 0, last = -1;
  for (int i = 0; i < blocks.blockCount; ++i) {
    if (BlockIgnored(i)) continue;
    int in = CornersIn(blocks.x[i], blocks.y[i], b);
    if (!in) continue;
    corners |= in;
    last = i;
  }
  return ClassifyBounce(corners, last, b, dx, dy,
                        [](float qx, float qy) { return BlockAtPoint(qx, qy) < 0; });
}

int ObjectZoneAt(float x, float y, float radiusFactor) {
  float px = x + geometry.cellWidthF / 2, py = y + geometry.cellHeightF / 2;
  float r = geometry.cellWidthF * 0.5f * radiusFactor;
  int result = 0;
  for (int i = 0; i < objects.objectCount && result <= 1; ++i)
    if (objects.flags[i] & kShotAuraFlags) result = AuraZone(i, px, py, r);
  return result;
}

}  // namespace vx
