#include "audio/sound.h"

#include <cstdio>
#include <cstdlib>

#include "audio/music.h"
#include "audio/wav_reader.h"
#include "platform/platform.h"
#include "storage/archive.h"

namespace vx {

SoundEffects sfx;
SoundSystem soundSystem;

namespace {

constexpr const char* kDeviceCaption = "Quarl Ferrow";
constexpr const char* kDetailCaption = "Quarl Sound";
constexpr const char* kLoadCaption = "game terminating";
constexpr const char* kEffectArchive = "_sfx.loc";

// The game cannot run without its mixer: a failure of the device itself ends the program.
[[noreturn]] void EndProgram() {
  std::exit(-1);
}

bool Holds(int id) {
  return platform::ValidSoundChannel(id) && soundSystem.loaded[id];
}

void Discard(int slot) {
  if (!soundSystem.loaded[slot]) return;
  if (platform::backend.sound) platform::backend.sound->Unload(slot);
  soundSystem.loaded[slot] = false;
  soundSystem.dataSize[slot] = 0;
}

// Reads and checks a member. `wav` points into the archive reader's buffer, valid until
// the next archive load.
bool ReadEffect(const char* member, const char* archive, WavFile* wav) {
  long size = 0;
  const unsigned char* bytes = OpenArchiveMember(archive, member, &size);
  if (!bytes || size <= 0) return false;
  return ReadWav(bytes, static_cast<std::size_t>(size), wav) == WavResult::Ok;
}

// Hands the checked data to the mixer. A mixer that refuses checked PCM data has no
// memory left or is broken: that ends the program like any other device failure.
int Fill(int slot, const WavFile& wav) {
  soundSystem.lastFormat = wav.format;
  platform::SoundDevice* device = platform::backend.sound;
  if (!device || !device->Load(slot, wav.format, wav.data, wav.size)) {
    platform::ShowMessage("Unable to create sound buffer", kLoadCaption);
    EndProgram();
  }
  soundSystem.loaded[slot] = true;
  soundSystem.dataSize[slot] = static_cast<long>(wav.size);
  return slot;
}

const char* OpenErrorText(const platform::SoundOpenResult& r) {
  switch (r.error) {
    case platform::SoundOpenError::Busy:
      return "Snd Being used";
    case platform::SoundOpenError::BadRequest:
      return "Bad Parameter";
    case platform::SoundOpenError::NoDriver:
      return "No Driver";
    case platform::SoundOpenError::OutOfMemory:
      return "No sound Memory";
    default:
      return r.detail && r.detail[0] ? r.detail : nullptr;
  }
}

// The effect list in load order; with every member present, entry n lands in slot n.
struct ListedEffect {
  const char* member;
  int SoundEffects::*variable;
};
constexpr ListedEffect kEffectList[] = {
    {"son\\fire.wav", &SoundEffects::fire},
    {"son\\landed.wav", &SoundEffects::landed},
    {"son\\break1.wav", &SoundEffects::break1},
    {"son\\break2.wav", &SoundEffects::break2},
    {"son\\break3.wav", &SoundEffects::break3},
    {"son\\break4.wav", &SoundEffects::break4},
    {"son\\bounce.wav", &SoundEffects::bounce},
    {"son\\Ok.wav", &SoundEffects::ok},
    {"son\\fall3.wav", &SoundEffects::fall3},
    {"son\\fall5.wav", &SoundEffects::fall5},
    {"son\\fallmany.wav", &SoundEffects::fallMany},
    {"son\\linked3.wav", &SoundEffects::linked3},
    {"son\\linkedmany.wav", &SoundEffects::linkedMany},
    {"son\\wheelclick.wav", &SoundEffects::wheelClick},
    {"son\\newgembounce.wav", &SoundEffects::newGemBounce},
    {"son\\newgem.wav", &SoundEffects::newGem},
    {"son\\pushdown.wav", &SoundEffects::pushDown},
    {"son\\groundshake.wav", &SoundEffects::groundShake},
    {"son\\shotfx.wav", &SoundEffects::shotFx},
    {"son\\shotghost.wav", &SoundEffects::shotGhost},
    {"son\\fxplanted.wav", &SoundEffects::fxPlanted},
    {"son\\fxgrow.wav", &SoundEffects::fxGrow},
    {"son\\goodfxplanted.wav", &SoundEffects::goodFxPlanted},
    {"son\\bombfall.wav", &SoundEffects::bombFall},
    {"son\\bomblanded.wav", &SoundEffects::bombLanded},
    {"son\\invasionwarning.wav", &SoundEffects::invasionWarning},
    {"son\\invasion.wav", &SoundEffects::invasion},
    {"son\\gameover.wav", &SoundEffects::gameOver},
    {"son\\explosion.wav", &SoundEffects::explosion},
    {"son\\laser1.wav", &SoundEffects::laser1},
    {"son\\chgselection.wav", &SoundEffects::chgSelection},
    {"son\\exitplay.wav", &SoundEffects::exitPlay},
    {"son\\retry.wav", &SoundEffects::retry},
};

}  // namespace

bool CreateSoundSystem() {
  soundSystem = SoundSystem{};
  platform::SoundDevice* device = platform::backend.sound;
  platform::SoundOpenResult result;
  if (device) result = device->Open();
  if (!device || result.error == platform::SoundOpenError::NoDevice) {
    platform::ShowMessage("unable to find Sound Driver", kDeviceCaption);
    return false;
  }
  if (result.error == platform::SoundOpenError::Channels) {
    platform::ShowMessage("unable to Apply direct sound SetCooperativeLevel", kDeviceCaption);
    return false;
  }
  if (result.error != platform::SoundOpenError::None) {
    platform::ShowMessage("unable to create direct sound", kDeviceCaption);
    if (const char* detail = OpenErrorText(result)) platform::ShowMessage(detail, kDetailCaption);
    return false;
  }
  soundSystem.created = true;
  return true;
}

int LoadSound(const char* member, const char* archive) {
  WavFile wav;
  if (!ReadEffect(member, archive, &wav)) return -1;
  int slot = 0;
  while (slot < kSoundSlots && soundSystem.loaded[slot]) ++slot;
  if (slot == kSoundSlots) {
    platform::ShowMessage("Max sound channel reached - sound fx can't load", kLoadCaption);
    return -1;
  }
  return Fill(slot, wav);
}

int ReplaceSound(const char* member, const char* archive, int slot) {
  if (!platform::ValidSoundChannel(slot)) return -1;
  Discard(slot);
  WavFile wav;
  if (!ReadEffect(member, archive, &wav)) return -1;
  return Fill(slot, wav);
}

void PlaySound(int id, int flags, int volume) {
  if (!Holds(id) || !platform::backend.sound) return;
  platform::backend.sound->Play(id, flags, volume);
}

void StopSound(int id) {
  if (!Holds(id) || !platform::backend.sound) return;
  platform::backend.sound->Stop(id);
}

bool IsSoundPlaying(int id) {
  if (!Holds(id) || !platform::backend.sound) return false;
  return platform::backend.sound->IsPlaying(id);
}

void ShutdownSound() {
  platform::SoundDevice* device = platform::backend.sound;
  for (int slot = 0; slot < kSoundSlots; ++slot) StopSound(slot);
  StopAndCloseMusic();
  if (device && soundSystem.created) device->Close();
  soundSystem = SoundSystem{};
}

void LoadEffectList() {
  for (const ListedEffect& e : kEffectList) sfx.*e.variable = LoadSound(e.member, kEffectArchive);
  for (int n = 0; n < kWorldSoundCount; ++n) {
    char member[32];
    std::snprintf(member, sizeof member, "son\\fire%d.wav", n);
    sfx.fireWorld[n] = LoadSound(member, kEffectArchive);
    std::snprintf(member, sizeof member, "son\\landed%d.wav", n);
    sfx.landedWorld[n] = LoadSound(member, kEffectArchive);
  }
}

}  // namespace vx
