// Decorative backgrounds: the scrolling backdrop, the streams of gems gliding leftwards with
// fading trails, and the swarm of bouncing gems. Each is drawn by calling it once a frame;
// their state lasts for the whole run.
#pragma once

namespace vx {

struct Texture;

inline constexpr int kStreamACount = 20;
inline constexpr int kStreamBCount = 10;
inline constexpr int kBouncingCount = 100;

// A gem of a stream. Speeds are pixels per frame-step unit; the vertical one stays 0.
struct StreamGem {
  float cell = 0;
  float size = 0;
  float x = 0, y = 0;
  float speedX = 0, speedY = 0;
  int trail = 1;  // copies drawn, the head included (1..20)
};

// A bouncing gem. Speeds are pixels per frame, whatever the frame rate.
struct BouncingGem {
  float cell = 0;
  float size = 0;
  float x = 0, y = 0;
  float speedX = 0, speedY = 0;
};

struct BackgroundState {
  // The backdrop slot: the title loads its clouds here, other screens their own pictures.
  Texture* backdrop = nullptr;
  float backdropOffset = 0;  // 0..512
  float fadedOffset = 0;     // 0..512
  StreamGem streamA[kStreamACount];
  bool streamAReady = false;
  StreamGem streamB[kStreamBCount];
  bool streamBReady = false;
  BouncingGem bouncing[kBouncingCount];
  bool bouncingReady = false;
};
extern BackgroundState backgrounds;

// The backdrop slot's picture as an endless scroll to the left, 16 pixels a second, opaque.
void ScrollBackdrop();
// The same on its own offset, advancing by speed x frame step, at opacity 0..100.
void ScrollBackdropFaded(float opacity, float speed);
// Stream A, 20 gems of 20..69 pixels. cell -1 gives each new gem a random colour 1..9,
// otherwise that cell; with trails a tenth of the new gems get trails of up to 20 copies.
void GemStream(int cell, int trails);
// Stream B: the twin of stream A with 10 gems of 50..99 pixels.
void GemStreamLarge(int cell, int trails);
// 100 gems bouncing inside the screen, started together from its centre.
void BouncingGems();

// The 50 x 50 gem cell n of the shared character sheet, scaled by size / 50, top-left on
// (x, y), at the given alpha (0..255).
void DrawGemCell(int cell, float size, float x, float y, int alpha);

}  // namespace vx
