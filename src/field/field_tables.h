// The play field's tables: cells standing in the grid, objects acting on the field, blocks,
// the aim path and the next-ball queue, with the grid geometry they are laid out in.
// Positions are field units (1024 wide, y downward) and name the top-left corner of a
// cell-sized box. Tables are dense, in creation order; removal shifts later entries down, so an
// index is only valid until the next removal.
#pragma once

namespace vx {

inline constexpr int kCellCapacity = 5000;
inline constexpr int kObjectCapacity = 5000;
inline constexpr int kBlockCapacity = 5000;
inline constexpr int kPathCapacity = 10000;
inline constexpr int kPathStepLimit = 1500;  // steps of one aim path computation
inline constexpr int kQueueCapacity = 100;
// Spawners of field objects stop appending once the object table holds this many.
inline constexpr int kSpawnObjectLimit = 2000;

enum CellFlag : int {
  CELL_PLACED = 0x01,
  CELL_BOMB = 0x20,
  CELL_UNSUPPORTED = 0x40,
  CELL_BREAKING = 0x80,
};

// Cell kinds with a rule of their own; 1..9 are the nine ball colours.
enum CellKind : int {
  KIND_BLAST = 22,
  KIND_GEM_SPRING = 23,
  KIND_SEED_SPRING = 24,
  KIND_SEED = 25,
  KIND_GUIDE_GIFT = 26,
  KIND_LASER_GIFT = 27,  // also the kind of a laser shot
  KIND_LIMITED_GEM_SPRING = 28,
  KIND_DEFLECTOR_BALL = 29,
  KIND_LASER_BALL = 32,
};

inline bool IsColourKind(int kind) {
  return kind >= 1 && kind <= 9;
}

// Object behaviour bits; the object update runs the first one set, in the order listed.
enum ObjectFlag : int {
  OBJECT_POPPING = 0x80,
  OBJECT_FALLING = 0x40,
  OBJECT_GROWING_BALL = 0x20,
  OBJECT_GROWING_SEED = 0x10,
  OBJECT_DEFLECTOR = 0x08,
  OBJECT_ABSORBER = 0x04,
  OBJECT_HIT_FLASH = 0x02,
  OBJECT_COLOUR_CHANGER = 0x01,
  OBJECT_LASER_BEAM = 0x100,
  OBJECT_BEAM_FLASH = 0x200,
  OBJECT_BOMB = 0x400,
  OBJECT_BOMB_BLAST = 0x800,
  OBJECT_INTRUDER = 0x2000,
};
// The auras that act on a flying shot.
inline constexpr int kShotAuraFlags = OBJECT_DEFLECTOR | OBJECT_ABSORBER | OBJECT_COLOUR_CHANGER;

// Aim path step bits.
enum PathFlag : int {
  PATH_BOUNCE = 0x01,    // bounced off a wall or block, or stopped at the ceiling line
  PATH_ABSORBED = 0x02,  // swallowed by an absorber aura; ends the path
  PATH_RECOLOUR = 0x04,  // passed near a colour changer: the shot takes a random colour
};

// Stage-wide grid geometry, set when a stage starts.
struct FieldGeometry {
  int cellWidth = 80;
  int cellHeight = 80;
  float cellWidthF = 80.0f;
  float cellHeightF = 80.0f;
  float cellScaleX = 1.6f;  // cellWidthF / 50: every sprite sheet holds 50 x 50 frames
  float cellScaleY = 1.6f;
  float ceilingOffset = 0.0f;  // vertical offset of grid row 0; grows with every push
  float ceilingLine = 0.0f;    // lower edge of the pusher: shots stop there
  float bottomLine = 900.0f;   // 1024 - cellHeightF once a stage is set up
  float launcherWidth = 117.0f;
  float launcherHeight = 256.0f;
  float launcherLeft = 453.5f;  // 512 - launcherWidth / 2
  float launcherTop = 768.0f;   // 1024 - launcherHeight
  float shotStartX = 472.0f;    // top-left of the ball resting on the launcher wheel
  float shotStartY = 955.5f;
  float blockLimit = 768.0f;  // blocks whose bottom edge reaches it are ignored by block tests
  int colourCount = 3;        // smallest number of like-coloured cells that break
};
extern FieldGeometry geometry;

// Sets the cell size and everything derived from it (float sizes, sprite scale, bottom line,
// the ball's rest position on the launcher), as a stage start does.
void SetCellSize(int width, int height);

struct FieldCells {
  float x[kCellCapacity];
  float y[kCellCapacity];
  int kind[kCellCapacity];
  int flags[kCellCapacity];
  float timer[kCellCapacity];  // phase or countdown in frame-step units
  int cellCount = 0;
};
extern FieldCells cells;

struct FieldObjects {
  float x[kObjectCapacity];
  float y[kObjectCapacity];
  int code[kObjectCapacity];   // the kind it came from (negated for popping balls) or a code
  int flags[kObjectCapacity];  // ObjectFlag bits
  float timer[kObjectCapacity];
  int objectCount = 0;
};
extern FieldObjects objects;

struct FieldBlocks {
  float x[kBlockCapacity];
  float y[kBlockCapacity];
  int kind[kBlockCapacity];  // 0..99, drawn from the character sheet
  int blockCount = 0;
};
extern FieldBlocks blocks;

// The precomputed flight of the next shot, rebuilt every frame while aiming.
struct AimPath {
  float x[kPathCapacity];
  float y[kPathCapacity];
  int flags[kPathCapacity];  // PathFlag bits
  int pathCount = 0;
  float pathStartX = 0.0f, pathStartY = 0.0f;  // top-left of the ball in the launcher
  float pathEndX = 0.0f, pathEndY = 0.0f;      // where the flight ends
  float pathEndDX = 0.0f, pathEndDY = 0.0f;    // step vector at the end
  int pathFlags = 0;                           // OR of every step's flags
  int hitCell = -1;                            // the cell touched; only set by a touch
  bool endedOnCell = false;  // the last path ended touching a cell: hitCell is the shot's
};
extern AimPath aimPath;

struct NextBallQueue {
  int colour[kQueueCapacity] = {};
  float roll[kQueueCapacity] = {};  // drop-in bounce phase: 3600 on arrival, runs down to 0
  int queueLength = 5;
  float queueScroll = 0.0f;  // slide-left offset in screen units
  int queueState = 0;        // 0 idle, 1 sliding after a shot, 2 shift one place
  int queueVisible = 0;      // entries that fit on screen
  bool queueRefill = true;   // refill with new colours on the next playing frame
  // Smart colour choices left before a plainly random one; lives for the whole run.
  int smartBudget = 0;
};
extern NextBallQueue queue;

enum QueueState : int { QUEUE_IDLE = 0, QUEUE_SLIDE = 1, QUEUE_SHIFT = 2 };

struct FieldCounts {
  int remainingColourCells = 0;  // cells of kinds 1..9
  int clearedColourCells = 0;    // colour cells removed since the stage started
  bool fieldOverflow = false;    // something came within 1.5 cell heights of the bottom line
};
extern FieldCounts fieldCounts;

// Empties every field table and puts geometry, queue and counters back to their program-start
// values.
void ResetFieldTables();

// Appends refuse (return -1) when the table is full; otherwise they return the new index.
int AppendCell(float x, float y, int kind, int flags, float timer);
int AppendObject(float x, float y, int code, int flags, float timer);
int AppendBlock(float x, float y, int kind);

// The number of cells of kinds 1..9. Raises fieldCounts.fieldOverflow when a cell, or an
// object other than a popping or falling ball, comes within 1.5 cell heights of the bottom
// line (the flag is only ever raised here; the play frame clears it).
int CountColourBalls();
// Raises fieldCounts.fieldOverflow as CountColourBalls does, without counting.
void RaiseFieldOverflow();

// Removes cell i, keeping the cleared and remaining colour counts.
void RemoveCell(int i);
// Remove entry i, shifting the later entries down by one.
void RemoveObject(int i);
void RemoveBlock(int i);

// Index of the n-th hexagonal neighbour of cell i (1 upper left, 2 upper right, 3 right,
// 4 lower right, 5 lower left, 6 left) whose flags share no bit with skipMask, or -1.
int NeighbourOf(int n, int i, int skipMask);

// Moves every cell whose flags share a bit with mask into the object table: breaking cells
// become popping balls, unsupported ones falling balls. Plays the link and fall sounds and
// returns the number moved. The cells that stay keep their order; the counts are taken once.
int DetachCells(int mask);
// The same, removing the cells one by one with RemoveCell; slow on large groups, kept as the
// measure of the other.
int DetachCellsReference(int mask);

struct GridPlace {
  int x = 0;
  int y = 0;
};
// The grid cell containing the point.
GridPlace SnapToGrid(int x, int y);

// Highest index whose box holds a corner of the box of a ball at (x, y) shrunk by
// shrinkPercent of the cell size, or -1. These scan the whole table.
int CellAtBox(float x, float y, float shrinkPercent);
int BlockAtBox(float x, float y, float shrinkPercent);
int ObjectAtBox(float x, float y, float shrinkPercent);
// Highest index of the block containing the point, or -1.
int BlockAtPoint(float x, float y);
// Blocks whose bottom edge reaches the block limit are ignored by the block tests.
inline bool BlockIgnored(int i) {
  return blocks.y[i] + geometry.cellHeightF >= geometry.blockLimit;
}

// Stable ascending sort of the cell table by y.
void SortCellsByY();

}  // namespace vx
