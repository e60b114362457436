// The display choice "display.txt": whether the game fills the whole screen. It is a sealed
// player file of its own beside "settings.txt", so the settings record keeps its layout for
// every reader of it, and switching the full screen rewrites only this choice, never a
// settings record that the settings screen may be editing at that moment.
#pragma once

namespace vx {

inline constexpr char kDisplayChoiceFile[] = "display.txt";

// Reads "display.txt" into the requested full-screen flag of the application's values. A
// missing, incomplete or damaged file leaves the flag as it is (a window, at first); only 0
// and 1 are taken. True when a complete record was read.
bool ReadDisplayChoice();

// Writes "display.txt" with the requested full-screen flag.
void WriteDisplayChoice();

// The plain text WriteDisplayChoice seals. Returns its length.
int FormatDisplayChoice(char* out, int capacity);

}  // namespace vx
