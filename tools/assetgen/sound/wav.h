// Writing mono 16-bit PCM WAV files.
#pragma once

#include <string>

#include "dsp.h"

namespace vx::assetgen::sound {

// Encodes the buffer as a RIFF/WAVE file (an 18-byte "fmt " chunk with format tag 1 and
// cbSize 0, then one "data" chunk) at 44.1 kHz, mono, 16 bits; samples are rounded and clipped to
// 16 bits.
std::string EncodeWav(const Buffer& samples);

}  // namespace vx::assetgen::sound
