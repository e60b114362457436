#include "draw/layers.h"

namespace vx {

// Not built yet: the overlay draws nothing.
bool DrawMusicCredit(float, float, float, float, int) {
  return false;
}

}  // namespace vx
