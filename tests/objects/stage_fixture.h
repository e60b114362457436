// Fixture for the stage start and field drawing tests: headless backends in a temporary
// working directory, and the archives and stage files a stage is built from. Every picture
// has a width of its own, so a texture tells which member it came from.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "../audio/wav_bytes.h"
#include "core/app_values.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "gfx_fixtures.h"
#include "objects/stage_start.h"
#include "storage/texture.h"
#include "test_support.h"

namespace vx::test {

using Members = std::vector<std::pair<std::string, std::string>>;

// A JPEG header up to its frame: enough for the texture loader to know size and format.
inline std::string JpegHeader(int w, int h) {
  std::string j = "\xFF\xD8";
  j += std::string("\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 18);
  j += std::string("\xFF\xC0\x00\x11\x08", 5);
  j.push_back(static_cast<char>(h >> 8));
  j.push_back(static_cast<char>(h & 0xFF));
  j.push_back(static_cast<char>(w >> 8));
  j.push_back(static_cast<char>(w & 0xFF));
  j += std::string(10, '\x01');
  return j;
}

// Widths that name the pictures of the stage start.
inline constexpr int kSkyWidth = 512;
inline constexpr int kPusherWidth = 511;
inline int BackgroundWidth(int world) {
  return 400 + world;
}
inline int BallWidth(int world) {
  return 300 + world;
}

inline std::string Background(int world) {
  return MakeTga(BackgroundWidth(world), 2);
}
inline std::string Balls(int world) {
  return MakeTga(BallWidth(world), 2);
}

// The basic data archive: sky, pusher, and a background and ball picture for every world.
inline Members StageData() {
  Members m = {{"img\\sky.jpg", JpegHeader(kSkyWidth, 512)},
               {"img\\pusher.tga", MakeTga(kPusherWidth, 2)}};
  for (int w = 1; w <= 5; ++w) {
    m.push_back({"pho\\bkg" + std::to_string(w) + ".tga", Background(w)});
    m.push_back({"img\\ball" + std::to_string(w) + ".tga", Balls(w)});
  }
  return m;
}

inline Members Without(Members members, const std::string& name) {
  std::erase_if(members, [&](const auto& m) { return m.first == name; });
  return members;
}

// Stage file n as plain text (the loader takes an unsealed file as it stands).
inline void WriteStageFile(int n, const std::string& text) {
  WriteFile("edit/stage" + std::to_string(n) + ".txt", text);
}

class StageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &InstallHeadless();
    app.startupDone = true;
    KeyboardSetup();
    MouseSetup();
    WriteArchive("_data.loc", StageData());
  }

  // The width of the picture a slot holds, 0 for none.
  static int WidthOf(const Texture* t) { return t ? t->width : 0; }

  TempWorkDir dir_;
  HeadlessRig* rig_ = nullptr;
};

}  // namespace vx::test
