// Sound effects in 100 slots; every effect is played through its own variable.
#pragma once

#include "platform/sound.h"

namespace vx {

inline constexpr int kSoundSlots = platform::kSoundChannels;
inline constexpr int kWorldSoundCount = 6;  // "son\fire%d.wav" and "son\landed%d.wav", 0..5

// The slot of every effect, as the effect list loaded it; -1 when it did not load.
struct SoundEffects {
  int fire = -1;             // "son\fire.wav"
  int landed = -1;           // "son\landed.wav"
  int break1 = -1;           // "son\break1.wav"
  int break2 = -1;           // "son\break2.wav"
  int break3 = -1;           // "son\break3.wav"
  int break4 = -1;           // "son\break4.wav"
  int bounce = -1;           // "son\bounce.wav"
  int ok = -1;               // "son\Ok.wav"
  int fall3 = -1;            // "son\fall3.wav"
  int fall5 = -1;            // "son\fall5.wav"
  int fallMany = -1;         // "son\fallmany.wav"
  int linked3 = -1;          // "son\linked3.wav"
  int linkedMany = -1;       // "son\linkedmany.wav"
  int wheelClick = -1;       // "son\wheelclick.wav"
  int newGemBounce = -1;     // "son\newgembounce.wav"
  int newGem = -1;           // "son\newgem.wav"
  int pushDown = -1;         // "son\pushdown.wav"
  int groundShake = -1;      // "son\groundshake.wav"
  int shotFx = -1;           // "son\shotfx.wav"
  int shotGhost = -1;        // "son\shotghost.wav"
  int fxPlanted = -1;        // "son\fxplanted.wav"
  int fxGrow = -1;           // "son\fxgrow.wav"
  int goodFxPlanted = -1;    // "son\goodfxplanted.wav"
  int bombFall = -1;         // "son\bombfall.wav"
  int bombLanded = -1;       // "son\bomblanded.wav"
  int invasionWarning = -1;  // "son\invasionwarning.wav"
  int invasion = -1;         // "son\invasion.wav"
  int gameOver = -1;         // "son\gameover.wav"
  int explosion = -1;        // "son\explosion.wav"
  int laser1 = -1;           // "son\laser1.wav"
  int chgSelection = -1;     // "son\chgselection.wav"
  int exitPlay = -1;         // "son\exitplay.wav"
  int retry = -1;            // "son\retry.wav"
  // The shooter's sounds by world: "son\fire%d.wav" and "son\landed%d.wav" with 0..5.
  int fireWorld[kWorldSoundCount] = {-1, -1, -1, -1, -1, -1};
  int landedWorld[kWorldSoundCount] = {-1, -1, -1, -1, -1, -1};
};
extern SoundEffects sfx;

// The sound system's own state: which slots hold an effect, and what was loaded last.
struct SoundSystem {
  bool created = false;
  bool loaded[kSoundSlots] = {};
  long dataSize[kSoundSlots] = {};  // bytes of PCM data in the slot
  platform::PcmFormat lastFormat;
};
extern SoundSystem soundSystem;

// Opens the mixer through the installed sound device and empties every slot. On failure
// shows the device's messages and returns false: the game must end.
bool CreateSoundSystem();

// Loads a PCM WAV member of `archive` into the first free slot. Returns the slot, or -1
// when the member is missing or not a PCM WAV, or every slot is taken.
int LoadSound(const char* member, const char* archive);
// Loads into `slot`, discarding what it held first; -1 (and an empty slot) on failure.
int ReplaceSound(const char* member, const char* archive, int slot);

// Restarts the effect from its beginning at `volume`, an attenuation in hundredths of a
// decibel (-10000 silent .. 0 full). `flags` may hold platform::kPlayLooping. An id that
// holds nothing (-1 of a failed load, a free slot, out of range) plays nothing.
void PlaySound(int id, int flags, int volume);
void StopSound(int id);
bool IsSoundPlaying(int id);

// Stops every effect and closes the mixer (the music plays through it too, so that is
// closed first).
void ShutdownSound();

// Loads the whole effect list from "_sfx.loc" into `sfx`, in list order, so with every
// member present slot n holds effect n. Missing members leave their variable at -1.
void LoadEffectList();

}  // namespace vx
