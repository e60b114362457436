// The screens' pictures: title sheet, world selection, settings, stage information, pause,
// stage clear, save offer, end sequence, music credits and the editor background.
#include <cmath>
#include <string>

#include "../common/music_titles.h"
#include "painters.h"
#include "palette.h"

namespace vx::art {

namespace {

const Rgb kInk = Hex(0x2A1448);
const Rgb kGold = Hex(0xFFD45A);
const Rgb kViolet = Hex(0x6A4AC0);

void KeyCap(cairo_t* cr, double x, double y, double s, const std::string& key) {
  GlossyPlate(cr, x, y, s, s, s * 0.25, Hex(0xF4F0FF), 1, 1.2);
  TextStyle t;
  t.face = Face::Label;
  t.size = s * 0.72;
  t.fill = kInk;
  DrawText(cr, key, t, x, y, s, s);
}

// A line of a key menu: key cap then the words.
void KeyLine(cairo_t* cr, double x, double y, double w, double h, const std::string& key,
             const std::string& words, double size) {
  GlassPanel(cr, x, y + 1, w, h - 2, (h - 2) / 2, Hex(0x3A2A7A), 0.75);
  KeyCap(cr, x + 4, y + 2.5, h - 5, key);
  DrawText(cr, words, LabelStyle(size), x + h + 4, y, w - h - 8, h, Align::Left);
}

void Sparkles(cairo_t* cr, double x, double y, double w, double h, int n, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < n; ++i)
    Glint(cr, x + rng.Range(0, w), y + rng.Range(0, h), rng.Range(3, 8), rng.Range(0.5, 1));
}

void PageBackground(cairo_t* cr, Rgb top, Rgb bottom) {
  SetLinearSource(cr, 0, 0, 0, 512, {{0, top}, {1, bottom}});
  cairo_paint(cr);
}

// A small emblem of each world's theme for the world-selection frames.
void WorldMotif(cairo_t* cr, int world, double cx, double cy) {
  cairo_save(cr);
  const WorldTheme& w = kWorlds[world];
  switch (world) {
    case 0:  // a flower
      for (int p = 0; p < 5; ++p) {
        const double a = p * 2 * M_PI / 5 - M_PI / 2;
        cairo_arc(cr, cx + 5.5 * std::cos(a), cy + 5.5 * std::sin(a), 4.2, 0, 2 * M_PI);
        SetColor(cr, Hex(w.accent));
        cairo_fill_preserve(cr);
        Outline(cr, 1, Darken(Hex(w.accent), 0.5));
      }
      cairo_arc(cr, cx, cy, 3.5, 0, 2 * M_PI);
      SetColor(cr, Hex(w.accent2));
      cairo_fill(cr);
      break;
    case 1:  // bubbles
      for (int b = 0; b < 3; ++b) {
        const double r = 5.5 - b * 1.5;
        cairo_arc(cr, cx - 4 + b * 5, cy + 5 - b * 6, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.7, 1, 1, 0.35);
        cairo_fill_preserve(cr);
        Outline(cr, 1.3, Hex(0xE0FFFF));
      }
      break;
    case 2:  // a setting sun
      for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        cairo_move_to(cr, cx + 8 * std::cos(a), cy + 8 * std::sin(a));
        cairo_line_to(cr, cx + 11 * std::cos(a), cy + 11 * std::sin(a));
      }
      cairo_set_line_width(cr, 2);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColor(cr, Hex(w.accent));
      cairo_stroke(cr);
      GlossyBall(cr, cx, cy, 6.5, Hex(0xFFB030), 0.8);
      break;
    case 3:  // a crystal
      cairo_move_to(cr, cx, cy - 11);
      cairo_line_to(cr, cx + 6, cy - 4);
      cairo_line_to(cr, cx + 4, cy + 10);
      cairo_line_to(cr, cx - 4, cy + 10);
      cairo_line_to(cr, cx - 6, cy - 4);
      cairo_close_path(cr);
      SetColor(cr, Hex(w.accent));
      cairo_fill_preserve(cr);
      Outline(cr, 1.2, Hex(0x1A1035));
      cairo_move_to(cr, cx, cy - 11);
      cairo_line_to(cr, cx, cy + 10);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
      cairo_stroke(cr);
      break;
    default:  // a star
      StarPath(cr, cx, cy, 10, 4.5, 5, 0);
      SetColor(cr, Hex(w.accent));
      cairo_fill_preserve(cr);
      Outline(cr, 1.2, Hex(0x5A3A00));
      break;
  }
  cairo_restore(cr);
}

}  // namespace

