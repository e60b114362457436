#include "draw/sprite.h"

#include "app/game_state.h"
#include "app/input.h"

namespace vx {

// Not built yet: sprites draw nothing.
int DrawSprite(float, float, int, int, int, int, float, int, float, float, int, float) {
  return 0;
}

bool DrawPointer(bool /*draw*/) {
  if (mouse.pointerX < 0) mouse.pointerX = 0;
  if (mouse.pointerX > 500) mouse.pointerX = 500;
  if (mouse.pointerY < 0) mouse.pointerY = 0;
  if (mouse.pointerY > 500) mouse.pointerY = 500;
  return flow.clickThisFrame;
}

void ClearSpriteSheets() {}

}  // namespace vx
