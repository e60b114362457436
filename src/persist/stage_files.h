// Stage files "edit\stage%d.txt": a sealed text with a header of one-letter fields closed by
// '>' ("c4 w40 h40 z10 p60 d0>"), then "x y code," triples and a closing '.'. Codes 0..99 and
// 200..299 are cells of that kind, 100..199 blocks of kind code - 100. A damaged file is
// restored from the member of the same name in "_data.loc".
#pragma once
#include <cstdio>

namespace vx {

inline constexpr char kStageArchive[] = "_data.loc";
inline constexpr int kStageWorldCount = 5;

struct StageFileState {
  // Units of push clock between pushes of the pusher, from the header's p (x 1000). Kept
  // until a header with p is loaded.
  float pushInterval = 60000.0f;
  // Filled by CheckWorldStageFiles: world w (0-based) has every stage file present and
  // complete.
  bool worldAvailable[kStageWorldCount] = {};
};
extern StageFileState stageFiles;

// "edit\stage%d.txt" for a stage file number.
void StageFileName(int fileNumber, char* out, int capacity);

// Replaces the cell and block tables and the header values by the stage file's contents and
// returns the number of cells loaded (0 when the file does not exist). Stage file 1 also
// sets the stages per world, held to 1 .. kMaxStagesPerWorld. Entries beyond the tables'
// capacity are dropped. When the file is damaged it is restored from the archive; if that
// does not help, the game goes to the title (without allowFailure) or the stored file is
// parsed as it stands (with allowFailure).
int LoadStage(int fileNumber, bool allowFailure);

// Writes the cell and block tables and the header values as stage file `fileNumber`. The
// finished sealed file replaces the old one in one rename, so a write that fails (a full disk,
// a read-only folder) leaves the previous file as it was. True when the file now holds the
// tables.
bool SaveStage(int fileNumber);

// The number of cell entries in the stage file, without loading it. Like LoadStage, it
// restores a damaged file and resets the cell size to 50 x 50 and the breaking group to 3.
int CountStageCells(int fileNumber);

// Fills stageFiles.worldAvailable: every stage file of the world exists and is either
// sealed or has a header naming w, h, c, z and p and closed by '>'.
void CheckWorldStageFiles();

// ---- The parser's pieces, for the tool and the tests ----

// The header as read; fields absent from the file keep these values.
struct StageHeader {
  int colourCount = 3;
  int cellWidth = 50;
  int cellHeight = 50;
  bool hasStagesPerWorld = false;
  int stagesPerWorld = 0;  // as written, before a 0 becomes 1
  bool hasPushInterval = false;
  int pushSeconds = 0;  // as written: the push interval / 1000
  bool closed = false;  // the header ended with '>'
};

// Reads the header from the file's current position up to '>' or the end of the file.
void ReadStageHeader(std::FILE* file, StageHeader* header);

// Reads the entries after the header, calling `entry` for every triple closed by ','.
typedef void (*StageEntrySink)(int x, int y, int code, void* context);
void ReadStageEntries(std::FILE* file, StageEntrySink entry, void* context);

}  // namespace vx
