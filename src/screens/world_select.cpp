#include "screens/world_select.h"

namespace vx {

WorldSelectState worldSelect;

// Not built yet: the world selection screen.
int WorldSelectScreen() {
  return 0;
}

}  // namespace vx
