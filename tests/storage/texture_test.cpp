#include "storage/texture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/game_state.h"
#include "gfx_fixtures.h"
#include "storage/image_probe.h"
#include "storage/matrix.h"
#include "test_support.h"

namespace vx {
namespace {

using platform::ImageFormat;

class TextureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &test::InstallHeadless();
    textureStore = TextureStore{};
    models = ModelTable{};
  }
  test::TempWorkDir dir_;
  test::HeadlessRig* rig_ = nullptr;
};

std::string PngHeader(std::uint32_t w, std::uint32_t h) {
  std::string png = "\x89PNG\r\n\x1a\n";
  png += std::string("\0\0\0\x0dIHDR", 8);
  for (std::uint32_t v : {w, h})
    for (int s = 24; s >= 0; s -= 8) png.push_back(static_cast<char>((v >> s) & 0xFF));
  png += std::string("\x08\x06\0\0\0", 5) + std::string(4, '\0');
  return png;
}

std::string JpegHeader(int w, int h) {
  std::string j = "\xFF\xD8";
  j += std::string("\xFF\xE0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 18);
  j += std::string("\xFF\xC0\x00\x11\x08", 5);
  j.push_back(static_cast<char>(h >> 8));
  j.push_back(static_cast<char>(h & 0xFF));
  j.push_back(static_cast<char>(w >> 8));
  j.push_back(static_cast<char>(w & 0xFF));
  j += std::string(10, '\x01');
  return j;
}

TEST(ImageProbeTest, HeadersGiveFormatAndSizeOrRefusal) {
  std::string tga = test::MakeTga(3, 2);
  std::string rle = test::MakeTga(4, 4).substr(0, 18) + std::string(3, '\0');
  rle[2] = 10;
  std::string mapped = tga;
  mapped[1] = 1;  // says it has a colour map, but the type is true-colour
  const struct {
    const char* what;
    std::string bytes;
    const char* name;
    bool ok;
    ImageFormat format;
    int w, h;
  } kCases[] = {
      {"tga", tga, "img\\a.tga", true, ImageFormat::Tga, 3, 2},
      {"tga upper-case name", tga, "IMG\\A.TGA", true, ImageFormat::Tga, 3, 2},
      {"tga under another name", tga, "img\\a.png", false, ImageFormat::Tga, 0, 0},
      {"tga cut short", tga.substr(0, tga.size() - 1), "a.tga", false, ImageFormat::Tga, 0, 0},
      {"tga header only", tga.substr(0, 17), "a.tga", false, ImageFormat::Tga, 0, 0},
      {"tga run-length", rle, "a.tga", true, ImageFormat::Tga, 4, 4},
      {"tga bad map flag", mapped, "a.tga", false, ImageFormat::Tga, 0, 0},
      {"text", "hello, this is not an image", "a.tga", false, ImageFormat::Tga, 0, 0},
      {"png", PngHeader(640, 480), "a.tga", true, ImageFormat::Png, 640, 480},
      {"png huge", PngHeader(100000, 3), "a.png", true, ImageFormat::Png, 100000, 3},
      {"png cut", PngHeader(4, 4).substr(0, 20), "a.png", false, ImageFormat::Png, 0, 0},
      {"jpeg", JpegHeader(300, 200), "a.jpg", true, ImageFormat::Jpeg, 300, 200},
      {"jpeg without frame", JpegHeader(300, 200).substr(0, 22), "a.jpg", false, ImageFormat::Jpeg,
       0, 0},
      {"empty", "", "a.tga", false, ImageFormat::Tga, 0, 0},
  };
  for (const auto& c : kCases) {
    ImageInfo info;
    bool ok = ProbeImage(reinterpret_cast<const unsigned char*>(c.bytes.data()),
                         static_cast<long>(c.bytes.size()), c.name, &info);
    EXPECT_EQ(ok, c.ok) << c.what;
    if (ok && c.ok) {
      EXPECT_EQ(info.format, c.format) << c.what;
      EXPECT_EQ(info.width, c.w) << c.what;
      EXPECT_EQ(info.height, c.h) << c.what;
    }
  }
}

TEST_F(TextureTest, ArchiveTextureSlotRules) {
  std::string big = test::MakeTga(1, 1).substr(0, 18);
  big[12] = static_cast<char>(4097 & 0xFF);
  big[13] = static_cast<char>(4097 >> 8);
  big[14] = 1;
  big += std::string(4097 * 4, '\x7f');
  test::WriteArchive("_data.loc", {{"img\\old.tga", test::MakeTga(2, 2)},
                                   {"img\\new.tga", test::MakeTga(8, 4)},
                                   {"img\\edge.tga", test::MakeTga(4096, 1)},
                                   {"img\\big.tga", big},
                                   {"img\\text.tga", "plain words"},
                                   {"img\\cut.tga", test::MakeTga(8, 8).substr(0, 100)},
                                   {"img\\empty.tga", ""}});
  const struct {
    const char* member;
    int result;
    bool keepsOld;  // the slot still holds the old texture
    int width;      // of the new texture, 0 when the slot ends empty
  } kCases[] = {
      {"img\\new.tga", 0, false, 8},         {"img\\edge.tga", 0, false, 4096},
      {"img\\missing.tga", E_FAIL, true, 0}, {"img\\empty.tga", E_FAIL, true, 0},
      {"img\\text.tga", E_FAIL, false, 0},   {"img\\cut.tga", E_FAIL, false, 0},
      {"img\\big.tga", E_FAIL, false, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.member);
    Texture* slot = nullptr;
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\old.tga", &slot), 0);
    Texture* old = slot;
    EXPECT_EQ(LoadArchiveTexture("_data.loc", c.member, &slot), c.result);
    if (c.keepsOld) {
      EXPECT_EQ(slot, old);
    } else if (c.width) {
      ASSERT_NE(slot, nullptr);
      EXPECT_EQ(slot->width, c.width);
      EXPECT_EQ(rig_->gpu.FindTexture(slot->gpuId)->width, c.width);
    } else {
      EXPECT_EQ(slot, nullptr);
    }
    // Only what the slot holds is still alive.
    EXPECT_EQ(rig_->gpu.LiveTextures(), slot ? 1 : 0);
    ReleaseTexture(slot);
  }
}

TEST_F(TextureTest, FailedCreationLeavesTheSlotEmpty) {
  test::WriteArchive("_data.loc", {{"a.tga", test::MakeTga(2, 2)}});
  Texture* slot = nullptr;
  ASSERT_EQ(LoadArchiveTexture("_data.loc", "a.tga", &slot), 0);
  rig_->gpu.failTextures = true;
  EXPECT_EQ(LoadArchiveTexture("_data.loc", "a.tga", &slot), E_FAIL);
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(rig_->gpu.LiveTextures(), 0);
}

class ModelTest : public TextureTest {
 protected:
  void SetUp() override {
    TextureTest::SetUp();
    test::WriteArchive("_data.loc", {{"xfile\\logo.x", test::QuadXFile()},
                                     {"xfile\\broken.x", "xof 0303txt 0032\nFrame {}\n"},
                                     {"img\\txlogo.tga", test::MakeTga(4, 4)},
                                     {"img\\music.tga", test::MakeTga(2, 2)}});
  }
};

TEST_F(ModelTest, SameTextureNameIsLoadedOnceAndShared) {
  game3d_LoadChr("xfile\\logo.x", "img\\txlogo.tga", 0);
  game3d_LoadChr("xfile\\logo.x", "img\\txlogo.tga", 1);
  game3d_LoadChr("xfile\\logo.x", "img\\music.tga", 2);
  EXPECT_TRUE(rig_->dialogs.shown.empty());
  EXPECT_EQ(rig_->gpu.textures.size(), 2u);
  ASSERT_NE(models.slots[0].texture, nullptr);
  EXPECT_EQ(models.slots[0].texture, models.slots[1].texture);
  EXPECT_NE(models.slots[2].texture, models.slots[0].texture);
  EXPECT_STREQ(models.slots[1].textureName, "img\\txlogo.tga");
  const ModelSlot& m = models.slots[1];
  EXPECT_TRUE(m.loaded);
  EXPECT_FALSE(m.alwaysDrawn);
  EXPECT_FLOAT_EQ(m.scale, 1);
  // White diffuse with the same ambient colour, nothing else.
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(m.material.diffuse[i], 1);
    EXPECT_FLOAT_EQ(m.material.ambient[i], 1);
    EXPECT_FLOAT_EQ(m.material.specular[i], 0);
    EXPECT_FLOAT_EQ(m.material.emissive[i], 0);
  }
  EXPECT_FLOAT_EQ(m.material.power, 0);
  // Shutdown releases every texture once.
  ReleaseModels();
  EXPECT_EQ(rig_->gpu.LiveTextures(), 0);
  EXPECT_EQ(rig_->gpu.LiveMeshes(), 0);
  EXPECT_FALSE(models.slots[0].loaded);
}

