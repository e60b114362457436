#include <gtest/gtest.h>

#include <vector>

#include "app/dispatcher.h"
#include "core/app_values.h"
#include "core/game_state.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/pusher.h"
#include "objects_fixture.h"
#include "persist/stage_files.h"

namespace vx::test {
namespace {

class PlayFrameTest : public ObjectsTest {
 protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    app.startupDone = true;
    flow.lastCellCount = cells.cellCount;
    // A cleared stage records its time; no file is written here.
    stateHandlers.recordStageTime = [](int, bool, int) {};
  }
  // Draws of the danger strip's rectangle in the last frame.
  int StripsDrawn() {
    int n = 0;
    for (const auto& d : Drawn()) n += d.left == 460 && d.top == 60 && d.right == 510;
    return n;
  }
};

TEST_F(PlayFrameTest, TheOverflowLastsAsLongAsSomethingIsNearTheBottom) {
  PlaceCell(0, 0, 2);  // the stage goes on
  const int low = AppendCell(300.0f, 900.0f, 22, CELL_PLACED, 10000.0f);
  for (int frame = 0; frame < 3; ++frame) {
    Drawn().clear();
    DispatchGameState();
    EXPECT_TRUE(fieldCounts.fieldOverflow) << frame;
    EXPECT_EQ(StripsDrawn(), 1) << frame;
  }
  RemoveCell(low);
  Drawn().clear();
  DispatchGameState();
  EXPECT_FALSE(fieldCounts.fieldOverflow);
  EXPECT_EQ(StripsDrawn(), 0);
  // Outside play nothing raises it again.
  fieldCounts.fieldOverflow = true;
  flow.gameState = 12;
  DispatchGameState();
  EXPECT_FALSE(fieldCounts.fieldOverflow);
}

TEST_F(PlayFrameTest, AShotStopsAtThePushedCeiling) {
  stageFiles.pushInterval = 10.0f;
  frameClock.frameStep = 5.0f;
  for (int push = 0; push < 3; ++push) Pusher();
  ASSERT_EQ(geometry.ceilingLine, 30.0f);
  ASSERT_EQ(geometry.ceilingOffset, 30.0f);

  // Straight up over an empty field: the ball flies to the pusher's bottom edge, not into it,
  // and settles in the first row below it.
  shooter.shotColour = 4;
  frameClock.frameStep = 20.0f;
  flow.clickThisFrame = true;
  UpdateShooter();
  flow.clickThisFrame = false;
  ASSERT_EQ(shooter.pathResult, 1);
  for (int k = 0; k < aimPath.pathCount; ++k) ASSERT_GT(aimPath.y[k], 29.0f) << k;
  EXPECT_GT(aimPath.pathEndY, 29.0f);
  for (int frame = 0; frame < 20 && shooter.shotActive; ++frame) UpdateShooter();
  ASSERT_EQ(cells.cellCount, 1);
  EXPECT_EQ(cells.y[0], 30.0f);
}

TEST_F(PlayFrameTest, TheBombsFallStopsWhenPlayEnds) {
  AppendObject(300.0f, 100.0f, -1, OBJECT_BOMB, 0.0f);
  PlaceCell(0, 0, 2);
  DispatchGameState();
  ASSERT_TRUE(rig_->sound.playing[sfx.bombFall]);
  // The last colour ball goes: the stage is cleared with the bomb still in the air.
  cells.cellCount = 0;
  DispatchGameState();
  ASSERT_EQ(flow.gameState, StageClear);
  EXPECT_FALSE(rig_->sound.playing[sfx.bombFall]);
}

}  // namespace
}  // namespace vx::test
