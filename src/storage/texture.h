// Textures from archive members, and the 3-D model table.
#pragma once

namespace vx {

struct Texture;  // a GPU texture owned by the renderer

// Loads an image member into *slot. E_FAIL (slot untouched) when the member is missing or
// empty.
int LoadArchiveTexture(const char* archive, const char* member, Texture** slot);

// Model table: emptied at start-up, drawn after the sprite batch, released at shutdown.
void ResetModelTable();
void DrawModels();
void ReleaseModels();

}  // namespace vx
