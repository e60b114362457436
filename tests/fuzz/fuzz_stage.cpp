// Fuzzes the stage file parser: any bytes as stage file 1 are loaded and counted without
// writing past the tables, and whatever was loaded survives saving and loading again.
#include <cmath>
#include <cstdint>

#include "core/game_state.h"
#include "field/field_tables.h"
#include "fuzz_files.h"
#include "persist/stage_files.h"

namespace {

struct Snapshot {
  int cellCount, blockCount, cellWidth, cellHeight, colourCount;
};

Snapshot Take() {
  return {vx::cells.cellCount, vx::blocks.blockCount, vx::geometry.cellWidth,
          vx::geometry.cellHeight, vx::geometry.colourCount};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vx::fuzz::UseMemoryFiles();
  vx::flow = vx::GameFlow{};
  vx::stageFiles = vx::StageFileState{};
  vx::fuzz::WriteBytes("edit\\stage1.txt", data, size);
  const int loaded = vx::LoadStage(1, false);
  if (loaded != vx::cells.cellCount || loaded > vx::kCellCapacity) __builtin_trap();
  if (vx::blocks.blockCount > vx::kBlockCapacity) __builtin_trap();
  const Snapshot first = Take();
  const bool toTitle = vx::flow.gameState == vx::Title;

  // Counting reads the same entries without the tables' limit.
  const int counted = vx::CountStageCells(1);
  if (!toTitle && (counted < loaded || (counted < vx::kCellCapacity && counted != loaded)))
    __builtin_trap();

  // What was loaded is written and read back: the same tables (a first field's sign is the
  // one thing the syntax drops).
  vx::geometry.cellWidth = first.cellWidth;
  vx::geometry.cellHeight = first.cellHeight;
  vx::geometry.colourCount = first.colourCount;
  vx::SaveStage(2);
  float y0 = loaded > 0 ? vx::cells.y[0] : 0.0f;
  int kind0 = loaded > 0 ? vx::cells.kind[0] : 0;
  float x0 = loaded > 0 ? vx::cells.x[0] : 0.0f;
  if (vx::LoadStage(2, false) != loaded) __builtin_trap();
  const Snapshot second = Take();
  if (second.cellCount != first.cellCount || second.blockCount != first.blockCount ||
      second.cellWidth != first.cellWidth || second.cellHeight != first.cellHeight ||
      second.colourCount != first.colourCount)
    __builtin_trap();
  if (loaded > 0 &&
      (vx::cells.y[0] != y0 || vx::cells.kind[0] != kind0 || vx::cells.x[0] != std::fabs(x0)))
    __builtin_trap();
  return 0;
}
