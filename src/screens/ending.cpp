#include "screens/ending.h"

namespace vx {

// Not built yet: the end sequence.
void EndSequence(int) {}

}  // namespace vx
