#include <gtest/gtest.h>

#include <vector>

#include "app/dispatcher.h"
#include "audio/volume.h"
#include "core/game_state.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/pusher.h"
#include "objects_fixture.h"
#include "persist/stage_files.h"

namespace vx::test {
namespace {

class PusherTest : public ObjectsTest {
 protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    stageFiles.pushInterval = 1000.0f;  // 100 units of frame step between pushes
  }
  static int CountFlags(int flags) {
    int n = 0;
    for (int i = 0; i < objects.objectCount; ++i) n += (objects.flags[i] & flags) != 0;
    return n;
  }
};

TEST_F(PusherTest, APushWaitsForTheShooterAndMovesTheFieldAndTheCeiling) {
  PlaceCell(3, 0, 2);
  AppendBlock(100.0f, 300.0f, 1);
  AppendObject(200.0f, 400.0f, 5, OBJECT_GROWING_BALL, 500.0f);
  frameClock.frameStep = 60.0f;  // 600 units of push clock a frame
  Pusher();
  EXPECT_EQ(pusher.pushClock, 600.0f);
  EXPECT_TRUE(pusher.pushWarning);  // past the interval less 1000

  enum Busy { InFlight, Sliding, LostShot, Idle };
  for (Busy busy : {InFlight, Sliding, LostShot, Idle}) {
    shooter = ShooterState{};
    shooter.shotActive = busy == InFlight;
    if (busy == Sliding) shooter.slideSteps = 2.0f;
    if (busy == LostShot) shooter.lostActive = true;
    TakePlayed();
    Pusher();
    const bool pushed = busy == Idle;
    SCOPED_TRACE(busy);
    EXPECT_EQ(pusher.pusherOffset, pushed ? 10.0f : 0.0f);
    // The clock keeps growing while the push waits.
    EXPECT_EQ(pusher.pushClock, pushed ? 0.0f : 600.0f * (2 + busy));
    EXPECT_EQ(TakePlayed(), pushed ? std::vector<int>{sfx.pushDown} : std::vector<int>{});
  }
  EXPECT_EQ(geometry.ceilingOffset, 10.0f);
  EXPECT_EQ(geometry.ceilingLine, 10.0f);
  EXPECT_EQ(pusher.pusherBottom, 10.0f);
  EXPECT_EQ(cells.y[0], 10.0f);
  EXPECT_EQ(blocks.y[0], 310.0f);
  EXPECT_EQ(objects.y[0], 410.0f);

  // Outside play (the stage information panel) it neither pushes nor warns, and a frame after
  // another state sets it back.
  flow.gameState = StageInfo;
  flow.previousState = StageInfo;
  Pusher();
  EXPECT_EQ(pusher.pusherOffset, 0.0f);
  EXPECT_EQ(pusher.pushClock, 600.0f);
  EXPECT_FALSE(pusher.pushWarning);
  EXPECT_EQ(geometry.ceilingLine, 0.0f);
}

TEST_F(PusherTest, TheGroundShakesOnceAsThePushWarningComesOn) {
  stageFiles.pushInterval = 3000.0f;
  frameClock.frameStep = 50.0f;  // 500 a frame: the warning from past 2000
  std::vector<int> shakes;
  for (int frame = 0; frame < 6; ++frame) {
    TakePlayed();
    Pusher();
    for (int id : TakePlayed()) shakes.push_back(id == sfx.groundShake ? frame : -1);
  }
  // 500, 1000, ... 2500 at frame 4; the push at 3500 (frame 6) comes later.
  EXPECT_EQ(shakes, std::vector<int>{4});
}

TEST_F(PusherTest, APlainColourBallPushedOntoTheBottomLineStartsTheInvasion) {
  struct Case {
    int kind, flags;
    float y;
    bool invasion;
  };
  const Case cases[] = {
      {3, CELL_PLACED, 964.0f, true},
      {3, CELL_PLACED, 963.0f, false},
      {3, CELL_PLACED | CELL_BOMB, 964.0f, false},
      {3, 0, 964.0f, true},
      {3, CELL_PLACED | CELL_BREAKING, 964.0f, false},
      {22, CELL_PLACED, 964.0f, false},
  };
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    invasion = InvasionState{};
    AppendCell(100.0f, c.y, c.kind, c.flags, 0.0f);
    ShiftField(0.0f, 10.0f);  // the bottom line is at 974
    EXPECT_EQ(invasion.invasionRunning, c.invasion) << c.kind << " " << c.flags << " " << c.y;
    EXPECT_EQ(CountFlags(OBJECT_INTRUDER), c.invasion ? 1 : 0);
  }
}

