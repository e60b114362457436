// A small field to test against: headless backends, every module reset, 50-unit cells.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "audio/sound.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/pusher.h"
#include "test_support.h"

namespace vx::test {

class FieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &InstallHeadless();
    KeyboardSetup();
    ResetFieldTables();
    shooter = ShooterState{};
    invasion = InvasionState{};
    SetCellSize(50, 50);
    flow.gameState = Play;
    flow.previousState = Play;
  }
  void TearDown() override { randomSource = RandomSource{}; }

  HeadlessRig* rig_ = nullptr;

  // Gives every effect the field plays a slot of its own, so recorded plays tell them apart.
  void LoadFieldSounds() {
    int slot = 0;
    auto give = [&](int* id) {
      *id = slot;
      soundSystem.loaded[slot] = true;
      ++slot;
    };
    for (int* id : {&sfx.bounce, &sfx.fall3, &sfx.fall5, &sfx.fallMany, &sfx.linked3,
                    &sfx.linkedMany, &sfx.wheelClick, &sfx.bombFall, &sfx.laser1, &sfx.explosion})
      give(id);
    for (int w = 0; w < kWorldSoundCount; ++w) {
      give(&sfx.fireWorld[w]);
      give(&sfx.landedWorld[w]);
    }
    rig_->sound.events.clear();
  }
  // The effects played since the last call, in order.
  std::vector<int> TakePlayed() {
    std::vector<int> played;
    for (const auto& e : rig_->sound.Calls(platform::SoundCall::Play)) played.push_back(e.channel);
    rig_->sound.events.clear();
    return played;
  }

  // A cell at grid column `col` of grid row `row` (odd rows shifted by half a cell).
  static int PlaceCell(int col, int row, int kind, int flags = CELL_PLACED) {
    const int w = geometry.cellWidth, h = geometry.cellHeight;
    float x = static_cast<float>(col * w + (row % 2 != 0 ? w / 2 : 0));
    float y = static_cast<float>(row * h) + geometry.ceilingOffset;
    return AppendCell(x, y, kind, flags, 0.0f);
  }
  // Turns the launcher to `degrees` with the ball resting on it, as the field drawing leaves
  // it before the shooter runs.
  static void TurnLauncher(float degrees) {
    shooter.aimAngle = degrees;
    shooter.lastClickTick = static_cast<int>(degrees) / 3;
    const FieldGeometry& g = geometry;
    float a = degrees * -0.0174533f;
    geometry.shotStartX =
        g.launcherWidth / 2 + g.launcherLeft + 30 * std::sin(a) - g.cellWidthF / 2;
    geometry.shotStartY = g.launcherHeight - g.launcherWidth / 2 + g.launcherTop +
                          30 * std::cos(a) - g.cellHeightF / 2;
  }
  static int FindCellAt(float x, float y) {
    for (int i = 0; i < cells.cellCount; ++i)
      if (cells.x[i] == x && cells.y[i] == y) return i;
    return -1;
  }
};

// A random field: cells mostly on the grid, some off it (a few outside the field), kinds
// 1..colours and specials, random flags, a few blocks and objects of every behaviour bit.
inline void RandomField(std::mt19937& rng, int cellsWanted, int colours) {
  auto uniform = [&](float lo, float hi) {
    return std::uniform_real_distribution<float>(lo, hi)(rng);
  };
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  const int sizes[] = {10, 20, 32, 50, 64};
  const int size = sizes[pick(5)];
  SetCellSize(size, size);
  geometry.ceilingOffset = pick(2) == 0 ? static_cast<float>(pick(200)) : 0.0f;
  const int flagChoices[] = {CELL_PLACED,
                             CELL_PLACED,
                             CELL_PLACED,
                             CELL_PLACED | CELL_BOMB,
                             0,
                             CELL_PLACED | CELL_BREAKING,
                             CELL_PLACED | CELL_UNSUPPORTED};
  for (int i = 0; i < cellsWanted; ++i) {
    float x, y;
    if (pick(8) == 0) {
      x = uniform(-80.0f, 1100.0f);
      y = uniform(-80.0f, 1100.0f);
    } else {
      GridPlace g = SnapToGrid(pick(1024), pick(1024));
      x = static_cast<float>(g.x);
      y = static_cast<float>(g.y);
    }
    const int kind = pick(6) == 0 ? 18 + pick(16) : 1 + pick(colours);
    AppendCell(x, y, kind, flagChoices[pick(7)], 0.0f);
  }
  for (int b = pick(30); b > 0; --b)
    AppendBlock(uniform(-20.0f, 1000.0f), uniform(0.0f, 900.0f), pick(10));
  for (int o = pick(300); o > 0; --o)
    AppendObject(uniform(-50.0f, 1050.0f), uniform(-50.0f, 1050.0f), 3, 1 << pick(14), 0.0f);
}

// A scripted random source: hands out the given values in turn, then repeats the last.
struct ScriptedRandom {
  static inline int values[64] = {};
  static inline int count = 0;
  static inline int next = 0;
  static int Next() {
    int v = values[next < count ? next : count - 1];
    if (next < count) ++next;
    return v;
  }
  static void Install(std::initializer_list<int> script) {
    count = 0;
    next = 0;
    for (int v : script) values[count++] = v;
    randomSource.next = &Next;
  }
};

}  // namespace vx::test
