#include "core/frame_clock.h"

#include "platform/clock.h"
#include "platform/platform.h"

namespace vx {

FrameClock frameClock;

double FrameTimer(int /*command*/) {
  platform::Clock* clock = platform::backend.clock;
  if (!clock) return 0.0;
  if (!frameClock.sourceDecided) {
    frameClock.counterFrequency = clock->CounterFrequency();
    frameClock.usePerformanceCounter = frameClock.counterFrequency != 0;
    frameClock.sourceDecided = true;
  }
  if (frameClock.usePerformanceCounter)
    return static_cast<double>(clock->Counter()) / static_cast<double>(frameClock.counterFrequency);
  return clock->Milliseconds() * 0.001;
}

float FrameStepFor(float framesPerSecond, float stepScale) {
  float step = stepScale / framesPerSecond;
  if (step > 20.0f) return 20.0f;
  if (step == 0.0f) return 0.0001f;
  return step;
}

void UpdateFrameStep() {
  if (frameClock.fixedStep > 0.0f) {
    frameClock.frameStep = frameClock.fixedStep;
    frameClock.framesPerSecond = frameClock.stepScale / frameClock.fixedStep;
    return;
  }
  double t = FrameTimer(kTimerAbsolute);
  frameClock.currentTime = static_cast<float>(t);
  // The reading is used at full precision here; only the stored copy is rounded.
  float difference = static_cast<float>(t - static_cast<double>(frameClock.previousTime));
  frameClock.framesPerSecond = 1.0f / difference;
  frameClock.previousTime = frameClock.currentTime;
  frameClock.frameStep = FrameStepFor(frameClock.framesPerSecond, frameClock.stepScale);
}

}  // namespace vx
