// The field objects and a whole play frame at full tables, on the headless backend.
//   BM_UpdateObjects2000          the object update over 5000 cells (specials, bomb carriers,
//                                 balls in danger) and 2000 objects of every behaviour, in a
//                                 frame where none of them ends
//   BM_PlayFrameWorstCase         the play frame's steps over the same tables: the field drawing
//                                 with the pusher pushing, the shooter tracing a 1500-step
//                                 path, the objects, both planters searching a spot and
//                                 planting, the displays, warnings and the end-of-stage test
//   BM_PlayFrameWorstCaseUnrecorded  the same frame with the sprites counted, not recorded: the
//                                 game's share without the headless backend's copies
//   BM_BreakLargeGroup            one shot completing a group of 5000 balls: links, falls,
//                                 detach, removal and recount; ...Reference over the direct
//                                 scans and the cell-by-cell removal
//   BM_UpdateObjectsMassExpiry    the frame in which 5000 popping balls end together
// Each iteration starts from the same tables; restoring them is not timed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "app/dispatcher.h"
#include "core/frame_clock.h"
#include "core/game_state.h"
#include "draw/shared_images.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "field/links.h"
#include "field/next_ball_queue.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "objects/object_update.h"
#include "objects/planters.h"
#include "objects/pops.h"
#include "objects/pusher.h"
#include "objects/stage_start.h"
#include "persist/stage_files.h"
#include "platform/headless/headless_gpu.h"
#include "platform/platform.h"
#include "storage/texture.h"

namespace {

using namespace vx;

platform::HeadlessGpu gpu;
Texture characters{1, 512, 512, 1}, balls{2, 256, 256, 1}, gems0{3, 512, 512, 1},
    gems1{4, 512, 512, 1}, explosion{5, 64, 64, 1}, pusherImage{6, 512, 512, 1},
    sky{7, 512, 512, 1}, background{8, 512, 512, 1}, wheel{9, 256, 256, 1}, figure{10, 128, 128, 1};

// Every picture a play frame draws, as stand-in textures of the headless backend.
void InstallPictures() {
  platform::backend.gpu = &gpu;
  sprites.sheets[kCharacterSheet] = &characters;
  sprites.sheets[2] = &gems0;
  sprites.sheets[3] = &gems1;
  cellImages.stageBalls = &balls;
  for (Texture*& image : objectUpdate.explosionImages) image = &explosion;
  stageStart.pusher = &pusherImage;
  stageStart.sky = &sky;
  stageStart.background = &background;
  sharedImages.wheel = &wheel;
  for (Texture*& image : sharedImages.playerFigures) image = &figure;
}

// 4999 10-unit cells: rows from the top, colour balls with every 40th a special (kinds 18 and
// up; the ones that mature or break by age still young) and every 25th a bomb carrier, and a
// row of 40 low in the danger zone, clear of the shot's path; room for one more cell.
void FillCells() {
  SetCellSize(10, 10);
  int i = 0;
  auto add = [&](float x, float y) {
    int kind = 1 + i % 9, flags = CELL_PLACED;
    float timer = 0.0f;
    if (i % 40 == 7) {
      kind = 18 + (i / 40) % 15;
      timer = static_cast<float>((i / 40) % 500);
    } else if (i % 25 == 3) {
      flags |= CELL_BOMB;
    }
    AppendCell(x, y, kind, flags, timer);
    ++i;
  };
  for (int k = 0; k < 40; ++k) add(static_cast<float>(600 + k * 10), 850.0f);
  for (int row = 0; cells.cellCount < kCellCapacity - 1; ++row)
    for (int x = (row % 2) * 5; x + 10 <= 1024 && cells.cellCount < kCellCapacity - 1; x += 10)
      add(static_cast<float>(x), static_cast<float>(row * 10));
}

// 2000 objects, a share of each behaviour, all with a life longer than one frame.
void FillObjects() {
  struct Kind {
    int flags;
    float timer;
  };
  const Kind kinds[] = {
      {OBJECT_POPPING, 9.0f},        {OBJECT_FALLING, 2.0f},
      {OBJECT_GROWING_BALL, 700.0f}, {OBJECT_GROWING_SEED, 700.0f},
      {OBJECT_DEFLECTOR, 2500.0f},   {OBJECT_ABSORBER, 2500.0f},
      {OBJECT_HIT_FLASH, 50.0f},     {OBJECT_COLOUR_CHANGER, 2500.0f},
      {OBJECT_LASER_BEAM, 600.0f},   {OBJECT_BEAM_FLASH, 30.0f},
      {OBJECT_BOMB, 0.3f},           {OBJECT_BOMB_BLAST, 10.0f},
      {OBJECT_INTRUDER, 60.0f},
  };
  constexpr int n = sizeof kinds / sizeof kinds[0];
  for (int k = 0; objects.objectCount < kSpawnObjectLimit; ++k) {
    const Kind& kind = kinds[k % n];
    const float x = static_cast<float>((k * 37) % 1000);
    // Intruders hop along the bottom; the rest spread over the field above the danger line.
    const float y = kind.flags == OBJECT_INTRUDER ? geometry.bottomLine
                                                  : static_cast<float>(100 + (k * 53) % 600);
    AppendObject(x, y, -(1 + k % 9), kind.flags, kind.timer);
  }
  blast.blastClock = 80.0f;
  blast.nextBlastMark = 0.0f;
  invasion.invasionClock = 1000.0f;
  invasion.nextIntruderMark = 0.0f;
  invasion.invasionRunning = true;
}

// The tables and every value the frame changes, to put back before each iteration.
struct Snapshot {
  FieldCells cellTable;
  FieldObjects objectTable;
  FieldBlocks blockTable;
  FieldGeometry geometryValues;
  FieldCounts counts;
  NextBallQueue queueValues;
  ShooterState shooterValues;
  PusherState pusherValues;
  DangerState dangerValues;
  InvasionState invasionValues;
  BlastState blastValues;
  PlanterState planterValues;
  ObjectUpdateState updateValues;
  GameFlow flowValues;
  PlayerState playerValues;
  FieldDrawingState drawingValues;
  float pushInterval = 0.0f;

