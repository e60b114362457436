// The stage designer's toolkit: a stage is drawn in field units (1024 wide, y downward) with
// named regions and paints, and the toolkit lays it out on the hexagonal grid of whatever
// cell size the stage's rules ask for. So a design keeps its picture when its cell size is
// retuned: smaller cells only mean more, smaller balls.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace vx::stages {

// ---- Pieces, by their stage-file codes ----

enum Colour : int { Red = 1, Orange, Yellow, Green, Cyan, Blue, Purple, Pink, White };

enum Piece : int {
  Stone = 0,  // plain pieces: they never link, and leave only by falling or in a blast
  Steel = 10,
  Wood = 11,
  Blast = 22,          // breaks with its six neighbours when a shot lands against it
  GemSpring = 23,      // breaks and grows random colour balls around its place
  SeedSpring = 24,     // breaks and grows seeds around its place
  Seed = 25,           // breaks together with the shot that hits it
  GuideGift = 26,      // shows the aiming guide for a while
  LaserGift = 27,      // the next shots break whatever they hit
  LimitedSpring = 28,  // a gem spring that grows fewer balls early in the game
  Deflector = 29,      // these four mature on the first frame into an aura or a beam that
  Absorber = 30,       // lasts a few seconds: an opening twist, not a fixture
  ColourChanger = 31,
  LaserBall = 32,
};

// Block pictures: a stone brick and a riveted plate.
enum BlockKind : int { Brick = 15, Plate = 17 };

// A decorative gem piece (never links): cut 0..9 (brilliant, square, heart, star, pear,
// hexagon, trillion, oval, marquise, cushion) in tint 0..9 (the ball hues, then white and
// smoke). Orange cuts 3 and 4 are the bomb's frames and are not pieces.
int Gem(int cut, int tint);

// ---- The rules a stage's header carries ----

struct Rules {
  int cell = 64;  // cell width and height (w, h)
  int group = 3;  // smallest breaking group (c)
  int push = 60;  // push interval in thousands of push-clock units (p): 60 is 30 s a push
};

// ---- Regions: point tests in field units ----

using Region = std::function<bool(double x, double y)>;

struct Point {
  double x, y;
};

Region Circle(double cx, double cy, double r);
Region Ellipse(double cx, double cy, double rx, double ry);
Region Rect(double left, double top, double right, double bottom);
Region Ring(double cx, double cy, double inner, double outer);
Region Polygon(std::vector<Point> corners);
Region Triangle(Point a, Point b, Point c);
Region Diamond(double cx, double cy, double rx, double ry);
Region Star(double cx, double cy, double outer, double inner, int points, double turn = 0);
Region Heart(double cx, double cy, double size);  // point down, about 2 x size across
// A crescent: the disc minus the same disc moved by (dx, dy).
Region Crescent(double cx, double cy, double r, double dx, double dy);
// A band `thickness` tall whose middle follows y = mid + amplitude sin(2 pi x / wavelength +
// phase).
Region Wave(double mid, double amplitude, double wavelength, double thickness, double phase = 0);
// Everything from the ceiling down to `bottom`.
Region Above(double bottom);
// A band from x0 to x1 whose top and bottom follow straight edges (a ray or a leaning beam).
Region Beam(Point from, Point to, double width);

Region operator|(Region a, Region b);  // either
Region operator&(Region a, Region b);  // both
Region operator-(Region a, Region b);  // a without b
Region Mirror(Region a);               // a and its mirror image about the field's middle

// ---- Paints: the kind for a grid place ----

struct Spot {
  int row, col;  // grid place
  double x, y;   // its centre in field units
};
using Paint = std::function<int(const Spot&)>;

Paint Solid(int kind);
// By grid row, `rowsEach` rows per entry, repeating.
Paint Rows(std::vector<int> kinds, int rowsEach = 1);
// Horizontal bands of `height` units from y = top, repeating.
Paint BandsY(double top, double height, std::vector<int> kinds);
// Vertical bands of `width` units from x = left, repeating.
Paint BandsX(double left, double width, std::vector<int> kinds);
// Rings of `width` units around a centre, the first kind in the middle.
Paint Rings(double cx, double cy, double width, std::vector<int> kinds);
// Equal sectors around a centre, counted clockwise from `turn` radians (0 is to the right):
// `count` of them (one per kind when 0), their kinds taken from the list in turn.
Paint Sectors(double cx, double cy, std::vector<int> kinds, double turn = 0, int count = 0);
// Stripes leaning by `slope` (x units per y unit), `width` units across.
Paint Diagonal(double width, double slope, std::vector<int> kinds);
// Patches of about `size` units, each a kind drawn from the list by a fixed hash.
Paint Patches(double size, std::vector<int> kinds, unsigned seed);

// ---- The stage ----

struct PlacedPiece {
  int x, y, kind;
};

class Stage {
 public:
  explicit Stage(const Rules& rules);

  const Rules& rules() const { return rules_; }
  // Rows a design may fill: every one keeps a row clear above the danger line.
  int Rows() const;
  int Columns(int row) const;
  // The place whose centre is nearest to a point, as (row, col); false outside the rows.
  bool PlaceNear(double x, double y, int* row, int* col) const;

  // Cells. A place outside the design rows or covered by a block takes nothing.
  void Put(int row, int col, int kind);
  // The cell at the place nearest to (x, y).
  void PutAt(double x, double y, int kind);
  // Hangs a piece under the lowest cell near x (within half a cell), so it touches that cell
  // whatever the cell size; nothing when no cell stands near x.
  void HangBelow(double x, int kind);
  // Recolours or replaces only places that already hold a cell.
  void Replace(const Region& region, const Paint& paint);
  void Fill(const Region& region, const Paint& paint);
  void Erase(const Region& region);
  // Places `count` pieces of `kind` over the cells inside `region`, spread evenly from left to
  // right and picked by a fixed hash, so a retuned cell size still finds them.
  void Sprinkle(const Region& region, int kind, int count, unsigned seed);

  // Blocks: cell-sized boxes. A block's top lands on the nearest row and its left edge on
  // the nearest half cell, so the balls around it touch it; it removes the cells it covers.
  void Block(double x, double y, int kind = Brick);
  // A straight wall of blocks from `top` down to `bottom`, its left edge at x.
  void Pillar(double x, double top, double bottom, int kind = Brick);
  // A straight row of blocks from `left` to `right`, its top edge at y.
  void Shelf(double left, double right, double y, int kind = Brick);
  // Blocks on the grid places inside a region (a staggered brick bond).
  void BlockPlaces(const Region& region, int kind = Brick);

  // Drops every cell that hangs from nothing (neither from the ceiling row nor from a block,
  // through touching cells) and returns how many went. The generator calls it once at the
  // end, so a retuned cell size never leaves a piece floating.
  int DropLooseCells();

  std::vector<PlacedPiece> cells() const;
  const std::vector<PlacedPiece>& blocks() const { return blocks_; }
  // The stage file's plain text: header, cells row by row, blocks, '.'.
  std::string Text(int stagesPerWorld) const;

 private:
  int Index(int row, int col) const;
  bool Covered(int x, int y) const;  // a block overlaps the place box at (x, y)
  int PlaceX(int row, int col) const;

  Rules rules_;
  std::vector<int> rowStart_;
  std::vector<int> kinds_;  // per place, -1 empty
  std::vector<PlacedPiece> blocks_;
};

}  // namespace vx::stages
