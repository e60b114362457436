#include "platform/files.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace vx::platform::files {

WriteSeam writeSeam;

namespace fs = std::filesystem;

std::string NativePath(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

bool Exists(const char* path) {
  std::error_code ec;
  return fs::exists(NativePath(path), ec);
}

bool DirectoryExists(const char* path) {
  std::error_code ec;
  return fs::is_directory(NativePath(path), ec);
}

void SetNormalAttributes(const char* path) {
  std::error_code ec;
  fs::permissions(NativePath(path), fs::perms::owner_read | fs::perms::owner_write,
                  fs::perm_options::add, ec);
}

bool Delete(const char* path) {
  std::error_code ec;
  std::string native = NativePath(path);
  fs::remove(native, ec);
  return !fs::exists(native, ec);
}

bool Copy(const char* from, const char* to) {
  std::error_code ec;
  fs::copy_file(NativePath(from), NativePath(to), fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool Rename(const char* from, const char* to) {
  std::error_code ec;
  fs::rename(NativePath(from), NativePath(to), ec);
  return !ec;
}

std::FILE* Open(const char* path, const char* mode) {
  return std::fopen(NativePath(path).c_str(), mode);
}

std::size_t Write(const void* data, std::size_t size, std::FILE* file) {
  if (writeSeam.onWrite) writeSeam.onWrite(size, writeSeam.context);
  if (writeSeam.budget >= 0) {
    if (static_cast<long long>(size) > writeSeam.budget) {
      std::size_t part = static_cast<std::size_t>(writeSeam.budget);
      writeSeam.budget = 0;
      return part ? std::fwrite(data, 1, part, file) : 0;
    }
    writeSeam.budget -= static_cast<long long>(size);
  }
  return std::fwrite(data, 1, size, file);
}

bool Flush(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  return ::fsync(::fileno(file)) == 0;
}

}  // namespace vx::platform::files