void PaintTitleSheet(Canvas& c) {
  cairo_t* cr = c.cr();
  // the game's title and subtitle
  {
    TextStyle t = HeadingStyle(66);
    t.gradientTop = Hex(0xFFFFFF);
    t.gradientBottom = Hex(0xFFC83A);
    t.outlineWidth = 5;
    DrawText(cr, "Vexorbia", t, 0, 32, 511, 73);
    Sparkles(cr, 90, 36, 330, 20, 5, 3);
  }
  {
    RoundedRect(cr, 70, 118, 371, 44, 22);
    cairo_set_source_rgba(cr, 0.16, 0.08, 0.32, 0.55);
    cairo_fill(cr);
    TextStyle t = LabelStyle(20, Hex(0xFFFFFF));
    t.face = Face::Display;
    t.outline = Hex(0x2A1448);
    t.outlineWidth = 2.5;
    DrawText(cr, "aim \u00B7 match \u00B7 set the orbs free", t, 72, 118, 367, 44);
  }
  // emblem that pulses over the wheel
  PaintEmblem(cr, 245, 245, 63);
  // glow
  {
    SetRadialSource(
        cr, 431, 260, 0, 431, 260, 80,
        {{0, {1, 1, 0.85}, 0.85}, {0.45, {1, 0.85, 0.5}, 0.4}, {1, {1, 0.7, 0.4}, 0.02}});
    cairo_rectangle(cr, 350, 180, 162, 160);
    cairo_fill(cr);
  }
  // menu words on plates, centred on sheet y 354, 398, 442
  const char* words[3] = {"PLAY", "SETTINGS", "QUIT"};
  const uint32_t plate[3] = {0x2EA84A, 0x3A7AE8, 0xD84A5A};
  for (int i = 0; i < 3; ++i) {
    const double cy = 354 + 44 * i;
    SoftShadow(cr, 190, cy - 14, 132, 30, 15, 3, 0.4);
    GlossyPlate(cr, 188, cy - 16, 136, 32, 16, Hex(plate[i]), 1, 2);
    TextStyle t = LabelStyle(19);
    t.face = Face::Display;
    t.outline = Darken(Hex(plate[i]), 0.6);
    t.outlineWidth = 2.2;
    DrawText(cr, words[i], t, 190, cy - 16, 132, 32);
  }
  // selection bar: a glowing frame around a menu plate, with pointers on both sides
  {
    RoundedRect(cr, 3, 468, 159, 40, 20);
    cairo_set_source_rgba(cr, 1, 0.95, 0.6, 0.14);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 5);
    cairo_set_source_rgba(cr, 1, 0.85, 0.3, 0.55);
    cairo_stroke_preserve(cr);
    Outline(cr, 2.2, Hex(0xFFF6C0));
    for (int s = 0; s < 2; ++s) {
      const double x = s ? 159 : 6, d = s ? -1 : 1;
      cairo_move_to(cr, x - d * 4, 480);
      cairo_line_to(cr, x + d * 8, 488);
      cairo_line_to(cr, x - d * 4, 496);
      cairo_close_path(cr);
      SetColor(cr, Hex(0xFFE27A));
      cairo_fill_preserve(cr);
      Outline(cr, 1.2, Hex(0x7A4A10));
    }
  }
}

void PaintWorldSelect(Canvas& c) {
  cairo_t* cr = c.cr();
  const int bx[5] = {31, 201, 371, 121, 291}, by[5] = {66, 66, 66, 226, 226};
  // translucent violet layer so the gem stream glimmers behind
  SetLinearSource(cr, 0, 0, 0, 512, {{0, {0.16, 0.08, 0.36}, 0.88}, {1, {0.08, 0.05, 0.22}, 0.92}});
  cairo_paint(cr);
  Sparkles(cr, 0, 380, 512, 80, 14, 21);
  DrawText(cr, "Choose a World", HeadingStyle(34), 0, 8, 512, 50);
  for (int w = 0; w < 5; ++w) {
    const WorldTheme& t = kWorlds[w];
    const double x = bx[w], y = by[w];
    SoftShadow(cr, x - 6, y - 4, 130, 124, 14, 6, 0.5);
    GlossyPlate(cr, x - 8, y - 8, 134, 124, 14, Hex(t.panel), 1, 2);
    // the window: cleared to transparent so the selection frame and cover show through
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    RoundedRect(cr, x, y, 118, 108, 6);
    cairo_fill(cr);
    cairo_restore(cr);
    RoundedRect(cr, x - 0.5, y - 0.5, 119, 109, 6);
    Outline(cr, 1.5, Darken(Hex(t.panel), 0.55));
    // small labels above the two time rows
    TextStyle lab = LabelStyle(11, Hex(0xFFFFFF));
    lab.face = Face::LabelCondensed;
    lab.fillAlpha = 0.85;
    DrawText(cr, "last", lab, x + 29, y + 3, 60, 13);
    DrawText(cr, "best", lab, x + 29, y + 43, 60, 13);
    // a ball of the world's finish on one corner, the world's motif on the other
    PaintBall(cr, x - 2, y - 2, 11, (w * 2) % 9, w, false);
    WorldMotif(cr, w, x + 120, y - 1);
    // name plate under the box, left of the lock icon the game draws at the lower right
    GlossyPlate(cr, x - 2, y + 109, 92, 20, 10, Hex(t.accent), 1, 1.2);
    TextStyle n = LabelStyle(13, Hex(0xFFFFFF));
    n.outline = Darken(Hex(t.panel), 0.6);
    n.outlineWidth = 1.8;
    DrawText(cr, std::string(t.name), n, x, y + 109, 88, 20);
  }
  Button(cr, 170, 470, 85, 30, "BACK", Hex(0xD84A5A), 15);
  Button(cr, 260, 470, 85, 30, "PLAY", Hex(0x2EA84A), 15);
}

