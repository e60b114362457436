// Sound effects in 100 slots; every effect is played through its own variable.
#pragma once

namespace vx {

struct SoundEffects {
  int chgSelection = -1;  // "son\chgselection.wav"
};
extern SoundEffects sfx;

// Brings the sound system up on the window; false when the game must end (its message has
// been shown).
bool CreateSoundSystem();

// Attenuation in hundredths of a decibel, -10000 silent .. 0 full.
void PlaySound(int id, int flags, int volume);
void ShutdownSound();

}  // namespace vx
