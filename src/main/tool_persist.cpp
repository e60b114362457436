// vexorbia-tool seal, unseal and stage: the game's sealed text files and stage files, for
// stage authors and for checking files by hand. Every command works in the current
// directory, where the game keeps its files and its temporaries "dummy" and "ready".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "main/tool_commands.h"
#include "persist/stage_audit.h"
#include "persist/stage_files.h"
#include "platform/files.h"
#include "storage/sealed.h"

namespace vx::tool {

namespace files = platform::files;

namespace {

constexpr int kUsage = 64;

// Writes the plain copy "ready" to standard output.
bool CopyToStdout(const char* path) {
  std::FILE* in = files::Open(path, "rb");
  if (!in) return false;
  char block[1024];
  std::size_t n = 0;
  while ((n = std::fread(block, 1, sizeof block, in)) > 0) std::fwrite(block, 1, n, stdout);
  std::fclose(in);
  return true;
}

// The file a seal or unseal command names: it must exist and must not be one of the
// sealing steps' own temporaries "dummy" and "ready".
bool SealableFile(const char* name) {
  if (!files::Exists(name)) {
    std::fprintf(stderr, "vexorbia-tool: no file %s\n", name);
    return false;
  }
  if (IsSealTemporary(name)) {
    std::fprintf(stderr, "vexorbia-tool: %s is a temporary of the sealing steps\n", name);
    return false;
  }
  return true;
}

// The name in a buffer the unsealer may overwrite with "ready".
std::vector<char> NameBuffer(const char* name) {
  std::size_t length = std::strlen(name) + 1;
  std::vector<char> buffer(length < kSealNameBufferMin ? kSealNameBufferMin : length, '\0');
  std::memcpy(buffer.data(), name, length);
  return buffer;
}

void PrintEntry(int x, int y, int code, void*) {
  if (code >= 0 && code <= 299) std::printf("%d %d %d\n", x, y, code);
}

int StageShow(const char* number) {
  char* end = nullptr;
  long n = std::strtol(number, &end, 10);
  if (*number == '\0' || *end != '\0' || n < 0 || n > 1000000000L) {
    std::fprintf(stderr, "vexorbia-tool: not a stage file number: %s\n", number);
    return kUsage;
  }
  char name[64];
  StageFileName(static_cast<int>(n), name, sizeof name);
  if (!files::Exists(name)) {
    std::fprintf(stderr, "vexorbia-tool: no stage file %s\n", files::NativePath(name).c_str());
    return 1;
  }
  std::vector<char> buffer = NameBuffer(name);
  if (!OpenSealedTextFile(buffer.data())) {
    std::fprintf(stderr, "vexorbia-tool: %s is damaged: its seal does not come off whole\n",
                 files::NativePath(name).c_str());
    return 2;
  }
  std::FILE* file = files::Open(buffer.data(), "rb");
  if (!file) {
    DeleteSealTemporaries();
    std::fprintf(stderr, "vexorbia-tool: cannot read %s\n", files::NativePath(name).c_str());
    return 1;
  }
  StageHeader header;
  ReadStageHeader(file, &header);
  std::printf("colourCount %d cellWidth %d cellHeight %d", header.colourCount, header.cellWidth,
              header.cellHeight);
  if (header.hasStagesPerWorld) std::printf(" stagesPerWorld %d", header.stagesPerWorld);
  if (header.hasPushInterval)
    std::printf(" pushInterval %.0f", static_cast<double>(header.pushSeconds) * 1000.0);
  std::printf("\n");
  if (header.closed)
    ReadStageEntries(file, PrintEntry, nullptr);
  else
    std::fprintf(stderr, "vexorbia-tool: the header has no closing '>': the game reads no cells\n");
  std::fclose(file);
  DeleteSealTemporaries();
  return 0;
}

// True when stage file n exists and unseals; its cells are then counted without the file
// being restored or changed. A damaged file is reported and counts as the end of the sets.
bool SoundStageFile(int n, std::vector<std::string>* problems) {
  char name[64];
  StageFileName(n, name, sizeof name);
  if (!files::Exists(name)) return false;
  std::vector<char> buffer = NameBuffer(name);
  const bool sealed = OpenSealedTextFile(buffer.data());
  DeleteSealTemporaries();
  if (!sealed) problems->push_back(std::string(name) + ": fails its checksum");
  return sealed;
}

// The stage sets beyond the basic one, counted as the world selection counts them: the
// stage files from 5 x stagesPerWorld + 1 on, up to the first without cells.
int CountExtraSets(int perWorld, std::vector<std::string>* problems) {
  const int perSet = kStageWorldCount * perWorld;
  int n = perSet + 1;
  while (SoundStageFile(n, problems) && CountStageCells(n) > 0) ++n;
  return n / perSet - 1;
}

// Prints the worlds of every stage set, then audits every stage file of every set: the
// header's values, the pieces' places, their hold and whether every colour ball can be
// reached. Exits 1 when any file has a problem.
int StageCheck() {
  // As the title screen does: stage file 1 sets the stages per world first.
  LoadStage(1, true);
  CheckWorldStageFiles();
  const int perWorld = flow.stagesPerWorld;
  std::printf("stagesPerWorld %d\n", perWorld);
  for (int w = 0; w < kStageWorldCount; ++w)
    std::printf("world %d %d\n", w + 1, stageFiles.worldAvailable[w] ? 1 : 0);
  std::vector<std::string> problems;
  const int extraSets = CountExtraSets(perWorld, &problems);
  std::printf("extraSets %d\n", extraSets);
  const int perSet = kStageWorldCount * perWorld;
  int checked = 0;
  for (int set = 0; set <= extraSets; ++set) {
    for (int w = 0; w < kStageWorldCount; ++w) {
      bool present = true;
      for (int i = 1; i <= perWorld; ++i) {
        const int n = set * perSet + w * perWorld + i;
        char name[64];
        StageFileName(n, name, sizeof name);
        std::vector<std::string> found;
        AuditStageFile(n, &found);
        ++checked;
        if (!files::Exists(name)) present = false;
        for (const std::string& p : found) problems.push_back(std::string(name) + ": " + p);
      }
      if (set > 0) std::printf("set %d world %d %d\n", set, w + 1, present ? 1 : 0);
    }
  }
  for (const std::string& p : problems) std::printf("%s\n", p.c_str());
  std::printf("checked %d stage files: %d problems\n", checked, static_cast<int>(problems.size()));
  return problems.empty() ? 0 : 1;
}

}  // namespace

int SealCommand(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr,
                 "usage: vexorbia-tool seal FILE   (stage files as 'edit\\stageN.txt', the "
                 "name the game uses)\n");
    return kUsage;
  }
  if (!SealableFile(argv[0])) return 1;
  bool sealed = SealTextFile(argv[0]);
  DeleteSealTemporaries();
  if (!sealed) {
    std::fprintf(stderr, "vexorbia-tool: could not seal %s; it is unchanged\n", argv[0]);
    return 1;
  }
  return 0;
}

int UnsealCommand(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "usage: vexorbia-tool unseal FILE\n");
    return kUsage;
  }
  if (!SealableFile(argv[0])) return 1;
  std::vector<char> buffer = NameBuffer(argv[0]);
  if (!OpenSealedTextFile(buffer.data())) {
    std::fprintf(stderr, "vexorbia-tool: %s is damaged: its seal does not come off whole\n",
                 argv[0]);
    return 2;
  }
  bool copied = CopyToStdout(buffer.data());
  DeleteSealTemporaries();
  if (!copied) {
    std::fprintf(stderr, "vexorbia-tool: cannot read %s\n", argv[0]);
    return 1;
  }
  return 0;
}

int StageCommand(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[0], "show") == 0) return StageShow(argv[1]);
  if (argc == 1 && std::strcmp(argv[0], "check") == 0) return StageCheck();
  std::fprintf(stderr,
               "usage: vexorbia-tool stage show N\n"
               "       vexorbia-tool stage check\n");
  return kUsage;
}

}  // namespace vx::tool
