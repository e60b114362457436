// World 5, the night sky: constellations, the moon, comets, planets and galaxies in deep
// blues with the glow of stars.
//
// The basic set plays with groups of four (three in its first and fourth stages), brings
// the laser ball (a beam that stops shots for the first seconds), and combines every piece
// the earlier worlds brought, in small cells with fast pushes. Like the ocean's, its first five
// stages meet the busiest planters (stage numbers 40 to 44) and keep to open layouts; the last five
// carry the densest skies. The second set is the hardest of the game: the smallest cells, the
// fastest pushes and groups of five at its end.
#include <cmath>

#include "catalogue.h"

namespace vx::stages {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A constellation: stars at the points, threads of light between them.
void Constellation(Stage& s, const std::vector<Point>& stars, int star, int thread) {
  for (std::size_t i = 0; i + 1 < stars.size(); ++i)
    s.Fill(Beam(stars[i], stars[i + 1], s.rules().cell * 0.95), Solid(thread));
  for (const Point& p : stars) s.Fill(Circle(p.x, p.y, s.rules().cell * 1.2), Solid(star));
}

// A planet with a tilted ring.
void Planet(Stage& s, double x, double y, double r, int body, int band, int ring) {
  s.Fill(Circle(x, y, r), BandsY(y - r, r * 0.5, {body, band}));
  s.Fill(
      [=](double px, double py) {
        const double u = (px - x) / (r * 2.0), v = (py - y + (px - x) * 0.25) / (r * 0.45);
        const double d = u * u + v * v;
        return d <= 1.0 && d >= 0.55;
      },
      Solid(ring));
}

// ---------------------------------------------------------------- basic set

// Constellations hung on threads of light from the top of the sky.
void Constellations(Stage& s) {
  Constellation(s, {{120, 0}, {150, 130}, {260, 200}, {380, 150}}, Yellow, Blue);
  Constellation(s, {{640, 0}, {600, 120}, {720, 220}, {880, 180}, {930, 60}}, White, Purple);
  s.Fill(Above(30), Solid(Blue));
  s.Fill(Ellipse(512, 130, 60, 200) & Above(230), Solid(Cyan));
  s.Fill(Circle(512, 290, 75), Solid(Pink));
}

// A crescent moon with a scatter of stars.
void CrescentMoon(Stage& s) {
  s.Fill(Crescent(420, 130, 290, 140, -50), Rings(420, 130, 120, {White, Yellow, Yellow}));
  s.Fill(Above(40), Solid(Blue));
  s.Fill(Star(790, 150, 110, 45, 5) | Star(900, 330, 70, 30, 5, 0.4), Solid(Yellow));
  s.Fill(Rect(680, 0, 1024, 40), Solid(Purple));
  s.Fill(Beam({790, 30}, {790, 70}, 40) | Beam({900, 30}, {900, 280}, 36), Solid(Purple));
  s.Sprinkle(Crescent(420, 130, 290, 140, -50), Blast, 2, 601);
}

// A comet streaking down, its tail a fan of colours.
void Comet(Stage& s) {
  const int colours[] = {White, Cyan, Blue, Purple};
  for (int i = 0; i < 4; ++i) {
    const double spread = (i - 1.5) * 0.09;
    s.Fill(Beam({60, 0}, {700 + 300 * std::sin(spread), 330 + 300 * std::sin(spread) * -0.5}, 70),
           Solid(colours[i]));
  }
  s.Fill(Circle(700, 330, 70), Solid(Yellow));
  s.Fill(Above(40), Solid(Blue));
  s.Fill(Star(900, 130, 80, 30, 4), Solid(White));
  s.PutAt(700, 330, GuideGift);
}

// An orrery: planets hung on threads from the sky, one with a ring, moons round them.
void Orrery(Stage& s) {
  const int c = s.rules().cell;
  s.Fill(Above(40), Solid(Blue));
  s.Fill(Rect(496 - c, 0, 496 + c - 0.01, 110) | Rect(170 - c / 2.0, 0, 170 + c / 2.0, 150) |
             Rect(860 - c / 2.0, 0, 860 + c / 2.0, 250),
         Solid(Purple));
  Planet(s, 512, 240, 140, Orange, Yellow, Cyan);
  s.Fill(Circle(170, 200, 70), Solid(Pink));
  s.Fill(Circle(860, 300, 60), Solid(White));
  s.PutAt(512, 240, LimitedSpring);
}

// A meteor shower: bright streaks falling across the sky, a laser ball glowing among them.
void MeteorShower(Stage& s) {
  for (int i = 0; i < 6; ++i) {
    const double x = 60 + i * 170, len = 200 + 90 * (i % 3);
    s.Fill(Beam({x, 0}, {x + len * 0.5, len}, 50), Solid(i % 2 ? Cyan : White));
    s.Fill(Circle(x + len * 0.5, len, 44), Solid(i % 3 == 0 ? Yellow : i % 3 == 1 ? Orange : Pink));
  }
  s.Fill(Above(40), Solid(Purple));
  s.HangBelow(230, LaserBall);
}

// An aurora: curtains of light rippling across the top of the sky.
void Aurora(Stage& s) {
  s.Fill(Wave(90, 40, 420, 100), Solid(Green));
  s.Fill(Wave(180, 45, 380, 90, 1.1), Solid(Cyan));
  s.Fill(Wave(260, 40, 340, 60, 2.2), Solid(Purple));
  // The night sky in curtains of two blues: each breaks on its own.
  s.Fill(Above(45), BandsX(0, 128, {Blue, Purple}));
  s.Sprinkle(Wave(180, 45, 380, 90, 1.1), Seed, 3, 612);
  s.Sprinkle(Wave(90, 40, 420, 100), Blast, 2, 613);
}

// A galaxy: spiral arms wound round a bright core.
void Galaxy(Stage& s) {
  const double cx = 512, cy = 190;
  s.Fill(Ellipse(cx, cy, 400, 190), [&](const Spot& p) {
    const double r = std::hypot((p.x - cx) / 1.6, p.y - cy),
                 a = std::atan2(p.y - cy, (p.x - cx) / 1.6);
    const double arm = std::fmod(a + r / 60.0 + 4 * kPi, kPi);
    if (r < 50) return Yellow;
    return arm < kPi * 0.45 ? (r < 120 ? White : Cyan) : (r < 120 ? Pink : Purple);
  });
  s.Sprinkle(Ellipse(cx, cy, 400, 190), GemSpring, 2, 621);
  s.Sprinkle(Ellipse(cx, cy, 400, 190), Blast, 2, 622);
  s.Fill(Above(30), BandsX(0, 80, {Blue, Purple, Blue, Cyan}));
}

// An eclipse: the dark moon over the sun, the corona flaring round them.
void Eclipse(Stage& s) {
  s.Fill(Circle(512, 170, 270), Sectors(512, 170, {Yellow, Orange, White, Orange}, 0.1, 16));
  s.Fill(Circle(512, 170, 150), Solid(Blue));
  s.Fill(Circle(512, 170, 95), Solid(Purple));
  s.Fill(Above(30), BandsX(0, 70, {Blue, Purple, Blue, Cyan}));
  s.PutAt(512, 170, LaserGift);
  s.HangBelow(512, Absorber);
  s.Sprinkle(Ring(512, 170, 170, 270) & Rect(0, 200, 1024, 500), Stone, 3, 631);
}

// The milky way: a broad band of star clouds across the sky.
void MilkyWay(Stage& s) {
  const Region band = Beam({-100, 40}, {1124, 330}, 230);
  s.Fill(band, Patches(70, {White, Cyan, Yellow, Pink, Blue, Purple}, 641));
  s.Fill(Above(40), BandsX(0, 64, {Blue, Purple}));
  s.Fill(Rect(0, 0, 1024, 150) - band, Patches(100, {Blue, Purple}, 642));
  s.Sprinkle(band, Gem(3, 2), 4, 643);
  s.Sprinkle(band, Blast, 3, 644);
}

// The lullaby for comets: the whole sky at once, moon, planet, comets and the laser ball.
void LullabyForComets(Stage& s) {
  s.Fill(Above(60), Patches(120, {Blue, Purple}, 651));
  s.Fill(Crescent(190, 150, 180, 95, -30), Solid(Yellow));
  Planet(s, 780, 150, 120, Pink, Purple, Cyan);
  s.Fill(Beam({300, 0}, {620, 400}, 70), Solid(White));
  s.Fill(Circle(620, 400, 60), Solid(Orange));
  s.Fill(Star(430, 220, 100, 40, 5), Solid(Cyan));
  s.PutAt(430, 230, Blast);
  s.PutAt(780, 150, GemSpring);
  s.HangBelow(620, LaserBall);
  s.HangBelow(190, Deflector);
}

// ---------------------------------------------------------------- second set

// The great bear: seven stars on threads under a band of night.
void BigDipper(Stage& s) {
  s.Fill(Above(40), Patches(90, {Blue, Purple}, 701));
  Constellation(s,
                {{130, 100},
                 {180, 230},
                 {330, 290},
                 {480, 300},
                 {600, 370},
                 {820, 340},
                 {870, 200},
                 {650, 210},
                 {600, 370}},
                Yellow, Cyan);
  s.Fill(Circle(330, 150, 60) | Circle(760, 130, 50), Solid(White));
}

// Orion the hunter: shoulders, a belt of three and a sword.
void Orion(Stage& s) {
  s.Fill(Above(40), Patches(90, {Blue, Purple}, 711));
  Constellation(
      s, {{300, 100}, {330, 170}, {450, 260}, {520, 270}, {590, 280}, {700, 170}, {720, 100}},
      White, Cyan);
  Constellation(s, {{450, 260}, {400, 420}}, Pink, Cyan);
  Constellation(s, {{590, 280}, {650, 430}}, Yellow, Cyan);
  s.Fill(Beam({520, 290}, {520, 400}, 40) | Circle(520, 400, 40), Solid(Purple));
}

// Saturn and its rings, close up.
void Saturn(Stage& s) {
  s.Fill(Above(30), Solid(Blue));
  Planet(s, 512, 200, 190, Yellow, Orange, White);
  s.Sprinkle(Circle(512, 200, 190), Gem(0, 2), 3, 721);
  s.PutAt(512, 200, LimitedSpring);
  s.Fill(Circle(120, 120, 50) | Circle(904, 330, 45), Solid(Pink));
  s.Fill(Beam({120, 30}, {120, 80}, 36) | Beam({904, 30}, {904, 290}, 36), Solid(Purple));
}

// Shooting stars crossing each other.
void ShootingStars(Stage& s) {
  s.Fill(Beam({0, 40}, {800, 360}, 60), Solid(White));
  s.Fill(Beam({1024, 60}, {250, 330}, 60), Solid(Cyan));
  s.Fill(Beam({300, 0}, {680, 250}, 60), Solid(Yellow));
  s.Fill(Circle(800, 360, 60) | Circle(250, 330, 60), Solid(Orange));
  s.Fill(Above(40), Patches(100, {Blue, Purple}, 731));
  s.PutAt(512, 200, Blast);
  s.HangBelow(800, LaserBall);
}

// A nebula: clouds of glowing gas with stars being born inside.
void Nebula(Stage& s) {
  s.Fill(Ellipse(512, 150, 420, 170), Patches(80, {Pink, Purple, Blue, Cyan, Pink}, 741));
  s.Sprinkle(Ellipse(512, 150, 420, 170), GemSpring, 2, 742);
  s.Sprinkle(Ellipse(512, 150, 420, 170), SeedSpring, 2, 743);
  s.Sprinkle(Ellipse(512, 150, 420, 170), Gem(3, 8), 3, 744);
}

// The phases of the moon in a row.
void MoonPhases(Stage& s) {
  const double xs[] = {110, 310, 512, 714, 914};
  const double shift[] = {-70, -35, 0, 35, 70};
  s.Fill(Above(100), Patches(70, {Blue, Purple, Cyan}, 751));
  for (int i = 0; i < 5; ++i) {
    if (i == 2)
      s.Fill(Circle(xs[i], 200, 100), Solid(White));
    else
      s.Fill(Crescent(xs[i], 200, 100, shift[i] * 1.6, 0), Solid(Yellow));
  }
  s.HangBelow(512, ColourChanger);
}

// A lunar eclipse: the moon turns red in the earth's shadow.
void LunarEclipse(Stage& s) {
  s.Fill(Circle(512, 180, 240), Rings(512, 180, 60, {Red, Red, Orange, Pink}));
  s.Fill(Crescent(512, 180, 240, 100, 0) - Circle(512, 180, 185), Solid(White));
  s.Fill(Above(40), BandsX(0, 64, {Blue, Purple}));
  s.Sprinkle(Circle(512, 180, 185), Blast, 2, 761);
  s.HangBelow(300, Absorber);
  s.HangBelow(724, Deflector);
}

// A black hole: rings of light falling into the dark at the centre, an absorber below it.
void BlackHole(Stage& s) {
  s.Fill(
      Ellipse(512, 160, 400, 170),
      Rings(512, 160, 44, {Purple, Blue, Cyan, White, Yellow, Orange, Pink, Purple, Blue, Cyan}));
  s.Fill(Circle(512, 160, 50), Solid(Steel));
  s.Fill(Above(30), Solid(Blue));
  s.HangBelow(512, Absorber);
  s.Sprinkle(Ring(512, 160, 150, 400) & Rect(0, 150, 1024, 400), Stone, 3, 771);
}

// A pulsar: beams sweeping from a spinning star, laser balls in its light.
void Pulsar(Stage& s) {
  s.Fill(Beam({512, 180}, {100, 0}, 80) | Beam({512, 180}, {924, 380}, 80), Solid(White));
  s.Fill(Beam({512, 180}, {924, 0}, 80) | Beam({512, 180}, {100, 380}, 80), Solid(Cyan));
  s.Fill(Circle(512, 180, 100), Rings(512, 180, 50, {Yellow, Orange}));
  s.Fill(Above(80), Patches(70, {Blue, Purple, Cyan}, 781));
  s.HangBelow(130, LaserBall);
  s.HangBelow(894, LaserBall);
  s.Sprinkle(Circle(512, 180, 100), Blast, 1, 782);
}

// Homeward glow: the night ends, the first light rising behind the last stars.
void HomewardGlow(Stage& s) {
  s.Fill(Circle(512, -40, 370),
         Rings(512, -40, 62, {Yellow, Yellow, Orange, Pink, Purple, Blue, Blue}));
  s.Fill(Star(150, 290, 80, 32, 5) | Star(874, 290, 80, 32, 5), Solid(White));
  s.Fill(Above(40), Solid(Blue));
  s.Fill(Beam({150, 30}, {150, 230}, 34) | Beam({874, 30}, {874, 230}, 34), Solid(Cyan));
  s.Sprinkle(Circle(512, -40, 370), Blast, 2, 791);
  s.Sprinkle(Circle(512, -40, 370), GemSpring, 1, 792);
  s.HangBelow(512, Deflector);
}

const WorldStages kBasic = {{
    //  name                cell  c   p
    {"Constellations", {48, 3, 26}, Constellations},
    {"Crescent Moon", {40, 4, 25}, CrescentMoon},
    {"Comet", {38, 4, 24}, Comet},
    {"Orrery", {46, 3, 23}, Orrery},
    {"Meteor Shower", {38, 4, 22}, MeteorShower},
    {"Aurora", {38, 4, 20}, Aurora},
    {"Galaxy", {36, 4, 19}, Galaxy},
    {"Eclipse", {36, 4, 18}, Eclipse},
    {"Milky Way", {36, 4, 17}, MilkyWay},
    {"Lullaby for Comets", {36, 4, 16}, LullabyForComets},
}};

const WorldStages kSecond = {{
    // Each stage keeps the cell size, colours and pushes it was made for. The order was found
    // by playing every stage of this world at every place in it with the bot: the planters
    // are busiest on the first five stages of this world, so the quiet layouts go first.
    {"Homeward Glow", {32, 5, 12}, HomewardGlow},
    {"Black Hole", {32, 5, 14}, BlackHole},
    {"Moon Phases", {34, 4, 14}, MoonPhases},
    {"Big Dipper", {36, 4, 18}, BigDipper},
    {"Shooting Stars", {34, 4, 16}, ShootingStars},
    {"Saturn", {34, 4, 17}, Saturn},
    {"Pulsar", {32, 5, 13}, Pulsar},
    {"Nebula", {34, 4, 15}, Nebula},
    {"Orion", {36, 4, 17}, Orion},
    {"Lunar Eclipse", {32, 4, 14}, LunarEclipse},
}};

}  // namespace

const WorldStages& StarlightStages(int set) {
  return set == 0 ? kBasic : kSecond;
}

}  // namespace vx::stages
