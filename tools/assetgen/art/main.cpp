// assetgen-art: paints every image of the data archive and writes the intro's models.
//
//   assetgen-art <data directory> <contact sheet .png> [<review directory>]
//
// Members are written under the data directory by their archive path ('/' separators, lower
// case). The contact sheet shows every image at full size on a checkerboard with its name and
// its atlas regions outlined; with a review directory, each image is also written there as PNG.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "atlas.h"
#include "models.h"
#include "painters.h"

namespace fs = std::filesystem;

namespace vx::art {

std::function<void(Canvas&)> PainterFor(const std::string& member) {
  auto numbered = [&](const std::string& prefix, const std::string& suffix) -> int {
    if (member.rfind(prefix, 0) != 0 || member.size() <= prefix.size() + suffix.size()) return -1;
    if (member.compare(member.size() - suffix.size(), suffix.size(), suffix) != 0) return -1;
    return std::stoi(member.substr(prefix.size(), member.size() - prefix.size() - suffix.size()));
  };
  if (member == "img/chrset1.tga") return PaintCharacterSheet;
  if (member == "img/gemset0.tga") return [](Canvas& c) { PaintGemSheet(c, false); };
  if (member == "img/gemset1.tga") return [](Canvas& c) { PaintGemSheet(c, true); };
  if (int w = numbered("img/ball", ".tga"); w >= 1)
    return [w](Canvas& c) { PaintBallSheet(c, w - 1); };
  if (int n = numbered("img/explosion_", ".tga"); n >= 1)
    return [n](Canvas& c) { PaintExplosion(c, n); };
  if (member == "img/logo.tga") return PaintTitleWheel;
  if (member == "img/wheel.tga") return PaintGear;
  if (int n = numbered("img/player1_", ".tga"); n >= 0)
    return [n](Canvas& c) { PaintPlayer(c, n); };
  if (member == "img/sky.jpg") return PaintSky;
  if (member == "img/pusher.tga") return PaintPusher;
  if (int w = numbered("pho/bkg", ".tga"); w >= 1)
    return [w](Canvas& c) { PaintBackground(c, w - 1); };
  if (member == "img/startscreenclouds.tga") return PaintClouds;
  if (member == "img/startscreenchrset.tga") return PaintTitleSheet;
  if (member == "img/levelscrn.tga") return PaintWorldSelect;
  if (member == "img/optionscrn.tga") return PaintSettings;
  if (member == "img/playinfochrset.tga") return PaintStageInfo;
  if (member == "img/escscreen.tga") return PaintPauseBackdrop;
  if (member == "img/retrychrset.tga") return PaintRetrySheet;
  if (member == "img/stagestime.tga") return PaintStageClear;
  if (member == "img/stagestimechrset.tga") return PaintStageClearSheet;
  if (member == "img/savegame.tga") return PaintSaveOffer;
  if (member == "img/finishscene.tga") return PaintFinishScene;
  if (member == "img/finishtext.tga") return PaintFinishText;
  if (member == "img/starfield.tga") return PaintStarfield;
  if (member == "img/musiccredit.tga") return PaintMusicCredit;
  if (member == "img/editbackground.tga") return PaintEditorBackground;
  if (member == "img/txlogo.tga") return PaintEmblemTexture;
  if (member == "img/music.tga") return PaintMusicTexture;
  if (member == "img/copyright.tga") return PaintCopyrightTexture;
  return {};
}

namespace {

void Checker(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  for (int j = 0; j * 16 < h; ++j)
    for (int i = 0; i * 16 < w; ++i) {
      const double g = ((i + j) % 2) ? 0.42 : 0.5;
      cairo_set_source_rgb(cr, g, g, g);
      cairo_rectangle(cr, x + i * 16, y + j * 16, 16, 16);
      cairo_fill(cr);
    }
  cairo_restore(cr);
}

std::string g_review;  // review directory, empty for none

struct Placed {
  const ImageSpec* spec;
  const Canvas* canvas;
  double x, y, slot;
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

void WriteContactSheet(const std::vector<std::pair<const ImageSpec*, const Canvas*>>& images,
                       const std::string& path) {
  std::map<std::string, const Canvas*> byName;
  for (const auto& [spec, canvas] : images) byName[spec->member] = canvas;
  std::vector<std::unique_ptr<Canvas>> mockups;
  std::vector<ImageSpec> mockSpecs;
  mockSpecs.reserve(10);
  std::vector<std::pair<const ImageSpec*, const Canvas*>> all = images;
  mockups.push_back(TitleMockup(byName));
  mockSpecs.push_back({"mock-up: title screen", 512, 512, true, {}});
  all.emplace_back(&mockSpecs.back(), mockups.back().get());
  mockups.push_back(WorldSelectMockup(byName));
  mockSpecs.push_back({"mock-up: world selection", 512, 512, true, {}});
  all.emplace_back(&mockSpecs.back(), mockups.back().get());
  for (const ModelSpec& model : Models()) {
    mockups.push_back(ModelPreview(model.member, *byName.at(model.texture)));
    mockSpecs.push_back({"preview: " + model.member + " at yaw 0, 35, 70", 768, 256, true, {}});
    all.emplace_back(&mockSpecs.back(), mockups.back().get());
  }
  for (int w = 1; w <= 5; ++w) {
    mockups.push_back(PlayMockup(w, byName));
    mockSpecs.push_back({"mock-up: world " + std::to_string(w) + " in play", 512, 512, true, {}});
    all.emplace_back(&mockSpecs.back(), mockups.back().get());
  }
  const double rowWidth = 2100, gap = 16, label = 22;
  std::vector<Placed> placed;
  double x = gap, y = gap, rowH = 0;
  TextStyle captionStyle;
  captionStyle.size = 14;
  captionStyle.fill = {1, 1, 1};
  auto caption = [](const ImageSpec* spec) {
    return spec->member + "  (" + std::to_string(spec->width) + " x " +
           std::to_string(spec->height) + ")";
  };
  for (const auto& [spec, canvas] : all) {
    double tw, th;
    MeasureText(caption(spec), captionStyle, &tw, &th);
    const double slot = std::max<double>(spec->width, tw + 8);
    if (x + slot > rowWidth) {
      x = gap;
      y += rowH + gap;
      rowH = 0;
    }
    placed.push_back({spec, canvas, x, y + label, slot});
    x += slot + gap;
    rowH = std::max(rowH, spec->height + label);
  }
  const int H = int(y + rowH + gap);
  Canvas sheet(int(rowWidth), H);
  cairo_t* cr = sheet.cr();
  cairo_set_source_rgb(cr, 0.13, 0.12, 0.16);
  cairo_paint(cr);
  const Rgb outline[3] = {Hex(0x00FFFF), Hex(0xFF40FF), Hex(0xFFFF00)};
  for (const Placed& p : placed) {
    DrawText(cr, caption(p.spec), captionStyle, p.x, p.y - label, p.slot, label, Align::Left);
    Checker(cr, p.x, p.y, p.spec->width, p.spec->height);
    cairo_set_source_surface(cr, p.canvas->surface(), p.x, p.y);
    cairo_paint(cr);
    int k = 0;
    for (const Region& r : p.spec->regions) {
      if (r.left == 0 && r.top == 0 && r.width() == p.spec->width && r.height() == p.spec->height)
        continue;
      cairo_rectangle(cr, p.x + r.left + 0.5, p.y + r.top + 0.5, r.width() - 1, r.height() - 1);
      SetColor(cr, r.kind == RegionKind::Window ? Hex(0x40FF40) : outline[k++ % 3], 0.8);
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
  }
  sheet.WritePng(path);
  if (!g_review.empty())
    for (size_t i = 0; i < mockups.size(); ++i)
      mockups[i]->WritePng(g_review + "/mockup" + std::to_string(i + 1) + ".png");
}

}  // namespace

}  // namespace vx::art

int main(int argc, char** argv) {
  using namespace vx::art;
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <data directory> <contact sheet .png> [<review directory>]\n",
                 argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  const std::string review = argc > 3 ? argv[3] : "";
  g_review = review;
  try {
    std::vector<std::unique_ptr<Canvas>> canvases;
    std::vector<std::pair<const ImageSpec*, const Canvas*>> shown;
    for (const ImageSpec& spec : Atlas()) {
      auto paint = PainterFor(spec.member);
      if (!paint) throw std::runtime_error("no painter for " + spec.member);
      auto canvas = std::make_unique<Canvas>(spec.width, spec.height);
      paint(*canvas);
      const fs::path file = out / spec.member;
      fs::create_directories(file.parent_path());
      if (file.extension() == ".jpg")
        canvas->WriteJpeg(file.string(), 92);
      else
        canvas->WriteTga(file.string());
      if (!review.empty()) {
        fs::path png = fs::path(review) / spec.member;
        png.replace_extension(".png");
        fs::create_directories(png.parent_path());
        canvas->WritePng(png.string());
      }
      shown.emplace_back(&spec, canvas.get());
      canvases.push_back(std::move(canvas));
    }
    for (const ModelSpec& model : Models()) {
      const fs::path file = out / model.member;
      fs::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << ModelText(model.member);
    }
    WriteContactSheet(shown, argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen-art: %s\n", e.what());
    return 1;
  }
  return 0;
}
