// The painters: one function per image member.
#pragma once

#include <functional>
#include <string>

#include "canvas.h"

namespace vx::art {

void PaintCharacterSheet(Canvas& c);
void PaintGemSheet(Canvas& c, bool sparkling);
void PaintBallSheet(Canvas& c, int world);
void PaintExplosion(Canvas& c, int frame);  // 1..8, 8 the first burst
void PaintTitleWheel(Canvas& c);
void PaintGear(Canvas& c);
void PaintPlayer(Canvas& c, int frame);
void PaintSky(Canvas& c);
void PaintPusher(Canvas& c);
void PaintBackground(Canvas& c, int world);
void PaintClouds(Canvas& c);
void PaintStarfield(Canvas& c);
void PaintTitleSheet(Canvas& c);
void PaintWorldSelect(Canvas& c);
void PaintSettings(Canvas& c);
void PaintStageInfo(Canvas& c);
void PaintPauseBackdrop(Canvas& c);
void PaintRetrySheet(Canvas& c);
void PaintStageClear(Canvas& c);
void PaintStageClearSheet(Canvas& c);
void PaintSaveOffer(Canvas& c);
void PaintFinishScene(Canvas& c);
void PaintFinishText(Canvas& c);
void PaintMusicCredit(Canvas& c);
void PaintEditorBackground(Canvas& c);
void PaintEmblemTexture(Canvas& c);
void PaintMusicTexture(Canvas& c);
void PaintCopyrightTexture(Canvas& c);
void PaintIcon(Canvas& c);  // the desktop icon, any square size

// The painter of an image member (see the atlas), or an empty function.
std::function<void(Canvas&)> PainterFor(const std::string& member);

// Shared pieces.
void PaintLock(cairo_t* cr, double x, double y, double w, double h, bool open);
void PaintCheck(cairo_t* cr, double x, double y, double w, double h);
void PaintEmblem(cairo_t* cr, double cx, double cy, double r);  // the game's orb emblem
void PaintGearShape(cairo_t* cr, double cx, double cy, double r, Rgb metal, int teeth);

// Text styles used across the screens.
TextStyle HeadingStyle(double size);
TextStyle LabelStyle(double size, Rgb fill = {1, 1, 1});

}  // namespace vx::art
