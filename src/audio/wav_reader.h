// The RIFF/WAVE reader that checks an effect before it goes to the mixer.
#pragma once
#include <cstddef>

#include "platform/sound.h"

namespace vx {

enum class WavResult {
  Ok,
  NotRiffWave,  // no RIFF chunk of form WAVE
  NoFormat,     // no complete "fmt " chunk inside it
  NotPcm,       // format tag other than 1
  BadFormat,    // PCM with a layout no mixer plays (no channels, odd sample size, ...)
  NoData,       // no "data" chunk after the "fmt " chunk
  ShortData,    // the data chunk claims more bytes than the file holds, or none at all
};

struct WavFile {
  platform::PcmFormat format;
  const unsigned char* data = nullptr;  // points into the bytes given to ReadWav
  std::size_t size = 0;                 // whole sample frames only
};

// Checks `bytes` as a PCM WAVE file and finds its samples. Never reads outside
// [bytes, bytes + size). `out` is filled only when the result is Ok.
WavResult ReadWav(const unsigned char* bytes, std::size_t size, WavFile* out);

}  // namespace vx
