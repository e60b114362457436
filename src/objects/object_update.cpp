#include "objects/object_update.h"

#include "field/field_tables.h"

namespace vx {

ObjectUpdateState objectUpdate;

// Not built yet: the behaviours.
int UpdateObjects() {
  return 0;
}

}  // namespace vx
