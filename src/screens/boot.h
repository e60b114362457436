// Boot loading: the first frame's work. Loads the images every screen shares, the sound
// effects, the three title models, the settings and the best times, then hands over to the
// title.
#pragma once
#include "draw/shared_images.h"

namespace vx {

// Handler of the Boot state. Returns E_FAIL (the state stays Boot) after reporting the first
// shared image that cannot be loaded; otherwise switches to TitleLoad and returns 0.
int Game_0Stage0();

}  // namespace vx
