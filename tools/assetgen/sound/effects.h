// The game's sound effects, each synthesised from the building blocks of dsp.h.
#pragma once

#include <string>
#include <vector>

#include "dsp.h"

namespace vx::assetgen::sound {

struct Effect {
  std::string path;  // relative path under the effects directory, e.g. "son/fire.wav"
  Buffer samples;    // mono, 44.1 kHz, already levelled
  bool loops;        // played as a loop: its end runs straight into its start
};

// Loudness target for the set: the loudest 50 ms of every effect is brought to this RMS, unless
// that would push its peak above kEffectPeak.
inline constexpr double kEffectLoudRms = 0.22;  // about -13 dBFS
inline constexpr double kEffectPeak = 0.88;     // about -1.1 dBFS, below the -1 dBFS ceiling

// Builds all 45 effects in a fixed order.
std::vector<Effect> BuildEffects();

// Scales a buffer to the set's loudness target under the peak ceiling.
void Level(Buffer& b);

}  // namespace vx::assetgen::sound
