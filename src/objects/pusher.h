// The pusher, the danger warnings and the invasion.
#pragma once

namespace vx {

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
