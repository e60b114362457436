#include "persist/stage_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "core/game_state.h"
#include "field/field_tables.h"
#include "persist/record.h"
#include "platform/files.h"
#include "storage/archive.h"
#include "storage/sealed.h"

namespace vx {

StageFileState stageFiles;

namespace files = platform::files;

namespace {

constexpr char kHeaderLetters[] = "cwhzpd";
constexpr char kRestoreSuffix[] = ".restore";
constexpr float kSpecialCellTimer = 10000.0f;  // cells of kind 10 and up: never expire

// atoi, one character at a time, held within int: leading white space, an optional sign,
// then digits up to the first other character.
struct AtoiReader {
  int phase = 0;  // 0 before the number, 1 in it, 2 done
  bool negative = false;
  long long magnitude = 0;
};

void FeedAtoi(AtoiReader& a, int c) {
  const bool digit = c >= '0' && c <= '9';
  if (a.phase == 0) {
    if (c == ' ' || (c >= '\t' && c <= '\r')) return;
    a.phase = 1;
    if (c == '-' || c == '+') {
      a.negative = c == '-';
      return;
    }
    if (!digit) a.phase = 2;
  }
  if (a.phase != 1) return;
  if (!digit) {
    a.phase = 2;
    return;
  }
  a.magnitude = a.magnitude * 10 + (c - '0');
  if (a.magnitude > 2147483648LL) a.magnitude = 2147483648LL;
}

int AtoiValue(const AtoiReader& a) {
  if (a.negative) return static_cast<int>(-a.magnitude);  // -2147483648 at the most
  return a.magnitude > 2147483647LL ? 2147483647 : static_cast<int>(a.magnitude);
}

// Whole-number part of a position for writing, held within int.
int Truncate(float v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0f) return 2147483647;
  if (v <= -2147483648.0f) return -2147483647 - 1;
  return static_cast<int>(v);
}

bool IsCellCode(int code) {
  return (code >= 0 && code <= 99) || (code >= 200 && code <= 299);
}
bool IsBlockCode(int code) {
  return code >= 100 && code <= 199;
}

void LoadEntry(int x, int y, int code, void*) {
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  if (IsCellCode(code))
    AppendCell(fx, fy, code, CELL_PLACED, code < 10 ? 0.0f : kSpecialCellTimer);
  else if (IsBlockCode(code))
    AppendBlock(fx, fy, code - 100);
  // A full table refuses the entry; any other code is skipped.
}

void CountCell(int, int, int code, void* context) {
  if (IsCellCode(code)) ++*static_cast<int*>(context);
}

// Replaces the stage file by the archive's copy, if the archive has one. The copy is
// extracted beside the file and renamed over it, so a file the archive cannot restore stays.
void RestoreFromArchive(const char* name) {
  const std::string side = std::string(name) + kRestoreSuffix;
  char member[64];
  std::snprintf(member, sizeof member, "%s", name);
  if (unlocksingle(kStageArchive, member, side.c_str()) > 0 && files::Rename(side.c_str(), name))
    return;
  files::SetNormalAttributes(side.c_str());
  files::Delete(side.c_str());
}

// Unseals stage file `name` into `buffer`, restoring it from the archive when its seal is
// damaged. False when it is still damaged afterwards; the buffer then holds `name`.
bool UnsealStage(const char* name, char* buffer, int capacity) {
  std::snprintf(buffer, static_cast<std::size_t>(capacity), "%s", name);
  if (OpenSealedTextFile(buffer)) return true;
  RestoreFromArchive(name);
  std::snprintf(buffer, static_cast<std::size_t>(capacity), "%s", name);
  return OpenSealedTextFile(buffer);
}

// Opens stage file `fileNumber` for reading, unsealed and restored from the archive when
// damaged. Null when the file does not exist or cannot be opened, and when it is still
// damaged after restoring, unless allowFailure: then the stored bytes are read as they are.
// A damaged file without allowFailure sends the game to the title.
std::FILE* OpenStage(int fileNumber, bool allowFailure) {
  char name[64];
  StageFileName(fileNumber, name, sizeof name);
  if (!files::Exists(name)) return nullptr;
  char buffer[64];
  if (!UnsealStage(name, buffer, sizeof buffer) && !allowFailure) {
    flow.gameState = Title;
    return nullptr;
  }
  std::FILE* file = files::Open(buffer, "rb");
  if (!file) DeleteSealTemporaries();
  return file;
}

void CloseStage(std::FILE* file) {
  std::fclose(file);
  DeleteSealTemporaries();
}

}  // namespace

void StageFileName(int fileNumber, char* out, int capacity) {
  std::snprintf(out, static_cast<std::size_t>(capacity), "edit\\stage%d.txt", fileNumber);
}

void ReadStageHeader(std::FILE* file, StageHeader* header) {
  RecordValues values;
  RecordReader reader = MakeRecordReader(kHeaderLetters, false);
  header->closed = ReadRecord(file, reader, values);
  if (values.present[Slot('c')]) header->colourCount = values.value[Slot('c')];
  if (values.present[Slot('w')]) header->cellWidth = values.value[Slot('w')];
  if (values.present[Slot('h')]) header->cellHeight = values.value[Slot('h')];
  header->hasStagesPerWorld = values.present[Slot('z')];
  if (values.present[Slot('z')]) header->stagesPerWorld = values.value[Slot('z')];
  header->hasPushInterval = values.present[Slot('p')];
  if (values.present[Slot('p')]) header->pushSeconds = values.value[Slot('p')];
}

