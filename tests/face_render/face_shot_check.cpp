// Looks at a screenshot of the game as a player would, by colour: the intro shows the blue
// music plate in the middle of the dusk sky; the title shows the green PLAY and the red QUIT
// buttons of its menu. Regions are fractions of the picture, so any window size will do.
//
//   face_shot_check intro|title FILE.png
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>

namespace {

struct Picture {
  SDL_Surface* surface = nullptr;
  int width = 0, height = 0;
};

bool (*const kPlateBlue)(int, int, int) = [](int r, int g, int b) {
  return b > r + 60 && g > r + 20 && b > g;
};
bool (*const kSkyViolet)(int, int, int) = [](int r, int g, int b) { return b > g + 40 && r > g; };
bool (*const kButtonGreen)(int, int, int) = [](int r, int g, int b) {
  return g > r + 60 && g > b + 40;
};
bool (*const kButtonRed)(int, int, int) = [](int r, int g, int b) {
  return r > g + 80 && r > b + 60;
};

// The share (0..1) of pixels in the region whose colour passes the test.
double Share(const Picture& p, double x0, double y0, double x1, double y1,
             bool (*test)(int, int, int)) {
  const int left = static_cast<int>(x0 * p.width), right = static_cast<int>(x1 * p.width);
  const int top = static_cast<int>(y0 * p.height), bottom = static_cast<int>(y1 * p.height);
  long hits = 0, all = 0;
  const auto* pixels = static_cast<const unsigned char*>(p.surface->pixels);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const unsigned char* px = pixels + y * p.surface->pitch + x * 4;
      hits += test(px[0], px[1], px[2]);
      ++all;
    }
  return all ? static_cast<double>(hits) / static_cast<double>(all) : 0;
}

bool Expect(const char* what, double share, double atLeast) {
  std::printf("%s: %.3f (at least %.3f)\n", what, share, atLeast);
  return share >= atLeast;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "intro") != 0 && std::strcmp(argv[1], "title") != 0)) {
    std::fprintf(stderr, "usage: face_shot_check intro|title FILE.png\n");
    return 64;
  }
  SDL_Surface* loaded = IMG_Load(argv[2]);
  if (!loaded) {
    std::fprintf(stderr, "cannot read %s: %s\n", argv[2], IMG_GetError());
    return 1;
  }
  Picture p;
  p.surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(loaded);
  if (!p.surface) return 1;
  p.width = p.surface->w;
  p.height = p.surface->h;
  bool ok = true;
  if (std::strcmp(argv[1], "intro") == 0) {
    ok &= Expect("violet sky in the top left corner", Share(p, 0, 0, 0.2, 0.2, kSkyViolet), 0.5);
    ok &= Expect("blue plate in the middle", Share(p, 0.35, 0.4, 0.65, 0.6, kPlateBlue), 0.5);
  } else {
    ok &=
        Expect("no plate left in the middle", 1 - Share(p, 0.35, 0.4, 0.65, 0.6, kPlateBlue), 0.9);
    ok &= Expect("green PLAY button", Share(p, 0.42, 0.645, 0.58, 0.685, kButtonGreen), 0.25);
    ok &= Expect("red QUIT button", Share(p, 0.42, 0.815, 0.58, 0.855, kButtonRed), 0.25);
  }
  SDL_FreeSurface(p.surface);
  return ok ? 0 : 1;
}
