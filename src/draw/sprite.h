// 2-D drawing of rectangles of the sprite sheets.
#pragma once

namespace vx {

int DrawSprite(float x, float y, int left, int top, int right, int bottom, float opacity, int sheet,
               float scaleX, float scaleY, int anchor, float rotation);
// Clamps the pointer to 0..500, draws it when asked; returns the click of this frame.
bool DrawPointer(bool draw);
// Empties the sprite-sheet table.
void ClearSpriteSheets();

}  // namespace vx
