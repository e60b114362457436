#include "field/field_index.h"

#include <algorithm>
#include <cmath>

#include "field/box_probe.h"
#include "field/field_tables.h"

namespace vx {

namespace {

constexpr int kMaxGridSide = 128;
constexpr int kMaxBuckets = kMaxGridSide * kMaxGridSide;
constexpr int kMaxEntries = kCellCapacity > kBlockCapacity ? kCellCapacity : kBlockCapacity;

// Entries are filed in the bucket of their top-left corner. Buckets are wider and taller than
// an entry by at least one unit, so the entries whose box holds a point sit in the point's
// bucket or in the one before it on each axis. Positions beyond the grid file into its border
// buckets, which keeps that rule (the bucket number only ever grows with the position).
// Only the rows from the first to the last holding an entry are laid out: the field hangs from
// the ceiling, and much of what is asked (a shot on its way up) lies in rows with nothing.
struct UniformGrid {
  double perColumn = 1.0, perRow = 1.0;  // reciprocals of the bucket sizes
  int cols = 1, rows = 1;
  int entries = 0;
  int firstRow = 0, lastRow = -1;  // the rows holding entries; start[] is valid over them
  int start[kMaxBuckets + 1] = {};
  int items[kMaxEntries] = {};  // entry indices, ascending within each bucket
  int bucketOf[kMaxEntries] = {};

  // Bucket numbers only grow with the position (multiplying by a positive constant keeps
  // order), and a position beyond the grid files into its border bucket.
  static int Clamp(double t, int n) {
    if (!(t >= 0.0)) return 0;  // also NaN
    if (t >= n - 1) return n - 1;
    return static_cast<int>(t);
  }
  int Col(float x) const { return Clamp(static_cast<double>(x) * perColumn, cols); }
  int Row(float y) const { return Clamp(static_cast<double>(y) * perRow, rows); }

  template <typename Keep>
  void Build(const float* xs, const float* ys, int n, Keep keep) {
    const double minSide = 1024.0 / (kMaxGridSide - 2);
    double bucketW = static_cast<double>(geometry.cellWidthF) + 1.0;
    double bucketH = static_cast<double>(geometry.cellHeightF) + 1.0;
    if (!(bucketW >= minSide)) bucketW = minSide;
    if (!(bucketH >= minSide)) bucketH = minSide;
    perColumn = 1.0 / bucketW;
    perRow = 1.0 / bucketH;
    cols = std::min(kMaxGridSide, static_cast<int>(1024.0 / bucketW) + 2);
    rows = std::min(kMaxGridSide, static_cast<int>(1024.0 / bucketH) + 2);
    entries = 0;
    firstRow = rows;
    lastRow = -1;
    // Entries per bucket; all zero again once the slots below have been laid out.
    static int counts[kMaxBuckets];
    for (int i = 0; i < n; ++i) {
      if (!keep(i)) {
        bucketOf[i] = -1;
        continue;
      }
      const int row = Row(ys[i]);
      firstRow = std::min(firstRow, row);
      lastRow = std::max(lastRow, row);
      bucketOf[i] = row * cols + Col(xs[i]);
      ++counts[bucketOf[i]];
      ++entries;
    }
    if (entries == 0) return;
    // Each bucket's first slot, over the rows in use.
    static int fill[kMaxBuckets];
    const int first = firstRow * cols, end = (lastRow + 1) * cols;
    int sum = 0;
    for (int b = first; b < end; ++b) {
      start[b] = fill[b] = sum;
      sum += counts[b];
      counts[b] = 0;
    }
    start[end] = sum;
    for (int i = 0; i < n; ++i)
      if (bucketOf[i] >= 0) items[fill[bucketOf[i]]++] = i;
  }

