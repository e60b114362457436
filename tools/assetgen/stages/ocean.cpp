// World 2, the deep ocean: waves, jellyfish, reefs, lanterns on the tide and creatures of
// the deep in blues and lantern glows.
//
// The basic set brings the pieces that change the field: seeds (bubbles that take a shot
// with them), seed springs and gem springs (clams that grow new balls when hit), gem pieces
// (shells and pearls that never break), then the limited spring, and combines them. Its
// first five stages come with the busiest planters of the game (stage numbers 10 to 14), so
// they keep to open layouts and slow pushes; the last five, with calm planters, carry the
// harder layouts. The second set goes deeper: smaller cells, groups of four from its fifth
// stage, faster pushes.
#include <cmath>

#include "catalogue.h"

namespace vx::stages {

namespace {

constexpr double kPi = 3.14159265358979323846;

Region Strand(double x, double top, double bottom, int cell) {
  return Rect(x - cell / 2.0, top, x + cell / 2.0 - 0.01, bottom);
}

// Foam along the surface: the top row in white.
void Surface(Stage& s) {
  s.Fill(Above(s.rules().cell * 0.6), Solid(White));
}

// A jellyfish: a round bell and tentacles trailing below it.
void Jellyfish(Stage& s, double x, double y, double r, int bell, int tentacles) {
  s.Fill(Ellipse(x, y, r, r * 0.75) & Above(y + r * 0.2), Solid(bell));
  for (double dx : {-0.6, 0.0, 0.6}) {
    const double tx = x + dx * r;
    s.Fill(Beam({tx, y + r * 0.1}, {tx + dx * 30, y + r * 1.9}, s.rules().cell * 0.9),
           Solid(tentacles));
  }
}

// A clam: a ribbed fan shell hanging from its hinge, a pearl (a spring) at its rim.
void Clam(Stage& s, double x, double hinge, double r, int shell, int rib, int pearl) {
  s.Fill(Circle(x, hinge, r) & Rect(x - r, hinge, x + r, hinge + r),
         Sectors(x, hinge, {shell, rib}, 0.0, 14));
  s.PutAt(x, hinge + r * 0.85, pearl);
}

// A lantern on a string: a rounded body in two glows and a spring for a wick.
void Lantern(Stage& s, double x, double top, double length, int outer, int inner, int wick) {
  const int c = s.rules().cell;
  s.Fill(Strand(x, 0, top + 4, c), Solid(White));
  s.Fill(Ellipse(x, top + length / 2, length * 0.42, length / 2),
         Rings(x, top + length / 2, length * 0.22, {inner, outer}));
  if (wick >= 0) s.PutAt(x, top + length / 2, wick);
}

// ---------------------------------------------------------------- basic set

// Three rolling waves under the foam, with bubbles in them: a bubble takes the shot that
// touches it and nothing else.
void TidePool(Stage& s) {
  Surface(s);
  s.Fill(Rect(0, 0, 1024, 150), Solid(Cyan));
  s.Fill(Wave(170, 45, 512, 90, 1.2), Solid(Blue));
  s.Fill(Wave(250, 45, 512, 70, 2.4), Solid(Green));
  s.Sprinkle(Wave(170, 45, 512, 90, 1.2), Seed, 4, 11);
}

// Jellyfish drifting under the surface; their tentacles fall when the bells break.
void JellyfishBloom(Stage& s) {
  Surface(s);
  Jellyfish(s, 190, 150, 120, Pink, Purple);
  Jellyfish(s, 512, 170, 130, Purple, Pink);
  Jellyfish(s, 834, 150, 120, Cyan, Blue);
}

// A reef overhang: brick ledges make two channels, corals and shells fill the gaps.
void CoralReef(Stage& s) {
  s.Pillar(300, 0, 380);
  s.Pillar(670, 0, 380);
  s.Fill(Rect(0, 0, 300, 420), Patches(90, {Orange, Pink, Red}, 31));
  s.Fill(Rect(354, 0, 670, 260), Patches(90, {Pink, Yellow, Cyan}, 32));
  s.Fill(Rect(724, 0, 1024, 420), Patches(90, {Red, Orange, Pink}, 33));
  s.PutAt(150, 380, Gem(2, 7));
  s.PutAt(874, 380, Gem(2, 7));
  s.PutAt(512, 230, Gem(7, 5));
}

// Lanterns on the tide: each wick is a seed spring that grows bubbles when a shot hits it.
void TideLanterns(Stage& s) {
  // A floating lamp splits the foam, so it no longer breaks as one.
  Surface(s);
  s.PutAt(512, 30, Yellow);
  Lantern(s, 140, 60, 260, Red, Yellow, -1);
  Lantern(s, 380, 130, 280, Orange, Yellow, SeedSpring);
  Lantern(s, 644, 130, 280, Orange, Pink, SeedSpring);
  Lantern(s, 884, 60, 260, Red, Pink, -1);
}

// Clam beds: their pearls are gem springs, which grow new balls of any colour when hit.
void ClamBeds(Stage& s) {
  s.Fill(Above(90), Patches(110, {Green, Cyan, Green}, 41));
  Clam(s, 200, 90, 170, Purple, Pink, GemSpring);
  Clam(s, 512, 90, 210, Blue, Cyan, GemSpring);
  Clam(s, 824, 90, 170, Purple, Pink, GemSpring);
  s.PutAt(360, 110, Gem(0, 8));
  s.PutAt(664, 110, Gem(0, 8));
}

// A sunken ship: a hull of planks with a hatch burst open in its keel, its cargo in the hold
// and a treasure of gems.
void Shipwreck(Stage& s) {
  s.BlockPlaces(Polygon({{190, 60}, {834, 60}, {760, 200}, {264, 200}}) - Rect(300, 0, 724, 150) -
                    Rect(400, 0, 624, 220),
                Plate);
  s.Fill(Rect(300, 0, 724, 150), Patches(80, {Orange, Yellow, Red}, 51));
  s.Fill(Above(60) - Rect(300, 0, 724, 150), Patches(120, {Cyan, Blue, White}, 52));
  s.Fill(Rect(0, 60, 190, 380) | Rect(834, 60, 1024, 380), BandsY(60, 110, {Blue, Cyan, Purple}));
  s.Sprinkle(Rect(0, 60, 190, 380) | Rect(834, 60, 1024, 380), Gem(5, 2), 4, 53);
}

// A kelp forest: tall strands with narrow channels between them, limited springs at the tips.
void KelpForest(Stage& s) {
  const int c = s.rules().cell;
  const double xs[] = {96, 256, 416, 608, 768, 928};
  const int colours[] = {Green, Cyan, Green, Green, Cyan, Green};
  for (int i = 0; i < 6; ++i) {
    const double len = 300 + 90 * std::sin(i * 1.7);
    s.Fill(Strand(xs[i], 0, len, c) | Strand(xs[i] + c, 0, len - 40, c), Solid(colours[i]));
    s.Fill(Circle(xs[i] + c / 2.0, len + 20, 55), Solid(i % 2 ? Yellow : Orange));
    s.PutAt(xs[i] + c / 2.0, len + 40, LimitedSpring);
  }
  // The sunlit water the kelp reaches up to, in patches.
  s.Fill(Above(110), Patches(90, {Blue, Cyan, White}, 73));
}

// A whale singing: a great blue body with a white belly, blasts for its song.
void WhaleSong(Stage& s) {
  s.Fill(Ellipse(470, 200, 360, 150), Solid(Blue));
  s.Fill(Ellipse(470, 290, 280, 70), Solid(White));
  s.Fill(Triangle({800, 130}, {980, 40}, {980, 260}), Solid(Cyan));
  s.PutAt(250, 170, Gem(0, 9));
  s.Fill(Above(230) - Ellipse(470, 200, 360, 150), Patches(80, {Cyan, White, Blue, Green}, 62));
  s.Sprinkle(Ellipse(470, 200, 360, 150) - Ellipse(470, 290, 280, 70), Blast, 3, 61);
  s.Fill(Ring(250, 40, 60, 110) & Above(100), Solid(White));
}

// An octopus: eight arms curling from its head, limited springs and shells among them.
void Octopus(Stage& s) {
  s.Fill(Ellipse(512, 130, 170, 130), Solid(Purple));
  for (int i = 0; i < 8; ++i) {
    const double a = kPi * (0.08 + 0.84 * i / 7.0);
    const double x0 = 512 + 140 * std::cos(a), y0 = 190 + 40 * std::sin(a);
    const double x1 = 512 + 420 * std::cos(a), y1 = 230 + 250 * std::sin(a);
    s.Fill(Beam({x0, y0}, {x1, y1}, s.rules().cell * 1.1), Solid(i % 2 ? Pink : Purple));
  }
  s.Fill(Circle(450, 120, 30) | Circle(574, 120, 30), Solid(Yellow));
  s.Sprinkle(Ellipse(512, 130, 170, 130), LimitedSpring, 2, 71);
  // Ink clouding the water above the octopus.
  s.Fill(Above(150) - Ellipse(512, 130, 170, 130), Patches(80, {Blue, Cyan, White, Green}, 72));
  s.PutAt(150, 30, Gem(4, 4));
  s.PutAt(874, 30, Gem(4, 4));
}

// The deep: a trench between steep walls, an anglerfish's lantern (a laser gift) below, and
// everything the ocean brought.
void TheDeep(Stage& s) {
  s.Pillar(150, 0, 460, Plate);
  s.Pillar(826, 0, 460, Plate);
  s.Fill(Rect(0, 0, 150, 500) | Rect(876, 0, 1024, 500), BandsY(0, 90, {Blue, Purple}));
  s.Fill(Rect(200, 0, 826, 240), Patches(90, {Blue, Cyan, Purple, Green}, 81));
  s.Fill(Ellipse(512, 300, 150, 80), Solid(Purple));
  s.Fill(Beam({512, 360}, {560, 420}, 40) | Circle(570, 440, 55), Solid(Yellow));
  s.PutAt(570, 450, LaserGift);
  s.Sprinkle(Rect(200, 0, 826, 240), GemSpring, 2, 82);
  s.Sprinkle(Rect(200, 0, 826, 240), Seed, 3, 83);
  s.PutAt(75, 480, Gem(9, 9));
  s.PutAt(950, 480, Gem(9, 9));
}

// ---------------------------------------------------------------- second set

// Seahorses: curled tails and long snouts, a coral of gem pieces between them.
void Seahorses(Stage& s) {
  for (double x : {230.0, 794.0}) {
    const double dir = x < 512 ? 1 : -1;
    const int body = x < 512 ? Orange : Yellow;
    s.Fill(Circle(x + dir * 30, 80, 60) | Ellipse(x, 200, 80, 120), Solid(body));
    s.Fill(Beam({x + dir * 60, 80}, {x + dir * 170, 110}, 50), Solid(Red));
    s.PutAt(x + dir * 30, 70, Gem(0, 9));
    s.Fill(Beam({x - dir * 60, 130}, {x - dir * 100, 260}, 40), Solid(Red));
    s.Fill(Ring(x - dir * 20, 370, 45, 95) - Rect(x - 200, 380, x + 200, 520), Solid(Green));
    s.Fill(Rect(x - dir * 20 - 95, 290, x - dir * 20 - 40, 380) & Circle(x, 330, 120),
           Solid(Green));
  }
  s.Fill(Above(50), Solid(Cyan));
  s.Fill(Circle(512, 150, 120), Rings(512, 150, 45, {Purple, Pink, Blue}));
  s.Sprinkle(Circle(512, 150, 120), Gem(2, 7), 3, 92);
}

// Starfish: five-pointed stars in three colours, seeds for bubbles.
void Starfish(Stage& s) {
  s.Fill(Above(60), Patches(260, {Blue, Cyan}, 100));
  s.Fill(Star(190, 190, 180, 85, 5), Solid(Orange));
  s.Fill(Star(512, 230, 200, 95, 5), Solid(Red));
  s.Fill(Star(834, 190, 180, 85, 5), Solid(Pink));
  s.Fill(Circle(190, 190, 50) | Circle(512, 230, 55) | Circle(834, 190, 50), Solid(Yellow));
  s.Sprinkle(Above(60), Seed, 4, 101);
}

// Anemones: tentacled domes in rings of colour, with seed springs at their mouths.
void Anemones(Stage& s) {
  const int c = s.rules().cell;
  for (double x : {170.0, 512.0, 854.0}) {
    const double y = x == 512 ? 170 : 150;
    s.Fill(Circle(x, y, 130) & Above(y + 40), Rings(x, y, 45, {Yellow, Pink, Purple}));
    for (double dx = -100; dx <= 100; dx += 50)
      s.Fill(Strand(x + dx, y + 30, y + 130, c), Solid(Purple));
    s.PutAt(x, y, SeedSpring);
  }
  s.Fill(Above(40), Solid(Cyan));
}

// Sunken treasure: a plated chest full of gems and gold, guarded by a gem spring.
void SunkenTreasure(Stage& s) {
  s.BlockPlaces(Rect(300, 120, 724, 170), Plate);
  s.Pillar(300, 170, 360, Plate);
  s.Pillar(680, 170, 360, Plate);
  s.Fill(Rect(350, 170, 680, 360), Patches(60, {Yellow, Orange, Yellow}, 111));
  s.Sprinkle(Rect(350, 170, 680, 360), Gem(0, 2), 4, 112);
  s.Fill(Above(120) | Rect(0, 0, 300, 300) | Rect(724, 0, 1024, 300),
         Patches(100, {Blue, Cyan, Green, Purple}, 113));
  s.PutAt(512, 90, GemSpring);
  s.Sprinkle(Rect(0, 0, 300, 300) | Rect(724, 0, 1024, 300), Blast, 2, 114);
}

// A manta ray gliding: wide wings in groups of four.
void MantaRay(Stage& s) {
  s.Fill(Polygon({{512, 30}, {980, 200}, {512, 330}, {44, 200}}),
         Diagonal(90, 0.6, {Blue, Purple, Blue, Cyan}));
  s.Fill(Beam({512, 320}, {512, 520}, 40), Solid(Purple));
  s.Fill(Above(40), Solid(White));
  s.Sprinkle(Polygon({{512, 30}, {980, 200}, {512, 330}, {44, 200}}), LimitedSpring, 3, 121);
}

// A sea turtle: a shell of plates round a blast, flippers and a head.
void SeaTurtle(Stage& s) {
  s.Fill(Ellipse(512, 200, 220, 160),
         Sectors(512, 200, {Green, Yellow, Green, Yellow, Green, Yellow}));
  s.Fill(Circle(512, 200, 60), Solid(Orange));
  s.PutAt(512, 200, Blast);
  s.Fill(Ellipse(250, 120, 90, 45) | Ellipse(774, 120, 90, 45) | Ellipse(300, 330, 70, 40) |
             Ellipse(724, 330, 70, 40),
         Solid(Cyan));
  s.Fill(Circle(512, 400, 55), Solid(Cyan));
  s.Fill(Above(30), BandsX(0, 80, {Blue, Purple}));
}

// A lighthouse on the rocks: its beam sweeps across the waves.
void Lighthouse(Stage& s) {
  s.BlockPlaces(Rect(120, 0, 230, 330), Brick);
  s.Fill(Beam({230, 250}, {1000, 120}, 110), Solid(Yellow));
  s.Fill(Wave(420, 30, 300, 70), Solid(Blue));
  s.Fill(Rect(230, 280, 1024, 400) - Wave(420, 30, 300, 70), Patches(90, {Cyan, White, Blue}, 141));
  s.Fill(Above(50) - Rect(100, 0, 250, 60), BandsX(0, 80, {Purple, Pink}));
  s.Sprinkle(Beam({230, 250}, {1000, 120}, 110), GuideGift, 1, 142);
}

// A pearl necklace hung in loops, its clasp a gem spring.
void PearlNecklace(Stage& s) {
  // Beads in runs along three strands.
  s.Fill(Ring(512, -200, 500, 570) & Above(460), Sectors(512, -200, {White, Pink}, 0.0, 44));
  s.Fill(Ring(512, -100, 330, 400) & Above(460), Sectors(512, -100, {Purple, White}, 0.1, 32));
  s.Fill(Ring(512, 0, 170, 240), Sectors(512, 0, {Cyan, Purple}, 0.2, 20));
  s.Sprinkle(Ring(512, -200, 500, 570) & Above(460), Gem(0, 8), 4, 154);
  s.PutAt(512, 300, GemSpring);
}

// A whirlpool: a spiral of water round a blast at its eye.
void Whirlpool(Stage& s) {
  const double cx = 512, cy = 170;
  s.Fill(Circle(cx, cy, 300), [&](const Spot& p) {
    const double r = std::hypot(p.x - cx, p.y - cy), a = std::atan2(p.y - cy, p.x - cx);
    const int arm = static_cast<int>(std::floor((a / (2 * kPi) + r / 260.0) * 4.0)) & 3;
    const int colours[] = {Blue, Cyan, White, Purple};
    return colours[arm];
  });
  s.Erase(Circle(cx, cy, 50));
  s.PutAt(cx, cy, Blast);
  s.Sprinkle(Ring(cx, cy, 150, 300), Seed, 4, 161);
  // Spray over the rim in short runs of colour.
  s.Fill(Above(40), BandsX(0, 70, {Blue, Cyan, Purple}));
}

// The abyss: narrow walls, a deep cleft and creatures that glow in it.
void Abyss(Stage& s) {
  s.Pillar(200, 0, 520, Plate);
  s.Pillar(784, 0, 520, Plate);
  s.Pillar(440, 0, 200, Plate);
  s.Pillar(544, 0, 200, Plate);
  s.Fill(Rect(0, 0, 200, 440) | Rect(824, 0, 1024, 440), Patches(80, {Purple, Blue, Pink}, 171));
  s.Fill(Rect(240, 0, 440, 300) | Rect(584, 0, 784, 300), Patches(80, {Blue, Cyan, Purple}, 172));
  s.Fill(Rect(240, 300, 784, 380), Solid(Yellow));
  s.Sprinkle(Rect(0, 0, 1024, 540), GemSpring, 2, 173);
  s.Sprinkle(Rect(240, 0, 784, 300), SeedSpring, 2, 174);
}

const WorldStages kBasic = {{
    //  name              cell  c   p
    {"Tide Pool", {56, 3, 48}, TidePool},
    {"Jellyfish Bloom", {56, 3, 46}, JellyfishBloom},
    {"Coral Reef", {54, 3, 46}, CoralReef},
    {"Tide Lanterns", {54, 3, 44}, TideLanterns},
    {"Clam Beds", {52, 3, 44}, ClamBeds},
    {"Shipwreck", {52, 3, 38}, Shipwreck},
    {"Kelp Forest", {50, 3, 36}, KelpForest},
    {"Whale Song", {50, 3, 34}, WhaleSong},
    {"Octopus", {48, 3, 32}, Octopus},
    {"The Deep", {48, 3, 30}, TheDeep},
}};

const WorldStages kSecond = {{
    {"Seahorses", {46, 3, 34}, Seahorses},
    {"Starfish", {46, 3, 32}, Starfish},
    {"Anemones", {44, 3, 32}, Anemones},
    {"Sunken Treasure", {44, 3, 30}, SunkenTreasure},
    {"Manta Ray", {44, 4, 32}, MantaRay},
    {"Sea Turtle", {42, 4, 28}, SeaTurtle},
    {"Lighthouse", {42, 4, 27}, Lighthouse},
    {"Pearl Necklace", {42, 4, 26}, PearlNecklace},
    {"Whirlpool", {40, 4, 25}, Whirlpool},
    {"Abyss", {40, 4, 24}, Abyss},
}};

}  // namespace

const WorldStages& OceanStages(int set) {
  return set == 0 ? kBasic : kSecond;
}

}  // namespace vx::stages
