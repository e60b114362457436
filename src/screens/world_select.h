// The world selection screen: the five worlds of the stage set as boxes with their best and
// last world times and locks, the stage-set chooser, the continue button for a saved game,
// and the back and play buttons.
#pragma once

namespace vx {

struct WorldSelectState {
  int selectedWorld = 1;     // 1-based: the highlighted box, which the play button starts
  int clickedWorld = 1;      // the last box clicked, 1-based; a locked one cannot stay selected
  float blinkTimer = 0;      // the selection frame's blink
  int extraSetCount = 0;     // stage sets beyond the basic one, counted on the first frame
  bool jumpToNewest = true;  // once a run the chooser starts on the newest set played
  bool continueAvailable = false;  // the current set has a saved game
  // Return starts the selected world only after it has been seen up on this screen, so the
  // Return that chose "play" on the title does not start world 1 at once.
  bool returnArmed = false;
  bool called = false;  // the screen ran before
  int lastFrame = 0;    // frame counter at the last call
  int chooserSet = 0;   // the stage set the chooser looked at last
  int continueSet = 0;  // the stage set the continue button looked at last
};
extern WorldSelectState worldSelect;

// Handler of WorldSelect, after the dispatcher's gem stream. Returns the selected world.
int WorldSelectScreen();

}  // namespace vx
