#include <cmath>
#include <deque>

#include "core/random.h"
#include "draw/sprite.h"
#include "screen_fixture.h"
#include "screens/backgrounds.h"
#include "storage/texture.h"

namespace vx {
namespace {

// Scripted random numbers: the queue first, then `fallback` for ever.
std::deque<int> scripted;
int fallback = 0;
int NextScripted() {
  if (scripted.empty()) return fallback;
  int v = scripted.front();
  scripted.pop_front();
  return v;
}

class BackgroundsTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    scripted.clear();
    fallback = 0;
    randomSource.next = NextScripted;
    test::WriteArchive("_data.loc", {{"img\\chrset1.tga", test::MakeTga(512, 512)},
                                     {"img\\startscreenclouds.tga", test::MakeTga(512, 512)}});
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\chrset1.tga", &sprites.sheets[1]), 0);
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\startscreenclouds.tga", &backgrounds.backdrop),
              0);
  }
  const std::vector<platform::SpriteDraw>& Run(void (*animation)(), float step) {
    frameClock.frameStep = step;
    rig_->gpu.BeginFrame();
    animation();
    return rig_->gpu.sprites;
  }
  static int Alpha(const platform::SpriteDraw& s) { return static_cast<int>(s.colour >> 24); }
};

TEST_F(BackgroundsTest, BackdropScrollsLeftAndWraps) {
  struct Case {
    float offset, step;
    int o;  // the whole pixels scrolled after the frame
  } cases[] = {{0, 0, 0}, {300.5f, 0, 300}, {0, 20, 1}, {505.5f, 200, 9}, {100, 20, 101}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.offset << " + " << c.step);
    backgrounds.backdropOffset = c.offset;
    const auto& drawn = Run(ScrollBackdrop, c.step);
    ASSERT_EQ(drawn.size(), c.o == 0 ? 1u : 2u);
    EXPECT_FLOAT_EQ(drawn[0].left, c.o);
    EXPECT_FLOAT_EQ(drawn[0].right, 512);
    EXPECT_FLOAT_EQ(drawn[0].x, 0);
    EXPECT_EQ(drawn[0].colour, 0xFFFFFFFFu);
    if (c.o) {
      EXPECT_FLOAT_EQ(drawn[1].left, 0);
      EXPECT_FLOAT_EQ(drawn[1].right, c.o);
      EXPECT_FLOAT_EQ(drawn[1].x, 512 - c.o);
    }
    EXPECT_GE(backgrounds.backdropOffset, 0);
    EXPECT_LT(backgrounds.backdropOffset, 512);
  }
}

TEST_F(BackgroundsTest, FadedBackdropHasItsOwnOffsetSpeedAndOpacity) {
  backgrounds.backdropOffset = 7;
  frameClock.frameStep = 2;
  for (float speed : {3.0f, -3.0f, 1e30f, NAN}) {
    SCOPED_TRACE(speed);
    backgrounds.fadedOffset = 10;
    rig_->gpu.BeginFrame();
    ScrollBackdropFaded(50, speed);
    EXPECT_GE(backgrounds.fadedOffset, 0);
    EXPECT_LT(backgrounds.fadedOffset, 512);
    ASSERT_FALSE(rig_->gpu.sprites.empty());
    EXPECT_EQ(rig_->gpu.sprites[0].colour, 0x7FFFFFFFu);
    EXPECT_FLOAT_EQ(rig_->gpu.sprites[0].left, static_cast<int>(backgrounds.fadedOffset));
  }
  backgrounds.fadedOffset = 10;
  ScrollBackdropFaded(50, 3);
  EXPECT_FLOAT_EQ(backgrounds.fadedOffset, 16);
  EXPECT_FLOAT_EQ(backgrounds.backdropOffset, 7);
}

