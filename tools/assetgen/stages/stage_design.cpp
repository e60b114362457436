#include "stage_design.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <stdexcept>

namespace vx::stages {

namespace {

constexpr int kFieldWidth = 1024;
constexpr int kDangerOffset = 168;  // the danger line lies this far above the bottom line
constexpr double kPi = 3.14159265358979323846;

unsigned Hash(int a, int b, unsigned seed) {
  unsigned h = seed * 0x9E3779B1u + static_cast<unsigned>(a) * 0x85EBCA77u +
               static_cast<unsigned>(b) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

int Pick(const std::vector<int>& kinds, long index) {
  const long n = static_cast<long>(kinds.size());
  return kinds[static_cast<std::size_t>(((index % n) + n) % n)];
}

}  // namespace

int Gem(int cut, int tint) {
  const int frame = tint * 10 + cut;
  if (cut < 0 || cut > 9 || tint < 0 || tint > 9 || frame == 13 || frame == 14)
    throw std::invalid_argument("no gem piece with cut " + std::to_string(cut) + " and tint " +
                                std::to_string(tint));
  return 200 + frame;
}

// ---- Regions ----

Region Circle(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}
Region Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
  };
}
Region Rect(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x <= right && y >= top && y <= bottom; };
}
Region Ring(double cx, double cy, double inner, double outer) {
  return Circle(cx, cy, outer) - Circle(cx, cy, inner);
}
Region Polygon(std::vector<Point> corners) {
  return [corners = std::move(corners)](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Point &a = corners[i], &b = corners[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside;
  };
}
Region Triangle(Point a, Point b, Point c) {
  return Polygon({a, b, c});
}
Region Diamond(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) { return std::fabs(x - cx) / rx + std::fabs(y - cy) / ry <= 1.0; };
}
Region Star(double cx, double cy, double outer, double inner, int points, double turn) {
  std::vector<Point> corners;
  for (int i = 0; i < 2 * points; ++i) {
    const double a = turn - kPi / 2 + i * kPi / points;
    const double r = (i % 2) ? inner : outer;
    corners.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return Polygon(std::move(corners));
}
Region Heart(double cx, double cy, double size) {
  // Two lobes and the point below them.
  const double r = size * 0.55;
  return Circle(cx - r * 0.9, cy - r * 0.35, r) | Circle(cx + r * 0.9, cy - r * 0.35, r) |
         Triangle({cx - size * 1.02, cy - r * 0.1}, {cx + size * 1.02, cy - r * 0.1},
                  {cx, cy + size * 1.05});
}
Region Crescent(double cx, double cy, double r, double dx, double dy) {
  return Circle(cx, cy, r) - Circle(cx + dx, cy + dy, r);
}
Region Wave(double mid, double amplitude, double wavelength, double thickness, double phase) {
  return [=](double x, double y) {
    const double centre = mid + amplitude * std::sin(2 * kPi * x / wavelength + phase);
    return std::fabs(y - centre) <= thickness / 2;
  };
}
Region Above(double bottom) {
  return [=](double, double y) { return y <= bottom; };
}
Region Beam(Point from, Point to, double width) {
  return [=](double x, double y) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double len2 = dx * dx + dy * dy;
    const double t = ((x - from.x) * dx + (y - from.y) * dy) / len2;
    if (t < 0 || t > 1) return false;
    const double px = from.x + t * dx - x, py = from.y + t * dy - y;
    return px * px + py * py <= width * width / 4;
  };
}

Region operator|(Region a, Region b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}
Region operator&(Region a, Region b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && b(x, y); };
}
Region operator-(Region a, Region b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}
Region Mirror(Region a) {
  return [a = std::move(a)](double x, double y) { return a(x, y) || a(kFieldWidth - x, y); };
}

// ---- Paints ----

