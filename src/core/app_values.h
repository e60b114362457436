// The application's values that the modules share: the desktop and the square window that
// fits it, the requested and applied window size and position (the settings change the
// requests, the main loop applies them), the full screen, and the two scratch paths chosen
// at start-up.
#pragma once

namespace vx {

struct AppState {
  int fitSize = 0;
  int fitX = 0, fitY = 0;
  int desktopWidth = 0, desktopHeight = 0;
  int requestedWindowSize[2] = {512, 512};
  int appliedWindowSize[2] = {512, 512};
  int requestedWindowPos[2] = {0, 0};
  int appliedWindowPos[2] = {0, 0};
  char musicScratchPath[256] = {};
  char secondScratchPath[256] = {};
  // The full screen: asked for (F11, Alt+Return, the display choice file) and last applied to
  // the window by the main loop.
  bool fullscreen = false;
  bool appliedFullscreen = false;
  bool startupDone = false;
  // The game asked to close (the title's quit entry); the main loop carries it out at the end
  // of the frame: the music stops, the extracted music file goes, the loop ends.
  bool closeRequested = false;
  bool quitRequested = false;  // the close request was carried out; the loop ends after this frame
};
extern AppState app;

}  // namespace vx
