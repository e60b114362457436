// The stage audit: a sound stage passes, and each kind of fault in a stage file is named.
#include "persist/stage_audit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "persist/stage_files.h"
#include "platform/files.h"
#include "storage/sealed.h"
#include "test_support.h"

namespace vx {
namespace {

namespace files = platform::files;

// 64-unit cells. Row 0 holds three red and three orange balls, row 1 (shifted by 32) hangs
// under them in the other colours, so no row-0 ball touches a free place until row 1 is
// cleared: the audit must see that clearing opens the way.
const std::string kHeader = "c3 w64 h64 z10 p60 d0>";
const std::string kCells =
    "0 0 1,64 0 1,128 0 1,192 0 2,256 0 2,320 0 2,"
    "32 64 2,96 64 2,160 64 2,224 64 1,288 64 1,";

class StageAuditTest : public ::testing::Test {
 protected:
  void SetUp() override { test::InstallHeadless(); }

  static void WriteStage(int n, const std::string& plain) {
    char name[64];
    StageFileName(n, name, sizeof name);
    test::WriteFile(files::NativePath(name), "");
    ASSERT_TRUE(WriteSealedText(name, plain.data(), plain.size()));
    DeleteSealTemporaries();
  }

  static std::vector<std::string> Audit(int n, const std::string& plain) {
    WriteStage(n, plain);
    std::vector<std::string> problems;
    AuditStageFile(n, &problems);
    return problems;
  }

  static std::string Joined(const std::vector<std::string>& problems) {
    std::string all;
    for (const std::string& p : problems) all += p + "\n";
    return all;
  }

  test::TempWorkDir dir_;
};

TEST_F(StageAuditTest, ASoundStagePasses) {
  EXPECT_EQ(Joined(Audit(1, kHeader + kCells + ".")), "");
  // Balls that hang from a block rather than from the ceiling are held too.
  EXPECT_EQ(Joined(Audit(2, kHeader + kCells + "576 0 115,608 64 4,576 128 4,640 128 4,.")), "");
}

TEST_F(StageAuditTest, NamesEachFault) {
  struct Case {
    const char* what;
    std::string plain;
    const char* expected;  // a part of one problem line
  } cases[] = {
      {"two cells on one place", kHeader + kCells + "10 0 1,.", "overlap"},
      {"a cell under a block", kHeader + kCells + "64 0 115,.", "overlaps block"},
      {"a cell past the right edge", kHeader + kCells + "992 0 1,.", "outside the field"},
      {"a cell between rows", kHeader + kCells + "384 10 1,.", "off the grid"},
      {"a cell on an even row at an odd column", kHeader + kCells + "416 0 1,.", "off the grid"},
      {"a ball near the danger line",
       kHeader + kCells +
           "384 0 1,416 64 1,384 128 1,416 192 1,"
           "384 256 1,416 320 1,384 384 1,416 448 1,384 512 1,416 576 1,384 640 1,416 704 1,.",
       "too low"},
      {"a ball hanging from nothing", kHeader + kCells + "384 256 1,.", "hangs from nothing"},
      {"a group of none", "c0 w64 h64 z10 p60>" + kCells + ".", "breaking group c0"},
      {"no push interval", "c3 w64 h64 z10>" + kCells + ".", "no push interval"},
      {"a push every frame", "c3 w64 h64 z10 p0>" + kCells + ".", "every frame"},
      {"stage file 1 without stages per world", "c3 w64 h64 p60>" + kCells + ".",
       "stages per world"},
      {"an odd cell width", "c3 w63 h64 z10 p60>" + kCells + ".", "cell size"},
      {"a header never closed", "c3 w64 h64 z10 p60 " + kCells + ".", "no closing"},
      {"a lone ball of a colour", kHeader + kCells + "384 0 5,.", "colour 5 has 1 balls"},
      {"an effect picture as a piece", kHeader + kCells + "384 0 13,.", "no stage piece"},
      {"the bomb's gem frame as a piece", kHeader + kCells + "384 0 214,.", "no stage piece"},
      {"a block down at the launcher", kHeader + kCells + "0 704 115,.", "reaches the launcher"},
      {"a ball as a block", kHeader + kCells + "512 0 101,.", "no block picture"},
      {"no cells at all", kHeader + ".", "no cells"},
      {"only plain pieces", kHeader + "0 0 10,64 0 11,.", "no colour balls"},
      // Three balls in a pocket walled in by blocks on both sides and below.
      {"a walled-in pocket",
       kHeader + kCells +
           "640 0 1,704 0 1,768 0 1,576 0 115,832 0 115,608 64 115,672 64 115,736 64 115,"
           "800 64 115,.",
       "3 colour balls are walled off"},
  };
  for (const Case& c : cases) {
    const std::string problems = Joined(Audit(1, c.plain));
    EXPECT_NE(problems.find(c.expected), std::string::npos)
        << c.what << ": expected \"" << c.expected << "\" among:\n"
        << problems;
  }
}

TEST_F(StageAuditTest, OnlyStageFileOneMustSetTheStagesPerWorld) {
  EXPECT_EQ(Joined(Audit(7, "c3 w64 h64 p60>" + kCells + ".")), "");
}

// A blast next to a wall of stone pieces opens the way to what the wall hid; without the
// blast the same ball is walled off.
TEST_F(StageAuditTest, BlastsOpenStoneWalls) {
  // Red balls in row 0 at 640..768; stone pieces under and beside them, hanging from the
  // ceiling and from each other.
  const std::string pocket =
      "640 0 1,704 0 1,768 0 1,576 0 0,832 0 0,608 64 0,672 64 0,"
      "736 64 0,800 64 0,";
  EXPECT_NE(Joined(Audit(3, kHeader + kCells + pocket + ".")).find("walled off"),
            std::string::npos);
  // The stone below the middle ball becomes a blast, which a shot can reach from below.
  const std::string opened =
      "640 0 1,704 0 1,768 0 1,576 0 0,832 0 0,608 64 0,672 64 22,"
      "736 64 0,800 64 0,";
  EXPECT_EQ(Joined(Audit(4, kHeader + kCells + opened + ".")), "");
}

TEST_F(StageAuditTest, MissingAndDamagedFilesAreProblemsAndStayUntouched) {
  std::vector<std::string> problems;
  AuditStageFile(5, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "missing");

  WriteStage(6, kHeader + kCells + ".");
  std::string sealed = test::ReadFile("edit/stage6.txt");
  sealed[41] = static_cast<char>(sealed[41] + 1);  // a low byte: it changes the text
  test::WriteFile("edit/stage6.txt", sealed);
  problems.clear();
  AuditStageFile(6, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0], "fails its checksum");
  EXPECT_EQ(test::ReadFile("edit/stage6.txt"), sealed);
}

}  // namespace
}  // namespace vx
