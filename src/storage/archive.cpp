#include "storage/archive.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/platform.h"

namespace vx {

ArchiveReader archiveReader;

namespace {

namespace files = platform::files;

// The C library's atoi over the size field, without its overflow: leading blanks, an
// optional sign, then digits; anything after the digits is ignored; no digits give 0.
// Values that do not fit saturate.
long long ParseSize(const char* text) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  long long value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value > (LLONG_MAX - 9) / 10) {
      value = LLONG_MAX;
      break;
    }
    value = value * 10 + (*p++ - '0');
  }
  return negative ? -value : value;
}

enum class Field { Ok, End, Broken };

// Reads one ';'-terminated text field, skipping bytes below 14. `any` tells whether a
// byte was seen at all (end of file with nothing read ends the scan quietly).
Field ReadField(std::FILE* f, char* out, int limit, bool* any) {
  int n = 0;
  for (;;) {
    int c = std::fgetc(f);
    if (c == EOF) return Field::End;
    *any = true;
    if (c < 14) continue;
    if (c == ';') break;
    if (n >= limit) return Field::Broken;
    out[n++] = static_cast<char>(c);
  }
  out[n] = '\0';
  return Field::Ok;
}

struct Header {
  char name[kArchiveNameLimit + 1];
  long long size;
};

// Reads the next record header. False at the end of the archive or on a damaged header.
bool ReadHeader(std::FILE* f, Header* h) {
  bool any = false;
  if (ReadField(f, h->name, kArchiveNameLimit, &any) != Field::Ok) return false;
  char size[kArchiveSizeLimit + 1];
  if (ReadField(f, size, kArchiveSizeLimit, &any) != Field::Ok) return false;
  h->size = ParseSize(size);
  return true;
}

long long BytesLeft(std::FILE* f) {
  long here = std::ftell(f);
  if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return 0;
  long end = std::ftell(f);
  std::fseek(f, here, SEEK_SET);
  return end > here ? end - here : 0;
}

// The bytes of a member's data actually there: its size, cut at the end of the file; a
// negative size holds nothing.
long long PresentSize(std::FILE* f, long long size) {
  return size < 0 ? 0 : std::min(size, BytesLeft(f));
}

// Moves forward over `size` bytes of member data. A negative size would walk backwards
// into the same headers forever, and a size past the end leaves nothing to read: both end
// the scan.
bool SkipData(std::FILE* f, long long size) {
  if (size < 0) return false;
  long long left = BytesLeft(f);
  if (size > left) return false;
  return std::fseek(f, static_cast<long>(size), SEEK_CUR) == 0;
}

// Scans for `name`; on success the file stands at the member's data and the member's
// size, cut to the bytes actually present, is returned. -1 when not found.
long long Scan(std::FILE* f, const char* name) {
  Header h;
  while (ReadHeader(f, &h)) {
    if (std::strcmp(h.name, name) == 0) return PresentSize(f, h.size);
    if (!SkipData(f, h.size)) break;
  }
  return -1;
}

void CopyName(const char* member, char* out) {
  std::strncpy(out, member ? member : "", kArchiveNameLimit);
  out[kArchiveNameLimit] = '\0';
  NormaliseMemberName(out);
}

}  // namespace

void NormaliseMemberName(char* name) {
  for (char* p = name; *p; ++p) {
    if (*p == '/') *p = '\\';
    if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
  }
}

std::FILE* OpenArchiveFile(const char* archive) {
  if (std::FILE* f = files::Open(archive, "rb")) return f;
  if (archiveReader.resourceDirectory.empty() || files::NativePath(archive).starts_with('/'))
    return nullptr;
  const std::string installed = archiveReader.resourceDirectory + "/" + archive;
  return files::Open(installed.c_str(), "rb");
}

void ReleaseArchiveBuffer() {
  std::free(archiveReader.lastBuffer);
  archiveReader.lastBuffer = nullptr;
}

unsigned char* OpenArchiveMember(const char* archive, const char* member, long* outSize) {
  ReleaseArchiveBuffer();
  if (outSize) *outSize = 0;
  char name[kArchiveNameLimit + 1];
  CopyName(member, name);
  std::FILE* f = OpenArchiveFile(archive);
  if (!f) return nullptr;
  long long size = Scan(f, name);
  if (size >= 0) {
    // One extra byte so an empty member still gets a buffer of its own.
    auto* buffer = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(size) + 1));
    long long got = 0;
    if (buffer)
      got = static_cast<long long>(std::fread(buffer, 1, static_cast<std::size_t>(size), f));
    archiveReader.lastBuffer = buffer;
    if (outSize) *outSize = static_cast<long>(buffer ? got : size);
  }
  std::fclose(f);
  return archiveReader.lastBuffer;
}

