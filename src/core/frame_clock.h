// The frame clock: reads the time once per frame and turns the frame's duration into the
// frame step, the motion scale every timer and movement uses (200 units a second).
#pragma once
#include <cstdint>

namespace vx {

struct FrameClock {
  bool sourceDecided = false;
  bool usePerformanceCounter = false;
  std::uint64_t counterFrequency = 0;
  // The clock's first reading. Every later reading counts from it, so the game's time starts
  // at 0 however long the machine has been up, and a float holds it to the microsecond.
  std::uint64_t counterOrigin = 0;
  std::uint32_t millisecondOrigin = 0;
  bool started = false;  // a frame has been measured
  float currentTime = 0.0f;
  // The previous frame's reading at full precision: after days of play a float would hold it
  // only to a few milliseconds, and the frame's duration is the difference of two readings.
  double previousTime = 0.0;
  float framesPerSecond = 0.0f;
  float stepScale = 200.0f;
  float frameStep = 0.0f;
  // When above 0 every frame gets exactly this step (replay harness and tests).
  float fixedStep = 0.0f;
};
extern FrameClock frameClock;

inline constexpr int kTimerAbsolute = 0;

// Seconds since the clock's first reading (which gives 0), for the one command the game
// uses, the absolute time.
double FrameTimer(int command);

// Sets the frame step from the time since the previous call; once at the start of a frame.
// The first frame has no frame before it: its rate counts as 0 and its step is held at 20.
void UpdateFrameStep();

// The step rule on its own: 200 / fps, at most 20, an exact 0 becomes 0.0001.
float FrameStepFor(float framesPerSecond, float stepScale);

}  // namespace vx
