#include "core/frame_clock.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(FrameClockTest, MillisecondClockWhenThereIsNoCounter) {
  test::HeadlessRig& rig = test::InstallHeadless();
  rig.clock.frequency = 0;
  rig.clock.counter = 2500;  // the headless clock reports the counter as milliseconds
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
