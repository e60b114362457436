#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "draw/layers.h"
#include "field/field_tables.h"
#include "persist/best_times.h"
#include "persist/saved_games.h"
#include "persist/stage_files.h"
#include "screen_fixture.h"
#include "screens/title.h"
#include "screens/world_select.h"

namespace vx {
namespace {

// A point inside each world's box, and the box's top-left corner.
struct BoxPoint {
  int x, y;
  float left, top;
};
constexpr BoxPoint kBox[5] = {
    {90, 120, 31, 66},    {260, 120, 201, 66},  {430, 120, 371, 66},
    {180, 280, 121, 226}, {350, 280, 291, 226},
};
constexpr int kPlayX = 300, kPlayY = 485;
constexpr int kBackX = 210, kBackY = 485;
constexpr int kLeftArrowX = 227, kRightArrowX = 297, kArrowY = 374;

class WorldSelectTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    LoadScreenImages();
    LoadScreenSounds();
    std::fill(std::begin(stageFiles.worldAvailable), std::end(stageFiles.worldAvailable), true);
  }

  // A saved game of the current set with these worlds open (1-based) and these world times.
  void SaveGameWithOpenWorlds(std::initializer_list<int> open, int best = 5000, int last = 6000) {
    for (int w = 0; w < 5; ++w) player.worldLocked[w] = true;
    for (int w : open) player.worldLocked[w - 1] = false;
    for (int w = 0; w < 5; ++w) {
      bestTimes.bestWorldTime[w] = best;
      bestTimes.lastWorldTime[w] = last;
    }
    WriteSavedGame();
  }

  // The screen's first frame in a frame of its own, as after the save offer.
  void Open() {
    flow.gameState = WorldSelect;
    flow.previousState = WorldSelect;
    Frame(1);
  }

  void ClickAt(int x, int y) {
    PointAt(x, y);
    Click();
  }

  // Stage files: file 1 sets `perWorld` stages a world, and files 5 x perWorld + 1 .. `last`
  // (the stages of further sets) hold a cell each.
  void WriteStageFiles(int perWorld, int last) {
    std::filesystem::create_directories("edit");
    flow.stagesPerWorld = perWorld;
    cells.cellCount = 1;
    cells.x[0] = 0;
    cells.y[0] = 0;
    cells.kind[0] = 1;
    SaveStage(1);
    for (int n = 5 * perWorld + 1; n <= last; ++n) SaveStage(n);
    cells.cellCount = 0;
  }
};

TEST_F(WorldSelectTest, OpensOnTheWorldOfTheStageNumber) {
  SaveGameWithOpenWorlds({1, 2, 3, 4, 5});
  struct Case {
    int stage, perWorld, world;
  } cases[] = {
      {250, 100, 3}, {0, 100, 1}, {99, 100, 1},     {100, 100, 2},
      {499, 100, 5}, {9, 2, 5},   {999999, 100, 5},  // a saved game pointing past the last world:
                                                     // the last box
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stage);
    flow.stageNumber = c.stage;
    flow.stagesPerWorld = c.perWorld;
    worldSelect.blinkTimer = 0;
    flow.frameCounter += 5;  // the screen did not run in the last frame
    Open();
    EXPECT_EQ(worldSelect.selectedWorld, c.world);
    // The selection frame, cell 19 stretched over the box, blinks on after 30 units.
    Frame(30);
    const auto frames = SheetDraws(380, 360, 430, 410);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FLOAT_EQ(frames[0].x, kBox[c.world - 1].left);
    EXPECT_FLOAT_EQ(frames[0].y, kBox[c.world - 1].top);
    EXPECT_FLOAT_EQ(frames[0].scaleX, 2.36f);
    EXPECT_FLOAT_EQ(frames[0].scaleY, 2.16f);
    EXPECT_EQ(flow.gameState, WorldSelect);
  }
}

