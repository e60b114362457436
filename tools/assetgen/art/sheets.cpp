// The sprite sheets: the character sheet, gems, balls, bursts, the title wheel, the gear and
// the player figure.
#include <cmath>
#include <string>

#include "painters.h"
#include "palette.h"

namespace vx::art {

TextStyle HeadingStyle(double size) {
  TextStyle t;
  t.face = Face::Display;
  t.size = size;
  t.gradientTop = Hex(0xFFFFFF);
  t.gradientBottom = Hex(0xFFE27A);
  t.outline = Hex(0x3A1E5C);
  t.outlineWidth = std::max(1.5, size * 0.09);
  t.shadow = true;
  return t;
}

TextStyle LabelStyle(double size, Rgb fill) {
  TextStyle t;
  t.face = Face::Label;
  t.size = size;
  t.fill = fill;
  t.outline = Hex(0x1A1030);
  t.outlineWidth = std::max(1.2, size * 0.1);
  return t;
}

void PaintLock(cairo_t* cr, double x, double y, double w, double h, bool open) {
  cairo_save(cr);
  const double bodyTop = y + h * 0.45;
  // shackle
  const double sx = x + w / 2, sr = w * 0.3;
  cairo_set_line_width(cr, w * 0.16);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const double lift = open ? h * 0.12 : 0;
  cairo_move_to(cr, sx - sr, bodyTop);
  cairo_line_to(cr, sx - sr, y + h * 0.3 - lift);
  cairo_arc(cr, sx, y + h * 0.3 - lift, sr, M_PI, 2 * M_PI);
  if (!open) cairo_line_to(cr, sx + sr, bodyTop);
  SetColor(cr, Hex(0x2A2A34));
  cairo_set_line_width(cr, w * 0.24);
  cairo_stroke_preserve(cr);
  SetColor(cr, Hex(0xD8DCE6));
  cairo_set_line_width(cr, w * 0.12);
  cairo_stroke(cr);
  // body
  const Rgb body = open ? Hex(0x48C860) : Hex(0xF0B43C);
  GlossyPlate(cr, x + 1, bodyTop, w - 2, y + h - bodyTop - 1, w * 0.18, body, 1.0, 1.2);
  // keyhole
  const double kx = x + w / 2, ky = bodyTop + (y + h - bodyTop) * 0.42;
  cairo_arc(cr, kx, ky, w * 0.1, 0, 2 * M_PI);
  cairo_move_to(cr, kx - w * 0.05, ky);
  cairo_line_to(cr, kx + w * 0.05, ky);
  cairo_line_to(cr, kx + w * 0.07, ky + h * 0.18);
  cairo_line_to(cr, kx - w * 0.07, ky + h * 0.18);
  cairo_close_path(cr);
  SetColor(cr, Darken(body, 0.6));
  cairo_fill(cr);
  cairo_restore(cr);
}

void PaintCheck(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_move_to(cr, x + w * 0.12, y + h * 0.55);
  cairo_line_to(cr, x + w * 0.4, y + h * 0.85);
  cairo_line_to(cr, x + w * 0.9, y + h * 0.15);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, h * 0.34);
  SetColor(cr, Hex(0x134A1C));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, h * 0.2);
  SetColor(cr, Hex(0x5CE066));
  cairo_stroke_preserve(cr);
  Outline(cr, h * 0.07, Hex(0xC8FFC8));
  cairo_restore(cr);
}

void PaintGearShape(cairo_t* cr, double cx, double cy, double r, Rgb metal, int teeth) {
  cairo_save(cr);
  GearPath(cr, cx, cy, r, r * 0.82, teeth);
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, cx, cy, r * 0.22, 2 * M_PI, 0);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  const Rgb hi = Lighten(metal, 0.5), lo = Darken(metal, 0.35);
  SetLinearSource(cr, cx - r, cy - r, cx + r, cy + r, {{0, hi}, {0.5, metal}, {1, lo}});
  cairo_fill_preserve(cr);
  Outline(cr, std::max(1.0, r * 0.03), Darken(metal, 0.6));
  // inner ring and spoke holes
  cairo_arc(cr, cx, cy, r * 0.68, 0, 2 * M_PI);
  Outline(cr, r * 0.05, Darken(metal, 0.3), 0.8);
  for (int i = 0; i < 5; ++i) {
    const double a = i * 2 * M_PI / 5 - M_PI / 2;
    cairo_arc(cr, cx + r * 0.45 * std::cos(a), cy + r * 0.45 * std::sin(a), r * 0.13, 0, 2 * M_PI);
    SetColor(cr, Darken(metal, 0.45), 0.9);
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, cy, r * 0.22, 0, 2 * M_PI);
  Outline(cr, r * 0.06, Lighten(metal, 0.6));
  cairo_restore(cr);
}

void PaintEmblem(cairo_t* cr, double cx, double cy, double r) {
  // Three balls orbiting a bright core inside a golden ring: the game's emblem.
  cairo_save(cr);
  SetRadialSource(cr, cx, cy, r * 0.2, cx, cy, r,
                  {{0, {1, 0.95, 0.7}, 0.9}, {1, {1, 0.8, 0.4}, 0}});
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r * 0.8, 0, 2 * M_PI);
  cairo_set_line_width(cr, r * 0.12);
  SetColor(cr, Hex(0x7A4A10));
  cairo_stroke_preserve(cr);
  Outline(cr, r * 0.07, Hex(0xFFD45A));
  GlossyBall(cr, cx, cy, r * 0.34, Hex(0xFFF2B0), 1.0);
  const int cols[3] = {0, 5, 3};
  for (int i = 0; i < 3; ++i) {
    const double a = -M_PI / 2 + i * 2 * M_PI / 3;
    PaintBall(cr, cx + r * 0.8 * std::cos(a), cy + r * 0.8 * std::sin(a), r * 0.22, cols[i], 0,
              false);
  }
  cairo_restore(cr);
}

