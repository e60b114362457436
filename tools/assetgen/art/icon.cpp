// The desktop icon: the title's orb emblem on a round violet plate, painted as vectors at each
// size the desktop asks for, so every size is sharp.
#include <cmath>

#include "painters.h"

namespace vx::art {

void PaintIcon(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  // Laid out on 256 units; the canvas may be any square size.
  const double scale = c.width() / 256.0;
  cairo_scale(cr, scale, scale);
  const double cx = 128, cy = 128;
  // the plate: deep violet with a lighter rim, as the title wheel's inner disc
  SetRadialSource(cr, cx, cy - 30, 10, cx, cy, 124,
                  {{0, {0.36, 0.24, 0.66}, 1}, {1, {0.11, 0.06, 0.26}, 1}});
  cairo_arc(cr, cx, cy, 122, 0, 2 * M_PI);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 6);
  SetColor(cr, Hex(0x9A7AE8), 0.9);
  cairo_stroke(cr);
  PaintEmblem(cr, cx, cy, 112);
  cairo_restore(cr);
}

}  // namespace vx::art
