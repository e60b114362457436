#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "core/game_state.h"
#include "field/field_index.h"
#include "field/field_tables.h"
#include "objects/planters.h"
#include "objects/pusher.h"
#include "objects_fixture.h"

namespace vx::test {
namespace {

class PlantersTest : public ObjectsTest {};

TEST_F(PlantersTest, EachStageRowPlantsItsKindsOrNothing) {
  // Over many plantings, which codes each row's planters produce. Row 7's count planter has no
  // kinds; rows 0..2 have no timed planter at all.
  struct Case {
    int row;
    std::vector<int> countCodes, timedCodes;
  };
  const Case cases[] = {
      {0, {22, 25}, {}},
      {1, {28}, {}},
      {2, {22, 24, 26, 28}, {}},
      {7, {}, {24, 26}},
      {10, {1, 23, 24, 25}, {24, 25}},
      {6, {25, 31}, {24, 29}},
  };
  std::mt19937 rng(77);
  static std::mt19937* source = &rng;
  randomSource.next = [] { return static_cast<int>((*source)() % 32768u); };
  for (const Case& c : cases) {
    for (int stage : {c.row, c.row + 15, c.row + 30}) {
      std::vector<bool> countSeen(40), timedSeen(40);
      for (int round = 0; round < 40; ++round) {
        ResetFieldTables();
        SetCellSize(50, 50);
        flow.stageNumber = stage;
        CountPlanter(-1);
        TimedPlanter(-1);
        fieldCounts.clearedColourCells = 100;  // past every count threshold
        planters.periodClock = 100000.0f;      // past every period
        CountPlanter(1);
        TimedPlanter(1);
        // Any of the nine colours counts as colour 1.
        auto seen = [](const Planting& p) { return IsColourKind(p.code) ? 1 : p.code; };
        if (planters.count.animClock > 0.0f) countSeen[seen(planters.count)] = true;
        if (planters.timed.animClock > 0.0f) timedSeen[seen(planters.timed)] = true;
        // The threshold is used up whatever came of it; the timed clock starts again.
        EXPECT_EQ(planters.clearedAtLastPlanting, 100);
        EXPECT_EQ(planters.periodClock, c.row <= 2 ? 100000.0f : 0.0f);
      }
      std::vector<int> counted, timed;
      for (int code = 0; code < 40; ++code) {
        if (countSeen[code]) counted.push_back(code);
        if (timedSeen[code]) timed.push_back(code);
      }
      std::vector<int> wantCount = c.countCodes, wantTimed = c.timedCodes;
      std::sort(wantCount.begin(), wantCount.end());
      std::sort(wantTimed.begin(), wantTimed.end());
      EXPECT_EQ(counted, wantCount) << "stage " << stage;
      EXPECT_EQ(timed, wantTimed) << "stage " << stage;
    }
  }
}

TEST_F(PlantersTest, KindsThatWantASpotAboveTheDangerLinePlantNothingOnIt) {
  // 0x020 never plants; the not-low kinds plant nothing on a spot exactly on the danger line.
  struct Case {
    int bit;
    int code, lowCode;
  };
  const Case cases[] = {{0x001, 25, -1},  {0x002, 24, 24},  {0x004, 22, 22}, {0x008, 23, -1},
                        {0x020, -1, -1},  {0x040, 26, 26},  {0x080, 27, 27}, {0x100, 28, 28},
                        {0x200, 29, -1},  {0x400, 30, -1},  {0x800, 31, 31}, {0x1000, -1, -1},
                        {0x2000, 32, 32}, {0x4000, -1, -1}, {0, -1, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(PlantCode(c.bit, false), c.code) << c.bit;
    EXPECT_EQ(PlantCode(c.bit, true), c.lowCode) << c.bit;
  }
  ScriptedRandom::Install({13});
  EXPECT_EQ(PlantCode(0x010, false), 5);  // 13 mod 9 + 1
  EXPECT_EQ(PlantCode(0x010, true), -1);

  // The set bits in ascending order, picked by rand() mod their number.
  ScriptedRandom::Install({0, 1, 2, 3, 7});
  const int mask = 0x146;
  EXPECT_EQ(PickPlantKind(mask), 0x002);
  EXPECT_EQ(PickPlantKind(mask), 0x004);
  EXPECT_EQ(PickPlantKind(mask), 0x040);
  EXPECT_EQ(PickPlantKind(mask), 0x100);
  EXPECT_EQ(PickPlantKind(mask), 0x100);  // 7 mod 4
  EXPECT_EQ(PickPlantKind(0), 0);

  // Row 0 (kinds 0x001 and 0x004) finds a spot on the danger line: the seed is not planted,
  // and the threshold counts again from here.
  geometry.ceilingOffset = 6.0f;  // row 16 then lies at 806, the danger line
  CountPlanter(-1);
  fieldCounts.clearedColourCells = 3;
  ScriptedRandom::Install({500, 806 + 10, 0});  // spot (500, 806), then the kind 0x001
  CountPlanter(1);
  EXPECT_EQ(planters.count.spotY, 806.0f);
  EXPECT_EQ(planters.count.animClock, 0.0f);
  EXPECT_EQ(planters.clearedAtLastPlanting, 3);
  fieldCounts.clearedColourCells = 5;
  CountPlanter(1);
  EXPECT_EQ(planters.clearedAtLastPlanting, 3);  // 2 more are not the threshold of 3
}

TEST_F(PlantersTest, APlantingShrinksOntoItsSpotAndLeavesAGrowingBall) {
  struct Case {
    int code;
    bool good;
  };
  const Case cases[] = {{22, true}, {26, true}, {27, true}, {24, false}, {7, false}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    // A colour ball already stands on the spot: the spot search of the count planter does not
    // look at cells, and the planting clears it (a cleared colour cell).
    PlaceCell(4, 4, 3);
    planters.count = Planting{200.0f, 200.0f, c.code, 0.1f};
    frameClock.frameStep = 10.0f;
    TakePlayed();
    Drawn().clear();
    CountPlanter(1);
    ASSERT_EQ(Drawn().size(), 1u);
    EXPECT_FLOAT_EQ(Drawn()[0].scaleX, 0.5f * ((100.0f - 10.1f) / 50.0f + 1.0f));
    EXPECT_EQ(Drawn()[0].colour >> 24, 102u);  // at least 40
    for (int frame = 0; frame < 8; ++frame) CountPlanter(1);
    EXPECT_EQ(objects.objectCount, 0);
    EXPECT_EQ(cells.cellCount, 1);
    CountPlanter(1);  // 100.1 units
    SCOPED_TRACE(c.code);
    EXPECT_EQ(planters.count.animClock, 0.0f);
    EXPECT_EQ(cells.cellCount, 0);
    EXPECT_EQ(fieldCounts.clearedColourCells, 1);
    ASSERT_EQ(objects.objectCount, 1);
    EXPECT_EQ(objects.flags[0], OBJECT_GROWING_SEED);
    EXPECT_EQ(objects.code[0], c.code);
    EXPECT_EQ(objects.timer[0], 800.0f);
    EXPECT_EQ(objects.x[0], 200.0f);
    EXPECT_EQ(TakePlayed(), std::vector<int>{c.good ? sfx.goodFxPlanted : sfx.fxPlanted});
  }
}

TEST_F(PlantersTest, SpotsLieBetweenThePusherAndTheDangerLineClearOfObjectsAndBlocks) {
  struct Case {
    std::vector<int> draws;  // x, y pairs
    int tries;
    bool timed;
    bool found;
    float x, y;
  };
  AppendObject(100.0f, 100.0f, 5, OBJECT_GROWING_BALL, 100.0f);
  AppendBlock(300.0f, 300.0f, 0);
  PlaceCell(10, 10, 4);  // (500, 500)
  pusher.pusherBottom = 40.0f;
  const Case cases[] = {
      {{110, 110, 720, 420}, 5, false, true, 700, 400},   // an object, then free
      {{310, 310, 720, 420}, 5, false, true, 700, 400},   // a block, then free
      {{510, 510}, 5, false, true, 500, 500},             // a cell is no obstacle...
      {{510, 510, 720, 420}, 5, true, true, 700, 400},    // ...except for the timed planter
      {{720, 20, 720, 420}, 5, false, true, 700, 400},    // above the pusher
      {{720, 850, 720, 420}, 5, false, true, 700, 400},   // below the danger line
      {{1010, 420, 720, 420}, 5, false, true, 700, 400},  // 1000 is past 1024 - 50
      {{720, 420}, 1, false, false, 0, 0},                // the last try's spot is refused
      {{110, 110}, 3, false, false, 0, 0},
  };
  for (const Case& c : cases) {
    ScriptedRandom::Install({});
    ScriptedRandom::count = 0;
    for (int v : c.draws) ScriptedRandom::values[ScriptedRandom::count++] = v;
    float x = -1.0f, y = -1.0f;
    const bool found = FindPlantSpot(c.tries, c.timed, &x, &y);
    SCOPED_TRACE(::testing::Message() << c.draws[0] << "," << c.draws[1]);
    EXPECT_EQ(found, c.found);
    if (!found) continue;
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
  }
}

TEST_F(PlantersTest, TheTimedPlanterPlantsEveryPeriod) {
  flow.stageNumber = 13;  // every 2000 units
  TimedPlanter(-1);
  frameClock.frameStep = 20.0f;
  int plantings = 0;
  for (int frame = 0; frame < 400; ++frame) {
    const float before = planters.timed.animClock;
    TimedPlanter(1);
    if (before == 0.0f && planters.timed.animClock > 0.0f) ++plantings;
  }
  EXPECT_EQ(plantings, 4);  // 8000 units
}

}  // namespace
}  // namespace vx::test
