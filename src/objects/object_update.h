// The per-frame update of every special cell and field object.
#pragma once

namespace vx {

struct Texture;

struct ObjectUpdateState {
  bool removedThisFrame = false;  // reset by the dispatcher at the top of every frame
  Texture* explosionImages[8] = {};
};
extern ObjectUpdateState objectUpdate;

int UpdateObjects();

}  // namespace vx
