#include "persist/settings.h"

#include <algorithm>
#include <cstdio>

#include "core/app_values.h"
#include "persist/player_file.h"
#include "persist/record.h"
#include "storage/sealed.h"

namespace vx {

namespace {

constexpr char kLetters[] = "whxymsab";

// A window size from the file, held to what the settings screen makes (or the fit size,
// which its fit button gives) and to the desktop's smaller side.
int WindowSizeFor(int size) {
  int largest = kLargestWindowSize;
  const int desktop = std::min(app.desktopWidth, app.desktopHeight);
  if (desktop > 0) largest = std::min(largest, desktop);
  largest = std::max(largest, app.fitSize);
  return std::clamp(size, std::min(kSmallestWindowSize, largest), largest);
}

// A window position from the file, held to where a window of `size` shows whole on a desktop
// side of `desktop` pixels (when the desktop's size is known).
int WindowPositionFor(int position, int size, int desktop) {
  if (desktop <= 0) return std::max(position, 0);
  return std::clamp(position, 0, std::max(0, desktop - size));
}

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
  PlayerFileState state;
  std::FILE* file = OpenPlayerFile(kSettingsFile, &state);
  if (state == PlayerFileState::Damaged) {
    // Nothing of a damaged file is used, not even as a desktop size that differs.
    DeleteSealTemporaries();
    return false;
  }
  if (file) {
    RecordReader reader = MakeRecordReader(kLetters, false);
    complete = ReadRecord(file, reader, values);
    std::fclose(file);
    if (complete) {
      const int size = WindowSizeFor(values.value[Slot('w')]);
      app.requestedWindowSize[0] = size;
      app.requestedWindowSize[1] = WindowSizeFor(values.value[Slot('h')]);
      app.requestedWindowPos[0] =
          WindowPositionFor(values.value[Slot('x')], size, app.desktopWidth);
      app.requestedWindowPos[1] =
          WindowPositionFor(values.value[Slot('y')], size, app.desktopHeight);
      volumes.musicPercent = std::clamp(values.value[Slot('m')], 0, 100);
      volumes.effectsPercent = std::clamp(values.value[Slot('s')], 0, 100);
    }
  }
  DeleteSealTemporaries();
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
  WritePlayerFile(kSettingsFile, text, static_cast<std::size_t>(length));
}

}  // namespace vx
