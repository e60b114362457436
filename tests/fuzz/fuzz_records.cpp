// Fuzzes the player-file readers: any bytes as "times.txt", "settings.txt" or "saved0.txt"
// are read without harm, and whatever was read is written and read back unchanged.
#include <cstdint>
#include <cstring>

#include "app/main_loop.h"
#include "core/game_state.h"
#include "fuzz_files.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "persist/settings.h"
#include "screens/stage_info.h"
#include "screens/world_select.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vx::fuzz::EnterScratchDirectory("records");
  vx::flow = vx::GameFlow{};
  vx::app = vx::AppState{};
  vx::bestTimes = vx::BestTimes{};
  vx::settings = vx::Volumes{};
  vx::player = vx::PlayerState{};
  vx::worldSelect = vx::WorldSelectState{};
  vx::ComputeFitSize(1280, 1024);

  vx::fuzz::WriteBytes("times.txt", data, size);
  vx::fuzz::WriteBytes("settings.txt", data, size);
  vx::fuzz::WriteBytes("saved0.txt", data, size);
  vx::ReadBestTimes();
  vx::ReadSettings();
  vx::PeekSavedGame();
  vx::ReadSavedGame(true);
  if (vx::volumes.effectsVolume < -10000 || vx::volumes.effectsVolume > 0) __builtin_trap();

  // Round trips: every value read is written and read back unchanged.
  const vx::BestTimes times = vx::bestTimes;
  vx::WriteBestTimes();
  vx::bestTimes = vx::BestTimes{};
  if (!vx::ReadBestTimes()) __builtin_trap();
  if (std::memcmp(times.bestWorldTime, vx::bestTimes.bestWorldTime, sizeof times.bestWorldTime) ||
      std::memcmp(times.lastWorldTime, vx::bestTimes.lastWorldTime, sizeof times.lastWorldTime))
    __builtin_trap();

  const vx::AppState window = vx::app;
  const int music = vx::volumes.musicPercent;
  const int effects = vx::volumes.effectsPercent;
  vx::WriteSettings();
  vx::settings = vx::Volumes{};
  if (!vx::ReadSettings()) __builtin_trap();
  if (std::memcmp(window.requestedWindowSize, vx::app.requestedWindowSize,
                  sizeof window.requestedWindowSize) ||
      std::memcmp(window.requestedWindowPos, vx::app.requestedWindowPos,
                  sizeof window.requestedWindowPos) ||
      music != vx::volumes.musicPercent || effects != vx::volumes.effectsPercent)
    __builtin_trap();

  const int stage = vx::flow.stageNumber;
  const int tries = vx::player.tries;
  const vx::BestTimes saved = vx::bestTimes;
  vx::WriteSavedGame();
  vx::bestTimes = vx::BestTimes{};
  if (vx::ReadSavedGame(true) != stage || vx::flow.stageNumber != stage ||
      vx::player.tries != tries ||
      std::memcmp(saved.stageTimes, vx::bestTimes.stageTimes, sizeof saved.stageTimes))
    __builtin_trap();
  return 0;
}
