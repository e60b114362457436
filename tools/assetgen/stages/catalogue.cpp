#include "catalogue.h"

#include <stdexcept>
#include <string>

namespace vx::stages {

StageEntry StageFile(int fileNumber) {
  if (fileNumber < 1 || fileNumber > kStageFileCount)
    throw std::out_of_range("no stage file " + std::to_string(fileNumber));
  const int index = fileNumber - 1;
  StageEntry e{};
  e.fileNumber = fileNumber;
  e.set = index / kStagesPerSet;
  e.world = index % kStagesPerSet / kStagesPerWorld;
  e.stage = index % kStagesPerWorld;
  const WorldStages& (*const worlds[kWorldCount])(int) = {MeadowStages, OceanStages, DunesStages,
                                                          CrystalStages, StarlightStages};
  e.design = &worlds[e.world](e.set)[static_cast<std::size_t>(e.stage)];
  return e;
}

Stage BuildStage(const StageDesign& design, int* dropped) {
  Stage stage(design.rules);
  design.draw(stage);
  const int loose = stage.DropLooseCells();
  if (dropped) *dropped = loose;
  return stage;
}

}  // namespace vx::stages
