// The aim path, recomputed every frame while the player aims: the direct table scans against
// the field index, over the same fields.
//   0  a full field of 20-unit cells down to y 700 (about 1770 cells), aimed at 60 degrees
//   1  5000 cells of 10 units down to y 500, aimed at 60 degrees
//   2  a sparse field: 150 scattered 50-unit cells, aimed at 30 degrees
//   3  a path bouncing between staggered blocks below a full top of 20-unit cells
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "field/aim_path.h"
#include "field/field_tables.h"
#include "field/shooter.h"

namespace {

using namespace vx;

void FillRows(int size, float lowest, int limit) {
  SetCellSize(size, size);
  for (int row = 0; row * size < lowest; ++row) {
    int shift = row % 2 != 0 ? size / 2 : 0;
    for (int x = shift; x + size <= 1024; x += size) {
      if (cells.cellCount >= limit) return;
      AppendCell(static_cast<float>(x), static_cast<float>(row * size), 1 + (x / size) % 9,
                 CELL_PLACED, 0.0f);
    }
  }
}

// The ball on the launcher turned to `degrees`, aimed along the launcher.
void AimAt(float degrees) {
  const FieldGeometry& g = geometry;
  float a = degrees * -0.0174533f;
  aimPath.pathStartX = g.launcherWidth / 2 + g.launcherLeft + 30 * std::sin(a) - g.cellWidthF / 2;
  aimPath.pathStartY =
      g.launcherHeight - g.launcherWidth / 2 + g.launcherTop + 30 * std::cos(a) - g.cellHeightF / 2;
  shooter.aimTargetX = aimPath.pathStartX - 50 * std::sin(a);
  shooter.aimTargetY = aimPath.pathStartY - 50 * std::cos(a);
}

void SetUpField(int which) {
  ResetFieldTables();
  switch (which) {
    case 0:
      FillRows(20, 700.0f, kCellCapacity);
      AimAt(60.0f);
      break;
    case 1:
      FillRows(10, 1024.0f, 5000);
      AimAt(60.0f);
      break;
    case 2: {
      SetCellSize(50, 50);
      std::srand(7);
      for (int i = 0; i < 150; ++i) {
        GridPlace p = SnapToGrid(std::rand() % 1000, std::rand() % 300);
        AppendCell(static_cast<float>(p.x), static_cast<float>(p.y), 1 + i % 9, CELL_PLACED, 0.0f);
      }
      AimAt(30.0f);
      break;
    }
    case 3:
      FillRows(20, 300.0f, kCellCapacity);
      for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 8; ++c)
          AppendBlock(static_cast<float>(c * 128 + (r % 2) * 64), 360.0f + r * 55.0f, 0);
      AimAt(-40.0f);
      break;
  }
}

// Runs `compute` over field `state.range(0)`, counting its cells and the path's points.
void RunAimPath(benchmark::State& state, int (*compute)()) {
  SetUpField(static_cast<int>(state.range(0)));
  int steps = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(compute());
    steps = aimPath.pathCount;
  }
  state.counters["cells"] = cells.cellCount;
  state.counters["points"] = steps;
}

void BM_AimPathReference(benchmark::State& state) {
  RunAimPath(state, ComputeAimPathReference);
}
BENCHMARK(BM_AimPathReference)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_AimPathIndexed(benchmark::State& state) {
  RunAimPath(state, ComputeAimPath);
}
BENCHMARK(BM_AimPathIndexed)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
