// The settings file: window size and position, music and effects volume.
#pragma once

namespace vx {

struct SettingsValues {
  int effectsVolume = 0;   // attenuation for PlaySound, -10000 .. 0
  int musicVolume = 1000;  // 0 .. 1000
};
extern SettingsValues settings;

}  // namespace vx
