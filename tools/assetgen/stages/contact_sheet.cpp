#include "contact_sheet.h"

#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue.h"
#include "core/game_state.h"
#include "field/field_tables.h"
#include "palette.h"
#include "persist/stage_files.h"
#include "stage_figures.h"

namespace fs = std::filesystem;

namespace vx::stages {

namespace {

constexpr double kScale = 0.25;      // field units to sheet pixels
constexpr int kTile = 256;           // a 1024-unit field at that scale
constexpr double kCloseScale = 0.5;  // a single stage looked at closely
constexpr int kLabel = 40;           // the two caption lines under a field
constexpr int kGap = 10;
constexpr int kRowHead = 130;  // the set and world names left of each row

struct Surface {
  cairo_surface_t* s = nullptr;
  ~Surface() {
    if (s) cairo_surface_destroy(s);
  }
};

// A 32-bit TGA as the art generator writes them (uncompressed, either row order), turned
// into a premultiplied cairo image.
std::unique_ptr<Surface> ReadTga(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  if (bytes.size() < 18 || bytes[2] != 2 || bytes[16] != 32)
    throw std::runtime_error("not a 32-bit TGA: " + path.string());
  const int w = bytes[12] | bytes[13] << 8, h = bytes[14] | bytes[15] << 8;
  const std::size_t start = 18 + bytes[0];
  if (bytes.size() < start + static_cast<std::size_t>(w) * h * 4)
    throw std::runtime_error("TGA cut short: " + path.string());
  const bool topDown = bytes[17] & 0x20;
  auto image = std::make_unique<Surface>();
  image->s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_surface_flush(image->s);
  unsigned char* data = cairo_image_surface_get_data(image->s);
  const int stride = cairo_image_surface_get_stride(image->s);
  for (int y = 0; y < h; ++y) {
    const int row = topDown ? y : h - 1 - y;
    auto* out = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(stride) * row);
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = &bytes[start + (static_cast<std::size_t>(y) * w + x) * 4];
      const uint32_t a = p[3];
      const uint32_t r = p[2] * a / 255, g = p[1] * a / 255, b = p[0] * a / 255;
      out[x] = a << 24 | r << 16 | g << 8 | b;
    }
  }
  cairo_surface_mark_dirty(image->s);
  return image;
}

struct Sprites {
  std::unique_ptr<Surface> balls[kWorldCount], backgrounds[kWorldCount], characters, gems;
};

// Draws the 50 x 50 frame at (fx, fy) of a sheet into the box (x, y, size).
void Frame(cairo_t* cr, cairo_surface_t* sheet, int fx, int fy, double x, double y, double size) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, size, size);
  cairo_clip(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, size / 50.0, size / 50.0);
  cairo_set_source_surface(cr, sheet, -fx, -fy);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
}

// The picture a cell or block kind shows, as the field drawing picks it.
void Piece(cairo_t* cr, const Sprites& sprites, int world, int kind, double x, double y,
           double size) {
  if (kind >= 1 && kind <= 9) {
    const int f = kind - 1;
    Frame(cr, sprites.balls[world]->s, (f % 5) * 50, (f / 5) * 50, x, y, size);
  } else if (kind >= 200 && kind <= 299) {
    const int f = kind - 200;
    Frame(cr, sprites.gems->s, (f % 10) * 50, (f / 10) * 50, x, y, size);
  } else if (kind >= 0 && kind < 100) {
    Frame(cr, sprites.characters->s, (kind % 7) * 50 + 130, (kind / 7) * 50 + 260, x, y, size);
  }
}

void Text(cairo_t* cr, const std::string& text, double x, double y, double size, bool bold,
          double r, double g, double b) {
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_set_source_rgb(cr, r, g, b);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

void SetHex(cairo_t* cr, uint32_t rgb, double alpha = 1.0) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                        (rgb & 255) / 255.0, alpha);
}

