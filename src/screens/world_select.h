// The world selection screen.
#pragma once

namespace vx {

struct WorldSelectState {
  int selectedWorld = 1;
  int clickedWorld = 1;
};
extern WorldSelectState worldSelect;

int WorldSelectScreen();

}  // namespace vx
