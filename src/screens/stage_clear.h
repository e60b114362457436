// The stage clear page with the stage times of the world, and the stage-time list it shares
// with the pause menu.
#pragma once

namespace vx {

struct StageClearState {
  float pageFade = 0;       // 0..100: the page's opacity and zoom; back to 0 after a choice
  float worldEndPulse = 0;  // the world-completed text's pulse, or the record line's blink
  float recordPulse = 0;    // the new-record headline's scale pulse
  float markerBlink = 0;    // the current-line marker of the stage-time list
};
extern StageClearState stageClear;

// 0 while the page is showing, else 1 next stage, 2 play again, 3 quit to the title.
int StageClearScreen();

// The stage times of the current world: lines 1..shown with their times, the line after them
// marked, the rest dashed, then the world's total. Returns the y of the total line.
float StageList(int shown);
// Starts the list's marker blink afresh (a menu opening over the list).
void ResetStageList();

}  // namespace vx
