// The two effect planters. During play the field plants effect balls by itself: a ball shows
// up at a free spot, shrinks onto it, and sits there as a growing ball (800 units) unless the
// player shoots it. The count planter plants after every so many cleared colour cells, the
// timed planter every so many units of play; what they plant depends on the stage (stage
// number mod 15).
#pragma once

namespace vx {

struct Planting {
  float spotX = 0.0f, spotY = 0.0f;
  int code = 0;            // the cell kind it plants
  float animClock = 0.0f;  // 0 none running, else 0.1 .. 100
};

struct PlanterState {
  Planting count;
  Planting timed;
  int clearedAtLastPlanting = 0;  // clearedColourCells when the count planter last planted
  float periodClock = 0.0f;       // the timed planter's clock
};
extern PlanterState planters;

// mode -1 resets at stage start, 1 runs one frame of play.
void CountPlanter(int mode);
void TimedPlanter(int mode);

// One of the set bits of mask (among 0x1 .. 0x8000), chosen at random; 0 for an empty mask.
int PickPlantKind(int mask);
// The cell kind planted for a kind bit, or -1 for none; `low` is a spot on the danger line,
// where some kinds plant nothing.
int PlantCode(int kindBit, bool low);
// Looks for a free grid spot between the pusher and the danger line within `tries` tries;
// the timed planter (takenByCells) also refuses spots on cells.
bool FindPlantSpot(int tries, bool takenByCells, float* x, float* y);

}  // namespace vx
