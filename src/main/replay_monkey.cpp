#include "main/replay_monkey.h"

#include <malloc.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <random>

#include "app/main_loop.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "screens/title.h"

#if defined(__SANITIZE_ADDRESS__)
// From the address sanitizer's runtime (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace vx::monkey {

namespace {

using platform::PadButton;

constexpr int kStateCount = 20;  // game state numbers are below this

const char* StateName(int state) {
  switch (state) {
    case Boot:
      return "boot";
    case TitleLoad:
      return "title-load";
    case Title:
      return "title";
    case StageLoad:
      return "stage-load";
    case Play:
      return "play";
    case Editor:
      return "editor";
    case Settings:
      return "settings";
    case StageClear:
      return "stage-clear";
    case WorldSelect:
      return "world-select";
    case StageInfo:
      return "stage-info";
    case PauseMenuState:
      return "pause";
    case Ending:
      return "ending";
    case SaveOfferState:
      return "save-offer";
    case Intro:
      return "intro";
    default:
      return "other";
  }
}

// Resident set size of this process in KiB (0 when /proc cannot tell).
long ResidentKiB() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  long pages = 0, resident = 0;
  const int n = std::fscanf(f, "%ld %ld", &pages, &resident);
  std::fclose(f);
  if (n != 2) return 0;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes of heap in use: the allocator's own count, which unlike the resident size does not
// include freed memory the allocator keeps (or, under the address sanitizer, holds back in
// its quarantine).
long HeapInUseKiB() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

// Empties the call logs of the recording backends.
void ForgetRecordings(const Devices& d) {
  if (d.sound) d.sound->events.clear();
  if (d.music) d.music->events.clear();
  if (d.window) {
    d.window->moves.clear();
    d.window->fullscreenCalls.clear();
  }
  if (d.dialogs) d.dialogs->shown.clear();
}

// Every key the game reads, plus a few it does not. E is left to the title's own choices: a
// press anywhere else waits for the title to read it and would send nearly every visit there
// on into the editor.
constexpr int kAnyKeys[] = {KEY_ESCAPE,
                            2,
                            3,
                            4,
                            5,
                            6,
                            7,
                            8,
                            9,
                            10,
                            KEY_0,
                            KEY_Q,
                            KEY_R,
                            KEY_Y,
                            KEY_RETURN,
                            KEY_A,
                            KEY_LSHIFT,
                            KEY_Z,
                            KEY_C,
                            KEY_N,
                            KEY_LALT,
                            KEY_F2,
                            KEY_F3,
                            KEY_F11,
                            KEY_UP,
                            KEY_LEFT,
                            KEY_RIGHT,
                            KEY_DOWN,
                            57 /* space */,
                            15 /* tab */,
                            199 /* home */};

// What a frame's input may do next. Each state weighs the kinds differently, so the menus
// that lead on get their keys often enough for a run to pass through every screen.
enum Action : int {
  kAnyKey,     // any key from the list above, held a few frames
  kMouseMove,  // a burst of motion
  kClickLeft,  // a short left press
  kHoldRight,  // the right button held (fine aim, editor erase)
  kPadButton,  // a pad button held a few frames
  kPadStick,   // the left stick pushed somewhere for a while
  kPadPlug,    // plug the pad in or pull it out
  kFire,       // Z or A on the pad
  kTurn,       // Left or Right held, sometimes with Shift
  kSkipStage,  // Shift+Q with Right (mostly) or Left: the tester's stage skip
  kMenuKey,    // a key of the pause, try-lost, save-offer and confirm menus
  kEscape,     // Escape, or B on the pad
  kConfirm,    // Return, or A / Start on the pad
  kEditorKey,  // a brush or palette key
  kActionCount,
};

struct Weights {
  int w[kActionCount];
};

//                                any mv clk rgt pbt stk plg fire turn skip menu esc conf edit
constexpr Weights kPlayWeights = {{4, 10, 6, 2, 3, 3, 1, 20, 10, 8, 1, 1, 1, 0}};
constexpr Weights kMenuWeights = {{4, 10, 10, 1, 5, 3, 1, 0, 0, 0, 12, 2, 6, 0}};
constexpr Weights kPointerWeights = {{3, 14, 14, 1, 6, 4, 1, 0, 0, 0, 1, 1, 5, 0}};
constexpr Weights kEditorWeights = {{3, 14, 14, 6, 4, 3, 1, 0, 0, 0, 6, 5, 1, 6}};
constexpr Weights kSequenceWeights = {{6, 4, 4, 1, 4, 1, 1, 0, 0, 0, 0, 2, 1, 0}};
constexpr Weights kInfoWeights = {{3, 4, 6, 1, 3, 1, 1, 10, 0, 0, 4, 1, 2, 0}};

const Weights& WeightsFor(int state) {
  switch (state) {
    case Play:
      return kPlayWeights;
    case PauseMenuState:
    case SaveOfferState:
      return kMenuWeights;
    case WorldSelect:
    case Settings:
    case StageClear:
      return kPointerWeights;
    case Editor:
      return kEditorWeights;
    case StageInfo:
      return kInfoWeights;
    default:
      return kSequenceWeights;  // intro, ending, loading states
  }
}

struct Monkey {
  explicit Monkey(unsigned seed) : rng(seed) {}

