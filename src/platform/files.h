// File operations. The game names files the way its data does, with backslash separators
// ("BUN\k\k\ahae.mp3", "edit\stage1.txt"); every call here turns those into the file
// system's separators. All paths are relative to the working directory unless absolute.
#pragma once
#include <cstddef>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace vx::platform::files {

// "a\b\c.txt" -> "a/b/c.txt".
std::string NativePath(std::string_view path);

bool Exists(const char* path);           // a file or directory is there
bool DirectoryExists(const char* path);  // a directory is there
// Makes the file writable again (the game clears attributes before deleting or replacing).
void SetNormalAttributes(const char* path);
bool Delete(const char* path);  // true when the file is gone afterwards
bool Copy(const char* from, const char* to);
// Replaces `to` by `from` in one step (same directory).
bool Rename(const char* from, const char* to);
std::FILE* Open(const char* path, const char* mode);
// fwrite through the seam below.
std::size_t Write(const void* data, std::size_t size, std::FILE* file);
// Pushes the file's buffered bytes to the disk (fflush and fsync); false when that failed.
bool Flush(std::FILE* file);

// Test seam for writes: every Write reports its size to `onWrite`; with a budget of 0 or
// more, writes fail once that many bytes have been written (simulating a full disk or a
// crash part-way through).
struct WriteSeam {
  void (*onWrite)(std::size_t bytes, void* context) = nullptr;
  void* context = nullptr;
  long long budget = -1;
};
extern WriteSeam writeSeam;

// Seam for tests and fuzz targets: while `active`, every operation above works on files held
// here, by their native path, instead of on the file system; nothing reaches a disk, so the
// readers and writers run thousands of times a second. Streams opened on them are ordinary
// FILE streams. A directory exists when a file lies in it.
struct MemoryFiles {
  bool active = false;
  std::map<std::string, std::shared_ptr<std::string>> files;
};
extern MemoryFiles memoryFiles;

// Turns the memory files on (empty) or off (and forgets them).
void UseMemoryFiles(bool on);
// The bytes of a memory file, or null when there is none.
const std::string* MemoryFile(const char* path);
// Creates or replaces a memory file.
void PutMemoryFile(const char* path, std::string bytes);

}  // namespace vx::platform::files
