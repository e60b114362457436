// The music player: one piece at a time, opened from a file and looped.
#pragma once

namespace vx::platform {

inline constexpr int kMaxMusicVolume = 1000;

// Player volume 0..1000 to the mixer's music volume 0..128, linearly.
inline int MusicGainForVolume(int volume) {
  if (volume <= 0) return 0;
  if (volume >= kMaxMusicVolume) return 128;
  return volume * 128 / kMaxMusicVolume;
}

class MusicPlayer {
 public:
  virtual ~MusicPlayer() = default;
  // Opens the piece in the file at `path` (the game's backslash form). False when it
  // cannot be opened or decoded; the player then stays silent until the next open.
  virtual bool Open(const char* path) = 0;
  // Plays the open piece from its beginning, looping until stopped.
  virtual void Play() = 0;
  virtual void Stop() = 0;
  // Closes the open piece (the file is free to be deleted afterwards).
  virtual void Close() = 0;
  // 0..1000; kept for the pieces opened later too.
  virtual void SetVolume(int volume) = 0;
};

}  // namespace vx::platform
