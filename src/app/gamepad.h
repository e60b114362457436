// The game pad. Once a frame the pad is read and turned into what the current screen already
// understands: scan-code keys, pointer motion and mouse buttons, laid over the keyboard and
// the mouse through the input state's pad overlay. Without a pad the overlay stays empty.
//
// Every screen works from the pad alone:
// - Play: the d-pad turns the launcher (Left/Right), the left stick turns it in proportion to
//   how far it is pushed (as the mouse does), a shoulder button or trigger held gives fine aim
//   (left Shift for the d-pad, the right mouse button for the stick), A fires (Z), B and Start
//   pause (Escape), Back switches the aim guide (F3 on, F2 off).
// - Title: the d-pad chooses (Up/Down), A or Start confirms (Return).
// - Stage information panel: A or Start starts the stage (Z).
// - Pause and try-lost menu: A continues, or retries or restarts the world where continuing is
//   not offered, and says yes to the quit question (C, Y, A, R: the menu takes the first of
//   them it offers); B continues or says no (C, N); Start continues (C); X retries (R); Y asks
//   to quit (Q).
// - Save offer: A or Start saves (Y), B goes on without saving (N).
// - The pointer screens (world selection, settings, stage clear page): the left stick moves
//   the pointer, the d-pad jumps it to the next button, box or arrow in that direction (the
//   first press to the one nearest the pointer), A clicks, B backs out (Escape); Start is
//   Return, which starts the selected world on the world selection.
// - Intro and end sequence: A, B or Start leaves (Escape).
// - Stage editor: the stick moves the pointer, A is the left button (and yes to its question),
//   X the right button, the d-pad pages the palette (Left/Right), B asks to leave (Escape) or
//   says no to the question (N), Y says yes (Y).
// A button held while its meaning changes (the screen changed under it) does nothing more until
// it is let go, so one press never acts twice on two screens.
#pragma once
#include "platform/input.h"

namespace vx {

// What a pad button stands for on a screen: keys held, mouse buttons held, or a jump of the
// pointer (1 up, 2 down, 3 left, 4 right) when the button goes down.
struct PadAction {
  unsigned char keys[4] = {};
  bool left = false, right = false;
  int jump = 0;
  bool operator==(const PadAction&) const = default;
};

// What a button stands for in a game state, as the mapping above describes.
PadAction PadActionFor(int button, int gameState);

struct GamepadState {
  bool available = false;  // the platform offers pads
  bool connected = false;
  bool held[platform::PAD_BUTTON_COUNT] = {};
  bool latched[platform::PAD_BUTTON_COUNT] = {};  // held across a change of meaning
  PadAction meaning[platform::PAD_BUTTON_COUNT];  // what each button stood for last frame
  float pointerRestX = 0, pointerRestY = 0;       // pointer motion not yet handed out
};
extern GamepadState gamepad;

// Asks the platform for pad support (with the other input devices).
void GamepadSetup();

// Reads the pad and fills the pad overlay for this frame's state; call before the frame's
// first input read.
void UpdateGamepad();

// A point the d-pad can jump the pointer to on the current screen.
struct PadTarget {
  int x, y;
};
// The targets of the current screen (none outside the pointer screens). Returns the count.
int PadTargets(PadTarget* out, int capacity);

}  // namespace vx
