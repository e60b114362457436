// The vertices the GL sprite batch uploads for one sprite. Free of GL, so the benchmark
// measures the very code the batch runs.
#pragma once
#include <cstdint>

#include "platform/gpu.h"

namespace vx::platform {

// One corner of a sprite as the batch uploads it: surface position, texture coordinate,
// ARGB colour (read by GL as BGRA bytes), and the texture coordinates of the rectangle's
// outer texel centres, which sampling stays within.
struct SpriteVertex {
  float x, y, u, v;
  std::uint32_t colour;
  float bounds[4];
};

// The four corners of `s` (in SpriteCorners order) cut from a texture of width x height
// texels.
inline void SpriteQuad(const SpriteDraw& s, int width, int height, SpriteVertex out[4]) {
  float corners[8];
  SpriteCorners(s, corners);
  const float iw = 1.0f / static_cast<float>(width);
  const float ih = 1.0f / static_cast<float>(height);
  const float u0 = s.left * iw, u1 = s.right * iw, v0 = s.top * ih, v1 = s.bottom * ih;
  // The outer texel centres of the rectangle (its middle when it is under a texel wide).
  const float du = s.right >= s.left ? 0.5f * iw : -0.5f * iw;
  const float dv = s.bottom >= s.top ? 0.5f * ih : -0.5f * ih;
  const bool thinU = (s.right - s.left) * (s.right - s.left) < 1.0f;
  const bool thinV = (s.bottom - s.top) * (s.bottom - s.top) < 1.0f;
  const float bu0 = thinU ? (u0 + u1) / 2 : u0 + du, bu1 = thinU ? (u0 + u1) / 2 : u1 - du;
  const float bv0 = thinV ? (v0 + v1) / 2 : v0 + dv, bv1 = thinV ? (v0 + v1) / 2 : v1 - dv;
  out[0] = {corners[0], corners[1], u0, v0, s.colour, {bu0, bv0, bu1, bv1}};
  out[1] = {corners[2], corners[3], u1, v0, s.colour, {bu0, bv0, bu1, bv1}};
  out[2] = {corners[4], corners[5], u1, v1, s.colour, {bu0, bv0, bu1, bv1}};
  out[3] = {corners[6], corners[7], u0, v1, s.colour, {bu0, bv0, bu1, bv1}};
}

}  // namespace vx::platform
