// The two timed states that gifts start when they break: the aim-guide gift shows the aiming
// guide for a while, the laser bonus makes the next shots laser shots. The link resolution
// starts them, the object update advances them once a frame, the shooter and the queue read
// the laser bonus.
#pragma once

namespace vx {

struct BonusState {
  // The laser bonus: 0 off, 1 on, 2 on and blinking towards its end.
  int laserBonus = 0;
  float laserClock = 0.0f;
  // The aim-guide gift.
  bool guideGiftActive = false;
  float guideGiftClock = 0.0f;
};
extern BonusState bonuses;

// start 1 starts the timed state, 0 advances it by one frame. The aim-guide gift shows the
// guide for 3500 units, blinks it for 500 more and then turns it off; the laser bonus is 1
// for 1500 units, then flickers between 1 and 2 (2 for 20 units of every 50) until 2500.
void AimGuideGift(int start);
void LaserBonus(int start);

}  // namespace vx
