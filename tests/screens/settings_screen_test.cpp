#include <filesystem>

#include "audio/volume.h"
#include "core/app_values.h"
#include "draw/layers.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "persist/settings.h"
#include "screen_fixture.h"
#include "screens/settings_screen.h"
#include "screens/title.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// Points inside the click areas.
struct Point {
  int x, y;
};
constexpr Point kCancel = {350, 480}, kOk = {450, 480};
constexpr Point kResetLast = {290, 95}, kResetBest = {290, 155};
constexpr Point kMusicUp = {242, 200}, kMusicDown = {242, 224};
constexpr Point kEffectsUp = {242, 267}, kEffectsDown = {242, 284};
constexpr Point kSizeUp = {242, 322}, kSizeDown = {242, 338}, kFit = {464, 330};
constexpr Point kUp = {240, 367}, kDown = {240, 383}, kLeft = {268, 368}, kRight = {284, 368};

class SettingsTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScreenImages();
    LoadScreenSounds();
    app.fitSize = 718;
    app.fitX = 153;
    app.fitY = 0;
    app.desktopWidth = 1024;
    app.desktopHeight = 768;
  }
  // Opens the screen as the title does, in a frame of its own.
  void Open() {
    flow.gameState = Settings;
    SettingsScreen(0);
    Frame(1);
  }
  void ClickAt(Point p, int times = 1) {
    PointAt(p.x, p.y);
    for (int i = 0; i < times; ++i) Click();
  }
  void SetWindow(int size, int x, int y) {
    app.requestedWindowSize[0] = app.requestedWindowSize[1] = size;
    app.requestedWindowPos[0] = x;
    app.requestedWindowPos[1] = y;
  }
};

