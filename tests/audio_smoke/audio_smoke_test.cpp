// The real mixer on SDL's dummy audio driver: an effect made here and a generated MP3
// load, play, restart and stop; on its disk driver, how a piece starts.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "core/game_state.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "storage/archive.h"
#include "test_support.h"
#include "wav_bytes.h"

namespace vx {
namespace {

// Half a second of a 440 Hz tone, 16-bit mono at 22050 Hz.
std::string Tone() {
  std::string samples;
  for (int i = 0; i < 11025; ++i)
    test::PutLe16(&samples, int(8000 * std::sin(2 * 3.14159265 * 440 * i / 22050.0)) & 0xffff);
  return samples;
}

class AudioSmoke : public ::testing::Test {
 protected:
  void SetUp() override {
    test::InstallHeadless();
    platform::backend.sound = &sound;
    platform::backend.music = &player;
    volumes = Volumes{};
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    ASSERT_TRUE(CreateSoundSystem()) << "SDL_AUDIODRIVER=" << (driver ? driver : "(unset)");
  }
  void TearDown() override { ShutdownSound(); }

  test::TempWorkDir dir;
  platform::SdlSoundDevice sound;
  platform::SdlMusicPlayer player;
};

TEST_F(AudioSmoke, EffectsLoadPlayRestartAndStop) {
  test::WriteFile("src/son/tone.wav", test::Wav(Tone()));
  test::WriteFile("src/son/stereo8.wav",
                  test::Wav(std::string(8000, '\x90'), {.channels = 2, .bits = 8}));
  test::WriteFile("src/son/float.wav", test::Wav(Tone(), {.tag = 3, .bits = 32}));
  std::string error;
  ASSERT_TRUE(PackArchive("_sfx.loc", "src", &error)) << error;

  int tone = LoadSound("son\\tone.wav", "_sfx.loc");
  int stereo = LoadSound("son\\stereo8.wav", "_sfx.loc");
  EXPECT_EQ(tone, 0);
  EXPECT_EQ(stereo, 1);
  EXPECT_EQ(LoadSound("son\\float.wav", "_sfx.loc"), -1);

  PlaySound(tone, 0, 0);
  PlaySound(stereo, 0, -10000);
  EXPECT_TRUE(IsSoundPlaying(tone));
  EXPECT_TRUE(IsSoundPlaying(stereo));
  EXPECT_EQ(Mix_Volume(tone, -1), 128);
  EXPECT_EQ(Mix_Volume(stereo, -1), 0);
  PlaySound(tone, 0, -600);
  EXPECT_TRUE(IsSoundPlaying(tone));
  EXPECT_EQ(Mix_Volume(tone, -1), 64);
  EXPECT_EQ(Mix_Playing(-1), 2) << "a restart does not overlap the effect with itself";
  StopSound(tone);
  EXPECT_FALSE(IsSoundPlaying(tone));

  // Replaced in place, and the effect runs to its end by itself (half a second).
  EXPECT_EQ(ReplaceSound("son\\tone.wav", "_sfx.loc", stereo), stereo);
  PlaySound(stereo, 0, 0);
  for (int i = 0; i < 300 && IsSoundPlaying(stereo); ++i) SDL_Delay(10);
  EXPECT_FALSE(IsSoundPlaying(stereo));
}

// Every layout the WAVE check lets through is one the mixer takes; a refusal there would
// end the game.
TEST_F(AudioSmoke, EveryAcceptedLayoutLoads) {
  int n = 0;
  for (int channels = 1; channels <= 8; ++channels) {
    for (int bits : {8, 16, 24, 32}) {
      std::string frames(std::size_t(channels * bits / 8 * 64), '\x40');
      test::WriteFile("src/son/l" + std::to_string(n++) + ".wav",
                      test::Wav(frames, {.channels = channels, .rate = 11025, .bits = bits}));
    }
  }
  std::string error;
  ASSERT_TRUE(PackArchive("_sfx.loc", "src", &error)) << error;
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(i);
    std::string member = "son\\l" + std::to_string(i) + ".wav";
    int slot = LoadSound(member.c_str(), "_sfx.loc");
    EXPECT_EQ(slot, i);
    PlaySound(slot, 0, 0);
    EXPECT_TRUE(IsSoundPlaying(slot));
  }
}

// Without any usable driver the real mixer reports the missing sound driver.
TEST(AudioSmokeFailure, NoDriverIsReportedAsAMissingSoundDriver) {
  const char* was = std::getenv("SDL_AUDIODRIVER");
  std::string previous = was ? was : "";
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  test::HeadlessRig& rig = test::InstallHeadless();
  platform::SdlSoundDevice sound;
  platform::backend.sound = &sound;
  EXPECT_FALSE(CreateSoundSystem());
  ASSERT_EQ(rig.dialogs.shown.size(), 1u);
  EXPECT_EQ(rig.dialogs.shown[0].text, "unable to find Sound Driver");
  EXPECT_EQ(rig.dialogs.shown[0].caption, "Quarl Ferrow");
  if (was)
    setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
  else
    unsetenv("SDL_AUDIODRIVER");
}

// The first MP3 member of a generated music archive, or "" when there is none.
std::string FindMusicArchive(std::string* member) {
  std::vector<std::string> candidates;
  if (const char* env = std::getenv("VX_SMOKE_MUSIC_ARCHIVE")) candidates.push_back(env);
  candidates.push_back(VX_MUSIC_ARCHIVE_HERE);
  candidates.push_back(VX_MUSIC_ARCHIVE_MAIN);
  for (const std::string& path : candidates) {
    std::vector<ArchiveEntry> entries;
    if (!ListArchive(path.c_str(), &entries)) continue;
    for (const ArchiveEntry& e : entries) {
      if (e.size > 0 && e.name.size() > 4 && e.name.compare(e.name.size() - 4, 4, ".mp3") == 0) {
        *member = e.name;
        return path;
      }
    }
  }
  return "";
}

TEST_F(AudioSmoke, AGeneratedMp3PlaysLoopedThroughTheMusicUpdate) {
  std::string member;
  std::string archive = FindMusicArchive(&member);
  if (archive.empty())
    GTEST_SKIP() << "no generated music archive: neither " << VX_MUSIC_ARCHIVE_HERE << " nor "
                 << VX_MUSIC_ARCHIVE_MAIN
                 << " nor $VX_SMOKE_MUSIC_ARCHIVE; build the content to run this half";
  // Put the member where the title looks for its piece.
  std::filesystem::create_directories("BUN/k/k");
  std::snprintf(app.musicScratchPath, sizeof app.musicScratchPath, "BUN\\k\\k\\ahae.mp3");
  std::vector<char> name(member.begin(), member.end());
  name.push_back('\0');
  std::filesystem::create_directories("src/mp3/scnstart");
  ASSERT_GT(unlocksingle(archive.c_str(), name.data(), "src/mp3/scnstart/m0.mp3"), 0);
  std::string error;
  ASSERT_TRUE(PackArchive("_mp.loc", "src", &error)) << error;

  UpdateMusic(Title, 0);
  EXPECT_TRUE(platform::SdlMusicPlayer::Sounding()) << "from " << archive << ": " << member;
  EXPECT_EQ(Mix_VolumeMusic(-1), 128);
  volumes.musicVolume = 500;
  UpdateMusic(Title, 0);
  EXPECT_EQ(Mix_VolumeMusic(-1), 64);
  SendCloseRequest();
  EXPECT_FALSE(platform::SdlMusicPlayer::Sounding());
  EXPECT_FALSE(std::filesystem::exists("BUN/k/k/ahae.mp3"));
}

TEST_F(AudioSmoke, AnMp3ThatDoesNotDecodeStaysSilent) {
  test::WriteFile("src/mp3/scnstart/m0.mp3", std::string(5000, '\x5a'));
  std::string error;
  ASSERT_TRUE(PackArchive("_mp.loc", "src", &error)) << error;
  std::filesystem::create_directories("BUN/k/k");
  std::snprintf(app.musicScratchPath, sizeof app.musicScratchPath, "BUN\\k\\k\\ahae.mp3");
  UpdateMusic(Title, 0);
  EXPECT_FALSE(platform::SdlMusicPlayer::Sounding());
  UpdateMusic(Ending, 0);  // a missing member: nothing to open
  EXPECT_FALSE(platform::SdlMusicPlayer::Sounding());
  SendCloseRequest();
}

// The mixer's output captured through SDL's disk driver (written to a file, faster than real
// time): what a listener would hear, sample by sample.
class MusicStart : public AudioSmoke {
 protected:
  MusicStart() {
    for (const char* name : {"SDL_AUDIODRIVER", "SDL_DISKAUDIOFILE", "SDL_DISKAUDIODELAY"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? value : "", value != nullptr});
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (std::filesystem::temp_directory_path() / output_).c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "1", 1);
  }
  ~MusicStart() override {
    for (const Saved& v : saved_)
      if (v.set)
        setenv(v.name, v.value.c_str(), 1);
      else
        unsetenv(v.name);
    std::filesystem::remove(std::filesystem::temp_directory_path() / output_);
  }
  std::uintmax_t Written() const {
    std::error_code error;
    const auto size =
        std::filesystem::file_size(std::filesystem::temp_directory_path() / output_, error);
    return error ? 0 : size;
  }
  // Lets the mixer write `seconds` more of output.
  void Run(double seconds) {
    const std::uintmax_t until =
        Written() + static_cast<std::uintmax_t>(seconds * kFrameBytes * 44100);
    for (int i = 0; i < 20000 && Written() < until; ++i) SDL_Delay(1);
  }
  // The left channel of everything written while the sounds played. Shutting down stops
  // the channels and the music before it closes the device, and the device thread goes on
  // writing silence in between; only what was on disk before the shutdown is what was heard.
  std::vector<int> Left() {
    const std::uintmax_t heard = Written();
    ShutdownSound();
    const std::string raw =
        test::ReadFile((std::filesystem::temp_directory_path() / output_).string());
    const std::size_t end = std::min<std::size_t>(raw.size(), heard);
    std::vector<int> left;
    for (std::size_t i = 0; i + kFrameBytes <= end; i += kFrameBytes)
      left.push_back(static_cast<std::int16_t>(static_cast<unsigned char>(raw[i]) |
                                               static_cast<unsigned char>(raw[i + 1]) << 8));
    return left;
  }
  // A stereo 16-bit WAVE at the output's rate holding one level throughout.
  static std::string Level(int level, int frames) {
    std::string samples;
    for (int i = 0; i < 2 * frames; ++i) test::PutLe16(&samples, level);
    return test::Wav(samples, {.channels = 2, .rate = 44100, .bits = 16});
  }
  static constexpr int kFrameBytes = 4;

