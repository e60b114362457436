// The sound as SDL2_mixer sees it: every piece opens as MP3 and lasts exactly its rendered loop,
// so looping it repeats the loop with no gap for the encoder's delay and padding; every effect
// opens as a WAV chunk of its full length.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "archive_members.h"
#include "audio/wav_reader.h"
#include "common/music_titles.h"
#include "render.h"
#include "score.h"

namespace {

using vx::content_test::Archive;
using vx::content_test::ReadArchive;

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
  Archive pieces = ReadArchive(std::string(VX_GAME_DIR) + "/_mp.loc");
  for (size_t i = 0; i < scores.size(); ++i) {
    const char* member = vx::assetgen::kMusicPieces[i].member;
    SCOPED_TRACE(member);
    const std::string& bytes = pieces[member];
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

TEST_F(MixerTest, EveryEffectLoadsAsAChunkOfItsOwnLength) {
  // Each effect must open through SDL2_mixer's WAV loader and keep its length: the device is
  // 44.1 kHz 16-bit stereo, so every mono 16-bit sample becomes 4 bytes.
  const Archive effects = ReadArchive(std::string(VX_GAME_DIR) + "/_sfx.loc");
  ASSERT_FALSE(effects.empty());
  for (const auto& [name, bytes] : effects) {
    SCOPED_TRACE(name);
    vx::WavFile wav;
    ASSERT_EQ(vx::ReadWav(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &wav),
              vx::WavResult::Ok);
    Mix_Chunk* chunk =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
    ASSERT_NE(chunk, nullptr) << Mix_GetError();
    EXPECT_EQ(chunk->alen, wav.size * 2);
    Mix_FreeChunk(chunk);
  }
}

}  // namespace
