#include "backdrop_palette.h"

namespace assets {

namespace {

const SeasonPalette Summer = {
    .SkyTop = {62, 112, 186},
    .SkyHorizon = {196, 214, 228},
    .Sun = {255, 250, 228},
    .SunX = 300,
    .SunY = -150,
    .SunGlow = 520,
    .LightX = -1,
    .CloudLight = {252, 252, 250},
    .CloudShadow = {168, 180, 200},
    .CloudCover = 0.38f,
    .Haze = {188, 204, 214},
    .FarHill = {104, 130, 138},
    .GrassLight = {142, 176, 74},
    .GrassDark = {70, 112, 42},
    .GrassDry = {178, 178, 98},
    .Soil = {120, 94, 62},
    .Track = {176, 152, 112},
    .Bark = {74, 60, 48},
    .HedgeLight = {96, 132, 54},
    .HedgeDark = {34, 60, 30},
    .WaterDeep = {54, 88, 112},
    .WaterLight = {170, 196, 214},
    .Reed = {110, 134, 64},
    .Flecks = {{246, 242, 226}, {238, 208, 70}, {52, 88, 36}},
    .Crowns = {{{36, 66, 34}, {110, 146, 58}, 0},
               {{30, 58, 36}, {92, 130, 62}, 0},
               {{44, 72, 30}, {132, 156, 64}, 0},
               {{28, 52, 34}, {80, 116, 60}, 0}},
};

const SeasonPalette Autumn = {
    .SkyTop = {96, 116, 156},
    .SkyHorizon = {236, 206, 164},
    .Sun = {255, 226, 160},
    .SunX = 1270,
    .SunY = 330,
    .SunGlow = 420,
    .LightX = 1,
    .CloudLight = {246, 220, 190},
    .CloudShadow = {124, 118, 138},
    .CloudCover = 0.5f,
    .Haze = {206, 190, 172},
    .FarHill = {126, 118, 128},
    .GrassLight = {176, 174, 106},
    .GrassDark = {102, 114, 64},
    .GrassDry = {196, 164, 104},
    .Soil = {112, 78, 52},
    .Track = {160, 128, 96},
    .Bark = {66, 54, 50},
    .HedgeLight = {158, 108, 56},
    .HedgeDark = {66, 50, 40},
    .WaterDeep = {70, 80, 100},
    .WaterLight = {230, 206, 170},
    .Reed = {170, 140, 84},
    .Flecks = {{196, 104, 40}, {150, 70, 36}, {204, 170, 90}},
    .Crowns = {{{110, 50, 24}, {226, 132, 44}, 0.25f},
               {{96, 64, 30}, {212, 170, 70}, 0.3f},
               {{62, 50, 50}, {124, 102, 94}, 0.75f},
               {{90, 40, 28}, {196, 96, 46}, 0.4f}},
};

}  // namespace

const SeasonPalette& SeasonPaletteOf(int season) {
  return season == 0 ? Summer : Autumn;
}

}  // namespace assets
