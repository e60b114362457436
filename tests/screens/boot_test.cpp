#include <filesystem>

#include "app/main_loop.h"
#include "draw/sprite.h"
#include "persist/best_times.h"
#include "persist/settings.h"
#include "screen_fixture.h"
#include "screens/backgrounds.h"
#include "screens/boot.h"
#include "screens/intro.h"
#include "screens/stage_info.h"
#include "screens/title.h"
#include "screens/world_select.h"
#include "storage/texture.h"

namespace vx {
namespace {

class BootTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    ComputeFitSize(1280, 1024);
    ASSERT_TRUE(CreateSoundSystem());
  }
  // Widths of the textures made so far, in order.
  std::vector<int> LoadedWidths() const {
    std::vector<int> widths;
    for (const auto& t : rig_->gpu.textures) widths.push_back(t.width);
    return widths;
  }
};

// The shared images load in their fixed order, and the first missing one stops the boot
// with its name before anything after it is loaded.
TEST_F(BootTest, StopsAtTheFirstMissingImageWithItsName) {
  struct Case {
    const char* missing;
    const char* message;
    std::vector<int> loadedBefore;  // widths of the images loaded before the stop
  } cases[] = {
      {"img\\chrset1.tga", "chrset1.tga", {}},
      {"img\\gemset0.tga", "gemset0.tga", {512}},
      {"img\\gemset1.tga", "gemset1.tga", {512, 500}},
      {"img\\logo.tga", "logo.tga", {512, 500, 501}},
      {"img\\wheel.tga", "wheel.tga", {512, 500, 501, 256}},
      {"img\\player1_0.tga", "img\\player1_0.tga", {512, 500, 501, 256, 502}},
      {"img\\player1_2.tga", "img\\player1_2.tga", {512, 500, 501, 256, 502, 503, 504}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    SetUp();
    test::WriteArchive("_data.loc", test::Without(test::BootMembers(), c.missing));
    test::WriteArchive("_sfx.loc", {{"son\\ok.wav", test::Wav(test::SamplesFor(1))}});
    EXPECT_EQ(Game_0Stage0(), E_FAIL);
    EXPECT_EQ(flow.gameState, Boot);
    ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
    EXPECT_EQ(rig_->dialogs.shown[0].text, c.message);
    EXPECT_EQ(rig_->dialogs.shown[0].caption, "Game_0Stage0()");
    EXPECT_EQ(LoadedWidths(), c.loadedBefore);
    // Nothing after the stop: no effects, no models.
    EXPECT_TRUE(rig_->sound.Calls(platform::SoundCall::Load).empty());
    EXPECT_EQ(rig_->gpu.LiveMeshes(), 0);
  }
}

// A failed boot says so once and asks the main loop to end the game with the failure
// status, instead of asking again every frame.
TEST_F(BootTest, FailedBootShowsItsMessageOnceAndEndsTheGame) {
  test::WriteArchive("_data.loc", test::Without(test::BootMembers(), "img\\gemset1.tga"));
  EXPECT_EQ(Frame(), E_FAIL);
  EXPECT_EQ(flow.gameState, Boot);
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].text, "gemset1.tga");
  EXPECT_TRUE(app.closeRequested);
  EXPECT_EQ(ProcessExitStatus(app.exitStatus), 255);
}

