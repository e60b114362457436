#include "persist/record.h"

#include <climits>
#include <cstring>

namespace vx {

namespace {

bool IsLetter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsFieldLetter(const RecordReader& reader, int c) {
  return c > 0 && c < 128 && std::strchr(reader.fieldLetters, c) != nullptr;
}

}  // namespace

RecordReader MakeRecordReader(const char* fieldLetters, bool anyLetterEndsField) {
  RecordReader reader;
  reader.fieldLetters = fieldLetters;
  reader.anyLetterEndsField = anyLetterEndsField;
  return reader;
}

bool FeedRecord(RecordReader& reader, int byte, RecordValues& values) {
  if (reader.complete) return false;
  if (byte >= '0' && byte <= '9') {
    // A run of any length is held at the largest int rather than overflowing.
    reader.digits = reader.digits * 10 + (byte - '0');
    if (reader.digits > INT_MAX) reader.digits = INT_MAX;
    return true;
  }
  bool endsField =
      byte == '>' || IsFieldLetter(reader, byte) || (reader.anyLetterEndsField && IsLetter(byte));
  if (!endsField) return true;
  if (IsFieldLetter(reader, reader.previous)) {
    values.value[Slot(reader.previous)] = static_cast<int>(reader.digits);
    values.present[Slot(reader.previous)] = true;
  }
  reader.previous = static_cast<char>(byte);
  reader.digits = 0;
  if (byte == '>') {
    reader.complete = true;
    return false;
  }
  return true;
}

bool ReadRecord(std::FILE* file, RecordReader& reader, RecordValues& values) {
  int c = 0;
  while ((c = std::fgetc(file)) != EOF)
    if (!FeedRecord(reader, c, values)) break;
  return reader.complete;
}

}  // namespace vx
