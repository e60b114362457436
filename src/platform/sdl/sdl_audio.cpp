#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <atomic>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files.h"

namespace vx::platform {

namespace {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kOutputSamples = 1024;  // about 23 ms of latency
constexpr int kMusicFadeInMs = 5;

// A piece's file begins with the end of its own loop, so that its repeats run on without a
// seam; its first play would start on that tail with a tick. The first play of every piece
// is therefore faded in over a few milliseconds, its repeats (which the mixer loops by itself)
// are not. The mixer applies its own music fades only per output block (23 ms steps, the first
// block already at a fraction of full level) and mixes the music straight into the output, so
// the fade is applied to the mixed output as the block with the piece's first samples leaves.
// While an effect sounds the fade is left out: the effect covers the start, and fading it in
// again would cut it.
struct MusicStartFade {
  std::atomic<unsigned> starts{0};  // pieces started, counted by the game thread
  // On the mixer's thread:
  unsigned handled = 0;  // the start last seen playing
  int frame = -1;        // position in the fade, -1 for none
  int frames = 0;        // length of the fade
  int channels = 0;      // samples per frame of the output
};
MusicStartFade musicStart;

void SDLCALL FadeMusicStart(void*, Uint8* stream, int length) {
  MusicStartFade& f = musicStart;
  const unsigned starts = f.starts.load(std::memory_order_acquire);
  // The block starts with the piece's first samples once it is playing.
  if (starts != f.handled && Mix_PlayingMusic()) {
    f.handled = starts;
    f.frame = Mix_Playing(-1) == 0 ? 0 : -1;
  }
  if (f.frame < 0 || f.channels <= 0 || f.frames <= 0) return;
  auto* samples = reinterpret_cast<Sint16*>(stream);
  const int count = length / static_cast<int>(sizeof(Sint16)) / f.channels;
  for (int i = 0; i < count && f.frame < f.frames; ++i, ++f.frame)
    for (int c = 0; c < f.channels; ++c) {
      Sint16& sample = samples[i * f.channels + c];
      sample = static_cast<Sint16>(sample * f.frame / f.frames);
    }
  if (f.frame >= f.frames) f.frame = -1;
}

bool Contains(const std::string& text, const char* word) {
  return text.find(word) != std::string::npos;
}

// Sorts SDL's explanation for a mixer that would not open into the kinds the game
// reports.
SoundOpenError ClassifyOpenError(const std::string& why) {
  if (Contains(why, "busy") || Contains(why, "in use")) return SoundOpenError::Busy;
  if (Contains(why, "emory")) return SoundOpenError::OutOfMemory;
  if (Contains(why, "nsupported") || Contains(why, "nvalid")) return SoundOpenError::BadRequest;
  if (Contains(why, "No such") || Contains(why, "No available") || Contains(why, "not found"))
    return SoundOpenError::NoDriver;
  return SoundOpenError::Other;
}

void PutLe16(std::vector<unsigned char>* out, int v) {
  out->push_back(static_cast<unsigned char>(v & 0xff));
  out->push_back(static_cast<unsigned char>((v >> 8) & 0xff));
}

void PutLe32(std::vector<unsigned char>* out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xff));
}

void PutId(std::vector<unsigned char>* out, const char* id) {
  out->insert(out->end(), id, id + 4);
}

// A plain 44-byte-header WAVE of exactly the checked samples, which the mixer's loader
// converts to the output format.
std::vector<unsigned char> CanonicalWave(const PcmFormat& f, const unsigned char* data,
                                         std::size_t size) {
  std::vector<unsigned char> out;
  out.reserve(size + 44);
  PutId(&out, "RIFF");
  PutLe32(&out, static_cast<std::uint32_t>(size + 36));
  PutId(&out, "WAVE");
  PutId(&out, "fmt ");
  PutLe32(&out, 16);
  PutLe16(&out, f.formatTag);
  PutLe16(&out, f.channels);
  PutLe32(&out, static_cast<std::uint32_t>(f.sampleRate));
  PutLe32(&out,
          static_cast<std::uint32_t>(f.sampleRate) * static_cast<std::uint32_t>(f.blockAlign));
  PutLe16(&out, f.blockAlign);
  PutLe16(&out, f.bitsPerSample);
  PutId(&out, "data");
  PutLe32(&out, static_cast<std::uint32_t>(size));
  out.insert(out.end(), data, data + size);
  return out;
}

}  // namespace

