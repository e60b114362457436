// Checks on the generated sound archives: every effect and piece present, effects valid PCM,
// levelled and not silent, music decodable to its full length and looping without a step.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "archive_members.h"
#include "audio/wav_reader.h"
#include "common/music_titles.h"
#include "effects.h"
#include "render.h"
#include "score.h"
#include "wav.h"

namespace {

using vx::content_test::Archive;
using vx::content_test::ReadArchive;

const Archive& Sfx() {
  static const Archive a = ReadArchive(std::string(VX_GAME_DIR) + "/_sfx.loc");
  return a;
}
const Archive& Music() {
  static const Archive a = ReadArchive(std::string(VX_GAME_DIR) + "/_mp.loc");
  return a;
}

const char* const kEffects[] = {
    "son\\fire.wav",          "son\\landed.wav",
    "son\\break1.wav",        "son\\break2.wav",
    "son\\break3.wav",        "son\\break4.wav",
    "son\\bounce.wav",        "son\\ok.wav",
    "son\\fall3.wav",         "son\\fall5.wav",
    "son\\fallmany.wav",      "son\\linked3.wav",
    "son\\linkedmany.wav",    "son\\wheelclick.wav",
    "son\\newgembounce.wav",  "son\\newgem.wav",
    "son\\pushdown.wav",      "son\\groundshake.wav",
    "son\\shotfx.wav",        "son\\shotghost.wav",
    "son\\fxplanted.wav",     "son\\fxgrow.wav",
    "son\\goodfxplanted.wav", "son\\bombfall.wav",
    "son\\bomblanded.wav",    "son\\invasionwarning.wav",
    "son\\invasion.wav",      "son\\gameover.wav",
    "son\\explosion.wav",     "son\\laser1.wav",
    "son\\chgselection.wav",  "son\\exitplay.wav",
    "son\\retry.wav",         "son\\fire0.wav",
    "son\\landed0.wav",       "son\\fire1.wav",
    "son\\landed1.wav",       "son\\fire2.wav",
    "son\\landed2.wav",       "son\\fire3.wav",
    "son\\landed3.wav",       "son\\fire4.wav",
    "son\\landed4.wav",       "son\\fire5.wav",
    "son\\landed5.wav",
};

// ---------------------------------------------------------------------------
// An effect as the game's loader sees it: checked by the game's WAV reader, samples copied out.
struct Wav {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<int16_t> samples;
};

std::optional<Wav> ParseWav(const std::string& b) {
  vx::WavFile file;
  if (vx::ReadWav(reinterpret_cast<const unsigned char*>(b.data()), b.size(), &file) !=
      vx::WavResult::Ok) {
    return {};
  }
  Wav w;
  w.channels = file.format.channels;
  w.rate = file.format.sampleRate;
  w.bits = file.format.bitsPerSample;
  if (w.bits != 16) return w;
  w.samples.resize(file.size / 2);
  std::memcpy(w.samples.data(), file.data, w.samples.size() * 2);
  return w;
}

// The largest step between neighbouring samples of one channel, and the step across the loop
// join (last sample to first).
// `nearJoin` is the largest step within `window` frames of either end: a click at the join
// stands out against it even when louder passages elsewhere have larger steps.
struct Steps {
  double inside = 0;
  double nearJoin = 0;
  double join = 0;
};
template <typename T>
Steps LoopSteps(const std::vector<T>& s, int channels, int channel, size_t window) {
  Steps st;
  const size_t frames = s.size() / channels;
  for (size_t i = 1; i < frames; ++i) {
    const double step =
        std::fabs(static_cast<double>(s[i * channels + channel]) - s[(i - 1) * channels + channel]);
    st.inside = std::max(st.inside, step);
    if (i <= window || i + window >= frames) st.nearJoin = std::max(st.nearJoin, step);
  }
  st.join = std::fabs(static_cast<double>(s[channel]) - s[(frames - 1) * channels + channel]);
  return st;
}

double LoudestWindowRmsDb(const std::vector<int16_t>& s) {
  const size_t w = 2205;  // 50 ms
  double sum = 0, best = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    sum += static_cast<double>(s[i]) * s[i];
    if (i >= w) sum -= static_cast<double>(s[i - w]) * s[i - w];
    best = std::max(best, sum);
  }
  const double n = static_cast<double>(std::min(w, s.size()));
  return 20.0 * std::log10(std::sqrt(best / n) / 32768.0 + 1e-12);
}

// ---------------------------------------------------------------------------
// Effects

TEST(SoundEffects, ArchiveHoldsExactlyTheEffectList) {
  const Archive& a = Sfx();
  for (const char* name : kEffects) EXPECT_TRUE(a.count(name)) << "missing " << name;
  EXPECT_EQ(a.size(), std::size(kEffects));
}

TEST(SoundEffects, EveryEffectIsShortLevelledPcm) {
  std::map<std::string, double> loudness;  // by effect: a missing one does not shift the names
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    const auto it = Sfx().find(name);
    if (it == Sfx().end()) {
      ADD_FAILURE() << "missing";
      continue;
    }
    const std::optional<Wav> w = ParseWav(it->second);
    ASSERT_TRUE(w.has_value()) << "fails the RIFF/PCM check";
    EXPECT_EQ(w->rate, 44100);
    EXPECT_EQ(w->bits, 16);
    EXPECT_EQ(w->channels, 1);
    ASSERT_FALSE(w->samples.empty());
    int peak = 0;
    for (int16_t s : w->samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    // -1 dBFS of full scale 32768.
    EXPECT_LE(peak, static_cast<int>(32768.0 * std::pow(10.0, -1.0 / 20.0)));
    const double seconds = static_cast<double>(w->samples.size()) / 44100.0;
    EXPECT_LE(seconds, 2.0);
    const double rms = LoudestWindowRmsDb(w->samples);
    EXPECT_GT(rms, -30.0) << "too quiet";
    loudness[name] = rms;
  }
  // Consistent loudness: every effect within 9 dB of the set's median.
  ASSERT_FALSE(loudness.empty());
  std::vector<double> sorted;
  for (const auto& [name, rms] : loudness) sorted.push_back(rms);
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  for (const auto& [name, rms] : loudness) EXPECT_NEAR(rms, median, 9.0) << name;
}

