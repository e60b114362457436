#include "objects/object_update.h"

#include <algorithm>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/game_state.h"
#include "draw/sprite.h"
#include "field/bonuses.h"
#include "field/field_tables.h"
#include "field/next_ball_queue.h"
#include "objects/ball_powers.h"
#include "objects/pops.h"
#include "objects/pusher.h"
#include "persist/stage_files.h"

namespace vx {

ObjectUpdateState objectUpdate;

namespace {

// The push interval stretches by factor[k] once more than threshold[k] colour cells have been
// cleared, k = stage number mod 15; a threshold of -1 never stretches.
constexpr int kStretchThreshold[15] = {-1, -1, -1, -1, -1, -1, -1, 40, -1, -1, -1, -1, -1, -1, -1};
constexpr float kStretchFactor[15] = {1, 1, 1, 1, 1, 1, 1, 5, 1, 1, 1, 1, 1, 1, 1};

// The cell frame of `code` on the character sheet.
SpriteRect CharacterFrame(int code) {
  int left = (code % 7) * 50 + 130, top = (code / 7) * 50 + 260;
  return {left, top, left + 50, top + 50};
}

int CellBehaviour(int i) {
  const int kind = cells.kind[i];
  if (kind >= KIND_DEFLECTOR_BALL && kind <= KIND_LASER_BALL) return SpecialBall(~i);
  if (kind >= 18) return PlainSpecial(~i);
  if (IsColourKind(kind)) {
    // Most colour balls are well above the danger line, where they have nothing to do.
    if (!flow.firstPlayFrame && cells.y[i] < DangerLine()) return 1;
    return ColourBall(~i);
  }
  return 1;  // 0 and 10..17: drawn by the field drawing only
}

// Runs the behaviour of the first bit set, in the fixed order of the bits.
int ObjectBehaviour(int i, int* popped, bool* bomb) {
  const int f = objects.flags[i];
  if (f & OBJECT_POPPING) {
    ++*popped;
    return PoppingBall(i);
  }
  if (f & OBJECT_FALLING) return FallingBall(i);
  if (f & (OBJECT_GROWING_BALL | OBJECT_GROWING_SEED)) return GrowingBall(i);
  if (f & (OBJECT_DEFLECTOR | OBJECT_ABSORBER)) return SpecialBall(i);
  if (f & OBJECT_HIT_FLASH) return HitFlash(i);
  if (f & (OBJECT_COLOUR_CHANGER | OBJECT_LASER_BEAM)) return SpecialBall(i);
  if (f & OBJECT_BEAM_FLASH) return BeamFlash(i);
  if (f & OBJECT_BOMB) {
    *bomb = true;
    return Bomb(i);
  }
  if (f & OBJECT_BOMB_BLAST) return BombBlast(i);
  if (f & OBJECT_INTRUDER) return Invasion(i, 0);
  return 1;  // no behaviour bit: left as it is
}

// The object pass packs the table as it goes: objects that stay are moved down over the
// ended ones, so thousands of objects ending in one frame cost one sweep rather than a shift
// of the table each. It keeps the order and every rule of removing one at a time: the object
// that would move into a freed slot is not updated this frame.
struct PackingPass {
  bool active = false;   // a behaviour called now may only mark its object removed
  bool removed = false;  // ... and did
};
PackingPass packing;

// Whether the behaviour the flags select only touches its own object: it neither appends
// objects nor counts them. The bits in the order of the dispatch.
bool KeepsToItself(int flags) {
  if (flags & (OBJECT_POPPING | OBJECT_FALLING)) return true;
  if (flags & (OBJECT_GROWING_BALL | OBJECT_GROWING_SEED)) return false;
  if (flags & (OBJECT_DEFLECTOR | OBJECT_ABSORBER | OBJECT_HIT_FLASH | OBJECT_COLOUR_CHANGER))
    return true;
  if (flags & OBJECT_LASER_BEAM) return false;
  if (flags & OBJECT_BEAM_FLASH) return true;
  return !(flags & (OBJECT_BOMB | OBJECT_BOMB_BLAST | OBJECT_INTRUDER));
}

void MoveObject(int from, int to) {
  if (from == to) return;
  objects.x[to] = objects.x[from];
  objects.y[to] = objects.y[from];
  objects.code[to] = objects.code[from];
  objects.flags[to] = objects.flags[from];
  objects.timer[to] = objects.timer[from];
}

// Moves the objects from `from` to the end down to `to`, closing the gap between.
void CloseGap(int to, int from) {
  const int n = objects.objectCount;
  if (from == to) return;
  std::copy(objects.x + from, objects.x + n, objects.x + to);
  std::copy(objects.y + from, objects.y + n, objects.y + to);
  std::copy(objects.code + from, objects.code + n, objects.code + to);
  std::copy(objects.flags + from, objects.flags + n, objects.flags + to);
  std::copy(objects.timer + from, objects.timer + n, objects.timer + to);
  objects.objectCount = n - (from - to);
}

// Objects [0, kept) are done; [next, objectCount) wait; what lies between is free.
void PackedObjectPass(int* popped, bool* bomb) {
  int kept = 0, next = 0;
  bool skip = false;
  while (next < objects.objectCount) {
    if (skip) {
      MoveObject(next++, kept++);
      skip = false;
      continue;
    }
    if (KeepsToItself(objects.flags[next])) {
      MoveObject(next++, kept);
      packing = PackingPass{true, false};
      ObjectBehaviour(kept, popped, bomb);
      const bool removed = packing.removed;
      packing = PackingPass{};
      if (removed) {
        objectUpdate.removedThisFrame = true;
        skip = true;  // its slot is free again
      } else {
        ++kept;
      }
      continue;
    }
    // Appending or counting: the table must be whole while it runs.
    CloseGap(kept, next);
    next = kept;
    if (ObjectBehaviour(kept, popped, bomb) < 0) {
      objectUpdate.removedThisFrame = true;
      skip = true;  // the next object has moved into the freed slot
      next = kept;
    } else {
      next = ++kept;
    }
  }
  objects.objectCount = kept;
}

void PlainObjectPass(int* popped, bool* bomb) {
  for (int i = 0; i < objects.objectCount; ++i)
    if (ObjectBehaviour(i, popped, bomb) < 0) objectUpdate.removedThisFrame = true;
}

int RunUpdate(void (*objectPass)(int*, bool*)) {
  if (flow.firstPlayFrame) ChooseBombCarriers();
  if (bonuses.guideGiftActive) AimGuideGift(0);
  if (bonuses.laserBonus != 0) LaserBonus(0);
  PushIntervalCheck();

  // A behaviour that removes its entry shifts the later ones down: the one moving into the
  // freed slot waits for the next frame.
  for (int i = 0; i < cells.cellCount; ++i) {
    if (CellBehaviour(i) < 0) objectUpdate.removedThisFrame = true;
    if (i < cells.cellCount && (cells.flags[i] & CELL_BOMB)) BombCarrierPulse(~i);
  }
  int popped = 0;
  bool bomb = false;
  objectPass(&popped, &bomb);

  // The bomb's fall sound loops while a bomb falls (again after a pause) and stops on the
  // first frame without one.
  if (bomb && !IsSoundPlaying(sfx.bombFall))
    PlaySound(sfx.bombFall, platform::kPlayLooping, volumes.effectsVolume);
  if (!bomb && objectUpdate.bombLastFrame) StopSound(sfx.bombFall);
  objectUpdate.bombLastFrame = bomb;

  // The overflow flag is cleared at the top of every frame and raised again here while
  // anything stays near the bottom, so the danger strip lasts as long as the overflow.
  RaiseFieldOverflow();
  return popped;
}

}  // namespace

int UpdateObjects() {
  return RunUpdate(PackedObjectPass);
}

int UpdateObjectsReference() {
  return RunUpdate(PlainObjectPass);
}

void LeavePlay() {
  StopSound(sfx.bombFall);
  objectUpdate.bombLastFrame = false;
}

void RemoveOwnObject(int i) {
  if (packing.active) {
    packing.removed = true;
  } else {
    RemoveObject(i);
  }
}

void PushIntervalCheck() {
  const int k = (flow.stageNumber % 15 + 15) % 15;
  if (flow.firstPlayFrame) objectUpdate.pushIntervalDone = false;
  if (kStretchThreshold[k] > 0 && !objectUpdate.pushIntervalDone &&
      fieldCounts.clearedColourCells > kStretchThreshold[k]) {
    objectUpdate.pushIntervalDone = true;
    stageFiles.pushInterval *= kStretchFactor[k];
  }
}

void DrawCellImage(float x, float y, int code, int left, int top, int right, int bottom,
                   float opacity, int sheet, float scaleX, float scaleY, int anchor,
                   float rotation) {
  if (sheet < 0 || sheet > 2) return;
  Texture* texture = sprites.sheets[kCharacterSheet];
  SpriteRect rect = {left, top, right, bottom};
  if (right == 0) {
    if (code < 0 || code == 13) return;
    if (IsColourKind(code)) {
      const int f = code - 1;
      if (cellImages.stageBalls) {
        texture = cellImages.stageBalls;
        rect = {(f % 5) * 50, (f / 5) * 50, (f % 5) * 50 + 50, (f / 5) * 50 + 50};
      } else {
        // The character sheet keeps stand-ins of the nine colours among its cell frames.
        rect = CharacterFrame(code);
      }
    } else if (code == 0 || (code >= 10 && code <= 99)) {
      rect = CharacterFrame(code);
    } else if (code >= 200 && code <= 299) {
      const int k = code - 200;
      texture = sprites.sheets[2 + std::min(sheet, 1)];
      rect = {(k % 10) * 50, (k / 10) * 50, (k % 10) * 50 + 50, (k / 10) * 50 + 50};
    } else {
      return;
    }
  }
  const float sx = sprites.screenScaleX * geometry.cellScaleX;
  const float sy = sprites.screenScaleY * geometry.cellScaleY;
  const float w = static_cast<float>(rect.right - rect.left) * sx;
  const float h = static_cast<float>(rect.bottom - rect.top) * sy;
  float ox = 0.0f, oy = 0.0f;
  if (anchor == 1) {
    ox = (w - w * scaleX) / 2;
    oy = (h - h * scaleY) / 2;
  } else if (anchor == 2) {
    ox = (w - w * scaleX) / 2;
    oy = h - h * scaleY;
  }
  // The turn is about the middle of a 50-unit frame, both coordinates from the width's scale.
  const float centre = 25.0f * sx * scaleX;
  DrawTexture(texture, rect, sx * scaleX, sy * scaleY, centre, centre, rotation * kRadiansPerDegree,
              x * sprites.screenScaleX + ox, y * sprites.screenScaleY + oy, OpacityColour(opacity));
}

void DrawCentred(float x, float y, int code, float opacity, float scaleX, float scaleY) {
  DrawCellImage(x, y, code, 0, 0, 0, 0, opacity, 0, scaleX, scaleY, 1, 0.0f);
}

}  // namespace vx
