// The application's values that the modules share: the desktop and the square window that
// fits it, the requested and applied window size and position (the settings change the
// requests, the main loop applies them), the full screen, and the two scratch paths chosen
// at start-up.
#pragma once

namespace vx {

// The window sizes the settings screen makes: steps of 50, smaller only while above 200 and
// larger only while below 1024, so 151 .. 1073 (besides the fit size, which it can also set).
inline constexpr int kWindowSizeStep = 50;
inline constexpr int kWindowShrinksAbove = 200;
inline constexpr int kWindowGrowsBelow = 1024;
inline constexpr int kSmallestWindowSize = kWindowShrinksAbove - kWindowSizeStep + 1;
inline constexpr int kLargestWindowSize = kWindowGrowsBelow - 1 + kWindowSizeStep;

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
  // The status the program ends with: 0, or kFailureExitStatus when a failure ended the game
  // (the close request then ends it the usual way, with the teardown).
  int exitStatus = 0;
};
extern AppState app;

// The program's status after a failure that ends the game (255 as the system reports it).
inline constexpr int kFailureExitStatus = -1;

// A failure the game cannot go on from (a broken install): ends the game at the end of this
// frame through the close request, with the failure status.
inline void RequestFailureExit() {
  app.exitStatus = kFailureExitStatus;
  app.closeRequested = true;
}

}  // namespace vx
