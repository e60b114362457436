// Textures from archive members, and the 3-D model table.
#pragma once
#include <cstdint>

#include "platform/gpu.h"

namespace vx {

// A GPU texture as the game holds it: the backend's handle, the image's size, and how many
// slots refer to it. Texture slots are plain `Texture*` globals owned by the module that
// draws them; a slot holds one texture or none (null).
struct Texture {
  unsigned gpuId = 0;
  int width = 0;
  int height = 0;
  int references = 0;  // 0: this entry of the store is free
  // The archive member it was made from (cut short past 63 characters), so a record of the
  // frame's draws can name the sheets.
  char member[64] = {};
};

inline constexpr int kTextureCapacity = 1024;

// Every texture the game holds lives in this store.
struct TextureStore {
  Texture textures[kTextureCapacity];
};
extern TextureStore textureStore;

// Loads an image member into *slot. E_FAIL (slot untouched) when the member is missing or
// empty. Otherwise the slot's texture is released, and the slot receives the new texture;
// when the bytes are not a usable image the slot stays empty and E_FAIL is returned.
int LoadArchiveTexture(const char* archive, const char* member, Texture** slot);
// Drops one reference; the GPU texture goes when the last one does. Null is fine.
void ReleaseTexture(Texture* texture);
// Drops every texture and frees the store (tests).
void ResetTextureStore();

// ---- 3-D models ----

inline constexpr int kModelSlots = 256;
inline constexpr int kTextureNameLimit = 190;

struct ModelSlot {
  float position[3] = {0, 0, 0};  // drawn 5 units further along z
  float rotation[3] = {0, 0, 0};  // degrees: yaw, pitch, roll
  float scale = 1;
  unsigned mesh = 0;  // the GPU mesh, 0 for none
  platform::Material material;
  Texture* texture = nullptr;
  char textureName[kTextureNameLimit + 1] = {};
  bool loaded = false;
  bool alwaysDrawn = false;
  bool drawThisFrame = false;
};

struct ModelTable {
  ModelSlot slots[kModelSlots];
  // The scene light shared by all models (light 0) and the ambient colour, as the device
  // set-up leaves them until SetSceneLight changes them.
  platform::Light light;
  std::uint32_t ambient = 0xFFCE3333;
};
extern ModelTable models;

// Gives a model slot its texture from "_data.loc", sharing one already loaded under the
// same name. False when the name is empty or longer than 190 characters.
bool LoadTexture(const char* name, int slot);
// Loads an X-file member and its texture into a model slot.
void game3d_LoadChr(const char* xfile, const char* textureName, int slot);
void RequestModelDraw(int slot);
// Scale, then yaw-pitch-roll, then translation to (x, y, z + 5).
void ModelWorldMatrix(const ModelSlot& slot, float out[16]);
// Ambient colour and light 0 of the scene; colours 0..1 except the specular factor.
void SetSceneLight(float red, float green, float blue, float alpha, float specularFactor);

// Model table: emptied at start-up, drawn after the sprite batch, released at shutdown.
void ResetModelTable();
void DrawModels();
void ReleaseModels();

}  // namespace vx
