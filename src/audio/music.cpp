#include "audio/music.h"

#include <cstdio>
#include <cstring>

#include "audio/volume.h"
#include "core/app_values.h"
#include "core/game_state.h"
#include "platform/music.h"
#include "platform/platform.h"
#include "storage/archive.h"

namespace vx {

MusicState music;

namespace {

constexpr const char* kMusicArchive = "_mp.loc";

platform::MusicPlayer* Player() {
  return platform::backend.music;
}

// Copies `member` from `archive` into the music scratch file; the bytes written.
long Extract(const char* archive, const char* member) {
  char name[kMusicNameSize];
  std::snprintf(name, sizeof name, "%s", member);  // unlocksingle normalises its argument
  return unlocksingle(archive, name, app.musicScratchPath);
}

void StartPiece(const char* member, int state) {
  StopAndCloseMusic();
  std::snprintf(music.currentFile, sizeof music.currentFile, "%s", member);
  char archive[32];
  if (flow.stageSet > 0 && state == Play)
    std::snprintf(archive, sizeof archive, "_mp%d.loc", flow.stageSet);
  else
    std::snprintf(archive, sizeof archive, "%s", kMusicArchive);
  long copied = Extract(archive, member);
  if (copied <= 0 && std::strcmp(archive, kMusicArchive) != 0)
    copied = Extract(kMusicArchive, member);
  // Nothing to play: the piece stays current, so it is not tried again until another one
  // has been chosen.
  if (copied <= 0) return;
  platform::MusicPlayer* player = Player();
  if (!player) return;
  player->Open(app.musicScratchPath);
  player->Play();
  player->SetVolume(volumes.musicVolume);
}

}  // namespace

const char* MusicForState(int state, int stageNumber, char* out, int outSize) {
  const char* fixed = "";
  switch (state) {
    case Title:
    case Intro:
      fixed = "mp3\\SCNStart\\m0.mp3";
      break;
    case Play: {
      int spw = flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1;
      std::snprintf(out, static_cast<std::size_t>(outSize), "mp3\\SCNPlay_SFXLoop\\ploop%d.mp3",
                    stageNumber / spw + 1);
      return out;
    }
    case StageInfo:
      fixed = "mp3\\SCNPlayInfo\\m1.mp3";
      break;
    case PauseMenuState:
      fixed = "mp3\\SCNRetry\\m0.mp3";
      break;
    case Ending:
      fixed = "mp3\\SCNFin\\m1.mp3";
      break;
    default:
      break;
  }
  std::snprintf(out, static_cast<std::size_t>(outSize), "%s", fixed);
  return out;
}

void UpdateMusic(int state, int stageNumber) {
  platform::MusicPlayer* player = Player();
  if (volumes.musicVolume != music.appliedVolume) {
    if (player) player->SetVolume(volumes.musicVolume);
    music.appliedVolume = volumes.musicVolume;
  }
  if (state == Boot || state == TitleLoad || state == StageLoad) return;
  if (state != music.lastState || stageNumber != music.lastStage) {
    if (state == Editor) {
      // Silence while editing. The piece is forgotten too, so the state after the editor
      // starts its music again even when it is the piece that played before.
      StopAndCloseMusic();
      music.currentFile[0] = '\0';
    }
    char chosen[kMusicNameSize];
    MusicForState(state, stageNumber, chosen, sizeof chosen);
    if (std::strlen(chosen) > 4 && std::strcmp(chosen, music.currentFile) != 0)
      StartPiece(chosen, state);
  }
  music.lastState = state;
  music.lastStage = stageNumber;
}

void StopAndCloseMusic() {
  platform::MusicPlayer* player = Player();
  if (!player) return;
  player->Stop();
  player->Close();
}

}  // namespace vx
