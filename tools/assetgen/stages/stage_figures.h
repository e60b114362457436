// The figures that make a stage's difficulty, for the generator's table and the contact sheet.
#pragma once

#include <string>

#include "stage_design.h"

namespace vx::stages {

struct StageFigures {
  int colourBalls = 0;
  int colours = 0;  // distinct colours present
  int blocks = 0;
  int lowestTop = 0;  // the lowest cell's top edge, field units
  // How long the pusher takes to bring the lowest ball into the bottom band, where the
  // invasion starts, if nothing were cleared: a measure of the pressure, not a prediction.
  int secondsToInvasion = 0;
  std::string pieces;  // the pieces other than colour balls, counted by name
};

StageFigures MeasureStage(const Stage& stage);

}  // namespace vx::stages
