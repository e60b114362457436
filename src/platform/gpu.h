// The drawing device: the frame around the game's drawing, the sprite batch, textures,
// meshes, and the fixed 3-D state (projection, view, one directional light, ambient colour)
// the meshes are lit with.
#pragma once
#include <cmath>
#include <cstdint>

namespace vx::platform {

// Image formats the texture loader decodes. The game core reads the header to pick one and
// to learn the size before any pixel is decoded.
enum class ImageFormat { Tga, Png, Jpeg, Bmp };

// One sprite of the batch. The texel rectangle (right and bottom exclusive) is scaled about
// its own top-left corner, rotated by `angle` radians about (centreX, centreY) (measured in
// the scaled rectangle's own space, positive angles clockwise on the y-down screen), then
// moved by (x, y). Coordinates are pixels of the 512 x 512 drawing surface. `colour` is
// ARGB and multiplies the texels; texel alpha blends.
struct SpriteDraw {
  unsigned texture = 0;
  float left = 0, top = 0, right = 0, bottom = 0;
  float scaleX = 1, scaleY = 1;
  float centreX = 0, centreY = 0;
  float angle = 0;
  float x = 0, y = 0;
  std::uint32_t colour = 0xFFFFFFFF;
};

// The four corners of a sprite on the surface, in the order top-left, top-right,
// bottom-right, bottom-left of the source rectangle: x0 y0 x1 y1 x2 y2 x3 y3.
inline void SpriteCorners(const SpriteDraw& s, float out[8]) {
  const float w = (s.right - s.left) * s.scaleX;
  const float h = (s.bottom - s.top) * s.scaleY;
  // Most sprites are not turned: skip the trigonometry for them.
  const float c = s.angle == 0 ? 1.0f : std::cos(s.angle);
  const float n = s.angle == 0 ? 0.0f : std::sin(s.angle);
  const float px[4] = {0, w, w, 0};
  const float py[4] = {0, 0, h, h};
  for (int i = 0; i < 4; ++i) {
    const float dx = px[i] - s.centreX, dy = py[i] - s.centreY;
    // With y pointing down, this turn is clockwise on screen for positive angles.
    out[2 * i] = s.centreX + dx * c - dy * n + s.x;
    out[2 * i + 1] = s.centreY + dx * n + dy * c + s.y;
  }
}

// Colours as four floats r, g, b, a.
struct Light {
  float diffuse[4] = {1, 1, 1, 1};
  float specular[4] = {1, 1, 1, 1};
  float ambient[4] = {0, 0, 0, 0};
  float direction[3] = {1, 0, 1};
};

struct Material {
  float diffuse[4] = {1, 1, 1, 1};
  float ambient[4] = {0, 0, 0, 0};
  float specular[4] = {0, 0, 0, 0};
  float emissive[4] = {0, 0, 0, 0};
  float power = 0;
};

// Matrices are 16 floats, row by row, for row vectors (v' = v x M): the translation sits
// in elements 12, 13, 14.
struct MeshDraw {
  unsigned mesh = 0;
  unsigned texture = 0;  // 0: untextured
  float world[16] = {};
  Material material;
};

class Gpu {
 public:
  virtual ~Gpu() = default;
  // Brings the device up on the window; false when no usable device can be made.
  virtual bool Create() = 0;
  // Viewport over the whole surface, clear to opaque black and depth 1.
  virtual void BeginFrame() = 0;
  virtual void BeginSprites() = 0;
  // Queues one sprite; sprites are drawn in call order when the batch ends.
  virtual void DrawSprite(const SpriteDraw& sprite) = 0;
  virtual void EndSprites() = 0;
  // Everything after the sprite batch (the models) has been drawn: show the frame.
  virtual void Present() = 0;
  virtual void Destroy() = 0;

  // Decodes an image file held in memory (the caller has checked the header: format,
  // width, height) and makes a texture with its full mip chain. Returns 0 on failure.
  virtual unsigned CreateTexture(const unsigned char* file, long size, ImageFormat format,
                                 int width, int height) = 0;
  virtual void DestroyTexture(unsigned texture) = 0;

  // Reads an X file held in memory into a mesh (positions, normals, texture coordinates of
  // its first subset). The caller has checked the file's structure first (the model loader
  // refuses implausible files before they get here). Returns 0 on failure.
  virtual unsigned CreateMesh(const unsigned char* file, long size) = 0;
  virtual void DestroyMesh(unsigned mesh) = 0;

  virtual void SetProjection(const float matrix[16]) = 0;
  virtual void SetView(const float matrix[16]) = 0;
  virtual void SetLight(const Light& light) = 0;
  // The ambient colour of the scene as ARGB.
  virtual void SetAmbient(std::uint32_t argb) = 0;
  // Draws a lit, depth-tested mesh at once (after the sprite batch has ended).
  virtual void DrawMesh(const MeshDraw& draw) = 0;
};

}  // namespace vx::platform
