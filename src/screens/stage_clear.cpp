#include "screens/stage_clear.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "draw/sprite.h"
#include "persist/best_times.h"
#include "screens/backgrounds.h"
#include "screens/save_offer.h"
#include "screens/screen_numbers.h"

namespace vx {

StageClearState stageClear;

namespace {

constexpr float kLineTop = 160;
constexpr float kLinePitch = 22;

void TextPiece(float opacity, float x, float y, int left, int top, int right, int bottom,
               float scale) {
  game_DisplayLayerPart(LAYER_STAGE_CLEAR_TEXTS, LayerImage(LAYER_STAGE_CLEAR_TEXTS), opacity, x, y,
                        left, top, right, bottom, scale, 1);
}

int StageTime(int place) {
  return place >= 0 && place < kStageTimeCount ? bestTimes.stageTimes[place] : 0;
}

// The button under a click on the page's bottom row: 1 next, 2 again, 3 title, 0 none.
int ChoiceAt(int x, int y) {
  if (y < 465 || y >= 490) return 0;
  if (x >= 420 && x < 480) return 1;
  if (x >= 340 && x < 410) return 2;
  if (x >= 220 && x < 285) return 3;
  return 0;
}

void WorldCompleted() {
  const float step = frameClock.frameStep;
  if (!bestTimes.newRecord) {
    stageClear.worldEndPulse += 0.6f * step;
    if (stageClear.worldEndPulse >= 200) stageClear.worldEndPulse -= 200;
    TextPiece(std::fabs(stageClear.worldEndPulse - 100), 256, 200, 0, 75, 255, 170, 1.5f);
    return;
  }
  BouncingGems();
  stageClear.worldEndPulse += 0.02f * step;
  if (stageClear.worldEndPulse >= 2) stageClear.worldEndPulse = 0;
  if (stageClear.worldEndPulse > 1) TextPiece(100, 256, 270, 0, 170, 255, 210, 1.5f);
  stageClear.recordPulse += 0.02f * step;
  if (stageClear.recordPulse > 2) stageClear.recordPulse -= 2;
  TextPiece(100, 256, 200, 0, 0, 255, 75, std::fabs(stageClear.recordPulse - 1) + 1);
}

}  // namespace

int StageClearScreen() {
  const int spw = std::max(flow.stagesPerWorld, 1);
  const int place = flow.stageNumber % spw;
  if (stageClear.pageFade < 100)
    stageClear.pageFade = std::min(stageClear.pageFade + 0.5f * frameClock.frameStep, 100.0f);
  game_DisplayLayerZoom(LAYER_STAGE_CLEAR, LayerImage(LAYER_STAGE_CLEAR), stageClear.pageFade,
                        (100 - stageClear.pageFade) / 100 + 1);
  if (stageClear.pageFade < 100) return 0;  // no choice before the page has arrived

  StageList(place + 1);
  int choice = 0;
  if (flow.clickThisFrame) choice = ChoiceAt(mouse.pointerX, mouse.pointerY);
  if (choice != 0) stageClear.pageFade = 0;
  if (place >= spw - 1) WorldCompleted();
  DrawPointer(true);
  return choice;
}

float StageList(int shown) {
  const int spw = std::max(flow.stagesPerWorld, 1);
  const int world = flow.stageNumber / spw;
  const SpriteRect label = WorldLabelRect(world);
  DrawSprite(256, 100, label.left, label.top, label.right, label.bottom, 100, 0, 1, 1, 1, 0);
  DrawSprite(113, 125, 280, 180, 395, 200, 100, 0, 1, 1, 0, 0);
  const int best = world >= 0 && world < kWorldCount ? bestTimes.bestWorldTime[world] : 0;
  DrawTimeAt(best, 1.35f, 233, 128, 0);

  // Lines below the surface cannot be seen; a world of many stages draws only those above.
  const int lines = std::min(spw, static_cast<int>((512 - kLineTop) / kLinePitch) + 1);
  for (int i = 0; i < lines; ++i) {
    const float y = kLineTop + kLinePitch * i;
    DrawNumberAt(i + 1, 1, 123, y, 1);
    if (i < shown) DrawTimeAt(StageTime(i), 1, 373, y, 0);
    if (i > shown) DrawSprite(373, y, 455, 185, 465, 200, 100, 0, 1, 1, 0, 0);
  }

  stageClear.markerBlink += frameClock.frameStep;
  if (stageClear.markerBlink > 100) stageClear.markerBlink = 0;
  // The marker stands on the line after the last time; after a world's last stage there is
  // no such line.
  if (stageClear.markerBlink > 50 && shown < kStageTimeCount && shown >= 0 && shown < spw)
    DrawSprite(373, kLineTop + kLinePitch * shown, 400, 185, 455, 200, 100, 0, 1, 1, 0, 0);

  const float totalY = kLineTop + kLinePitch * static_cast<float>(spw) + 10;
  long long total = 0;  // times from a saved game may be anything
  for (int i = 0; i < std::min(spw, kStageTimeCount); ++i) total += StageTime(i);
  DrawSprite(353, totalY + 5, 260, 180, 275, 200, 100, 0, 1, 1, 1, 0);
  DrawTimeAt(static_cast<int>(std::min<long long>(total, INT_MAX)), 1, 373, totalY, 0);
  return totalY;
}

void ResetStageList() {
  stageClear.markerBlink = 0;
}

}  // namespace vx