Paint Solid(int kind) {
  return [=](const Spot&) { return kind; };
}
Paint Rows(std::vector<int> kinds, int rowsEach) {
  return [=](const Spot& s) { return Pick(kinds, s.row / rowsEach); };
}
Paint BandsY(double top, double height, std::vector<int> kinds) {
  return [=](const Spot& s) {
    return Pick(kinds, static_cast<long>(std::floor((s.y - top) / height)));
  };
}
Paint BandsX(double left, double width, std::vector<int> kinds) {
  return [=](const Spot& s) {
    return Pick(kinds, static_cast<long>(std::floor((s.x - left) / width)));
  };
}
Paint Rings(double cx, double cy, double width, std::vector<int> kinds) {
  return [=](const Spot& s) {
    const long ring = static_cast<long>(std::hypot(s.x - cx, s.y - cy) / width);
    return kinds[static_cast<std::size_t>(
        std::min<long>(ring, static_cast<long>(kinds.size()) - 1))];
  };
}
Paint Sectors(double cx, double cy, std::vector<int> kinds, double turn, int count) {
  const double n = count > 0 ? count : static_cast<double>(kinds.size());
  return [=](const Spot& s) {
    double a = std::atan2(s.y - cy, s.x - cx) - turn;
    while (a < 0) a += 2 * kPi;
    while (a >= 2 * kPi) a -= 2 * kPi;
    return Pick(kinds, static_cast<long>(a / (2 * kPi) * n));
  };
}
Paint Diagonal(double width, double slope, std::vector<int> kinds) {
  return [=](const Spot& s) {
    return Pick(kinds, static_cast<long>(std::floor((s.x - slope * s.y) / width)));
  };
}
Paint Patches(double size, std::vector<int> kinds, unsigned seed) {
  return [=](const Spot& s) {
    // Patches on a staggered lattice, so their borders do not line up into stripes.
    const long py = static_cast<long>(std::floor(s.y / size));
    const long px = static_cast<long>(std::floor(s.x / size + ((py & 1) ? 0.5 : 0.0)));
    return Pick(kinds,
                static_cast<long>(Hash(static_cast<int>(px), static_cast<int>(py), seed) % 9973u));
  };
}
// ---- The stage ----

Stage::Stage(const Rules& rules) : rules_(rules) {
  if (rules.cell < 16 || rules.cell % 2 != 0)
    throw std::invalid_argument("cell sizes are even, 16 up");
  rowStart_.push_back(0);
  for (int r = 0; r < Rows(); ++r) rowStart_.push_back(rowStart_.back() + Columns(r));
  kinds_.assign(static_cast<std::size_t>(rowStart_.back()), -1);
}

int Stage::Rows() const {
  const int s = rules_.cell;
  const int lowestTop = kFieldWidth - s - kDangerOffset - 2 * s;
  return lowestTop / s + 1;
}

int Stage::Columns(int row) const {
  const int s = rules_.cell;
  return (kFieldWidth - ((row & 1) ? s / 2 : 0)) / s;
}

int Stage::PlaceX(int row, int col) const {
  const int s = rules_.cell;
  return col * s + ((row & 1) ? s / 2 : 0);
}

int Stage::Index(int row, int col) const {
  if (row < 0 || row >= Rows() || col < 0 || col >= Columns(row)) return -1;
  return rowStart_[static_cast<std::size_t>(row)] + col;
}

bool Stage::PlaceNear(double x, double y, int* row, int* col) const {
  const double s = rules_.cell;
  const int r = static_cast<int>(std::lround((y - s / 2) / s));
  if (r < 0 || r >= Rows()) return false;
  const double offset = (r & 1) ? rules_.cell / 2 : 0;
  const int c =
      std::clamp(static_cast<int>(std::lround((x - offset - s / 2) / s)), 0, Columns(r) - 1);
  *row = r;
  *col = c;
  return true;
}

bool Stage::Covered(int x, int y) const {
  const int s = rules_.cell;
  for (const PlacedPiece& b : blocks_)
    if (x < b.x + s && b.x < x + s && y < b.y + s && b.y < y + s) return true;
  return false;
}

