// Drawing of the play field and the small play displays: the sky and background, the gears
// behind the launcher, the pusher, the next-ball queue, blocks, cells and objects, the
// launcher wheel with its ball and the player figure; then the remaining-balls popup, the
// stage clock, the energy display and the play keys.
#pragma once
#include <cstdint>

#include "field/field_tables.h"

namespace vx {

struct FieldDrawingState {
  // 1 = the cell with this index sparkles; one mark per place of the cell table.
  std::uint8_t sparkle[kCellCapacity] = {};
  float sparkleClock = 0.0f;  // 0..200 cycle
  float shakeClock = 0.0f;    // runs while the push warning is on
  float skyOffset = 0.0f;     // 0..512 horizontal scroll of the sky
  // The gears: angle g, speed v, and the smoothed launcher angle s.
  float gearAngle = 0.0f;
  float gearSpeed = 0.0f;
  float smoothedAim = 0.0f;
  // The player figure: height, bobbing direction, animation frame and clock.
  float figureY = 394.0f;
  bool figureGoingDown = true;
  int figureFrame = 0;
  float figureClock = 0.0f;
  // The remaining-balls popup: its fading alpha and the cell count it last saw (kept across
  // stages, so a stage that starts with fewer cells than the last one ended with flashes it).
  float popupAlpha = 0.0f;
  int popupCellCount = 10000;
  // The stage clock: ticks of play time and the step accumulator.
  int clockTicks = 0;
  float clockAccumulator = 0.0f;
};
extern FieldDrawingState fieldDrawing;

// Draws the field, back to front; once a frame in Play and StageInfo, first thing.
void DrawField();
// F3 shows the aim guide, F2 hides it; Shift+Q with the left or right arrow skips a stage.
void PlayKeys();
// Flashes the number of colour balls left in the middle of the field whenever the cell count
// drops, fading out; size scales the digits, rotation turns them (radians).
void RemainingBallsPopup(float size, float rotation);
// -1 resets, 99 returns the ticks without advancing, anything else advances and draws.
int StageClock(int command);
void EnergyDisplay(int energy);
// Empties the player-figure image table.
void ClearPlayerFigures();

}  // namespace vx
