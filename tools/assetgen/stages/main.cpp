// The stage generator.
//
//   vexorbia-stagegen write DIR
//       Designs every stage and writes it sealed, as the game names it, into DIR/data/edit
//       (every set: the members of _data.loc and the files of the game's edit/) and the
//       second set again into DIR/data1/edit (the members of _data1.loc). Then loads every
//       file back through the game's own loader and audits it; exits 1 on any problem.
//   vexorbia-stagegen sheet STAGES ART OUT.png [REVIEW_DIR]
//       Draws the contact sheet of the stage files under STAGES (a directory holding edit/)
//       with the sprite sheets the art generator wrote under ART; with REVIEW_DIR, also one
//       picture per world of each set.
//   vexorbia-stagegen table
//       Prints every stage's rules and the figures that make its difficulty.
//   vexorbia-stagegen look STAGES ART N OUT.png
//       Draws stage file N alone at half size.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue.h"
#include "contact_sheet.h"
#include "persist/stage_audit.h"
#include "persist/stage_files.h"
#include "stage_figures.h"
#include "storage/sealed.h"

namespace fs = std::filesystem;
using namespace vx::stages;

namespace {

int Write(const fs::path& dir) {
  const fs::path all = dir / "data", second = dir / "data1";
  fs::create_directories(all / "edit");
  fs::create_directories(second / "edit");
  // The sealing steps and the loader work in the current directory, as the game does.
  const fs::path previous = fs::current_path();
  fs::current_path(all);
  int problems = 0;
  for (int n = 1; n <= kStageFileCount; ++n) {
    const StageEntry e = StageFile(n);
    int dropped = 0;
    const Stage stage = BuildStage(*e.design, &dropped);
    if (dropped > 0)
      std::printf("stage file %d (%s): %d loose cells dropped\n", n, e.design->name, dropped);
    const std::string text = stage.Text(kStagesPerWorld);
    char name[64];
    vx::StageFileName(n, name, sizeof name);
    const bool sealed = vx::WriteSealedText(name, text.data(), text.size());
    vx::DeleteSealTemporaries();
    if (!sealed) {
      std::fprintf(stderr, "cannot write %s\n", name);
      return 1;
    }
  }
  // Every file as the game will read it.
  for (int n = 1; n <= kStageFileCount; ++n) {
    std::vector<std::string> found;
    vx::AuditStageFile(n, &found);
    for (const std::string& p : found)
      std::fprintf(stderr, "stage file %d (%s): %s\n", n, StageFile(n).design->name, p.c_str());
    problems += static_cast<int>(found.size());
  }
  fs::current_path(previous);
  for (int n = kStagesPerSet + 1; n <= kStageFileCount; ++n) {
    const std::string file = "stage" + std::to_string(n) + ".txt";
    fs::copy_file(all / "edit" / file, second / "edit" / file,
                  fs::copy_options::overwrite_existing);
  }
  if (problems > 0) {
    std::fprintf(stderr, "%d problems in the stage designs\n", problems);
    return 1;
  }
  return 0;
}

int Table() {
  std::printf("%-4s %-3s %-5s %-22s %4s %2s %3s %5s %4s %4s %6s %6s  %s\n", "file", "set", "stage",
              "name", "cell", "c", "p", "balls", "cols", "blks", "lowest", "squeeze", "pieces");
  for (int n = 1; n <= kStageFileCount; ++n) {
    const StageEntry e = StageFile(n);
    const Stage stage = BuildStage(*e.design);
    const StageFigures f = MeasureStage(stage);
    char when[16];
    std::snprintf(when, sizeof when, "%d:%02d", f.secondsToInvasion / 60, f.secondsToInvasion % 60);
    std::printf("%-4d %-3d %d-%-3d %-22s %4d %2d %3d %5d %4d %4d %6d %6s  %s\n", n, e.set + 1,
                e.world + 1, e.stage + 1, e.design->name, e.design->rules.cell,
                e.design->rules.group, e.design->rules.push, f.colourBalls, f.colours, f.blocks,
                f.lowestTop, when, f.pieces.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 3) return Write(argv[2]);
    if (command == "sheet" && (argc == 5 || argc == 6))
      return DrawContactSheet(argv[2], argv[3], argv[4], argc == 6 ? argv[5] : "");
    if (command == "table" && argc == 2) return Table();
    if (command == "look" && argc == 6)
      return DrawStage(argv[2], argv[3], std::atoi(argv[4]), argv[5]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vexorbia-stagegen: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr,
               "usage: vexorbia-stagegen write DIR\n"
               "       vexorbia-stagegen sheet STAGES ART OUT.png [REVIEW_DIR]\n"
               "       vexorbia-stagegen table\n"
               "       vexorbia-stagegen look STAGES ART N OUT.png\n");
  return 2;
}
