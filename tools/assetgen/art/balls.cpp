#include <cmath>

#include "palette.h"

namespace vx::art {

void PaintSymbol(cairo_t* cr, double cx, double cy, double size, int colour, Rgb fill, Rgb line) {
  const double s = size / 2;
  cairo_save(cr);
  cairo_new_path(cr);
  switch (colour) {
    case 0:  // heart
      HeartPath(cr, cx, cy + s * 0.05, s * 0.95);
      break;
    case 1:  // triangle
      cairo_move_to(cr, cx, cy - s);
      cairo_line_to(cr, cx + s * 0.95, cy + s * 0.72);
      cairo_line_to(cr, cx - s * 0.95, cy + s * 0.72);
      cairo_close_path(cr);
      break;
    case 2:  // star
      StarPath(cr, cx, cy + s * 0.08, s * 1.05, s * 0.45, 5, 0);
      break;
    case 3:  // plus
      RoundedRect(cr, cx - s * 0.3, cy - s * 0.9, s * 0.6, s * 1.8, s * 0.12);
      RoundedRect(cr, cx - s * 0.9, cy - s * 0.3, s * 1.8, s * 0.6, s * 0.12);
      break;
    case 4:  // drop
      cairo_move_to(cr, cx, cy - s);
      cairo_curve_to(cr, cx + s * 0.3, cy - s * 0.5, cx + s * 0.8, cy, cx + s * 0.8, cy + s * 0.3);
      cairo_arc(cr, cx, cy + s * 0.3, s * 0.8, 0, M_PI);
      cairo_curve_to(cr, cx - s * 0.8, cy, cx - s * 0.3, cy - s * 0.5, cx, cy - s);
      cairo_close_path(cr);
      break;
    case 5:  // diamond
      cairo_move_to(cr, cx, cy - s);
      cairo_line_to(cr, cx + s * 0.75, cy);
      cairo_line_to(cr, cx, cy + s);
      cairo_line_to(cr, cx - s * 0.75, cy);
      cairo_close_path(cr);
      break;
    case 6: {  // crescent: the outer disc minus an offset disc, traced along both arcs
      const double R = s * 0.92, r = s * 0.74, ox = s * 0.42, oy = -s * 0.3;
      const double d = std::hypot(ox, oy), a = (R * R - r * r + d * d) / (2 * d);
      const double h = std::sqrt(std::max(0.0, R * R - a * a));
      const double ux = ox / d, uy = oy / d;
      const double p1x = a * ux - h * uy, p1y = a * uy + h * ux;
      const double p2x = a * ux + h * uy, p2y = a * uy - h * ux;
      const double t1 = std::atan2(p1y, p1x), t2 = std::atan2(p2y, p2x);
      const double i1 = std::atan2(p1y - oy, p1x - ox), i2 = std::atan2(p2y - oy, p2x - ox);
      cairo_arc(cr, cx, cy, R, t1, t2 < t1 ? t2 + 2 * M_PI : t2);
      cairo_arc_negative(cr, cx + ox, cy + oy, r, i2, i1);
      cairo_close_path(cr);
      break;
    }
    case 7:  // ring
      cairo_arc(cr, cx, cy, s * 0.85, 0, 2 * M_PI);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, cx, cy, s * 0.42, 2 * M_PI, 0);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      break;
    default:  // square
      RoundedRect(cr, cx - s * 0.72, cy - s * 0.72, s * 1.44, s * 1.44, s * 0.18);
      break;
  }
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, std::max(1.0, size * 0.08));
  SetColor(cr, line, 0.85);
  cairo_stroke_preserve(cr);
  SetColor(cr, fill, 0.95);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Glint(cairo_t* cr, double cx, double cy, double size, double alpha) {
  cairo_save(cr);
  SetRadialSource(cr, cx, cy, 0, cx, cy, size, {{0, {1, 1, 1}, alpha}, {1, {1, 1, 1}, 0}});
  StarPath(cr, cx, cy, size, size * 0.16, 4, 0);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, size * 0.35, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_restore(cr);
}

