#include "storage/archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "test_support.h"

namespace vx {
namespace {

using test::ReadFile;
using test::WriteFile;

std::string Record(const std::string& name, const std::string& data) {
  return name + ";" + std::to_string(data.size()) + ";" + data;
}

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override { rig_ = &test::InstallHeadless(); }
  void TearDown() override { ReleaseArchiveBuffer(); }

  std::string Load(const char* archive, const char* member, long* size) {
    unsigned char* p = OpenArchiveMember(archive, member, size);
    return p ? std::string(reinterpret_cast<char*>(p), static_cast<std::size_t>(*size)) : "<none>";
  }

  test::TempWorkDir dir_;
  test::HeadlessRig* rig_ = nullptr;
};

TEST_F(ArchiveTest, FindsMembersWhateverTheRequestLooksLike) {
  WriteFile("a.loc", Record("img\\explosion_1.tga", "BOOM") + "\r\n" +
                         Record("son\\ok.wav", "ok!") + "\t\n" + Record("son\\Upper.wav", "never"));
  struct Case {
    const char* request;
    const char* expected;
  } cases[] = {
      {"IMG/EXPLOSION_1.TGA", "BOOM"},  // upper case and '/' are normalised
      {"img\\explosion_1.tga", "BOOM"},
      {"son\\Ok.wav", "ok!"},        // the CR LF before it does not change its name
      {"son\\Upper.wav", "<none>"},  // stored with an upper-case letter: never found
      {"son\\ok.wa", "<none>"},
      {"", "<none>"},
  };
  for (const Case& c : cases) {
    long size = -1;
    EXPECT_EQ(Load("a.loc", c.request, &size), c.expected) << c.request;
    if (std::string(c.expected) == "<none>") {
      EXPECT_EQ(size, 0) << c.request;
    }
  }
}

TEST_F(ArchiveTest, SizeFieldReadsLikeAtoi) {
  // Text after the digits is ignored, bytes below 14 inside the fields are skipped, and an
  // empty size is 0.
  WriteFile("a.loc", std::string("x\n1;3abc;XYZ") + std::string("em\0pty;;", 8) +
                         "n;\x01"
                         "2;hi");
  long size = 0;
  EXPECT_EQ(Load("a.loc", "x1", &size), "XYZ");
  EXPECT_EQ(Load("a.loc", "empty", &size), "");
  EXPECT_NE(archiveReader.lastBuffer, nullptr);  // found, even though empty
  EXPECT_EQ(Load("a.loc", "n", &size), "hi");
}

TEST_F(ArchiveTest, MissingOrEmptyArchivesHoldNothing) {
  WriteFile("empty.loc", "");
  for (const char* archive : {"empty.loc", "missing.loc"}) {
    long size = 7;
    EXPECT_EQ(OpenArchiveMember(archive, "img\\a.tga", &size), nullptr);
    EXPECT_EQ(size, 0);
    char member[] = "img\\a.tga";
    EXPECT_EQ(unlocksingle(archive, member, "out.bin"), 0);
    EXPECT_FALSE(std::filesystem::exists("out.bin"));
  }
}

TEST_F(ArchiveTest, LoadingFreesThePreviousBufferEvenWhenNothingIsFound) {
  WriteFile("a.loc", Record("a", "first") + Record("b", "second"));
  long size = 0;
  ASSERT_NE(OpenArchiveMember("a.loc", "a", &size), nullptr);
  EXPECT_EQ(OpenArchiveMember("a.loc", "nope", &size), nullptr);
  EXPECT_EQ(archiveReader.lastBuffer, nullptr);
}

TEST_F(ArchiveTest, DamagedArchivesGiveNotFoundOrOnlyTheBytesPresent) {
  struct Case {
    const char* what;
    std::string archive;
    const char* request;
    const char* expected;
  } cases[] = {
      {"truncated inside a name", "img\\a.t", "img\\a.t", "<none>"},
      {"truncated inside a size", "a;12", "a", "<none>"},
      {"truncated inside data", "a;10;abc", "a", "abc"},
      {"huge size on the member", "a;99999999999999999;abc", "a", "abc"},
      {"huge size before the member", "a;99999999999999999;abc" + Record("b", "x"), "b", "<none>"},
      {"negative size before the member", "a;-5;" + Record("b", "x"), "b", "<none>"},
      {"negative size on the member", "a;-5;xyz", "a", ""},
      {"non-numeric size counts as 0", "a;zz;" + Record("b", "x"), "b", "x"},
      {"name past 511 characters", std::string(600, 'n') + ";1;x" + Record("b", "x"), "b",
       "<none>"},
      {"size field past 19 characters", "a;" + std::string(25, '1') + ";x" + Record("b", "y"), "b",
       "<none>"},
      {"good member after a long but legal name", std::string(511, 'n') + ";1;x" + Record("b", "y"),
       "b", "y"},
  };
  for (const Case& c : cases) {
    WriteFile("bad.loc", c.archive);
    long size = -1;
    EXPECT_EQ(Load("bad.loc", c.request, &size), c.expected) << c.what;
    char member[600];
    std::strcpy(member, c.request);
    long written = unlocksingle("bad.loc", member, "out.bin");
    std::string expected = c.expected;
    if (expected == "<none>") {
      EXPECT_EQ(written, 0) << c.what;
    } else {
      EXPECT_EQ(written, static_cast<long>(expected.size())) << c.what;
      EXPECT_EQ(ReadFile("out.bin"), expected) << c.what;
    }
  }
}

void CountChunk(std::size_t bytes, void* context) {
  static_cast<std::vector<std::size_t>*>(context)->push_back(bytes);
}

TEST_F(ArchiveTest, ExtractsInChunksOf8000) {
  const std::string big(20000, 'b');
  WriteFile("a.loc", Record("big", big) + Record("small", std::string(100, 's')));
  struct Case {
    const char* member;
    std::vector<std::size_t> chunks;
  } cases[] = {{"big", {8000, 8000, 4000}}, {"small", {100}}};
  std::filesystem::create_directories("BUN/k/k");
  for (const Case& c : cases) {
    std::vector<std::size_t> chunks;
    platform::files::writeSeam.onWrite = CountChunk;
    platform::files::writeSeam.context = &chunks;
    char member[16];
    std::strcpy(member, c.member);
    long total = 0;
    for (std::size_t n : c.chunks) total += static_cast<long>(n);
    EXPECT_EQ(unlocksingle("a.loc", member, "BUN\\k\\k\\out.bin"), total);
    platform::files::writeSeam = {};
    EXPECT_EQ(chunks, c.chunks) << c.member;
  }
  EXPECT_EQ(ReadFile("BUN/k/k/out.bin"), std::string(100, 's'));
}

TEST_F(ArchiveTest, UnlocksingleNormalisesTheNameInPlaceAndReplacesTheDestination) {
  WriteFile("a.loc", Record("mp3\\scnstart\\m0.mp3", "music"));
  WriteFile("dest.mp3", "old contents");
  char member[] = "MP3/ScnStart/M0.mp3";
  EXPECT_EQ(unlocksingle("a.loc", member, "dest.mp3"), 5);
  EXPECT_STREQ(member, "mp3\\scnstart\\m0.mp3");
  EXPECT_EQ(ReadFile("dest.mp3"), "music");

  // A missing member still removes the older destination.
  char missing[] = "nothing";
  EXPECT_EQ(unlocksingle("a.loc", missing, "dest.mp3"), 0);
  EXPECT_FALSE(std::filesystem::exists("dest.mp3"));
}

TEST_F(ArchiveTest, RefusesToExtractOverTheArchiveItself) {
  WriteFile("a.loc", Record("m", "data"));
  char member[] = "m";
  EXPECT_EQ(unlocksingle("a.loc", member, "a.loc"), 0);
  ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
  EXPECT_EQ(rig_->dialogs.shown[0].text, "Your Destination file is the loc file.");
  EXPECT_EQ(rig_->dialogs.shown[0].caption,
            "unlocksingle().  Error: Loc, Destination file is same!");
  EXPECT_EQ(ReadFile("a.loc"), Record("m", "data"));
}

TEST_F(ArchiveTest, PackListAndLoadRoundTrip) {
  std::string binary;
  for (int i = 0; i < 256; ++i) binary.push_back(static_cast<char>(i));
  WriteFile("src/Img/Logo.TGA", binary);
  WriteFile("src/son/ok.wav", "RIFF");
  WriteFile("src/empty.txt", "");
  std::string error;
  ASSERT_TRUE(PackArchive("out.loc", "src", &error)) << error;
  std::vector<ArchiveEntry> entries;
  ASSERT_TRUE(ListArchive("out.loc", &entries));
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "empty.txt");
  EXPECT_EQ(entries[1].name, "img\\logo.tga");
  EXPECT_EQ(entries[1].size, 256);
  EXPECT_EQ(entries[2].name, "son\\ok.wav");
  long size = 0;
  EXPECT_EQ(Load("out.loc", "img/logo.tga", &size), binary);
}

