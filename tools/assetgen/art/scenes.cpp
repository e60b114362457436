// Full-screen scenery: the sky, the ceiling press, the world backgrounds, the title clouds and
// the starfield. Everything that scrolls sideways wraps seamlessly at x = 0 / 512.
#include <cmath>

#include "painters.h"
#include "palette.h"

namespace vx::art {

namespace {

// Value noise on a lattice that repeats every `period` cells along x.
double Lattice(int x, int y, int period, uint32_t seed) {
  x = ((x % period) + period) % period;
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFF) / 65535.0;
}

double Smooth(double t) {
  return t * t * (3 - 2 * t);
}

double Noise(double x, double y, int period, uint32_t seed) {
  const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  const double fx = Smooth(x - x0), fy = Smooth(y - y0);
  const double a = Lattice(x0, y0, period, seed), b = Lattice(x0 + 1, y0, period, seed);
  const double c = Lattice(x0, y0 + 1, period, seed), d = Lattice(x0 + 1, y0 + 1, period, seed);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

// Fractal noise over an image of width 512 that tiles horizontally.
double Fbm(double px, double py, int baseCells, int octaves, uint32_t seed) {
  double sum = 0, amp = 0.5, norm = 0;
  int cells = baseCells;
  for (int o = 0; o < octaves; ++o) {
    const double s = cells / 512.0;
    sum += amp * Noise(px * s, py * s, cells, seed + o * 101);
    norm += amp;
    amp *= 0.5;
    cells *= 2;
  }
  return sum / norm;
}

void PutPixel(unsigned char* data, int stride, int x, int y, Rgb c, double a) {
  uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
  auto ch = [&](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * a * 255)); };
  row[x] = (uint32_t(std::lround(a * 255)) << 24) | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
}

// Draws `draw` three times, shifted by -512, 0 and +512, so that shapes crossing an edge wrap.
template <typename F>
void Wrapped(cairo_t* cr, F draw) {
  for (int k = -1; k <= 1; ++k) {
    cairo_save(cr);
    cairo_translate(cr, 512.0 * k, 0);
    draw();
    cairo_restore(cr);
  }
}

void PuffyCloud(cairo_t* cr, double x, double y, double w, Rgb light, Rgb shade, double alpha,
                uint32_t seed) {
  Rng rng(seed);
  const int puffs = 7;
  struct P {
    double x, y, r;
  } p[puffs];
  for (int i = 0; i < puffs; ++i) {
    const double t = (i + 0.5) / puffs;
    p[i].r = w * (0.12 + 0.1 * std::sin(t * M_PI)) * rng.Range(0.85, 1.15);
    p[i].x = x - w / 2 + w * t;
    p[i].y = y - p[i].r * 0.5 * std::sin(t * M_PI) * rng.Range(0.8, 1.3);
  }
  // shade underneath, then lit puffs; painted as one group so overlaps do not show through
  cairo_push_group(cr);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < puffs; ++i) {
      const double ox = pass == 0 ? 0 : -p[i].r * 0.12,
                   oy = pass == 0 ? p[i].r * 0.1 : -p[i].r * 0.15;
      const Rgb a = pass == 0 ? shade : light;
      const Rgb b = pass == 0 ? Darken(shade, 0.1) : Mix(light, shade, 0.35);
      SetRadialSource(cr, p[i].x + ox - p[i].r * 0.3, p[i].y + oy - p[i].r * 0.4, p[i].r * 0.1,
                      p[i].x + ox, p[i].y + oy, p[i].r, {{0, a}, {1, b}});
      cairo_arc(cr, p[i].x + ox, p[i].y + oy, p[i].r * (pass == 0 ? 1.0 : 0.9), 0, 2 * M_PI);
      cairo_fill(cr);
    }
  }
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, alpha);
}