namespace {

// ---------------------------------------------------------------- cell frames

void PlainOrb(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  GlossyBall(cr, cx, cy, r, c, 0.8);
}

void BlockSquare(cairo_t* cr, double x, double y, double s, Rgb c, bool rivets) {
  SoftShadow(cr, x + 3, y + 4, s - 6, s - 6, 5, 2, 0.4);
  GlossyPlate(cr, x + 2, y + 2, s - 4, s - 4, 6, c, 1.0, 2.0);
  RoundedRect(cr, x + 8, y + 8, s - 16, s - 16, 3);
  Outline(cr, 1.5, Darken(c, 0.4), 0.6);
  if (rivets) {
    for (int i = 0; i < 4; ++i) {
      const double rx = x + ((i & 1) ? s - 8 : 8), ry = y + ((i & 2) ? s - 8 : 8);
      GlossyBall(cr, rx, ry, 2.6, Lighten(c, 0.4), 1.0);
    }
  }
}

void Cell(cairo_t* cr, int k, double x, double y) {
  const double cx = x + 25, cy = y + 25, R = 23;
  cairo_save(cr);
  switch (k) {
    case 0:
      PlainOrb(cr, cx, cy, R, Hex(0xA8AEB8));
      cairo_arc(cr, cx, cy, R * 0.45, 0, 2 * M_PI);
      Outline(cr, 2, Hex(0x6A707A), 0.7);
      break;
    case 10:  // steel rivet piece
      PlainOrb(cr, cx, cy, R, Hex(0x8C96A8));
      for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        GlossyBall(cr, cx + R * 0.62 * std::cos(a), cy + R * 0.62 * std::sin(a), 3, Hex(0xD0D6E0),
                   1);
      }
      break;
    case 11: {  // wooden piece
      PlainOrb(cr, cx, cy, R, Hex(0xB07A44));
      cairo_save(cr);
      cairo_arc(cr, cx, cy, R - 1, 0, 2 * M_PI);
      cairo_clip(cr);
      for (int i = -3; i <= 3; ++i) {
        cairo_arc(cr, cx + 6, cy + 30, 18 + i * 6, 0, 2 * M_PI);
        Outline(cr, 1.2, Hex(0x6A4020), 0.35);
      }
      cairo_restore(cr);
      break;
    }
    case 12: {  // hit flash
      SetRadialSource(cr, cx, cy, 0, cx, cy, 25,
                      {{0, {1, 1, 1}, 1}, {0.35, {1, 1, 0.85}, 0.9}, {1, {1, 0.9, 0.5}, 0}});
      cairo_arc(cr, cx, cy, 25, 0, 2 * M_PI);
      cairo_fill(cr);
      Glint(cr, cx, cy, 24, 1.0);
      break;
    }
    case 13: {  // never drawn by the game: an empty socket
      cairo_arc(cr, cx, cy, R - 2, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0.2, 0.2, 0.3, 0.35);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 2);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
      cairo_stroke(cr);
      break;
    }
    case 14: {  // danger warning overlay
      cairo_arc(cr, cx, cy, R - 1, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 1, 0.15, 0.1, 0.35);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 4);
      cairo_set_source_rgba(cr, 1, 0.2, 0.1, 0.95);
      cairo_stroke(cr);
      TextStyle t = LabelStyle(30, Hex(0xFFF04A));
      t.outline = Hex(0x6A0000);
      t.outlineWidth = 2.5;
      DrawText(cr, "!", t, x, y, 50, 50);
      break;
    }
    case 15:
      BlockSquare(cr, x, y, 50, Hex(0x9A8A78), false);
      for (int i = 0; i < 2; ++i) {
        cairo_move_to(cr, x + 4, y + 18 + i * 14);
        cairo_line_to(cr, x + 46, y + 18 + i * 14);
      }
      cairo_move_to(cr, x + 25, y + 4);
      cairo_line_to(cr, x + 25, y + 18);
      cairo_move_to(cr, x + 15, y + 18);
      cairo_line_to(cr, x + 15, y + 32);
      cairo_move_to(cr, x + 35, y + 32);
      cairo_line_to(cr, x + 35, y + 46);
      Outline(cr, 1.6, Hex(0x4A3A2A), 0.6);
      break;
    case 16: {  // no place marker
      cairo_arc(cr, cx, cy, R - 3, 0, 2 * M_PI);
      cairo_set_source_rgba(cr, 0.2, 0, 0, 0.3);
      cairo_fill_preserve(cr);
      Outline(cr, 6, Hex(0xE02828));
      cairo_move_to(cr, cx - 13, cy + 13);
      cairo_line_to(cr, cx + 13, cy - 13);
      cairo_stroke(cr);
      break;
    }
    case 17:
      BlockSquare(cr, x, y, 50, Hex(0x7C8AA0), true);
      break;
    case 18: {  // aura
      for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, cx, cy, 23 - i * 6, i * 1.1, i * 1.1 + M_PI * 1.4);
        cairo_set_line_width(cr, 3.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_source_rgba(cr, 0.55, 0.9, 1, 0.85 - i * 0.15);
        cairo_stroke(cr);
      }
      SetRadialSource(cr, cx, cy, 0, cx, cy, 25,
                      {{0, {0.6, 0.9, 1}, 0.35}, {1, {0.6, 0.9, 1}, 0.08}});
      cairo_arc(cr, cx, cy, 25, 0, 2 * M_PI);
      cairo_fill(cr);
      break;
    }
    case 19: {  // world selection frame (stretched over a box)
      RoundedRect(cr, x + 1, y + 1, 48, 48, 7);
      cairo_set_line_width(cr, 5);
      SetColor(cr, Hex(0xFFF3A0));
      cairo_stroke_preserve(cr);
      Outline(cr, 2, Hex(0xFF9A20));
      RoundedRect(cr, x + 4, y + 4, 42, 42, 5);
      cairo_set_source_rgba(cr, 1, 0.95, 0.6, 0.16);
      cairo_fill(cr);
      break;
    }
    case 20: {  // world not available cover
      RoundedRect(cr, x, y, 50, 50, 4);
      cairo_set_source_rgba(cr, 0.12, 0.12, 0.18, 0.82);
      cairo_fill(cr);
      cairo_save(cr);
      RoundedRect(cr, x, y, 50, 50, 4);
      cairo_clip(cr);
      for (int i = -50; i < 50; i += 8) {
        cairo_move_to(cr, x + i, y + 50);
        cairo_line_to(cr, x + i + 50, y);
      }
      cairo_set_line_width(cr, 2);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
      cairo_stroke(cr);
      cairo_restore(cr);
      break;
    }
    case 21: {  // white flash ring
      cairo_arc(cr, cx, cy, 20, 0, 2 * M_PI);
      cairo_set_line_width(cr, 7);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
      cairo_stroke_preserve(cr);
      cairo_set_line_width(cr, 3);
      cairo_set_source_rgba(cr, 1, 1, 1, 1);
      cairo_stroke(cr);
      break;
    }
    case 22: {  // blast
      SetRadialSource(cr, cx, cy, 0, cx, cy, 25,
                      {{0, {1, 1, 0.8}, 1},
                       {0.4, {1, 0.7, 0.1}, 1},
                       {0.8, {0.9, 0.2, 0.05}, 0.8},
                       {1, {0.5, 0.1, 0.0}, 0}});
      StarPath(cr, cx, cy, 25, 13, 10, 0.2);
      cairo_fill(cr);
      break;
    }
    case 23:
    case 24:
    case 28: {  // springs: a sprout that grows balls
      const Rgb leaf = k == 24 ? Hex(0x9AD04A) : Hex(0x3CB44A);
      cairo_move_to(cr, cx, y + 46);
      cairo_curve_to(cr, cx - 2, cy + 6, cx + 2, cy - 2, cx, cy - 4);
      Outline(cr, 3.5, Hex(0x2A7A2A));
      for (int s = -1; s <= 1; s += 2) {
        cairo_save(cr);
        cairo_translate(cr, cx + s * 9, cy + 8);
        cairo_rotate(cr, s * 0.5);
        cairo_scale(cr, 1.0, 0.5);
        cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
        cairo_restore(cr);
        SetColor(cr, leaf);
        cairo_fill_preserve(cr);
        Outline(cr, 1.2, Darken(leaf, 0.5));
      }
      if (k == 24) {
        GlossyBall(cr, cx, cy - 10, 9, Hex(0xC8904A), 0.7);
      } else {
        cairo_save(cr);
        StarPath(cr, cx, cy - 12, 13, 6, 6, 0);
        SetColor(cr, k == 28 ? Hex(0xFF8AD0) : Hex(0x7CF2FF));
        cairo_fill_preserve(cr);
        Outline(cr, 1.5, Hex(0x1A3A6A));
        cairo_restore(cr);
        if (k == 28) {
          TextStyle t = LabelStyle(12, Hex(0xFFFFFF));
          DrawText(cr, "3", t, cx + 4, y + 32, 20, 16);
        }
      }
      break;
    }
    case 25: {  // seed
      cairo_save(cr);
      cairo_translate(cr, cx, cy + 2);
      cairo_rotate(cr, 0.4);
      cairo_scale(cr, 0.72, 1.0);
      cairo_arc(cr, 0, 0, 17.5, 0, 2 * M_PI);
      cairo_restore(cr);
      SetLinearSource(cr, cx - 12, cy - 14, cx + 12, cy + 16,
                      {{0, {0.95, 0.78, 0.45}}, {1, {0.55, 0.32, 0.12}}});
      cairo_fill_preserve(cr);
      Outline(cr, 1.5, Hex(0x4A2A10));
      Glint(cr, cx - 5, cy - 8, 6, 0.9);
      break;
    }
    case 26: {  // aim-guide gift
      GlossyPlate(cr, x + 7, y + 17, 36, 28, 4, Hex(0x3A8AE8), 1, 1.5);
      GlossyPlate(cr, x + 4, y + 11, 42, 10, 3, Hex(0x5AA8FF), 1, 1.5);
      cairo_rectangle(cr, cx - 3, y + 11, 6, 34);
      SetColor(cr, Hex(0xFFE04A));
      cairo_fill(cr);
      for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, cx - 12 + i * 12, y + 6, 2.6, 0, 2 * M_PI);
        SetColor(cr, Hex(0xFFFFFF));
        cairo_fill(cr);
      }
      break;
    }
    case 27: {  // laser gift and shot
      SetRadialSource(cr, cx, cy, 0, cx, cy, 24,
                      {{0, {1, 1, 1}, 1}, {0.3, {1, 0.3, 0.3}, 1}, {1, {1, 0, 0.1}, 0}});
      cairo_arc(cr, cx, cy, 24, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo_move_to(cr, cx + 3, y + 5);
      cairo_line_to(cr, cx - 8, cy + 2);
      cairo_line_to(cr, cx + 1, cy + 2);
      cairo_line_to(cr, cx - 4, y + 45);
      cairo_line_to(cr, cx + 9, cy - 3);
      cairo_line_to(cr, cx, cy - 3);
      cairo_close_path(cr);
      SetColor(cr, Hex(0xFFF0F0));
      cairo_fill_preserve(cr);
      Outline(cr, 1.5, Hex(0x8A0010));
      break;
    }
    case 29: {  // deflector ball
      GlossyBall(cr, cx, cy, R, Hex(0xC0C8D8), 1.0);
      for (int s = -1; s <= 1; s += 2) {
        cairo_move_to(cr, cx + s * 4, cy - 9);
        cairo_line_to(cr, cx + s * 15, cy);
        cairo_line_to(cr, cx + s * 4, cy + 9);
        cairo_set_line_width(cr, 4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetColor(cr, Hex(0x2A4AA0));
        cairo_stroke(cr);
      }
      break;
    }
    case 30: {  // absorber ball
      GlossyBall(cr, cx, cy, R, Hex(0x3A2A5A), 1.0);
      for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, cx, cy, 5 + i * 5, i * 2.0, i * 2.0 + M_PI);
        cairo_set_line_width(cr, 2.2);
        cairo_set_source_rgba(cr, 0.75, 0.55, 1, 0.9);
        cairo_stroke(cr);
      }
      break;
    }
    case 31: {  // colour changer ball
      for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, R, i * M_PI / 3, (i + 1) * M_PI / 3);
        cairo_close_path(cr);
        SetColor(cr, Hex(kBallColours[i]));
        cairo_fill(cr);
      }
      SetRadialSource(cr, cx - 8, cy - 9, 2, cx, cy, R,
                      {{0, {1, 1, 1}, 0.7}, {0.5, {1, 1, 1}, 0.1}, {1, {0, 0, 0}, 0.35}});
      cairo_arc(cr, cx, cy, R, 0, 2 * M_PI);
      cairo_fill(cr);
      cairo_arc(cr, cx, cy, R - 0.5, 0, 2 * M_PI);
      Outline(cr, 1, Hex(0x202020), 0.7);
      break;
    }
    case 32: {  // laser ball
      GlossyBall(cr, cx, cy, R, Hex(0xC81830), 1.0);
      StarPath(cr, cx, cy, 14, 5, 4, M_PI / 4);
      SetColor(cr, Hex(0xFFE0E0));
      cairo_fill(cr);
      break;
    }
    case 33: {  // spare: a golden coin
      GlossyBall(cr, cx, cy, R, Hex(0xF0C030), 1.0);
      StarPath(cr, cx, cy + 1, 12, 5.5, 5, 0);
      SetColor(cr, Hex(0xFFF3B0));
      cairo_fill(cr);
      break;
    }
    case 34: {  // spare: a heart gem
      HeartPath(cr, cx, cy + 1, 22);
      SetLinearSource(cr, cx, cy - 20, cx, cy + 20, {{0, {1, 0.6, 0.75}}, {1, {0.75, 0.05, 0.3}}});
      cairo_fill_preserve(cr);
      Outline(cr, 1.5, Hex(0x5A0020));
      Glint(cr, cx - 8, cy - 6, 7, 0.9);
      break;
    }
    default:  // 1..9: colour ball stand-ins
      PaintBall(cr, cx, cy, R, k - 1, 0, false);
      break;
  }
  cairo_restore(cr);
}

