// Best times, settings and saved games: the exact text each writer seals, and what each
// reader makes of records written by the game, by hand, cut short or damaged.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "core/game_state.h"
#include "persist/best_times.h"
#include "persist/record.h"
#include "persist/saved_games.h"
#include "persist/settings.h"
#include "platform/files.h"
#include "screens/stage_info.h"
#include "screens/world_select.h"
#include "storage/sealed.h"
#include "test_support.h"

namespace vx {
namespace {

namespace files = platform::files;
using test::ReadFile;
using test::WriteFile;

constexpr char kDefaultTimes[] = "a216000b216000c216000d216000e216000f0g0h0i0j0>";
constexpr char kFreshGame[] =
    "t0 A0 B0 C0 D0 E0 F0 G0 H0 I0 J0 d0 e1 f1 g1 h1 s4 "
    "i216000 j216000 k216000 l216000 m216000 n0 o0 p0 q0 r0 >";

class RecordsTest : public ::testing::Test {
 protected:
  void SetUp() override { test::InstallHeadless(); }

  // The plain text inside a sealed player file.
  static std::string Unsealed(const char* name) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s", name);
    EXPECT_TRUE(OpenSealedTextFile(buffer)) << name;
    std::string text = files::Exists(buffer) ? ReadFile(buffer) : "<missing>";
    DeleteSealTemporaries();
    return text;
  }

  // Writes `plain` sealed under `name`, as the game would.
  static void WriteSealed(const char* name, const std::string& plain) {
    ASSERT_TRUE(WriteSealedText(name, plain.data(), plain.size()));
    DeleteSealTemporaries();
  }

  static void ExpectNoTemporaries() {
    EXPECT_FALSE(files::Exists("dummy"));
    EXPECT_FALSE(files::Exists("ready"));
  }

