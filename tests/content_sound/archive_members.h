// Reads a generated sound archive whole, with the game's own archive reader.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "storage/archive.h"

namespace vx::content_test {

using Archive = std::map<std::string, std::string>;

// Every member of the archive, by its stored name.
inline Archive ReadArchive(const std::string& path) {
  Archive members;
  std::vector<ArchiveEntry> entries;
  if (!ListArchive(path.c_str(), &entries)) return members;
  for (const ArchiveEntry& e : entries) {
    long size = 0;
    const unsigned char* data = OpenArchiveMember(path.c_str(), e.name.c_str(), &size);
    std::string& bytes = members[e.name];
    if (data) bytes.assign(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
  }
  ReleaseArchiveBuffer();
  return members;
}

}  // namespace vx::content_test
