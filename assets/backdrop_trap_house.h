#pragma once
// The trap houses: low timber huts banked with turf, one at every launch point, their
// throwing slot towards the flight, and smaller the farther away they stand.

#include <cstdint>

#include "backdrop_palette.h"
#include "field_layouts.h"

namespace assets {

void PaintTrapHouse(Painting& p, const TrapLayout& trap, const SeasonPalette& pal, uint32_t seed);

}  // namespace assets
