// The titles of the nine pieces of music. The music generator names its pieces
// from this table and the art generator paints the music-credit strips from it,
// so the two always agree.
#pragma once

namespace vx::assetgen {

struct MusicPiece {
  const char* member;  // archive member name in _mp.loc
  const char* title;   // shown on the music-credit strip
  int creditRow;       // row of img\musiccredit.tga (strips of 255 x 24 at y = 25 * row), -1 none
};

inline constexpr MusicPiece kMusicPieces[] = {
    {"mp3\\scnstart\\m0.mp3", "Wheels of Morning", 0},
    {"mp3\\scnplay_sfxloop\\ploop1.mp3", "Dew on the Meadow", 4},
    {"mp3\\scnplay_sfxloop\\ploop2.mp3", "Tide Lanterns", 5},
    {"mp3\\scnplay_sfxloop\\ploop3.mp3", "Dune Caravan", 6},
    {"mp3\\scnplay_sfxloop\\ploop4.mp3", "Crystal Hollow", 7},
    {"mp3\\scnplay_sfxloop\\ploop5.mp3", "Lullaby for Comets", 8},
    {"mp3\\scnplayinfo\\m1.mp3", "Ready, Aim", -1},
    {"mp3\\scnretry\\m0.mp3", "One More Try", -1},
    {"mp3\\scnfin\\m1.mp3", "Homeward Glow", -1},
};

}  // namespace vx::assetgen
