// vexorbia: the game, on the SDL backends. It reads its archives beside itself or where they
// were installed, and works in its own directory or in the player's data directory
// (app/game_directory.h).
#include <SDL.h>

#include <string>

#include "app/game_directory.h"
#include "app/main_loop.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_devices.h"

int main(int /*argc*/, char** /*argv*/) {
  using namespace vx::platform;
  static SdlWindow window;
  static SdlClock clock;
  static SdlKeyboard keyboard;
  static SdlMouse mouse(&window);
  static SdlGamepad gamepad;
  static SdlDialogs dialogs(&window);
  static SdlGpu gpu(&window);
  static SdlSoundDevice sound;
  static SdlMusicPlayer music;
  backend.window = &window;
  backend.clock = &clock;
  backend.keyboard = &keyboard;
  backend.mouse = &mouse;
  backend.gamepad = &gamepad;
  backend.dialogs = &dialogs;
  backend.gpu = &gpu;
  backend.sound = &sound;
  backend.music = &music;
  std::string executableDir = ".";
  if (char* base = SDL_GetBasePath()) {
    executableDir = base;
    SDL_free(base);
  }
  if (!vx::EnterGameDirectories(executableDir)) {
    SDL_Quit();
    return vx::ProcessExitStatus(vx::kFailureExitStatus);  // as every failure that ends the game
  }
  int status = vx::RunGame();
  SDL_Quit();
  return vx::ProcessExitStatus(status);
}
