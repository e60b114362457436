// The music as SDL2_mixer sees it: every piece opens as MP3 and lasts exactly its rendered loop,
// so looping it repeats the loop with no gap for the encoder's delay and padding.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "common/music_titles.h"
#include "render.h"
#include "score.h"

namespace {

// The member's bytes from _mp.loc (records of name ';' size ';' data).
std::string Member(const std::string& archive, const std::string& name) {
  std::ifstream in(archive, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string b = ss.str();
  size_t pos = 0;
  while (pos < b.size()) {
    std::string fields[2];
    for (std::string& f : fields) {
      while (pos < b.size() && b[pos] != ';') {
        if (static_cast<unsigned char>(b[pos]) >= 14) f.push_back(b[pos]);
        ++pos;
      }
      ++pos;
    }
    const size_t size = static_cast<size_t>(std::atol(fields[1].c_str()));
    if (fields[0] == name) return b.substr(pos, size);
    if (fields[0].empty()) break;
    pos += size;
  }
  return {};
}

class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  }
  void TearDown() override {
    Mix_CloseAudio();
    SDL_Quit();
  }
};

TEST_F(MixerTest, EveryPieceLastsExactlyItsLoop) {
  const auto scores = vx::assetgen::sound::ComposeAll();
  for (size_t i = 0; i < scores.size(); ++i) {
    const char* member = vx::assetgen::kMusicPieces[i].member;
    SCOPED_TRACE(member);
    const std::string bytes = Member(std::string(VX_GAME_DIR) + "/_mp.loc", member);
    ASSERT_FALSE(bytes.empty());
    Mix_Music* music = Mix_LoadMUSType_RW(
        SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), MUS_MP3, 1);
    ASSERT_NE(music, nullptr) << Mix_GetError();
    const double expected =
        static_cast<double>(vx::assetgen::sound::LoopFrames(scores[i])) / 44100.0;
    // One MP3 frame of padding or delay would add 26 ms; allow well under that.
    EXPECT_NEAR(Mix_MusicDuration(music), expected, 0.002);
    Mix_FreeMusic(music);
  }
}

}  // namespace
