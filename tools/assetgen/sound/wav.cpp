#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vx::assetgen::sound {
namespace {

void Put32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

}  // namespace

std::string EncodeWav(const Buffer& samples) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::string out;
  out.reserve(46 + dataBytes);
  out += "RIFF";
  Put32(out, 38 + dataBytes);
  out += "WAVE";
  out += "fmt ";
  Put32(out, 18);  // WAVEFORMATEX size: readers that take 18 bytes find cbSize in the chunk
  Put16(out, 1);   // PCM
  Put16(out, 1);   // mono
  Put32(out, kSampleRate);
  Put32(out, kSampleRate * 2);  // bytes per second
  Put16(out, 2);                // block alignment
  Put16(out, 16);               // bits per sample
  Put16(out, 0);                // cbSize: no extra format bytes
  out += "data";
  Put32(out, dataBytes);
  for (float s : samples) {
    const long v = std::lround(std::clamp(static_cast<double>(s), -1.0, 1.0) * 32767.0);
    Put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
  }
  return out;
}

}  // namespace vx::assetgen::sound
