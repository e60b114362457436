// The OpenGL 3.3 core device on the SDL window: the frame steps, the sprite batch, textures
// decoded with SDL2_image, meshes read with Assimp and drawn with the fixed-function light
// model, and screenshots of the last frame.
#pragma once
#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "platform/gpu.h"
#include "platform/sprite_quad.h"

namespace vx::platform {

class SdlWindow;

// Compiles and links a GLSL program; 0 (with the log on stderr) on failure.
GLuint LinkProgram(const char* vertexSource, const char* fragmentSource);

// Decodes an image file in memory with SDL2_image into RGBA32 pixels; null when it cannot
// be read or does not have the size its header promised.
SDL_Surface* DecodeImage(const unsigned char* file, long size, ImageFormat format, int width,
                         int height);

// One vertex of a mesh as it is uploaded.
struct MeshVertex {
  float position[3];
  float normal[3];
  float uv[2];
};
// Reads the first subset of an X file in memory with Assimp, in the file's own left-handed
// coordinates. False when the file has no mesh with triangles.
bool ReadXFileMesh(const unsigned char* file, long size, std::vector<MeshVertex>* vertices,
                   std::vector<GLuint>* indices);

class SdlGpu : public Gpu {
 public:
  explicit SdlGpu(SdlWindow* window) : window_(window) {}
  bool Create() override;
  void BeginFrame() override;
  void BeginSprites() override;
  void DrawSprite(const SpriteDraw& sprite) override;
  void EndSprites() override;
  void Present() override;
  void Destroy() override;

  unsigned CreateTexture(const unsigned char* file, long size, ImageFormat format, int width,
                         int height) override;
  void DestroyTexture(unsigned texture) override;
  unsigned CreateMesh(const unsigned char* file, long size) override;
  void DestroyMesh(unsigned mesh) override;

  void SetProjection(const float matrix[16]) override;
  void SetView(const float matrix[16]) override;
  void SetLight(const Light& light) override { light_ = light; }
  void SetAmbient(std::uint32_t argb) override { ambient_ = argb; }
  void DrawMesh(const MeshDraw& draw) override;

  // Keeps a copy of every frame just before it is shown, so that SaveScreenshot can write
  // the last one. Off by default: reading the frame back costs time.
  bool keepLastFrame = false;
  // Writes the last kept frame as PNG at the window's pixel size. False when there is none
  // or the file cannot be written.
  bool SaveScreenshot(const char* path);
  // Number of GL draw calls the last sprite batch issued (one per run of one texture).
  int lastSpriteDrawCalls = 0;

 private:
  void DrawSpriteBatch();
  struct TextureEntry {
    GLuint name = 0;
    int width = 0, height = 0;
  };
  struct MeshEntry {
    GLuint vao = 0, vbo = 0, ibo = 0;
    GLsizei indexCount = 0;
  };
  struct Run {
    GLuint texture;
    int firstQuad;
    int quads;
  };

  bool MakePrograms();
  bool MakeMeshProgram();
  const TextureEntry* FindTexture(unsigned id) const;
  const MeshEntry* FindMesh(unsigned id) const;

  SdlWindow* window_;
  SDL_GLContext context_ = nullptr;
  bool vsync_ = false;
  std::uint64_t lastPresent_ = 0;

  GLuint spriteProgram_ = 0, spriteVao_ = 0, spriteVbo_ = 0, spriteIbo_ = 0;
  int indexedQuads_ = 0;  // quads the sprite index buffer covers
  std::vector<SpriteVertex> vertices_;
  std::vector<Run> runs_;
  // Textures released while sprites that use them wait in the batch: a screen may let go of
  // a sheet in the same frame it drew from it (two screens sharing a layer slot at a change of
  // state). GL would reuse the freed name for the next texture made, so the queued sprites
  // would show that one; the names are freed once the batch is drawn.
  std::vector<GLuint> retired_;

  GLuint meshProgram_ = 0, whiteTexture_ = 0;
  float projection_[16] = {};
  float view_[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  Light light_;
  std::uint32_t ambient_ = 0;

  std::vector<TextureEntry> textures_;  // texture n is textures_[n - 1]; name 0 = free
  std::vector<MeshEntry> meshes_;       // mesh n is meshes_[n - 1]; vao 0 = free

  std::vector<unsigned char> lastFrame_;
  int lastFrameWidth_ = 0, lastFrameHeight_ = 0;
};

}  // namespace vx::platform
