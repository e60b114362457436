// Best and last world times and the stage times of the world in progress, kept in the
// sealed file "times.txt". Times are ticks of 1/60 second.
#pragma once

namespace vx {

inline constexpr int kWorldCount = 5;
inline constexpr int kStageTimeCount = 10;            // stage times support up to 10 stages a world
inline constexpr int kDefaultBestWorldTime = 216000;  // one hour
inline constexpr char kBestTimesFile[] = "times.txt";

struct BestTimes {
  int bestWorldTime[kWorldCount] = {kDefaultBestWorldTime, kDefaultBestWorldTime,
                                    kDefaultBestWorldTime, kDefaultBestWorldTime,
                                    kDefaultBestWorldTime};
  int lastWorldTime[kWorldCount] = {};
  int stageTimes[kStageTimeCount] = {};  // by place in the world, 0-based
  bool newRecord = false;                // the last world completion beat the best world time
};
extern BestTimes bestTimes;

// Writes "times.txt": "a%db%d...j%d>" with the five best, then the five last world times
// (keeping a damaged file's bytes as "times.txt.damaged" first). Always true.
bool WriteBestTimes();

// Reads "times.txt". True when a complete record was read; otherwise every value keeps its
// current contents. A damaged file is left as it is, and nothing of it is taken.
bool ReadBestTimes();

// Stores a cleared stage's time at its place in the world; when it was the world's last
// stage, sums the world time into the last world time, sets the new-record flag and the best
// time, and (with writeFile) writes the file. Places of 10 and more keep no stage time.
void RecordStageTime(int stageNumber, bool writeFile, int time);

// The plain text WriteBestTimes seals. Returns its length; `out` holds at least 128 bytes.
int FormatBestTimes(char* out, int capacity);

}  // namespace vx
