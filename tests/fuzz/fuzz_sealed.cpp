// Fuzzes the sealed-file layers: any bytes as a stored file are unsealed, and any bytes as
// plain text must come back unchanged through sealing and unsealing.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "fuzz_files.h"
#include "storage/sealed.h"

namespace {

const char* const kNames[] = {"times.txt", "settings.txt", "saved0.txt", "x"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vx::fuzz::UseMemoryFiles();
  if (size == 0) return 0;
  const char* name = kNames[data[0] % 4];
  const bool asPlainText = (data[0] & 0x80) != 0;
  const char* bytes = reinterpret_cast<const char*>(data + 1);
  const std::size_t length = size - 1;

  if (asPlainText) {
    if (!vx::WriteSealedText(name, bytes, length)) __builtin_trap();
    vx::DeleteSealTemporaries();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s", name);
    const bool unsealed = vx::OpenSealedTextFile(buffer);
    // A text that already starts with the inner header gets no checksum layer of its own:
    // its own (possibly wrong) checksum decides.
    const bool hasInnerHeader = length >= 11 && std::memcmp(bytes, "version 2.0", 11) == 0;
    if (!hasInnerHeader && (!unsealed || vx::fuzz::ReadBytes(buffer) != std::string(bytes, length)))
      __builtin_trap();
  } else {
    vx::fuzz::WriteBytes(name, data + 1, length);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s", name);
    if (vx::OpenSealedTextFile(buffer)) {
      if (std::strcmp(buffer, "ready") != 0) __builtin_trap();
      // Unsealing never makes more plain bytes than the stored file has.
      if (vx::fuzz::ReadBytes(buffer).size() > length) __builtin_trap();
    } else if (std::strcmp(buffer, name) != 0) {
      __builtin_trap();
    }
  }
  vx::DeleteSealTemporaries();
  return 0;
}
