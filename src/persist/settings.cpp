#include "persist/settings.h"

namespace vx {

SettingsValues settings;

}  // namespace vx