void StarsWrapped(cairo_t* cr, int count, uint32_t seed, double yMax, double maxSize) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const double x = rng.Range(0, 512), y = rng.Range(0, yMax);
    const double s = maxSize * std::pow(rng.Uniform(), 3.0) + 0.5;
    const double a = rng.Range(0.4, 1.0);
    const Rgb tint = Mix(Hex(0xFFFFFF), rng.Uniform() < 0.5 ? Hex(0xFFE8A0) : Hex(0xA8C8FF), 0.4);
    Wrapped(cr, [&] {
      if (s > 2.2) {
        Glint(cr, x, y, s * 2.2, a);
      }
      cairo_arc(cr, x, y, s * 0.6, 0, 2 * M_PI);
      SetColor(cr, tint, a);
      cairo_fill(cr);
    });
  }
}

}  // namespace

void PaintSky(Canvas& c) {
  // A bright morning sky with soft cloud streaks; the world backgrounds tint it.
  cairo_surface_t* s = c.surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  const Rgb top = Hex(0x3A78D8), mid = Hex(0x8CC8F4), low = Hex(0xFFE2C8);
  for (int y = 0; y < 512; ++y) {
    const double t = y / 511.0;
    const Rgb base = t < 0.6 ? Mix(top, mid, t / 0.6) : Mix(mid, low, (t - 0.6) / 0.4);
    for (int x = 0; x < 512; ++x) {
      const double n = Fbm(x, y * 2.2, 4, 5, 77);
      const double cloud = std::clamp((n - 0.5) * 3.2, 0.0, 1.0) * (0.55 + 0.45 * t);
      const double shade = Fbm(x + 9, y * 2.2 + 14, 4, 4, 78);
      const Rgb cc = Mix(Hex(0xFFFFFF), Hex(0xD8E0F0), std::clamp(shade - 0.3, 0.0, 1.0));
      PutPixel(data, stride, x, y, Mix(base, cc, cloud * 0.85), 1.0);
    }
  }
  cairo_surface_mark_dirty(s);
}

void PaintClouds(Canvas& c) {
  // Title backdrop: a violet-to-peach dusk with puffy clouds in three layers, wrapping sideways.
  cairo_t* cr = c.cr();
  SetLinearSource(cr, 0, 0, 0, 512,
                  {{0, {0.20, 0.12, 0.45}},
                   {0.45, {0.55, 0.35, 0.80}},
                   {0.8, {1.0, 0.62, 0.65}},
                   {1, {1.0, 0.82, 0.6}}});
  cairo_paint(cr);
  StarsWrapped(cr, 90, 5, 220, 2.5);
  Rng rng(42);
  const struct {
    int count;
    double yMin, yMax, wMin, wMax, alpha;
    uint32_t light, shade;
  } layers[3] = {{6, 150, 300, 90, 140, 0.55, 0xE8D0F8, 0xA888D0},
                 {5, 260, 420, 130, 190, 0.8, 0xFFE8F0, 0xC898C8},
                 {4, 400, 520, 180, 260, 0.95, 0xFFF4EC, 0xE8A8B0}};
  for (const auto& l : layers) {
    for (int i = 0; i < l.count; ++i) {
      const double x = (i + rng.Range(0.1, 0.9)) * 512.0 / l.count;
      const double y = rng.Range(l.yMin, l.yMax), w = rng.Range(l.wMin, l.wMax);
      const uint32_t seed = rng.Next();
      Wrapped(cr, [&] { PuffyCloud(cr, x, y, w, Hex(l.light), Hex(l.shade), l.alpha, seed); });
    }
  }
}

void PaintStarfield(Canvas& c) {
  cairo_t* cr = c.cr();
  SetLinearSource(cr, 0, 0, 0, 512,
                  {{0, {0.02, 0.02, 0.08}}, {0.5, {0.06, 0.04, 0.18}}, {1, {0.02, 0.03, 0.10}}});
  cairo_paint(cr);
  // faint nebulae
  Rng rng(9);
  for (int i = 0; i < 6; ++i) {
    const double x = rng.Range(0, 512), y = rng.Range(60, 450), r = rng.Range(70, 150);
    const Rgb col = i % 2 ? Hex(0x6A3AC8) : Hex(0x2A6AC8);
    Wrapped(cr, [&] {
      SetRadialSource(cr, x, y, 0, x, y, r, {{0, col, 0.28}, {1, col, 0}});
      cairo_arc(cr, x, y, r, 0, 2 * M_PI);
      cairo_fill(cr);
    });
  }
  StarsWrapped(cr, 420, 17, 512, 3.2);
}

