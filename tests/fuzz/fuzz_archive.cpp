// Fuzzes the member scan: any bytes as an archive, looked up, listed and extracted.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "storage/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vx::fuzz::UseMemoryFiles();
  static const std::string archive = "fuzz.loc";
  static const std::string dest = "fuzz.out";
  vx::fuzz::WriteBytes(archive.c_str(), data, size);
  // Ask for a name taken from the input itself, so matching records are reached too.
  std::string request;
  for (std::size_t i = 0; i < size && i < 24 && data[i] != ';'; ++i)
    if (data[i] >= 14) request.push_back(static_cast<char>(data[i]));
  long got = 0;
  unsigned char* buffer = vx::OpenArchiveMember(archive.c_str(), request.c_str(), &got);
  if (buffer && got > 0) {
    volatile unsigned char sink = buffer[got - 1];  // every reported byte must be readable
    (void)sink;
  }
  std::vector<vx::ArchiveEntry> entries;
  vx::ListArchive(archive.c_str(), &entries);
  std::vector<char> name(request.begin(), request.end());
  name.push_back('\0');
  long written = vx::unlocksingle(archive.c_str(), name.data(), dest.c_str());
  if (written > static_cast<long>(size)) __builtin_trap();
  // What was extracted is exactly the member a load hands out.
  if (written > 0) {
    long got = 0;
    const unsigned char* member = vx::OpenArchiveMember(archive.c_str(), name.data(), &got);
    if (!member || got != written ||
        vx::fuzz::ReadBytes(dest.c_str()) !=
            std::string(reinterpret_cast<const char*>(member), got))
      __builtin_trap();
  }
  vx::ReleaseArchiveBuffer();
  return 0;
}
