// The next-ball queue: the row of five coming balls beside the launcher, the colour chooser
// that keeps the game playable, and DrawCell, which draws one cell-sized image.
#pragma once

namespace vx {

struct Texture;

// The stage's ball picture ("img\ball%d.tga" of the world), set by the stage start; without
// it colour balls are not drawn.
struct CellImages {
  Texture* stageBalls = nullptr;
};
extern CellImages cellImages;

// The colour of the ball being loaded: the queue's first entry, or a laser shot (27) while the
// laser bonus runs. 0 when the game was not playing in the previous frame (the queue only
// notes that it must be refilled).
int NextShotColour();
// Refill check, slide, shift, drop-in animation and drawing of the row; once a frame.
void UpdateQueue();
// A colour 1..9 for a new entry, taken from the lowest rows of the field where it can be, and
// refused while two queued balls have it as long as another can be found.
int ChooseColour();

// Draws the cell image of `kind` at field position (x, y): colour balls from the stage's ball
// picture, kinds below 100 from the character sheet, 200..299 from gem sheet 0 or 1.
void DrawCell(float x, float y, int kind, float opacity, int sheet, float scaleX, float scaleY);

}  // namespace vx