TEST_F(BootTest, LoadsEverythingAndHandsOverToTheTitle) {
  test::WriteArchive("_data.loc", test::BootMembers());
  test::WriteArchive("_sfx.loc", {{"son\\ok.wav", test::Wav(test::SamplesFor(1))},
                                  {"son\\fire3.wav", test::Wav(test::SamplesFor(2))}});
  player.worldLocked[2] = false;
  flow.stageNumber = 42;
  sprites.screenScaleX = sprites.screenScaleY = 1;

  EXPECT_EQ(Game_0Stage0(), 0);
  EXPECT_EQ(flow.gameState, TitleLoad);
  EXPECT_TRUE(rig_->dialogs.shown.empty());
  // Pictures, then the three model textures.
  EXPECT_EQ(LoadedWidths(),
            (std::vector<int>{512, 500, 501, 256, 502, 503, 504, 505, 506, 507, 508}));
  for (int s = 1; s <= 3; ++s) EXPECT_NE(sprites.sheets[s], nullptr) << s;
  EXPECT_NE(sharedImages.wheel, nullptr);
  for (Texture* figure : sharedImages.playerFigures) EXPECT_NE(figure, nullptr);
  for (int slot = 0; slot < 3; ++slot) {
    EXPECT_TRUE(models.slots[slot].loaded) << slot;
    EXPECT_NE(models.slots[slot].texture, nullptr) << slot;
  }
  EXPECT_EQ(sfx.ok, 0);
  EXPECT_EQ(sfx.fireWorld[3], 1);
  EXPECT_FALSE(player.worldLocked[0]);
  for (int w = 1; w < 20; ++w) EXPECT_TRUE(player.worldLocked[w]) << w;
  EXPECT_EQ(flow.stageNumber, 0);
  EXPECT_FLOAT_EQ(sprites.screenScaleX, 0.5f);
  EXPECT_FLOAT_EQ(sprites.screenScaleY, 0.5f);
  EXPECT_FLOAT_EQ(title.idleTimer, 50000);
  EXPECT_FLOAT_EQ(intro.clock, 1501);
  EXPECT_EQ(intro.phase, 0);
}

// With no settings file and no best-times file the defaults hold, and the window is
// requested at the fit size and position.
TEST_F(BootTest, WithoutPlayerFilesTheDefaultsHold) {
  test::WriteArchive("_data.loc", test::BootMembers());
  ASSERT_EQ(Game_0Stage0(), 0);
  EXPECT_FALSE(std::filesystem::exists(kSettingsFile));
  EXPECT_EQ(volumes.effectsPercent, 100);
  EXPECT_EQ(volumes.musicPercent, 100);
  EXPECT_EQ(volumes.effectsVolume, 0);
  EXPECT_EQ(volumes.musicVolume, 1000);
  EXPECT_EQ(app.requestedWindowSize[0], app.fitSize);
  EXPECT_EQ(app.requestedWindowSize[1], app.fitSize);
  EXPECT_EQ(app.requestedWindowPos[0], app.fitX);
  EXPECT_EQ(app.requestedWindowPos[1], 0);
  for (int w = 0; w < kWorldCount; ++w) {
    EXPECT_EQ(bestTimes.bestWorldTime[w], kDefaultBestWorldTime) << w;
    EXPECT_EQ(bestTimes.lastWorldTime[w], 0) << w;
  }
}

// The first frame boots, starts a new game, and its first title frame goes to the intro,
// which shows the music credit plate over the clouds.
TEST_F(BootTest, FirstFrameEndsInTheIntro) {
  test::WriteArchive("_data.loc", test::BootMembers());
  ASSERT_EQ(Frame(), 0);
  EXPECT_EQ(flow.gameState, Intro);
  EXPECT_EQ(player.tries, 4);
  EXPECT_EQ(mouse.pointerX, 430);
  EXPECT_EQ(mouse.pointerY, 400);
  EXPECT_FLOAT_EQ(title.idleTimer, 0);
  EXPECT_EQ(intro.phase, 1);
  ASSERT_EQ(rig_->gpu.meshDraws.size(), 1u);
  EXPECT_EQ(rig_->gpu.meshDraws[0].mesh, models.slots[1].mesh);
  // The last picture of the frame's own drawing is the intro's backdrop over the title.
  ASSERT_NE(backgrounds.backdrop, nullptr);
  bool backdropLast = false;
  for (const auto& s : rig_->gpu.sprites) backdropLast = s.texture == backgrounds.backdrop->gpuId;
  EXPECT_TRUE(backdropLast);
}

// A click in the very first frame ends the intro at once, but not the new-game start: the
// title still has its backdrop and the pointer its start position.
TEST_F(BootTest, ClickInTheFirstFrameReturnsToAFullTitle) {
  test::WriteArchive("_data.loc", test::BootMembers());
  rig_->mouse.left = true;
  ASSERT_EQ(Frame(), 0);
  EXPECT_EQ(flow.gameState, Title);
  EXPECT_NE(backgrounds.backdrop, nullptr);
  EXPECT_EQ(mouse.pointerX, 430);
  EXPECT_FALSE(mouse.leftWentDown);
}

}  // namespace
}  // namespace vx
