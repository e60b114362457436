#include <epoxy/gl.h>

#include <cstdio>

#include "platform/sdl/sdl_devices.h"

namespace vx::platform {

bool SdlGpu::Create() {
  if (!window_ || !window_->handle) return false;
  context_ = SDL_GL_CreateContext(window_->handle);
  if (!context_) {
    std::fprintf(stderr, "OpenGL 3.3 core context: %s\n", SDL_GetError());
    return false;
  }
  // Wait for the display when it can; otherwise the frame cap in Present keeps the rate sane.
  vsync_ = SDL_GL_SetSwapInterval(1) == 0;
  return true;
}

void SdlGpu::BeginFrame() {
  int w = 0, h = 0;
  window_->PixelSize(&w, &h);
  glViewport(0, 0, w, h);
  glDepthRange(0.0, 1.0);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void SdlGpu::Present() {
  SDL_GL_SwapWindow(window_->handle);
  if (!vsync_) {
    // About 240 frames a second at most when the swap does not wait for the display.
    const std::uint64_t frequency = SDL_GetPerformanceFrequency();
    const std::uint64_t minimum = frequency / 240;
    std::uint64_t now = SDL_GetPerformanceCounter();
    if (lastPresent_ && now - lastPresent_ < minimum) {
      SDL_Delay(static_cast<Uint32>((minimum - (now - lastPresent_)) * 1000 / frequency));
      now = SDL_GetPerformanceCounter();
    }
    lastPresent_ = now;
  }
}

void SdlGpu::Destroy() {
  if (context_) SDL_GL_DeleteContext(context_);
  context_ = nullptr;
}

}  // namespace vx::platform
