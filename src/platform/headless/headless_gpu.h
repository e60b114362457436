// The recording GPU: every sprite and mesh draw is kept in a list a test can read, textures
// and meshes are bookkeeping entries, and the frame calls are counted.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/gpu.h"

namespace vx::platform {

class HeadlessGpu : public Gpu {
 public:
  bool Create() override { return available; }
  // A new frame starts a new draw list.
  void BeginFrame() override;
  void BeginSprites() override { spritesOpen = true; }
  void DrawSprite(const SpriteDraw& sprite) override;
  void EndSprites() override { spritesOpen = false; }
  void Present() override { ++framesPresented; }
  void Destroy() override { destroyed = true; }

  unsigned CreateTexture(const unsigned char* file, long size, ImageFormat format, int width,
                         int height) override;
  void DestroyTexture(unsigned texture) override;
  unsigned CreateMesh(const unsigned char* file, long size) override;
  void DestroyMesh(unsigned mesh) override;

  void SetProjection(const float matrix[16]) override;
  void SetView(const float matrix[16]) override;
  void SetLight(const Light& l) override { light = l; }
  void SetAmbient(std::uint32_t argb) override { ambient = argb; }
  void DrawMesh(const MeshDraw& draw) override { meshDraws.push_back(draw); }

  struct TextureEntry {
    ImageFormat format;
    int width, height;
    bool alive;
  };
  // Texture n is textures[n - 1]; mesh n is meshAlive[n - 1].
  const TextureEntry* FindTexture(unsigned id) const;
  int LiveTextures() const;
  int LiveMeshes() const;

  bool available = true;
  bool failTextures = false;  // every texture creation fails (out of video memory)
  bool spritesOpen = false;
  bool destroyed = false;
  int framesBegun = 0;
  int framesPresented = 0;
  std::vector<SpriteDraw> sprites;
  std::vector<MeshDraw> meshDraws;
  std::vector<TextureEntry> textures;
  std::vector<bool> meshAlive;
  float projection[16] = {};
  float view[16] = {};
  Light light;
  std::uint32_t ambient = 0;
};

}  // namespace vx::platform
