// Aiming, firing and landing.
#pragma once

namespace vx {

struct ShooterState {
  float aimAngle = 0.0f;  // degrees, 0 straight up, positive to the right
  bool shotActive = false;
};
extern ShooterState shooter;

void UpdateShooter();

}  // namespace vx
