#include "app/dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_loop.h"
#include "core/game_state.h"
#include "core/input.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/pusher.h"
#include "screens/stage_info.h"
#include "screens/world_select.h"
#include "test_support.h"

namespace vx {
namespace {

// What the recording handlers saw, in order.
std::vector<std::string> calls;
int stageClearChoice = 0;
int failingHandler = -1;  // state whose handler fails

// A loading handler: recorded, then it fails or moves on to `next` (-1: stays).
int RecordLoad(const char* name, int state, int next) {
  calls.push_back(name);
  if (failingHandler == state) return E_FAIL;
  if (next >= 0) flow.gameState = next;
  return 0;
}
int RecordBoot() {
  return RecordLoad("Boot", Boot, TitleLoad);
}
int RecordTitleLoad() {
  return RecordLoad("TitleLoad", TitleLoad, Title);
}
int RecordTitle() {
  return RecordLoad("Title", Title, -1);
}
int RecordStageLoad() {
  return RecordLoad("StageLoad", StageLoad, StageInfo);
}
int RecordStageClear() {
  return stageClearChoice;
}
int RecordSaveOffer(int code) {
  calls.push_back("SaveOffer(" + std::to_string(code) + ") from " + std::to_string(flow.gameState));
  return -1;
}
void RecordEnding(int code) {
  calls.push_back("EndSequence(" + std::to_string(code) + ")");
}
void RecordSave() {
  calls.push_back("WriteSavedGame");
}
void RecordTime(int stage, bool write, int) {
  calls.push_back("RecordStageTime(" + std::to_string(stage) + "," + (write ? "true" : "false") +
                  ")");
}

class DispatcherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &test::InstallHeadless();
    calls.clear();
    stageClearChoice = 0;
    failingHandler = -1;
    stateHandlers = {RecordBoot,      RecordTitleLoad,  RecordTitle,
                     RecordStageLoad, RecordStageClear, RecordSaveOffer,
                     RecordEnding,    RecordSave,       RecordTime};
    app.startupDone = true;
    KeyboardSetup();
    MouseSetup();
  }
  void TearDown() override { stateHandlers = kDefaultStateHandlers; }
  test::HeadlessRig* rig_ = nullptr;
};

TEST_F(DispatcherTest, FirstFrameRunsBootTitleLoadAndTitle) {
  EXPECT_EQ(DispatchGameState(), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"Boot", "TitleLoad", "Title"}));
  EXPECT_EQ(flow.gameState, Title);
  EXPECT_EQ(flow.previousState, Title);
  EXPECT_EQ(flow.frameCounter, 1);
}

TEST_F(DispatcherTest, StageLoadLeadsToStageInfoInTheSameFrame) {
  flow.gameState = StageLoad;
  EXPECT_EQ(DispatchGameState(), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"StageLoad"}));
  EXPECT_EQ(flow.gameState, StageInfo);
  EXPECT_EQ(flow.previousState, StageInfo);
}

TEST_F(DispatcherTest, AFailingHandlerEndsTheFrameAtOnce) {
  const struct {
    int state;
    const char* handler;
  } kCases[] = {
      {Boot, "Boot"}, {TitleLoad, "TitleLoad"}, {Title, "Title"}, {StageLoad, "StageLoad"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.handler);
    SetUp();
    failingHandler = c.state;
    flow.gameState = c.state == StageLoad ? StageLoad : Boot;
    flow.previousState = 77;
    flow.frameRateDisplay = false;
    rig_->keyboard.keys[KEY_F2] = 0x80;
    EXPECT_EQ(DispatchGameState(), E_FAIL);
    EXPECT_EQ(flow.gameState, c.state) << "the state stays what the handler left";
    EXPECT_EQ(flow.previousState, 77) << "previous state not updated";
    EXPECT_FALSE(flow.frameRateDisplay) << "the overlays, F2 among them, did not run";
    EXPECT_EQ(calls.back(), c.handler);
  }
}

TEST_F(DispatcherTest, F2TogglesTheFrameRateDisplayOutsidePlay) {
  flow.gameState = WorldSelect;
  rig_->keyboard.keys[KEY_F2] = 0x80;
  DispatchGameState();
  EXPECT_TRUE(flow.frameRateDisplay);
  DispatchGameState();  // still held: no second toggle
  EXPECT_TRUE(flow.frameRateDisplay);
  rig_->keyboard.keys[KEY_F2] = 0;
  DispatchGameState();
  rig_->keyboard.keys[KEY_F2] = 0x80;
  DispatchGameState();
  EXPECT_FALSE(flow.frameRateDisplay);
}

