#include "objects/stage_start.h"

#include <climits>
#include <cstdio>

#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "field/bonuses.h"
#include "field/field_tables.h"
#include "field/next_ball_queue.h"
#include "field/shooter.h"
#include "objects/field_drawing.h"
#include "objects/planters.h"
#include "objects/pusher.h"
#include "persist/best_times.h"
#include "persist/settings.h"
#include "persist/stage_files.h"
#include "platform/platform.h"
#include "storage/texture.h"

namespace vx {

StageStartState stageStart;

namespace {

constexpr char kBasicData[] = "_data.loc";
constexpr char kBasicSounds[] = "_sfx.loc";
constexpr int kWorldVariants = 5;  // the stage start replaces variants 1..5

// Cell sizes a stage file may set; anything else (a 0 would divide by zero in every grid
// snap) is taken as the size of a header without w or h.
constexpr int kSmallestCell = 1;
constexpr int kLargestCell = 1024;
constexpr int kDefaultCell = 50;

// The random field's rows, by n = stage + 1 (the first row for n of 1 or less, the last
// for n of 15 and more).
constexpr RandomFieldParameters kRandomFields[] = {
    {30, 50, 3, 50, 300},  {60, 50, 3, 50, 300},   {100, 70, 2, 30, 500}, {30, 40, 2, 80, 600},
    {70, 40, 3, 60, 400},  {100, 80, 5, 40, 600},  {50, 0, 3, 60, 300},   {80, 50, 5, 70, 300},
    {100, 90, 6, 30, 600}, {90, 40, 2, 50, 700},   {90, 70, 2, 30, 800},  {100, 90, 8, 60, 500},
    {70, 30, 3, 80, 700},  {100, 10, 4, 120, 300}, {100, 95, 7, 20, 800},
};
constexpr int kRandomFieldRows = static_cast<int>(sizeof kRandomFields / sizeof kRandomFields[0]);

// The archive of a stage set: the basic one for set 0, "_data%d.loc" / "_sfx%d.loc" else.
void SetArchive(const char* stem, int stageSet, char* out, int capacity) {
  if (stageSet < 1)
    std::snprintf(out, static_cast<std::size_t>(capacity), "%s.loc", stem);
  else
    std::snprintf(out, static_cast<std::size_t>(capacity), "%s%d.loc", stem, stageSet);
}

// Loads one world sound variant into its slot, from the set's archive or else the basic
// one. The variable holds the result, a failure included; the slot is remembered so that a
// variant that once failed can be loaded again by a later stage start.
void LoadWorldSound(const char* member, const char* setArchive, int* variable, int* remembered) {
  const int slot = *variable >= 0 ? *variable : *remembered;
  int result = -1;
  if (slot >= 0) {
    result = ReplaceSound(member, setArchive, slot);
    if (result < 0) result = ReplaceSound(member, kBasicSounds, slot);
    *remembered = slot;
  } else {
    // Never loaded (missing when the effect list was read): a free slot of its own.
    result = LoadSound(member, setArchive);
    if (result < 0) result = LoadSound(member, kBasicSounds);
    if (result >= 0) *remembered = result;
  }
  *variable = result;
}

void LoadWorldSounds(int stageSet) {
  char archive[32];
  SetArchive("_sfx", stageSet, archive, sizeof archive);
  for (int i = 1; i <= kWorldVariants; ++i) {
    char member[32];
    std::snprintf(member, sizeof member, "son\\fire%d.wav", i);
    LoadWorldSound(member, archive, &sfx.fireWorld[i], &stageStart.fireSlot[i]);
    std::snprintf(member, sizeof member, "son\\landed%d.wav", i);
    LoadWorldSound(member, archive, &sfx.landedWorld[i], &stageStart.landedSlot[i]);
  }
}

// Every per-stage value of the field, the shooter and the field objects back to its start.
void ResetStageValues() {
  invasion.invasionRunning = false;
  Invasion(0, 1000);
  objects.objectCount = 0;
  flow.lastCellCount = 10000;
  bonuses.guideGiftActive = false;
  bonuses.laserBonus = 0;
  fieldCounts.clearedColourCells = 0;
  CountPlanter(-1);
  TimedPlanter(-1);
  pusher.pushWarning = false;
  StageClock(-1);
  geometry.ceilingOffset = 0.0f;
  geometry.ceilingLine = 0.0f;
  pusher.pusherOffset = 0.0f;
  pusher.pushClock = 0.0f;
  shooter.prevMouseX = 256;
  mouse.pointerX = 256;
  pusher.pusherBottom = 0.0f;
  shooter.shotActive = false;
  // A ball still sliding into its place or flying off as a lost shot belongs to the stage
  // that is left (a stage skip or a clear can come while one runs): it must not move on into
  // the new field, nor mark the new field's cells when its slide ends. The queue's slide
  // after a shot goes with it.
  shooter.slideSteps = 0.0f;
  shooter.slideCell = -1;
  shooter.lostActive = false;
  shooter.shotProgress = 0.0f;
  queue.queueState = QUEUE_IDLE;
  queue.queueScroll = 0.0f;
}

// The background of world w: the set's archive, then the basic one, then world 1's.
bool LoadBackground(int world, const char* dataArchive) {
  char member[32];
  std::snprintf(member, sizeof member, "pho\\bkg%d.tga", world);
  if (LoadArchiveTexture(dataArchive, member, &stageStart.background) >= 0) return true;
  if (LoadArchiveTexture(kBasicData, member, &stageStart.background) >= 0) return true;
  if (LoadArchiveTexture(kBasicData, "pho\\bkg1.tga", &stageStart.background) >= 0) return true;
  platform::ShowMessage(member, "Stage0 Error Loading");
  return false;
}

// The ball picture of world w, from the set's archive or the basic one; none when both lack
// it (the previous world's picture must not stay).
void LoadStageBalls(int world, const char* dataArchive) {
  char member[32];
  std::snprintf(member, sizeof member, "img\\ball%d.tga", world);
  if (LoadArchiveTexture(dataArchive, member, &cellImages.stageBalls) >= 0) return;
  if (LoadArchiveTexture(kBasicData, member, &cellImages.stageBalls) >= 0) return;
  ReleaseTexture(cellImages.stageBalls);
  cellImages.stageBalls = nullptr;
}

// A number held within int (a saved game may name a stage near the top of the range).
int Clamped(long long n) {
  return n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : static_cast<int>(n);
}

bool UsableCellSize(int size) {
  return size >= kSmallestCell && size <= kLargestCell;
}

// The grid geometry and the launcher's start values for the loaded or generated cell size.
void SetStageGeometry() {
  FieldGeometry& g = geometry;
  if (!UsableCellSize(g.cellWidth)) g.cellWidth = kDefaultCell;
  if (!UsableCellSize(g.cellHeight)) g.cellHeight = kDefaultCell;
  g.launcherLeft = 512.0f - g.launcherWidth / 2;
  g.launcherTop = 1024.0f - g.launcherHeight;
  g.blockLimit = g.launcherTop;
  SetCellSize(g.cellWidth, g.cellHeight);  // float sizes, sprite scale, bottom line, rest place
  shooter.shotColour = GameRand() % 8 + 1;
  shooter.aimAngle = 0.0f;
  shooter.ballX = 58.5f;
  shooter.ballY = 645.5f;
}

}  // namespace

int StageFileNumber(int stage, int stageSet, int stagesPerWorld) {
  const long long n = static_cast<long long>(stage) + 1 +
                      static_cast<long long>(stageSet) * 5 * static_cast<long long>(stagesPerWorld);
  return n >= 1 && n <= INT_MAX ? static_cast<int>(n) : 0;
}

RandomFieldParameters RandomFieldParametersFor(int n) {
  if (n < 1) n = 1;
  if (n > kRandomFieldRows) n = kRandomFieldRows;
  return kRandomFields[n - 1];
}

void BuildRandomField(int n) {
  const RandomFieldParameters p = RandomFieldParametersFor(n);
  FieldGeometry& g = geometry;
  g.colourCount = p.colourCount;
  g.cellWidth = p.cellSize;
  g.cellHeight = p.cellSize;
  int colour = GameRand() % 8 + 1;
  cells.cellCount = 0;
  for (int r = 0; r < 10000 && r * g.cellHeight <= p.fieldDepth; ++r) {
    // The loop test reads the place of the previous column, so the column that no longer
    // fits is still drawn for (and left empty).
    int x = 0;
    for (int c = 0; x + g.cellWidth < 1024; ++c) {
      const int a = GameRand() % 100;
      const int b = GameRand() % 100;
      x = c * g.cellWidth + (r % 2 != 0 ? g.cellWidth / 2 : 0);
      if (a > p.emptiness && x + g.cellWidth < 1024) {
        if (b < p.colourChange) colour = GameRand() % 8 + 1;
        AppendCell(static_cast<float>(x), static_cast<float>(r * g.cellHeight), colour, CELL_PLACED,
                   0.0f);
      }
    }
  }
}

int StartStage() {
  flow.firstPlayFrame = true;
  flow.gameState = StageInfo;
  bestTimes.newRecord = false;
  ResetStageValues();

  if (LoadArchiveTexture(kBasicData, "img\\sky.jpg", &stageStart.sky) < 0) {
    platform::ShowMessage("sky.jpg", "Game_0Stage3()");
    return E_FAIL;
  }
  if (LoadArchiveTexture(kBasicData, "img\\pusher.tga", &stageStart.pusher) < 0) {
    platform::ShowMessage("img\\pusher.tga", "Game_Stage03 Unable to load");
    return E_FAIL;
  }

  // Stage file 1 says how many stages a world has; the numbering depends on it.
  LoadStage(1, false);
  const int perWorld = flow.stagesPerWorld > 0 ? flow.stagesPerWorld : 1;
  const int world = Clamped(flow.stageNumber / perWorld + 1LL);
  const int fileNumber = StageFileNumber(flow.stageNumber, flow.stageSet, perWorld);

  LoadWorldSounds(flow.stageSet);
  stageStart.currentWorld = world;

  char dataArchive[32];
  SetArchive("_data", flow.stageSet, dataArchive, sizeof dataArchive);
  if (!LoadBackground(world, dataArchive)) return E_FAIL;
  LoadStageBalls(world, dataArchive);

  int loaded = 0;
  if (fileNumber > 0) {
    loaded = LoadStage(fileNumber, false);
  } else {
    cells.cellCount = 0;  // no file can be named: nothing of stage file 1 stays
    blocks.blockCount = 0;
  }
  if (loaded == 0) BuildRandomField(Clamped(flow.stageNumber + 1LL));

  SetStageGeometry();
  fieldCounts.remainingColourCells = CountColourBalls();
  WriteSettings();
  return 0;
}

}  // namespace vx