void PaintSettings(Canvas& c) {
  cairo_t* cr = c.cr();
  SoftShadow(cr, 14, 14, 484, 486, 20, 10, 0.45);
  GlassPanel(cr, 10, 10, 492, 492, 22, Hex(0x3A2A7A), 0.9);
  DrawText(cr, "Settings", HeadingStyle(32), 0, 20, 512, 44);
  const TextStyle label = LabelStyle(16);
  auto row = [&](double y, double h, const char* text, double labelWidth = 185) {
    RoundedRect(cr, 28, y, 456, h, 10);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.06);
    cairo_fill(cr);
    DrawText(cr, text, label, 40, y, labelWidth, h, Align::Left);
  };
  auto checkbox = [&](double y) {
    RoundedRect(cr, 276, y + 1, 31, 26, 6);
    SetColor(cr, Hex(0xF4F0FF));
    cairo_fill_preserve(cr);
    Outline(cr, 2, kInk);
    RoundedRect(cr, 279, y + 4, 25, 8, 4);
    cairo_set_source_rgba(cr, 0.6, 0.55, 0.8, 0.25);
    cairo_fill(cr);
  };
  auto plusMinus = [&](double yPlus, double hPlus, double yMinus, double hMinus) {
    Button(cr, 232, yPlus, 20, hPlus, "+", Hex(0x2EA84A), 12);
    Button(cr, 232, yMinus, 20, hMinus, "\u2212", Hex(0xD84A5A), 12);
  };
  auto well = [&](double y) {
    RoundedRect(cr, 262, y, 94, 32, 8);
    cairo_set_source_rgba(cr, 0.05, 0.02, 0.12, 0.7);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_stroke(cr);
  };
  row(80, 28, "Reset last world times", 228);
  checkbox(80);
  row(142, 28, "Reset best world times", 228);
  checkbox(142);
  row(190, 45, "Music volume");
  well(196);
  plusMinus(195, 15, 218, 12);
  DrawText(cr, "%", LabelStyle(16), 360, 196, 24, 32, Align::Left);
  row(252, 44, "Effects volume");
  well(256);
  plusMinus(260, 14, 278, 12);
  DrawText(cr, "%", LabelStyle(16), 360, 256, 24, 32, Align::Left);
  row(306, 44, "Window size");
  well(306);
  plusMinus(314, 16, 332, 12);
  DrawText(cr, "px", LabelStyle(14), 360, 306, 30, 32, Align::Left);
  Button(cr, 448, 316, 32, 28, "FIT", Hex(0x3A7AE8), 12);
  row(358, 34, "Window position");
  // position pad: up and down on the left, left and right on the right
  {
    RoundedRect(cr, 231, 359, 62, 32, 8);
    cairo_set_source_rgba(cr, 0.05, 0.02, 0.12, 0.6);
    cairo_fill(cr);
    auto tri = [&](double cx, double cy, double dx, double dy) {
      const double s = 6;
      cairo_move_to(cr, cx + dx * s, cy + dy * s);
      cairo_line_to(cr, cx - dx * s - dy * s, cy - dy * s - dx * s);
      cairo_line_to(cr, cx - dx * s + dy * s, cy - dy * s + dx * s);
      cairo_close_path(cr);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_line_width(cr, 2);
      SetColor(cr, kInk);
      cairo_stroke_preserve(cr);
      SetColor(cr, Hex(0xFFE27A));
      cairo_fill(cr);
    };
    tri(246, 367, 0, -1);
    tri(246, 383, 0, 1);
    tri(268, 376, -1, 0);
    tri(284, 376, 1, 0);
  }
  DrawText(cr, "Changes apply at once. OK keeps them, Cancel undoes them.",
           LabelStyle(11, Hex(0xE0D8FF)), 30, 420, 452, 24);
  Button(cr, 320, 470, 65, 25, "Cancel", Hex(0xD84A5A), 13);
  Button(cr, 415, 470, 70, 25, "OK", Hex(0x2EA84A), 15);
}

