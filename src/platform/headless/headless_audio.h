// Recording stand-ins for the effect mixer and the music player: every call is kept in
// order, with what each channel holds and whether it is sounding.
#pragma once
#include <string>
#include <vector>

#include "platform/music.h"
#include "platform/sound.h"

namespace vx::platform {

enum class SoundCall { Open, Load, Unload, Play, Stop, Query, Close };

struct SoundEvent {
  SoundCall call = SoundCall::Open;
  int channel = -1;
  int flags = 0;
  int attenuation = 0;     // Play: as passed
  int gain = 0;            // Play: the mixer gain it becomes
  bool restarted = false;  // Play: the channel was sounding and starts over
};

class HeadlessSoundDevice : public SoundDevice {
 public:
  SoundOpenResult Open() override;
  bool Load(int channel, const PcmFormat& format, const unsigned char* data,
            std::size_t size) override;
  void Unload(int channel) override;
  void Play(int channel, int flags, int attenuation) override;
  void Stop(int channel) override;
  bool IsPlaying(int channel) override;
  void Close() override;

  // An effect ends by itself (a test lets time pass).
  void Finish(int channel);
  // Events of one kind, in order.
  std::vector<SoundEvent> Calls(SoundCall call) const;

  SoundOpenResult openResult;  // what Open reports
  std::string openDetail;      // detail text behind openResult.detail
  bool failLoads = false;      // the mixer refuses every effect
  bool open = false;
  std::vector<SoundEvent> events;
  // Per channel: the PCM bytes and format it holds (empty when free) and whether it sounds.
  std::vector<unsigned char> data[kSoundChannels];
  PcmFormat format[kSoundChannels];
  bool playing[kSoundChannels] = {};
};

enum class MusicCall { Open, Play, Stop, Close, Volume };

struct MusicEvent {
  MusicCall call = MusicCall::Open;
  std::string path{};  // Open: the path given
  int volume = 0;      // Volume: the value given
};

class HeadlessMusicPlayer : public MusicPlayer {
 public:
  bool Open(const char* path) override;
  void Play() override;
  void Stop() override;
  void Close() override;
  void SetVolume(int volume) override;

  std::vector<MusicCall> Calls() const;

  bool isOpen = false;
  bool playing = false;
  int volume = -1;          // last volume set (-1: never)
  std::string openedBytes;  // contents of the file the open piece came from
  std::vector<MusicEvent> events;
};

}  // namespace vx::platform
