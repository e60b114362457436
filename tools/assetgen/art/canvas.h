// Drawing surface and shared painting helpers of the art generator: a cairo image with
// writers for TGA, PNG and JPEG, text through Pango, and the glossy toy look shared by
// every picture (plates, buttons, balls, soft shadows).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vx::art {

struct Rgb {
  double r, g, b;
};

Rgb Hex(uint32_t rgb);
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighten(Rgb c, double t);  // towards white
Rgb Darken(Rgb c, double t);   // towards black

// A 32-bit cairo image with its context.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Straight (not premultiplied) RGBA bytes, rows from the top.
  std::vector<uint8_t> Rgba() const;
  void WriteTga(const std::string& path) const;
  void WritePng(const std::string& path) const;
  void WriteJpeg(const std::string& path, int quality) const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Deterministic pseudo-random numbers (xorshift), seeded by the caller.
class Rng {
 public:
  explicit Rng(uint32_t seed) : s_(seed ? seed : 0x9E3779B9u) {}
  uint32_t Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return s_;
  }
  double Uniform() { return (Next() & 0xFFFFFF) / double(0x1000000); }
  double Range(double a, double b) { return a + (b - a) * Uniform(); }

 private:
  uint32_t s_;
};

// ---- paths ----
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation);
void HeartPath(cairo_t* cr, double cx, double cy, double size);
void GearPath(cairo_t* cr, double cx, double cy, double outer, double inner, int teeth);

void SetColor(cairo_t* cr, Rgb c, double a = 1.0);
// Strokes the current path in one colour.
void Outline(cairo_t* cr, double width, Rgb c, double a = 1.0);

// ---- gradients ----
struct ColorStop {
  double offset;  // 0 .. 1 along the gradient
  Rgb color;
  double alpha = 1.0;
};
// Makes the gradient through `stops` the source; the next fill, paint or stroke uses it.
void SetLinearSource(cairo_t* cr, double x0, double y0, double x1, double y1,
                     std::initializer_list<ColorStop> stops);
void SetRadialSource(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1,
                     double r1, std::initializer_list<ColorStop> stops);

// ---- text ----
enum class Face { Display, Label, LabelCondensed };
enum class Align { Left, Center, Right };

struct TextStyle {
  Face face = Face::Label;
  double size = 14;  // pixels
  Rgb fill{1, 1, 1};
  double fillAlpha = 1;
  Rgb outline{0, 0, 0};
  double outlineWidth = 0;  // 0: none
  double outlineAlpha = 1;
  bool shadow = false;
  Rgb gradientTop{-1, 0, 0};  // r < 0: flat fill
  Rgb gradientBottom{0, 0, 0};
  bool bold = true;
};

// Checks that the display and label faces resolve to the installed Debian fonts (Comfortaa from
// fonts-comfortaa, DejaVu Sans from fonts-dejavu-core) rather than to a fallback; returns an
// error message, empty when both are present.
std::string CheckFonts();

// Measures the text's ink-independent logical width and height at the style's size.
void MeasureText(const std::string& text, const TextStyle& style, double* w, double* h);
// Draws text inside the box (x, y, w, h): aligned horizontally, centred vertically;
// the size shrinks (down to 11 px) until the text fits the box width.
void DrawText(cairo_t* cr, const std::string& text, TextStyle style, double x, double y, double w,
              double h, Align align = Align::Center);

// ---- toy look ----
// A soft drop shadow for a rounded rectangle.
void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread,
                double alpha);
// A glossy plate: base colour gradient, rim light, top highlight band, darker border.
void GlossyPlate(cairo_t* cr, double x, double y, double w, double h, double r, Rgb base,
                 double alpha = 1.0, double border = 2.0);
// A glass panel: translucent dark body with a light rim.
void GlassPanel(cairo_t* cr, double x, double y, double w, double h, double r, Rgb tint,
                double alpha);
// A labelled glossy button filling the box.
void Button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, Rgb base,
            double textSize = 0);
// A glossy sphere.
void GlossyBall(cairo_t* cr, double cx, double cy, double r, Rgb base, double gloss = 1.0);

}  // namespace vx::art