void PaintStageInfo(Canvas& c) {
  cairo_t* cr = c.cr();
  // title bar: a ribbon that slides in from the left; the world name is drawn on its right part
  SoftShadow(cr, -20, 12, 386, 56, 26, 5, 0.45);
  GlossyPlate(cr, -30, 9, 397, 60, 28, kViolet, 1, 2.5);
  {
    TextStyle t = HeadingStyle(24);
    DrawText(cr, "World", t, 18, 9, 150, 60, Align::Left);
  }
  // world names: right-aligned, in each world's accent
  {
    const int rects[5][4] = {{30, 393, 190, 417},
                             {190, 393, 310, 417},
                             {310, 393, 385, 417},
                             {385, 393, 512, 417},
                             {59, 430, 183, 455}};
    for (int w = 0; w < 5; ++w) {
      TextStyle t = HeadingStyle(21);
      t.gradientTop = Lighten(Hex(kWorlds[w].accent), 0.5);
      t.gradientBottom = Hex(kWorlds[w].accent);
      if (w == 4) t.gradientBottom = Hex(0xFFE27A);
      t.outlineWidth = 2.5;
      t.shadow = false;
      const int* r = rects[w];
      DrawText(cr, kWorlds[w].name, t, r[0], r[1], r[2] - r[0], r[3] - r[1], Align::Right);
    }
  }
  // digits 0..9 as 30 x 30 glyphs at (30 n, 80)
  for (int d = 0; d < 10; ++d) {
    TextStyle t;
    t.face = Face::Display;
    t.size = 28;
    t.gradientTop = Hex(0xFFFFFF);
    t.gradientBottom = Hex(0xFFC83A);
    t.outline = kInk;
    t.outlineWidth = 2.5;
    DrawText(cr, std::to_string(d), t, 30 * d, 80, 30, 30);
  }
  // the two rows: glass bars with a round well for the number at x 420
  for (int r = 0; r < 2; ++r) {
    const double y = r ? 306 : 173, h = r ? 49 : 48, cy = r ? 335 : 197;
    SoftShadow(cr, 26, y + 3, 486, h - 4, 20, 4, 0.4);
    GlassPanel(cr, 23.5, y + 0.5, 500, h - 1, h / 2 - 1, r ? Hex(0x2A6AA8) : Hex(0x5A3AA8), 0.9);
    cairo_arc(cr, 420, cy, 21, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.05, 0.02, 0.12, 0.75);
    cairo_fill_preserve(cr);
    Outline(cr, 2, kGold);
  }
  DrawText(cr, "STAGE", LabelStyle(19), 20, 116, 220, 24, Align::Left);
  DrawText(cr, "SMALLEST BREAKING GROUP", LabelStyle(17), 20, 140, 296, 25, Align::Left);
  // start prompt
  {
    GlassPanel(cr, 193, 431, 198, 24, 12, Hex(0x2EA84A), 0.85);
    DrawText(cr, "Click or press Z to start", LabelStyle(13), 196, 430, 192, 26);
  }
}

void PaintPauseBackdrop(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_set_source_rgba(cr, 0.04, 0.02, 0.1, 0.55);
  cairo_paint(cr);
  SoftShadow(cr, 64, 24, 384, 478, 24, 8, 0.5);
  GlassPanel(cr, 60, 20, 392, 480, 24, Hex(0x2A1A5A), 0.88);
  DrawText(cr, "Stage times", HeadingStyle(26), 60, 28, 392, 44);
  // faint rule lines behind the stage list
  for (int i = 0; i < 10; ++i) {
    RoundedRect(cr, 100, 158 + 22 * i, 312, 20, 10);
    cairo_set_source_rgba(cr, 1, 1, 1, i % 2 ? 0.03 : 0.07);
    cairo_fill(cr);
  }
  cairo_move_to(cr, 100, 384);
  cairo_line_to(cr, 412, 384);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgba(cr, 1, 0.85, 0.4, 0.5);
  cairo_stroke(cr);
}

void PaintRetrySheet(Canvas& c) {
  cairo_t* cr = c.cr();
  KeyLine(cr, 90, 71, 320, 24, "C", "Continue", 14);
  // the retry line leaves room at x 325..360 for the tries figure
  KeyLine(cr, 90, 95, 320, 21, "R", "Retry this stage", 13);
  {
    TextStyle t = LabelStyle(11, Hex(0xFFE27A));
    DrawText(cr, "tries", t, 278, 95, 44, 21, Align::Right);
  }
  KeyLine(cr, 90, 116, 320, 19, "Q", "Quit to the title", 12);
  KeyLine(cr, 200, 249, 320, 21, "A", "Restart the world (no tries left)", 13);
  {
    SoftShadow(cr, 344, 174, 162, 70, 14, 4, 0.4);
    GlossyPlate(cr, 341, 171, 168, 76, 16, Hex(0xD84A5A), 1, 2);
    DrawText(cr, "No tries left!", HeadingStyle(20), 345, 173, 160, 42);
    DrawText(cr, "Press A to restart", LabelStyle(12), 345, 212, 160, 28);
  }
  {
    SoftShadow(cr, 80, 390, 346, 104, 18, 5, 0.5);
    GlassPanel(cr, 76, 386, 353, 110, 20, Hex(0x5A2A8A), 0.95);
    DrawText(cr, "Quit to the title?", HeadingStyle(26), 80, 392, 345, 48);
    KeyCap(cr, 130, 448, 30, "Y");
    DrawText(cr, "yes", LabelStyle(18), 166, 446, 70, 34, Align::Left);
    KeyCap(cr, 270, 448, 30, "N");
    DrawText(cr, "no", LabelStyle(18), 306, 446, 70, 34, Align::Left);
  }
}