void LauncherWheel(cairo_t* cr) {
  const double cx = 58.5, cy = 256 + 197.5, r = 56;
  // soft shadow
  SetRadialSource(cr, cx + 2, cy + 4, r * 0.8, cx + 2, cy + 4, r + 2,
                  {{0, {0, 0, 0}, 0.45}, {1, {0, 0, 0}, 0}});
  cairo_arc(cr, cx + 2, cy + 4, r + 2, 0, 2 * M_PI);
  cairo_fill(cr);
  // grips around the rim
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6;
    GlossyBall(cr, cx + (r - 5) * std::cos(a), cy + (r - 5) * std::sin(a), 5.5, Hex(0xF0B43C), 0.9);
  }
  // tyre
  cairo_arc(cr, cx, cy, r - 7, 0, 2 * M_PI);
  cairo_set_line_width(cr, 9);
  SetColor(cr, Hex(0x3A2A5A));
  cairo_stroke_preserve(cr);
  Outline(cr, 5, Hex(0x6A52A8));
  // spokes
  for (int i = 0; i < 6; ++i) {
    const double a = i * M_PI / 3 + M_PI / 6;
    cairo_move_to(cr, cx + 10 * std::cos(a), cy + 10 * std::sin(a));
    cairo_line_to(cr, cx + (r - 10) * std::cos(a), cy + (r - 10) * std::sin(a));
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 7);
  SetColor(cr, Hex(0x2A1E44));
  cairo_stroke_preserve(cr);
  Outline(cr, 4, Hex(0xC8CCE0));
  // inner disc, translucent so the ball reads over it
  cairo_arc(cr, cx, cy, r - 12, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0.5, 0.45, 0.8, 0.18);
  cairo_fill(cr);
  // hub
  GlossyBall(cr, cx, cy, 12, Hex(0xF0B43C), 1.0);
  GlossyBall(cr, cx, cy, 5, Hex(0x7A4A10), 0.6);
}