  std::mt19937 rng;
  int keyFrames[256] = {};  // frames each key stays down
  int padFrames[platform::PAD_BUTTON_COUNT] = {};
  int leftFrames = 0, rightFrames = 0;
  int moveFrames = 0, moveDx = 0, moveDy = 0;
  int stickFrames = 0;
  bool padConnected = false;

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

  void HoldKey(int key, int frames) {
    if (key >= 0 && key < 256 && keyFrames[key] < frames) keyFrames[key] = frames;
  }
  void HoldPad(PadButton b, int frames) {
    if (padFrames[b] < frames) padFrames[b] = frames;
  }
  void ReleaseEverything() {
    for (int& k : keyFrames) k = 0;
    for (int& b : padFrames) b = 0;
    leftFrames = rightFrames = moveFrames = stickFrames = 0;
  }

  Action Pick(const Weights& weights) {
    int total = 0;
    for (int w : weights.w) total += w;
    int r = Uniform(0, total - 1);
    for (int a = 0; a < kActionCount; ++a) {
      if (r < weights.w[a]) return static_cast<Action>(a);
      r -= weights.w[a];
    }
    return kAnyKey;
  }

  void Start(Action action) {
    switch (action) {
      case kAnyKey:
        HoldKey(kAnyKeys[Uniform(0, sizeof kAnyKeys / sizeof kAnyKeys[0] - 1)], Uniform(1, 20));
        break;
      case kMouseMove:
        moveFrames = Uniform(3, 40);
        moveDx = Uniform(-25, 25);
        moveDy = Uniform(-25, 25);
        break;
      case kClickLeft:
        leftFrames = Uniform(1, 3);
        break;
      case kHoldRight:
        rightFrames = Uniform(5, 60);
        if (moveFrames == 0) {
          moveFrames = rightFrames;
          moveDx = Uniform(-10, 10);
          moveDy = Uniform(-10, 10);
        }
        break;
      case kPadButton:
        HoldPad(static_cast<PadButton>(Uniform(0, platform::PAD_BUTTON_COUNT - 1)), Uniform(1, 15));
        break;
      case kPadStick:
        stickFrames = Uniform(5, 90);
        stickX = std::uniform_real_distribution<float>(-1.2f, 1.2f)(rng);
        stickY = std::uniform_real_distribution<float>(-1.2f, 1.2f)(rng);
        break;
      case kPadPlug:
        padConnected = !padConnected;
        break;
      case kFire:
        if (Chance(0.75))
          HoldKey(KEY_Z, Uniform(1, 4));
        else
          HoldPad(platform::PAD_A, Uniform(1, 4));
        break;
      case kTurn: {
        const int frames = Uniform(2, 50);
        HoldKey(Chance(0.5) ? KEY_LEFT : KEY_RIGHT, frames);
        if (Chance(0.2)) HoldKey(KEY_LSHIFT, frames);
        break;
      }
      case kSkipStage: {
        const int frames = Uniform(1, 6);
        HoldKey(KEY_LSHIFT, frames);
        HoldKey(KEY_Q, frames);
        HoldKey(Chance(0.8) ? KEY_RIGHT : KEY_LEFT, frames);
        break;
      }
      case kMenuKey: {
        constexpr int kMenuKeys[] = {KEY_C, KEY_R, KEY_Q, KEY_Y, KEY_N, KEY_A, KEY_Y, KEY_N};
        constexpr PadButton kMenuPad[] = {platform::PAD_A, platform::PAD_B, platform::PAD_X,
                                          platform::PAD_Y};
        if (padConnected && Chance(0.3))
          HoldPad(kMenuPad[Uniform(0, 3)], Uniform(1, 4));
        else
          HoldKey(kMenuKeys[Uniform(0, 7)], Uniform(1, 4));
        break;
      }
      case kEscape:
        if (padConnected && Chance(0.3))
          HoldPad(platform::PAD_B, Uniform(1, 3));
        else
          HoldKey(KEY_ESCAPE, Uniform(1, 3));
        break;
      case kConfirm:
        if (padConnected && Chance(0.4))
          HoldPad(Chance(0.5) ? platform::PAD_A : platform::PAD_START, Uniform(1, 3));
        else
          HoldKey(KEY_RETURN, Uniform(1, 3));
        break;
      case kEditorKey: {
        constexpr int kEditorKeys[] = {2, 3,  4,     5,     6,        7,        8,
                                       9, 10, KEY_0, KEY_R, KEY_LEFT, KEY_RIGHT};
        HoldKey(kEditorKeys[Uniform(0, 12)], Uniform(1, 3));
        break;
      }
      case kActionCount:
        break;
    }
  }

