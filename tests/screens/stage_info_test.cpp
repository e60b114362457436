#include <cmath>

#include "draw/layers.h"
#include "field/field_tables.h"
#include "objects/pusher.h"
#include "persist/best_times.h"
#include "screen_fixture.h"
#include "screens/stage_clear.h"
#include "screens/stage_info.h"

namespace vx {
namespace {

class PanelTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScreenImages();
    flow.gameState = StageInfo;
  }
  // One frame of the panel on its own (the dispatcher would draw the field first).
  void PanelFrame(float step) {
    frameClock.frameStep = step;
    rig_->gpu.BeginFrame();
    ReadMouse();
    StageInfoPanel();
  }
  // This frame's draws of the panel sheet's rectangle.
  std::vector<platform::SpriteDraw> PanelDraws(int left, int top, int right, int bottom) const {
    std::vector<platform::SpriteDraw> found;
    for (const auto& d : DrawsOf(layers.sheet.texture))
      if (d.left == left && d.top == top && d.right == right && d.bottom == bottom)
        found.push_back(d);
    return found;
  }
};

// Once slid in, the panel names the world, the stage in the world and the smallest group.
TEST_F(PanelTest, NamesTheWorldTheStageAndTheGroupSize) {
  flow.stagesPerWorld = 10;
  flow.stageNumber = 13;  // world 2, stage 4
  geometry.colourCount = 5;
  for (int i = 0; i < 10; ++i) PanelFrame(20);  // 0.9 s of slide-in and more
  EXPECT_FLOAT_EQ(stageInfo.panelSlide, 90);
  struct Piece {
    const char* what;
    int left, top, right, bottom;
    float x, y;
  } pieces[] = {
      {"title bar", 0, 7, 370, 72, 0, 7},
      {"second world's name, right edge at 348", 190, 393, 310, 417, 228, 28},
      {"stage row", 23, 173, 512, 221, 23, 173},
      {"stage label", 20, 116, 240, 140, 50, 186},
      {"digit 4 centred on (420, 197)", 120, 80, 150, 110, 405, 182},
      {"group row", 23, 306, 512, 355, 23, 306},
      {"group label", 20, 140, 316, 165, 50, 320},
      {"digit 5 centred on (420, 335)", 150, 80, 180, 110, 405, 320},
  };
  for (const Piece& p : pieces) {
    SCOPED_TRACE(p.what);
    const auto found = PanelDraws(p.left, p.top, p.right, p.bottom);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NEAR(found[0].x, p.x, 1e-3);
    EXPECT_NEAR(found[0].y, p.y, 1e-3);
    EXPECT_EQ(found[0].colour, 0xFFFFFFFFu);
  }
  EXPECT_EQ(flow.gameState, StageInfo);
}

TEST_F(PanelTest, SlidesInFromBothSides) {
  flow.stageNumber = 0;
  PanelFrame(0);
  const auto bar = PanelDraws(0, 7, 370, 72);
  const auto row = PanelDraws(23, 173, 512, 221);
  ASSERT_EQ(bar.size(), 1u);
  ASSERT_EQ(row.size(), 1u);
  EXPECT_FLOAT_EQ(bar[0].x, -370);
  EXPECT_FLOAT_EQ(row[0].x, 23 + 489);
  PanelFrame(60);  // 30 degrees: e = 0.5
  EXPECT_NEAR(PanelDraws(0, 7, 370, 72)[0].x, -185, 1e-3);
  EXPECT_NEAR(PanelDraws(23, 173, 512, 221)[0].x, 23 + 244.5f, 1e-3);
}

// Z or a click starts the fade-out, even during the slide-in; about 0.7 s later play begins.
// Without either the panel waits.
TEST_F(PanelTest, ZOrAClickStartsPlayAfterTheFade) {
  for (bool byClick : {false, true}) {
    SCOPED_TRACE(byClick);
    stageInfo = StageInfoState{};
    flow.gameState = StageInfo;
    for (int i = 0; i < 100; ++i) PanelFrame(20);  // 10 s
    EXPECT_EQ(flow.gameState, StageInfo);
    stageInfo.panelSlide = 10;  // still sliding in
    if (byClick)
      rig_->mouse.left = true;
    else
      Key(KEY_Z, true);
    PanelFrame(10);
    rig_->mouse.left = false;
    Key(KEY_Z, false);
    EXPECT_LT(stageInfo.panelOpacity, 100);
    // 0.7 x frame step a unit from 99.9: below 0 after 143 units.
    float elapsed = 10;
    while (flow.gameState == StageInfo && elapsed < 1000) {
      PanelFrame(10);
      elapsed += 10;
      // The whole panel fades.
      const auto row = PanelDraws(23, 173, 512, 221);
      ASSERT_EQ(row.size(), 1u);
      EXPECT_LT(row[0].colour >> 24, 255u);
    }
    EXPECT_EQ(flow.gameState, Play);
    EXPECT_NEAR(elapsed, 150, 1e-3);
    EXPECT_FLOAT_EQ(stageInfo.panelOpacity, 100);
    EXPECT_FLOAT_EQ(stageInfo.panelSlide, 0);
  }
}

