// Resource archives (.loc): a plain run of member records, each "name;size;data" where
// name and size are text (bytes below 14 inside them are skipped) and data is exactly
// size raw bytes. No header, no index: a look-up scans the headers from the start.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace vx {

inline constexpr int kArchiveNameLimit = 511;  // longest member name a record may hold
inline constexpr int kArchiveSizeLimit = 19;   // longest size field
inline constexpr long kExtractChunk = 8000;    // unlocksingle copies in pieces of this size

// The reader's state: the buffer handed out by the last load, and where an installed game
// keeps its archives.
struct ArchiveReader {
  unsigned char* lastBuffer = nullptr;
  // An archive that is not in the working directory is looked for here (empty: nowhere
  // else). The installed game reads its archives where they were installed, while its
  // working directory is the player's data directory.
  std::string resourceDirectory;
};
extern ArchiveReader archiveReader;

// Opens an archive for reading from the working directory, or else from the resource
// directory. Null when it is in neither.
std::FILE* OpenArchiveFile(const char* archive);

// In the request: '/' becomes '\' and A-Z become lower case; nothing else changes.
void NormaliseMemberName(char* name);

// Loads one member into a buffer owned by the reader, valid until the next load from any
// archive (which frees it, found or not). Returns null and size 0 when the archive or the
// member is missing. A member whose data is cut short gives exactly the bytes present.
unsigned char* OpenArchiveMember(const char* archive, const char* member, long* outSize);

// Copies one member into the file `dest` and returns the bytes written; 0 when not found or
// refused. `member` is normalised in place. An older `dest` is deleted first.
long unlocksingle(const char* archive, char* member, const char* dest);

// Frees the last member buffer (shutdown and tests).
void ReleaseArchiveBuffer();

// ---- Writing and listing, for the tool and the content generator ----

struct ArchiveEntry {
  std::string name;
  long long size = 0;
};

// Lists the records of an archive in stored order. False when the archive cannot be
// opened; a damaged tail ends the list.
bool ListArchive(const char* archive, std::vector<ArchiveEntry>* entries);

// Why a member name cannot be stored, or empty when it can.
std::string MemberNameProblem(const std::string& name);

// Writes every regular file under `dir` as a member named by its path relative to `dir`,
// lower case with backslash separators, in sorted order. On any problem writes nothing
// and explains in `error`.
bool PackArchive(const char* archive, const char* dir, std::string* error);
// The same over several directories packed together; two files that map to one member
// name, in one directory or in two, are refused.
bool PackArchive(const char* archive, const std::vector<std::string>& dirs, std::string* error);

}  // namespace vx
