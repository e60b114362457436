#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/game_state.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/pops.h"
#include "objects_fixture.h"

namespace vx::test {
namespace {

class PopsTest : public ObjectsTest {
 protected:
  // What the popping ball at index 0 shows this frame: "w" wobbling, "e1".."e8" an explosion
  // image, "" nothing.
  std::string PopFrame() {
    Drawn().clear();
    Frame();
    if (Drawn().empty()) return "";
    const auto& d = Drawn()[0];
    if (d.texture >= kExplosion1 && d.texture < kExplosion1 + 8)
      return "e" + std::to_string(d.texture - kExplosion1 + 1);
    return "w";
  }
  // A falling bomb, its sound already looping as the breaking carrier left it.
  void AppendBomb(float x, float y, float timer) {
    AppendObject(x, y, -1, OBJECT_BOMB, timer);
    rig_->sound.playing[sfx.bombFall] = true;
  }
  // The flying ball at (x, y) with the queue ready to load the next.
  static void ShotAt(float x, float y) {
    shooter.shotActive = true;
    shooter.ballX = x;
    shooter.ballY = y;
    queue.colour[0] = 6;
    queue.queueRefill = false;
    queue.queueState = QUEUE_SLIDE;
  }
};

TEST_F(PopsTest, PoppingBallsWobbleThenBurstThroughEightImages) {
  struct Case {
    float timer;
    int wobbleFrames;  // frames drawn whole, at frame step 1
  };
  // From 9: table B for one frame, then table A down to 8 (about 143 units); from 8: one
  // frame of A. Then the eight images from 8 down to 1, 12.5 units each.
  const Case cases[] = {{9.0f, 142}, {8.0f, 1}};
  ScriptedRandom::Install({0});  // the ball's own colour whenever it flickers
  for (const Case& c : cases) {
    SCOPED_TRACE(c.timer);
    objects.objectCount = 0;
    AppendObject(100.0f, 100.0f, -4, OBJECT_POPPING, c.timer);
    std::vector<std::string> shown;
    for (int frame = 0; frame < 400 && objects.objectCount > 0; ++frame) {
      if (frame == 0) {
        // The first frame's size comes from table B (+1 at phase 0) or A (-1 at phase 0).
        Drawn().clear();
        Frame();
        ASSERT_EQ(Drawn().size(), 1u);
        EXPECT_EQ(Drawn()[0].texture, static_cast<unsigned>(kBalls));
        EXPECT_FLOAT_EQ(Drawn()[0].scaleX, 0.5f * (c.timer >= 9.0f ? 1.04f : 0.96f));
        shown.push_back("w");
        continue;
      }
      shown.push_back(PopFrame());
    }
    ASSERT_EQ(objects.objectCount, 0);
    int wobble = 0;
    while (wobble < static_cast<int>(shown.size()) && shown[wobble] == "w") ++wobble;
    EXPECT_NEAR(wobble, c.wobbleFrames, 1);
    // Then every image from 8 down to 1, each for 12 or 13 frames, and nothing else.
    std::vector<std::string> order;
    std::vector<int> lengths;
    for (size_t k = wobble; k < shown.size(); ++k) {
      if (order.empty() || order.back() != shown[k]) {
        order.push_back(shown[k]);
        lengths.push_back(0);
      }
      ++lengths.back();
    }
    EXPECT_EQ(order, (std::vector<std::string>{"e8", "e7", "e6", "e5", "e4", "e3", "e2", "e1"}));
    for (int n : lengths) EXPECT_TRUE(n == 12 || n == 13) << n;
  }
}

TEST_F(PopsTest, FallingBallsLeaveOnlyBelowTheField) {
  AppendObject(100.0f, 1000.0f, 3, OBJECT_FALLING, 2.0f);
  frameClock.frameStep = 12.0f;  // 24 units: 1024 exactly
  Frame();
  ASSERT_EQ(objects.objectCount, 1);
  EXPECT_EQ(objects.y[0], 1024.0f);
  EXPECT_FLOAT_EQ(objects.timer[0], 2.6f);  // speeds up by 0.05 a unit
  Frame();
  EXPECT_EQ(objects.objectCount, 0);
}

TEST_F(PopsTest, AShotBombFallsOnWhileHighAndIsDefusedLow) {
  struct Case {
    float y;
    bool high;
  };
  // High means above bottomLine - 268.8 (974 - 268.8 = 705.2 for 50-unit cells).
  const Case cases[] = {{300.0f, true}, {705.0f, true}, {705.5f, false}, {900.0f, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    ResetFieldTables();
    SetCellSize(50, 50);
    flow.previousState = Play;
    AppendBomb(400.0f, c.y, 0.0f);  // at rest on its first frame
    ShotAt(420.0f, c.y + 20.0f);
    TakePlayed();
    Frame();
    EXPECT_FALSE(shooter.shotActive);
    EXPECT_EQ(shooter.shotColour, 6);
    EXPECT_EQ(queue.queueState, QUEUE_SHIFT);
    int bombs = 0, flashes = 0;
    for (int i = 0; i < objects.objectCount; ++i) {
      bombs += objects.flags[i] == OBJECT_BOMB;
      if (objects.flags[i] == OBJECT_HIT_FLASH) {
        ++flashes;
        EXPECT_EQ(objects.x[i], 400.0f);
        EXPECT_EQ(objects.y[i], c.y);
      }
    }
    EXPECT_EQ(bombs, c.high ? 1 : 0);
    EXPECT_EQ(flashes, 1);
    EXPECT_EQ(TakePlayed(), std::vector<int>{c.high ? sfx.break1 : sfx.shotGhost});
  }
  // The hit box reaches half a cell left and above, one and a half right and below.
  struct Box {
    float ballX, ballY;
    bool hit;
  };
  const Box boxes[] = {{375.0f, 275.0f, true},
                       {374.9f, 300.0f, false},
                       {474.9f, 374.9f, true},
                       {475.0f, 300.0f, false},
                       {400.0f, 375.0f, false}};
  for (const Box& b : boxes) {
    objects.objectCount = 0;
    AppendBomb(400.0f, 300.0f, 0.0f);
    ShotAt(b.ballX, b.ballY);
    Frame();
    EXPECT_EQ(shooter.shotActive, !b.hit) << b.ballX << ", " << b.ballY;
  }
}

TEST_F(PopsTest, ALandingBombBlastsAndASecondLandingRestartsTheBlast) {
  frameClock.frameStep = 5.0f;
  ScriptedRandom::Install({29});  // a secondary blast every 29 units or so
  AppendBomb(300.0f, 970.0f, 1.0f);
  Frame();  // falls 5 units: it lands
  EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.bombLanded});
  ASSERT_EQ(objects.objectCount, 1);
  EXPECT_EQ(objects.flags[0], OBJECT_BOMB_BLAST);
  EXPECT_EQ(objects.x[0], 300.0f);
  // It moved into the bomb's freed slot: it starts next frame.
  EXPECT_EQ(blast.blastClock, 100.0f);
  EXPECT_EQ(blast.flashClock, 35.0f);
  for (int frame = 0; frame < 8; ++frame) Frame();
  EXPECT_EQ(blast.blastClock, 60.0f);  // once a frame, however many blasts
  EXPECT_EQ(blast.secondaryCount, 1);  // the first secondary at 70, 29 units in
  EXPECT_LT(blast.flashClock, 0.0f);

