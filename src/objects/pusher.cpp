#include "objects/pusher.h"

namespace vx {

DangerState danger;

// Not built yet: the warnings.
void DangerWarning() {}
void DangerStrip() {}

}  // namespace vx
