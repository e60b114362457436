// The stage editor on the headless backends, a frame at a time through the dispatcher:
// placing and removing on the grid, the palette and its keys, the tool bar's buttons and
// their areas, the cell-size change, paging, saving (also to a full disk or a read-only
// folder) and leaving through the yes/no prompt.
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../screens/screen_fixture.h"
#include "core/random.h"
#include "draw/layers.h"
#include "draw/numbers.h"
#include "draw/sprite.h"
#include "editor/editor.h"
#include "field/field_tables.h"
#include "persist/stage_files.h"
#include "platform/files.h"
#include "storage/sealed.h"
#include "storage/texture.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
namespace files = platform::files;

std::string StagePath(int n) {
  return "edit/stage" + std::to_string(n) + ".txt";
}

// Writes stage file n sealed, as the game keeps it.
void WriteStage(int n, const std::string& plain) {
  char name[64];
  StageFileName(n, name, sizeof name);
  ASSERT_TRUE(WriteSealedText(name, plain.data(), plain.size()));
  DeleteSealTemporaries();
}

// The plain text of stage file n.
std::string UnsealedStage(int n) {
  char buffer[64];
  StageFileName(n, buffer, sizeof buffer);
  if (!OpenSealedTextFile(buffer)) return "<damaged>";
  std::string text = files::Exists(buffer) ? test::ReadFile(buffer) : "<missing>";
  DeleteSealTemporaries();
  return text;
}

// The editor in its state over a 50 x 50 grid, with the character sheet, the gem sheet and
// its background loaded, and an empty "edit" folder.
class EditorTest : public test::ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    test::WriteArchive("_data.loc", {{"img\\chrset1.tga", test::MakeTga(512, 8)},
                                     {"img\\gemset0.tga", test::MakeTga(500, 8)},
                                     {"img\\editbackground.tga", test::MakeTga(256, 8)}});
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\chrset1.tga", &sprites.sheets[1]), 0);
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\gemset0.tga", &sprites.sheets[2]), 0);
    chr_ = sprites.sheets[1]->gpuId;
    gem_ = sprites.sheets[2]->gpuId;
    fs::create_directories("edit");
    SetCellSize(50, 50);
    flow.gameState = Editor;
  }

  void PointAt(int x, int y) {
    mouse.pointerX = x;
    mouse.pointerY = y;
  }
  void Key(int code, bool down) { rig_->keyboard.keys[code] = down ? 0x80 : 0; }
  void Press(int code) {
    Key(code, true);
    Frame();
    Key(code, false);
    Frame();
  }
  // One frame with the buttons held as given, then one with both let go.
  void Hold(bool left, bool right) {
    rig_->mouse.left = left;
    rig_->mouse.right = right;
    Frame();
    rig_->mouse.left = rig_->mouse.right = false;
    Frame();
  }
  void ClickAt(int x, int y) {
    PointAt(x, y);
    Hold(true, false);
  }
  void PlaceAt(int brush, int x, int y) {
    editor.brush = brush;
    PointAt(x, y);
    Hold(true, false);
  }

  // Whether this frame drew `texture`'s rectangle starting at (left, top) with its top-left
  // at (x, y), scaled by `scale`, in `colour`.
  bool Drew(unsigned texture, float left, float top, float x, float y, float scale,
            std::uint32_t colour = 0xFFFFFFFFu) const {
    for (const platform::SpriteDraw& s : rig_->gpu.sprites)
      if (s.texture == texture && s.left == left && s.top == top && s.x == x && s.y == y &&
          s.scaleX == scale && s.scaleY == scale && s.colour == colour)
        return true;
    return false;
  }
  unsigned LayerTexture() const { return layers.screen.texture ? layers.screen.texture->gpuId : 0; }

  unsigned chr_ = 0, gem_ = 0;
};

