#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"

namespace assets {

namespace {

// The cloud is the shot pattern itself, drawn in the shot frame with the sight at local
// (32, 16): a thin haze of lead round the sight, pellets thickest in the middle and
// thinning outwards to a fringe of strays, and the tail of the shot string reaching back
// down towards the muzzle. Its left 20 columns are also the right end of the last shell
// picture, where the picture must stay black, and its row 2 is part of the wipe line, so
// the grey haze keeps to the right of column 20 and only black pellets reach further left.
// Two of the break chips lie in the fringe; they show as strays like the rest.
constexpr int FreeColumn = 20, FreeRow = 4;
constexpr double SightX = 32, SightY = 16;

// A fixed, well-stirred draw in [0, 1) for a pixel, so the sheet is the same every build.
double Draw(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 0x9E3779B9u ^ static_cast<uint32_t>(y) * 0x85EBCA6Bu ^
               seed * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h / 4294967296.0;
}

bool OnChip(int x, int y, int margin) {
  for (const ChipPlace& c : Chips) {
    const int cx = c.X - CloudX, cy = c.Y - CloudMaskY;
    if (x >= cx - margin && x < cx + c.W + margin && y >= cy - margin && y < cy + c.H + margin)
      return true;
  }
  return false;
}

void PaintHaze(Layer& l) {
  for (int y = FreeRow; y < CloudSize; ++y)
    for (int x = FreeColumn; x < CloudSize; ++x) {
      const double d = std::hypot((x + 0.5 - SightX) / 11.0, (y + 0.5 - SightY - 1) / 9.0);
      if (d >= 1 || Draw(x, y, 71) > 0.75 * (1 - d * d)) continue;
      const double lit = std::clamp(0.85 - 0.3 * d - 0.02 * (y - SightY), 0.0, 1.0);
      l.Paint(x, y, Mix({128, 126, 118}, {222, 220, 210}, lit), 1);
    }
}

// Pellets thin from the middle out; the strays reach wide and a little low, where the
// chips sit, and a few of them fly in pairs.
void PaintPellets(Layer& l) {
  for (int y = 0; y < CloudSize; ++y)
    for (int x = 0; x < CloudSize; ++x) {
      const double core = std::hypot((x + 0.5 - SightX) / 12.0, (y + 0.5 - SightY) / 10.0);
      const double fringe = std::hypot((x + 0.5 - SightX) / 28.0, (y + 0.5 - SightY - 4) / 24.0);
      double density = 0.4 * std::exp(-2.2 * core * core);
      if (fringe < 1) density += 0.035;
      if (Draw(x, y, 313) >= density) continue;
      l.Paint(x, y, {0, 0, 0}, 1);
      if (core > 1.2 && Draw(x, y, 97) < 0.2) l.Paint(x + 1, y + (x % 2), {0, 0, 0}, 1);
    }
}

// The string thins and narrows as it runs back towards the gun.
void PaintString(Layer& l) {
  for (int y = 27; y < CloudSize; ++y) {
    const double t = (y - 27) / double(CloudSize - 27);
    const double cx = SightX + 1.5 * t, half = 4.0 - 2.5 * t;
    for (int x = static_cast<int>(cx - half); x <= cx + half; ++x) {
      if (Draw(x, y, 977) > 0.4 * (1 - t) + 0.06) continue;
      const bool grey = x >= FreeColumn && Draw(x, y, 5) > 0.5;
      l.Paint(x, y, grey ? Rgb{150, 148, 140} : Rgb{0, 0, 0}, 1);
    }
  }
}

}  // namespace

void PaintPatternCloud(Image& sheet) {
  Layer l(CloudSize, CloudSize);
  PaintHaze(l);
  PaintPellets(l);
  PaintString(l);
  for (int y = 0; y < CloudSize; ++y)
    for (int x = 0; x < CloudSize; ++x)
      if (OnChip(x, y, 1)) l.Clear(x, y);  // the chips stand alone, like strays
  PutSprite(sheet, l, CloudX, CloudPictureY, CloudX, CloudMaskY);
}

}  // namespace assets