void PaintPusher(Canvas& c) {
  // The ceiling press: riveted steel plates, a ribbed body and a bold striped lower edge.
  cairo_t* cr = c.cr();
  SetLinearSource(cr, 0, 0, 0, 512,
                  {{0, {0.18, 0.18, 0.24}}, {0.85, {0.42, 0.44, 0.52}}, {1, {0.55, 0.57, 0.66}}});
  cairo_paint(cr);
  // plates
  for (int row = 0; row < 6; ++row) {
    const double y = row * 76.0;
    for (int col = 0; col < 4; ++col) {
      const double x = col * 128.0 + ((row % 2) ? 64 : 0) - 64;
      RoundedRect(cr, x + 4, y + 4, 120, 68, 6);
      SetLinearSource(cr, 0, y, 0, y + 72, {{0, {1, 1, 1}, 0.10}, {1, {0, 0, 0}, 0.15}});
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 2);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
      cairo_stroke(cr);
      for (int k = 0; k < 4; ++k) {
        const double rx = x + ((k & 1) ? 114 : 14), ry = y + ((k & 2) ? 62 : 14);
        GlossyBall(cr, rx, ry, 3.5, Hex(0xA0A4B4), 0.9);
      }
    }
  }
  // lower body: a heavy beam
  SetLinearSource(cr, 0, 448, 0, 492,
                  {{0, {0.62, 0.64, 0.74}}, {0.5, {0.82, 0.84, 0.92}}, {1, {0.45, 0.47, 0.56}}});
  cairo_rectangle(cr, 0, 448, 512, 44);
  cairo_fill(cr);
  for (int x = 16; x < 512; x += 32) GlossyBall(cr, x, 470, 4, Hex(0xB8BCC8), 1.0);
  // hazard stripes along the bottom edge
  cairo_save(cr);
  cairo_rectangle(cr, 0, 492, 512, 16);
  cairo_clip(cr);
  SetColor(cr, Hex(0xFFC81E));
  cairo_paint(cr);
  for (int x = -32; x < 560; x += 32) {
    cairo_move_to(cr, x, 508);
    cairo_line_to(cr, x + 16, 508);
    cairo_line_to(cr, x + 32, 492);
    cairo_line_to(cr, x + 16, 492);
    cairo_close_path(cr);
  }
  SetColor(cr, Hex(0x1A1A22));
  cairo_fill(cr);
  cairo_restore(cr);
  // the lip: a bright rim and a dark line mark the ceiling
  cairo_rectangle(cr, 0, 490, 512, 2);
  SetColor(cr, Hex(0xFFFFFF), 0.8);
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 508, 512, 4);
  SetColor(cr, Hex(0x101018));
  cairo_fill(cr);
}

