#include "objects/object_update.h"

#include "field/field_tables.h"

namespace vx {

ObjectUpdateState objectUpdate;

// Not built yet: the behaviours.
int UpdateObjects() {
  return 0;
}

// Not built yet: the timed states of the two gifts.
void AimGuideGift(int) {}
void LaserBonus(int) {}

void SpawnHitFlash(float x, float y) {
  if (objects.objectCount >= kSpawnObjectLimit) return;
  AppendObject(x, y, 12, OBJECT_HIT_FLASH, 0.0f);
}

int CountColourBalls() {
  int n = 0;
  for (int i = 0; i < cells.cellCount; ++i)
    if (IsColourKind(cells.kind[i])) ++n;
  return n;
}

}  // namespace vx
