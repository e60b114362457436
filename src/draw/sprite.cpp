#include "draw/sprite.h"

#include <cmath>

#include "core/game_state.h"
#include "core/input.h"
#include "platform/gpu.h"
#include "platform/platform.h"
#include "storage/texture.h"

namespace vx {

SpriteState sprites;

namespace {

constexpr SpriteRect kPointerRect = {370, 0, 390, 20};

}  // namespace

std::uint32_t OpacityColour(float opacity) {
  float a = opacity / 100.0f * 255.0f;
  // Out-of-range opacities keep the low byte of the alpha, as the colour arithmetic wraps.
  int alpha = (std::isfinite(a) && std::fabs(a) < 1e9f) ? static_cast<int>(a) : 0;
  return (static_cast<std::uint32_t>(alpha) << 24) | 0xFFFFFFu;
}

int DrawTexture(Texture* texture, SpriteRect rect, float scaleX, float scaleY, float centreX,
                float centreY, float angle, float x, float y, std::uint32_t colour) {
  platform::Gpu* gpu = platform::backend.gpu;
  if (!texture || texture->references <= 0 || !gpu) return E_FAIL;
  const platform::SpriteDraw s = {texture->gpuId,
                                  static_cast<float>(rect.left),
                                  static_cast<float>(rect.top),
                                  static_cast<float>(rect.right),
                                  static_cast<float>(rect.bottom),
                                  scaleX,
                                  scaleY,
                                  centreX,
                                  centreY,
                                  angle,
                                  x,
                                  y,
                                  colour};
  gpu->DrawSprite(s);
  return 0;
}

int DrawTexture(Texture* texture, const SpriteRect* rect, float scaleX, float scaleY, float centreX,
                float centreY, float angle, float x, float y, std::uint32_t colour) {
  if (!texture) return E_FAIL;
  const SpriteRect whole = {0, 0, texture->width, texture->height};
  return DrawTexture(texture, rect ? *rect : whole, scaleX, scaleY, centreX, centreY, angle, x, y,
                     colour);
}

int DrawSprite(float x, float y, int left, int top, int right, int bottom, float opacity, int sheet,
               float scaleX, float scaleY, int anchor, float rotation) {
  if (sheet < 0 || sheet > 2) return 0;
  const float w = static_cast<float>(right - left);
  const float h = static_cast<float>(bottom - top);
  float dx = 0, dy = 0;
  if (anchor == 1) {
    dx = -w * scaleX / 2;
    dy = -h * scaleY / 2;
  } else if (anchor == 3) {
    dx = (w * scaleX - w) / 2;
  }
  return DrawTexture(sprites.sheets[kCharacterSheet], SpriteRect{left, top, right, bottom}, scaleX,
                     scaleY, w * scaleX / 2, h * scaleY / 2, rotation * kRadiansPerDegree, x + dx,
                     y + dy, OpacityColour(opacity));
}

bool DrawPointer(bool draw) {
  if (mouse.pointerX < 0) mouse.pointerX = 0;
  if (mouse.pointerX > 500) mouse.pointerX = 500;
  if (mouse.pointerY < 0) mouse.pointerY = 0;
  if (mouse.pointerY > 500) mouse.pointerY = 500;
  if (draw)
    DrawTexture(sprites.sheets[kCharacterSheet], &kPointerRect, 1, 1, 0, 0, 0,
                static_cast<float>(mouse.pointerX), static_cast<float>(mouse.pointerY),
                0xFFFFFFFFu);
  return flow.clickThisFrame;
}

void ClearSpriteSheets() {
  for (Texture*& sheet : sprites.sheets) {
    ReleaseTexture(sheet);
    sheet = nullptr;
  }
}

}  // namespace vx
