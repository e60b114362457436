#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/game_state.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/ball_powers.h"
#include "objects_fixture.h"

namespace vx::test {
namespace {

class SpecialsTest : public ObjectsTest {
 protected:
  // The ball that matured at x this frame left a popping ball and the newest object of its
  // kind, already a frame into its life.
  void ExpectLeft(int kind, int flags, int code, float life, float x) {
    SCOPED_TRACE(kind);
    int left = -1, popped = -1;
    for (int i = 0; i < objects.objectCount; ++i) {
      if (objects.x[i] != x) continue;
      if (objects.flags[i] == flags) left = i;
      if (objects.flags[i] == OBJECT_POPPING) popped = i;
    }
    ASSERT_GE(left, 0);
    EXPECT_EQ(objects.code[left], code);
    EXPECT_EQ(objects.timer[left], life - frameClock.frameStep);
    ASSERT_GE(popped, 0);
    EXPECT_EQ(objects.code[popped], -kind);
  }
  int CountObjects(int flags) {
    int n = 0;
    for (int i = 0; i < objects.objectCount; ++i) n += objects.flags[i] == flags;
    return n;
  }
  // Frames until no object with `flags` is left (at most `limit`).
  int FramesUntilGone(int flags, int limit) {
    int frames = 0;
    while (CountObjects(flags) > 0 && frames < limit) {
      Frame();
      ++frames;
    }
    return frames;
  }
};

TEST_F(SpecialsTest, MaturedSpecialsLeaveTheirAuraOrBeam) {
  struct Case {
    int kind;
    int flags, code;
    float life;
  };
  const Case cases[] = {{29, OBJECT_DEFLECTOR, 18, 3000.0f},
                        {30, OBJECT_ABSORBER, 18, 3000.0f},
                        {31, OBJECT_COLOUR_CHANGER, 12, 3000.0f},
                        {32, OBJECT_LASER_BEAM, -1, 800.0f}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    // One grown during play matures after 1000 units of age; a loaded one (10000) at once.
    AppendCell(100.0f, 200.0f, c.kind, CELL_PLACED, 0.0f);
    AppendCell(300.0f, 200.0f, c.kind, CELL_PLACED, 10000.0f);
    frameClock.frameStep = 10.0f;
    Frame();
    ASSERT_EQ(cells.cellCount, 1) << c.kind;
    EXPECT_EQ(cells.x[0], 100.0f);
    ExpectLeft(c.kind, c.flags, c.code, c.life, 300.0f);
    for (int frame = 1; frame < 99; ++frame) Frame();
    EXPECT_EQ(cells.cellCount, 1) << c.kind << ": 990 units old";
    Frame();
    EXPECT_EQ(cells.cellCount, 0) << c.kind;
    ExpectLeft(c.kind, c.flags, c.code, c.life, 100.0f);
  }
}

TEST_F(SpecialsTest, AurasLiveTheirUnitsWhateverTheFrameRate) {
  struct Case {
    int flags;
    float life;
    float frameStep;
  };
  const Case cases[] = {
      {OBJECT_DEFLECTOR, 3000.0f, 1.0f},      {OBJECT_ABSORBER, 3000.0f, 20.0f},
      {OBJECT_COLOUR_CHANGER, 3000.0f, 5.0f}, {OBJECT_LASER_BEAM, 800.0f, 4.0f},
      {OBJECT_BEAM_FLASH, 0.0f, 2.0f},        {OBJECT_HIT_FLASH, 0.0f, 3.0f},
  };
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    AppendObject(500.0f, 300.0f, 18, c.flags, c.life);
    frameClock.frameStep = c.frameStep;
    // Auras and beams count down from their life, flashes up to theirs (100 and 150 units).
    const float units = c.flags == OBJECT_BEAM_FLASH  ? 100.0f
                        : c.flags == OBJECT_HIT_FLASH ? 150.0f
                                                      : c.life;
    const int frames = FramesUntilGone(c.flags, 100000);
    EXPECT_EQ(frames, static_cast<int>(units / c.frameStep)) << c.flags << " at " << c.frameStep;
  }
}

TEST_F(SpecialsTest, AuraRingsGrowAndFadeEveryHundredUnits) {
  AppendObject(500.0f, 300.0f, 18, OBJECT_ABSORBER, 2950.0f);
  frameClock.frameStep = 10.0f;
  Frame();
  // v = 100 - 2950 mod 100 + 10 = 60: ring at scale 2.2 and opacity 40, then 1 and 3.
  ASSERT_EQ(Drawn().size(), 3u);
  const float expected[3] = {2.2f, 1.0f, 3.0f};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(CharacterCode(Drawn()[k]), 30);
    EXPECT_FLOAT_EQ(Drawn()[k].scaleX, 0.5f * expected[k]);
    EXPECT_EQ(Drawn()[k].colour >> 24, 102u);  // opacity 40
  }
}

