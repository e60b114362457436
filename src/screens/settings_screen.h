// The settings screen: the music and effects volumes, the window's size and position, and the
// resets of the world times. Changes show at once; OK keeps them and writes the settings,
// Cancel or Escape puts back what was there when the screen opened.
#pragma once

namespace vx {

struct SettingsScreenState {
  int musicCopy = 100;  // the volumes being edited, percent
  int effectsCopy = 100;
  int openedMusicPercent = 100;           // the music volume when the screen opened, for Cancel
  int savedWindow[4] = {512, 512, 0, 0};  // requested width, height, x, y when it opened
  bool resetLastTimes = false;            // check boxes
  bool resetBestTimes = false;
  float clickFlash = 256;       // 256 hidden; a click sets 255, then it fades by 4 a unit
  bool previousButton = false;  // the left button last frame: the screen's own click edge
};
extern SettingsScreenState settingsScreen;

// code 0 opens the screen; 99 is the per-frame call, which also ends it with Title.
int SettingsScreen(int code);

}  // namespace vx
