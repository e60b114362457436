#include "platform/headless/headless_audio.h"

#include <fstream>
#include <iterator>

#include "platform/files.h"

namespace vx::platform {

SoundOpenResult HeadlessSoundDevice::Open() {
  events.push_back({SoundCall::Open});
  SoundOpenResult r = openResult;
  r.detail = openDetail.c_str();
  open = r.error == SoundOpenError::None;
  return r;
}

bool HeadlessSoundDevice::Load(int channel, const PcmFormat& f, const unsigned char* bytes,
                               std::size_t size) {
  events.push_back({SoundCall::Load, channel});
  if (failLoads || !ValidSoundChannel(channel)) return false;
  data[channel].assign(bytes, bytes + size);
  format[channel] = f;
  playing[channel] = false;
  return true;
}

void HeadlessSoundDevice::Unload(int channel) {
  events.push_back({SoundCall::Unload, channel});
  if (!ValidSoundChannel(channel)) return;
  data[channel].clear();
  playing[channel] = false;
}

void HeadlessSoundDevice::Play(int channel, int flags, int attenuation) {
  SoundEvent e{SoundCall::Play, channel, flags, attenuation, GainForAttenuation(attenuation)};
  if (ValidSoundChannel(channel)) {
    e.restarted = playing[channel];
    playing[channel] = !data[channel].empty();
  }
  events.push_back(e);
}

void HeadlessSoundDevice::Stop(int channel) {
  events.push_back({SoundCall::Stop, channel});
  if (ValidSoundChannel(channel)) playing[channel] = false;
}

bool HeadlessSoundDevice::IsPlaying(int channel) {
  events.push_back({SoundCall::Query, channel});
  return ValidSoundChannel(channel) && playing[channel];
}

void HeadlessSoundDevice::Close() {
  events.push_back({SoundCall::Close});
  for (int c = 0; c < kSoundChannels; ++c) {
    data[c].clear();
    playing[c] = false;
  }
  open = false;
}

void HeadlessSoundDevice::Finish(int channel) {
  if (ValidSoundChannel(channel)) playing[channel] = false;
}

std::vector<SoundEvent> HeadlessSoundDevice::Calls(SoundCall call) const {
  std::vector<SoundEvent> out;
  for (const SoundEvent& e : events)
    if (e.call == call) out.push_back(e);
  return out;
}

bool HeadlessMusicPlayer::Open(const char* path) {
  events.push_back({.call = MusicCall::Open, .path = path ? path : ""});
  std::ifstream in(files::NativePath(path ? path : ""), std::ios::binary);
  isOpen = static_cast<bool>(in);
  openedBytes =
      isOpen ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
             : std::string();
  return isOpen;
}

void HeadlessMusicPlayer::Play() {
  events.push_back({.call = MusicCall::Play});
  playing = isOpen;
}

void HeadlessMusicPlayer::Stop() {
  events.push_back({.call = MusicCall::Stop});
  playing = false;
}

void HeadlessMusicPlayer::Close() {
  events.push_back({.call = MusicCall::Close});
  playing = false;
  isOpen = false;
  openedBytes.clear();
}

void HeadlessMusicPlayer::SetVolume(int v) {
  events.push_back({.call = MusicCall::Volume, .volume = v});
  volume = v;
}

std::vector<MusicCall> HeadlessMusicPlayer::Calls() const {
  std::vector<MusicCall> out;
  for (const MusicEvent& e : events) out.push_back(e.call);
  return out;
}

}  // namespace vx::platform
