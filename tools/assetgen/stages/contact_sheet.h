// The contact sheet of every stage, for review: each field drawn small with the game's own
// sprites, its number, world, name and the figures that make its difficulty.
#pragma once

#include <string>

namespace vx::stages {

// Draws the stage files under `stageDir` (which holds edit/) with the sprite sheets under
// `artDir` into the PNG `out`; with a `reviewDir`, also one picture per world of each set.
// Returns 0; throws on a missing or unreadable picture.
int DrawContactSheet(const std::string& stageDir, const std::string& artDir, const std::string& out,
                     const std::string& reviewDir);

// Draws stage file `fileNumber` alone at half size, for a close look.
int DrawStage(const std::string& stageDir, const std::string& artDir, int fileNumber,
              const std::string& out);

}  // namespace vx::stages