void Pointer(cairo_t* cr, double x, double y) {
  cairo_save(cr);
  cairo_move_to(cr, x + 1.5, y + 1.5);
  cairo_line_to(cr, x + 1.5, y + 17);
  cairo_line_to(cr, x + 6, y + 13);
  cairo_line_to(cr, x + 9.5, y + 19);
  cairo_line_to(cr, x + 12.5, y + 17.5);
  cairo_line_to(cr, x + 9, y + 11.5);
  cairo_line_to(cr, x + 15, y + 11);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2.2);
  SetColor(cr, Hex(0x1A1030));
  cairo_stroke_preserve(cr);
  SetLinearSource(cr, x, y, x + 10, y + 18, {{0, {1, 1, 1}}, {1, {1, 0.85, 0.4}}});
  cairo_fill(cr);
  cairo_restore(cr);
}

void Arrow(cairo_t* cr, double x, double y, double w, double h, bool left) {
  SoftShadow(cr, x + 2, y + 3, w - 4, h - 4, 6, 2, 0.4);
  GlossyPlate(cr, x + 1, y + 1, w - 2, h - 2, 7, Hex(0x3A8AE8), 1, 1.2);
  const double cx = x + w / 2, cy = y + h / 2, s = h * 0.26;
  const double d = left ? -1 : 1;
  cairo_move_to(cr, cx + d * s * 1.1, cy);
  cairo_line_to(cr, cx - d * s * 0.7, cy - s);
  cairo_line_to(cr, cx - d * s * 0.7, cy + s);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, Hex(0x102A5A));
  cairo_stroke_preserve(cr);
  SetColor(cr, Hex(0xFFFFFF));
  cairo_fill(cr);
}

}  // namespace

