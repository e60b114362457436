// Draws through the real GL device: a background, a rotated and scaled two-colour
// rectangle, a half-transparent square and a lit cube; the screenshot is read back and its
// pixels checked at places worked out from the transforms.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "draw/sprite.h"
#include "gfx_fixtures.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_devices.h"
#include "storage/matrix.h"
#include "storage/texture.h"
#include "test_support.h"

namespace vx {
namespace {

// A 40 x 20 TGA: left half red, right half green.
std::string TwoColourTga() {
  std::string tga = test::MakeTga(40, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) {
      char* p = &tga[18 + 4 * (y * 40 + x)];
      p[0] = 0;                       // blue
      p[1] = x < 20 ? 0 : char(255);  // green
      p[2] = x < 20 ? char(255) : 0;  // red
      p[3] = char(255);               // alpha
    }
  return tga;
}

struct Vec {
  float x, y, z;
};
Vec Cross(Vec a, Vec b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A cube of half-side h as a text X file: four corners per face, wound clockwise as seen
// from outside, with face normals and texture coordinates.
std::string CubeXFile(float h) {
  const Vec kFaces[6][2] = {{{0, 0, -1}, {0, 1, 0}}, {{0, 0, 1}, {0, 1, 0}},
                            {{-1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}, {0, 1, 0}},
                            {{0, 1, 0}, {0, 0, 1}},  {{0, -1, 0}, {0, 0, -1}}};
  std::string positions, normals, uvs, faces;
  char line[160];
  for (int f = 0; f < 6; ++f) {
    const Vec n = kFaces[f][0], up = kFaces[f][1];
    const Vec right = Cross(n, up);
    const float su[4] = {-1, -1, 1, 1}, sv[4] = {-1, 1, 1, -1};
    for (int k = 0; k < 4; ++k) {
      const char* end = (f == 5 && k == 3) ? ";;\n" : ";,\n";
      std::snprintf(line, sizeof line, "%f;%f;%f%s", h * (n.x + su[k] * right.x + sv[k] * up.x),
                    h * (n.y + su[k] * right.y + sv[k] * up.y),
                    h * (n.z + su[k] * right.z + sv[k] * up.z), end);
      positions += line;
      std::snprintf(line, sizeof line, "%f;%f;%f%s", n.x, n.y, n.z, end);
      normals += line;
      std::snprintf(line, sizeof line, "%f;%f%s", (su[k] + 1) / 2, (1 - sv[k]) / 2, end);
      uvs += line;
    }
    for (int t = 0; t < 2; ++t) {
      const int b = 4 * f;
      const char* end = (f == 5 && t == 1) ? ";;\n" : ";,\n";
      std::snprintf(line, sizeof line, "3;%d,%d,%d%s", b, b + 1 + t, b + 2 + t, end);
      faces += line;
    }
  }
  return "xof 0303txt 0032\nMesh cube {\n24;\n" + positions + "12;\n" + faces +
         "MeshNormals {\n24;\n" + normals + "12;\n" + faces + "}\nMeshTextureCoords {\n24;\n" +
         uvs + "}\n}\n";
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::InstallHeadless();  // dialogs and the rest recorded; the GPU is replaced below
    ASSERT_TRUE(window_.Create("Vexorbia render test", kSide, kSide)) << SDL_GetError();
    ASSERT_TRUE(gpu_.Create());
    platform::backend.gpu = &gpu_;
    platform::backend.window = &window_;
    float projection[16];
    MatrixPerspectiveFovLH(projection, 0.785398f, 1, 0.1f, 100);
    gpu_.SetProjection(projection);
    gpu_.SetLight(platform::Light{});
    gpu_.SetAmbient(0xFFCE3333u);
    gpu_.keepLastFrame = true;
  }
  void TearDown() override {
    ReleaseModels();
    textureStore = TextureStore{};
    gpu_.Destroy();
    window_.Destroy();
    platform::backend.gpu = nullptr;
    platform::backend.window = nullptr;
  }
  // The pixel at surface position (x, y) of the 512 x 512 surface, from the screenshot.
  std::uint32_t At(SDL_Surface* shot, float x, float y) {
    const int px = static_cast<int>(x * kSide / 512.0f), py = static_cast<int>(y * kSide / 512.0f);
    const auto* p = static_cast<const std::uint8_t*>(shot->pixels) + py * shot->pitch + px * 4;
    return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];  // 0xRRGGBB
  }

