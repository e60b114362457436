// The display choice file: its exact text, and what the reader makes of files written by
// the game, by hand, cut short or damaged.
#include "persist/display_choice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/app_values.h"
#include "platform/files.h"
#include "storage/sealed.h"
#include "test_support.h"

namespace vx {
namespace {

class DisplayChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override { test::InstallHeadless(); }
  test::TempWorkDir dir_;
};

TEST_F(DisplayChoiceTest, WrittenSealedAndReadBack) {
  for (bool on : {true, false}) {
    app.fullscreen = on;
    WriteDisplayChoice();
    char name[64] = "display.txt";
    ASSERT_TRUE(OpenSealedTextFile(name));
    EXPECT_EQ(test::ReadFile(name), on ? "f1>" : "f0>");
    DeleteSealTemporaries();
    app.fullscreen = !on;
    EXPECT_TRUE(ReadDisplayChoice());
    EXPECT_EQ(app.fullscreen, on);
    EXPECT_FALSE(platform::files::Exists("dummy"));
    EXPECT_FALSE(platform::files::Exists("ready"));
  }
}

TEST_F(DisplayChoiceTest, OnlyACompleteRecordOfZeroOrOneCounts) {
  struct Case {
    const char* plain;  // null: no file
    bool sealed;
    bool taken;       // the reader adopted the record
    bool fullscreen;  // starting from a window
  } cases[] = {
      {nullptr, true, false, false},
      {"f1>", false, true, true},  // a plain file is read as text
      {"f1", true, false, false},
      {"f2>", true, false, false},
      {"f1f0>", true, true, false},
      {"x9f1>", true, true, true},
      {"f99999999999>", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.plain ? c.plain : "no file");
    std::remove("display.txt");
    if (c.plain && c.sealed)
      ASSERT_TRUE(WriteSealedText("display.txt", c.plain, std::string(c.plain).size()));
    else if (c.plain)
      test::WriteFile("display.txt", c.plain);
    DeleteSealTemporaries();
    app.fullscreen = false;
    EXPECT_EQ(ReadDisplayChoice(), c.taken);
    EXPECT_EQ(app.fullscreen, c.fullscreen);
  }
  // A file whose seal does not add up is not read at all.
  ASSERT_TRUE(WriteSealedText("display.txt", "f1>", 3));
  DeleteSealTemporaries();
  std::string damaged = test::ReadFile("display.txt");
  damaged[damaged.size() - 2] = static_cast<char>(damaged[damaged.size() - 2] ^ 1);
  test::WriteFile("display.txt", damaged);
  app.fullscreen = false;
  EXPECT_FALSE(ReadDisplayChoice());
  EXPECT_FALSE(app.fullscreen);
}

}  // namespace
}  // namespace vx
