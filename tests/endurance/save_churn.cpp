// vx-save-churn: writes the player files through the game's own writers, over and over, for
// the kill test (save_kill.sh), and checks what a killed writer left behind.
//
//   vx-save-churn write DIR FIRST [COUNT]   generations FIRST, FIRST+1, ... (COUNT of them, or
//                                           until killed) of saved0.txt, times.txt,
//                                           settings.txt and display.txt, in that order
//   vx-save-churn check DIR                 every file must unseal to exactly the record of
//                                           one generation, none newer than the saved game
//                                           (written first in a round) and none older than
//                                           at the previous check
//
// Each generation g puts its own values in every field, so a record that mixes two writes,
// lost its end or went back to an older one cannot match any generation's text.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/volume.h"
#include "core/app_values.h"
#include "core/game_state.h"
#include "persist/best_times.h"
#include "persist/display_choice.h"
#include "persist/player_file.h"
#include "persist/saved_games.h"
#include "persist/settings.h"
#include "platform/headless/headless_dialogs.h"
#include "platform/platform.h"
#include "storage/sealed.h"

namespace {

using namespace vx;

constexpr int kFileCount = 4;
const char* const kFiles[kFileCount] = {"saved0.txt", "times.txt", "settings.txt", "display.txt"};
constexpr char kStateFile[] = "churn.state";  // the generations found at the previous check
constexpr long kBestBase = 1000000;

// Puts generation g's values into everything the four writers format.
void SetGeneration(long g) {
  const int gi = static_cast<int>(g);
  flow.stageSet = 0;
  flow.stageNumber = gi % 50;
  player.tries = gi % 10;
  for (int w = 0; w < 5; ++w) player.worldLocked[w] = ((g >> w) & 1) != 0;
  for (int k = 0; k < kStageTimeCount; ++k) bestTimes.stageTimes[k] = gi * 10 + k;
  for (int w = 0; w < kWorldCount; ++w) {
    bestTimes.bestWorldTime[w] = static_cast<int>(kBestBase + g * 5 + w);
    bestTimes.lastWorldTime[w] = gi + w;
  }
  app.requestedWindowSize[0] = app.requestedWindowSize[1] = 512;
  app.requestedWindowPos[0] = gi % 317;
  app.requestedWindowPos[1] = gi % 211;
  volumes.musicPercent = gi % 101;
  volumes.effectsPercent = (gi / 101) % 101;
  app.desktopWidth = 1280;
  app.desktopHeight = 1024;
  app.fullscreen = (g & 1) != 0;
}

std::string Formatted(int file, long g) {
  SetGeneration(g);
  char text[512];
  int n = 0;
  switch (file) {
    case 0:
      n = FormatSavedGame(text, sizeof text);
      break;
    case 1:
      n = FormatBestTimes(text, sizeof text);
      break;
    case 2:
      n = FormatSettings(text, sizeof text);
      break;
    default:
      n = FormatDisplayChoice(text, sizeof text);
      break;
  }
  return std::string(text, static_cast<std::size_t>(n));
}

void WriteFile(int file) {
  switch (file) {
    case 0:
      WriteSavedGame();
      break;
    case 1:
      WriteBestTimes();
      break;
    case 2:
      WriteSettings();
      break;
    default:
      WriteDisplayChoice();
      break;
  }
}

int Write(long first, long count) {
  for (long g = first; count == 0 || g < first + count; ++g) {
    SetGeneration(g);
    for (int f = 0; f < kFileCount; ++f) WriteFile(f);
  }
  return 0;
}

// The plain text of a player file; false (with `why`) when it is missing or does not unseal.
bool Unsealed(const char* name, std::string* text, std::string* why) {
  PlayerFileState state;
  std::FILE* file = OpenPlayerFile(name, &state);
  if (!file) {
    DeleteSealTemporaries();
    *why = state == PlayerFileState::Missing ? "missing" : "does not unseal";
    return false;
  }
  text->clear();
  char block[512];
  std::size_t n = 0;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0) text->append(block, n);
  std::fclose(file);
  DeleteSealTemporaries();
  return true;
}