// Two generators' directories packed into one archive: the members merge in name order, and
// one name coming from both directories is refused with the old archive kept.
TEST_F(ArchiveTest, PacksSeveralDirectoriesTogether) {
  WriteFile("pictures/img/sky.jpg", "sky");
  WriteFile("stages/edit/stage1.txt", "c3>");
  WriteFile("stages/img/ball1.tga", "ball");
  std::string error;
  ASSERT_TRUE(PackArchive("out.loc", {"pictures", "stages"}, &error)) << error;
  std::vector<ArchiveEntry> entries;
  ASSERT_TRUE(ListArchive("out.loc", &entries));
  std::vector<std::string> names;
  for (const ArchiveEntry& e : entries) names.push_back(e.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"edit\\stage1.txt", "img\\ball1.tga", "img\\sky.jpg"}));
  long size = 0;
  EXPECT_EQ(Load("out.loc", "edit\\stage1.txt", &size), "c3>");

  WriteFile("pictures/IMG/Ball1.tga", "other ball");
  EXPECT_FALSE(PackArchive("out.loc", {"pictures", "stages"}, &error));
  EXPECT_NE(error.find("img\\ball1.tga"), std::string::npos) << error;
  EXPECT_EQ(Load("out.loc", "img\\sky.jpg", &size), "sky");
}

TEST_F(ArchiveTest, PackRefusesNamesThatCannotBeStored) {
  WriteFile("old.loc", "previous");
  struct Case {
    const char* file;
  } cases[] = {{"src1/a;b.txt"}, {"src2/tab\there.txt"}};
  for (const Case& c : cases) {
    WriteFile(c.file, "x");
    std::string dir = std::filesystem::path(c.file).parent_path().string();
    std::string error;
    EXPECT_FALSE(PackArchive("old.loc", dir.c_str(), &error)) << c.file;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile("old.loc"), "previous");
  }
  EXPECT_NE(MemberNameProblem(std::string(512, 'a')), "");
  EXPECT_EQ(MemberNameProblem(std::string(511, 'a')), "");
}

}  // namespace
}  // namespace vx
