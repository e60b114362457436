// The file layer's memory files behave as the disk does for everything the game asks of
// files, so the fuzz targets and tests that use them exercise the real readers and writers.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "storage/sealed.h"
#include "test_support.h"

namespace vx {
namespace {

namespace files = platform::files;

std::string ReadAll(const char* path) {
  std::FILE* f = files::Open(path, "rb");
  if (!f) return "<none>";
  std::string out;
  int c = 0;
  while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<char>(c));
  std::fclose(f);
  return out;
}

// The same operations, with what each gave, one step after another. "d" is a directory.
std::vector<std::string> Scenario() {
  std::vector<std::string> log;
  auto note = [&log](const std::string& what, bool result) {
    log.push_back(what + (result ? " yes" : " no"));
  };
  auto show = [&log](const std::string& what, const std::string& text) {
    log.push_back(what + " " + text);
  };
  note("missing opens", files::Open("a.txt", "rb") != nullptr);
  std::FILE* f = files::Open("a.txt", "wb");
  files::Write("hello world", 11, f);
  std::fclose(f);
  f = files::Open("a.txt", "r+b");  // changed in place
  std::fseek(f, 6, SEEK_SET);
  std::fputc('W', f);
  std::fseek(f, 0, SEEK_END);
  show("length", std::to_string(std::ftell(f)));
  std::fseek(f, -3, SEEK_CUR);
  show("at -3", std::string(1, static_cast<char>(std::fgetc(f))));
  std::fclose(f);
  f = files::Open("a.txt", "ab");
  std::fputs("!", f);
  std::fclose(f);
  show("after append", ReadAll("a.txt"));
  std::FILE* reader = files::Open("a.txt", "rb");
  note("deleted", files::Delete("a.txt"));
  note("there after deleting", files::Exists("a.txt"));
  char got[6] = {};
  show("still reads", std::to_string(std::fread(got, 1, 5, reader)) + " " + got);
  std::fclose(reader);
  f = files::Open("b.txt", "w+b");  // made, written, read back
  std::fputs("xyz", f);
  std::rewind(f);
  show("w+ reads", std::string(1, static_cast<char>(std::fgetc(f))));
  note("seeks past the end", std::fseek(f, 10, SEEK_SET) == 0);
  note("reads there", std::fgetc(f) != EOF);
  std::fclose(f);
  note("copy", files::Copy("b.txt", "c.txt"));
  show("copied", ReadAll("c.txt"));
  note("copy of nothing", files::Copy("none.txt", "e.txt"));
  note("made by it", files::Exists("e.txt"));
  f = files::Open("c.txt", "wb");
  std::fputs("new", f);
  std::fclose(f);
  note("rename over", files::Rename("c.txt", "b.txt"));
  note("old name there", files::Exists("c.txt"));
  show("renamed", ReadAll("b.txt"));
  note("rename of nothing", files::Rename("none.txt", "b.txt"));
  show("target kept", ReadAll("b.txt"));
  f = files::Open("d\\e.txt", "wb");
  std::fclose(f);
  note("directory", files::DirectoryExists("d"));
  note("directory with separator", files::DirectoryExists("d\\"));
  note("file in it", files::Exists("d\\e.txt"));
  note("no directory", files::DirectoryExists("x"));
  note("a file is no directory", files::DirectoryExists("b.txt"));
  const char plain[] = "a100b200>";
  note("sealed", WriteSealedText("times.txt", plain, sizeof plain - 1));
  DeleteSealTemporaries();
  show("sealed bytes", ReadAll("times.txt"));
  char name[16] = "times.txt";
  note("unsealed", OpenSealedTextFile(name));
  show("plain", ReadAll(name));
  DeleteSealTemporaries();
  note("temporaries left", files::Exists("dummy") || files::Exists("ready"));
  return log;
}

TEST(MemoryFilesTest, BehaveAsTheDisk) {
  test::InstallHeadless();
  std::vector<std::string> disk;
  {
    test::TempWorkDir dir;
    std::filesystem::create_directory("d");
    disk = Scenario();
  }
  test::TempWorkDir dir;
  files::UseMemoryFiles(true);
  const std::vector<std::string> memory = Scenario();
  EXPECT_EQ(memory, disk);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "nothing reaches the disk";
  files::UseMemoryFiles(false);
}

}  // namespace
}  // namespace vx