// A frame step of 20 moves a gem 20 / 35 of its size per unit: 40 pixels for a size-70 gem.
TEST_F(BackgroundsTest, StreamGemMovesBySizeAndFrameStep) {
  fallback = 20;  // large stream: size 20 + 50 = 70 at (20, 20), random cell 20 % 9 + 1 = 3
  const auto& large = Run([] { GemStreamLarge(-1, 0); }, 20);
  ASSERT_EQ(large.size(), static_cast<std::size_t>(kStreamBCount));
  for (const auto& s : large) {
    EXPECT_FLOAT_EQ(s.x, -20);
    EXPECT_FLOAT_EQ(s.y, 20);
    EXPECT_FLOAT_EQ(s.scaleX, 1.4f);
    EXPECT_FLOAT_EQ(s.scaleY, 1.4f);
    EXPECT_FLOAT_EQ(s.left, 130 + 50 * 3);
    EXPECT_FLOAT_EQ(s.top, 260);
    EXPECT_EQ(Alpha(s), 196);  // a gem without trail: only its head, at 255 / 1.3
  }
  fallback = 45;  // small stream: size 45 + 20 = 65 at (45, 45), the given cell 12
  const auto& small = Run([] { GemStream(12, 0); }, 20);
  ASSERT_EQ(small.size(), static_cast<std::size_t>(kStreamACount));
  for (const auto& s : small) {
    EXPECT_NEAR(s.x, 45 - 65 / 35.0f * 20, 1e-3);
    EXPECT_FLOAT_EQ(s.scaleX, 1.3f);
    EXPECT_FLOAT_EQ(s.left, 130 + 50 * 5);  // cell 12: column 5 of row 1
    EXPECT_FLOAT_EQ(s.top, 310);
  }
}

// A gem with a trail of 20 is reborn only once it is more than 20 sizes past the left edge;
// its copies fade towards the tail, the head drawn last.
TEST_F(BackgroundsTest, TrailedGemIsRebornOnlyWhenItsTrailHasLeft) {
  fallback = 100;  // every gem: size 20, at (100, 100)
  Run([] { GemStream(3, 0); }, 0);
  StreamGem& g = backgrounds.streamA[0];
  g.size = 70;
  g.speedX = -2;
  g.trail = 20;
  g.x = -1398;
  const auto& drawn = Run([] { GemStream(3, 1); }, 0.5f);  // to -1399
  EXPECT_FLOAT_EQ(g.x, -1399);
  ASSERT_EQ(drawn.size(), static_cast<std::size_t>(kStreamACount - 1 + 20));
  for (int c = 19; c >= 0; --c) {
    const auto& copy = drawn[19 - c];
    EXPECT_FLOAT_EQ(copy.x, -1399 + 10.0f * c) << c;
    EXPECT_NEAR(Alpha(copy), 255 / std::pow(1.3, c + 1.0), 1) << c;
  }
  EXPECT_EQ(Alpha(drawn[19]), 196);
  EXPECT_EQ(Alpha(drawn[0]), 1);

  // Reborn: y, then size, then (trails on) the trail roll 9 and its length 4 + 1.
  scripted = {300, 10, 9, 4};
  Run([] { GemStream(3, 1); }, 1);  // to -1401
  EXPECT_FLOAT_EQ(g.x, 512);
  EXPECT_FLOAT_EQ(g.y, 300);
  EXPECT_FLOAT_EQ(g.size, 30);
  EXPECT_FLOAT_EQ(g.speedX, 30 / -35.0f);
  EXPECT_FLOAT_EQ(g.cell, 3);
  EXPECT_EQ(g.trail, 5);
}

// The bouncing gems move the same distance per frame whatever the frame step, and turn back
// at the walls.
TEST_F(BackgroundsTest, BouncingGemsMovePerFrameAndBounce) {
  fallback = 15;  // size 35, speeds 15 / 20 - 0.5 = 0.25
  Run(BouncingGems, 1);
  const BouncingGem& g = backgrounds.bouncing[0];
  EXPECT_FLOAT_EQ(g.x, 256.25f);
  Run(BouncingGems, 20);
  EXPECT_FLOAT_EQ(g.x, 256.5f);
  EXPECT_FLOAT_EQ(g.y, 256.5f);
  const auto& drawn = Run(BouncingGems, 5);
  ASSERT_EQ(drawn.size(), static_cast<std::size_t>(kBouncingCount));
  EXPECT_FLOAT_EQ(drawn[0].scaleX, 0.7f);
  EXPECT_EQ(drawn[0].colour, 0xFFFFFFFFu);

  BouncingGem& a = backgrounds.bouncing[1];
  a.x = 480;  // 480.25 + 35 is past the right wall
  a.y = 0.1f;
  a.speedY = -0.5f;  // and off the top
  scripted = {7, 4};
  Run(BouncingGems, 1);
  EXPECT_FLOAT_EQ(a.x, 512 - 35);
  EXPECT_FLOAT_EQ(a.speedX, -0.7f);
  EXPECT_FLOAT_EQ(a.speedY, 0.4f);
}

}  // namespace
}  // namespace vx
