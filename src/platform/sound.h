// The effect mixer: 100 numbered channels, one loaded PCM effect per channel.
#pragma once
#include <cmath>
#include <cstddef>

namespace vx::platform {

inline constexpr int kSoundChannels = 100;
inline constexpr int kMaxGain = 128;  // the mixer's full volume
inline constexpr int kSilence = -10000;
inline constexpr int kPlayLooping = 1;  // play flag: loop until stopped

inline bool ValidSoundChannel(int channel) {
  return channel >= 0 && channel < kSoundChannels;
}

// The layout of PCM samples, as a WAVE "fmt " chunk gives it.
struct PcmFormat {
  int formatTag = 0;
  int channels = 0;
  int sampleRate = 0;
  int avgBytesPerSecond = 0;
  int blockAlign = 0;
  int bitsPerSample = 0;
};

// Why the mixer could not be opened.
enum class SoundOpenError {
  None,
  NoDevice,     // no audio driver or output device at all
  Busy,         // the device is held by another program
  BadRequest,   // the requested output format was refused
  NoDriver,     // a driver was found but it could not open a device
  OutOfMemory,  //
  Other,        // anything else; see the detail text
  Channels,     // the mixer opened but would not give 100 channels
};

struct SoundOpenResult {
  SoundOpenError error = SoundOpenError::None;
  const char* detail = "";  // the mixer's own explanation, valid until the next call
};

// Attenuation in hundredths of a decibel (-10000 silent .. 0 full) to the mixer's gain
// 0..128: 10^(a/2000) scaled, so -6 dB is about half. At or below -10000 it is silence,
// above 0 it stays full. Every player of effects goes through this one rule.
inline int GainForAttenuation(int attenuation) {
  if (attenuation <= kSilence) return 0;
  if (attenuation >= 0) return kMaxGain;
  double gain = std::pow(10.0, attenuation / 2000.0) * kMaxGain;
  return static_cast<int>(std::lround(gain));
}

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // Opens the output device and the mixer with kSoundChannels channels.
  virtual SoundOpenResult Open() = 0;
  // Puts one effect on `channel`, replacing what it held. The data has been checked: whole
  // PCM frames in `format`. False when the mixer cannot take it.
  virtual bool Load(int channel, const PcmFormat& format, const unsigned char* data,
                    std::size_t size) = 0;
  // Stops the channel and frees its effect.
  virtual void Unload(int channel) = 0;
  // Stops the channel and plays its effect from the beginning at `attenuation`
  // (hundredths of a decibel); `flags` may hold kPlayLooping.
  virtual void Play(int channel, int flags, int attenuation) = 0;
  virtual void Stop(int channel) = 0;
  virtual bool IsPlaying(int channel) = 0;
  // Stops everything, frees every effect and closes the device.
  virtual void Close() = 0;
};

}  // namespace vx::platform
