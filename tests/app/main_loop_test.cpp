#include "app/main_loop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/dispatcher.h"
#include "core/game_state.h"
#include "core/random.h"
#include "gfx_fixtures.h"
#include "test_support.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

std::vector<int> scriptedRandom;
std::size_t scriptedIndex = 0;
int NextScripted() {
  return scriptedRandom[scriptedIndex++ % scriptedRandom.size()];
}

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &test::InstallHeadless();
    scriptedRandom = {2, 13, 9, 20};  // letters m, n, t, k
    scriptedIndex = 0;
    randomSource.next = NextScripted;
  }
  void MakeScratchDirs() { test::MakeScratchDirectories(); }
  test::TempWorkDir dir_;
  test::HeadlessRig* rig_ = nullptr;
};

TEST_F(MainLoopTest, ScratchPathsUseTwoRandomLetters) {
  MakeScratchDirs();
  char path[256];
  EXPECT_EQ(ChooseScratchPath(path, "ahae.mp3"), 16);
  EXPECT_STREQ(path, "BUN\\m\\n\\ahae.mp3");
  EXPECT_EQ(ChooseScratchPath(path, "dummy.txt"), 17);
  EXPECT_STREQ(path, "BUN\\t\\k\\dummy.txt");
  EXPECT_TRUE(rig_->dialogs.shown.empty());
}

TEST_F(MainLoopTest, MissingScratchDirectoryEndsTheStart) {
  MakeScratchDirs();
  fs::remove_all("BUN/m/n");
  int status = 0;
  EXPECT_FALSE(GameStartup(&status));
  EXPECT_EQ(ProcessExitStatus(status), 255) << "a broken install is no success";
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].text, "Missing Data");
  EXPECT_EQ(rig_->dialogs.shown[0].caption, "Game Exiting");
  EXPECT_EQ(rig_->gpu.framesBegun, 0);
}

TEST_F(MainLoopTest, WindowFailureReturnsEFail) {
  rig_->window.failCreate = true;
  int status = 0;
  EXPECT_FALSE(GameStartup(&status));
  EXPECT_EQ(status, E_FAIL);
}

TEST_F(MainLoopTest, NoDrawingDeviceEndsWithItsMessage) {
  MakeScratchDirs();
  rig_->gpu.available = false;
  int status = 0;
  EXPECT_FALSE(GameStartup(&status));
  EXPECT_EQ(ProcessExitStatus(status), 255);
  ASSERT_FALSE(rig_->dialogs.shown.empty());
  EXPECT_EQ(rig_->dialogs.shown.back().text,
            "Software emulation failed.  Make sure correct video card driver installed");
  EXPECT_EQ(rig_->dialogs.shown.back().caption, "Vexorbia");
}

TEST_F(MainLoopTest, FitSizeOfTheDesktop) {
  struct Case {
    int w, h, fit, fitX;
  } cases[] = {
      {1280, 1024, 974, 153}, {1920, 1080, 1030, 445}, {100, 300, 100, 0}, {90, 80, 80, 5}};
  for (const Case& c : cases) {
    ComputeFitSize(c.w, c.h);
    EXPECT_EQ(app.fitSize, c.fit) << c.w << "x" << c.h;
    EXPECT_EQ(app.fitX, c.fitX) << c.w << "x" << c.h;
    EXPECT_EQ(app.fitY, 0);
  }
}

TEST_F(MainLoopTest, WindowRequestsMoveTheWindow) {
  ApplyWindowRequests();
  EXPECT_TRUE(rig_->window.moves.empty());
  app.requestedWindowSize[0] = app.requestedWindowSize[1] = 800;
  ApplyWindowRequests();
  ASSERT_EQ(rig_->window.moves.size(), 1u);
  EXPECT_EQ(rig_->window.moves[0].width, 800);
  EXPECT_EQ(rig_->window.moves[0].height, 800);
  rig_->window.moves.clear();
  app.requestedWindowSize[0] = app.requestedWindowSize[1] = 974;
  app.requestedWindowPos[0] = 153;
  ApplyWindowRequests();  // size and position in one pass: the same move twice
  ASSERT_EQ(rig_->window.moves.size(), 2u);
  for (const auto& m : rig_->window.moves) {
    EXPECT_EQ(m.x, 153);
    EXPECT_EQ(m.y, 0);
    EXPECT_EQ(m.width, 974);
    EXPECT_EQ(m.height, 974);
  }
}

TEST_F(MainLoopTest, ClosingTheWindowQuitsThroughTheCloseRequest) {
  MakeScratchDirs();
  stateHandlers.boot = [] { return 0; };  // this test has no archives for a real boot
  int status = -1;
  ASSERT_TRUE(GameStartup(&status));
  test::WriteFile("BUN/m/n/ahae.mp3", "music");
  EXPECT_TRUE(GameFrame());
  EXPECT_TRUE(GameFrame());
  rig_->window.closeRequested = true;
  EXPECT_FALSE(GameFrame());
  EXPECT_TRUE(app.quitRequested);
  EXPECT_FALSE(fs::exists("BUN/m/n/ahae.mp3"));
  GameTeardown();
  EXPECT_TRUE(rig_->gpu.destroyed);
  EXPECT_EQ(rig_->gpu.framesPresented, 3);
}

TEST_F(MainLoopTest, StartupLoadsTheExplosionImagesAndReportsTheFirstMissing) {
  MakeScratchDirs();
  test::WriteArchive("_data.loc", {{"img\\explosion_1.tga", test::MakeTga(2, 2)},
                                   {"img\\explosion_2.tga", test::MakeTga(2, 2)}});
  int status = -1;
  ASSERT_TRUE(GameStartup(&status));
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].text, "img\\explosion_3.tga");
  EXPECT_EQ(rig_->dialogs.shown[0].caption, "Game_0Stage3 Unable to load");
  EXPECT_TRUE(app.startupDone);
}

// A broken install (the boot's pictures missing) shows its message once, ends the game
// through the close request and the teardown, and the program ends with status 255.
TEST_F(MainLoopTest, AFailedBootEndsTheProgramWithTheFailureStatus) {
  MakeScratchDirs();
  test::WriteArchive("_data.loc", {{"img\\explosion_1.tga", test::MakeTga(2, 2)}});
  rig_->dialogs.shown.clear();
  const int status = RunGame();
  EXPECT_EQ(ProcessExitStatus(status), 255);
  ASSERT_EQ(rig_->dialogs.shown.size(), 2u);  // the start-up's explosion image, then the boot's
  EXPECT_EQ(rig_->dialogs.shown[1].text, "chrset1.tga");
  EXPECT_EQ(rig_->gpu.framesPresented, 1);
  EXPECT_TRUE(rig_->gpu.destroyed);
  EXPECT_FALSE(rig_->window.created);
}

TEST_F(MainLoopTest, ExitStatusAsTheSystemReportsIt) {
  const int cases[][2] = {{0, 0}, {-1, 255}, {E_FAIL, 5}, {256, 1}};
  for (const auto& c : cases) EXPECT_EQ(ProcessExitStatus(c[0]), c[1]) << c[0];
}

}  // namespace
}  // namespace vx
