// The two effect planters.
#pragma once

namespace vx {

// mode -1 resets at stage start, 1 runs one frame of play.
void CountPlanter(int mode);
void TimedPlanter(int mode);

}  // namespace vx