TEST_F(EditorTest, EOnTheTitleOpensTheEditorOnTheEditedStage) {
  static int titleFrames = 0;
  struct Case {
    const char* name;
    int state;
    int (*title)();
    int expected;
  } cases[] = {
      {"title", Title, [] { return ++titleFrames, 0; }, Editor},
      {"the title leaves this frame", Title,
       [] {
         flow.gameState = Ending;
         return 0;
       },
       Ending},
      {"another state", Ending, [] { return 0; }, Ending},
  };
  WriteStage(3, "c4 w40 h40 z10 p60 d0>0 0 1,40 0 2,80 40 117,.");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cells.cellCount = blocks.blockCount = 0;
    editor = EditorState{};
    keyboard.previous[KEY_E] = 0;
    editor.editStage = 3;
    stateHandlers.title = c.title;
    stateHandlers.endSequence = [](int) {};
    flow.gameState = c.state;
    Key(KEY_E, true);
    Frame();
    Key(KEY_E, false);
    EXPECT_EQ(flow.gameState, c.expected);
    if (c.expected != Editor) {
      EXPECT_EQ(cells.cellCount, 0);
      continue;
    }
    // The stage is loaded and the editor's first frame is drawn in the same frame.
    EXPECT_EQ(cells.cellCount, 2);
    EXPECT_EQ(blocks.blockCount, 1);
    EXPECT_EQ(editor.editLoadedCount, 2);
    EXPECT_EQ(geometry.cellWidth, 40);
    EXPECT_TRUE(Drew(LayerTexture(), 0, 0, 0, 0, 1));
    EXPECT_EQ(layers.screen.id, LAYER_EDITOR_BACKGROUND);
  }
  EXPECT_EQ(titleFrames, 1);
}

