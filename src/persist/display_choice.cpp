#include "persist/display_choice.h"

#include <cstdio>
#include <cstring>

#include "core/app_values.h"
#include "persist/record.h"
#include "platform/files.h"
#include "storage/sealed.h"

namespace vx {

int FormatDisplayChoice(char* out, int capacity) {
  const int n = std::snprintf(out, static_cast<std::size_t>(capacity), "f%d>", app.fullscreen);
  return FittedLength(n, capacity);
}

bool ReadDisplayChoice() {
  if (!platform::files::Exists(kDisplayChoiceFile)) return false;
  char name[64];
  std::memcpy(name, kDisplayChoiceFile, sizeof kDisplayChoiceFile);
  RecordValues values;
  values.value[Slot('f')] = -1;
  bool complete = false;
  // A checksum mismatch leaves the stored file's name in the buffer: a damaged file is not
  // read at all.
  if (OpenSealedTextFile(name) && std::strcmp(name, kDisplayChoiceFile) != 0) {
    if (std::FILE* file = platform::files::Open(name, "rb")) {
      RecordReader reader = MakeRecordReader("f", false);
      complete = ReadRecord(file, reader, values);
      std::fclose(file);
    }
  }
  DeleteSealTemporaries();
  const int f = values.value[Slot('f')];
  if (!complete || (f != 0 && f != 1)) return false;
  app.fullscreen = f == 1;
  return true;
}

void WriteDisplayChoice() {
  char text[16];
  const int length = FormatDisplayChoice(text, sizeof text);
  WriteSealedText(kDisplayChoiceFile, text, static_cast<std::size_t>(length));
  DeleteSealTemporaries();
}

}  // namespace vx