  // The title screen's quit entry would end the run, so on the title (and the frames that
  // lead into it) nothing is held over from before, and a confirming press comes only alone
  // while the selection is elsewhere and the pointer is not on the quit entry.
  void TitleFrame() {
    ReleaseEverything();
    const int x = mouse.pointerX, y = mouse.pointerY;
    const bool pointerOnQuit = x > 190 && x < 330 && y > 400 && y < 457;
    const bool safeToConfirm = flow.gameState == Title && title.selection != 2 && !pointerOnQuit;
    switch (Uniform(0, 199) < 20 ? Uniform(0, 19) : 19) {
      case 0:
      case 1:
        HoldKey(Chance(0.5) ? KEY_UP : KEY_DOWN, 1);
        break;
      case 2:
      case 3:
      case 4:
      case 5:
        moveFrames = 1;
        moveDx = Uniform(-40, 40);
        moveDy = Uniform(-40, 40);
        break;
      case 6:
        if (padConnected) HoldPad(Chance(0.5) ? platform::PAD_DPAD_UP : platform::PAD_DPAD_DOWN, 1);
        break;
      case 7:
        if (Chance(0.1)) HoldKey(KEY_E, 1);  // the editor keeps the monkey long once it is in
        break;
      case 8:
        if (safeToConfirm) {
          if (padConnected && Chance(0.3))
            HoldPad(platform::PAD_A, 1);
          else if (Chance(0.5))
            HoldKey(KEY_RETURN, 1);
          else
            leftFrames = 1;  // a click confirms only on an entry
        }
        break;
      case 9:
        HoldKey(KEY_F11, 1);
        break;
      default:
        break;  // the title also runs into the intro when left alone
    }
  }

  float stickX = 0, stickY = 0;

  // Sets the devices for the next frame and counts the held items down.
  void Apply(const Devices& d) {
    for (int k = 0; k < 256; ++k) {
      d.keys->keys[k] = keyFrames[k] > 0 ? 0x80 : 0;
      if (keyFrames[k] > 0) --keyFrames[k];
    }
    d.mouse->left = leftFrames > 0;
    d.mouse->right = rightFrames > 0;
    if (leftFrames > 0) --leftFrames;
    if (rightFrames > 0) --rightFrames;
    if (moveFrames > 0) {
      d.mouse->pendingDx += moveDx;
      d.mouse->pendingDy += moveDy;
      --moveFrames;
    }
    d.pad->state.connected = padConnected;
    for (int b = 0; b < platform::PAD_BUTTON_COUNT; ++b) {
      d.pad->state.buttons[b] = padConnected && padFrames[b] > 0;
      if (padFrames[b] > 0) --padFrames[b];
    }
    const bool stick = padConnected && stickFrames > 0;
    d.pad->state.leftX = stick ? stickX : 0;
    d.pad->state.leftY = stick ? stickY : 0;
    if (stickFrames > 0) --stickFrames;
  }
};

struct Tally {
  long framesIn[kStateCount] = {};
  long entries[kStateCount] = {};
  long otherFrames = 0;
  int highestStage = 0;
  int highestSet = 0;
};

void PrintStates(const Tally& t) {
  std::printf("frames per state:");
  for (int s = 0; s < kStateCount; ++s)
    if (t.framesIn[s] > 0) std::printf(" %s=%ld", StateName(s), t.framesIn[s]);
  if (t.otherFrames > 0) std::printf(" other=%ld", t.otherFrames);
  std::printf("\nentries per state:");
  for (int s = 0; s < kStateCount; ++s)
    if (t.entries[s] > 0) std::printf(" %s=%ld", StateName(s), t.entries[s]);
  std::printf("\n");
}

}  // namespace

