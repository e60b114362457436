#include "editor/editor.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/frame_clock.h"
#include "core/game_state.h"
#include "core/input.h"
#include "core/random.h"
#include "draw/layers.h"
#include "draw/numbers.h"
#include "draw/sprite.h"
#include "field/field_tables.h"
#include "persist/stage_files.h"
#include "platform/files.h"
#include "platform/platform.h"

namespace vx {

EditorState editor;

namespace {

constexpr int kGemSheet = 2;  // sprite-sheet slot of "img\gemset0.tga"
constexpr int kPalettePages = 5;
constexpr int kPaletteY = 490;
constexpr int kPaletteSpacing = 20;
constexpr float kPaletteScale = 0.5f;
constexpr float kBrushX = 0, kBrushY = 450;
constexpr std::uint32_t kPreviewTint = 0xFF888888u;
constexpr std::uint32_t kFailedSaveTint = 0x00FF3C3Cu;  // the feedback mark after a failed save
constexpr float kBottomLineOpacity = 40;
constexpr SpriteRect kFeedbackRect = {380, 310, 430, 360};
constexpr float kFeedbackShown = 255, kFeedbackHidden = 256;
constexpr int kSmallestCell = 20, kLargestCell = 100;
constexpr int kMostColours = 10;
constexpr int kMostStagesPerWorld = 10;
constexpr float kPushStep = 1000, kLongestPush = 98000;

// The keys 1 .. 9 and 0 (scan codes 2 .. 11) choose these brushes on the colour page.
constexpr int kNumberKeyBrushes[10] = {kBlockBrush, 18, 22, 23, 24, 26, 27, 28, 29, 30};

enum ButtonAction {
  LEAVE,
  NEXT_STAGE,
  PREVIOUS_STAGE,
  SAVE,
  CELL_SMALLER,
  CELL_LARGER,
  GROUP_LARGER,
  GROUP_SMALLER,
  PER_WORLD_FEWER,
  PER_WORLD_MORE,
  PUSH_SHORTER,
  PUSH_LONGER,
};

// Click areas of the tool bar in surface pixels, edges inclusive; the first match wins.
struct ButtonArea {
  int left, right, top, bottom;
  ButtonAction action;
};
constexpr ButtonArea kButtons[] = {
    {477, 510, 476, 528, LEAVE},           {437, 467, 476, 528, NEXT_STAGE},
    {398, 431, 476, 528, PREVIOUS_STAGE},  {350, 390, 476, 528, SAVE},
    {276, 304, 481, 524, CELL_SMALLER},    {311, 339, 476, 528, CELL_LARGER},
    {246, 264, 471, 519, GROUP_LARGER},    {211, 234, 471, 519, GROUP_SMALLER},
    {127, 135, 469, 487, PER_WORLD_FEWER}, {141, 149, 469, 487, PER_WORLD_MORE},
    {71, 79, 471, 489, PUSH_SHORTER},      {82, 90, 471, 489, PUSH_LONGER},
};

// Whole-number part of a position, held within int.
int WholeUnits(float v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0f) return 2147483647;
  if (v <= -2147483648.0f) return -2147483647 - 1;
  return static_cast<int>(v);
}

// A surface pixel of the pointer in field units.
int FieldX(int pixels) {
  return WholeUnits(static_cast<float>(pixels) / sprites.screenScaleX);
}
int FieldY(int pixels) {
  return WholeUnits(static_cast<float>(pixels) / sprites.screenScaleY);
}

// A stage file may name a cell size of 0 or below; such a stage has no grid to snap to or
// to move its pieces along.
bool HasGrid() {
  return geometry.cellWidth > 0 && geometry.cellHeight > 0;
}

// Where a block goes under the pointer: a square grid without the row shift.
GridPlace BlockSnap() {
  const int w = geometry.cellWidth, h = geometry.cellHeight;
  return {FieldX(mouse.pointerX) / w * w, FieldY(mouse.pointerY) / h * h};
}

// Where a cell goes under the pointer: odd rows shifted right by half a cell. The ceiling
// offset plays no part while editing.
GridPlace CellSnap() {
  const int w = geometry.cellWidth, h = geometry.cellHeight;
  const int row = FieldY(mouse.pointerY) / h;
  return {FieldX(mouse.pointerX) / w * w + (row % 2 != 0 ? w / 2 : 0), row * h};
}

// Brushes that stand for pieces a stage does not place.
bool IsPlacedBrush(int brush) {
  return !((brush >= 10 && brush <= 16) || brush == 19 || brush == 20);
}

// A piece of the stage, the brush or the palette at surface (x, y): kinds below 200 from the
// character sheet's 50 x 50 cell frames (7 a row), 200 .. 299 from the gem sheet (10 a row).
void DrawPiece(int kind, float x, float y, float scaleX, float scaleY, std::uint32_t colour) {
  Texture* sheet = nullptr;
  SpriteRect rect;
  if (kind >= 200) {
    const int k = kind - 200;
    sheet = sprites.sheets[kGemSheet];
    rect = {k % 10 * 50, k / 10 * 50, k % 10 * 50 + 50, k / 10 * 50 + 50};
  } else {
    const int left = kind % 7 * 50 + 130, top = kind / 7 * 50 + 260;
    sheet = sprites.sheets[kCharacterSheet];
    rect = {left, top, left + 50, top + 50};
  }
  DrawTexture(sheet, &rect, scaleX, scaleY, 0, 0, 0, x, y, colour);
}

// The stage's cells, then its blocks, at their field positions in the cell size.
void DrawStage() {
  const float sx = sprites.screenScaleX, sy = sprites.screenScaleY;
  const float scaleX = sx * geometry.cellScaleX, scaleY = sy * geometry.cellScaleY;
  for (int i = 0; i < cells.cellCount; ++i)
    DrawPiece(cells.kind[i], cells.x[i] * sx, cells.y[i] * sy, scaleX, scaleY, 0xFFFFFFFFu);
  for (int i = 0; i < blocks.blockCount; ++i)
    DrawPiece(blocks.kind[i], blocks.x[i] * sx, blocks.y[i] * sy, scaleX, scaleY, 0xFFFFFFFFu);
}

// The row of pieces to pick from: the nine colour balls, or ten frames of the gem sheet.
void DrawPalette() {
  for (int j = 0; j < 10; ++j) {
    const float x = static_cast<float>(j * kPaletteSpacing);
    if (editor.palettePage == 0) {
      if (j < 9) DrawPiece(j + 1, x, kPaletteY, kPaletteScale, kPaletteScale, 0xFFFFFFFFu);
    } else {
      DrawPiece(200 + j + 10 * (editor.palettePage - 1), x, kPaletteY, kPaletteScale, kPaletteScale,
                0xFFFFFFFFu);
    }
  }
}

// The brush, dimmed, where a left click would put it; it blinks, and shows only over the
// part of the field where a click places (a block brush at the block grid).
void DrawPreview() {
  editor.cursorBlink += frameClock.frameStep;
  if (editor.cursorBlink > 60) editor.cursorBlink = 0;
  if (editor.cursorBlink <= 30 || !HasGrid()) return;
  const float pointerY = static_cast<float>(mouse.pointerY);
  if (pointerY >= geometry.bottomLine * sprites.screenScaleY) return;
  if (mouse.pointerY >= kEditAreaBottom || !IsPlacedBrush(editor.brush)) return;
  const GridPlace at = editor.brush == kBlockBrush ? BlockSnap() : CellSnap();
  DrawPiece(editor.brush, static_cast<float>(at.x) * sprites.screenScaleX,
            static_cast<float>(at.y) * sprites.screenScaleY,
            sprites.screenScaleX * geometry.cellScaleX, sprites.screenScaleY * geometry.cellScaleY,
            kPreviewTint);
}

// A figure at a surface position, in the digits of the character sheet.
void DrawFigure(int value, float x, float y) {
  DrawNumber(value, 1, x / sprites.screenScaleX, y / sprites.screenScaleY, 0);
}

void DrawValues() {
  DrawFigure(editor.editStage, 436, 454);
  DrawFigure(geometry.cellWidth, 310, 454);
  DrawFigure(geometry.colourCount, 190, 485);
  DrawFigure(flow.stagesPerWorld, 150, 470);
  DrawFigure(WholeUnits(stageFiles.pushInterval / 1000.0f), 92, 474);
}

// The flash under the pointer after an action; red after a save that failed.
void DrawFeedback() {
  if (editor.feedbackFade >= kFeedbackHidden) return;
  const int fade = editor.feedbackFade > 200 ? 255 : static_cast<int>(editor.feedbackFade);
  const std::uint32_t tint = editor.saveFailed ? kFailedSaveTint : 0x00FFFFFFu;
  const std::uint32_t colour = static_cast<std::uint32_t>(fade < 0 ? 0 : fade) << 24 | tint;
  DrawTexture(
      sprites.sheets[kCharacterSheet], &kFeedbackRect, sprites.screenScaleX * geometry.cellScaleX,
      sprites.screenScaleY * geometry.cellScaleY, 0, 0, 0, static_cast<float>(mouse.pointerX - 10),
      static_cast<float>(mouse.pointerY - 10), colour);
  editor.feedbackFade -= 4 * frameClock.frameStep;
  if (editor.feedbackFade < 0) editor.feedbackFade = kFeedbackHidden;
}

// The first block standing exactly at (x, y), or -1.
int BlockAt(int x, int y) {
  for (int i = 0; i < blocks.blockCount; ++i)
    if (blocks.x[i] == static_cast<float>(x) && blocks.y[i] == static_cast<float>(y)) return i;
  return -1;
}

// The first cell standing exactly at (x, y), or -1.
int CellAt(int x, int y) {
  for (int i = 0; i < cells.cellCount; ++i)
    if (cells.x[i] == static_cast<float>(x) && cells.y[i] == static_cast<float>(y)) return i;
  return -1;
}

// Places the brush with the left button or removes with the right, at the grid place under
// the pointer; one piece per place, so placing on a taken place changes its kind. True for
// an action.
bool EditWithMouse() {
  if (mouse.pointerY >= kEditAreaBottom || (!mouse.left && !mouse.right) || !HasGrid())
    return false;
  if (editor.brush == kBlockBrush) {
    const GridPlace at = BlockSnap();
    int i = BlockAt(at.x, at.y);
    if (mouse.left) {
      if (i < 0) i = AppendBlock(static_cast<float>(at.x), static_cast<float>(at.y), kBlockBrush);
      if (i < 0) return false;  // the block table is full
      blocks.kind[i] = kBlockBrush;
    } else if (i >= 0) {
      RemoveBlock(i);
    }
    return true;
  }
  if (!IsPlacedBrush(editor.brush)) return false;
  const GridPlace at = CellSnap();
  int i = CellAt(at.x, at.y);
  if (mouse.left) {
    if (i < 0)
      i = AppendCell(static_cast<float>(at.x), static_cast<float>(at.y), editor.brush, CELL_PLACED,
                     0.0f);
    if (i < 0) return false;  // the cell table is full
    cells.kind[i] = editor.brush;
  } else if (i >= 0) {
    RemoveCell(i);
  }
  return true;
}

// The left button held over the palette row picks the piece under it.
bool PickFromPalette() {
  if (!mouse.left || mouse.pointerY <= kPaletteY || mouse.pointerY >= 510) return false;
  const int i = mouse.pointerX / kPaletteSpacing;
  if (editor.palettePage > 0 && i < 10) {
    editor.brush = i + 10 * editor.palettePage + 190;
    return true;
  }
  if (editor.palettePage == 0 && i < 9) {
    editor.brush = i + 1;
    return true;
  }
  return false;
}

// Moves every cell and block to the same grid place at the new square cell size s.
void ChangeCellSize(int s) {
  const int o = geometry.cellWidth;
  if (o > 0) {
    for (int i = 0; i < cells.cellCount; ++i) {
      const long long row = WholeUnits(cells.y[i]) / o;
      const long long column = WholeUnits(cells.x[i]) / o;
      cells.x[i] = static_cast<float>(s * column + (row % 2 != 0 ? s / 2 : 0));
      cells.y[i] = static_cast<float>(s * row);
    }
    for (int i = 0; i < blocks.blockCount; ++i) {
      blocks.x[i] = static_cast<float>(s * static_cast<long long>(WholeUnits(blocks.x[i]) / o));
      blocks.y[i] = static_cast<float>(s * static_cast<long long>(WholeUnits(blocks.y[i]) / o));
    }
  }
  SetCellSize(s, s);
}

void LoadEditedStage() {
  editor.editLoadedCount = LoadStage(editor.editStage, true);
}

// Writes the edited stage. A save that fails leaves the file as it was; the player is told
// and the loaded count keeps describing that file.
bool SaveEditedStage() {
  if (SaveStage(editor.editStage)) {
    editor.editLoadedCount = cells.cellCount;
    return true;
  }
  char name[64];
  StageFileName(editor.editStage, name, sizeof name);
  const std::string text = "The stage could not be saved to " + platform::files::NativePath(name) +
                           ": the disk may be full or the folder read-only. The file on disk "
                           "keeps what it held before.";
  platform::ShowMessage(text.c_str(), "Stage editor");
  return false;
}

// Clicks on the tool bar's buttons. Every button counts as an action, also where a bound
// keeps its value. Returns the action's outcome: 1 done, 0 none, -1 a save that failed.
int PressButtons() {
  if (!mouse.left || editor.prevLeftButton) return 0;
  const int x = mouse.pointerX, y = mouse.pointerY;
  for (const ButtonArea& b : kButtons) {
    if (x < b.left || x > b.right || y < b.top || y > b.bottom) continue;
    switch (b.action) {
      case LEAVE:
        ConfirmPrompt(kLeaveEditorCode, 0);
        break;
      case NEXT_STAGE:
        if (editor.editLoadedCount > 0) {
          ++editor.editStage;
          LoadEditedStage();
        }
        break;
      case PREVIOUS_STAGE:
        if (editor.editStage > 1) {
          --editor.editStage;
          LoadEditedStage();
        }
        break;
      case SAVE:
        if (!SaveEditedStage()) return -1;
        break;
      case CELL_SMALLER:
        if (geometry.cellWidth > kSmallestCell) ChangeCellSize(geometry.cellWidth - 1);
        break;
      case CELL_LARGER:
        if (geometry.cellWidth < kLargestCell) ChangeCellSize(geometry.cellWidth + 1);
        break;
      case GROUP_LARGER:
        if (geometry.colourCount < kMostColours) ++geometry.colourCount;
        break;
      case GROUP_SMALLER:
        if (geometry.colourCount > 1) --geometry.colourCount;
        break;
      case PER_WORLD_FEWER:
        if (flow.stagesPerWorld > 1) --flow.stagesPerWorld;
        break;
      case PER_WORLD_MORE:
        if (flow.stagesPerWorld < kMostStagesPerWorld) ++flow.stagesPerWorld;
        break;
      case PUSH_SHORTER:
        if (stageFiles.pushInterval >= 2 * kPushStep) stageFiles.pushInterval -= kPushStep;
        break;
      case PUSH_LONGER:
        if (stageFiles.pushInterval < kLongestPush) stageFiles.pushInterval += kPushStep;
        break;
    }
    return 1;
  }
  return 0;
}

void EditorKeys() {
  for (int k = 0; k < 10; ++k) {
    if (!KeyPressed(KEY_1 + k, true)) continue;
    editor.brush = kNumberKeyBrushes[k];
    editor.palettePage = 0;
  }
  if (KeyPressed(KEY_RIGHT, true) && editor.palettePage < kPalettePages) {
    editor.brush = 200 + 10 * editor.palettePage;
    ++editor.palettePage;
  }
  if (KeyPressed(KEY_LEFT, true)) {
    if (editor.palettePage < 2) {
      editor.palettePage = 0;
      editor.brush = 1;
    } else {
      --editor.palettePage;
      editor.brush = 200 + 10 * (editor.palettePage - 1);
    }
  }
  if (KeyPressed(KEY_ESCAPE, true)) ConfirmPrompt(kLeaveEditorCode, 0);
  if (KeyPressed(KEY_R, true)) {
    for (int i = 0; i < cells.cellCount; ++i)
      if (IsColourKind(cells.kind[i])) cells.kind[i] = GameRand() % 9 + 1;
  }
}

}  // namespace

