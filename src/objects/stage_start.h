// Stage start: builds a stage from its stage file with its images and sounds, or from the
// random field generator when the stage file holds no cells, and puts every per-stage value
// of the field, the shooter and the field objects back to its start.
#pragma once

#include "audio/sound.h"

namespace vx {

struct Texture;

// The stage's own pictures and the world sound variants' slots. The textures are released
// when the next stage start loads their slot again.
struct StageStartState {
  Texture* sky = nullptr;         // "img\sky.jpg", scrolled behind the background
  Texture* pusher = nullptr;      // "img\pusher.tga", the ceiling press
  Texture* background = nullptr;  // "pho\bkg%d.tga" of the world
  int currentWorld = 1;           // 1-based world of the stage being played
  // The slot each world sound variant (1..5) was last loaded into, kept when a load fails so
  // that a later stage start (another stage set) can fill it again; -1 before any load.
  int fireSlot[kWorldSoundCount] = {-1, -1, -1, -1, -1, -1};
  int landedSlot[kWorldSoundCount] = {-1, -1, -1, -1, -1, -1};
};
extern StageStartState stageStart;

// Handler of StageLoad: loads and builds the stage of flow.stageNumber and switches to
// StageInfo. 0 on success; E_FAIL after a message when the sky, the pusher or every
// background candidate is missing (the state is StageInfo already).
int StartStage();

// The stage file of a stage: stage + 1 + stage set x 5 x stages per world. 0 (no file) when
// that number does not fit an int.
int StageFileNumber(int stage, int stageSet, int stagesPerWorld);

// The random field generator's settings for n = stage + 1.
struct RandomFieldParameters {
  int colourChange;  // percent chance that the next ball starts a new colour run
  int emptiness;     // a place stays empty unless rand() mod 100 is above this
  int colourCount;   // smallest breaking group
  int cellSize;      // cell width and height
  int fieldDepth;    // lowest row top that may still be filled
};
RandomFieldParameters RandomFieldParametersFor(int n);

// Fills the cell table with runs of random colours 1..8 row by row, odd rows shifted by half
// a cell, with the cell size and breaking group of n = stage + 1.
void BuildRandomField(int n);

}  // namespace vx
