#include "audio/wav_reader.h"

#include <cstdint>
#include <cstring>

namespace vx {

namespace {

constexpr int kPcmTag = 1;
constexpr std::uint64_t kChunkHeader = 8;
constexpr std::uint64_t kPcmFormatBytes = 16;  // tag, channels, rate, bytes/s, align, bits

std::uint32_t Le32(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

int Le16(const unsigned char* p) {
  return p[0] | p[1] << 8;
}

bool IsId(const unsigned char* p, const char* id) {
  return std::memcmp(p, id, 4) == 0;
}

// The offset just past a chunk that starts at `at` with `size` bytes of body; bodies of
// odd length are followed by one pad byte. 64-bit, so no size can wrap around.
std::uint64_t NextChunk(std::uint64_t at, std::uint32_t size) {
  return at + kChunkHeader + size + (size & 1u);
}

struct Chunk {
  std::uint64_t body = 0;  // offset of the chunk's first byte after its header
  std::uint32_t size = 0;  // the size the header claims
  std::uint64_t next = 0;  // offset of the chunk after it
};

// Looks for the chunk `id` among the chunks that start between `from` and `end`.
bool FindChunk(const unsigned char* bytes, std::uint64_t from, std::uint64_t end, const char* id,
               Chunk* out) {
  std::uint64_t at = from;
  while (at + kChunkHeader <= end) {
    std::uint32_t size = Le32(bytes + at + 4);
    if (IsId(bytes + at, id)) {
      *out = {at + kChunkHeader, size, NextChunk(at, size)};
      return true;
    }
    at = NextChunk(at, size);
  }
  return false;
}

// A layout the mixer can play: 1 to 8 channels of 8, 16, 24 or 32-bit samples, with the
// block alignment those give.
bool PlayableLayout(const platform::PcmFormat& f) {
  if (f.channels < 1 || f.channels > 8 || f.sampleRate < 1) return false;
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 24 &&
      f.bitsPerSample != 32)
    return false;
  return f.blockAlign == f.channels * f.bitsPerSample / 8;
}

}  // namespace

WavResult ReadWav(const unsigned char* bytes, std::size_t size, WavFile* out) {
  if (!bytes) return WavResult::NotRiffWave;
  const std::uint64_t total = size;

  // The RIFF chunk of form WAVE, among the top-level chunks.
  std::uint64_t at = 0;
  std::uint64_t riffBody = 0, riffEnd = 0;
  bool found = false;
  while (at + kChunkHeader + 4 <= total) {
    std::uint32_t chunkSize = Le32(bytes + at + 4);
    if (IsId(bytes + at, "RIFF") && IsId(bytes + at + 8, "WAVE")) {
      riffBody = at + kChunkHeader + 4;
      riffEnd = at + kChunkHeader + chunkSize;
      if (riffEnd > total) riffEnd = total;  // a RIFF size past the end: search what is there
      found = true;
      break;
    }
    at = NextChunk(at, chunkSize);
  }
  if (!found) return WavResult::NotRiffWave;

  Chunk fmt;
  if (!FindChunk(bytes, riffBody, riffEnd, "fmt ", &fmt) || fmt.size < kPcmFormatBytes ||
      fmt.body + kPcmFormatBytes > total)
    return WavResult::NoFormat;
  const unsigned char* f = bytes + fmt.body;
  platform::PcmFormat format;
  format.formatTag = Le16(f);
  format.channels = Le16(f + 2);
  format.sampleRate = static_cast<int>(Le32(f + 4) & 0x7fffffffu);
  format.avgBytesPerSecond = static_cast<int>(Le32(f + 8) & 0x7fffffffu);
  format.blockAlign = Le16(f + 12);
  format.bitsPerSample = Le16(f + 14);
  if (format.formatTag != kPcmTag) return WavResult::NotPcm;
  if (!PlayableLayout(format)) return WavResult::BadFormat;

  // The data chunk follows the format chunk.
  Chunk data;
  if (!FindChunk(bytes, fmt.next, riffEnd, "data", &data)) return WavResult::NoData;
  if (data.body + data.size > total) return WavResult::ShortData;
  std::uint64_t whole = data.size - data.size % static_cast<std::uint32_t>(format.blockAlign);
  if (whole == 0) return WavResult::ShortData;

  out->format = format;
  out->data = bytes + data.body;
  out->size = static_cast<std::size_t>(whole);
  return WavResult::Ok;
}

}  // namespace vx
