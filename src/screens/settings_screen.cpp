#include "screens/settings_screen.h"

#include <algorithm>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/app_values.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "draw/sprite.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "persist/settings.h"
#include "screens/backgrounds.h"
#include "screens/screen_numbers.h"

namespace vx {

SettingsScreenState settingsScreen;

namespace {

constexpr int kWindowSizeStep = 50;
constexpr int kWindowMoveStep = 20;

bool StrictlyInside(int x, int y, int left, int right, int top, int bottom) {
  return x > left && x < right && y > top && y < bottom;
}

// The volumes as heard while editing: the effects at the edited level, the music player
// following the edited music volume at once.
void HearEditedVolumes() {
  volumes.effectsVolume = VolumeAttenuation(settingsScreen.effectsCopy);
  volumes.musicPercent = settingsScreen.musicCopy;
  volumes.musicVolume = MusicLoudness(volumes.musicPercent);
}

// Acts on a click at (x, y). Every area is tested, in order; overlapping areas both act.
// Returns true when OK was clicked.
bool ClickAreas(int x, int y) {
  SettingsScreenState& s = settingsScreen;
  int* size = app.requestedWindowSize;
  int* pos = app.requestedWindowPos;
  bool ok = false;
  if (StrictlyInside(x, y, 320, 385, 470, 495)) flow.gameState = Title;  // Cancel
  if (StrictlyInside(x, y, 415, 485, 470, 495)) {
    flow.gameState = Title;
    ok = true;
  }
  if (StrictlyInside(x, y, 275, 308, 80, 108)) s.resetLastTimes = !s.resetLastTimes;
  if (StrictlyInside(x, y, 275, 308, 142, 170)) s.resetBestTimes = !s.resetBestTimes;
  if (StrictlyInside(x, y, 232, 252, 195, 210)) s.musicCopy = std::min(s.musicCopy + 1, 100);
  if (StrictlyInside(x, y, 232, 252, 218, 230)) s.musicCopy = std::max(s.musicCopy - 1, 0);
  if (StrictlyInside(x, y, 232, 252, 260, 274)) s.effectsCopy = std::min(s.effectsCopy + 1, 100);
  if (StrictlyInside(x, y, 232, 252, 278, 290)) s.effectsCopy = std::max(s.effectsCopy - 1, 0);
  // The size steps test the limit before the step, so 1000 still grows to 1050.
  if (StrictlyInside(x, y, 232, 252, 314, 330))
    for (int i = 0; i < 2; ++i)
      if (size[i] < 1024) size[i] += kWindowSizeStep;
  if (StrictlyInside(x, y, 232, 252, 332, 344))
    for (int i = 0; i < 2; ++i)
      if (size[i] > 200) size[i] -= kWindowSizeStep;
  if (StrictlyInside(x, y, 448, 480, 316, 344)) {
    size[0] = size[1] = app.fitSize;
    pos[0] = app.fitX;
    pos[1] = app.fitY;
  }
  if (StrictlyInside(x, y, 232, 265, 360, 374) && pos[1] > 20) pos[1] -= kWindowMoveStep;
  if (StrictlyInside(x, y, 232, 265, 376, 390) && pos[1] < 900) pos[1] += kWindowMoveStep;
  if (StrictlyInside(x, y, 260, 276, 364, 388) && pos[0] > 20) pos[0] -= kWindowMoveStep;
  if (StrictlyInside(x, y, 276, 292, 364, 388) && pos[0] < 900) pos[0] += kWindowMoveStep;
  return ok;
}

void Confirm() {
  SettingsScreenState& s = settingsScreen;
  ResetProgress(s.resetLastTimes, s.resetBestTimes, true);
  if (s.resetLastTimes || s.resetBestTimes) WriteBestTimes();
  volumes.effectsPercent = s.effectsCopy;
  volumes.musicPercent = s.musicCopy;
  ApplyVolumePercents();
  PlaySound(sfx.ok, 0, volumes.effectsVolume);
  WriteSettings();
}

// Everything the screen changed goes back: both volumes as heard and the window.
void Cancel() {
  SettingsScreenState& s = settingsScreen;
  volumes.musicPercent = s.openedMusicPercent;
  ApplyVolumePercents();
  PlaySound(sfx.bounce, 0, volumes.effectsVolume);
  app.requestedWindowSize[0] = s.savedWindow[0];
  app.requestedWindowSize[1] = s.savedWindow[1];
  app.requestedWindowPos[0] = s.savedWindow[2];
  app.requestedWindowPos[1] = s.savedWindow[3];
}

void Open() {
  SettingsScreenState& s = settingsScreen;
  s.resetLastTimes = s.resetBestTimes = false;
  s.musicCopy = std::clamp(volumes.musicPercent, 0, 100);
  s.effectsCopy = std::clamp(volumes.effectsPercent, 0, 100);
  s.openedMusicPercent = volumes.musicPercent;
  s.savedWindow[0] = app.requestedWindowSize[0];
  s.savedWindow[1] = app.requestedWindowSize[1];
  s.savedWindow[2] = app.requestedWindowPos[0];
  s.savedWindow[3] = app.requestedWindowPos[1];
  // The button that chose "settings" on the title is still down: it is no click here.
  s.previousButton = mouse.left;
  s.clickFlash = 256;
}

}  // namespace

int SettingsScreen(int code) {
  if (code == 0) {
    Open();
    return 0;
  }
  SettingsScreenState& s = settingsScreen;
  game_DisplayLayer(LAYER_SETTINGS, LayerImage(LAYER_SETTINGS), 100);
  if (s.resetLastTimes) DrawSprite(290, 70, 470, 130, 510, 160, 100, 0, 1, 1, 0, 0);
  if (s.resetBestTimes) DrawSprite(290, 134, 470, 130, 510, 160, 100, 0, 1, 1, 0, 0);
  DrawNumberAt(s.musicCopy, 2, 270, 200, 0);
  DrawNumberAt(s.effectsCopy, 2, 270, 260, 0);
  DrawNumberAt(app.requestedWindowSize[0], 2, 270, 310, 0);

  DrawPointer(true);
  const bool click = mouse.left && !s.previousButton;
  s.previousButton = mouse.left;

  if (click) s.clickFlash = 255;
  if (s.clickFlash < 256) {
    const int alpha = s.clickFlash > 200 ? 255 : static_cast<int>(s.clickFlash);
    DrawGemCell(12, 50, static_cast<float>(mouse.pointerX - 20),
                static_cast<float>(mouse.pointerY - 20), alpha);
    s.clickFlash -= 4 * frameClock.frameStep;
    if (s.clickFlash < 0) s.clickFlash = 256;
  }

  if (KeyPressed(KEY_ESCAPE, true)) flow.gameState = Title;

  const int musicBefore = s.musicCopy, effectsBefore = s.effectsCopy;
  const bool ok = click && ClickAreas(mouse.pointerX, mouse.pointerY);
  if (s.musicCopy != musicBefore || s.effectsCopy != effectsBefore) HearEditedVolumes();

  if (ok)
    Confirm();
  else if (flow.gameState == Title)
    Cancel();
  return 0;
}

}  // namespace vx
