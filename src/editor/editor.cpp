#include "editor/editor.h"

namespace vx {

// Not built yet: the editor.
int UpdateEditor() {
  return 0;
}

}  // namespace vx