  AppendBomb(700.0f, 973.0f, 1.0f);
  Frame();
  // The older blasts ran first (55), then the landing restarted the sequence.
  EXPECT_EQ(blast.blastClock, 100.0f);
  EXPECT_EQ(blast.secondaryCount, 0);
  EXPECT_EQ(blast.flashClock, 35.0f);
  EXPECT_EQ(blast.nextBlastMark, 71.0f);
}

TEST_F(PopsTest, EveryFallOfTheEnergyBelowOneAsksForTheTryLostMenu) {
  frameClock.frameStep = 10.0f;
  ScriptedRandom::Install({29});
  player.energy = 20;
  blast.blastClock = 10000.0f;  // a long sequence: a secondary blast every third frame
  blast.nextBlastMark = 10000.0f;
  AppendObject(300.0f, 974.0f, -1, OBJECT_BOMB_BLAST, 0.0f);
  std::vector<int> energies, requests;
  for (int frame = 0; frame < 200; ++frame) {
    const int before = player.energy;
    Frame();
    if (player.energy != before) energies.push_back(player.energy);
    if (flow.tryLostRequested) requests.push_back(player.energy);
    flow.tryLostRequested = false;  // the play frame opens the menu and clears it
  }
  // 8 for every fourth secondary blast, not held at 0; a request each time it is below 1.
  ASSERT_GE(energies.size(), 5u);
  EXPECT_EQ(std::vector<int>(energies.begin(), energies.begin() + 5),
            (std::vector<int>{12, 4, -4, -12, -20}));
  EXPECT_EQ(std::vector<int>(requests.begin(), requests.begin() + 3),
            (std::vector<int>{-4, -12, -20}));
  EXPECT_EQ(requests.size(), energies.size() - 2);
}

TEST_F(PopsTest, GrowingBallsCountDownInHundredsAndGrowIntoACell) {
  struct Case {
    float timer;  // before the frame; a frame step of 1 comes off first
    int digit;
  };
  const Case cases[] = {{800.0f, 7}, {701.0f, 7}, {700.0f, 6}, {101.0f, 1}, {100.5f, 0}, {2.0f, 0}};
  for (const Case& c : cases) {
    objects.objectCount = 0;
    AppendObject(200.0f, 200.0f, 5, OBJECT_GROWING_SEED, c.timer);
    Drawn().clear();
    Frame();
    int digit = -1;
    for (const auto& d : Drawn())
      if (d.top == 0 && d.bottom == 24) digit = static_cast<int>(d.left - 160) / 20;
    EXPECT_EQ(digit, c.digit) << c.timer;
  }

  // It grows even where a ball has landed meanwhile: the cell is simply added.
  objects.objectCount = 0;
  PlaceCell(4, 4, 2);
  AppendObject(cells.x[0], cells.y[0], 25, OBJECT_GROWING_BALL, 1.0f);
  TakePlayed();
  Frame();
  EXPECT_EQ(objects.objectCount, 0);
  ASSERT_EQ(cells.cellCount, 2);
  EXPECT_EQ(cells.x[1], cells.x[0]);
  EXPECT_EQ(cells.y[1], cells.y[0]);
  EXPECT_EQ(cells.kind[1], 25);
  EXPECT_EQ(cells.flags[1], CELL_PLACED);
  EXPECT_EQ(cells.timer[1], 0.0f);
  EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.fxGrow});
}

TEST_F(PopsTest, AShotTakesAGrowingBall) {
  flow.previousState = Play;
  AppendObject(200.0f, 200.0f, 5, OBJECT_GROWING_BALL, 500.0f);
  ShotAt(210.0f, 240.0f);
  TakePlayed();
  Frame();
  EXPECT_FALSE(shooter.shotActive);
  EXPECT_EQ(queue.queueState, QUEUE_SHIFT);
  ASSERT_EQ(objects.objectCount, 1);
  EXPECT_EQ(objects.flags[0], OBJECT_HIT_FLASH);
  EXPECT_EQ(cells.cellCount, 0);
  EXPECT_EQ(TakePlayed(), std::vector<int>{sfx.shotFx});
}

}  // namespace
}  // namespace vx::test