void ReadStageEntries(std::FILE* file, StageEntrySink entry, void* context) {
  // Before a triple, everything up to the next digit is skipped (a '-' there is lost). In a
  // triple, spaces separate up to three fields, ',' ends it; '.' or the end of the file ends
  // the list, and an unfinished triple is dropped.
  bool inTriple = false;
  bool spaceSeen = false;
  int field = 0;
  AtoiReader numbers[3];
  int c = 0;
  while ((c = std::fgetc(file)) != EOF && c != '.') {
    if (!inTriple) {
      if (c < '0' || c > '9') continue;
      inTriple = true;
      spaceSeen = false;
      field = 0;
      for (AtoiReader& n : numbers) n = AtoiReader{};
      FeedAtoi(numbers[0], c);
      continue;
    }
    if (c == ',') {
      entry(AtoiValue(numbers[0]), AtoiValue(numbers[1]), AtoiValue(numbers[2]), context);
      inTriple = false;
      continue;
    }
    if (c == ' ') {
      spaceSeen = true;
      continue;
    }
    if (spaceSeen) {
      spaceSeen = false;
      ++field;  // a fourth field and beyond is read over
    }
    if (field < 3) FeedAtoi(numbers[field], c);
  }
}

int LoadStage(int fileNumber, bool allowFailure) {
  cells.cellCount = 0;
  blocks.blockCount = 0;
  std::FILE* file = OpenStage(fileNumber, allowFailure);
  if (!file) return 0;
  StageHeader header;
  ReadStageHeader(file, &header);
  geometry.cellWidth = header.cellWidth;
  geometry.cellHeight = header.cellHeight;
  geometry.colourCount = header.colourCount;
  geometry.cellWidthF = static_cast<float>(header.cellWidth);
  geometry.cellHeightF = static_cast<float>(header.cellHeight);
  if (header.hasStagesPerWorld && fileNumber == 1)
    flow.stagesPerWorld = std::clamp(header.stagesPerWorld, 1, kMaxStagesPerWorld);
  if (header.hasPushInterval)
    stageFiles.pushInterval = static_cast<float>(header.pushSeconds) * 1000.0f;
  if (header.closed) ReadStageEntries(file, LoadEntry, nullptr);
  CloseStage(file);
  return cells.cellCount;
}

bool SaveStage(int fileNumber) {
  char name[64];
  StageFileName(fileNumber, name, sizeof name);
  std::string text;
  text.reserve(64 + 40 * static_cast<std::size_t>(cells.cellCount + blocks.blockCount));
  char line[96];
  std::snprintf(line, sizeof line, "c%d w%d h%d z%d p%d d%d>", geometry.colourCount,
                geometry.cellWidth, geometry.cellHeight, flow.stagesPerWorld,
                Truncate(stageFiles.pushInterval / 1000.0f), 0);
  text += line;
  for (int i = 0; i < cells.cellCount; ++i) {
    std::snprintf(line, sizeof line, "%d %d %d,", Truncate(cells.x[i]), Truncate(cells.y[i]),
                  cells.kind[i]);
    text += line;
  }
  for (int i = 0; i < blocks.blockCount; ++i) {
    std::snprintf(line, sizeof line, "%d %d %d,", Truncate(blocks.x[i]), Truncate(blocks.y[i]),
                  blocks.kind[i] + 100);
    text += line;
  }
  text += '.';
  const bool saved = WriteSealedText(name, text.data(), text.size());
  DeleteSealTemporaries();
  return saved;
}

int CountStageCells(int fileNumber) {
  std::FILE* file = OpenStage(fileNumber, false);
  if (!file) return 0;
  geometry.cellWidth = 50;
  geometry.cellHeight = 50;
  geometry.colourCount = 3;
  StageHeader header;
  ReadStageHeader(file, &header);
  int count = 0;
  if (header.closed) ReadStageEntries(file, CountCell, &count);
  CloseStage(file);
  return count;
}

void CheckWorldStageFiles() {
  const int perWorld = flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1;
  for (int w = 1; w <= kStageWorldCount; ++w) {
    bool complete = true;
    for (int n = (w - 1) * perWorld + 1; complete && n <= w * perWorld; ++n) {
      char name[64];
      StageFileName(n, name, sizeof name);
      std::FILE* file = files::Open(name, "rb");
      if (!file) {
        complete = false;
        break;
      }
      char head[16] = {};
      const bool sealed = std::fread(head, 1, kSealOuterHeaderLength, file) ==
                              static_cast<std::size_t>(kSealOuterHeaderLength) &&
                          std::memcmp(head, kSealOuterHeader, kSealOuterHeaderLength) == 0;
      if (!sealed) {
        // A plain header must name w, h, c, z and p before its closing '>'.
        std::rewind(file);
        static constexpr char kNeeded[] = "whczp>";
        unsigned seen = 0;
        int c = 0;
        while ((c = std::fgetc(file)) != EOF) {
          const char* at = c > 0 ? std::strchr(kNeeded, c) : nullptr;
          if (at) seen |= 1u << (at - kNeeded);
          if (c == '>') break;
        }
        complete = seen == 0x3Fu;
      }
      std::fclose(file);
    }
    stageFiles.worldAvailable[w - 1] = complete;
  }
}

}  // namespace vx