// A click selects an open, available world; a locked one leaves the selection where it was,
// and the play button starts the world selected.
TEST_F(WorldSelectTest, LockedWorldKeepsTheSelectionAndPlayStartsThePreviousOne) {
  SaveGameWithOpenWorlds({1, 2, 4});
  Open();
  ASSERT_EQ(worldSelect.selectedWorld, 1);
  struct Step {
    int world;     // box clicked, 1-based
    int selected;  // afterwards
  } steps[] = {{2, 2}, {3, 2}, {5, 2}, {4, 4}, {3, 4}, {1, 1}, {2, 2}, {3, 2}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.world);
    ClickAt(kBox[s.world - 1].x, kBox[s.world - 1].y);
    EXPECT_EQ(worldSelect.selectedWorld, s.selected);
    EXPECT_EQ(flow.gameState, WorldSelect);
  }
  // The lock icons: closed on worlds 3 and 5, open on the others, at their points.
  const auto closed = SheetDraws(194, 70, 217, 106);
  ASSERT_EQ(closed.size(), 2u);
  EXPECT_FLOAT_EQ(closed[0].x, 470);
  EXPECT_FLOAT_EQ(closed[0].y, 160);
  EXPECT_FLOAT_EQ(closed[1].x, 390);
  EXPECT_FLOAT_EQ(closed[1].y, 320);
  EXPECT_EQ(SheetDraws(168, 70, 190, 106).size(), 3u);

  flow.stagesPerWorld = 100;
  PointAt(kPlayX, kPlayY);
  rig_->mouse.left = true;
  Frame(1);
  EXPECT_EQ(flow.gameState, StageLoad);
  EXPECT_EQ(flow.stageNumber, 100);
  EXPECT_EQ(Plays(sfx.ok), 1);
}

// A world whose stage files are incomplete is covered, shows no times and takes no click.
TEST_F(WorldSelectTest, IncompleteWorldIsCoveredWithoutTimesAndCannotBeChosen) {
  SaveGameWithOpenWorlds({1, 2, 3, 4, 5}, 7200, 3600);
  stageFiles.worldAvailable[3] = false;  // world 4
  Open();
  Frame(1);
  const auto covers = SheetDraws(430, 360, 480, 410);
  ASSERT_EQ(covers.size(), 1u);
  EXPECT_FLOAT_EQ(covers[0].x, 121);
  EXPECT_FLOAT_EQ(covers[0].y, 226);
  EXPECT_FLOAT_EQ(covers[0].scaleX, 2.36f);
  EXPECT_FLOAT_EQ(covers[0].scaleY, 2.16f);
  // The covers lie under the screen's picture, which has windows at the boxes.
  const auto& all = rig_->gpu.sprites;
  int coverAt = -1, layerAt = -1;
  for (int i = 0; i < static_cast<int>(all.size()); ++i) {
    if (all[i].texture == sprites.sheets[1]->gpuId && all[i].left == 430 && all[i].top == 360)
      coverAt = i;
    if (all[i].texture == layers.screen.texture->gpuId) layerAt = i;
  }
  ASSERT_GE(coverAt, 0);
  EXPECT_LT(coverAt, layerAt);

  // Times: 0:2:00 and 0:1:00 in every available box (best at y 130 and 290, last at 90 and
  // 250, centred on the box's x + 59), none in world 4's.
  for (int w = 0; w < 5; ++w) {
    SCOPED_TRACE(w + 1);
    const float left = kBox[w].left, top = kBox[w].top;
    const int best = GlyphsIn(left, left + 118, top + 64 - 1, top + 64 + 1);
    const int last = GlyphsIn(left, left + 118, top + 24 - 1, top + 24 + 1);
    EXPECT_EQ(best, w == 3 ? 0 : 6);  // 0 : 2 : 0 0
    EXPECT_EQ(last, w == 3 ? 0 : 6);
  }
  ClickAt(kBox[3].x, kBox[3].y);
  EXPECT_EQ(worldSelect.selectedWorld, 1);
  EXPECT_EQ(worldSelect.clickedWorld, 1);
}

// Without a saved game for the set only the first world is open and the world times start
// afresh; a saved game's locks and times are taken over.
TEST_F(WorldSelectTest, SavedGameDecidesTheLocksAndTimes) {
  for (bool saved : {false, true}) {
    SCOPED_TRACE(saved);
    std::remove("saved0.txt");
    if (saved) SaveGameWithOpenWorlds({1, 3}, 9000, 8000);
    std::fill(std::begin(player.worldLocked), std::end(player.worldLocked), false);
    for (int w = 0; w < 5; ++w) bestTimes.bestWorldTime[w] = bestTimes.lastWorldTime[w] = 1234;
    flow.frameCounter += 5;
    Open();
    const bool locked[5] = {false, true, !saved, true, true};
    for (int w = 0; w < 5; ++w) {
      EXPECT_EQ(player.worldLocked[w], locked[w]) << w;
      EXPECT_EQ(bestTimes.bestWorldTime[w], saved ? 9000 : kResetBestWorldTime) << w;
      EXPECT_EQ(bestTimes.lastWorldTime[w], saved ? 8000 : 0) << w;
    }
    // The continue button shows only with a saved game.
    EXPECT_EQ(SheetDraws(0, 32, 86, 46).size(), saved ? 1u : 0u);
  }
}