TEST_F(ModelTest, TextureNamesEmptyOrTooLong) {
  const struct {
    std::size_t length;
    bool result;
    bool message;
  } kCases[] = {{0, false, false}, {190, true, false}, {191, false, true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.length);
    rig_->dialogs.shown.clear();
    ASSERT_TRUE(LoadTexture("img\\txlogo.tga", 5));
    std::string name(c.length, 'n');
    EXPECT_EQ(LoadTexture(name.c_str(), 5), c.result);
    EXPECT_EQ(models.slots[5].texture, nullptr);  // a 190-character name is not in the archive
    EXPECT_STREQ(models.slots[5].textureName, c.result ? name.c_str() : "");
    ASSERT_EQ(rig_->dialogs.shown.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(rig_->dialogs.shown[0].text, name);
      EXPECT_EQ(rig_->dialogs.shown[0].caption, "LoadTexture - Filepath too long (max 190)");
    }
  }
  EXPECT_EQ(rig_->gpu.LiveTextures(), 0);
}

TEST_F(ModelTest, MissingOrMalformedXFileIsReportedAndLeavesTheSlot) {
  for (const char* xfile : {"xfile\\gone.x", "xfile\\broken.x"}) {
    SCOPED_TRACE(xfile);
    rig_->dialogs.shown.clear();
    models.slots[3].scale = 4;
    game3d_LoadChr(xfile, "img\\music.tga", 3);
    ASSERT_EQ(rig_->dialogs.shown.size(), 1u);
    EXPECT_EQ(rig_->dialogs.shown[0].text, xfile);
    EXPECT_EQ(rig_->dialogs.shown[0].caption, "Fail Loading at: game3d_LoadChr()");
    EXPECT_FLOAT_EQ(models.slots[3].scale, 4);
    EXPECT_FALSE(models.slots[3].loaded);
    EXPECT_EQ(models.slots[3].texture, nullptr);
  }
  game3d_LoadChr("xfile\\logo.x", "img\\music.tga", -1);  // outside the table: ignored
  game3d_LoadChr("xfile\\logo.x", "img\\music.tga", 256);
  EXPECT_EQ(rig_->gpu.LiveMeshes(), 0);
}

