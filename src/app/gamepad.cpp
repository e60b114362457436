#include "app/gamepad.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <initializer_list>
#include <iterator>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/numbers.h"
#include "persist/stage_files.h"
#include "platform/platform.h"
#include "screens/world_select.h"

namespace vx {

GamepadState gamepad;

namespace {

using platform::PadButton;

constexpr float kDeadZone = 0.2f;
// Pointer motion at full tilt, in pointer units per frame-step unit: about 500 a second on
// the menus; in play 800 a second, which turns the launcher as fast as the arrow keys.
constexpr float kPointerSpeed = 2.5f;
constexpr float kAimSpeed = 4.0f;

enum StickUse { STICK_NONE, STICK_POINTER, STICK_AIM };

PadAction Keys(std::initializer_list<int> keys) {
  PadAction a;
  int n = 0;
  for (int k : keys) a.keys[n++] = static_cast<unsigned char>(k);
  return a;
}

PadAction LeftButton() {
  PadAction a;
  a.left = true;
  return a;
}

PadAction Jump(int direction) {
  PadAction a;
  a.jump = direction;
  return a;
}

// A question of the yes/no prompt is waiting for its answer.
bool PromptWaiting() {
  return prompt.mode == 0 || prompt.mode == 99;
}

PadAction PlayAction(int button) {
  switch (button) {
    case platform::PAD_A:
      return Keys({KEY_Z});
    case platform::PAD_B:
    case platform::PAD_START:
      return Keys({KEY_ESCAPE});
    case platform::PAD_BACK:
      return Keys({flow.aimGuide ? KEY_F2 : KEY_F3});
    case platform::PAD_LEFT_SHOULDER:
    case platform::PAD_RIGHT_SHOULDER:
    case platform::PAD_LEFT_TRIGGER:
    case platform::PAD_RIGHT_TRIGGER: {
      PadAction a = Keys({KEY_LSHIFT});
      a.right = true;  // fine aim for the stick, which moves like the mouse
      return a;
    }
    case platform::PAD_DPAD_LEFT:
      return Keys({KEY_LEFT});
    case platform::PAD_DPAD_RIGHT:
      return Keys({KEY_RIGHT});
    default:
      return {};
  }
}

PadAction PointerScreenAction(int button) {
  switch (button) {
    case platform::PAD_A:
      return LeftButton();
    case platform::PAD_B:
      return Keys({KEY_ESCAPE});
    case platform::PAD_START:
      return Keys({KEY_RETURN});
    case platform::PAD_DPAD_UP:
      return Jump(1);
    case platform::PAD_DPAD_DOWN:
      return Jump(2);
    case platform::PAD_DPAD_LEFT:
      return Jump(3);
    case platform::PAD_DPAD_RIGHT:
      return Jump(4);
    default:
      return {};
  }
}

PadAction EditorAction(int button) {
  switch (button) {
    case platform::PAD_A: {
      PadAction a = LeftButton();
      if (PromptWaiting()) a.keys[0] = KEY_Y;
      return a;
    }
    case platform::PAD_X: {
      PadAction a;
      a.right = true;
      return a;
    }
    case platform::PAD_B:
      return Keys({PromptWaiting() ? KEY_N : KEY_ESCAPE});
    case platform::PAD_Y:
      return Keys({KEY_Y});
    case platform::PAD_DPAD_LEFT:
      return Keys({KEY_LEFT});
    case platform::PAD_DPAD_RIGHT:
      return Keys({KEY_RIGHT});
    default:
      return {};
  }
}

StickUse StickFor(int state) {
  switch (state) {
    case Play:
      return STICK_AIM;
    case Title:
    case WorldSelect:
    case Settings:
    case StageClear:
    case Editor:
      return STICK_POINTER;
    default:
      return STICK_NONE;
  }
}

// The stick's position past the dead zone, squared for fine control near the centre.
float StickResponse(float v) {
  if (!std::isfinite(v)) return 0;
  const float a = std::min(std::fabs(v), 1.0f);
  if (a <= kDeadZone) return 0;
  const float t = (a - kDeadZone) / (1.0f - kDeadZone);
  return v < 0 ? -t * t : t * t;
}

// Hands out the whole pointer units of the motion gathered so far, keeping the fraction.
int WholeUnits(float* rest) {
  const float whole = std::trunc(*rest);
  *rest -= whole;
  return static_cast<int>(whole);
}

bool Contains(const PadTarget* targets, int count, int x, int y) {
  for (int i = 0; i < count; ++i)
    if (std::abs(targets[i].x - x) <= 2 && std::abs(targets[i].y - y) <= 2) return true;
  return false;
}

// The pointer jumps to the nearest target in the direction, weighing sideways distance
// twice; when the pointer stands on none, the first jump goes to the nearest target at all.
void JumpPointer(int direction) {
  PadTarget targets[32];
  const int count = PadTargets(targets, 32);
  if (count == 0) return;
  const int px = std::clamp(mouse.pointerX, 0, 500), py = std::clamp(mouse.pointerY, 0, 500);
  static const int kDirections[5][2] = {{0, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  const int dx = kDirections[direction][0], dy = kDirections[direction][1];
  const bool onTarget = Contains(targets, count, px, py);
  int best = -1;
  long long bestScore = LLONG_MAX;
  for (int i = 0; i < count; ++i) {
    const long long vx = targets[i].x - px, vy = targets[i].y - py;
    long long score = 0;
    if (onTarget) {
      const long long along = vx * dx + vy * dy;
      const long long across = std::llabs(vx * dy - vy * dx);
      if (along <= 2) continue;
      score = along + 2 * across;
    } else {
      score = vx * vx + vy * vy;
    }
    if (score < bestScore) {
      bestScore = score;
      best = i;
    }
  }
  if (best < 0) return;
  padOverlay.pointerDx = targets[best].x - mouse.pointerX;
  padOverlay.pointerDy = targets[best].y - mouse.pointerY;
  gamepad.pointerRestX = gamepad.pointerRestY = 0;
}

int WorldSelectTargets(PadTarget* out, int capacity) {
  int n = 0;
  auto add = [&](int x, int y) {
    if (n < capacity) out[n++] = {x, y};
  };
  // The boxes of the worlds that can be chosen, then the buttons and arrows on show.
  static const PadTarget kBoxes[5] = {{90, 120}, {260, 120}, {430, 120}, {180, 280}, {350, 280}};
  for (int w = 0; w < 5; ++w)
    if (stageFiles.worldAvailable[w] && !player.worldLocked[w]) add(kBoxes[w].x, kBoxes[w].y);
  if (worldSelect.extraSetCount > 0) {
    add(227, 374);
    add(297, 374);
  }
  if (worldSelect.continueAvailable) add(265, 450);
  add(212, 485);
  add(302, 485);
  return n;
}

}  // namespace

PadAction PadActionFor(int button, int gameState) {
  switch (gameState) {
    case Title:
      if (button == platform::PAD_A || button == platform::PAD_START) return Keys({KEY_RETURN});
      if (button == platform::PAD_B) return Keys({KEY_ESCAPE});
      if (button == platform::PAD_DPAD_UP) return Keys({KEY_UP});
      if (button == platform::PAD_DPAD_DOWN) return Keys({KEY_DOWN});
      return {};
    case Play:
      return PlayAction(button);
    case StageInfo:
      if (button == platform::PAD_A || button == platform::PAD_START) return Keys({KEY_Z});
      if (button == platform::PAD_B) return Keys({KEY_ESCAPE});
      return {};
    case PauseMenuState:
      // The menu takes the first key of its own mode in the order C, R, Q / Y, N / A, R, Q.
      if (button == platform::PAD_A) return Keys({KEY_C, KEY_Y, KEY_A, KEY_R});
      if (button == platform::PAD_B) return Keys({KEY_C, KEY_N});
      if (button == platform::PAD_START) return Keys({KEY_C});
      if (button == platform::PAD_X) return Keys({KEY_R});
      if (button == platform::PAD_Y) return Keys({KEY_Q});
      return {};
    case SaveOfferState:
      if (button == platform::PAD_A || button == platform::PAD_START) return Keys({KEY_Y});
      if (button == platform::PAD_B) return Keys({KEY_N});
      return {};
    case WorldSelect:
    case Settings:
    case StageClear:
      return PointerScreenAction(button);
    case Intro:
    case Ending:
      if (button == platform::PAD_A || button == platform::PAD_B || button == platform::PAD_START)
        return Keys({KEY_ESCAPE});
      return {};
    case Editor:
      return EditorAction(button);
    default:
      return {};
  }
}

int PadTargets(PadTarget* out, int capacity) {
  // The centres of the click areas of each pointer screen.
  static const PadTarget kSettings[] = {
      {352, 482}, {450, 482},                          // Cancel, OK
      {291, 94},  {291, 156},                          // the two reset boxes
      {242, 202}, {242, 224}, {242, 267}, {242, 284},  // music and effects up and down
      {242, 322}, {242, 338}, {464, 330},              // window size up, down, fit
      {248, 367}, {248, 383}, {268, 376}, {284, 376},  // window up, down, left, right
  };
  static const PadTarget kStageClear[] = {{252, 477}, {375, 477}, {450, 477}};
  auto copy = [&](const PadTarget* from, int count) {
    const int n = std::min(count, capacity);
    std::copy(from, from + n, out);
    return n;
  };
  switch (flow.gameState) {
    case WorldSelect:
      return WorldSelectTargets(out, capacity);
    case Settings:
      return copy(kSettings, static_cast<int>(std::size(kSettings)));
    case StageClear:
      return copy(kStageClear, static_cast<int>(std::size(kStageClear)));
    default:
      return 0;
  }
}

void GamepadSetup() {
  platform::Gamepad* device = platform::backend.gamepad;
  gamepad.available = device && device->Create();
}

void UpdateGamepad() {
  padOverlay = PadOverlay{};
  platform::PadReading reading;
  if (gamepad.available && platform::backend.gamepad) platform::backend.gamepad->Read(&reading);
  if (!reading.connected) {
    if (gamepad.connected) {
      // Pulled out: everything it held is let go.
      const bool available = gamepad.available;
      gamepad = GamepadState{};
      gamepad.available = available;
    }
    return;
  }
  gamepad.connected = true;
  padOverlay.connected = true;
  const int state = flow.gameState;
  for (int b = 0; b < platform::PAD_BUTTON_COUNT; ++b) {
    const PadAction action = PadActionFor(b, state);
    const bool down = reading.buttons[b];
    const bool wentDown = down && !gamepad.held[b];
    if (!down)
      gamepad.latched[b] = false;
    else if (gamepad.held[b] && !(action == gamepad.meaning[b]))
      gamepad.latched[b] = true;
    gamepad.held[b] = down;
    gamepad.meaning[b] = action;
    if (!down || gamepad.latched[b]) continue;
    for (unsigned char key : action.keys)
      if (key) padOverlay.keys[key] = 0x80;
    padOverlay.left = padOverlay.left || action.left;
    padOverlay.right = padOverlay.right || action.right;
    if (action.jump && wentDown) JumpPointer(action.jump);
  }
  const StickUse use = StickFor(state);
  const float step = frameClock.frameStep;
  if (use == STICK_NONE) {
    gamepad.pointerRestX = gamepad.pointerRestY = 0;
    return;
  }
  const float speed = use == STICK_AIM ? kAimSpeed : kPointerSpeed;
  gamepad.pointerRestX += StickResponse(reading.leftX) * speed * step;
  if (use == STICK_POINTER) gamepad.pointerRestY += StickResponse(reading.leftY) * speed * step;
  padOverlay.pointerDx += WholeUnits(&gamepad.pointerRestX);
  padOverlay.pointerDy += WholeUnits(&gamepad.pointerRestY);
}

}  // namespace vx
