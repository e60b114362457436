#include "atlas.h"

namespace vx::art {

namespace {

using K = RegionKind;

Region R(int l, int t, int r, int b, K k, std::string what) {
  // words may stand on a transparent ground, so text needs only a smaller painted share
  return {l, t, r, b, k, std::move(what), k == K::Text ? 0.08 : 0.25};
}

Region Whole(int w, int h, std::string what) {
  return {0, 0, w, h, K::Art, std::move(what)};
}

std::vector<Region> CharacterSheet() {
  std::vector<Region> v;
  // The intro button and the launcher wheel meet across the sheet's bottom edge (the texture
  // repeats) and are drawn at full size: a gutter of 1 pixel keeps them apart.
  v.push_back(R(0, 0, 115, 15, K::Text, "intro button"));
  v.back().gutter = 1;
  v.push_back(R(141, 14, 149, 22, K::Art, "aim guide dot"));
  for (int d = 0; d < 10; ++d)
    v.push_back(R(160 + 20 * d, 0, 180 + 20 * d, 24, K::Text, "digit " + std::to_string(d)));
  v.push_back(R(370, 0, 390, 20, K::Art, "mouse pointer"));
  // The separators are two small dots in a tall, narrow rectangle.
  v.push_back(R(390, 0, 399, 24, K::Art, "separator hours:minutes"));
  v.back().minShare = 0.15;
  v.push_back(R(400, 0, 409, 24, K::Art, "separator minutes:seconds"));
  v.back().minShare = 0.15;
  v.push_back(R(0, 32, 86, 46, K::Text, "continue button"));
  v.push_back(R(0, 45, 511, 50, K::Art, "editor bottom line marker"));
  v.push_back(R(0, 50, 26, 78, K::Art, "left arrow"));
  v.push_back(R(68, 50, 98, 78, K::Art, "right arrow"));
  v.push_back(R(108, 51, 135, 79, K::Text, "basic stage set sign"));
  v.push_back(R(0, 80, 100, 96, K::Text, "stage set label"));
  v.push_back(R(168, 70, 190, 106, K::Art, "open lock"));
  v.push_back(R(194, 70, 217, 106, K::Art, "closed lock"));
  const int rows[6] = {54, 70, 83, 98, 113, 127};
  for (int w = 0; w < 5; ++w) {
    v.push_back(R(240, rows[w], 323, rows[w + 1], K::Text, "world label " + std::to_string(w + 1)));
    v.back().gutter = 1;  // stacked without gaps and drawn unscaled
  }
  v.push_back(R(345, 60, 440, 120, K::Text, "energy label"));
  v.push_back(R(460, 60, 510, 110, K::Art, "danger strip"));
  v.push_back(R(254, 130, 395, 176, K::Text, "yes/no prompt"));
  v.push_back(R(470, 130, 510, 160, K::Art, "check mark"));
  v.push_back(R(260, 180, 275, 200, K::Art, "sum sign"));
  v.push_back(R(280, 180, 395, 200, K::Text, "best time label"));
  v.push_back(R(400, 185, 455, 200, K::Text, "current-line marker"));
  v.push_back(R(455, 185, 465, 200, K::Art, "dash"));
  v.back().minShare = 0.15;  // a short bar, 6 pixels wide between its gutters
  v.push_back(R(0, 256, 117, 511, K::Art, "launcher wheel"));
  v.back().gutter = 1;
  for (int k = 0; k < 35; ++k) v.push_back(CellFrame(k));
  return v;
}

std::vector<Region> GemSheet() {
  std::vector<Region> v;
  for (int n = 0; n < 100; ++n) {
    const int x = (n % 10) * 50, y = (n / 10) * 50;
    v.push_back(R(x, y, x + 50, y + 50, K::Art, "gem frame " + std::to_string(n)));
  }
  return v;
}

std::vector<Region> BallSheet() {
  std::vector<Region> v;
  for (int f = 0; f < 19; ++f) {
    if (f == 9) continue;
    const int x = (f % 5) * 50, y = (f / 5) * 50;
    v.push_back(R(x, y, x + 50, y + 50, K::Art,
                  (f < 9 ? "colour " : "twinkling colour ") + std::to_string(f % 10 + 1)));
  }
  return v;
}

std::vector<SheetEntry> Build() {
  std::vector<SheetEntry> a;
  a.push_back({"img/chrset1.tga", 512, 512, false, CharacterSheet()});
  a.push_back({"img/gemset0.tga", 512, 512, false, GemSheet()});
  a.push_back({"img/gemset1.tga", 512, 512, false, GemSheet()});
  for (int w = 1; w <= 5; ++w)
    a.push_back({"img/ball" + std::to_string(w) + ".tga", 256, 256, false, BallSheet()});
  for (int n = 1; n <= 8; ++n)
    a.push_back({"img/explosion_" + std::to_string(n) + ".tga",
                 64,
                 64,
                 false,
                 {Whole(64, 64, "burst frame")}});
  a.push_back({"img/logo.tga", 256, 256, false, {Whole(256, 256, "title wheel")}});
  a.push_back({"img/wheel.tga", 256, 256, false, {Whole(256, 256, "gear")}});
  for (int n = 0; n < 3; ++n)
    a.push_back({"img/player1_" + std::to_string(n) + ".tga",
                 128,
                 128,
                 false,
                 {{0, 0, 128, 128, K::Art, "player figure (transparent around it)", 0.15}}});
  a.push_back({"img/sky.jpg", 512, 512, true, {Whole(512, 512, "sky")}});
  a.push_back({"img/pusher.tga", 512, 512, false, {Whole(512, 512, "ceiling press")}});
  for (int w = 1; w <= 5; ++w)
    a.push_back({"pho/bkg" + std::to_string(w) + ".tga",
                 512,
                 512,
                 false,
                 {R(0, 440, 512, 512, K::Art, "ground")}});
  a.push_back({"img/startscreenclouds.tga", 512, 512, true, {Whole(512, 512, "clouds")}});
  a.push_back(
      {"img/startscreenchrset.tga",
       512,
       512,
       false,
       {R(180, 180, 310, 310, K::Art, "emblem"), R(350, 180, 512, 340, K::Art, "glow"),
        R(180, 328, 332, 462, K::Text, "menu words"), R(0, 32, 511, 105, K::Text, "game title"),
        R(0, 106, 511, 175, K::Text, "subtitle"), R(0, 465, 165, 511, K::Art, "selection bar")}});
  {
    std::vector<Region> v;
    const int bx[5] = {31, 201, 371, 121, 291}, by[5] = {66, 66, 66, 226, 226};
    for (int w = 0; w < 5; ++w)
      v.push_back(R(bx[w] + 4, by[w] + 4, bx[w] + 114, by[w] + 104, K::Window,
                    "world box " + std::to_string(w + 1)));
    v.push_back(R(170, 470, 255, 500, K::Text, "back button"));
    v.push_back(R(260, 470, 345, 500, K::Text, "play button"));
    v.push_back(R(0, 0, 512, 60, K::Text, "heading"));
    a.push_back({"img/levelscrn.tga", 512, 512, false, v});
  }
  a.push_back(
      {"img/optionscrn.tga",
       512,
       512,
       false,
       {R(232, 195, 252, 210, K::Text, "music +"), R(232, 218, 252, 230, K::Text, "music -"),
        R(232, 260, 252, 274, K::Text, "effects +"), R(232, 278, 252, 290, K::Text, "effects -"),
        R(232, 314, 252, 330, K::Text, "window size +"),
        R(232, 332, 252, 344, K::Text, "window size -"),
        R(448, 316, 480, 344, K::Text, "fit button"),
        R(232, 360, 292, 390, K::Text, "window position arrows"),
        R(275, 80, 308, 108, K::Art, "reset last times box"),
        R(275, 142, 308, 170, K::Art, "reset best times box"),
        R(320, 470, 385, 495, K::Text, "cancel button"),
        R(415, 470, 485, 495, K::Text, "ok button"), R(20, 190, 225, 235, K::Text, "music label"),
        R(20, 250, 225, 295, K::Text, "effects label")}});
  {
    std::vector<Region> v = {R(0, 7, 370, 72, K::Art, "title bar"),
                             R(30, 393, 190, 417, K::Text, "world name 1"),
                             R(190, 393, 310, 417, K::Text, "world name 2"),
                             R(310, 393, 385, 417, K::Text, "world name 3"),
                             R(385, 393, 512, 417, K::Text, "world name 4"),
                             R(59, 430, 183, 455, K::Text, "world name 5"),
                             R(23, 173, 512, 221, K::Art, "stage row"),
                             R(20, 116, 240, 140, K::Text, "stage label"),
                             R(23, 306, 512, 355, K::Art, "group row"),
                             R(20, 140, 316, 165, K::Text, "group label"),
                             R(192, 430, 392, 456, K::Text, "start prompt")};
    for (int d = 0; d < 10; ++d)
      v.push_back(R(30 * d, 80, 30 * d + 30, 110, K::Text, "panel digit " + std::to_string(d)));
    a.push_back({"img/playinfochrset.tga", 512, 512, false, v});
  }
  a.push_back({"img/escscreen.tga", 512, 512, false, {Whole(512, 512, "pause backdrop")}});
  a.push_back(
      {"img/retrychrset.tga",
       1024,
       512,
       false,
       {R(90, 70, 410, 95, K::Text, "continue line"), R(90, 95, 410, 116, K::Text, "retry line"),
        R(90, 116, 410, 135, K::Text, "quit line"),
        R(200, 248, 520, 270, K::Text, "restart world line"),
        R(340, 170, 510, 250, K::Text, "no tries message"),
        R(75, 385, 430, 497, K::Text, "quit question")}});
  a.push_back(
      {"img/stagestime.tga",
       512,
       512,
       false,
       {R(420, 465, 480, 490, K::Text, "next button"),
        R(340, 465, 410, 490, K::Text, "again button"),
        R(220, 465, 285, 490, K::Text, "title button"), R(0, 0, 512, 60, K::Text, "heading")}});
  a.push_back({"img/stagestimechrset.tga",
               256,
               256,
               false,
               {R(0, 0, 255, 75, K::Text, "new record headline"),
                R(0, 75, 255, 170, K::Text, "world complete"),
                R(0, 170, 255, 210, K::Text, "new record blink line")}});
  a.push_back({"img/savegame.tga",
               512,
               512,
               false,
               {R(0, 70, 435, 350, K::Text, "save offer panel"),
                R(0, 435, 175, 510, K::Text, "saved confirmation")}});
  a.push_back(
      {"img/finishscene.tga",
       512,
       512,
       false,
       {R(7, 164, 178, 242, K::Art, "centre scenery band"),
        R(182, 164, 342, 242, K::Art, "top scenery band"),
        R(345, 164, 510, 242, K::Art, "bottom scenery band"),
        R(150, 0, 296, 160, K::Art, "character 1"), R(322, 0, 470, 160, K::Art, "character 2"),
        R(0, 0, 148, 150, K::Art, "character 3"), R(0, 268, 157, 343, K::Art, "craft top"),
        R(0, 343, 157, 357, K::Art, "craft middle"), R(0, 358, 157, 433, K::Art, "craft bottom"),
        R(5, 248, 370, 263, K::Art, "beam")}});
  a.push_back(
      {"img/finishtext.tga",
       512,
       512,
       false,
       {R(0, 0, 265, 215, K::Art, "caption bubble"), R(270, 15, 510, 70, K::Text, "caption 1"),
        R(270, 70, 510, 145, K::Text, "caption 2"), R(270, 145, 510, 230, K::Text, "caption 3"),
        R(0, 245, 225, 345, K::Text, "caption 4"), R(0, 360, 225, 460, K::Text, "caption 5"),
        R(240, 240, 480, 350, K::Text, "caption 6")}});
  a.push_back({"img/starfield.tga", 512, 512, true, {Whole(512, 512, "stars")}});
  {
    std::vector<Region> v;
    for (int row : {0, 4, 5, 6, 7, 8})
      v.push_back(
          R(0, 25 * row, 255, 25 * row + 24, K::Text, "credit strip " + std::to_string(row)));
    a.push_back({"img/musiccredit.tga", 256, 256, false, v});
  }
  a.push_back(
      {"img/editbackground.tga",
       512,
       512,
       false,
       {R(477, 476, 511, 512, K::Text, "leave button"), R(437, 476, 468, 512, K::Text, "next"),
        R(398, 476, 432, 512, K::Text, "previous"), R(350, 476, 391, 512, K::Text, "save"),
        R(276, 481, 305, 512, K::Text, "cell size -"),
        R(311, 476, 340, 512, K::Text, "cell size +"), R(246, 471, 265, 512, K::Text, "group +"),
        R(211, 471, 235, 512, K::Text, "group -"),
        R(127, 469, 136, 488, K::Text, "stages per world -"),
        R(141, 469, 150, 488, K::Text, "stages per world +"),
        R(71, 471, 80, 490, K::Text, "push interval -"),
        R(82, 471, 91, 490, K::Text, "push interval +")}});
  a.push_back({"img/txlogo.tga", 256, 256, false, {Whole(256, 256, "emblem texture")}});
  a.push_back({"img/music.tga", 256, 256, false, {Whole(256, 256, "music plate texture")}});
  a.push_back({"img/copyright.tga", 256, 256, false, {Whole(256, 256, "copyright plate texture")}});
  // The sheets the game cuts pieces out of. A gutter of 2 pixels keeps a piece clean down to
  // half its size (the first coarser mip level), as pieces drawn scaled down or in a window
  // smaller than 512 pixels are.
  const char* const kCut[] = {
      "img/chrset1.tga",           "img/gemset0.tga",        "img/gemset1.tga",
      "img/startscreenchrset.tga", "img/playinfochrset.tga", "img/retrychrset.tga",
      "img/stagestimechrset.tga",  "img/savegame.tga",       "img/finishscene.tga",
      "img/finishtext.tga",        "img/musiccredit.tga"};
  for (SheetEntry& e : a) {
    if (e.member.rfind("img/ball", 0) == 0) e.gutter = 2;
    for (const char* member : kCut)
      if (e.member == member) e.gutter = 2;
  }
  return a;
}

}  // namespace

const std::vector<SheetEntry>& Atlas() {
  static const std::vector<SheetEntry> atlas = Build();
  return atlas;
}

const std::vector<ModelEntry>& Models() {
  static const std::vector<ModelEntry> models = {{"xfile/logo.x", "img/txlogo.tga"},
                                                 {"xfile/music.x", "img/music.tga"},
                                                 {"xfile/copyright.x", "img/copyright.tga"}};
  return models;
}

}  // namespace vx::art
