// The atlas table: every image of the data archive with its size and, for every sheet, each
// rectangle the game cuts out of it and what it shows. The painters draw into these
// rectangles and the content test checks them, so art and game agree on every region.
#pragma once

#include <string>
#include <vector>

namespace vx::art {

enum class RegionKind {
  Art,     // painted: alpha above zero over a clear share of the rectangle
  Text,    // painted and carrying words or figures: not one flat colour
  Window,  // a hole the game shows other pictures through: transparent
};

struct Region {
  int left, top, right, bottom;  // right and bottom exclusive
  RegionKind kind;
  std::string what;
  double minShare = 0.25;  // Art and Text: least share of the rectangle with alpha above zero
  int gutter = -1;         // width of its gutter; -1: the sheet's
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct SheetEntry {
  std::string member;  // archive member name, lower case, '/' separators
  int width, height;
  bool opaque;  // every pixel must be opaque (backdrops scrolled over black)
  std::vector<Region> regions;
  // A sheet the game cuts pieces out of keeps a transparent gutter of this many pixels around
  // each of its regions: filtering (and the coarser levels of the mip chain) around a piece's
  // edge then meets no neighbouring art. The gutter wraps around the sheet's edges (textures
  // repeat), and leaves out regions that overlap the piece. 0 for pictures drawn whole.
  int gutter = 0;
};

// The gutter around a region of a sheet.
inline int GutterOf(const SheetEntry& sheet, const Region& r) {
  return r.gutter >= 0 ? r.gutter : sheet.gutter;
}

// Every image member with its regions, in archive order.
const std::vector<SheetEntry>& Atlas();

// The model members (text X files) and the texture each is drawn with.
struct ModelEntry {
  std::string member;
  std::string texture;
};
const std::vector<ModelEntry>& Models();

// Cell frame k of the character sheet: 50 x 50 at ((k % 7) * 50 + 130, (k / 7) * 50 + 260).
inline Region CellFrame(int k) {
  const int x = (k % 7) * 50 + 130, y = (k / 7) * 50 + 260;
  return {x, y, x + 50, y + 50, RegionKind::Art, "cell frame " + std::to_string(k)};
}

// The five worlds' names as the pictures print them.
inline const char* const kWorldNames[5] = {"Meadow", "Ocean", "Dunes", "Crystal", "Starlight"};

}  // namespace vx::art
