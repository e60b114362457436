#include <filesystem>

#include "draw/layers.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "screen_fixture.h"
#include "screens/save_offer.h"
#include "screens/stage_clear.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

class StageClearTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScreenImages();
    flow.stagesPerWorld = 10;
    flow.stageNumber = 2;
    flow.gameState = StageClear;
  }
  // One call of the page, with or without a click this frame.
  int PageFrame(float step, bool click = false) {
    frameClock.frameStep = step;
    rig_->gpu.BeginFrame();
    flow.clickThisFrame = click;
    return StageClearScreen();
  }
  std::vector<platform::SpriteDraw> TextDraws(int left, int top, int right, int bottom) const {
    std::vector<platform::SpriteDraw> found;
    for (const auto& d : DrawsOf(layers.sheet.texture))
      if (d.left == left && d.top == top && d.right == right && d.bottom == bottom)
        found.push_back(d);
    return found;
  }
};

// The page takes a second to arrive; clicks before that do nothing. Afterwards a click on the
// bottom row picks next (1), again (2) or title (3); right and bottom edges are outside.
TEST_F(StageClearTest, ClicksChooseOnlyOnceThePageHasArrived) {
  PointAt(450, 470);
  EXPECT_EQ(PageFrame(100, true), 0);
  EXPECT_FLOAT_EQ(stageClear.pageFade, 50);
  EXPECT_EQ(PageFrame(100, false), 0);
  ASSERT_FLOAT_EQ(stageClear.pageFade, 100);
  struct Case {
    int x, y, choice;
  } cases[] = {
      {450, 470, 1}, {420, 465, 1}, {479, 489, 1}, {480, 470, 0}, {450, 490, 0},
      {450, 464, 0}, {375, 470, 2}, {340, 470, 2}, {410, 470, 0}, {250, 470, 3},
      {220, 489, 3}, {285, 470, 0}, {300, 470, 0}, {100, 470, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    stageClear.pageFade = 100;
    PointAt(c.x, c.y);
    EXPECT_EQ(PageFrame(1, false), 0);  // no click, no choice
    EXPECT_EQ(PageFrame(1, true), c.choice);
    // A choice sends the page back to its start, so the next visit zooms in again.
    EXPECT_FLOAT_EQ(stageClear.pageFade, c.choice ? 0 : 100);
  }
}

// The page zooms from twice its size to its own while it fades in.
TEST_F(StageClearTest, PageZoomsIn) {
  PageFrame(50);
  ASSERT_EQ(DrawsOf(layers.screen.texture).size(), 1u);
  const auto page = DrawsOf(layers.screen.texture)[0];
  EXPECT_FLOAT_EQ(page.scaleX, 1.75f);
  EXPECT_FLOAT_EQ(page.x, 256 - 256 * 1.75f);
  EXPECT_EQ(page.colour >> 24, 63u);  // 25 %
}

// The stage-time list: lines with times up to `shown`, the marker on the next line, dashes
// after it, the world's total at the bottom.
TEST_F(StageClearTest, StageListLinesAndMarker) {
  for (int i = 0; i < kStageTimeCount; ++i) bestTimes.stageTimes[i] = 600 * (i + 1);
  struct Case {
    const char* what;
    int perWorld, shown;
    int timed, dashes;
    int marker;  // the marked line, -1 none
  } cases[] = {
      {"third stage of ten", 10, 3, 3, 6, 3},
      {"first stage of ten", 10, 0, 0, 9, 0},
      {"world of ten done", 10, 10, 10, 0, -1},
      {"world of three done", 3, 3, 3, 0, -1},
      // Only the lines on the surface are drawn; places past the table have no time.
      {"sixth stage of a hundred", 100, 5, 5, 11, 5},
      {"far into a world of a hundred", 100, 60, 17, 0, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    flow.stagesPerWorld = c.perWorld;
    flow.stageNumber = c.perWorld + 1;  // world 2
    stageClear.markerBlink = 60;
    rig_->gpu.BeginFrame();
    frameClock.frameStep = 0;
    const float total = StageList(c.shown);
    EXPECT_FLOAT_EQ(total, 160 + 22 * c.perWorld + 10);
    int timed = 0, dashes = 0;
    for (int i = 0; i < 17; ++i) {
      const float y = 160 + 22 * i;
      if (GlyphsIn(373, 374, y, y + 1) > 0) ++timed;
      for (const auto& d : SheetDraws(455, 185, 465, 200)) dashes += d.y == y && d.x == 373;
      // The line number ends at x 123.
      if (i < c.perWorld) {
        EXPECT_GT(GlyphsIn(103, 123, y, y + 1), 0) << i;
      }
    }
    EXPECT_EQ(timed, c.timed);
    EXPECT_EQ(dashes, c.dashes);
    const auto marker = SheetDraws(400, 185, 455, 200);
    if (c.marker < 0) {
      EXPECT_TRUE(marker.empty());
    } else {
      ASSERT_EQ(marker.size(), 1u);
      EXPECT_FLOAT_EQ(marker[0].y, 160 + 22 * c.marker);
      EXPECT_FLOAT_EQ(marker[0].x, 373);
    }
    // The world label of world 2, centred at (256, 100), and the best-time label.
    const auto label = SheetDraws(240, 70, 323, 83);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_FLOAT_EQ(label[0].x, 256 - 83 / 2.0f);
    EXPECT_EQ(SheetDraws(280, 180, 395, 200).size(), 1u);
  }
  // The marker blinks a quarter second on, a quarter second off.
  flow.stagesPerWorld = 10;
  stageClear.markerBlink = 0;
  int on = 0;
  for (int i = 0; i < 100; ++i) {
    rig_->gpu.BeginFrame();
    frameClock.frameStep = 1;
    StageList(3);
    on += !SheetDraws(400, 185, 455, 200).empty();
  }
  EXPECT_NEAR(on, 50, 2);
}

// The total line adds the world's stage times.
TEST_F(StageClearTest, TotalAddsTheStageTimes) {
  flow.stagesPerWorld = 3;
  bestTimes.stageTimes[0] = 600;
  bestTimes.stageTimes[1] = 700;
  bestTimes.stageTimes[2] = 800;
  bestTimes.stageTimes[3] = 100000;  // not a stage of this world
  rig_->gpu.BeginFrame();
  const float y = StageList(3);
  // 2100 ticks: 0:0:35, six glyphs, from x 373.
  EXPECT_EQ(GlyphsIn(373, 420, y, y + 1), 6);
  const auto sum = SheetDraws(260, 180, 275, 200);
  ASSERT_EQ(sum.size(), 1u);
  EXPECT_FLOAT_EQ(sum[0].x, 353 - 7.5f);
  EXPECT_FLOAT_EQ(sum[0].y, y + 5 - 10);
}

// The end of a world is celebrated: a pulsing text, or after a new record the bouncing gems
// and the record texts.
TEST_F(StageClearTest, WorldEndShowsCompletionOrRecord) {
  struct Case {
    const char* what;
    int stage;
    bool record;
    bool completed, headline, gems;
  } cases[] = {
      {"middle of a world", 4, false, false, false, false},
      {"middle of a world after a record", 4, true, false, false, false},
      {"last stage", 9, false, true, false, false},
      {"last stage, new record", 9, true, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    flow.stageNumber = c.stage;
    bestTimes.newRecord = c.record;
    stageClear.pageFade = 100;
    stageClear.worldEndPulse = 0;
    PageFrame(10);
    EXPECT_EQ(TextDraws(0, 75, 255, 170).size(), c.completed ? 1u : 0u);
    EXPECT_EQ(TextDraws(0, 0, 255, 75).size(), c.headline ? 1u : 0u);
    int gemDraws = 0;
    for (const auto& d : rig_->gpu.sprites)
      gemDraws += d.texture == sprites.sheets[1]->gpuId && d.top >= 260 && d.right - d.left == 50;
    EXPECT_EQ(gemDraws, c.gems ? 100 : 0);
  }
}

// ---- The save offer ----

class SaveOfferTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScreenImages();
    flow.stagesPerWorld = 10;
  }
  int OfferFrame(float step, int key = 0) {
    frameClock.frameStep = step;
    rig_->gpu.BeginFrame();
    if (key) Key(key, true);
    const int result = SaveOffer(0);
    if (key) Key(key, false);
    return result;
  }
  // Opens the offer as the stage clear does: the state chosen and the stage number after it.
  void OpenOffer(int nextState, int stage) {
    flow.gameState = nextState;
    flow.stageNumber = stage;
    frameClock.frameStep = 0;
    EXPECT_EQ(SaveOffer(-1), -1);
    flow.gameState = SaveOfferState;
  }
  // The stage number stored in the saved game, -1 without one.
  int StoredStage() { return ReadSavedGame(false); }
};

TEST_F(SaveOfferTest, NSkipsAtOnce) {
  OpenOffer(StageLoad, 5);
  EXPECT_EQ(OfferFrame(1, KEY_N), StageLoad);
  EXPECT_FALSE(fs::exists("saved0.txt"));
}

// Y saves the stage to come and shows the confirmation for 2.5 s; Y again saves again and
// starts the 2.5 s over.
TEST_F(SaveOfferTest, YSavesThenGoesOnAfterTheConfirmation) {
  OpenOffer(StageLoad, 5);
  EXPECT_EQ(OfferFrame(10, KEY_Y), -1);
  EXPECT_EQ(StoredStage(), 5);
  EXPECT_EQ(flow.stageNumber, 5);
  float waited = 0;
  int result = -1;
  while (result < 0 && waited < 300) {
    result = OfferFrame(10);
    waited += 10;
  }
  EXPECT_EQ(result, -1);
  fs::remove("saved0.txt");
  EXPECT_EQ(OfferFrame(10, KEY_Y), -1);
  EXPECT_EQ(StoredStage(), 5);
  waited = 0;
  while (result < 0 && waited < 1000) {
    result = OfferFrame(10);
    waited += 10;
  }
  EXPECT_EQ(result, StageLoad);
  EXPECT_FLOAT_EQ(waited, 520);  // the first frame past 500 units
}

TEST_F(SaveOfferTest, ConfirmationBlinksEveryHalfSecond) {
  OpenOffer(WorldSelect, 10);
  OfferFrame(1, KEY_Y);
  int shown = 0;
  for (int i = 0; i < 100; ++i) {
    OfferFrame(2);
    const auto all = DrawsOf(layers.sheet.texture);
    for (const auto& d : all) shown += d.top == 435 && d.left == 0;
  }
  EXPECT_NEAR(shown, 50, 2);
}

// After the game's last stage the stage number is back at 0, but the offer saves the last
// stage of the fifth world.
TEST_F(SaveOfferTest, AfterTheLastStageTheFifthWorldsLastStageIsSaved) {
  OpenOffer(Ending, 0);
  EXPECT_EQ(saveOffer.offeredStage, 49);
  OfferFrame(1, KEY_Y);
  EXPECT_EQ(StoredStage(), 49);
  EXPECT_EQ(flow.stageNumber, 0);
}

TEST_F(SaveOfferTest, HugeWorldsDoNotWrapTheLastStage) {
  flow.stagesPerWorld = 500000000;  // five worlds of them pass the largest int
  OpenOffer(Ending, 0);
  EXPECT_GE(saveOffer.offeredStage, 0);
}

// Once grown, the offer shows the stored stage (when there is a saved game) above the stage
// it offers: world label centred at x 178, stage in the world centred at x 320.
TEST_F(SaveOfferTest, ShowsTheStoredAndTheOfferedStage) {
  for (bool saved : {false, true}) {
    SCOPED_TRACE(saved);
    fs::remove("saved0.txt");
    if (saved) {
      flow.stageNumber = 25;
      WriteSavedGame();
    }
    OpenOffer(StageLoad, 7);
    EXPECT_EQ(saveOffer.storedStage, saved ? 25 : -1);
    OfferFrame(50);
    const auto panel = DrawsOf(layers.sheet.texture);
    ASSERT_EQ(panel.size(), 1u);
    EXPECT_FLOAT_EQ(panel[0].scaleX, 0.2f);  // grows from a fifth of its size
    EXPECT_FLOAT_EQ(panel[0].x, 256 - 435 * 0.2f / 2);
    EXPECT_FLOAT_EQ(panel[0].y, 0);
    EXPECT_TRUE(SheetDraws(240, 54, 323, 70).empty());  // nothing until the panel has grown
    OfferFrame(50);
    OfferFrame(1);
    const auto offered = SheetDraws(240, 54, 323, 70);  // world 1
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_FLOAT_EQ(offered[0].x, 178 - 83 / 2.0f);
    EXPECT_FLOAT_EQ(offered[0].y, 240);
    EXPECT_EQ(GlyphsIn(310, 330, 241, 242), 1);        // 8
    const auto stored = SheetDraws(240, 83, 323, 98);  // world 3
    EXPECT_EQ(stored.size(), saved ? 1u : 0u);
    if (saved) {
      EXPECT_FLOAT_EQ(stored[0].y, 175);
      EXPECT_EQ(GlyphsIn(310, 330, 176, 177), 1);  // 6
    }
  }
}

}  // namespace
}  // namespace vx
