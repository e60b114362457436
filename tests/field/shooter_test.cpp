#include <gtest/gtest.h>

#include <vector>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/sprite.h"
#include "field/bonuses.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "field_fixture.h"
#include "objects/pusher.h"
#include "storage/texture.h"

namespace vx::test {
namespace {

class ShooterTest : public FieldTest {
 protected:
  void Hold(int key, bool down) { rig_->keyboard.keys[key] = down ? 0x80 : 0; }

  // Fires and runs frames until the shot has landed or flown off.
  void FireAndWait(float frameStep) {
    frameClock.frameStep = frameStep;
    flow.clickThisFrame = true;
    UpdateShooter();
    flow.clickThisFrame = false;
    for (int frame = 0; frame < 20 && shooter.shotActive; ++frame) UpdateShooter();
    ASSERT_FALSE(shooter.shotActive);
  }

  static int FindObject(int flags) {
    for (int i = 0; i < objects.objectCount; ++i)
      if (objects.flags[i] == flags) return i;
    return -1;
  }
};

TEST_F(ShooterTest, MouseAndKeysTurnTheLauncher) {
  struct Case {
    const char* name;
    float start;
    int mouseTo;  // from 256
    bool rightButton;
    int keys[2];
    float frameStep;
    float expected;
  };
  const Case cases[] = {
      {"mouse: a quarter of the motion", 0, 276, false, {}, 1, 5},
      {"mouse with the right button: a twentieth", 0, 276, true, {}, 1, 1},
      {"mouse to the left", 10, 216, false, {}, 1, 0},
      {"mouse clamped at once", 80, 300, false, {}, 1, 87},
      {"left arrow: a degree per step unit", 0, 256, false, {KEY_LEFT}, 2, -2},
      {"right arrow", 0, 256, false, {KEY_RIGHT}, 2.5f, 2.5f},
      {"shift: a tenth", 0, 256, false, {KEY_LSHIFT, KEY_RIGHT}, 2, 0.2f},
      {"no key turn past the limit", -87, 256, false, {KEY_LEFT}, 2, -87},
      {"a key turn may pass the limit", 86.9f, 256, false, {KEY_RIGHT}, 5, 91.9f},
  };
  for (const Case& c : cases) {
    shooter = ShooterState{};
    shooter.aimAngle = c.start;
    shooter.lastClickTick = static_cast<int>(c.start) / 3;
    mouse.pointerX = c.mouseTo;
    mouse.right = c.rightButton;
    for (int k : c.keys)
      if (k) Hold(k, true);
    frameClock.frameStep = c.frameStep;
    UpdateShooter();
    EXPECT_FLOAT_EQ(shooter.aimAngle, c.expected) << c.name;
    for (int k : c.keys)
      if (k) Hold(k, false);
  }
  // The angle past the limit is clamped at the start of the next frame.
  UpdateShooter();
  EXPECT_FLOAT_EQ(shooter.aimAngle, 87.0f);

  // The mouse x wraps into 0..511.
  shooter = ShooterState{};
  mouse.pointerX = 600;
  UpdateShooter();
  EXPECT_EQ(mouse.pointerX, 88);
  EXPECT_EQ(shooter.prevMouseX, 88);
}

TEST_F(ShooterTest, TheWheelClicksEveryThreeWholeDegrees) {
  struct Case {
    float angle;
    int tick;  // the tick the click last sounded for, from tick 0
  };
  // trunc makes -2.9 and 2.9 both tick 0.
  const Case cases[] = {{-2.9f, 0}, {2.9f, 0}, {3.0f, 1}, {5.9f, 1}, {-3.0f, -1}, {-6.5f, -2}};
  frameClock.frameStep = 0.0f;
  for (const Case& c : cases) {
    shooter = ShooterState{};
    shooter.aimAngle = c.angle;
    UpdateShooter();
    EXPECT_EQ(shooter.lastClickTick, c.tick) << c.angle;
  }
}

TEST_F(ShooterTest, AClickStillSoundingIsRetriedNextFrame) {
  LoadFieldSounds();
  frameClock.frameStep = 0.0f;
  shooter.aimAngle = 3.5f;
  UpdateShooter();
  EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.wheelClick});
  EXPECT_EQ(shooter.lastClickTick, 1);

