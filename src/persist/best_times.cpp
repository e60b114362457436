#include "persist/best_times.h"

#include <algorithm>
#include <cstdio>

#include "core/game_state.h"
#include "persist/player_file.h"
#include "persist/record.h"
#include "storage/sealed.h"

namespace vx {

BestTimes bestTimes;

namespace {

// Letters a..e name the best world times of worlds 0..4, f..j the last world times.
constexpr char kLetters[] = "abcdefghij";

}  // namespace

int FormatBestTimes(char* out, int capacity) {
  const BestTimes& t = bestTimes;
  int n =
      std::snprintf(out, static_cast<std::size_t>(capacity), "a%db%dc%dd%de%df%dg%dh%di%dj%d>",
                    t.bestWorldTime[0], t.bestWorldTime[1], t.bestWorldTime[2], t.bestWorldTime[3],
                    t.bestWorldTime[4], t.lastWorldTime[0], t.lastWorldTime[1], t.lastWorldTime[2],
                    t.lastWorldTime[3], t.lastWorldTime[4]);
  return FittedLength(n, capacity);
}

bool WriteBestTimes() {
  char text[160];
  int length = FormatBestTimes(text, sizeof text);
  WritePlayerFile(kBestTimesFile, text, static_cast<std::size_t>(length));
  return true;
}

bool ReadBestTimes() {
  PlayerFileState state;
  std::FILE* file = OpenPlayerFile(kBestTimesFile, &state);
  if (!file) {
    DeleteSealTemporaries();
    return false;
  }
  RecordValues values;
  for (int w = 0; w < kWorldCount; ++w) {
    values.value[Slot(kLetters[w])] = bestTimes.bestWorldTime[w];
    values.value[Slot(kLetters[kWorldCount + w])] = bestTimes.lastWorldTime[w];
  }
  RecordReader reader = MakeRecordReader(kLetters, false);
  const bool complete = ReadRecord(file, reader, values);
  std::fclose(file);
  DeleteSealTemporaries();
  if (complete) {
    for (int w = 0; w < kWorldCount; ++w) {
      bestTimes.bestWorldTime[w] = values.value[Slot(kLetters[w])];
      bestTimes.lastWorldTime[w] = values.value[Slot(kLetters[kWorldCount + w])];
    }
  }
  return complete;
}

void RecordStageTime(int stageNumber, bool writeFile, int time) {
  const int perWorld = flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1;
  if (stageNumber < 0) return;
  const int place = stageNumber % perWorld;
  const int world = stageNumber / perWorld;
  if (place == 0)
    for (int& t : bestTimes.stageTimes) t = 0;
  if (place < kStageTimeCount) bestTimes.stageTimes[place] = time;
  if (place + 1 != perWorld) return;

  // The world's last stage: its time is the sum of the stage times, kept in wide arithmetic
  // and held within int so hand-made huge times cannot overflow.
  long long sum = 0;
  for (int t : bestTimes.stageTimes) sum += t;
  const int worldTime = static_cast<int>(std::clamp(sum, -2147483647LL, 2147483647LL));
  if (world < kWorldCount) {
    bestTimes.lastWorldTime[world] = worldTime;
    bestTimes.newRecord = worldTime < bestTimes.bestWorldTime[world];
    if (bestTimes.newRecord) bestTimes.bestWorldTime[world] = worldTime;
  }
  if (writeFile) WriteBestTimes();
}

}  // namespace vx
