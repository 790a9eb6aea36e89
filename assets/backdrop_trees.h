#pragma once
// Trees and hedges: leafy crowns lit from the sun's side, bare twigs in late autumn, and
// lines of them along field edges and woods, veiled by haze with distance.

#include <cstdint>

#include "backdrop_palette.h"

namespace assets {

// One rounded mass of leaves (or of bare twigs, which let what is behind show through).
void PaintCrown(Painting& p, float cx, float cy, float rx, float ry, const CrownColours& colours,
                const SeasonPalette& pal, float haze, uint32_t seed);

struct TreeLineStyle {
  float Height;       // tallest trees, pixels
  float CrownRadius;  // pixels
  float Haze;         // 0 near .. 1 lost in the distance
  float Gaps = 0;     // share of the line left as low scrub
  float X0 = -40, X1 = 1640;
};

void PaintTreeLine(Painting& p, const Profile& base, const TreeLineStyle& style,
                   const SeasonPalette& pal, uint32_t seed);

// A clipped hedge along its foot `base`, between x0 and x1.
void PaintHedge(Painting& p, const Profile& base, float height, float haze, float x0, float x1,
                const SeasonPalette& pal, uint32_t seed);

// A single tree standing at (x, baseY), with its shadow on the grass.
void PaintTree(Painting& p, float x, float baseY, float height, float haze,
               const SeasonPalette& pal, uint32_t seed);

}  // namespace assets
