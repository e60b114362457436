// Best times, settings and saved games: the exact text each writer seals, and what each
// reader makes of records written by the game, by hand, cut short or damaged.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

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

TEST_F(RecordsTest, TamperedBestTimesChangeNothingAndAreSealedAgain) {
  WriteSealed("times.txt", "a100>");
  std::string tampered = ReadFile("times.txt");
  tampered[15 + 2 * 12] = static_cast<char>(tampered[15 + 2 * 12] + 1);
  WriteFile("times.txt", tampered);
  EXPECT_FALSE(ReadBestTimes());
  EXPECT_EQ(bestTimes.bestWorldTime[0], 216000);
  // Sealed once more as it stood: it now unseals to the damaged bytes.
  EXPECT_EQ(Unsealed("times.txt"), tampered);
  ExpectNoTemporaries();
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

}  // namespace
}  // namespace vx
