// Where the game works: its own directory, or the player's data directory with the archives
// read where they were installed; and what the first run puts into the data directory.
#include "app/game_directory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx_fixtures.h"
#include "platform/files.h"
#include "storage/archive.h"
#include "test_support.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

bool AlwaysWritable(const std::string&) {
  return true;
}
bool NeverWritable(const std::string&) {
  return false;
}

class GameDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &test::InstallHeadless();
    root_ = dir_.path();
    // A game directory as the build makes it, an installed prefix, and a bare directory.
    test::WriteFile(root_ + "/game/_data.loc", "");
    test::WriteFile(root_ + "/prefix/bin/vexorbia", "");
    test::WriteFile(root_ + "/prefix/share/vexorbia/_data.loc", "");
    fs::create_directories(root_ + "/bare");
  }
  test::TempWorkDir dir_;
  test::HeadlessRig* rig_ = nullptr;
  std::string root_;
};

TEST_F(GameDirectoryTest, TheGameWorksBesideItselfOrInTheDataDirectory) {
  const std::string xdg = root_ + "/xdg", home = root_ + "/home", account = root_ + "/account";
  struct Case {
    const char* name;
    std::string exe;
    const char* xdg;
    const char* home;
    const char* account;
    WritableTest writable;
    std::string work, resources;
    bool problem;
  } cases[] = {
      {"a game directory it may write", root_ + "/game/", nullptr, home.c_str(), nullptr,
       AlwaysWritable, root_ + "/game", "", false},
      {"a game directory it may not write", root_ + "/game", xdg.c_str(), home.c_str(), nullptr,
       NeverWritable, xdg + "/vexorbia", root_ + "/game", false},
      {"installed, even in a prefix it may write", root_ + "/prefix/bin/", xdg.c_str(),
       home.c_str(), nullptr, AlwaysWritable, xdg + "/vexorbia", root_ + "/prefix/share/vexorbia",
       false},
      {"installed, XDG_DATA_HOME not set", root_ + "/prefix/bin", nullptr, home.c_str(), nullptr,
       NeverWritable, home + "/.local/share/vexorbia", root_ + "/prefix/share/vexorbia", false},
      {"a relative XDG_DATA_HOME counts as unset", root_ + "/prefix/bin", "rel/data", home.c_str(),
       nullptr, NeverWritable, home + "/.local/share/vexorbia", root_ + "/prefix/share/vexorbia",
       false},
      {"no HOME: the account's home", root_ + "/prefix/bin", "", nullptr, account.c_str(),
       NeverWritable, account + "/.local/share/vexorbia", root_ + "/prefix/share/vexorbia", false},
      {"no home at all", root_ + "/prefix/bin", nullptr, nullptr, nullptr, NeverWritable, "",
       root_ + "/prefix/share/vexorbia", true},
      {"no archives anywhere: where it is", root_ + "/bare", xdg.c_str(), home.c_str(), nullptr,
       NeverWritable, root_ + "/bare", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GameDirectories d = ChooseGameDirectories(c.exe, c.xdg, c.home, c.account, c.writable);
    EXPECT_EQ(d.work, c.work);
    EXPECT_EQ(d.resources, c.resources);
    EXPECT_EQ(d.dataDirectory, !c.resources.empty());
    EXPECT_EQ(!d.problem.empty(), c.problem);
  }
}

TEST_F(GameDirectoryTest, TheFirstRunCopiesTheStagesAndLaterRunsKeepThePlayersOwn) {
  const std::string installed = root_ + "/prefix/share/vexorbia";
  test::WriteFile(installed + "/edit/stage1.txt", "one");
  test::WriteFile(installed + "/edit/stage2.txt", "two");
  fs::permissions(installed + "/edit/stage1.txt", fs::perms::owner_read | fs::perms::group_read);
  const std::string data = root_ + "/data/vexorbia";
  std::string problem;
  ASSERT_TRUE(PrepareDataDirectory(data, installed, &problem)) << problem;
  EXPECT_EQ(test::ReadFile(data + "/edit/stage1.txt"), "one");
  EXPECT_EQ(test::ReadFile(data + "/edit/stage2.txt"), "two");
  // The copy can be written (the editor saves there) though the installed file cannot.
  EXPECT_NE(fs::status(data + "/edit/stage1.txt").permissions() & fs::perms::owner_write,
            fs::perms::none);
  int scratch = 0;
  for (char a = 'k'; a <= 't'; ++a)
    for (char b = 'k'; b <= 't'; ++b)
      scratch += fs::is_directory(data + "/BUN/" + a + "/" + b) ? 1 : 0;
  EXPECT_EQ(scratch, 100);

  // The player edits stage 1; an update installs stage 3. The next run adds stage 3 only.
  test::WriteFile(data + "/edit/stage1.txt", "edited");
  test::WriteFile(installed + "/edit/stage3.txt", "three");
  ASSERT_TRUE(PrepareDataDirectory(data, installed, &problem));
  EXPECT_EQ(test::ReadFile(data + "/edit/stage1.txt"), "edited");
  EXPECT_EQ(test::ReadFile(data + "/edit/stage3.txt"), "three");

  // A data directory that cannot be made says so.
  test::WriteFile(root_ + "/file", "");
  EXPECT_FALSE(PrepareDataDirectory(root_ + "/file/vexorbia", installed, &problem));
  EXPECT_NE(problem.find(root_ + "/file/vexorbia"), std::string::npos);
}

TEST_F(GameDirectoryTest, WithoutInstalledStageFilesTheyComeOutOfTheArchives) {
  const std::string installed = root_ + "/prefix/share/vexorbia";
  test::WriteArchive(installed + "/_data.loc", {{"img\\x.tga", "picture"},
                                                {"edit\\stage1.txt", "first"},
                                                {"edit\\..\\..\\escape.txt", "out"},
                                                {"edit\\stage2.txt.bak", "no"}});
  test::WriteArchive(installed + "/_data1.loc", {{"edit\\stage11.txt", "second set"}});
  const std::string data = root_ + "/data";
  std::string problem;
  ASSERT_TRUE(PrepareDataDirectory(data, installed, &problem)) << problem;
  EXPECT_EQ(test::ReadFile(data + "/edit/stage1.txt"), "first");
  EXPECT_EQ(test::ReadFile(data + "/edit/stage11.txt"), "second set");
  EXPECT_FALSE(fs::exists(root_ + "/escape.txt"));
  EXPECT_FALSE(fs::exists(data + "/escape.txt"));
  EXPECT_FALSE(fs::exists(data + "/edit/stage2.txt.bak"));
  EXPECT_FALSE(fs::exists(data + "/img"));
}

TEST_F(GameDirectoryTest, TheInstalledGameReadsItsArchivesWhereTheyWereInstalled) {
  const std::string installed = root_ + "/prefix/share/vexorbia";
  test::WriteArchive(installed + "/_data.loc", {{"img\\a.tga", "installed"}});
  test::WriteArchive(installed + "/_sfx.loc", {{"son\\ok.wav", "sound"}});
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string previous = saved ? saved : "";
  setenv("XDG_DATA_HOME", (root_ + "/xdg").c_str(), 1);
  const bool entered = EnterGameDirectories(root_ + "/prefix/bin");
  if (saved)
    setenv("XDG_DATA_HOME", previous.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
  ASSERT_TRUE(entered);
  EXPECT_EQ(fs::current_path().string(), root_ + "/xdg/vexorbia");
  EXPECT_TRUE(fs::is_directory("BUN/t/t"));
  long size = 0;
  const unsigned char* bytes = OpenArchiveMember("_sfx.loc", "son\\ok.wav", &size);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), size), "sound");
  // Members are copied out of it into the data directory (the music, a damaged stage file).
  char member[] = "son\\ok.wav";
  EXPECT_EQ(unlocksingle("_sfx.loc", member, "BUN\\k\\k\\ok.wav"), 5);
  EXPECT_EQ(test::ReadFile("BUN/k/k/ok.wav"), "sound");
  // An archive in the working directory comes first (a stage set the player added).
  test::WriteArchive("_data.loc", {{"img\\a.tga", "own"}});
  bytes = OpenArchiveMember("_data.loc", "img\\a.tga", &size);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), size), "own");
  EXPECT_EQ(OpenArchiveMember("_mp.loc", "x", &size), nullptr);  // in neither place
  EXPECT_TRUE(rig_->dialogs.shown.empty());
}

TEST_F(GameDirectoryTest, NoPlaceForThePlayersFilesEndsWithAMessage) {
  test::WriteFile(root_ + "/xdg", "a file where the directory should be");
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string previous = saved ? saved : "";
  setenv("XDG_DATA_HOME", (root_ + "/xdg").c_str(), 1);
  const std::string before = fs::current_path().string();
  const bool entered = EnterGameDirectories(root_ + "/prefix/bin");
  if (saved)
    setenv("XDG_DATA_HOME", previous.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
  EXPECT_FALSE(entered);
  EXPECT_EQ(fs::current_path().string(), before);
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].caption, "Game Exiting");
  EXPECT_NE(rig_->dialogs.shown[0].text.find(root_ + "/xdg/vexorbia"), std::string::npos);
}

}  // namespace
}  // namespace vx
