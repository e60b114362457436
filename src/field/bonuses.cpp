#include "field/bonuses.h"

#include "core/frame_clock.h"
#include "core/game_state.h"

namespace vx {

BonusState bonuses;

namespace {

constexpr float kGuideBlinkFrom = 3500.0f;  // the guide blinks for its last 500 units
constexpr float kGuideEnd = 4000.0f;
constexpr float kLaserBlinkFrom = 1500.0f;  // the laser shows its end for its last 1000 units
constexpr float kLaserEnd = 2500.0f;

}  // namespace

void AimGuideGift(int start) {
  BonusState& b = bonuses;
  if (start == 1) {
    b.guideGiftClock = 0.0f;
    b.guideGiftActive = true;
    flow.aimGuide = true;
    return;
  }
  b.guideGiftClock += frameClock.frameStep;
  const float g = b.guideGiftClock;
  if (g > kGuideBlinkFrom && g < kGuideEnd) {
    flow.aimGuide = static_cast<int>(g) % 100 > 49;  // a 100-unit blink
  } else if (g > kGuideEnd) {
    flow.aimGuide = false;
    b.guideGiftActive = false;
  }
}

void LaserBonus(int start) {
  BonusState& b = bonuses;
  if (start == 1) {
    b.laserClock = 0.0f;
    b.laserBonus = 1;
    return;
  }
  b.laserClock += frameClock.frameStep;
  const float c = b.laserClock;
  if (c > kLaserBlinkFrom && c < kLaserEnd) {
    b.laserBonus = static_cast<int>(c) % 50 < 20 ? 2 : 1;
  } else if (c > kLaserEnd) {
    b.laserBonus = 0;
  }
}

}  // namespace vx