TEST_F(PusherTest, PushedBelowTheDangerLineTheEffectsDisappear) {
  // The danger line is at 806 for 50-unit cells.
  struct Case {
    int flags;
    float y;
    bool moves, stays;
  };
  const Case cases[] = {
      {OBJECT_GROWING_BALL, 796.0f, true, true},  {OBJECT_GROWING_BALL, 797.0f, true, false},
      {OBJECT_GROWING_SEED, 800.0f, true, false}, {OBJECT_DEFLECTOR, 800.0f, true, false},
      {OBJECT_LASER_BEAM, 800.0f, true, false},   {OBJECT_POPPING, 800.0f, true, false},
      {OBJECT_BEAM_FLASH, 800.0f, true, false},   {OBJECT_BOMB, 800.0f, false, true},
      {OBJECT_FALLING, 800.0f, false, true},      {OBJECT_HIT_FLASH, 800.0f, false, true},
      {OBJECT_BOMB_BLAST, 800.0f, false, true},   {OBJECT_INTRUDER, 924.0f, false, true},
  };
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    AppendObject(100.0f, c.y, 5, c.flags, 100.0f);
    AppendObject(300.0f, 100.0f, 5, OBJECT_GROWING_BALL, 100.0f);  // visited after a removal
    ShiftField(0.0f, 10.0f);
    SCOPED_TRACE(c.flags);
    ASSERT_EQ(objects.objectCount, c.stays ? 2 : 1);
    EXPECT_EQ(objects.y[objects.objectCount - 1], 110.0f);
    if (c.stays) {
      EXPECT_EQ(objects.y[0], c.moves ? c.y + 10.0f : c.y);
    }
  }
  // What stays within 1.5 cells of the bottom line raises the overflow.
  ResetFieldTables();
  SetCellSize(50, 50);
  AppendObject(100.0f, 790.0f, 5, OBJECT_GROWING_BALL, 100.0f);
  ShiftField(0.0f, 10.0f);
  EXPECT_FALSE(fieldCounts.fieldOverflow);  // 800 + 75 is not past 974
  SetCellSize(50, 120);                     // bottom line 904, danger line 736
  objects.y[0] = 720.0f;
  ShiftField(0.0f, 10.0f);
  EXPECT_TRUE(fieldCounts.fieldOverflow);
}

TEST_F(PusherTest, TheWarningSoundsFasterLowerAndTheLowestBandStartsTheInvasion) {
  // A marked colour ball at y sets the danger flag; the bands are measured from the bottom
  // line at 974: band 1 down to 873.2, band 2 down to 890, band 3 below.
  struct Case {
    float y;
    int period;  // frames between warnings at frame step 1; 0 none
  };
  const Case cases[] = {{806.0f, 0}, {850.0f, 120}, {880.0f, 70}, {900.0f, 50}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    danger = DangerState{};
    AppendCell(100.0f, c.y, 3, CELL_PLACED, 0.0f);
    std::vector<int> at;
    for (int frame = 1; frame <= 150; ++frame) {
      danger.dangerThisFrame = false;
      danger.lowestDanger = 0.0f;
      TakePlayed();
      Frame();
      EXPECT_TRUE(danger.dangerThisFrame);
      DangerWarning();
      for (int id : TakePlayed())
        if (id == sfx.invasionWarning) at.push_back(frame);
    }
    SCOPED_TRACE(c.y);
    if (c.period == 0) {
      EXPECT_TRUE(at.empty());
      continue;
    }
    ASSERT_GE(at.size(), 1u);
    EXPECT_EQ(at[0], c.period);
  }
}