void Stage::Put(int row, int col, int kind) {
  const int i = Index(row, col);
  if (i < 0 || Covered(PlaceX(row, col), row * rules_.cell)) return;
  kinds_[static_cast<std::size_t>(i)] = kind;
}

void Stage::PutAt(double x, double y, int kind) {
  int r = 0, c = 0;
  if (PlaceNear(x, y, &r, &c)) Put(r, c, kind);
}

void Stage::HangBelow(double x, int kind) {
  const double s = rules_.cell;
  for (int r = Rows() - 2; r >= 0; --r)
    for (int c = 0; c < Columns(r); ++c) {
      if (kinds_[static_cast<std::size_t>(Index(r, c))] < 0 ||
          std::fabs(PlaceX(r, c) + s / 2 - x) > s / 2)
        continue;
      // The places below sit half a cell to either side; take the one nearer x.
      const int left = (r & 1) ? c : c - 1;
      const int below = std::fabs(PlaceX(r + 1, left) + s / 2 - x) <=
                                std::fabs(PlaceX(r + 1, left + 1) + s / 2 - x)
                            ? left
                            : left + 1;
      if (Index(r + 1, below) < 0) return;
      Put(r + 1, below, kind);
      return;
    }
}

void Stage::Fill(const Region& region, const Paint& paint) {
  const double s = rules_.cell;
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c) {
      const Spot spot{r, c, PlaceX(r, c) + s / 2, r * s + s / 2};
      if (!region(spot.x, spot.y)) continue;
      const int kind = paint(spot);
      if (kind >= 0) Put(r, c, kind);
    }
}

void Stage::Replace(const Region& region, const Paint& paint) {
  const double s = rules_.cell;
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c) {
      const Spot spot{r, c, PlaceX(r, c) + s / 2, r * s + s / 2};
      if (kinds_[static_cast<std::size_t>(Index(r, c))] < 0 || !region(spot.x, spot.y)) continue;
      const int kind = paint(spot);
      if (kind >= 0) Put(r, c, kind);
    }
}

void Stage::Erase(const Region& region) {
  const double s = rules_.cell;
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c)
      if (region(PlaceX(r, c) + s / 2, r * s + s / 2))
        kinds_[static_cast<std::size_t>(Index(r, c))] = -1;
}

void Stage::Sprinkle(const Region& region, int kind, int count, unsigned seed) {
  const double s = rules_.cell;
  struct Candidate {
    double x;
    int index;
  };
  std::vector<Candidate> found;
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c) {
      const int i = Index(r, c);
      const int k = kinds_[static_cast<std::size_t>(i)];
      if (k < 1 || k > 9 || !region(PlaceX(r, c) + s / 2, r * s + s / 2)) continue;
      found.push_back({PlaceX(r, c) + s / 2 + r * 0.001, i});
    }
  if (found.empty() || count <= 0) return;
  std::sort(found.begin(), found.end(),
            [](const Candidate& a, const Candidate& b) { return a.x < b.x; });
  count = std::min<int>(count, static_cast<int>(found.size()));
  for (int n = 0; n < count; ++n) {
    const std::size_t lo =
        found.size() * static_cast<std::size_t>(n) / static_cast<std::size_t>(count);
    const std::size_t hi =
        found.size() * static_cast<std::size_t>(n + 1) / static_cast<std::size_t>(count);
    const std::size_t pick = lo + Hash(n, count, seed) % (hi - lo);
    kinds_[static_cast<std::size_t>(found[pick].index)] = kind;
  }
}

