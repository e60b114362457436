#include "audio/sound.h"

namespace vx {

SoundEffects sfx;

// Not built yet: no effect plays.
bool CreateSoundSystem() {
  return true;
}
void PlaySound(int, int, int) {}
bool IsSoundPlaying(int) {
  return false;
}
void ShutdownSound() {}

}  // namespace vx