void EnterEditor() {
  flow.gameState = Editor;
  LoadEditedStage();
  // A button held on the way in is not a click on the tool bar.
  editor.prevLeftButton = mouse.left;
}

int UpdateEditor() {
  // The geometry a stage start would give the edited stage, so the bottom line marker and
  // the piece sizes follow its cell size.
  geometry.launcherLeft = 512 - geometry.launcherWidth / 2;
  geometry.launcherTop = 1024 - geometry.launcherHeight;
  SetCellSize(geometry.cellWidth, geometry.cellHeight);

  game_DisplayLayer(LAYER_EDITOR_BACKGROUND, LayerImage(LAYER_EDITOR_BACKGROUND), 100);
  DrawStage();
  // The bottom line of every cell size from 20 to 100 lies in the tool bar, across its
  // buttons: the marker is drawn faint, and under the brush, the palette and the figures, so
  // they stay readable.
  DrawSprite(0, geometry.bottomLine * sprites.screenScaleY, 0, 45, 511, 50, kBottomLineOpacity, 0,
             1, 1, 0, 0);
  DrawPiece(editor.brush, kBrushX, kBrushY, 1, 1, 0xFFFFFFFFu);
  DrawPalette();
  DrawPreview();
  DrawValues();
  DrawFeedback();
  DrawPointer(true);

  bool acted = EditWithMouse();
  acted = PickFromPalette() || acted;
  const int pressed = PressButtons();
  EditorKeys();
  editor.prevLeftButton = mouse.left;
  if (pressed < 0) {
    editor.saveFailed = true;
    editor.feedbackFade = kFeedbackShown;
  } else if (acted || pressed > 0) {
    editor.saveFailed = false;
    editor.feedbackFade = kFeedbackShown;
  }

  // The prompt is answered after the frame's work, so its yes shows in the next frame.
  if (prompt.answer == kLeaveEditorCode) flow.gameState = TitleLoad;
  return 0;
}

}  // namespace vx