void Stage::Block(double x, double y, int kind) {
  const int s = rules_.cell;
  const int bx = static_cast<int>(std::lround(x / (s / 2.0))) * (s / 2);
  const int by = static_cast<int>(std::lround(y / s)) * s;
  if (bx < 0 || bx + s > kFieldWidth || by < 0) return;
  for (const PlacedPiece& b : blocks_)
    if (bx < b.x + s && b.x < bx + s && by < b.y + s && b.y < by + s) return;  // already walled
  blocks_.push_back({bx, by, kind});
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c) {
      const int px = PlaceX(r, c), py = r * s;
      if (px < bx + s && bx < px + s && py < by + s && by < py + s)
        kinds_[static_cast<std::size_t>(Index(r, c))] = -1;
    }
}

void Stage::Pillar(double x, double top, double bottom, int kind) {
  for (double y = top; y + rules_.cell <= bottom + 0.5; y += rules_.cell) Block(x, y, kind);
}

void Stage::Shelf(double left, double right, double y, int kind) {
  for (double x = left; x + rules_.cell <= right + 0.5; x += rules_.cell) Block(x, y, kind);
}

void Stage::BlockPlaces(const Region& region, int kind) {
  const double s = rules_.cell;
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c)
      if (region(PlaceX(r, c) + s / 2, r * s + s / 2)) Block(PlaceX(r, c), r * s, kind);
}

int Stage::DropLooseCells() {
  const int s = rules_.cell;
  std::vector<char> held(kinds_.size(), 0);
  std::deque<std::pair<int, int>> open;
  auto touchesBlock = [&](int px, int py) {
    for (const PlacedPiece& b : blocks_) {
      const int sx = std::min(px + s, b.x + s) - std::max(px, b.x);
      const int sy = std::min(py + s, b.y + s) - std::max(py, b.y);
      if ((sx > 0 && sy >= -1) || (sy > 0 && sx >= -1)) return true;
    }
    return false;
  };
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c) {
      const int i = Index(r, c);
      if (kinds_[static_cast<std::size_t>(i)] < 0) continue;
      if (r == 0 || touchesBlock(PlaceX(r, c), r * s)) {
        held[static_cast<std::size_t>(i)] = 1;
        open.push_back({r, c});
      }
    }
  while (!open.empty()) {
    const auto [r, c] = open.front();
    open.pop_front();
    const int left = (r & 1) ? c : c - 1;
    const int around[6][2] = {{r, c - 1},        {r, c + 1},    {r - 1, left},
                              {r - 1, left + 1}, {r + 1, left}, {r + 1, left + 1}};
    for (const auto& n : around) {
      const int j = Index(n[0], n[1]);
      if (j < 0 || held[static_cast<std::size_t>(j)] || kinds_[static_cast<std::size_t>(j)] < 0)
        continue;
      held[static_cast<std::size_t>(j)] = 1;
      open.push_back({n[0], n[1]});
    }
  }
  int dropped = 0;
  for (std::size_t i = 0; i < kinds_.size(); ++i)
    if (kinds_[i] >= 0 && !held[i]) {
      kinds_[i] = -1;
      ++dropped;
    }
  return dropped;
}

std::vector<PlacedPiece> Stage::cells() const {
  std::vector<PlacedPiece> list;
  for (int r = 0; r < Rows(); ++r)
    for (int c = 0; c < Columns(r); ++c) {
      const int k = kinds_[static_cast<std::size_t>(Index(r, c))];
      if (k >= 0) list.push_back({PlaceX(r, c), r * rules_.cell, k});
    }
  return list;
}

std::string Stage::Text(int stagesPerWorld) const {
  char line[96];
  std::snprintf(line, sizeof line, "c%d w%d h%d z%d p%d d0>", rules_.group, rules_.cell,
                rules_.cell, stagesPerWorld, rules_.push);
  std::string text = line;
  for (const PlacedPiece& c : cells()) {
    std::snprintf(line, sizeof line, "%d %d %d,", c.x, c.y, c.kind);
    text += line;
  }
  for (const PlacedPiece& b : blocks_) {
    std::snprintf(line, sizeof line, "%d %d %d,", b.x, b.y, b.kind + 100);
    text += line;
  }
  return text + ".";
}

}  // namespace vx::stages
