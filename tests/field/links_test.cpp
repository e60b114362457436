#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "core/game_state.h"
#include "field/bonuses.h"
#include "field/field_tables.h"
#include "field/hit_effects.h"
#include "field/links.h"
#include "field/shooter.h"
#include "field_fixture.h"
#include "table_compare.h"

namespace vx::test {
namespace {

class LinksTest : public FieldTest {
 protected:
  // The shot settles as a new cell at (col, row), having touched cell `hit` (or none).
  static int Land(int col, int row, int colour, int hit = -1) {
    shooter.shotColour = colour;
    shooter.newCell = PlaceCell(col, row, colour);
    shooter.hitCellOfShot = hit;
    return shooter.newCell;
  }
  static int CountObjects(int flags) {
    int n = 0;
    for (int i = 0; i < objects.objectCount; ++i) n += objects.flags[i] == flags;
    return n;
  }
  static bool CellStands(float x, float y, int kind) {
    int i = FindCellAt(x, y);
    return i >= 0 && cells.kind[i] == kind;
  }
};

TEST_F(LinksTest, AGroupBreaksFromColourCountUp) {
  struct Case {
    int likeNeighbours;  // balls of the shot's colour in a row beside it
    int colourCount;
    bool breaks;
  };
  const Case cases[] = {{2, 3, true}, {1, 3, false}, {0, 3, false}, {2, 4, false}, {3, 4, true}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    geometry.colourCount = c.colourCount;
    for (int k = 0; k < c.likeNeighbours; ++k) PlaceCell(k, 0, 2);
    PlaceCell(0, 1, 5);  // another colour hanging below the group's first ball
    Land(c.likeNeighbours, 0, 2);
    const int before = cells.cellCount;
    EXPECT_EQ(ResolveShot(true), c.breaks) << c.likeNeighbours << " of " << c.colourCount;
    const int group = c.likeNeighbours + 1;
    EXPECT_EQ(cells.cellCount, c.breaks ? before - group - 1 : before);
    EXPECT_EQ(CountObjects(OBJECT_POPPING), c.breaks ? group : 0);
    EXPECT_EQ(CountObjects(OBJECT_FALLING), c.breaks ? 1 : 0);
    // A failed search leaves no marks behind.
    for (int i = 0; i < cells.cellCount; ++i) EXPECT_EQ(cells.flags[i], CELL_PLACED);
  }
}

TEST_F(LinksTest, AGroupAsLargeAsTheCellTableBreaksWhole) {
  // 5000 balls of one colour in 10-unit cells, the shot the last of them: the search lists
  // must hold the whole table.
  SetCellSize(10, 10);
  for (int row = 0; cells.cellCount < kCellCapacity - 1; ++row)
    for (int col = 0; col < 101 && cells.cellCount < kCellCapacity - 1; ++col)
      PlaceCell(col, row, 3);
  const int lastRow = (kCellCapacity - 1) / 101;
  Land((kCellCapacity - 1) % 101, lastRow, 3);
  ASSERT_EQ(cells.cellCount, kCellCapacity);
  EXPECT_TRUE(ResolveShot(true));
  EXPECT_EQ(cells.cellCount, 0);
  EXPECT_EQ(CountObjects(OBJECT_POPPING), kCellCapacity);
}

TEST_F(LinksTest, OnlyBallsHangingBelowTheBrokenGroupFall) {
  PlaceCell(3, 0, 2);
  PlaceCell(4, 0, 2);
  PlaceCell(3, 1, 7);  // hangs below the group (x 175, y 50)
  PlaceCell(3, 2, 8);  // and one below that
  PlaceCell(6, 0, 9);  // beside the group at the same height
  PlaceCell(0, 3, 6);  // elsewhere
  Land(5, 0, 2);
  EXPECT_TRUE(ResolveShot(true));
  EXPECT_EQ(CountObjects(OBJECT_POPPING), 3);
  EXPECT_EQ(CountObjects(OBJECT_FALLING), 2);
  EXPECT_FALSE(CellStands(175, 50, 7));
  EXPECT_FALSE(CellStands(150, 100, 8));
  EXPECT_TRUE(CellStands(300, 0, 9));
  EXPECT_TRUE(CellStands(25, 150, 6));
  EXPECT_EQ(cells.cellCount, 2);
}

TEST_F(LinksTest, ASeedBreaksWithTheShotAndNothingElseFalls) {
  int seed = PlaceCell(4, 0, KIND_SEED);
  PlaceCell(5, 0, 2);
  PlaceCell(6, 0, 2);
  PlaceCell(4, 1, 7);  // would fall below a broken group
  Land(5, 1, 2, seed);
  EXPECT_TRUE(ResolveShot(true));
  EXPECT_EQ(CountObjects(OBJECT_POPPING), 2);
  EXPECT_EQ(CountObjects(OBJECT_FALLING), 0);
  EXPECT_FALSE(CellStands(200, 0, KIND_SEED));
  EXPECT_FALSE(CellStands(275, 50, 2));
  EXPECT_EQ(cells.cellCount, 3);
}

TEST_F(LinksTest, BreakingBombCarriersReleaseABombOrALowHitFlash) {
  // The danger line is bottomLine - 168 = 806.
  struct Case {
    int row;
    float ceilingOffset;
    int flags;
    int code;
  };
  const Case cases[] = {{2, 0, OBJECT_BOMB, -1},
                        {16, 0, OBJECT_BOMB, -1},  // y 800
                        {16, 6, OBJECT_HIT_FLASH, 12},
                        {18, 0, OBJECT_HIT_FLASH, 12}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    geometry.ceilingOffset = c.ceilingOffset;
    PlaceCell(3, c.row, 4, CELL_PLACED | CELL_BOMB);
    PlaceCell(4, c.row, 4);
    Land(5, c.row, 4);
    LoadFieldSounds();
    ASSERT_TRUE(ResolveShot(true)) << c.row;
    EXPECT_EQ(TakePlayed(), (std::vector<int>{sfx.bombFall, sfx.linked3})) << c.row;
    ASSERT_EQ(CountObjects(c.flags), 1) << c.row;
    EXPECT_EQ(CountObjects(c.flags == OBJECT_BOMB ? OBJECT_HIT_FLASH : OBJECT_BOMB), 0);
    for (int i = 0; i < objects.objectCount; ++i) {
      if (objects.flags[i] != c.flags) continue;
      EXPECT_EQ(objects.code[i], c.code);
      EXPECT_EQ(objects.x[i], 150.0f);
      EXPECT_EQ(objects.y[i], c.row * 50.0f + c.ceilingOffset);
    }
  }
}

TEST_F(LinksTest, ABlastBreaksItsNeighboursButNeverABlock) {
  // The blast at column 4 of row 2 (x 200, y 100); its right-hand place holds a block.
  int blast = PlaceCell(4, 2, KIND_BLAST);
  PlaceCell(3, 1, 5);
  PlaceCell(4, 1, 6);
  PlaceCell(4, 3, 7);
  PlaceCell(3, 3, 8);
  AppendBlock(250.0f, 100.0f, 3);
  PlaceCell(6, 2, 9);  // two places away
  PlaceCell(4, 0, 9);  // two rows up
  Land(3, 2, 1, blast);
  EXPECT_TRUE(ResolveShot(true));
  EXPECT_EQ(CountObjects(OBJECT_POPPING), 6);  // the blast, four neighbours and the shot
  EXPECT_EQ(blocks.blockCount, 1);
  EXPECT_EQ(cells.cellCount, 2);
  EXPECT_TRUE(CellStands(300, 100, 9));
  EXPECT_TRUE(CellStands(200, 0, 9));
}

TEST_F(LinksTest, AGemSpringGrowsOnItsPlaceAndTheFreePlacesAround) {
  struct Case {
    const char* name;
    int aroundCells;   // neighbours 1.. taken by cells
    bool blockOnLast;  // the sixth place holds a block instead of a cell
    int growing;
    int aroundFlags = CELL_PLACED;
  };
  const Case cases[] = {
      {"surrounded", 6, false, 1},
      {"five cells and a block", 5, true, 1},
      {"four around", 4, false, 3},
      {"alone", 0, false, 7},
      // Breaking and falling neighbours leave their places free.
      {"surrounded by breaking cells", 6, false, 7, CELL_PLACED | CELL_BREAKING},
      {"surrounded by falling cells", 6, false, 7, CELL_PLACED | CELL_UNSUPPORTED},
  };
  // Neighbours of column 4 of row 4 (x 200, y 200), in the order 1 .. 6.
  const int around[6][2] = {{3, 3}, {4, 3}, {5, 4}, {4, 5}, {3, 5}, {3, 4}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    int spring = PlaceCell(4, 4, KIND_GEM_SPRING);
    for (int n = 0; n < c.aroundCells; ++n)
      PlaceCell(around[n][0], around[n][1], 1 + n, c.aroundFlags);
    if (c.blockOnLast) AppendBlock(150.0f, 200.0f, 0);
    ScriptedRandom::Install({8999});
    GemSpring(spring);
    EXPECT_TRUE(cells.flags[spring] & CELL_BREAKING) << c.name;
    ASSERT_EQ(CountObjects(OBJECT_GROWING_BALL), c.growing) << c.name;
    EXPECT_EQ(objects.x[0], 200.0f);
    EXPECT_EQ(objects.y[0], 200.0f);
    EXPECT_EQ(objects.code[0], 9);
    EXPECT_EQ(objects.timer[0], 100.0f);
  }
}

TEST_F(LinksTest, ALimitedSpringGrowsOneExtraBallPerStage) {
  struct Case {
    int stage;
    int extra;
  };
  const Case cases[] = {{0, 1}, {1, 2}, {4, 5}, {50, 6}};
  // The spawn places of a cell at (200, 200), in the order upper left, upper right, right,
  // lower right, lower left, left.
  const float places[6][2] = {{175, 150}, {225, 150}, {250, 200},
                              {225, 250}, {175, 250}, {150, 200}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    flow.stageNumber = c.stage;
    int spring = PlaceCell(4, 4, KIND_LIMITED_GEM_SPRING);
    LimitedGemSpring(spring);
    ASSERT_EQ(objects.objectCount, 1 + c.extra) << c.stage;
    for (int k = 0; k < c.extra; ++k) {
      EXPECT_EQ(objects.x[1 + k], places[k][0]) << c.stage << " place " << k;
      EXPECT_EQ(objects.y[1 + k], places[k][1]) << c.stage << " place " << k;
    }
  }
}

TEST_F(LinksTest, SpringsGrowNothingOutsideTheFieldOrNearTheLauncher) {
  // A seed spring in the top-left corner: the upper places lie above the ceiling line and
  // the left ones beyond the wall; only the right, lower right and its own place grow.
  int corner = PlaceCell(0, 0, KIND_SEED_SPRING);
  SeedSpring(corner);
  ASSERT_EQ(objects.objectCount, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(objects.flags[i], OBJECT_GROWING_SEED);
    EXPECT_EQ(objects.code[i], KIND_SEED);
  }
  // Within five cell heights of the launcher top (y 518 and below) nothing grows either.
  ResetFieldTables();
  SetCellSize(50, 50);
  int low = PlaceCell(4, 11, KIND_GEM_SPRING);  // y 550: only the two upper places lie above
  GemSpring(low);
  EXPECT_EQ(objects.objectCount, 3);
}

// Everything a resolution may change.
struct Outcome {
  bool broke = false;
  FieldCells cellTable;
  FieldObjects objectTable;
  FieldCounts counts;
  BonusState bonus;
  bool aimGuide = false;
  int randomCalls = 0;
  std::vector<int> sounds;
};

TEST_F(LinksTest, IndexedResolutionMatchesTheScansOnRandomFields) {
  std::mt19937 rng(31337);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  auto start = std::make_unique<Outcome>();
  auto reference = std::make_unique<Outcome>();
  auto got = std::make_unique<Outcome>();
  auto capture = [&](Outcome& o, bool broke) {
    o.broke = broke;
    o.cellTable = cells;
    o.objectTable = objects;
    o.counts = fieldCounts;
    o.bonus = bonuses;
    o.aimGuide = flow.aimGuide;
    o.randomCalls = test::CountingRandom::calls;
    o.sounds.clear();
    for (const auto& e : rig_->sound.Calls(platform::SoundCall::Play))
      o.sounds.push_back(e.channel);
  };
  auto restore = [&](const Outcome& o) {
    cells = o.cellTable;
    objects = o.objectTable;
    fieldCounts = o.counts;
    bonuses = o.bonus;
    flow.aimGuide = o.aimGuide;
    rig_->sound.events.clear();
  };
  LoadFieldSounds();
  int breaks = 0, bigBreaks = 0, falls = 0;
  for (int field = 0; field < 150; ++field) {
    ResetFieldTables();
    const bool big = pick(4) == 0;
    RandomField(rng, big ? 4990 : pick(1500), big ? 1 + pick(2) : 1 + pick(9));
    geometry.colourCount = 2 + pick(3);
    flow.stageNumber = pick(5);
    // The shot: a new cell on the grid, touching some cell or none.
    const int colour = pick(10) == 0 ? KIND_LASER_GIFT : 1 + pick(3);
    shooter.shotColour = colour;
    GridPlace g = SnapToGrid(pick(1024), pick(900));
    shooter.newCell =
        AppendCell(static_cast<float>(g.x), static_cast<float>(g.y), colour, CELL_PLACED, 0.0f);
    shooter.hitCellOfShot = pick(3) == 0 && cells.cellCount > 0 ? pick(cells.cellCount) : -1;
    if (pick(4) == 0) objects.objectCount = kObjectCapacity - pick(40);  // nearly full
    rig_->sound.events.clear();
    capture(*start, false);
    const unsigned seed = rng();

    test::CountingRandom::Start(seed);
    capture(*reference, ResolveShotReference(true));
    restore(*start);
    test::CountingRandom::Start(seed);
    capture(*got, ResolveShot(true));

    SCOPED_TRACE(field);
    ASSERT_EQ(got->broke, reference->broke);
    ASSERT_TRUE(test::SameCells(got->cellTable, reference->cellTable));
    ASSERT_TRUE(test::SameObjects(got->objectTable, reference->objectTable));
    ASSERT_EQ(got->counts.clearedColourCells, reference->counts.clearedColourCells);
    ASSERT_EQ(got->counts.remainingColourCells, reference->counts.remainingColourCells);
    ASSERT_EQ(got->counts.fieldOverflow, reference->counts.fieldOverflow);
    ASSERT_EQ(got->bonus.laserBonus, reference->bonus.laserBonus);
    ASSERT_EQ(got->bonus.guideGiftActive, reference->bonus.guideGiftActive);
    ASSERT_EQ(got->aimGuide, reference->aimGuide);
    ASSERT_EQ(got->randomCalls, reference->randomCalls);
    ASSERT_EQ(got->sounds, reference->sounds);
    const int moved = start->cellTable.cellCount - got->cellTable.cellCount;
    breaks += got->broke;
    bigBreaks += moved > 1000;
    for (int i = start->objectTable.objectCount; i < objects.objectCount; ++i)
      falls += objects.flags[i] == OBJECT_FALLING;
  }
  // The fields must have exercised breaks, large ones and falls.
  EXPECT_GT(breaks, 30);
  EXPECT_GT(bigBreaks, 3);
  EXPECT_GT(falls, 20);
}

}  // namespace
}  // namespace vx::test
