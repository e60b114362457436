#include "storage/sealed.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files.h"

namespace vx {

namespace files = platform::files;

namespace {

// The scrambling layer's fixed parameters. Files already written depend on these values:
// they must never change.
constexpr unsigned kKeyEntry0 = 7919;
constexpr unsigned kKeyEntry1 = 12473;
constexpr unsigned kKeyEntry2 = 3001;
constexpr unsigned kKeyEntry3 = 21187;
constexpr unsigned kKeyEntry4 = 16901;
constexpr unsigned kKeyEntry5 = 9967;
constexpr std::uint64_t kLengthMask = 0x36B;  // ten bits wide

constexpr int kKeyCount = 6;
// A file whose first 15 bytes differ from the outer header in this many places or fewer is
// a damaged sealed file (plain text never comes that close to it).
constexpr std::size_t kMostDamagedHeaderBytes = 3;
constexpr std::size_t kBlock = 1024;  // bulk copies go in blocks of this size

// Suffixes of the side files written beside a target in its own directory, so that the
// final rename stays within one file system.
constexpr char kPlainSideSuffix[] = ".plain";
constexpr char kSealedSideSuffix[] = ".sealing";

struct KeyTable {
  unsigned entry[kKeyCount];
};

// The key table is put together when it is needed rather than kept as one block of data.
KeyTable AssembleKeys() {
  KeyTable k{};
  k.entry[0] = kKeyEntry0;
  k.entry[1] = kKeyEntry1;
  k.entry[2] = kKeyEntry2;
  k.entry[3] = kKeyEntry3;
  k.entry[4] = kKeyEntry4;
  k.entry[5] = kKeyEntry5;
  return k;
}

void ClearAndDelete(const char* path) {
  files::SetNormalAttributes(path);
  files::Delete(path);
}

// Replaces a file by an empty one open for reading and writing.
std::FILE* Recreate(const char* path) {
  ClearAndDelete(path);
  return files::Open(path, "w+b");
}

bool WriteAll(const void* data, std::size_t size, std::FILE* file) {
  return files::Write(data, size, file) == size;
}

// True when the next `length` bytes of `file` are exactly `header`.
bool ReadHeader(std::FILE* file, const char* header, int length) {
  char got[20] = {};
  return std::fread(got, 1, static_cast<std::size_t>(length), file) ==
             static_cast<std::size_t>(length) &&
         std::memcmp(got, header, static_cast<std::size_t>(length)) == 0;
}

// One scrambled word back to its byte (the i-th, counted from 1). False when no byte
// scrambles to the word: every byte gives a word of its own within a run of 256, so a word
// outside that run was changed after sealing.
bool UnscrambleWord(std::uint64_t word, std::uint64_t i, std::uint64_t nameSum,
                    std::uint64_t lengthTerm, const KeyTable& keys, unsigned char* byte) {
  const std::uint64_t b = word - lengthTerm - (i & nameSum) - keys.entry[(i - 1) % kKeyCount];
  *byte = static_cast<unsigned char>(b & 0xFF);
  return b <= 0xFF;
}

long FileLength(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  long length = std::ftell(file);
  return length < 0 ? 0 : length;
}

// The byte sum of the rest of `in`.
int SumRest(std::FILE* in) {
  unsigned char block[kBlock];
  int sum = 0;
  std::size_t n = 0;
  while ((n = std::fread(block, 1, kBlock, in)) > 0) sum = SealByteSum(block, n, sum);
  return sum;
}

// Copies the rest of `in` to `out`; false when a write failed.
bool CopyRest(std::FILE* in, std::FILE* out) {
  unsigned char block[kBlock];
  std::size_t n = 0;
  while ((n = std::fread(block, 1, kBlock, in)) > 0)
    if (!WriteAll(block, n, out)) return false;
  return true;
}

// Sealing step 1: the checksum layer, from `source` into "dummy".
bool AddChecksumLayer(const char* source) {
  std::FILE* in = files::Open(source, "rb");
  if (!in) return false;
  ClearAndDelete(kSealInnerTemporary);
  if (ReadHeader(in, kSealInnerHeader, kSealInnerHeaderLength)) {
    std::fclose(in);
    return files::Copy(source, kSealInnerTemporary);
  }
  std::rewind(in);
  const int sum = SumRest(in);
  std::FILE* out = Recreate(kSealInnerTemporary);
  if (!out) {
    std::fclose(in);
    return false;
  }
  unsigned char sumByte = static_cast<unsigned char>(sum);
  bool ok = WriteAll(kSealInnerHeader, kSealInnerHeaderLength, out) && WriteAll(&sumByte, 1, out);
  std::rewind(in);
  ok = ok && CopyRest(in, out);
  ok = !std::ferror(in) && ok;
  ok = std::fclose(out) == 0 && ok;
  std::fclose(in);
  return ok;
}

// Sealing step 2: the scrambling layer, from "dummy" into "ready".
bool AddScramblingLayer(const char* name) {
  std::FILE* in = files::Open(kSealInnerTemporary, "rb");
  if (!in) return false;
  ClearAndDelete(kSealPlainTemporary);
  if (ReadHeader(in, kSealOuterHeader, kSealOuterHeaderLength)) {
    std::fclose(in);
    return files::Copy(kSealInnerTemporary, kSealPlainTemporary);
  }
  std::FILE* out = Recreate(kSealPlainTemporary);
  if (!out) {
    std::fclose(in);
    return false;
  }
  const KeyTable keys = AssembleKeys();
  const std::uint64_t nameSum = static_cast<std::uint64_t>(SealNameSum(name));
  const std::uint64_t lengthTerm = static_cast<std::uint64_t>(FileLength(in)) & kLengthMask;
  std::rewind(in);
  bool ok = WriteAll(kSealOuterHeader, kSealOuterHeaderLength, out);
  unsigned char block[kBlock];
  unsigned char words[2 * kBlock];
  std::uint64_t i = 1;
  std::size_t n = 0;
  while (ok && (n = std::fread(block, 1, kBlock, in)) > 0) {
    for (std::size_t j = 0; j < n; ++j, ++i) {
      // Below 65536: byte 255, key < 32768, (i & nameSum) <= 255, length term <= 1023.
      std::uint64_t w = block[j] + keys.entry[(i - 1) % kKeyCount] + (i & nameSum) + lengthTerm;
      words[2 * j] = static_cast<unsigned char>(w & 0xFF);
      words[2 * j + 1] = static_cast<unsigned char>((w >> 8) & 0xFF);
    }
    ok = WriteAll(words, 2 * n, out);
  }
  ok = !std::ferror(in) && ok;
  ok = std::fclose(out) == 0 && ok;
  std::fclose(in);
  return ok;
}

// Sealing step 3: the sealed bytes in "ready" replace `name`. They are written to a side
// file in the target's directory, pushed to the disk and renamed over the target, so the
// target is at every moment either the old file or the complete new one.
bool ReplaceTarget(const char* name) {
  std::FILE* in = files::Open(kSealPlainTemporary, "rb");
  if (!in) return false;
  const std::string side = std::string(name) + kSealedSideSuffix;
  std::FILE* out = Recreate(side.c_str());
  if (!out) {
    std::fclose(in);
    return false;
  }
  bool ok = CopyRest(in, out);
  ok = !std::ferror(in) && ok;
  std::fclose(in);
  ok = files::Flush(out) && ok;
  ok = std::fclose(out) == 0 && ok;
  if (ok) ok = files::Rename(side.c_str(), name);
  if (!ok) {
    ClearAndDelete(side.c_str());
    return false;
  }
  files::SetNormalAttributes(name);
  return true;
}

// Seals the plain text in `source` under the name `name` and replaces `name` with it.
bool SealInto(const char* source, const char* name) {
  if (IsSealTemporary(name) || IsSealTemporary(source)) return false;
  if (!AddChecksumLayer(source)) return false;
  if (!AddScramblingLayer(name)) return false;
  return ReplaceTarget(name);
}

// A file that starts with the outer header changed in a few places, or with the start of it
// and no more, is a sealed file whose header was damaged or that was cut short, not plain
// text: its scrambled words would read as letters and digits.
bool DamagedOuterHeader(const char* head, std::size_t got) {
  std::size_t differing = 0;
  for (std::size_t i = 0; i < got; ++i) differing += head[i] != kSealOuterHeader[i];
  if (got < static_cast<std::size_t>(kSealOuterHeaderLength)) return got > 0 && differing == 0;
  return differing <= kMostDamagedHeaderBytes;
}

// What the first unsealing step found.
enum class OuterLayer {
  Absent,   // no outer header: the file is taken as it stands
  Removed,  // unscrambled into "dummy"
  Damaged,  // cut inside the outer header, or a word no byte scrambles to
};

// Unsealing step 1: undo the scrambling layer of `name` into "dummy", or copy the file when
// it has no outer header.
OuterLayer RemoveScramblingLayer(const char* name) {
  std::FILE* in = files::Open(name, "rb");
  char head[kSealOuterHeaderLength] = {};
  const std::size_t got = in ? std::fread(head, 1, sizeof head, in) : 0;
  if (got < sizeof head || std::memcmp(head, kSealOuterHeader, sizeof head) != 0) {
    if (in) std::fclose(in);
    if (DamagedOuterHeader(head, got)) return OuterLayer::Damaged;
    ClearAndDelete(kSealInnerTemporary);
    files::Copy(name, kSealInnerTemporary);  // fails, leaving no "dummy", when `name` is missing
    return OuterLayer::Absent;
  }
  std::FILE* out = Recreate(kSealInnerTemporary);
  if (!out) {
    std::fclose(in);
    return OuterLayer::Damaged;
  }
  const KeyTable keys = AssembleKeys();
  const std::uint64_t nameSum = static_cast<std::uint64_t>(SealNameSum(name));
  const long length = FileLength(in);
  const std::uint64_t words = length > kSealOuterHeaderLength
                                  ? static_cast<std::uint64_t>(length - kSealOuterHeaderLength) / 2
                                  : 0;
  const std::uint64_t lengthTerm = words & kLengthMask;
  std::fseek(in, kSealOuterHeaderLength, SEEK_SET);
  unsigned char block[2 * kBlock];
  unsigned char plain[kBlock];
  std::uint64_t i = 1;
  std::size_t n = 0;
  bool ok = true;
  while (ok && (n = std::fread(block, 1, sizeof block, in)) > 0) {
    std::size_t count = 0;
    for (std::size_t j = 0; ok && j < n; j += 2, ++i) {
      // Two bytes little-endian into a zeroed value; a last odd byte is taken alone.
      std::uint64_t v = block[j];
      if (j + 1 < n) v |= static_cast<std::uint64_t>(block[j + 1]) << 8;
      ok = UnscrambleWord(v, i, nameSum, lengthTerm, keys, &plain[count++]);
    }
    ok = ok && WriteAll(plain, count, out);
  }
  std::fclose(out);
  std::fclose(in);
  return ok ? OuterLayer::Removed : OuterLayer::Damaged;
}

// Unsealing step 2: check and strip the checksum layer of "dummy" into "ready". A file that
// had the outer layer must have the inner one too: without it, the bytes that came out are
// not what was sealed (damaged, or sealed under another name).
bool RemoveChecksumLayer(OuterLayer outer) {
  std::FILE* in = files::Open(kSealInnerTemporary, "rb");
  if (!in || !ReadHeader(in, kSealInnerHeader, kSealInnerHeaderLength)) {
    if (in) std::fclose(in);
    if (outer == OuterLayer::Removed) return false;
    ClearAndDelete(kSealPlainTemporary);
    files::Copy(kSealInnerTemporary, kSealPlainTemporary);
    return true;
  }
  int stored = std::fgetc(in);
  if (stored == EOF) stored = 0;  // a file cut right after its header carries sum 0
  if (SumRest(in) != stored) {
    std::fclose(in);
    return false;
  }
  std::FILE* out = Recreate(kSealPlainTemporary);
  if (out) {
    std::fseek(in, kSealInnerHeaderLength + 1, SEEK_SET);
    CopyRest(in, out);
    std::fclose(out);
  }
  std::fclose(in);
  return true;
}

}  // namespace

int SealByteSum(const unsigned char* bytes, std::size_t count, int start) {
  int s = start;
  for (std::size_t i = 0; i < count; ++i) {
    s += bytes[i];
    if (s > 255) s = (s & 255) + 1;
  }
  return s;
}

bool IsSealTemporary(const char* name) {
  std::string native = files::NativePath(name);
  return native == kSealInnerTemporary || native == kSealPlainTemporary;
}

int SealNameSum(const char* name) {
  return SealByteSum(reinterpret_cast<const unsigned char*>(name), std::strlen(name));
}

bool OpenSealedTextFile(char* nameBuffer) {
  if (IsSealTemporary(nameBuffer)) return false;
  const OuterLayer outer = RemoveScramblingLayer(nameBuffer);
  if (outer == OuterLayer::Damaged || !RemoveChecksumLayer(outer)) return false;
  std::memcpy(nameBuffer, kSealPlainTemporary, sizeof kSealPlainTemporary);
  return true;
}

bool SealTextFile(const char* name) {
  return SealInto(name, name);
}

bool WriteSealedText(const char* name, const char* text, std::size_t length) {
  if (IsSealTemporary(name)) return false;
  const std::string side = std::string(name) + kPlainSideSuffix;
  std::FILE* out = Recreate(side.c_str());
  if (!out) return false;
  bool ok = WriteAll(text, length, out);
  ok = std::fclose(out) == 0 && ok;
  ok = ok && SealInto(side.c_str(), name);
  ClearAndDelete(side.c_str());
  return ok;
}

void DeleteSealTemporaries() {
  ClearAndDelete(kSealInnerTemporary);
  ClearAndDelete(kSealPlainTemporary);
}

}  // namespace vx
