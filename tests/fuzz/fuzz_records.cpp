// Fuzzes the player-file readers: any bytes as "times.txt", "settings.txt" or "saved0.txt"
// are read without harm, and whatever was read is written and read back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_loop.h"
#include "core/game_state.h"
#include "fuzz_files.h"
#include "persist/best_times.h"
#include "persist/player_file.h"
#include "persist/saved_games.h"
#include "persist/settings.h"
#include "screens/stage_info.h"
#include "screens/world_select.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vx::fuzz::UseMemoryFiles();
  vx::flow = vx::GameFlow{};
  vx::app = vx::AppState{};
  vx::bestTimes = vx::BestTimes{};
  vx::volumes = vx::Volumes{};
  vx::player = vx::PlayerState{};
  vx::worldSelect = vx::WorldSelectState{};
  vx::ComputeFitSize(1280, 1024);

  const std::string input(reinterpret_cast<const char*>(data), size);
  vx::fuzz::WriteBytes("times.txt", data, size);
  vx::fuzz::WriteBytes("settings.txt", data, size);
  vx::fuzz::WriteBytes("saved0.txt", data, size);
  vx::PlayerFileState state;
  if (std::FILE* file = vx::OpenPlayerFile("times.txt", &state)) std::fclose(file);
  const bool damaged = state == vx::PlayerFileState::Damaged;

  // A reader that finds no complete record changes nothing.
  const vx::BestTimes defaults = vx::bestTimes;
  if (!vx::ReadBestTimes() && (std::memcmp(defaults.bestWorldTime, vx::bestTimes.bestWorldTime,
                                           sizeof defaults.bestWorldTime) ||
                               std::memcmp(defaults.lastWorldTime, vx::bestTimes.lastWorldTime,
                                           sizeof defaults.lastWorldTime)))
    __builtin_trap();
  vx::ReadSettings();
  vx::PeekSavedGame();
  vx::ReadSavedGame(true);
  if (vx::volumes.effectsVolume < -10000 || vx::volumes.effectsVolume > 0) __builtin_trap();
  // Whatever was read is something the game can show and count with.
  const int size0 = vx::app.requestedWindowSize[0];
  if (size0 < 151 || size0 > 1024 || vx::app.requestedWindowPos[0] < 0 ||
      vx::app.requestedWindowPos[0] + size0 > 1280 || vx::app.requestedWindowPos[1] < 0 ||
      vx::app.requestedWindowPos[1] + size0 > 1024 || vx::player.tries < 0 ||
      vx::player.tries > 9 || vx::flow.stageNumber < 0 ||
      vx::flow.stageNumber >= 5 * vx::flow.stagesPerWorld)
    __builtin_trap();

  // Round trips: every value read is written and read back unchanged; a damaged file's bytes
  // are kept beside it first.
  const vx::BestTimes times = vx::bestTimes;
  vx::WriteBestTimes();
  if (damaged && vx::fuzz::ReadBytes("times.txt.damaged") != input) __builtin_trap();
  vx::bestTimes = vx::BestTimes{};
  if (!vx::ReadBestTimes()) __builtin_trap();
  if (std::memcmp(times.bestWorldTime, vx::bestTimes.bestWorldTime, sizeof times.bestWorldTime) ||
      std::memcmp(times.lastWorldTime, vx::bestTimes.lastWorldTime, sizeof times.lastWorldTime))
    __builtin_trap();

  const vx::AppState window = vx::app;
  const int music = vx::volumes.musicPercent;
  const int effects = vx::volumes.effectsPercent;
  vx::WriteSettings();
  vx::volumes = vx::Volumes{};
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
