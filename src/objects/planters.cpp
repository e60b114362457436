#include "objects/planters.h"

namespace vx {

// Not built yet: the planters.
void CountPlanter(int) {}
void TimedPlanter(int) {}

}  // namespace vx
