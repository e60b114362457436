#include "mockups.h"

#include <algorithm>
#include <cmath>

#include "atlas.h"
#include "models.h"

namespace vx::art {

namespace {

// Draws pieces of the generated pictures onto a mock-up, placed like the game places them.
class Composer {
 public:
  Composer(cairo_t* cr, const std::map<std::string, const Canvas*>& img) : cr_(cr), img_(img) {}
  // anchor 0 top-left, 1 centre, 2 right edge and vertical centre, 3 top centre
  void Piece(const std::string& name, int l, int t, int r, int b, double x, double y, int anchor,
             double scale = 1, double alpha = 1) {
    const double w = (r - l) * scale, h = (b - t) * scale;
    if (anchor == 1) x -= w / 2, y -= h / 2;
    if (anchor == 2) x -= w, y -= h / 2;
    if (anchor == 3) x -= w / 2;
    cairo_save(cr_);
    cairo_translate(cr_, x, y);
    cairo_scale(cr_, scale, scale);
    cairo_rectangle(cr_, 0, 0, r - l, b - t);
    cairo_clip(cr_);
    cairo_set_source_surface(cr_, img_.at(name)->surface(), -l, -t);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
  }
  // A figure from the character sheet's digits, 10 x 12 pixels at size 1; align 0 left,
  // 1 right edge, 2 centred. Returns the x after the last glyph.
  double Number(int value, double x, double y, double size, int align) {
    const std::string s = std::to_string(value);
    const double dw = 10 * size;
    if (align == 1) x -= dw * s.size();
    if (align == 2) x -= dw * s.size() / 2;
    for (char c : s) {
      const int d = c - '0';
      Piece("img/chrset1.tga", 160 + 20 * d, 0, 180 + 20 * d, 24, x, y, 0, size * 0.5);
      x += dw;
    }
    return x;
  }
  // h:m:ss from the digits and the two separators, left aligned.
  void Time(int seconds, double x, double y, double size) {
    x = Number(seconds / 3600, x, y, size, 0);
    Piece("img/chrset1.tga", 390, 0, 399, 24, x - size * 0.5, y, 0, size * 0.5);
    x += 2.5 * size;
    x = Number(seconds % 3600 / 60, x, y, size, 0);
    Piece("img/chrset1.tga", 400, 0, 409, 24, x - size * 0.5, y, 0, size * 0.5);
    x += 2.5 * size;
    const int sec = seconds % 60;
    if (sec < 10) x = Number(0, x, y, size, 0);
    Number(sec, x, y, size, 0);
  }
  // The stage-time list shared by the pause menu and the stage clear page.
  void StageList(int world, int shown) {
    const int rows[6] = {54, 70, 83, 98, 113, 127};
    Piece("img/chrset1.tga", 240, rows[world], 323, rows[world + 1], 256, 100, 1);
    Piece("img/chrset1.tga", 280, 180, 395, 200, 113, 125, 0);
    Time(1234, 233, 128, 1.35);
    for (int i = 0; i < 10; ++i) {
      const double y = 160 + 22 * i;
      Number(i + 1, 123, y, 1, 1);
      if (i < shown) Time(40 + 17 * i, 373, y, 1);
      if (i > shown) Piece("img/chrset1.tga", 455, 185, 465, 200, 373, y, 0);
      if (i == shown) Piece("img/chrset1.tga", 400, 185, 455, 200, 373, y, 0);
    }
    const double y = 160 + 22 * 10 + 10;
    Piece("img/chrset1.tga", 260, 180, 275, 200, 353, y + 5, 1);
    Time(600, 373, y, 1);
  }

