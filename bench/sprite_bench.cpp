// The sprite batch at a full play frame: 10 000 sprites cut from the character sheet,
// scaled, turned and tinted, batched and submitted on the headless backend; and the corner
// arithmetic the GL batch does for each of them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "draw/sprite.h"
#include "platform/headless/headless_gpu.h"
#include "platform/platform.h"
#include "platform/sprite_quad.h"
#include "storage/texture.h"

namespace {

constexpr int kSprites = 10000;

// A 512 x 512 character sheet in sheet slot 1, loaded the way the game loads it.
void LoadSheet() {
  std::string path = (std::filesystem::temp_directory_path() / "vx_bench_sprites.loc").string();
  std::string tga(18, '\0');
  tga[2] = 2;
  tga[13] = 2;  // width 512
  tga[15] = 2;  // height 512
  tga[16] = 32;
  tga[17] = 0x28;
  tga.append(512 * 512 * 4, '\xff');
  {
    std::ofstream out(path, std::ios::binary);
    out << "img\\chrset1.tga;" << tga.size() << ';' << tga;
  }
  vx::LoadArchiveTexture(path.c_str(), "img\\chrset1.tga", &vx::sprites.sheets[1]);
}

void BM_SpriteBatch10k(benchmark::State& state) {
  static vx::platform::HeadlessGpu gpu;
  vx::platform::backend.gpu = &gpu;
  LoadSheet();
  for (auto _ : state) {
    gpu.BeginFrame();
    gpu.BeginSprites();
    for (int i = 0; i < kSprites; ++i) {
      const float x = static_cast<float>(i % 100) * 5.0f, y = static_cast<float>(i / 100) * 5.0f;
      vx::DrawSprite(x, y, 130 + (i % 7) * 50, 260, 180 + (i % 7) * 50, 310, 100.0f, 0, 0.5f, 0.5f,
                     1, static_cast<float>(i % 360));
    }
    gpu.EndSprites();
    gpu.Present();
    benchmark::DoNotOptimize(gpu.sprites.data());
  }
  state.SetItemsProcessed(state.iterations() * kSprites);
  vx::ClearSpriteSheets();
  vx::platform::backend.gpu = nullptr;
}
BENCHMARK(BM_SpriteBatch10k)->Unit(benchmark::kMicrosecond);

// What the GL batch adds per sprite: the four turned corners, texture coordinates, colour
// and sampling bounds of each quad written into the vertex array.
void BM_SpriteVertices10k(benchmark::State& state) {
  std::vector<vx::platform::SpriteDraw> draws(kSprites);
  for (int i = 0; i < kSprites; ++i) {
    vx::platform::SpriteDraw& s = draws[i];
    s.left = 130.0f + static_cast<float>(i % 7) * 50.0f;
    s.right = s.left + 50.0f;
    s.top = 260;
    s.bottom = 310;
    s.scaleX = s.scaleY = 0.5f;
    s.centreX = s.centreY = 12.5f;
    s.angle = static_cast<float>(i % 360) * 0.017453292f;
    s.x = static_cast<float>(i % 100) * 5.0f;
    s.y = static_cast<float>(i / 100) * 5.0f;
  }
  std::vector<vx::platform::SpriteVertex> vertices;
  vertices.reserve(4 * kSprites);
  for (auto _ : state) {
    vertices.clear();
    for (const vx::platform::SpriteDraw& s : draws) {
      vx::platform::SpriteVertex quad[4];
      vx::platform::SpriteQuad(s, 512, 512, quad);
      vertices.insert(vertices.end(), quad, quad + 4);
    }
    benchmark::DoNotOptimize(vertices.data());
  }
  state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_SpriteVertices10k)->Unit(benchmark::kMicrosecond);

}  // namespace
