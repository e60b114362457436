#include "app/main_loop.h"

#include <cstdio>
#include <cstring>

#include "app/device.h"
#include "app/dispatcher.h"
#include "app/gamepad.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "draw/sprite.h"
#include "objects/field_drawing.h"
#include "objects/object_update.h"
#include "persist/display_choice.h"
#include "platform/files.h"
#include "platform/gpu.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "storage/archive.h"
#include "storage/texture.h"

namespace vx {

void ComputeFitSize(int desktopWidth, int desktopHeight) {
  app.desktopWidth = desktopWidth;
  app.desktopHeight = desktopHeight;
  app.fitSize = desktopWidth < desktopHeight ? desktopWidth : desktopHeight;
  if (app.fitSize > 100) app.fitSize -= 50;
  app.fitX = desktopWidth / 2 - app.fitSize / 2;
  app.fitY = 0;
}

int ChooseScratchPath(char* path, const char* file) {
  char first = static_cast<char>('k' + GameRand() % 10);
  char second = static_cast<char>('k' + GameRand() % 10);
  std::snprintf(path, 256, "BUN\\%c\\%c\\", first, second);
  if (!platform::files::DirectoryExists(path)) {
    platform::ShowMessage("Missing Data", "Game Exiting");
    path[0] = '\0';
    return 0;
  }
  std::strncat(path, file, 255 - std::strlen(path));
  return static_cast<int>(std::strlen(path));
}

namespace {

// Moves the window to the requested position, square at the requested width.
void MoveToRequest() {
  if (platform::Window* window = platform::backend.window)
    window->Move(app.requestedWindowPos[0], app.requestedWindowPos[1], app.requestedWindowSize[0],
                 app.requestedWindowSize[0]);
}

}  // namespace

// A change of size and of position in the same pass issues the same move twice.
void ApplyWindowRequests() {
  // F11 or Alt+Return turns the full screen the other way; the choice is kept for the next run.
  ReadWindowKeys();
  if (keyboard.fullscreenToggleRequested) {
    keyboard.fullscreenToggleRequested = false;
    app.fullscreen = !app.fullscreen;
    WriteDisplayChoice();
  }
  if (app.fullscreen != app.appliedFullscreen) {
    if (platform::Window* window = platform::backend.window) window->SetFullscreen(app.fullscreen);
    app.appliedFullscreen = app.fullscreen;
  }
  if (app.requestedWindowSize[0] != app.appliedWindowSize[0] ||
      app.requestedWindowSize[1] != app.appliedWindowSize[1]) {
    MoveToRequest();
    app.appliedWindowSize[0] = app.requestedWindowSize[0];
    app.appliedWindowSize[1] = app.requestedWindowSize[1];
  }
  if (app.requestedWindowPos[0] != app.appliedWindowPos[0] ||
      app.requestedWindowPos[1] != app.appliedWindowPos[1]) {
    MoveToRequest();
    app.appliedWindowPos[0] = app.requestedWindowPos[0];
    app.appliedWindowPos[1] = app.requestedWindowPos[1];
  }
}

void SendCloseRequest() {
  StopAndCloseMusic();
  if (app.musicScratchPath[0]) {
    platform::files::SetNormalAttributes(app.musicScratchPath);
    platform::files::Delete(app.musicScratchPath);
  }
  app.quitRequested = true;
}

int StartOfGameLoading() {
  app.startupDone = true;
  ClearSpriteSheets();
  ClearPlayerFigures();
  for (int n = 1; n <= 8; ++n) {
    char member[64];
    std::snprintf(member, sizeof member, "img\\explosion_%d.tga", n);
    if (LoadArchiveTexture("_data.loc", member, &objectUpdate.explosionImages[n - 1]) < 0) {
      platform::ShowMessage(member, "Game_0Stage3 Unable to load");
      return E_FAIL;
    }
  }
  return 0;
}

void RenderFrame() {
  UpdateFrameStep();
  UpdateGamepad();  // the pad's keys and pointer join this frame's input
  platform::Gpu* gpu = platform::backend.gpu;
  if (gpu) {
    gpu->BeginFrame();
    gpu->BeginSprites();
  }
  DispatchGameState();
  if (gpu) gpu->EndSprites();
  DrawModels();
  if (gpu) gpu->Present();
}

bool GameStartup(int* status) {
  *status = 0;
  platform::Window* window = platform::backend.window;
  if (!window) {
    *status = E_FAIL;
    return false;
  }
  platform::DesktopSize desktop = window->Desktop();
  ComputeFitSize(desktop.width, desktop.height);
  // The window starts the way the player left it: on the full screen or not.
  ReadDisplayChoice();
  if (app.fullscreen) window->SetFullscreen(true);
  app.appliedFullscreen = app.fullscreen;
  if (!window->Create("Vexorbia", app.appliedWindowSize[0], app.appliedWindowSize[1])) {
    *status = E_FAIL;
    return false;
  }
  // A missing scratch directory or device is a failure the program ends on, and a launcher
  // must see it as one.
  if (!ChooseScratchPath(app.musicScratchPath, "ahae.mp3") ||
      !ChooseScratchPath(app.secondScratchPath, "dummy.txt") || !SetupDevices()) {
    *status = kFailureExitStatus;
    return false;
  }
  StartOfGameLoading();
  ResetModelTable();
  return true;
}

bool GameFrame() {
  RenderFrame();
  // Closing the window quits the same way as the title's quit entry.
  platform::Window* window = platform::backend.window;
  if (!app.quitRequested && (app.closeRequested || (window && window->PumpEvents())))
    SendCloseRequest();
  if (app.quitRequested) return false;
  ApplyWindowRequests();
  return true;
}

void GameTeardown() {
  ShutdownSound();
  ReleaseModels();
  ReleaseDevices();
  ReleaseArchiveBuffer();
  if (platform::backend.window) platform::backend.window->Destroy();
}

int RunGame() {
  int status = 0;
  if (!GameStartup(&status)) {
    if (platform::backend.window) platform::backend.window->Destroy();
    return status;
  }
  while (GameFrame()) {
  }
  GameTeardown();
  return app.exitStatus;
}

int ProcessExitStatus(int status) {
  if (status == 0) return 0;
  const int low = status & 0xFF;  // what the system keeps of it
  return low != 0 ? low : 1;
}

}  // namespace vx
