#pragma once
// The colours of a season's fields: a high summer day, and late autumn under a low sun with
// the trees bare or turned and the grass gone pale.

#include "backdrop_painting.h"

namespace assets {

struct CrownColours {
  Colour Dark, Light;
  float Bare;  // 0 in full leaf .. 1 bare twigs, which let the sky through
};

struct SeasonPalette {
  Colour SkyTop, SkyHorizon;
  Colour Sun;
  float SunX, SunY, SunGlow;  // where the sun's glow sits and how far it reaches
  float LightX;               // -1 when the light comes from the left, +1 from the right
  Colour CloudLight, CloudShadow;
  float CloudCover;  // 0 clear .. 1 overcast
  Colour Haze;
  Colour FarHill;
  Colour GrassLight, GrassDark, GrassDry;
  Colour Soil, Track;
  Colour Bark;
  Colour HedgeLight, HedgeDark;
  Colour WaterDeep, WaterLight;
  Colour Reed;
  Colour Flecks[3];        // flowers in summer, fallen leaves in autumn, dotted over the near grass
  CrownColours Crowns[4];  // a season's trees are painted from these
};

const SeasonPalette& SeasonPaletteOf(int season);

}  // namespace assets
