// Music for each game state: one piece at a time, extracted from the music archive into
// the music scratch file and looped.
#pragma once

namespace vx {

inline constexpr int kMusicNameSize = 64;

struct MusicState {
  char currentFile[kMusicNameSize] = {};  // member name of the piece last started
  int lastState = -1;                     // arguments of the last call not skipped
  int lastStage = -1;
  int appliedVolume = 0;  // the player volume (0..1000) last sent
};
extern MusicState music;

// Every frame: applies a changed music volume, and when the state or stage changed and the
// state's piece is a different one, extracts it and plays it from its beginning.
void UpdateMusic(int state, int stageNumber);
// Stops and closes the music (quit path).
void StopAndCloseMusic();

// The member the state plays ("" for none: the state keeps what plays, or for the editor,
// stops it).
const char* MusicForState(int state, int stageNumber, char* out, int outSize);

}  // namespace vx
