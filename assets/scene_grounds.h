#pragma once
// The shooting grounds of the main menu, seen at an angle from above: the season's colours,
// the sky and the land, trees, the clubhouse and the signboard, and the five fields.

#include "canvas.h"

namespace assets {

struct Area {
  int X, Y, W, H;
};

struct GroundsPalette {
  Rgb SkyTop, SkyHorizon, Cloud, FarHills, GrassDark, GrassLight, Path;
  Rgb Canopy[3];
  Rgb Meadow, MeadowFlower, Bracken, Water, WaterShine, Rock, Roof;
  bool Bare;        // late autumn: some trees stand bare, smoke rises from the chimney
  double Overcast;  // 0 for a few fair-weather clouds, towards 1 for a grey sky
};

GroundsPalette GroundsPaletteOf(int season);

int HorizonAt(int x);
void PaintSkyAndLand(Image& img, const GroundsPalette& p);
void PaintPath(Image& img, double x0, double y0, double x1, double y1, const GroundsPalette& p);
// A tree seen from above at an angle: its shadow, trunk and crown; crown radius r.
void PaintGroundsTree(Image& img, double x, double y, double r, const GroundsPalette& p,
                      uint32_t seed);
void PaintClubhouse(Image& img, int x, int y, const GroundsPalette& p);
// The empty signboard on which the hovered field's name plate appears.
void PaintSignboard(Image& img, int x, int y, int w, int h);

void PaintOpenMeadow(Image& img, const Area& a, const GroundsPalette& p);
void PaintWoodlandEdge(Image& img, const Area& a, const GroundsPalette& p);
void PaintHillside(Image& img, const Area& a, const GroundsPalette& p);
void PaintWaterField(Image& img, const Area& a, const GroundsPalette& p);
void PaintValley(Image& img, const Area& a, const GroundsPalette& p);
// The hedge round a field and its numbered post, in the top left or top right corner.
void PaintFieldBounds(Image& img, const Area& a, int number, bool postOnRight,
                      const GroundsPalette& p);

}  // namespace assets
