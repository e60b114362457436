#include "main/bot_play.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <utility>

#include "app/dispatcher.h"
#include "app/main_loop.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "field/aim_path.h"
#include "field/bonuses.h"
#include "field/field_index.h"
#include "field/field_tables.h"
#include "field/links.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "objects/object_update.h"
#include "objects/pusher.h"
#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_devices.h"
#include "platform/platform.h"

namespace vx::bot {

namespace {

using platform::HeadlessKeyboard;
using platform::HeadlessMouse;

// The launcher's geometry as the field drawing and the shooter use it.
constexpr float kMaxAim = 87.0f;
constexpr float kBallOffset = 30.0f;  // the loaded ball hangs this far from the pivot
constexpr float kDrawRadiansPerDegree = 0.017453292f;  // the field drawing's turn of the ball
constexpr float kAimRadiansPerDegree = 0.0174533f;     // the shooter's turn of its aim point
constexpr float kMousePixelsPerDegree = 4.0f;          // the shooter turns half of half the motion
constexpr float kBombHighOffset = 1.6f * 168.0f;
constexpr int kMaxFlightFrames = 400;

// Scores, in colour balls cleared.
constexpr double kWasted = -0.8;       // a shot that settles nowhere or is used up in vain
constexpr double kUnknown = -0.3;      // an absorbed or recoloured shot: where it ends is luck
constexpr double kInvasion = -1000.0;  // settles in the bottom zone
constexpr double kFallWeight = 1.5;    // a ball that falls is worth more than one that breaks
constexpr double kOtherPieceWeight = 0.3;
constexpr double kGrowingBallCost = 0.4;  // a spring's new ball is one more to clear
constexpr double kBombCarrierCost = 0.3;  // a broken carrier drops a bomb to deal with

// ---- Run-wide values ----

struct Bot {
  BotOptions options;
  std::mt19937 rng;
  HeadlessKeyboard* keyboard = nullptr;
  HeadlessMouse* mouse = nullptr;
};
Bot bot;

double Uniform() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(bot.rng);
}
double Gaussian() {
  return std::normal_distribution<double>(0.0, 1.0)(bot.rng);
}

// The game's generator started as the C library's srand(seed) starts it (a seed of 0 counts
// as 1), so each run follows its own sequence; seed 1 is the game's own start.
RandomTable SeededTable(unsigned seed) {
  RandomTable t;
  std::int32_t word = seed == 0 ? 1 : static_cast<std::int32_t>(seed);
  t.words[0] = static_cast<std::uint32_t>(word);
  for (int i = 1; i < RandomTable::kDegree; ++i) {
    const std::int32_t hi = word / 127773, lo = word % 127773;
    word = 16807 * lo - 2836 * hi;
    if (word < 0) word += 2147483647;
    t.words[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(word);
  }
  for (int k = 0; k < 10 * RandomTable::kDegree; ++k) t.Next();
  return t;
}

// While a candidate is scored nothing random may be drawn from the game's generator: the
// springs' new colours come from this fixed stand-in instead.
int FixedRandom() {
  return 0;
}

// ---- Where a shot at an angle ends ----

struct Landing {
  float angle = 0.0f;
  int pathResult = 0;
  int pathFlags = 0;
  bool inField = false;  // the landing place lies inside the field
  float x = 0.0f, y = 0.0f;
  int touched = -1;  // the cell the flight ends against, as the shooter names it at landing
  int pathStop = 0;
};

// The ball's rest position on the launcher at `angle`, as the field drawing sets it.
void RestPosition(float angle, float* x, float* y) {
  const FieldGeometry& g = geometry;
  const float theta = -angle * kDrawRadiansPerDegree;
  *x = g.launcherWidth / 2 + g.launcherLeft + kBallOffset * std::sin(theta) - g.cellWidthF / 2;
  *y = g.launcherHeight - g.launcherWidth / 2 + g.launcherTop + kBallOffset * std::cos(theta) -
       g.cellHeightF / 2;
}

// The shooter's aim point for `angle`: across the wheel's centre from the resting ball.
void AimPoint(float angle, float* x, float* y) {
  const FieldGeometry& g = geometry;
  const float a = angle * -kAimRadiansPerDegree;
  const float t = 30.0f - g.cellHeightF;
  const float ox = t * std::sin(a), oy = t * std::cos(a);
  *x = g.launcherWidth / 2 + g.launcherLeft + ox - g.cellWidthF / 2;
  *y = g.launcherHeight - g.launcherWidth / 2 + g.launcherTop + oy - g.cellHeightF / 2;
}

bool OutsideField(float x) {
  return x > 1024.0f - geometry.cellWidthF || x < 0.0f;
}

// The shooter's landing rule: back from the path's end to the last point whose grid place is
// free. The shooter keeps it to itself, so it is restated here; every shot the bot fires
// checks it against the place the shooter chose.
void FindLandingPlace(Landing* l) {
  const AimPath& p = aimPath;
  const float w = geometry.cellWidthF;
  l->pathStop = p.pathCount;
  auto place = [&](float px, float py, bool clampX) {
    int cx = static_cast<int>(px + w / 2);
    int cy = static_cast<int>(py + w / 2);
    if (clampX) cx = std::max(0, std::min(cx, static_cast<int>(1024.0f - w)));
    GridPlace g = SnapToGrid(cx, cy);
    l->x = static_cast<float>(g.x);
    l->y = static_cast<float>(g.y);
  };
  if (p.pathCount == 0) {
    place(p.pathEndX, p.pathEndY, false);
    return;
  }
  for (int k = p.pathCount - 1; k >= 0; --k) {
    place(p.x[k], p.y[k], true);
    if (OutsideField(l->x) || IndexedCellStandsAt(l->x, l->y) ||
        IndexedBlockAtBox(l->x, l->y, 30.0f) >= 0)
      continue;
    if (k - 1 >= 0) l->pathStop = k - 1;
    return;
  }
}

Landing Trace(float angle) {
  Landing l;
  l.angle = angle;
  float sx, sy;
  RestPosition(angle, &sx, &sy);
  AimPoint(angle, &shooter.aimTargetX, &shooter.aimTargetY);
  aimPath.pathStartX = sx;
  aimPath.pathStartY = sy;
  l.pathResult = ComputeAimPath();
  l.pathFlags = aimPath.pathFlags;
  FindLandingPlace(&l);
  l.inField = !OutsideField(l.x);
  if (aimPath.endedOnCell && aimPath.pathCount > 0)
    l.touched =
        CellAtBox(aimPath.x[aimPath.pathCount - 1], aimPath.y[aimPath.pathCount - 1], 50.0f);
  return l;
}

// ---- What a flying shot meets on its way ----

// The objects that take a flying ball: falling bombs, growing balls and laser beams, with the
// bombs' fall foreseen frame by frame as their behaviour moves them.
struct Obstacle {
  int flags = 0;
  int code = 0;
  float x = 0.0f;
  float y[kMaxFlightFrames + 2] = {};     // after its update in each frame from the next one on
  float life = 0.0f;                      // a beam's units left
  int landsAfter = kMaxFlightFrames + 2;  // a bomb: the update in which it lands and blasts
};

struct Obstacles {
  std::vector<Obstacle> list;

  void Build() {
    list.clear();
    const float fs = bot.options.frameStep;
    for (int i = 0; i < objects.objectCount; ++i) {
      const int f = objects.flags[i];
      // The first behaviour bit decides, as in the object update.
      const bool popsOrFalls = f & (OBJECT_POPPING | OBJECT_FALLING);
      if (popsOrFalls) continue;
      const bool growing = f & (OBJECT_GROWING_BALL | OBJECT_GROWING_SEED);
      const bool aura =
          f & (OBJECT_DEFLECTOR | OBJECT_ABSORBER | OBJECT_HIT_FLASH | OBJECT_COLOUR_CHANGER);
      if (!growing && aura) continue;
      const bool beam = !growing && (f & OBJECT_LASER_BEAM);
      const bool bomb = !growing && !beam && !(f & OBJECT_BEAM_FLASH) && (f & OBJECT_BOMB);
      if (!growing && !beam && !bomb) continue;
      Obstacle o;
      o.flags = growing ? OBJECT_GROWING_BALL : beam ? OBJECT_LASER_BEAM : OBJECT_BOMB;
      o.code = objects.code[i];
      o.x = objects.x[i];
      o.life = objects.timer[i];
      float y = objects.y[i], timer = objects.timer[i];
      for (int k = 0; k < kMaxFlightFrames + 2; ++k) {
        if (bomb) {
          const float speed = timer > 1.2f ? 1.0f : timer;
          y += speed * fs;
          timer += 0.005f * fs;
        }
        o.y[k] = y;
        if (bomb && y >= 1024.0f - geometry.cellHeightF && o.landsAfter > k) o.landsAfter = k;
      }
      list.push_back(o);
    }
  }
};
Obstacles obstacles;

enum class Met { Nothing, Bomb, HighBomb, GrowingBall, Beam };

struct Meeting {
  Met what = Met::Nothing;
  int code = 0;
};

// Follows the ball as the shooter moves it, a frame at a time, from the frame it is fired
// (the one after the launcher turns), and asks each obstacle as its behaviour would.
Meeting FirstMeeting(const Landing& l) {
  Meeting m;
  if (obstacles.list.empty()) return m;
  const float fs = bot.options.frameStep;
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  const float v = 10.0f * fs;
  const float high = geometry.bottomLine - kBombHighOffset;
  float progress = 0.0f;
  for (int k = 0; k < kMaxFlightFrames; ++k) {
    const int i = static_cast<int>(progress);
    progress += v;
    if (static_cast<int>(progress) >= l.pathStop) return m;  // it lands before the objects move
    if (i < 0 || i >= aimPath.pathCount) return m;
    const float bx = aimPath.x[i], by = aimPath.y[i];
    for (const Obstacle& o : obstacles.list) {
      // The turning frame and k frames of flight have moved the objects k + 2 times.
      const float oy = o.y[k + 1];
      if (o.flags == OBJECT_LASER_BEAM) {
        if (o.life - (k + 2) * fs > 0.0f && o.x - 0.5f * w <= bx && bx < o.x + 0.5f * w)
          return {Met::Beam, 0};
        continue;
      }
      if (!(o.x - 0.5f * w <= bx && bx < o.x + 1.5f * w && oy - 0.5f * h <= by &&
            by < oy + 1.5f * h))
        continue;
      if (o.flags == OBJECT_GROWING_BALL) return {Met::GrowingBall, o.code};
      if (k + 1 > o.landsAfter) continue;  // it has blasted before the shot gets there
      return {oy < high ? Met::HighBomb : Met::Bomb, 0};
    }
  }
  return m;
}

// ---- What a landing breaks and brings down ----

struct Effect {
  bool broke = false;
  int brokenColour = 0;
  int fallenColour = 0;
  int otherPieces = 0;
  int bombCarriers = 0;
  int grownBalls = 0;  // new colour balls a spring grows
  int groupAfter = 1;  // the like-coloured group the ball joins when nothing breaks
  // A ball that stays hangs straight under a ball of another colour: it falls when that one
  // breaks, instead of waiting for two more of its own colour.
  bool hangsUnderOther = false;
  bool laserGift = false;
  bool guideGift = false;
};

// The field's state that the link resolution changes, kept while candidates are tried.
struct Sandbox {
  std::vector<int> flags;
  int cellCount = 0;
  int objectCount = 0;
  BonusState bonusState;
  bool aimGuide = false;
  ShooterState shooterState;
  std::unique_ptr<AimPath> path = std::make_unique<AimPath>();
  RandomSource random;
  platform::SoundDevice* sound = nullptr;
  float shotStartX = 0.0f, shotStartY = 0.0f;

  void Keep() {
    flags.assign(cells.flags, cells.flags + cells.cellCount);
    cellCount = cells.cellCount;
    objectCount = objects.objectCount;
    bonusState = bonuses;
    aimGuide = flow.aimGuide;
    shooterState = shooter;
    *path = aimPath;
    random = randomSource;
    sound = platform::backend.sound;
    shotStartX = geometry.shotStartX;
    shotStartY = geometry.shotStartY;
    // Silence and a fixed stand-in for chance while the field is tried.
    randomSource.next = FixedRandom;
    platform::backend.sound = nullptr;
  }
  void RestoreField() {
    std::copy(flags.begin(), flags.end(), cells.flags);
    cells.cellCount = cellCount;
    objects.objectCount = objectCount;
    bonuses = bonusState;
    flow.aimGuide = aimGuide;
  }
  void RestoreAll() {
    RestoreField();
    shooter = shooterState;
    aimPath = *path;
    randomSource = random;
    platform::backend.sound = sound;
    geometry.shotStartX = shotStartX;
    geometry.shotStartY = shotStartY;
  }
};
Sandbox sandbox;

// The size of the like-coloured group around cell s, s included.
int GroupSize(int s) {
  const int colour = cells.kind[s];
  std::vector<int> open{s};
  std::vector<char> seen(static_cast<std::size_t>(cells.cellCount), 0);
  seen[static_cast<std::size_t>(s)] = 1;
  int size = 0;
  while (!open.empty()) {
    const int c = open.back();
    open.pop_back();
    ++size;
    for (int n = 1; n <= 6; ++n) {
      const int j = NeighbourOf(n, c, 0);
      if (j < 0 || seen[static_cast<std::size_t>(j)] || cells.kind[j] != colour) continue;
      seen[static_cast<std::size_t>(j)] = 1;
      open.push_back(j);
    }
  }
  return size;
}

// Lands the loaded ball at the landing place and resolves it as the shooter would, then puts
// the field back.
Effect Resolve(const Landing& l) {
  Effect e;
  const int cell = AppendCell(l.x, l.y, shooter.shotColour, CELL_PLACED, 0.0f);
  if (cell < 0) return e;
  shooter.newCell = cell;
  shooter.hitCellOfShot = l.touched;
  const int hitKind = l.touched >= 0 ? cells.kind[l.touched] : -1;
  e.groupAfter = IsColourKind(shooter.shotColour) ? GroupSize(cell) : 1;
  const float w = geometry.cellWidthF, h = geometry.cellHeightF;
  for (int i = 0; i < cells.cellCount && !e.hangsUnderOther; ++i) {
    if (i == cell || !IsColourKind(cells.kind[i]) || cells.kind[i] == shooter.shotColour) continue;
    const float up = l.y - cells.y[i];
    e.hangsUnderOther = up > h / 2 && up <= h * 1.01f && std::fabs(cells.x[i] - l.x) < w;
  }
  e.broke = ResolveShot(false);
  if (e.broke) {
    for (int i = 0; i < cells.cellCount; ++i) {
      if (i == cell) continue;
      const int f = cells.flags[i];
      if (!(f & (CELL_BREAKING | CELL_UNSUPPORTED))) continue;
      if (IsColourKind(cells.kind[i])) {
        if (f & CELL_BREAKING) {
          ++e.brokenColour;
          if (f & CELL_BOMB) ++e.bombCarriers;
        } else {
          ++e.fallenColour;
        }
      } else {
        ++e.otherPieces;
      }
    }
    for (int i = sandbox.objectCount; i < objects.objectCount; ++i)
      if (objects.flags[i] & OBJECT_GROWING_BALL) ++e.grownBalls;
    e.laserGift = hitKind == KIND_LASER_GIFT;
    e.guideGift = hitKind == KIND_GUIDE_GIFT;
  }
  sandbox.RestoreField();
  return e;
}

double DepthPenalty(float y) {
  const float danger = geometry.bottomLine - kDangerOffset;
  const double half = danger * 0.5;
  const double over = std::max(0.0, (y - half) / half);
  return 3.0 * over * over;
}

double ScoreEffect(const Effect& e, float y) {
  if (e.broke) {
    double s = e.brokenColour + kFallWeight * e.fallenColour + kOtherPieceWeight * e.otherPieces -
               kGrowingBallCost * e.grownBalls - kBombCarrierCost * e.bombCarriers;
    if (e.laserGift) s += 3.0;
    if (e.guideGift) s += 0.5;
    return s;
  }
  const int c = std::max(2, geometry.colourCount);
  const double build = std::min(1.0, (e.groupAfter - 1) / static_cast<double>(c - 1));
  // A lone ball in the top row hangs from the ceiling itself: only two more of its colour
  // ever take it away.
  const bool topRow = y < geometry.ceilingOffset + geometry.cellHeightF / 2;
  const double stuck = topRow && e.groupAfter == 1 ? 0.25 : 0.0;
  return -0.5 + 0.8 * build + (e.hangsUnderOther ? 0.3 : 0.0) - stuck - DepthPenalty(y);
}

double ScoreMeeting(const Meeting& m) {
  switch (m.what) {
    case Met::Bomb:
      // A bomb that lands costs energy; the lower the energy, the more a saved bomb is worth.
      return 2.5 + 0.05 * (100 - player.energy);
    case Met::GrowingBall:
      if (IsColourKind(m.code) || m.code == KIND_GEM_SPRING || m.code == KIND_LIMITED_GEM_SPRING)
        return 0.6;
      return m.code == KIND_SEED ? 0.0 : -0.5;  // a planted gift or blast is better left
    case Met::HighBomb:
    case Met::Beam:
      return kWasted;
    case Met::Nothing:
      break;
  }
  return 0.0;
}

// One candidate: its angle and the outcome it shares with the angles landing alike.
struct Option {
  float angle;
  int outcome;  // index into the distinct outcomes
  bool traced;  // traced, not filled in from its neighbours
};

struct Choice {
  float angle = 0.0f;
  bool valid = false;
  Landing landing;
  Met met = Met::Nothing;
};

// Tries every angle and picks one of the best outcome's angles: the middle of the widest run
// of neighbouring angles that share it, so a small change of the field does not tip the shot.
Choice Decide() {
  sandbox.Keep();
  obstacles.Build();
  struct Outcome {
    float x, y;
    int touched, kind;  // kind: 0 lands, 1 wasted, 2 unknown, 3 invasion, 4 meets an object
    Met met;
    int metCode;
    double score;
    Landing landing;
  };
  std::vector<Outcome> outcomes;
  // The outcome of the shot at `angle`, an index into `outcomes`; outcomes that land alike
  // are scored once.
  auto evaluate = [&](float angle) {
    const Landing l = Trace(angle);
    const Meeting m = FirstMeeting(l);
    int kind = 0;
    if (m.what != Met::Nothing) {
      kind = 4;
    } else if (l.pathResult == 0 || !l.inField) {
      kind = 1;
    } else if (l.y >= geometry.bottomLine - geometry.cellHeightF / 4) {
      kind = 3;
    } else if (l.pathFlags & (PATH_ABSORBED | PATH_RECOLOUR)) {
      kind = 2;
    }
    const float ox = kind == 0 ? l.x : 0.0f, oy = kind == 0 ? l.y : 0.0f;
    const int touched = kind == 0 ? l.touched : -1;
    for (std::size_t o = 0; o < outcomes.size(); ++o) {
      const Outcome& c = outcomes[o];
      if (c.kind == kind && c.x == ox && c.y == oy && c.touched == touched && c.met == m.what &&
          c.metCode == m.code)
        return static_cast<int>(o);
    }
    double score = 0.0;
    switch (kind) {
      case 0:
        score = ScoreEffect(Resolve(l), l.y);
        break;
      case 1:
        score = kWasted;
        break;
      case 2:
        score = kUnknown;
        break;
      case 3:
        score = kInvasion;
        break;
      default:
        score = ScoreMeeting(m);
        break;
    }
    score += bot.options.noise * Gaussian();
    outcomes.push_back({ox, oy, touched, kind, m.what, m.code, score, l});
    return static_cast<int>(outcomes.size()) - 1;
  };
  // Every fourth angle first, then the angles between two that end differently, halving the
  // gap each time; an angle between two that end alike ends alike too (a landing place spans
  // several steps), so the gaps between them are filled without tracing. That finds the
  // outcomes of tracing every angle at about a third of the cost.
  constexpr int kStride = 4;
  const float step = bot.options.angleStep;
  const int count = static_cast<int>(std::floor(2 * kMaxAim / step)) + 1;
  std::vector<Option> options(static_cast<std::size_t>(count), Option{0.0f, -1, false});
  auto at = [&](int a) -> Option& { return options[static_cast<std::size_t>(a)]; };
  auto sample = [&](int a) {
    const float angle = -kMaxAim + a * step;
    at(a) = {angle, evaluate(angle), true};
  };
  for (int a = 0; a < count; a += kStride) sample(a);
  if ((count - 1) % kStride != 0) sample(count - 1);
  // Gaps [lo, hi] whose ends are known, split until they are filled.
  std::vector<std::pair<int, int>> gaps;
  for (int a = 0; a + 1 < count;) {
    int b = std::min(a + kStride, count - 1);
    gaps.push_back({a, b});
    a = b;
  }
  while (!gaps.empty()) {
    const auto [lo, hi] = gaps.back();
    gaps.pop_back();
    if (hi - lo < 2) continue;
    if (at(lo).outcome == at(hi).outcome) {
      for (int a = lo + 1; a < hi; ++a) at(a) = {-kMaxAim + a * step, at(lo).outcome, false};
      continue;
    }
    const int mid = (lo + hi) / 2;
    sample(mid);
    gaps.push_back({lo, mid});
    gaps.push_back({mid, hi});
  }
  // Leave the game as it was: the shooter, the aim path, the field, the generator, the sound.
  sandbox.RestoreAll();

  Choice choice;
  if (outcomes.empty()) return choice;
  int best = 0;
  for (std::size_t o = 1; o < outcomes.size(); ++o)
    if (outcomes[o].score > outcomes[static_cast<std::size_t>(best)].score)
      best = static_cast<int>(o);
  int runStart = -1, bestStart = 0, bestLength = 0;
  for (int a = 0; a <= static_cast<int>(options.size()); ++a) {
    const bool in = a < static_cast<int>(options.size()) &&
                    options[static_cast<std::size_t>(a)].outcome == best;
    if (in && runStart < 0) runStart = a;
    if (!in && runStart >= 0) {
      if (a - runStart > bestLength) {
        bestLength = a - runStart;
        bestStart = runStart;
      }
      runStart = -1;
    }
  }
  // The traced angle of the run nearest its middle: a filled-in angle is only presumed to end
  // like its neighbours.
  const int middle = bestStart + bestLength / 2;
  int pick = -1;
  for (int a = bestStart; a < bestStart + bestLength; ++a)
    if (at(a).traced && (pick < 0 || std::abs(a - middle) < std::abs(pick - middle))) pick = a;
  choice.angle = at(pick < 0 ? middle : pick).angle;
  choice.valid = true;
  if (bot.options.trace) {
    const Outcome& b = outcomes[static_cast<std::size_t>(best)];
    std::fprintf(stderr,
                 "shot colour %d: score %.2f, kind %d at %.0f,%.0f of %zu outcomes; %d cells, %d "
                 "colour balls\n",
                 shooter.shotColour, b.score, b.kind, b.x, b.y, outcomes.size(), cells.cellCount,
                 fieldCounts.remainingColourCells);
  }
  choice.landing = outcomes[static_cast<std::size_t>(best)].landing;
  choice.met = outcomes[static_cast<std::size_t>(best)].met;
  return choice;
}

// ---- The player at the controls ----

enum class Phase { Waiting, Turned, Fired };

struct Player {
  Phase phase = Phase::Waiting;
  int thinkFrames = 0;
  Choice choice;
  // The field as it stood when the shot was chosen: a foresight is only checked on the same
  // field.
  int cellsAtChoice = 0;
  float ceilingAtChoice = 0.0f;
  int zPressedFrames = 0;
};

int ThinkFrames() {
  const double seconds = bot.options.thinkSeconds * (1.0 + 0.5 * Uniform());
  return static_cast<int>(std::lround(seconds * 200.0 / bot.options.frameStep));
}

// Sets the inputs for the next play frame.
void PlayInputs(Player* p) {
  HeadlessKeyboard& keys = *bot.keyboard;
  keys.keys[KEY_Z] = 0;
  const bool idle = !shooter.shotActive && !ShooterBusy() && !invasion.invasionRunning;
  switch (p->phase) {
    case Phase::Waiting:
      if (!idle) return;
      if (p->thinkFrames > 0) {
        --p->thinkFrames;
        return;
      }
      p->choice = Decide();
      if (!p->choice.valid) return;
      p->cellsAtChoice = cells.cellCount;
      p->ceilingAtChoice = geometry.ceilingOffset;
      bot.mouse->pendingDx += static_cast<int>(
          std::lround((p->choice.angle - shooter.aimAngle) * kMousePixelsPerDegree));
      p->phase = Phase::Turned;
      return;
    case Phase::Turned:
      if (!idle) {
        p->phase = Phase::Waiting;
        return;
      }
      keys.keys[KEY_Z] = 0x80;
      p->phase = Phase::Fired;
      return;
    case Phase::Fired:
      return;
  }
}

// Looks at the frame just run: whether the shot left, and whether it went where foreseen.
void AfterPlayFrame(Player* p, RunResult* r) {
  if (p->phase != Phase::Fired) return;
  p->phase = Phase::Waiting;
  // The fire key is read only by an idle shooter, which then fires.
  if (keyboard.previous[KEY_Z] == 0) return;
  ++r->shots;
  p->thinkFrames = ThinkFrames();
  if (p->choice.met == Met::Bomb) ++r->bombsShot;
  const Landing& l = p->choice.landing;
  const bool sameField =
      cells.cellCount == p->cellsAtChoice && geometry.ceilingOffset == p->ceilingAtChoice;
  if (!shooter.shotActive || !sameField || p->choice.met != Met::Nothing) return;
  if (l.pathResult != 1 || (l.pathFlags & PATH_ABSORBED)) return;
  ++r->checkedShots;
  if (shooter.landX != l.x || shooter.landY != l.y) ++r->mispredictedShots;
}

void NoStageTime(int, bool, int) {}

}  // namespace

const char* OutcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Cleared:
      return "cleared";
    case Outcome::LostInvasion:
      return "invasion";
    case Outcome::LostEnergy:
      return "energy";
    case Outcome::Timeout:
      return "timeout";
    case Outcome::NotStarted:
      break;
  }
  return "no start";
}

