#include "field/shooter.h"

#include <algorithm>
#include <cmath>

#include "audio/sound.h"
#include "audio/volume.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "draw/sprite.h"
#include "field/aim_path.h"
#include "field/bonuses.h"
#include "field/field_index.h"
#include "field/field_tables.h"
#include "field/links.h"
#include "field/next_ball_queue.h"

namespace vx {

ShooterState shooter;

namespace {

constexpr float kScreenScale = 0.5f;
constexpr float kMaxAim = 87.0f;
constexpr float kDegreesToRadians = 0.0174533f;

// The current world's variant: variants 1..5 belong to the worlds, 0 is the neutral one.
int WorldSound(const int* byWorld) {
  int w = CurrentWorld() + 1;
  return byWorld[std::clamp(w, 0, kWorldSoundCount - 1)];
}

void ReadAim() {
  ShooterState& s = shooter;
  // Mouse: half the motion, then a fifth of that, or a twentieth with the right button held.
  float d = static_cast<float>(mouse.pointerX - s.prevMouseX) / 2.0f;
  d = mouse.right ? d / 10.0f : d / 2.0f;
  s.aimAngle = std::clamp(s.aimAngle + d, -kMaxAim, kMaxAim);
  if (mouse.pointerX >= 512) mouse.pointerX -= 512;
  if (mouse.pointerX < 0) mouse.pointerX += 512;
  s.prevMouseX = mouse.pointerX;

  // Keys: no clamp here, the next frame's clamp applies.
  const float step = KeyHeld(KEY_LSHIFT) ? 0.1f : 1.0f;
  if (KeyHeld(KEY_LEFT) && s.aimAngle > -kMaxAim) s.aimAngle -= step * frameClock.frameStep;
  if (KeyHeld(KEY_RIGHT) && s.aimAngle < kMaxAim) s.aimAngle += step * frameClock.frameStep;

  // The wheel clicks every three whole degrees; while the click still sounds it waits.
  int tick = static_cast<int>(s.aimAngle) / 3;
  if (tick != s.lastClickTick && !IsSoundPlaying(sfx.wheelClick)) {
    PlaySound(sfx.wheelClick, 0, volumes.effectsVolume);
    s.lastClickTick = tick;
  }
}

// Whether a ball with its left edge at x would stick out of the field on either side.
bool OutsideField(float x) {
  return x > 1024.0f - geometry.cellWidthF || x < 0.0f;
}

// Walks the path back from its end to the last point whose grid place is free.
void FindLandingPlace() {
  ShooterState& s = shooter;
  const AimPath& p = aimPath;
  const float w = geometry.cellWidthF;
  auto snap = [&](float px, float py) {
    int cx = static_cast<int>(px + w / 2);
    int cy = static_cast<int>(py + w / 2);  // the cell width on both axes, as always
    cx = std::max(0, std::min(cx, static_cast<int>(1024.0f - w)));
    GridPlace g = SnapToGrid(cx, cy);
    s.landX = static_cast<float>(g.x);
    s.landY = static_cast<float>(g.y);
  };
  if (p.pathCount == 0) {
    GridPlace g =
        SnapToGrid(static_cast<int>(p.pathEndX + w / 2), static_cast<int>(p.pathEndY + w / 2));
    s.landX = static_cast<float>(g.x);
    s.landY = static_cast<float>(g.y);
    return;
  }
  for (int k = p.pathCount - 1; k >= 0; --k) {
    snap(p.x[k], p.y[k]);
    // The field index was built by this frame's aim path.
    bool taken = OutsideField(s.landX) || IndexedCellStandsAt(s.landX, s.landY) ||
                 IndexedBlockAtBox(s.landX, s.landY, 30.0f) >= 0;
    if (taken) continue;
    if (k - 1 >= 0) s.pathStop = k - 1;
    return;
  }
}

void DrawAimGuide() {
  ShooterState& s = shooter;
  const AimPath& p = aimPath;
  if (flow.aimGuide || s.pathResult == 0) {
    s.guideTimer -= frameClock.frameStep;
    if (s.guideTimer <= 0.0f) s.guideTimer = 30.0f;
    int phase = static_cast<int>(s.guideTimer);
    for (int k = 0; k < p.pathCount; ++k) {
      if (phase == 0) {
        DrawSprite((p.x[k] + geometry.cellWidthF / 2 - 4) * kScreenScale,
                   (p.y[k] + geometry.cellHeightF / 2 - 4) * kScreenScale, 141, 14, 149, 22, 100, 0,
                   0.5f, 0.5f, 0, 0);
      }
      phase = phase + 1 >= 30 ? phase + 1 - 30 : phase + 1;  // mod 30, without a division
    }
  }
  // The shot will find no place: mark where it leaves.
  if (s.pathResult == 0) {
    DrawSprite(p.pathEndX * kScreenScale, p.pathEndY * kScreenScale, 230, 360, 280, 410, 100, 0,
               kScreenScale * geometry.cellScaleX, kScreenScale * geometry.cellScaleY, 0, 0);
  }
}

void Aim() {
  ShooterState& s = shooter;
  const FieldGeometry& g = geometry;
  // The flight leaves along the launcher: the aim point lies on the far side of the wheel
  // centre from the resting ball.
  float a = s.aimAngle * -kDegreesToRadians;
  float t = 30.0f - g.cellHeightF;
  float ox = t * std::sin(a), oy = t * std::cos(a);
  s.aimTargetX = g.launcherWidth / 2 + g.launcherLeft + ox - g.cellWidthF / 2;
  s.aimTargetY = g.launcherHeight - g.launcherWidth / 2 + g.launcherTop + oy - g.cellHeightF / 2;
  s.ballX = g.shotStartX;
  s.ballY = g.shotStartY;
  aimPath.pathStartX = g.shotStartX;
  aimPath.pathStartY = g.shotStartY;
  s.pathResult = ComputeAimPath();
  s.pathStop = aimPath.pathCount;
  FindLandingPlace();
  DrawAimGuide();
}

// The cell the flying ball touches at the end of its path, as the table stands now: cells may
// have been removed or added during the flight, so the index taken while aiming may name
// another cell by now. -1 when the path did not end on a cell or nothing is there any more.
int TouchedCell() {
  const AimPath& p = aimPath;
  if (!p.endedOnCell || p.pathCount <= 0) return -1;
  return CellAtBox(p.x[p.pathCount - 1], p.y[p.pathCount - 1], 50.0f);
}

void Land() {
  ShooterState& s = shooter;
  const FieldGeometry& g = geometry;
  // Before the new cell joins the table, which it would otherwise answer for itself.
  const int touched = TouchedCell();
  bool absorbed = false;
  if ((aimPath.pathFlags & PATH_ABSORBED) && FindFreeSpot()) {
    SpawnHitFlash(s.landX, s.landY);
    absorbed = true;
  }
  s.ballX = s.landX;
  s.ballY = s.landY;
  int cell =
      OutsideField(s.landX) ? -1 : AppendCell(s.landX, s.landY, s.shotColour, CELL_PLACED, 0.0f);
  if (cell >= 0) {
    if (s.landY >= g.bottomLine - g.cellHeightF / 4) {
      // Settled in the bottom zone: it pops at once and the invasion begins.
      cells.flags[cell] = CELL_PLACED | CELL_BREAKING;
      DetachCells(CELL_BREAKING);
      s.invasionDue = true;
    } else {
      s.hitCellOfShot = touched;
      s.newCell = cell;
      if (!ResolveShot(true) && !absorbed) {
        StartLandingSlide(aimPath.pathEndX, aimPath.pathEndY, s.landX, s.landY, s.shotColour,
                          s.newCell);
      }
      PlaySound(WorldSound(sfx.landedWorld), 0, volumes.effectsVolume);
    }
  }
  s.shotActive = false;
  s.shotColour = NextShotColour();
  queue.queueState = QUEUE_SHIFT;
}

void Fly() {
  ShooterState& s = shooter;
  const AimPath& p = aimPath;
  int i = static_cast<int>(s.shotProgress);
  if (i >= 0 && i < p.pathCount) {
    s.ballX = p.x[i];
    s.ballY = p.y[i];
  }
  float v = 10.0f * frameClock.frameStep;
  if (v == 0.0f) v = 1.0f;
  s.shotProgress += v;
  int j = static_cast<int>(s.shotProgress);
  if (j >= s.pathStop) j = p.pathCount;
  bool bounced = false, recoloured = false;
  for (int k = std::max(i, 0); k < j && k < p.pathCount; ++k) {
    if ((p.flags[k] & PATH_BOUNCE) && !bounced) {
      PlaySound(sfx.bounce, 0, volumes.effectsVolume);
      bounced = true;
    }
    if ((p.flags[k] & PATH_RECOLOUR) && !recoloured) {
      s.shotColour = GameRand() % 9 + 1;
      recoloured = true;
    }
  }
  if (static_cast<int>(s.shotProgress) < s.pathStop) return;
  if (s.pathResult == 1) {
    Land();
    return;
  }
  StartLostShot(s.ballX, s.ballY, s.shotColour, p.pathEndDX, p.pathEndDY);
  s.shotActive = false;
  s.shotProgress = 0.0f;
}

}  // namespace

void UpdateShooter() {
  ShooterState& s = shooter;
  bool sliding = UpdateLandingSlide();
  bool lost = UpdateLostShot();
  ReadAim();
  if (sliding || lost) return;
  if (!s.shotActive) Aim();
  bool fire = KeyPressed(KEY_Z, true) || flow.clickThisFrame;
  if (fire && !s.shotActive) {
    s.shotActive = true;
    s.shotProgress = 0.0f;
    int sound = bonuses.laserBonus >= 1 ? sfx.laser1 : WorldSound(sfx.fireWorld);
    PlaySound(sound, 0, volumes.effectsVolume);
    queue.queueState = QUEUE_SLIDE;
  }
  if (s.shotActive) Fly();
}

void StartLandingSlide(float fromX, float fromY, float toX, float toY, int colour, int cell) {
  ShooterState& s = shooter;
  if (cell >= 0 && cell < cells.cellCount) cells.flags[cell] = 0;  // hidden while it slides
  s.slideX = fromX;
  s.slideY = fromY;
  s.slideStepX = (toX - fromX) * 0.25f;
  s.slideStepY = (toY - fromY) * 0.25f;
  s.slideSteps = 4.0f;
  s.slideAccumulator = 100.0f;  // the first step is taken at once
  s.slideColour = colour;
  s.slideCell = cell;
}

bool UpdateLandingSlide() {
  ShooterState& s = shooter;
  if (s.slideSteps <= 0.0f) return false;
  DrawCell(s.slideX, s.slideY, s.slideColour, 100.0f, 0, 1.0f, 1.0f);
  s.slideAccumulator += 0.08f * frameClock.frameStep;
  if (s.slideAccumulator >= 1.0f) {
    s.slideAccumulator = 0.0f;
    s.slideX += s.slideStepX;
    s.slideY += s.slideStepY;
    s.slideSteps -= 1.0f;
  }
  if (s.slideSteps <= 0.0f) {
    // The slide is over: the landed cell (and any other hidden one) appears.
    for (int i = 0; i < cells.cellCount; ++i)
      if (!(cells.flags[i] & CELL_PLACED)) cells.flags[i] = CELL_PLACED;
  }
  return true;
}

void StartLostShot(float x, float y, int colour, float dx, float dy) {
  ShooterState& s = shooter;
  s.lostX = x;
  s.lostY = y;
  s.lostVX = dx * 10.0f;
  s.lostVY = dy * 10.0f;
  s.lostColour = colour;
  s.lostActive = true;
}

bool UpdateLostShot() {
  ShooterState& s = shooter;
  if (!s.lostActive) return false;
  const float fs = frameClock.frameStep;
  s.lostVY += 0.05f * fs;
  s.lostX += s.lostVX * fs;
  s.lostY += s.lostVY * fs;
  DrawCell(s.lostX, s.lostY, s.lostColour, 100.0f, 0, 1.0f, 1.0f);
  if (s.lostX >= 1024.0f || s.lostX < -geometry.cellWidthF || s.lostY > 1024.0f ||
      s.lostY < -geometry.cellHeightF) {
    s.lostActive = false;
  }
  return true;
}

bool ShooterBusy() {
  return shooter.slideSteps > 0.0f || shooter.lostActive;
}

void SpawnHitFlash(float x, float y) {
  if (objects.objectCount >= kSpawnObjectLimit) return;
  AppendObject(x, y, 12, OBJECT_HIT_FLASH, 0.0f);
}

bool FindFreeSpot() {
  const FieldGeometry& g = geometry;
  BuildSpotIndex();  // the tables stay as they are for the whole search
  for (int attempt = 0; attempt < 5000; ++attempt) {
    int rx = GameRand() % 1024;
    int ry = GameRand() % 1024;
    GridPlace p = SnapToGrid(rx, ry);
    float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    // The place rules first: they are cheap, and a place must pass both tests anyway.
    if (!(p.x <= 1024 - g.cellWidth && y <= g.bottomLine - 168.0f && y >= g.ceilingLine)) continue;
    if (SpotObjectAtBox(x, y, 70.0f) >= 0 || SpotCellAtBox(x, y, 70.0f) >= 0 ||
        SpotBlockAtBox(x, y, 70.0f) >= 0)
      continue;
    shooter.landX = x;
    shooter.landY = y;
    return true;
  }
  return false;
}

}  // namespace vx
