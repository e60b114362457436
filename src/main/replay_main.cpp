// vexorbia-replay: runs the game core from a script of input events with a fixed frame
// step, headless (recording backends) or on the real renderer.
//
//   vexorbia-replay [--headless] --dir GAME_DIR SCRIPT
//   vexorbia-replay [--headless] --installed PREFIX SCRIPT
//   vexorbia-replay --headless --draws FILE --dir GAME_DIR SCRIPT
//   vexorbia-replay [--headless] --dir GAME_DIR --monkey SEED MINUTES
//
// --dir runs in GAME_DIR, which holds the archives. --installed runs as the game installed
// under PREFIX does: the archives from PREFIX/share/vexorbia (or beside PREFIX/bin), the
// player and scratch files in the player's data directory. --draws writes every rectangle
// drawn from a sheet during the run to FILE, one "member left top right bottom" a line.
// --monkey feeds seeded random input in place of a script for MINUTES of game time
// (main/replay_monkey.h).
#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/game_directory.h"
#include "app/main_loop.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "main/replay_monkey.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_devices.h"
#include "platform/headless/headless_dialogs.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_devices.h"
#include "screens/stage_info.h"
#include "storage/texture.h"

namespace {

using namespace vx::platform;

HeadlessKeyboard scriptedKeys;
HeadlessMouse scriptedMouse;
HeadlessGamepad scriptedPad;
HeadlessClock fixedClock;
HeadlessDialogs loggedDialogs;
int frameNumber = 0;
bool gameEnded = false;
SdlGpu* realGpu = nullptr;  // the real renderer, which keeps its frames for `shot`

void Dump() {
  std::printf(
      "{\"frame\":%d,\"state\":%d,\"stage\":%d,\"world\":%d,\"stageSet\":%d,\"cellCount\":%d,"
      "\"remaining\":%d,\"objectCount\":%d,\"energy\":%d,\"tries\":%d,\"aimAngle\":%.3f,"
      "\"shotActive\":%s,\"pointerX\":%d,\"pointerY\":%d}\n",
      frameNumber, vx::flow.gameState, vx::flow.stageNumber, vx::CurrentWorld(), vx::flow.stageSet,
      vx::cells.cellCount, vx::fieldCounts.remainingColourCells, vx::objects.objectCount,
      vx::player.energy, vx::player.tries, static_cast<double>(vx::shooter.aimAngle),
      vx::shooter.shotActive ? "true" : "false", vx::mouse.pointerX, vx::mouse.pointerY);
  std::fflush(stdout);
}

// One JSON line of the field's pieces, each as [x, y, kind] in field units, ordered by row and
// then column so a stage reads the same however the play has sorted its tables.
void DumpPieces() {
  auto print = [](const char* name, const float* xs, const float* ys, const int* kinds, int n) {
    std::vector<int> order(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) order[static_cast<std::size_t>(i)] = i;
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return ys[a] != ys[b] ? ys[a] < ys[b] : xs[a] < xs[b]; });
    std::printf("\"%s\":[", name);
    for (std::size_t k = 0; k < order.size(); ++k) {
      const int i = order[k];
      std::printf("%s[%.0f,%.0f,%d]", k ? "," : "", static_cast<double>(xs[i]),
                  static_cast<double>(ys[i]), kinds[i]);
    }
    std::printf("]");
  };
  std::printf("{\"frame\":%d,", frameNumber);
  print("cells", vx::cells.x, vx::cells.y, vx::cells.kind, vx::cells.cellCount);
  std::printf(",");
  print("blocks", vx::blocks.x, vx::blocks.y, vx::blocks.kind, vx::blocks.blockCount);
  std::printf("}\n");
  std::fflush(stdout);
}

// The recording GPU of --draws: names the sheet of every sprite as it is queued, while its
// texture is certainly held (a screen may release a sheet later in the same frame).
class DrawLogGpu : public HeadlessGpu {
 public:
  void DrawSprite(const SpriteDraw& s) override {
    HeadlessGpu::DrawSprite(s);
    if (!logging) return;
    const char* member = "(unnamed texture)";
    for (const vx::Texture& t : vx::textureStore.textures)
      if (t.references > 0 && t.gpuId == s.texture) member = t.member;
    char line[160];
    std::snprintf(line, sizeof line, "%s %.0f %.0f %.0f %.0f", member, static_cast<double>(s.left),
                  static_cast<double>(s.top), static_cast<double>(s.right),
                  static_cast<double>(s.bottom));
    drawnRects.insert(line);
  }
  bool logging = false;
  std::set<std::string> drawnRects;
};

