#include "screens/backgrounds.h"

#include <cmath>
#include <cstdint>

#include "core/frame_clock.h"
#include "core/random.h"
#include "draw/sprite.h"
#include "storage/texture.h"

namespace vx {

BackgroundState backgrounds;

namespace {

constexpr float kBackdropSpeed = 0.08f;  // pixels per frame-step unit
constexpr float kTrailFade = 1.3f;       // each copy behind the head is this much fainter

// Keeps a scroll offset within 0..512, whatever speed moved it.
float WrapOffset(float offset) {
  if (!std::isfinite(offset)) return 0;
  if (offset >= 512.0f || offset < 0.0f) offset = std::fmod(offset, 512.0f);
  if (offset < 0.0f) offset += 512.0f;
  if (offset >= 512.0f) offset = 0.0f;
  return offset;
}

// The picture drawn from `offset` onwards at the left edge, and its start after it.
void DrawScroll(float offset, std::uint32_t colour) {
  Texture* picture = backgrounds.backdrop;
  if (!picture) return;
  const int o = static_cast<int>(offset);
  const SpriteRect head = {o, 0, 512, 512};
  DrawTexture(picture, &head, 1, 1, 0, 0, 0, 0, 0, colour);
  if (o > 0) {
    const SpriteRect tail = {0, 0, o, 512};
    DrawTexture(picture, &tail, 1, 1, 0, 0, 0, static_cast<float>(512 - o), 0, colour);
  }
}

// A stream gem's size, speed, colour and trail, as a new or reborn gem takes them.
void NewLook(StreamGem& gem, int cell, int trails, int minSize) {
  gem.size = static_cast<float>(GameRand() % 50 + minSize);
  gem.speedX = gem.size / -35.0f;  // bigger gems glide faster
  gem.speedY = 0;
  gem.cell = static_cast<float>(cell == -1 ? GameRand() % 9 + 1 : cell);
  gem.trail = (trails && GameRand() % 10 == 9) ? GameRand() % 20 + 1 : 1;
}

void RunStream(StreamGem* gems, int count, bool* ready, int cell, int trails, int minSize) {
  if (!*ready) {
    *ready = true;
    for (int i = 0; i < count; ++i) {
      StreamGem& g = gems[i];
      g.cell = static_cast<float>(cell == -1 ? GameRand() % 9 + 1 : cell);
      g.size = static_cast<float>(GameRand() % 50 + minSize);
      g.trail = (trails && GameRand() % 10 == 9) ? GameRand() % 20 + 1 : 1;
      g.x = static_cast<float>(GameRand() % 512);
      g.y = static_cast<float>(GameRand() % 512);
      g.speedX = g.size / -35.0f;
      g.speedY = 0;
    }
  }
  const float step = frameClock.frameStep;
  for (int i = 0; i < count; ++i) {
    StreamGem& g = gems[i];
    g.x += g.speedX * step;
    g.y += g.speedY * step;
    // Reborn at the right edge once the gem and all its trail are off the left edge.
    if (g.x < -(g.size * static_cast<float>(g.trail))) {
      g.x = 512;
      g.y = static_cast<float>(GameRand() % 512);
      NewLook(g, cell, trails, minSize);
    }
  }
  for (int i = 0; i < count; ++i) {
    const StreamGem& g = gems[i];
    // The copies fade towards the tail: the head is drawn last at 255 / 1.3.
    float alpha = 255.0f / std::pow(kTrailFade, static_cast<float>(g.trail));
    for (int c = g.trail - 1; c >= 0; --c) {
      DrawGemCell(static_cast<int>(g.cell), g.size, g.x - 5.0f * static_cast<float>(c) * g.speedX,
                  g.y, static_cast<int>(alpha));
      alpha *= kTrailFade;
    }
  }
}

// A bouncing gem's new speed away from a wall: 0 .. 0.9 pixels a frame.
float BounceSpeed() {
  return static_cast<float>(GameRand() % 10) / 10.0f;
}

}  // namespace

void DrawGemCell(int cell, float size, float x, float y, int alpha) {
  if (cell < 0) return;
  const SpriteRect rect = {130 + 50 * (cell % 7), 260 + 50 * (cell / 7), 180 + 50 * (cell % 7),
                           310 + 50 * (cell / 7)};
  const std::uint32_t colour = (static_cast<std::uint32_t>(alpha & 0xFF) << 24) | 0xFFFFFFu;
  DrawTexture(sprites.sheets[kCharacterSheet], &rect, size / 50.0f, size / 50.0f, 0, 0, 0, x, y,
              colour);
}

void ScrollBackdrop() {
  backgrounds.backdropOffset =
      WrapOffset(backgrounds.backdropOffset + kBackdropSpeed * frameClock.frameStep);
  DrawScroll(backgrounds.backdropOffset, 0xFFFFFFFFu);
}

void ScrollBackdropFaded(float opacity, float speed) {
  backgrounds.fadedOffset = WrapOffset(backgrounds.fadedOffset + speed * frameClock.frameStep);
  DrawScroll(backgrounds.fadedOffset, OpacityColour(opacity));
}

void GemStream(int cell, int trails) {
  RunStream(backgrounds.streamA, kStreamACount, &backgrounds.streamAReady, cell, trails, 20);
}

void GemStreamLarge(int cell, int trails) {
  RunStream(backgrounds.streamB, kStreamBCount, &backgrounds.streamBReady, cell, trails, 50);
}

void BouncingGems() {
  if (!backgrounds.bouncingReady) {
    backgrounds.bouncingReady = true;
    for (BouncingGem& g : backgrounds.bouncing) {
      g.cell = static_cast<float>(GameRand() % 9 + 1);
      g.size = static_cast<float>(GameRand() % 50 + 20);
      g.x = g.y = 256;
      g.speedX = static_cast<float>(GameRand() % 20) / 20.0f - 0.5f;
      g.speedY = static_cast<float>(GameRand() % 20) / 20.0f - 0.5f;
    }
  }
  // Per frame, not scaled by the frame step.
  for (BouncingGem& g : backgrounds.bouncing) {
    g.x += g.speedX;
    g.y += g.speedY;
    if (g.x + g.size >= 512) {
      g.x = 512 - g.size;
      g.speedX = -BounceSpeed();
    } else if (g.x <= 0) {
      g.speedX = BounceSpeed();
    }
    if (g.y + g.size >= 512) {
      g.y = 512 - g.size;
      g.speedY = -BounceSpeed();
    } else if (g.y <= 0) {
      g.speedY = BounceSpeed();
    }
  }
  for (const BouncingGem& g : backgrounds.bouncing)
    DrawGemCell(static_cast<int>(g.cell), g.size, g.x, g.y, 255);
}

}  // namespace vx