void PaintBall(cairo_t* cr, double cx, double cy, double r, int colour, int world, bool twinkle) {
  const Rgb base = Hex(kBallColours[colour]);
  const WorldTheme& w = kWorlds[world];
  cairo_save(cr);
  // contact shadow
  SetRadialSource(cr, cx + r * 0.08, cy + r * 0.12, r * 0.6, cx + r * 0.08, cy + r * 0.12, r * 1.08,
                  {{0, {0, 0, 0}, 0.35}, {1, {0, 0, 0}, 0}});
  cairo_arc(cr, cx + r * 0.08, cy + r * 0.12, r * 1.08, 0, 2 * M_PI);
  cairo_fill(cr);

  switch (world) {
    case 1: {  // ocean: a bubble with a bright rim and a lighter core
      GlossyBall(cr, cx, cy, r, Lighten(base, 0.05), 1.0);
      cairo_arc(cr, cx, cy, r * 0.93, 0, 2 * M_PI);
      Outline(cr, r * 0.1, Hex(w.accent), 0.45);
      break;
    }
    case 2: {  // dunes: warm light from the upper right, a golden band
      GlossyBall(cr, cx, cy, r, Mix(base, Hex(0xFFB060), 0.12), 0.8);
      cairo_arc(cr, cx, cy, r * 0.88, M_PI * 0.15, M_PI * 0.85);
      Outline(cr, r * 0.08, Hex(0xFFE08A), 0.7);
      break;
    }
    case 3: {  // crystal: facets over the sphere
      GlossyBall(cr, cx, cy, r, base, 0.9);
      cairo_save(cr);
      cairo_arc(cr, cx, cy, r * 0.98, 0, 2 * M_PI);
      cairo_clip(cr);
      for (int i = 0; i < 6; ++i) {
        const double a0 = i * M_PI / 3, a1 = a0 + M_PI / 3;
        cairo_move_to(cr, cx + r * 0.5 * std::cos(a0), cy + r * 0.5 * std::sin(a0));
        cairo_line_to(cr, cx + r * std::cos(a0), cy + r * std::sin(a0));
        cairo_line_to(cr, cx + r * std::cos(a1), cy + r * std::sin(a1));
        cairo_line_to(cr, cx + r * 0.5 * std::cos(a1), cy + r * 0.5 * std::sin(a1));
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, (i % 2) ? 0.10 : 0.0);
        if (i == 3 || i == 4) cairo_set_source_rgba(cr, 0, 0, 0, 0.12);
        cairo_fill(cr);
      }
      cairo_restore(cr);
      break;
    }
    case 4: {  // starlight: a soft halo and a glowing finish
      const Rgb hc = Lighten(base, 0.4);
      SetRadialSource(cr, cx, cy, r * 0.7, cx, cy, r * 1.0, {{0, hc, 0.6}, {1, hc, 0}});
      cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
      cairo_fill(cr);
      GlossyBall(cr, cx, cy, r * 0.92, Lighten(base, 0.08), 1.0);
      break;
    }
    default:
      GlossyBall(cr, cx, cy, r, base, 1.0);
      break;
  }
  const double rr = world == 4 ? r * 0.92 : r;
  const Rgb fill = IsLightColour(colour) ? Darken(base, 0.62) : Rgb{1, 1, 1};
  const Rgb line = IsLightColour(colour) ? Lighten(base, 0.5) : Darken(base, 0.55);
  PaintSymbol(cr, cx, cy + rr * 0.05, rr * 0.95, colour, fill, line);
  // the specular spot sits over the symbol so both read as one glossy object
  cairo_save(cr);
  cairo_translate(cr, cx - rr * 0.38, cy - rr * 0.52);
  cairo_scale(cr, 1.0, 0.55);
  cairo_arc(cr, 0, 0, rr * 0.2, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
  cairo_fill(cr);
  cairo_restore(cr);
  if (twinkle) {
    // A brighter sheen and two glints.
    cairo_arc(cr, cx, cy, rr, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
    cairo_fill(cr);
    Glint(cr, cx + rr * 0.45, cy - rr * 0.5, rr * 0.62, 1.0);
    Glint(cr, cx - rr * 0.5, cy + rr * 0.45, rr * 0.35, 0.85);
  }
  cairo_restore(cr);
}

}  // namespace vx::art
