// vexorbia-tool loc: list, extract and pack resource archives.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "main/tool_commands.h"
#include "storage/archive.h"

namespace vx::tool {

namespace {

int List(const char* archive) {
  std::vector<ArchiveEntry> entries;
  if (!ListArchive(archive, &entries)) {
    std::fprintf(stderr, "vexorbia-tool: cannot open %s\n", archive);
    return 1;
  }
  for (const ArchiveEntry& e : entries) std::printf("%s %lld\n", e.name.c_str(), e.size);
  return 0;
}

int Extract(const char* archive, const char* member, const char* dest) {
  std::vector<char> name(member, member + std::strlen(member) + 1);
  long written = unlocksingle(archive, name.data(), dest);
  std::printf("%ld\n", written);
  return written > 0 ? 0 : 1;
}

int Pack(const char* archive, const std::vector<std::string>& dirs) {
  std::string error;
  if (!PackArchive(archive, dirs, &error)) {
    std::fprintf(stderr, "vexorbia-tool: %s; no archive written\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int LocCommand(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[0], "list") == 0) return List(argv[1]);
  if (argc == 4 && std::strcmp(argv[0], "extract") == 0) return Extract(argv[1], argv[2], argv[3]);
  if (argc >= 3 && std::strcmp(argv[0], "pack") == 0)
    return Pack(argv[1], std::vector<std::string>(argv + 2, argv + argc));
  std::fprintf(stderr,
               "usage: vexorbia-tool loc list ARCHIVE\n"
               "       vexorbia-tool loc extract ARCHIVE MEMBER DEST\n"
               "       vexorbia-tool loc pack ARCHIVE DIR [DIR...]\n");
  return 64;
}

}  // namespace vx::tool