TEST_F(EditorTest, PiecesGoToTheGridPlaceUnderThePointer) {
  struct Case {
    int size, brush, x, y;  // pointer in surface pixels
    bool placed;
    float px, py;  // where the piece lands, field units
  } cases[] = {
      {50, 3, 30, 10, true, 50, 0},      // row 0: no shift
      {50, 3, 30, 30, true, 75, 50},     // odd row: half a cell to the right
      {50, 3, 5, 30, true, 25, 50},      // the shift is added after the column
      {50, 3, 60, 399, true, 125, 750},  // the last line of the editing area
      {50, 3, 60, 400, false, 0, 0},     // the tool bar is not the field
      {50, 215, 30, 10, true, 50, 0},    // gem pieces are cells too
      {40, 3, 30, 30, true, 60, 40},
      {50, kBlockBrush, 30, 30, true, 50, 50},  // blocks: a square grid without the shift
      {50, kBlockBrush, 5, 30, true, 0, 50},
      {40, kBlockBrush, 30, 30, true, 40, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("size " + std::to_string(c.size) + " brush " + std::to_string(c.brush) + " at " +
                 std::to_string(c.x) + "," + std::to_string(c.y));
    cells.cellCount = blocks.blockCount = 0;
    SetCellSize(c.size, c.size);
    PlaceAt(c.brush, c.x, c.y);
    const bool block = c.brush == kBlockBrush;
    EXPECT_EQ(block ? blocks.blockCount : cells.cellCount, c.placed ? 1 : 0);
    EXPECT_EQ(block ? cells.cellCount : blocks.blockCount, 0);
    if (!c.placed) continue;
    EXPECT_EQ(block ? blocks.x[0] : cells.x[0], c.px);
    EXPECT_EQ(block ? blocks.y[0] : cells.y[0], c.py);
    EXPECT_EQ(block ? blocks.kind[0] : cells.kind[0], c.brush);
  }
}

TEST_F(EditorTest, OnePiecePerPlaceAndTheRightButtonRemoves) {
  PlaceAt(1, 30, 10);
  PlaceAt(5, 44, 20);  // another pointer, the same place (50, 0)
  PlaceAt(2, 80, 10);  // another place (150, 0)
  ASSERT_EQ(cells.cellCount, 2);
  EXPECT_EQ(cells.kind[0], 5);
  EXPECT_EQ(cells.x[0], 50.0f);

  // Holding the button over several frames does not pile pieces up either.
  editor.brush = kBlockBrush;
  PointAt(30, 60);
  rig_->mouse.left = true;
  for (int i = 0; i < 5; ++i) Frame();
  rig_->mouse.left = false;
  EXPECT_EQ(blocks.blockCount, 1);

  // The right button takes the piece of the brush's kind away: blocks with the block brush.
  PointAt(30, 60);
  Hold(false, true);
  EXPECT_EQ(blocks.blockCount, 0);
  EXPECT_EQ(cells.cellCount, 2);
  editor.brush = 1;
  PointAt(40, 10);
  Hold(false, true);
  ASSERT_EQ(cells.cellCount, 1);
  EXPECT_EQ(cells.x[0], 150.0f);
  PointAt(300, 300);  // nothing there
  Hold(false, true);
  EXPECT_EQ(cells.cellCount, 1);
}

TEST_F(EditorTest, RaisingTheCellSizeMovesEveryPieceToItsGridPlace) {
  AppendCell(125, 50, 1, CELL_PLACED, 0);   // row 1 (odd), column 2
  AppendCell(100, 100, 2, CELL_PLACED, 0);  // row 2, column 2
  AppendCell(0, 0, 3, CELL_PLACED, 0);
  AppendBlock(100, 150, 17);
  ClickAt(320, 490);  // cell size + 1
  EXPECT_EQ(geometry.cellWidth, 51);
  EXPECT_EQ(geometry.cellHeight, 51);
  EXPECT_EQ(geometry.cellWidthF, 51.0f);
  EXPECT_EQ(geometry.cellScaleX, 51.0f / 50.0f);
  const float expected[4][2] = {{127, 51}, {102, 102}, {0, 0}, {102, 153}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(cells.x[i], expected[i][0]) << i;
    EXPECT_EQ(cells.y[i], expected[i][1]) << i;
  }
  EXPECT_EQ(blocks.x[0], expected[3][0]);
  EXPECT_EQ(blocks.y[0], expected[3][1]);
  // The bottom line moves with the cell size, as the stage start will put it.
  EXPECT_EQ(geometry.bottomLine, 1024.0f - 51);
  EXPECT_TRUE(Drew(chr_, 0, 45, 0, (1024.0f - 51) / 2, 1, OpacityColour(40)));

  ClickAt(290, 500);  // cell size - 1: every piece goes back
  EXPECT_EQ(geometry.cellWidth, 50);
  EXPECT_EQ(cells.x[0], 125.0f);
  EXPECT_EQ(cells.y[0], 50.0f);
  EXPECT_EQ(blocks.x[0], 100.0f);
  EXPECT_EQ(blocks.y[0], 150.0f);
}

// The values the buttons change, as one line, so a probe shows which button answered.
std::string ButtonEffects() {
  std::string out;
  if (prompt.mode == 0 && prompt.armedCode == kLeaveEditorCode) out += "leave ";
  if (editor.editStage == 3) out += "next ";
  if (editor.editStage == 1) out += "previous ";
  if (files::Exists("edit\\stage2.txt")) out += "save ";
  if (geometry.cellWidth == 49) out += "cell- ";
  if (geometry.cellWidth == 51) out += "cell+ ";
  if (geometry.colourCount == 4) out += "group+ ";
  if (geometry.colourCount == 2) out += "group- ";
  if (flow.stagesPerWorld == 4) out += "world- ";
  if (flow.stagesPerWorld == 6) out += "world+ ";
  if (stageFiles.pushInterval == 59000.0f) out += "push- ";
  if (stageFiles.pushInterval == 61000.0f) out += "push+ ";
  return out.empty() ? "none" : out.substr(0, out.size() - 1);
}

TEST_F(EditorTest, ButtonsAnswerInsideTheirAreasOnly) {
  struct Probe {
    int x, y;
    const char* effect;
  } probes[] = {
      {477, 476, "leave"},    {500, 500, "leave"},    {476, 490, "none"},   {490, 475, "none"},
      {437, 476, "next"},     {467, 500, "next"},     {436, 490, "none"},   {468, 490, "none"},
      {398, 476, "previous"}, {431, 500, "previous"}, {397, 490, "none"},   {432, 490, "none"},
      {350, 476, "save"},     {390, 500, "save"},     {349, 490, "none"},   {391, 490, "none"},
      {276, 481, "cell-"},    {304, 500, "cell-"},    {275, 490, "none"},   {290, 480, "none"},
      {305, 490, "none"},     {311, 476, "cell+"},    {339, 500, "cell+"},  {340, 490, "none"},
      {246, 471, "group+"},   {264, 500, "group+"},   {265, 490, "none"},   {250, 470, "none"},
      {211, 471, "group-"},   {234, 500, "group-"},   {210, 490, "none"},   {235, 490, "none"},
      {127, 469, "world-"},   {135, 487, "world-"},   {126, 480, "none"},   {130, 488, "none"},
      {136, 480, "none"},     {141, 469, "world+"},   {149, 487, "world+"}, {150, 480, "none"},
      {145, 468, "none"},     {71, 471, "push-"},     {79, 489, "push-"},   {70, 480, "none"},
      {80, 480, "none"},      {75, 490, "none"},      {82, 471, "push+"},   {90, 489, "push+"},
      {81, 480, "none"},      {91, 480, "none"},      {85, 470, "none"},
  };
  for (const Probe& p : probes) {
    SCOPED_TRACE("click at " + std::to_string(p.x) + "," + std::to_string(p.y));
    editor.editStage = 2;
    editor.editLoadedCount = 1;
    SetCellSize(50, 50);
    geometry.colourCount = 3;
    flow.stagesPerWorld = 5;
    stageFiles.pushInterval = 60000;
    prompt = PromptState{};
    files::Delete("edit\\stage2.txt");
    ClickAt(p.x, p.y);
    EXPECT_EQ(ButtonEffects(), p.effect);
  }
}

TEST_F(EditorTest, ButtonsStopAtTheirBoundsAndStillAnswer) {
  struct Case {
    const char* name;
    int x, y;
    int* value;
    int start, expected;
  } cases[] = {
      {"cell+ below 100", 320, 490, &geometry.cellWidth, 99, 100},
      {"cell+ at 100", 320, 490, &geometry.cellWidth, 100, 100},
      {"cell- above 20", 290, 490, &geometry.cellWidth, 21, 20},
      {"cell- at 20", 290, 490, &geometry.cellWidth, 20, 20},
      {"group+ below 10", 250, 490, &geometry.colourCount, 9, 10},
      {"group+ at 10", 250, 490, &geometry.colourCount, 10, 10},
      {"group- at 1", 220, 490, &geometry.colourCount, 1, 1},
      {"world- at 1", 130, 480, &flow.stagesPerWorld, 1, 1},
      {"world+ at 10", 145, 480, &flow.stagesPerWorld, 10, 10},
      {"world+ from a file's 100", 145, 480, &flow.stagesPerWorld, 100, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetCellSize(50, 50);
    *c.value = c.start;
    if (c.value == &geometry.cellWidth) SetCellSize(c.start, c.start);
    editor.feedbackFade = 256;
    ClickAt(c.x, c.y);
    EXPECT_EQ(*c.value, c.expected);
    EXPECT_LT(editor.feedbackFade, 256.0f) << "the click counts as an action";
  }
  const struct {
    float start, expected;
    int x;
  } pushes[] = {{2000, 1000, 75}, {1999, 1999, 75}, {97000, 98000, 86}, {98000, 98000, 86}};
  for (const auto& p : pushes) {
    stageFiles.pushInterval = p.start;
    ClickAt(p.x, 480);
    EXPECT_EQ(stageFiles.pushInterval, p.expected) << p.start;
  }
}

TEST_F(EditorTest, NextStageWaitsUntilTheEditedStageHoldsACell) {
  stateHandlers.title = [] { return 0; };
  flow.gameState = Title;
  Press(KEY_E);  // stage file 1 does not exist: an empty field
  ASSERT_EQ(flow.gameState, Editor);
  EXPECT_EQ(editor.editLoadedCount, 0);
  ClickAt(450, 490);
  EXPECT_EQ(editor.editStage, 1);

  // Saving blocks alone does not open the way either.
  PlaceAt(kBlockBrush, 100, 100);
  ClickAt(370, 490);
  ClickAt(450, 490);
  EXPECT_EQ(editor.editStage, 1);

  PlaceAt(4, 100, 10);
  ClickAt(370, 490);
  EXPECT_EQ(UnsealedStage(1), "c3 w50 h50 z100 p60 d0>200 0 4,200 200 117,.");
  EXPECT_EQ(editor.editLoadedCount, 1);
  ClickAt(450, 490);
  EXPECT_EQ(editor.editStage, 2);
  EXPECT_EQ(cells.cellCount, 0) << "stage file 2 is empty";
  ClickAt(450, 490);
  EXPECT_EQ(editor.editStage, 2);

  // Back to the first file, which loads what was saved; no page before it.
  ClickAt(410, 490);
  EXPECT_EQ(editor.editStage, 1);
  EXPECT_EQ(cells.cellCount, 1);
  EXPECT_EQ(blocks.blockCount, 1);
  ClickAt(410, 490);
  EXPECT_EQ(editor.editStage, 1);
}

TEST_F(EditorTest, KeysChooseBrushesAndPalettePages) {
  struct Case {
    const char* name;
    int startPage, startBrush;
    std::vector<int> keys;
    int page, brush;
  } cases[] = {
      {"1: the block", 3, 225, {KEY_1}, 0, kBlockBrush},
      {"2", 0, 1, {3}, 0, 18},
      {"3", 0, 1, {4}, 0, 22},
      {"4", 0, 1, {5}, 0, 23},
      {"5", 0, 1, {6}, 0, 24},
      {"6", 0, 1, {7}, 0, 26},
      {"7", 0, 1, {8}, 0, 27},
      {"8", 0, 1, {9}, 0, 28},
      {"9", 0, 1, {10}, 0, 29},
      {"0", 2, 215, {KEY_0}, 0, 30},
      {"right from the colours", 0, 5, {KEY_RIGHT}, 1, 200},
      {"right twice", 0, 5, {KEY_RIGHT, KEY_RIGHT}, 2, 210},
      {"right to the last page", 4, 235, {KEY_RIGHT}, 5, 240},
      {"right on the last page", 5, 243, {KEY_RIGHT}, 5, 243},
      {"left to the colours", 1, 207, {KEY_LEFT}, 0, 1},
      {"left on the colours", 0, 22, {KEY_LEFT}, 0, 1},
      {"left from page 3", 3, 229, {KEY_LEFT}, 2, 210},
      {"left from the last page", 5, 240, {KEY_LEFT}, 4, 230},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    editor.palettePage = c.startPage;
    editor.brush = c.startBrush;
    for (int key : c.keys) Press(key);
    EXPECT_EQ(editor.palettePage, c.page);
    EXPECT_EQ(editor.brush, c.brush);
  }
}

TEST_F(EditorTest, ThePaletteShowsItsPageAndPicksUnderThePointer) {
  struct Case {
    int page;
    int x;
    int brush;  // after holding the button there; 99: unchanged
  } cases[] = {
      {0, 0, 1},   {0, 19, 1},    {0, 20, 2},   {0, 179, 9},  {0, 180, 99},
      {1, 0, 200}, {1, 199, 209}, {1, 200, 99}, {2, 45, 212}, {5, 199, 249},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("page " + std::to_string(c.page) + " x " + std::to_string(c.x));
    editor.palettePage = c.page;
    editor.brush = 99;
    PointAt(c.x, 495);
    rig_->mouse.left = true;
    Frame();
    rig_->mouse.left = false;
    // The row as drawn in that frame: ten frames (nine colours on page 0), 20 pixels apart.
    for (int j = 0; j < 10; ++j) {
      if (c.page == 0) {
        const int k = j + 1;
        EXPECT_EQ(Drew(chr_, k % 7 * 50 + 130, k / 7 * 50 + 260, 20.0f * j, 490, 0.5f), j < 9) << j;
      } else {
        const int k = j + 10 * (c.page - 1);
        EXPECT_TRUE(Drew(gem_, k % 10 * 50, k / 10 * 50, 20.0f * j, 490, 0.5f)) << j;
      }
    }
    EXPECT_EQ(editor.brush, c.brush);
  }
  // The row's height: the palette answers strictly between 490 and 510 only.
  for (int y : {490, 491, 500}) {
    editor.palettePage = 0;
    editor.brush = 99;
    PointAt(30, y);
    Hold(true, false);
    EXPECT_EQ(editor.brush, y == 490 ? 99 : 2) << y;
  }
}

TEST_F(EditorTest, ThePieceUnderThePointerIsPreviewedWhereAClickPutsIt) {
  AppendCell(100, 50, 3, CELL_PLACED, 0);
  AppendCell(200, 0, 215, CELL_PLACED, 0);
  AppendBlock(300, 100, 17);
  editor.editStage = 7;
  struct Case {
    int brush, x, y;
    bool preview;
    float px, py;  // surface position of the preview
  } cases[] = {
      {5, 30, 30, true, 37.5f, 25},         // the cell grid, odd row shifted
      {kBlockBrush, 30, 30, true, 25, 25},  // the block grid
      {5, 30, 420, false, 0, 0},            // over the tool bar nothing is placed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("brush " + std::to_string(c.brush));
    editor.brush = c.brush;
    editor.cursorBlink = 40;  // in its visible half
    PointAt(c.x, c.y);
    Frame(1);
    EXPECT_TRUE(Drew(LayerTexture(), 0, 0, 0, 0, 1));
    // The stage at half its field position and size; the gem piece from the gem sheet.
    EXPECT_TRUE(Drew(chr_, 280, 260, 50, 25, 0.5f));
    EXPECT_TRUE(Drew(gem_, 250, 50, 100, 0, 0.5f));
    EXPECT_TRUE(Drew(chr_, 280, 360, 150, 50, 0.5f));
    // The brush at full size in its well; the stage number in the digits of the sheet.
    const int k = c.brush;
    EXPECT_TRUE(Drew(chr_, k % 7 * 50 + 130, k / 7 * 50 + 260, 0, 450, 1));
    EXPECT_TRUE(Drew(chr_, 160 + 20 * 7, 0, 436, 454, 0.5f));
    // The bottom line of 50-unit cells (1024 - 50) at half scale, faint across the tool bar.
    EXPECT_TRUE(Drew(chr_, 0, 45, 0, 487, 1, OpacityColour(40)));
    EXPECT_EQ(Drew(chr_, k % 7 * 50 + 130, k / 7 * 50 + 260, c.px, c.py, 0.5f, 0xFF888888u),
              c.preview);
  }
  // The preview blinks: not in the first half of its cycle.
  editor.brush = 5;
  editor.cursorBlink = 0;
  PointAt(30, 30);
  Frame(1);
  EXPECT_FALSE(Drew(chr_, 380, 260, 37.5f, 25, 0.5f, 0xFF888888u));
}

TEST_F(EditorTest, RGivesTheColourBallsNewColoursOnly) {
  static const int kRolls[] = {13, 4, 8};
  static int roll = 0;
  randomSource.next = [] { return kRolls[roll++ % 3]; };
  const int kinds[] = {1, 22, 9, 215, 5, 17};
  for (int k : kinds) AppendCell(0, 0, k, CELL_PLACED, 0);
  Press(KEY_R);
  const int expected[] = {13 % 9 + 1, 22, 4 % 9 + 1, 215, 8 % 9 + 1, 17};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(cells.kind[i], expected[i]) << i;
}

TEST_F(EditorTest, LeavingAsksFirstAndYesGoesToTheNewGameStart) {
  struct Case {
    const char* name;
    bool escape;  // else the leave button
    int answerKey;
    int state;
  } cases[] = {
      {"escape, yes", true, KEY_Y, TitleLoad},
      {"escape, no", true, KEY_N, Editor},
      {"button, yes", false, KEY_Y, TitleLoad},
      {"button, no", false, KEY_N, Editor},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    flow.gameState = Editor;
    prompt = PromptState{};
    if (c.escape)
      Press(KEY_ESCAPE);
    else
      ClickAt(490, 490);
    EXPECT_EQ(prompt.mode, 0);
    EXPECT_EQ(prompt.armedCode, kLeaveEditorCode);
    Frame();
    EXPECT_EQ(flow.gameState, Editor) << "the prompt waits";
    Press(c.answerKey);
    EXPECT_EQ(flow.gameState, c.state);
    EXPECT_EQ(prompt.mode, -1);
  }
}

// Stage file 4 holds two cells; the editor has it open with a third cell placed.
class EditorSaveTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    WriteStage(4, kOldText);
    editor.editStage = 4;
    EnterEditor();
    PlaceAt(7, 200, 200);
    oldBytes_ = test::ReadFile(StagePath(4));
  }

  // Clicks the save button and checks that the save failed cleanly: the old file as it was,
  // no side files left in the folder, the loaded count unchanged, a message naming the file
  // and the mark under the pointer red.
  void SaveFailsCleanly() {
    rig_->dialogs.shown.clear();
    ClickAt(370, 490);
    files::writeSeam = files::WriteSeam{};
    EXPECT_EQ(test::ReadFile(StagePath(4)), oldBytes_);
    EXPECT_EQ(UnsealedStage(4), kOldText);
    for (const auto& e : fs::directory_iterator("edit"))
      EXPECT_EQ(e.path().filename(), "stage4.txt") << "left behind";
    EXPECT_EQ(editor.editLoadedCount, 2) << "the file still holds what was loaded";
    ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
    EXPECT_EQ(rig_->dialogs.shown[0].caption, "Stage editor");
    EXPECT_NE(rig_->dialogs.shown[0].text.find("edit/stage4.txt"), std::string::npos)
        << rig_->dialogs.shown[0].text;
    EXPECT_TRUE(Drew(chr_, 380, 310, 360, 480, 0.5f, 0xFFFF3C3Cu));
  }

  // With room again the same click saves, and the mark is white.
  void SaveSucceeds() {
    rig_->dialogs.shown.clear();
    ClickAt(370, 490);
    // Only stage file 1 sets the stages per world: the game's 100 is written.
    EXPECT_EQ(UnsealedStage(4), "c3 w50 h50 z100 p60 d0>0 0 1,50 0 2,400 400 7,.");
    EXPECT_EQ(editor.editLoadedCount, 3);
    EXPECT_TRUE(rig_->dialogs.shown.empty());
    EXPECT_TRUE(Drew(chr_, 380, 310, 360, 480, 0.5f, 0xFFFFFFFFu));
  }

  static constexpr const char* kOldText = "c3 w50 h50 z10 p60 d0>0 0 1,50 0 2,.";
  std::string oldBytes_;
};