void PaintStageClear(Canvas& c) {
  cairo_t* cr = c.cr();
  PageBackground(cr, Hex(0x3A1E7A), Hex(0x140A34));
  // soft rays from behind the heading and falling confetti in the ball colours
  for (int i = 0; i < 16; ++i) {
    const double a = M_PI * (i + 0.5) / 16;
    cairo_move_to(cr, 256, 30);
    cairo_line_to(cr, 256 + 700 * std::cos(a - 0.05), 30 + 700 * std::sin(a - 0.05));
    cairo_line_to(cr, 256 + 700 * std::cos(a + 0.05), 30 + 700 * std::sin(a + 0.05));
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 1, 0.9, 0.7, 0.05);
    cairo_fill(cr);
  }
  Rng rng(7);
  for (int i = 0; i < 70; ++i) {
    const double x = rng.Range(0, 512), y = rng.Range(0, 512);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rng.Range(0, M_PI));
    RoundedRect(cr, -4, -2, 8, 4, 1);
    SetColor(cr, Hex(kBallColours[rng.Next() % 9]), 0.75);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  DrawText(cr, "Stage Clear!", HeadingStyle(40), 0, 6, 512, 56);
  SoftShadow(cr, 92, 80, 328, 378, 20, 8, 0.5);
  GlassPanel(cr, 88, 76, 336, 382, 20, Hex(0x2A1A5A), 0.92);
  for (int i = 0; i < 10; ++i) {
    RoundedRect(cr, 104, 158 + 22 * i, 304, 20, 10);
    cairo_set_source_rgba(cr, 1, 1, 1, i % 2 ? 0.03 : 0.08);
    cairo_fill(cr);
  }
  cairo_move_to(cr, 104, 384);
  cairo_line_to(cr, 408, 384);
  cairo_set_line_width(cr, 1.5);
  cairo_set_source_rgba(cr, 1, 0.85, 0.4, 0.5);
  cairo_stroke(cr);
  Button(cr, 220, 465, 65, 25, "Title", Hex(0xD84A5A), 13);
  Button(cr, 340, 465, 70, 25, "Again", Hex(0x3A7AE8), 13);
  Button(cr, 420, 465, 60, 25, "Next", Hex(0x2EA84A), 14);
}

void PaintStageClearSheet(Canvas& c) {
  cairo_t* cr = c.cr();
  {
    TextStyle t = HeadingStyle(38);
    t.gradientBottom = Hex(0xFF9A2A);
    DrawText(cr, "New Record!", t, 0, 0, 255, 75);
    Sparkles(cr, 10, 6, 235, 60, 6, 11);
  }
  {
    TextStyle t = HeadingStyle(30);
    t.gradientBottom = Hex(0x7CF2FF);
    DrawText(cr, "World\nComplete!", t, 0, 75, 255, 95);
  }
  {
    GlossyPlate(cr, 14, 174, 227, 32, 16, Hex(0xE0504A), 1, 1.5);
    DrawText(cr, "Best world time ever!", LabelStyle(15), 18, 172, 219, 36);
  }
}

void PaintSaveOffer(Canvas& c) {
  cairo_t* cr = c.cr();
  // the panel: drawn with its top centre at screen (256, 0); screen y = sheet y - 70 and
  // screen x = sheet x + 38.5, so the rows sit at sheet y 245 and 310
  SoftShadow(cr, 6, 76, 424, 268, 24, 6, 0.5);
  GlassPanel(cr, 2, 72, 431, 276, 24, Hex(0x2A1A6A), 0.95);
  DrawText(cr, "Save your game?", HeadingStyle(30), 10, 84, 415, 48);
  KeyCap(cr, 112, 140, 28, "Y");
  DrawText(cr, "save", LabelStyle(17), 146, 138, 70, 32, Align::Left);
  KeyCap(cr, 232, 140, 28, "N");
  DrawText(cr, "skip", LabelStyle(17), 266, 138, 70, 32, Align::Left);
  const char* labels[2] = {"Saved game", "Save now"};
  for (int r = 0; r < 2; ++r) {
    const double cy = (r ? 310 : 245) + 8;
    RoundedRect(cr, 14, cy - 16, 407, 32, 16);
    cairo_set_source_rgba(cr, 1, 1, 1, r ? 0.12 : 0.06);
    cairo_fill(cr);
    DrawText(cr, labels[r], LabelStyle(13, r ? Hex(0xFFE27A) : Hex(0xFFFFFF)), 22, cy - 16, 76, 32,
             Align::Left);
    DrawText(cr, "stage", LabelStyle(12, Hex(0xE0D8FF)), 188, cy - 16, 60, 32, Align::Right);
    cairo_arc(cr, 281.5, cy - 2, 16, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0.05, 0.02, 0.12, 0.6);
    cairo_fill(cr);
  }
  DrawText(cr, "Your saved game keeps the world, the stage and your tries.",
           LabelStyle(11, Hex(0xE0D8FF)), 14, 196, 407, 28);
  // confirmation
  SoftShadow(cr, 6, 440, 164, 64, 16, 4, 0.45);
  GlossyPlate(cr, 3, 438, 169, 69, 18, Hex(0x2EA84A), 1, 2);
  PaintCheck(cr, 14, 455, 40, 34);
  DrawText(cr, "Saved!", HeadingStyle(26), 56, 440, 112, 64);
}

