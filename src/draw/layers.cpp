#include "draw/layers.h"

#include <cstdio>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "draw/numbers.h"
#include "draw/sprite.h"
#include "platform/platform.h"
#include "storage/texture.h"

namespace vx {

LayerState layers;

namespace {

constexpr char kCreditMember[] = "img\\musiccredit.tga";

// Loads the member into the slot when the id changes. A failed load is reported once (the
// new id stays) and keeps the picture the loader left in the slot.
void LoadOnDemand(LayerSlot& slot, int id, const char* member, const char* caption) {
  if (slot.hasId && slot.id == id) return;
  slot.id = id;
  slot.hasId = true;
  if (LoadArchiveTexture("_data.loc", member, &slot.texture) < 0)
    platform::ShowMessage(member ? member : "", caption);
}

void AnchorOffset(int anchor, float w, float h, float scale, bool topCentre, float* dx, float* dy) {
  *dx = *dy = 0;
  if (anchor == 1) {
    *dx = -w * scale / 2;
    *dy = -h * scale / 2;
  } else if (anchor == 2) {
    *dx = -w * scale;
    *dy = -h * scale / 2;
  } else if (anchor == 3 && topCentre) {
    *dx = -w * scale / 2;
  }
}

bool DrawPart(Texture* texture, float opacity, float x, float y, int left, int top, int right,
              int bottom, float scale, int anchor, bool topCentre) {
  if (!texture) return false;
  float dx = 0, dy = 0;
  AnchorOffset(anchor, static_cast<float>(right - left), static_cast<float>(bottom - top), scale,
               topCentre, &dx, &dy);
  const SpriteRect rect = {left, top, right, bottom};
  DrawTexture(texture, &rect, scale, scale, 0, 0, 0, x + dx, y + dy, OpacityColour(opacity));
  return true;
}

}  // namespace

const char* LayerImage(int id) {
  switch (id) {
    case LAYER_TITLE_SHEET:
      return "img\\startscreenchrset.tga";
    case LAYER_WORLD_SELECT:
      return "img\\levelscrn.tga";
    case LAYER_SETTINGS:
      return "img\\optionscrn.tga";
    case LAYER_STAGE_INFO_SHEET:
      return "img\\playinfochrset.tga";
    case LAYER_PAUSE_BACKGROUND:
      return "img\\escscreen.tga";
    case LAYER_PAUSE_TEXTS:
      return "img\\retrychrset.tga";
    case LAYER_STAGE_CLEAR:
      return "img\\stagestime.tga";
    case LAYER_STAGE_CLEAR_TEXTS:
      return "img\\stagestimechrset.tga";
    case LAYER_SAVE_OFFER:
      return "img\\savegame.tga";
    case LAYER_FINISH_SCENE:
      return "img\\finishscene.tga";
    case LAYER_FINISH_TEXT:
      return "img\\finishtext.tga";
    case LAYER_EDITOR_BACKGROUND:
      return "img\\editbackground.tga";
    default:
      return "";
  }
}

bool game_DisplayLayer(int id, const char* member, float opacity) {
  LoadOnDemand(layers.screen, id, member, "game_DisplayLayer()");
  if (!layers.screen.texture) return false;
  DrawTexture(layers.screen.texture, nullptr, 1, 1, 0, 0, 0, 0, 0, OpacityColour(opacity));
  return true;
}

bool game_DisplayLayerZoom(int id, const char* member, float opacity, float zoom) {
  LoadOnDemand(layers.screen, id, member, "game_DisplayLayer()");
  if (!layers.screen.texture) return false;
  const float corner = 256.0f - 256.0f * zoom;
  DrawTexture(layers.screen.texture, nullptr, zoom, zoom, 0, 0, 0, corner, corner,
              OpacityColour(opacity));
  return true;
}

bool game_DisplayLayerPart(int id, const char* member, float opacity, float x, float y, int left,
                           int top, int right, int bottom, float scale, int anchor) {
  LoadOnDemand(layers.sheet, id, member, "game_DisplayLayer()");
  return DrawPart(layers.sheet.texture, opacity, x, y, left, top, right, bottom, scale, anchor,
                  true);
}

bool game_DisplayLayerchr1(int id, const char* member, float opacity, float x, float y, int left,
                           int top, int right, int bottom, float scale, int anchor) {
  LoadOnDemand(layers.second, id, member, "game_DisplayLayerchr1()");
  return DrawPart(layers.second.texture, opacity, x, y, left, top, right, bottom, scale, anchor,
                  false);
}

float game_DisplayLayerNumber(int id, const char* member, float opacity, float x, float y,
                              int glyphX, int glyphTop, int glyphWidth, int glyphHeight,
                              float scale, int align, int value) {
  LoadOnDemand(layers.sheet, id, member, "game_DisplayLayerNumber()");
  if (!layers.sheet.texture) return 0;
  int digits[9];
  const int n = SplitDigits(value, digits);
  const float advance = static_cast<float>(glyphWidth) * scale;
  if (align == 1) {
    x -= n * advance / 2;
    y -= glyphHeight * scale / 2;
  } else if (align == 2) {
    x -= n * advance;
    y -= glyphHeight * scale / 2;
  }
  const std::uint32_t colour = OpacityColour(opacity);
  for (int i = 0; i < n; ++i) {
    const SpriteRect rect = {glyphX + digits[i] * glyphWidth, glyphTop,
                             glyphX + (digits[i] + 1) * glyphWidth, glyphTop + glyphHeight};
    DrawTexture(layers.sheet.texture, &rect, scale, scale, 0, 0, 0, x, y, colour);
    x += advance;
  }
  return x;
}

bool DrawMusicCredit(float opacity, float x, float y, float scale, int anchor) {
  if (flow.stageSet != layers.creditStageSet) {
    layers.creditStageSet = flow.stageSet;
    char archive[32] = "_data.loc";
    if (flow.stageSet > 0) std::snprintf(archive, sizeof archive, "_data%d.loc", flow.stageSet);
    layers.creditLoaded = LoadArchiveTexture(archive, kCreditMember, &layers.creditImage) >= 0 ||
                          LoadArchiveTexture("_data.loc", kCreditMember, &layers.creditImage) >= 0;
    if (!layers.creditLoaded) {
      ReleaseTexture(layers.creditImage);
      layers.creditImage = nullptr;
    }
  }
  if (flow.gameState != layers.creditLastState &&
      (flow.gameState == Title || flow.gameState == StageInfo))
    layers.creditCountdown = 2000;
  layers.creditLastState = flow.gameState;
  if (!layers.creditLoaded || layers.creditCountdown <= 0) return false;
  layers.creditCountdown =
      static_cast<int>(static_cast<float>(layers.creditCountdown) - frameClock.frameStep);
  if (layers.creditCountdown % 200 < 100) return false;
  if (flow.gameState != Title && flow.gameState != StageInfo) return false;
  const int row = flow.gameState == Title ? 0 : CurrentWorld() + 4;
  return DrawPart(layers.creditImage, opacity, x, y, 0, 25 * row, 255, 25 * row + 24, scale, anchor,
                  true);
}

}  // namespace vx
