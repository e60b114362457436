#include <cmath>
#include <filesystem>

#include "app/main_loop.h"
#include "draw/layers.h"
#include "draw/sprite.h"
#include "persist/best_times.h"
#include "screen_fixture.h"
#include "screens/backgrounds.h"
#include "screens/boot.h"
#include "screens/intro.h"
#include "screens/stage_info.h"
#include "screens/title.h"
#include "storage/texture.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// Surface points of the three entries, the gap between the first two, and elsewhere.
constexpr int kEntryY[3] = {340, 380, 430};
constexpr int kGapX = 250, kGapY = 358;

// The title after a new-game start: backdrop, sheets, the wheel and the two menu sounds.
class TitleTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    test::WriteArchive("_data.loc", test::BootMembers());
    LoadTitleSounds();
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\chrset1.tga", &sprites.sheets[1]), 0);
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\logo.tga", &sharedImages.logo), 0);
    flow.gameState = TitleLoad;
    ASSERT_EQ(Game_0Stage1(), 0);
    ASSERT_EQ(flow.gameState, Title);
  }
  void PointAt(int x, int y) {
    mouse.pointerX = x;
    mouse.pointerY = y;
  }
  void Key(int code, bool down) { rig_->keyboard.keys[code] = down ? 0x80 : 0; }
  // A key held for one frame and let go in the next.
  void Press(int code) {
    Key(code, true);
    Frame(1);
    Key(code, false);
    Frame(1);
  }
  void Click() {
    rig_->mouse.left = true;
    Frame(1);
    rig_->mouse.left = false;
    Frame(1);
  }
};

TEST_F(TitleTest, NewGameStartResetsTheGameAndWritesTheBestTimes) {
  ASSERT_TRUE(fs::exists(kBestTimesFile));
  fs::remove(kBestTimesFile);
  player.tries = 1;
  player.energy = 7;
  flow.aimGuide = false;
  PointAt(3, 3);
  flow.gameState = TitleLoad;
  EXPECT_EQ(Game_0Stage1(), 0);
  EXPECT_EQ(flow.gameState, Title);
  EXPECT_EQ(player.tries, 4);
  EXPECT_EQ(player.energy, 100);
  EXPECT_TRUE(flow.aimGuide);
  EXPECT_EQ(mouse.pointerX, 430);
  EXPECT_EQ(mouse.pointerY, 400);
  EXPECT_TRUE(fs::exists(kBestTimesFile));
  EXPECT_NE(backgrounds.backdrop, nullptr);
}

// A title without its backdrop says so once and asks the main loop to end the game with the
// failure status; before, it tried again every frame, with a message box each time.
TEST_F(TitleTest, MissingBackdropShowsItsMessageOnceAndEndsTheGame) {
  test::WriteArchive("_data.loc", test::Without(test::BootMembers(), "img\\startscreenclouds.tga"));
  flow.gameState = TitleLoad;
  EXPECT_EQ(Frame(), E_FAIL);
  EXPECT_EQ(flow.gameState, TitleLoad);
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].text, "startscreenclouds.tga");
  EXPECT_EQ(rig_->dialogs.shown[0].caption, "Game_0Stage1()");
  EXPECT_TRUE(app.closeRequested);
  EXPECT_EQ(ProcessExitStatus(app.exitStatus), 255);
}