  void Take() {
    cellTable = cells;
    objectTable = objects;
    blockTable = blocks;
    geometryValues = geometry;
    counts = fieldCounts;
    queueValues = queue;
    shooterValues = shooter;
    pusherValues = pusher;
    dangerValues = danger;
    invasionValues = invasion;
    blastValues = blast;
    planterValues = planters;
    updateValues = objectUpdate;
    flowValues = flow;
    playerValues = player;
    drawingValues = fieldDrawing;
    pushInterval = stageFiles.pushInterval;
  }
  void Restore() const {
    cells = cellTable;
    objects = objectTable;
    blocks = blockTable;
    geometry = geometryValues;
    fieldCounts = counts;
    queue = queueValues;
    shooter = shooterValues;
    pusher = pusherValues;
    danger = dangerValues;
    invasion = invasionValues;
    blast = blastValues;
    planters = planterValues;
    objectUpdate = updateValues;
    flow = flowValues;
    player = playerValues;
    fieldDrawing = drawingValues;
    stageFiles.pushInterval = pushInterval;
    gpu.sprites.clear();
  }
};

void SetUpFullField() {
  ResetFieldTables();
  InstallPictures();
  flow = GameFlow{};
  flow.gameState = Play;
  flow.previousState = Play;
  frameClock.frameStep = 3.333333f;
  FillCells();
  FillObjects();
  for (int b = 0; b < 40; ++b)
    AppendBlock(static_cast<float>(50 + (b % 10) * 90), static_cast<float>(560 + (b / 10) * 40),
                b % 10);
}

void BM_UpdateObjects2000(benchmark::State& state) {
  SetUpFullField();
  auto snapshot = std::make_unique<Snapshot>();
  snapshot->Take();
  int popped = 0;
  for (auto _ : state) {
    state.PauseTiming();
    snapshot->Restore();
    state.ResumeTiming();
    popped = UpdateObjects();
    benchmark::DoNotOptimize(popped);
  }
  state.counters["cells"] = cells.cellCount;
  state.counters["objects"] = objects.objectCount;
  state.counters["sprites"] = static_cast<double>(gpu.sprites.size());
}
BENCHMARK(BM_UpdateObjects2000)->Unit(benchmark::kMicrosecond);

// A GPU that counts the sprites and keeps none: the frame without the cost of recording them.
class CountingGpu : public platform::HeadlessGpu {
 public:
  void DrawSprite(const platform::SpriteDraw&) override { ++drawn; }
  int drawn = 0;
};
CountingGpu countingGpu;

void RunPlayFrames(benchmark::State& state, bool recorded) {
  SetUpFullField();
  // The launcher turned to 87 degrees: the path creeps along the bottom for all 1500 steps
  // and, finding no place, shows the aim guide.
  shooter.aimAngle = 87.0f;
  shooter.lastClickTick = 29;
  const float a = 87.0f * -0.0174533f;
  const FieldGeometry& g = geometry;
  geometry.shotStartX = g.launcherWidth / 2 + g.launcherLeft + 30 * std::sin(a) - g.cellWidthF / 2;
  geometry.shotStartY =
      g.launcherHeight - g.launcherWidth / 2 + g.launcherTop + 30 * std::cos(a) - g.cellHeightF / 2;
  flow.aimGuide = true;
  queue.queueRefill = false;
  // Both planters due this frame (stage 13: every 2000 units, after 6 cleared cells).
  flow.stageNumber = 13;
  fieldCounts.clearedColourCells = 100;
  planters.periodClock = 1999.0f;
  // The pusher due as well, and the field drawing starting a sparkle cycle.
  stageFiles.pushInterval = 60000.0f;
  pusher.pushClock = 60000.0f;
  fieldDrawing.sparkleClock = 99.0f;
  // The end-of-stage test recounts as well (the count changed since the last frame).
  fieldCounts.remainingColourCells = CountColourBalls();
  flow.lastCellCount = cells.cellCount + 1;
  auto snapshot = std::make_unique<Snapshot>();
  snapshot->Take();
  if (!recorded) platform::backend.gpu = &countingGpu;
  int points = 0;
  for (auto _ : state) {
    state.PauseTiming();
    snapshot->Restore();
    countingGpu.drawn = 0;
    state.ResumeTiming();
    RunPlayStates();
    points = aimPath.pathCount;
  }
  platform::backend.gpu = &gpu;
  state.counters["cells"] = cells.cellCount;
  state.counters["objects"] = objects.objectCount;
  state.counters["points"] = points;
  state.counters["sprites"] =
      static_cast<double>(recorded ? gpu.sprites.size() : countingGpu.drawn);
}

void BM_PlayFrameWorstCase(benchmark::State& state) {
  RunPlayFrames(state, true);
}
BENCHMARK(BM_PlayFrameWorstCase)->Unit(benchmark::kMicrosecond);

// The same frame with the sprites counted rather than recorded: the game's own share, without
// the headless backend's copy of every sprite.
void BM_PlayFrameWorstCaseUnrecorded(benchmark::State& state) {
  RunPlayFrames(state, false);
}
BENCHMARK(BM_PlayFrameWorstCaseUnrecorded)->Unit(benchmark::kMicrosecond);

// 5000 balls of one colour in 10-unit rows of 101, the last of them the shot that completes
// the group.
void SetUpLargeGroup() {
  ResetFieldTables();
  InstallPictures();
  SetCellSize(10, 10);
  for (int i = 0; i < kCellCapacity; ++i) {
    const int row = i / 101, col = i % 101;
    AppendCell(static_cast<float>(col * 10 + (row % 2) * 5), static_cast<float>(row * 10), 3,
               CELL_PLACED, 0.0f);
  }
  shooter.shotColour = 3;
  shooter.newCell = kCellCapacity - 1;
  shooter.hitCellOfShot = -1;
}

void RunBreak(benchmark::State& state, bool (*resolve)(bool)) {
  SetUpLargeGroup();
  auto snapshot = std::make_unique<Snapshot>();
  snapshot->Take();
  int moved = 0;
  for (auto _ : state) {
    state.PauseTiming();
    snapshot->Restore();
    state.ResumeTiming();
    benchmark::DoNotOptimize(resolve(true));
    moved = snapshot->cellTable.cellCount - cells.cellCount;
  }
  state.counters["cells"] = snapshot->cellTable.cellCount;
  state.counters["moved"] = moved;
}

void BM_BreakLargeGroup(benchmark::State& state) {
  RunBreak(state, ResolveShot);
}
BENCHMARK(BM_BreakLargeGroup)->Unit(benchmark::kMillisecond);

void BM_BreakLargeGroupReference(benchmark::State& state) {
  RunBreak(state, ResolveShotReference);
}
BENCHMARK(BM_BreakLargeGroupReference)->Unit(benchmark::kMillisecond)->Iterations(3);

// The frame in which the popping balls of a 5000-ball break all end together.
void BM_UpdateObjectsMassExpiry(benchmark::State& state) {
  ResetFieldTables();
  InstallPictures();
  SetCellSize(10, 10);
  flow.gameState = Play;
  frameClock.frameStep = 3.333333f;
  for (int i = 0; i < kObjectCapacity; ++i)
    AppendObject(static_cast<float>(i % 100 * 10), static_cast<float>(i / 100 * 10), -3,
                 OBJECT_POPPING, 0.2f);
  auto snapshot = std::make_unique<Snapshot>();
  snapshot->Take();
  for (auto _ : state) {
    state.PauseTiming();
    snapshot->Restore();
    state.ResumeTiming();
    UpdateObjects();
  }
  state.counters["left"] = objects.objectCount;
}
BENCHMARK(BM_UpdateObjectsMassExpiry)->Unit(benchmark::kMicrosecond);

}  // namespace
