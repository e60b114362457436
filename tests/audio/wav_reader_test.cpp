// The RIFF/WAVE check every effect passes before it reaches the mixer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "audio/wav_reader.h"
#include "wav_bytes.h"

namespace vx {
namespace {

using test::Chunk;
using test::FmtBody;
using test::FmtFields;
using test::Riff;
using test::Wav;

// Reads from a heap copy of exactly the input's size, so the address sanitizer sees any
// read past the end.
WavResult Read(const std::string& bytes, WavFile* out) {
  auto copy = std::make_unique<unsigned char[]>(bytes.size());
  std::memcpy(copy.get(), bytes.data(), bytes.size());
  WavResult r = ReadWav(copy.get(), bytes.size(), out);
  if (r == WavResult::Ok) {
    // Hand back data that outlives the copy.
    static std::string kept;
    kept.assign(reinterpret_cast<const char*>(out->data), out->size);
    out->data = reinterpret_cast<const unsigned char*>(kept.data());
  }
  return r;
}

TEST(WavReader, AcceptsPcmAndFindsTheSamples) {
  const std::string samples = "\x01\x02\x03\x04\x05\x06";
  struct Case {
    const char* what;
    std::string bytes;
    int channels, bits;
    std::size_t size;
  } cases[] = {
      {"16-byte fmt", Wav(samples), 1, 16, 6},
      {"18-byte fmt", Wav(samples, {.cbSize = true}), 1, 16, 6},
      {"8-bit stereo", Wav(samples, {.channels = 2, .bits = 8}), 2, 8, 6},
      {"odd chunk before data is padded",
       Riff(Chunk("fmt ", FmtBody({})) + Chunk("LIST", "abc") + Chunk("data", samples)), 1, 16, 6},
      {"a partial last frame is left out", Wav("\x01\x02\x03\x04\x05", {.channels = 2}), 2, 16, 4},
      {"RIFF size past the end of the file",
       Riff(Chunk("fmt ", FmtBody({})) + Chunk("data", samples), 0xfffffff0), 1, 16, 6},
      {"junk chunk before the RIFF", Chunk("JUNK", "xy") + Wav(samples), 1, 16, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WavFile wav;
    ASSERT_EQ(Read(c.bytes, &wav), WavResult::Ok);
    EXPECT_EQ(wav.format.formatTag, 1);
    EXPECT_EQ(wav.format.channels, c.channels);
    EXPECT_EQ(wav.format.bitsPerSample, c.bits);
    EXPECT_EQ(wav.format.sampleRate, 22050);
    EXPECT_EQ(wav.size, c.size);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(wav.data), wav.size),
              samples.substr(0, c.size));
  }
}

TEST(WavReader, RejectsMalformedFiles) {
  const std::string samples(8, '\x11');
  const std::string fmt = Chunk("fmt ", FmtBody({}));
  std::string cutFmt = Riff(fmt + Chunk("data", samples));
  cutFmt.resize(12 + 8 + 10);  // the file ends inside the format fields
  struct Case {
    const char* what;
    std::string bytes;
    WavResult expected;
  } cases[] = {
      {"empty", "", WavResult::NotRiffWave},
      {"shorter than a RIFF header", "RIFF\x04\0\0\0WAV", WavResult::NotRiffWave},
      {"big-endian RIFX", "RIFX" + Wav(samples).substr(4), WavResult::NotRiffWave},
      {"RIFF of another form", Chunk("RIFF", "AVI " + fmt), WavResult::NotRiffWave},
      {"top-level chunk size wraps", Chunk("JUNK", "", 0xffffffff) + Wav(samples),
       WavResult::NotRiffWave},
      {"no fmt chunk", Riff(Chunk("data", samples)), WavResult::NoFormat},
      {"fmt chunk too small",
       Riff(Chunk("fmt ", FmtBody({}).substr(0, 14)) + Chunk("data", samples)),
       WavResult::NoFormat},
      {"file ends inside fmt", cutFmt, WavResult::NoFormat},
      {"fmt beyond the RIFF's own size", Riff(fmt + Chunk("data", samples), 4),
       WavResult::NoFormat},
      {"IEEE float", Wav(samples, {.tag = 3, .bits = 32}), WavResult::NotPcm},
      {"ADPCM", Wav(samples, {.tag = 2, .bits = 4, .blockAlign = 256}), WavResult::NotPcm},
      {"extensible", Wav(samples, {.tag = 0xfffe}), WavResult::NotPcm},
      {"no channels", Wav(samples, {.channels = 0}), WavResult::BadFormat},
      {"12-bit samples", Wav(samples, {.bits = 12}), WavResult::BadFormat},
      {"block alignment disagrees", Wav(samples, {.blockAlign = 3}), WavResult::BadFormat},
      {"sample rate 0", Wav(samples, {.rate = 0}), WavResult::BadFormat},
      {"no data chunk", Riff(fmt), WavResult::NoData},
      {"data only before fmt", Riff(Chunk("data", samples) + fmt), WavResult::NoData},
      {"chunk size before data jumps past the end",
       Riff(fmt + Chunk("LIST", "abcd", 0xfffffff0) + Chunk("data", samples)), WavResult::NoData},
      {"data one byte short", Riff(fmt + Chunk("data", samples, 9)), WavResult::ShortData},
      {"data size absurd", Riff(fmt + Chunk("data", samples, 0xffffffff)), WavResult::ShortData},
      {"empty data", Wav(""), WavResult::ShortData},
      {"less than one frame", Wav("\x01", {.channels = 2}), WavResult::ShortData},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WavFile wav;
    wav.size = 12345;
    EXPECT_EQ(Read(c.bytes, &wav), c.expected);
    EXPECT_EQ(wav.size, 12345u) << "the result must be left alone on failure";
  }
}

// Every cut-short copy of a good file is refused without reading past its end.
TEST(WavReader, EveryTruncationIsRejected) {
  const std::string whole =
      Riff(Chunk("fmt ", FmtBody({.cbSize = true})) + Chunk("fact", "\1\0\0\0") +
           Chunk("data", std::string(40, '\x22')));
  WavFile wav;
  ASSERT_EQ(Read(whole, &wav), WavResult::Ok);
  for (std::size_t n = 0; n < whole.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_NE(Read(whole.substr(0, n), &wav), WavResult::Ok);
  }
}

TEST(WavReader, NullInputIsRejected) {
  WavFile wav;
  EXPECT_EQ(ReadWav(nullptr, 100, &wav), WavResult::NotRiffWave);
}

}  // namespace
}  // namespace vx
