// World 4, the crystal cave: stalactites, geodes, lattices and mine workings in violet,
// cyan and the glints of gems.
//
// The basic set brings the auras (a deflector, an absorber, a colour changer, each alone
// first: they show for the first seconds of a stage and bend, swallow or recolour the shots
// near them), riveted plates for mine workings, gem pieces in numbers (crystals that never
// break) and the narrow channels of the deep cave, with groups of four from its sixth stage.
// Its planter rows are the first world's again (stage numbers 30 to 39). The second set packs
// the same cave into smaller cells with faster pushes, groups of four but for the vault and
// the lantern path, whose shelves already make them hard.
#include <cmath>

#include "catalogue.h"

namespace vx::stages {

namespace {

constexpr double kPi = 3.14159265358979323846;

Region Strand(double x, double top, double bottom, int cell) {
  return Rect(x - cell / 2.0, top, x + cell / 2.0 - 0.01, bottom);
}

// A stalactite: a narrow cone hanging from the roof.
Region Stalactite(double x, double width, double length) {
  return Triangle({x - width / 2, 0}, {x + width / 2, 0}, {x, length});
}

// A crystal: a long hexagonal prism with a pointed end, leaning by `lean` radians.
Region Crystal(double x, double y, double length, double width, double lean) {
  const double dx = std::sin(lean), dy = std::cos(lean);
  const double px = -dy, py = dx;  // across the crystal
  const Point tip{x + dx * length, y + dy * length};
  const Point a{x + px * width / 2, y + py * width / 2}, b{x - px * width / 2, y - py * width / 2};
  const Point c{b.x + dx * length * 0.78, b.y + dy * length * 0.78};
  const Point d{a.x + dx * length * 0.78, a.y + dy * length * 0.78};
  return Polygon({a, b, c, tip, d});
}

// ---------------------------------------------------------------- basic set

// Stalactites of every colour hanging from the cave roof.
void Stalactites(Stage& s) {
  const double xs[] = {80, 230, 370, 512, 654, 794, 944};
  const double lengths[] = {250, 360, 280, 420, 280, 360, 250};
  const int colours[] = {Purple, Cyan, Blue, Pink, Blue, Cyan, Purple};
  for (int i = 0; i < 7; ++i) s.Fill(Stalactite(xs[i], 150, lengths[i]), Solid(colours[i]));
  s.Fill(Above(40), Solid(White));
}

// A geode cracked open: a rind of stone, rings of crystal, a heart of gem pieces.
void Geode(Stage& s) {
  s.Fill(Circle(512, 160, 270), Rings(512, 160, 55, {Pink, Pink, Purple, Blue, Cyan}));
  s.Replace(Ring(512, 160, 230, 270), Solid(Stone));
  s.Replace(Circle(512, 160, 56), Solid(Gem(0, 6)));
  s.Fill(Above(40), Solid(Purple));
  s.Fill(Rect(0, 0, 150, 200) | Rect(874, 0, 1024, 200), BandsY(0, 70, {Blue, Cyan, White}));
}

// A lattice of crystal in groups of four: diamonds in a grid.
void CrystalLattice(Stage& s) {
  // Diamonds between two sets of crossing seams; the seams are white.
  const double pitch = 170, lean = 1.2;
  s.Fill(Rect(0, 0, 1024, 230) | Diamond(512, 230, 260, 150), [=](const Spot& p) {
    const double u = (p.x + lean * p.y) / pitch, v = (p.x - lean * p.y) / pitch;
    const double fu = u - std::floor(u), fv = v - std::floor(v);
    if (fu < 0.16 || fv < 0.16) return static_cast<int>(White);
    const int colours[] = {Cyan, Purple, Pink, Blue};
    return colours[(static_cast<int>(std::floor(u)) + 2 * static_cast<int>(std::floor(v)) + 64) %
                   4];
  });
}

// Mine workings: plated rails across the cave, ore in the seams between them.
void MineCart(Stage& s) {
  s.Shelf(0, 300, 160, Plate);
  s.Shelf(724, 1024, 160, Plate);
  s.Shelf(384, 640, 340, Plate);
  s.Fill(Rect(0, 0, 1024, 120), BandsX(0, 256, {Purple, Cyan, Pink, Blue}));
  s.Fill(Rect(0, 200, 1024, 340) - Rect(250, 300, 774, 400),
         Patches(90, {Yellow, Orange, Purple}, 401));
  s.Sprinkle(Rect(0, 200, 1024, 340), Gem(1, 2), 3, 402);
  s.PutAt(512, 380, Blast);
}

// A bat roost: bats hang in rows, and a deflector bends the first shots.
void BatRoost(Stage& s) {
  s.Fill(Above(40), Solid(Cyan));
  for (int i = 0; i < 5; ++i) {
    const double x = 112 + i * 200, y = 170 + (i % 2) * 80;
    s.Fill(Triangle({x - 110, y - 80}, {x, y - 30}, {x - 40, y + 60}) |
               Triangle({x + 110, y - 80}, {x, y - 30}, {x + 40, y + 60}) | Circle(x, y, 45),
           Solid(i % 2 ? Purple : Blue));
    s.Fill(Strand(x, 0, y - 30, s.rules().cell), Solid(Pink));
  }
  s.HangBelow(512, Deflector);
}

// A heart of amethyst in a crust of rock, an absorber in front of it for the first seconds.
void AmethystHeart(Stage& s) {
  s.Fill(Heart(512, 180, 230), Rings(512, 170, 75, {Pink, Purple, Purple, Blue}));
  s.Fill(Above(40) | Rect(0, 0, 120, 300) | Rect(904, 0, 1024, 300),
         Patches(90, {Cyan, White, Blue}, 411));
  s.Sprinkle(Heart(512, 180, 200), Gem(2, 6), 3, 412);
  s.HangBelow(512, Absorber);
}

// Glow worms: threads of light from the roof, a colour changer among them.
void GlowWorms(Stage& s) {
  const int c = s.rules().cell;
  for (int i = 0; i < 12; ++i) {
    const double x = 50 + i * 84, len = 200 + 140 * std::fabs(std::sin(i * 1.3));
    s.Fill(Strand(x, 0, len, c), Solid(i % 3 == 0 ? Cyan : i % 3 == 1 ? Green : Yellow));
    s.Fill(Circle(x, len + 20, 36), Solid(White));
  }
  s.Fill(Above(60), Patches(100, {Purple, Pink, Blue}, 422));
  s.HangBelow(462, ColourChanger);
  s.Sprinkle(Above(60), Blast, 2, 421);
}

// A prism splitting light: a triangle of crystal and a fan of coloured rays.
void Prism(Stage& s) {
  s.Fill(Triangle({512, 10}, {380, 240}, {644, 240}), Solid(White));
  const int colours[] = {Red, Orange, Yellow, Green, Blue, Purple};
  for (int i = 0; i < 6; ++i) {
    const double a = 0.35 + i * 0.16;
    s.Fill(Beam({600, 150}, {600 + 560 * std::cos(a - 0.6), 150 + 560 * std::sin(a - 0.6)}, 76),
           Solid(colours[i]));
  }
  s.Fill(Beam({0, 100}, {420, 130}, 90), Solid(White));
  s.BlockPlaces(Rect(440, 240, 584, 280), Plate);
}

// An echo chamber: plated walls make a maze of narrow channels.
void EchoChamber(Stage& s) {
  s.Pillar(160, 0, 300, Plate);
  s.Pillar(820, 0, 300, Plate);
  s.Shelf(160, 380, 300, Plate);
  s.Shelf(644, 864, 300, Plate);
  s.Pillar(490, 100, 240, Plate);
  s.Fill(Rect(0, 0, 160, 420) | Rect(864, 0, 1024, 420), BandsY(0, 90, {Cyan, Purple, Pink}));
  s.Fill(Rect(200, 0, 820, 260), Patches(80, {Blue, Cyan, Purple, White}, 431));
  s.Sprinkle(Rect(200, 0, 820, 300), Gem(5, 4), 3, 432);
  s.HangBelow(512, Deflector);
  s.Sprinkle(Rect(0, 0, 1024, 500), Blast, 2, 433);
}

// The crystal throne: a jewelled seat among great hanging crystals, every cave trick at once.
void CrystalThrone(Stage& s) {
  const double xs[] = {90, 250, 774, 934};
  const double leans[] = {0.18, -0.12, 0.12, -0.18};
  for (int i = 0; i < 4; ++i)
    s.Fill(Crystal(xs[i], 0, 300 + 70 * (i == 1 || i == 2), 110, leans[i]),
           Solid(i % 2 ? Purple : Cyan));
  s.Fill(Rect(380, 0, 644, 250), Rings(512, 120, 60, {Pink, Pink, Blue, Blue}));
  s.Fill(Rect(330, 250, 694, 320), Solid(Purple));
  s.Fill(Rect(330, 320, 380, 400) | Rect(644, 320, 694, 400), Solid(Cyan));
  s.Sprinkle(Rect(380, 0, 644, 250), Gem(8, 7), 3, 441);
  s.HangBelow(355, Absorber);
  s.HangBelow(669, ColourChanger);
  s.Sprinkle(Rect(330, 250, 694, 320), Blast, 2, 442);
  s.Sprinkle(Rect(380, 0, 644, 250), GemSpring, 1, 443);
}

// ---------------------------------------------------------------- second set

// A crystal garden: clusters of crystals growing at every angle.
void CrystalGarden(Stage& s) {
  const double xs[] = {150, 380, 644, 874};
  for (int i = 0; i < 4; ++i)
    for (int j = -1; j <= 1; ++j)
      s.Fill(Crystal(xs[i], 0, 240 + 60 * ((i + j) & 1), 64, j * 0.45), Solid(j == 0  ? Cyan
                                                                              : i % 2 ? Pink
                                                                                      : Purple));
  s.Fill(Above(30), Solid(Blue));
}

// A diamond mine: diamonds in seams between plated galleries.
void DiamondMine(Stage& s) {
  s.Shelf(0, 300, 200, Plate);
  s.Shelf(724, 1024, 200, Plate);
  for (double x = 100; x < 1000; x += 165)
    s.Fill(Diamond(x, 100, 75, 90), Solid(x < 500 ? Cyan : White));
  s.Fill(Rect(300, 160, 724, 360), Patches(70, {Purple, Blue, Pink}, 501));
  s.Fill(Rect(0, 250, 300, 420) | Rect(724, 250, 1024, 420), Patches(70, {Pink, Purple}, 502));
  s.Sprinkle(Rect(0, 0, 1024, 420), Gem(0, 9), 4, 503);
}

// A mine shaft: one narrow way up the middle between plated walls.
void MineShaft(Stage& s) {
  s.Pillar(380, 100, 520, Plate);
  s.Pillar(608, 100, 520, Plate);
  s.Fill(Above(100), BandsX(0, 100, {Purple, Cyan, Blue, Pink}));
  s.Fill(Rect(0, 100, 380, 380) | Rect(648, 100, 1024, 380),
         Diagonal(80, 0.7, {Blue, Purple, Cyan}));
  s.Fill(Rect(420, 100, 608, 300), Solid(Yellow));
  s.PutAt(512, 320, LaserGift);
}

// An underground river winding through the rock.
void UndergroundRiver(Stage& s) {
  s.Fill(Rect(0, 0, 1024, 300), Patches(90, {Purple, Pink, Purple, White}, 511));
  s.Fill(Wave(180, 80, 700, 100), Solid(Cyan));
  s.Fill(Wave(180, 80, 700, 40), Solid(Blue));
  s.Sprinkle(Rect(0, 60, 1024, 300), Stone, 4, 512);
  s.HangBelow(512, Absorber);
}

// A gem vault: riveted doors and shelves of treasure.
void GemVault(Stage& s) {
  // Two vault doors of plates with the way in open between them.
  s.Shelf(0, 300, 144, Plate);
  s.Shelf(724, 1024, 144, Plate);
  s.Fill(Above(150), BandsX(0, 128, {Red, Blue, Green, Purple}));
  s.Fill(Rect(0, 180, 400, 330) | Rect(624, 180, 1024, 330),
         BandsX(0, 128, {Purple, Red, Blue, Green}));
  s.Fill(Rect(400, 150, 624, 260), Solid(Yellow));
  s.Sprinkle(Rect(0, 0, 1024, 400), Gem(0, 1), 3, 521);
  s.Sprinkle(Rect(0, 0, 1024, 400), Gem(2, 7), 3, 522);
  s.Sprinkle(Rect(0, 200, 1024, 400), GemSpring, 1, 523);
}

// A kaleidoscope: mirrored sectors turning round a blast.
void Kaleidoscope(Stage& s) {
  s.Fill(Circle(512, 170, 290), Sectors(512, 170, {Cyan, Pink, Purple, Blue}, 0.2, 8));
  s.Replace(Circle(512, 170, 140), Sectors(512, 170, {White, Yellow}, 0.6, 4));
  s.PutAt(512, 170, Blast);
  s.HangBelow(512, ColourChanger);
  s.Fill(Above(40), BandsX(0, 80, {Cyan, Blue}));
}

// Quartz columns standing in ranks, gems caught between them.
void QuartzColumns(Stage& s) {
  const int c = s.rules().cell;
  for (int i = 0; i < 8; ++i) {
    const double x = 64 + i * 128, len = 200 + 150 * (i % 3) / 2.0;
    s.Fill(Rect(x - c, 0, x + c - 0.01, len), Solid(i % 2 ? White : Cyan));
    s.Fill(Triangle({x - c, len}, {x + c, len}, {x, len + 2 * c}), Solid(i % 2 ? Purple : Pink));
  }
  s.Sprinkle(Rect(0, 0, 1024, 400), Gem(5, 8), 4, 531);
  s.Sprinkle(Rect(0, 0, 1024, 400), Blast, 2, 532);
  // The cave roof the columns grow from, in short veins.
  s.Fill(Above(40), BandsX(0, 64, {White, Cyan, Blue}));
}

// An ammonite: a spiral shell turned to stone and crystal.
void Ammonite(Stage& s) {
  const double cx = 512, cy = 170;
  s.Fill(Circle(cx, cy, 260), [&](const Spot& p) {
    const double r = std::hypot(p.x - cx, p.y - cy), a = std::atan2(p.y - cy, p.x - cx) + kPi;
    const int turn = static_cast<int>(std::floor((r - a / (2 * kPi) * 90) / 90));
    const int colours[] = {Pink, Orange, Purple, Yellow};
    return colours[((turn % 4) + 4) % 4];
  });
  s.Sprinkle(Circle(cx, cy, 260) & Rect(0, 120, 1024, 500), Stone, 4, 541);
  s.Fill(Above(30), BandsX(0, 70, {Blue, Cyan}));
}

// A lantern path: lamps on chains light the way down a winding gallery.
void LanternPath(Stage& s) {
  s.Shelf(0, 300, 240, Plate);
  s.Shelf(724, 1024, 120, Plate);
  s.Fill(Rect(0, 0, 1024, 120), Patches(80, {Purple, Blue}, 551));
  s.Fill(Rect(0, 120, 604, 240), Patches(80, {Blue, Cyan}, 552));
  s.Fill(Rect(420, 160, 1024, 340), Patches(80, {Purple, Pink, Blue}, 553));
  for (double x : {200.0, 512.0, 824.0})
    s.PutAt(x, x < 300 ? 120 : x < 600 ? 230 : 380, SeedSpring);
  s.Fill(Circle(200, 100, 40) | Circle(824, 360, 40), Solid(Yellow));
  s.HangBelow(700, LaserBall);
}

// The heart of the mountain: a great crystal heart inside a geode, walls and auras round it.
void HeartOfTheMountain(Stage& s) {
  s.Fill(Circle(512, 170, 300), Rings(512, 170, 50, {Pink, Pink, Purple, Blue, Cyan, White}));
  s.Replace(Heart(512, 160, 110), Solid(Red));
  s.Replace(Ring(512, 170, 265, 300) & Above(120), Solid(Stone));
  s.Pillar(40, 0, 420, Plate);
  s.Pillar(940, 0, 420, Plate);
  s.Sprinkle(Heart(512, 190, 120), Blast, 2, 561);
  s.Sprinkle(Ring(512, 200, 120, 290), Gem(0, 0), 3, 562);
  s.HangBelow(400, Deflector);
  s.HangBelow(624, Absorber);
}

const WorldStages kBasic = {{
    //  name             cell  c   p
    {"Stalactites", {44, 3, 32}, Stalactites},
    {"Geode", {44, 3, 30}, Geode},
    {"Crystal Lattice", {52, 3, 32}, CrystalLattice},
    {"Mine Cart", {42, 3, 30}, MineCart},
    {"Bat Roost", {42, 3, 28}, BatRoost},
    {"Amethyst Heart", {42, 4, 26}, AmethystHeart},
    {"Glow Worms", {40, 4, 26}, GlowWorms},
    {"Prism", {40, 4, 24}, Prism},
    {"Echo Chamber", {48, 4, 22}, EchoChamber},
    {"Crystal Throne", {40, 4, 20}, CrystalThrone},
}};

const WorldStages kSecond = {{
    {"Crystal Garden", {38, 4, 22}, CrystalGarden},
    {"Diamond Mine", {38, 4, 21}, DiamondMine},
    {"Mine Shaft", {38, 4, 20}, MineShaft},
    {"Underground River", {36, 4, 20}, UndergroundRiver},
    {"Gem Vault", {36, 3, 19}, GemVault},
    {"Kaleidoscope", {36, 4, 18}, Kaleidoscope},
    {"Quartz Columns", {36, 4, 17}, QuartzColumns},
    {"Ammonite", {34, 4, 17}, Ammonite},
    {"Lantern Path", {34, 3, 16}, LanternPath},
    {"Heart of the Mountain", {34, 4, 15}, HeartOfTheMountain},
}};

}  // namespace

const WorldStages& CrystalStages(int set) {
  return set == 0 ? kBasic : kSecond;
}

}  // namespace vx::stages
