// The three player files (best times, settings, saved games) share how they are opened and
// replaced. A damaged player file is read as nothing at all, and before a writer replaces
// one, its bytes are kept beside it as "NAME.damaged", so nothing the player had is lost
// without a trace.
#pragma once
#include <cstddef>
#include <cstdio>

namespace vx {

inline constexpr char kDamagedSuffix[] = ".damaged";

enum class PlayerFileState {
  Missing,   // no such file
  Damaged,   // sealed, but its layers do not come off whole: nothing in it may be used
  Readable,  // the plain text is open for reading
};

// Opens the plain text of player file `name` (unsealed into the temporary "ready"). Null
// unless the state is Readable; the caller closes the file and calls DeleteSealTemporaries
// whatever the state. A plain text that is itself a sealed file (a damaged file sealed once
// more) counts as damaged: its scrambled bytes are no record.
std::FILE* OpenPlayerFile(const char* name, PlayerFileState* state);

// Writes `text` as the sealed player file `name`. When the file there is damaged, its bytes
// are first copied to "NAME.damaged" (replacing an older copy); if that copy cannot be made
// the damaged file stays and nothing is written. True when the file was written.
bool WritePlayerFile(const char* name, const char* text, std::size_t length);

}  // namespace vx
