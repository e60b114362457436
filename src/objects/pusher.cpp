#include "objects/pusher.h"

#include <algorithm>
#include <cmath>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/random.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "field/shooter.h"
#include "objects/object_update.h"
#include "objects/stage_start.h"
#include "persist/stage_files.h"

namespace vx {

PusherState pusher;
DangerState danger;
InvasionState invasion;

namespace {

constexpr float kPushStep = 10.0f;
constexpr float kInvasionLength = 1500.0f;
constexpr int kFlashRing = 21;
constexpr int kWarningImage = 14;
constexpr int kLowestBandLimit = 20;  // frames in the lowest band before the invasion

void StartInvasion() {
  Invasion(0, -static_cast<int>(kInvasionLength));
}

// The intruder's drawing: a shrinking ring on arrival, then its colour hopping along the
// bottom, up to 160 units every 100 units.
void DrawIntruder(int i) {
  const float x = objects.x[i], y = objects.y[i], timer = objects.timer[i];
  if (timer < 50.0f) {
    const float f = timer / 50.0f;
    const float s = (1.0f - f) * 4.0f + 1.0f;
    const float o = std::max(f * 100.0f, 20.0f);
    DrawCentred(x, y, kFlashRing, o, s, s);
    DrawCentred(x, y, kFlashRing, o / 3.0f, 4.0f * s, 4.0f * s);
  } else {
    const float p = static_cast<float>(Pulse(timer));
    DrawCentred(x, y - p / 50.0f * 160.0f, -objects.code[i], 100.0f, p / 200.0f + 1.0f,
                p / 200.0f + 1.0f);
  }
}

int UpdateIntruder(int i) {
  const float fs = frameClock.frameStep;
  InvasionState& v = invasion;
  DrawIntruder(i);
  objects.timer[i] += fs;
  if (v.invasionFlash >= 0.0f) {
    v.invasionFlash -= fs;
    DrawCentred(512.0f, 512.0f, kFlashRing, 100.0f, 40.0f, 40.0f);
  }
  if (v.lastFrame != flow.playFrameCounter) {
    v.lastFrame = flow.playFrameCounter;
    v.invasionClock -= fs;
    if (v.invasionClock <= 100.0f) {
      // The end: the try is lost. The menu is a screen above this floor; the play frame
      // opens it right after the object update.
      v.invasionRunning = false;
      v.invasionClock = 0.0f;
      flow.tryLostRequested = true;
      PlaySound(sfx.gameOver, 0, volumes.effectsVolume);
    }
  }
  if (v.invasionClock <= v.nextIntruderMark) {
    v.nextIntruderMark = v.invasionClock - static_cast<float>(GameRand() % 30);
    if (objects.objectCount < kSpawnObjectLimit) {
      const float dx = static_cast<float>(GameRand() % 1024 - 512);
      const int colour = GameRand() % 9 + 1;
      AppendObject(objects.x[i] + dx, objects.y[i], -colour, OBJECT_INTRUDER, 0.0f);
      PlaySound(sfx.invasion, 0, volumes.effectsVolume);
    }
  }
  return 1;
}

}  // namespace

int Invasion(int i, int command) {
  InvasionState& v = invasion;
  if (command == 1000) {
    // A new stage: no invasion, and the lowest band's grace starts afresh.
    v.invasionClock = 0.0f;
    v.invasionRunning = false;
    danger.lowestBandFrames = 0;
    danger.warningClock = 0.0f;
    return 1;
  }
  if (command >= 0) return i >= 0 && i < objects.objectCount ? UpdateIntruder(i) : 1;
  if (v.invasionClock > 10.0f) return 1;  // one runs already
  v.invasionClock = static_cast<float>(-command);
  v.nextIntruderMark = v.invasionClock - static_cast<float>(GameRand() % 30);
  v.invasionRunning = true;
  if (objects.objectCount < kSpawnObjectLimit)
    AppendObject(512.0f, 1024.0f - geometry.cellHeightF, -1, OBJECT_INTRUDER, 0.0f);
  v.invasionFlash = 55.0f;
  PlaySound(sfx.explosion, 0, volumes.effectsVolume);
  return 1;
}

void Pusher() {
  PusherState& p = pusher;
  const float fs = frameClock.frameStep;
  const bool playing = flow.gameState == Play;
  if (flow.previousState != Play) {
    p.pusherOffset = 0.0f;
    p.pushClock = 0.0f;
  }
  p.pushClock += kPushStep * fs;
  p.pushWarning = p.pushClock > stageFiles.pushInterval - 1000.0f && playing;
  // A push waits for the shot in flight, the landing slide and the lost shot.
  if (!shooter.shotActive && playing && !ShooterBusy() && p.pushClock > stageFiles.pushInterval) {
    p.pushClock = 0.0f;
    p.pusherOffset += kPushStep;
    ShiftField(0.0f, kPushStep);
    PlaySound(sfx.pushDown, 0, volumes.effectsVolume);
  }
  // The 512 x 512 image covers the field's width and ends at the pusher offset.
  const float ssx = sprites.screenScaleX, ssy = sprites.screenScaleY;
  DrawTexture(stageStart.pusher, nullptr, ssx * 1024.0f / 512.0f, ssy * 1024.0f / 512.0f, 0.0f,
              0.0f, 0.0f, 0.0f, (p.pusherOffset - 1024.0f) * ssy, 0xFFFFFFFFu);
  p.pusherBottom = p.pusherOffset;
  // Shots stop at the pusher's bottom edge, and nothing is placed above it.
  geometry.ceilingLine = p.pusherBottom;
  if (p.pushWarning && !p.previousPushWarning) {
    PlaySound(sfx.groundShake, 0, volumes.effectsVolume);
  }
  p.previousPushWarning = p.pushWarning;
}

void ShiftField(float dx, float dy) {
  FieldGeometry& g = geometry;
  g.ceilingOffset += dy;
  for (int i = 0; i < blocks.blockCount; ++i) {
    blocks.x[i] += dx;
    blocks.y[i] += dy;
  }
  for (int i = 0; i < cells.cellCount; ++i) {
    cells.x[i] += dx;
    cells.y[i] += dy;
    // A plain colour ball pushed onto the bottom line; a flagged one (a bomb carrier, one
    // breaking) is left to the danger warning.
    if (cells.y[i] >= g.bottomLine && (cells.flags[i] & ~CELL_PLACED) == 0 &&
        IsColourKind(cells.kind[i]))
      StartInvasion();
  }
  // Popping and growing balls, auras, beams and beam flashes move with the field; intruders,
  // blasts, bombs, falling balls and hit flashes keep their place.
  constexpr int kStayPut =
      OBJECT_INTRUDER | OBJECT_BOMB_BLAST | OBJECT_BOMB | OBJECT_FALLING | OBJECT_HIT_FLASH;
  const float danger = DangerLine();
  int i = 0;
  while (i < objects.objectCount) {
    if (objects.flags[i] & kStayPut) {
      ++i;
      continue;
    }
    objects.x[i] += dx;
    objects.y[i] += dy;
    if (objects.y[i] > danger) {
      RemoveObject(i);  // pushed below the danger line: it disappears
      continue;
    }
    if (objects.y[i] + 1.5f * g.cellHeightF > g.bottomLine) fieldCounts.fieldOverflow = true;
    ++i;
  }
}

int ColourBall(int who) {
  const int i = ~who;
  if (i < 0 || i >= cells.cellCount) return 1;
  float& timer = cells.timer[i];
  if (flow.firstPlayFrame) {
    timer = static_cast<float>(GameRand() % 100);  // a random pulse phase
    return 1;
  }
  const float y = cells.y[i];
  if (y < DangerLine()) return 1;
  timer += frameClock.frameStep;
  if (timer > 100.0f) timer = 0.0f;
  const float s = std::fabs(timer - 50.0f) / 200.0f + 1.0f;
  DrawCentred(cells.x[i], y, kWarningImage, 100.0f, s, s);
  danger.lowestDanger = std::max(danger.lowestDanger, y);
  danger.dangerThisFrame = true;
  return 1;
}

void DangerWarning() {
  DangerState& d = danger;
  if (!d.dangerThisFrame) return;
  const float y = d.lowestDanger, bottom = geometry.bottomLine;
  // Three bands, each nearer the bottom with a faster warning; a ball exactly on the danger
  // line is in none.
  float period;
  int volume = volumes.effectsVolume;
  if (y > bottom - 84.0f) {
    period = 50.0f;
    if (d.lowestBandFrames >= kLowestBandLimit) volume = std::max(volume - 1000, -10000);
  } else if (y > bottom - 100.8f) {
    period = 70.0f;
  } else if (y > DangerLine()) {
    period = 120.0f;
  } else {
    return;
  }
  d.warningClock += frameClock.frameStep;
  if (d.warningClock >= period) {
    d.warningClock = 0.0f;
    PlaySound(sfx.invasionWarning, 0, volume);
  }
  if (period > 50.0f) {
    d.lowestBandFrames = 0;
  } else if (++d.lowestBandFrames == kLowestBandLimit) {
    StartInvasion();
  }
}

void DangerStrip() {
  DangerState& d = danger;
  if (!fieldCounts.fieldOverflow && player.energy >= 30) return;
  d.stripClock += frameClock.frameStep;
  if (d.stripClock > 100.0f) d.stripClock = 0.0f;
  const int a = WholeUnits(std::fabs(d.stripClock - 50.0f));
  const SpriteRect rect = {460, 60, 510, 110};
  const float bottom = geometry.bottomLine;
  const std::uint32_t colour = (static_cast<std::uint32_t>(2 * a) << 24) | 0xFFFFFFu;
  DrawTexture(sprites.sheets[kCharacterSheet], &rect, 10.24f, (1024.0f - bottom) / 50.0f, 0.0f,
              0.0f, 0.0f, 0.0f, bottom * sprites.screenScaleY, colour);
}

}  // namespace vx
