#include "persist/stage_audit.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <deque>

#include "field/field_tables.h"
#include "platform/files.h"
#include "storage/sealed.h"

namespace vx {

namespace files = platform::files;

namespace {

constexpr int kFieldWidth = 1024;
constexpr int kDangerOffset = 168;  // the danger line lies this far above the bottom line
constexpr int kLauncherTop = 768;   // blocks reaching it are ignored by the shot's block tests
constexpr int kSmallestCell = 16;
constexpr int kLargestCell = 160;

bool IsPlainPiece(int kind) {
  return kind == 0 || kind == 10 || kind == 11 || kind == 15 || kind == 17;
}
bool IsSpecial(int kind) {
  return kind >= KIND_BLAST && kind <= KIND_LASER_BALL;
}
// Gem frames 13 and 14 are the bomb and its overlay: a piece showing them would pass for a bomb.
bool IsGemPiece(int kind) {
  return kind >= 200 && kind <= 299 && kind != 213 && kind != 214;
}
// What a shot can break by landing against it: colours by their group, the other specials by
// themselves. Kinds 29..32 loaded from a file mature on the first frame and leave the grid.
bool IsHittable(int kind) {
  return IsColourKind(kind) || (kind >= KIND_BLAST && kind <= KIND_LIMITED_GEM_SPRING);
}
bool LeavesAtStart(int kind) {
  return kind >= KIND_DEFLECTOR_BALL && kind <= KIND_LASER_BALL;
}

struct Box {
  int x, y, w, h;
};

bool Overlap(const Box& a, const Box& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Two boxes share an edge (within a unit) over a stretch of positive length.
bool Touch(const Box& a, const Box& b) {
  auto span = [](int lo1, int len1, int lo2, int len2) {
    return std::min(lo1 + len1, lo2 + len2) - std::max(lo1, lo2);  // > 0 overlap, < 0 gap
  };
  const int sx = span(a.x, a.w, b.x, b.w), sy = span(a.y, a.h, b.y, b.h);
  return (sx > 0 && sy >= -1) || (sy > 0 && sx >= -1);
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

// The grid places of the field above the bottom line, row by row.
struct Grid {
  int w = 0, h = 0, rows = 0;
  std::vector<int> rowStart;  // index of the first place of each row, plus the total at the end

  void Build(int cellW, int cellH) {
    w = cellW;
    h = cellH;
    rowStart.assign(1, 0);
    for (int r = 0; r * h + h <= kFieldWidth - h; ++r) {
      rowStart.push_back(rowStart.back() + Columns(r));
      rows = r + 1;
    }
  }
  int Offset(int r) const { return (r & 1) ? w / 2 : 0; }
  int Columns(int r) const { return (kFieldWidth - Offset(r)) / w; }
  int Places() const { return rowStart.back(); }
  int Row(int p) const {
    int r = 0;
    while (rowStart[r + 1] <= p) ++r;
    return r;
  }
  Box PlaceBox(int p) const {
    const int r = Row(p);
    return {Offset(r) + (p - rowStart[r]) * w, r * h, w, h};
  }
  // The place whose box is exactly at (x, y), or -1.
  int PlaceAt(int x, int y) const {
    if (y < 0 || y % h != 0) return -1;
    const int r = y / h;
    if (r >= rows) return -1;
    const int dx = x - Offset(r);
    if (dx < 0 || dx % w != 0 || dx / w >= Columns(r)) return -1;
    return rowStart[r] + dx / w;
  }
  // The up to six hexagonal neighbours of place p.
  int Neighbours(int p, int out[6]) const {
    const int r = Row(p), k = p - rowStart[r];
    int n = 0;
    auto add = [&](int row, int col) {
      if (row < 0 || row >= rows || col < 0 || col >= Columns(row)) return;
      out[n++] = rowStart[row] + col;
    };
    add(r, k - 1);
    add(r, k + 1);
    // An even row's neighbours above and below sit half a cell left and right of it, in the
    // shifted rows' columns k - 1 and k; an odd row's in the even rows' columns k and k + 1.
    const int left = (r & 1) ? k : k - 1;
    add(r - 1, left);
    add(r - 1, left + 1);
    add(r + 1, left);
    add(r + 1, left + 1);
    return n;
  }
};

// Cells that hang from the ceiling row or from a block, through touching cells; `alive`
// selects the cells taking part.
std::vector<char> HeldCells(const std::vector<Box>& cellBoxes, const std::vector<char>& alive,
                            const std::vector<Box>& blockBoxes) {
  const std::size_t n = cellBoxes.size();
  std::vector<char> held(n, 0);
  std::deque<std::size_t> open;
  for (std::size_t i = 0; i < n; ++i) {
    if (!alive[i]) continue;
    bool anchored = cellBoxes[i].y <= 0;
    for (std::size_t b = 0; !anchored && b < blockBoxes.size(); ++b)
      anchored = Touch(cellBoxes[i], blockBoxes[b]);
    if (anchored) {
      held[i] = 1;
      open.push_back(i);
    }
  }
  while (!open.empty()) {
    const std::size_t i = open.front();
    open.pop_front();
    for (std::size_t j = 0; j < n; ++j) {
      if (!alive[j] || held[j] || !Touch(cellBoxes[i], cellBoxes[j])) continue;
      held[j] = 1;
      open.push_back(j);
    }
  }
  return held;
}

// Clears the field the way a patient player could: every piece a shot can land against
// breaks (a blast takes its neighbours along), whatever then hangs from nothing falls, and
// the shots' way in opens up further, until nothing changes. Returns the colour balls left.
std::vector<int> UnreachableColourCells(const Grid& grid, const std::vector<Box>& cellBoxes,
                                        const std::vector<Box>& blockBoxes) {
  const int n = static_cast<int>(cellBoxes.size());
  const int places = grid.Places();
  std::vector<char> blocked(places, 0);
  for (int p = 0; p < places; ++p)
    for (const Box& b : blockBoxes)
      if (Overlap(grid.PlaceBox(p), b)) blocked[p] = 1;
  std::vector<int> placeOf(n);
  std::vector<char> alive(n);
  for (int i = 0; i < n; ++i) {
    placeOf[i] = grid.PlaceAt(cellBoxes[i].x, cellBoxes[i].y);
    alive[i] = !LeavesAtStart(cells.kind[i]);
  }
  int around[6];
  for (;;) {
    std::vector<int> cellAt(places, -1);
    for (int i = 0; i < n; ++i)
      if (alive[i]) cellAt[placeOf[i]] = i;
    // The shots' way in: free places connected to the free bottom row.
    std::vector<char> reached(places, 0);
    std::deque<int> open;
    for (int p = grid.rowStart[grid.rows - 1]; p < places; ++p)
      if (!blocked[p] && cellAt[p] < 0) {
        reached[p] = 1;
        open.push_back(p);
      }
    while (!open.empty()) {
      const int p = open.front();
      open.pop_front();
      const int count = grid.Neighbours(p, around);
      for (int k = 0; k < count; ++k) {
        const int q = around[k];
        if (reached[q] || blocked[q] || cellAt[q] >= 0) continue;
        reached[q] = 1;
        open.push_back(q);
      }
    }
    std::vector<char> breaks(n, 0);
    bool changed = false;
    for (int i = 0; i < n; ++i) {
      if (!alive[i] || !IsHittable(cells.kind[i])) continue;
      const int count = grid.Neighbours(placeOf[i], around);
      bool open = false;
      for (int k = 0; k < count && !open; ++k) open = reached[around[k]];
      if (!open) continue;
      breaks[i] = 1;
      if (cells.kind[i] == KIND_BLAST)
        for (int k = 0; k < count; ++k)
          if (cellAt[around[k]] >= 0) breaks[cellAt[around[k]]] = 1;
    }
    for (int i = 0; i < n; ++i)
      if (breaks[i]) {
        alive[i] = 0;
        changed = true;
      }
    const std::vector<char> held = HeldCells(cellBoxes, alive, blockBoxes);
    for (int i = 0; i < n; ++i)
      if (alive[i] && !held[i]) {
        alive[i] = 0;
        changed = true;
      }
    if (!changed) break;
  }
  std::vector<int> left;
  for (int i = 0; i < n; ++i)
    if (alive[i] && IsColourKind(cells.kind[i])) left.push_back(i);
  return left;
}

}  // namespace

int AuditLoadedStage(const StageHeader& header, bool firstFile,
                     std::vector<std::string>* problems) {
  const std::size_t before = problems->size();
  auto report = [&](const std::string& text) { problems->push_back(text); };

  if (!header.closed) report("the header has no closing '>': the game reads no cells");
  if (header.colourCount < 2 || header.colourCount > 9)
    report(Format("breaking group c%d: groups of 2 to 9 balls can be built", header.colourCount));
  if (!header.hasPushInterval) report("no push interval p: the last stage's would stay in force");
  if (header.hasPushInterval && header.pushSeconds < 1)
    report(Format("push interval p%d: the pusher would push every frame", header.pushSeconds));
  if (firstFile && (!header.hasStagesPerWorld || header.stagesPerWorld < 1))
    report("stage file 1 must set the stages per world (z1 or more)");
  const int w = header.cellWidth, h = header.cellHeight;
  if (w < kSmallestCell || w > kLargestCell || h < kSmallestCell || h > kLargestCell || (w & 1)) {
    report(Format("cell size %d x %d: cells are %d to %d units, an even width", w, h, kSmallestCell,
                  kLargestCell));
    return static_cast<int>(problems->size() - before);
  }

  const int n = cells.cellCount;
  if (n == 0) report("no cells: the game would build a random field instead");
  Grid grid;
  grid.Build(w, h);
  const int dangerLine = kFieldWidth - h - kDangerOffset;
  const int lowestTop = dangerLine - (kAuditDangerMarginRows + 1) * h;
  std::vector<Box> cellBoxes(n), blockBoxes(blocks.blockCount);
  int colourTotal[10] = {};
  bool layoutSound = true;
  for (int i = 0; i < n; ++i) {
    const int x = static_cast<int>(cells.x[i]), y = static_cast<int>(cells.y[i]);
    const int kind = cells.kind[i];
    cellBoxes[i] = {x, y, w, h};
    if (IsColourKind(kind)) ++colourTotal[kind];
    if (!IsColourKind(kind) && !IsPlainPiece(kind) && !IsSpecial(kind) && !IsGemPiece(kind))
      report(Format("cell (%d, %d): kind %d is no stage piece", x, y, kind));
    if (x < 0 || x + w > kFieldWidth || y < 0) {
      report(Format("cell (%d, %d) lies outside the field", x, y));
      layoutSound = false;
    } else if (grid.PlaceAt(x, y) < 0) {
      report(Format("cell (%d, %d) is off the grid", x, y));
      layoutSound = false;
    }
    if (y > lowestTop)
      report(Format("cell (%d, %d) hangs too low: tops reach down to %d at most", x, y, lowestTop));
  }
  for (int b = 0; b < blocks.blockCount; ++b) {
    const int x = static_cast<int>(blocks.x[b]), y = static_cast<int>(blocks.y[b]);
    blockBoxes[b] = {x, y, w, h};
    if (!IsPlainPiece(blocks.kind[b]))
      report(Format("block (%d, %d): kind %d is no block picture", x, y, blocks.kind[b]));
    if (x < 0 || x + w > kFieldWidth || y < 0) {
      report(Format("block (%d, %d) lies outside the field", x, y));
      layoutSound = false;
    }
    if (y + h >= kLauncherTop)
      report(Format("block (%d, %d) reaches the launcher, where shots pass through blocks", x, y));
  }
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j)
      if (Overlap(cellBoxes[i], cellBoxes[j])) {
        report(Format("cells (%d, %d) and (%d, %d) overlap", cellBoxes[i].x, cellBoxes[i].y,
                      cellBoxes[j].x, cellBoxes[j].y));
        layoutSound = false;
      }
    for (const Box& b : blockBoxes)
      if (Overlap(cellBoxes[i], b)) {
        report(Format("cell (%d, %d) overlaps block (%d, %d)", cellBoxes[i].x, cellBoxes[i].y, b.x,
                      b.y));
        layoutSound = false;
      }
  }
  for (std::size_t a = 0; a < blockBoxes.size(); ++a)
    for (std::size_t b = a + 1; b < blockBoxes.size(); ++b)
      if (Overlap(blockBoxes[a], blockBoxes[b]))
        report(Format("blocks (%d, %d) and (%d, %d) overlap", blockBoxes[a].x, blockBoxes[a].y,
                      blockBoxes[b].x, blockBoxes[b].y));

