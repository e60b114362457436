#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "field/aim_path.h"
#include "field/field_index.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "field_fixture.h"

namespace vx::test {
namespace {

class AimPathTest : public FieldTest {
 protected:
  // A path from (x, y) along (dx, dy).
  static void From(float x, float y, float dx, float dy) {
    aimPath.pathStartX = x;
    aimPath.pathStartY = y;
    shooter.aimTargetX = x + dx * 10.0f;
    shooter.aimTargetY = y + dy * 10.0f;
  }
};

TEST_F(AimPathTest, StraightUpEndsOnTheCeilingLineOrAtTheFirstCellAbove) {
  From(487.0f, 970.5f, 0.0f, -1.0f);
  EXPECT_EQ(ComputeAimPath(), 1);
  // Cut back to the step that reached the ceiling line, which is where it ends.
  EXPECT_EQ(aimPath.pathCount, 971);
  EXPECT_FLOAT_EQ(aimPath.pathEndY, -0.5f);
  EXPECT_FALSE(aimPath.endedOnCell);
  for (int k = 0; k < aimPath.pathCount; ++k) ASSERT_EQ(aimPath.x[k], 487.0f) << k;

  PlaceCell(0, 0, 1);
  int above = PlaceCell(9, 3, 2);  // x 475..525, y 150..200
  EXPECT_EQ(ComputeAimPath(), 1);
  EXPECT_TRUE(aimPath.endedOnCell);
  EXPECT_EQ(aimPath.hitCell, above);
  // The shrunken probe (12.5 units in) first reaches y 200 from y 186.5.
  EXPECT_FLOAT_EQ(aimPath.y[aimPath.pathCount - 1], 186.5f);
  EXPECT_FLOAT_EQ(aimPath.pathEndY, 185.5f);
}

TEST_F(AimPathTest, GrazingTheRightWallBouncesOnThatStep) {
  From(950.0f, 300.0f, 1.0f, -1.0f);
  ASSERT_EQ(ComputeAimPath(), 1);
  const float rightWall = 1024.0f - 0.9f * 50.0f;
  int bounces = 0;
  for (int k = 0; k < aimPath.pathCount; ++k) {
    bool atWall = aimPath.x[k] >= rightWall;
    EXPECT_EQ((aimPath.flags[k] & PATH_BOUNCE) != 0, atWall) << k;
    if (atWall) {
      ++bounces;
      ASSERT_LT(k + 1, aimPath.pathCount);
      EXPECT_LT(aimPath.x[k + 1], aimPath.x[k]);
    }
  }
  EXPECT_EQ(bounces, 1);
  EXPECT_TRUE(aimPath.pathFlags & PATH_BOUNCE);
}

TEST_F(AimPathTest, OnlyShotAurasActOnThePath) {
  From(487.0f, 970.5f, 0.0f, -1.0f);
  ComputeAimPath();
  const int plainCount = aimPath.pathCount;
  // Hit flashes, bombs and growing balls right on the path change nothing.
  AppendObject(487.0f, 600.0f, 12, OBJECT_HIT_FLASH, 0.0f);
  AppendObject(487.0f, 500.0f, -1, OBJECT_BOMB, 0.0f);
  AppendObject(487.0f, 400.0f, 3, OBJECT_GROWING_BALL, 100.0f);
  EXPECT_EQ(ObjectZoneAt(0.0f, 0.0f, 0.0f), 0);
  EXPECT_EQ(ComputeAimPath(), 1);
  EXPECT_EQ(aimPath.pathCount, plainCount);
  EXPECT_EQ(aimPath.pathFlags & ~PATH_BOUNCE, 0);
  EXPECT_EQ(aimPath.x[plainCount - 1], 487.0f);

  struct Case {
    int flags;
    int pathFlag;  // expected besides the bounce
    bool bent;
  };
  const Case cases[] = {
      {OBJECT_COLOUR_CHANGER, PATH_RECOLOUR, false},
      {OBJECT_ABSORBER, PATH_ABSORBED, false},
      {OBJECT_DEFLECTOR, 0, true},
  };
  for (const Case& c : cases) {
    objects.objectCount = 0;
    AppendObject(512.0f, 500.0f, 18, c.flags, 3000.0f);
    EXPECT_EQ(ObjectZoneAt(0.0f, 0.0f, 0.0f), 1) << c.flags;
    ComputeAimPath();
    EXPECT_EQ(aimPath.pathFlags & ~PATH_BOUNCE, c.pathFlag) << c.flags;
    bool bent = false;
    for (int k = 0; k < aimPath.pathCount; ++k) bent |= aimPath.x[k] != 487.0f;
    EXPECT_EQ(bent, c.bent) << c.flags;
  }
}

TEST_F(AimPathTest, LeavingThroughTheBottomRestsOnlyAfterABlockContact) {
  From(300.0f, 635.0f, 0.0f, 1.0f);
  EXPECT_EQ(ComputeAimPath(), 0);
  // Runs until it reaches the bottom edge 1024 - 45 at y 979.
  EXPECT_EQ(aimPath.pathCount, 345);

  AppendBlock(260.0f, 640.0f, 0);  // the probe's left corners run down inside it
  EXPECT_EQ(ComputeAimPath(), 1);
  // Comes to rest at the last step the probe still touched the block.
  EXPECT_EQ(aimPath.pathCount, 47);
  EXPECT_FLOAT_EQ(aimPath.pathEndX, 300.0f);
  EXPECT_FLOAT_EQ(aimPath.pathEndY, 682.0f);
  EXPECT_FALSE(aimPath.endedOnCell);

  // The same block reaching the launcher top is no block for the path.
  blocks.y[0] = 720.0f;
  From(300.0f, 700.0f, 0.0f, 1.0f);
  EXPECT_EQ(ComputeAimPath(), 0);
}

TEST_F(AimPathTest, TouchingACellOnTheFirstStepStoresOnlyThatPoint) {
  int c = PlaceCell(9, 18, 4);  // 450..500 x 900..950, under the probe's top-left corner
  From(487.0f, 920.0f, 0.3f, -1.0f);
  EXPECT_EQ(ComputeAimPath(), 1);
  ASSERT_EQ(aimPath.pathCount, 1);
  EXPECT_EQ(aimPath.x[0], 487.0f);
  EXPECT_EQ(aimPath.y[0], 920.0f);
  EXPECT_EQ(aimPath.hitCell, c);
  EXPECT_TRUE(aimPath.endedOnCell);
}

TEST_F(AimPathTest, At87DegreesTheShotRunsOutOfStepsLowDown) {
  // The rest position turned with the launcher, as the field drawing leaves it.
  TurnLauncher(87.0f);
  UpdateShooter();
  EXPECT_EQ(shooter.pathResult, 0);
  ASSERT_EQ(aimPath.pathCount, kPathStepLimit);
  float rise = aimPath.y[0] - aimPath.y[kPathStepLimit - 1];
  EXPECT_NEAR(rise, 1499 * 0.0524f, 0.5f);
  EXPECT_TRUE(aimPath.pathFlags & PATH_BOUNCE);
}

// Each case: blocks placed around a ball at (300, 300) with a probe shrunk by 30 (the
// probe spans 307.5..342.5 across and down), moving by (1, -1).
TEST_F(AimPathTest, BlockBounceFlipsByTheCornersInside) {
  struct Case {
    const char* name;
    float blocks[2][2];
    int blockCount;
    bool flipX, flipY;
  };
  const Case cases[] = {
      {"right side", {{340, 300}}, 1, true, false},
      {"left side", {{260, 300}}, 1, true, false},
      {"above", {{300, 260}}, 1, false, true},
      {"below", {{300, 340}}, 1, false, true},
      {"diagonal pair", {{260, 260}, {340, 340}}, 2, true, true},
      // Only the top-right corner (342.5, 307.5) inside: the mirrored next positions
      // (341.5, 306.5) and (343.5, 308.5) decide, each flipping its axis when free.
      {"corner, both mirrors free", {{342, 258}}, 1, true, true},
      {"corner, x mirror free", {{342, 260}}, 1, true, false},
      {"corner, y mirror free", {{340, 258}}, 1, false, true},
      {"corner, no mirror free", {{340, 260}}, 1, false, false},
  };
  for (const Case& c : cases) {
    blocks.blockCount = 0;
    for (int b = 0; b < c.blockCount; ++b) AppendBlock(c.blocks[b][0], c.blocks[b][1], 0);
    BlockHit hit = BlockBounce(300.0f, 300.0f, 1.0f, -1.0f, 30.0f);
    EXPECT_EQ(hit.block, 100 + c.blockCount - 1) << c.name;
    EXPECT_EQ(hit.flipX, c.flipX) << c.name;
    EXPECT_EQ(hit.flipY, c.flipY) << c.name;
  }
  blocks.blockCount = 0;
  EXPECT_EQ(BlockBounce(300.0f, 300.0f, 1.0f, -1.0f, 30.0f).block, -1);
}

// The indexed computation must give the very same path as the scanning one on any field.
TEST_F(AimPathTest, IndexedPathMatchesTheScanOnRandomFields) {
  std::mt19937 rng(20261209);
  auto uniform = [&](float lo, float hi) {
    return std::uniform_real_distribution<float>(lo, hi)(rng);
  };
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  auto reference = std::make_unique<AimPath>();
  const int sizes[] = {10, 20, 32, 50, 64};
  int cellContacts = 0, blockContacts = 0, auraPaths = 0;

  for (int field = 0; field < 60; ++field) {
    ResetFieldTables();
    int size = sizes[pick(5)];
    SetCellSize(size, size);
    geometry.ceilingLine = pick(3) == 0 ? uniform(0.0f, 200.0f) : 0.0f;
    geometry.ceilingOffset = geometry.ceilingLine;
    const int cellsWanted = pick(4) == 0 ? 4000 : pick(600);
    const float lowest = uniform(100.0f, 800.0f);
    for (int i = 0; i < cellsWanted; ++i) {
      if (pick(5) == 0) {  // off the grid, some outside the field
        AppendCell(uniform(-80.0f, 1100.0f), uniform(-80.0f, lowest), 1 + pick(9), 1, 0.0f);
      } else {
        GridPlace g = SnapToGrid(pick(1024), static_cast<int>(uniform(0.0f, lowest)));
        AppendCell(static_cast<float>(g.x), static_cast<float>(g.y), 1 + pick(9), 1, 0.0f);
      }
    }
    const int blockCount = pick(3) == 0 ? pick(40) : 0;
    for (int b = 0; b < blockCount; ++b)
      AppendBlock(uniform(-20.0f, 1000.0f), uniform(0.0f, 800.0f), pick(10));
    if (pick(3) == 0) {
      const int auraFlags[] = {OBJECT_DEFLECTOR, OBJECT_ABSORBER, OBJECT_COLOUR_CHANGER,
                               OBJECT_HIT_FLASH, OBJECT_BOMB};
      // A few auras are scanned, many go through their own grid.
      for (int o = pick(2) == 0 ? 32 + pick(90) : pick(6); o > 0; --o)
        AppendObject(uniform(0.0f, 1000.0f), uniform(0.0f, 900.0f), 18, auraFlags[pick(5)], 0.0f);
    }
    for (int aim = 0; aim < 12; ++aim) {
      float angle = uniform(-87.0f, 87.0f) * 0.0174533f;
      aimPath.pathStartX = uniform(0.0f, 1024.0f - geometry.cellWidthF);
      aimPath.pathStartY = uniform(850.0f, 1000.0f);
      shooter.aimTargetX = aimPath.pathStartX + 40.0f * std::sin(angle);
      shooter.aimTargetY = aimPath.pathStartY - 40.0f * std::cos(angle);

      int expected = ComputeAimPathReference();
      *reference = aimPath;

      int got = ComputeAimPath();
      SCOPED_TRACE(::testing::Message() << "field " << field << " aim " << aim);
      ASSERT_EQ(got, expected);
      ASSERT_EQ(aimPath.pathCount, reference->pathCount);
      ASSERT_EQ(aimPath.pathFlags, reference->pathFlags);
      ASSERT_EQ(aimPath.endedOnCell, reference->endedOnCell);
      if (reference->endedOnCell) {
        ASSERT_EQ(aimPath.hitCell, reference->hitCell);
      }
      ASSERT_EQ(aimPath.pathEndX, reference->pathEndX);
      ASSERT_EQ(aimPath.pathEndY, reference->pathEndY);
      ASSERT_EQ(aimPath.pathEndDX, reference->pathEndDX);
      ASSERT_EQ(aimPath.pathEndDY, reference->pathEndDY);
      for (int k = 0; k < aimPath.pathCount; ++k) {
        ASSERT_EQ(aimPath.x[k], reference->x[k]) << k;
        ASSERT_EQ(aimPath.y[k], reference->y[k]) << k;
        ASSERT_EQ(aimPath.flags[k], reference->flags[k]) << k;
      }
      cellContacts += aimPath.endedOnCell;
      // The landing search's questions, at points on and off the grid.
      for (int probe = 0; probe < 20; ++probe) {
        float px = uniform(-60.0f, 1050.0f), py = uniform(-60.0f, 900.0f);
        if (probe % 3 == 0 && cells.cellCount > 0) {
          int i = pick(cells.cellCount);
          px = cells.x[i];
          py = cells.y[i];
        } else if (probe % 3 == 1 && blocks.blockCount > 0) {
          int i = pick(blocks.blockCount);
          px = blocks.x[i] + uniform(-40.0f, 40.0f);
          py = blocks.y[i] + uniform(-40.0f, 40.0f);
        }
        ASSERT_EQ(IndexedBlockAtBox(px, py, 30.0f), BlockAtBox(px, py, 30.0f));
        bool stands = false;
        for (int i = 0; i < cells.cellCount; ++i) stands |= cells.x[i] == px && cells.y[i] == py;
        ASSERT_EQ(IndexedCellStandsAt(px, py), stands);
      }
      for (int k = 0; blockCount > 0 && k < aimPath.pathCount; ++k) {
        if (BlockAtBox(aimPath.x[k], aimPath.y[k], 30.0f) >= 0) {
          ++blockContacts;
          break;
        }
      }
      auraPaths += (aimPath.pathFlags & (PATH_ABSORBED | PATH_RECOLOUR)) != 0;
    }
  }
  // The fields must have exercised each kind of contact.
  EXPECT_GT(cellContacts, 100);
  EXPECT_GT(blockContacts, 10);
  EXPECT_GT(auraPaths, 0);
}

}  // namespace
}  // namespace vx::test