namespace {

void Critter(cairo_t* cr, double cx, double cy, double r, Rgb body, int mood) {
  cairo_save(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy + r * 1.05);
  cairo_scale(cr, 1, 0.22);
  cairo_arc(cr, 0, 0, r * 0.9, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  for (int s = -1; s <= 1; s += 2) {  // arms raised in joy
    cairo_move_to(cr, cx + s * r * 0.8, cy);
    cairo_line_to(cr, cx + s * r * 1.25, cy - r * (mood == 1 ? 0.2 : 0.75));
    cairo_set_line_width(cr, r * 0.22);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, Darken(body, 0.25));
    cairo_stroke(cr);
  }
  GlossyBall(cr, cx, cy, r, body, 1.0);
  for (int s = -1; s <= 1; s += 2) {
    cairo_arc(cr, cx + s * r * 0.33, cy - r * 0.15, r * 0.2, 0, 2 * M_PI);
    SetColor(cr, Hex(0xFFFFFF));
    cairo_fill(cr);
    cairo_arc(cr, cx + s * r * 0.33, cy - r * 0.12, r * 0.1, 0, 2 * M_PI);
    SetColor(cr, Hex(0x1A1A24));
    cairo_fill(cr);
    cairo_arc(cr, cx + s * r * 0.55, cy + r * 0.2, r * 0.1, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 0.4, 0.5, 0.5);
    cairo_fill(cr);
  }
  cairo_arc(cr, cx, cy + r * 0.22, r * 0.25, 0, M_PI);
  cairo_close_path(cr);
  SetColor(cr, Hex(0x7A1020));
  cairo_fill(cr);
  if (mood == 2) {  // a little crown
    cairo_move_to(cr, cx - r * 0.4, cy - r * 0.85);
    cairo_line_to(cr, cx - r * 0.45, cy - r * 1.25);
    cairo_line_to(cr, cx - r * 0.15, cy - r * 1.02);
    cairo_line_to(cr, cx, cy - r * 1.35);
    cairo_line_to(cr, cx + r * 0.15, cy - r * 1.02);
    cairo_line_to(cr, cx + r * 0.45, cy - r * 1.25);
    cairo_line_to(cr, cx + r * 0.4, cy - r * 0.85);
    cairo_close_path(cr);
    SetColor(cr, kGold);
    cairo_fill_preserve(cr);
    Outline(cr, 1.5, Hex(0x7A4A10));
  }
  cairo_restore(cr);
}

}  // namespace

