#include "app/gamepad.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "persist/stage_files.h"
#include "platform/platform.h"
#include "screens/save_offer.h"
#include "screens/stage_info.h"
#include "screens/world_select.h"
#include "test_support.h"

namespace vx {
namespace {

using platform::PadButton;

class GamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &test::InstallHeadless();
    KeyboardSetup();
    MouseSetup();
    GamepadSetup();
    mouse.pointerX = mouse.pointerY = 256;
    frameClock.frameStep = 5;
    rig_->gamepad.state.connected = true;
  }
  void Hold(PadButton b, bool down) { rig_->gamepad.state.buttons[b] = down; }
  // The start of a frame as the main loop runs it: the pad first, then the mouse read the
  // dispatcher makes. Returns the frame's click.
  bool Frame() {
    UpdateGamepad();
    return ReadMouse();
  }
  // Every key down after a keyboard read, in scan-code order.
  std::vector<int> KeysDown() {
    KeyHeld(0);
    std::vector<int> down;
    for (int k = 0; k < 256; ++k)
      if (keyboard.current[k]) down.push_back(k);
    return down;
  }
  void PressAndRelease(PadButton b) {
    Hold(b, true);
    Frame();
    Hold(b, false);
    Frame();
  }
  test::HeadlessRig* rig_ = nullptr;
};

