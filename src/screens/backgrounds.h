// Decorative backgrounds: the scrolling backdrop and the gem streams.
#pragma once

namespace vx {

void ScrollBackdrop();
void ScrollBackdropFaded(float opacity, float speed);
void GemStream(int cell, int trails);
void GemStreamLarge(int cell, int trails);
void BouncingGems();

}  // namespace vx
