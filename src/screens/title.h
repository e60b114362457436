// The title: the new-game start (TitleLoad) and the title menu (Title) with its turning
// wheel, pulsing pictures, the three entries play, settings and quit, and the intro button.
#pragma once

namespace vx {

inline constexpr float kTitleIdleLimit = 20000;  // frame-step units: 100 seconds

struct TitleState {
  int selection = 0;  // 0 play, 1 settings, 2 quit
  int previousSelection = 0;
  float wheelSpeed = 0.1f;  // degrees per frame-step unit
  float logoAngle = 0;      // degrees
  float idleTimer = 0;      // frame-step units since the title last went to the intro
  float pulseA = 0, pulseB = 0, pulseC = 0;
  float blinkTimer = 0;
};
extern TitleState title;

// Handler of TitleLoad: a new game's values, stage file 1, the pointer, the best-times file
// and the cloud backdrop. E_FAIL (the state stays TitleLoad) when the backdrop is missing.
int Game_0Stage1();
// Handler of Title: the menu. Returns E_FAIL after the quit entry was chosen.
int TitleMenu();

// Turns the logo by speed x frame step and draws it centred on (x, y) at `scale` and
// `opacity`. Returns the new angle in degrees.
float DrawTitleWheel(float opacity, float x, float y, float scale, float speed);
// The small button at the bottom that starts the intro when clicked.
void DrawIntroButton();

}  // namespace vx
