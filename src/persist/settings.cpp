#include "persist/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/app_values.h"
#include "persist/record.h"
#include "platform/files.h"
#include "storage/sealed.h"

namespace vx {

namespace {

constexpr char kLetters[] = "whxymsab";

}  // namespace

int FormatSettings(char* out, int capacity) {
  int n = std::snprintf(out, static_cast<std::size_t>(capacity), "w%dh%dx%dy%dm%ds%da%db%d>",
                        app.requestedWindowSize[0], app.requestedWindowSize[1],
                        app.requestedWindowPos[0], app.requestedWindowPos[1], volumes.musicPercent,
                        volumes.effectsPercent, app.desktopWidth, app.desktopHeight);
  return FittedLength(n, capacity);
}

bool ReadSettings() {
  RecordValues values;
  values.value[Slot('w')] = app.requestedWindowSize[0];
  values.value[Slot('h')] = app.requestedWindowSize[1];
  values.value[Slot('x')] = app.requestedWindowPos[0];
  values.value[Slot('y')] = app.requestedWindowPos[1];
  values.value[Slot('m')] = volumes.musicPercent;
  values.value[Slot('s')] = volumes.effectsPercent;
  values.value[Slot('a')] = 0;
  values.value[Slot('b')] = 0;

  bool complete = false;
  if (platform::files::Exists(kSettingsFile)) {
    char name[64];
    std::memcpy(name, kSettingsFile, sizeof kSettingsFile);
    OpenSealedTextFile(name);  // after a checksum mismatch the stored file is parsed as it is
    if (std::FILE* file = platform::files::Open(name, "rb")) {
      RecordReader reader = MakeRecordReader(kLetters, false);
      complete = ReadRecord(file, reader, values);
      std::fclose(file);
    }
    if (complete) {
      app.requestedWindowSize[0] = values.value[Slot('w')];
      app.requestedWindowSize[1] = values.value[Slot('h')];
      app.requestedWindowPos[0] = values.value[Slot('x')];
      app.requestedWindowPos[1] = values.value[Slot('y')];
      volumes.musicPercent = values.value[Slot('m')];
      volumes.effectsPercent = values.value[Slot('s')];
    }
    DeleteSealTemporaries();
  }
  // A placement saved on another desktop size (or none at all) is not reused.
  if (values.value[Slot('a')] != app.desktopWidth || values.value[Slot('b')] != app.desktopHeight) {
    app.requestedWindowSize[0] = app.fitSize;
    app.requestedWindowSize[1] = app.fitSize;
    app.requestedWindowPos[0] = app.fitX;
    app.requestedWindowPos[1] = app.fitY;
  }
  ApplyVolumePercents();
  return complete;
}

void WriteSettings() {
  char text[200];
  int length = FormatSettings(text, sizeof text);
  WriteSealedText(kSettingsFile, text, static_cast<std::size_t>(length));
  DeleteSealTemporaries();
}

}  // namespace vx
