#include "persist/saved_games.h"

namespace vx {

// Not built yet: nothing is saved.
void WriteSavedGame() {}

}  // namespace vx
