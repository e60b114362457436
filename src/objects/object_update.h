// The per-frame update of every special cell and field object. Each behaviour both advances
// its thing and draws it, so the order of the pass is also the drawing order of the effects.
// A cell behaviour is called with the complement of the cell index (-1 - index, always
// negative), an object behaviour with the object index; each returns 1, or -1 when it removed
// its own entry.
#pragma once

#include "field/field_tables.h"

namespace vx {

struct Texture;

struct ObjectUpdateState {
  bool removedThisFrame = false;  // a behaviour removed its entry; reset at the top of a frame
  Texture* explosionImages[8] = {};
  bool bombLastFrame = false;     // a bomb was updated in the previous frame: its sound plays
  bool pushIntervalDone = false;  // the push interval of this stage has been stretched
};
extern ObjectUpdateState objectUpdate;

// Colour balls and bombs at or below bottomLine - 168 are in danger.
inline constexpr float kDangerOffset = 168.0f;
inline float DangerLine() {
  return geometry.bottomLine - kDangerOffset;
}

// One pass over the cells, then over the objects. Returns the number of popping balls
// updated.
int UpdateObjects();
// The same pass removing every ended object with RemoveObject at once; slow when thousands
// end in one frame, kept as the measure of the other.
int UpdateObjectsReference();

// How a behaviour that neither appends objects nor looks at the others removes its own
// object: during the object pass the pass drops it when it packs the table, elsewhere it is
// removed at once.
void RemoveOwnObject(int i);

// The play frame ended in another state (a menu, the stage clear, a new stage): the sounds
// that loop during play stop until play goes on.
void LeavePlay();

// Once a frame: in every fifteenth stage from the eighth on, the push interval stretches once
// enough colour cells have been cleared.
void PushIntervalCheck();

// Draws one image at field position (x, y). With right 0 the code picks the rectangle: colour
// balls 1..9 from the stage's ball picture (the character sheet's stand-ins without one),
// 0 and 10..99 from the character sheet, 200..299 from gem sheet `sheet` (at most 1); with a
// rectangle given it comes from the character sheet. Anchor 0 puts the scaled image's top-left
// on the position, 1 grows it about the cell box's centre, 2 about the box's bottom centre.
// Rotation in degrees. Sheets other than 0..2 draw nothing.
void DrawCellImage(float x, float y, int code, int left, int top, int right, int bottom,
                   float opacity, int sheet, float scaleX, float scaleY, int anchor,
                   float rotation);
// The common case: the code's own image, grown about the cell box's centre, unrotated.
void DrawCentred(float x, float y, int code, float opacity, float scaleX, float scaleY);

// A timer's whole units, truncated toward zero; 0 for values no int holds.
inline int WholeUnits(float t) {
  return (t > -2.0e9f && t < 2.0e9f) ? static_cast<int>(t) : 0;
}
// |whole units mod 100 - 50|: 0..50, a 100-unit pulse.
inline int Pulse(float t) {
  int p = WholeUnits(t) % 100 - 50;
  return p < 0 ? -p : p;
}

}  // namespace vx
