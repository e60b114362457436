// The pictures and models of _data.loc: every member is there, decodes, has its size, and
// every rectangle the game cuts out of a sheet is painted, with a transparent gutter around it.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "atlas.h"
#include "draw/layers.h"
#include "storage/archive.h"

namespace fs = std::filesystem;
using vx::art::RegionKind;

namespace {

// Every member of a game archive, read with the game's own archive reader.
std::map<std::string, std::string> ReadArchive(const std::string& path) {
  std::map<std::string, std::string> members;
  std::vector<vx::ArchiveEntry> entries;
  if (!vx::ListArchive(path.c_str(), &entries)) return members;
  for (const vx::ArchiveEntry& e : entries) {
    long size = 0;
    const unsigned char* data = vx::OpenArchiveMember(path.c_str(), e.name.c_str(), &size);
    std::string& bytes = members[e.name];
    if (data) bytes.assign(reinterpret_cast<const char*>(data), static_cast<size_t>(size));
  }
  vx::ReleaseArchiveBuffer();
  return members;
}

std::string Stored(std::string member) {
  for (char& c : member)
    if (c == '/') c = '\\';
  return member;
}

const std::map<std::string, std::string>& Archive() {
  static const auto members = ReadArchive(std::string(VX_GAME_DIR) + "/_data.loc");
  return members;
}

struct Pixels {
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;
  const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * w + x) * 4]; }
};

Pixels Decode(const std::string& member, const std::string& bytes) {
  Pixels px;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
  const char* type =
      member.size() > 4 && member.substr(member.size() - 4) == ".jpg" ? "JPG" : "TGA";
  SDL_Surface* s = IMG_LoadTyped_RW(rw, 1, type);
  if (!s) return px;
  SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
  SDL_FreeSurface(s);
  px.w = c->w;
  px.h = c->h;
  px.rgba.resize(size_t(c->w) * c->h * 4);
  for (int y = 0; y < c->h; ++y)
    std::memcpy(&px.rgba[size_t(y) * c->w * 4], static_cast<uint8_t*>(c->pixels) + y * c->pitch,
                size_t(c->w) * 4);
  SDL_FreeSurface(c);
  return px;
}

class ContentArt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { IMG_Init(IMG_INIT_JPG); }
  static void TearDownTestSuite() { IMG_Quit(); }
};

// The inventory of images with their sizes, written down independently of the generator's table.
struct Expected {
  std::string member;
  int w, h;
};

std::vector<Expected> Inventory() {
  std::vector<Expected> v = {{"img\\chrset1.tga", 512, 512},
                             {"img\\gemset0.tga", 512, 512},
                             {"img\\gemset1.tga", 512, 512},
                             {"img\\logo.tga", 256, 256},
                             {"img\\wheel.tga", 256, 256},
                             {"img\\sky.jpg", 512, 512},
                             {"img\\pusher.tga", 512, 512},
                             {"img\\startscreenclouds.tga", 512, 512},
                             {"img\\startscreenchrset.tga", 512, 512},
                             {"img\\levelscrn.tga", 512, 512},
                             {"img\\optionscrn.tga", 512, 512},
                             {"img\\playinfochrset.tga", 512, 512},
                             {"img\\escscreen.tga", 512, 512},
                             {"img\\retrychrset.tga", 1024, 512},
                             {"img\\stagestime.tga", 512, 512},
                             {"img\\stagestimechrset.tga", 256, 256},
                             {"img\\savegame.tga", 512, 512},
                             {"img\\finishscene.tga", 512, 512},
                             {"img\\finishtext.tga", 512, 512},
                             {"img\\starfield.tga", 512, 512},
                             {"img\\musiccredit.tga", 256, 256},
                             {"img\\editbackground.tga", 512, 512},
                             {"img\\txlogo.tga", 256, 256},
                             {"img\\music.tga", 256, 256},
                             {"img\\copyright.tga", 256, 256}};
  for (int i = 1; i <= 5; ++i) {
    v.push_back({"img\\ball" + std::to_string(i) + ".tga", 256, 256});
    v.push_back({"pho\\bkg" + std::to_string(i) + ".tga", 512, 512});
  }
  for (int i = 1; i <= 8; ++i)
    v.push_back({"img\\explosion_" + std::to_string(i) + ".tga", 64, 64});
  for (int i = 0; i < 3; ++i) v.push_back({"img\\player1_" + std::to_string(i) + ".tga", 128, 128});
  return v;
}

