// The settings file "settings.txt": window size and position, the music and effects volume,
// and the desktop size it was written on (a placement saved on another desktop size is not
// reused). The window values live in the application's state; the volumes here.
#pragma once

namespace vx {

inline constexpr char kSettingsFile[] = "settings.txt";

struct SettingsValues {
  int effectsVolume = 0;     // attenuation for PlaySound, -10000 .. 0
  int musicVolume = 1000;    // 0 .. 1000, for the music player
  int musicPercent = 100;    // the settings' music volume, 0 .. 100
  int effectsPercent = 100;  // the settings' effects volume, 0 .. 100
  int musicAttenuation = 0;  // the music volume as an attenuation, -10000 .. 0
};
extern SettingsValues settings;

// Percent to attenuation in hundredths of a decibel: 0 is silence (-10000), any other p
// gives p * 60 - 6000 (100 -> 0, 50 -> -3000, 1 -> -5940). Percents outside 0..100 (from a
// file edited by hand) are taken as the nearest end.
int VolumeAttenuation(int percent);

// Recomputes effectsVolume, musicVolume and musicAttenuation from the two percents.
void ApplyVolumePercents();

// Reads "settings.txt". True when a complete record was read and adopted. Whatever the
// result, a file written on another desktop size (or none) puts the window at the fit size
// and position. The derived volumes are recomputed.
bool ReadSettings();

// Writes "settings.txt" with the current values and desktop size.
void WriteSettings();

// The plain text WriteSettings seals. Returns its length.
int FormatSettings(char* out, int capacity);

}  // namespace vx
