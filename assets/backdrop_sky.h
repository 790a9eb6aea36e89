#pragma once
// The sky of a backdrop: the season's light, the sun's glow and clouds that flatten and fade
// towards the horizon, so that the eye reads distance in it.

#include <cstdint>

#include "backdrop_palette.h"

namespace assets {

// Paints every row above `bottom`; horizonY is where the cloud deck meets the land.
void PaintSky(Painting& p, const SeasonPalette& pal, float horizonY, int bottom, uint32_t seed);

}  // namespace assets
