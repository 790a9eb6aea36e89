#pragma once
// Still water: it mirrors the far bank and the sky, broken by ripples and glints.

#include <cstdint>
#include <functional>

#include "backdrop_palette.h"

namespace assets {

// Water from the far bank's waterline `farY` down to the near bank `nearShore`. Everything
// above farY must already be painted, since the water mirrors it.
void PaintLake(Painting& p, float farY, const Profile& nearShore, const SeasonPalette& pal,
               uint32_t seed);

// A stream winding towards the shooter between rows y0 and y1: its middle and half width at
// every row.
void PaintStream(Painting& p, int y0, int y1, const std::function<float(int)>& middle,
                 const std::function<float(int)>& halfWidth, const SeasonPalette& pal,
                 uint32_t seed);

// A narrow margin of mud and shingle where the water meets the near bank.
void PaintShore(Painting& p, const Profile& shore, float width, const SeasonPalette& pal,
                uint32_t seed);

// Reeds along the near bank.
void PaintReeds(Painting& p, const Profile& shore, float x0, float x1, float height,
                const SeasonPalette& pal, uint32_t seed);

}  // namespace assets
