#include "platform/platform.h"

namespace vx::platform {

Backend backend;

}  // namespace vx::platform
