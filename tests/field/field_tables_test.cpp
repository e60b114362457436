#include <gtest/gtest.h>

#include <random>

#include "field/field_index.h"
#include "field/field_tables.h"
#include "field_fixture.h"

namespace vx::test {
namespace {

using FieldTablesTest = FieldTest;

TEST_F(FieldTablesTest, SnapToGridFindsTheCellHoldingAPoint) {
  struct Case {
    int x, y;
    float ceilingOffset;
    int sx, sy;
  };
  const Case cases[] = {
      {10, 10, 0, 0, 0},    // row 0, unshifted
      {74, 49, 0, 50, 0},   // still row 0
      {74, 50, 0, 25, 50},  // row 1 is shifted by half a cell
      {80, 60, 0, 75, 50},
      {10, 60, 0, 25, 50},   // left of the half cell on an odd row: its column 0
      {10, 110, 0, 0, 100},  // row 2 unshifted again
      {10, 55, 10, 0, 10},   // rows count from the ceiling offset
      {10, 60, 10, 25, 60},  // ... and so does their shift
      {990, 90, 0, 975, 50}  // the last column of an odd row
  };
  for (const Case& c : cases) {
    geometry.ceilingOffset = c.ceilingOffset;
    GridPlace p = SnapToGrid(c.x, c.y);
    EXPECT_EQ(p.x, c.sx) << c.x << "," << c.y << " offset " << c.ceilingOffset;
    EXPECT_EQ(p.y, c.sy) << c.x << "," << c.y << " offset " << c.ceilingOffset;
  }
}

TEST_F(FieldTablesTest, NeighboursAreTheSixCellsAroundAndHonourTheSkipMask) {
  for (int centreRow : {2, 3}) {  // an unshifted and a shifted row
    ResetFieldTables();
    SetCellSize(50, 50);
    const bool odd = centreRow % 2 != 0;
    // Neighbour n (1 upper left .. 6 left) as (column, row) around the centre at column 4,
    // appended out of order so that index order cannot stand in for direction.
    const int places[6][2] = {
        {odd ? 4 : 3, centreRow - 1}, {odd ? 5 : 4, centreRow - 1}, {5, centreRow},
        {odd ? 5 : 4, centreRow + 1}, {odd ? 4 : 3, centreRow + 1}, {3, centreRow}};
    int index[7] = {};
    for (int n : {4, 1, 6, 3, 5, 2}) index[n] = PlaceCell(places[n - 1][0], places[n - 1][1], n);
    PlaceCell(8, 8, 9);  // far away
    int centre = PlaceCell(4, centreRow, 7);
    for (int n = 1; n <= 6; ++n) EXPECT_EQ(NeighbourOf(n, centre, 0), index[n]) << "n " << n;
    EXPECT_EQ(NeighbourOf(0, centre, 0), -1);
    EXPECT_EQ(NeighbourOf(7, centre, 0), -1);

    // A skipped neighbour is not found; a second cell on the same place after it is.
    cells.flags[index[3]] |= CELL_BREAKING;
    EXPECT_EQ(NeighbourOf(3, centre, CELL_BREAKING), -1);
    EXPECT_EQ(NeighbourOf(3, centre, CELL_UNSUPPORTED), index[3]);
    int twin = AppendCell(cells.x[index[3]], cells.y[index[3]], 2, CELL_PLACED, 0.0f);
    EXPECT_EQ(NeighbourOf(3, centre, CELL_BREAKING), twin);
  }
}

TEST_F(FieldTablesTest, BoxTestsAnswerTheHighestMatchingIndex) {
  // Three overlapping entries and one apart; the probe of a ball at (105, 105) shrunk by 50
  // spans 117.5..142.5 both ways.
  const float at[4][2] = {{100, 100}, {110, 100}, {120, 110}, {400, 100}};
  for (const auto& p : at) {
    AppendCell(p[0], p[1], 1, CELL_PLACED, 0.0f);
    AppendObject(p[0], p[1], 1, OBJECT_HIT_FLASH, 0.0f);
    AppendBlock(p[0], p[1], 0);
  }
  EXPECT_EQ(CellAtBox(105, 105, 50), 2);
  EXPECT_EQ(ObjectAtBox(105, 105, 50), 2);
  EXPECT_EQ(BlockAtBox(105, 105, 50), 2);
  EXPECT_EQ(BlockAtPoint(125, 125), 2);
  // Left and top edges belong to a box, right and bottom ones do not.
  EXPECT_EQ(BlockAtPoint(400, 100), 3);
  EXPECT_EQ(BlockAtPoint(450, 120), -1);
  EXPECT_EQ(BlockAtPoint(420, 150), -1);
  EXPECT_EQ(CellAtBox(300, 300, 50), -1);
  // Shrinking by 100 leaves one point, the ball's centre.
  EXPECT_EQ(CellAtBox(380, 80, 100), 3);
  EXPECT_EQ(CellAtBox(374, 80, 100), -1);
}

TEST_F(FieldTablesTest, BlockTestsIgnoreBlocksReachingTheBlockLimit) {
  // blockLimit is the launcher top, 768: a block whose bottom edge reaches it is ignored.
  struct Case {
    float y;
    bool seen;
  };
  const Case cases[] = {{717.0f, true}, {717.9f, true}, {718.0f, false}, {760.0f, false}};
  for (const Case& c : cases) {
    blocks.blockCount = 0;
    AppendBlock(100.0f, c.y, 0);
    EXPECT_EQ(BlockAtPoint(110.0f, c.y + 1.0f) >= 0, c.seen) << c.y;
    EXPECT_EQ(BlockAtBox(100.0f, c.y, 30.0f) >= 0, c.seen) << c.y;
  }
  // An ignored block later in the table does not hide an earlier one.
  blocks.blockCount = 0;
  AppendBlock(100.0f, 700.0f, 0);
  AppendBlock(100.0f, 720.0f, 0);
  EXPECT_EQ(BlockAtPoint(110.0f, 730.0f), 0);
}

TEST_F(FieldTablesTest, DetachCellsTurnsMarkedCellsIntoPoppingAndFallingBalls) {
  EXPECT_EQ(DetachCells(CELL_BREAKING | CELL_UNSUPPORTED), 0);
  EXPECT_EQ(objects.objectCount, 0);

  PlaceCell(0, 0, 3, CELL_PLACED | CELL_BREAKING);
  PlaceCell(1, 0, 22, CELL_PLACED);                    // stays
  PlaceCell(2, 0, 5, CELL_PLACED | CELL_UNSUPPORTED);  // falls
  PlaceCell(3, 0, 4, CELL_PLACED | CELL_BREAKING | CELL_UNSUPPORTED);
  PlaceCell(4, 0, 6, CELL_PLACED);  // stays
  fieldCounts.remainingColourCells = 4;
  ScriptedRandom::Install({0, 799, 1});
  EXPECT_EQ(DetachCells(CELL_BREAKING | CELL_UNSUPPORTED), 3);

  ASSERT_EQ(cells.cellCount, 2);
  EXPECT_EQ(cells.kind[0], 22);
  EXPECT_EQ(cells.kind[1], 6);
  EXPECT_EQ(fieldCounts.clearedColourCells, 3);
  EXPECT_EQ(fieldCounts.remainingColourCells, 1);

  ASSERT_EQ(objects.objectCount, 3);
  // Popping: negated kind, a wobble of 8 or 9 by the random bit.
  EXPECT_EQ(objects.flags[0], OBJECT_POPPING);
  EXPECT_EQ(objects.code[0], -3);
  EXPECT_EQ(objects.timer[0], 8.0f);
  // Falling: the kind, a fall speed from a random 0..799.
  EXPECT_EQ(objects.flags[1], OBJECT_FALLING);
  EXPECT_EQ(objects.code[1], 5);
  EXPECT_FLOAT_EQ(objects.timer[1], (799.0f / 1850.0f + 0.05f) * 10.0f);
  EXPECT_EQ(objects.x[1], 100.0f);
  // Breaking wins over unsupported.
  EXPECT_EQ(objects.flags[2], OBJECT_POPPING);
  EXPECT_EQ(objects.code[2], -4);
  EXPECT_EQ(objects.timer[2], 9.0f);
}

TEST_F(FieldTablesTest, DetachCellsPlaysOneSoundPerGroupBySize) {
  LoadFieldSounds();
  struct Case {
    int popped, fallen;
    std::vector<int> sounds;
  };
  const Case cases[] = {
      {0, 0, {}},
      {1, 0, {sfx.linked3}},
      {3, 0, {sfx.linked3}},
      {4, 0, {sfx.linkedMany}},
      {0, 1, {sfx.fall3}},
      {0, 3, {sfx.fall3}},
      {0, 4, {sfx.fall5}},
      {0, 5, {sfx.fall5}},
      {0, 6, {sfx.fallMany}},
      {2, 7, {sfx.linked3, sfx.fallMany}},
  };
  for (const Case& c : cases) {
    cells.cellCount = 0;
    objects.objectCount = 0;
    for (int k = 0; k < c.popped; ++k) PlaceCell(k, 0, 1, CELL_PLACED | CELL_BREAKING);
    for (int k = 0; k < c.fallen; ++k) PlaceCell(k, 1, 2, CELL_PLACED | CELL_UNSUPPORTED);
    PlaceCell(0, 2, 3);
    EXPECT_EQ(DetachCells(CELL_BREAKING | CELL_UNSUPPORTED), c.popped + c.fallen);
    EXPECT_EQ(TakePlayed(), c.sounds) << c.popped << " popped, " << c.fallen << " fallen";
  }
}

TEST_F(FieldTablesTest, AppendsRefuseAFullTable) {
  cells.cellCount = kCellCapacity - 1;
  EXPECT_EQ(AppendCell(0, 0, 1, CELL_PLACED, 0), kCellCapacity - 1);
  EXPECT_EQ(AppendCell(0, 0, 1, CELL_PLACED, 0), -1);
  EXPECT_EQ(cells.cellCount, kCellCapacity);

  // With the object table full, detaching leaves the cells in the grid.
  cells.cellCount = 0;
  PlaceCell(0, 0, 1, CELL_PLACED | CELL_BREAKING);
  objects.objectCount = kObjectCapacity;
  EXPECT_EQ(DetachCells(CELL_BREAKING), 0);
  EXPECT_EQ(cells.cellCount, 1);
  EXPECT_EQ(objects.objectCount, kObjectCapacity);
}

TEST_F(FieldTablesTest, RemovalShiftsDownAndSortingByYIsStable) {
  PlaceCell(0, 2, 1);
  PlaceCell(1, 0, 2);
  PlaceCell(2, 2, 3);
  PlaceCell(3, 0, 4);
  PlaceCell(4, 1, 25);
  SortCellsByY();
  const int sorted[] = {2, 4, 25, 1, 3};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(cells.kind[i], sorted[i]) << i;
  EXPECT_EQ(cells.x[1], 150.0f);

  RemoveCell(0);
  EXPECT_EQ(cells.cellCount, 4);
  EXPECT_EQ(cells.kind[0], 4);
  EXPECT_EQ(fieldCounts.clearedColourCells, 1);
  EXPECT_EQ(fieldCounts.remainingColourCells, 3);
  RemoveCell(1);  // kind 25 is not a colour cell
  EXPECT_EQ(fieldCounts.clearedColourCells, 1);
  while (cells.cellCount > 0) RemoveCell(0);
  EXPECT_EQ(fieldCounts.remainingColourCells, 0);

  AppendBlock(1, 1, 1);
  AppendBlock(2, 2, 2);
  RemoveBlock(0);
  ASSERT_EQ(blocks.blockCount, 1);
  EXPECT_EQ(blocks.kind[0], 2);
}

TEST_F(FieldTablesTest, TheColourCountRaisesTheOverflowNearTheBottomLine) {
  // 50-unit cells: the bottom line is 974, so anything lower than 974 - 75 = 899 overflows.
  struct Case {
    bool cell;  // a cell, else an object with these flags
    int flags;
    float y;
    bool overflow;
  };
  const Case cases[] = {
      {true, CELL_PLACED, 899.0f, false},
      {true, CELL_PLACED, 899.5f, true},
      {false, OBJECT_GROWING_BALL, 900.0f, true},
      {false, OBJECT_GROWING_SEED, 900.0f, true},
      {false, OBJECT_DEFLECTOR | OBJECT_ABSORBER | OBJECT_COLOUR_CHANGER, 900.0f, true},
      {false, OBJECT_HIT_FLASH, 900.0f, true},
      {false, OBJECT_BOMB, 900.0f, true},
      {false, OBJECT_GROWING_BALL, 899.0f, false},
      {false, OBJECT_POPPING, 950.0f, false},
      {false, OBJECT_FALLING, 950.0f, false},
      {false, OBJECT_LASER_BEAM | OBJECT_BEAM_FLASH | OBJECT_BOMB_BLAST | OBJECT_INTRUDER, 950.0f,
       false},
  };
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    PlaceCell(0, 0, 4);
    PlaceCell(1, 0, 22);
    if (c.cell) {
      AppendCell(300.0f, c.y, 7, c.flags, 0.0f);
    } else {
      AppendObject(300.0f, c.y, 7, c.flags, 0.0f);
    }
    EXPECT_EQ(CountColourBalls(), c.cell ? 2 : 1);
    EXPECT_EQ(fieldCounts.fieldOverflow, c.overflow) << c.flags << " at " << c.y;
  }
  // The count only ever raises it.
  fieldCounts.fieldOverflow = true;
  objects.objectCount = 0;
  CountColourBalls();
  EXPECT_TRUE(fieldCounts.fieldOverflow);
}

TEST_F(FieldTablesTest, DetachingRaisesTheOverflowAsRemovingOneByOneDoes) {
  // Each removal recounts the cells still standing: a low cell raises the overflow unless it
  // is the first to go, which no recount sees.
  struct Case {
    bool firstLow, secondLow, secondMoves;
    bool overflow;
  };
  const Case cases[] = {{true, false, true, false},
                        {false, true, true, true},
                        {false, true, false, true},
                        {true, false, false, false},
                        {false, false, true, false}};
  for (int (*detach)(int) : {DetachCells, DetachCellsReference}) {
    for (const Case& c : cases) {
      ResetFieldTables();
      SetCellSize(50, 50);
      AppendCell(0.0f, c.firstLow ? 950.0f : 100.0f, 2, CELL_PLACED | CELL_BREAKING, 0.0f);
      AppendCell(50.0f, c.secondLow ? 950.0f : 100.0f, 3,
                 c.secondMoves ? CELL_PLACED | CELL_BREAKING : CELL_PLACED, 0.0f);
      AppendCell(100.0f, 100.0f, 4, CELL_PLACED, 0.0f);
      detach(CELL_BREAKING);
      EXPECT_EQ(fieldCounts.fieldOverflow, c.overflow)
          << c.firstLow << c.secondLow << c.secondMoves << (detach == DetachCells);
      EXPECT_EQ(fieldCounts.remainingColourCells, c.secondMoves ? 1 : 2);
    }
  }
}

TEST_F(FieldTablesTest, RemovingAnObjectShiftsTheLaterOnesDown) {
  for (int k = 0; k < 4; ++k) AppendObject(10.0f * k, 5.0f * k, k, 1 << k, 100.0f + k);
  RemoveObject(1);
  RemoveObject(7);  // out of range: nothing
  RemoveObject(-1);
  ASSERT_EQ(objects.objectCount, 3);
  const int codes[] = {0, 2, 3};
  for (int i = 0; i < 3; ++i) {
    const int k = codes[i];
    EXPECT_EQ(objects.code[i], k);
    EXPECT_EQ(objects.x[i], 10.0f * k);
    EXPECT_EQ(objects.y[i], 5.0f * k);
    EXPECT_EQ(objects.flags[i], 1 << k);
    EXPECT_EQ(objects.timer[i], 100.0f + k);
  }
}

TEST_F(FieldTablesTest, IndexedQueriesAnswerAsTheScans) {
  std::mt19937 rng(9090);
  auto uniform = [&](float lo, float hi) {
    return std::uniform_real_distribution<float>(lo, hi)(rng);
  };
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  int neighbours = 0, boxHits = 0;
  for (int field = 0; field < 40; ++field) {
    ResetFieldTables();
    RandomField(rng, pick(3) == 0 ? 5000 : pick(800), 9);
    BuildNeighbourIndex();
    BuildSpotIndex();
    SCOPED_TRACE(field);
    for (int probe = 0; probe < 400 && cells.cellCount > 0; ++probe) {
      const int i = pick(cells.cellCount), n = pick(8);  // 0 and 7 are no neighbour
      const int mask = (pick(3) == 0 ? CELL_BREAKING : 0) | (pick(3) == 0 ? CELL_BOMB : 0);
      const int expected = NeighbourOf(n, i, mask);
      ASSERT_EQ(IndexedNeighbourOf(n, i, mask), expected) << n << " of " << i;
      neighbours += expected >= 0;
    }
    for (int probe = 0; probe < 400; ++probe) {
      float x = uniform(-80.0f, 1100.0f), y = uniform(-80.0f, 1100.0f);
      if (probe % 2 == 0 && cells.cellCount > 0) {
        const int i = pick(cells.cellCount);
        x = cells.x[i] + uniform(-30.0f, 30.0f);
        y = cells.y[i] + uniform(-30.0f, 30.0f);
      }
      const float shrink = probe % 3 == 0 ? 50.0f : 70.0f;
      ASSERT_EQ(SpotCellAtBox(x, y, shrink), CellAtBox(x, y, shrink));
      ASSERT_EQ(SpotBlockAtBox(x, y, shrink), BlockAtBox(x, y, shrink));
      ASSERT_EQ(SpotObjectAtBox(x, y, shrink), ObjectAtBox(x, y, shrink));
      boxHits += CellAtBox(x, y, shrink) >= 0;
    }
  }
  EXPECT_GT(neighbours, 2000);
  EXPECT_GT(boxHits, 2000);
}

}  // namespace
}  // namespace vx::test
