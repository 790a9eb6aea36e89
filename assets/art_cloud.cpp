#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"

namespace assets {

namespace {

// The cloud is the shot pattern itself, drawn in the shot frame with the sight at local
// (32, 16): a haze of lead round the sight, pellets flung wider, and the tail of the shot
// string reaching back down towards the muzzle. Its left 20 columns are also the right end
// of the last shell picture, where the picture must stay black, and its row 2 is part of
// the wipe line, so the grey haze keeps to the right of column 20 and only black pellets
// reach further left.
constexpr int FreeColumn = 20, FreeRow = 4;
constexpr double SightX = 32, SightY = 16;

bool NearChip(int x, int y) {
  for (const ChipPlace& c : Chips) {
    const int cx = c.X - CloudX, cy = c.Y - CloudMaskY;
    if (x >= cx - 2 && x < cx + c.W + 2 && y >= cy - 2 && y < cy + c.H + 2) return true;
  }
  return false;
}

double Grain(int x, int y, uint32_t seed) {
  return ValueNoise(x * 7.13, y * 5.71, seed);
}

void PaintHaze(Layer& l) {
  for (int y = FreeRow; y < CloudSize; ++y)
    for (int x = FreeColumn; x < CloudSize; ++x) {
      const double d = std::hypot((x + 0.5 - SightX) / 12.0, (y + 0.5 - SightY - 1) / 10.0);
      if (d >= 1 || Grain(x, y, 71) > 0.2 + 0.6 * (1 - d * d)) continue;
      const double lit = std::clamp(0.8 - 0.4 * d - 0.02 * (y - SightY), 0.0, 1.0);
      l.Paint(x, y, Mix({120, 118, 110}, {226, 224, 214}, lit), 1);
    }
}

void PaintPellets(Layer& l) {
  for (int y = FreeRow; y < CloudSize; ++y)
    for (int x = 0; x < CloudSize; ++x) {
      const double d = std::hypot((x + 0.5 - SightX) / 18.0, (y + 0.5 - SightY) / 14.0);
      if (d < 1 && Grain(x, y, 313) < 0.06 + 0.26 * (1 - d * d)) l.Paint(x, y, {0, 0, 0}, 1);
    }
}

// The string thins and narrows as it runs back towards the gun.
void PaintString(Layer& l) {
  for (int y = 27; y < CloudSize; ++y) {
    const double t = (y - 27) / double(CloudSize - 27);
    const double cx = SightX + 1.5 * t, half = 4.0 - 2.5 * t;
    for (int x = static_cast<int>(cx - half); x <= cx + half; ++x) {
      if (Grain(x, y, 977) > 0.42 * (1 - t) + 0.06) continue;
      const bool grey = x >= FreeColumn && Grain(x, y, 5) > 0.5;
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
      if (NearChip(x, y)) l.Clear(x, y);
  PutSprite(sheet, l, CloudX, CloudPictureY, CloudX, CloudMaskY);
}

}  // namespace assets
