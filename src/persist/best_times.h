// Best stage and world times.
#pragma once

namespace vx {

void RecordStageTime(int stageNumber, bool writeFile, int time);

}  // namespace vx