// Runs one frame; false once the game has asked to quit.
bool Frame() {
  if (gameEnded) return false;
  ++frameNumber;
  if (!vx::GameFrame()) {
    gameEnded = true;
    std::fprintf(stderr, "vexorbia-replay: the game quit at frame %d\n", frameNumber);
    return false;
  }
  return true;
}

bool ParseInt(const std::string& word, long* out) {
  if (word.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(word.c_str(), &end, 10);
  if (*end != '\0' || errno == ERANGE) return false;
  *out = v;
  return true;
}

bool ParseFloat(const std::string& word, float* out) {
  if (word.empty()) return false;
  char* end = nullptr;
  float v = std::strtof(word.c_str(), &end);
  if (*end != '\0') return false;
  *out = v;
  return true;
}

// Pad buttons by their script names.
constexpr struct {
  const char* name;
  PadButton button;
} kPadButtons[] = {
    {"a", PAD_A},
    {"b", PAD_B},
    {"x", PAD_X},
    {"y", PAD_Y},
    {"back", PAD_BACK},
    {"start", PAD_START},
    {"lb", PAD_LEFT_SHOULDER},
    {"rb", PAD_RIGHT_SHOULDER},
    {"lt", PAD_LEFT_TRIGGER},
    {"rt", PAD_RIGHT_TRIGGER},
    {"up", PAD_DPAD_UP},
    {"down", PAD_DPAD_DOWN},
    {"left", PAD_DPAD_LEFT},
    {"right", PAD_DPAD_RIGHT},
};

bool FindPadButton(const std::string& name, PadButton* out) {
  for (const auto& b : kPadButtons)
    if (name == b.name) {
      *out = b.button;
      return true;
    }
  return false;
}

// "pad connect|disconnect", "pad BUTTON down|up", "pad stick X Y", "padpress BUTTON".
// Returns an empty string when the line was run, else why it is malformed.
const char* RunPadLine(const std::string& cmd, const std::vector<std::string>& words) {
  PadButton button = PAD_A;
  if (cmd == "padpress") {
    if (words.size() != 1 || !FindPadButton(words[0], &button)) return "padpress needs a button";
    scriptedPad.state.buttons[button] = true;
    Frame();
    scriptedPad.state.buttons[button] = false;
    Frame();
    return "";
  }
  if (words.size() == 1 && (words[0] == "connect" || words[0] == "disconnect")) {
    scriptedPad.state.connected = words[0] == "connect";
    return "";
  }
  if (words.size() == 3 && words[0] == "stick") {
    float x = 0, y = 0;
    if (!ParseFloat(words[1], &x) || !ParseFloat(words[2], &y)) return "pad stick needs X Y";
    scriptedPad.state.leftX = x;
    scriptedPad.state.leftY = y;
    return "";
  }
  if (words.size() == 2 && FindPadButton(words[0], &button) &&
      (words[1] == "down" || words[1] == "up")) {
    scriptedPad.state.buttons[button] = words[1] == "down";
    return "";
  }
  return "pad needs connect, disconnect, stick X Y, or a button and down or up";
}

// The words of a script line, without its comment (from '#' on).
std::istringstream ScriptWords(const std::string& line) {
  return std::istringstream(line.substr(0, line.find('#')));
}

// Runs one script line. Returns false on a malformed line (message already printed).
bool RunLine(const std::string& raw, int lineNumber, bool realRenderer) {
  std::istringstream in = ScriptWords(raw);
  std::string cmd;
  std::vector<std::string> words;
  in >> cmd;
  for (std::string w; in >> w;) words.push_back(w);
  if (cmd.empty()) return true;
  auto bad = [&](const char* why) {
    std::fprintf(stderr, "vexorbia-replay: line %d: %s: %s\n", lineNumber, why, raw.c_str());
    return false;
  };
  if (cmd == "pad" || cmd == "padpress") {
    const char* problem = RunPadLine(cmd, words);
    return *problem ? bad(problem) : true;
  }
  const std::string a = words.size() > 0 ? words[0] : "";
  const std::string b = words.size() > 1 ? words[1] : "";
  const std::string extra = words.size() > 2 ? words[2] : "";
  if (!extra.empty()) return bad("too many words");
  long n = 0;
  if (cmd == "step") {
    float s = 0;
    if (!ParseFloat(a, &s) || !(s > 0) || !b.empty()) return bad("step needs a positive number");
    vx::frameClock.fixedStep = s;
  } else if (cmd == "wait") {
    if (!ParseInt(a, &n) || n < 0 || !b.empty()) return bad("wait needs a frame count");
    for (long i = 0; i < n && Frame(); ++i) {
    }
  } else if (cmd == "key") {
    if (!ParseInt(a, &n) || n < 0 || n > 255 || (b != "down" && b != "up"))
      return bad("key needs a scan code 0..255 and down or up");
    scriptedKeys.keys[n] = b == "down" ? 0x80 : 0;
  } else if (cmd == "press") {
    if (!ParseInt(a, &n) || n < 0 || n > 255 || !b.empty()) return bad("press needs a scan code");
    scriptedKeys.keys[n] = 0x80;
    Frame();
    scriptedKeys.keys[n] = 0;
    Frame();
  } else if (cmd == "mouse") {
    long dx = 0, dy = 0;
    if (!ParseInt(a, &dx) || !ParseInt(b, &dy)) return bad("mouse needs DX DY");
    scriptedMouse.pendingDx += static_cast<int>(dx);
    scriptedMouse.pendingDy += static_cast<int>(dy);
  } else if (cmd == "button") {
    if ((a != "left" && a != "right") || (b != "down" && b != "up"))
      return bad("button needs left|right and down|up");
    (a == "left" ? scriptedMouse.left : scriptedMouse.right) = b == "down";
  } else if (cmd == "click") {
    if (!a.empty()) return bad("click takes no arguments");
    scriptedMouse.left = true;
    Frame();
    scriptedMouse.left = false;
    Frame();
  } else if (cmd == "dump") {
    if (!a.empty()) return bad("dump takes no arguments");
    Dump();
  } else if (cmd == "pieces") {
    if (!a.empty()) return bad("pieces takes no arguments");
    DumpPieces();
  } else if (cmd == "shot") {
    if (a.empty() || !b.empty()) return bad("shot needs a file name");
    if (!realRenderer) return bad("shot needs the real renderer (run without --headless)");
    if (!realGpu || !realGpu->SaveScreenshot(a.c_str()))
      return bad("no frame to write, or the file cannot be written");
  } else {
    return bad("unknown command");
  }
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: vexorbia-replay [--headless] --dir GAME_DIR SCRIPT\n"
               "       vexorbia-replay [--headless] --installed PREFIX SCRIPT\n"
               "       vexorbia-replay --headless --draws FILE --dir GAME_DIR SCRIPT\n"
               "       vexorbia-replay [--headless] --dir GAME_DIR --monkey SEED MINUTES\n");
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  bool headless = false;
  const char* dir = nullptr;
  const char* prefix = nullptr;
  const char* scriptPath = nullptr;
  const char* drawsPath = nullptr;
  bool monkey = false;
  long monkeySeed = 0;
  float monkeyMinutes = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--headless") == 0) {
      headless = true;
    } else if (std::strcmp(argv[i], "--draws") == 0 && i + 1 < argc) {
      drawsPath = argv[++i];
    } else if (std::strcmp(argv[i], "--monkey") == 0 && i + 2 < argc && !scriptPath) {
      if (!ParseInt(argv[i + 1], &monkeySeed) || monkeySeed < 0 || monkeySeed > 0xFFFFFFFFL ||
          !ParseFloat(argv[i + 2], &monkeyMinutes) || !(monkeyMinutes > 0))
        return Usage();
      monkey = true;
      i += 2;
    } else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc && !prefix) {
      dir = argv[++i];
    } else if (std::strcmp(argv[i], "--installed") == 0 && i + 1 < argc && !dir) {
      prefix = argv[++i];
    } else if (!scriptPath && !monkey && argv[i][0] != '-') {
      scriptPath = argv[i];
    } else {
      return Usage();
    }
  }
  if ((!dir && !prefix) || (!scriptPath && !monkey) || (drawsPath && !headless)) return Usage();
  // The log is written after the run from the game's directory: make its name absolute now.
  std::string drawsFile;
  if (drawsPath) {
    std::error_code ec;
    drawsFile = std::filesystem::absolute(drawsPath, ec).string();
  }

  std::ifstream script;
  if (scriptPath) script.open(scriptPath);
  if (scriptPath && !script) {
    std::fprintf(stderr, "vexorbia-replay: cannot read %s\n", scriptPath);
    return 66;
  }
  // Message boxes go to stderr so nothing waits for a click.
  loggedDialogs.echoToStderr = true;
  backend.dialogs = &loggedDialogs;
  if (dir) {
    std::error_code ec;
    std::filesystem::current_path(dir, ec);
    if (ec) {
      std::fprintf(stderr, "vexorbia-replay: cannot enter %s: %s\n", dir, ec.message().c_str());
      return 66;
    }
  } else {
    std::error_code ec;
    const std::filesystem::path bin = std::filesystem::absolute(prefix, ec) / "bin";
    if (!vx::EnterGameDirectories(bin.string())) {
      std::fprintf(stderr, "vexorbia-replay: no place to run the game installed in %s\n", prefix);
      return 66;
    }
  }

  // Input always comes from the script and time from the fixed step.
  backend.keyboard = &scriptedKeys;
  backend.mouse = &scriptedMouse;
  backend.gamepad = &scriptedPad;
  backend.clock = &fixedClock;
  vx::frameClock.fixedStep = 3.333333f;

  static HeadlessWindow headlessWindow;
  static DrawLogGpu headlessGpu;
  static SdlWindow sdlWindow;
  static SdlGpu sdlGpu(&sdlWindow);
  // Sound follows the renderer: recorded when headless, the real mixer otherwise.
  static HeadlessSoundDevice headlessSound;
  static HeadlessMusicPlayer headlessMusic;
  static SdlSoundDevice sdlSound;
  static SdlMusicPlayer sdlMusic;
  if (headless) {
    backend.window = &headlessWindow;
    backend.gpu = &headlessGpu;
    backend.sound = &headlessSound;
    backend.music = &headlessMusic;
    headlessGpu.logging = drawsPath != nullptr;
  } else {
    backend.window = &sdlWindow;
    backend.gpu = &sdlGpu;
    backend.sound = &sdlSound;
    backend.music = &sdlMusic;
    // A replay is watched, not heard: SDL's silent driver unless one is asked for.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }

  // Reading every frame back costs time, so only a script that takes shots asks for it.
  std::vector<std::string> lines;
  for (std::string text; std::getline(script, text);) lines.push_back(text);
  if (!headless) {
    realGpu = &sdlGpu;
    for (const std::string& text : lines) {
      std::istringstream words = ScriptWords(text);
      std::string first;
      words >> first;
      if (first == "shot") sdlGpu.keepLastFrame = true;
    }
  }

  int status = 0;
  if (!vx::GameStartup(&status)) {
    std::fprintf(stderr, "vexorbia-replay: the game could not start\n");
    return 1;
  }
  int lineNumber = 0;
  int result = 0;
  if (monkey)
    result =
        vx::monkey::Run(static_cast<unsigned>(monkeySeed), monkeyMinutes,
                        {&scriptedKeys, &scriptedMouse, &scriptedPad,
                         headless ? &headlessSound : nullptr, headless ? &headlessMusic : nullptr,
                         headless ? &headlessWindow : nullptr, &loggedDialogs});
  for (const std::string& line : lines) {
    if (gameEnded) break;
    ++lineNumber;
    if (!RunLine(line, lineNumber, !headless)) {
      result = 65;
      break;
    }
  }
  vx::GameTeardown();
  if (!headless) SDL_Quit();
  if (drawsPath) {
    std::ofstream log(drawsFile);
    for (const std::string& line : headlessGpu.drawnRects) log << line << '\n';
    if (!log) {
      std::fprintf(stderr, "vexorbia-replay: cannot write %s\n", drawsFile.c_str());
      if (result == 0) result = 73;
    }
  }
  // A game that ended on a failure (a broken install) ends the replay with its status.
  if (result == 0 && vx::app.exitStatus != 0) {
    std::fprintf(stderr, "vexorbia-replay: the game ended on a failure\n");
    result = vx::ProcessExitStatus(vx::app.exitStatus);
  }
  return result;
}