TEST_F(ContentArt, EveryImageIsPresentDecodesAndHasItsSize) {
  for (const Expected& e : Inventory()) {
    SCOPED_TRACE(e.member);
    const auto it = Archive().find(e.member);
    ASSERT_NE(it, Archive().end()) << "missing from _data.loc";
    const Pixels px = Decode(e.member, it->second);
    ASSERT_FALSE(px.rgba.empty()) << IMG_GetError();
    EXPECT_EQ(px.w, e.w);
    EXPECT_EQ(px.h, e.h);
  }
  // and the generator's table lists nothing beyond the inventory
  EXPECT_EQ(vx::art::Atlas().size(), Inventory().size());
}

// Every picture the screens draw through the layer slots is one the art generator paints
// and packs.
TEST_F(ContentArt, EveryLayerImageIsPackedAndPainted) {
  for (vx::LayerId id : vx::kLayerIds) {
    const std::string member = vx::LayerImage(id);
    SCOPED_TRACE(member);
    const auto it = Archive().find(member);
    ASSERT_NE(it, Archive().end()) << "missing from _data.loc";
    EXPECT_FALSE(Decode(member, it->second).rgba.empty());
    bool inAtlas = false;
    for (const vx::art::SheetEntry& entry : vx::art::Atlas())
      inAtlas = inAtlas || Stored(entry.member) == member;
    EXPECT_TRUE(inAtlas);
  }
}

struct RegionStats {
  double painted = 0;      // share of pixels with alpha above zero
  double transparent = 0;  // share with alpha zero
  double spread = 0;       // standard deviation of premultiplied luminance (0..255)
};

RegionStats Measure(const Pixels& px, const vx::art::Region& r) {
  RegionStats s;
  double n = 0, sum = 0, sum2 = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const uint8_t* p = px.at(x, y);
      const double lum = (0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]) * p[3] / 255.0;
      n += 1;
      s.painted += p[3] > 0;
      s.transparent += p[3] == 0;
      sum += lum;
      sum2 += lum * lum;
    }
  s.painted /= n;
  s.transparent /= n;
  s.spread = std::sqrt(std::max(0.0, sum2 / n - (sum / n) * (sum / n)));
  return s;
}

TEST_F(ContentArt, EveryAtlasRegionIsPainted) {
  for (const vx::art::SheetEntry& entry : vx::art::Atlas()) {
    const auto it = Archive().find(Stored(entry.member));
    ASSERT_NE(it, Archive().end()) << entry.member;
    const Pixels px = Decode(entry.member, it->second);
    ASSERT_EQ(px.w, entry.width) << entry.member;
    for (const vx::art::Region& r : entry.regions) {
      SCOPED_TRACE(entry.member + ": " + r.what);
      ASSERT_LE(r.right, px.w);
      ASSERT_LE(r.bottom, px.h);
      const RegionStats s = Measure(px, r);
      switch (r.kind) {
        case RegionKind::Art:
          EXPECT_GE(s.painted, r.minShare);
          break;
        case RegionKind::Text:
          EXPECT_GE(s.painted, r.minShare);
          EXPECT_GE(s.spread, 18.0) << "looks blank";
          break;
        case RegionKind::Window:
          EXPECT_GE(s.transparent, 0.75);
          break;
      }
    }
    if (entry.opaque) {
      size_t notOpaque = 0;
      for (size_t i = 3; i < px.rgba.size(); i += 4) notOpaque += px.rgba[i] != 255;
      EXPECT_EQ(notOpaque, 0u) << entry.member;
    }
  }
}