bool StartGame() {
  bot.keyboard = dynamic_cast<HeadlessKeyboard*>(platform::backend.keyboard);
  bot.mouse = dynamic_cast<HeadlessMouse*>(platform::backend.mouse);
  if (!bot.keyboard || !bot.mouse) return false;
  int status = 0;
  if (!GameStartup(&status)) return false;
  // The first frame boots and reaches the title.
  return GameFrame();
}

RunResult PlayStage(int stage, int set, unsigned seed, const BotOptions& options) {
  RunResult r;
  r.stage = stage;
  r.set = set;
  r.seed = seed;
  bot.options = options;
  bot.rng.seed(seed);
  randomSource.generator = SeededTable(seed);
  frameClock.fixedStep = options.frameStep;
  stateHandlers.recordStageTime = NoStageTime;
  std::memset(bot.keyboard->keys, 0, sizeof bot.keyboard->keys);
  bot.mouse->left = bot.mouse->right = false;

  flow.stageNumber = stage;
  flow.stageSet = set;
  player.energy = 100;
  player.tries = 4;
  flow.gameState = StageLoad;

  auto* sound = dynamic_cast<platform::HeadlessSoundDevice*>(platform::backend.sound);
  const long limitTicks = std::lround(options.timeLimitSeconds * 60.0);
  // The information panel and the stage load take a few seconds at most.
  int frameBudget =
      static_cast<int>(std::lround(options.timeLimitSeconds * 200.0 / options.frameStep)) + 2000;
  Player p;
  p.thinkFrames = ThinkFrames();
  bool played = false;
  while (frameBudget-- > 0) {
    const int state = flow.gameState;
    if (state == StageInfo) {
      // Z starts the stage; it counts when it goes down.
      bot.keyboard->keys[KEY_Z] = bot.keyboard->keys[KEY_Z] ? 0 : 0x80;
    } else if (state == Play) {
      played = true;
      PlayInputs(&p);
    } else if (state != StageLoad) {
      break;
    }
    if (!GameFrame()) break;
    if (sound) sound->events.clear();  // the record of calls would only grow
    if (state == Play) AfterPlayFrame(&p, &r);
    r.ticks = fieldDrawing.clockTicks;
    if (flow.gameState == Play && r.ticks > limitTicks) {
      r.outcome = Outcome::Timeout;
      return r;
    }
  }
  bot.keyboard->keys[KEY_Z] = 0;
  r.ticks = fieldDrawing.clockTicks;
  if (!played) {
    r.outcome = Outcome::NotStarted;
  } else if (flow.gameState == StageClear) {
    r.outcome = Outcome::Cleared;
  } else if (flow.gameState == PauseMenuState) {
    r.outcome = player.energy < 1 ? Outcome::LostEnergy : Outcome::LostInvasion;
  } else {
    r.outcome = Outcome::Timeout;
  }
  return r;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

namespace {

// Ranks from 1, ties sharing the mean of the ranks they span.
std::vector<double> Ranks(const std::vector<double>& v) {
  const std::size_t n = v.size();
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return v[a] < v[b]; });
  std::vector<double> rank(n);
  for (std::size_t i = 0; i < n;) {
    std::size_t j = i;
    while (j + 1 < n && v[order[j + 1]] == v[order[i]]) ++j;
    const double mean = (static_cast<double>(i) + static_cast<double>(j)) / 2.0 + 1.0;
    for (std::size_t k = i; k <= j; ++k) rank[order[k]] = mean;
    i = j + 1;
  }
  return rank;
}

}  // namespace

double SpearmanRank(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size() || a.size() < 2) return 0.0;
  const std::vector<double> ra = Ranks(a), rb = Ranks(b);
  const double n = static_cast<double>(a.size());
  const double mean = (n + 1.0) / 2.0;
  double sab = 0, saa = 0, sbb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    sab += (ra[i] - mean) * (rb[i] - mean);
    saa += (ra[i] - mean) * (ra[i] - mean);
    sbb += (rb[i] - mean) * (rb[i] - mean);
  }
  if (saa == 0 || sbb == 0) return 0.0;
  return sab / std::sqrt(saa * sbb);
}

}  // namespace vx::bot