TEST_F(SpecialsTest, OneBeamStopsTheShotAndTheOthersSeeNoShot) {
  const float x = 400.0f;
  AppendObject(x, 100.0f, -1, OBJECT_LASER_BEAM, 500.0f);  // first in object order
  AppendObject(900.0f, 100.0f, 18, OBJECT_ABSORBER, 3000.0f);
  AppendObject(x, 300.0f, -1, OBJECT_LASER_BEAM, 500.0f);  // the same column
  AppendObject(600.0f, 300.0f, -1, OBJECT_LASER_BEAM, 500.0f);
  struct Case {
    float ballX;
    bool stopped;
  };
  // The beam's column is x - half a cell up to (not including) x + half a cell.
  const Case cases[] = {{374.0f, false}, {425.0f, false}, {424.9f, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ballX);
    shooter.shotActive = true;
    shooter.ballX = c.ballX;
    shooter.ballY = 700.0f;
    Frame();
    EXPECT_EQ(shooter.shotActive, !c.stopped);
    EXPECT_EQ(CountObjects(OBJECT_BEAM_FLASH), c.stopped ? 1 : 0);
    EXPECT_EQ(CountObjects(OBJECT_LASER_BEAM), c.stopped ? 2 : 3);
  }
  // The first beam went, the second (a frame on) saw no shot; the flash is where the ball was.
  EXPECT_EQ(objects.x[1], x);
  EXPECT_EQ(objects.y[1], 300.0f);
  EXPECT_EQ(objects.timer[1], 497.0f);
  const int flash = objects.objectCount - 1;
  EXPECT_EQ(objects.x[flash], 424.9f);
  EXPECT_EQ(objects.y[flash], 700.0f);
}

TEST_F(SpecialsTest, SpringsMadeInPlayBreakByAgeAndLoadedOnesNever) {
  struct Case {
    int kind;
    float timer;
    bool breaks;
  };
  const Case cases[] = {{23, 0.0f, true},      {24, 0.0f, true},  {28, 0.0f, true},
                        {23, 10000.0f, false}, {22, 0.0f, false}, {26, 0.0f, false}};
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    AppendCell(200.0f, 200.0f, c.kind, CELL_PLACED, c.timer);
    frameClock.frameStep = 10.0f;
    for (int frame = 0; frame < 250; ++frame) Frame();
    EXPECT_EQ(cells.cellCount, 1) << c.kind << ": 2500 units is not past the age";
    Frame();
    EXPECT_EQ(cells.cellCount, c.breaks ? 0 : 1) << c.kind << " from " << c.timer;
    if (c.breaks) {
      EXPECT_EQ(objects.code[objects.objectCount - 1], -c.kind);
    }
    // A permanent one keeps its age at the mark.
    if (c.timer >= 10000.0f) {
      EXPECT_EQ(cells.timer[0], 10000.0f);
    }
  }
}

TEST_F(SpecialsTest, BombCarriersGrowFromAWorldsFirstStageToItsLast) {
  // The share of colour balls with CELL_BOMB over many random draws.
  std::mt19937 rng(4242);
  static std::mt19937* source = &rng;
  randomSource.next = [] { return static_cast<int>((*source)() % 32768u); };
  struct Case {
    int stagesPerWorld, stage;
    double share;  // (99 - threshold) / 100
  };
  const Case cases[] = {{100, 0, 0.09}, {100, 99, 0.39}, {100, 250, 0.24},
                        {10, 0, 0.09},  {10, 9, 0.36},   {10, 45, 0.24}};
  for (const Case& c : cases) {
    flow.stagesPerWorld = c.stagesPerWorld;
    flow.stageNumber = c.stage;
    int carriers = 0, balls = 0, specials = 0;
    for (int round = 0; round < 8; ++round) {
      ResetFieldTables();
      SetCellSize(20, 20);
      for (int i = 0; i < 4000; ++i)
        AppendCell(static_cast<float>(i % 50 * 20), static_cast<float>(i / 50 * 10), 1 + i % 9,
                   CELL_PLACED, 0.0f);
      for (int i = 0; i < 500; ++i) AppendCell(0.0f, 0.0f, 22 + i % 10, CELL_PLACED, 10000.0f);
      ChooseBombCarriers();
      for (int i = 0; i < cells.cellCount; ++i) {
        const bool bomb = (cells.flags[i] & CELL_BOMB) != 0;
        if (IsColourKind(cells.kind[i])) {
          ++balls;
          carriers += bomb;
        } else {
          specials += bomb;
        }
      }
    }
    const double share = static_cast<double>(carriers) / balls;
    EXPECT_NEAR(share, c.share, 0.01) << c.stagesPerWorld << " per world, stage " << c.stage;
    EXPECT_EQ(specials, 0);
  }
}

}  // namespace
}  // namespace vx::test
