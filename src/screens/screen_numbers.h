// Numbers and times placed in surface pixels. The number drawing works in field units (the
// 1024-wide space of the play field); the screens know their figures' places on the 512 x 512
// surface, so these divide by the screen scale first.
#pragma once
#include "draw/numbers.h"
#include "draw/sprite.h"

namespace vx {

inline float DrawNumberAt(int value, float size, float screenX, float screenY, int align) {
  return DrawNumber(value, size, screenX / sprites.screenScaleX, screenY / sprites.screenScaleY,
                    align);
}

inline float DrawTimeAt(int ticks, float size, float screenX, float screenY, int align) {
  return DrawTime(ticks, size, screenX / sprites.screenScaleX, screenY / sprites.screenScaleY,
                  align, true);
}

}  // namespace vx
