// Fixture for the drawing tests: headless backends, fresh drawing and texture state, and a
// 512 x 512 character sheet in sheet slot 1.
#pragma once
#include <gtest/gtest.h>

#include "draw/layers.h"
#include "draw/numbers.h"
#include "draw/sprite.h"
#include "gfx_fixtures.h"
#include "storage/texture.h"
#include "test_support.h"

namespace vx::test {

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig_ = &InstallHeadless();
    sprites = SpriteState{};
    prompt = PromptState{};
    layers = LayerState{};
    textureStore = TextureStore{};
    WriteArchive("_data.loc", {{"img\\chrset1.tga", MakeTga(512, 512)}});
    ASSERT_EQ(LoadArchiveTexture("_data.loc", "img\\chrset1.tga", &sprites.sheets[1]), 0);
    sheet_ = sprites.sheets[1]->gpuId;
  }
  const std::vector<platform::SpriteDraw>& Drawn() const { return rig_->gpu.sprites; }

  TempWorkDir dir_;
  HeadlessRig* rig_ = nullptr;
  unsigned sheet_ = 0;
};

}  // namespace vx::test