// A piece cut out of a sheet is drawn with linear filtering and a mip chain: around its edge
// the sampler reaches past the rectangle, so a band around every piece must hold no art
// (wrapping at the sheet's edges, as the texture repeats), unless it belongs to a piece that
// overlaps it. Otherwise a neighbour's edge shows as a thin line beside the piece.
TEST_F(ContentArt, CutPiecesHaveTransparentGutters) {
  int sheets = 0;
  for (const vx::art::SheetEntry& entry : vx::art::Atlas()) {
    if (entry.gutter == 0) continue;
    ++sheets;
    const Pixels px = Decode(entry.member, Archive().at(Stored(entry.member)));
    ASSERT_EQ(px.w, entry.width) << entry.member;
    for (const vx::art::Region& r : entry.regions) {
      const int g = vx::art::GutterOf(entry, r);
      EXPECT_GE(g, 1) << entry.member << ": " << r.what;
      int painted = 0, firstX = 0, firstY = 0;
      for (int y = r.top - g; y < r.bottom + g; ++y)
        for (int x = r.left - g; x < r.right + g; ++x) {
          if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) continue;
          const int wx = (x + px.w) % px.w, wy = (y + px.h) % px.h;
          bool shared = false;
          for (const vx::art::Region& q : entry.regions)
            shared = shared || (&q != &r && q.left < r.right && r.left < q.right &&
                                q.top < r.bottom && r.top < q.bottom && wx >= q.left &&
                                wx < q.right && wy >= q.top && wy < q.bottom);
          if (!shared && px.at(wx, wy)[3] > 0 && painted++ == 0) {
            firstX = wx;
            firstY = wy;
          }
        }
      EXPECT_EQ(painted, 0) << entry.member << ": " << r.what << ", first at (" << firstX << ", "
                            << firstY << ")";
    }
  }
  // the character sheet, two gem sheets, five ball sheets and the other cut sheets
  EXPECT_GE(sheets, 16);
}

TEST_F(ContentArt, WorldBackgroundsLetTheSkyThroughAboveTheGround) {
  for (int w = 1; w <= 5; ++w) {
    const std::string member = "pho\\bkg" + std::to_string(w) + ".tga";
    const Pixels px = Decode(member, Archive().at(member));
    size_t seeThrough = 0, n = 0;
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < px.w; ++x, ++n) seeThrough += px.at(x, y)[3] < 250;
    EXPECT_GE(double(seeThrough) / n, 0.9) << member;
  }
}

// Colours are stored straight, not premultiplied: the faint edge of a light glow is still light.
// (Premultiplied colour written as straight colour would give every soft edge a dark fringe.)
TEST_F(ContentArt, TranslucentPixelsKeepTheirColour) {
  const std::string member = "img\\startscreenchrset.tga";
  const Pixels px = Decode(member, Archive().at(member));
  double sum = 0;
  int n = 0;
  for (int y = 180; y < 340; ++y)
    for (int x = 350; x < 512; ++x) {
      const uint8_t* p = px.at(x, y);
      if (p[3] > 0 && p[3] < 64) {
        sum += 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2];
        ++n;
      }
    }
  ASSERT_GT(n, 100);
  EXPECT_GT(sum / n, 180.0);
}

// Pictures scrolled sideways must meet seamlessly: the step from the last column to the first
// may be no larger than a typical step between neighbouring columns.
TEST_F(ContentArt, ScrolledPicturesWrapSeamlessly) {
  for (const char* member : {"img\\sky.jpg", "img\\startscreenclouds.tga", "img\\starfield.tga"}) {
    const Pixels px = Decode(member, Archive().at(member));
    auto columnStep = [&](int a, int b) {
      double d = 0;
      for (int y = 0; y < px.h; ++y)
        for (int c = 0; c < 3; ++c) d += std::abs(int(px.at(a, y)[c]) - int(px.at(b, y)[c]));
      return d / (px.h * 3);
    };
    double typical = 0;
    for (int x = 100; x < 110; ++x) typical += columnStep(x, x + 1) / 10;
    EXPECT_LE(columnStep(px.w - 1, 0), typical * 2 + 2.0) << member;
  }
}

