// 2-D drawing: the sprite primitive every picture goes through, the table of shared sprite
// sheets, rectangles of the shared character sheet, and the mouse pointer.
#pragma once
#include <cstdint>

namespace vx {

struct Texture;

inline constexpr int kSpriteSheets = 10;
// Sheet 1 is the shared character sheet "img\chrset1.tga"; 2 and 3 are the ball sheets.
inline constexpr int kCharacterSheet = 1;
// Radians in a degree, for callers that turn sprites by degrees.
inline constexpr float kRadiansPerDegree = 0.017453292f;

struct SpriteState {
  Texture* sheets[kSpriteSheets] = {};
  // Field units (1024 x 1024) to surface pixels (512 x 512); the boot loader sets both.
  float screenScaleX = 0.5f;
  float screenScaleY = 0.5f;
};
extern SpriteState sprites;

// A texel rectangle; right and bottom are exclusive.
struct SpriteRect {
  int left, top, right, bottom;
};

// Opacity 0..100 as the drawing colour: alpha = opacity / 100 x 255 truncated, over white.
std::uint32_t OpacityColour(float opacity);

// The sprite primitive: the rectangle of `texture` (the whole texture when rect is null)
// scaled by (scaleX, scaleY) about its own top-left, turned by `angle` radians (clockwise on
// screen) about (centreX, centreY), moved by (x, y), tinted by the ARGB colour. Draws
// nothing and returns E_FAIL without a texture; 0 otherwise.
int DrawTexture(Texture* texture, const SpriteRect* rect, float scaleX, float scaleY, float centreX,
                float centreY, float angle, float x, float y, std::uint32_t colour);
// The same with the rectangle by value, for callers that make it just before the call (read
// back from memory at once, a rectangle written a field at a time stalls the processor).
int DrawTexture(Texture* texture, SpriteRect rect, float scaleX, float scaleY, float centreX,
                float centreY, float angle, float x, float y, std::uint32_t colour);

// A rectangle of the shared character sheet at (x, y) in surface pixels. Anchor 1 centres
// the scaled rectangle on (x, y), anchor 3 shifts it by half its growth, any other anchor
// puts its top-left on (x, y). Turned by `rotation` degrees about the centre of the scaled
// rectangle. Sheet values outside 0..2 draw nothing.
int DrawSprite(float x, float y, int left, int top, int right, int bottom, float opacity, int sheet,
               float scaleX, float scaleY, int anchor, float rotation);
// Clamps the pointer to 0..500, draws it when asked; returns the click of this frame.
bool DrawPointer(bool draw);
// Empties the sprite-sheet table.
void ClearSpriteSheets();

}  // namespace vx
