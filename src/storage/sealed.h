// Sealed text files: the game's own text files (best times, settings, saved games, stage
// files) are kept on disk inside two layers. The inner checksum layer puts "version 2.0"
// and a one-byte sum in front of the plain text; the outer scrambling layer puts
// "encryption v2.0" in front and turns every inner byte into a 16-bit word that depends on a
// fixed key table, the byte's position, the file's name and its length.
//
// Reading and writing pass through two temporaries with fixed names in the working
// directory: "dummy" (the inner file) and "ready" (the plain text after unsealing, or the
// sealed bytes before they replace the target). Only one sealed-file operation may be under
// way at a time.
#pragma once
#include <cstddef>

namespace vx {

inline constexpr char kSealOuterHeader[] = "encryption v2.0";  // 15 characters, no zero
inline constexpr char kSealInnerHeader[] = "version 2.0";      // 11 characters, no zero
inline constexpr int kSealOuterHeaderLength = 15;
inline constexpr int kSealInnerHeaderLength = 11;
inline constexpr char kSealInnerTemporary[] = "dummy";
inline constexpr char kSealPlainTemporary[] = "ready";
// The smallest name buffer OpenSealedTextFile may be given ("ready" and its zero).
inline constexpr int kSealNameBufferMin = 6;

// True when `name` (in the game's backslash form or not) is one of the two temporaries,
// which can be neither sealed nor unsealed: they would be deleted before they are read.
bool IsSealTemporary(const char* name);

// Byte sum with end-around carry: s += b, and when s passes 255 it becomes (s & 255) + 1.
// `start` continues an earlier sum. Always 0..255.
int SealByteSum(const unsigned char* bytes, std::size_t count, int start = 0);
// The byte sum of the characters of a name exactly as given (path and extension included).
int SealNameSum(const char* name);

// Unseals the file named in `nameBuffer` (writable, at least kSealNameBufferMin bytes) into
// the plain temporary "ready" and puts "ready" into the buffer; true. A file without the
// outer header is taken as unscrambled, and one without either header as plain text (files
// written by hand). A damaged file gives false, leaves "ready" alone and the buffer holding
// the stored file's name: a checksum mismatch; a file with the outer header whose inner
// header does not come out (damaged, or sealed under another name); a scrambled word that no
// byte gives; a file that starts with the outer header changed in up to 3 of its 15 bytes,
// or is only the start of it. A missing file also gives true, but then no "ready" exists:
// callers test for it.
bool OpenSealedTextFile(char* nameBuffer);

// Seals the plain text held in the file `name` in place; afterwards it holds the sealed
// form with normal attributes. A layer whose header is already present is not added again.
// The sealed bytes replace the target in one rename, so a failure part-way leaves the old
// file as it was. Returns true when the target was replaced.
bool SealTextFile(const char* name);

// Writes `text` as the sealed file `name`. The plain text goes to a side file beside the
// target first, so the target keeps its previous contents until the finished sealed file
// replaces it in one rename. Returns true when the target was replaced. Leaves the
// temporaries for DeleteSealTemporaries, like SealTextFile.
bool WriteSealedText(const char* name, const char* text, std::size_t length);

// Makes "dummy" and then "ready" writable and deletes them.
void DeleteSealTemporaries();

}  // namespace vx