SoundOpenResult SdlSoundDevice::Open() {
  if (open_) return {};
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    error_ = SDL_GetError();
    return {SoundOpenError::NoDevice, error_.c_str()};
  }
  if (SDL_GetNumAudioDevices(0) == 0) {
    error_ = "no audio output device";
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return {SoundOpenError::NoDevice, error_.c_str()};
  }
  if (Mix_OpenAudio(kOutputRate, MIX_DEFAULT_FORMAT, kOutputChannels, kOutputSamples) != 0) {
    error_ = Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return {ClassifyOpenError(error_), error_.c_str()};
  }
  open_ = true;
  if (Mix_AllocateChannels(kSoundChannels) != kSoundChannels) {
    error_ = Mix_GetError();
    Close();
    return {SoundOpenError::Channels, error_.c_str()};
  }
  // MP3 support is loaded on demand; without it the music is silent, effects still play.
  Mix_Init(MIX_INIT_MP3);
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  musicStart.frame = -1;
  musicStart.handled = musicStart.starts.load();
  musicStart.frames = rate * kMusicFadeInMs / 1000;
  musicStart.channels = format == AUDIO_S16SYS ? channels : 0;
  Mix_SetPostMix(FadeMusicStart, nullptr);
  return {};
}

bool SdlSoundDevice::Load(int channel, const PcmFormat& format, const unsigned char* data,
                          std::size_t size) {
  if (!open_ || !ValidSoundChannel(channel) || !data || size == 0) return false;
  if (size > static_cast<std::size_t>(INT_MAX) - 44) return false;  // beyond one SDL buffer
  std::vector<unsigned char> wave = CanonicalWave(format, data, size);
  SDL_RWops* rw = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
  if (!rw) return false;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);
  if (!chunk) {
    std::fprintf(stderr, "sound: %s\n", Mix_GetError());
    return false;
  }
  Unload(channel);
  chunks_[channel] = chunk;
  return true;
}

void SdlSoundDevice::Unload(int channel) {
  if (!open_ || !ValidSoundChannel(channel) || !chunks_[channel]) return;
  Mix_HaltChannel(channel);
  Mix_FreeChunk(chunks_[channel]);
  chunks_[channel] = nullptr;
}

void SdlSoundDevice::Play(int channel, int flags, int attenuation) {
  if (!open_ || !ValidSoundChannel(channel) || !chunks_[channel]) return;
  Mix_HaltChannel(channel);
  Mix_Volume(channel, GainForAttenuation(attenuation));
  Mix_PlayChannel(channel, chunks_[channel], (flags & kPlayLooping) ? -1 : 0);
}

void SdlSoundDevice::Stop(int channel) {
  if (!open_ || !ValidSoundChannel(channel)) return;
  Mix_HaltChannel(channel);
}

bool SdlSoundDevice::IsPlaying(int channel) {
  if (!open_ || !ValidSoundChannel(channel) || !chunks_[channel]) return false;
  return Mix_Playing(channel) != 0;
}

void SdlSoundDevice::Close() {
  if (!open_) return;
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  for (Mix_Chunk*& chunk : chunks_) {
    if (chunk) Mix_FreeChunk(chunk);
    chunk = nullptr;
  }
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

bool SdlMusicPlayer::Open(const char* path) {
  Close();
  if (!path || !path[0]) return false;
  music_ = Mix_LoadMUS(files::NativePath(path).c_str());
  if (!music_) std::fprintf(stderr, "music: %s\n", Mix_GetError());
  return music_ != nullptr;
}

void SdlMusicPlayer::Play() {
  if (!music_) return;
  // Counted between the halt and the start, so the fade meets the new piece, not the old one.
  Mix_HaltMusic();
  musicStart.starts.fetch_add(1, std::memory_order_release);
  Mix_PlayMusic(music_, -1);
}

void SdlMusicPlayer::Stop() {
  if (music_) Mix_HaltMusic();
}

void SdlMusicPlayer::Close() {
  if (!music_) return;
  Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = nullptr;
}

void SdlMusicPlayer::SetVolume(int volume) {
  Mix_VolumeMusic(MusicGainForVolume(volume));
}

bool SdlMusicPlayer::Sounding() {
  return Mix_PlayingMusic() != 0;
}

}  // namespace vx::platform
