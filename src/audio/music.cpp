#include "audio/music.h"

namespace vx {

// Not built yet: no music plays.
void UpdateMusic(int, int) {}
void StopAndCloseMusic() {}

}  // namespace vx
