// The stage editor: lays out stage files with the mouse on the hexagonal grid over its own
// background, changes the stage's header values, pages through the stage files and saves
// them. The edited stage lives in the field's cell and block tables and header values, so
// leaving without saving drops the changes; the next stage start reloads its own stage.
#pragma once

namespace vx {

// The prompt code the editor arms to ask whether to leave; answered yes, it leaves.
inline constexpr int kLeaveEditorCode = 1092;
// The brush that places blocks; every other placed brush is a cell kind.
inline constexpr int kBlockBrush = 17;
// The editing area: mouse editing works above this surface y.
inline constexpr int kEditAreaBottom = 400;

struct EditorState {
  int editStage = 1;         // number of the stage file being edited
  int editLoadedCount = 1;   // cells of the last load or save; paging forward needs > 0
  int brush = 1;             // placed by a left click: a cell kind, or kBlockBrush
  int palettePage = 0;       // 0 the colour balls 1..9; 1..5 gem frames 10 x (page - 1) ..+9
  float cursorBlink = 0;     // 0..60 frame-step units; the preview shows above 30
  float feedbackFade = 256;  // 255 after an action, falling by 4 a unit; 256 shows nothing
  bool prevLeftButton = false;
  // The last save did not reach the disk: the feedback mark shows red until the next
  // action that succeeds.
  bool saveFailed = false;
};
extern EditorState editor;

// Opens the editor on the stage being edited: the game state becomes Editor and the stage
// file is loaded into the field's tables (a damaged file that cannot be restored is read as
// it stands; a missing one gives an empty field, which stops paging forward).
void EnterEditor();

// The per-frame handler of the Editor state: draws the stage, the brush, the palette and
// the values, then handles the mouse, the palette, the buttons and the keys. Returns 0.
int UpdateEditor();

}  // namespace vx
