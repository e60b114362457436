#include <gtest/gtest.h>

#include <vector>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "draw/sprite.h"
#include "field/bonuses.h"
#include "field/field_tables.h"
#include "field/next_ball_queue.h"
#include "field_fixture.h"
#include "storage/texture.h"

namespace vx::test {
namespace {

class QueueTest : public FieldTest {
 protected:
  // `count` cells of `kind` in full rows from the top.
  static void FillCells(int count, int kind) {
    for (int i = 0; i < count; ++i) PlaceCell(i % 20, i / 20, kind);
  }
};

TEST_F(QueueTest, EverySixthChoiceIsRandomWhileManyColourCellsAreLeft) {
  // Every cell is colour 4 and every random number 0: a smart choice picks 4, a plain random
  // one gives 1.
  FillCells(30, 4);
  fieldCounts.remainingColourCells = 30;
  ScriptedRandom::Install({0});
  std::vector<int> got;
  for (int k = 0; k < 12; ++k) got.push_back(ChooseColour());
  EXPECT_EQ(got, (std::vector<int>{1, 4, 4, 4, 4, 4, 1, 4, 4, 4, 4, 4}));
}

TEST_F(QueueTest, BelowTenColourCellsEveryChoiceIsSmart) {
  FillCells(9, 4);
  fieldCounts.remainingColourCells = 9;
  ScriptedRandom::Install({0});
  for (int k = 0; k < 8; ++k) EXPECT_EQ(ChooseColour(), 4) << k;
}

TEST_F(QueueTest, TwoQueuedBallsOfTheOnlyColourForceAnother) {
  FillCells(3, 5);
  fieldCounts.remainingColourCells = 3;
  queue.colour[0] = 5;
  queue.colour[3] = 5;
  for (int k = 0; k < 5; ++k) {
    int c = ChooseColour();
    EXPECT_NE(c, 5);
    EXPECT_TRUE(IsColourKind(c)) << c;
  }
  // With one queued ball of it the colour is still taken.
  queue.colour[3] = 0;
  EXPECT_EQ(ChooseColour(), 5);
  // The last cell decides alone, whatever the queue holds.
  cells.cellCount = 1;
  queue.colour[3] = 5;
  EXPECT_EQ(ChooseColour(), 5);
}

TEST_F(QueueTest, ColoursComeFromTheLowestThreeRowsWhenTheyHoldAny) {
  struct Case {
    int rowKinds[4];  // from the top
    int expected;
  };
  const Case cases[] = {
      {{7, 8, 22, 22}, 8},   // the third row from the bottom is part of the span
      {{7, 22, 22, 22}, 7},  // only specials low down: taken from the rows above
      {{22, 22, 8, 22}, 8},
  };
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    // Appended bottom row first, so the chooser's sort has work to do.
    for (int row = 3; row >= 0; --row)
      for (int col = 0; col < 6; ++col) PlaceCell(col, row, c.rowKinds[row]);
    fieldCounts.remainingColourCells = 20;
    queue.smartBudget = 3;
    EXPECT_EQ(ChooseColour(), c.expected) << c.rowKinds[0] << c.rowKinds[1];
    EXPECT_EQ(queue.smartBudget, 2);
    // The table is left sorted by y.
    for (int i = 1; i < cells.cellCount; ++i) EXPECT_LE(cells.y[i - 1], cells.y[i]);
  }
}

TEST_F(QueueTest, TheQueueRefillsOnTheSecondPlayingFrameAndShiftsAfterALanding) {
  FillCells(9, 6);
  fieldCounts.remainingColourCells = 9;
  flow.previousState = StageInfo;
  EXPECT_EQ(NextShotColour(), 0);
  EXPECT_TRUE(queue.queueRefill);
  flow.previousState = Play;
  EXPECT_EQ(NextShotColour(), 6);
  EXPECT_FALSE(queue.queueRefill);
  // The only colour fills two entries; the rest must be others.
  EXPECT_EQ(queue.colour[1], 6);
  for (int e = 2; e < 5; ++e) EXPECT_NE(queue.colour[e], 6) << e;
  // 25-unit pitch from x 281: nine entries fit before the surface's edge.
  EXPECT_EQ(queue.queueVisible, 9);

  bonuses.laserBonus = 1;
  EXPECT_EQ(NextShotColour(), KIND_LASER_GIFT);
  bonuses.laserBonus = 0;

  // A shot slides the row left by about one pitch and holds it there.
  frameClock.frameStep = 100.0f;
  queue.queueState = QUEUE_SLIDE;
  UpdateQueue();
  EXPECT_FLOAT_EQ(queue.queueScroll, -20.0f);
  EXPECT_EQ(queue.queueState, QUEUE_SLIDE);
  UpdateQueue();
  EXPECT_EQ(queue.queueState, QUEUE_IDLE);
  // The landing shifts it; the new last ball drops in and its roll runs down.
  for (int e = 0; e < 5; ++e) queue.colour[e] = e + 1;
  queue.queueState = QUEUE_SHIFT;
  UpdateQueue();
  EXPECT_EQ(queue.queueScroll, 0.0f);
  EXPECT_EQ(queue.colour[0], 2);
  EXPECT_EQ(queue.colour[3], 5);
  EXPECT_EQ(queue.colour[4], 6);
  EXPECT_FLOAT_EQ(queue.roll[4], 3600.0f - 150.0f);
  frameClock.frameStep = 20.0f;
  for (int frame = 0; frame < 200; ++frame) UpdateQueue();
  EXPECT_EQ(queue.roll[4], 0.0f);
}

TEST_F(QueueTest, DrawCellTakesEachKindFromItsSheet) {
  Texture balls{11, 250, 200, 1}, characters{22, 512, 512, 1}, gems0{33, 500, 500, 1},
      gems1{44, 500, 500, 1};
  cellImages.stageBalls = &balls;
  sprites.sheets[kCharacterSheet] = &characters;
  sprites.sheets[2] = &gems0;
  sprites.sheets[3] = &gems1;
  struct Case {
    int kind;
    int sheet;
    unsigned texture;  // 0: nothing drawn
    float left, top;
  };
  const Case cases[] = {
      {1, 0, 11, 0, 0},      {7, 0, 11, 50, 50},    {301, 0, 11, 0, 100},  {309, 0, 11, 150, 150},
      {0, 0, 22, 130, 260},  {22, 0, 22, 180, 410}, {13, 0, 0, 0, 0},      {-3, 0, 0, 0, 0},
      {215, 0, 33, 250, 50}, {215, 1, 44, 250, 50}, {215, 2, 44, 250, 50}, {150, 0, 0, 0, 0},
      {310, 0, 0, 0, 0},
  };
  auto& drawn = rig_->gpu.sprites;
  for (const Case& c : cases) {
    drawn.clear();
    DrawCell(100.0f, 60.0f, c.kind, 50.0f, c.sheet, 1.0f, 2.0f);
    if (c.texture == 0) {
      EXPECT_TRUE(drawn.empty()) << c.kind;
      continue;
    }
    ASSERT_EQ(drawn.size(), 1u) << c.kind;
    const auto& s = drawn[0];
    EXPECT_EQ(s.texture, c.texture) << c.kind;
    EXPECT_EQ(s.left, c.left) << c.kind;
    EXPECT_EQ(s.top, c.top) << c.kind;
    EXPECT_EQ(s.right, c.left + 50) << c.kind;
    EXPECT_EQ(s.bottom, c.top + 50) << c.kind;
    EXPECT_FLOAT_EQ(s.x, 50.0f);
    EXPECT_FLOAT_EQ(s.y, 30.0f);
    EXPECT_FLOAT_EQ(s.scaleX, 0.5f);  // 50-unit cells: screen scale only
    EXPECT_FLOAT_EQ(s.scaleY, 1.0f);
    EXPECT_EQ(s.colour, 0x7FFFFFFFu);
  }
  // Without the stage's ball picture, colour balls and their twinkles are not drawn.
  cellImages.stageBalls = nullptr;
  drawn.clear();
  DrawCell(0, 0, 3, 100, 0, 1, 1);
  DrawCell(0, 0, 303, 100, 0, 1, 1);
  EXPECT_TRUE(drawn.empty());
}

}  // namespace
}  // namespace vx::test
