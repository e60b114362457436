#include "objects/object_update.h"

#include "field/field_tables.h"

namespace vx {

ObjectUpdateState objectUpdate;

// Not built yet: the behaviours.
int UpdateObjects() {
  return 0;
}

int CountColourBalls() {
  int n = 0;
  for (int i = 0; i < cells.cellCount; ++i)
    if (cells.kind[i] >= 1 && cells.kind[i] <= 9) ++n;
  return n;
}

}  // namespace vx