  // The window is larger than the surface: everything lands 1.5 times further out.
  static constexpr int kSide = 768;
  test::TempWorkDir dir_;
  platform::SdlWindow window_;
  platform::SdlGpu gpu_{&window_};
};

// A saved screenshot read back as RGBA bytes, or null when it cannot be read.
SDL_Surface* ReadShot(const std::string& path) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) return nullptr;
  SDL_Surface* shot = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(loaded);
  return shot;
}

bool Near(std::uint32_t rgb, std::uint32_t want, int tolerance) {
  for (int s = 0; s < 24; s += 8) {
    int a = static_cast<int>((rgb >> s) & 0xFF), b = static_cast<int>((want >> s) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

TEST_F(RenderTest, RotatedRectangleAndLitCubeLandWhereTheTransformsSay) {
  test::WriteArchive("_data.loc", {{"img\\white.tga", test::MakeTga(16, 16)},
                                   {"img\\two.tga", TwoColourTga()},
                                   {"xfile\\cube.x", CubeXFile(0.75f)}});
  Texture* white = nullptr;
  Texture* two = nullptr;
  ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\white.tga", &white), 0);
  ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\two.tga", &two), 0);
  game3d_LoadChr("xfile\\cube.x", "img\\white.tga", 0);
  ASSERT_TRUE(models.slots[0].loaded);
  // Turned 45 degrees about the vertical axis, below the surface centre: one side faces the
  // light (direction (1, 0, 1)), the other is edge-on to it.
  models.slots[0].rotation[0] = 45;
  models.slots[0].position[1] = -0.8f;

  gpu_.BeginFrame();
  gpu_.BeginSprites();
  // Grey background over the whole surface (16 x 16 texels scaled by 32).
  DrawTexture(white, nullptr, 32, 32, 0, 0, 0, 0, 0, 0xFF808080u);
  // 40 x 20 scaled by 2 about its top-left at (200, 100), then turned 90 degrees clockwise
  // about its centre (40, 20): it covers x 220..260, y 80..160, red on top.
  DrawTexture(two, nullptr, 2, 2, 40, 20, 1.5707963f, 200, 100, 0xFFFFFFFFu);
  // Half-transparent white over the grey: 0.5 x 255 + 0.5 x 128.
  DrawTexture(white, nullptr, 2, 2, 0, 0, 0, 20, 20, 0x80FFFFFFu);
  DrawTexture(white, nullptr, 1, 1, 0, 0, 0, 60, 20, 0xFFFF0000u);  // tinted red
  gpu_.EndSprites();
  EXPECT_EQ(gpu_.lastSpriteDrawCalls, 3);  // one per run of one texture
  RequestModelDraw(0);
  DrawModels();
  gpu_.Present();

  const std::string path = dir_.path() + "/shot.png";
  ASSERT_TRUE(gpu_.SaveScreenshot(path.c_str()));
  SDL_Surface* shot = ReadShot(path);
  ASSERT_NE(shot, nullptr) << IMG_GetError();
  EXPECT_EQ(shot->w, kSide);
  EXPECT_EQ(shot->h, kSide);

  const struct {
    const char* what;
    float x, y;
    std::uint32_t rgb;
    int tolerance;
  } kPixels[] = {
      {"background", 100, 300, 0x808080, 2},
      {"rectangle, red half on top", 240, 90, 0xFF0000, 2},
      {"rectangle, green half below", 240, 150, 0x00FF00, 2},
      {"left of the turned rectangle", 214, 120, 0x808080, 2},
      {"right of the turned rectangle", 266, 120, 0x808080, 2},
      {"above the turned rectangle", 240, 74, 0x808080, 2},
      {"half-transparent square", 30, 30, 0xBFBFBF, 3},
      {"tinted square", 68, 28, 0xFF0000, 2},
      {"cube side facing the light", 200, 356, 0xFFFFFF, 8},
      // Lit only by the ambient colour, through the material's ambient (its white diffuse).
      {"cube side turned from the light", 312, 356, 0xCE3333, 8},
  };
  for (const auto& p : kPixels) {
    std::uint32_t got = At(shot, p.x, p.y);
    EXPECT_TRUE(Near(got, p.rgb, p.tolerance))
        << p.what << ": got " << std::hex << got << " want " << p.rgb;
  }
  SDL_FreeSurface(shot);
  ReleaseTexture(white);
  ReleaseTexture(two);
}

// A sheet replaced in its slot while sprites cut from it wait in the batch (a change of
// state between two screens that share a layer slot): the waiting sprites still show the
// old sheet, not the new one that may be given the freed texture name.
TEST_F(RenderTest, ASheetReplacedInTheFrameStillDrawsWhatWasQueuedFromIt) {
  auto plain = [](char red, char green) {
    std::string tga = test::MakeTga(16, 16);
    for (int i = 0; i < 16 * 16; ++i) {
      char* p = &tga[18 + 4 * i];
      p[0] = 0;
      p[1] = green;
      p[2] = red;
      p[3] = char(255);
    }
    return tga;
  };
  test::WriteArchive("_data.loc", {{"img\\red.tga", plain(char(255), 0)},
                                   {"img\\green.tga", plain(0, char(255))}});
  Texture* slot = nullptr;
  ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\red.tga", &slot), 0);
  gpu_.BeginFrame();
  gpu_.BeginSprites();
  DrawTexture(slot, nullptr, 8, 8, 0, 0, 0, 0, 0, 0xFFFFFFFFu);  // x, y 0..128
  ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\green.tga", &slot), 0);
  DrawTexture(slot, nullptr, 8, 8, 0, 0, 0, 256, 256, 0xFFFFFFFFu);  // x, y 256..384
  gpu_.EndSprites();
  gpu_.Present();

  const std::string path = dir_.path() + "/replaced.png";
  ASSERT_TRUE(gpu_.SaveScreenshot(path.c_str()));
  SDL_Surface* shot = ReadShot(path);
  ASSERT_NE(shot, nullptr) << IMG_GetError();
  EXPECT_TRUE(Near(At(shot, 64, 64), 0xFF0000, 2)) << std::hex << At(shot, 64, 64);
  EXPECT_TRUE(Near(At(shot, 320, 320), 0x00FF00, 2)) << std::hex << At(shot, 320, 320);
  SDL_FreeSurface(shot);
  ReleaseTexture(slot);
}

// On a surface that is not square (a full screen), the picture fills the largest centred
// square at the full pixel size and the bars beside it stay black.
TEST(RenderAreaTest, TheSurfaceFillsTheLargestCentredSquare) {
  test::InstallHeadless();
  test::TempWorkDir dir;
  test::WriteArchive("_data.loc", {{"img\\white.tga", test::MakeTga(16, 16)}});
  const struct {
    int width, height;
    int left, top, side;  // where the square must stand
  } kSurfaces[] = {{768, 512, 128, 0, 512}, {400, 700, 0, 150, 400}};
  for (const auto& c : kSurfaces) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    platform::SdlWindow window;
    ASSERT_TRUE(window.Create("Vexorbia area test", c.width, c.height)) << SDL_GetError();
    platform::SdlGpu gpu(&window);
    ASSERT_TRUE(gpu.Create());
    platform::backend.gpu = &gpu;
    gpu.keepLastFrame = true;
    Texture* white = nullptr;
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\white.tga", &white), 0);
    gpu.BeginFrame();
    gpu.BeginSprites();
    DrawTexture(white, nullptr, 32, 32, 0, 0, 0, 0, 0, 0xFFFFFFFFu);  // the whole 512 x 512
    gpu.EndSprites();
    gpu.Present();
    const std::string path = dir.path() + "/area.png";
    ASSERT_TRUE(gpu.SaveScreenshot(path.c_str()));
    SDL_Surface* shot = ReadShot(path);
    ASSERT_NE(shot, nullptr) << IMG_GetError();
    ASSERT_EQ(shot->w, c.width);
    ASSERT_EQ(shot->h, c.height);
    auto lit = [&](int x, int y) {
      const auto* p = static_cast<const std::uint8_t*>(shot->pixels) + y * shot->pitch + x * 4;
      return p[0] > 200 && p[1] > 200 && p[2] > 200;
    };
    const int right = c.left + c.side - 1, bottom = c.top + c.side - 1;
    for (int y : {c.top, c.top + c.side / 2, bottom})
      for (int x : {c.left, c.left + c.side / 2, right}) EXPECT_TRUE(lit(x, y)) << x << "," << y;
    if (c.left > 0) {
      EXPECT_FALSE(lit(c.left - 1, c.height / 2));
      EXPECT_FALSE(lit(right + 1, c.height / 2));
    }
    if (c.top > 0) {
      EXPECT_FALSE(lit(c.width / 2, c.top - 1));
      EXPECT_FALSE(lit(c.width / 2, bottom + 1));
    }
    SDL_FreeSurface(shot);
    ReleaseTexture(white);
    textureStore = TextureStore{};
    gpu.Destroy();
    window.Destroy();
    platform::backend.gpu = nullptr;
  }
}

}  // namespace
}  // namespace vx
