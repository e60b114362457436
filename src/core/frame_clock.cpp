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
    if (frameClock.usePerformanceCounter)
      frameClock.counterOrigin = clock->Counter();
    else
      frameClock.millisecondOrigin = clock->Milliseconds();
    frameClock.sourceDecided = true;
  }
  if (frameClock.usePerformanceCounter) {
    // Signed, so a counter that ever stepped back gives a negative time, not a huge one.
    const auto elapsed = static_cast<std::int64_t>(clock->Counter() - frameClock.counterOrigin);
    return static_cast<double>(elapsed) / static_cast<double>(frameClock.counterFrequency);
  }
  // Unsigned difference: right across the millisecond counter's wrap after 49.7 days.
  const std::uint32_t elapsed = clock->Milliseconds() - frameClock.millisecondOrigin;
  return elapsed * 0.001;
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
  const double t = FrameTimer(kTimerAbsolute);
  frameClock.currentTime = static_cast<float>(t);
  if (frameClock.started) {
    const float difference = static_cast<float>(t - frameClock.previousTime);
    frameClock.framesPerSecond = 1.0f / difference;
  } else {
    frameClock.started = true;
    frameClock.framesPerSecond = 0.0f;  // 200 / 0 is above every limit: the step becomes 20
  }
  frameClock.previousTime = t;
  frameClock.frameStep = FrameStepFor(frameClock.framesPerSecond, frameClock.stepScale);
}

}  // namespace vx