 private:
  cairo_t* cr_;
  const std::map<std::string, const Canvas*>& img_;
};

// A mock-up of a play screen of world w, composed from the generated pictures the way the
// field drawing layers them: sky, background, gears, pusher, hanging balls, launcher, figure.
std::unique_ptr<Canvas> PlayMockup(int w, const std::map<std::string, const Canvas*>& img) {
  auto m = std::make_unique<Canvas>(512, 512);
  cairo_t* cr = m->cr();
  auto draw = [&](const std::string& name, double x, double y, double scale, double angle = 0,
                  double alpha = 1) {
    const Canvas* c = img.at(name);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, c->surface(), 0, 0);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
  };
  draw("img/sky.jpg", -100, 0, 1);
  draw("img/sky.jpg", 412, 0, 1);
  draw("pho/bkg" + std::to_string(w) + ".tga", 0, 0, 1);
  const double gears[4][3] = {{0.6, 220, 505}, {0.6, 280, 530}, {0.5, 245, 500}, {0.2, 180, 510}};
  const double tint[4] = {0.19, 0.53, 0.8, 1.0};
  for (int g = 0; g < 4; ++g) {
    const double k = gears[g][0];
    cairo_save(cr);
    cairo_translate(cr, gears[g][1], gears[g][2]);
    cairo_rotate(cr, g * 0.4);
    cairo_translate(cr, -128 * k, -128 * k);
    cairo_scale(cr, k, k);
    cairo_set_source_surface(cr, img.at("img/wheel.tga")->surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_arc(cr, gears[g][1], gears[g][2], 128 * k, 0, 2 * M_PI);
    cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
    cairo_set_source_rgba(cr, tint[g], tint[g], tint[g], 1 - tint[g]);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  draw("img/pusher.tga", 0, -470, 1);
  const Canvas* balls = img.at("img/ball" + std::to_string(w) + ".tga");
  Rng rng(77 + w);
  for (int row = 0; row < 7; ++row)
    for (int col = 0; col < 20; ++col) {
      if (row > 4 && rng.Uniform() < 0.5) continue;
      const int f = int(rng.Next() % 9);
      const double x = col * 25 + (row % 2 ? 12 : 0), y = 42 + row * 25;
      if (x > 487) continue;
      cairo_save(cr);
      cairo_rectangle(cr, x, y, 25, 25);
      cairo_clip(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, 0.5, 0.5);
      cairo_set_source_surface(cr, balls->surface(), -(f % 5) * 50.0, -(f / 5) * 50.0);
      cairo_paint(cr);
      cairo_restore(cr);
    }
  // launcher wheel and the loaded ball
  cairo_save(cr);
  cairo_translate(cr, 226.75, 384);
  cairo_scale(cr, 0.5, 0.5);
  cairo_rectangle(cr, 0, 0, 117, 255);
  cairo_clip(cr);
  cairo_set_source_surface(cr, img.at("img/chrset1.tga")->surface(), 0, -256);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_save(cr);
  cairo_translate(cr, 243.5, 485.25);
  cairo_rectangle(cr, 0, 0, 25, 25);
  cairo_clip(cr);
  cairo_scale(cr, 0.5, 0.5);
  cairo_set_source_surface(cr, balls->surface(), -100, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  draw("img/player1_0.tga", 140, 398, 1);
  // energy label at scale 0.47 and a few digits of the stage clock
  cairo_save(cr);
  cairo_translate(cr, 275, 455);
  cairo_scale(cr, 0.47, 0.47);
  cairo_rectangle(cr, 0, 0, 95, 60);
  cairo_clip(cr);
  cairo_set_source_surface(cr, img.at("img/chrset1.tga")->surface(), -345, -60);
  cairo_paint(cr);
  cairo_restore(cr);
  return m;
}

// A mock-up of the title screen: backdrop, wheel, emblem, menu, title lines, selection bar.
std::unique_ptr<Canvas> TitleMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = std::make_unique<Canvas>(512, 512);
  cairo_t* cr = m->cr();
  auto piece = [&](const std::string& name, int l, int t, int r, int b, double cx, double cy,
                   double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx - (r - l) / 2.0, cy - (b - t) / 2.0);
    cairo_rectangle(cr, 0, 0, r - l, b - t);
    cairo_clip(cr);
    cairo_set_source_surface(cr, img.at(name)->surface(), -l, -t);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
  };
  piece("img/startscreenclouds.tga", 0, 0, 512, 512, 256, 256, 1);
  piece("img/logo.tga", 0, 0, 256, 256, 256, 346, 1);
  const std::string t = "img/startscreenchrset.tga";
  piece(t, 180, 180, 310, 310, 256, 346, 0.7);
  piece(t, 180, 328, 332, 462, 256, 380, 1);
  piece(t, 0, 32, 511, 105, 256, 68, 1);
  piece(t, 0, 106, 511, 175, 256, 140, 1);
  piece(t, 0, 465, 165, 511, 256, 383, 1);
  piece("img/chrset1.tga", 0, 0, 115, 15, 256, 500, 0.7);
  return m;
}

// A preview of a model as the intro shows it (camera at the origin looking along +z, the model
// 5 units away, 45 degree field of view, the scene light from direction (1, 0, 1)), at three
// turns of its yaw, textured and lit with flat shading.
std::unique_ptr<Canvas> ModelPreview(const std::string& member, const Canvas& texture) {
  const Mesh mesh = ModelMesh(member);
  auto m = std::make_unique<Canvas>(768, 256);
  cairo_t* cr = m->cr();
  cairo_set_source_rgb(cr, 0.1, 0.08, 0.2);
  cairo_paint(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_surface_flush(texture.surface());
  const unsigned char* tex = cairo_image_surface_get_data(texture.surface());
  const int stride = cairo_image_surface_get_stride(texture.surface());
  const double focal = 1.0 / std::tan(22.5 * M_PI / 180);
  const double yaws[3] = {0, 35, 70};
  for (int view = 0; view < 3; ++view) {
    const double a = yaws[view] * M_PI / 180, ca = std::cos(a), sa = std::sin(a);
    auto turn = [&](V3 p) { return V3{p.x * ca + p.z * sa, p.y, -p.x * sa + p.z * ca}; };
    struct Tri {
      double depth;
      double sx[3], sy[3], tu[3], tv[3];
      double shade;
    };
    std::vector<Tri> tris;
    for (size_t i = 0; i + 2 < mesh.tris.size(); i += 3) {
      Tri t{};
      V3 w[3];
      for (int k = 0; k < 3; ++k) {
        const Vertex& v = mesh.verts[mesh.tris[i + k]];
        w[k] = turn(v.p);
        w[k].z += 5;
        t.sx[k] = 128 + 256 * view + w[k].x / w[k].z * focal * 128;
        t.sy[k] = 128 - w[k].y / w[k].z * focal * 128;
        t.tu[k] = v.u * texture.width();
        t.tv[k] = v.v * texture.height();
      }
      const V3 e1{w[1].x - w[0].x, w[1].y - w[0].y, w[1].z - w[0].z};
      const V3 e2{w[2].x - w[0].x, w[2].y - w[0].y, w[2].z - w[0].z};
      const V3 n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
      if (n.x * w[0].x + n.y * w[0].y + n.z * w[0].z >= 0) continue;  // facing away
      const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
      const double lambert = std::max(0.0, -(n.x + n.z) / (len * std::sqrt(2.0)));
      t.shade = std::min(1.0, 0.5 + 0.5 * lambert);
      t.depth = w[0].z + w[1].z + w[2].z;
      tris.push_back(t);
    }
    std::sort(tris.begin(), tris.end(),
              [](const Tri& a, const Tri& b) { return a.depth > b.depth; });
    for (const Tri& t : tris) {
      auto path = [&] {
        cairo_move_to(cr, t.sx[0], t.sy[0]);
        cairo_line_to(cr, t.sx[1], t.sy[1]);
        cairo_line_to(cr, t.sx[2], t.sy[2]);
        cairo_close_path(cr);
      };
      cairo_matrix_t toScreen;  // texture pixels -> screen
      const double ux = t.tu[1] - t.tu[0], uy = t.tv[1] - t.tv[0];
      const double vx = t.tu[2] - t.tu[0], vy = t.tv[2] - t.tv[0];
      const double det = ux * vy - uy * vx;
      path();
      if (std::abs(det) > 1e-6) {
        const double px = t.sx[1] - t.sx[0], py = t.sy[1] - t.sy[0];
        const double qx = t.sx[2] - t.sx[0], qy = t.sy[2] - t.sy[0];
        // [P Q] * inverse([U V])
        const double xx = (px * vy - qx * uy) / det, xy = (qx * ux - px * vx) / det;
        const double yx = (py * vy - qy * uy) / det, yy = (qy * ux - py * vx) / det;
        cairo_matrix_init(&toScreen, xx, yx, xy, yy, t.sx[0] - xx * t.tu[0] - xy * t.tv[0],
                          t.sy[0] - yx * t.tu[0] - yy * t.tv[0]);
        cairo_matrix_invert(&toScreen);
        cairo_pattern_t* p = cairo_pattern_create_for_surface(texture.surface());
        cairo_pattern_set_matrix(p, &toScreen);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
      } else {
        const int x = std::clamp(int(t.tu[0]), 0, texture.width() - 1);
        const int y = std::clamp(int(t.tv[0]), 0, texture.height() - 1);
        const uint32_t px = reinterpret_cast<const uint32_t*>(tex + size_t(y) * stride)[x];
        cairo_set_source_rgb(cr, ((px >> 16) & 255) / 255.0, ((px >> 8) & 255) / 255.0,
                             (px & 255) / 255.0);
        cairo_fill_preserve(cr);
      }
      cairo_set_source_rgba(cr, 0, 0, 0, 1 - t.shade);
      cairo_fill(cr);
    }
  }
  return m;
}

// A mock-up of the world selection: the selection frame behind world 1's window, the layer,
// lock icons at the boxes' lower right, and the stage-set chooser's arrows and label.
std::unique_ptr<Canvas> WorldSelectMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = std::make_unique<Canvas>(512, 512);
  cairo_t* cr = m->cr();
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_paint(cr);
  const Canvas* chr = img.at("img/chrset1.tga");
  auto cut = [&](int l, int t, int r, int b, double x, double y, double sx, double sy) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, sx, sy);
    cairo_rectangle(cr, 0, 0, r - l, b - t);
    cairo_clip(cr);
    cairo_set_source_surface(cr, chr->surface(), -l, -t);
    cairo_paint(cr);
    cairo_restore(cr);
  };
  cut(380, 360, 430, 410, 31, 66, 2.36, 2.16);
  cut(430, 360, 480, 410, 291, 226, 2.36, 2.16);
  cairo_set_source_surface(cr, img.at("img/levelscrn.tga")->surface(), 0, 0);
  cairo_paint(cr);
  const int lx[5] = {130, 300, 470, 220, 390}, ly[5] = {160, 160, 160, 320, 320};
  for (int w = 0; w < 5; ++w) {
    if (w == 0)
      cut(168, 70, 190, 106, lx[w], ly[w], 1, 1);
    else
      cut(194, 70, 217, 106, lx[w], ly[w], 1, 1);
  }
  cut(0, 50, 26, 78, 214, 360, 1, 1);
  cut(68, 50, 98, 78, 282, 360, 1, 1);
  cut(0, 80, 100, 96, 214, 390, 1, 1);
  cut(108, 51, 135, 79, 248.5, 360, 1, 1);
  cut(0, 32, 86, 46, 222, 443, 1, 1);
  return m;
}

