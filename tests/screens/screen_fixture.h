// Fixture for the screen tests: headless backends in a temporary working directory, the
// keyboard and mouse devices up, and helpers to build the archives the screens read.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../audio/wav_bytes.h"
#include "app/dispatcher.h"
#include "app/main_loop.h"
#include "audio/sound.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "gfx_fixtures.h"
#include "storage/texture.h"
#include "test_support.h"

namespace vx::test {

using Members = std::vector<std::pair<std::string, std::string>>;

// Every image and model the boot and the title load, each picture with its own width so
// the order of loading shows in the GPU's texture list.
inline Members BootMembers() {
  return {
      {"img\\chrset1.tga", MakeTga(512, 8)},
      {"img\\gemset0.tga", MakeTga(500, 8)},
      {"img\\gemset1.tga", MakeTga(501, 8)},
      {"img\\logo.tga", MakeTga(256, 256)},
      {"img\\wheel.tga", MakeTga(502, 8)},
      {"img\\player1_0.tga", MakeTga(503, 8)},
      {"img\\player1_1.tga", MakeTga(504, 8)},
      {"img\\player1_2.tga", MakeTga(505, 8)},
      {"xfile\\logo.x", QuadXFile()},
      {"xfile\\music.x", QuadXFile()},
      {"xfile\\copyright.x", QuadXFile()},
      {"img\\txlogo.tga", MakeTga(506, 8)},
      {"img\\music.tga", MakeTga(507, 8)},
      {"img\\copyright.tga", MakeTga(508, 8)},
      {"img\\startscreenclouds.tga", MakeTga(512, 512)},
      {"img\\startscreenchrset.tga", MakeTga(509, 512)},
  };
}

inline Members Without(Members members, const std::string& name) {
  std::erase_if(members, [&](const auto& m) { return m.first == name; });
  return members;
}

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &InstallHeadless();
    app.startupDone = true;  // the explosion images are not these tests' business
    KeyboardSetup();
    MouseSetup();
  }

  // The two effects the title plays, in slots of their own.
  void LoadTitleSounds() {
    WriteArchive("_sfx.loc", {{"son\\ok.wav", Wav(SamplesFor(1))},
                              {"son\\chgselection.wav", Wav(SamplesFor(2))}});
    ASSERT_TRUE(CreateSoundSystem());
    LoadEffectList();
    ASSERT_GE(sfx.ok, 0);
    ASSERT_GE(sfx.chgSelection, 0);
  }

  // Times the effect in `slot` was started.
  int Plays(int slot) const {
    int n = 0;
    for (const auto& e : rig_->sound.Calls(platform::SoundCall::Play)) n += e.channel == slot;
    return n;
  }

  // One frame as the main loop runs it: a fresh draw list, the dispatcher, then the models
  // asked for. Returns the dispatcher's result.
  int Frame(float step = 3.333333f) {
    frameClock.frameStep = step;
    rig_->gpu.BeginFrame();
    const int result = DispatchGameState();
    DrawModels();
    return result;
  }

  TempWorkDir dir_;
  HeadlessRig* rig_ = nullptr;
};

}  // namespace vx::test