// ---- The pause and try-lost menu ----

class PauseMenuTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScreenImages();
    LoadScreenSounds();
    flow.stagesPerWorld = 10;
    flow.stageNumber = 23;
    flow.gameState = Play;
  }
  // Opens the menu and lets it fade in fully.
  void OpenFaded(int code) {
    flow.gameState = Play;
    EXPECT_FALSE(PauseMenu(code));
    ASSERT_EQ(flow.gameState, PauseMenuState);
    Frame(50);
    Frame(50);
  }
  // A key down for a frame; the frame after it is not run, since it may be a play frame.
  void Hit(int key, float step = 1) {
    Key(key, true);
    Frame(step);
    Key(key, false);
  }
  // This frame's draws of the menu texts' rectangle.
  std::vector<platform::SpriteDraw> TextDraws(int left, int top, int right, int bottom) const {
    std::vector<platform::SpriteDraw> found;
    for (const auto& d : DrawsOf(layers.sheet.texture))
      if (d.left == left && d.top == top && d.right == right && d.bottom == bottom)
        found.push_back(d);
    return found;
  }
};

TEST_F(PauseMenuTest, KeysByMode) {
  struct Case {
    const char* what;
    int code;       // 100 paused, 110 try lost
    int startMode;  // the mode the keys meet
    int tries;
    int key;
    int state;  // afterwards
    int mode;
    int triesAfter;
    int sound;  // 0 none, else the effect's slot
  };
  const int retry = sfx.retry, exitPlay = sfx.exitPlay, change = sfx.chgSelection;
  const Case cases[] = {
      {"C continues", 100, MENU_PAUSED, 3, KEY_C, Play, MENU_PAUSED, 3, change},
      {"R retries for a try", 100, MENU_PAUSED, 3, KEY_R, StageLoad, MENU_PAUSED, 2, retry},
      {"R without tries is refused", 100, MENU_PAUSED, 0, KEY_R, PauseMenuState, MENU_PAUSED, 0, 0},
      {"Q asks", 100, MENU_PAUSED, 3, KEY_Q, PauseMenuState, MENU_PAUSED_QUIT, 3, 0},
      {"A does nothing when paused", 100, MENU_PAUSED, 0, KEY_A, PauseMenuState, MENU_PAUSED, 0, 0},
      {"Y quits", 100, MENU_PAUSED_QUIT, 3, KEY_Y, TitleLoad, MENU_PAUSED_QUIT, 3, exitPlay},
      {"N goes back", 100, MENU_PAUSED_QUIT, 3, KEY_N, PauseMenuState, MENU_PAUSED, 3, 0},
      {"C in the question", 100, MENU_PAUSED_QUIT, 3, KEY_C, PauseMenuState, MENU_PAUSED_QUIT, 3,
       0},
      {"R after a lost try", 110, MENU_TRY_LOST, 2, KEY_R, StageLoad, MENU_TRY_LOST, 1, retry},
      {"A with tries left", 110, MENU_TRY_LOST, 2, KEY_A, PauseMenuState, MENU_TRY_LOST, 2, 0},
      {"A out of tries", 110, MENU_TRY_LOST, 0, KEY_A, StageLoad, MENU_TRY_LOST, 3, retry},
      {"R out of tries", 110, MENU_TRY_LOST, 0, KEY_R, PauseMenuState, MENU_TRY_LOST, 0, 0},
      {"C after a lost try", 110, MENU_TRY_LOST, 2, KEY_C, PauseMenuState, MENU_TRY_LOST, 2, 0},
      {"Q after a lost try", 110, MENU_TRY_LOST, 2, KEY_Q, PauseMenuState, MENU_TRY_LOST_QUIT, 2,
       0},
      {"Y after a lost try", 110, MENU_TRY_LOST_QUIT, 0, KEY_Y, TitleLoad, MENU_TRY_LOST_QUIT, 0,
       exitPlay},
      {"N after a lost try", 110, MENU_TRY_LOST_QUIT, 0, KEY_N, PauseMenuState, MENU_TRY_LOST, 0,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    flow.stageNumber = 23;
    flow.aimGuide = false;
    player.tries = c.tries;
    player.energy = 40;
    bestTimes.stageTimes[2] = 99;
    OpenFaded(c.code);
    pauseMenu.menuMode = c.startMode;
    int before[100] = {};
    for (int slot : {retry, exitPlay, change}) before[slot] = Plays(slot);
    Hit(c.key);
    EXPECT_EQ(flow.gameState, c.state);
    EXPECT_EQ(player.tries, c.triesAfter);
    if (c.state == PauseMenuState) {
      EXPECT_EQ(pauseMenu.menuMode, c.mode);
    }
    for (int slot : {retry, exitPlay, change})
      EXPECT_EQ(Plays(slot) - before[slot], slot == c.sound ? 1 : 0) << slot;
    if (c.state == StageLoad) {
      EXPECT_EQ(player.energy, 100);
    }
    if (c.state == TitleLoad) {
      EXPECT_TRUE(flow.aimGuide);
    }
    if (c.key == KEY_A && c.state == StageLoad) {
      EXPECT_EQ(flow.stageNumber, 20);  // the world's first stage
      EXPECT_EQ(bestTimes.stageTimes[2], 0);
    } else {
      EXPECT_EQ(flow.stageNumber, 23);
      EXPECT_EQ(bestTimes.stageTimes[2], 99);
    }
  }
}

// Keys that go down while the background fades in do nothing, not even once it is in.
TEST_F(PauseMenuTest, KeysDuringTheFadeInAreIgnored) {
  player.tries = 3;
  EXPECT_FALSE(PauseMenu(100));
  Key(KEY_C, true);
  for (int i = 0; i < 9; ++i) {
    Frame(10);
    EXPECT_EQ(flow.gameState, PauseMenuState);
  }
  Frame(10);  // faded in, C still held
  EXPECT_FLOAT_EQ(pauseMenu.menuFade, 100);
  EXPECT_EQ(flow.gameState, PauseMenuState);
  Key(KEY_C, false);
  Frame(10);
  Hit(KEY_C, 10);
  EXPECT_EQ(flow.gameState, Play);
}

// Resuming asks the next play frame to refill the queue and restart the push clock; the
// ceiling stays where the pushes brought it.
TEST_F(PauseMenuTest, ResumeRefillsTheQueueAndRestartsThePushClock) {
  player.tries = 3;
  queue.queueRefill = false;
  pusher.pushClock = 4500;
  pusher.pusherOffset = 40;
  OpenFaded(100);
  EXPECT_FALSE(queue.queueRefill);
  Hit(KEY_C);
  ASSERT_EQ(flow.gameState, Play);
  EXPECT_TRUE(queue.queueRefill);
  EXPECT_FLOAT_EQ(pusher.pushClock, 0);
  EXPECT_FLOAT_EQ(pusher.pusherOffset, 40);
}

// The retry refused for lack of tries shows the no-tries message for half a second.
TEST_F(PauseMenuTest, RetryWithoutTriesShowsTheMessageForHalfASecond) {
  player.tries = 0;
  OpenFaded(100);
  Hit(KEY_R, 10);
  float shown = 0;
  for (int i = 0; i < 20; ++i) {
    Frame(10);
    if (!TextDraws(340, 170, 510, 250).empty()) shown += 10;
  }
  EXPECT_NEAR(shown, 100, 10);
  EXPECT_EQ(flow.gameState, PauseMenuState);
}

TEST_F(PauseMenuTest, TextsAndTheTriesFigureByMode) {
  struct Case {
    const char* what;
    int code, mode, tries;
    int pieceTop;   // the text piece's top (all from x 90 to 410 to y 135), 0: none
    float figureY;  // the tries figure's top, 0: none
    bool question;
  } cases[] = {
      {"paused", 100, MENU_PAUSED, 3, 70, 455, false},
      {"try lost", 110, MENU_TRY_LOST, 2, 95, 443, false},
      {"out of tries", 110, MENU_TRY_LOST, 0, 116, 0, false},
      {"quit question", 100, MENU_PAUSED_QUIT, 3, 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    player.tries = c.tries;
    OpenFaded(c.code);
    pauseMenu.menuMode = c.mode;
    pauseMenu.menuBlink = 60;
    Frame(0);
    const auto piece =
        c.pieceTop ? TextDraws(90, c.pieceTop, 410, 135) : std::vector<platform::SpriteDraw>{};
    if (c.pieceTop) {
      ASSERT_EQ(piece.size(), 1u);
    }
    EXPECT_EQ(TextDraws(75, 385, 430, 497).size(), c.question ? 1u : 0u);
    EXPECT_EQ(TextDraws(200, 248, 520, 270).size(), c.tries == 0 && c.code == 110 ? 1u : 0u);
    const int figure = GlyphsIn(331, 340, c.figureY, c.figureY + 1);
    if (c.figureY > 0) {
      EXPECT_EQ(figure, 1);
    }
    EXPECT_EQ(GlyphsIn(300, 400, 400, 500), c.figureY > 0 ? 1 : 0);
    // The stage list under the menu: lines 1..3 with times, line 4 current.
    EXPECT_EQ(SheetDraws(455, 185, 465, 200).size(), 6u);
  }
}

TEST_F(PauseMenuTest, NothingWhileAnInvasionRuns) {
  invasion.invasionRunning = true;
  EXPECT_FALSE(PauseMenu(100));
  EXPECT_FALSE(PauseMenu(110));
  EXPECT_EQ(flow.gameState, Play);
  flow.gameState = PauseMenuState;
  rig_->gpu.BeginFrame();
  EXPECT_FALSE(PauseMenu(1));
  EXPECT_TRUE(rig_->gpu.sprites.empty());
  invasion.invasionRunning = false;
  EXPECT_FALSE(PauseMenu(110));
  EXPECT_EQ(pauseMenu.menuMode, MENU_TRY_LOST);
}

}  // namespace
}  // namespace vx