std::unique_ptr<Canvas> StageInfoMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = PlayMockup(2, img);
  Composer c(m->cr(), img);
  const std::string p = "img/playinfochrset.tga";
  c.Piece(p, 0, 7, 370, 72, 0, 7, 0);
  c.Piece(p, 190, 393, 310, 417, 348, 40, 2);
  c.Piece(p, 23, 173, 512, 221, 23, 173, 0);
  c.Piece(p, 20, 116, 240, 140, 50, 186, 0);
  c.Piece(p, 30 * 7, 80, 30 * 8, 110, 420, 197, 1);
  c.Piece(p, 23, 306, 512, 355, 23, 306, 0);
  c.Piece(p, 20, 140, 316, 165, 50, 320, 0);
  c.Piece(p, 30 * 3, 80, 30 * 4, 110, 420, 335, 1);
  c.Piece(p, 192, 430, 392, 456, 256, 480, 1);
  c.Piece("img/musiccredit.tga", 0, 125, 255, 149, 256, 256, 1);
  return m;
}

std::unique_ptr<Canvas> PauseMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = PlayMockup(3, img);
  Composer c(m->cr(), img);
  c.Piece("img/escscreen.tga", 0, 0, 512, 512, 0, 0, 0);
  c.StageList(2, 4);
  c.Piece("img/retrychrset.tga", 90, 70, 410, 135, 256, 460, 1);
  c.Number(3, 331, 455, 1.15, 0);
  return m;
}

