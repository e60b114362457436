// The stage information panel shown over a freshly built field, and the pause, retry and
// out-of-tries menu.
#pragma once

namespace vx {

struct StageInfoState {
  float panelSlide = 0;      // degrees 0..90 of the panel's slide-in
  float panelOpacity = 100;  // 100 while waiting; runs down to 0 once the player starts
  float panelBlink = 0;      // the start prompt's blink, 0..200
};
extern StageInfoState stageInfo;

enum PauseMenuMode : int {
  MENU_PAUSED = 0,
  MENU_PAUSED_QUIT = 1,  // the quit question, asked from the paused menu
  MENU_TRY_LOST = 10,
  MENU_TRY_LOST_QUIT = 11,  // the quit question, asked from the try-lost menu
};

struct PauseState {
  int menuMode = MENU_PAUSED;
  float menuFade = 0;        // 0..100, the background's opacity; keys count only at 100
  float menuBlink = 0;       // 0..100, the tries figure and the quit question blink
  float noTriesMessage = 0;  // 0 hidden; otherwise runs up to 100 while the message shows
};
extern PauseState pauseMenu;

// Handler of StageInfo, after the dispatcher has drawn the field.
int StageInfoPanel();
// code 100 opens the paused menu, 110 the try-lost menu, 1 is the per-frame call. Returns true
// when the frame's menu work ran to its end. While an invasion runs it does nothing.
bool PauseMenu(int code);

}  // namespace vx
