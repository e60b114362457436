#include "screens/settings_screen.h"

namespace vx {

// Not built yet: the settings screen.
int SettingsScreen(int) {
  return 0;
}

}  // namespace vx
