#include <cmath>

#include "core/game_state.h"
#include "core/input.h"
#include "draw_fixture.h"

namespace vx {
namespace {

using test::DrawTest;

TEST(OpacityColourTest, PercentBecomesAlphaOverWhite) {
  const struct {
    float opacity;
    std::uint32_t colour;
  } kCases[] = {
      {100, 0xFFFFFFFF}, {50, 0x7FFFFFFF}, {70, 0xB2FFFFFF}, {0, 0x00FFFFFF}, {0.5f, 0x01FFFFFF},
  };
  for (const auto& c : kCases) EXPECT_EQ(OpacityColour(c.opacity), c.colour) << c.opacity;
}

TEST_F(DrawTest, CentredScaledRectangleCoversItsScaledBox) {
  DrawSprite(256, 500, 0, 32, 86, 46, 100, 0, 1.1f, 1.1f, 1, 0);
  ASSERT_EQ(Drawn().size(), 1u);
  const platform::SpriteDraw& s = Drawn()[0];
  EXPECT_EQ(s.texture, sheet_);
  EXPECT_EQ(s.colour, 0xFFFFFFFFu);
  EXPECT_FLOAT_EQ(s.left, 0);
  EXPECT_FLOAT_EQ(s.top, 32);
  EXPECT_FLOAT_EQ(s.right, 86);
  EXPECT_FLOAT_EQ(s.bottom, 46);
  float c[8];
  platform::SpriteCorners(s, c);
  EXPECT_NEAR(c[0], 208.7f, 1e-3);
  EXPECT_NEAR(c[1], 492.3f, 1e-3);
  EXPECT_NEAR(c[4], 303.3f, 1e-3);
  EXPECT_NEAR(c[5], 507.7f, 1e-3);
}

TEST_F(DrawTest, AnchorsPlaceTheScaledRectangle) {
  // A 20 x 10 rectangle at (100, 50), scale 2: where its top-left lands for each anchor.
  const struct {
    int anchor;
    float left, top;
  } kCases[] = {{0, 100, 50}, {1, 80, 40}, {3, 110, 50}, {2, 100, 50}, {7, 100, 50}};
  for (const auto& c : kCases) {
    rig_->gpu.sprites.clear();
    DrawSprite(100, 50, 0, 0, 20, 10, 100, 1, 2, 2, c.anchor, 0);
    ASSERT_EQ(Drawn().size(), 1u);
    float corners[8];
    platform::SpriteCorners(Drawn()[0], corners);
    EXPECT_NEAR(corners[0], c.left, 1e-4) << "anchor " << c.anchor;
    EXPECT_NEAR(corners[1], c.top, 1e-4) << "anchor " << c.anchor;
    EXPECT_NEAR(corners[4], c.left + 40, 1e-4) << "anchor " << c.anchor;
    EXPECT_NEAR(corners[5], c.top + 20, 1e-4) << "anchor " << c.anchor;
  }
}

TEST_F(DrawTest, RotationTurnsClockwiseAboutTheScaledCentre) {
  // 40 x 20 at top-left (100, 100), turned 90 degrees: the centre (120, 110) stays, the
  // top-left corner swings to the top-right of the turned box.
  DrawSprite(100, 100, 0, 0, 40, 20, 100, 0, 1, 1, 0, 90);
  ASSERT_EQ(Drawn().size(), 1u);
  const platform::SpriteDraw& s = Drawn()[0];
  EXPECT_FLOAT_EQ(s.centreX, 20);
  EXPECT_FLOAT_EQ(s.centreY, 10);
  EXPECT_NEAR(s.angle, 1.5707963f, 1e-5);
  float c[8];
  platform::SpriteCorners(s, c);
  EXPECT_NEAR(c[0], 130, 1e-3);  // top-left corner of the source
  EXPECT_NEAR(c[1], 90, 1e-3);
  EXPECT_NEAR(c[2], 130, 1e-3);  // top-right corner of the source now points down
  EXPECT_NEAR(c[3], 130, 1e-3);
}

TEST_F(DrawTest, SheetOutsideZeroToTwoDrawsNothing) {
  const struct {
    int sheet;
    bool drawn;
  } kCases[] = {{-1, false}, {0, true}, {1, true}, {2, true}, {3, false}, {10, false}};
  for (const auto& c : kCases) {
    rig_->gpu.sprites.clear();
    DrawSprite(0, 0, 0, 0, 10, 10, 100, c.sheet, 1, 1, 0, 0);
    EXPECT_EQ(Drawn().size(), c.drawn ? 1u : 0u) << "sheet " << c.sheet;
  }
}

TEST_F(DrawTest, NothingIsDrawnWithoutTheCharacterSheet) {
  ReleaseTexture(sprites.sheets[1]);
  sprites.sheets[1] = nullptr;
  EXPECT_EQ(DrawSprite(0, 0, 0, 0, 10, 10, 100, 0, 1, 1, 0, 0), E_FAIL);
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(DrawTest, SpritesAreRecordedInCallOrder) {
  DrawSprite(1, 0, 0, 0, 10, 10, 100, 0, 1, 1, 0, 0);
  DrawSprite(2, 0, 0, 0, 10, 10, 50, 0, 1, 1, 0, 0);
  DrawSprite(3, 0, 0, 0, 10, 10, 70, 0, 1, 1, 0, 0);
  ASSERT_EQ(Drawn().size(), 3u);
  EXPECT_FLOAT_EQ(Drawn()[0].x, 1);
  EXPECT_EQ(Drawn()[1].colour, 0x7FFFFFFFu);
  EXPECT_EQ(Drawn()[2].colour, 0xB2FFFFFFu);
}

TEST_F(DrawTest, PointerIsClampedThenDrawnAtItsPosition) {
  const struct {
    int x, y, clampedX, clampedY;
  } kCases[] = {{-12, 640, 0, 500}, {256, 256, 256, 256}, {501, -1, 500, 0}, {500, 0, 500, 0}};
  for (const auto& c : kCases) {
    rig_->gpu.sprites.clear();
    mouse.pointerX = c.x;
    mouse.pointerY = c.y;
    DrawPointer(true);
    EXPECT_EQ(mouse.pointerX, c.clampedX);
    EXPECT_EQ(mouse.pointerY, c.clampedY);
    ASSERT_EQ(Drawn().size(), 1u);
    const platform::SpriteDraw& s = Drawn()[0];
    EXPECT_FLOAT_EQ(s.x, static_cast<float>(c.clampedX));
    EXPECT_FLOAT_EQ(s.y, static_cast<float>(c.clampedY));
    EXPECT_FLOAT_EQ(s.left, 370);
    EXPECT_FLOAT_EQ(s.right, 390);
    EXPECT_FLOAT_EQ(s.bottom, 20);
    EXPECT_FLOAT_EQ(s.scaleX, 1);
    EXPECT_EQ(s.colour, 0xFFFFFFFFu);
  }
}

TEST_F(DrawTest, PointerWithoutDrawOnlyClampsAndReportsTheClick) {
  mouse.pointerX = 900;
  flow.clickThisFrame = true;
  EXPECT_TRUE(DrawPointer(false));
  EXPECT_EQ(mouse.pointerX, 500);
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(DrawTest, ClearingTheSheetsReleasesTheirTextures) {
  ClearSpriteSheets();
  EXPECT_EQ(sprites.sheets[1], nullptr);
  EXPECT_EQ(rig_->gpu.LiveTextures(), 0);
}

}  // namespace
}  // namespace vx