// The generation whose text is `text`, looked for among `low` .. `high`; -1 when none.
long MatchGeneration(int file, const std::string& text, long low, long high) {
  for (long g = high; g >= low && g >= 0; --g)
    if (Formatted(file, g) == text) return g;
  return -1;
}

// The game's own reader must take the file as a complete record too.
bool ReaderTakesIt(int file) {
  switch (file) {
    case 0:
      return ReadSavedGame(true) >= 0;
    case 1:
      return ReadBestTimes();
    case 2:
      return ReadSettings();
    default:
      return ReadDisplayChoice();
  }
}

int Check() {
  long previous[kFileCount] = {-1, -1, -1, -1};
  if (std::FILE* s = std::fopen(kStateFile, "r")) {
    for (long& p : previous)
      if (std::fscanf(s, "%ld", &p) != 1) p = -1;
    std::fclose(s);
  }
  std::string texts[kFileCount];
  int failures = 0;
  for (int f = 0; f < kFileCount; ++f) {
    std::string why;
    if (!Unsealed(kFiles[f], &texts[f], &why)) {
      std::printf("FAIL %s: %s\n", kFiles[f], why.c_str());
      ++failures;
    }
  }
  if (failures > 0) return 1;
  // The saved game is written first in every round and carries its generation in its best
  // world time: no file can be newer. A writer started again begins a new round after the
  // saved game's, so the other files may lag several rounds behind, but never behind what
  // the previous check found, and within a round they are written in order.
  long g[kFileCount] = {};
  const std::size_t at = texts[0].find(" i");
  const long saved =
      at == std::string::npos ? -1 : (std::atol(texts[0].c_str() + at + 2) - kBestBase) / 5;
  for (int f = 0; f < kFileCount; ++f) {
    const long oldest = previous[f] >= 0 ? previous[f] : 0;
    g[f] = MatchGeneration(f, texts[f], oldest, saved);
    if (g[f] < 0) {
      std::printf("FAIL %s: \"%s\" is no record of generations %ld .. %ld\n", kFiles[f],
                  texts[f].c_str(), oldest, saved);
      ++failures;
      continue;
    }
    // The display choice holds one bit: its generation is only the newest that fits.
    if (f > 0 && f < kFileCount - 1 && g[f] > g[f - 1]) {
      std::printf("FAIL %s: generation %ld is newer than %s's %ld, written before it\n", kFiles[f],
                  g[f], kFiles[f - 1], g[f - 1]);
      ++failures;
    }
    if (!ReaderTakesIt(f)) {
      std::printf("FAIL %s: the game's reader does not take it as a complete record\n", kFiles[f]);
      ++failures;
    }
  }
  if (failures > 0) return 1;
  if (std::FILE* s = std::fopen(kStateFile, "w")) {
    std::fprintf(s, "%ld %ld %ld %ld\n", g[0], g[1], g[2], g[3]);
    std::fclose(s);
  }
  std::printf("ok %ld %ld %ld %ld\n", g[0], g[1], g[2], g[3]);
  return 0;
}

bool ParseCount(const char* text, long* out) {
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0' || errno == ERANGE || v < 0 || v > 100000000L) return false;
  *out = v;
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: vx-save-churn write DIR FIRST [COUNT]\n"
               "       vx-save-churn check DIR\n");
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  static platform::HeadlessDialogs dialogs;
  dialogs.echoToStderr = true;
  platform::backend.dialogs = &dialogs;
  if (argc < 3) return Usage();
  if (chdir(argv[2]) != 0) {
    std::fprintf(stderr, "vx-save-churn: cannot enter %s\n", argv[2]);
    return 66;
  }
  long first = 0, count = 0;
  if (std::strcmp(argv[1], "write") == 0 && (argc == 4 || argc == 5) &&
      ParseCount(argv[3], &first) && (argc == 4 || ParseCount(argv[4], &count)))
    return Write(first, count);
  if (std::strcmp(argv[1], "check") == 0 && argc == 3) return Check();
  return Usage();
}