  test::TempWorkDir dir_;
};

// ---- The shared record reader ----

TEST(RecordReaderTest, FieldsEndAtTheirLettersOrAtAnyLetter) {
  struct Case {
    const char* text;
    bool anyLetter;
    int a, b;  // values of a and b after reading (both start at -1)
    bool complete;
  } cases[] = {
      {"a100b200>", false, 100, 200, true},
      {"a1 2 3>", false, 123, -1, true},  // skipped characters do not split digits
      {"a-12>", false, 12, -1, true},     // '-' is skipped too
      {"ab7>", false, 0, 7, true},        // a letter followed by a letter stores 0
      {"5a6", false, -1, -1, false},      // no '>': a is never closed
      {"a1x2b3>", false, 12, 3, true},    // x is no field letter and ends nothing
      {"a1x2b3>", true, 1, 3, true},      // ... unless every letter ends a field
      {"a1>b2>", false, 1, -1, true},     // the record ends at the first '>'
      {"9b4>", false, -1, 4, true},       // digits before any letter go nowhere
  };
  for (const Case& c : cases) {
    RecordValues values;
    values.value[Slot('a')] = values.value[Slot('b')] = -1;
    RecordReader reader = MakeRecordReader("ab", c.anyLetter);
    for (const char* p = c.text; *p; ++p)
      if (!FeedRecord(reader, static_cast<unsigned char>(*p), values)) break;
    EXPECT_EQ(values.value[Slot('a')], c.a) << c.text;
    EXPECT_EQ(values.value[Slot('b')], c.b) << c.text;
    EXPECT_EQ(reader.complete, c.complete) << c.text;
  }
}

TEST(RecordReaderTest, LongDigitRunsAreHeldAtTheIntMaximum) {
  RecordValues values;
  RecordReader reader = MakeRecordReader("a", false);
  std::string text = "a" + std::string(5000, '9') + ">";
  for (char c : text) FeedRecord(reader, static_cast<unsigned char>(c), values);
  EXPECT_EQ(values.value[Slot('a')], INT_MAX);
  // Bytes above 127 and zero bytes are plain skipped characters.
  reader = MakeRecordReader("a", false);
  const unsigned char odd[] = {'a', 0xE9, '4', 0, 0xFF, '2', '>'};
  for (unsigned char c : odd) FeedRecord(reader, c, values);
  EXPECT_EQ(values.value[Slot('a')], 42);
}

// ---- Best times ----

TEST_F(RecordsTest, DefaultBestTimesWriteTheirExactText) {
  EXPECT_TRUE(WriteBestTimes());
  EXPECT_EQ(ReadFile("times.txt").substr(0, 15), "encryption v2.0");
  EXPECT_EQ(Unsealed("times.txt"), kDefaultTimes);
  ExpectNoTemporaries();
}

TEST_F(RecordsTest, BestTimesRoundTripThroughTheSeal) {
  for (int w = 0; w < kWorldCount; ++w) {
    bestTimes.bestWorldTime[w] = 1000 + w;
    bestTimes.lastWorldTime[w] = 2000 + w;
  }
  WriteBestTimes();
  EXPECT_EQ(Unsealed("times.txt"), "a1000b1001c1002d1003e1004f2000g2001h2002i2003j2004>");
  bestTimes = BestTimes{};
  EXPECT_TRUE(ReadBestTimes());
  for (int w = 0; w < kWorldCount; ++w) {
    EXPECT_EQ(bestTimes.bestWorldTime[w], 1000 + w);
    EXPECT_EQ(bestTimes.lastWorldTime[w], 2000 + w);
  }
}

TEST_F(RecordsTest, ReadingBestTimes) {
  struct Case {
    const char* what;
    std::string plain;
    bool result;
    int best0, best1, best4, last4;
  } cases[] = {
      {"two fields", "a100b200>", true, 100, 200, 216000, 0},
      {"split digits", "a1 2 3>", true, 123, 216000, 216000, 0},
      {"the last field", "j77>", true, 216000, 216000, 216000, 77},
      {"no closing '>'", "a100b200", false, 216000, 216000, 216000, 0},
      {"empty", "", false, 216000, 216000, 216000, 0},
      {"binary", std::string("\x01\xfe\x00\x80>", 5), true, 216000, 216000, 216000, 0},
      {"a digit run of thousands", "b" + std::string(3000, '7') + ">", true, 216000, INT_MAX,
       216000, 0},
  };
  for (const Case& c : cases) {
    bestTimes = BestTimes{};
    WriteSealed("times.txt", c.plain);
    EXPECT_EQ(ReadBestTimes(), c.result) << c.what;
    EXPECT_EQ(bestTimes.bestWorldTime[0], c.best0) << c.what;
    EXPECT_EQ(bestTimes.bestWorldTime[1], c.best1) << c.what;
    EXPECT_EQ(bestTimes.bestWorldTime[4], c.best4) << c.what;
    EXPECT_EQ(bestTimes.lastWorldTime[4], c.last4) << c.what;
  }
  // A file written by hand without any seal reads the same.
  bestTimes = BestTimes{};
  WriteFile("times.txt", "c5>");
  EXPECT_TRUE(ReadBestTimes());
  EXPECT_EQ(bestTimes.bestWorldTime[2], 5);
}

TEST_F(RecordsTest, MissingBestTimesKeepTheDefaults) {
  EXPECT_FALSE(ReadBestTimes());
  EXPECT_EQ(bestTimes.bestWorldTime[0], 216000);
  EXPECT_EQ(bestTimes.lastWorldTime[0], 0);
  EXPECT_FALSE(files::Exists("times.txt"));
}

TEST_F(RecordsTest, StageTimesMakeWorldTimesAndRecords) {
  flow.stagesPerWorld = 3;
  bestTimes.stageTimes[5] = 999;  // a leftover from a longer world
  RecordStageTime(0, true, 600);
  EXPECT_EQ(bestTimes.stageTimes[5], 0) << "the first stage of a world clears the table";
  RecordStageTime(1, true, 700);
  EXPECT_FALSE(files::Exists("times.txt")) << "only a world's last stage writes the file";
  RecordStageTime(2, true, 800);
  EXPECT_EQ(bestTimes.lastWorldTime[0], 2100);
  EXPECT_EQ(bestTimes.bestWorldTime[0], 2100);
  EXPECT_TRUE(bestTimes.newRecord);
  EXPECT_EQ(Unsealed("times.txt"), "a2100b216000c216000d216000e216000f2100g0h0i0j0>");

  // The same world time again is no record; a slower one neither, but it is the last time.
  RecordStageTime(0, false, 700);
  RecordStageTime(1, false, 700);
  RecordStageTime(2, false, 700);
  EXPECT_FALSE(bestTimes.newRecord);
  EXPECT_EQ(bestTimes.bestWorldTime[0], 2100);
  RecordStageTime(3, false, 1000);
  RecordStageTime(4, false, 1000);
  RecordStageTime(5, false, 1000);
  EXPECT_TRUE(bestTimes.newRecord);  // world 1 against the default hour
  EXPECT_EQ(bestTimes.lastWorldTime[1], 3000);
  EXPECT_EQ(bestTimes.bestWorldTime[1], 3000);
  EXPECT_EQ(Unsealed("times.txt"), "a2100b216000c216000d216000e216000f2100g0h0i0j0>")
      << "...but without writeFile nothing is written";
}

TEST_F(RecordsTest, StageTimesNeverGoPastTheirTable) {
  // Twelve stages a world: places 10 and 11 keep no time, the world still completes.
  flow.stagesPerWorld = 12;
  for (int s = 0; s < 12; ++s) RecordStageTime(s, false, 100);
  EXPECT_EQ(bestTimes.lastWorldTime[0], 1000);
  // Stage numbers past the fifth world change no world time.
  flow.stagesPerWorld = 1;
  const BestTimes before = bestTimes;
  RecordStageTime(7, false, 5);
  for (int w = 0; w < kWorldCount; ++w) {
    EXPECT_EQ(bestTimes.bestWorldTime[w], before.bestWorldTime[w]);
    EXPECT_EQ(bestTimes.lastWorldTime[w], before.lastWorldTime[w]);
  }
  EXPECT_EQ(bestTimes.stageTimes[0], 5);
  // A negative stage number is ignored: no stage time, no world time.
  RecordStageTime(-3, false, 9);
  EXPECT_EQ(bestTimes.stageTimes[0], 5);
  for (int w = 0; w < kWorldCount; ++w) {
    EXPECT_EQ(bestTimes.bestWorldTime[w], before.bestWorldTime[w]);
    EXPECT_EQ(bestTimes.lastWorldTime[w], before.lastWorldTime[w]);
  }
}

// ---- Settings ----

TEST(VolumeTest, PercentToAttenuation) {
  const int cases[][2] = {{0, -10000}, {1, -5940}, {50, -3000}, {99, -60},
                          {100, 0},    {150, 0},   {-5, -10000}};
  for (const auto& c : cases) EXPECT_EQ(VolumeAttenuation(c[0]), c[1]) << c[0];
}

TEST_F(RecordsTest, SettingsWriteTheirExactText) {
  ComputeFitSize(1280, 1024);
  app.requestedWindowSize[0] = app.requestedWindowSize[1] = 600;
  app.requestedWindowPos[0] = 10;
  app.requestedWindowPos[1] = 20;
  volumes.musicPercent = 50;
  volumes.effectsPercent = 0;
  WriteSettings();
  EXPECT_EQ(Unsealed("settings.txt"), "w600h600x10y20m50s0a1280b1024>");
  ExpectNoTemporaries();

  app.requestedWindowSize[0] = app.requestedWindowSize[1] = 512;
  volumes = Volumes{};
  EXPECT_TRUE(ReadSettings());
  EXPECT_EQ(app.requestedWindowSize[0], 600);
  EXPECT_EQ(volumes.musicPercent, 50);
  EXPECT_EQ(volumes.effectsVolume, -10000);
}

TEST_F(RecordsTest, ReadingSettings) {
  struct Case {
    const char* what;
    const char* plain;  // nullptr: no file
    int desktopW, desktopH;
    bool result;
    int w, h, x, y, musicVolume, effectsVolume;  // music: the player's 0..1000
  } cases[] = {
      {"no file", nullptr, 1280, 1024, false, 974, 974, 153, 0, 1000, 0},
      {"same desktop", "w600h600x10y20m50s0a1280b1024>", 1280, 1024, true, 600, 600, 10, 20, 500,
       -10000},
      {"another desktop", "w600h600x10y20m50s0a1280b1024>", 1024, 768, true, 718, 718, 153, 0, 500,
       -10000},
      // Nothing is adopted, and b was never closed: the fit window.
      {"no closing '>'", "w600h600x10y20m50s0a1280b1024", 1280, 1024, false, 974, 974, 153, 0, 1000,
       0},
      {"no '>', desktop size read", "a1280b1024w600", 1280, 1024, false, 512, 512, 0, 0, 1000, 0},
      {"no desktop size", "w600h600m1>", 1280, 1024, true, 974, 974, 153, 0, 10, 0},
      {"volume beyond 100", "m400s-20a1280b1024>", 1280, 1024, true, 512, 512, 0, 0, 1000, -4800},
  };
  for (const Case& c : cases) {
    test::ResetCoreState();
    files::Delete("settings.txt");
    if (c.plain) WriteSealed("settings.txt", c.plain);
    ComputeFitSize(c.desktopW, c.desktopH);
    EXPECT_EQ(ReadSettings(), c.result) << c.what;
    EXPECT_EQ(app.requestedWindowSize[0], c.w) << c.what;
    EXPECT_EQ(app.requestedWindowSize[1], c.h) << c.what;
    EXPECT_EQ(app.requestedWindowPos[0], c.x) << c.what;
    EXPECT_EQ(app.requestedWindowPos[1], c.y) << c.what;
    EXPECT_EQ(volumes.musicVolume, c.musicVolume) << c.what;
    EXPECT_EQ(volumes.effectsVolume, c.effectsVolume) << c.what;
    ExpectNoTemporaries();
  }
}

// Window placement and volumes from the file are held to what the settings screen can make
// (sizes in steps of 50, shrunk only while above 200 and grown only while below 1024, so
// 151..1073, or the fit size), to the desktop, and to a place where the whole window shows.
TEST_F(RecordsTest, SettingsValuesAreHeldToWhatTheGameCanShow) {
  struct Case {
    const char* what;
    const char* values;  // the record before its desktop size
    int desktopW, desktopH;
    int w, h, x, y, music, effects;
  } cases[] = {
      {"what the screen makes stays", "w162h162x919y20m0s100", 1280, 1024, 162, 162, 919, 20, 0,
       100},
      {"its largest, on a desktop that holds it", "w1073h1073x100y50m1s1", 1920, 1200, 1073, 1073,
       100, 50, 1, 1},
      {"the fit size of a wide desktop", "w1390h1390x1865y0m5s5", 5120, 1440, 1390, 1390, 1865, 0,
       5, 5},
      {"larger than the desktop", "w2147483647h2147483647x10y20m50s50", 1280, 1024, 1024, 1024, 10,
       0, 50, 50},
      {"larger than the screen makes", "w1500h1500x0y0m50s50", 1920, 1200, 1150, 1150, 0, 0, 50,
       50},
      {"height alone too large", "w600h5000x0y0m50s50", 1280, 1024, 600, 1024, 0, 0, 50, 50},
      {"smaller than the screen makes", "w0h10x0y0m50s50", 1280, 1024, 151, 151, 0, 0, 50, 50},
      {"off the desktop", "w600h600x99999y2147483647m50s50", 1280, 1024, 600, 600, 680, 424, 50,
       50},
      {"volumes past their ends", "w600h600x0y0m400s2147483647", 1280, 1024, 600, 600, 0, 0, 100,
       100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::ResetCoreState();
    const std::string plain = std::string(c.values) + "a" + std::to_string(c.desktopW) + "b" +
                              std::to_string(c.desktopH) + ">";
    WriteSealed("settings.txt", plain);
    ComputeFitSize(c.desktopW, c.desktopH);
    EXPECT_TRUE(ReadSettings());
    EXPECT_EQ(app.requestedWindowSize[0], c.w);
    EXPECT_EQ(app.requestedWindowSize[1], c.h);
    EXPECT_EQ(app.requestedWindowPos[0], c.x);
    EXPECT_EQ(app.requestedWindowPos[1], c.y);
    EXPECT_EQ(volumes.musicPercent, c.music);
    EXPECT_EQ(volumes.effectsPercent, c.effects);
  }
}

// ---- Saved games ----

class SavedGameTest : public RecordsTest {
 protected:
  // A fresh game: stage 0, world 0 open, the others locked, 4 tries, default times.
  static void FreshGame() {
    flow.stageNumber = 0;
    player.tries = 4;
    for (int w = 0; w < 5; ++w) player.worldLocked[w] = w > 0;
  }
};

TEST_F(SavedGameTest, AFreshGameWritesItsExactText) {
  FreshGame();
  WriteSavedGame();
  EXPECT_EQ(Unsealed("saved0.txt"), kFreshGame);
  ExpectNoTemporaries();
  flow.stageSet = 2;
  WriteSavedGame();
  EXPECT_EQ(Unsealed("saved2.txt"), kFreshGame);
}

TEST_F(SavedGameTest, ReadingWithAdoptTakesEverythingBack) {
  flow.stageNumber = 13;
  player.tries = 2;
  for (int i = 0; i < kStageTimeCount; ++i) bestTimes.stageTimes[i] = 100 + i;
  for (int w = 0; w < kWorldCount; ++w) {
    player.worldLocked[w] = w % 2 == 1;
    bestTimes.bestWorldTime[w] = 5000 + w;
    bestTimes.lastWorldTime[w] = 6000 + w;
  }
  WriteSavedGame();
  const BestTimes written = bestTimes;
  test::ResetCoreState();
  EXPECT_EQ(ReadSavedGame(false), 13);
  EXPECT_EQ(flow.stageNumber, 0) << "without adopt nothing is taken";
  EXPECT_EQ(ReadSavedGame(true), 13);
  EXPECT_EQ(flow.stageNumber, 13);
  EXPECT_EQ(player.tries, 2);
  for (int i = 0; i < kStageTimeCount; ++i) EXPECT_EQ(bestTimes.stageTimes[i], 100 + i);
  for (int w = 0; w < kWorldCount; ++w) {
    EXPECT_EQ(player.worldLocked[w], w % 2 == 1) << w;
    EXPECT_EQ(bestTimes.bestWorldTime[w], written.bestWorldTime[w]) << w;
    EXPECT_EQ(bestTimes.lastWorldTime[w], written.lastWorldTime[w]) << w;
  }
  ExpectNoTemporaries();
}

TEST_F(SavedGameTest, ReadersOnHandMadeRecords) {
  struct Case {
    const char* what;
    const char* plain;
    int result;        // both readers return this
    bool adopted;      // ReadSavedGame(true) took the record over
    int stage, tries;  // after ReadSavedGame(true)
    bool locked0;      // world 0's flag after PeekSavedGame
    int last4;         // the last field r after PeekSavedGame
  } cases[] = {
      {"flag 7 is locked", "t5 d7 e0 f0 g0 h0 s3 r55 >", 5, true, 5, 3, true, 55},
      // r is never closed, d is closed by r; nothing of it is adopted by the full read.
      {"no closing '>'", "t9 s2 d1 r44", 9, false, 0, 4, true, 0},
      {"no t field", "s1 d0 >", 0, true, 0, 1, false, 0},
      {"other letters end a field", "t12x34 s3 d0>", 12, true, 12, 3, false, 0},
      {"a digit run of thousands", "t1 d00000000000000000000000000000000000000000000001 >", 1, true,
       1, 4, true, 0},
      {"binary", "\x01\x02\xff t3 >", 3, true, 3, 4, false, 0},
  };
  for (const Case& c : cases) {
    test::ResetCoreState();
    WriteSealed("saved0.txt", c.plain);
    EXPECT_EQ(PeekSavedGame(), c.result) << c.what;
    EXPECT_EQ(flow.stageNumber, 0) << c.what << ": peeking takes no stage number";
    EXPECT_EQ(player.tries, 4) << c.what << ": peeking takes no tries";
    EXPECT_EQ(player.worldLocked[0], c.locked0) << c.what;
    EXPECT_EQ(bestTimes.lastWorldTime[4], c.last4) << c.what;

    test::ResetCoreState();
    EXPECT_EQ(ReadSavedGame(true), c.result) << c.what;
    EXPECT_EQ(flow.stageNumber, c.stage) << c.what;
    EXPECT_EQ(player.tries, c.tries) << c.what;
    if (c.adopted) {
      EXPECT_EQ(player.worldLocked[0], c.locked0) << c.what;
      EXPECT_EQ(bestTimes.lastWorldTime[4], c.last4) << c.what;
    } else {
      EXPECT_FALSE(player.worldLocked[0]) << c.what << ": an unfinished record is not adopted";
      EXPECT_EQ(bestTimes.lastWorldTime[4], 0) << c.what;
    }
  }
}

// The stage number is held to the stages of a set (five worlds); one outside them is the
// set's first stage. Tries are held to the one digit the tries display has.
TEST_F(SavedGameTest, StageAndTriesAreHeldToWhatTheGameCanUse) {
  struct Case {
    const char* plain;
    int stagesPerWorld;
    int stage, tries;
  } cases[] = {
      {"t499 s4 >", 100, 499, 4}, {"t500 s4 >", 100, 0, 4},        {"t2147483647 s4 >", 100, 0, 4},
      {"t14 s1 >", 3, 14, 1},     {"t15 s1 >", 3, 0, 1},           {"t3 s9 >", 100, 3, 9},
      {"t3 s10 >", 100, 3, 9},    {"t3 s2147483647 >", 100, 3, 9}, {"t3 s0 >", 100, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plain);
    test::ResetCoreState();
    flow.stagesPerWorld = c.stagesPerWorld;
    WriteSealed("saved0.txt", c.plain);
    EXPECT_EQ(PeekSavedGame(), c.stage);
    EXPECT_EQ(ReadSavedGame(true), c.stage);
    EXPECT_EQ(flow.stageNumber, c.stage);
    EXPECT_EQ(player.tries, c.tries);
  }
}

TEST_F(SavedGameTest, NoSavedGame) {
  flow.stageNumber = 8;
  EXPECT_EQ(ReadSavedGame(true), -1);
  EXPECT_EQ(PeekSavedGame(), -1);
  EXPECT_EQ(flow.stageNumber, 8);
  WriteSavedGame();
  flow.stageSet = 1;
  EXPECT_EQ(ReadSavedGame(false), -1) << "each stage set has its own saved game";
}

TEST_F(SavedGameTest, ResetProgress) {
  // Without either reset nothing happens, not even the read.
  WriteSealed("saved0.txt", "t42 s1 i1 n2 >");
  const std::string stored = ReadFile("saved0.txt");
  flow.stageNumber = 3;
  bestTimes.lastWorldTime[0] = 77;
  ResetProgress(false, false, true);
  EXPECT_EQ(flow.stageNumber, 3);
  EXPECT_EQ(player.tries, 4);
  EXPECT_EQ(bestTimes.lastWorldTime[0], 77);
  EXPECT_EQ(bestTimes.bestWorldTime[0], 216000);
  EXPECT_EQ(ReadFile("saved0.txt"), stored);

  // Not through the saved game: the times only, no file.
  ResetProgress(true, true, false);
  EXPECT_EQ(bestTimes.lastWorldTime[0], 0);
  EXPECT_EQ(bestTimes.bestWorldTime[3], 432000);
  EXPECT_EQ(ReadFile("saved0.txt"), stored);

  // Through the saved game of set 1 with 3 stages a world: read, reset, write back at the
  // set's first stage with 4 tries.
  test::ResetCoreState();
  flow.stageSet = 1;
  flow.stagesPerWorld = 3;
  WriteSealed("saved1.txt", "t20 A9 s1 d0 e0 f1 g1 h1 i1 j2 n3 o4 >");
  ResetProgress(true, false, true);
  EXPECT_EQ(Unsealed("saved1.txt"),
            "t15 A9 B0 C0 D0 E0 F0 G0 H0 I0 J0 d0 e0 f1 g1 h1 s4 "
            "i1 j2 k216000 l216000 m216000 n0 o0 p0 q0 r0 >");
}

// ---- Damaged player files ----

// Every value a player-file reader can change, from all three files.
std::vector<int> PlayerValues() {
  std::vector<int> v = {app.requestedWindowSize[0], app.requestedWindowSize[1],
                        app.requestedWindowPos[0],  app.requestedWindowPos[1],
                        volumes.musicPercent,       volumes.effectsPercent,
                        volumes.effectsVolume,      volumes.musicVolume,
                        flow.stageNumber,           player.tries};
  for (int t : bestTimes.stageTimes) v.push_back(t);
  for (int w = 0; w < kWorldCount; ++w) {
    v.push_back(bestTimes.bestWorldTime[w]);
    v.push_back(bestTimes.lastWorldTime[w]);
    v.push_back(player.worldLocked[w]);
  }
  return v;
}

// The player files a test damages: how the game writes each, and every reader of it.
struct PlayerFile {
  const char* name;
  void (*write)();
  void (*readAll)();
};

const PlayerFile kPlayerFiles[] = {
    {"times.txt", [] { WriteBestTimes(); }, [] { EXPECT_FALSE(ReadBestTimes()); }},
    {"settings.txt", WriteSettings, [] { EXPECT_FALSE(ReadSettings()); }},
    {"saved0.txt", WriteSavedGame,
     [] {
       // The file is there, so the readers report the stage they stand at, and take nothing.
       const int stage = flow.stageNumber;
       EXPECT_EQ(PeekSavedGame(), stage);
       EXPECT_EQ(ReadSavedGame(false), stage);
       EXPECT_EQ(ReadSavedGame(true), stage);
     }},
};

class DamagedPlayerFileTest : public RecordsTest {
 protected:
  // The files live in the file layer's memory files: thousands of damaged copies are read in
  // a blink, through the same readers and writers.
  void SetUp() override {
    RecordsTest::SetUp();
    ComputeFitSize(1280, 1024);
    files::UseMemoryFiles(true);
  }
  static void WriteFile(const std::string& name, const std::string& bytes) {
    files::PutMemoryFile(name.c_str(), bytes);
  }
  static std::string ReadFile(const std::string& name) {
    const std::string* bytes = files::MemoryFile(name.c_str());
    return bytes ? *bytes : "<missing>";
  }

  // The values the files are written with; each differs from its counterpart in Standing().
  static void Written() {
    app.requestedWindowSize[0] = app.requestedWindowSize[1] = 600;
    app.requestedWindowPos[0] = 10;
    app.requestedWindowPos[1] = 20;
    volumes.musicPercent = 50;
    volumes.effectsPercent = 30;
    ApplyVolumePercents();
    flow.stageNumber = 13;
    player.tries = 2;
    for (int i = 0; i < kStageTimeCount; ++i) bestTimes.stageTimes[i] = 100 + i;
    for (int w = 0; w < kWorldCount; ++w) {
      bestTimes.bestWorldTime[w] = 1000 + w;
      bestTimes.lastWorldTime[w] = 2000 + w;
      player.worldLocked[w] = w % 2 == 0;
    }
  }

  // The values in memory when a damaged file is read.
  static void Standing() {
    app.requestedWindowSize[0] = app.requestedWindowSize[1] = 700;
    app.requestedWindowPos[0] = 30;
    app.requestedWindowPos[1] = 40;
    volumes.musicPercent = 70;
    volumes.effectsPercent = 90;
    ApplyVolumePercents();
    flow.stageNumber = 4;
    player.tries = 3;
    for (int i = 0; i < kStageTimeCount; ++i) bestTimes.stageTimes[i] = 300 + i;
    for (int w = 0; w < kWorldCount; ++w) {
      bestTimes.bestWorldTime[w] = 3000 + w;
      bestTimes.lastWorldTime[w] = 4000 + w;
      player.worldLocked[w] = w % 2 == 1;
    }
  }

  // The sealed bytes the game writes for `file` from Written().
  static std::string Sealed(const PlayerFile& file) {
    Written();
    file.write();
    return ReadFile(file.name);
  }

  // Stores `bytes` as the file, runs its readers on Standing() and expects nothing to change:
  // no value, not the stored file, and no temporaries left.
  static void ExpectReadChangesNothing(const PlayerFile& file, const std::string& bytes) {
    WriteFile(file.name, bytes);
    Standing();
    const std::vector<int> before = PlayerValues();
    file.readAll();
    EXPECT_EQ(PlayerValues(), before);
    EXPECT_EQ(ReadFile(file.name), bytes) << "a reader never rewrites a player file";
    ExpectNoTemporaries();
  }
};

// The fixture holds what it claims: the intact files carry every written value back.
TEST_F(DamagedPlayerFileTest, IntactFilesAreReadBack) {
  for (const PlayerFile& file : kPlayerFiles) Sealed(file);
  Standing();
  EXPECT_TRUE(ReadBestTimes());
  EXPECT_TRUE(ReadSettings());
  EXPECT_EQ(ReadSavedGame(true), 13);
  const std::vector<int> read = PlayerValues();
  Written();
  EXPECT_EQ(read, PlayerValues());
}

// Every single-byte change (all 255 other values, at every position of a real sealed file)
// is refused whole.
TEST_F(DamagedPlayerFileTest, EverySingleByteChangeLeavesEveryValue) {
  for (const PlayerFile& file : kPlayerFiles) {
    const std::string good = Sealed(file);
    for (std::size_t at = 0; at < good.size(); ++at) {
      for (int change = 1; change < 256; ++change) {
        SCOPED_TRACE(std::string(file.name) + " byte " + std::to_string(at) + " changed by " +
                     std::to_string(change));
        std::string bad = good;
        bad[at] = static_cast<char>(static_cast<unsigned char>(bad[at]) + change);
        ExpectReadChangesNothing(file, bad);
        if (HasFailure()) return;
      }
    }
  }
}

TEST_F(DamagedPlayerFileTest, CutOrExtendedFilesLeaveEveryValue) {
  for (const PlayerFile& file : kPlayerFiles) {
    const std::string good = Sealed(file);
    // Cut anywhere (an empty file holds nothing: it reads like a file without a record).
    for (std::size_t length = 1; length < good.size(); ++length) {
      SCOPED_TRACE(std::string(file.name) + " cut to " + std::to_string(length));
      ExpectReadChangesNothing(file, good.substr(0, length));
      if (HasFailure()) return;
    }
    const std::string lastWord = good.substr(good.size() - 2);
    const std::string extended[] = {good + 'x', good + std::string(2, '\0'), good + lastWord,
                                    good + good, good + std::string(4, '0')};
    for (const std::string& bad : extended) {
      SCOPED_TRACE(std::string(file.name) + " extended by " +
                   std::to_string(bad.size() - good.size()));
      ExpectReadChangesNothing(file, bad);
    }
  }
}

// Files whose inner layer does not come out: sealed under another name, or sealed twice (the
// outer layer peels off, and what is inside is still a sealed file, not a record).
TEST_F(DamagedPlayerFileTest, FilesWhoseInnerLayerDoesNotComeOutLeaveEveryValue) {
  for (const PlayerFile& file : kPlayerFiles) {
    SCOPED_TRACE(file.name);
    for (const PlayerFile& other : kPlayerFiles)
      if (&other != &file) ExpectReadChangesNothing(file, Sealed(other));
    const std::string once = Sealed(file);
    ASSERT_TRUE(SealTextFile(file.name));
    DeleteSealTemporaries();
    const std::string twice = ReadFile(file.name);
    ASSERT_NE(twice, once);
    ExpectReadChangesNothing(file, twice);
  }
}

// The first reader of a damaged best-times file must not seal it again: that would give it a
// fresh checksum over the damaged bytes, which a later read would take for a record.
TEST_F(DamagedPlayerFileTest, TamperedBestTimesChangeNothing) {
  const PlayerFile& times = kPlayerFiles[0];
  std::string bad = Sealed(times);
  bad[15 + 2 * 12] = static_cast<char>(bad[15 + 2 * 12] + 1);  // the first plain byte
  for (int read = 0; read < 3; ++read) {
    SCOPED_TRACE(read);
    WriteFile(times.name, bad);
    Standing();
    const std::vector<int> before = PlayerValues();
    EXPECT_FALSE(ReadBestTimes());
    EXPECT_EQ(PlayerValues(), before);
    EXPECT_EQ(ReadFile(times.name), bad);
  }
}

// A writer that replaces a damaged player file keeps the damaged bytes beside it, one copy,
// the latest; an intact or missing file leaves no copy.
TEST_F(DamagedPlayerFileTest, WritersKeepTheDamagedBytesBesideTheFile) {
  for (const PlayerFile& file : kPlayerFiles) {
    SCOPED_TRACE(file.name);
    const std::string copy = std::string(file.name) + ".damaged";
    files::Delete(file.name);
    Written();
    file.write();
    EXPECT_FALSE(files::Exists(copy.c_str())) << "no file before";
    const std::string good = Sealed(file);
    EXPECT_FALSE(files::Exists(copy.c_str())) << "an intact file before";

    std::string first = good;
    first[20] = static_cast<char>(first[20] ^ 1);
    WriteFile(file.name, first);
    Written();
    file.write();
    EXPECT_EQ(ReadFile(copy), first);
    EXPECT_EQ(ReadFile(file.name), good) << "the new file is written all the same";

    const std::string second = good.substr(0, good.size() - 3);
    WriteFile(file.name, second);
    file.write();
    EXPECT_EQ(ReadFile(copy), second) << "a later damaged file replaces the copy";
    file.write();
    EXPECT_EQ(ReadFile(copy), second) << "replacing an intact file keeps the copy there";
    ExpectNoTemporaries();
  }
}

}  // namespace
}  // namespace vx
