#include <gtest/gtest.h>

#include <vector>

#include "core/game_state.h"
#include "field/field_tables.h"
#include "objects/object_update.h"
#include "objects/pops.h"
#include "objects/pusher.h"
#include "objects_fixture.h"
#include "persist/stage_files.h"

namespace vx::test {
namespace {

class ObjectUpdateTest : public ObjectsTest {};

// Which behaviour ran for an object, told apart by what it did to its timer and place and by
// the first picture it drew.
enum class Ran {
  Nothing,
  Popping,
  Falling,
  Growing,
  Deflector,
  Absorber,
  HitFlash,
  ColourChanger,
  LaserBeam,
  BeamFlash,
  Bomb,
  BombBlast,
  Intruder
};

TEST_F(ObjectUpdateTest, TheFirstBehaviourBitInTheFixedOrderWins) {
  struct Case {
    int flags;
    Ran ran;
  };
  const Case cases[] = {
      {0, Ran::Nothing},
      {0x1000, Ran::Nothing},  // not a behaviour bit
      {0x80, Ran::Popping},
      {0x80 | 0x40, Ran::Popping},
      {0x40, Ran::Falling},
      {0x40 | 0x20, Ran::Falling},
      {0x20, Ran::Growing},
      {0x10, Ran::Growing},
      {0x10 | 0x08, Ran::Growing},
      {0x08, Ran::Deflector},
      {0x08 | 0x04, Ran::Deflector},
      {0x04, Ran::Absorber},
      {0x04 | 0x02, Ran::Absorber},
      {0x02, Ran::HitFlash},
      {0x02 | 0x01, Ran::HitFlash},
      {0x01, Ran::ColourChanger},
      {0x01 | 0x100, Ran::ColourChanger},
      {0x100, Ran::LaserBeam},
      {0x100 | 0x200, Ran::LaserBeam},
      {0x200, Ran::BeamFlash},
      {0x200 | 0x400, Ran::BeamFlash},
      {0x400, Ran::Bomb},
      {0x400 | 0x800, Ran::Bomb},
      {0x800, Ran::BombBlast},
      {0x800 | 0x2000, Ran::BombBlast},
      {0x2000, Ran::Intruder},
      {0x2000 | 0x1000, Ran::Intruder},
  };
  for (const Case& c : cases) {
    ResetFieldTables();
    SetCellSize(50, 50);
    blast = BlastState{};
    blast.blastClock = 90.0f;
    blast.nextBlastMark = 0.0f;
    invasion = InvasionState{};
    invasion.invasionClock = 900.0f;
    invasion.nextIntruderMark = 0.0f;
    AppendObject(300.0f, 300.0f, 12, c.flags, 20.0f);
    Drawn().clear();
    Frame();
    SCOPED_TRACE(c.flags);
    ASSERT_EQ(objects.objectCount, 1);
    const float dt = objects.timer[0] - 20.0f, dy = objects.y[0] - 300.0f;
    std::vector<int> codes = CharacterCodes();
    const int first = codes.empty() ? -1 : codes[0];
    Ran ran = Ran::Nothing;
    if (dy == 20.0f) {
      ran = Ran::Falling;  // speed 20, frame step 1
    } else if (dy == 1.0f) {
      ran = Ran::Bomb;  // old bombs fall at 1 unit per step
    } else if (dt < 0.0f && dt > -0.5f) {
      ran = Ran::Popping;
    } else if (dt == -1.0f) {
      ran = first == 21   ? Ran::Growing
            : first == 29 ? Ran::Deflector
            : first == 30 ? Ran::Absorber
            : first == 31 ? Ran::ColourChanger
            : first == 32 ? Ran::LaserBeam
                          : Ran::Nothing;
    } else if (dt == 1.0f) {
      if (first == 12) ran = Ran::HitFlash;
      if (first == 32) ran = Ran::BeamFlash;
      if (first == 21 && blast.blastClock < 90.0f) ran = Ran::BombBlast;
      if (first == 21 && invasion.invasionClock < 900.0f) ran = Ran::Intruder;
    }
    EXPECT_EQ(ran, c.ran);
  }
}

TEST_F(ObjectUpdateTest, TheEntryMovingIntoAFreedSlotWaitsForTheNextFrame) {
  // Objects: a hit flash at the end of its life, then two fresh ones.
  AppendObject(0.0f, 0.0f, 12, OBJECT_HIT_FLASH, 149.5f);
  AppendObject(100.0f, 0.0f, 12, OBJECT_HIT_FLASH, 0.0f);
  AppendObject(200.0f, 0.0f, 12, OBJECT_HIT_FLASH, 0.0f);
  // Cells: a deflector ball about to mature, then two more, the first a bomb carrier.
  AppendCell(0.0f, 0.0f, 29, CELL_PLACED, 999.5f);
  AppendCell(50.0f, 0.0f, 29, CELL_PLACED | CELL_BOMB, 10.0f);
  AppendCell(100.0f, 0.0f, 29, CELL_PLACED, 10.0f);
  Frame();

  // The matured ball's deflector and popping ball come after the older objects.
  ASSERT_EQ(objects.objectCount, 4);
  EXPECT_EQ(objects.x[0], 100.0f);
  EXPECT_EQ(objects.timer[0], 0.0f) << "moved into the freed slot: not updated";
  EXPECT_EQ(objects.x[1], 200.0f);
  EXPECT_EQ(objects.timer[1], 1.0f);
  EXPECT_EQ(objects.flags[2], OBJECT_DEFLECTOR);
  EXPECT_EQ(objects.flags[3], OBJECT_POPPING);

  ASSERT_EQ(cells.cellCount, 2);
  // The carrier moved into the freed slot: its kind's behaviour waits, but the carrier pulse
  // runs for whatever cell stands at the index afterwards.
  EXPECT_EQ(cells.x[0], 50.0f);
  EXPECT_EQ(cells.timer[0], 11.0f);
  EXPECT_EQ(cells.timer[1], 11.0f);
}

TEST_F(ObjectUpdateTest, DrawCellImagePicksTheRectangleAndPlacesIt) {
  struct Case {
    int code, sheet;
    int left, top, right, bottom;  // given rectangle
    bool stageBalls;
    unsigned texture;  // 0: nothing drawn
    float texLeft, texTop;
  };
  const Case cases[] = {
      {1, 0, 0, 0, 0, 0, true, kBalls, 0, 0},
      {7, 0, 0, 0, 0, 0, true, kBalls, 50, 50},
      // Without the stage's ball picture: the character sheet's colour-ball frames.
      {1, 0, 0, 0, 0, 0, false, kCharacters, 180, 260},
      {9, 0, 0, 0, 0, 0, false, kCharacters, 230, 310},
      {0, 0, 0, 0, 0, 0, true, kCharacters, 130, 260},
      {21, 0, 0, 0, 0, 0, true, kCharacters, 130, 410},
      {13, 0, 0, 0, 0, 0, true, 0, 0, 0},
      {-4, 0, 0, 0, 0, 0, true, 0, 0, 0},
      {214, 0, 0, 0, 0, 0, true, kGems0, 200, 50},
      {214, 1, 0, 0, 0, 0, true, kGems1, 200, 50},
      {214, 2, 0, 0, 0, 0, true, kGems1, 200, 50},  // gem sheets stop at 1
      {150, 0, 0, 0, 0, 0, true, 0, 0, 0},
      {21, 3, 0, 0, 0, 0, true, 0, 0, 0},
      {21, -1, 0, 0, 0, 0, true, 0, 0, 0},
      // A given rectangle comes from the character sheet, whatever the code.
      {3, 0, 460, 60, 510, 110, true, kCharacters, 460, 60},
  };
  for (const Case& c : cases) {
    cellImages.stageBalls = c.stageBalls ? &balls_ : nullptr;
    Drawn().clear();
    DrawCellImage(100.0f, 60.0f, c.code, c.left, c.top, c.right, c.bottom, 50.0f, c.sheet, 1.0f,
                  1.0f, 0, 0.0f);
    SCOPED_TRACE(c.code);
    if (c.texture == 0) {
      EXPECT_TRUE(Drawn().empty());
      continue;
    }
    ASSERT_EQ(Drawn().size(), 1u);
    const auto& d = Drawn()[0];
    EXPECT_EQ(d.texture, c.texture);
    EXPECT_EQ(d.left, c.texLeft);
    EXPECT_EQ(d.top, c.texTop);
    EXPECT_EQ(d.right - d.left, 50.0f);
    EXPECT_EQ(d.colour, 0x7FFFFFFFu);
  }

  // Anchors, with 40-unit cells (scale 0.4 of a frame on screen) at scale (2, 3): the image
  // is 40 x 40 units wide at scale 1, so centring shifts it by half the growth.
  SetCellSize(40, 40);
  struct Anchor {
    int anchor;
    float x, y;  // surface position
  };
  const Anchor anchors[] = {{0, 50.0f, 30.0f}, {1, 40.0f, 10.0f}, {2, 40.0f, -10.0f}};
  for (const Anchor& a : anchors) {
    Drawn().clear();
    DrawCellImage(100.0f, 60.0f, 21, 0, 0, 0, 0, 100.0f, 0, 2.0f, 3.0f, a.anchor, 90.0f);
    ASSERT_EQ(Drawn().size(), 1u);
    const auto& d = Drawn()[0];
    EXPECT_FLOAT_EQ(d.x, a.x) << a.anchor;
    EXPECT_FLOAT_EQ(d.y, a.y) << a.anchor;
    EXPECT_FLOAT_EQ(d.scaleX, 0.8f);
    EXPECT_FLOAT_EQ(d.scaleY, 1.2f);
    // Turned about the middle of the frame, both coordinates from the horizontal scale.
    EXPECT_FLOAT_EQ(d.centreX, 20.0f);
    EXPECT_FLOAT_EQ(d.centreY, 20.0f);
    EXPECT_NEAR(d.angle, 1.5707963f, 1e-6f);
  }
}

TEST_F(ObjectUpdateTest, TheBombSoundStopsOnTheFirstFrameWithoutABomb) {
  AppendObject(300.0f, 100.0f, -1, OBJECT_BOMB, 0.0f);
  Frame();
  Frame();
  EXPECT_TRUE(rig_->sound.Calls(platform::SoundCall::Stop).empty());
  objects.objectCount = 0;
  Frame();
  auto stops = rig_->sound.Calls(platform::SoundCall::Stop);
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0].channel, sfx.bombFall);
  Frame();
  EXPECT_EQ(rig_->sound.Calls(platform::SoundCall::Stop).size(), 1u);
}