void PaintCharacterSheet(Canvas& c) {
  cairo_t* cr = c.cr();
  // intro button
  Button(cr, 0.5, 0.5, 114, 14, "INTRO  \u25B6", Hex(0x7A4AD0), 11);
  // aim guide dot
  SetRadialSource(cr, 145, 18, 0, 145, 18, 4,
                  {{0, {1, 1, 1}, 1}, {0.6, {1, 1, 0.8}, 0.95}, {1, {1, 0.9, 0.4}, 0.2}});
  cairo_arc(cr, 145, 18, 4, 0, 2 * M_PI);
  cairo_fill(cr);
  // digits
  for (int d = 0; d < 10; ++d) {
    TextStyle t;
    t.face = Face::Display;
    t.size = 23;
    t.gradientTop = Hex(0xFFFFFF);
    t.gradientBottom = Hex(0xFFD84A);
    t.outline = Hex(0x2A1448);
    t.outlineWidth = 2.2;
    DrawText(cr, std::to_string(d), t, 160 + 20 * d, 0, 20, 24);
  }
  Pointer(cr, 370, 0);
  // separators: a time draws a separator's rectangle one unit left of a slot a quarter of a
  // digit wide, between digits whose ink keeps 2 pixels off their cells' edges. The colon
  // stands in the middle of the gap between the inks (texel 3.5 of its rectangle, half a
  // pixel right to keep clear of the pointer's gutter) and is narrow, so the space on each
  // side of it is about that between two digits: "2:00:00" rather than "2:0 0:0 0".
  for (int s = 0; s < 2; ++s) {
    const double cx = 394 + 10 * s;
    for (int k = 0; k < 2; ++k) {
      const double cy = k ? 16.5 : 8.5;
      cairo_arc(cr, cx, cy, 2.0, 0, 2 * M_PI);
      SetColor(cr, Hex(0x2A1448));
      cairo_fill(cr);
      cairo_arc(cr, cx, cy, 1.3, 0, 2 * M_PI);
      SetColor(cr, Hex(0xFFF0A0));
      cairo_fill(cr);
    }
  }
  // continue button
  Button(cr, 0.5, 32.5, 85, 13, "CONTINUE", Hex(0x2EA84A), 11);
  // editor bottom line marker: red and white dashes, clear of the arrows' gutters below
  for (int x = 0; x < 511; x += 16) {
    cairo_rectangle(cr, x, 46, 8, 2);
    cairo_set_source_rgba(cr, 1, 0.25, 0.2, 0.95);
    cairo_fill(cr);
    cairo_rectangle(cr, x + 8, 46, 8, 2);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 86, 45, 425, 1);
  cairo_set_source_rgba(cr, 0.4, 0, 0, 0.8);
  cairo_fill(cr);
  Arrow(cr, 0, 50, 26, 28, true);
  Arrow(cr, 68, 50, 30, 28, false);
  // basic stage set sign: a golden medal with B
  GlossyBall(cr, 121.5, 65, 13, Hex(0xF0B43C), 1);
  {
    TextStyle t = LabelStyle(15, Hex(0xFFFFFF));
    t.outline = Hex(0x7A4A10);
    DrawText(cr, "B", t, 108, 51, 27, 28);
  }
  // stage set label
  GlassPanel(cr, 0.5, 80.5, 99, 15, 7, Hex(0x3A2A7A), 0.85);
  DrawText(cr, "STAGE SET", LabelStyle(11), 2, 80, 96, 16);
  PaintLock(cr, 169, 71, 20, 34, true);
  PaintLock(cr, 195, 71, 21, 34, false);
  // world labels
  {
    const int rows[6] = {54, 70, 83, 98, 113, 127};
    for (int w = 0; w < 5; ++w) {
      const double y = rows[w], h = rows[w + 1] - rows[w];
      GlossyPlate(cr, 240.5, y + 0.5, 82, h - 1, h / 2, Hex(kWorlds[w].panel), 1, 1);
      TextStyle t = LabelStyle(11);
      t.face = Face::LabelCondensed;
      t.outlineWidth = 1.3;
      t.outline = Darken(Hex(kWorlds[w].panel), 0.6);
      DrawText(cr, std::string(kWorlds[w].name), t, 242, y, 79, h);
    }
  }
  // energy label: bolt and word
  {
    GlassPanel(cr, 346, 61, 93, 58, 12, Hex(0x2A2A6A), 0.9);
    cairo_move_to(cr, 362, 66);
    cairo_line_to(cr, 352, 88);
    cairo_line_to(cr, 361, 88);
    cairo_line_to(cr, 356, 110);
    cairo_line_to(cr, 373, 82);
    cairo_line_to(cr, 364, 82);
    cairo_line_to(cr, 371, 66);
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.5);
    SetColor(cr, Hex(0x5A3000));
    cairo_stroke_preserve(cr);
    SetColor(cr, Hex(0xFFD84A));
    cairo_fill(cr);
    TextStyle t = LabelStyle(24, Hex(0xFFFFFF));
    t.face = Face::LabelCondensed;
    t.outlineWidth = 2.2;
    DrawText(cr, "ENERGY", t, 373, 64, 64, 52);
  }
  // danger strip
  {
    SetLinearSource(
        cr, 0, 60, 0, 110,
        {{0, {1, 0.85, 0.3}, 0.95}, {0.12, {1, 0.2, 0.1}, 0.85}, {1, {0.7, 0.0, 0.05}, 0.45}});
    cairo_rectangle(cr, 460, 60, 50, 50);
    cairo_fill(cr);
  }
  // yes/no prompt
  GlassPanel(cr, 255, 131, 139, 44, 10, Hex(0x5A2A8A), 0.95);
  DrawText(cr, "Leave the editor?", LabelStyle(12), 258, 133, 133, 20);
  {
    TextStyle t = LabelStyle(16, Hex(0xFFE27A));
    DrawText(cr, "Y / N", t, 258, 152, 133, 22);
  }
  PaintCheck(cr, 470, 130, 40, 30);
  // sum sign, best time label, current-line marker, dash
  {
    TextStyle t = LabelStyle(17, Hex(0xFFE27A));
    t.outlineWidth = 1.5;
    DrawText(cr, "\u03A3", t, 260, 180, 15, 20);
    GlossyPlate(cr, 280.5, 180.5, 114, 19, 9, Hex(0xC8783A), 1, 1);
    DrawText(cr, "BEST TIME", LabelStyle(12), 283, 180, 109, 20);
    GlossyPlate(cr, 400.5, 185.5, 54, 14, 7, Hex(0xE0504A), 1, 1);
    DrawText(cr, "\u25C0 NOW", LabelStyle(11), 402, 185, 51, 15);
    RoundedRect(cr, 457, 190, 6, 5, 2);
    SetColor(cr, Hex(0x2A1448));
    cairo_fill(cr);
    RoundedRect(cr, 458, 191, 4, 3, 1.5);
    SetColor(cr, Hex(0xFFF0A0));
    cairo_fill(cr);
  }
  LauncherWheel(cr);
  // The cells touch each other: each is painted 46 pixels wide about its centre, inside its
  // gutter.
  for (int k = 0; k < 35; ++k) {
    const int x = (k % 7) * 50 + 130, y = (k / 7) * 50 + 260;
    cairo_save(cr);
    cairo_rectangle(cr, x + 2, y + 2, 46, 46);
    cairo_clip(cr);
    cairo_translate(cr, x + 25, y + 25);
    cairo_scale(cr, 46.0 / 50.0, 46.0 / 50.0);
    cairo_translate(cr, -(x + 25), -(y + 25));
    Cell(cr, k, x, y);
    cairo_restore(cr);
  }
}

