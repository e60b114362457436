// Stage files: the header and entry syntax with its quirks, the tables' capacity, saving and
// loading, restoring a damaged file from the archive, and the per-world completeness check.
#include "persist/stage_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "field/field_tables.h"
#include "gfx_fixtures.h"
#include "persist/saved_games.h"
#include "platform/files.h"
#include "storage/sealed.h"
#include "test_support.h"

namespace vx {
namespace {

namespace files = platform::files;
using test::ReadFile;
using test::WriteFile;

struct Entry {
  int x, y, code;
  bool operator==(const Entry& o) const { return x == o.x && y == o.y && code == o.code; }
};

std::string Show(const std::vector<Entry>& entries) {
  std::string out;
  for (const Entry& e : entries)
    out += std::to_string(e.x) + " " + std::to_string(e.y) + " " + std::to_string(e.code) + ";";
  return out;
}

void Collect(int x, int y, int code, void* context) {
  static_cast<std::vector<Entry>*>(context)->push_back({x, y, code});
}

class StageFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { test::InstallHeadless(); }

  // Stage file n holding `plain`, sealed under its game name.
  static void WriteStage(int n, const std::string& plain) {
    char name[64];
    StageFileName(n, name, sizeof name);
    WriteFile(files::NativePath(name), "");
    ASSERT_TRUE(WriteSealedText(name, plain.data(), plain.size()));
    DeleteSealTemporaries();
  }

  static std::string StagePath(int n) { return "edit/stage" + std::to_string(n) + ".txt"; }

  static std::string UnsealedStage(int n) {
    char buffer[64];
    StageFileName(n, buffer, sizeof buffer);
    EXPECT_TRUE(OpenSealedTextFile(buffer));
    std::string text = ReadFile(buffer);
    DeleteSealTemporaries();
    return text;
  }

  // The entries of a plain text after its header, as the parser reads them.
  static std::vector<Entry> Entries(const std::string& text) {
    WriteFile("entries.txt", text);
    std::vector<Entry> got;
    std::FILE* f = std::fopen("entries.txt", "rb");
    ReadStageEntries(f, Collect, &got);
    std::fclose(f);
    return got;
  }

