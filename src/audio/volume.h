// The player's two volumes, as percents (what the settings show and store) and as what the
// sound system and the music player take. The settings file reads and writes the percents;
// every effect is played at effectsVolume, the music player follows musicVolume.
#pragma once

namespace vx {

struct Volumes {
  int effectsVolume = 0;     // attenuation for PlaySound, -10000 .. 0
  int musicVolume = 1000;    // 0 .. 1000, for the music player
  int musicPercent = 100;    // the settings' music volume, 0 .. 100
  int effectsPercent = 100;  // the settings' effects volume, 0 .. 100
};
extern Volumes volumes;

// Percent to attenuation in hundredths of a decibel: 0 is silence (-10000), any other p
// gives p * 60 - 6000 (100 -> 0, 50 -> -3000, 1 -> -5940). Percents outside 0..100 (from a
// file edited by hand) are taken as the nearest end.
int VolumeAttenuation(int percent);

// The music player's loudness, 0 .. 1000, for a music percent: ten steps a percent.
int MusicLoudness(int percent);

// Recomputes effectsVolume and musicVolume from the two percents.
void ApplyVolumePercents();

}  // namespace vx
