#pragma once
// Painting steps shared by the menu and panel pictures: wood, brass, baize, lettering.

#include <string>

#include "canvas.h"

namespace assets {

// The calm baize behind every text the game writes in its bitmap font (score sheet and
// tournament panel); the font's cells are painted on exactly this colour.
inline constexpr Rgb BitmapTextGround{28, 74, 46};

// Vertical boards of stained wood, as the walls of the clubhouse behind every panel.
void PaintPlankWall(Image& img, int x, int y, int w, int h, Rgb dark, Rgb light, uint32_t seed);
// A bevelled wooden panel with grain running along it.
void PaintWoodPanel(Image& img, int x, int y, int w, int h, Rgb dark, Rgb light, uint32_t seed);
// A polished brass rim of the given thickness just inside the rectangle.
void PaintBrassFrame(Image& img, int x, int y, int w, int h, int thickness);
// Darkens the ground around a rectangle, as if it stood off the wall.
void PaintDropShadow(Image& img, int x, int y, int w, int h, int spread);
// A flat card with a thin inner line; flat so that bitmap-font cells sit on it unseen.
void PaintFlatCard(Image& img, int x, int y, int w, int h, Rgb fill, Rgb line);
// A sunken well for a control, so that the control reads as set into the board.
void PaintWell(Image& img, int x, int y, int w, int h, Rgb fill);
void FillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c, double alpha);
void StrokeCircle(Image& img, double cx, double cy, double r, double width, Rgb c, double alpha);
void StrokeLine(Image& img, double x0, double y0, double x1, double y1, double width, Rgb c,
                double alpha);

int DrawShadowedText(Image& img, int x, int y, const std::string& text, Font font, int size,
                     Rgb colour);
// Centred on cx; returns the left edge used.
int DrawCentredText(Image& img, int cx, int y, const std::string& text, Font font, int size,
                    Rgb colour, bool shadow);

}  // namespace assets
