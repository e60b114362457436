// The monkey: seeded random keys, mouse motion, clicks and pad input fed to the real game
// loop for a stretch of game time, to shake out crashes and growing memory. It reports the
// frames spent in each game state (so a run shows which screens it reached), and the resident
// memory and the heap in use after the first minute and at the end.
#pragma once
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_devices.h"
#include "platform/headless/headless_dialogs.h"

namespace vx::monkey {

struct Devices {
  platform::HeadlessKeyboard* keys;
  platform::HeadlessMouse* mouse;
  platform::HeadlessGamepad* pad;
  // The recording backends keep every call they see; the monkey empties their logs as it
  // goes, so an hour of frames measures the game's memory, not the recordings. Null when the
  // real backends run.
  platform::HeadlessSoundDevice* sound;
  platform::HeadlessMusicPlayer* music;
  platform::HeadlessWindow* window;
  platform::HeadlessDialogs* dialogs;
};

// Runs `minutes` of game time (frames of the fixed step) on a started game. Prints a progress
// line every five game minutes and a summary at the end on stdout. Returns 0, or 1 when the
// game quit before the time was up (the monkey never picks the title's quit entry, so that is
// a fault worth looking at).
int Run(unsigned seed, double minutes, const Devices& devices);

}  // namespace vx::monkey
