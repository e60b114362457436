// The world selection screen.
#pragma once

namespace vx {

struct WorldSelectState {
  int selectedWorld = 1;
  int clickedWorld = 1;
  bool worldLocked[20] = {};  // the first five are the worlds; true = cannot be chosen
};
extern WorldSelectState worldSelect;

int WorldSelectScreen();

}  // namespace vx
