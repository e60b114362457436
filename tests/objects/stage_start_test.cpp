#include <filesystem>
#include <utility>
#include <vector>

#include "app/dispatcher.h"
#include "audio/sound.h"
#include "core/frame_clock.h"
#include "core/random.h"
#include "field/bonuses.h"
#include "field/next_ball_queue.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "objects/pusher.h"
#include "persist/best_times.h"
#include "persist/settings.h"
#include "persist/stage_files.h"
#include "platform/files.h"
#include "stage_fixture.h"

namespace vx::test {
namespace {

namespace fs = std::filesystem;

class StageStartTest : public StageTest {};

// The stage file of a stage follows the stage set and the stages per world that stage file 1
// gives; each candidate file holds one cell whose x is its own number.
TEST_F(StageStartTest, LoadsTheStageFileOfItsSetAndWorld) {
  const struct {
    const char* what;
    int stageSet, stage, perWorldInFile1, file, world;
  } cases[] = {
      {"stage 0 of the basic set is stage file 1 itself", 0, 0, 100, 1, 1},
      {"stage set 2 with 100 stages a world", 2, 0, 100, 1001, 1},
      {"stage file 1's 10 a world is read before the number is made", 1, 3, 10, 54, 1},
      {"the second world of 10", 0, 12, 10, 13, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all("edit");
    flow.stagesPerWorld = 100;
    WriteStageFile(1, "c3 w50 h50 z" + std::to_string(c.perWorldInFile1) + " p60 d0>1 0 1,.");
    if (c.file != 1) WriteStageFile(c.file, "c3 w50 h50>" + std::to_string(c.file) + " 0 2,.");
    flow.stageSet = c.stageSet;
    flow.stageNumber = c.stage;

    ASSERT_EQ(StartStage(), 0);
    EXPECT_EQ(flow.stagesPerWorld, c.perWorldInFile1);
    ASSERT_EQ(cells.cellCount, 1);
    EXPECT_EQ(cells.x[0], static_cast<float>(c.file));
    EXPECT_EQ(stageStart.currentWorld, c.world);
    EXPECT_EQ(WidthOf(stageStart.background), BackgroundWidth(c.world));
    EXPECT_EQ(flow.gameState, StageInfo);
  }
}

TEST(StageFileNumberTest, ANumberBeyondIntNamesNoFile) {
  EXPECT_EQ(StageFileNumber(0, 2, 100), 1001);
  EXPECT_EQ(StageFileNumber(0, 1000, 1000000), 0);
  EXPECT_EQ(StageFileNumber(2147483647, 0, 1), 0);
}

// With emptiness 0 a place gets a ball exactly when rand() mod 100 is above 0: a source that
// always says 1 fills every column that fits, one that says 0 or 100 fills none.
TEST_F(StageStartTest, RandomFieldWithoutEmptinessFillsEveryColumnThatFits) {
  const struct {
    const char* what;
    int (*source)();
    bool full;
  } cases[] = {
      {"rand() mod 100 is 1", +[] { return 1; }, true},
      {"rand() mod 100 is 0", +[] { return 0; }, false},
      {"rand() is 100, its remainder 0", +[] { return 100; }, false},
  };
  // n = 7 has 60-unit cells down to 300. The places that fit: x + 60 below 1024, odd rows
  // half a cell to the right.
  std::vector<std::pair<float, float>> places;
  for (int row = 0; row * 60 <= 300; ++row)
    for (int x = row % 2 ? 30 : 0; x + 60 < 1024; x += 60) places.push_back({x, row * 60});
  ASSERT_EQ(places.size(), 99u);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    randomSource.next = c.source;
    BuildRandomField(7);
    ASSERT_EQ(cells.cellCount, c.full ? 99 : 0);
    for (int i = 0; i < cells.cellCount; ++i) {
      EXPECT_EQ(cells.x[i], places[static_cast<std::size_t>(i)].first);
      EXPECT_EQ(cells.y[i], places[static_cast<std::size_t>(i)].second);
      EXPECT_EQ(cells.flags[i], CELL_PLACED);
    }
  }
  randomSource = RandomSource{};
}

TEST_F(StageStartTest, RandomFieldsStayInsideTheFieldAndNeverUseColourNine) {
  bool eightSeen = false;
  for (int n = 0; n <= 16; ++n) {
    SCOPED_TRACE(n);
    const RandomFieldParameters p = RandomFieldParametersFor(n);
    BuildRandomField(n);
    EXPECT_EQ(geometry.cellWidth, p.cellSize);
    EXPECT_EQ(geometry.cellHeight, p.cellSize);
    EXPECT_EQ(geometry.colourCount, p.colourCount);
    for (int i = 0; i < cells.cellCount; ++i) {
      ASSERT_GE(cells.kind[i], 1);
      ASSERT_LE(cells.kind[i], 8);
      eightSeen |= cells.kind[i] == 8;
      EXPECT_LE(cells.y[i], static_cast<float>(p.fieldDepth));
      EXPECT_LT(cells.x[i] + p.cellSize, 1024.0f);
    }
  }
  EXPECT_TRUE(eightSeen);
  // The first row serves n of 1 and less, the last every n from 15 on.
  EXPECT_EQ(RandomFieldParametersFor(-3).cellSize, 50);
  EXPECT_EQ(RandomFieldParametersFor(3).cellSize, 30);
  EXPECT_EQ(RandomFieldParametersFor(14).cellSize, 120);
  EXPECT_EQ(RandomFieldParametersFor(99).cellSize, 20);
}

// One stage after the other, so a value left from the previous stage shows.
TEST_F(StageStartTest, GeometryFollowsTheCellSizeOfEachStage) {
  WriteStageFile(5, "c4 w40 h70>0 0 1,.");
  WriteStageFile(6, ">0 0 1,.");
  WriteStageFile(7, "w0 h0>0 0 1,.");  // a cell size of 0 would divide by zero in every snap
  const struct {
    const char* what;
    int stage;
    int cellWidth, cellHeight, colourCount;
    float scaleX, scaleY, bottomLine, shotStartX, shotStartY;
  } cases[] = {
      {"random field of 30-unit cells", 2, 30, 30, 2, 0.6f, 0.6f, 994, 497, 980.5f},
      {"random field of 120-unit cells", 13, 120, 120, 4, 2.4f, 2.4f, 904, 452, 935.5f},
      {"stage file of 40 x 70", 4, 40, 70, 4, 0.8f, 1.4f, 954, 492, 960.5f},
      {"stage file without sizes", 5, 50, 50, 3, 1, 1, 974, 487, 970.5f},
      {"stage file with sizes of 0", 6, 50, 50, 3, 1, 1, 974, 487, 970.5f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    flow.stageNumber = c.stage;
    ASSERT_EQ(StartStage(), 0);
    const FieldGeometry& g = geometry;
    EXPECT_EQ(g.cellWidth, c.cellWidth);
    EXPECT_EQ(g.cellHeight, c.cellHeight);
    EXPECT_EQ(g.cellWidthF, static_cast<float>(c.cellWidth));
    EXPECT_EQ(g.cellHeightF, static_cast<float>(c.cellHeight));
    EXPECT_EQ(g.colourCount, c.colourCount);
    EXPECT_FLOAT_EQ(g.cellScaleX, c.scaleX);
    EXPECT_FLOAT_EQ(g.cellScaleY, c.scaleY);
    EXPECT_EQ(g.bottomLine, c.bottomLine);
    EXPECT_EQ(g.shotStartX, c.shotStartX);
    EXPECT_EQ(g.shotStartY, c.shotStartY);
    EXPECT_EQ(g.launcherLeft, 453.5f);
    EXPECT_EQ(g.launcherTop, 768.0f);
    EXPECT_EQ(g.blockLimit, 768.0f);
  }
}

TEST_F(StageStartTest, MissingPicturesStopTheStartWithTheirMessage) {
  Members noBackground = StageData();
  for (int w = 1; w <= 5; ++w)
    noBackground = Without(noBackground, "pho\\bkg" + std::to_string(w) + ".tga");
  const struct {
    const char* what;
    Members data;
    int stage;
    const char* text;
    const char* caption;
  } cases[] = {
      {"sky", Without(StageData(), "img\\sky.jpg"), 0, "sky.jpg", "Game_0Stage3()"},
      {"pusher", Without(StageData(), "img\\pusher.tga"), 0, "img\\pusher.tga",
       "Game_Stage03 Unable to load"},
      {"every background", noBackground, 250, "pho\\bkg3.tga", "Stage0 Error Loading"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rig_ = &InstallHeadless();
    app.startupDone = true;
    WriteArchive("_data.loc", c.data);
    flow.stageNumber = c.stage;

    EXPECT_EQ(StartStage(), E_FAIL);
    EXPECT_EQ(flow.gameState, StageInfo);
    ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
    EXPECT_EQ(rig_->dialogs.shown[0].text, c.text);
    EXPECT_EQ(rig_->dialogs.shown[0].caption, c.caption);
    // Nothing after the failed load ran: no field was built, no settings were written.
    EXPECT_EQ(cells.cellCount, 0);
    EXPECT_FALSE(fs::exists(kSettingsFile));
  }
}

// Stage set 2 plays world 2 (stage 100): its own pictures first, the basic archive's next,
// world 1's background last; without any ball picture the previous world's must not stay.
TEST_F(StageStartTest, PicturesFallBackFromTheSetToTheBasicArchive) {
  const int kSetBackground = 450, kSetBalls = 350;
  const struct {
    const char* what;
    Members set;
    const char* missingFromBasic;
    int background, balls;
  } cases[] = {
      {"the set's own",
       {{"pho\\bkg2.tga", MakeTga(kSetBackground, 2)}, {"img\\ball2.tga", MakeTga(kSetBalls, 2)}},
       "",
       kSetBackground,
       kSetBalls},
      {"missing from the set", {}, "", BackgroundWidth(2), BallWidth(2)},
      {"world 2's background nowhere", {}, "pho\\bkg2.tga", BackgroundWidth(1), BallWidth(2)},
      {"world 2's balls nowhere", {}, "img\\ball2.tga", BackgroundWidth(2), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteArchive("_data.loc", StageData());
    flow.stageSet = 0;
    flow.stageNumber = 0;
    ASSERT_EQ(StartStage(), 0);
    ASSERT_EQ(WidthOf(cellImages.stageBalls), BallWidth(1));
    const int live = rig_->gpu.LiveTextures();

    WriteArchive("_data.loc", Without(StageData(), c.missingFromBasic));
    WriteArchive("_data2.loc", c.set);
    flow.stageSet = 2;
    flow.stageNumber = 100;
    ASSERT_EQ(StartStage(), 0);
    EXPECT_EQ(WidthOf(stageStart.background), c.background);
    EXPECT_EQ(WidthOf(cellImages.stageBalls), c.balls);
    EXPECT_EQ(WidthOf(stageStart.sky), kSkyWidth);
    EXPECT_EQ(WidthOf(stageStart.pusher), kPusherWidth);
    // Every reloaded slot gave its previous picture back.
    EXPECT_EQ(rig_->gpu.LiveTextures(), live - (c.balls ? 0 : 1));
  }
}

// Fire and landing sounds 1..5 are replaced in their own slots at every stage start: from the
// set's sound archive, else from the basic one. A variant missing from both leaves its slot
// empty, and a later stage set that has it fills the same slot again.
TEST_F(StageStartTest, WorldSoundsComeFromTheSetOrTheBasicArchive) {
  Members basic;
  for (int n = 0; n <= 5; ++n) {
    basic.push_back({"son\\fire" + std::to_string(n) + ".wav", Wav(SamplesFor(10 + n))});
    basic.push_back({"son\\landed" + std::to_string(n) + ".wav", Wav(SamplesFor(20 + n))});
  }
  WriteArchive("_sfx.loc", basic);
  ASSERT_TRUE(CreateSoundSystem());
  LoadEffectList();
  int fireSlots[6], landedSlots[6];
  for (int n = 0; n <= 5; ++n) {
    fireSlots[n] = sfx.fireWorld[n];
    landedSlots[n] = sfx.landedWorld[n];
    ASSERT_GE(fireSlots[n], 0);
  }
  WriteArchive("_sfx.loc", Without(basic, "son\\landed4.wav"));
  WriteArchive("_sfx2.loc", {{"son\\fire3.wav", Wav(SamplesFor(33))},
                             {"son\\fire5.wav", "RIFF, but not a sound"}});
  WriteArchive("_sfx1.loc", {{"son\\landed4.wav", Wav(SamplesFor(44))}});
  auto held = [&](int slot) {
    const auto& d = rig_->sound.data[slot];
    return std::string(d.begin(), d.end());
  };

  flow.stageSet = 2;
  ASSERT_EQ(StartStage(), 0);
  const struct {
    const char* what;
    int variable, slot;
    std::string samples;
  } cases[] = {
      {"fire 3 of the set", sfx.fireWorld[3], fireSlots[3], SamplesFor(33)},
      {"fire 1 of the basic archive", sfx.fireWorld[1], fireSlots[1], SamplesFor(11)},
      {"fire 5 unusable in the set", sfx.fireWorld[5], fireSlots[5], SamplesFor(15)},
      {"landed 2 of the basic archive", sfx.landedWorld[2], landedSlots[2], SamplesFor(22)},
      {"fire 0 is no stage variant", sfx.fireWorld[0], fireSlots[0], SamplesFor(10)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.variable, c.slot);
    EXPECT_EQ(held(c.slot), c.samples);
  }
  EXPECT_EQ(sfx.landedWorld[4], -1);
  EXPECT_TRUE(held(landedSlots[4]).empty());

  flow.stageSet = 1;
  ASSERT_EQ(StartStage(), 0);
  EXPECT_EQ(sfx.landedWorld[4], landedSlots[4]);
  EXPECT_EQ(held(landedSlots[4]), SamplesFor(44));
  EXPECT_EQ(held(fireSlots[3]), SamplesFor(13));  // back to the basic one
}

// Whatever the last stage left behind, the new stage starts from the same values.
TEST_F(StageStartTest, ResetsEveryPerStageValue) {
  flow.stageNumber = 3;
  flow.firstPlayFrame = false;
  flow.lastCellCount = 7;
  bestTimes.newRecord = true;
  AppendObject(1, 2, 3, OBJECT_FALLING, 0);
  invasion.invasionRunning = true;
  invasion.invasionClock = 800;
  bonuses.guideGiftActive = true;
  bonuses.laserBonus = 2;
  fieldCounts.clearedColourCells = 41;
  pusher.pushWarning = true;
  pusher.pushClock = 5000;
  pusher.pusherOffset = 60;
  pusher.pusherBottom = 60;
  geometry.ceilingOffset = 60;
  geometry.ceilingLine = 60;
  shooter.aimAngle = 40;
  shooter.prevMouseX = 10;
  mouse.pointerX = 10;
  shooter.shotActive = true;
  shooter.ballX = shooter.ballY = 300;
  fieldDrawing.clockTicks = 999;

  ASSERT_EQ(StartStage(), 0);
  EXPECT_TRUE(flow.firstPlayFrame);
  EXPECT_EQ(flow.lastCellCount, 10000);
  EXPECT_FALSE(bestTimes.newRecord);
  EXPECT_EQ(objects.objectCount, 0);
  EXPECT_FALSE(invasion.invasionRunning);
  EXPECT_EQ(invasion.invasionClock, 0.0f);
  EXPECT_FALSE(bonuses.guideGiftActive);
  EXPECT_EQ(bonuses.laserBonus, 0);
  EXPECT_EQ(fieldCounts.clearedColourCells, 0);
  EXPECT_FALSE(pusher.pushWarning);
  EXPECT_EQ(pusher.pushClock, 0.0f);
  EXPECT_EQ(pusher.pusherOffset, 0.0f);
  EXPECT_EQ(pusher.pusherBottom, 0.0f);
  EXPECT_EQ(geometry.ceilingOffset, 0.0f);
  EXPECT_EQ(geometry.ceilingLine, 0.0f);
  EXPECT_EQ(shooter.aimAngle, 0.0f);
  EXPECT_EQ(shooter.prevMouseX, 256);
  EXPECT_EQ(mouse.pointerX, 256);
  EXPECT_FALSE(shooter.shotActive);
  EXPECT_EQ(shooter.ballX, 58.5f);
  EXPECT_EQ(shooter.ballY, 645.5f);
  EXPECT_GE(shooter.shotColour, 1);
  EXPECT_LE(shooter.shotColour, 8);
  EXPECT_EQ(StageClock(99), 0);
  EXPECT_EQ(fieldCounts.remainingColourCells, CountColourBalls());
  EXPECT_GT(fieldCounts.remainingColourCells, 0);
  EXPECT_TRUE(fs::exists(kSettingsFile));
}

// A stage skip while a ball still slides into its place or flies off as a lost shot: the new
// stage starts with an idle launcher, so the first play frame fires at once.
TEST_F(StageStartTest, AStageSkipCarriesNoMovingBallIntoTheNextStage) {
  const struct {
    const char* what;
    void (*start)();
  } cases[] = {
      {"landing slide",
       +[] {
         const int c = cells.cellCount - 1;
         StartLandingSlide(cells.x[c], cells.y[c] + 200, cells.x[c], cells.y[c], 2, c);
       }},
      {"lost shot", +[] { StartLostShot(500, 500, 3, 0.3f, -1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KeyboardSetup();
    flow.stageNumber = 4;
    ASSERT_EQ(StartStage(), 0);
    flow.gameState = flow.previousState = Play;
    c.start();
    ASSERT_TRUE(ShooterBusy());

    frameClock.frameStep = 3.333333f;
    for (int key : {KEY_LSHIFT, KEY_Q, KEY_RIGHT}) rig_->keyboard.keys[key] = 0x80;
    DispatchGameState();  // the play keys ask for the next stage
    for (int key : {KEY_LSHIFT, KEY_Q, KEY_RIGHT}) rig_->keyboard.keys[key] = 0;
    ASSERT_EQ(flow.gameState, StageLoad);
    DispatchGameState();  // the stage start
    ASSERT_EQ(flow.stageNumber, 5);
    EXPECT_FALSE(ShooterBusy());

    flow.gameState = Play;  // as the information panel hands over
    rig_->keyboard.keys[KEY_Z] = 0x80;
    DispatchGameState();
    rig_->keyboard.keys[KEY_Z] = 0;
    EXPECT_TRUE(shooter.shotActive);
    EXPECT_EQ(queue.queueState, QUEUE_SLIDE);
  }
}

}  // namespace
}  // namespace vx::test
