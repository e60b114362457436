// Colours of the game: the nine ball colours with their symbols and the five world themes.
#pragma once

#include "canvas.h"

namespace vx::art {

// The nine ball colours (index 0..8 = colour 1..9), far apart in hue and lightness.
inline const uint32_t kBallColours[9] = {0xE5303A, 0xFF8A1C, 0xFFD62A, 0x38C84A, 0x2EC9E0,
                                         0x2F5BEA, 0x9B45E0, 0xFF6FB5, 0xF2F0EA};
// Whether a colour is light enough that its symbol is printed dark.
inline bool IsLightColour(int c) {
  return c == 2 || c == 4 || c == 8;
}

struct WorldTheme {
  const char* name;
  uint32_t skyTop, skyBottom;  // the wash over the sky
  uint32_t ground, groundDark;
  uint32_t accent, accent2;
  uint32_t panel;  // frames and plates
};

inline const WorldTheme kWorlds[5] = {
    {"Meadow", 0xFFD7A8, 0xB8F0C0, 0x58B84A, 0x2E7A34, 0xFF9EC4, 0xFFE066, 0x4FAE5A},
    {"Ocean", 0x0B3C6E, 0x1C8FB8, 0x1E5C8A, 0x0A2748, 0x5FF2E0, 0xFFB36B, 0x1F6FA8},
    {"Dunes", 0xFF9A4D, 0x7A3F8F, 0xE0A050, 0x9A5A2A, 0xFFD25C, 0xE8504A, 0xC8783A},
    {"Crystal", 0x2A1650, 0x4E2D8A, 0x3A2A6A, 0x1A1035, 0x7CF2FF, 0xFF7CE8, 0x6A4AC0},
    {"Starlight", 0x050A24, 0x1E2A66, 0x141C44, 0x070B1E, 0xFFE27A, 0x8AB4FF, 0x2A3A8A},
};

// A glossy ball of colour c (0..8) in a world's finish (0..4) with its symbol; twinkle adds
// glints for the sparkle frames.
void PaintBall(cairo_t* cr, double cx, double cy, double r, int colour, int world, bool twinkle);
// The symbol of colour c, centred, about `size` pixels across.
void PaintSymbol(cairo_t* cr, double cx, double cy, double size, int colour, Rgb fill, Rgb line);
// A four-pointed glint.
void Glint(cairo_t* cr, double cx, double cy, double size, double alpha);

}  // namespace vx::art