TEST_F(ObjectUpdateTest, TheEighthStageOfFifteenStretchesThePushIntervalOnce) {
  struct Case {
    int stage;
    int cleared;
    float interval;
  };
  const Case cases[] = {
      {7, 40, 60000.0f},  {7, 41, 300000.0f}, {22, 41, 300000.0f},
      {6, 500, 60000.0f}, {8, 500, 60000.0f}, {0, 500, 60000.0f},
  };
  for (const Case& c : cases) {
    objectUpdate = ObjectUpdateState{};
    stageFiles.pushInterval = 60000.0f;
    flow.stageNumber = c.stage;
    fieldCounts.clearedColourCells = c.cleared;
    PushIntervalCheck();
    PushIntervalCheck();  // once only
    EXPECT_EQ(stageFiles.pushInterval, c.interval) << c.stage << " " << c.cleared;
  }
  // The first frame of a stage may stretch again (the interval is the stage file's, and a
  // stage file without one keeps the last).
  objectUpdate = ObjectUpdateState{};
  stageFiles.pushInterval = 60000.0f;
  flow.stageNumber = 7;
  fieldCounts.clearedColourCells = 41;
  PushIntervalCheck();
  flow.firstPlayFrame = true;
  PushIntervalCheck();
  EXPECT_EQ(stageFiles.pushInterval, 60000.0f * 5.0f * 5.0f);
}

}  // namespace
}  // namespace vx::test
