// The real effect mixer and music player on SDL2_mixer: one mixer channel per sound slot,
// the music from the extracted file.
#pragma once
#include <SDL_mixer.h>

#include <string>

#include "platform/music.h"
#include "platform/sound.h"

namespace vx::platform {

class SdlSoundDevice : public SoundDevice {
 public:
  SoundOpenResult Open() override;
  bool Load(int channel, const PcmFormat& format, const unsigned char* data,
            std::size_t size) override;
  void Unload(int channel) override;
  void Play(int channel, int flags, int attenuation) override;
  void Stop(int channel) override;
  bool IsPlaying(int channel) override;
  void Close() override;

 private:
  bool open_ = false;
  std::string error_;
  Mix_Chunk* chunks_[kSoundChannels] = {};
};

class SdlMusicPlayer : public MusicPlayer {
 public:
  bool Open(const char* path) override;
  void Play() override;
  void Stop() override;
  void Close() override;
  void SetVolume(int volume) override;

  // True while the mixer is playing music (for the smoke test).
  static bool Sounding();

 private:
  Mix_Music* music_ = nullptr;
};

}  // namespace vx::platform
