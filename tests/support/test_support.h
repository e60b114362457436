// Shared fixture pieces: the headless backends installed and every module's state reset.
#pragma once
#include <string>

#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_devices.h"
#include "platform/headless/headless_dialogs.h"

namespace vx::test {

struct HeadlessRig {
  platform::HeadlessWindow window;
  platform::HeadlessClock clock;
  platform::HeadlessKeyboard keyboard;
  platform::HeadlessMouse mouse;
  platform::HeadlessGamepad gamepad;
  platform::HeadlessDialogs dialogs;
  platform::HeadlessGpu gpu;
  platform::HeadlessSoundDevice sound;
  platform::HeadlessMusicPlayer music;
};

// Installs a fresh set of headless backends and resets the game's module state.
HeadlessRig& InstallHeadless();
// Resets the module state the spine owns (flow, clock, input, app, stubs' state).
void ResetCoreState();

// A fresh temporary directory made the working directory for the test; restored and
// removed by the destructor.
class TempWorkDir {
 public:
  TempWorkDir();
  ~TempWorkDir();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// The 100 scratch directories BUN/k/k .. BUN/t/t the start-up picks from, in the working
// directory.
void MakeScratchDirectories();

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

}  // namespace vx::test
