// The field objects on the headless backends: 50-unit cells, the game in play, every effect
// and picture in a slot of its own so the recorded plays and draws tell them apart.
#pragma once
#include <gtest/gtest.h>

#include <vector>

#include "../field/field_fixture.h"
#include "audio/sound.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "field/next_ball_queue.h"
#include "objects/object_update.h"
#include "storage/texture.h"

namespace vx::test {

class ObjectsTest : public FieldTest {
 protected:
  // Texture ids of the fake pictures.
  enum : unsigned {
    kBalls = 11,
    kCharacters = 22,
    kGems0 = 33,
    kGems1 = 44,
    kExplosion1 = 101,  // 101..108: explosion images 1..8
  };

  void SetUp() override {
    FieldTest::SetUp();
    cellImages.stageBalls = &balls_;
    sprites.sheets[kCharacterSheet] = &characters_;
    sprites.sheets[2] = &gems0_;
    sprites.sheets[3] = &gems1_;
    for (int f = 0; f < 8; ++f) {
      explosions_[f] = Texture{kExplosion1 + f, 64, 64, 1, {}};
      objectUpdate.explosionImages[f] = &explosions_[f];
    }
    frameClock.frameStep = 1.0f;
    // Every effect in a slot of its own.
    int slot = 0;
    for (int* id : AllSounds()) {
      *id = slot;
      soundSystem.loaded[slot] = true;
      rig_->sound.data[slot].assign(4, 0);  // something to play, so a played slot sounds
      ++slot;
    }
    rig_->sound.events.clear();
  }

  static std::vector<int*> AllSounds() {
    SoundEffects& s = sfx;
    std::vector<int*> all = {
        &s.bounce,     &s.fall3,        &s.fall5,           &s.fallMany,   &s.linked3,
        &s.linkedMany, &s.wheelClick,   &s.bombFall,        &s.laser1,     &s.explosion,
        &s.break1,     &s.pushDown,     &s.groundShake,     &s.shotFx,     &s.shotGhost,
        &s.fxPlanted,  &s.fxGrow,       &s.goodFxPlanted,   &s.bombLanded, &s.invasion,
        &s.gameOver,   &s.chgSelection, &s.invasionWarning,
    };
    for (int w = 0; w < kWorldSoundCount; ++w) {
      all.push_back(&s.fireWorld[w]);
      all.push_back(&s.landedWorld[w]);
    }
    return all;
  }

  std::vector<platform::SpriteDraw>& Drawn() { return rig_->gpu.sprites; }

  // The cell frame of the character sheet a draw shows, or -1 for another picture.
  static int CharacterCode(const platform::SpriteDraw& d) {
    if (d.texture != kCharacters || d.right - d.left != 50 || d.bottom - d.top != 50) return -1;
    int col = static_cast<int>(d.left - 130) / 50, row = static_cast<int>(d.top - 260) / 50;
    if (d.left < 130 || d.top < 260 || col > 6) return -1;
    return row * 7 + col;
  }
  // The codes of the character sheet's cell frames drawn since the last clear, in order.
  std::vector<int> CharacterCodes() {
    std::vector<int> codes;
    for (const auto& d : Drawn()) {
      int c = CharacterCode(d);
      if (c >= 0) codes.push_back(c);
    }
    return codes;
  }

  // One frame of the object update as the play frame runs it: the frame counters move on.
  void Frame() {
    UpdateObjects();
    flow.firstPlayFrame = false;
    ++flow.playFrameCounter;
  }

  Texture balls_{kBalls, 256, 256, 1};
  Texture characters_{kCharacters, 512, 512, 1};
  Texture gems0_{kGems0, 512, 512, 1};
  Texture gems1_{kGems1, 512, 512, 1};
  Texture explosions_[8];
};

}  // namespace vx::test