 private:
  struct Saved {
    const char* name;
    std::string value;
    bool set;
  };
  std::vector<Saved> saved_;
  std::string output_ = "vexorbia-music-start-" + std::to_string(::getpid()) + ".raw";
};

// A piece begins with the end of its own loop: its first play is faded in over a few
// milliseconds, its repeats (here every 50 ms) run on at full level.
TEST_F(MusicStart, TheFirstPlayFadesInAndTheRepeatsDoNot) {
  int rate = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_TRUE(Mix_QuerySpec(&rate, &format, &channels));
  ASSERT_EQ(rate, 44100);
  ASSERT_EQ(channels, 2);
  test::WriteFile("piece.wav", Level(16000, 2205));
  ASSERT_TRUE(player.Open("piece.wav"));
  Run(0.05);
  player.Play();
  Run(0.4);
  const std::vector<int> left = Left();
  std::size_t start = 0;
  while (start < left.size() && left[start] == 0) ++start;
  ASSERT_GT(left.size(), start + 44100 / 4) << "a quarter second of the piece was written";
  EXPECT_LE(left[start], 800) << "the piece starts near silence";
  const std::size_t full = start + 441;  // 10 ms on
  EXPECT_EQ(left[full], 16000) << "and is at full level after a few milliseconds";
  for (std::size_t i = full; i < left.size(); ++i)
    ASSERT_EQ(left[i], 16000) << "a dip " << (i - start) * 1000.0 / 44100 << " ms into the piece";
}