TEST_F(PusherTest, LowestBandFramesSurviveFramesWithoutDanger) {
  danger = DangerState{};
  auto warn = [](float y) {
    danger.dangerThisFrame = y > 0.0f;
    danger.lowestDanger = y;
    DangerWarning();
  };
  for (int frame = 0; frame < 12; ++frame) warn(900.0f);
  for (int frame = 0; frame < 30; ++frame) warn(0.0f);  // nothing in danger
  for (int frame = 0; frame < 7; ++frame) warn(900.0f);
  EXPECT_FALSE(invasion.invasionRunning);
  warn(900.0f);  // the twentieth frame in the band
  EXPECT_TRUE(invasion.invasionRunning);

  // A frame in a higher band starts the count again.
  danger = DangerState{};
  invasion = InvasionState{};
  for (int frame = 0; frame < 19; ++frame) warn(900.0f);
  warn(850.0f);
  for (int frame = 0; frame < 19; ++frame) warn(900.0f);
  EXPECT_FALSE(invasion.invasionRunning);
  // Past twenty frames the warning is quieter.
  danger.warningClock = 100.0f;
  rig_->sound.events.clear();
  warn(900.0f);
  EXPECT_TRUE(invasion.invasionRunning);
  warn(900.0f);
  danger.warningClock = 100.0f;
  rig_->sound.events.clear();
  warn(900.0f);
  auto plays = rig_->sound.Calls(platform::SoundCall::Play);
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(plays[0].attenuation, volumes.effectsVolume - 1000);

  // A new stage starts the count afresh.
  danger = DangerState{};
  invasion = InvasionState{};
  for (int frame = 0; frame < 15; ++frame) warn(900.0f);
  Invasion(0, 1000);
  EXPECT_FALSE(invasion.invasionRunning);
  for (int frame = 0; frame < 19; ++frame) warn(900.0f);
  EXPECT_FALSE(invasion.invasionRunning);
}

TEST_F(PusherTest, TheInvasionLasts1400UnitsOfIntruders) {
  frameClock.frameStep = 10.0f;
  Invasion(0, -1500);
  ASSERT_EQ(objects.objectCount, 1);
  EXPECT_EQ(objects.flags[0], OBJECT_INTRUDER);
  EXPECT_EQ(objects.x[0], 512.0f);
  EXPECT_EQ(objects.y[0], 974.0f);
  Invasion(0, -1500);  // one runs already
  EXPECT_EQ(objects.objectCount, 1);
  TakePlayed();
  int frames = 0, gameOvers = 0, intruderSounds = 0;
  while (!flow.tryLostRequested && frames < 1000) {
    Frame();
    ++frames;
    for (int id : TakePlayed()) {
      gameOvers += id == sfx.gameOver;
      intruderSounds += id == sfx.invasion;
    }
  }
  EXPECT_EQ(frames * 10, 1400);
  EXPECT_EQ(gameOvers, 1);
  EXPECT_FALSE(invasion.invasionRunning);
  EXPECT_EQ(invasion.invasionClock, 0.0f);
  // New intruders came every 0..29 units, each with its sound; none ever leaves.
  EXPECT_GE(CountFlags(OBJECT_INTRUDER), 1400 / 30);
  EXPECT_EQ(intruderSounds, CountFlags(OBJECT_INTRUDER) - 1);
}

TEST_F(PusherTest, TheDangerStripPulsesWhileTheFieldOverflowsOrEnergyIsLow) {
  struct Case {
    bool overflow;
    int energy;
    bool drawn;
  };
  const Case cases[] = {
      {false, 100, false}, {true, 100, true}, {false, 29, true}, {false, 30, false}};
  for (const Case& c : cases) {
    fieldCounts.fieldOverflow = c.overflow;
    player.energy = c.energy;
    danger.stripClock = 19.6f;
    Drawn().clear();
    DangerStrip();
    ASSERT_EQ(Drawn().size(), c.drawn ? 1u : 0u) << c.overflow << " " << c.energy;
    if (!c.drawn) continue;
    const auto& d = Drawn()[0];
    EXPECT_EQ(d.left, 460.0f);
    EXPECT_EQ(d.top, 60.0f);
    EXPECT_FLOAT_EQ(d.y, 487.0f);
    EXPECT_FLOAT_EQ(d.scaleX, 10.24f);
    EXPECT_FLOAT_EQ(d.scaleY, 1.0f);
    EXPECT_EQ(d.colour, 0x3AFFFFFFu);  // int |20.6 - 50| = 29, doubled
  }
}

}  // namespace
}  // namespace vx::test
