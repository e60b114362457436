// World 1, the dawn meadow: suns, flowers, hedges and bees in warm morning colours.
//
// The basic set teaches one thing a stage: a straight shot breaks a group (the sunrise), a
// bank shot off a wall reaches what a hedge hides, a broken stem lets its bell fall; then
// blocks that make channels, blasts (the bees), the guide gift, plain pieces and the laser
// gift, each alone first and then together. Big cells (64, then 56) and slow pushes.
// The second set keeps the meadow but packs it tighter: smaller cells, more colours, faster
// pushes, and specials from the start.
#include <cmath>

#include "catalogue.h"

namespace vx::stages {

namespace {

// A stem one cell wide hanging from `top` to `bottom` at x.
Region Stem(double x, double top, double bottom, int cell) {
  return Rect(x - cell / 2.0, top, x + cell / 2.0 - 0.01, bottom);
}

// A hanging bell flower: a stem from the ceiling and a round bell at its end.
void Bellflower(Stage& s, double x, double length, double radius, int bell) {
  s.Fill(Circle(x, length + radius * 0.8, radius), Solid(bell));
  s.Fill(Stem(x, 0, length + radius * 0.2, s.rules().cell), Solid(Green));
}

// A tulip cup: a round base with three petal tips pointing down.
Region TulipCup(double cx, double top, double width) {
  const double h = width * 0.9;
  return Ellipse(cx, top + h * 0.45, width / 2, h * 0.45) |
         Triangle({cx - width / 2, top + h * 0.5}, {cx - width / 4, top + h * 0.5},
                  {cx - width * 0.38, top + h * 1.05}) |
         Triangle({cx - width / 8, top + h * 0.5}, {cx + width / 8, top + h * 0.5},
                  {cx, top + h * 1.1}) |
         Triangle({cx + width / 4, top + h * 0.5}, {cx + width / 2, top + h * 0.5},
                  {cx + width * 0.38, top + h * 1.05});
}

// A regular hexagon with a flat top, like a comb cell.
Region Hexagon(double cx, double cy, double r) {
  std::vector<Point> p;
  for (int i = 0; i < 6; ++i) {
    const double a = i * 3.14159265358979 / 3;
    p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return Polygon(std::move(p));
}

// ---------------------------------------------------------------- basic set

// A sunrise hangs over the launcher: core, glow and rim are one group each, and every
// straight shot of the rim's colour breaks it.
void FirstLight(Stage& s) {
  s.Fill(Circle(512, -32, 330), Rings(512, -32, 120, {Yellow, Orange, Red}));
  s.Fill(Ellipse(112, 48, 120, 60) | Ellipse(912, 48, 120, 60), Solid(White));
}

// Two hedge posts hide flower pockets by the walls: below the posts a shot reaches the wall
// and bounces up into the pocket, which no straight shot can.
void Hedgerow(Stage& s) {
  s.Pillar(192, 0, 512);
  s.Pillar(768, 0, 512);
  s.Fill(Rect(0, 0, 192, 380), Rows({Pink, Pink, Purple, Purple, Yellow, Yellow}));
  s.Fill(Rect(832, 0, 1024, 380), Rows({Purple, Purple, Pink, Pink, Yellow, Yellow}));
  s.Fill(Rect(256, 0, 768, 200), Patches(130, {Green, Yellow, Green, Pink}, 12));
}

// Bluebells on green stems: a shot that breaks a stem lets the whole bell below it fall.
void Bluebells(Stage& s) {
  Bellflower(s, 128, 130, 100, Blue);
  Bellflower(s, 320, 250, 96, Purple);
  Bellflower(s, 512, 100, 110, Pink);
  Bellflower(s, 704, 250, 96, Blue);
  Bellflower(s, 896, 130, 100, Purple);
}

// Tulips over two garden walls: the walls leave a channel in the middle, and the tulips over
// the walls are reached up the channel and off the side walls.
void TulipTerrace(Stage& s) {
  s.Shelf(0, 320, 320);
  s.Shelf(704, 1024, 320);
  // The garden's hedge along the ceiling, in clumps: each clump is a group of its own.
  s.Fill(Above(40), Patches(150, {Green, Yellow, Green, White}, 14));
  s.Fill(TulipCup(128, 40, 230), Solid(Red));
  s.Fill(TulipCup(896, 40, 230), Solid(Red));
  s.Fill(TulipCup(512, 40, 260), Solid(Pink));
  s.Fill(TulipCup(320, 40, 150) | TulipCup(704, 40, 150), Solid(Yellow));
}

// A honeycomb full of bees: a shot against a bee blasts its six neighbours away.
void Honeycomb(Stage& s) {
  s.Fill(Hexagon(512, 150, 250), Rings(512, 150, 90, {Orange, Yellow, Orange}));
  s.Sprinkle(Hexagon(512, 150, 250), Blast, 3, 5);
  s.Fill(Circle(96, 64, 110), Rings(96, 64, 60, {White, Pink}));
  s.Fill(Circle(928, 64, 110), Rings(928, 64, 60, {White, Pink}));
}

// A rainbow over the meadow with a guide gift at each foot: the guide shows where the next
// shot lands.
void Rainbow(Stage& s) {
  s.Fill(Ring(512, 620, 300, 620) & Above(430),
         Rings(512, 620, 64, {Blue, Blue, Blue, Blue, Blue, Blue, Green, Yellow, Orange, Red}));
  s.PutAt(250, 400, GuideGift);
  s.PutAt(774, 400, GuideGift);
  s.Fill(Ellipse(512, 30, 150, 50), Solid(White));
}

// A butterfly on a wooden twig: the twig's pieces never break, the wings hang from it.
void Butterfly(Stage& s) {
  const int c = s.rules().cell;
  for (double x : {290.0, 734.0}) {
    s.Fill(Ellipse(x, 150, 210, 150), Rings(x, 150, 50, {Yellow, Orange, Red, Orange, Purple}));
    s.Fill(Ellipse(x + (x < 512 ? 60 : -60), 370, 140, 100),
           Rings(x + (x < 512 ? 60 : -60), 370, 60, {Pink, Purple}));
  }
  s.Fill(Stem(512, 0, 440, c), Solid(Wood));
}

// Three fruit trees hang from the orchard's canopy; a laser gift ripens in the middle one.
void Orchard(Stage& s) {
  const int c = s.rules().cell;
  s.Fill(Stem(192, 0, 120, c) | Stem(512, 0, 100, c) | Stem(832, 0, 120, c), Solid(Wood));
  s.Fill(Circle(192, 230, 140), Patches(70, {Green, Green, Red}, 3));
  s.Fill(Circle(512, 250, 160), Patches(70, {Green, Green, Orange}, 4));
  s.Fill(Circle(832, 230, 140), Patches(70, {Green, Green, Yellow}, 5));
  s.PutAt(512, 360, LaserGift);
  // The leafy canopy the trees hang from.
  s.Fill(Above(60) - Rect(150, 0, 874, 60), Patches(100, {Green, Red, Green, Orange}, 6));
}

// A windmill: four sails round a blast at the hub, the brick tower holding them up.
void Windmill(Stage& s) {
  s.Pillar(484, 0, 220);
  s.Fill(Beam({512, 250}, {220, 40}, 130), Solid(Red));
  s.Fill(Beam({512, 250}, {804, 40}, 130), Solid(Yellow));
  s.Fill(Beam({512, 250}, {240, 500}, 130), Solid(Blue));
  s.Fill(Beam({512, 250}, {784, 500}, 130), Solid(Green));
  s.PutAt(512, 250, Blast);
  s.Fill(Ellipse(100, 40, 100, 45) | Ellipse(924, 40, 100, 45), Solid(White));
  s.PutAt(100, 30, GuideGift);
  // A patchy sky over the sails.
  s.Fill(Above(150) - Rect(420, 0, 604, 150), Patches(90, {White, Blue, White, Yellow, Red}, 9));
}

// The dawn chorus: the sun's rays over birds in flight, with everything the meadow taught.
void DawnChorus(Stage& s) {
  s.Fill(Circle(512, -60, 420), Sectors(512, -60, {Yellow, Orange}, 0.1, 18));
  s.Fill(Circle(512, -60, 170), Solid(Red));
  s.Sprinkle(Ring(512, -60, 220, 420), Blast, 2, 8);
  // Clouds resting on two brick ledges, birds flying under them.
  s.Shelf(0, 170, 170);
  s.Shelf(854, 1024, 170);
  s.Fill(Ellipse(90, 110, 110, 60) | Ellipse(934, 110, 110, 60), Solid(White));
  s.Fill(Beam({30, 240}, {90, 280}, 60) | Beam({90, 280}, {150, 240}, 60) |
             Beam({874, 240}, {934, 280}, 60) | Beam({934, 280}, {994, 240}, 60),
         Solid(Pink));
  s.Fill(Rect(0, 200, 170, 230) | Rect(854, 200, 1024, 230), Solid(Pink));
  s.PutAt(512, 330, GuideGift);
  s.PutAt(330, 300, Stone);
  s.PutAt(694, 300, Stone);
}

// ---------------------------------------------------------------- second set

// Dandelion clocks: white seed heads full of seeds that vanish with a shot.
void Dandelions(Stage& s) {
  const int c = s.rules().cell;
  for (double x : {170.0, 512.0, 854.0}) {
    const double y = x == 512 ? 300 : 220;
    s.Fill(Circle(x, y, 125), Rings(x, y, 55, {Yellow, White, White}));
    s.Fill(Stem(x, 0, y - 100, c), Solid(Green));
    s.Sprinkle(Ring(x, y, 60, 125), Seed, 4, static_cast<unsigned>(x));
  }
}

// Ladybirds: red shells with dark spots and blue heads.
void Ladybirds(Stage& s) {
  for (double x : {200.0, 512.0, 824.0}) {
    const double y = x == 512 ? 250 : 170;
    s.Fill(Circle(x, y, 130), Solid(Red));
    s.Fill(Circle(x - 50, y - 30, 30) | Circle(x + 50, y - 30, 30) | Circle(x, y + 50, 32),
           Solid(Purple));
    s.Fill(Ellipse(x, y - 140, 70, 40), Solid(Blue));
  }
  s.Fill(Above(40), Solid(Green));
}

// A picnic blanket with a basket of bricks in the middle.
void Picnic(Stage& s) {
  s.Fill(Rect(0, 0, 1024, 330), Patches(100, {Red, White, Red, White, Yellow}, 21));
  s.Replace(Rect(0, 0, 1024, 330), [](const Spot& p) {
    return ((static_cast<int>(p.x / 100) + static_cast<int>(p.y / 100)) % 2) ? White : Red;
  });
  s.BlockPlaces(Rect(420, 230, 604, 330));
  s.Fill(Ellipse(512, 380, 120, 40), Solid(Yellow));
  s.Sprinkle(Rect(0, 0, 1024, 330), Blast, 2, 7);
}

// Vegetable rows between brick paths: carrots, leeks and peas in narrow beds.
void VegetableRows(Stage& s) {
  s.Pillar(250, 0, 400);
  s.Pillar(724, 0, 400);
  s.Fill(Rect(0, 0, 250, 420), BandsY(0, 100, {Green, Orange, Orange}));
  s.Fill(Rect(300, 0, 724, 300), BandsX(300, 70, {Green, Cyan, Green, White}));
  s.Fill(Rect(774, 0, 1024, 420), BandsY(0, 100, {Green, Purple, Purple}));
  s.PutAt(512, 320, GuideGift);
}

// A lily pond ringed with stones; the frog on the middle pad is a blast.
void LilyPond(Stage& s) {
  s.Fill(Ellipse(512, 160, 470, 170), Patches(90, {Cyan, Blue, Cyan}, 2));
  s.Fill(Circle(300, 200, 60) | Circle(720, 140, 60) | Circle(512, 260, 70), Solid(Green));
  s.PutAt(512, 260, Blast);
  s.Replace(Ring(512, 160, 0, 600) - Ellipse(512, 160, 420, 130), Solid(Stone));
  s.Fill(Ellipse(512, 360, 160, 50), Solid(Pink));
}

// A maypole: ribbons wound from the top of the pole, the pole itself of steel.
void Maypole(Stage& s) {
  const int c = s.rules().cell;
  s.Fill(Circle(512, 0, 430) - Circle(512, 0, 60),
         Sectors(512, 0, {Red, Yellow, Blue, Pink, Green, Purple}, 0.0));
  // Garlands strung along the top, each a short run of one colour.
  s.Fill(Above(50), BandsX(0, 96, {Green, White}));
  s.Fill(Stem(512, 0, 460, c), Solid(Steel));
  s.Sprinkle(Circle(512, 0, 430), GuideGift, 1, 4);
}

// Kites on the wind, their tails trailing down to one side.
void Kites(Stage& s) {
  s.Fill(Diamond(250, 170, 120, 160), Sectors(250, 170, {Red, Yellow, Red, Yellow}, 0.785));
  s.Fill(Diamond(774, 170, 120, 160), Sectors(774, 170, {Blue, Cyan, Blue, Cyan}, 0.785));
  s.Fill(Beam({250, 320}, {380, 470}, 44), Solid(Pink));
  s.Fill(Beam({774, 320}, {644, 470}, 44), Solid(Green));
  s.Fill(Above(40), Solid(White));
  s.PutAt(512, 40, LaserGift);
}

// A wreath of flowers round a blast-filled heart.
void FlowerWreath(Stage& s) {
  s.Fill(Ring(512, 230, 130, 250), Patches(85, {Red, Pink, Yellow, White, Purple}, 31));
  s.Fill(Heart(512, 220, 90), Solid(Red));
  s.Sprinkle(Heart(512, 220, 90), Blast, 2, 9);
  s.Fill(Stem(512, 0, 10, s.rules().cell), Solid(Green));
  s.Fill(Above(30), BandsX(0, 96, {Green, White}));
}

// A hedge maze: brick hedges, colour pockets in its turns.
void HedgeMaze(Stage& s) {
  s.Shelf(92, 400, 300);
  s.Shelf(624, 932, 300);
  s.Pillar(92, 120, 300);
  s.Pillar(886, 120, 300);
  s.Shelf(320, 704, 150);
  s.Fill(Above(90), Patches(100, {Green, Yellow, Purple}, 41));
  s.Fill(Rect(150, 150, 874, 290) - Rect(320, 150, 704, 210), Patches(80, {Red, Orange, Blue}, 42));
  s.PutAt(512, 230, GuideGift);
}

// The honey harvest: combs of four, bees that blast, seeds of pollen.
void HoneyHarvest(Stage& s) {
  s.Fill(Hexagon(300, 150, 160) | Hexagon(724, 150, 160) | Hexagon(512, 330, 140),
         Patches(70, {Yellow, Orange, Yellow, White}, 51));
  s.Sprinkle(Hexagon(300, 150, 160) | Hexagon(724, 150, 160), Blast, 3, 52);
  s.Sprinkle(Hexagon(512, 330, 140), Seed, 3, 53);
  s.Fill(Above(30), Solid(Green));
}

const WorldStages kBasic = {{
    //  name            cell  c   p
    {"First Light", {64, 3, 60}, FirstLight},
    {"Hedgerow", {64, 3, 60}, Hedgerow},
    {"Bluebells", {64, 3, 56}, Bluebells},
    {"Tulip Terrace", {64, 3, 54}, TulipTerrace},
    {"Honeycomb", {64, 3, 50}, Honeycomb},
    {"Rainbow", {64, 3, 48}, Rainbow},
    {"Butterfly", {56, 3, 46}, Butterfly},
    {"Orchard", {56, 3, 42}, Orchard},
    {"Windmill", {56, 3, 40}, Windmill},
    {"Dawn Chorus", {56, 3, 38}, DawnChorus},
}};

const WorldStages kSecond = {{
    {"Dandelions", {50, 3, 40}, Dandelions},
    {"Ladybirds", {50, 3, 38}, Ladybirds},
    {"Picnic", {50, 3, 38}, Picnic},
    {"Vegetable Rows", {50, 3, 36}, VegetableRows},
    {"Lily Pond", {48, 3, 36}, LilyPond},
    {"Maypole", {48, 3, 34}, Maypole},
    {"Kites", {48, 3, 34}, Kites},
    {"Flower Wreath", {46, 3, 32}, FlowerWreath},
    {"Hedge Maze", {46, 3, 30}, HedgeMaze},
    {"Honey Harvest", {44, 4, 28}, HoneyHarvest},
}};

}  // namespace

const WorldStages& MeadowStages(int set) {
  return set == 0 ? kBasic : kSecond;
}

}  // namespace vx::stages
