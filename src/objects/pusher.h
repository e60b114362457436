// The pusher, the danger warnings and the invasion.
#pragma once

namespace vx {

struct DangerState {
  bool dangerThisFrame = false;  // reset at the top of every frame
  float lowestDanger = 0.0f;     // lowest danger position this frame
};
extern DangerState danger;

void DangerWarning();
void DangerStrip();

}  // namespace vx