  rig_->sound.playing[sfx.wheelClick] = true;
  shooter.aimAngle = 6.2f;
  UpdateShooter();
  EXPECT_TRUE(TakePlayed().empty());
  EXPECT_EQ(shooter.lastClickTick, 1);

  rig_->sound.Finish(sfx.wheelClick);
  UpdateShooter();
  EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.wheelClick});
  EXPECT_EQ(shooter.lastClickTick, 2);
}

TEST_F(ShooterTest, FiringAndLandingPlayTheWorldsOwnVariant) {
  LoadFieldSounds();
  // Variants 1..5 belong to the worlds in order; 0 is the neutral one, never a world's.
  struct Case {
    int stagesPerWorld, stage;
    int variant;
  };
  const Case cases[] = {{100, 0, 1}, {100, 99, 1}, {100, 100, 2}, {100, 499, 5},
                        {10, 25, 3}, {10, 49, 5},  {1, 3, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "stage " << c.stage << " of " << c.stagesPerWorld);
    ResetFieldTables();
    SetCellSize(50, 50);
    shooter = ShooterState{};
    flow.stagesPerWorld = c.stagesPerWorld;
    flow.stageNumber = c.stage;
    frameClock.frameStep = 20.0f;
    flow.clickThisFrame = true;
    UpdateShooter();
    flow.clickThisFrame = false;
    ASSERT_TRUE(shooter.shotActive);
    EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.fireWorld[c.variant]});
    for (int frame = 0; frame < 20 && shooter.shotActive; ++frame) UpdateShooter();
    ASSERT_EQ(cells.cellCount, 1);  // settled on the ceiling line
    std::vector<int> played = TakePlayed();
    ASSERT_FALSE(played.empty());
    EXPECT_EQ(played.back(), sfx.landedWorld[c.variant]);
  }
  // A laser bonus fires the laser instead.
  for (int laser : {1, 2}) {
    shooter = ShooterState{};
    bonuses.laserBonus = laser;
    flow.clickThisFrame = true;
    UpdateShooter();
    ASSERT_TRUE(shooter.shotActive);
    EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.laser1}) << laser;
    EXPECT_EQ(queue.queueState, QUEUE_SLIDE);
  }
}

TEST_F(ShooterTest, TheFlyingBallSoundsOnceForTheWallPointsItPasses) {
  LoadFieldSounds();
  // 45 degrees to the right: the path meets the right wall, then the ceiling line.
  TurnLauncher(45.0f);
  frameClock.frameStep = 0.1f;
  UpdateShooter();
  int wall = -1;
  for (int k = 0; k < aimPath.pathCount && wall < 0; ++k)
    if (aimPath.flags[k] & PATH_BOUNCE) wall = k;
  ASSERT_GT(wall, 0);
  flow.clickThisFrame = true;
  UpdateShooter();  // fires and passes point 0
  flow.clickThisFrame = false;
  TakePlayed();
  // Frames of one point each up to just before the wall point, then one frame across it.
  for (int k = 1; k < wall; ++k) UpdateShooter();
  EXPECT_TRUE(TakePlayed().empty());
  frameClock.frameStep = 0.5f;  // five points
  UpdateShooter();
  EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.bounce});
}

