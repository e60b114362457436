// Whole-screen layer images loaded on demand, and the music credit overlay.
#pragma once

namespace vx {

bool DrawMusicCredit(float opacity, float x, float y, float scale, int anchor);

}  // namespace vx
