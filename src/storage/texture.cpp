#include "storage/texture.h"

#include "app/game_state.h"
#include "storage/archive.h"

namespace vx {

// Not built yet: the texture itself. The member is looked up so a missing image is still
// reported where the game reports it.
int LoadArchiveTexture(const char* archive, const char* member, Texture** /*slot*/) {
  long size = 0;
  if (!OpenArchiveMember(archive, member, &size) || size <= 0) return E_FAIL;
  return 0;
}

void ResetModelTable() {}
void DrawModels() {}
void ReleaseModels() {}

}  // namespace vx