TEST_F(ShooterTest, TheGuideMarksEveryThirtiethPointAndANoPlaceMarker) {
  Texture characters{22, 512, 512, 1};
  sprites.sheets[kCharacterSheet] = &characters;
  auto& drawn = rig_->gpu.sprites;
  auto dots = [&] {
    std::vector<int> at;
    for (const auto& d : drawn) {
      if (d.left != 141 || d.top != 14 || d.right != 149 || d.bottom != 22) continue;
      for (int k = 0; k < aimPath.pathCount; ++k)
        if (d.x == (aimPath.x[k] + 21) * 0.5f && d.y == (aimPath.y[k] + 21) * 0.5f) at.push_back(k);
    }
    return at;
  };
  auto markers = [&] {
    int n = 0;
    for (const auto& d : drawn) n += d.left == 230 && d.top == 360 && d.right == 280;
    return n;
  };

  // Straight up to the ceiling line: 971 points. Timer 4.5 less a step of 1 leaves phase 3,
  // so the dots fall on the points 27, 57, ... 957.
  flow.aimGuide = true;
  frameClock.frameStep = 1.0f;
  shooter.guideTimer = 4.5f;
  UpdateShooter();
  ASSERT_EQ(aimPath.pathCount, 971);
  std::vector<int> expected;
  for (int k = 27; k < 971; k += 30) expected.push_back(k);
  EXPECT_EQ(dots(), expected);
  EXPECT_EQ(markers(), 0);

  // Without the guide flag nothing is drawn while the shot finds a place.
  drawn.clear();
  flow.aimGuide = false;
  UpdateShooter();
  EXPECT_TRUE(dots().empty());

  // A shot that will find no place shows the guide anyway, and the marker where it leaves.
  drawn.clear();
  TurnLauncher(87.0f);
  UpdateShooter();
  ASSERT_EQ(shooter.pathResult, 0);
  EXPECT_EQ(dots().size(), 50u);
  EXPECT_EQ(markers(), 1);
}

TEST_F(ShooterTest, TheLandingSearchWalksBackToTheLastFreePlace) {
  // Straight up, the path ends on a cell at 450..500 x 300..350 with its last point at
  // y 336.5, whose place (475, 350) is free: the shot stops one point short of the end.
  int touched = PlaceCell(9, 6, 2);
  UpdateShooter();
  ASSERT_TRUE(aimPath.endedOnCell);
  ASSERT_EQ(aimPath.hitCell, touched);
  const int count = aimPath.pathCount;
  EXPECT_EQ(shooter.landX, 475.0f);
  EXPECT_EQ(shooter.landY, 350.0f);
  EXPECT_EQ(shooter.pathStop, count - 2);

  // A block beside the way up covers that place's left side: the search walks back to the
  // first point below (y 375.5), whose place is (500, 400).
  AppendBlock(440.0f, 350.0f, 0);
  UpdateShooter();
  ASSERT_EQ(aimPath.pathCount, count);  // the block is clear of the flight
  EXPECT_EQ(shooter.landX, 500.0f);
  EXPECT_EQ(shooter.landY, 400.0f);
  EXPECT_EQ(shooter.pathStop, count - 41);
}

TEST_F(ShooterTest, TheLandingSlideTakesFourStepsThenShowsTheCell) {
  int landed = PlaceCell(2, 2, 5);
  int other = AppendCell(300, 300, 6, 0, 0.0f);  // another hidden cell appears with it
  StartLandingSlide(100.0f, 100.0f, 140.0f, 180.0f, 5, landed);
  EXPECT_EQ(cells.flags[landed], 0);
  frameClock.frameStep = 1.0f;
  // The first step at once, then one every 13 frames (0.08 a frame reaching 1).
  EXPECT_TRUE(UpdateLandingSlide());
  EXPECT_FLOAT_EQ(shooter.slideX, 110.0f);
  EXPECT_FLOAT_EQ(shooter.slideY, 120.0f);
  int busyFrames = 1;
  while (UpdateLandingSlide()) ++busyFrames;
  EXPECT_EQ(busyFrames, 1 + 3 * 13);
  EXPECT_FLOAT_EQ(shooter.slideX, 140.0f);
  EXPECT_FLOAT_EQ(shooter.slideY, 180.0f);
  EXPECT_EQ(cells.flags[landed], CELL_PLACED);
  EXPECT_EQ(cells.flags[other], CELL_PLACED);
}

