#include "canvas.h"

#include <jpeglib.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace vx::art {

Rgb Hex(uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Lighten(Rgb c, double t) {
  return Mix(c, {1, 1, 1}, t);
}
Rgb Darken(Rgb c, double t) {
  return Mix(c, {0, 0, 0}, t);
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

std::vector<uint8_t> Canvas::Rgba() const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  std::vector<uint8_t> out(size_t(width_) * height_ * 4);
  for (int y = 0; y < height_; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < width_; ++x) {
      const uint32_t p = row[x];
      const unsigned a = p >> 24;
      unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (a != 0 && a != 255) {  // cairo stores premultiplied colour
        r = std::min(255u, (r * 255 + a / 2) / a);
        g = std::min(255u, (g * 255 + a / 2) / a);
        b = std::min(255u, (b * 255 + a / 2) / a);
      }
      uint8_t* o = &out[(size_t(y) * width_ + x) * 4];
      o[0] = uint8_t(r);
      o[1] = uint8_t(g);
      o[2] = uint8_t(b);
      o[3] = uint8_t(a);
    }
  }
  return out;
}

void Canvas::WriteTga(const std::string& path) const {
  const std::vector<uint8_t> rgba = Rgba();
  std::vector<uint8_t> file(18 + rgba.size());
  file[2] = 2;  // uncompressed true colour
  file[12] = uint8_t(width_ & 0xFF);
  file[13] = uint8_t(width_ >> 8);
  file[14] = uint8_t(height_ & 0xFF);
  file[15] = uint8_t(height_ >> 8);
  file[16] = 32;
  file[17] = 0x28;  // 8 alpha bits, top-left origin
  for (size_t i = 0; i < rgba.size(); i += 4) {
    file[18 + i + 0] = rgba[i + 2];
    file[18 + i + 1] = rgba[i + 1];
    file[18 + i + 2] = rgba[i + 0];
    file[18 + i + 3] = rgba[i + 3];
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  std::fwrite(file.data(), 1, file.size(), f);
  std::fclose(f);
}

void Canvas::WritePng(const std::string& path) const {
  cairo_surface_flush(surface_);
  if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
}

void Canvas::WriteJpeg(const std::string& path, int quality) const {
  const std::vector<uint8_t> rgba = Rgba();
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, f);
  cinfo.image_width = JDIMENSION(width_);
  cinfo.image_height = JDIMENSION(height_);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(width_) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const size_t y = cinfo.next_scanline;
    for (int x = 0; x < width_; ++x)
      for (int c = 0; c < 3; ++c) row[size_t(x) * 3 + c] = rgba[(y * width_ + x) * 4 + c];
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::fclose(f);
}

// ---------------------------------------------------------------- paths

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    const double a = rotation - M_PI / 2 + i * M_PI / points;
    const double r = (i % 2 == 0) ? outer : inner;
    const double px = cx + r * std::cos(a), py = cy + r * std::sin(a);
    if (i == 0)
      cairo_move_to(cr, px, py);
    else
      cairo_line_to(cr, px, py);
  }
  cairo_close_path(cr);
}

void HeartPath(cairo_t* cr, double cx, double cy, double s) {
  cairo_new_sub_path(cr);
  cairo_move_to(cr, cx, cy + 0.85 * s);
  cairo_curve_to(cr, cx - 1.2 * s, cy + 0.05 * s, cx - 0.95 * s, cy - 0.95 * s, cx, cy - 0.4 * s);
  cairo_curve_to(cr, cx + 0.95 * s, cy - 0.95 * s, cx + 1.2 * s, cy + 0.05 * s, cx, cy + 0.85 * s);
  cairo_close_path(cr);
}

void GearPath(cairo_t* cr, double cx, double cy, double outer, double inner, int teeth) {
  cairo_new_sub_path(cr);
  const double step = 2 * M_PI / teeth;
  for (int i = 0; i < teeth; ++i) {
    const double a = i * step;
    const double pts[4][2] = {{a - step * 0.30, inner},
                              {a - step * 0.17, outer},
                              {a + step * 0.17, outer},
                              {a + step * 0.30, inner}};
    for (int k = 0; k < 4; ++k) {
      const double px = cx + pts[k][1] * std::cos(pts[k][0]);
      const double py = cy + pts[k][1] * std::sin(pts[k][0]);
      if (i == 0 && k == 0)
        cairo_move_to(cr, px, py);
      else
        cairo_line_to(cr, px, py);
    }
    cairo_arc(cr, cx, cy, inner, a + step * 0.30, a + step * 0.70);
  }
  cairo_close_path(cr);
}

void SetColor(cairo_t* cr, Rgb c, double a) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, a);
}

