// Every shipped stage in play order: two sets of five worlds of ten stages. Stage file n is
// stage n - 1 of the basic set for n up to 50 and stage n - 51 of the second set after that,
// as the game numbers its stage files (stage + 1 + set x 5 x stages per world).
//
// Each world keeps its stages in one table per set: a name, the rules the stage's header
// carries (cell size, breaking group, push interval) and the function that draws it. Tuning a
// stage means changing its row of the table, or its drawing function.
#pragma once

#include <array>

#include "stage_design.h"

namespace vx::stages {

inline constexpr int kStagesPerWorld = 10;
inline constexpr int kWorldCount = 5;
inline constexpr int kSetCount = 2;
inline constexpr int kStagesPerSet = kWorldCount * kStagesPerWorld;
inline constexpr int kStageFileCount = kSetCount * kStagesPerSet;

struct StageDesign {
  const char* name;
  Rules rules;
  void (*draw)(Stage& stage);
};

using WorldStages = std::array<StageDesign, kStagesPerWorld>;

// The worlds' tables: set 0 is the basic set, set 1 the harder second set.
const WorldStages& MeadowStages(int set);
const WorldStages& OceanStages(int set);
const WorldStages& DunesStages(int set);
const WorldStages& CrystalStages(int set);
const WorldStages& StarlightStages(int set);

// The worlds' names, as the art names their themes.
inline constexpr const char* kWorldNames[kWorldCount] = {"Meadow", "Ocean", "Dunes", "Crystal",
                                                         "Starlight"};

struct StageEntry {
  int fileNumber;  // 1 .. kStageFileCount
  int set;         // 0 basic, 1 second
  int world;       // 0 .. 4
  int stage;       // 0 .. 9 within the world
  const StageDesign* design;
};

// The design of stage file n (1 .. kStageFileCount).
StageEntry StageFile(int fileNumber);

// Draws the design on a stage of its rules and drops what hangs from nothing; `dropped`
// receives how many cells that took.
Stage BuildStage(const StageDesign& design, int* dropped = nullptr);

}  // namespace vx::stages