  // Calls visit(index) for every entry filed where an entry holding a point of the area
  // [x0, x1] x [y0, y1] may be filed.
  template <typename Visit>
  void ForArea(float x0, float y0, float x1, float y1, Visit visit) const {
    if (entries == 0) return;
    const int ra = Row(y0), rb = Row(y1);
    const int r0 = std::max(firstRow, std::min(ra, rb) - 1),
              r1 = std::min(lastRow, std::max(ra, rb));
    if (r0 > r1) return;
    const int ca = Col(x0), cb = Col(x1);
    const int c0 = std::max(0, std::min(ca, cb) - 1), c1 = std::max(ca, cb);
    for (int r = r0; r <= r1; ++r) {
      const int first = start[r * cols + c0], last = start[r * cols + c1 + 1];
      for (int k = first; k < last; ++k) visit(items[k]);
    }
  }
};

struct FieldIndex {
  UniformGrid cellGrid;
  UniformGrid blockGrid;
  // Objects with a shot aura bit, in table order; filed in a grid as well when there are
  // many.
  int auras[kObjectCapacity] = {};
  int auraCount = 0;
  UniformGrid auraGrid;
  bool auraGridBuilt = false;
};
constexpr int kAuraGridFrom = 32;
FieldIndex fieldIndex;

// The cells for the link resolution's neighbour probes.
UniformGrid neighbourGrid;

// Cells, blocks and objects for the searches for a free place. Most searches end after a
// question or two, for which scanning the table is cheaper than filing it; a table asked more
// often than that in one search is filed in its grid.
constexpr int kScansBeforeGrid = 3;
struct SpotTable {
  UniformGrid grid;
  int asked = 0;  // questions in this search; the grid is built at the next after the scans
};
struct SpotIndex {
  SpotTable cells, blocks, objects;
};
SpotIndex spotIndex;

// The highest index filed in `grid` whose box at (xs[i], ys[i]) holds a corner of the box of
// a ball at (x, y) shrunk by shrinkPercent.
int HighestAtBox(const UniformGrid& grid, const float* xs, const float* ys, float x, float y,
                 float shrinkPercent) {
  ProbeBox b = ShrunkBox(x, y, shrinkPercent);
  int found = -1;
  grid.ForArea(b.left, b.top, b.right, b.bottom, [&](int i) {
    if (i > found && AnyCornerIn(xs[i], ys[i], b)) found = i;
  });
  return found;
}

bool BlockHoldsPoint(float x, float y) {
  bool held = false;
  fieldIndex.blockGrid.ForArea(x, y, x, y, [&](int i) {
    if (BoxHolds(blocks.x[i], blocks.y[i], x, y)) held = true;
  });
  return held;
}

}  // namespace

void BuildFieldIndex() {
  fieldIndex.cellGrid.Build(cells.x, cells.y, cells.cellCount, [](int) { return true; });
  fieldIndex.blockGrid.Build(blocks.x, blocks.y, blocks.blockCount,
                             [](int i) { return !BlockIgnored(i); });
  FieldIndex& f = fieldIndex;
  f.auraCount = 0;
  for (int i = 0; i < objects.objectCount; ++i)
    if (objects.flags[i] & kShotAuraFlags) f.auras[f.auraCount++] = i;
  f.auraGridBuilt = f.auraCount >= kAuraGridFrom;
  if (f.auraGridBuilt)
    f.auraGrid.Build(objects.x, objects.y, objects.objectCount,
                     [](int i) { return (objects.flags[i] & kShotAuraFlags) != 0; });
}

int IndexedCellAtBox(float x, float y, float shrinkPercent) {
  return HighestAtBox(fieldIndex.cellGrid, cells.x, cells.y, x, y, shrinkPercent);
}

int IndexedBlockAtBox(float x, float y, float shrinkPercent) {
  return HighestAtBox(fieldIndex.blockGrid, blocks.x, blocks.y, x, y, shrinkPercent);
}

bool IndexedCellStandsAt(float x, float y) {
  bool found = false;
  fieldIndex.cellGrid.ForArea(x, y, x, y, [&](int i) {
    if (cells.x[i] == x && cells.y[i] == y) found = true;
  });
  return found;
}

BlockHit IndexedBlockBounce(float x, float y, float dx, float dy, float shrinkPercent) {
  ProbeBox b = ShrunkBox(x, y, shrinkPercent);
  int corners = 0, last = -1;
  fieldIndex.blockGrid.ForArea(b.left, b.top, b.right, b.bottom, [&](int i) {
    int in = CornersIn(blocks.x[i], blocks.y[i], b);
    if (!in) return;
    corners |= in;
    last = std::max(last, i);
  });
  return ClassifyBounce(corners, last, b, dx, dy,
                        [](float px, float py) { return !BlockHoldsPoint(px, py); });
}

int IndexedObjectZoneAt(float x, float y, float radiusFactor) {
  if (fieldIndex.auraCount == 0) return 0;
  const float px = x + geometry.cellWidthF / 2, py = y + geometry.cellHeightF / 2;
  const float r = geometry.cellWidthF * 0.5f * radiusFactor;
  // An aura within r lies within r on each axis, give or take the rounding of the distance;
  // the margin covers that. The first near one in table order decides, as in the scan.
  const float m = std::fabs(r) + 1.0f + (std::fabs(px) + std::fabs(py) + std::fabs(r)) * 1e-5f;
  const FieldIndex& f = fieldIndex;
  if (!f.auraGridBuilt) {
    for (int k = 0; k < f.auraCount; ++k) {
      const int zone = AuraZone(f.auras[k], px, py, r);
      if (zone != 1) return zone;
    }
    return 1;
  }
  int first = -1;
  f.auraGrid.ForArea(px - m, py - m, px + m, py + m, [&](int i) {
    if ((first < 0 || i < first) && AuraZone(i, px, py, r) != 1) first = i;
  });
  return first < 0 ? 1 : AuraZone(first, px, py, r);
}

void BuildNeighbourIndex() {
  neighbourGrid.Build(cells.x, cells.y, cells.cellCount, [](int) { return true; });
}

int IndexedNeighbourOf(int n, int i, int skipMask) {
  if (i < 0 || i >= cells.cellCount) return -1;
  float px, py;
  if (!NeighbourProbe(n, cells.x[i], cells.y[i], &px, &py)) return -1;
  // The first in table order, as the scan answers.
  int found = -1;
  neighbourGrid.ForArea(px, py, px, py, [&](int j) {
    if (found >= 0 && j > found) return;
    if (!(cells.flags[j] & skipMask) && BoxHoldsStrictly(cells.x[j], cells.y[j], px, py)) found = j;
  });
  return found;
}

void BuildSpotIndex() {
  // Only the question counts: a grid is rebuilt in full before its first use in a search.
  spotIndex.cells.asked = 0;
  spotIndex.blocks.asked = 0;
  spotIndex.objects.asked = 0;
}

namespace {

// The answer of the table scan `scan`, or of the grid over the table once it has been asked
// often enough in this search.
template <typename Scan, typename Build>
int SpotAnswer(SpotTable& t, const float* xs, const float* ys, float x, float y, float shrink,
               Scan scan, Build build) {
  if (t.asked < kScansBeforeGrid) {
    ++t.asked;
    return scan(x, y, shrink);
  }
  if (t.asked == kScansBeforeGrid) {
    build(t.grid);
    ++t.asked;
  }
  return HighestAtBox(t.grid, xs, ys, x, y, shrink);
}

}  // namespace

int SpotCellAtBox(float x, float y, float shrinkPercent) {
  return SpotAnswer(
      spotIndex.cells, cells.x, cells.y, x, y, shrinkPercent, CellAtBox,
      [](UniformGrid& g) { g.Build(cells.x, cells.y, cells.cellCount, [](int) { return true; }); });
}

int SpotBlockAtBox(float x, float y, float shrinkPercent) {
  return SpotAnswer(
      spotIndex.blocks, blocks.x, blocks.y, x, y, shrinkPercent, BlockAtBox, [](UniformGrid& g) {
        g.Build(blocks.x, blocks.y, blocks.blockCount, [](int i) { return !BlockIgnored(i); });
      });
}

int SpotObjectAtBox(float x, float y, float shrinkPercent) {
  return SpotAnswer(spotIndex.objects, objects.x, objects.y, x, y, shrinkPercent, ObjectAtBox,
                    [](UniformGrid& g) {
                      g.Build(objects.x, objects.y, objects.objectCount, [](int) { return true; });
                    });
}

}  // namespace vx