void Outline(cairo_t* cr, double width, Rgb c, double a) {
  cairo_set_line_width(cr, width);
  SetColor(cr, c, a);
  cairo_stroke(cr);
}

// ---------------------------------------------------------------- gradients

namespace {

// Sets `p` as the source and lets go of it: the context keeps its own reference.
void SetGradientSource(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<ColorStop> stops) {
  for (const ColorStop& s : stops) {
    cairo_pattern_add_color_stop_rgba(p, s.offset, s.color.r, s.color.g, s.color.b, s.alpha);
  }
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

}  // namespace

void SetLinearSource(cairo_t* cr, double x0, double y0, double x1, double y1,
                     std::initializer_list<ColorStop> stops) {
  SetGradientSource(cr, cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

void SetRadialSource(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1,
                     double r1, std::initializer_list<ColorStop> stops) {
  SetGradientSource(cr, cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1), stops);
}

// ---------------------------------------------------------------- text

namespace {

PangoLayout* MakeLayout(cairo_t* cr, const std::string& text, const TextStyle& style, double size) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  cairo_font_options_t* fo = cairo_font_options_create();
  cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(pango_layout_get_context(layout), fo);
  cairo_font_options_destroy(fo);
  pango_layout_context_changed(layout);
  const char* family = style.face == Face::Display ? "Comfortaa" : "DejaVu Sans";
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, family);
  if (style.face == Face::LabelCondensed)
    pango_font_description_set_stretch(desc, PANGO_STRETCH_CONDENSED);
  pango_font_description_set_weight(desc, style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(desc, size * PANGO_SCALE);
  pango_layout_set_font_description(layout, desc);
  pango_font_description_free(desc);
  pango_layout_set_text(layout, text.c_str(), -1);
  pango_layout_set_alignment(layout, PANGO_ALIGN_CENTER);
  return layout;
}

cairo_t* MeasureContext() {
  static cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
  static cairo_t* cr = cairo_create(s);
  return cr;
}

}  // namespace

std::string CheckFonts() {
  std::string missing;
  PangoFontMap* map = pango_cairo_font_map_get_default();
  PangoContext* context = pango_font_map_create_context(map);
  for (const char* family : {"Comfortaa", "DejaVu Sans"}) {
    PangoFontDescription* desc = pango_font_description_from_string(family);
    pango_font_description_set_weight(desc, PANGO_WEIGHT_BOLD);
    pango_font_description_set_absolute_size(desc, 20 * PANGO_SCALE);
    PangoFont* font = pango_font_map_load_font(map, context, desc);
    std::string got;
    if (font) {
      PangoFontDescription* real = pango_font_describe(font);
      got = pango_font_description_get_family(real) ? pango_font_description_get_family(real) : "";
      pango_font_description_free(real);
      g_object_unref(font);
    }
    if (got != family) missing += std::string(missing.empty() ? "" : ", ") + family;
    pango_font_description_free(desc);
  }
  g_object_unref(context);
  if (missing.empty()) return {};
  return "fonts not installed: " + missing +
         " (Debian packages fonts-comfortaa, fonts-dejavu-core)";
}

void MeasureText(const std::string& text, const TextStyle& style, double* w, double* h) {
  PangoLayout* layout = MakeLayout(MeasureContext(), text, style, style.size);
  PangoRectangle ink, logical;
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  *w = logical.width;
  *h = logical.height;
  g_object_unref(layout);
}

void DrawText(cairo_t* cr, const std::string& text, TextStyle style, double x, double y, double w,
              double h, Align align) {
  double size = style.size;
  PangoLayout* layout = nullptr;
  PangoRectangle ink, logical;
  const double pad = style.outlineWidth;
  for (;;) {
    layout = MakeLayout(cr, text, style, size);
    pango_layout_get_pixel_extents(layout, &ink, &logical);
    if ((logical.width + 2 * pad <= w && ink.height + 2 * pad <= h + 2) || size <= 11) break;
    g_object_unref(layout);
    size = std::max(11.0, size - 0.5);
  }
  // Centre the ink vertically (the logical box includes empty leading), align horizontally
  // on the logical width so that letters keep their natural spacing.
  double tx = x + (w - logical.width) / 2;
  if (align == Align::Left) tx = x + pad;
  if (align == Align::Right) tx = x + w - logical.width - pad;
  const double ty = y + (h - ink.height) / 2 - ink.y;
  cairo_save(cr);
  if (style.shadow) {
    cairo_move_to(cr, tx + size * 0.06, ty + size * 0.09);
    pango_cairo_layout_path(cr, layout);
    cairo_set_line_width(cr, 2 * pad + size * 0.06);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  }
  cairo_move_to(cr, tx, ty);
  pango_cairo_layout_path(cr, layout);
  if (style.outlineWidth > 0) {
    cairo_set_line_width(cr, 2 * style.outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, style.outline, style.outlineAlpha);
    cairo_stroke_preserve(cr);
  }
  if (style.gradientTop.r >= 0) {
    SetLinearSource(
        cr, 0, ty + ink.y, 0, ty + ink.y + ink.height,
        {{0, style.gradientTop, style.fillAlpha}, {1, style.gradientBottom, style.fillAlpha}});
    cairo_fill(cr);
  } else {
    SetColor(cr, style.fill, style.fillAlpha);
    cairo_fill(cr);
  }
  cairo_new_path(cr);
  cairo_restore(cr);
  g_object_unref(layout);
}

// ---------------------------------------------------------------- toy look

void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread,
                double alpha) {
  const int steps = 8;
  cairo_save(cr);
  for (int i = steps; i >= 1; --i) {
    const double g = spread * i / steps;
    RoundedRect(cr, x - g, y - g, w + 2 * g, h + 2 * g, r + g);
    cairo_set_source_rgba(cr, 0, 0, 0, alpha / steps);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void GlossyPlate(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base,
                 double alpha, double border) {
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, r);
  const Rgb top = Lighten(base, 0.35), bottom = Darken(base, 0.25);
  SetLinearSource(cr, 0, y, 0, y + h, {{0, top, alpha}, {0.5, base, alpha}, {1, bottom, alpha}});
  cairo_fill_preserve(cr);
  if (border > 0) {
    Outline(cr, border, Darken(base, 0.5), alpha);
  } else {
    cairo_new_path(cr);
  }
  // top highlight band
  const double inset = std::max(1.5, border + 0.5);
  RoundedRect(cr, x + inset, y + inset, w - 2 * inset, h * 0.45, std::max(0.0, r - inset));
  SetLinearSource(cr, 0, y, 0, y + h * 0.5,
                  {{0, {1, 1, 1}, 0.55 * alpha}, {1, {1, 1, 1}, 0.05 * alpha}});
  cairo_fill(cr);
  cairo_restore(cr);
}

void GlassPanel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb tint,
                double alpha) {
  cairo_save(cr);
  RoundedRect(cr, x, y, w, h, r);
  const Rgb top = Lighten(tint, 0.15), bottom = Darken(tint, 0.35);
  SetLinearSource(cr, 0, y, 0, y + h, {{0, top, alpha}, {1, bottom, alpha}});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_stroke(cr);
  RoundedRect(cr, x + 3, y + 3, w - 6, h - 6, std::max(0.0, r - 3));
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, Rgb base,
            double textSize) {
  SoftShadow(cr, x + 1, y + 2, w - 2, h - 2, h / 2, 3, 0.35);
  GlossyPlate(cr, x, y, w, h, std::min(h / 2, 12.0), base, 1.0, 1.5);
  TextStyle ts;
  ts.face = Face::Label;
  ts.size = textSize > 0 ? textSize : std::max(11.0, h * 0.62);
  ts.fill = {1, 1, 1};
  ts.outline = Darken(base, 0.6);
  ts.outlineWidth = 1.6;
  DrawText(cr, label, ts, x + 2, y, w - 4, h);
}