// Once a run the chooser starts on the newest set the player has a saved game for: a new
// player starts on the basic set, not on a harder one meant for those who finished it.
TEST_F(WorldSelectTest, TheChooserStartsOnTheNewestSetPlayed) {
  struct Case {
    std::vector<int> savedSets;
    int startSet;
  } cases[] = {{{}, 0}, {{0}, 0}, {{1}, 1}, {{0, 1}, 1}, {{2}, 2}, {{1, 2}, 2}, {{3}, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.savedSets.size() << " saved, start " << c.startSet);
    for (const char* name : {"saved0.txt", "saved1.txt", "saved2.txt", "saved3.txt"})
      std::filesystem::remove(name);
    WriteStageFiles(2, 30);  // two extra sets; a saved game of set 3 belongs to no set here
    for (int set : c.savedSets) {
      flow.stageSet = set;
      WriteSavedGame();
    }
    flow.stageSet = 0;
    worldSelect = WorldSelectState{};
    flow.frameCounter += 5;
    Open();
    EXPECT_EQ(flow.stageSet, c.startSet);
  }
}

// The arrows move through the basic set and the extra sets, never below 0 or past the count.
TEST_F(WorldSelectTest, ArrowsStayWithinTheExtraSets) {
  WriteStageFiles(2, 30);  // sets of 10 stages: files 11..30 are two extra sets
  flow.stageSet = 2;
  WriteSavedGame();  // set 2 was played: the chooser starts there
  flow.stageSet = 0;
  flow.stagesPerWorld = 100;
  Open();
  EXPECT_EQ(flow.stagesPerWorld, 2);
  EXPECT_EQ(worldSelect.extraSetCount, 2);
  EXPECT_EQ(flow.stageSet, 2);
  struct Step {
    int x;
    int set;
  } steps[] = {{kRightArrowX, 2}, {kLeftArrowX, 1},  {kLeftArrowX, 0}, {kLeftArrowX, 0},
               {kRightArrowX, 1}, {kRightArrowX, 2}, {kRightArrowX, 2}};
  for (const Step& s : steps) {
    ClickAt(s.x, kArrowY);
    EXPECT_EQ(flow.stageSet, s.set);
  }
  // Set 2 shows its number centred at (262, 374); the basic set its sign.
  Frame(1);
  EXPECT_TRUE(SheetDraws(108, 51, 135, 79).empty());
  EXPECT_EQ(GlyphsIn(250, 275, 360, 380), 1);
  ClickAt(kLeftArrowX, kArrowY);
  ClickAt(kLeftArrowX, kArrowY);
  ASSERT_EQ(flow.stageSet, 0);
  const auto sign = SheetDraws(108, 51, 135, 79);
  ASSERT_EQ(sign.size(), 1u);
  EXPECT_FLOAT_EQ(sign[0].x, 262 - 27 / 2.0f);
  EXPECT_FLOAT_EQ(sign[0].y, 374 - 28 / 2.0f);

  // Opened again in the same run, the chooser keeps the set the player left it on.
  flow.frameCounter += 5;
  Open();
  EXPECT_EQ(flow.stageSet, 0);
}

TEST_F(WorldSelectTest, WithoutExtraSetsTheChooserIsNotShown) {
  WriteStageFiles(2, 10);
  Open();
  EXPECT_EQ(worldSelect.extraSetCount, 0);
  EXPECT_TRUE(SheetDraws(0, 50, 26, 78).empty());
  ClickAt(kRightArrowX, kArrowY);
  EXPECT_EQ(flow.stageSet, 0);
}

