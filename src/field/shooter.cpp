#include "field/shooter.h"

namespace vx {

ShooterState shooter;

// Not built yet: the shooter.
void UpdateShooter() {}

}  // namespace vx