// Hover and the arrow keys move the selection; each change plays the change sound once and
// spins the wheel towards the change.
TEST_F(TitleTest, HoverAndKeysSelectWithOneSoundPerChange) {
  struct Case {
    const char* name;
    int start;
    int x, y;  // pointer
    int key;   // 0: none
    int selection;
    int sounds;
    float speed;  // after the frame, with frame step 1
  } cases[] = {
      {"hover entry 2 from 0", 0, 256, kEntryY[2], 0, 2, 1, 1.49f},
      {"hover entry 1 from 2", 2, 210, kEntryY[1], 0, 1, 1, -1.49f},
      {"hover the entry already chosen", 1, 256, kEntryY[1], 0, 1, 0, 0.1f},
      {"down from 0", 0, 50, 50, KEY_DOWN, 1, 1, 1.49f},
      {"up from 2", 2, 50, 50, KEY_UP, 1, 1, -1.49f},
      {"up at the top", 0, 50, 50, KEY_UP, 0, 0, 0.1f},
      {"down at the bottom", 2, 50, 50, KEY_DOWN, 2, 0, 0.1f},
      {"right of the entries", 0, 320, kEntryY[2], 0, 0, 0, 0.1f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    title.selection = title.previousSelection = c.start;
    title.wheelSpeed = 0.1f;
    const int before = Plays(sfx.chgSelection);
    PointAt(c.x, c.y);
    if (c.key) Key(c.key, true);
    Frame(1);
    if (c.key) Key(c.key, false);
    Frame(0);  // a frame without time: nothing changes, nothing decays
    EXPECT_EQ(title.selection, c.selection);
    EXPECT_EQ(Plays(sfx.chgSelection) - before, c.sounds);
    EXPECT_NEAR(title.wheelSpeed, c.speed, 1e-5);
    EXPECT_EQ(flow.gameState, Title);
  }
}

// After a change the wheel slows by 0.01 per unit of frame step to a slow turn that keeps
// the direction of the change.
TEST_F(TitleTest, WheelSpeedDecaysToASlowTurnInTheChangesDirection) {
  PointAt(256, kEntryY[2]);
  Frame(10);
  EXPECT_NEAR(title.wheelSpeed, 1.4f, 1e-5);
  for (int i = 0; i < 12; ++i) Frame(10);
  EXPECT_NEAR(title.wheelSpeed, 0.2f, 1e-4);
  Frame(10);
  Frame(10);
  EXPECT_FLOAT_EQ(title.wheelSpeed, 0.1f);
  PointAt(256, kEntryY[0]);
  Frame(10);
  EXPECT_NEAR(title.wheelSpeed, -1.4f, 1e-5);
  for (int i = 0; i < 30; ++i) Frame(10);
  EXPECT_FLOAT_EQ(title.wheelSpeed, -0.1f);
  // The logo turns by the speed every frame.
  const float angle = title.logoAngle;
  Frame(10);
  EXPECT_NEAR(std::remainder(title.logoAngle - (angle - 1.0f), 360.0f), 0, 1e-3);
}

// Return held, or a click on an entry, acts on the selection with one "OK" sound.
TEST_F(TitleTest, ActivationByReturnOrClick) {
  struct Case {
    const char* name;
    int selection;
    bool byClick;
    int state;
  } cases[] = {
      {"return on play", 0, false, WorldSelect},
      {"return on settings", 1, false, Settings},
      {"click on play", 0, true, WorldSelect},
      {"click on settings", 1, true, Settings},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    flow.gameState = Title;
    title.selection = title.previousSelection = c.selection;
    const int before = Plays(sfx.ok);
    if (c.byClick) {
      PointAt(256, kEntryY[c.selection]);
      Click();
    } else {
      PointAt(50, 50);
      Key(KEY_RETURN, true);
      for (int i = 0; i < 5; ++i) EXPECT_EQ(Frame(1), 0);  // held for several frames
      Key(KEY_RETURN, false);
    }
    EXPECT_EQ(flow.gameState, c.state);
    EXPECT_EQ(Plays(sfx.ok) - before, 1);
    EXPECT_FALSE(app.quitRequested);
  }
}

// The quit entry clears the sealed-file temporaries and asks to close; the main loop carries
// the request out at the end of the frame, which deletes the extracted music.
TEST_F(TitleTest, QuitEndsThroughTheCloseRequest) {
  std::snprintf(app.musicScratchPath, sizeof app.musicScratchPath, "BUN\\k\\k\\ahae.mp3");
  PointAt(256, kEntryY[2]);
  Frame(1);
  ASSERT_EQ(title.selection, 2);
  // Written after the first frame, whose music start clears the scratch file.
  test::WriteFile("dummy", "x");
  test::WriteFile("ready", "x");
  test::WriteFile("BUN/k/k/ahae.mp3", "music");
  rig_->mouse.left = true;
  EXPECT_EQ(Frame(1), E_FAIL);
  EXPECT_TRUE(app.closeRequested);
  EXPECT_EQ(Plays(sfx.ok), 1);
  EXPECT_FALSE(fs::exists("dummy"));
  EXPECT_FALSE(fs::exists("ready"));
  EXPECT_TRUE(fs::exists("BUN/k/k/ahae.mp3"));
  EXPECT_FALSE(GameFrame());
  EXPECT_TRUE(app.quitRequested);
  EXPECT_FALSE(fs::exists("BUN/k/k/ahae.mp3"));
}

// Clicks off the entries do nothing; the pointer in a gap leaves the keyboard in charge.
TEST_F(TitleTest, ClicksOffTheEntriesAndTheGapChangeNothing) {
  title.selection = title.previousSelection = 1;
  for (auto [x, y] : {std::pair{100, 100}, std::pair{kGapX, kGapY}, std::pair{201, 448},
                      std::pair{320, kEntryY[0]}}) {
    SCOPED_TRACE(testing::Message() << x << "," << y);
    PointAt(x, y);
    Click();
    EXPECT_EQ(flow.gameState, Title);
    EXPECT_EQ(title.selection, 1);
  }
  EXPECT_EQ(Plays(sfx.ok), 0);
  EXPECT_EQ(Plays(sfx.chgSelection), 0);
  PointAt(kGapX, kGapY);
  Press(KEY_DOWN);
  Frame(1);
  EXPECT_EQ(title.selection, 2);
  Press(KEY_UP);
  Press(KEY_UP);
  Frame(1);
  EXPECT_EQ(title.selection, 0);
  EXPECT_EQ(Plays(sfx.chgSelection), 3);
}

// The idle time counts frame-step units and sends the title to the intro once it is above
// 100 seconds.
TEST_F(TitleTest, IdleTimeStartsTheIntro) {
  for (int i = 0; i < 1000; ++i) Frame(20);
  EXPECT_EQ(flow.gameState, Title);
  EXPECT_FLOAT_EQ(title.idleTimer, 20000);
  Frame(20);
  EXPECT_EQ(flow.gameState, Intro);
  EXPECT_FLOAT_EQ(title.idleTimer, 0);
  EXPECT_EQ(intro.phase, 1);
}

TEST_F(TitleTest, IntroButtonStartsTheIntroOnlyUnderThePointer) {
  const platform::SpriteDraw* button = nullptr;
  auto findButton = [&] {
    button = nullptr;
    for (const auto& s : rig_->gpu.sprites)
      if (s.texture == sprites.sheets[1]->gpuId && s.right == 115 && s.bottom == 15) button = &s;
    ASSERT_NE(button, nullptr);
  };
  PointAt(100, 495);
  Click();
  findButton();
  EXPECT_EQ(button->colour, 0xB2FFFFFFu);
  EXPECT_FLOAT_EQ(button->scaleX, 1);
  EXPECT_EQ(flow.gameState, Title);

  title.idleTimer = 500;
  PointAt(256, 495);
  Frame(1);
  findButton();
  EXPECT_EQ(button->colour, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(button->scaleX, 1.1f);
  EXPECT_FLOAT_EQ(button->x, 256 - 115 * 1.1f / 2);
  EXPECT_EQ(flow.gameState, Title);
  rig_->mouse.left = true;
  Frame(1);
  EXPECT_EQ(flow.gameState, Intro);
  EXPECT_FLOAT_EQ(title.idleTimer, 0);
  EXPECT_FALSE(mouse.leftWentDown);
}

// The wheel turns about its centre, which lands on the given point at any scale.
TEST_F(TitleTest, TitleWheelTurnsAboutItsCentre) {
  title.logoAngle = 300;
  frameClock.frameStep = 4;
  rig_->gpu.BeginFrame();
  EXPECT_FLOAT_EQ(DrawTitleWheel(50, 100, 200, 0.5f, 25), 40);
  ASSERT_EQ(rig_->gpu.sprites.size(), 1u);
  float corners[8];
  platform::SpriteCorners(rig_->gpu.sprites[0], corners);
  EXPECT_NEAR((corners[0] + corners[4]) / 2, 100, 1e-3);
  EXPECT_NEAR((corners[1] + corners[5]) / 2, 200, 1e-3);
  // Side 128 pixels, turned by 40 degrees.
  EXPECT_NEAR(std::hypot(corners[2] - corners[0], corners[3] - corners[1]), 128, 1e-3);
  EXPECT_NEAR(std::atan2(corners[3] - corners[1], corners[2] - corners[0]), 40 * M_PI / 180, 1e-4);
  EXPECT_EQ(rig_->gpu.sprites[0].colour, 0x7FFFFFFFu);

  ReleaseTexture(sharedImages.logo);
  sharedImages.logo = nullptr;
  rig_->gpu.BeginFrame();
  EXPECT_FLOAT_EQ(DrawTitleWheel(100, 256, 346, 1, -15), -20);
  EXPECT_TRUE(rig_->gpu.sprites.empty());
}

}  // namespace
}  // namespace vx
