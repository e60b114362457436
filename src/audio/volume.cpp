#include "audio/volume.h"

#include <algorithm>

namespace vx {

Volumes volumes;

int VolumeAttenuation(int percent) {
  const int p = std::clamp(percent, 0, 100);
  return p == 0 ? -10000 : p * 60 - 6000;
}

void ApplyVolumePercents() {
  volumes.effectsVolume = VolumeAttenuation(volumes.effectsPercent);
  volumes.musicAttenuation = VolumeAttenuation(volumes.musicPercent);
  volumes.musicVolume = std::clamp(volumes.musicPercent, 0, 100) * 10;
}

}  // namespace vx