TEST_F(GamepadTest, EachButtonStandsForTheKeysAndClicksTheScreenReads) {
  struct Case {
    int state;
    PadButton button;
    std::vector<int> keys;  // in scan-code order
    bool click;
    bool right;
  };
  const Case cases[] = {
      {Title, platform::PAD_A, {KEY_RETURN}, false, false},
      {Title, platform::PAD_START, {KEY_RETURN}, false, false},
      {Title, platform::PAD_DPAD_DOWN, {KEY_DOWN}, false, false},
      {Title, platform::PAD_DPAD_UP, {KEY_UP}, false, false},
      {Play, platform::PAD_A, {KEY_Z}, false, false},
      {Play, platform::PAD_B, {KEY_ESCAPE}, false, false},
      {Play, platform::PAD_START, {KEY_ESCAPE}, false, false},
      {Play, platform::PAD_DPAD_LEFT, {KEY_LEFT}, false, false},
      {Play, platform::PAD_DPAD_RIGHT, {KEY_RIGHT}, false, false},
      {Play, platform::PAD_LEFT_SHOULDER, {KEY_LSHIFT}, false, true},
      {Play, platform::PAD_RIGHT_TRIGGER, {KEY_LSHIFT}, false, true},
      {Play, platform::PAD_BACK, {KEY_F3}, false, false},
      {StageInfo, platform::PAD_A, {KEY_Z}, false, false},
      {PauseMenuState, platform::PAD_A, {KEY_R, KEY_Y, KEY_A, KEY_C}, false, false},
      {PauseMenuState, platform::PAD_B, {KEY_C, KEY_N}, false, false},
      {PauseMenuState, platform::PAD_START, {KEY_C}, false, false},
      {PauseMenuState, platform::PAD_X, {KEY_R}, false, false},
      {PauseMenuState, platform::PAD_Y, {KEY_Q}, false, false},
      {SaveOfferState, platform::PAD_A, {KEY_Y}, false, false},
      {SaveOfferState, platform::PAD_B, {KEY_N}, false, false},
      {WorldSelect, platform::PAD_A, {}, true, false},
      {WorldSelect, platform::PAD_B, {KEY_ESCAPE}, false, false},
      {WorldSelect, platform::PAD_START, {KEY_RETURN}, false, false},
      {Settings, platform::PAD_A, {}, true, false},
      {Settings, platform::PAD_B, {KEY_ESCAPE}, false, false},
      {StageClear, platform::PAD_A, {}, true, false},
      {Intro, platform::PAD_A, {KEY_ESCAPE}, false, false},
      {Ending, platform::PAD_START, {KEY_ESCAPE}, false, false},
      {Editor, platform::PAD_A, {}, true, false},
      {Editor, platform::PAD_X, {}, false, true},
      {Editor, platform::PAD_B, {KEY_ESCAPE}, false, false},
      {Editor, platform::PAD_DPAD_RIGHT, {KEY_RIGHT}, false, false},
      {Boot, platform::PAD_A, {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("state " + std::to_string(c.state) + " button " + std::to_string(c.button));
    flow.gameState = c.state;
    Frame();  // the button goes down in a frame of its own screen
    Hold(c.button, true);
    const bool click = Frame();
    std::vector<int> expected = c.keys;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(KeysDown(), expected);
    EXPECT_EQ(click, c.click);
    EXPECT_EQ(mouse.right, c.right);
    Hold(c.button, false);
    Frame();
    EXPECT_TRUE(KeysDown().empty());
    EXPECT_FALSE(mouse.left || mouse.right);
  }
}

TEST_F(GamepadTest, WithoutAPadNothingChanges) {
  for (bool support : {true, false}) {
    SCOPED_TRACE(support ? "pad unplugged" : "no pad support");
    rig_ = &test::InstallHeadless();
    if (!support) platform::backend.gamepad = nullptr;
    KeyboardSetup();
    MouseSetup();
    GamepadSetup();
    mouse.pointerX = mouse.pointerY = 100;
    flow.gameState = WorldSelect;
    // Whatever the stand-in holds, an unplugged pad (or none at all) says nothing.
    rig_->gamepad.state.connected = !support;
    rig_->gamepad.state.buttons[platform::PAD_A] = true;
    rig_->gamepad.state.buttons[platform::PAD_DPAD_RIGHT] = true;
    rig_->gamepad.state.leftX = 1;
    rig_->keyboard.keys[KEY_LEFT] = 0x80;
    rig_->mouse.pendingDx = 7;
    EXPECT_FALSE(Frame());
    EXPECT_EQ(KeysDown(), std::vector<int>{KEY_LEFT});
    EXPECT_EQ(mouse.pointerX, 107);
    EXPECT_EQ(mouse.pointerY, 100);
  }
}

TEST_F(GamepadTest, APadPluggedInOrPulledOutMidGame) {
  flow.gameState = Play;
  rig_->gamepad.state.connected = false;
  Hold(platform::PAD_A, true);
  Frame();
  EXPECT_TRUE(KeysDown().empty());
  rig_->gamepad.state.connected = true;  // plugged in with A down: it fires
  Frame();
  EXPECT_TRUE(KeyPressed(KEY_Z, true));
  rig_->gamepad.state.connected = false;  // pulled out while held: let go at once
  Frame();
  EXPECT_FALSE(KeyPressed(KEY_Z, true));
  EXPECT_FALSE(KeyHeld(KEY_Z));
  EXPECT_FALSE(gamepad.connected);
  rig_->gamepad.state = {};
  rig_->gamepad.state.connected = true;  // back again
  Frame();
  Hold(platform::PAD_A, true);
  Frame();
  EXPECT_TRUE(KeyPressed(KEY_Z, true));
}

TEST_F(GamepadTest, AButtonHeldIntoANewScreenWaitsForItsRelease) {
  // A confirms the title with Return; the world selection that opens takes A as a click,
  // which must not come from the same press.
  flow.gameState = Title;
  Hold(platform::PAD_A, true);
  Frame();
  EXPECT_TRUE(KeyHeld(KEY_RETURN));
  flow.gameState = WorldSelect;
  for (int frame = 0; frame < 3; ++frame) {
    EXPECT_FALSE(Frame());
    EXPECT_FALSE(KeyHeld(KEY_RETURN));
  }
  Hold(platform::PAD_A, false);
  Frame();
  Hold(platform::PAD_A, true);
  EXPECT_TRUE(Frame());

  // Where the meaning stays the same (the panel's Z and the shot's Z) nothing is held back.
  Hold(platform::PAD_A, false);
  flow.gameState = StageInfo;
  Frame();
  Hold(platform::PAD_A, true);
  Frame();
  flow.gameState = Play;
  Frame();
  EXPECT_TRUE(KeyHeld(KEY_Z));
}

TEST_F(GamepadTest, BackSwitchesTheAimGuideOncePerPress) {
  flow.gameState = Play;
  flow.aimGuide = false;
  for (bool expected : {true, false, true}) {
    Hold(platform::PAD_BACK, true);
    for (int frame = 0; frame < 4; ++frame) {  // held: it does not flicker
      Frame();
      PlayKeys();
      EXPECT_EQ(flow.aimGuide, expected);
    }
    Hold(platform::PAD_BACK, false);
    Frame();
    PlayKeys();
    EXPECT_EQ(flow.aimGuide, expected);
  }
}

TEST_F(GamepadTest, TheStickTurnsTheLauncherLikeTheMouseAndTheKeys) {
  flow.gameState = Play;
  struct Case {
    const char* name;
    float stick;
    PadButton held;  // PAD_BUTTON_COUNT: none
    float degrees;   // after one frame of step 5
  };
  const Case cases[] = {
      {"full tilt: as fast as the arrow keys", 1.0f, platform::PAD_BUTTON_COUNT, 5.0f},
      {"full tilt to the left", -1.0f, platform::PAD_BUTTON_COUNT, -5.0f},
      {"fine aim with a shoulder button", 1.0f, platform::PAD_LEFT_SHOULDER, 1.0f},
      {"inside the dead zone", 0.15f, platform::PAD_BUTTON_COUNT, 0.0f},
      {"the d-pad with fine aim: a tenth", 0.0f, platform::PAD_DPAD_RIGHT, 0.5f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    shooter = ShooterState{};
    mouse.pointerX = shooter.prevMouseX = 256;
    gamepad.pointerRestX = 0;
    rig_->gamepad.state.leftX = c.stick;
    rig_->gamepad.state.leftY = 1;  // the launcher ignores up and down
    if (c.held != platform::PAD_BUTTON_COUNT) Hold(c.held, true);
    if (c.held == platform::PAD_DPAD_RIGHT) Hold(platform::PAD_RIGHT_SHOULDER, true);
    Frame();
    UpdateShooter();
    EXPECT_NEAR(shooter.aimAngle, c.degrees, 1e-4);
    EXPECT_EQ(mouse.pointerY, 256);
    rig_->gamepad.state = {};
    rig_->gamepad.state.connected = true;
    Frame();
  }
}

TEST_F(GamepadTest, TheStickMovesThePointerOnTheMenusSmoothlyAtAnyFrameRate) {
  flow.gameState = Settings;
  rig_->gamepad.state.leftX = 1;
  rig_->gamepad.state.leftY = -0.6f;  // (0.4 / 0.8)^2 = a quarter speed, upwards
  // One second at 60 and at 7 frames a second: the same way, nothing lost to rounding.
  for (float step : {200.0f / 60.0f, 200.0f / 7.0f}) {
    mouse.pointerX = mouse.pointerY = 256;
    const int frames = static_cast<int>(200.0f / step + 0.5f);
    frameClock.frameStep = 200.0f / static_cast<float>(frames);
    for (int f = 0; f < frames; ++f) Frame();
    EXPECT_NEAR(mouse.pointerX, 256 + 500, 1) << step;
    EXPECT_NEAR(mouse.pointerY, 256 - 125, 1) << step;
  }
}

// The click areas of the pointer screens, as the screens test them (strictly inside).
struct Area {
  int left, right, top, bottom;
  bool Holds(int x, int y) const { return x > left && x < right && y > top && y < bottom; }
};

TEST_F(GamepadTest, TheDPadJumpsThePointerOntoEveryClickArea) {
  const Area settings[] = {{320, 385, 470, 495}, {415, 485, 470, 495}, {275, 308, 80, 108},
                           {275, 308, 142, 170}, {232, 252, 195, 210}, {232, 252, 218, 230},
                           {232, 252, 260, 274}, {232, 252, 278, 290}, {232, 252, 314, 330},
                           {232, 252, 332, 344}, {448, 480, 316, 344}, {232, 265, 360, 374},
                           {232, 265, 376, 390}, {260, 276, 364, 388}, {276, 292, 364, 388}};
  const Area stageClear[] = {{220, 285, 465, 490}, {340, 410, 465, 490}, {420, 480, 465, 490}};
  struct Screen {
    int state;
    const Area* areas;
    int count;
  } screens[] = {{Settings, settings, 15}, {StageClear, stageClear, 3}};
  for (const Screen& s : screens) {
    SCOPED_TRACE(s.state);
    flow.gameState = s.state;
    PadTarget targets[32];
    const int n = PadTargets(targets, 32);
    ASSERT_EQ(n, s.count);
    // Every target lies in one area of its own, so every area can be reached.
    std::vector<int> reached(s.count, 0);
    for (int t = 0; t < n; ++t)
      for (int a = 0; a < s.count; ++a)
        if (s.areas[a].Holds(targets[t].x, targets[t].y)) ++reached[a];
    EXPECT_EQ(reached, std::vector<int>(s.count, 1));
  }

  // Walking the stage clear page: the first press goes to the nearest button, then the
  // d-pad steps between them and stops at the last; A clicks where the pointer stands.
  flow.gameState = StageClear;
  mouse.pointerX = 500;
  mouse.pointerY = 10;
  PressAndRelease(platform::PAD_DPAD_LEFT);
  EXPECT_EQ(mouse.pointerX, 450);
  EXPECT_EQ(mouse.pointerY, 477);
  for (int x : {375, 252, 252}) {
    PressAndRelease(platform::PAD_DPAD_LEFT);
    EXPECT_EQ(mouse.pointerX, x);
  }
  PressAndRelease(platform::PAD_DPAD_UP);  // nothing up there
  EXPECT_EQ(mouse.pointerY, 477);
  PressAndRelease(platform::PAD_DPAD_RIGHT);
  EXPECT_EQ(mouse.pointerX, 375);
  Hold(platform::PAD_DPAD_RIGHT, true);  // held: one step only
  for (int f = 0; f < 5; ++f) Frame();
  EXPECT_EQ(mouse.pointerX, 450);
  Hold(platform::PAD_A, true);
  EXPECT_TRUE(Frame());
  EXPECT_TRUE(stageClear[2].Holds(mouse.pointerX, mouse.pointerY));

  // On the settings screen the volume buttons sit one under the other.
  flow.gameState = Settings;
  mouse.pointerX = 240;
  mouse.pointerY = 180;
  PressAndRelease(platform::PAD_DPAD_DOWN);
  EXPECT_TRUE(settings[4].Holds(mouse.pointerX, mouse.pointerY));  // the nearest: music up
  PressAndRelease(platform::PAD_DPAD_DOWN);
  EXPECT_TRUE(settings[5].Holds(mouse.pointerX, mouse.pointerY));  // music down
  PressAndRelease(platform::PAD_DPAD_DOWN);
  EXPECT_TRUE(settings[6].Holds(mouse.pointerX, mouse.pointerY));  // effects up
}

TEST_F(GamepadTest, WorldSelectionJumpsOnlyToWhatCanBeChosen) {
  const Area boxes[5] = {{31, 149, 66, 174},
                         {201, 319, 66, 174},
                         {371, 489, 66, 174},
                         {121, 239, 226, 334},
                         {291, 409, 226, 334}};
  const Area back{170, 255, 470, 500}, play{260, 345, 470, 500}, next{222, 307, 443, 456};
  const Area leftArrow{215, 239, 361, 387}, rightArrow{283, 311, 361, 387};
  flow.gameState = WorldSelect;
  for (int w = 0; w < 5; ++w) stageFiles.worldAvailable[w] = true;
  stageFiles.worldAvailable[2] = false;  // incomplete stage files
  player.worldLocked[4] = true;

  auto holdsOf = [&](const std::vector<Area>& areas) {
    PadTarget targets[32];
    const int n = PadTargets(targets, 32);
    std::vector<int> reached(areas.size(), 0);
    for (int t = 0; t < n; ++t)
      for (std::size_t a = 0; a < areas.size(); ++a)
        if (areas[a].Holds(targets[t].x, targets[t].y)) ++reached[a];
    return std::make_pair(n, reached);
  };
  auto [count, reached] = holdsOf({boxes[0], boxes[1], boxes[3], back, play});
  EXPECT_EQ(count, 5);  // worlds 3 (no stage files) and 5 (locked) are passed over
  EXPECT_EQ(reached, std::vector<int>(5, 1));

  // A saved game of the set shows the continue button; a second set shows the arrows.
  worldSelect.continueAvailable = true;
  worldSelect.extraSetCount = 1;
  auto [count2, reached2] =
      holdsOf({boxes[0], boxes[1], boxes[3], back, play, next, leftArrow, rightArrow});
  EXPECT_EQ(count2, 8);
  EXPECT_EQ(reached2, std::vector<int>(8, 1));
}

// The keys one pad button stands for on the pause and try-lost menu, against the menu itself:
// each mode takes the one it offers.
TEST_F(GamepadTest, ThePauseMenuAnswersEachButtonInEveryMode) {
  struct Case {
    int mode;
    int tries;
    PadButton button;
    int state;  // the game state afterwards
    int mode2;  // and the menu's mode
  } cases[] = {
      {MENU_PAUSED, 2, platform::PAD_A, Play, MENU_PAUSED},
      {MENU_PAUSED, 2, platform::PAD_B, Play, MENU_PAUSED},
      {MENU_PAUSED, 2, platform::PAD_START, Play, MENU_PAUSED},
      {MENU_PAUSED, 2, platform::PAD_X, StageLoad, MENU_PAUSED},
      {MENU_PAUSED, 2, platform::PAD_Y, PauseMenuState, MENU_PAUSED_QUIT},
      {MENU_PAUSED_QUIT, 2, platform::PAD_A, TitleLoad, MENU_PAUSED_QUIT},
      {MENU_PAUSED_QUIT, 2, platform::PAD_B, PauseMenuState, MENU_PAUSED},
      {MENU_TRY_LOST, 2, platform::PAD_A, StageLoad, MENU_TRY_LOST},
      {MENU_TRY_LOST, 2, platform::PAD_B, PauseMenuState, MENU_TRY_LOST},
      {MENU_TRY_LOST, 0, platform::PAD_A, StageLoad, MENU_TRY_LOST},
      {MENU_TRY_LOST, 0, platform::PAD_Y, PauseMenuState, MENU_TRY_LOST_QUIT},
      {MENU_TRY_LOST_QUIT, 0, platform::PAD_B, PauseMenuState, MENU_TRY_LOST},
      {MENU_TRY_LOST_QUIT, 0, platform::PAD_A, TitleLoad, MENU_TRY_LOST_QUIT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " tries " + std::to_string(c.tries) +
                 " button " + std::to_string(c.button));
    flow.gameState = PauseMenuState;
    flow.stagesPerWorld = 10;
    flow.stageNumber = 13;
    player.tries = c.tries;
    PauseMenu(c.mode >= MENU_TRY_LOST ? 110 : 100);
    for (int f = 0; f < 25; ++f) {  // the menu fades in before it takes keys
      Frame();
      PauseMenu(1);
    }
    pauseMenu.menuMode = c.mode;
    Hold(c.button, true);
    Frame();
    PauseMenu(1);
    Hold(c.button, false);
    EXPECT_EQ(flow.gameState, c.state);
    EXPECT_EQ(pauseMenu.menuMode, c.mode2);
    if (c.tries == 0 && c.state == StageLoad) {
      EXPECT_EQ(flow.stageNumber, 10);  // the world's first stage, with fresh tries
      EXPECT_EQ(player.tries, 3);
    }
    Frame();
  }
}

// The save offer: A saves the game and goes on after the confirmation, B goes on at once.
TEST_F(GamepadTest, TheSaveOfferTakesAAndB) {
  test::TempWorkDir dir;
  for (PadButton b : {platform::PAD_A, platform::PAD_B}) {
    std::remove("saved0.txt");
    flow.gameState = StageLoad;
    flow.stageNumber = 4;
    EXPECT_EQ(SaveOffer(-1), -1);
    flow.gameState = SaveOfferState;
    Frame();
    Hold(b, true);
    Frame();
    const int next = SaveOffer(0);
    Hold(b, false);
    Frame();
    EXPECT_EQ(next, b == platform::PAD_A ? -1 : StageLoad);
    EXPECT_EQ(std::ifstream("saved0.txt").good(), b == platform::PAD_A);
  }
}

}  // namespace
}  // namespace vx
