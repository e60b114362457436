#include "platform/headless/headless_gpu.h"

#include <cstring>
#include <string_view>

namespace vx::platform {

void HeadlessGpu::BeginFrame() {
  ++framesBegun;
  sprites.clear();
  meshDraws.clear();
}

void HeadlessGpu::DrawSprite(const SpriteDraw& sprite) {
  sprites.push_back(sprite);
}

unsigned HeadlessGpu::CreateTexture(const unsigned char* file, long size, ImageFormat format,
                                    int width, int height) {
  if (failTextures || !file || size <= 0 || width <= 0 || height <= 0) return 0;
  textures.push_back({format, width, height, true});
  return static_cast<unsigned>(textures.size());
}

void HeadlessGpu::DestroyTexture(unsigned texture) {
  if (texture >= 1 && texture <= textures.size()) textures[texture - 1].alive = false;
}

const HeadlessGpu::TextureEntry* HeadlessGpu::FindTexture(unsigned id) const {
  if (id < 1 || id > textures.size()) return nullptr;
  return &textures[id - 1];
}

int HeadlessGpu::LiveTextures() const {
  int n = 0;
  for (const TextureEntry& t : textures) n += t.alive ? 1 : 0;
  return n;
}

int HeadlessGpu::LiveMeshes() const {
  int n = 0;
  for (bool alive : meshAlive) n += alive ? 1 : 0;
  return n;
}

// Without a real X-file reader: a text X file that declares a Mesh counts as a mesh,
// anything else is refused.
unsigned HeadlessGpu::CreateMesh(const unsigned char* file, long size) {
  if (!file || size <= 0) return 0;
  std::string_view text(reinterpret_cast<const char*>(file), static_cast<std::size_t>(size));
  if (text.find("Mesh ") == std::string_view::npos && text.find("Mesh{") == std::string_view::npos)
    return 0;
  meshAlive.push_back(true);
  return static_cast<unsigned>(meshAlive.size());
}

void HeadlessGpu::DestroyMesh(unsigned mesh) {
  if (mesh >= 1 && mesh <= meshAlive.size()) meshAlive[mesh - 1] = false;
}

void HeadlessGpu::SetProjection(const float matrix[16]) {
  std::memcpy(projection, matrix, sizeof projection);
}

void HeadlessGpu::SetView(const float matrix[16]) {
  std::memcpy(view, matrix, sizeof view);
}

}  // namespace vx::platform
