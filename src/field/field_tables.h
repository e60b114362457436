// The play field's tables: cells standing in the grid, objects acting on the field, and
// blocks. Dense, in creation order; removal shifts later entries down.
#pragma once

namespace vx {

inline constexpr int kCellCapacity = 5000;
inline constexpr int kObjectCapacity = 5000;
inline constexpr int kBlockCapacity = 5000;

enum CellFlag : int {
  CELL_PLACED = 0x01,
  CELL_BOMB = 0x20,
  CELL_UNSUPPORTED = 0x40,
  CELL_BREAKING = 0x80,
};

struct FieldCells {
  float x[kCellCapacity];
  float y[kCellCapacity];
  int kind[kCellCapacity];
  int flags[kCellCapacity];
  float timer[kCellCapacity];
  int cellCount = 0;
};
extern FieldCells cells;

struct FieldObjects {
  int objectCount = 0;
};
extern FieldObjects objects;

struct FieldBlocks {
  int blockCount = 0;
};
extern FieldBlocks blocks;

struct FieldCounts {
  int remainingColourCells = 0;
  int clearedColourCells = 0;
};
extern FieldCounts fieldCounts;

}  // namespace vx
