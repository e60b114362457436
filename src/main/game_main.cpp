// vexorbia: the game. Runs in its own directory, on the SDL backends.
#include <SDL.h>

#include <filesystem>
#include <system_error>

#include "app/main_loop.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_devices.h"

int main(int /*argc*/, char** /*argv*/) {
  // The archives, scratch directories and player files live beside the program.
  if (char* base = SDL_GetBasePath()) {
    std::error_code ec;
    std::filesystem::current_path(base, ec);
    SDL_free(base);
  }
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
  int status = vx::RunGame();
  SDL_Quit();
  return status == 0 ? 0 : 1;
}