// One stage as the game loads it from its file: the world's sky and background, the blocks,
// the cells, the danger line and the launcher's place, with its number, name and figures.
void Tile(cairo_t* cr, const Sprites& sprites, const StageEntry& e, double x0, double y0,
          double scale = kScale) {
  const double kScale = scale;
  const double kTile = 1024 * scale;
  const art::WorldTheme& theme = art::kWorlds[e.world];
  LoadStage(e.fileNumber, true);
  const double cell = geometry.cellWidthF * kScale;

  cairo_save(cr);
  cairo_rectangle(cr, x0, y0, kTile, kTile);
  cairo_clip(cr);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, y0, 0, y0 + kTile);
  cairo_pattern_add_color_stop_rgb(sky, 0, ((theme.skyTop >> 16) & 255) / 255.0,
                                   ((theme.skyTop >> 8) & 255) / 255.0,
                                   (theme.skyTop & 255) / 255.0);
  cairo_pattern_add_color_stop_rgb(sky, 1, ((theme.skyBottom >> 16) & 255) / 255.0,
                                   ((theme.skyBottom >> 8) & 255) / 255.0,
                                   (theme.skyBottom & 255) / 255.0);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  cairo_save(cr);
  cairo_translate(cr, x0, y0);
  cairo_scale(cr, kTile / 512.0, kTile / 512.0);
  cairo_set_source_surface(cr, sprites.backgrounds[e.world]->s, 0, 0);
  cairo_paint_with_alpha(cr, 0.8);
  cairo_restore(cr);

  // The danger line and the launcher's wheel centre.
  const double danger = (1024 - geometry.cellHeightF - 168) * kScale;
  cairo_set_source_rgba(cr, 1, 0.2, 0.15, 0.8);
  cairo_set_line_width(cr, 1);
  const double dashes[] = {4, 3};
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_move_to(cr, x0, y0 + danger + 0.5);
  cairo_line_to(cr, x0 + kTile, y0 + danger + 0.5);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_arc(cr, x0 + 512 * kScale, y0 + 965.5 * kScale, 58 * kScale, 0, 2 * M_PI);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_fill(cr);

  for (int i = 0; i < blocks.blockCount; ++i)
    Piece(cr, sprites, e.world, blocks.kind[i], x0 + blocks.x[i] * kScale,
          y0 + blocks.y[i] * kScale, cell);
  for (int i = 0; i < cells.cellCount; ++i)
    Piece(cr, sprites, e.world, cells.kind[i], x0 + cells.x[i] * kScale, y0 + cells.y[i] * kScale,
          cell);
  cairo_restore(cr);

  cairo_rectangle(cr, x0 + 0.5, y0 + 0.5, kTile - 1, kTile - 1);
  SetHex(cr, theme.panel);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  char line[160];
  std::snprintf(line, sizeof line, "%d  %d-%d  %s", e.fileNumber, e.world + 1, e.stage + 1,
                e.design->name);
  Text(cr, line, x0 + 2, y0 + kTile + 15, 13, true, 0.1, 0.1, 0.12);
  const StageFigures f = MeasureStage(BuildStage(*e.design));
  std::snprintf(line, sizeof line, "cell %d  c%d  p%d  %d balls  %d colours  %d:%02d",
                geometry.cellWidth, geometry.colourCount,
                static_cast<int>(stageFiles.pushInterval / 1000.0f),
                cells.cellCount > 0 ? f.colourBalls : 0, f.colours, f.secondsToInvasion / 60,
                f.secondsToInvasion % 60);
  Text(cr, line, x0 + 2, y0 + kTile + 32, 11, false, 0.25, 0.25, 0.3);
}

void RowHead(cairo_t* cr, int set, int world, double x, double y) {
  Text(cr, set == 0 ? "Basic set" : "Second set", x + 8, y + 24, 14, false, 0.3, 0.3, 0.35);
  char line[64];
  std::snprintf(line, sizeof line, "World %d", world + 1);
  Text(cr, line, x + 8, y + 50, 18, true, 0.1, 0.1, 0.12);
  Text(cr, kWorldNames[world], x + 8, y + 74, 16, false, 0.1, 0.1, 0.12);
}

