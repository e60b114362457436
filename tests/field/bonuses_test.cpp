#include <gtest/gtest.h>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "field/bonuses.h"
#include "field_fixture.h"

namespace vx::test {
namespace {

using BonusesTest = FieldTest;

TEST_F(BonusesTest, TheGuideGiftShowsTheGuideThenBlinksItOff) {
  struct Case {
    float clock;  // after the advance
    bool guide, active;
  };
  // On for 3500 units, then on for the second half of every 100 units, then off after 4000.
  const Case cases[] = {{100.0f, true, true},   {3500.0f, true, true},  {3520.0f, false, true},
                        {3549.9f, false, true}, {3550.0f, true, true},  {3999.0f, true, true},
                        {4000.0f, true, true},  {4000.5f, false, false}};
  for (const Case& c : cases) {
    AimGuideGift(1);
    flow.aimGuide = true;
    frameClock.frameStep = c.clock;
    AimGuideGift(0);
    EXPECT_EQ(flow.aimGuide, c.guide) << c.clock;
    EXPECT_EQ(bonuses.guideGiftActive, c.active) << c.clock;
  }
  // Starting it turns the guide on, whatever F2 did.
  flow.aimGuide = false;
  AimGuideGift(1);
  EXPECT_TRUE(flow.aimGuide);
  EXPECT_EQ(bonuses.guideGiftClock, 0.0f);
}

TEST_F(BonusesTest, TheLaserBonusFlickersBeforeItEnds) {
  struct Case {
    float clock;
    int bonus;
  };
  // 1 up to 1500; then 2 for the first 20 units of every 50; 0 past 2500.
  const Case cases[] = {{1.0f, 1},    {1500.0f, 1}, {1510.0f, 2}, {1519.9f, 2}, {1520.0f, 1},
                        {1549.0f, 1}, {1550.0f, 2}, {2500.0f, 1}, {2500.1f, 0}};
  for (const Case& c : cases) {
    LaserBonus(1);
    EXPECT_EQ(bonuses.laserBonus, 1);
    frameClock.frameStep = c.clock;
    LaserBonus(0);
    EXPECT_EQ(bonuses.laserBonus, c.bonus) << c.clock;
  }
}

}  // namespace
}  // namespace vx::test
