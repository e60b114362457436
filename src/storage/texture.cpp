#include "storage/texture.h"

#include <cstdio>

#include "core/game_state.h"
#include "platform/platform.h"
#include "storage/archive.h"
#include "storage/image_probe.h"

namespace vx {

TextureStore textureStore;

namespace {

Texture* NewTexture(const unsigned char* bytes, long size, const char* member) {
  ImageInfo info;
  if (!ProbeImage(bytes, size, member, &info)) return nullptr;
  if (info.width > kMaxImageSide || info.height > kMaxImageSide) return nullptr;
  platform::Gpu* gpu = platform::backend.gpu;
  if (!gpu) return nullptr;
  Texture* free = nullptr;
  for (Texture& t : textureStore.textures)
    if (t.references == 0) {
      free = &t;
      break;
    }
  if (!free) return nullptr;  // the store is full: refused like an unusable image
  unsigned id = gpu->CreateTexture(bytes, size, info.format, info.width, info.height);
  if (!id) return nullptr;
  *free = Texture{id, info.width, info.height, 1, {}};
  std::snprintf(free->member, sizeof free->member, "%s", member);
  return free;
}

}  // namespace

int LoadArchiveTexture(const char* archive, const char* member, Texture** slot) {
  long size = 0;
  unsigned char* bytes = OpenArchiveMember(archive, member, &size);
  if (!bytes || size <= 0) return E_FAIL;
  if (!slot) return E_FAIL;
  ReleaseTexture(*slot);
  *slot = NewTexture(bytes, size, member);
  return *slot ? 0 : E_FAIL;
}

void ReleaseTexture(Texture* texture) {
  if (!texture || texture->references <= 0) return;
  if (--texture->references > 0) return;
  if (platform::backend.gpu) platform::backend.gpu->DestroyTexture(texture->gpuId);
  *texture = Texture{};
}

void ResetTextureStore() {
  for (Texture& t : textureStore.textures) {
    if (t.references > 0 && platform::backend.gpu) platform::backend.gpu->DestroyTexture(t.gpuId);
    t = Texture{};
  }
}

}  // namespace vx
