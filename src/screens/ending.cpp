#include "screens/ending.h"

#include <cmath>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "draw/layers.h"
#include "screens/backgrounds.h"
#include "storage/texture.h"

namespace vx {

EndState ending;

namespace {

// Section starts in end-clock units (200 a second).
constexpr float kAssemblyStart = 2010;
constexpr float kLaunchStart = 3600;
constexpr float kFlightStart = 4000;
constexpr float kFlyOffStart = 7500;
constexpr float kFlyOffDistance = 512;

void Scene(float x, float y, int left, int top, int right, int bottom, float scale,
           float opacity = 100) {
  game_DisplayLayerPart(LAYER_FINISH_SCENE, LayerImage(LAYER_FINISH_SCENE), opacity, x, y, left,
                        top, right, bottom, scale, 1);
}

void Caption(float x, float y, int left, int top, int right, int bottom) {
  game_DisplayLayerchr1(LAYER_FINISH_TEXT, LayerImage(LAYER_FINISH_TEXT), 100, x, y, left, top,
                        right, bottom, 1, 1);
}

// The caption bubble with one line of the story in it.
void Bubble(float x, float y, float lineX, float lineY, int left, int top, int right, int bottom) {
  Caption(x, y, 0, 0, 265, 215);
  Caption(lineX, lineY, left, top, right, bottom);
}

float Advance(float value, float by, float period) {
  value += by;
  return value >= period ? 0.0f : value;
}

// The craft's three parts: middle, top and bottom.
void CraftMiddle(float x, float y, float scale, float opacity = 100) {
  Scene(x, y, 0, 343, 157, 357, scale, opacity);
}
void CraftTop(float x, float y, float scale, float opacity = 100) {
  Scene(x, y, 0, 268, 157, 343, scale, opacity);
}
void CraftBottom(float x, float y, float scale, float opacity = 100) {
  Scene(x, y, 0, 358, 157, 433, scale, opacity);
}

void Opening(float e) {
  const float step = frameClock.frameStep;
  ending.pulse1 = Advance(ending.pulse1, step, 200);
  const float glow = std::fabs(ending.pulse1 - 100);
  Scene(256, 256, 7, 164, 178, 242, 3, glow < 40 ? 40 : glow);
  ending.pulse2 = Advance(ending.pulse2, 0.5f * step, 100);
  ending.pulse3 = Advance(ending.pulse3, 0.5f * step, 100);
  ending.pulse4 = Advance(ending.pulse4, 0.5f * step, 100);
  auto bob = [](float p) { return std::fabs((p - 50) * 2) * 0.1f + 300; };
  Scene(90, bob(ending.pulse2), 150, 0, 296, 160, 1.3f);
  Scene(430, bob(ending.pulse3), 322, 0, 470, 160, 1.3f);
  Scene(260, bob(ending.pulse4), 0, 0, 148, 150, 1.3f);
  Scene(256, 60, 182, 164, 342, 242, 3.4f);
  Scene(256, 455, 345, 164, 510, 242, 3.4f);
  if (e > 200 && e < 600) Bubble(370, 140, 370, 100, 270, 15, 510, 70);
  if (e > 800 && e < 1200) Bubble(370, 140, 370, 100, 270, 70, 510, 145);
  if (e > 1300 && e < 2000) Bubble(210, 140, 200, 100, 270, 145, 510, 230);
}

void Assembly() {
  if (ending.section != END_ASSEMBLY) {
    ending.section = END_ASSEMBLY;
    ending.zoom = 0;
  }
  if (ending.zoom < 10) ending.zoom += 0.01f * frameClock.frameStep;
  ScrollBackdropFaded(100, 0.08f);
  const float s = 11 - ending.zoom;  // from far away (11) to full size (1)
  const float x = 256 - 46 * s;
  CraftMiddle(x, 256 - 11 * s, s);
  CraftTop(x, 256 - 48.5f * s, s);
  CraftBottom(x, 256 + 27.5f * s, s);
}

void Launch() {
  if (ending.section != END_LAUNCH) {
    ending.section = END_LAUNCH;
    ending.zoom = 0;
  }
  if (ending.zoom < 6) ending.zoom += 0.05f * frameClock.frameStep;
  ScrollBackdropFaded(100, 0.8f);
  CraftMiddle(210, 245, 1);
  Scene(210, 245, 5, 248, 370, 263, (6 - ending.zoom) / 6, ending.zoom * 10 + 40);
  CraftTop(210, 207.5f - ending.zoom, 1);
  CraftBottom(210, 283.5f + ending.zoom, 1);
}

void Flight(float e) {
  if (ending.section != END_FLIGHT) {
    ending.section = END_FLIGHT;
    ending.zoom = 1.5f;
    ending.flyOff = 0;
    // Without the starfield there is no backdrop at all: the slot must not keep the
    // title's clouds, which a failed load would leave in it.
    ReleaseTexture(backgrounds.backdrop);
    backgrounds.backdrop = nullptr;
    LoadArchiveTexture("_data.loc", "img\\starfield.tga", &backgrounds.backdrop);
  }
  ScrollBackdropFaded(100, ending.zoom);
  const float z = ending.zoom, fly = ending.flyOff;
  CraftMiddle(210 - 6 * z + fly, 245, 1, 20);  // speed ghosts
  CraftTop(210 - 6 * z + fly, 201.5f, 1, 20);
  CraftBottom(210 - 6 * z + fly, 289.5f, 1, 20);
  CraftMiddle(210 - 3.5f * z + fly, 245, 1, 20);
  CraftTop(210 - 3.5f * z + fly, 201.5f, 1, 20);
  CraftBottom(210 - 3 * z + fly, 289.5f, 1, 20);
  CraftMiddle(210 + fly, 245, 1);
  CraftTop(210 + fly, 201.5f, 1);
  CraftBottom(210 + fly, 289.5f, 1);
  if (e >= 4300 && e < 4900) Bubble(365, 115, 365, 75, 0, 245, 225, 345);
  if (e >= 5000 && e < 6400) Bubble(365, 115, 365, 75, 0, 360, 225, 460);
  if (e >= 6600 && e < 7200) Bubble(365, 115, 365, 75, 240, 240, 480, 350);
  if (e >= 6800 && e < 9000 && ending.zoom < 12) ending.zoom += 0.01f * frameClock.frameStep;
  if (e >= kFlyOffStart) {
    if (ending.flyOff < kFlyOffDistance) ending.flyOff += frameClock.frameStep;
    if (ending.flyOff >= kFlyOffDistance) flow.gameState = TitleLoad;
  }
}

}  // namespace

void EndSequence(int code) {
  if (code == -1) {
    ending.endClock = 0;
    ending.section = END_OPENING;
    return;
  }
  const float e = ending.endClock;
  if (e > 0 && e < 2000)
    Opening(e);
  else if (e >= kAssemblyStart && e < kLaunchStart)
    Assembly();
  else if (e >= kLaunchStart && e < kFlightStart)
    Launch();
  else if (e >= kFlightStart)
    Flight(e);
  if (KeyPressed(KEY_ESCAPE, true)) flow.gameState = TitleLoad;
  ending.endClock += frameClock.frameStep;
}

}  // namespace vx
