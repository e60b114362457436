#include "screens/ending.h"
#include "draw/layers.h"
#include "screen_fixture.h"
#include "screens/backgrounds.h"

namespace vx {
namespace {

class EndingTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScreenImages();
    // The title's clouds are in the backdrop slot when the sequence starts.
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\startscreenclouds.tga", &backgrounds.backdrop),
              0);
    clouds_ = backgrounds.backdrop->gpuId;
    flow.gameState = Ending;
    EndSequence(-1);
  }
  // One frame of the sequence at end clock `clock` (the next frame's clock is clock + step).
  void EndFrame(float step, int key = 0) {
    frameClock.frameStep = step;
    rig_->gpu.BeginFrame();
    if (key) Key(key, true);
    EndSequence(0);
    if (key) Key(key, false);
  }
  // This frame's draws of the scene sheet's rectangle.
  std::vector<platform::SpriteDraw> SceneDraws(int left, int top, int right, int bottom) const {
    std::vector<platform::SpriteDraw> found;
    for (const auto& d : DrawsOf(layers.sheet.texture))
      if (d.left == left && d.top == top && d.right == right && d.bottom == bottom)
        found.push_back(d);
    return found;
  }
  unsigned clouds_ = 0;
};

// Without input the sequence runs 7500 units and the 512-unit fly-off: about 40 seconds.
TEST_F(EndingTest, EndsAfterAboutFortySecondsWithoutInput) {
  float elapsed = 0;
  while (flow.gameState == Ending && elapsed < 20000) {
    EndFrame(10);
    elapsed += 10;
  }
  EXPECT_EQ(flow.gameState, TitleLoad);
  EXPECT_NEAR(elapsed / 200, 40, 0.2);
  EXPECT_GE(ending.flyOff, 512);
}

// At E = 0 and from 2000 up to 2010 the sequence draws nothing.
TEST_F(EndingTest, DrawsNothingAtTheStartAndBetweenTheFirstTwoSections) {
  struct Case {
    float clock;
    bool drawn;
  } cases[] = {{0, false},       {1, true},    {1999, true}, {2000, false}, {2005, false},
               {2009.9f, false}, {2010, true}, {3599, true}, {3600, true},  {5000, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clock);
    ending.endClock = c.clock;
    EndFrame(0);
    EXPECT_EQ(!rig_->gpu.sprites.empty(), c.drawn);
  }
}

TEST_F(EndingTest, EscapeEndsItInAnySection) {
  for (float clock : {0.0f, 500.0f, 2005.0f, 3000.0f, 3800.0f, 4500.0f, 7600.0f}) {
    SCOPED_TRACE(clock);
    flow.gameState = Ending;
    EndSequence(-1);
    ending.endClock = clock;
    EndFrame(1);
    EXPECT_EQ(flow.gameState, Ending);
    EndFrame(1, KEY_ESCAPE);
    EXPECT_EQ(flow.gameState, TitleLoad);
  }
}

// The flight scrolls the starfield behind the craft; without the picture there is no
// backdrop at all (the title's clouds must not show).
TEST_F(EndingTest, FlightOverTheStarfieldOrNoBackdrop) {
  for (bool starfield : {true, false}) {
    SCOPED_TRACE(starfield);
    if (!starfield)
      test::WriteArchive("_data.loc",
                         test::Without(test::Join(test::BootMembers(), test::ScreenImages()),
                                       "img\\starfield.tga"));
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\startscreenclouds.tga", &backgrounds.backdrop),
              0);
    clouds_ = backgrounds.backdrop->gpuId;
    EndSequence(-1);
    ending.endClock = 3999;
    EndFrame(1);
    EXPECT_FALSE(DrawsOf(backgrounds.backdrop).empty());  // section C: the clouds still
    EndFrame(1);
    if (starfield) {
      ASSERT_NE(backgrounds.backdrop, nullptr);
      EXPECT_NE(backgrounds.backdrop->gpuId, clouds_);
      EXPECT_EQ(rig_->gpu.FindTexture(backgrounds.backdrop->gpuId)->width, 610);
      EXPECT_FALSE(DrawsOf(backgrounds.backdrop).empty());
    } else {
      EXPECT_EQ(backgrounds.backdrop, nullptr);
      for (const auto& d : rig_->gpu.sprites) EXPECT_NE(d.texture, clouds_);
    }
    // The craft is drawn whole at x 210, its middle at y 245, and starts to fly off at 7500.
    const auto middle = SceneDraws(0, 343, 157, 357);
    ASSERT_EQ(middle.size(), 3u);  // two speed ghosts and the craft
    EXPECT_FLOAT_EQ(middle[2].x, 210 - 157 / 2.0f);
    EXPECT_EQ(middle[0].colour >> 24, 51u);  // ghosts at 20 %
    ending.endClock = 7500;
    EndFrame(100);
    EndFrame(0);
    EXPECT_FLOAT_EQ(SceneDraws(0, 343, 157, 357)[2].x, 210 + 100 - 157 / 2.0f);
    EXPECT_EQ(flow.gameState, Ending);
  }
}

// In the assembly the craft's parts come together from eleven times their size.
TEST_F(EndingTest, CraftComesTogether) {
  ending.endClock = 2010;
  EndFrame(0);
  const auto start = SceneDraws(0, 268, 157, 343);
  ASSERT_EQ(start.size(), 1u);
  EXPECT_FLOAT_EQ(start[0].scaleX, 11);
  for (int i = 0; i < 100; ++i) EndFrame(10);  // 1000 units: zoom 10
  EndFrame(0);
  const auto end = SceneDraws(0, 268, 157, 343);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_NEAR(end[0].scaleX, 1, 1e-3);
  // Its centre at (256 - 46, 256 - 48.5).
  EXPECT_NEAR(end[0].x + 157 / 2.0f, 210, 1e-2);
  EXPECT_NEAR(end[0].y + 75 / 2.0f, 207.5f, 1e-2);
}

}  // namespace
}  // namespace vx