void PaintFinishScene(Canvas& c) {
  cairo_t* cr = c.cr();
  // centre band (scaled 3x behind everything): a warm celebration glow
  {
    cairo_save(cr);
    cairo_rectangle(cr, 7, 164, 171, 78);
    cairo_clip(cr);
    SetRadialSource(
        cr, 92.5, 203, 5, 92.5, 203, 90,
        {{0, {1, 0.95, 0.7}, 1}, {0.5, {1, 0.6, 0.7}, 0.7}, {1, {0.5, 0.3, 0.9}, 0.35}});
    cairo_paint(cr);
    for (int i = 0; i < 12; ++i) {
      const double a = i * M_PI / 6;
      cairo_move_to(cr, 92.5, 203);
      cairo_arc(cr, 92.5, 203, 120, a, a + M_PI / 14);
      cairo_close_path(cr);
      cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
      cairo_fill(cr);
    }
    cairo_restore(cr);
  }
  // top band (scaled 3.4x at the top of the screen): bunting and stars on a violet sky
  {
    cairo_save(cr);
    cairo_rectangle(cr, 182, 164, 160, 78);
    cairo_clip(cr);
    SetLinearSource(cr, 0, 164, 0, 242, {{0, {0.2, 0.1, 0.45}, 1}, {1, {0.45, 0.3, 0.75}, 0.0}});
    cairo_paint(cr);
    cairo_move_to(cr, 182, 190);
    cairo_curve_to(cr, 230, 210, 294, 210, 342, 190);
    Outline(cr, 1.2, Hex(0xFFFFFF), 0.8);
    for (int i = 0; i < 10; ++i) {
      const double t = (i + 0.5) / 10, x = 182 + 160 * t;
      const double y = 190 + 20 * 4 * t * (1 - t) * 0.75;
      cairo_move_to(cr, x - 6, y);
      cairo_line_to(cr, x + 6, y);
      cairo_line_to(cr, x, y + 11);
      cairo_close_path(cr);
      SetColor(cr, Hex(kBallColours[i % 9]));
      cairo_fill(cr);
    }
    Sparkles(cr, 182, 166, 160, 18, 8, 31);
    cairo_restore(cr);
  }
  // bottom band (scaled 3.4x at the bottom): meadow hills with flowers; the hill line sits high
  // so that it meets the centre band and the friends stand just behind it
  {
    cairo_save(cr);
    cairo_rectangle(cr, 345, 164, 165, 78);
    cairo_clip(cr);
    cairo_move_to(cr, 345, 242);
    cairo_line_to(cr, 345, 176);
    cairo_curve_to(cr, 380, 167, 420, 169, 440, 174);
    cairo_curve_to(cr, 470, 167, 495, 169, 510, 173);
    cairo_line_to(cr, 510, 242);
    cairo_close_path(cr);
    SetLinearSource(cr, 0, 166, 0, 242, {{0, {0.45, 0.8, 0.4}}, {1, {0.15, 0.45, 0.2}}});
    cairo_fill(cr);
    Rng rng(8);
    for (int i = 0; i < 18; ++i) {
      cairo_arc(cr, rng.Range(348, 508), rng.Range(185, 238), 1.8, 0, 2 * M_PI);
      SetColor(cr, Hex(kBallColours[i % 9]));
      cairo_fill(cr);
    }
    cairo_restore(cr);
  }
  // three characters
  Critter(cr, 223, 82, 50, Hex(0xFF6FB5), 0);
  Critter(cr, 396, 82, 50, Hex(0x38C84A), 1);
  Critter(cr, 74, 78, 48, Hex(0xFFB020), 2);
  // the craft: dome (top), band (middle), hull (bottom); together they form one ship
  {
    // dome
    cairo_save(cr);
    cairo_rectangle(cr, 0, 268, 157, 75);
    cairo_clip(cr);
    cairo_move_to(cr, 8, 343);
    cairo_curve_to(cr, 20, 300, 50, 276, 78.5, 276);
    cairo_curve_to(cr, 107, 276, 137, 300, 149, 343);
    cairo_close_path(cr);
    SetRadialSource(cr, 60, 295, 5, 78.5, 330, 80,
                    {{0, {0.9, 1, 1}, 0.95}, {1, {0.3, 0.7, 0.95}, 0.85}});
    cairo_fill_preserve(cr);
    Outline(cr, 2, Hex(0x1A3A6A));
    Critter(cr, 78.5, 322, 17, Hex(0x3A7AE8), 0);
    Glint(cr, 52, 296, 9, 0.9);
    cairo_restore(cr);
    // band
    RoundedRect(cr, 0.5, 343.5, 156, 13, 6);
    SetLinearSource(cr, 0, 343, 0, 357, {{0, {1, 0.9, 0.5}}, {1, {0.8, 0.5, 0.1}}});
    cairo_fill_preserve(cr);
    Outline(cr, 1.2, Hex(0x5A3000));
    for (int i = 0; i < 7; ++i) {
      cairo_arc(cr, 14 + i * 21.5, 350, 2.5, 0, 2 * M_PI);
      SetColor(cr, Hex(kBallColours[i]));
      cairo_fill(cr);
    }
    // hull
    cairo_save(cr);
    cairo_rectangle(cr, 0, 358, 157, 75);
    cairo_clip(cr);
    cairo_move_to(cr, 2, 358);
    cairo_line_to(cr, 155, 358);
    cairo_curve_to(cr, 150, 385, 120, 405, 78.5, 405);
    cairo_curve_to(cr, 37, 405, 7, 385, 2, 358);
    cairo_close_path(cr);
    SetLinearSource(cr, 0, 358, 0, 405, {{0, {0.75, 0.5, 0.95}}, {1, {0.3, 0.15, 0.55}}});
    cairo_fill_preserve(cr);
    Outline(cr, 2, Hex(0x1A0A3A));
    for (int i = 0; i < 3; ++i) {  // thrusters glowing below
      const double x = 48 + i * 30.5;
      SetRadialSource(cr, x, 410, 0, x, 412, 18,
                      {{0, {1, 1, 0.8}, 1}, {0.5, {1, 0.6, 0.2}, 0.7}, {1, {1, 0.3, 0.1}, 0}});
      cairo_arc(cr, x, 412, 18, 0, 2 * M_PI);
      cairo_fill(cr);
    }
    cairo_restore(cr);
  }
  // beam: a bright horizontal streak
  {
    RoundedRect(cr, 5, 248, 365, 15, 7.5);
    SetLinearSource(cr, 0, 248, 0, 263,
                    {{0, {0.6, 0.9, 1}, 0.2}, {0.5, {1, 1, 1}, 1}, {1, {0.6, 0.9, 1}, 0.2}});
    cairo_fill(cr);
  }
}

