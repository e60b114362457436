#include "platform/files.h"

#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vx::platform::files {

WriteSeam writeSeam;
MemoryFiles memoryFiles;

namespace fs = std::filesystem;

namespace {

// ---- Memory files: a FILE stream over a shared byte string (glibc's fopencookie) ----

struct MemoryStream {
  std::shared_ptr<std::string> bytes;
  std::size_t position = 0;
  bool append = false;
  // The stream's buffer, made with it: one allocation per open instead of two (the C
  // library's own buffer is large, and under a sanitizer every allocation is costly).
  char buffer[256];
};

ssize_t ReadMemory(void* cookie, char* out, std::size_t size) {
  auto* s = static_cast<MemoryStream*>(cookie);
  const std::size_t length = s->bytes->size();
  const std::size_t n = s->position < length ? std::min(size, length - s->position) : 0;
  if (n) std::memcpy(out, s->bytes->data() + s->position, n);
  s->position += n;
  return static_cast<ssize_t>(n);
}

ssize_t WriteMemory(void* cookie, const char* data, std::size_t size) {
  auto* s = static_cast<MemoryStream*>(cookie);
  std::string& bytes = *s->bytes;
  if (s->append) s->position = bytes.size();
  if (s->position + size > bytes.size()) bytes.resize(s->position + size, '\0');
  if (size) std::memcpy(bytes.data() + s->position, data, size);
  s->position += size;
  return static_cast<ssize_t>(size);
}

int SeekMemory(void* cookie, off64_t* offset, int whence) {
  auto* s = static_cast<MemoryStream*>(cookie);
  off64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<off64_t>(s->position);
  if (whence == SEEK_END) base = static_cast<off64_t>(s->bytes->size());
  const off64_t target = base + *offset;
  if (target < 0) return -1;
  s->position = static_cast<std::size_t>(target);
  *offset = target;
  return 0;
}

int CloseMemory(void* cookie) {
  delete static_cast<MemoryStream*>(cookie);
  return 0;
}

std::FILE* OpenMemory(const std::string& path, const char* mode) {
  const char kind = mode[0];
  const bool update = std::strchr(mode, '+') != nullptr;
  auto found = memoryFiles.files.find(path);
  std::shared_ptr<std::string> bytes;
  if (kind == 'r') {
    if (found == memoryFiles.files.end()) return nullptr;
    bytes = found->second;
  } else if (kind == 'w' || kind == 'a') {
    if (found == memoryFiles.files.end())
      found = memoryFiles.files.emplace(path, std::make_shared<std::string>()).first;
    bytes = found->second;
    if (kind == 'w') bytes->clear();
  } else {
    return nullptr;
  }
  auto* stream = new MemoryStream{bytes, 0, kind == 'a', {}};
  const cookie_io_functions_t io = {ReadMemory, WriteMemory, SeekMemory, CloseMemory};
  const char* streamMode = kind == 'r'   ? (update ? "r+" : "r")
                           : kind == 'w' ? (update ? "w+" : "w")
                                         : (update ? "a+" : "a");
  std::FILE* file = fopencookie(stream, streamMode, io);
  if (!file) {
    delete stream;
    return nullptr;
  }
  std::setvbuf(file, stream->buffer, _IOFBF, sizeof stream->buffer);
  return file;
}

// True when a memory file lies in the directory `path`.
bool MemoryDirectory(const std::string& path) {
  std::string prefix = path;
  if (prefix.empty() || prefix.back() != '/') prefix += '/';
  auto it = memoryFiles.files.lower_bound(prefix);
  return it != memoryFiles.files.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void UseMemoryFiles(bool on) {
  memoryFiles = MemoryFiles{};
  memoryFiles.active = on;
}

const std::string* MemoryFile(const char* path) {
  auto found = memoryFiles.files.find(NativePath(path));
  return found == memoryFiles.files.end() ? nullptr : found->second.get();
}

void PutMemoryFile(const char* path, std::string bytes) {
  memoryFiles.files[NativePath(path)] = std::make_shared<std::string>(std::move(bytes));
}

std::string NativePath(std::string_view path) {
  std::string out(path);
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

bool Exists(const char* path) {
  const std::string native = NativePath(path);
  if (memoryFiles.active) return memoryFiles.files.count(native) != 0 || MemoryDirectory(native);
  std::error_code ec;
  return fs::exists(native, ec);
}

bool DirectoryExists(const char* path) {
  const std::string native = NativePath(path);
  if (memoryFiles.active) return MemoryDirectory(native);
  std::error_code ec;
  return fs::is_directory(native, ec);
}

void SetNormalAttributes(const char* path) {
  if (memoryFiles.active) return;
  std::error_code ec;
  fs::permissions(NativePath(path), fs::perms::owner_read | fs::perms::owner_write,
                  fs::perm_options::add, ec);
}

bool Delete(const char* path) {
  const std::string native = NativePath(path);
  if (memoryFiles.active) {
    memoryFiles.files.erase(native);
    return true;
  }
  std::error_code ec;
  fs::remove(native, ec);
  return !fs::exists(native, ec);
}

bool Copy(const char* from, const char* to) {
  if (memoryFiles.active) {
    auto found = memoryFiles.files.find(NativePath(from));
    if (found == memoryFiles.files.end()) return false;
    memoryFiles.files[NativePath(to)] = std::make_shared<std::string>(*found->second);
    return true;
  }
  std::error_code ec;
  fs::copy_file(NativePath(from), NativePath(to), fs::copy_options::overwrite_existing, ec);
  return !ec;
}

bool Rename(const char* from, const char* to) {
  if (memoryFiles.active) {
    auto found = memoryFiles.files.find(NativePath(from));
    if (found == memoryFiles.files.end()) return false;
    std::shared_ptr<std::string> bytes = found->second;
    memoryFiles.files.erase(found);
    memoryFiles.files[NativePath(to)] = std::move(bytes);
    return true;
  }
  std::error_code ec;
  fs::rename(NativePath(from), NativePath(to), ec);
  return !ec;
}

std::FILE* Open(const char* path, const char* mode) {
  if (memoryFiles.active) return OpenMemory(NativePath(path), mode);
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
  if (memoryFiles.active) return true;  // nothing below the stream to push to
  return ::fsync(::fileno(file)) == 0;
}

}  // namespace vx::platform::files
