// The stage clear page with the times of the world.
#pragma once

namespace vx {

// 0 while the page is showing, else 1 next stage, 2 play again, 3 quit to the title.
int StageClearScreen();

}  // namespace vx
