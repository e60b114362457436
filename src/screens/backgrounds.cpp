#include "screens/backgrounds.h"

namespace vx {

// Not built yet: the backgrounds draw nothing.
void ScrollBackdrop() {}
void ScrollBackdropFaded(float, float) {}
void GemStream(int, int) {}
void GemStreamLarge(int, int) {}
void BouncingGems() {}

}  // namespace vx