TEST_F(EditorSaveTest, AFullDiskKeepsTheOldFileAndSaysSo) {
  // The bytes a whole save of this stage writes, counted on a save under another number.
  long long total = 0;
  files::writeSeam.onWrite = [](std::size_t bytes, void* context) {
    *static_cast<long long*>(context) += static_cast<long long>(bytes);
  };
  files::writeSeam.context = &total;
  ASSERT_TRUE(SaveStage(9));
  files::writeSeam = files::WriteSeam{};
  ASSERT_TRUE(fs::remove(StagePath(9)));
  ASSERT_GT(total, 2);
  for (long long budget : {0LL, total / 2, total - 1}) {
    SCOPED_TRACE("disk full after " + std::to_string(budget) + " of " + std::to_string(total));
    files::writeSeam.budget = budget;
    SaveFailsCleanly();
  }
  SaveSucceeds();
}

// Turns the right to write past permission bits off or on for this thread. Root has it, and
// without it a read-only folder is read-only for root too. False when it cannot be changed.
bool SetWritePastPermissions(bool on) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2] = {};
  if (syscall(SYS_capget, &header, data) != 0) return false;
  const unsigned bit = 1u << CAP_DAC_OVERRIDE;
  if (!(data[0].permitted & bit)) return !on;
  data[0].effective = on ? data[0].effective | bit : data[0].effective & ~bit;
  return syscall(SYS_capset, &header, data) == 0;
}

