// Files for the fuzz targets that read and write them: a scratch working directory and a
// whole-file write.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace vx::fuzz {

// Makes a fresh directory named after `tag` the working directory, once per process. It is
// on a memory file system when there is one: every sealed write is pushed to the disk.
inline void EnterScratchDirectory(const char* tag) {
  static bool done = false;
  if (done) return;
  done = true;
  std::string shm = std::string("/dev/shm/vx_fuzz_") + tag + "_XXXXXX";
  std::string tmp = std::string("/tmp/vx_fuzz_") + tag + "_XXXXXX";
  const char* dir = ::mkdtemp(shm.data()) ? shm.c_str() : ::mkdtemp(tmp.data());
  if (!dir || ::chdir(dir) != 0) std::abort();
}

// Replaces the file `path` by the bytes given.
inline void WriteBytes(const char* path, const std::uint8_t* data, std::size_t size) {
  if (std::FILE* f = std::fopen(path, "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
}

}  // namespace vx::fuzz
