#include "persist/saved_games.h"

#include <algorithm>
#include <cstdio>

#include "core/game_state.h"
#include "persist/best_times.h"
#include "persist/player_file.h"
#include "persist/record.h"
#include "storage/sealed.h"

namespace vx {

namespace {

// t stage number, A..J stage times, d..h world lock flags, s tries, i..m best world times,
// n..r last world times.
constexpr char kLetters[] = "tABCDEFGHIJdefghsijklmnopqr";
constexpr char kStageTimeLetters[] = "ABCDEFGHIJ";
constexpr char kFlagLetters[] = "defgh";
constexpr char kBestLetters[] = "ijklm";
constexpr char kLastLetters[] = "nopqr";

void FillCurrent(RecordValues& v) {
  v.value[Slot('t')] = flow.stageNumber;
  v.value[Slot('s')] = player.tries;
  for (int i = 0; i < kStageTimeCount; ++i)
    v.value[Slot(kStageTimeLetters[i])] = bestTimes.stageTimes[i];
  for (int w = 0; w < kWorldCount; ++w) {
    v.value[Slot(kFlagLetters[w])] = player.worldLocked[w] ? 1 : 0;
    v.value[Slot(kBestLetters[w])] = bestTimes.bestWorldTime[w];
    v.value[Slot(kLastLetters[w])] = bestTimes.lastWorldTime[w];
  }
}

void AdoptFlagsAndWorldTimes(const RecordValues& v) {
  for (int w = 0; w < kWorldCount; ++w) {
    player.worldLocked[w] = v.value[Slot(kFlagLetters[w])] != 0;
    bestTimes.bestWorldTime[w] = v.value[Slot(kBestLetters[w])];
    bestTimes.lastWorldTime[w] = v.value[Slot(kLastLetters[w])];
  }
}

// What parsing the current set's saved game found.
enum class SavedGameRead { Missing, Damaged, Parsed };

// Parses the current set's saved game into `values` (which start as the current values).
// *complete tells whether the record ended with '>'.
SavedGameRead ParseSavedGame(RecordValues& values, bool* complete) {
  char name[64];
  SavedGameName(flow.stageSet, name, sizeof name);
  *complete = false;
  FillCurrent(values);
  PlayerFileState state;
  std::FILE* file = OpenPlayerFile(name, &state);
  if (file) {
    RecordReader reader = MakeRecordReader(kLetters, true);
    *complete = ReadRecord(file, reader, values);
    std::fclose(file);
  }
  DeleteSealTemporaries();
  if (state == PlayerFileState::Missing) return SavedGameRead::Missing;
  return state == PlayerFileState::Damaged ? SavedGameRead::Damaged : SavedGameRead::Parsed;
}

// The stage number from the file, held to the stages of a set (five worlds): one outside
// them means the set's first stage, as a progress reset writes it for the sets after the
// first.
int SavedStage(const RecordValues& v) {
  const int perWorld = flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1;
  const int stage = v.value[Slot('t')];
  return stage >= 0 && stage < kWorldCount * perWorld ? stage : 0;
}

}  // namespace

void SavedGameName(int stageSet, char* out, int capacity) {
  std::snprintf(out, static_cast<std::size_t>(capacity), "saved%d.txt", stageSet);
}

int FormatSavedGame(char* out, int capacity) {
  const int* st = bestTimes.stageTimes;
  const bool* lock = player.worldLocked;
  const int* best = bestTimes.bestWorldTime;
  const int* last = bestTimes.lastWorldTime;
  int n = std::snprintf(out, static_cast<std::size_t>(capacity),
                        "t%d A%d B%d C%d D%d E%d F%d G%d H%d I%d J%d "
                        "d%d e%d f%d g%d h%d s%d "
                        "i%d j%d k%d l%d m%d n%d o%d p%d q%d r%d "
                        ">",
                        flow.stageNumber, st[0], st[1], st[2], st[3], st[4], st[5], st[6], st[7],
                        st[8], st[9], lock[0] ? 1 : 0, lock[1] ? 1 : 0, lock[2] ? 1 : 0,
                        lock[3] ? 1 : 0, lock[4] ? 1 : 0, player.tries, best[0], best[1], best[2],
                        best[3], best[4], last[0], last[1], last[2], last[3], last[4]);
  return FittedLength(n, capacity);
}

void WriteSavedGame() {
  char name[64];
  SavedGameName(flow.stageSet, name, sizeof name);
  char text[512];
  int length = FormatSavedGame(text, sizeof text);
  WritePlayerFile(name, text, static_cast<std::size_t>(length));
}

int ReadSavedGame(bool adopt) {
  RecordValues values;
  bool complete = false;
  const SavedGameRead read = ParseSavedGame(values, &complete);
  if (read == SavedGameRead::Missing) return -1;
  if (read == SavedGameRead::Damaged) return flow.stageNumber;
  if (adopt && complete) {
    flow.stageNumber = SavedStage(values);
    player.tries = std::clamp(values.value[Slot('s')], 0, kMostTriesShown);
    for (int i = 0; i < kStageTimeCount; ++i)
      bestTimes.stageTimes[i] = values.value[Slot(kStageTimeLetters[i])];
    AdoptFlagsAndWorldTimes(values);
  }
  return SavedStage(values);
}

int PeekSavedGame() {
  RecordValues values;
  bool complete = false;
  const SavedGameRead read = ParseSavedGame(values, &complete);
  if (read == SavedGameRead::Missing) return -1;
  if (read == SavedGameRead::Damaged) return flow.stageNumber;
  AdoptFlagsAndWorldTimes(values);
  return SavedStage(values);
}

void ResetProgress(bool clearLastTimes, bool resetBestTimes, bool throughSavedGame) {
  if (!clearLastTimes && !resetBestTimes) return;
  if (throughSavedGame) ReadSavedGame(true);
  if (clearLastTimes)
    for (int& t : bestTimes.lastWorldTime) t = 0;
  if (resetBestTimes)
    for (int& t : bestTimes.bestWorldTime) t = kResetBestWorldTime;
  if (throughSavedGame) {
    flow.stageNumber = flow.stagesPerWorld * flow.stageSet * kWorldCount;
    player.tries = 4;
    WriteSavedGame();
  }
}

}  // namespace vx
