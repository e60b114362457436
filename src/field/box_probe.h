// The box arithmetic shared by the scanning box tests and the field index, kept in one place
// so both compute exactly the same float values and so give exactly the same answers.
#pragma once
#include <cmath>

#include "field/aim_path.h"
#include "field/field_tables.h"

namespace vx {

// Whether the point lies in the cell-sized box at (ex, ey): left and top edges inclusive,
// right and bottom exclusive.
inline bool BoxHolds(float ex, float ey, float px, float py) {
  return px >= ex && px < ex + geometry.cellWidthF && py >= ey && py < ey + geometry.cellHeightF;
}

// The probe point of neighbour n (1 upper left .. 6 left) of a cell at (x, y); false for any
// other n.
inline bool NeighbourProbe(int n, float x, float y, float* px, float* py) {
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  switch (n) {
    case 1:
      *px = x, *py = y - h / 2;
      return true;
    case 2:
      *px = x + w, *py = y - h / 2;
      return true;
    case 3:
      *px = x + 1.5f * w, *py = y + h / 2;
      return true;
    case 4:
      *px = x + w, *py = y + 1.5f * h;
      return true;
    case 5:
      *px = x, *py = y + 1.5f * h;
      return true;
    case 6:
      *px = x - w / 2, *py = y + h / 2;
      return true;
    default:
      return false;
  }
}

// Whether the point lies strictly inside the cell-sized box at (ex, ey), all edges exclusive.
inline bool BoxHoldsStrictly(float ex, float ey, float px, float py) {
  return px > ex && px < ex + geometry.cellWidthF && py > ey && py < ey + geometry.cellHeightF;
}

// The box of a ball at (x, y) shrunk by shrinkPercent of the cell size, half on each side.
struct ProbeBox {
  float left, top, right, bottom;
};

inline ProbeBox ShrunkBox(float x, float y, float shrinkPercent) {
  float mx = shrinkPercent * (geometry.cellWidthF / 100.0f) / 2.0f;
  float my = shrinkPercent * (geometry.cellHeightF / 100.0f) / 2.0f;
  return {x + mx, y + my, x + geometry.cellWidthF - mx, y + geometry.cellHeightF - my};
}

// Corner bits of a probe box, in the order the block bounce examines them.
enum ProbeCorner : int { CORNER_TL = 1, CORNER_BL = 2, CORNER_TR = 4, CORNER_BR = 8 };

// The corners of the probe box that lie in the entry box at (ex, ey), as ProbeCorner bits.
inline int CornersIn(float ex, float ey, const ProbeBox& b) {
  return (BoxHolds(ex, ey, b.left, b.top) ? CORNER_TL : 0) |
         (BoxHolds(ex, ey, b.left, b.bottom) ? CORNER_BL : 0) |
         (BoxHolds(ex, ey, b.right, b.top) ? CORNER_TR : 0) |
         (BoxHolds(ex, ey, b.right, b.bottom) ? CORNER_BR : 0);
}

// Whether any corner of probe box b lies in the entry box at (ex, ey): CornersIn(...) != 0,
// taken apart by axis (a corner lies in the box when its x and its y both do).
inline bool AnyCornerIn(float ex, float ey, const ProbeBox& b) {
  const float right = ex + geometry.cellWidthF, bottom = ey + geometry.cellHeightF;
  const bool x = (b.left >= ex && b.left < right) || (b.right >= ex && b.right < right);
  const bool y = (b.top >= ey && b.top < bottom) || (b.bottom >= ey && b.bottom < bottom);
  return x && y;
}

// The zone an aura object i gives a ball centred at (px, py) with probe radius r: 1 when it is
// too far, 4 an absorber, 2 or 3 a deflector (ball right or left of it), 5 a colour changer.
inline int AuraZone(int i, float px, float py, float r) {
  float ox = px - objects.x[i], oy = py - objects.y[i];
  if (!(std::sqrt(ox * ox + oy * oy) <= r)) return 1;
  int f = objects.flags[i];
  if (f & OBJECT_ABSORBER) return 4;
  if (f & OBJECT_DEFLECTOR) return ox >= 0 ? 2 : 3;
  if (f & OBJECT_COLOUR_CHANGER) return 5;
  return 1;
}

// Turns the corners of probe box b found inside blocks (ProbeCorner bits) into the flips of a
// ball moving by (dx, dy); lastBlock is the highest block index touched, or -1. A single corner
// inside is decided by the mirrored next positions; pointFree answers whether a point lies in
// no block.
template <typename PointFree>
BlockHit ClassifyBounce(int corners, int lastBlock, const ProbeBox& b, float dx, float dy,
                        PointFree pointFree) {
  BlockHit hit;
  hit.block = lastBlock >= 0 ? 100 + lastBlock : -1;
  constexpr int TL = CORNER_TL, BL = CORNER_BL, TR = CORNER_TR, BR = CORNER_BR;
  hit.flipX = corners == (TR | BR) || corners == (TL | BL);
  hit.flipY = corners == (TL | TR) || corners == (BL | BR);
  if ((corners & (TL | BR)) == (TL | BR) || (corners & (TR | BL)) == (TR | BL)) {
    hit.flipX = hit.flipY = true;
  }
  if (corners == TL || corners == BL || corners == TR || corners == BR) {
    const float cx = (corners & (TR | BR)) ? b.right : b.left;
    const float cy = (corners & (BL | BR)) ? b.bottom : b.top;
    hit.flipX = pointFree(cx - dx, cy + dy);
    hit.flipY = pointFree(cx + dx, cy - dy);
  }
  return hit;
}

}  // namespace vx
