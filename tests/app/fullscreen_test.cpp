// The full screen: F11 and Alt+Return switch it at the end of the frame, the choice is
// written at once and the next start makes the window that way, and Alt+Return is the
// window's key only (the title does not take its Return).
#include <gtest/gtest.h>

#include <vector>

#include "app/dispatcher.h"
#include "app/main_loop.h"
#include "core/app_values.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "persist/display_choice.h"
#include "platform/files.h"
#include "screens/title.h"
#include "test_support.h"

namespace vx {
namespace {

class FullscreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &test::InstallHeadless();
    test::MakeScratchDirectories();
    stateHandlers.boot = [] { return 0; };  // these tests have no archives for a real boot
  }
  void Keys(std::vector<int> down) {
    std::fill(std::begin(rig_->keyboard.keys), std::end(rig_->keyboard.keys), 0);
    for (int k : down) rig_->keyboard.keys[k] = 0x80;
  }
  test::TempWorkDir dir_;
  test::HeadlessRig* rig_ = nullptr;
};

TEST_F(FullscreenTest, TheKeysSwitchItAndTheNextStartRemembers) {
  int status = 0;
  ASSERT_TRUE(GameStartup(&status));
  EXPECT_TRUE(rig_->window.fullscreenCalls.empty());
  const struct {
    std::vector<int> keys;
    std::vector<bool> calls;  // every switch the window was given so far
  } frames[] = {
      {{KEY_F11}, {true}}, {{KEY_F11}, {true}},  // held: once
      {{}, {true}},        {{KEY_LALT, KEY_RETURN}, {true, false}},
      {{}, {true, false}}, {{KEY_F11}, {true, false, true}},
  };
  for (const auto& f : frames) {
    Keys(f.keys);
    ASSERT_TRUE(GameFrame());
    EXPECT_EQ(rig_->window.fullscreenCalls, f.calls);
  }
  int width = 0, height = 0;
  rig_->window.PixelSize(&width, &height);
  EXPECT_EQ(width, 1280);  // the surface is the desktop
  EXPECT_EQ(height, 1024);
  GameTeardown();

  // The next run starts on the full screen: the window is made that way, before it shows.
  rig_ = &test::InstallHeadless();
  stateHandlers.boot = [] { return 0; };
  ASSERT_TRUE(GameStartup(&status));
  EXPECT_EQ(rig_->window.fullscreenCalls, std::vector<bool>{true});
  EXPECT_TRUE(rig_->window.fullscreen);
  EXPECT_TRUE(app.appliedFullscreen);
  Keys({});
  ASSERT_TRUE(GameFrame());
  EXPECT_EQ(rig_->window.fullscreenCalls.size(), 1u);  // nothing more to switch
  GameTeardown();
}

TEST_F(FullscreenTest, AltReturnOnTheTitleDoesNotChooseTheMenuEntry) {
  int status = 0;
  ASSERT_TRUE(GameStartup(&status));
  Keys({});
  for (int f = 0; f < 3; ++f) GameFrame();  // boot, title, intro
  flow.gameState = Title;
  title.idleTimer = 0;
  Keys({KEY_LALT});
  GameFrame();
  Keys({KEY_LALT, KEY_RETURN});
  for (int f = 0; f < 3; ++f) GameFrame();
  Keys({KEY_RETURN});  // Alt let go before Return
  GameFrame();
  EXPECT_EQ(flow.gameState, Title);
  EXPECT_EQ(rig_->window.fullscreenCalls, std::vector<bool>{true});
  Keys({});
  GameFrame();
  Keys({KEY_RETURN});  // Return on its own chooses as ever
  GameFrame();
  EXPECT_EQ(flow.gameState, WorldSelect);
  GameTeardown();
}

}  // namespace
}  // namespace vx
