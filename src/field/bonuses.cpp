#include "field/bonuses.h"

namespace vx {

BonusState bonuses;

// Not built yet: the timed states of the two gifts.
void AimGuideGift(int) {}
void LaserBonus(int) {}

}  // namespace vx
