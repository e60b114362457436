// The vertices the GL sprite batch uploads: texture coordinates of each corner and the
// sampling bounds at the rectangle's outer texel centres, for plain, mirrored and thin
// rectangles.
#include "platform/sprite_quad.h"

#include <gtest/gtest.h>

namespace vx::platform {
namespace {

TEST(SpriteQuadTest, CornersCarryTheirTexelsAndTheBoundsStayInside) {
  // A 64 x 32 texture: one texel is 1/64 wide and 1/32 high.
  const float tu = 1.0f / 64, tv = 1.0f / 32;
  const struct {
    const char* what;
    float left, top, right, bottom;
    float bounds[4];  // u0 v0 u1 v1 of the sampling rectangle
  } kCases[] = {
      {"plain", 8, 4, 24, 12, {8.5f * tu, 4.5f * tv, 23.5f * tu, 11.5f * tv}},
      {"mirrored left to right", 24, 4, 8, 12, {23.5f * tu, 4.5f * tv, 8.5f * tu, 11.5f * tv}},
      {"mirrored top to bottom", 8, 12, 24, 4, {8.5f * tu, 11.5f * tv, 23.5f * tu, 4.5f * tv}},
      {"under a texel wide", 8, 4, 8.5f, 12, {8.25f * tu, 4.5f * tv, 8.25f * tu, 11.5f * tv}},
      {"under a texel high", 8, 4, 24, 4.25f, {8.5f * tu, 4.125f * tv, 23.5f * tu, 4.125f * tv}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    SpriteDraw s;
    s.left = c.left;
    s.top = c.top;
    s.right = c.right;
    s.bottom = c.bottom;
    s.x = 100;
    s.y = 50;
    s.colour = 0x80402010u;
    SpriteVertex quad[4];
    SpriteQuad(s, 64, 32, quad);
    float corners[8];
    SpriteCorners(s, corners);
    // Top-left, top-right, bottom-right, bottom-left of the source rectangle.
    const float u[4] = {c.left * tu, c.right * tu, c.right * tu, c.left * tu};
    const float v[4] = {c.top * tv, c.top * tv, c.bottom * tv, c.bottom * tv};
    for (int k = 0; k < 4; ++k) {
      EXPECT_FLOAT_EQ(quad[k].x, corners[2 * k]) << k;
      EXPECT_FLOAT_EQ(quad[k].y, corners[2 * k + 1]) << k;
      EXPECT_FLOAT_EQ(quad[k].u, u[k]) << k;
      EXPECT_FLOAT_EQ(quad[k].v, v[k]) << k;
      EXPECT_EQ(quad[k].colour, 0x80402010u) << k;
      for (int b = 0; b < 4; ++b) EXPECT_FLOAT_EQ(quad[k].bounds[b], c.bounds[b]) << k << b;
    }
  }
}

}  // namespace
}  // namespace vx::platform