TEST_F(ContentArt, ModelsAreSolidTexturedMeshes) {
  for (const vx::art::ModelEntry& model : vx::art::Models()) {
    SCOPED_TRACE(model.member);
    const auto it = Archive().find(Stored(model.member));
    ASSERT_NE(it, Archive().end());
    EXPECT_NE(Archive().find(Stored(model.texture)), Archive().end());
    const std::string& text = it->second;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(
        text.data(), text.size(), aiProcess_Triangulate | aiProcess_ConvertToLeftHanded, "x");
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    ASSERT_EQ(scene->mNumMeshes, 1u);
    const aiMesh* mesh = scene->mMeshes[0];
    ASSERT_TRUE(mesh->HasNormals());
    ASSERT_TRUE(mesh->HasTextureCoords(0));
    EXPECT_GE(mesh->mNumFaces, 100u);
    aiVector3D lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
      const aiVector3D& p = mesh->mVertices[i];
      lo = aiVector3D(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
      hi = aiVector3D(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
      EXPECT_NEAR(mesh->mNormals[i].Length(), 1.0f, 1e-3f);
      const aiVector3D& uv = mesh->mTextureCoords[0][i];
      EXPECT_TRUE(uv.x >= 0 && uv.x <= 1 && uv.y >= 0 && uv.y <= 1);
    }
    // Solid, not a flat quad, and sized for the intro's camera (view half-height 2.07 at z 5).
    EXPECT_GT(hi.z - lo.z, 0.2f);
    EXPECT_GT(hi.x - lo.x, 2.0f);
    EXPECT_LT(hi.x - lo.x, 4.0f);
    // Every face is wound so its geometric normal agrees with its vertex normals.
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      const aiFace& face = mesh->mFaces[f];
      ASSERT_EQ(face.mNumIndices, 3u);
      const aiVector3D a = mesh->mVertices[face.mIndices[0]], b = mesh->mVertices[face.mIndices[1]],
                       c = mesh->mVertices[face.mIndices[2]];
      const aiVector3D n = (b - a) ^ (c - a);
      const aiVector3D vn = mesh->mNormals[face.mIndices[0]];
      EXPECT_GT(n * vn, 0.0f) << "face " << f;
    }
  }
}