// While an effect sounds, a piece starts at once: the effect covers its start, and fading
// the mixed output would cut into the effect.
TEST_F(MusicStart, APieceStartingUnderAnEffectLeavesTheEffectWhole) {
  test::WriteFile("src/son/hum.wav", Level(8000, 4410));
  std::string error;
  ASSERT_TRUE(PackArchive("_sfx.loc", "src", &error)) << error;
  const int hum = LoadSound("son\\hum.wav", "_sfx.loc");
  ASSERT_GE(hum, 0);
  test::WriteFile("piece.wav", Level(16000, 2205));
  ASSERT_TRUE(player.Open("piece.wav"));
  PlaySound(hum, platform::kPlayLooping, 0);
  Run(0.1);
  player.Play();
  Run(0.2);
  const std::vector<int> left = Left();
  std::size_t start = 0;
  while (start < left.size() && left[start] == 0) ++start;
  ASSERT_LT(start, left.size());
  int lowest = 1 << 20, highest = 0;
  for (std::size_t i = start; i < left.size(); ++i) {
    lowest = std::min(lowest, left[i]);
    highest = std::max(highest, left[i]);
  }
  EXPECT_EQ(lowest, 8000) << "the effect never dips";
  EXPECT_EQ(highest, 24000) << "the piece joins it at full level";
}

}  // namespace
}  // namespace vx