namespace {

// A horizontally smooth silhouette: heights from a few sine waves.
void Silhouette(cairo_t* cr, double base, double amp, double f1, double f2, double phase) {
  cairo_move_to(cr, 0, 512);
  for (int x = 0; x <= 512; x += 4) {
    const double y =
        base - amp * (0.6 * std::sin(x * f1 + phase) + 0.4 * std::sin(x * f2 + phase * 1.7));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, 512, 512);
  cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb a, double aa, Rgb b, double ab) {
  SetLinearSource(cr, 0, y0, 0, y1, {{0, a, aa}, {1, b, ab}});
  cairo_fill(cr);
}

void Wash(cairo_t* cr, const WorldTheme& w, double aTop, double aBottom) {
  cairo_rectangle(cr, 0, 0, 512, 512);
  FillVertical(cr, 0, 512, Hex(w.skyTop), aTop, Hex(w.skyBottom), aBottom);
}

void SideVignette(cairo_t* cr, Rgb c, double a) {
  for (int s = 0; s < 2; ++s) {
    SetLinearSource(cr, s ? 512 : 0, 0, s ? 452 : 60, 0, {{0, c, a}, {1, c, 0}});
    cairo_rectangle(cr, s ? 452 : 0, 0, 60, 512);
    cairo_fill(cr);
  }
}

void Crystal(cairo_t* cr, double x, double y, double h, double wdt, double lean, Rgb col) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, lean);
  cairo_move_to(cr, -wdt / 2, 0);
  cairo_line_to(cr, -wdt / 2, -h * 0.75);
  cairo_line_to(cr, 0, -h);
  cairo_line_to(cr, wdt / 2, -h * 0.75);
  cairo_line_to(cr, wdt / 2, 0);
  cairo_close_path(cr);
  const Rgb hi = Lighten(col, 0.5), lo = Darken(col, 0.35);
  SetLinearSource(cr, -wdt / 2, 0, wdt / 2, 0, {{0, hi, 0.95}, {0.5, col, 0.9}, {1, lo, 0.95}});
  cairo_fill_preserve(cr);
  Outline(cr, 1.2, Lighten(col, 0.7), 0.8);
  cairo_move_to(cr, 0, -h);
  cairo_line_to(cr, 0, 0);
  SetColor(cr, Lighten(col, 0.6), 0.35);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void PaintBackground(Canvas& c, int world) {
  cairo_t* cr = c.cr();
  const WorldTheme& w = kWorlds[world];
  Rng rng(300 + world);
  switch (world) {
    case 0: {  // dawn meadow: a light warm wash, distant hills, a flowered meadow at the bottom
      Wash(cr, w, 0.0, 0.3);
      Silhouette(cr, 420, 18, 0.012, 0.031, 0.5);
      FillVertical(cr, 380, 512, Hex(0x9AD8A0), 0.55, Hex(0x6AB870), 0.8);
      Silhouette(cr, 462, 14, 0.018, 0.043, 2.0);
      FillVertical(cr, 440, 512, Hex(w.ground), 1.0, Hex(w.groundDark), 1.0);
      for (int i = 0; i < 40; ++i) {
        const double x = rng.Range(0, 512), y = rng.Range(470, 508), r = rng.Range(2, 3.6);
        const Rgb col = i % 3 == 0 ? Hex(0xFFFFFF) : (i % 3 == 1 ? Hex(w.accent) : Hex(w.accent2));
        for (int p = 0; p < 5; ++p) {
          const double a = p * 2 * M_PI / 5;
          cairo_arc(cr, x + r * std::cos(a), y + r * std::sin(a), r * 0.7, 0, 2 * M_PI);
        }
        SetColor(cr, col, 0.95);
        cairo_fill(cr);
        cairo_arc(cr, x, y, r * 0.5, 0, 2 * M_PI);
        SetColor(cr, Hex(0xFFC030));
        cairo_fill(cr);
      }
      SideVignette(cr, Hex(0x2E7A34), 0.25);
      break;
    }
    case 1: {  // deep ocean: blue water deepening downward, light shafts, coral and weed
      Wash(cr, w, 0.35, 0.8);
      for (int i = 0; i < 5; ++i) {
        const double x = 60 + i * 100 + rng.Range(-20, 20);
        cairo_move_to(cr, x - 12, 0);
        cairo_line_to(cr, x + 12, 0);
        cairo_line_to(cr, x + 70, 420);
        cairo_line_to(cr, x + 20, 420);
        cairo_close_path(cr);
        FillVertical(cr, 0, 420, Hex(0xC8F8FF), 0.16, Hex(0xC8F8FF), 0.0);
      }
      for (int i = 0; i < 30; ++i) {
        const double x = rng.Range(0, 512), y = rng.Range(40, 460), r = rng.Range(1.5, 4);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgba(cr, 0.8, 1, 1, 0.3);
        cairo_stroke(cr);
      }
      Silhouette(cr, 470, 12, 0.02, 0.05, 1.0);
      FillVertical(cr, 450, 512, Hex(0xE8C890), 1.0, Hex(0xB08A58), 1.0);
      for (int i = 0; i < 14; ++i) {  // seaweed
        const double x = rng.Range(0, 512), h = rng.Range(30, 70);
        cairo_move_to(cr, x, 500);
        cairo_curve_to(cr, x - 10, 500 - h * 0.4, x + 10, 500 - h * 0.7, x - 2, 500 - h);
        cairo_set_line_width(cr, 5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetColor(cr, i % 2 ? Hex(0x2AA870) : Hex(0x1E7A5A), 0.95);
        cairo_stroke(cr);
      }
      for (int i = 0; i < 7; ++i) {  // coral
        const double x = rng.Range(10, 500), y = rng.Range(484, 504);
        const Rgb col = i % 2 ? Hex(w.accent2) : Hex(0xFF6F9A);
        for (int b = 0; b < 5; ++b) {
          const double a = -M_PI / 2 + (b - 2) * 0.45;
          cairo_move_to(cr, x, y);
          cairo_line_to(cr, x + 22 * std::cos(a), y + 22 * std::sin(a));
        }
        Outline(cr, 5, col);
        for (int b = 0; b < 5; ++b) {
          const double a = -M_PI / 2 + (b - 2) * 0.45;
          cairo_arc(cr, x + 22 * std::cos(a), y + 22 * std::sin(a), 3.6, 0, 2 * M_PI);
          SetColor(cr, Lighten(col, 0.3));
          cairo_fill(cr);
        }
      }
      SideVignette(cr, Hex(0x031830), 0.5);
      break;
    }
    case 2: {  // sunset dunes: warm wash, a low sun, layered dunes
      Wash(cr, w, 0.15, 0.55);
      SetRadialSource(
          cr, 360, 400, 10, 360, 400, 140,
          {{0, {1, 0.95, 0.6}, 0.9}, {0.3, {1, 0.7, 0.3}, 0.45}, {1, {1, 0.5, 0.2}, 0}});
      cairo_arc(cr, 360, 400, 140, 0, 2 * M_PI);
      cairo_fill(cr);
      Silhouette(cr, 430, 22, 0.009, 0.027, 0.3);
      FillVertical(cr, 400, 512, Hex(0xC8604A), 0.7, Hex(0x8A3A4A), 0.85);
      Silhouette(cr, 465, 16, 0.014, 0.035, 1.6);
      FillVertical(cr, 440, 512, Hex(w.ground), 1.0, Hex(w.groundDark), 1.0);
      // a cactus on each side
      for (int s = 0; s < 2; ++s) {
        const double x = s ? 470 : 40;
        RoundedRect(cr, x - 6, 430, 12, 60, 6);
        RoundedRect(cr, x - 20, 448, 8, 22, 4);
        RoundedRect(cr, x + 12, 440, 8, 24, 4);
        RoundedRect(cr, x - 20, 464, 20, 7, 3);
        RoundedRect(cr, x, 458, 20, 7, 3);
        SetColor(cr, Hex(0x3A7A3A));
        cairo_fill(cr);
      }
      SideVignette(cr, Hex(0x5A2050), 0.3);
      break;
    }
    case 3: {  // crystal cave: a dark violet cavern, glowing crystals on floor and walls
      Wash(cr, w, 0.75, 0.9);
      for (int i = 0; i < 16; ++i) {  // glow spots
        const double x = rng.Range(0, 512), y = rng.Range(60, 460), r = rng.Range(30, 80);
        const Rgb col = i % 2 ? Hex(w.accent) : Hex(w.accent2);
        SetRadialSource(cr, x, y, 0, x, y, r, {{0, col, 0.08}, {1, col, 0}});
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
      }
      // stalactites at the top corners (small, to leave the field clear)
      for (int i = 0; i < 10; ++i) {
        const double x = i < 5 ? i * 14 : 512 - (i - 5) * 14;
        Crystal(cr, x, 0, -rng.Range(16, 34), 10, 0, Hex(0x5A3AA0));
      }
      Silhouette(cr, 470, 10, 0.02, 0.06, 0.7);
      FillVertical(cr, 450, 512, Hex(w.ground), 1.0, Hex(w.groundDark), 1.0);
      for (int i = 0; i < 22; ++i) {
        const double x = rng.Range(0, 512), h = rng.Range(18, 58);
        const Rgb col = i % 3 == 0 ? Hex(w.accent2) : Hex(w.accent);
        Crystal(cr, x, 508, h, h * 0.35, rng.Range(-0.4, 0.4), Mix(col, Hex(0x6A4AC0), 0.35));
      }
      for (int s = 0; s < 2; ++s)  // wall clusters
        for (int i = 0; i < 4; ++i)
          Crystal(cr, s ? 512 : 0, 320 + i * 36, 36 - i * 4, 12, s ? -0.75 : 0.75, Hex(w.accent));
      SideVignette(cr, Hex(0x0A0518), 0.6);
      break;
    }
    default: {  // night sky: a deep blue night, stars, a moon, a village on the hill
      Wash(cr, w, 0.82, 0.7);
      StarsWrapped(cr, 120, 55, 420, 2.6);
      cairo_move_to(cr, 0, 200);
      cairo_curve_to(cr, 150, 120, 300, 260, 512, 160);
      cairo_line_to(cr, 512, 240);
      cairo_curve_to(cr, 300, 330, 150, 200, 0, 280);
      cairo_close_path(cr);
      SetLinearSource(cr, 0, 120, 0, 260,
                      {{0, {0.4, 1, 0.7}, 0}, {0.5, {0.4, 1, 0.7}, 0.1}, {1, {0.4, 0.6, 1}, 0}});
      cairo_fill(cr);
      // moon low on the right
      SetRadialSource(cr, 440, 380, 10, 440, 380, 70,
                      {{0, {1, 0.95, 0.75}, 0.4}, {1, {1, 0.95, 0.75}, 0}});
      cairo_arc(cr, 440, 380, 70, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo_push_group(cr);
      cairo_arc(cr, 440, 380, 22, 0, 2 * M_PI);
      SetColor(cr, Hex(0xFFF2C0));
      cairo_fill(cr);
      cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
      cairo_arc(cr, 451, 373, 19, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0, 0, 0, 1);
      cairo_fill(cr);
      cairo_pop_group_to_source(cr);
      cairo_paint(cr);
      Silhouette(cr, 468, 16, 0.011, 0.04, 2.5);
      FillVertical(cr, 440, 512, Hex(w.ground), 1.0, Hex(w.groundDark), 1.0);
      for (int i = 0; i < 7; ++i) {  // houses with lit windows
        const double x = 20 + i * 72 + rng.Range(-10, 10), y = 478 + rng.Range(-4, 6);
        cairo_rectangle(cr, x, y - 14, 22, 20);
        cairo_move_to(cr, x - 3, y - 14);
        cairo_line_to(cr, x + 11, y - 26);
        cairo_line_to(cr, x + 25, y - 14);
        cairo_close_path(cr);
        SetColor(cr, Hex(0x0A1030));
        cairo_fill(cr);
        cairo_rectangle(cr, x + 7, y - 8, 7, 7);
        SetColor(cr, Hex(w.accent));
        cairo_fill(cr);
      }
      SideVignette(cr, Hex(0x02040E), 0.5);
      break;
    }
  }
  // a shared soft lip along the bottom, where the launcher stands
  cairo_rectangle(cr, 0, 500, 512, 12);
  FillVertical(cr, 500, 512, Hex(0x000000), 0.0, Hex(0x000000), 0.35);
}

}  // namespace vx::art
