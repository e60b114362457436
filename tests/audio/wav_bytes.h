// Builds WAVE files byte by byte for the audio tests, so each test can break exactly the
// piece it is about.
#pragma once
#include <cstdint>
#include <string>

namespace vx::test {

inline void PutLe16(std::string* s, int v) {
  s->push_back(static_cast<char>(v & 0xff));
  s->push_back(static_cast<char>((v >> 8) & 0xff));
}

inline void PutLe32(std::string* s, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s->push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

// One chunk: id, little-endian size (the body's length unless `claimed` is given), body,
// and the pad byte after an odd body.
inline std::string Chunk(const char* id, const std::string& body, std::int64_t claimed = -1) {
  std::string s(id, 4);
  PutLe32(&s, static_cast<std::uint32_t>(claimed < 0 ? std::int64_t(body.size()) : claimed));
  s += body;
  if (body.size() % 2) s.push_back('\0');
  return s;
}

struct FmtFields {
  int tag = 1;
  int channels = 1;
  int rate = 22050;
  int bits = 16;
  int blockAlign = -1;  // -1: channels * bits / 8
  bool cbSize = false;  // the 18-byte form with a trailing extra-size field
};

inline std::string FmtBody(const FmtFields& f) {
  int align = f.blockAlign >= 0 ? f.blockAlign : f.channels * f.bits / 8;
  std::string s;
  PutLe16(&s, f.tag);
  PutLe16(&s, f.channels);
  PutLe32(&s, static_cast<std::uint32_t>(f.rate));
  PutLe32(&s, static_cast<std::uint32_t>(f.rate * align));
  PutLe16(&s, align);
  PutLe16(&s, f.bits);
  if (f.cbSize) PutLe16(&s, 0);
  return s;
}

// RIFF/WAVE around the given chunks.
inline std::string Riff(const std::string& chunks, std::int64_t claimed = -1) {
  return Chunk("RIFF", "WAVE" + chunks, claimed);
}

inline std::string Wav(const std::string& samples, const FmtFields& f = {}) {
  return Riff(Chunk("fmt ", FmtBody(f)) + Chunk("data", samples));
}

// Recognisable 16-bit mono samples for effect number n.
inline std::string SamplesFor(int n) {
  std::string s;
  PutLe16(&s, n);
  PutLe16(&s, 0x7000 + n);
  return s;
}

}  // namespace vx::test