// ---------------------------------------------------------------- gems

namespace {

// Ten cuts of gem, drawn as a facetted polygon.
void GemShape(cairo_t* cr, int cut, double cx, double cy, double r) {
  cairo_new_path(cr);
  switch (cut) {
    case 0:  // round brilliant
      for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 + M_PI / 8;
        if (i == 0)
          cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else
          cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
      }
      break;
    case 1:  // square
      cairo_move_to(cr, cx - r * 0.8, cy - r * 0.6);
      cairo_line_to(cr, cx - r * 0.6, cy - r * 0.8);
      cairo_line_to(cr, cx + r * 0.6, cy - r * 0.8);
      cairo_line_to(cr, cx + r * 0.8, cy - r * 0.6);
      cairo_line_to(cr, cx + r * 0.8, cy + r * 0.6);
      cairo_line_to(cr, cx + r * 0.6, cy + r * 0.8);
      cairo_line_to(cr, cx - r * 0.6, cy + r * 0.8);
      cairo_line_to(cr, cx - r * 0.8, cy + r * 0.6);
      break;
    case 2:  // heart
      HeartPath(cr, cx, cy + r * 0.05, r * 0.95);
      return;
    case 3:  // star
      StarPath(cr, cx, cy + r * 0.05, r, r * 0.5, 5, 0);
      return;
    case 4:  // drop / pear
      cairo_move_to(cr, cx, cy - r);
      cairo_line_to(cr, cx + r * 0.75, cy + r * 0.1);
      cairo_line_to(cr, cx + r * 0.5, cy + r * 0.75);
      cairo_line_to(cr, cx - r * 0.5, cy + r * 0.75);
      cairo_line_to(cr, cx - r * 0.75, cy + r * 0.1);
      break;
    case 5:  // hexagon
      for (int i = 0; i < 6; ++i) {
        const double a = i * M_PI / 3;
        if (i == 0)
          cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else
          cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
      }
      break;
    case 6:  // triangle (trillion)
      cairo_move_to(cr, cx, cy - r);
      cairo_line_to(cr, cx + r * 0.95, cy + r * 0.7);
      cairo_line_to(cr, cx - r * 0.95, cy + r * 0.7);
      break;
    case 7:  // oval
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_scale(cr, 0.7, 1.0);
      cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
      cairo_restore(cr);
      return;
    case 8:  // marquise / rhombus
      cairo_move_to(cr, cx, cy - r);
      cairo_line_to(cr, cx + r * 0.7, cy);
      cairo_line_to(cr, cx, cy + r);
      cairo_line_to(cr, cx - r * 0.7, cy);
      break;
    default:  // baguette
      cairo_move_to(cr, cx - r * 0.45, cy - r);
      cairo_line_to(cr, cx + r * 0.45, cy - r);
      cairo_line_to(cr, cx + r * 0.6, cy + r);
      cairo_line_to(cr, cx - r * 0.6, cy + r);
      break;
  }
  cairo_close_path(cr);
}

void Gem(cairo_t* cr, int cut, Rgb col, double cx, double cy, double r, bool sparkle) {
  cairo_save(cr);
  // shadow
  cairo_save(cr);
  cairo_translate(cr, 2, 3);
  GemShape(cr, cut, cx, cy, r);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  cairo_restore(cr);
  GemShape(cr, cut, cx, cy, r);
  const Rgb hi = Lighten(col, 0.55), lo = Darken(col, 0.4);
  SetLinearSource(cr, cx - r, cy - r, cx + r, cy + r, {{0, hi}, {0.5, col}, {1, lo}});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, Darken(col, 0.6));
  cairo_stroke(cr);
  // table facet
  cairo_save(cr);
  GemShape(cr, cut, cx, cy - r * 0.08, r * 0.5);
  SetColor(cr, Lighten(col, 0.3), 0.8);
  cairo_fill_preserve(cr);
  Outline(cr, 1, Lighten(col, 0.7), 0.8);
  cairo_restore(cr);
  // facet lines from the table to the rim
  cairo_save(cr);
  GemShape(cr, cut, cx, cy, r);
  cairo_clip(cr);
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4 + M_PI / 8;
    cairo_move_to(cr, cx + r * 0.45 * std::cos(a), cy - r * 0.08 + r * 0.45 * std::sin(a));
    cairo_line_to(cr, cx + r * 1.2 * std::cos(a), cy + r * 1.2 * std::sin(a));
  }
  Outline(cr, 0.8, Darken(col, 0.3), 0.5);
  cairo_restore(cr);
  Glint(cr, cx - r * 0.35, cy - r * 0.4, r * 0.35, 0.9);
  if (sparkle) {
    // a brighter body, a coloured halo and three glints
    GemShape(cr, cut, cx, cy, r);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OVER);
    const Rgb hc = Lighten(col, 0.5);
    SetRadialSource(cr, cx, cy, r * 0.6, cx, cy, r * 1.22, {{0, hc, 0.7}, {1, hc, 0}});
    cairo_arc(cr, cx, cy, r * 1.22, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
    Glint(cr, cx + r * 0.55, cy - r * 0.55, r * 0.8, 1.0);
    Glint(cr, cx - r * 0.6, cy + r * 0.5, r * 0.5, 0.95);
    Glint(cr, cx + r * 0.35, cy + r * 0.6, r * 0.35, 0.85);
  }
  cairo_restore(cr);
}

