// Times the real GL sprite batch at a full play frame: 10 000 sprites from one sheet drawn
// through DrawSprite into the GL device, frame after frame. Prints the main thread's CPU
// time for batching and submitting, and the whole frame's wall time including the
// rasteriser. A measuring tool, not a test.
//
//   SDL_VIDEODRIVER=offscreen sprite_timing [FRAMES]
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "draw/sprite.h"
#include "gfx_fixtures.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_devices.h"
#include "storage/texture.h"

namespace {

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const int count = argc > 2 ? std::max(0, std::atoi(argv[2])) : 10000;
  using namespace vx;
  test::TempWorkDir dir;
  test::WriteArchive("_data.loc", {{"img\\chrset1.tga", test::MakeTga(512, 512, 0xFFFFFFFF)}});
  static platform::SdlWindow window;
  static platform::SdlGpu gpu(&window);
  if (!window.Create("sprite timing", 512, 512) || !gpu.Create()) {
    std::fprintf(stderr, "no GL device: %s\n", SDL_GetError());
    return 1;
  }
  platform::backend.window = &window;
  platform::backend.gpu = &gpu;
  SDL_GL_SetSwapInterval(0);
  if (LoadArchiveTexture("_data.loc", "img\\chrset1.tga", &sprites.sheets[1]) < 0) return 1;

  std::vector<double> batch, submit, frame;
  for (int f = 0; f < frames; ++f) {
    const auto start = std::chrono::steady_clock::now();
    gpu.BeginFrame();
    const double cpu0 = ThreadSeconds();
    gpu.BeginSprites();
    for (int i = 0; i < count; ++i) {
      const float x = static_cast<float>(i % 100) * 5.0f, y = static_cast<float>(i / 100) * 5.0f;
      DrawSprite(x, y, 130 + (i % 7) * 50, 260, 180 + (i % 7) * 50, 310, 100.0f, 0, 0.5f, 0.5f, 1,
                 static_cast<float>((i + f) % 360));
    }
    const double cpuBatched = ThreadSeconds();
    gpu.EndSprites();
    const double cpu1 = ThreadSeconds();
    gpu.Present();
    const auto end = std::chrono::steady_clock::now();
    batch.push_back((cpuBatched - cpu0) * 1e3);
    submit.push_back((cpu1 - cpuBatched) * 1e3);
    frame.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::printf("renderer: %s, OpenGL %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
  std::printf("%d frames of %d sprites, %d GL draw(s) per batch\n", frames, count,
              gpu.lastSpriteDrawCalls);
  std::printf("batching (DrawSprite calls into the vertex array), CPU: median %.3f ms\n",
              Median(batch));
  std::printf(
      "submitting (upload and GL draws, with the driver's vertex work), CPU: median "
      "%.3f ms\n",
      Median(submit));
  std::printf("whole frame with rasterising and swap, wall: median %.3f ms\n", Median(frame));
  ClearSpriteSheets();
  gpu.Destroy();
  window.Destroy();
  SDL_Quit();
  return 0;
}
