#include "storage/sealed.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "test_support.h"

namespace vx {
namespace {

namespace files = platform::files;
using test::ReadFile;
using test::WriteFile;

class SealedTest : public ::testing::Test {
 protected:
  void SetUp() override { test::InstallHeadless(); }
  void TearDown() override { files::writeSeam = files::WriteSeam{}; }

  // Unseals `name` and returns the plain text, or "<false>" / "<missing>".
  static std::string Unseal(const char* name) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s", name);
    if (!OpenSealedTextFile(buffer)) {
      EXPECT_STREQ(buffer, name) << "a failed unseal must keep the caller's name";
      return "<false>";
    }
    EXPECT_STREQ(buffer, "ready");
    if (!files::Exists(buffer)) return "<missing>";
    return ReadFile(buffer);
  }

  static std::string SealText(const char* name, const std::string& plain) {
    WriteFile(files::NativePath(name), plain);
    EXPECT_TRUE(SealTextFile(name));
    std::string sealed = ReadFile(files::NativePath(name));
    DeleteSealTemporaries();
    return sealed;
  }

  test::TempWorkDir dir_;
};

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[4];
  for (unsigned char c : bytes) {
    std::snprintf(two, sizeof two, "%02x", c);
    out += two;
  }
  return out;
}

TEST(SealByteSumTest, AddsWithEndAroundCarry) {
  struct Case {
    std::string bytes;
    int sum;
  } cases[] = {
      {"", 0},
      {"abc", 39},                // 97 + 98 = 195, + 99 = 294 -> 38 + 1
      {"\xff\x01", 1},            // 256 -> 0 + 1
      {"\xff\xff", 255},          // 510 -> 254 + 1
      {std::string(3, '\0'), 0},  // zero bytes change nothing
      {std::string(300, '\x01'), 300 - 255},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SealByteSum(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size()),
              c.sum)
        << Hex(c.bytes);
  }
  EXPECT_EQ(SealNameSum("abc"), 39);
  // Continuing a sum gives the same as one pass.
  const unsigned char* abc = reinterpret_cast<const unsigned char*>("abc");
  EXPECT_EQ(SealByteSum(abc + 1, 2, SealByteSum(abc, 1)), 39);
}

// The sealed bytes are pinned: saved files depend on the key table and length mask, so any
// change to them must fail here.
TEST_F(SealedTest, SealedBytesArePinned) {
  std::string sealed = SealText("t.txt", "abc");
  ASSERT_EQ(sealed.size(), 15u + 2 * 15);
  EXPECT_EQ(sealed.substr(0, 15), "encryption v2.0");
  // Inner file "version 2.0" '\x27' "abc"; name sum of "t.txt" 4; length term 15 & mask.
  EXPECT_EQ(Hex(sealed.substr(15)),
            "701f"    // 'v' 118 + 7919 + 0 + 11
            "2931"    // 'e' 101 + 12473 + 0 + 11
            "360c"    // 'r' 114 + 3001 + 0 + 11
            "4553"    // 's' 115 + 21187 + 4 + 11
            "7d42"    // 'i' 105 + 16901 + 4 + 11
            "6d27"    // 'o' 111 + 9967 + 4 + 11
            "6c1f"    // 'n' 110 + 7919 + 4 + 11
            "e430"    // ' ' 32 + 12473 + 0 + 11
            "f60b"    // '2' 50 + 3001 + 0 + 11
            "fc52"    // '.' 46 + 21187 + 0 + 11
            "4042"    // '0' 48 + 16901 + 0 + 11
            "2527"    // 39 + 9967 + 4 + 11
            "5f1f"    // 'a' 97 + 7919 + 4 + 11
            "2a31"    // 'b' 98 + 12473 + 4 + 11
            "2b0c");  // 'c' 99 + 3001 + 4 + 11
  EXPECT_EQ(Unseal("t.txt"), "abc");
}

TEST_F(SealedTest, RoundTripsAnyText) {
  std::string binary;
  for (int i = 0; i < 256; ++i) binary.push_back(static_cast<char>(i));
  std::string large;
  for (int i = 0; i < 3001; ++i) large.push_back(static_cast<char>('a' + i % 26));
  const std::string cases[] = {
      "",
      "a216000b216000c216000d216000e216000f0g0h0i0j0>",
      binary,
      large,                             // crosses the 1024-byte blocks, odd length
      "encryption v2.0 but not sealed",  // the outer header alone is plain text once wrapped
      std::string("\0\0\0", 3),
  };
  for (const std::string& plain : cases) {
    std::string sealed = SealText("edit\\stage7.txt", plain);
    EXPECT_EQ(sealed.size(), 15 + 2 * (12 + plain.size())) << plain.size();
    EXPECT_EQ(Unseal("edit\\stage7.txt"), plain) << plain.size();
    DeleteSealTemporaries();
  }
}

