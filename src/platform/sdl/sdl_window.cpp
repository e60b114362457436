#include <cstdio>

#include "platform/sdl/sdl_devices.h"

namespace vx::platform {

bool SdlWindow::Create(const char* title, int width, int height) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  handle = SDL_CreateWindow(title, 0, 0, width, height, flags);
  if (!handle) {
    std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
    return false;
  }
  windowedWidth_ = width;
  windowedHeight_ = height;
  return true;
}

DesktopSize SdlWindow::Desktop() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return {512, 512};
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {512, 512};
  return {mode.w, mode.h};
}

void SdlWindow::Move(int x, int y, int width, int height) {
  windowedX_ = x;
  windowedY_ = y;
  windowedWidth_ = width;
  windowedHeight_ = height;
  if (!handle || fullscreen) return;  // applied when the window leaves the full screen
  SDL_SetWindowPosition(handle, x, y);
  SDL_SetWindowSize(handle, width, height);
}

void SdlWindow::SetFullscreen(bool on) {
  if (!handle) {
    fullscreen = on;  // the window is made that way
    return;
  }
  if (SDL_SetWindowFullscreen(handle, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::fprintf(stderr, "SDL full screen: %s\n", SDL_GetError());
    return;
  }
  fullscreen = on;
  if (!on && windowedWidth_ > 0 && windowedHeight_ > 0) {
    SDL_SetWindowSize(handle, windowedWidth_, windowedHeight_);
    SDL_SetWindowPosition(handle, windowedX_, windowedY_);
  }
}

bool SdlWindow::PumpEvents() {
  bool close = false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (e.type == SDL_QUIT) close = true;
    if (e.type == SDL_WINDOWEVENT) {
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) close = true;
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) hasFocus = true;
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) hasFocus = false;
    }
  }
  return close;
}

void SdlWindow::PixelSize(int* width, int* height) {
  *width = *height = 0;
  if (handle) SDL_GL_GetDrawableSize(handle, width, height);
}

void SdlWindow::Destroy() {
  if (handle) SDL_DestroyWindow(handle);
  handle = nullptr;
  SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

Answer SdlDialogs::Show(const char* text, const char* caption, Buttons buttons) {
  // Always on stderr too: with no display that is all there is.
  std::fprintf(stderr, "[%s] %s\n", caption, text);
  SDL_Window* owner = window_ ? window_->handle : nullptr;
  if (buttons == Buttons::Ok) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, owner);
    return Answer::Ok;
  }
  const SDL_MessageBoxButtonData data[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, owner, caption, text, 2, data, nullptr};
  int pressed = 0;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) return Answer::Yes;
  return pressed == 1 ? Answer::Yes : Answer::No;
}

}  // namespace vx::platform
