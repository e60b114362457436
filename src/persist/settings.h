// The settings file: window size and position, music and effects volume.
#pragma once

namespace vx {

struct SettingsValues {
  int effectsVolume = 0;  // attenuation for PlaySound
};
extern SettingsValues settings;

}  // namespace vx