TEST_F(SealedTest, EmptyFileSealsToHeaderAndTwelveWords) {
  std::string sealed = SealText("times.txt", "");
  EXPECT_EQ(sealed.size(), 15u + 24u);
  EXPECT_EQ(sealed.substr(0, 15), "encryption v2.0");
  EXPECT_EQ(Unseal("times.txt"), "");
  EXPECT_TRUE(files::Exists("ready"));
}

TEST_F(SealedTest, SealingLeavesTheTemporariesUntilDeleted) {
  WriteFile("settings.txt", "w512>");
  ASSERT_TRUE(SealTextFile("settings.txt"));
  EXPECT_EQ(ReadFile("dummy"), std::string("version 2.0") + char(SealNameSum("w512>")) + "w512>");
  EXPECT_EQ(ReadFile("ready"), ReadFile("settings.txt"));
  DeleteSealTemporaries();
  EXPECT_FALSE(files::Exists("dummy"));
  EXPECT_FALSE(files::Exists("ready"));
  EXPECT_FALSE(files::Exists("settings.txt.sealing"));
}

TEST_F(SealedTest, PlainFilesAndInnerLayersAreReadAsTheyAre) {
  const std::string plain = "t3 A0 >\r\n written by hand";
  WriteFile("saved0.txt", plain);
  EXPECT_EQ(Unseal("saved0.txt"), plain);

  // Only the checksum layer, with a right sum: the text after it.
  WriteFile("saved1.txt", std::string("version 2.0") + char(39) + "abc");
  EXPECT_EQ(Unseal("saved1.txt"), "abc");
  // The inner header alone unseals to nothing.
  WriteFile("saved2.txt", "version 2.0");
  EXPECT_EQ(Unseal("saved2.txt"), "");
  // Only the checksum layer, with a wrong sum.
  WriteFile("saved3.txt", std::string("version 2.0") + char(40) + "abc");
  EXPECT_EQ(Unseal("saved3.txt"), "<false>");
}

TEST_F(SealedTest, EachLayerIsSkippedOnlyWhenItsOwnHeaderIsThere) {
  // A file that already has the checksum layer gets no second one.
  const std::string inner = std::string("version 2.0") + char(39) + "abc";
  std::string sealed = SealText("a.txt", inner);
  EXPECT_EQ(sealed.size(), 15 + 2 * inner.size());
  EXPECT_EQ(Unseal("a.txt"), "abc");
  DeleteSealTemporaries();

  // A sealed file sealed again gets both layers once more; unsealing peels one pair.
  std::string once = SealText("b.txt", "xyz");
  std::string twice = SealText("b.txt", once);
  EXPECT_EQ(twice.size(), 15 + 2 * (12 + once.size()));
  EXPECT_EQ(Unseal("b.txt"), once);
  WriteFile("b.txt", once);
  EXPECT_EQ(Unseal("b.txt"), "xyz");
}

TEST_F(SealedTest, TamperedFilesUnsealToFalse) {
  const std::string plain = "t0 A0 B0 s4 >";
  const std::string good = SealText("saved0.txt", plain);
  struct Case {
    const char* what;
    std::size_t offset;  // byte of the sealed file changed by +1
  } cases[] = {
      {"a byte of the plain text", 15 + 2 * 12},
      {"the last byte of the plain text", good.size() - 2},
      {"the stored checksum", 15 + 2 * 11},
  };
  for (const Case& c : cases) {
    std::string bad = good;
    bad[c.offset] = static_cast<char>(bad[c.offset] + 1);
    WriteFile("saved0.txt", bad);
    WriteFile("ready", "stale");
    EXPECT_EQ(Unseal("saved0.txt"), "<false>") << c.what;
    EXPECT_EQ(ReadFile("ready"), "stale") << "a false result leaves ready alone: " << c.what;
  }
}

