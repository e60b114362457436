// The field drawing and the play displays at full tables: 5000 cells (half of them
// sparkling), 5000 blocks and 2000 objects, with the sky, background, gears, queue, launcher
// and player figure, submitted to the headless backend as one play frame draws them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "draw/shared_images.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "field/next_ball_queue.h"
#include "objects/field_drawing.h"
#include "objects/stage_start.h"
#include "platform/headless/headless_gpu.h"
#include "platform/platform.h"
#include "storage/texture.h"

namespace {

using vx::Texture;

std::string ScratchArchive() {
  std::string path = (std::filesystem::temp_directory_path() / "vx_bench_field.loc").string();
  std::string tga(18, '\0');
  tga[2] = 2;
  tga[12] = 8;  // 8 x 8
  tga[14] = 8;
  tga[16] = 32;
  tga[17] = 0x28;
  tga.append(8 * 8 * 4, '\xff');
  std::ofstream out(path, std::ios::binary);
  out << "p.tga;" << tga.size() << ';' << tga;
  return path;
}

void BM_DrawFieldFullTables(benchmark::State& state) {
  static vx::platform::HeadlessGpu gpu;
  vx::platform::backend.gpu = &gpu;
  const std::string archive = ScratchArchive();
  Texture** slots[] = {&vx::sprites.sheets[vx::kCharacterSheet],
                       &vx::sprites.sheets[2],
                       &vx::sprites.sheets[3],
                       &vx::stageStart.sky,
                       &vx::stageStart.background,
                       &vx::stageStart.pusher,
                       &vx::cellImages.stageBalls,
                       &vx::sharedImages.wheel,
                       &vx::sharedImages.playerFigures[0],
                       &vx::sharedImages.playerFigures[1],
                       &vx::sharedImages.playerFigures[2]};
  for (Texture** slot : slots) vx::LoadArchiveTexture(archive.c_str(), "p.tga", slot);

  vx::ResetFieldTables();
  vx::SetCellSize(20, 20);
  for (int i = 0; i < vx::kCellCapacity; ++i) {
    vx::AppendCell(static_cast<float>(i % 50) * 20, static_cast<float>(i / 50) * 8,
                   i % 3 ? 1 + i % 9 : 200 + i % 100, vx::CELL_PLACED, 0);
    vx::fieldDrawing.sparkle[i] = static_cast<std::uint8_t>(i % 2);
  }
  for (int i = 0; i < vx::kBlockCapacity; ++i)
    vx::AppendBlock(static_cast<float>(i % 50) * 20, static_cast<float>(i / 50) * 8, i % 35);
  for (int i = 0; i < vx::kSpawnObjectLimit; ++i)
    vx::AppendObject(static_cast<float>(i % 50) * 20, 500, i % 2 ? 12 : -3, vx::OBJECT_HIT_FLASH,
                     0);
  vx::flow.gameState = vx::Play;
  vx::flow.previousState = vx::Play;
  vx::frameClock.frameStep = 3.333333f;

  for (auto _ : state) {
    gpu.BeginFrame();
    vx::fieldDrawing.sparkleClock = 0;  // keep the marks: no new sparkle cycle starts
    vx::DrawField();
    vx::RemainingBallsPopup(2.5f, 0);
    vx::StageClock(0);
    vx::EnergyDisplay(100);
    benchmark::DoNotOptimize(gpu.sprites.data());
  }
  state.counters["sprites"] = static_cast<double>(gpu.sprites.size());
  for (Texture** slot : slots) {
    vx::ReleaseTexture(*slot);
    *slot = nullptr;
  }
  vx::ResetFieldTables();
  vx::platform::backend.gpu = nullptr;
}
BENCHMARK(BM_DrawFieldFullTables)->Unit(benchmark::kMicrosecond);

}  // namespace