std::unique_ptr<Canvas> StageClearMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = std::make_unique<Canvas>(512, 512);
  Composer c(m->cr(), img);
  c.Piece("img/stagestime.tga", 0, 0, 512, 512, 0, 0, 0);
  c.StageList(0, 10);
  c.Piece("img/stagestimechrset.tga", 0, 75, 255, 170, 256, 200, 1, 1.5, 0.6);
  return m;
}

std::unique_ptr<Canvas> SaveOfferMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = std::make_unique<Canvas>(512, 512);
  Composer c(m->cr(), img);
  c.Piece("img/startscreenclouds.tga", 0, 0, 512, 512, 0, 0, 0);
  c.Piece("img/savegame.tga", 0, 70, 435, 350, 256, 0, 3);
  c.Piece("img/chrset1.tga", 240, 70, 323, 83, 178, 175, 3);
  c.Number(4, 320, 176, 1, 2);
  c.Piece("img/chrset1.tga", 240, 83, 323, 98, 178, 240, 3);
  c.Number(1, 320, 241, 1, 2);
  c.Piece("img/savegame.tga", 0, 435, 175, 510, 256, 400, 1);
  return m;
}

std::unique_ptr<Canvas> EndingMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = std::make_unique<Canvas>(512, 512);
  cairo_set_source_rgb(m->cr(), 0, 0, 0);
  cairo_paint(m->cr());
  Composer c(m->cr(), img);
  const std::string s = "img/finishscene.tga", t = "img/finishtext.tga";
  c.Piece(s, 7, 164, 178, 242, 256, 256, 1, 3, 0.6);
  c.Piece(s, 150, 0, 296, 160, 90, 305, 1, 1.3);
  c.Piece(s, 322, 0, 470, 160, 430, 300, 1, 1.3);
  c.Piece(s, 0, 0, 148, 150, 260, 310, 1, 1.3);
  c.Piece(s, 182, 164, 342, 242, 256, 60, 1, 3.4);
  c.Piece(s, 345, 164, 510, 242, 256, 455, 1, 3.4);
  c.Piece(t, 0, 0, 265, 215, 370, 140, 1);
  c.Piece(t, 270, 70, 510, 145, 370, 100, 1);
  return m;
}

