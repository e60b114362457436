// A small field to test against: headless backends, every module reset, 50-unit cells.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
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
    for (int* id : {&sfx.bounce, &sfx.fall3, &sfx.fall5, &sfx.fallMany, &sfx.linked3,
                    &sfx.linkedMany, &sfx.wheelClick, &sfx.bombFall, &sfx.laser1, &sfx.explosion,
                    &sfx.fireWorld[0], &sfx.landedWorld[0]}) {
      *id = slot;
      soundSystem.loaded[slot] = true;
      ++slot;
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
