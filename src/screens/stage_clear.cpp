#include "screens/stage_clear.h"

namespace vx {

// Not built yet: the stage clear page.
int StageClearScreen() {
  return 0;
}

}  // namespace vx