void PaintFinishText(Canvas& c) {
  cairo_t* cr = c.cr();
  // speech bubble with its tail at the lower left
  SoftShadow(cr, 8, 10, 250, 170, 40, 5, 0.35);
  auto bubble = [&] {
    RoundedRect(cr, 4, 4, 257, 176, 44);
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 60, 170);
    cairo_line_to(cr, 40, 212);
    cairo_line_to(cr, 100, 172);
    cairo_close_path(cr);
  };
  // stroke first, then fill over it: the outline runs around the body and the tail as one
  bubble();
  cairo_set_line_width(cr, 6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, kViolet);
  cairo_stroke(cr);
  // body and tail filled one after the other (as one path their windings could cancel)
  SetLinearSource(cr, 0, 4, 0, 212, {{0, {1, 1, 1}}, {1, {0.9, 0.88, 1}}});
  RoundedRect(cr, 4, 4, 257, 176, 44);
  cairo_fill(cr);
  cairo_move_to(cr, 60, 170);
  cairo_line_to(cr, 40, 212);
  cairo_line_to(cr, 100, 172);
  cairo_close_path(cr);
  cairo_fill(cr);
  TextStyle t;
  t.face = Face::Display;
  t.size = 18;
  t.fill = kInk;
  t.outline = Hex(0xFFFFFF);
  t.outlineWidth = 1.5;
  struct Cap {
    int l, t, r, b;
    const char* text;
  } caps[6] = {{270, 15, 510, 70, "You did it!\nEvery orb is free."},
               {270, 70, 510, 145, "The five worlds shine\nagain, from meadow\nto starlight."},
               {270, 145, 510, 230, "Your friends have\nbuilt something\nspecial for you..."},
               {0, 245, 225, 345, "All aboard\nthe Orbiter!"},
               {0, 360, 225, 460, "Off we go, past\nthe comets and\nfar away..."},
               {240, 240, 480, 350, "Thank you\nfor playing!\nSee you soon."}};
  for (const Cap& cp : caps) DrawText(cr, cp.text, t, cp.l, cp.t, cp.r - cp.l, cp.b - cp.t);
}

void PaintMusicCredit(Canvas& c) {
  cairo_t* cr = c.cr();
  for (const auto& piece : vx::assetgen::kMusicPieces) {
    if (piece.creditRow < 0) continue;
    const double y = 25.0 * piece.creditRow;
    GlassPanel(cr, 2.5, y + 2.5, 250, 19, 9.5, Hex(0x2A1A5A), 0.9);  // inside its gutter
    TextStyle note = LabelStyle(15, kGold);
    DrawText(cr, "\u266B", note, 6, y, 20, 24);
    TextStyle t = LabelStyle(13);
    t.face = Face::Display;
    DrawText(cr, piece.title, t, 28, y, 222, 24, Align::Left);
  }
}

void PaintEditorBackground(Canvas& c) {
  cairo_t* cr = c.cr();
  PageBackground(cr, Hex(0x1E2A4A), Hex(0x0E1426));
  // a faint grid in the editing area
  for (int x = 0; x <= 512; x += 25) {
    cairo_move_to(cr, x + 0.5, 0);
    cairo_line_to(cr, x + 0.5, 436);
  }
  for (int y = 0; y <= 436; y += 25) {
    cairo_move_to(cr, 0, y + 0.5);
    cairo_line_to(cr, 512, y + 0.5);
  }
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.06);
  cairo_stroke(cr);
  // the tool bar
  cairo_rectangle(cr, 0, 438, 512, 74);
  SetLinearSource(cr, 0, 438, 0, 512, {{0, {0.28, 0.22, 0.5}}, {1, {0.14, 0.1, 0.3}}});
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 437, 512, 2);
  SetColor(cr, kGold, 0.8);
  cairo_fill(cr);
  // brush well and palette tray
  RoundedRect(cr, 1, 449, 50, 40, 6);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, 0, 489, 202, 23, 4);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_fill(cr);
  const TextStyle lab = LabelStyle(11, Hex(0xE0D8FF));
  DrawText(cr, "PUSH", lab, 58, 440, 50, 14);
  DrawText(cr, "PER WORLD", lab, 112, 440, 70, 14);
  DrawText(cr, "GROUP", lab, 186, 440, 80, 14);
  DrawText(cr, "CELL", lab, 270, 440, 38, 14);
  DrawText(cr, "STAGE", lab, 390, 440, 44, 14);
  // number wells
  auto well = [&](double x, double y, double w) {
    RoundedRect(cr, x, y, w, 16, 4);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_fill(cr);
  };
  well(90, 472, 28);
  well(148, 468, 28);
  well(186, 483, 24);
  well(306, 452, 32);
  well(432, 452, 40);
  auto small = [&](double x, double y, double w, double h, const char* s, uint32_t col) {
    Button(cr, x, y, w, h, s, Hex(col), 11);
  };
  small(71, 471, 9, 19, "\u2212", 0xD84A5A);
  small(82, 471, 9, 19, "+", 0x2EA84A);
  small(127, 469, 9, 19, "\u2212", 0xD84A5A);
  small(141, 469, 9, 19, "+", 0x2EA84A);
  small(211, 471, 24, 30, "\u2212", 0xD84A5A);
  small(246, 471, 19, 30, "+", 0x2EA84A);
  small(276, 481, 29, 28, "\u2212", 0xD84A5A);
  small(311, 476, 29, 32, "+", 0x2EA84A);
  Button(cr, 350, 476, 41, 32, "SAVE", Hex(0x3A7AE8), 11);
  Button(cr, 398, 476, 34, 32, "\u25C0", Hex(0x6A4AC0), 14);
  Button(cr, 437, 476, 31, 32, "\u25B6", Hex(0x6A4AC0), 14);
  Button(cr, 477, 476, 34, 32, "\u2715", Hex(0xD84A5A), 14);
  DrawText(cr, "Stage editor", LabelStyle(12, Hex(0xFFFFFF)), 396, 4, 112, 18, Align::Right);
}

}  // namespace vx::art
