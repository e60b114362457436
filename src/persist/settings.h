// The settings file "settings.txt": window size and position, the music and effects volume,
// and the desktop size it was written on (a placement saved on another desktop size is not
// reused). The window values live in the application's state, the volumes with the sound.
#pragma once
#include "audio/volume.h"

namespace vx {

inline constexpr char kSettingsFile[] = "settings.txt";

// Reads "settings.txt". True when a complete record was read and adopted: the window size
// held to what the settings screen makes and the desktop holds, the position to one that
// keeps the whole window on the desktop, the volumes to 0..100. Unless the file is damaged
// (then nothing at all changes), a file written on another desktop size (or none) puts the
// window at the fit size and position. The derived volumes are recomputed.
bool ReadSettings();

// Writes "settings.txt" with the current values and desktop size (keeping a damaged file's
// bytes as "settings.txt.damaged" first).
void WriteSettings();

// The plain text WriteSettings seals. Returns its length.
int FormatSettings(char* out, int capacity);

}  // namespace vx
