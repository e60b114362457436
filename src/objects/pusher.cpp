#include "objects/pusher.h"

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/random.h"
#include "field/field_tables.h"

namespace vx {

PusherState pusher;
DangerState danger;
InvasionState invasion;

void Invasion(int /*i*/, int command) {
  if (command == 1000) {
    invasion.invasionClock = 0.0f;
    return;
  }
  if (command < 0) {
    if (invasion.invasionClock > 10.0f) return;
    invasion.invasionClock = static_cast<float>(-command);
    invasion.nextIntruderMark = invasion.invasionClock - static_cast<float>(GameRand() % 30);
    invasion.invasionRunning = true;
    if (objects.objectCount < kSpawnObjectLimit)
      AppendObject(512.0f, 1024.0f - geometry.cellHeightF, -1, OBJECT_INTRUDER, 0.0f);
    invasion.invasionFlash = 55.0f;
    PlaySound(sfx.explosion, 0, volumes.effectsVolume);
    return;
  }
  // Not built yet: the intruders' behaviour.
}

// Not built yet: the pusher and the field shift.
void Pusher() {}
void ShiftField(float, float) {}

// Not built yet: the warnings.
void DangerWarning() {}
void DangerStrip() {}

}  // namespace vx