int Run(unsigned seed, double minutes, const Devices& devices) {
  Monkey monkey(seed);
  Tally tally;
  const double step = frameClock.fixedStep > 0 ? frameClock.fixedStep : 200.0 / 60.0;
  const double secondsPerFrame = step / 200.0;
  const long totalFrames = static_cast<long>(minutes * 60.0 / secondsPerFrame + 0.5);
  const long firstMinute = static_cast<long>(60.0 / secondsPerFrame + 0.5);
  const long reportEvery = static_cast<long>(300.0 / secondsPerFrame + 0.5);
  long rssFirstMinute = 0, rssPeak = 0, heapFirstMinute = 0, heapPeak = 0;
  int previousState = -1;
  long frame = 0;
  bool quit = false;
  std::printf("monkey seed %u: %.1f game minutes, %ld frames of %.4f s\n", seed, minutes,
              totalFrames, secondsPerFrame);
  for (; frame < totalFrames; ++frame) {
    const int state = flow.gameState;
    if (state >= 0 && state < kStateCount) {
      ++tally.framesIn[state];
      if (state != previousState) ++tally.entries[state];
    } else {
      ++tally.otherFrames;
    }
    previousState = state;
    if (flow.stageNumber > tally.highestStage) tally.highestStage = flow.stageNumber;
    if (flow.stageSet > tally.highestSet) tally.highestSet = flow.stageSet;

    if (state == Boot || state == TitleLoad || state == Title) {
      monkey.TitleFrame();
    } else if (monkey.Chance(0.12)) {
      monkey.Start(monkey.Pick(WeightsFor(state)));
    }
    monkey.Apply(devices);
    if (!GameFrame()) {
      quit = true;
      ++frame;
      break;
    }
    ForgetRecordings(devices);
    const long rss = ResidentKiB();
    if (rss > rssPeak) rssPeak = rss;
    if (frame + 1 == firstMinute) rssFirstMinute = rss;
    const long heap = HeapInUseKiB();
    if (heap > heapPeak) heapPeak = heap;
    if (frame + 1 == firstMinute) heapFirstMinute = heap;
    if ((frame + 1) % reportEvery == 0) {
      std::printf("minute %.0f: frame %ld, state %s, stage %d, set %d, RSS %ld KiB, heap %ld KiB\n",
                  static_cast<double>(frame + 1) * secondsPerFrame / 60.0, frame + 1,
                  StateName(flow.gameState), flow.stageNumber, flow.stageSet, rss, heap);
      std::fflush(stdout);
    }
  }
  const long rssEnd = ResidentKiB();
  const long heapEnd = HeapInUseKiB();
  std::printf("monkey seed %u: game time %.1f s, frames %ld%s\n", seed,
              static_cast<double>(frame) * secondsPerFrame, frame,
              quit ? " (the game quit early)" : "");
  PrintStates(tally);
  std::printf("highest stage %d, highest stage set %d\n", tally.highestStage, tally.highestSet);
  if (rssFirstMinute > 0)
    std::printf(
        "RSS after the first minute %ld KiB, at the end %ld KiB (%+.2f%%), peak %ld KiB\n",
        rssFirstMinute, rssEnd,
        100.0 * static_cast<double>(rssEnd - rssFirstMinute) / static_cast<double>(rssFirstMinute),
        rssPeak);
  if (heapFirstMinute > 0)
    std::printf(
        "heap in use after the first minute %ld KiB, at the end %ld KiB (%+.2f%%), peak %ld KiB\n",
        heapFirstMinute, heapEnd,
        100.0 * static_cast<double>(heapEnd - heapFirstMinute) /
            static_cast<double>(heapFirstMinute),
        heapPeak);
  std::fflush(stdout);
  return quit ? 1 : 0;
}

}  // namespace vx::monkey