// Size and position steps test their limits before stepping; every change is requested at
// once and the size shows as a number.
TEST_F(SettingsTest, WindowSizeAndPositionLimits) {
  struct Case {
    const char* what;
    Point area;
    int size, x, y;  // before
    int sizeAfter, xAfter, yAfter;
  } cases[] = {
      {"1000 grows to 1050", kSizeUp, 1000, 100, 100, 1050, 100, 100},
      {"1050 stays", kSizeUp, 1050, 100, 100, 1050, 100, 100},
      {"1024 stays", kSizeUp, 1024, 100, 100, 1024, 100, 100},
      {"250 shrinks to 200", kSizeDown, 250, 100, 100, 200, 100, 100},
      {"200 cannot go lower", kSizeDown, 200, 100, 100, 200, 100, 100},
      {"fit", kFit, 300, 40, 60, 718, 153, 0},
      {"up", kUp, 512, 100, 40, 512, 100, 20},
      {"up at 20", kUp, 512, 100, 20, 512, 100, 20},
      {"down", kDown, 512, 100, 880, 512, 100, 900},
      {"down at 900", kDown, 512, 100, 900, 512, 100, 900},
      {"left", kLeft, 512, 40, 100, 512, 20, 100},
      {"left at 20", kLeft, 512, 20, 100, 512, 20, 100},
      {"right", kRight, 512, 880, 100, 512, 900, 100},
      {"right at 900", kRight, 512, 900, 100, 512, 900, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetWindow(c.size, c.x, c.y);
    Open();
    ClickAt(c.area);
    EXPECT_EQ(app.requestedWindowSize[0], c.sizeAfter);
    EXPECT_EQ(app.requestedWindowSize[1], c.sizeAfter);
    EXPECT_EQ(app.requestedWindowPos[0], c.xAfter);
    EXPECT_EQ(app.requestedWindowPos[1], c.yAfter);
    EXPECT_EQ(flow.gameState, Settings);
    // The width at (270, 310), digits at scale 2 (20 pixels each).
    const int digits = c.sizeAfter >= 1000 ? 4 : 3;
    EXPECT_EQ(GlyphsIn(270, 270 + 20 * digits, 310, 311), digits);
  }
}

// Volume changes are heard at once; Cancel and Escape bring back the volumes and the window
// of the moment the screen opened, OK keeps them.
TEST_F(SettingsTest, CancelEscapeAndOkWithTheVolumes) {
  struct Case {
    const char* what;
    int end;  // 0 Cancel, 1 Escape, 2 OK
  } cases[] = {{"cancel", 0}, {"escape", 1}, {"ok", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    volumes.effectsPercent = 1;
    volumes.musicPercent = 50;
    ApplyVolumePercents();
    SetWindow(600, 100, 100);
    flow.gameState = Title;
    Frame(1);  // the title's music starts at half volume
    ASSERT_EQ(rig_->music.volume, 500);
    Open();
    ClickAt(kEffectsDown);
    EXPECT_EQ(volumes.effectsVolume, -10000);  // silent at once
    EXPECT_EQ(volumes.effectsPercent, 1);      // the stored value is kept until OK
    ClickAt(kMusicUp, 3);
    EXPECT_EQ(volumes.musicPercent, 53);
    EXPECT_EQ(rig_->music.volume, 530);  // the player follows at once
    ClickAt(kSizeUp);
    ASSERT_EQ(app.requestedWindowSize[0], 650);
    const int bounces = Plays(sfx.bounce), oks = Plays(sfx.ok);
    if (c.end == 0) ClickAt(kCancel);
    if (c.end == 1) Press(KEY_ESCAPE);
    if (c.end == 2) ClickAt(kOk);
    EXPECT_EQ(flow.gameState, Title);
    const bool kept = c.end == 2;
    EXPECT_EQ(volumes.effectsPercent, kept ? 0 : 1);
    EXPECT_EQ(volumes.effectsVolume, kept ? -10000 : -5940);
    EXPECT_EQ(volumes.musicPercent, kept ? 53 : 50);
    EXPECT_EQ(rig_->music.volume, kept ? 530 : 500);
    EXPECT_EQ(app.requestedWindowSize[0], kept ? 650 : 600);
    EXPECT_EQ(app.requestedWindowSize[1], kept ? 650 : 600);
    EXPECT_EQ(Plays(sfx.bounce) - bounces, kept ? 0 : 1);
    EXPECT_EQ(Plays(sfx.ok) - oks, kept ? 1 : 0);
    // Cancel's bounce sounds at the restored volume; OK's confirmation at the new one.
    const auto plays = rig_->sound.Calls(platform::SoundCall::Play);
    EXPECT_EQ(plays.back().attenuation, kept ? -10000 : -5940);
    EXPECT_EQ(fs::exists(kSettingsFile), kept);
    fs::remove(kSettingsFile);
  }
}

// OK writes the settings; the reset boxes decide what else is written.
TEST_F(SettingsTest, OkWritesTheSettingsAndTheResetsAsked) {
  struct Case {
    const char* what;
    bool last, best;
  } cases[] = {{"no reset", false, false},
               {"best times", false, true},
               {"last times", true, false},
               {"both", true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(kBestTimesFile);
    fs::remove("saved0.txt");
    flow.stagesPerWorld = 10;
    flow.stageSet = 0;
    flow.stageNumber = 37;
    player.tries = 2;
    for (int w = 0; w < kWorldCount; ++w) {
      bestTimes.bestWorldTime[w] = 5000 + w;
      bestTimes.lastWorldTime[w] = 6000 + w;
    }
    if (c.last || c.best) WriteSavedGame();
    volumes.musicPercent = 70;
    Open();
    if (c.last) ClickAt(kResetLast);
    if (c.best) ClickAt(kResetBest);
    // The check marks show the boxes that are on.
    EXPECT_EQ(SheetDraws(470, 130, 510, 160).size(), (c.last ? 1u : 0u) + (c.best ? 1u : 0u));
    ClickAt(kOk);
    ASSERT_EQ(flow.gameState, Title);
    for (int w = 0; w < kWorldCount; ++w) {
      EXPECT_EQ(bestTimes.bestWorldTime[w], c.best ? kResetBestWorldTime : 5000 + w);
      EXPECT_EQ(bestTimes.lastWorldTime[w], c.last ? 0 : 6000 + w);
    }
    if (!c.last && !c.best) {
      EXPECT_FALSE(fs::exists(kBestTimesFile));
      EXPECT_FALSE(fs::exists("saved0.txt"));
      EXPECT_EQ(flow.stageNumber, 37);
    } else {
      // The saved game now starts the set afresh with four tries; the times file holds the
      // reset times.
      player.tries = 0;
      EXPECT_EQ(ReadSavedGame(true), 0);
      EXPECT_EQ(player.tries, 4);
      for (int& t : bestTimes.bestWorldTime) t = 1;
      ASSERT_TRUE(ReadBestTimes());
      EXPECT_EQ(bestTimes.bestWorldTime[0], c.best ? kResetBestWorldTime : 5000);
    }
    // The settings file holds the values shown.
    volumes.musicPercent = 0;
    ASSERT_TRUE(ReadSettings());
    EXPECT_EQ(volumes.musicPercent, 70);
  }
}

// The screen's own click is the button going down; holding it does not repeat, and the
// click on "settings" that opened the screen is no click here (the title's entry lies over
// the window-position arrows).
TEST_F(SettingsTest, OnlyAFreshPressIsAClick) {
  SetWindow(512, 100, 100);
  flow.gameState = TitleLoad;
  Frame(1);
  title.idleTimer = 0;
  PointAt(250, 370);  // "settings" on the title, and "window up" here
  Frame(1);
  ASSERT_EQ(title.selection, 1);
  rig_->mouse.left = true;
  Frame(1);
  ASSERT_EQ(flow.gameState, Settings);
  for (int i = 0; i < 5; ++i) Frame(1);
  EXPECT_EQ(app.requestedWindowPos[1], 100);
  rig_->mouse.left = false;
  Frame(1);
  rig_->mouse.left = true;
  for (int i = 0; i < 5; ++i) Frame(1);
  EXPECT_EQ(app.requestedWindowPos[1], 80);
  // The click flashes a gem under the pointer.
  const auto flash = SheetDraws(380, 310, 430, 360);
  ASSERT_EQ(flash.size(), 1u);
  EXPECT_FLOAT_EQ(flash[0].x, 230);
  EXPECT_FLOAT_EQ(flash[0].y, 350);
}

}  // namespace
}  // namespace vx
