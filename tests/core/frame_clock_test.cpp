#include "core/frame_clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "test_support.h"

namespace vx {
namespace {

TEST(FrameClockTest, StepFollowsTheFrameDuration) {
  struct Case {
    double seconds;
    float step;
  } cases[] = {
      {0.020, 4.0f},                   // 50 frames a second
      {0.005, 1.0f},                   // 200 frames a second
      {0.200, 20.0f},                  // 5 a second: clamped from 40, the game runs at half speed
      {0.100, 20.0f}, {0.0, 0.0001f},  // equal readings
  };
  for (const Case& c : cases) {
    test::HeadlessRig& rig = test::InstallHeadless();
    rig.clock.counter = 1000000;  // a first reading of 1 s
    UpdateFrameStep();
    rig.clock.AdvanceSeconds(c.seconds);
    UpdateFrameStep();
    EXPECT_NEAR(frameClock.frameStep, c.step, 1e-3f) << c.seconds;
  }
}

TEST(FrameClockTest, EqualReadingsGiveAnInfiniteRate) {
  test::HeadlessRig& rig = test::InstallHeadless();
  rig.clock.counter = 5000000;
  UpdateFrameStep();
  UpdateFrameStep();
  EXPECT_TRUE(std::isinf(frameClock.framesPerSecond));
  EXPECT_FLOAT_EQ(frameClock.frameStep, 0.0001f);
}

TEST(FrameClockTest, FirstFrameIsClampedTo20) {
  test::HeadlessRig& rig = test::InstallHeadless();
  rig.clock.counter = 123456789;
  UpdateFrameStep();
  EXPECT_FLOAT_EQ(frameClock.frameStep, 20.0f);
}

// A machine that has been up for 30 days: the counter is far from zero when the game starts.
// Every frame at 60 Hz must come out at 3.33, at the start and after days of play.
TEST(FrameClockTest, StepsStayTrueOnAMachineUpForDays) {
  constexpr std::uint64_t kNanosecond = 1000000000;  // the counter SDL reads on Linux
  constexpr std::uint64_t kTick = kNanosecond / 60;
  const struct Case {
    const char* what;
    double hoursPlayed;
  } cases[] = {{"the first minutes", 0.0}, {"after three days of play", 72.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::HeadlessRig& rig = test::InstallHeadless();
    rig.clock.frequency = kNanosecond;
    rig.clock.counter = 30ull * 24 * 3600 * kNanosecond;
    UpdateFrameStep();
    EXPECT_FLOAT_EQ(frameClock.frameStep, 20.0f);  // the first frame
    rig.clock.counter += static_cast<std::uint64_t>(c.hoursPlayed * 3600.0) * kNanosecond;
    UpdateFrameStep();
    int off = 0;
    float worst = 0.0f;
    for (int frame = 0; frame < 600; ++frame) {
      rig.clock.counter += kTick;
      UpdateFrameStep();
      const float error = std::fabs(frameClock.frameStep - 200.0f / 60.0f);
      worst = std::max(worst, error);
      off += error > 1e-3f;
    }
    EXPECT_EQ(off, 0) << "worst step error " << worst;
  }
}

// Without a counter the millisecond clock is read, also from its first reading on, and right
// across its wrap after 49.7 days.
TEST(FrameClockTest, MillisecondClockWhenThereIsNoCounter) {
  test::HeadlessRig& rig = test::InstallHeadless();
  rig.clock.frequency = 0;
  rig.clock.counter = 0xFFFFFF00u;  // the headless clock reports the counter as milliseconds
  EXPECT_DOUBLE_EQ(FrameTimer(kTimerAbsolute), 0.0);
  rig.clock.counter += 2500;
  EXPECT_DOUBLE_EQ(FrameTimer(kTimerAbsolute), 2.5);
  EXPECT_FALSE(frameClock.usePerformanceCounter);
}

TEST(FrameClockTest, FixedStepOverridesTheClock) {
  test::InstallHeadless();
  frameClock.fixedStep = 3.5f;
  UpdateFrameStep();
  EXPECT_FLOAT_EQ(frameClock.frameStep, 3.5f);
}

}  // namespace
}  // namespace vx
