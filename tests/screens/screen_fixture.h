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
#include "draw/sprite.h"
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

// The pictures of the screens after the title, each with its own width.
inline Members ScreenImages() {
  return {
      {"img\\levelscrn.tga", MakeTga(600, 4)},        {"img\\optionscrn.tga", MakeTga(601, 4)},
      {"img\\playinfochrset.tga", MakeTga(602, 4)},   {"img\\escscreen.tga", MakeTga(603, 4)},
      {"img\\retrychrset.tga", MakeTga(604, 4)},      {"img\\stagestime.tga", MakeTga(605, 4)},
      {"img\\stagestimechrset.tga", MakeTga(606, 4)}, {"img\\savegame.tga", MakeTga(607, 4)},
      {"img\\finishscene.tga", MakeTga(608, 4)},      {"img\\finishtext.tga", MakeTga(609, 4)},
      {"img\\starfield.tga", MakeTga(610, 4)},
  };
}

inline Members Join(Members a, const Members& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
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

  // The screens' effects: confirm, selection change, bounce, retry and leaving play.
  void LoadScreenSounds() {
    WriteArchive("_sfx.loc", {{"son\\ok.wav", Wav(SamplesFor(1))},
                              {"son\\chgselection.wav", Wav(SamplesFor(2))},
                              {"son\\bounce.wav", Wav(SamplesFor(3))},
                              {"son\\retry.wav", Wav(SamplesFor(4))},
                              {"son\\exitplay.wav", Wav(SamplesFor(5))}});
    ASSERT_TRUE(CreateSoundSystem());
    LoadEffectList();
    for (int slot : {sfx.ok, sfx.chgSelection, sfx.bounce, sfx.retry, sfx.exitPlay})
      ASSERT_GE(slot, 0);
  }

  // The boot's images and the screens' pictures in "_data.loc", the shared character sheet
  // in its slot.
  void LoadScreenImages() {
    WriteArchive("_data.loc", Join(BootMembers(), ScreenImages()));
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\chrset1.tga", &sprites.sheets[1]), 0);
  }

  void Key(int code, bool down) { rig_->keyboard.keys[code] = down ? 0x80 : 0; }
  // A key down for one frame and up in the next.
  void Press(int code, float step = 1) {
    Key(code, true);
    Frame(step);
    Key(code, false);
    Frame(step);
  }
  void PointAt(int x, int y) {
    mouse.pointerX = x;
    mouse.pointerY = y;
  }
  // The left button down for one frame and up in the next.
  void Click(float step = 1) {
    rig_->mouse.left = true;
    Frame(step);
    rig_->mouse.left = false;
    Frame(step);
  }

  // This frame's draws of the shared character sheet's rectangle (left, top, right, bottom).
  std::vector<platform::SpriteDraw> SheetDraws(int left, int top, int right, int bottom) const {
    std::vector<platform::SpriteDraw> found;
    for (const auto& d : rig_->gpu.sprites)
      if (sprites.sheets[1] && d.texture == sprites.sheets[1]->gpuId && d.left == left &&
          d.top == top && d.right == right && d.bottom == bottom)
        found.push_back(d);
    return found;
  }
  // This frame's draws of a texture.
  std::vector<platform::SpriteDraw> DrawsOf(const Texture* texture) const {
    std::vector<platform::SpriteDraw> found;
    for (const auto& d : rig_->gpu.sprites)
      if (texture && d.texture == texture->gpuId) found.push_back(d);
    return found;
  }
  // This frame's digit and time-separator glyphs of the shared sheet whose top-left lies in
  // the surface box [left, right) x [top, bottom).
  int GlyphsIn(float left, float right, float top, float bottom) const {
    int n = 0;
    for (const auto& d : rig_->gpu.sprites)
      if (sprites.sheets[1] && d.texture == sprites.sheets[1]->gpuId && d.top == 0 &&
          d.bottom == 24 && d.left >= 160 && d.x >= left && d.x < right && d.y >= top &&
          d.y < bottom)
        ++n;
    return n;
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