const uint32_t kGemColours[10] = {0xE8283C, 0xFF8A1C, 0xFFD62A, 0x30C050, 0x20C8D8,
                                  0x3060F0, 0x9040E0, 0xFF60B0, 0xE8E8F0, 0x404858};

void Bomb(cairo_t* cr, double cx, double cy, bool sparkle) {
  GlossyBall(cr, cx, cy + 3, 18, Hex(0x2A2A36), 1.0);
  RoundedRect(cr, cx - 5, cy - 19, 10, 7, 2);
  SetColor(cr, Hex(0x8A8A9A));
  cairo_fill(cr);
  cairo_move_to(cr, cx, cy - 19);
  cairo_curve_to(cr, cx + 3, cy - 24, cx + 8, cy - 22, cx + 10, cy - 20);
  Outline(cr, 2, Hex(0xC8A060));
  Glint(cr, cx + 11, cy - 20, sparkle ? 8 : 6, 1.0);
  cairo_arc(cr, cx + 11, cy - 20, 2.5, 0, 2 * M_PI);
  SetColor(cr, Hex(0xFF8A1C));
  cairo_fill(cr);
}

void HighBombOverlay(cairo_t* cr, double cx, double cy) {
  // A red target ring with an upward chevron, drawn over the bomb.
  cairo_arc(cr, cx, cy + 3, 21, 0, 2 * M_PI);
  cairo_set_line_width(cr, 3.5);
  cairo_set_source_rgba(cr, 1, 0.2, 0.15, 0.95);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy + 3, 23.5, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - 8, cy + 8);
  cairo_line_to(cr, cx, cy);
  cairo_line_to(cr, cx + 8, cy + 8);
  cairo_set_line_width(cr, 4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_source_rgba(cr, 1, 0.85, 0.2, 1);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy + 3, 17, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 1, 0.3, 0.2, 0.15);
  cairo_fill(cr);
}

}  // namespace

void PaintGemSheet(Canvas& c, bool sparkling) {
  cairo_t* cr = c.cr();
  for (int n = 0; n < 100; ++n) {
    const double x = (n % 10) * 50, y = (n / 10) * 50;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, 50, 50);
    cairo_clip(cr);
    if (n == 14)
      Bomb(cr, x + 25, y + 25, sparkling);
    else if (n == 13)
      HighBombOverlay(cr, x + 25, y + 25);
    else
      Gem(cr, n % 10, Hex(kGemColours[n / 10]), x + 25, y + 25, 20, sparkling);
    cairo_restore(cr);
  }
}

void PaintBallSheet(Canvas& c, int world) {
  cairo_t* cr = c.cr();
  for (int f = 0; f < 19; ++f) {
    if (f == 9) continue;
    const double x = (f % 5) * 50, y = (f / 5) * 50;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, 50, 50);
    cairo_clip(cr);
    PaintBall(cr, x + 25, y + 25, 23, f % 10, world, f >= 10);
    cairo_restore(cr);
  }
}

void PaintExplosion(Canvas& c, int frame) {
  // frame 8 is the first, brightest burst; frame 1 the last wisp.
  cairo_t* cr = c.cr();
  const double t = (8 - frame) / 7.0;  // 0 first .. 1 last
  const double cx = 32, cy = 32;
  const double ring = 14 + 15 * t;
  const double alpha = 1.0 - 0.75 * t;
  if (frame >= 6) {  // the first frames flash wide and bright
    SetRadialSource(cr, cx, cy, 0, cx, cy, 31,
                    {{0, {1, 1, 0.85}, 0.9}, {0.6, {1, 0.8, 0.5}, 0.45}, {1, {1, 0.6, 0.3}, 0.05}});
    cairo_arc(cr, cx, cy, 31, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  SetRadialSource(cr, cx, cy, 0, cx, cy, ring + 4,
                  {{0, {1, 1, 0.9}, alpha * (1 - t)},
                   {0.5, {1, 0.85, 0.4}, alpha * 0.8},
                   {0.85, {1, 0.5, 0.2}, alpha * 0.6},
                   {1, {1, 0.4, 0.2}, 0}});
  cairo_arc(cr, cx, cy, ring + 4, 0, 2 * M_PI);
  cairo_fill(cr);
  Rng rng(1234u + frame);
  for (int i = 0; i < 12; ++i) {
    // droplets fly outwards, drawn as short streaks with a bright head
    const double a = i * 2 * M_PI / 12 + rng.Range(-0.15, 0.15);
    const double d = ring * rng.Range(0.85, 1.08);
    const double len = 3 + 7 * (1 - t);
    const double s = (4.5 - 3.0 * t) * rng.Range(0.8, 1.2);
    const double hx = cx + d * std::cos(a), hy = cy + d * std::sin(a);
    cairo_move_to(cr, hx - len * std::cos(a), hy - len * std::sin(a));
    cairo_line_to(cr, hx, hy);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, s);
    cairo_set_source_rgba(cr, 1, 0.85, 0.5, alpha * 0.7);
    cairo_stroke(cr);
    cairo_arc(cr, hx, hy, s * 0.6, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    cairo_fill(cr);
  }
  // a soft smoke ring that lingers in the late frames
  cairo_arc(cr, cx, cy, ring * 0.8, 0, 2 * M_PI);
  cairo_set_line_width(cr, 4);
  cairo_set_source_rgba(cr, 0.9, 0.9, 1, 0.06 + 0.06 * t);
  cairo_stroke(cr);
  if (frame >= 6) Glint(cr, cx, cy, 20 - (8 - frame) * 3, 1.0);
}

void PaintTitleWheel(Canvas& c) {
  // A big ring with twelve sockets holding balls of every colour: it turns behind the menu.
  cairo_t* cr = c.cr();
  const double cx = 128, cy = 128;
  SetRadialSource(cr, cx, cy, 80, cx, cy, 128,
                  {{0, {0.6, 0.4, 1}, 0.0}, {0.6, {0.7, 0.5, 1}, 0.35}, {1, {0.7, 0.5, 1}, 0}});
  cairo_arc(cr, cx, cy, 128, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 104, 0, 2 * M_PI);
  cairo_set_line_width(cr, 26);
  SetColor(cr, Hex(0x2A1A5A), 0.9);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 20);
  SetLinearSource(cr, 0, 20, 0, 236, {{0, {0.65, 0.55, 1.0}}, {1, {0.3, 0.2, 0.65}}});
  cairo_stroke(cr);
  // inner disc: translucent so the menu reads on it
  cairo_arc(cr, cx, cy, 91, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 0.12, 0.08, 0.3, 0.55);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.4);
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6 - M_PI / 2;
    PaintBall(cr, cx + 104 * std::cos(a), cy + 104 * std::sin(a), 14, i % 9, 0, false);
  }
  for (int i = 0; i < 12; ++i) {
    const double a = i * M_PI / 6 - M_PI / 2 + M_PI / 12;
    cairo_arc(cr, cx + 104 * std::cos(a), cy + 104 * std::sin(a), 3, 0, 2 * M_PI);
    SetColor(cr, Hex(0xFFE27A));
    cairo_fill(cr);
  }
}

