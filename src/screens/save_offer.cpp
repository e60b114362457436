#include "screens/save_offer.h"

#include <algorithm>
#include <climits>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "screens/screen_numbers.h"

namespace vx {

OfferState saveOffer;

namespace {

constexpr float kConfirmTime = 500;  // 2.5 seconds of confirmation before going on

void OfferPiece(float x, float y, int left, int top, int right, int bottom, float scale,
                int anchor) {
  game_DisplayLayerPart(LAYER_SAVE_OFFER, LayerImage(LAYER_SAVE_OFFER), 100, x, y, left, top, right,
                        bottom, scale, anchor);
}

// A stage as the offer shows it: its world's label and its place in the world.
void DrawStageLine(int stage, float y, float numberY) {
  const int spw = std::max(flow.stagesPerWorld, 1);
  DrawWorldLabel(stage, 178, y);
  DrawNumberAt(stage % spw + 1, 1, 320, numberY, 2);
}

}  // namespace

SpriteRect WorldLabelRect(int world) {
  static const int kRows[6] = {54, 70, 83, 98, 113, 127};
  if (world < 0 || world > 4) world = 0;
  return {240, kRows[world], 323, kRows[world + 1]};
}

void DrawWorldLabel(int stage, float x, float y) {
  const SpriteRect r = WorldLabelRect(stage / std::max(flow.stagesPerWorld, 1));
  DrawSprite(x - (r.right - r.left) / 2.0f, y, r.left, r.top, r.right, r.bottom, 100, 0, 1, 1, 0,
             0);
}

int SaveOffer(int code) {
  if (code == -1) {
    saveOffer.offerTimer = 0;
    saveOffer.offerPhase = 0;
    saveOffer.nextState = flow.gameState;
    saveOffer.offeredStage = flow.stageNumber;
    // The game's end has already turned the stage number back to 0; what is saved is the
    // last stage of the last world.
    if (saveOffer.nextState == Ending)
      saveOffer.offeredStage = static_cast<int>(
          std::min(kWorldCount * static_cast<long long>(std::max(flow.stagesPerWorld, 1)) - 1,
                   static_cast<long long>(INT_MAX)));
    saveOffer.storedStage = ReadSavedGame(false);
  }

  int result = -1;
  if (saveOffer.offerPhase == 0) {
    const float zoom = std::clamp(saveOffer.offerTimer, 20.0f, 100.0f) / 100;
    OfferPiece(256, 0, 0, 70, 435, 350, zoom, 3);
    if (saveOffer.offerTimer >= 100) {
      if (saveOffer.storedStage >= 0) DrawStageLine(saveOffer.storedStage, 175, 176);
      DrawStageLine(saveOffer.offeredStage, 240, 241);
    }
  } else {
    if (static_cast<int>(saveOffer.offerTimer) % 100 < 50)
      OfferPiece(256, 256, 0, 435, 175, 510, 1, 1);
    if (saveOffer.offerTimer > kConfirmTime) result = saveOffer.nextState;
  }
  saveOffer.offerTimer += frameClock.frameStep;

  if (KeyPressed(KEY_N, true)) {
    saveOffer.offerPhase = 0;
    saveOffer.offerTimer = 0;
    result = saveOffer.nextState;
  }
  if (KeyPressed(KEY_Y, false)) {
    saveOffer.offerPhase = 1;
    saveOffer.offerTimer = 0;
    const int current = flow.stageNumber;
    flow.stageNumber = saveOffer.offeredStage;
    WriteSavedGame();
    flow.stageNumber = current;
  }
  return result;
}

}  // namespace vx
