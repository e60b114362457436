#include "screens/intro.h"

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "screens/backgrounds.h"
#include "storage/texture.h"

namespace vx {

IntroState intro;

namespace {

// The timeline: each plate flies in during its first window (shrinking from 2.6 to 0.6 while
// it spins down), then stops at the end of its next full turn within the slow-down window.
constexpr float kFirstIn = 1500, kFirstSlow = 2000, kFirstStop = 2300;
constexpr float kSecondIn = 2500, kSecondSlow = 3000, kSecondStop = 3300;
constexpr float kEnd = 3500;

// Starts showing a plate: facing front, spinning.
void EnterPhase(int phase) {
  if (intro.phase == phase) return;
  intro.phase = phase;
  intro.spinning = true;
  intro.spinAngle = 0;
}

void FlyIn(int slot, float t, float start, float stop) {
  ModelSlot& model = models.slots[slot];
  model.rotation[0] = intro.spinAngle;
  intro.spinSpeed = (stop - t) / 500.0f * 10.0f;
  model.scale = 2.0f - (t - start) / 250.0f + 0.6f;
}

void SlowDown(int slot, float t, float stop, bool turnEnded) {
  if (turnEnded) {
    intro.spinSpeed = 0.5f;
    intro.spinning = false;
    intro.spinAngle = 0;
  } else {
    intro.spinSpeed = (stop - t) / 500.0f * 10.0f;
    models.slots[slot].rotation[0] = intro.spinAngle;
  }
}

}  // namespace

void ResetIntroSequence() {
  intro.clock = 1501;
  intro.spinAngle = 0;
  intro.spinning = true;
  SetSceneLight(0.5f, 0.5f, 0.5f, 1.0f, 0.9f);
  intro.phase = 0;
  intro.spinSpeed = 0.5f;
}

bool IntroSequence(bool start) {
  if (start) ResetIntroSequence();
  const float step = frameClock.frameStep;

  bool turnEnded = false;
  if (intro.spinning) {
    intro.spinAngle += intro.spinSpeed / 2.0f * step;
    if (intro.spinAngle > 360.0f) {
      intro.spinAngle -= 360.0f;
      turnEnded = true;
    }
  }

  const float t = intro.clock;
  if (t > kFirstIn && t < kFirstSlow) {
    EnterPhase(1);
    FlyIn(1, t, kFirstIn, kFirstStop);
  } else if (t >= kFirstSlow && t < kFirstStop) {
    SlowDown(1, t, kFirstStop, turnEnded);
  } else if (t > kSecondIn && t < kSecondSlow) {
    EnterPhase(2);
    FlyIn(2, t, kSecondIn, kSecondStop);
  } else if (t >= kSecondSlow && t < kSecondStop) {
    SlowDown(2, t, kSecondStop, turnEnded);
  } else if (t > kEnd) {
    flow.gameState = Title;
  }

  ScrollBackdrop();
  RequestModelDraw(intro.phase);
  intro.clock += 0.5f * step;

  const bool escape = KeyPressed(KEY_ESCAPE, true);
  if (escape || mouse.leftWentDown) {
    flow.gameState = Title;
    mouse.leftWentDown = false;
  }
  return escape;
}

}  // namespace vx
