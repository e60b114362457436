// assetgen-art: paints every image of the data archive and writes the intro's models, or
// paints the desktop icon.
//
//   assetgen-art <data directory> <contact sheet .png> [<review directory>]
//   assetgen-art --icons <icon directory>
//
// The icons go to <icon directory>/<size>x<size>/apps/vexorbia.png, the layout of an icon
// theme, for each size a desktop commonly shows.
//
// Members are written under the data directory by their archive path ('/' separators, lower
// case). The contact sheet shows every image at full size on a checkerboard with its name and
// its atlas regions outlined; with a review directory, each image is also written there as PNG.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "atlas.h"
#include "mockups.h"
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

bool Contains(const Region& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool Overlap(const Region& a, const Region& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Clears every region's gutter: the pixels within its gutter width outside it, on the sheet
// wrapped around its edges, except those of regions that overlap it.
void ClearGutters(Canvas& canvas, const SheetEntry& sheet) {
  cairo_surface_t* surface = canvas.surface();
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (const Region& r : sheet.regions) {
    const int g = GutterOf(sheet, r);
    for (int y = r.top - g; y < r.bottom + g; ++y)
      for (int x = r.left - g; x < r.right + g; ++x) {
        if (Contains(r, x, y)) continue;
        const int wx = (x + sheet.width) % sheet.width, wy = (y + sheet.height) % sheet.height;
        bool kept = false;
        for (const Region& q : sheet.regions)
          kept = kept || (&q != &r && Overlap(q, r) && Contains(q, wx, wy));
        if (!kept) std::memset(data + wy * stride + wx * 4, 0, 4);
      }
  }
  cairo_surface_mark_dirty(surface);
}

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

struct Placed {
  const SheetEntry* entry;
  const Canvas* canvas;
  double x, y, slot;
};

// With a review directory (empty for none), the mock-ups are also written there as PNG.
void WriteContactSheet(const std::vector<std::pair<const SheetEntry*, const Canvas*>>& images,
                       const std::string& path, const std::string& review) {
  std::map<std::string, const Canvas*> byName;
  for (const auto& [entry, canvas] : images) byName[entry->member] = canvas;
  std::vector<Mockup> mockups = Mockups(byName);
  std::vector<SheetEntry> mockSpecs;
  mockSpecs.reserve(mockups.size());
  std::vector<std::pair<const SheetEntry*, const Canvas*>> all = images;
  for (const Mockup& m : mockups) {
    mockSpecs.push_back({m.title, m.canvas->width(), m.canvas->height(), true, {}});
    all.emplace_back(&mockSpecs.back(), m.canvas.get());
  }
  const double rowWidth = 2100, gap = 16, label = 22;
  std::vector<Placed> placed;
  double x = gap, y = gap, rowH = 0;
  TextStyle captionStyle;
  captionStyle.size = 14;
  captionStyle.fill = {1, 1, 1};
  auto caption = [](const SheetEntry* entry) {
    return entry->member + "  (" + std::to_string(entry->width) + " x " +
           std::to_string(entry->height) + ")";
  };
  for (const auto& [entry, canvas] : all) {
    double tw, th;
    MeasureText(caption(entry), captionStyle, &tw, &th);
    const double slot = std::max<double>(entry->width, tw + 8);
    if (x + slot > rowWidth) {
      x = gap;
      y += rowH + gap;
      rowH = 0;
    }
    placed.push_back({entry, canvas, x, y + label, slot});
    x += slot + gap;
    rowH = std::max(rowH, entry->height + label);
  }
  const int H = int(y + rowH + gap);
  Canvas sheet(int(rowWidth), H);
  cairo_t* cr = sheet.cr();
  cairo_set_source_rgb(cr, 0.13, 0.12, 0.16);
  cairo_paint(cr);
  const Rgb outline[3] = {Hex(0x00FFFF), Hex(0xFF40FF), Hex(0xFFFF00)};
  for (const Placed& p : placed) {
    DrawText(cr, caption(p.entry), captionStyle, p.x, p.y - label, p.slot, label, Align::Left);
    Checker(cr, p.x, p.y, p.entry->width, p.entry->height);
    cairo_set_source_surface(cr, p.canvas->surface(), p.x, p.y);
    cairo_paint(cr);
    int k = 0;
    for (const Region& r : p.entry->regions) {
      if (r.left == 0 && r.top == 0 && r.width() == p.entry->width && r.height() == p.entry->height)
        continue;
      cairo_rectangle(cr, p.x + r.left + 0.5, p.y + r.top + 0.5, r.width() - 1, r.height() - 1);
      Outline(cr, 1, r.kind == RegionKind::Window ? Hex(0x40FF40) : outline[k++ % 3], 0.8);
    }
  }
  sheet.WritePng(path);
  if (!review.empty())
    for (size_t i = 0; i < mockups.size(); ++i)
      mockups[i].canvas->WritePng(review + "/mockup" + std::to_string(i + 1) + ".png");
}

}  // namespace

}  // namespace vx::art

namespace vx::art {
namespace {

int WriteIcons(const fs::path& dir) {
  for (int size : {32, 48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    const fs::path file = dir / (side + "x" + side) / "apps" / "vexorbia.png";
    fs::create_directories(file.parent_path());
    Canvas canvas(size, size);
    PaintIcon(canvas);
    canvas.WritePng(file.string());
  }
  return 0;
}

}  // namespace
}  // namespace vx::art

int main(int argc, char** argv) {
  using namespace vx::art;
  if (argc == 3 && std::string(argv[1]) == "--icons") {
    try {
      return WriteIcons(argv[2]);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "assetgen-art: %s\n", e.what());
      return 1;
    }
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <data directory> <contact sheet .png> [<review directory>]\n",
                 argv[0]);
    return 2;
  }
  const fs::path out = argv[1];
  const std::string review = argc > 3 ? argv[3] : "";
  if (const std::string fonts = CheckFonts(); !fonts.empty()) {
    std::fprintf(stderr, "assetgen-art: %s\n", fonts.c_str());
    return 1;
  }
  try {
    std::vector<std::unique_ptr<Canvas>> canvases;
    std::vector<std::pair<const SheetEntry*, const Canvas*>> shown;
    for (const SheetEntry& entry : Atlas()) {
      auto paint = PainterFor(entry.member);
      if (!paint) throw std::runtime_error("no painter for " + entry.member);
      auto canvas = std::make_unique<Canvas>(entry.width, entry.height);
      paint(*canvas);
      ClearGutters(*canvas, entry);
      const fs::path file = out / entry.member;
      fs::create_directories(file.parent_path());
      if (file.extension() == ".jpg")
        canvas->WriteJpeg(file.string(), 92);
      else
        canvas->WriteTga(file.string());
      if (!review.empty()) {
        fs::path png = fs::path(review) / entry.member;
        png.replace_extension(".png");
        fs::create_directories(png.parent_path());
        canvas->WritePng(png.string());
      }
      shown.emplace_back(&entry, canvas.get());
      canvases.push_back(std::move(canvas));
    }
    for (const ModelEntry& model : Models()) {
      const fs::path file = out / model.member;
      fs::create_directories(file.parent_path());
      std::ofstream(file, std::ios::binary) << ModelText(model.member);
    }
    WriteContactSheet(shown, argv[2], review);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen-art: %s\n", e.what());
    return 1;
  }
  return 0;
}
