// Pictures every part of the game shares that are not sprite sheets: the title's turning
// wheel, the gear behind the launcher and the player figure beside it. The boot loader fills
// them from "_data.loc"; the title and the field drawing draw them.
#pragma once

namespace vx {

struct Texture;

inline constexpr int kPlayerFigureCount = 3;

struct SharedImages {
  Texture* logo = nullptr;                          // "img\logo.tga"
  Texture* wheel = nullptr;                         // "img\wheel.tga"
  Texture* playerFigures[kPlayerFigureCount] = {};  // "img\player1_%d.tga"
};
extern SharedImages sharedImages;

}  // namespace vx
