// The title: the new-game start (TitleLoad) and the title menu (Title).
#pragma once

namespace vx {

// Handler of TitleLoad: resets the game values and loads the title backdrop.
int Game_0Stage1();
// Handler of Title: the menu. Returns E_FAIL after the quit entry was chosen.
int TitleMenu();

}  // namespace vx
