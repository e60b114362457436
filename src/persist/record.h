// Player-file records: a run of fields, each one letter followed by a decimal number, closed
// by '>' ("a216000b216000...>", "t0 A0 B0 ... >"). The three player files and the stage
// file header share this reader; they differ only in which letters name their fields and in
// whether other letters also end a field.
#pragma once
#include <cstdio>

namespace vx {

// The values of one record, indexed by the field's letter. Callers fill `value` with the
// current values first, so a field missing from the file keeps them.
struct RecordValues {
  int value[128] = {};
  bool present[128] = {};  // the letter's field was stored from the file
};

// The index of a letter's field in RecordValues.
inline int Slot(char letter) {
  return static_cast<unsigned char>(letter) & 127;
}

struct RecordReader {
  const char* fieldLetters = "";    // letters whose numbers are kept
  bool anyLetterEndsField = false;  // true: every letter a..z, A..Z ends a field
  char previous = '?';              // the letter the digits collected so far belong to
  long long digits = 0;             // number collected so far, held at the int maximum
  bool complete = false;            // the closing '>' has been read
};

// The length of the text snprintf left in a buffer of `capacity` bytes, from what it
// returned: a text cut short keeps capacity - 1 characters, an error none.
inline int FittedLength(int written, int capacity) {
  return written < 0 ? 0 : (written < capacity ? written : capacity - 1);
}

// A fresh reader for the given field letters.
RecordReader MakeRecordReader(const char* fieldLetters, bool anyLetterEndsField);

// Takes one byte. Digits collect; a field letter (or any letter, when so set) or '>' stores
// the number collected into the previous letter's field, if that is a field letter, and
// becomes the previous letter; every other byte is skipped without splitting the digits.
// Returns false once '>' has been read: the record ends there.
bool FeedRecord(RecordReader& reader, int byte, RecordValues& values);

// Reads a record from an open file up to its end or the first '>'. True when the record was
// complete (the last byte read was '>').
bool ReadRecord(std::FILE* file, RecordReader& reader, RecordValues& values);

}  // namespace vx
