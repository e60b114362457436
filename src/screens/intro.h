// The animated 3-D logo sequence.
#pragma once

namespace vx {

// start true resets the sequence and runs one frame; false is the per-frame call.
// Returns whether Escape went down.
bool IntroSequence(bool start);

}  // namespace vx
