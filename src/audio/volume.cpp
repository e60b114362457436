#include "audio/volume.h"

#include <algorithm>

namespace vx {

Volumes volumes;

int VolumeAttenuation(int percent) {
  const int p = std::clamp(percent, 0, 100);
  return p == 0 ? -10000 : p * 60 - 6000;
}

int MusicLoudness(int percent) {
  return std::clamp(percent, 0, 100) * 10;
}

void ApplyVolumePercents() {
  volumes.effectsVolume = VolumeAttenuation(volumes.effectsPercent);
  volumes.musicVolume = MusicLoudness(volumes.musicPercent);
}

}  // namespace vx
