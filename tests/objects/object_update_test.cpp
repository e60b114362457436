#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "core/game_state.h"
#include "field/bonuses.h"
#include "field/field_tables.h"
#include "field/links.h"
#include "field/shooter.h"
#include "objects/object_update.h"
#include "objects/pops.h"
#include "objects/pusher.h"
#include "objects_fixture.h"
#include "persist/stage_files.h"
#include "table_compare.h"

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

TEST_F(ObjectUpdateTest, TheBombSoundLoopsWhileABombFalls) {
  auto calls = [&](platform::SoundCall call) {
    int n = 0;
    for (const auto& e : rig_->sound.Calls(call)) n += e.channel == sfx.bombFall;
    return n;
  };
  // A breaking carrier drops its bomb with the sound looping; low down it only flashes.
  PlaceCell(2, 2, 4, CELL_PLACED | CELL_BOMB | CELL_BREAKING);
  PlaceCell(3, 17, 4, CELL_PLACED | CELL_BOMB | CELL_BREAKING);
  DropBomb(0);
  DropBomb(1);
  auto plays = rig_->sound.Calls(platform::SoundCall::Play);
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_EQ(plays[0].flags, platform::kPlayLooping);
  EXPECT_EQ(plays[1].flags, 0);
  rig_->sound.events.clear();

  Frame();
  Frame();
  EXPECT_EQ(calls(platform::SoundCall::Play), 0);  // still sounding
  EXPECT_EQ(calls(platform::SoundCall::Stop), 0);
  objects.objectCount = 0;
  Frame();
  EXPECT_EQ(calls(platform::SoundCall::Stop), 1);  // the first frame without a bomb
  Frame();
  EXPECT_EQ(calls(platform::SoundCall::Stop), 1);

  // Leaving play stops it; back in play with the bomb still falling, it sounds again.
  rig_->sound.events.clear();
  AppendObject(300.0f, 100.0f, -1, OBJECT_BOMB, 0.0f);
  rig_->sound.playing[sfx.bombFall] = true;
  Frame();
  LeavePlay();
  EXPECT_EQ(calls(platform::SoundCall::Stop), 1);
  Frame();
  plays = rig_->sound.Calls(platform::SoundCall::Play);
  ASSERT_EQ(plays.size(), 1u);
  EXPECT_EQ(plays[0].channel, sfx.bombFall);
  EXPECT_EQ(plays[0].flags, platform::kPlayLooping);
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

// Everything a frame of the object update may change.
struct World {
  FieldCells cellTable;
  FieldObjects objectTable;
  FieldCounts counts;
  NextBallQueue queueValues;
  ShooterState shooterValues;
  BonusState bonus;
  BlastState blastValues;
  InvasionState invasionValues;
  DangerState dangerValues;
  ObjectUpdateState updateValues;
  PlayerState playerValues;
  GameFlow flowValues;
  int randomCalls = 0;
  std::vector<platform::SoundEvent> sounds;
  bool sounding[platform::kSoundChannels] = {};
  std::vector<platform::SpriteDraw> draws;
};

TEST_F(ObjectUpdateTest, PackingTheTableAnswersAsRemovingOneByOne) {
  std::mt19937 rng(5150);
  auto uniform = [&](float lo, float hi) {
    return std::uniform_real_distribution<float>(lo, hi)(rng);
  };
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  auto start = std::make_unique<World>();
  auto reference = std::make_unique<World>();
  auto got = std::make_unique<World>();
  auto capture = [&](World& w) {
    w.cellTable = cells;
    w.objectTable = objects;
    w.counts = fieldCounts;
    w.queueValues = queue;
    w.shooterValues = shooter;
    w.bonus = bonuses;
    w.blastValues = blast;
    w.invasionValues = invasion;
    w.dangerValues = danger;
    w.updateValues = objectUpdate;
    w.playerValues = player;
    w.flowValues = flow;
    w.randomCalls = test::CountingRandom::calls;
    w.sounds = rig_->sound.events;
    std::copy(rig_->sound.playing, rig_->sound.playing + platform::kSoundChannels, w.sounding);
    w.draws = Drawn();
  };
  auto restore = [&](const World& w) {
    cells = w.cellTable;
    objects = w.objectTable;
    fieldCounts = w.counts;
    queue = w.queueValues;
    shooter = w.shooterValues;
    bonuses = w.bonus;
    blast = w.blastValues;
    invasion = w.invasionValues;
    danger = w.dangerValues;
    objectUpdate = w.updateValues;
    player = w.playerValues;
    flow = w.flowValues;
    rig_->sound.events.clear();
    std::copy(w.sounding, w.sounding + platform::kSoundChannels, rig_->sound.playing);
    Drawn().clear();
  };
  int removals = 0, largeFrames = 0;
  for (int field = 0; field < 60; ++field) {
    ResetFieldTables();
    SetCellSize(50, 50);
    blast = BlastState{};
    invasion = InvasionState{};
    for (int i = pick(200); i > 0; --i)
      AppendCell(uniform(0.0f, 980.0f), uniform(0.0f, 980.0f),
                 pick(3) == 0 ? 18 + pick(16) : 1 + pick(9),
                 pick(4) == 0 ? CELL_PLACED | CELL_BOMB : CELL_PLACED, uniform(0.0f, 3000.0f));
    // Objects of every behaviour, many near their end, some with two bits.
    const int objectsWanted = pick(4) == 0 ? 4000 + pick(1000) : pick(1500);
    for (int i = 0; i < objectsWanted; ++i) {
      int flags = 1 << pick(14);
      if (pick(5) == 0) flags |= 1 << pick(14);
      AppendObject(uniform(0.0f, 1000.0f), uniform(0.0f, 1000.0f), -(1 + pick(9)), flags,
                   pick(2) == 0 ? uniform(0.0f, 0.5f) : uniform(0.0f, 200.0f));
    }
    if (pick(2) == 0) {
      blast.blastClock = uniform(0.0f, 100.0f);
      blast.nextBlastMark = blast.blastClock - uniform(0.0f, 30.0f);
    }
    if (pick(2) == 0) {
      invasion.invasionClock = uniform(0.0f, 1500.0f);
      invasion.nextIntruderMark = invasion.invasionClock - uniform(0.0f, 30.0f);
      invasion.invasionRunning = true;
    }
    player.energy = pick(40);
    shooter.shotActive = pick(2) == 0;
    shooter.ballX = uniform(0.0f, 1000.0f);
    shooter.ballY = uniform(0.0f, 1000.0f);
    queue.queueRefill = false;
    frameClock.frameStep = uniform(0.5f, 20.0f);
    rig_->sound.events.clear();
    Drawn().clear();
    for (int frame = 0; frame < 3; ++frame) {
      objectUpdate.removedThisFrame = false;
      capture(*start);
      const unsigned seed = rng();
      test::CountingRandom::Start(seed);
      UpdateObjectsReference();
      capture(*reference);
      restore(*start);
      test::CountingRandom::Start(seed);
      UpdateObjects();
      capture(*got);

      SCOPED_TRACE(::testing::Message() << "field " << field << " frame " << frame);
      ASSERT_TRUE(test::SameObjects(got->objectTable, reference->objectTable));
      ASSERT_TRUE(test::SameCells(got->cellTable, reference->cellTable));
      ASSERT_EQ(got->counts.remainingColourCells, reference->counts.remainingColourCells);
      ASSERT_EQ(got->counts.clearedColourCells, reference->counts.clearedColourCells);
      ASSERT_EQ(got->counts.fieldOverflow, reference->counts.fieldOverflow);
      ASSERT_EQ(got->shooterValues.shotActive, reference->shooterValues.shotActive);
      ASSERT_EQ(got->shooterValues.shotColour, reference->shooterValues.shotColour);
      ASSERT_EQ(got->playerValues.energy, reference->playerValues.energy);
      ASSERT_EQ(got->flowValues.tryLostRequested, reference->flowValues.tryLostRequested);
      ASSERT_EQ(got->blastValues.blastClock, reference->blastValues.blastClock);
      ASSERT_EQ(got->blastValues.secondaryCount, reference->blastValues.secondaryCount);
      ASSERT_EQ(got->invasionValues.invasionClock, reference->invasionValues.invasionClock);
      ASSERT_EQ(got->invasionValues.invasionFlash, reference->invasionValues.invasionFlash);
      ASSERT_EQ(got->updateValues.removedThisFrame, reference->updateValues.removedThisFrame);
      ASSERT_EQ(got->randomCalls, reference->randomCalls);
      ASSERT_EQ(got->sounds.size(), reference->sounds.size());
      for (size_t k = 0; k < got->sounds.size(); ++k) {
        ASSERT_EQ(got->sounds[k].call, reference->sounds[k].call) << k;
        ASSERT_EQ(got->sounds[k].channel, reference->sounds[k].channel) << k;
      }
      ASSERT_EQ(got->draws.size(), reference->draws.size());
      for (size_t k = 0; k < got->draws.size(); ++k) {
        ASSERT_EQ(got->draws[k].texture, reference->draws[k].texture) << k;
        ASSERT_EQ(got->draws[k].x, reference->draws[k].x) << k;
        ASSERT_EQ(got->draws[k].y, reference->draws[k].y) << k;
        ASSERT_EQ(got->draws[k].scaleX, reference->draws[k].scaleX) << k;
        ASSERT_EQ(got->draws[k].colour, reference->draws[k].colour) << k;
      }
      const int ended = start->objectTable.objectCount - objects.objectCount;
      removals += ended > 0 ? ended : 0;
      largeFrames += ended > 500;
      ++flow.playFrameCounter;
      rig_->sound.events.clear();
      Drawn().clear();
    }
  }
  // Many objects ended, thousands in some frames.
  EXPECT_GT(removals, 5000);
  EXPECT_GT(largeFrames, 5);
}

}  // namespace
}  // namespace vx::test
