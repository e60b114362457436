// The end sequence after the fifth world.
#pragma once

namespace vx {

// code -1 opens the sequence, 0 is the per-frame call.
void EndSequence(int code);

}  // namespace vx