std::unique_ptr<Canvas> FlightMockup(const std::map<std::string, const Canvas*>& img) {
  auto m = std::make_unique<Canvas>(512, 512);
  Composer c(m->cr(), img);
  const std::string s = "img/finishscene.tga", t = "img/finishtext.tga";
  c.Piece("img/starfield.tga", 0, 0, 512, 512, 0, 0, 0);
  for (double dx : {-9.0, -5.25}) {
    c.Piece(s, 0, 343, 157, 357, 210 + dx, 245, 1, 1, 0.2);
    c.Piece(s, 0, 268, 157, 343, 210 + dx, 201.5, 1, 1, 0.2);
    c.Piece(s, 0, 358, 157, 433, 210 + dx, 289.5, 1, 1, 0.2);
  }
  c.Piece(s, 0, 343, 157, 357, 210, 245, 1);
  c.Piece(s, 0, 268, 157, 343, 210, 201.5, 1);
  c.Piece(s, 0, 358, 157, 433, 210, 289.5, 1);
  c.Piece(t, 0, 0, 265, 215, 365, 115, 1);
  c.Piece(t, 0, 245, 225, 345, 365, 75, 1);
  return m;
}

}  // namespace

std::vector<Mockup> Mockups(const std::map<std::string, const Canvas*>& img) {
  std::vector<Mockup> v;
  v.push_back({"mock-up: title screen", TitleMockup(img)});
  v.push_back({"mock-up: world selection", WorldSelectMockup(img)});
  for (const ModelEntry& model : Models())
    v.push_back({"preview: " + model.member + " at yaw 0, 35, 70",
                 ModelPreview(model.member, *img.at(model.texture))});
  for (int w = 1; w <= 5; ++w)
    v.push_back({"mock-up: world " + std::to_string(w) + " in play", PlayMockup(w, img)});
  v.push_back({"mock-up: stage information panel (world 2)", StageInfoMockup(img)});
  v.push_back({"mock-up: pause menu over world 3", PauseMockup(img)});
  v.push_back({"mock-up: stage clear, world complete", StageClearMockup(img)});
  v.push_back({"mock-up: save offer", SaveOfferMockup(img)});
  v.push_back({"mock-up: end sequence, first section", EndingMockup(img)});
  v.push_back({"mock-up: end sequence, the flight", FlightMockup(img)});
  return v;
}

}  // namespace vx::art