  int colours = 0;
  for (int c = 1; c <= 9; ++c) {
    if (colourTotal[c] == 0) continue;
    ++colours;
    if (colourTotal[c] < header.colourCount)
      report(Format("colour %d has %d balls, fewer than a breaking group of %d", c, colourTotal[c],
                    header.colourCount));
  }
  if (n > 0 && colours == 0) report("no colour balls: the stage would be cleared at once");

  const std::vector<char> all(n, 1);
  const std::vector<char> held = HeldCells(cellBoxes, all, blockBoxes);
  for (int i = 0; i < n; ++i)
    if (!held[i])
      report(Format("cell (%d, %d) hangs from nothing", cellBoxes[i].x, cellBoxes[i].y));

  // Reachability needs every cell on its own place.
  if (layoutSound && n > 0) {
    const std::vector<int> left = UnreachableColourCells(grid, cellBoxes, blockBoxes);
    if (!left.empty())
      report(Format("%d colour balls are walled off, the first at (%d, %d)",
                    static_cast<int>(left.size()), cellBoxes[left[0]].x, cellBoxes[left[0]].y));
  }
  return static_cast<int>(problems->size() - before);
}

int AuditStageFile(int fileNumber, std::vector<std::string>* problems) {
  char name[64];
  StageFileName(fileNumber, name, sizeof name);
  auto report = [&](const std::string& text) {
    problems->push_back(text);
    return 1;
  };
  if (!files::Exists(name)) return report("missing");
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s", name);
  if (!OpenSealedTextFile(buffer)) return report("fails its checksum");
  std::FILE* file = files::Open(buffer, "rb");
  if (!file) {
    DeleteSealTemporaries();
    return report("cannot be read");
  }
  StageHeader header;
  ReadStageHeader(file, &header);
  std::fclose(file);
  DeleteSealTemporaries();
  // The seal is sound, so loading reads exactly this file.
  LoadStage(fileNumber, true);
  return AuditLoadedStage(header, fileNumber == 1, problems);
}

}  // namespace vx
