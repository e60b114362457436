// The pusher, the danger warnings and the invasion.
#pragma once

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
// stage information panel shows, where it does not push).
void Pusher();
// Moves the field and everything in it by (dx, dy).
void ShiftField(float dx, float dy);

struct DangerState {
  bool dangerThisFrame = false;  // reset at the top of every frame
  float lowestDanger = 0.0f;     // lowest danger position this frame
};
extern DangerState danger;

struct InvasionState {
  float invasionClock = 0.0f;  // units of invasion left; 0 none
  float nextIntruderMark = 0.0f;
  bool invasionRunning = false;
  float invasionFlash = 0.0f;  // units left of the white flash
};
extern InvasionState invasion;

// command 1000 resets; a negative command starts an invasion of -command units unless one is
// running; any other command updates invasion intruder i.
void Invasion(int i, int command);

void DangerWarning();
void DangerStrip();

}  // namespace vx
