// A small field to test against: headless backends, every module reset, 50-unit cells.
#pragma once
#include <gtest/gtest.h>

#include "app/frame_clock.h"
#include "app/game_state.h"
#include "app/input.h"
#include "app/random.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/pusher.h"
#include "test_support.h"

namespace vx::test {

class FieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &InstallHeadless();
    KeyboardSetup();
    ResetFieldTables();
    shooter = ShooterState{};
    invasion = InvasionState{};
    SetCellSize(50, 50);
    flow.gameState = Play;
    flow.previousState = Play;
  }
  void TearDown() override { randomSource = RandomSource{}; }

  HeadlessRig* rig_ = nullptr;

  // A cell at grid column `col` of grid row `row` (odd rows shifted by half a cell).
  static int PlaceCell(int col, int row, int kind, int flags = CELL_PLACED) {
    const int w = geometry.cellWidth, h = geometry.cellHeight;
    float x = static_cast<float>(col * w + (row % 2 != 0 ? w / 2 : 0));
    float y = static_cast<float>(row * h) + geometry.ceilingOffset;
    return AppendCell(x, y, kind, flags, 0.0f);
  }
  static int FindCellAt(float x, float y) {
    for (int i = 0; i < cells.cellCount; ++i)
      if (cells.x[i] == x && cells.y[i] == y) return i;
    return -1;
  }
};

// A scripted random source: hands out the given values in turn, then repeats the last.
struct ScriptedRandom {
  static inline int values[64] = {};
  static inline int count = 0;
  static inline int next = 0;
  static int Next() {
    int v = values[next < count ? next : count - 1];
    if (next < count) ++next;
    return v;
  }
  static void Install(std::initializer_list<int> script) {
    count = 0;
    next = 0;
    for (int v : script) values[count++] = v;
    randomSource.next = &Next;
  }
};

}  // namespace vx::test
