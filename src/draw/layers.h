// Whole-screen layer images loaded on demand by id, and the music credit overlay. All of
// these draw in surface pixels and return true when something was drawn.
#pragma once

namespace vx {

struct Texture;

struct LayerSlot {
  Texture* texture = nullptr;
  int id = 0;
  bool hasId = false;  // no image asked for yet
};

struct LayerState {
  LayerSlot screen;  // game_DisplayLayer, game_DisplayLayerZoom
  LayerSlot sheet;   // game_DisplayLayerPart, game_DisplayLayerNumber
  LayerSlot second;  // game_DisplayLayerchr1
  // The music credit overlay.
  Texture* creditImage = nullptr;
  int creditStageSet = -1;  // the stage set the image was loaded for; -1 not yet
  bool creditLoaded = false;
  int creditLastState = -1;
  int creditCountdown = 0;  // frame-step units
};
extern LayerState layers;

// The member is loaded from "_data.loc" only when id differs from the slot's id.
bool game_DisplayLayer(int id, const char* member, float opacity);
// The whole image scaled by zoom about the surface centre.
bool game_DisplayLayerZoom(int id, const char* member, float opacity, float zoom);
// A rectangle of the layer sheet. Anchor 1 centres it on (x, y), 2 puts its right edge on x
// centred on y, 3 centres it on x with its top on y, others put its top-left on (x, y).
bool game_DisplayLayerPart(int id, const char* member, float opacity, float x, float y, int left,
                           int top, int right, int bottom, float scale, int anchor);
// The same on the second sheet, anchors 1 and 2 only.
bool game_DisplayLayerchr1(int id, const char* member, float opacity, float x, float y, int left,
                           int top, int right, int bottom, float scale, int anchor);
// Draws value with digit glyphs of the layer sheet (digit d at glyphX + d x glyphWidth).
// Align 1 centres on (x, y), 2 puts the right edge on x centred on y, others the top-left
// on (x, y). Returns the x after the last digit, 0 when nothing was drawn.
float game_DisplayLayerNumber(int id, const char* member, float opacity, float x, float y,
                              int glyphX, int glyphTop, int glyphWidth, int glyphHeight,
                              float scale, int align, int value);
// The music credit strip, shown blinking for a while when the title or the stage
// information screen is entered.
bool DrawMusicCredit(float opacity, float x, float y, float scale, int anchor);

}  // namespace vx