void GlossyBall(cairo_t* cr, double cx, double cy, double r, Rgb base, double gloss) {
  cairo_save(cr);
  // body: radial gradient lit from the upper left
  const Rgb hi = Lighten(base, 0.3), lo = Darken(base, 0.5);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetRadialSource(cr, cx - r * 0.35, cy - r * 0.4, r * 0.1, cx, cy, r,
                  {{0, hi}, {0.35, base}, {1, lo}});
  cairo_fill(cr);
  // rim light at the lower right
  const Rgb rc = Lighten(base, 0.6);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  SetRadialSource(cr, cx - r * 0.25, cy - r * 0.25, r * 0.75, cx, cy, r * 1.02,
                  {{0, rc, 0}, {0.85, rc, 0}, {1, rc, 0.35}});
  cairo_fill(cr);
  // the glossy highlight spot
  cairo_save(cr);
  cairo_translate(cr, cx - r * 0.32, cy - r * 0.45);
  cairo_scale(cr, 1.0, 0.62);
  cairo_arc(cr, 0, 0, r * 0.38, 0, 2 * M_PI);
  SetRadialSource(
      cr, 0, 0, 0, 0, 0, r * 0.38,
      {{0, {1, 1, 1}, 0.85 * gloss}, {0.5, {1, 1, 1}, 0.35 * gloss}, {1, {1, 1, 1}, 0}});
  cairo_fill(cr);
  cairo_restore(cr);
  // thin dark outline for separation from any background
  cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * M_PI);
  Outline(cr, 1.0, Darken(base, 0.65), 0.7);
  cairo_restore(cr);
}

}  // namespace vx::art