void PaintGear(Canvas& c) {
  // Light metal so the game's grey tints give four distinct gears.
  PaintGearShape(c.cr(), 128, 128, 124, Hex(0xE8E8EC), 16);
}

void PaintPlayer(Canvas& c, int frame) {
  // A round little pilot with goggles who cheers the launcher on: three poses.
  cairo_t* cr = c.cr();
  // drawn at 80 % and to the left so that the figure stands beside the launcher, not on it
  cairo_translate(cr, -6, 22);
  cairo_scale(cr, 0.8, 0.8);
  const double cx = 60, cy = 58;
  const double bob = frame == 1 ? -2 : 0;
  // shadow
  cairo_save(cr);
  cairo_translate(cr, cx, 112);
  cairo_scale(cr, 1.0, 0.25);
  cairo_arc(cr, 0, 0, 34, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  // feet
  for (int s = -1; s <= 1; s += 2) {
    cairo_save(cr);
    cairo_translate(cr, cx + s * 15, 106);
    cairo_scale(cr, 1.0, 0.6);
    cairo_arc(cr, 0, 0, 11, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColor(cr, Hex(0x7A3A1A));
    cairo_fill(cr);
  }
  // arms: frame 0 down, 1 waving, 2 both up
  const double armUp[3][2] = {{0.6, 0.6}, {0.6, -1.0}, {-0.9, -0.9}};
  for (int s = 0; s < 2; ++s) {
    const double side = s ? 1 : -1;
    const double a = armUp[frame][s];
    const double sx = cx + side * 30, sy = cy + 20 + bob;
    const double ex = sx + side * 18 * std::cos(a * 0.9), ey = sy + 20 * a;
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, ex, ey);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    Outline(cr, 10, Hex(0x1A3A8A));
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, ex, ey);
    Outline(cr, 7, Hex(0x3A7AE8));
    GlossyBall(cr, ex, ey, 6, Hex(0xFFD0A0), 0.8);
  }
  // body
  GlossyBall(cr, cx, cy + 10 + bob, 38, Hex(0x3A7AE8), 1.0);
  // belly
  cairo_save(cr);
  cairo_translate(cr, cx, cy + 26 + bob);
  cairo_scale(cr, 1.0, 0.75);
  cairo_arc(cr, 0, 0, 22, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColor(cr, Hex(0xE8F0FF), 0.9);
  cairo_fill(cr);
  PaintSymbol(cr, cx, cy + 27 + bob, 16, 2, Hex(0xFFD62A), Hex(0x7A5A00));
  // face
  const double fy = cy - 2 + bob;
  for (int s = -1; s <= 1; s += 2) {
    cairo_arc(cr, cx + s * 13, fy, 10, 0, 2 * M_PI);
    SetColor(cr, Hex(0x2A2A36));
    cairo_fill(cr);
    cairo_arc(cr, cx + s * 13, fy, 7.5, 0, 2 * M_PI);
    SetColor(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
    const double look = frame == 2 ? -2 : 1;
    cairo_arc(cr, cx + s * 13 + 1.5, fy + look, 3.5, 0, 2 * M_PI);
    SetColor(cr, Hex(0x1A1A24));
    cairo_fill(cr);
    cairo_arc(cr, cx + s * 13 + 0.5, fy + look - 1.5, 1.2, 0, 2 * M_PI);
    SetColor(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
  }
  // goggle strap and antenna
  cairo_move_to(cr, cx - 23, fy);
  cairo_line_to(cr, cx - 36, fy + 3);
  cairo_move_to(cr, cx + 23, fy);
  cairo_line_to(cr, cx + 36, fy + 3);
  Outline(cr, 3, Hex(0x2A2A36));
  cairo_move_to(cr, cx, cy - 27 + bob);
  cairo_curve_to(cr, cx + 2, cy - 38 + bob, cx + 8, cy - 44 + bob, cx + 12, cy - 46 + bob);
  Outline(cr, 2.5, Hex(0x1A3A8A));
  PaintBall(cr, cx + 13, cy - 47 + bob, 6, frame == 1 ? 7 : 0, 0, frame == 2);
  // mouth
  if (frame == 0) {
    cairo_arc(cr, cx, fy + 14, 6, 0.2, M_PI - 0.2);
    Outline(cr, 2.5, Hex(0x1A1A24));
  } else {
    cairo_arc(cr, cx, fy + 13, 6.5, 0, M_PI);
    cairo_close_path(cr);
    SetColor(cr, Hex(0x7A1020));
    cairo_fill(cr);
  }
}

}  // namespace vx::art
