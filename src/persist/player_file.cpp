#include "persist/player_file.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/files.h"
#include "storage/sealed.h"

namespace vx {

namespace files = platform::files;

namespace {

// True when the file's first bytes are the outer header of a sealed file.
bool StartsSealed(std::FILE* file) {
  char head[kSealOuterHeaderLength] = {};
  const bool sealed = std::fread(head, 1, sizeof head, file) == sizeof head &&
                      std::memcmp(head, kSealOuterHeader, sizeof head) == 0;
  std::rewind(file);
  return sealed;
}

}  // namespace

std::FILE* OpenPlayerFile(const char* name, PlayerFileState* state) {
  *state = PlayerFileState::Missing;
  if (!files::Exists(name)) return nullptr;
  // The unsealer puts "ready" into the buffer in place of the name.
  std::vector<char> buffer(name, name + std::strlen(name) + 1);
  if (buffer.size() < static_cast<std::size_t>(kSealNameBufferMin))
    buffer.resize(kSealNameBufferMin, '\0');
  if (!OpenSealedTextFile(buffer.data())) {
    *state = PlayerFileState::Damaged;
    return nullptr;
  }
  std::FILE* file = files::Open(buffer.data(), "rb");
  if (!file) return nullptr;
  if (StartsSealed(file)) {
    std::fclose(file);
    *state = PlayerFileState::Damaged;
    return nullptr;
  }
  *state = PlayerFileState::Readable;
  return file;
}

bool WritePlayerFile(const char* name, const char* text, std::size_t length) {
  PlayerFileState state;
  if (std::FILE* file = OpenPlayerFile(name, &state)) std::fclose(file);
  DeleteSealTemporaries();
  if (state == PlayerFileState::Damaged) {
    const std::string copy = std::string(name) + kDamagedSuffix;
    files::SetNormalAttributes(copy.c_str());
    if (!files::Copy(name, copy.c_str())) return false;
  }
  const bool written = WriteSealedText(name, text, length);
  DeleteSealTemporaries();
  return written;
}

}  // namespace vx