TEST(SoundEffects, BombFallLoopsWithoutAStep) {
  const auto it = Sfx().find("son\\bombfall.wav");
  ASSERT_NE(it, Sfx().end());
  const std::optional<Wav> w = ParseWav(it->second);
  ASSERT_TRUE(w.has_value());
  const Steps st = LoopSteps(w->samples, 1, 0, 441);
  EXPECT_LE(st.join, st.inside);
  EXPECT_LE(st.join, st.nearJoin);
  // The first play starts from silence, not on a step either.
  EXPECT_LE(std::abs(static_cast<int>(w->samples.front())), 200);
}

TEST(SoundEffects, ArchiveMatchesAFreshBuildOfTheGenerator) {
  // The effects depend on nothing but their seeds: building them again gives the very bytes
  // that were packed (a clock or an unseeded generator would make them differ).
  for (const vx::assetgen::sound::Effect& e : vx::assetgen::sound::BuildEffects()) {
    std::string member = e.path;
    std::replace(member.begin(), member.end(), '/', '\\');
    SCOPED_TRACE(member);
    const auto it = Sfx().find(member);
    ASSERT_NE(it, Sfx().end());
    EXPECT_TRUE(it->second == vx::assetgen::sound::EncodeWav(e.samples));
  }
}

// ---------------------------------------------------------------------------
// Music

struct Decoded {
  long rate = 0;
  int channels = 0;
  int bitrate = 0;             // kbit/s
  std::vector<float> samples;  // interleaved
};

std::optional<Decoded> DecodeMp3(const std::string& bytes) {
  mpg123_init();
  int err = 0;
  mpg123_handle* mh = mpg123_new(nullptr, &err);
  if (!mh) return {};
  Decoded d;
  mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0);
  mpg123_format_none(mh);
  mpg123_format(mh, 44100, MPG123_STEREO | MPG123_MONO, MPG123_ENC_FLOAT_32);
  bool ok = mpg123_open_feed(mh) == MPG123_OK &&
            mpg123_feed(mh, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) ==
                MPG123_OK;
  std::vector<unsigned char> buf(1 << 16);
  while (ok) {
    size_t got = 0;
    const int r = mpg123_read(mh, buf.data(), buf.size(), &got);
    const float* f = reinterpret_cast<const float*>(buf.data());
    d.samples.insert(d.samples.end(), f, f + got / sizeof(float));
    if (r == MPG123_NEW_FORMAT) {
      int enc = 0;
      mpg123_getformat(mh, &d.rate, &d.channels, &enc);
      mpg123_frameinfo fi{};
      if (mpg123_info(mh, &fi) == MPG123_OK) d.bitrate = fi.bitrate;
    } else if (r == MPG123_NEED_MORE || r == MPG123_DONE) {
      break;
    } else if (r != MPG123_OK) {
      ok = false;
    }
  }
  mpg123_delete(mh);
  if (!ok) return {};
  return d;
}

TEST(Music, EveryPieceDecodesToItsFullLoopAndJoinsSeamlessly) {
  const std::vector<vx::assetgen::sound::Score> scores = vx::assetgen::sound::ComposeAll();
  ASSERT_EQ(scores.size(), std::size(vx::assetgen::kMusicPieces));
  EXPECT_EQ(Music().size(), std::size(vx::assetgen::kMusicPieces));
  for (size_t i = 0; i < scores.size(); ++i) {
    const char* member = vx::assetgen::kMusicPieces[i].member;
    SCOPED_TRACE(member);
    const auto it = Music().find(member);
    if (it == Music().end()) {
      ADD_FAILURE() << "missing";
      continue;
    }
    const std::optional<Decoded> d = DecodeMp3(it->second);
    ASSERT_TRUE(d.has_value()) << "does not decode";
    EXPECT_EQ(d->rate, 44100);
    ASSERT_EQ(d->channels, 2);
    EXPECT_GE(d->bitrate, 128);
    const long frames = static_cast<long>(d->samples.size() / 2);
    // Gapless: the encoder's delay and padding are gone, so the decoded piece is exactly the
    // rendered loop.
    EXPECT_EQ(frames, vx::assetgen::sound::LoopFrames(scores[i]));
    const double seconds = static_cast<double>(frames) / 44100.0;
    EXPECT_GE(seconds, vx::assetgen::sound::MinimumLoopSeconds(scores[i].path));
    double peak = 0;
    for (float s : d->samples) peak = std::max(peak, static_cast<double>(std::fabs(s)));
    EXPECT_GT(peak, 0.1) << "nearly silent";
    for (int ch = 0; ch < 2; ++ch) {
      const Steps st = LoopSteps(d->samples, 2, ch, 4410);
      EXPECT_LE(st.join, st.inside) << "channel " << ch;
      EXPECT_LE(st.join, st.nearJoin) << "channel " << ch << ": a click at the join";
    }
  }
}

}  // namespace