// The title acts on Return held and on the click over "play", then this screen runs in the
// same frame: neither may start or select a world. A fresh Return starts the selection.
TEST_F(WorldSelectTest, TheTitlesReturnAndClickDoNotCarryOver) {
  SaveGameWithOpenWorlds({1, 2, 3, 4, 5});
  flow.gameState = TitleLoad;
  ASSERT_EQ(Frame(1), 0);
  ASSERT_EQ(flow.gameState, Title);
  title.idleTimer = 0;
  // The new-game start looked for stage files, and this directory has none.
  std::fill(std::begin(stageFiles.worldAvailable), std::end(stageFiles.worldAvailable), true);
  flow.stagesPerWorld = 100;

  // Return held on "play".
  PointAt(50, 50);
  Key(KEY_RETURN, true);
  for (int i = 0; i < 4; ++i) Frame(1);
  EXPECT_EQ(flow.gameState, WorldSelect);
  EXPECT_EQ(Plays(sfx.ok), 1);  // the title's
  Key(KEY_RETURN, false);
  Frame(1);
  EXPECT_EQ(flow.gameState, WorldSelect);
  Key(KEY_RETURN, true);
  Frame(1);
  EXPECT_EQ(flow.gameState, StageLoad);
  EXPECT_EQ(flow.stageNumber, 0);
  EXPECT_EQ(Plays(sfx.ok), 2);

  // A click on "play" at a point that lies in world 4's box as well.
  flow.gameState = Title;
  flow.previousState = Title;
  Key(KEY_RETURN, false);
  Frame(1);
  title.selection = title.previousSelection = 0;
  flow.frameCounter += 5;
  PointAt(220, 330);
  rig_->mouse.left = true;
  Frame(1);
  EXPECT_EQ(flow.gameState, WorldSelect);
  EXPECT_EQ(worldSelect.selectedWorld, 1);
  rig_->mouse.left = false;
  Frame(1);
  // The same point clicked on this screen does select world 4.
  Click();
  EXPECT_EQ(worldSelect.selectedWorld, 4);
  EXPECT_EQ(flow.gameState, WorldSelect);
}

// Stages per world come from a stage file; a huge count must not wrap the stage number.
TEST_F(WorldSelectTest, HugeWorldsDoNotWrapTheStageNumber) {
  SaveGameWithOpenWorlds({1, 2, 3, 4, 5});
  Open();
  flow.stagesPerWorld = 1000000000;
  ClickAt(kBox[4].x, kBox[4].y);
  ASSERT_EQ(worldSelect.selectedWorld, 5);
  PointAt(kPlayX, kPlayY);
  rig_->mouse.left = true;
  Frame(1);
  EXPECT_EQ(flow.gameState, StageLoad);
  EXPECT_GE(flow.stageNumber, 0);
}

TEST_F(WorldSelectTest, EscapeAndBackReturnToTheTitle) {
  SaveGameWithOpenWorlds({1});
  for (bool byKey : {true, false}) {
    SCOPED_TRACE(byKey);
    flow.frameCounter += 5;
    Open();
    const int sounds = Plays(sfx.chgSelection);
    if (byKey) {
      Key(KEY_ESCAPE, true);
      Frame(1);
      Key(KEY_ESCAPE, false);
    } else {
      PointAt(kBackX, kBackY);
      rig_->mouse.left = true;
      Frame(1);
      rig_->mouse.left = false;
      EXPECT_EQ(mouse.pointerY, kBackY - 20);
    }
    EXPECT_EQ(flow.gameState, Title);
    EXPECT_EQ(Plays(sfx.chgSelection) - sounds, 1);
  }
}

// The continue button takes over the saved game and starts its stage.
TEST_F(WorldSelectTest, ContinueResumesTheSavedGame) {
  flow.stageNumber = 130;
  player.tries = 2;
  bestTimes.stageTimes[0] = 777;
  SaveGameWithOpenWorlds({1, 2});
  flow.stageNumber = 0;
  player.tries = 4;
  bestTimes.stageTimes[0] = 0;
  Open();
  PointAt(265, 450);
  Frame(1);
  const auto hovered = SheetDraws(0, 32, 86, 46);
  ASSERT_EQ(hovered.size(), 1u);
  EXPECT_FLOAT_EQ(hovered[0].scaleX, 1.1f);
  rig_->mouse.left = true;
  Frame(1);
  EXPECT_EQ(flow.gameState, StageLoad);
  EXPECT_EQ(flow.stageNumber, 130);
  EXPECT_EQ(player.tries, 2);
  EXPECT_EQ(bestTimes.stageTimes[0], 777);
  EXPECT_EQ(Plays(sfx.ok), 1);
}

}  // namespace
}  // namespace vx