// Same input, same bytes: a second run of the generator writes identical members.
TEST_F(ContentArt, GeneratorIsDeterministic) {
  // A directory of this process's own: another build's run of the same test may be going on.
  const fs::path tmp =
      fs::temp_directory_path() / ("vx_content_art_rerun_" + std::to_string(getpid()));
  fs::remove_all(tmp);
  fs::create_directories(tmp);
  const std::string cmd = std::string("\"") + VX_ART_GENERATOR + "\" \"" + (tmp / "data").string() +
                          "\" \"" + (tmp / "sheet.png").string() + "\"";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  size_t compared = 0;
  for (const auto& e : fs::recursive_directory_iterator(tmp / "data")) {
    if (!e.is_regular_file()) continue;
    const fs::path rel = fs::relative(e.path(), tmp / "data");
    std::ifstream a(e.path(), std::ios::binary),
        b(fs::path(VX_CONTENT_DATA) / rel, std::ios::binary);
    const std::string da((std::istreambuf_iterator<char>(a)), {}),
        db((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(da, db) << rel;
    ++compared;
  }
  EXPECT_EQ(compared, vx::art::Atlas().size() + vx::art::Models().size());
  fs::remove_all(tmp);
}

// ---- Drawn rectangles against the painted atlas ----

struct DrawnRect {
  std::string member;
  int left, top, right, bottom;
};

// Runs the replay through every screen of a stage headless and reads back every rectangle
// it drew from a sheet.
std::vector<DrawnRect> DrawnRectsOfEveryScreen() {
  char pattern[] = "/tmp/vx_drawn_rects_XXXXXX";
  const char* scratch = mkdtemp(pattern);
  if (!scratch) return {};
  const std::string log = std::string(scratch) + "/draws.txt";
  const std::string command = "VX_DRAW_LOG='" + log +
                              "' '" VX_SOURCE_DIR "/scripts/run_replay_test.sh' '" VX_REPLAY
                              "' '" VX_GAME_DIR "' '" VX_SOURCE_DIR
                              "/tests/replay/every_screen.txt' > '" +
                              std::string(scratch) + "/out.txt'";
  std::vector<DrawnRect> rects;
  if (std::system(command.c_str()) == 0) {
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
      DrawnRect r;
      // The member is everything before the last four numbers (an unnamed texture has spaces).
      std::size_t cut = line.size();
      for (int k = 0; k < 4 && cut != std::string::npos; ++k) cut = line.rfind(' ', cut - 1);
      if (cut == std::string::npos) continue;
      r.member = line.substr(0, cut);
      if (std::sscanf(line.c_str() + cut, "%d %d %d %d", &r.left, &r.top, &r.right, &r.bottom) == 4)
        rects.push_back(r);
    }
  }
  fs::remove_all(scratch);
  return rects;
}

// Every rectangle a screen cuts out of a sheet lies inside the painted regions the art
// generator's atlas lists for that sheet, and holds painted pixels: a rectangle outside them
// shows a neighbour's edge, a hole or nothing at all.
TEST_F(ContentArt, EveryRectangleTheScreensDrawIsPaintedArt) {
  const std::vector<DrawnRect> rects = DrawnRectsOfEveryScreen();
  ASSERT_FALSE(rects.empty()) << "the replay did not run or recorded nothing";
  std::map<std::string, int> perSheet;
  std::map<std::string, Pixels> decoded;
  for (const DrawnRect& d : rects) {
    SCOPED_TRACE(d.member + " " + std::to_string(d.left) + " " + std::to_string(d.top) + " " +
                 std::to_string(d.right) + " " + std::to_string(d.bottom));
    const vx::art::SheetEntry* sheet = nullptr;
    for (const vx::art::SheetEntry& entry : vx::art::Atlas())
      if (Stored(entry.member) == d.member) sheet = &entry;
    ASSERT_NE(sheet, nullptr) << "drawn from a texture the atlas does not list";
    ++perSheet[d.member];
    // A sheet the screens cut pieces out of: every pixel of the rectangle belongs to a
    // painted region (a rectangle may span regions that meet, like the lines of a menu).
    // Pictures drawn whole have no such rule: their regions only name parts.
    if (sheet->gutter > 0) {
      int outsideX = -1, outsideY = -1;
      for (int y = d.top; y < d.bottom && outsideX < 0; ++y)
        for (int x = d.left; x < d.right && outsideX < 0; ++x) {
          bool covered = false;
          for (const vx::art::Region& r : sheet->regions)
            covered = covered || (r.kind != RegionKind::Window && x >= r.left && x < r.right &&
                                  y >= r.top && y < r.bottom);
          if (!covered) {
            outsideX = x;
            outsideY = y;
          }
        }
      EXPECT_LT(outsideX, 0) << "(" << outsideX << ", " << outsideY
                             << ") lies outside every painted region of the atlas";
    }
    if (!decoded.count(d.member)) decoded[d.member] = Decode(d.member, Archive().at(d.member));
    const Pixels& px = decoded[d.member];
    ASSERT_TRUE(d.left >= 0 && d.top >= 0 && d.right <= px.w && d.bottom <= px.h &&
                d.left < d.right && d.top < d.bottom)
        << "outside the sheet";
    bool painted = false;
    for (int y = d.top; y < d.bottom && !painted; ++y)
      for (int x = d.left; x < d.right && !painted; ++x) painted = px.at(x, y)[3] > 0;
    EXPECT_TRUE(painted) << "nothing painted there";
  }
  // The replay went through every screen: each one's own sheet was drawn from.
  for (const char* member :
       {"img\\levelscrn.tga", "img\\playinfochrset.tga", "img\\escscreen.tga",
        "img\\retrychrset.tga", "img\\stagestime.tga", "img\\stagestimechrset.tga",
        "img\\savegame.tga", "img\\chrset1.tga", "img\\sky.jpg", "img\\pusher.tga"})
    EXPECT_GT(perSheet[member], 0) << member << " was never drawn";
}

}  // namespace
