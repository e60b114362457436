// The shipped stages: every stage file of both sets loads through the game's own loader with
// the rules its design gives and passes the audit; both archives carry the files; the world
// selection finds the second set; a damaged file of either set is restored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/game_state.h"
#include "field/field_tables.h"
#include "persist/stage_audit.h"
#include "persist/stage_files.h"
#include "storage/archive.h"
#include "test_support.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using stages::kStageFileCount;
using stages::kStagesPerSet;
using stages::StageFile;

const fs::path kGame = VX_GAME_DIR;

std::string StagePath(int n) {
  return "edit/stage" + std::to_string(n) + ".txt";
}

std::string Member(int n) {
  return "edit\\stage" + std::to_string(n) + ".txt";
}

std::string MemberBytes(const fs::path& archive, const std::string& member) {
  long size = 0;
  const unsigned char* data = OpenArchiveMember(archive.string().c_str(), member.c_str(), &size);
  std::string bytes =
      data ? std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size)) : "";
  ReleaseArchiveBuffer();
  return bytes;
}

// A copy of the game directory's stage files and data archive in a scratch working
// directory, so the loader's temporaries and restores never touch the game directory.
class ContentStages : public ::testing::Test {
 protected:
  void SetUp() override {
    test::InstallHeadless();
    fs::create_directories("edit");
    for (int n = 1; n <= kStageFileCount; ++n) fs::copy_file(kGame / StagePath(n), StagePath(n));
    fs::copy_file(kGame / "_data.loc", "_data.loc");
  }
  test::TempWorkDir dir_;
};

TEST_F(ContentStages, EveryStageLoadsWithItsRulesAndIsSound) {
  ASSERT_GT(LoadStage(1, false), 0);
  EXPECT_EQ(flow.stagesPerWorld, stages::kStagesPerWorld);
  for (int n = 1; n <= kStageFileCount; ++n) {
    const stages::StageEntry e = StageFile(n);
    SCOPED_TRACE("stage file " + std::to_string(n) + " " + e.design->name);
    const stages::Stage designed = stages::BuildStage(*e.design);
    ASSERT_GT(LoadStage(n, false), 0);
    EXPECT_NE(flow.gameState, Title) << "a damaged file sends the game to the title";
    EXPECT_EQ(cells.cellCount, static_cast<int>(designed.cells().size()));
    EXPECT_EQ(blocks.blockCount, static_cast<int>(designed.blocks().size()));
    EXPECT_EQ(geometry.cellWidth, e.design->rules.cell);
    EXPECT_EQ(geometry.cellHeight, e.design->rules.cell);
    EXPECT_EQ(geometry.colourCount, e.design->rules.group);
    EXPECT_EQ(stageFiles.pushInterval, e.design->rules.push * 1000.0f);
    std::vector<std::string> problems;
    EXPECT_EQ(AuditStageFile(n, &problems), 0);
    for (const std::string& p : problems) ADD_FAILURE() << p;
  }
}

TEST_F(ContentStages, ArchivesCarryTheStageFilesAsShipped) {
  const fs::path data = kGame / "_data.loc", second = kGame / "_data1.loc";
  for (int n = 1; n <= kStageFileCount; ++n) {
    SCOPED_TRACE(Member(n));
    const std::string file = test::ReadFile(StagePath(n));
    ASSERT_EQ(file.compare(0, 15, "encryption v2.0"), 0) << "stage files ship sealed";
    EXPECT_EQ(MemberBytes(data, Member(n)), file);
    EXPECT_EQ(MemberBytes(second, Member(n)), n > kStagesPerSet ? file : "");
  }
  // _data.loc keeps the pictures beside the stages.
  EXPECT_NE(MemberBytes(data, "img\\chrset1.tga"), "");
}

// The world selection counts the sets beyond the basic one from stage file
// 5 x stagesPerWorld + 1 up to the first file without cells.
TEST_F(ContentStages, TheWorldSelectionFindsOneExtraSet) {
  LoadStage(1, false);
  const int perSet = 5 * flow.stagesPerWorld;
  int n = perSet + 1;
  while (CountStageCells(n) > 0) ++n;
  EXPECT_EQ(n / perSet - 1, 1);
  CheckWorldStageFiles();
  for (bool available : stageFiles.worldAvailable) EXPECT_TRUE(available);
}

// A damaged file of either set comes back from _data.loc, the archive the game restores from.
TEST_F(ContentStages, DamagedStageFilesOfBothSetsAreRestored) {
  for (int n : {3, kStagesPerSet + 7}) {
    SCOPED_TRACE(n);
    const std::string shipped = test::ReadFile(StagePath(n));
    std::string damaged = shipped;
    damaged[61] = static_cast<char>(damaged[61] ^ 0x5A);  // a low byte: it changes the text
    test::WriteFile(StagePath(n), damaged);
    EXPECT_EQ(LoadStage(n, false),
              static_cast<int>(stages::BuildStage(*StageFile(n).design).cells().size()));
    EXPECT_NE(flow.gameState, Title);
    EXPECT_EQ(test::ReadFile(StagePath(n)), shipped);
  }
}

// A second run of the generator writes the same bytes.
TEST_F(ContentStages, GeneratorIsDeterministic) {
  const fs::path out = fs::current_path() / "rerun";
  const std::string command =
      std::string("\"") + VX_STAGE_GENERATOR + "\" write \"" + out.string() + "\" > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (int n = 1; n <= kStageFileCount; ++n)
    EXPECT_EQ(test::ReadFile((out / "data" / StagePath(n)).string()), test::ReadFile(StagePath(n)))
        << n;
}

}  // namespace
}  // namespace vx