TEST_F(ShooterTest, FiringWaitsForTheLandingSlideAndTheLostShot) {
  frameClock.frameStep = 0.1f;
  enum Busy { None, Slide, LostShot };
  for (Busy busy : {None, Slide, LostShot}) {
    shooter = ShooterState{};
    if (busy == Slide) StartLandingSlide(400, 400, 425, 450, 2, -1);
    if (busy == LostShot) StartLostShot(500, 500, 2, 0, -1);
    EXPECT_EQ(ShooterBusy(), busy != None) << busy;
    flow.clickThisFrame = true;
    UpdateShooter();
    EXPECT_EQ(shooter.shotActive, busy == None) << busy;
  }
  // Once the lost shot has left the screen, the next click fires.
  shooter.lostY = -100;
  flow.clickThisFrame = false;
  UpdateShooter();
  flow.clickThisFrame = true;
  UpdateShooter();
  EXPECT_TRUE(shooter.shotActive);
}

TEST_F(ShooterTest, AShotSettlingInTheBottomZonePopsAndStartsTheInvasion) {
  // Rows start 20 units down, so the place below a low cell is row 19 at y 970, within a
  // quarter cell of the bottom line (974).
  geometry.ceilingOffset = 20.0f;
  PlaceCell(9, 18, 4);  // 450..500 x 920..970, just above the launcher
  shooter.shotColour = 6;
  FireAndWait(20.0f);

  EXPECT_EQ(shooter.landX, 475.0f);
  EXPECT_EQ(shooter.landY, 970.0f);
  EXPECT_EQ(cells.cellCount, 1);  // the shot left no cell
  int pop = FindObject(OBJECT_POPPING);
  ASSERT_GE(pop, 0);
  EXPECT_EQ(objects.code[pop], -6);
  EXPECT_EQ(objects.x[pop], 475.0f);
  EXPECT_EQ(objects.y[pop], 970.0f);
  EXPECT_TRUE(shooter.invasionDue);  // the play frame starts the invasion after the shooter
  EXPECT_EQ(shooter.slideSteps, 0.0f);
}

TEST_F(ShooterTest, AnAbsorbedShotReappearsWithAHitFlashAndNoSlide) {
  // Without the absorber the lone ball settles at the ceiling and slides into place.
  shooter.shotColour = 3;
  FireAndWait(20.0f);
  ASSERT_EQ(cells.cellCount, 1);
  EXPECT_EQ(cells.y[0], 0.0f);
  EXPECT_EQ(shooter.slideSteps, 4.0f);
  EXPECT_EQ(cells.flags[0], 0);  // hidden until the slide ends
  EXPECT_EQ(FindObject(OBJECT_HIT_FLASH), -1);

  ResetFieldTables();
  SetCellSize(50, 50);
  shooter = ShooterState{};
  shooter.shotColour = 3;
  AppendObject(487.0f, 600.0f, 18, OBJECT_ABSORBER, 3000.0f);
  FireAndWait(20.0f);
  EXPECT_TRUE(aimPath.pathFlags & PATH_ABSORBED);
  ASSERT_EQ(cells.cellCount, 1);
  EXPECT_EQ(cells.kind[0], 3);
  EXPECT_EQ(cells.flags[0], CELL_PLACED);
  EXPECT_EQ(shooter.slideSteps, 0.0f);
  int flash = FindObject(OBJECT_HIT_FLASH);
  ASSERT_GE(flash, 0);
  EXPECT_EQ(objects.code[flash], 12);
  EXPECT_EQ(objects.x[flash], cells.x[0]);
  EXPECT_EQ(objects.y[flash], cells.y[0]);
  // A free grid place, clear of the danger zone.
  GridPlace g = SnapToGrid(static_cast<int>(cells.x[0]), static_cast<int>(cells.y[0]));
  EXPECT_EQ(static_cast<float>(g.x), cells.x[0]);
  EXPECT_EQ(static_cast<float>(g.y), cells.y[0]);
  EXPECT_LE(cells.y[0], geometry.bottomLine - 168.0f);
}

