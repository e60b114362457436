// Soundness of a stage as the game loads it: the header's values are usable, every piece
// stands on the grid inside the field without overlapping another, hangs from the ceiling or
// from a block, sits well above the danger line, and every colour ball can be reached by a
// shot once what lies in front of it has been cleared. For stage authors (vexorbia-tool stage
// check) and the stage generator; the game itself never calls it.
#pragma once
#include <string>
#include <vector>

#include "persist/stage_files.h"

namespace vx {

// Cell rows kept free between the lowest piece and the danger line (bottomLine - 168).
inline constexpr int kAuditDangerMarginRows = 1;

// Appends a line per problem of the stage held in the field tables, loaded from a file whose
// header read as `header`. `firstFile` asks for the stages-per-world value stage file 1 must
// carry. Returns the number of problems found.
int AuditLoadedStage(const StageHeader& header, bool firstFile, std::vector<std::string>* problems);

// Loads stage file `fileNumber` from the working directory and audits it. A missing file or
// one that fails its checksum is a problem of its own; the file is never restored or changed.
int AuditStageFile(int fileNumber, std::vector<std::string>* problems);

}  // namespace vx
