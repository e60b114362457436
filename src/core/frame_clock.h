// The frame clock: reads the time once per frame and turns the frame's duration into the
// frame step, the motion scale every timer and movement uses (200 units a second).
#pragma once

namespace vx {

struct FrameClock {
  bool sourceDecided = false;
  bool usePerformanceCounter = false;
  unsigned long long counterFrequency = 0;
  float currentTime = 0.0f;
  float previousTime = 0.0f;
  float framesPerSecond = 0.0f;
  float stepScale = 200.0f;
  float frameStep = 0.0f;
  // When above 0 every frame gets exactly this step (replay harness and tests).
  float fixedStep = 0.0f;
};
extern FrameClock frameClock;

inline constexpr int kTimerAbsolute = 0;

// Seconds on the clock for the one command the game uses, the absolute time.
double FrameTimer(int command);

// Sets the frame step from the time since the previous call; once at the start of a frame.
void UpdateFrameStep();

// The step rule on its own: 200 / fps, at most 20, an exact 0 becomes 0.0001.
float FrameStepFor(float framesPerSecond, float stepScale);

}  // namespace vx