long unlocksingle(const char* archive, char* member, const char* dest) {
  if (std::strcmp(archive, dest) == 0) {
    platform::ShowMessage("Your Destination file is the loc file.",
                          "unlocksingle().  Error: Loc, Destination file is same!");
    return 0;
  }
  if (files::Exists(dest)) {
    files::SetNormalAttributes(dest);
    files::Delete(dest);
  }
  NormaliseMemberName(member);
  std::FILE* f = OpenArchiveFile(archive);
  if (!f) return 0;
  long written = 0;
  long long size = Scan(f, member);
  if (size >= 0) {
    std::FILE* out = files::Open(dest, "wb");
    if (out) {
      static unsigned char chunk[kExtractChunk];
      long long left = size;
      while (left > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<long long>(left, kExtractChunk));
        std::size_t got = std::fread(chunk, 1, want, f);
        std::size_t put = got ? files::Write(chunk, got, out) : 0;
        written += static_cast<long>(put);
        if (got < want || put < got) break;
        left -= static_cast<long long>(got);
      }
      std::fclose(out);
      files::SetNormalAttributes(dest);
    }
  }
  std::fclose(f);
  return written;
}

bool ListArchive(const char* archive, std::vector<ArchiveEntry>* entries) {
  std::FILE* f = OpenArchiveFile(archive);
  if (!f) return false;
  Header h;
  while (ReadHeader(f, &h)) {
    entries->push_back({h.name, PresentSize(f, h.size)});
    if (!SkipData(f, h.size)) break;
  }
  std::fclose(f);
  return true;
}

std::string MemberNameProblem(const std::string& name) {
  if (name.empty()) return "an empty name cannot be stored";
  if (name.size() > static_cast<std::size_t>(kArchiveNameLimit))
    return "the name is longer than 511 characters";
  for (unsigned char c : name) {
    if (c < 14) return "the name holds a control byte (below 14)";
    if (c == ';') return "the name holds a ';'";
  }
  return {};
}

bool PackArchive(const char* archive, const char* dir, std::string* error) {
  return PackArchive(archive, std::vector<std::string>{dir}, error);
}

bool PackArchive(const char* archive, const std::vector<std::string>& dirs, std::string* error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  struct Item {
    std::string name;
    fs::path path;
  };
  std::vector<Item> items;
  for (const std::string& dir : dirs) {
    fs::path root(dir);
    if (!fs::is_directory(root, ec)) {
      *error = dir + ": not a directory";
      return false;
    }
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
      if (!it->is_regular_file(ec)) continue;
      std::string name = it->path().lexically_relative(root).generic_string();
      NormaliseMemberName(name.data());
      std::string problem = MemberNameProblem(name);
      if (!problem.empty()) {
        *error = "cannot store \"" + name + "\": " + problem;
        return false;
      }
      items.push_back({name, it->path()});
    }
    if (ec) {
      *error = dir + ": " + ec.message();
      return false;
    }
  }
  std::sort(items.begin(), items.end(),
            [](const Item& a, const Item& b) { return a.name < b.name; });
  for (std::size_t i = 1; i < items.size(); ++i) {
    if (items[i].name == items[i - 1].name) {
      *error = "two files map to the member name \"" + items[i].name + "\"";
      return false;
    }
  }
  // Write beside the target and rename, so a failed pack never leaves half an archive.
  std::string temp = std::string(archive) + ".part";
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) {
    *error = std::string("cannot write ") + temp;
    return false;
  }
  for (const Item& item : items) {
    std::ifstream in(item.path, std::ios::binary);
    std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
      *error = "cannot read " + item.path.string();
      fs::remove(temp, ec);
      return false;
    }
    out << item.name << ';' << data.size() << ';';
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
  }
  out.close();
  if (!out) {
    *error = std::string("cannot write ") + temp;
    fs::remove(temp, ec);
    return false;
  }
  fs::rename(temp, archive, ec);
  if (ec) {
    *error = std::string("cannot replace ") + archive + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace vx
