#include "stage_figures.h"

#include <map>

namespace vx::stages {

namespace {

const char* PieceName(int kind) {
  switch (kind) {
    case Stone:
      return "stone";
    case Steel:
      return "steel";
    case Wood:
      return "wood";
    case Blast:
      return "blast";
    case GemSpring:
      return "gem spring";
    case SeedSpring:
      return "seed spring";
    case Seed:
      return "seed";
    case GuideGift:
      return "guide";
    case LaserGift:
      return "laser";
    case LimitedSpring:
      return "limited spring";
    case Deflector:
      return "deflector";
    case Absorber:
      return "absorber";
    case ColourChanger:
      return "colour changer";
    case LaserBall:
      return "laser ball";
    default:
      return kind >= 200 ? "gem" : "other";
  }
}

}  // namespace

StageFigures MeasureStage(const Stage& stage) {
  StageFigures f;
  bool present[10] = {};
  std::map<std::string, int> counts;
  for (const PlacedPiece& c : stage.cells()) {
    if (c.kind >= 1 && c.kind <= 9) {
      ++f.colourBalls;
      present[c.kind] = true;
    } else {
      ++counts[PieceName(c.kind)];
    }
    if (c.y > f.lowestTop) f.lowestTop = c.y;
  }
  for (bool p : present) f.colours += p ? 1 : 0;
  f.blocks = static_cast<int>(stage.blocks().size());
  for (const auto& [name, count] : counts)
    f.pieces += (f.pieces.empty() ? "" : ", ") + std::to_string(count) + " " + name;
  // The pusher moves 10 units a push, one push every p x 1000 / 10 frame-step units
  // (200 a second); the bottom band starts 84 units above the bottom line.
  const int cell = stage.rules().cell;
  const int travel = (1024 - cell - 84) - f.lowestTop;
  const int pushes = (travel + 9) / 10;
  f.secondsToInvasion = pushes * stage.rules().push / 2;
  return f;
}

}  // namespace vx::stages
