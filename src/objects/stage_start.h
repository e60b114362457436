// Stage start: builds a stage from its stage file with its images and sounds.
#pragma once

namespace vx {

// Handler of StageLoad; 0 on success, E_FAIL when the stage's pictures are missing.
int StartStage();

}  // namespace vx
