#include <cstring>

#include "platform/platform.h"
#include "storage/archive.h"
#include "storage/matrix.h"
#include "storage/texture.h"
#include "storage/xfile_check.h"

namespace vx {

ModelTable models;

namespace {

constexpr float kDegrees = 0.017453292f;

bool ValidSlot(int slot) {
  return slot >= 0 && slot < kModelSlots;
}

}  // namespace

bool LoadTexture(const char* name, int slot) {
  if (!ValidSlot(slot)) return false;
  ModelSlot& m = models.slots[slot];
  std::size_t length = name ? std::strlen(name) : 0;
  if (length == 0 || length > static_cast<std::size_t>(kTextureNameLimit)) {
    ReleaseTexture(m.texture);
    m.texture = nullptr;
    m.textureName[0] = '\0';
    if (length > static_cast<std::size_t>(kTextureNameLimit))
      platform::ShowMessage(name, "LoadTexture - Filepath too long (max 190)");
    return false;
  }
  // A texture already loaded under this name is shared, not loaded again.
  Texture* texture = nullptr;
  for (const ModelSlot& other : models.slots)
    if (other.loaded && other.textureName[0] && std::strcmp(other.textureName, name) == 0) {
      texture = other.texture;
      if (texture) ++texture->references;
      break;
    }
  if (!texture) LoadArchiveTexture("_data.loc", name, &texture);
  ReleaseTexture(m.texture);
  m.texture = texture;
  std::memcpy(m.textureName, name, length + 1);
  return true;
}

void game3d_LoadChr(const char* xfile, const char* textureName, int slot) {
  if (!ValidSlot(slot)) return;
  ModelSlot& m = models.slots[slot];
  platform::Gpu* gpu = platform::backend.gpu;
  if (m.mesh && gpu) gpu->DestroyMesh(m.mesh);
  m.mesh = 0;
  long size = 0;
  unsigned char* bytes = OpenArchiveMember("_data.loc", xfile, &size);
  // The structure check comes before the reader: a damaged count or index never reaches it.
  const bool plausible = bytes && size > 0 && PlausibleXFile(bytes, size);
  unsigned mesh = (plausible && gpu) ? gpu->CreateMesh(bytes, size) : 0;
  if (!mesh) {
    platform::ShowMessage(xfile ? xfile : "", "Fail Loading at: game3d_LoadChr()");
    return;
  }
  m.mesh = mesh;
  LoadTexture(textureName, slot);
  // White diffuse, and an ambient colour equal to it as materials read from X files carry:
  // the ambient light then shows the faces turned away from the light instead of black.
  m.material = platform::Material{};
  for (int i = 0; i < 4; ++i) m.material.ambient[i] = m.material.diffuse[i];
  for (int i = 0; i < 3; ++i) m.rotation[i] = m.position[i] = 0.0f;
  m.scale = 1.0f;
  m.loaded = true;
  m.alwaysDrawn = false;
  m.drawThisFrame = false;
}

void RequestModelDraw(int slot) {
  if (ValidSlot(slot)) models.slots[slot].drawThisFrame = true;
}

void ModelWorldMatrix(const ModelSlot& slot, float out[16]) {
  float scale[16], rotation[16], translation[16];
  MatrixScaling(scale, slot.scale, slot.scale, slot.scale);
  MatrixRotationYawPitchRoll(rotation, slot.rotation[0] * kDegrees, slot.rotation[1] * kDegrees,
                             slot.rotation[2] * kDegrees);
  MatrixTranslation(translation, slot.position[0], slot.position[1], slot.position[2] + 5.0f);
  MatrixMultiply(out, scale, rotation);
  MatrixMultiply(out, out, translation);
}

void SetSceneLight(float red, float green, float blue, float alpha, float specularFactor) {
  auto byte = [](float c) {
    return static_cast<std::uint32_t>(static_cast<int>(c * 255.0f)) & 0xFF;
  };
  models.ambient = byte(alpha) << 24 | byte(red) << 16 | byte(green) << 8 | byte(blue);
  const float diffuse[4] = {red * 100.0f, green * 100.0f, blue * 100.0f, alpha * 100.0f};
  for (int i = 0; i < 4; ++i) {
    models.light.diffuse[i] = diffuse[i];
    models.light.specular[i] = diffuse[i] * specularFactor;
  }
  if (platform::Gpu* gpu = platform::backend.gpu) {
    gpu->SetAmbient(models.ambient);
    gpu->SetLight(models.light);
  }
}

void ResetModelTable() {
  for (ModelSlot& m : models.slots) m = ModelSlot{};
}

void DrawModels() {
  platform::Gpu* gpu = platform::backend.gpu;
  float view[16];
  MatrixIdentity(view);
  for (ModelSlot& m : models.slots) {
    if (gpu && m.loaded && m.mesh && (m.alwaysDrawn || m.drawThisFrame)) {
      gpu->SetView(view);
      platform::MeshDraw draw;
      draw.mesh = m.mesh;
      draw.texture = m.texture ? m.texture->gpuId : 0;
      ModelWorldMatrix(m, draw.world);
      draw.material = m.material;
      gpu->DrawMesh(draw);
    }
    m.drawThisFrame = false;
  }
}

void ReleaseModels() {
  platform::Gpu* gpu = platform::backend.gpu;
  for (ModelSlot& m : models.slots) {
    if (!m.loaded) continue;
    if (m.mesh && gpu) gpu->DestroyMesh(m.mesh);
    ReleaseTexture(m.texture);
    m = ModelSlot{};
  }
}

}  // namespace vx
