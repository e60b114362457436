// Files for the fuzz targets that read and write them: every file operation of the game runs
// on the file layer's memory files, so nothing reaches a disk and a target runs thousands of
// times a second.
#pragma once
#include <cstdint>
#include <string>

#include "platform/files.h"

namespace vx::fuzz {

// Turns the memory files on, once per process; the files of earlier inputs stay and are
// replaced by the next input's.
inline void UseMemoryFiles() {
  static const bool on = [] {
    platform::files::UseMemoryFiles(true);
    return true;
  }();
  (void)on;
}

// Replaces the file `path` by the bytes given.
inline void WriteBytes(const char* path, const std::uint8_t* data, std::size_t size) {
  platform::files::PutMemoryFile(path, std::string(reinterpret_cast<const char*>(data), size));
}

// The bytes of the file `path`; empty when there is none.
inline std::string ReadBytes(const char* path) {
  const std::string* bytes = platform::files::MemoryFile(path);
  return bytes ? *bytes : std::string();
}

}  // namespace vx::fuzz
