// World 3, the desert at sunset: dunes, caravans, pyramids and the setting sun in warm reds
// and golds.
//
// The basic set brings groups of four (from its sixth stage, first with a slower push to
// make up for it), stone pieces in numbers (rocks that only a blast or a fall removes), and
// brick pyramids and mesas that narrow the way in. Its planter rows rise with it (stage
// numbers 20 to 29: from calm to the busiest). The second set plays with groups of four (three
// among the obelisks and the tents) and faster pushes, in smaller cells.
#include <cmath>

#include "catalogue.h"

namespace vx::stages {

namespace {

constexpr double kPi = 3.14159265358979323846;

Region Strand(double x, double top, double bottom, int cell) {
  return Rect(x - cell / 2.0, top, x + cell / 2.0 - 0.01, bottom);
}

// A camel: a body with one or two humps, a neck and a head, legs hanging below.
void Camel(Stage& s, double x, double y, int coat, int saddle) {
  s.Fill(Ellipse(x, y, 90, 45) | Circle(x - 30, y - 40, 35) | Circle(x + 30, y - 40, 35),
         Solid(coat));
  s.Fill(Beam({x + 80, y - 10}, {x + 120, y - 80}, 36) | Circle(x + 135, y - 85, 28), Solid(coat));
  s.Fill(Ellipse(x, y - 10, 40, 25), Solid(saddle));
  for (double dx : {-55.0, 55.0})
    s.Fill(Strand(x + dx, y + 30, y + 120, s.rules().cell), Solid(coat));
}

// A saguaro cactus with two raised arms.
void Cactus(Stage& s, double x, double top, double height, int green, int flower) {
  const int c = s.rules().cell;
  s.Fill(Rect(x - c, top, x + c - 0.01, top + height), Solid(green));
  s.Fill(Rect(x - 2.6 * c, top + height * 0.45, x - c, top + height * 0.45 + c) |
             Rect(x - 2.6 * c, top + height * 0.15, x - 1.6 * c, top + height * 0.45),
         Solid(green));
  s.Fill(Rect(x + c, top + height * 0.55, x + 2.6 * c, top + height * 0.55 + c) |
             Rect(x + 1.6 * c, top + height * 0.25, x + 2.6 * c, top + height * 0.55),
         Solid(green));
  s.PutAt(x, top + height + c * 0.5, flower);
  s.PutAt(x - 2.1 * c, top + height * 0.15, flower);
  s.PutAt(x + 2.1 * c, top + height * 0.25, flower);
}

// ---------------------------------------------------------------- basic set

// Dune crests rolling across in bands of sand.
void DuneWaves(Stage& s) {
  s.Fill(Above(40), Solid(Yellow));
  s.Fill(Wave(70, 35, 700, 90), Solid(Yellow));
  s.Fill(Wave(150, 40, 600, 80, 1.0), Solid(Orange));
  s.Fill(Wave(230, 40, 500, 70, 2.0), Solid(Red));
}

// A caravan of camels crossing under the evening sky.
void Caravan(Stage& s) {
  s.Fill(Above(100), Patches(120, {Orange, Pink, Orange}, 201));
  Camel(s, 170, 180, Yellow, Red);
  Camel(s, 470, 180, Yellow, Red);
  Camel(s, 770, 180, Yellow, Red);
}

// Pyramids of brick hanging from the sky, sand and rocks piled between them: the bricks
// split the way in.
void Pyramids(Stage& s) {
  s.BlockPlaces(Triangle({150, 0}, {390, 0}, {270, 200}));
  s.BlockPlaces(Triangle({634, 0}, {874, 0}, {754, 200}));
  s.Fill(Rect(0, 0, 1024, 300) - Triangle({100, 0}, {440, 0}, {270, 260}) -
             Triangle({584, 0}, {924, 0}, {754, 260}),
         BandsY(0, 90, {Yellow, Orange, Red, Orange}));
  s.Sprinkle(Rect(0, 200, 1024, 300), Stone, 3, 202);
}

// An oasis: palm crowns round a pool, a laser gift floating on the water.
void Oasis(Stage& s) {
  const int c = s.rules().cell;
  for (double x : {190.0, 834.0}) {
    // A crown of fronds round the top of the trunk, a gap between each two.
    s.Fill(Circle(x, 150, 170) - Circle(x, 150, 40), Sectors(x, 150, {Green, -1}, 0.2, 12));
    s.Fill(Circle(x, 150, 45), Solid(Orange));
    s.Fill(Strand(x, 0, 150, c), Solid(Wood));
  }
  s.Fill(Ellipse(512, 200, 200, 110), Rings(512, 200, 60, {Blue, Cyan, Cyan}));
  s.Fill(Above(60), Solid(Orange));
  s.Fill(Ellipse(512, 330, 220, 50), Solid(Yellow));
  s.PutAt(512, 200, LaserGift);
}

// A cactus garden: arms of green, pink flowers, rocks in the sand.
void CactusGarden(Stage& s) {
  s.Fill(Above(50), Solid(Orange));
  Cactus(s, 220, 40, 330, Green, Pink);
  Cactus(s, 804, 40, 330, Green, Pink);
  s.Fill(Circle(512, 160, 140), Rings(512, 160, 70, {Yellow, Red}));
  s.Sprinkle(Above(50), Stone, 4, 211);
}

// The setting sun: its rays in groups of four.
void SettingSun(Stage& s) {
  s.Fill(Circle(512, -80, 400) - Circle(512, -80, 180),
         Sectors(512, -80, {Red, Orange, Yellow, Orange}, 0.05, 20));
  s.Fill(Circle(512, -80, 180), Rings(512, -80, 90, {Yellow, Orange}));
  s.Fill(Mirror(Ellipse(50, 120, 60, 130)), Solid(Purple));
  s.Sprinkle(Circle(512, -80, 400) - Circle(512, -80, 180), Blast, 2, 221);
}

// Mesas: flat-topped brick hills with stone caps and sand in the valleys.
void Mesa(Stage& s) {
  s.BlockPlaces(Rect(120, 0, 330, 180));
  s.BlockPlaces(Rect(694, 0, 904, 180));
  s.Fill(Rect(0, 0, 1024, 360) - Rect(90, 0, 360, 200) - Rect(664, 0, 934, 200),
         BandsY(0, 80, {Red, Orange, Yellow, Orange}));
  s.Fill(Rect(120, 180, 330, 240) | Rect(694, 180, 904, 240), Solid(Stone));
  s.Fill(Rect(120, 240, 330, 300) | Rect(694, 240, 904, 300), Solid(Purple));
  s.PutAt(512, 300, GuideGift);
}

// A sandstorm: streaks of sand driven across, rocks caught in them.
void Sandstorm(Stage& s) {
  s.Fill(Rect(0, 0, 1024, 340), Diagonal(110, 0.9, {Yellow, Orange, Red, Orange, Pink}));
  s.Erase(Wave(330, 60, 400, 80));
  s.Sprinkle(Rect(0, 0, 1024, 300), Stone, 5, 231);
  s.Sprinkle(Rect(0, 0, 1024, 300), Blast, 2, 232);
}

// A scorpion: claws raised, its tail curled over with a blast for the sting.
void Scorpion(Stage& s) {
  s.Fill(Above(40), Patches(100, {Yellow, Orange}, 241));
  s.Fill(Ellipse(512, 150, 180, 100), Solid(Red));
  s.Fill(Circle(512, 270, 60) | Circle(512, 350, 50) | Circle(512, 420, 40), Solid(Orange));
  s.Fill(Circle(240, 110, 90) | Circle(784, 110, 90), Solid(Red));
  s.Erase(Triangle({240, 110}, {170, 230}, {300, 230}) |
          Triangle({784, 110}, {714, 230}, {854, 230}));
  s.Fill(Beam({380, 140}, {270, 120}, 50) | Beam({644, 140}, {754, 120}, 50), Solid(Orange));
  for (double dy : {0.0, 60.0, 120.0}) {
    s.Fill(Beam({400, 170 + dy}, {290, 240 + dy}, 40) | Beam({624, 170 + dy}, {734, 240 + dy}, 40),
           Solid(Purple));
  }
  s.HangBelow(512, Blast);
  s.Sprinkle(Rect(0, 0, 1024, 40), Stone, 2, 242);
}

// An hourglass: sand running through a narrow brick neck.
void Hourglass(Stage& s) {
  s.BlockPlaces(Polygon({{150, 0}, {260, 0}, {470, 220}, {470, 300}, {400, 300}, {150, 40}}));
  s.BlockPlaces(Polygon({{874, 0}, {764, 0}, {554, 220}, {554, 300}, {624, 300}, {874, 40}}));
  s.Fill(Triangle({260, 0}, {764, 0}, {512, 260}), BandsY(0, 66, {Yellow, Orange, Red, Red}));
  s.Fill(Rect(0, 0, 150, 440) | Rect(874, 0, 1024, 440), BandsY(0, 110, {Purple, Pink}));
  s.Fill(Rect(490, 260, 534, 330) | Circle(512, 380, 70), Solid(Yellow));
  s.Sprinkle(Triangle({380, 130}, {644, 130}, {512, 250}), Stone, 2, 251);
  s.HangBelow(512, LaserGift);
}

// ---------------------------------------------------------------- second set

// Sand ripples: many thin waves, each a group of four at most a few balls deep.
void Ripples(Stage& s) {
  for (int i = 0; i < 6; ++i)
    s.Fill(Wave(40 + i * 60, 25, 340, 56, i * 0.9), Solid(i % 3 == 0   ? Yellow
                                                          : i % 3 == 1 ? Orange
                                                                       : Red));
  s.Sprinkle(Rect(0, 0, 1024, 380), Stone, 4, 301);
}

// Obelisks: tall brick needles standing in the sand, narrow channels between them.
void Obelisks(Stage& s) {
  for (double x : {140.0, 380.0, 600.0, 840.0}) s.Pillar(x, 0, 420);
  s.Fill(Rect(0, 0, 1024, 380), BandsX(0, 120, {Yellow, Orange, Red, Purple}));
  s.Sprinkle(Rect(0, 0, 1024, 380), Blast, 3, 302);
}

// A desert rose: crystal petals of sand in rings round a stone heart.
void DesertRose(Stage& s) {
  s.Fill(Circle(512, 200, 250), Sectors(512, 200, {Pink, Orange, Pink, Red, Pink, Yellow}, 0.3));
  s.Replace(Circle(512, 200, 250) - Circle(512, 200, 180),
            Sectors(512, 200, {Red, Yellow, Orange}, 0.8));
  s.Fill(Circle(512, 200, 60), Solid(Stone));
  s.Fill(Above(30), BandsX(0, 128, {Orange, Yellow}));
  s.Sprinkle(Ring(512, 200, 60, 180), Blast, 2, 311);
}

// A camel train over the crest of a dune.
void CamelTrain(Stage& s) {
  s.Fill(Wave(70, 30, 1000, 140), Patches(70, {Orange, Yellow, Red}, 321));
  Camel(s, 140, 220, Yellow, Red);
  Camel(s, 380, 250, Orange, Red);
  Camel(s, 620, 250, Yellow, Red);
  Camel(s, 860, 220, Orange, Red);
  s.Sprinkle(Wave(70, 30, 1000, 140), Stone, 3, 322);
}

// A sundial: the hours in sectors round a brick gnomon.
void Sundial(Stage& s) {
  s.Fill(Circle(512, 120, 380),
         Sectors(512, 120, {Yellow, Orange, Red, Pink, Purple, Blue}, 0.0, 12));
  s.BlockPlaces(Beam({512, 0}, {512, 260}, 60), Plate);
  s.Sprinkle(Ring(512, 120, 200, 380), GuideGift, 1, 331);
  s.Sprinkle(Ring(512, 120, 100, 380), Stone, 4, 332);
}

// Nomad tents: striped triangles pitched in a row.
void NomadTents(Stage& s) {
  const double xs[] = {150, 400, 624, 874};
  const int a[] = {Red, Blue, Green, Purple};
  for (int i = 0; i < 4; ++i) {
    s.Fill(Triangle({xs[i], 20}, {xs[i] - 140, 300}, {xs[i] + 140, 300}),
           BandsX(xs[i] - 140, 56, {a[i], White}));
    s.Fill(Strand(xs[i], 0, 30, s.rules().cell), Solid(Wood));
  }
  s.Fill(Above(30), Solid(Orange));
  s.Sprinkle(Rect(0, 200, 1024, 320), SeedSpring, 2, 341);
}

// A canyon: walls close in from both sides, the way in winding between ledges.
void Canyon(Stage& s) {
  s.Pillar(0, 0, 500);
  s.Pillar(980, 0, 500);
  s.Shelf(40, 380, 180);
  s.Shelf(644, 984, 320);
  s.Fill(Rect(40, 0, 984, 180), BandsY(0, 60, {Red, Orange, Purple}));
  s.Fill(Rect(40, 230, 644, 400), Patches(80, {Yellow, Orange, Red}, 351));
  s.Fill(Rect(380, 180, 984, 320), Patches(80, {Purple, Pink}, 352));
  s.Sprinkle(Rect(100, 200, 924, 400), Stone, 4, 353);
}

// A mirage: colours that will not hold still, a colour changer at its heart.
void Mirage(Stage& s) {
  s.Fill(Ellipse(512, 180, 480, 190), Patches(70, {Cyan, Blue, White, Yellow}, 361));
  s.Fill(Wave(300, 30, 250, 60), Solid(Orange));
  s.PutAt(512, 200, ColourChanger);
  s.Sprinkle(Ellipse(512, 180, 480, 190), Stone, 3, 362);
}

// A scarab beetle: a polished shell split down the middle, six legs and a sun disc.
void Scarab(Stage& s) {
  s.Fill(Ellipse(512, 230, 170, 190), [](const Spot& p) { return p.x < 512 ? Blue : Green; });
  s.Fill(Ellipse(512, 70, 100, 50), Solid(Cyan));
  s.Fill(Circle(512, 10, 120) - Ellipse(512, 70, 100, 50), Solid(Yellow));
  for (double dy : {0.0, 100.0, 200.0})
    s.Fill(Beam({360, 160 + dy}, {200, 120 + dy}, 36) | Beam({664, 160 + dy}, {824, 120 + dy}, 36),
           Solid(Purple));
  s.Sprinkle(Ellipse(512, 230, 170, 190), Blast, 2, 371);
  s.Fill(Above(30), BandsX(0, 70, {Orange, Yellow, Red}));
}

// Night falls on the desert: the first stars over dark dunes, laser balls on the horizon.
void DesertNight(Stage& s) {
  s.Fill(Rect(0, 0, 1024, 150), Patches(100, {Blue, Purple}, 381));
  s.Fill(Star(200, 80, 75, 30, 5) | Star(824, 80, 75, 30, 5) | Star(512, 60, 55, 22, 5),
         Solid(Yellow));
  s.Fill(Wave(200, 35, 600, 100), Solid(Orange));
  s.Fill(Wave(280, 35, 500, 70, 1.7), Solid(Red));
  s.HangBelow(300, LaserBall);
  s.HangBelow(724, LaserBall);
  s.Sprinkle(Rect(0, 180, 1024, 380), Stone, 4, 382);
}

const WorldStages kBasic = {{
    //  name             cell  c   p
    {"Dune Waves", {50, 3, 38}, DuneWaves},
    {"Caravan", {50, 3, 36}, Caravan},
    {"Pyramids", {48, 3, 36}, Pyramids},
    {"Oasis", {48, 3, 34}, Oasis},
    {"Cactus Garden", {48, 3, 32}, CactusGarden},
    {"Setting Sun", {46, 4, 36}, SettingSun},
    {"Mesa", {46, 4, 32}, Mesa},
    {"Sandstorm", {46, 4, 30}, Sandstorm},
    {"Scorpion", {44, 4, 28}, Scorpion},
    {"Hourglass", {44, 4, 26}, Hourglass},
}};

const WorldStages kSecond = {{
    {"Ripples", {42, 4, 28}, Ripples},
    {"Obelisks", {42, 3, 26}, Obelisks},
    {"Desert Rose", {42, 4, 25}, DesertRose},
    {"Camel Train", {40, 4, 24}, CamelTrain},
    {"Sundial", {40, 4, 23}, Sundial},
    {"Nomad Tents", {40, 3, 22}, NomadTents},
    {"Canyon", {40, 4, 21}, Canyon},
    {"Mirage", {38, 4, 20}, Mirage},
    {"Scarab", {38, 4, 19}, Scarab},
    {"Desert Night", {38, 4, 18}, DesertNight},
}};

}  // namespace

const WorldStages& DunesStages(int set) {
  return set == 0 ? kBasic : kSecond;
}

}  // namespace vx::stages