TEST_F(EditorSaveTest, AReadOnlyFolderKeepsTheOldFileAndSaysSo) {
  ASSERT_EQ(::chmod("edit", 0555), 0);
  const bool lowered = SetWritePastPermissions(false);
  std::FILE* probe = std::fopen("edit/probe", "wb");
  if (probe) {
    std::fclose(probe);
    std::remove("edit/probe");
  } else {
    SaveFailsCleanly();
  }
  if (lowered) SetWritePastPermissions(true);
  ASSERT_EQ(::chmod("edit", 0755), 0);
  if (probe) GTEST_SKIP() << "this process writes into read-only folders";
  SaveSucceeds();
}

// A stage file may name a cell size of 0: the editor must neither divide by it nor lose the
// stage's pieces, and the size buttons lead back to a usable grid.
TEST_F(EditorTest, AStageWithoutACellSizeStaysEditable) {
  WriteStage(5, "c3 w0 h0 z10 p60 d0>100 100 1,.");
  editor.editStage = 5;
  EnterEditor();
  ASSERT_EQ(geometry.cellWidth, 0);
  PlaceAt(2, 30, 30);
  Hold(false, true);
  EXPECT_EQ(cells.cellCount, 1);
  ClickAt(320, 490);
  EXPECT_EQ(geometry.cellWidth, 1);
  EXPECT_EQ(cells.x[0], 100.0f);
  for (int i = 0; i < 19; ++i) ClickAt(320, 490);
  EXPECT_EQ(geometry.cellWidth, 20);
  PlaceAt(2, 30, 10);
  ASSERT_EQ(cells.cellCount, 2);
  EXPECT_EQ(cells.x[1], 70.0f);
  EXPECT_EQ(cells.y[1], 20.0f);
}

}  // namespace
}  // namespace vx
