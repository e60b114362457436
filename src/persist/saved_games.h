// Saved games, one per stage set.
#pragma once

namespace vx {

void WriteSavedGame();

}  // namespace vx
