// The pusher, the danger warnings and the invasion. The pusher, a ceiling image, moves the
// whole field down by 10 units each time its clock runs out; colour balls that come within
// 168 units of the bottom line are marked, a warning sounds faster the lower they are and a
// strip pulses along the bottom; a ball staying in the lowest band, or a plain colour ball
// pushed onto the bottom line, starts the invasion, which ends in the try-lost menu.
#pragma once
#include <cstdint>

namespace vx {

// The ceiling press. The push interval itself comes with the stage file
// (stageFiles.pushInterval).
struct PusherState {
  float pushClock = 0.0f;     // grows by 10 x frame step a frame; a push when past the interval
  float pusherOffset = 0.0f;  // how far the ceiling has come down, field units
  float pusherBottom = 0.0f;  // copy of the offset the planters keep their spots below
  bool pushWarning = false;   // the push is near (push clock > interval - 1000) during play
  bool previousPushWarning = false;
};
extern PusherState pusher;

// Runs and draws the pusher once a frame (called by the field drawing, so also while the
// stage information panel shows, where it does not push). The ceiling line the shots stop at
// follows the pusher's bottom edge.
void Pusher();
// Moves the field and everything in it by (dx, dy).
void ShiftField(float dx, float dy);

struct DangerState {
  bool dangerThisFrame = false;  // reset at the top of every frame
  float lowestDanger = 0.0f;     // lowest danger position this frame
  float warningClock = 0.0f;     // units since the warning last sounded
  int lowestBandFrames = 0;      // frames a ball has spent in the lowest band
  float stripClock = 0.0f;       // 0..100 pulse of the bottom strip
};
extern DangerState danger;

struct InvasionState {
  float invasionClock = 0.0f;  // units of invasion left; 0 none
  float nextIntruderMark = 0.0f;
  bool invasionRunning = false;
  float invasionFlash = 0.0f;   // units left of the white flash
  std::int16_t lastFrame = -1;  // play frame in which the invasion clock last ran
};
extern InvasionState invasion;

// command 1000 resets at a stage start (no invasion running, the lowest band's frame count
// and the warning clock back to 0); a negative command starts an invasion of -command units
// unless one is running; any other command updates invasion intruder i. Returns 1.
int Invasion(int i, int command);

// Colour balls (cell kinds 1..9, who the complement of the cell index): at or below the danger
// line they are marked and noted for the danger warning. On the first frame of a stage they
// only take a random pulse phase.
int ColourBall(int who);

// Once a frame of play, after the displays: the warning sound by how low the lowest marked
// ball is, and the invasion once a ball has spent 20 frames in the lowest band.
void DangerWarning();
// Once a frame of play: the red strip along the bottom while the field overflows or the
// energy is below 30.
void DangerStrip();

}  // namespace vx