TEST_F(ShooterTest, AShotWithNoPlaceFliesOffAndLeavesNoCell) {
  TurnLauncher(87.0f);
  FireAndWait(20.0f);
  EXPECT_TRUE(shooter.lostActive);
  EXPECT_EQ(cells.cellCount, 0);
  for (int frame = 0; frame < 200 && shooter.lostActive; ++frame) UpdateShooter();
  EXPECT_FALSE(shooter.lostActive);
}

TEST_F(ShooterTest, AStepThatTouchesACellAndIsAbsorbedEndsAbsorbed) {
  // Straight up, the ball first touches the seed (450..500 x 300..350) at y 337.5, where its
  // centre (512, 362.5) is also exactly 75 units below the absorber: swallowed on that step.
  PlaceCell(9, 6, KIND_SEED);
  AppendObject(512.0f, 287.5f, 18, OBJECT_ABSORBER, 3000.0f);
  shooter.shotColour = 3;
  FireAndWait(20.0f);
  EXPECT_TRUE(aimPath.pathFlags & PATH_ABSORBED);
  EXPECT_FALSE(aimPath.endedOnCell);
  EXPECT_EQ(aimPath.y[aimPath.pathCount - 1], 337.5f);
  // No special reacted: the seed stands, the shot reappeared elsewhere as a plain ball (the
  // next ball's colour choice sorts the table, so look them up by place).
  ASSERT_EQ(cells.cellCount, 2);
  const int standing = FindCellAt(450.0f, 300.0f);
  ASSERT_GE(standing, 0);
  EXPECT_EQ(cells.kind[standing], KIND_SEED);
  EXPECT_EQ(cells.kind[1 - standing], 3);
  EXPECT_EQ(shooter.hitCellOfShot, -1);
}

TEST_F(ShooterTest, TheCellTheBallTouchesIsTakenAtItsLanding) {
  // Straight up the path ends on the seed; cells removed during the flight move it to another
  // index, or take it away.
  enum Removed { Before, Touched, None };
  for (Removed removed : {Before, Touched, None}) {
    SCOPED_TRACE(removed);
    ResetFieldTables();
    SetCellSize(50, 50);
    shooter = ShooterState{};
    bonuses = BonusState{};
    PlaceCell(0, 12, 9);                          // index 0, far away
    const int seed = PlaceCell(9, 6, KIND_SEED);  // index 1, where the path ends
    PlaceCell(18, 2, KIND_LASER_GIFT);            // index 2
    shooter.shotColour = 3;
    frameClock.frameStep = 20.0f;
    flow.clickThisFrame = true;
    UpdateShooter();  // aims at the seed and fires
    flow.clickThisFrame = false;
    ASSERT_TRUE(shooter.shotActive);
    ASSERT_EQ(aimPath.hitCell, seed);
    if (removed == Before) RemoveCell(0);
    if (removed == Touched) RemoveCell(seed);
    for (int frame = 0; frame < 20 && shooter.shotActive; ++frame) UpdateShooter();
    ASSERT_FALSE(shooter.shotActive);

    // The laser gift never reacts: the laser bonus stays off and the gift stands.
    EXPECT_EQ(bonuses.laserBonus, 0);
    bool gift = false, seedStands = false;
    for (int i = 0; i < cells.cellCount; ++i) {
      gift |= cells.kind[i] == KIND_LASER_GIFT;
      seedStands |= cells.kind[i] == KIND_SEED;
    }
    EXPECT_TRUE(gift);
    // The seed breaks with the shot it was touched by; with the seed gone the shot stays.
    EXPECT_FALSE(seedStands);
    const bool shotStays = removed == Touched;
    bool shotCell = false;
    for (int i = 0; i < cells.cellCount; ++i) shotCell |= cells.kind[i] == 3;
    EXPECT_EQ(shotCell, shotStays);
  }
}

}  // namespace
}  // namespace vx::test