TEST_F(ModelTest, DueSlotsAreDrawnInOrderAndTheFlagsCleared) {
  game3d_LoadChr("xfile\\logo.x", "img\\txlogo.tga", 0);
  game3d_LoadChr("xfile\\logo.x", "img\\music.tga", 2);
  models.slots[0].position[0] = 1.5f;
  RequestModelDraw(2);
  RequestModelDraw(0);
  RequestModelDraw(7);  // not loaded
  DrawModels();
  ASSERT_EQ(rig_->gpu.meshDraws.size(), 2u);
  EXPECT_EQ(rig_->gpu.meshDraws[0].mesh, models.slots[0].mesh);
  EXPECT_EQ(rig_->gpu.meshDraws[0].texture, models.slots[0].texture->gpuId);
  EXPECT_FLOAT_EQ(rig_->gpu.meshDraws[0].world[12], 1.5f);
  EXPECT_FLOAT_EQ(rig_->gpu.meshDraws[0].world[14], 5);
  EXPECT_EQ(rig_->gpu.meshDraws[1].mesh, models.slots[2].mesh);
  EXPECT_FLOAT_EQ(rig_->gpu.view[0], 1);  // identity view
  for (const ModelSlot& m : models.slots) EXPECT_FALSE(m.drawThisFrame);
  // Next frame: only the always-drawn slot.
  rig_->gpu.meshDraws.clear();
  models.slots[2].alwaysDrawn = true;
  DrawModels();
  ASSERT_EQ(rig_->gpu.meshDraws.size(), 1u);
  EXPECT_EQ(rig_->gpu.meshDraws[0].mesh, models.slots[2].mesh);
}