TEST_F(SealedTest, TheNameIsPartOfTheSeal) {
  const std::string plain(40, 'q');
  std::string a = SealText("saved0.txt", plain);
  std::string b = SealText("saved1.txt", plain);
  ASSERT_EQ(a.size(), b.size());
  EXPECT_NE(a, b);
  // Unsealed under the other name the text does not come back.
  WriteFile("saved1.txt", a);
  EXPECT_NE(Unseal("saved1.txt"), plain);
}

TEST_F(SealedTest, MissingFileGivesTrueAndNoReady) {
  WriteFile("ready", "stale");
  WriteFile("dummy", "stale");
  EXPECT_EQ(Unseal("times.txt"), "<missing>");
  EXPECT_FALSE(files::Exists("dummy"));
}

TEST_F(SealedTest, DamagedSealedFilesNeverCrash) {
  const std::string good = SealText("times.txt", "a100b200>");
  const std::string cases[] = {
      "encryption v2.0",                // header only
      "encryption v2.",                 // short header: plain text
      good.substr(0, good.size() - 1),  // an odd last byte
      good.substr(0, 15 + 2 * 5),       // cut inside the inner header
      good.substr(0, 15 + 2 * 11),      // cut before the checksum
      good + good,                      // twice
      std::string("encryption v2.0") + std::string(5000, '\xff'),
  };
  for (const std::string& bad : cases) {
    WriteFile("times.txt", bad);
    std::string got = Unseal("times.txt");
    EXPECT_NE(got, "<missing>") << Hex(bad.substr(0, 40));
    DeleteSealTemporaries();
  }
}

// Sealing never loses the previous file: whatever write fails part-way, the target holds
// either its old bytes or the complete new sealed file.
TEST_F(SealedTest, AFailedWriteLeavesTheOldFileIntact) {
  const std::string oldPlain = "a1b2c3d4e5f6g7h8i9j10>";
  const std::string newPlain = "a216000b216000c216000d216000e216000f0g0h0i0j0>";
  ASSERT_TRUE(WriteSealedText("times.txt", oldPlain.data(), oldPlain.size()));
  DeleteSealTemporaries();
  const std::string oldSealed = ReadFile("times.txt");

  // Measure how many bytes a complete write takes.
  long long total = 0;
  files::writeSeam.onWrite = [](std::size_t bytes, void* context) {
    *static_cast<long long*>(context) += static_cast<long long>(bytes);
  };
  files::writeSeam.context = &total;
  ASSERT_TRUE(WriteSealedText("times.txt", newPlain.data(), newPlain.size()));
  files::writeSeam = files::WriteSeam{};
  const std::string newSealed = ReadFile("times.txt");
  ASSERT_GT(total, 0);

  for (long long budget = 0; budget < total; ++budget) {
    ASSERT_TRUE(WriteSealedText("times.txt", oldPlain.data(), oldPlain.size()));
    files::writeSeam.budget = budget;
    EXPECT_FALSE(WriteSealedText("times.txt", newPlain.data(), newPlain.size())) << budget;
    files::writeSeam = files::WriteSeam{};
    EXPECT_EQ(ReadFile("times.txt"), oldSealed) << "budget " << budget;
    EXPECT_FALSE(files::Exists("times.txt.sealing")) << budget;
    EXPECT_FALSE(files::Exists("times.txt.plain")) << budget;
  }
  files::writeSeam.budget = total;
  EXPECT_TRUE(WriteSealedText("times.txt", newPlain.data(), newPlain.size()));
  EXPECT_EQ(ReadFile("times.txt"), newSealed);

  // Sealing in place: a failure keeps the plain text that was there.
  files::writeSeam = files::WriteSeam{};
  WriteFile("settings.txt", "w600>");
  files::writeSeam.budget = 40;
  EXPECT_FALSE(SealTextFile("settings.txt"));
  files::writeSeam = files::WriteSeam{};
  EXPECT_EQ(ReadFile("settings.txt"), "w600>");
}

TEST_F(SealedTest, TheTemporariesThemselvesAreNeverSealedOrUnsealed) {
  WriteFile("ready", "keep");
  EXPECT_FALSE(SealTextFile("ready"));
  EXPECT_EQ(ReadFile("ready"), "keep");
  char name[8] = "dummy";
  WriteFile("dummy", "keep");
  EXPECT_FALSE(OpenSealedTextFile(name));
  EXPECT_EQ(ReadFile("dummy"), "keep");
}

}  // namespace
}  // namespace vx
