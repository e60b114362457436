// Boot loading: the first frame's work. Loads the images every screen shares, the sound
// effects, the three title models, the settings and the best times, then hands over to the
// title.
#pragma once

namespace vx {

struct Texture;

inline constexpr int kPlayerFigureCount = 3;

// Shared pictures that are not sprite sheets: the title's turning wheel, the launcher image
// and the three player figure images of the play field.
struct SharedImages {
  Texture* logo = nullptr;                          // "img\logo.tga"
  Texture* wheel = nullptr;                         // "img\wheel.tga"
  Texture* playerFigures[kPlayerFigureCount] = {};  // "img\player1_%d.tga"
};
extern SharedImages sharedImages;

// Handler of the Boot state. Returns E_FAIL (the state stays Boot) after reporting the first
// shared image that cannot be loaded; otherwise switches to TitleLoad and returns 0.
int Game_0Stage0();

}  // namespace vx