TEST_F(ModelTest, SceneLightFromColourAndSpecularFactor) {
  SetSceneLight(0.5f, 0.5f, 0.5f, 1, 0.9f);
  EXPECT_EQ(rig_->gpu.ambient, 0xFF7F7F7Fu);
  const float kDiffuse[4] = {50, 50, 50, 100};
  const float kSpecular[4] = {45, 45, 45, 90};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(rig_->gpu.light.diffuse[i], kDiffuse[i]);
    EXPECT_NEAR(rig_->gpu.light.specular[i], kSpecular[i], 1e-4);
    EXPECT_FLOAT_EQ(rig_->gpu.light.ambient[i], 0);
  }
  EXPECT_FLOAT_EQ(rig_->gpu.light.direction[0], 1);
  EXPECT_FLOAT_EQ(rig_->gpu.light.direction[1], 0);
  EXPECT_FLOAT_EQ(rig_->gpu.light.direction[2], 1);
}

TEST(ModelWorldMatrixTest, ScaleTurnThenMoveFiveFurther) {
  const float c30 = 0.8660254f;
  const struct {
    const char* what;
    float scale, yaw, pitch, roll, x, y, z;
    float world[16];
  } kCases[] = {
      {"at rest", 1, 0, 0, 0, 0, 0, 0, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 5, 1}},
      {"yaw 30", 1, 30, 0, 0, 0, 0, 0, {c30, 0, -0.5f, 0, 0, 1, 0, 0, 0.5f, 0, c30, 0, 0, 0, 5, 1}},
      // Roll, then pitch, then yaw, each a quarter turn: x stays x, y goes to z, z to -y.
      {"all three", 2, 90, 90, 90, 1, 2, 3, {2, 0, 0, 0, 0, 0, 2, 0, 0, -2, 0, 0, 1, 2, 8, 1}},
      {"pitch 90", 3, 0, 90, 0, 0, -1, 0, {3, 0, 0, 0, 0, 0, 3, 0, 0, -3, 0, 0, 0, -1, 5, 1}},
  };
  for (const auto& c : kCases) {
    ModelSlot slot;
    slot.scale = c.scale;
    slot.rotation[0] = c.yaw;
    slot.rotation[1] = c.pitch;
    slot.rotation[2] = c.roll;
    slot.position[0] = c.x;
    slot.position[1] = c.y;
    slot.position[2] = c.z;
    float world[16];
    ModelWorldMatrix(slot, world);
    for (int i = 0; i < 16; ++i)
      EXPECT_NEAR(world[i], c.world[i], 1e-5) << c.what << " [" << i << "]";
  }
}

TEST(ProjectionTest, LeftHanded45DegreesNearPointOneFarHundred) {
  float p[16];
  MatrixPerspectiveFovLH(p, 0.785398f, 1, 0.1f, 100);
  const float cot = 1.0f / std::tan(0.785398f / 2);  // 2.4142135
  const float kExpected[16] = {
      cot, 0, 0, 0, 0, cot, 0, 0, 0, 0, 100 / 99.9f, 1, 0, 0, -0.1f * 100 / 99.9f, 0};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(p[i], kExpected[i], 1e-5) << i;
  // A point on the near plane maps to depth 0, on the far plane to depth 1.
  EXPECT_NEAR((0.1f * p[10] + p[14]) / 0.1f, 0, 1e-5);
  EXPECT_NEAR((100 * p[10] + p[14]) / 100, 1, 1e-5);
}

}  // namespace
}  // namespace vx
