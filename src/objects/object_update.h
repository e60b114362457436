// The per-frame update of every special cell and field object.
#pragma once

namespace vx {

struct Texture;

struct ObjectUpdateState {
  bool removedThisFrame = false;  // reset by the dispatcher at the top of every frame
  Texture* explosionImages[8] = {};
  // The laser bonus: 0 off, 1 on, 2 on and blinking towards its end; the shooter reads it.
  int laserBonus = 0;
  float laserClock = 0.0f;
  // The aim-guide gift: shows the aiming guide for a while.
  bool guideGiftActive = false;
  float guideGiftClock = 0.0f;
};
extern ObjectUpdateState objectUpdate;

int UpdateObjects();
// The number of cells of kinds 1..9.
int CountColourBalls();

// The aim-guide gift and the laser bonus: start 1 starts the timed state, 0 advances it.
void AimGuideGift(int start);
void LaserBonus(int start);

// Appends a hit flash at (x, y); refused once the table holds 2000 objects.
void SpawnHitFlash(float x, float y);

}  // namespace vx