TEST_F(DispatcherTest, ClickThisFrameIsReadOnce) {
  flow.gameState = WorldSelect;
  rig_->mouse.left = true;
  DispatchGameState();
  EXPECT_TRUE(flow.clickThisFrame);
  DispatchGameState();
  EXPECT_FALSE(flow.clickThisFrame);
}

TEST_F(DispatcherTest, PlayEndsTheStageWhenNoColourBallIsLeft) {
  flow.gameState = Play;
  flow.stageNumber = 12;
  flow.lastCellCount = 10000;  // as after a stage start: recount at once
  cells.cellCount = 0;
  fieldCounts.remainingColourCells = 5;
  DispatchGameState();
  EXPECT_EQ(flow.gameState, StageClear);
  EXPECT_EQ(calls, (std::vector<std::string>{"RecordStageTime(12,true)"}));
  EXPECT_EQ(flow.lastCellCount, 0);
  EXPECT_EQ(flow.playFrameCounter, 1);
}

// A ball that settled in the bottom zone (the shooter's request) starts the invasion in the
// same play frame, once.
TEST_F(DispatcherTest, PlayStartsTheInvasionTheShooterAskedFor) {
  flow.gameState = Play;
  flow.previousState = Play;
  cells.cellCount = 0;
  flow.lastCellCount = 0;
  fieldCounts.remainingColourCells = 1;  // the stage goes on
  shooter.invasionDue = true;
  DispatchGameState();
  EXPECT_FALSE(shooter.invasionDue);
  EXPECT_TRUE(invasion.invasionRunning);
  // 1500 units, less at most the one frame the intruders may already have run.
  EXPECT_LE(invasion.invasionClock, 1500.0f);
  EXPECT_GE(invasion.invasionClock, 1480.0f);
  ASSERT_GE(objects.objectCount, 1);
  EXPECT_EQ(objects.flags[objects.objectCount - 1], OBJECT_INTRUDER);
}

TEST_F(DispatcherTest, StageClearChoices) {
  struct Case {
    const char* what;
    int stagesPerWorld, stageNumber, choice;
    int stageAfter, worldOpened;
    int stateChosen;  // remembered by the save offer
    bool endSequence, savedGame, freshWorld, aimGuide;
  } cases[] = {
      {"next stage within a world", 100, 5, 1, 6, 0, StageLoad, false, false, false, false},
      {"stage 99 ends world 0", 100, 99, 1, 100, 1, WorldSelect, false, false, true, true},
      {"stage 499 ends the game", 100, 499, 1, 0, 5, Ending, true, false, false, true},
      {"again on a world's last stage", 100, 99, 2, 99, 1, StageLoad, false, false, false, false},
      {"again mid-world", 10, 3, 2, 3, 0, StageLoad, false, false, false, false},
      {"quit saves the game", 10, 3, 3, 4, 0, TitleLoad, false, true, false, false},
  };
  for (const Case& c : cases) {
    SetUp();
    flow.gameState = StageClear;
    flow.stagesPerWorld = c.stagesPerWorld;
    flow.stageNumber = c.stageNumber;
    for (bool& locked : player.worldLocked) locked = true;
    player.tries = 1;
    player.energy = 30;
    stageClearChoice = c.choice;
    DispatchGameState();
    EXPECT_EQ(flow.stageNumber, c.stageAfter) << c.what;
    EXPECT_FALSE(player.worldLocked[c.worldOpened]) << c.what;
    EXPECT_EQ(flow.gameState, SaveOfferState) << c.what;
    std::string offer = "SaveOffer(-1) from " + std::to_string(c.stateChosen);
    EXPECT_EQ(calls.back(), offer) << c.what;
    bool ended = false, saved = false;
    for (const std::string& call : calls) {
      ended |= call == "EndSequence(-1)";
      saved |= call == "WriteSavedGame";
    }
    EXPECT_EQ(ended, c.endSequence) << c.what;
    EXPECT_EQ(saved, c.savedGame) << c.what;
    EXPECT_EQ(player.tries, c.freshWorld ? 4 : 1) << c.what;
    EXPECT_EQ(player.energy, c.freshWorld ? 100 : 30) << c.what;
    EXPECT_EQ(flow.aimGuide, c.aimGuide) << c.what;
  }
}

TEST_F(DispatcherTest, StageClearWaitsWhileThePageShows) {
  flow.gameState = StageClear;
  flow.stageNumber = 4;
  DispatchGameState();
  EXPECT_EQ(flow.gameState, StageClear);
  EXPECT_EQ(flow.stageNumber, 4);
  EXPECT_TRUE(calls.empty());
}

TEST_F(DispatcherTest, UnknownStatesRunOnlyTheOverlays) {
  flow.gameState = 12;
  EXPECT_EQ(DispatchGameState(), 0);
  EXPECT_EQ(flow.gameState, 12);
  EXPECT_EQ(flow.previousState, 12);
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace vx
