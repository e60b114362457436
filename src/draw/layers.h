// Whole-screen layer images loaded on demand by id, and the music credit overlay. All of
// these draw in surface pixels and return true when something was drawn.
#pragma once

namespace vx {

struct Texture;

// Every image the screens draw through the layer slots, with its id. A slot reloads its image
// whenever the id changes, so each image has an id of its own and no two images share one
// (an id drawn with another image's name would show the wrong picture). Every screen takes
// its ids and names from this list.
enum LayerId : int {
  LAYER_TITLE_SHEET = 2,            // "img\startscreenchrset.tga", layer sheet
  LAYER_WORLD_SELECT = 3,           // "img\levelscrn.tga", screen layer
  LAYER_SETTINGS = 4,               // "img\optionscrn.tga", screen layer
  LAYER_STAGE_INFO_SHEET = 5,       // "img\playinfochrset.tga", layer sheet
  LAYER_PAUSE_BACKGROUND = 6,       // "img\escscreen.tga", screen layer
  LAYER_PAUSE_TEXTS = 7,            // "img\retrychrset.tga", layer sheet
  LAYER_STAGE_CLEAR = 8,            // "img\stagestime.tga", screen layer
  LAYER_STAGE_CLEAR_TEXTS = 9,      // "img\stagestimechrset.tga", layer sheet
  LAYER_SAVE_OFFER = 10,            // "img\savegame.tga", layer sheet
  LAYER_FINISH_SCENE = 11,          // "img\finishscene.tga", layer sheet
  LAYER_FINISH_TEXT = 12,           // "img\finishtext.tga", second sheet
  LAYER_EDITOR_BACKGROUND = 53265,  // "img\editbackground.tga", screen layer
};
// Every id above, for whatever walks the whole list.
inline constexpr LayerId kLayerIds[] = {
    LAYER_TITLE_SHEET,      LAYER_WORLD_SELECT, LAYER_SETTINGS,    LAYER_STAGE_INFO_SHEET,
    LAYER_PAUSE_BACKGROUND, LAYER_PAUSE_TEXTS,  LAYER_STAGE_CLEAR, LAYER_STAGE_CLEAR_TEXTS,
    LAYER_SAVE_OFFER,       LAYER_FINISH_SCENE, LAYER_FINISH_TEXT, LAYER_EDITOR_BACKGROUND,
};

// The member name of a layer image, or "" for an id that is not in the list.
const char* LayerImage(int id);

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
