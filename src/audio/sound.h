// Sound effects in 100 slots; every effect is played through its own variable.
#pragma once

namespace vx {

struct SoundEffects {
  int chgSelection = -1;                     // "son\chgselection.wav"
  int bounce = -1;                           // "son\bounce.wav"
  int fall3 = -1;                            // "son\fall3.wav"
  int fall5 = -1;                            // "son\fall5.wav"
  int fallMany = -1;                         // "son\fallmany.wav"
  int linked3 = -1;                          // "son\linked3.wav"
  int linkedMany = -1;                       // "son\linkedmany.wav"
  int wheelClick = -1;                       // "son\wheelclick.wav"
  int bombFall = -1;                         // "son\bombfall.wav"
  int laser1 = -1;                           // "son\laser1.wav"
  int fire[6] = {-1, -1, -1, -1, -1, -1};    // "son\fire%d.wav" by world
  int landed[6] = {-1, -1, -1, -1, -1, -1};  // "son\landed%d.wav" by world
};
extern SoundEffects sfx;

// Brings the sound system up on the window; false when the game must end (its message has
// been shown).
bool CreateSoundSystem();

// Attenuation in hundredths of a decibel, -10000 silent .. 0 full.
void PlaySound(int id, int flags, int volume);
// True while the effect is sounding.
bool IsSoundPlaying(int id);
void ShutdownSound();

}  // namespace vx