  test::TempWorkDir dir_;
};

TEST_F(StageFilesTest, LoadsTheExampleStage) {
  const std::string example = "c4 w40 h40 z10 p60 d0>0 0 1,40 0 2,100 100 150,.";
  WriteStage(1, example);
  EXPECT_EQ(LoadStage(1, false), 2);
  ASSERT_EQ(cells.cellCount, 2);
  EXPECT_EQ(cells.kind[0], 1);
  EXPECT_EQ(cells.kind[1], 2);
  EXPECT_EQ(cells.x[1], 40.0f);
  EXPECT_EQ(cells.y[1], 0.0f);
  EXPECT_EQ(cells.flags[0], CELL_PLACED);
  EXPECT_EQ(cells.timer[0], 0.0f);
  ASSERT_EQ(blocks.blockCount, 1);
  EXPECT_EQ(blocks.kind[0], 50);
  EXPECT_EQ(blocks.x[0], 100.0f);
  EXPECT_EQ(blocks.y[0], 100.0f);
  EXPECT_EQ(geometry.cellWidth, 40);
  EXPECT_EQ(geometry.cellHeight, 40);
  EXPECT_EQ(geometry.cellWidthF, 40.0f);
  EXPECT_EQ(geometry.cellHeightF, 40.0f);
  EXPECT_EQ(geometry.colourCount, 4);
  EXPECT_EQ(stageFiles.pushInterval, 60000.0f);
  EXPECT_EQ(flow.stagesPerWorld, 10);
  EXPECT_FALSE(files::Exists("dummy"));
  EXPECT_FALSE(files::Exists("ready"));

  // Only stage file 1 sets the stages per world.
  flow.stagesPerWorld = 100;
  WriteStage(2, example);
  EXPECT_EQ(LoadStage(2, false), 2);
  EXPECT_EQ(flow.stagesPerWorld, 100);
  // A plain file written by hand loads the same.
  WriteFile(StagePath(3), example);
  EXPECT_EQ(LoadStage(3, false), 2);
}

TEST_F(StageFilesTest, HeaderFields) {
  struct Case {
    const char* text;
    int cellWidth, cellHeight, colourCount;
    int loaded;          // cells loaded
    int stagesPerWorld;  // after loading it as stage file 1 (100 before)
    float pushInterval;  // 60000 before
  } cases[] = {
      {">1 2 3,.", 50, 50, 3, 1, 100, 60000.0f},  // only the closing '>'
      {"c4 w40 h40 z10 p60 d0 1 2 3,.", 40, 40, 4, 0, 10,
       60000.0f},                                    // no '>': no cells; d ends nothing
      {"z0 p7>", 50, 50, 3, 0, 1, 7000.0f},          // z 0 becomes 1
      {"w4 5 h6>", 45, 6, 3, 0, 100, 60000.0f},      // split digits join
      {"c4 x9 w40>", 40, 50, 49, 0, 100, 60000.0f},  // x is ignored, its 9 joins c
      {"w40 h>", 40, 0, 3, 0, 100, 60000.0f},        // a letter then '>' stores 0
      {"12c5>", 50, 50, 5, 0, 100, 60000.0f},        // digits before a letter go nowhere
      {"", 50, 50, 3, 0, 100, 60000.0f},
  };
  for (const Case& c : cases) {
    test::ResetCoreState();
    WriteStage(1, c.text);
    EXPECT_EQ(LoadStage(1, false), c.loaded) << c.text;
    EXPECT_EQ(geometry.cellWidth, c.cellWidth) << c.text;
    EXPECT_EQ(geometry.cellHeight, c.cellHeight) << c.text;
    EXPECT_EQ(geometry.colourCount, c.colourCount) << c.text;
    EXPECT_EQ(flow.stagesPerWorld, c.stagesPerWorld) << c.text;
    EXPECT_EQ(stageFiles.pushInterval, c.pushInterval) << c.text;
  }
}

// Stages per world from stage file 1 are held to 1..10000, so that every product the game
// forms with them (five worlds of stages, the first stage of a set, stage file numbers) fits
// an int for every stage set up to 40000.
TEST_F(StageFilesTest, StagesPerWorldAreHeldToWhatTheGameCanCount) {
  struct Case {
    std::string header;
    int stagesPerWorld;
  } cases[] = {
      {"z0>", 1},
      {"z1>", 1},
      {"z10000>", 10000},
      {"z10001>", 10000},
      {"z429496730>", 10000},  // 5 times this passes the int range
      {"z2147483647>", 10000},
      {"z" + std::string(60, '9') + ">", 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header.substr(0, 16));
    test::ResetCoreState();
    WriteStage(1, c.header);
    LoadStage(1, false);
    EXPECT_EQ(flow.stagesPerWorld, c.stagesPerWorld);
    // The last stage set's first stage, as a progress reset writes it into its saved game.
    flow.stageSet = 40000;
    ResetProgress(true, false, true);
    EXPECT_EQ(flow.stageNumber, c.stagesPerWorld * 5 * 40000);
  }
}

TEST_F(StageFilesTest, EntrySyntax) {
  struct Case {
    const char* text;
    std::vector<Entry> expected;
  } cases[] = {
      {"1 2 3", {}},  // a last triple without ',' is dropped
      {"1 2 3,4 5 6", {{1, 2, 3}}},
      {"-5 -6 -7,", {{5, -6, -7}}},  // the first field's '-' is skipped over
      {"1 -2 3,-4 5 -6,", {{1, -2, 3}, {4, 5, -6}}},
      {"1   2    3,", {{1, 2, 3}}},  // several spaces are one separator
      {"junk 1 2 3, xx 4 5 6,.", {{1, 2, 3}, {4, 5, 6}}},
      {"1 2 3 4,", {{1, 2, 3}}},                   // at most three fields
      {"1 2,", {{1, 2, 0}}},                       // a missing field reads as 0
      {"1 2 3,. 4 5 6,", {{1, 2, 3}}},             // '.' ends the list
      {"1.5 2 3,", {}},                            // ... even inside a field
      {"1 2x 3,", {{1, 2, 3}}},                    // a field reads like atoi
      {"1\n2 3,", {{1, 3, 0}}},                    // only spaces separate fields
      {"99999999999999 2 3,", {{INT_MAX, 2, 3}}},  // held within int
      {"1 2 -99999999999999,", {{1, 2, INT_MIN}}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(Show(Entries(c.text)), Show(c.expected)) << c.text;
}

TEST_F(StageFilesTest, CodesChooseCellsBlocksOrNothing) {
  WriteStage(5, ">1 1 -1,2 2 0,3 3 9,4 4 10,5 5 99,6 6 100,7 7 199,8 8 200,9 9 299,10 10 300,.");
  EXPECT_EQ(LoadStage(5, false), 6);
  const int cellKinds[] = {0, 9, 10, 99, 200, 299};
  const float timers[] = {0, 0, 10000, 10000, 10000, 10000};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(cells.kind[i], cellKinds[i]);
    EXPECT_EQ(cells.timer[i], timers[i]) << cellKinds[i];
    EXPECT_EQ(cells.flags[i], CELL_PLACED);
  }
  ASSERT_EQ(blocks.blockCount, 2);
  EXPECT_EQ(blocks.kind[0], 0);
  EXPECT_EQ(blocks.kind[1], 99);
  EXPECT_EQ(CountStageCells(5), 6);
}

TEST_F(StageFilesTest, EntriesBeyondTheTablesAreDropped) {
  std::string text = ">";
  for (int i = 0; i < 6000; ++i)
    text += std::to_string(i) + " 0 1," + std::to_string(i) + " 9 101,";
  text += ".";
  WriteStage(6, text);
  EXPECT_EQ(LoadStage(6, false), kCellCapacity);
  EXPECT_EQ(cells.cellCount, kCellCapacity);
  EXPECT_EQ(blocks.blockCount, kBlockCapacity);
  EXPECT_EQ(cells.x[kCellCapacity - 1], static_cast<float>(kCellCapacity - 1));
  // Counting reads every entry of the file.
  EXPECT_EQ(CountStageCells(6), 6000);
}

TEST_F(StageFilesTest, HostileFilesLoadWithoutHarm) {
  std::string binary;
  for (int i = 0; i < 70000; ++i) binary.push_back(static_cast<char>((i * 7919) & 0xFF));
  const std::string cases[] = {
      std::string("c") + std::string(100000, '9') + ">",
      ">" + std::string(100000, '7') + " 1 1,.",
      ">1 " + std::string(100000, '-') + " 3,.",
      binary,
      ">" + binary,
      std::string(4, '\0'),
  };
  for (const std::string& text : cases) {
    test::ResetCoreState();
    WriteStage(7, text);
    int loaded = LoadStage(7, false);
    EXPECT_GE(loaded, 0);
    EXPECT_LE(loaded, kCellCapacity);
    EXPECT_LE(blocks.blockCount, kBlockCapacity);
    EXPECT_EQ(CountStageCells(7), loaded);
    EXPECT_EQ(flow.gameState, Boot);
  }
}

TEST_F(StageFilesTest, SaveThenLoadReproducesTheTables) {
  WriteFile("edit/.keep", "");
  geometry.cellWidth = 45;
  geometry.cellHeight = 38;
  geometry.colourCount = 5;
  flow.stagesPerWorld = 7;
  stageFiles.pushInterval = 12999.5f;
  AppendCell(10.7f, 20.2f, 3, CELL_PLACED | CELL_BOMB, 55.0f);
  AppendCell(5.9f, -3.7f, 250, 0, 0.0f);  // y keeps its sign: it is not a triple's first field
  AppendBlock(100.9f, 0.5f, 7);
  SaveStage(3);
  EXPECT_EQ(UnsealedStage(3), "c5 w45 h38 z7 p12 d0>10 20 3,5 -3 250,100 0 107,.");
  EXPECT_FALSE(files::Exists("dummy"));
  EXPECT_FALSE(files::Exists("ready"));

  test::ResetCoreState();
  EXPECT_EQ(LoadStage(3, false), 2);
  EXPECT_EQ(geometry.cellWidth, 45);
  EXPECT_EQ(geometry.cellHeight, 38);
  EXPECT_EQ(geometry.colourCount, 5);
  EXPECT_EQ(stageFiles.pushInterval, 12000.0f);
  EXPECT_EQ(flow.stagesPerWorld, 100) << "stage file 3 does not set it";
  EXPECT_EQ(cells.x[0], 10.0f);
  EXPECT_EQ(cells.y[0], 20.0f);
  EXPECT_EQ(cells.kind[0], 3);
  EXPECT_EQ(cells.flags[0], CELL_PLACED);
  EXPECT_EQ(cells.x[1], 5.0f);
  EXPECT_EQ(cells.y[1], -3.0f);
  EXPECT_EQ(cells.kind[1], 250);
  EXPECT_EQ(cells.timer[1], 10000.0f);
  ASSERT_EQ(blocks.blockCount, 1);
  EXPECT_EQ(blocks.x[0], 100.0f);
  EXPECT_EQ(blocks.y[0], 0.0f);
  EXPECT_EQ(blocks.kind[0], 7);
}

TEST_F(StageFilesTest, MissingFilesLoadNothing) {
  AppendCell(1, 1, 1, CELL_PLACED, 0);
  AppendBlock(1, 1, 1);
  EXPECT_EQ(LoadStage(9, false), 0);
  EXPECT_EQ(cells.cellCount, 0);
  EXPECT_EQ(blocks.blockCount, 0);
  EXPECT_EQ(CountStageCells(9), 0);
  EXPECT_EQ(flow.gameState, Boot);
}

TEST_F(StageFilesTest, DamagedFileIsRestoredFromTheArchive) {
  const std::string good = ">0 0 1,50 0 2,100 0 3,.";
  WriteStage(4, good);
  const std::string sealed = ReadFile(StagePath(4));
  test::WriteArchive("_data.loc", {{"edit\\stage4.txt", sealed}});

  std::string damaged = sealed;
  damaged[15 + 2 * 13] = static_cast<char>(damaged[15 + 2 * 13] + 1);
  WriteFile(StagePath(4), damaged);
  EXPECT_EQ(LoadStage(4, false), 3);
  EXPECT_EQ(ReadFile(StagePath(4)), sealed) << "the archive's copy replaces the file";
  EXPECT_EQ(flow.gameState, Boot);

  WriteFile(StagePath(4), damaged);
  EXPECT_EQ(CountStageCells(4), 3);
  EXPECT_EQ(ReadFile(StagePath(4)), sealed);
}

TEST_F(StageFilesTest, DamagedFileWithoutACopyEndsAtTheTitleUnlessFailureIsAllowed) {
  WriteStage(4, ">0 0 1,.");
  std::string damaged = ReadFile(StagePath(4));
  damaged[15 + 2 * 13] = static_cast<char>(damaged[15 + 2 * 13] + 1);
  WriteFile(StagePath(4), damaged);
  test::WriteArchive("_data.loc", {{"edit\\stage5.txt", "abc"}});

  EXPECT_EQ(LoadStage(4, false), 0);
  EXPECT_EQ(flow.gameState, Title);
  EXPECT_EQ(ReadFile(StagePath(4)), damaged) << "a file the archive cannot restore stays";
  EXPECT_FALSE(files::Exists((StagePath(4) + ".restore").c_str()));

  flow.gameState = Editor;
  LoadStage(4, true);  // parses the stored bytes as they are
  EXPECT_EQ(flow.gameState, Editor);
  EXPECT_FALSE(files::Exists("ready"));

  flow.gameState = Boot;
  EXPECT_EQ(CountStageCells(4), 0);
  EXPECT_EQ(flow.gameState, Title);
}

TEST_F(StageFilesTest, CountingScansWithoutStoring) {
  WriteStage(2, "c4 w40 h40 z10>0 0 1,40 0 2,100 100 150,.");
  AppendCell(1, 1, 7, CELL_PLACED, 0);
  geometry.cellWidth = 80;
  flow.stagesPerWorld = 100;
  EXPECT_EQ(CountStageCells(2), 2);
  EXPECT_EQ(cells.cellCount, 1);
  EXPECT_EQ(cells.kind[0], 7);
  EXPECT_EQ(blocks.blockCount, 0);
  EXPECT_EQ(flow.stagesPerWorld, 100);
  // The cell size and group are put back to 50, 50 and 3, not to the header's values.
  EXPECT_EQ(geometry.cellWidth, 50);
  EXPECT_EQ(geometry.colourCount, 3);
}

TEST_F(StageFilesTest, WorldFlagsNeedEveryFileComplete) {
  flow.stagesPerWorld = 2;
  WriteStage(1, "");  // sealed: complete whatever it holds
  WriteStage(2, ">");
  WriteFile(StagePath(3), "w1h1c1z1p1>");  // plain with every letter
  WriteFile(StagePath(4), "w1h1c1z1>");    // no p
  WriteFile(StagePath(5), "whczp>");
  // file 6 missing
  WriteFile(StagePath(7), "zpchw>1 2 3,");
  WriteFile(StagePath(8), "c w h z p > .");
  WriteFile(StagePath(9), "whcz>p");  // p after the '>'
  WriteFile(StagePath(10), "whczp>");
  CheckWorldStageFiles();
  const bool expected[] = {true, false, false, true, false};
  for (int w = 0; w < kStageWorldCount; ++w)
    EXPECT_EQ(stageFiles.worldAvailable[w], expected[w]) << "world " << w + 1;

  WriteFile(StagePath(9), "whczp");  // no '>'
  CheckWorldStageFiles();
  EXPECT_FALSE(stageFiles.worldAvailable[4]);
  WriteFile(StagePath(9), "encryption v2.0");
  CheckWorldStageFiles();
  EXPECT_TRUE(stageFiles.worldAvailable[4]);
}

}  // namespace
}  // namespace vx