void WritePng(cairo_surface_t* surface, const fs::path& path) {
  if (cairo_surface_write_to_png(surface, path.string().c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path.string());
}

// Loads the sprite sheets the sheet draws with.
Sprites LoadSprites(const fs::path& art) {
  Sprites sprites;
  for (int w = 0; w < kWorldCount; ++w) {
    sprites.balls[w] = ReadTga(art / "img" / ("ball" + std::to_string(w + 1) + ".tga"));
    sprites.backgrounds[w] = ReadTga(art / "pho" / ("bkg" + std::to_string(w + 1) + ".tga"));
  }
  sprites.characters = ReadTga(art / "img" / "chrset1.tga");
  sprites.gems = ReadTga(art / "img" / "gemset0.tga");
  return sprites;
}

}  // namespace

int DrawStage(const std::string& stageDir, const std::string& artDir, int fileNumber,
              const std::string& out) {
  const Sprites sprites = LoadSprites(fs::absolute(artDir));
  const fs::path target = fs::absolute(out);
  const fs::path previous = fs::current_path();
  fs::current_path(stageDir);
  const int size = static_cast<int>(1024 * kCloseScale);
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, size, size + kLabel);
  cairo_t* cr = cairo_create(image);
  cairo_set_source_rgb(cr, 0.93, 0.93, 0.91);
  cairo_paint(cr);
  Tile(cr, sprites, StageFile(fileNumber), 0, 0, kCloseScale);
  cairo_destroy(cr);
  fs::current_path(previous);
  WritePng(image, target);
  cairo_surface_destroy(image);
  return 0;
}

int DrawContactSheet(const std::string& stageDir, const std::string& artDir, const std::string& out,
                     const std::string& reviewDir) {
  const fs::path art = fs::absolute(artDir), target = fs::absolute(out);
  const fs::path review = reviewDir.empty() ? fs::path() : fs::absolute(reviewDir);
  const Sprites sprites = LoadSprites(art);

  const fs::path previous = fs::current_path();
  fs::current_path(stageDir);  // the loader reads edit\stageN.txt from here
  const int rowHeight = kTile + kLabel + kGap;
  const int width = kRowHead + kStagesPerWorld * (kTile + kGap) + kGap;
  const int rows = kSetCount * kWorldCount;
  cairo_surface_t* sheet =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, 50 + rows * rowHeight);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.93, 0.93, 0.91);
  cairo_paint(cr);
  Text(cr, "Vexorbia stages: each field as its file loads, dashed line = danger line", 12, 32, 20,
       true, 0.1, 0.1, 0.12);
  for (int row = 0; row < rows; ++row) {
    const int set = row / kWorldCount, world = row % kWorldCount;
    const double y = 50 + row * rowHeight;
    RowHead(cr, set, world, 0, y);
    for (int s = 0; s < kStagesPerWorld; ++s) {
      const int n = set * kStagesPerSet + world * kStagesPerWorld + s + 1;
      Tile(cr, sprites, StageFile(n), kRowHead + s * (kTile + kGap), y);
    }
    if (!review.empty()) {
      // The world's row in two halves, each small enough to look at closely.
      fs::create_directories(review);
      const int half = kRowHead + kStagesPerWorld / 2 * (kTile + kGap);
      for (int part = 0; part < 2; ++part) {
        cairo_surface_t* one = cairo_image_surface_create(CAIRO_FORMAT_RGB24, half, rowHeight);
        cairo_t* oc = cairo_create(one);
        cairo_set_source_rgb(oc, 0.93, 0.93, 0.91);
        cairo_paint(oc);
        cairo_rectangle(oc, 0, 0, kRowHead, rowHeight);
        cairo_clip(oc);
        cairo_set_source_surface(oc, sheet, 0, -y);
        cairo_paint(oc);
        cairo_reset_clip(oc);
        cairo_rectangle(oc, kRowHead, 0, half - kRowHead, rowHeight);
        cairo_clip(oc);
        cairo_set_source_surface(oc, sheet, -part * (half - kRowHead), -y);
        cairo_paint(oc);
        cairo_destroy(oc);
        WritePng(one, review / ("set" + std::to_string(set + 1) + "-world" +
                                std::to_string(world + 1) + (part ? "b" : "a") + ".png"));
        cairo_surface_destroy(one);
      }
    }
  }
  cairo_destroy(cr);
  fs::current_path(previous);
  WritePng(sheet, target);
  cairo_surface_destroy(sheet);
  return 0;
}

}  // namespace vx::stages
