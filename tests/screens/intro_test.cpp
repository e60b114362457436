#include "screens/intro.h"
#include "screen_fixture.h"
#include "screens/backgrounds.h"
#include "screens/title.h"
#include "storage/texture.h"

namespace vx {
namespace {

class IntroTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    test::WriteArchive("_data.loc", test::BootMembers());
    for (int slot = 0; slot < 3; ++slot) game3d_LoadChr("xfile\\music.x", "img\\music.tga", slot);
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\startscreenclouds.tga", &backgrounds.backdrop),
              0);
    flow.gameState = Intro;
  }
  // One intro frame as the dispatcher runs it, with the model draws it asked for.
  void Step(float step) {
    frameClock.frameStep = step;
    rig_->gpu.BeginFrame();
    IntroSequence(false);
  }
};

// With a frame step of 2 the clock advances by 1 a frame: the music plate from 1501, the
// copyright plate from 2501, the title once the clock is above 3500.
TEST_F(IntroTest, TimelineShowsTheTwoPlatesThenReturns) {
  frameClock.frameStep = 2;
  IntroSequence(true);  // clock 1501
  EXPECT_EQ(intro.phase, 1);
  EXPECT_TRUE(models.slots[1].drawThisFrame);
  EXPECT_NEAR(models.slots[1].scale, 2.596f, 1e-4);
  EXPECT_FLOAT_EQ(models.slots[1].rotation[0], 0);
  EXPECT_FLOAT_EQ(models.light.diffuse[0], 50);
  EXPECT_FLOAT_EQ(models.light.specular[0], 45);
  int frames = 1;
  while (flow.gameState == Intro && frames < 5000) {
    const float t = intro.clock;
    Step(2);
    ++frames;
    EXPECT_EQ(intro.phase, t < 2501 ? 1 : 2) << t;
    if (t == 1999 || t == 2999) {
      EXPECT_NEAR(models.slots[intro.phase].scale, 0.604f, 1e-4) << t;
    }
    EXPECT_TRUE(models.slots[intro.phase].drawThisFrame) << t;
    EXPECT_EQ(flow.gameState, t <= 3500 ? Intro : Title) << t;
    DrawModels();
  }
  EXPECT_EQ(flow.gameState, Title);
  EXPECT_FLOAT_EQ(intro.clock, 3502);
  // 2000 frames of 1/100 second passed before the frame that returned.
  EXPECT_EQ(frames, 2001);
  // Both plates ended their spin facing front.
  EXPECT_FLOAT_EQ(models.slots[1].rotation[0], 0);
  EXPECT_FLOAT_EQ(models.slots[2].rotation[0], 0);
  EXPECT_FALSE(intro.spinning);
}

// A plate that spins at the start of its slow-down window and stops at the end of a turn.
TEST_F(IntroTest, PlateStopsFacingFrontAtTheEndOfATurn) {
  frameClock.frameStep = 2;
  IntroSequence(true);
  intro.clock = 2000;
  intro.spinAngle = 352;
  intro.spinSpeed = 4;
  Step(2);  // +4 degrees: still in the turn
  EXPECT_TRUE(intro.spinning);
  EXPECT_FLOAT_EQ(models.slots[1].rotation[0], 356);
  EXPECT_FLOAT_EQ(intro.spinSpeed, (2300 - 2000) / 500.0f * 10);
  Step(2);  // the turn ends
  EXPECT_FALSE(intro.spinning);
  EXPECT_FLOAT_EQ(intro.spinAngle, 0);
  EXPECT_FLOAT_EQ(intro.spinSpeed, 0.5f);
  EXPECT_FLOAT_EQ(models.slots[1].rotation[0], 356);
  Step(2);
  EXPECT_FLOAT_EQ(models.slots[1].rotation[0], 0);
  EXPECT_FLOAT_EQ(intro.spinAngle, 0);
}

// A plate still short of a full turn when its slow-down window closes keeps its last angle.
TEST_F(IntroTest, PlateShortOfATurnKeepsItsLastAngle) {
  frameClock.frameStep = 2;
  IntroSequence(true);
  intro.clock = 2298;
  intro.spinAngle = 10;
  Step(2);
  Step(2);
  const float last = models.slots[1].rotation[0];
  EXPECT_GT(last, 10);
  for (int i = 0; i < 150; ++i) Step(2);  // through 2300 .. 2450
  EXPECT_FLOAT_EQ(models.slots[1].rotation[0], last);
  EXPECT_EQ(intro.phase, 1);
}

// Escape or a click ends the intro at once, even in its very first frame.
TEST_F(IntroTest, EscapeOrClickReturnsAtOnce) {
  struct Case {
    const char* name;
    bool escape, click, first;
  } cases[] = {
      {"click in the first frame", false, true, true},
      {"escape in the first frame", true, false, true},
      {"click later", false, true, false},
      {"escape later", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    flow.gameState = Intro;
    frameClock.frameStep = 3;
    IntroSequence(true);
    if (!c.first) Step(3);
    ASSERT_EQ(flow.gameState, Intro);
    rig_->keyboard.keys[KEY_ESCAPE] = c.escape ? 0x80 : 0;
    mouse.leftWentDown = c.click;
    const bool escaped = c.first ? IntroSequence(true) : IntroSequence(false);
    EXPECT_EQ(escaped, c.escape);
    EXPECT_EQ(flow.gameState, Title);
    EXPECT_FALSE(mouse.leftWentDown);
    rig_->keyboard.keys[KEY_ESCAPE] = 0;
    KeyPressed(KEY_ESCAPE, true);
  }
}

// Through the dispatcher: Escape in the intro brings the title menu back in the next frame.
TEST_F(IntroTest, TitleMenuFollowsTheIntro) {
  flow.gameState = Intro;
  IntroSequence(true);
  rig_->keyboard.keys[KEY_ESCAPE] = 0x80;
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(flow.gameState, Title);
  rig_->keyboard.keys[KEY_ESCAPE] = 0;
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(flow.gameState, Title);
  // The menu words of the title's sheet are drawn, and no plate is asked for.
  bool menuDrawn = false;
  for (const auto& s : rig_->gpu.sprites)
    menuDrawn |= s.left == 180 && s.top == 328 && s.right == 332 && s.bottom == 462;
  EXPECT_TRUE(menuDrawn);
  EXPECT_TRUE(rig_->gpu.meshDraws.empty());
}

}  // namespace
}  // namespace vx
