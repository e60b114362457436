// The drawing device: the frame around the game's drawing. Sprites, textures and meshes
// are added beside these calls by the renderer.
#pragma once

namespace vx::platform {

class Gpu {
 public:
  virtual ~Gpu() = default;
  // Brings the device up on the window; false when no usable device can be made.
  virtual bool Create() = 0;
  // Viewport over the whole surface, clear to opaque black and depth 1.
  virtual void BeginFrame() = 0;
  virtual void BeginSprites() = 0;
  virtual void EndSprites() = 0;
  // Everything after the sprite batch (the models) has been drawn: show the frame.
  virtual void Present() = 0;
  virtual void Destroy() = 0;
};

}  // namespace vx::platform
