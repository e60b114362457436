#include "core/app_values.h"

namespace vx {

AppState app;

}  // namespace vx
