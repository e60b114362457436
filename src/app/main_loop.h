// The program's spine: start-up, the frame loop, the close request and teardown.
#pragma once
#include "core/app_values.h"

namespace vx {

// The whole program: start-up, frames until the close request, teardown. Returns the exit
// status: 0; E_FAIL when the window cannot be made; kFailureExitStatus when a scratch
// directory or a device is missing, or a failure ended the game (app.exitStatus).
int RunGame();

// A status as the process reports it (its low byte): 0 stays 0, any other stays non-zero,
// kFailureExitStatus gives 255.
int ProcessExitStatus(int status);

// The same in pieces, for the replay harness. GameStartup returns false when the program
// must end (its result then goes in *status); GameFrame returns false once the game asked
// to quit (app.exitStatus then tells whether a failure ended it).
bool GameStartup(int* status);
bool GameFrame();
void GameTeardown();

// One frame: frame step, frame begin, the dispatcher, sprite end, models, present.
void RenderFrame();

// Start-of-game loading: working globals, empty texture tables, the explosion images.
int StartOfGameLoading();

// Writes "BUN\x\y\" + file into path (letters k..t from the random source). Returns the
// path's length, or 0 after "Missing Data" when the directory does not exist.
int ChooseScratchPath(char* path, const char* file);

// Largest square that fits the desktop, less 50 when above 100, centred at the top.
void ComputeFitSize(int desktopWidth, int desktopHeight);

// Switches the full screen when asked (and writes the choice), then moves the window when
// the requested size or position changed.
void ApplyWindowRequests();

// The close request: stop and close the music, delete the extracted music file, quit.
// Carried out for the title's quit entry (app.closeRequested) and for closing the window.
void SendCloseRequest();

}  // namespace vx
