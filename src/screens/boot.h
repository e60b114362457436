// Boot loading: the first frame's work (shared sprite sheets, the effect list, the intro
// models, the settings and best times).
#pragma once

namespace vx {

// Handler of the Boot state. Switches to TitleLoad once the shared images are loaded.
int Game_0Stage0();

}  // namespace vx
