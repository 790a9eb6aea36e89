#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"

namespace assets {

namespace {

// The cloud is drawn in the shot frame over the muzzle (local x 33, below the cell) with
// the sight at local (32, 16). Its left 20 columns are also the right end of the last shell
// picture, where the picture must stay black, and its row 2 is part of the wipe line, so
// the flash and smoke keep to the right of column 20 and below row 3; only the black shot
// string reaches into those pixels.
constexpr int FreeColumn = 20, FreeRow = 4;

bool NearChip(int x, int y) {
  for (const ChipPlace& c : Chips) {
    const int cx = c.X - CloudX, cy = c.Y - CloudMaskY;
    if (x >= cx - 2 && x < cx + c.W + 2 && y >= cy - 2 && y < cy + c.H + 2) return true;
  }
  return false;
}

void PaintSmoke(Layer& l) {
  struct Puff {
    double X, Y, R;
  };
  const Puff puffs[] = {{36, 40, 8.5}, {42, 31, 8}, {48, 22, 6.5}, {53, 14, 4.5}};
  for (const Puff& p : puffs)
    FillEllipse(l, p.X, p.Y, p.R, p.R * 0.9, [&](double u, double v) {
      const double n = FractalNoise((p.X + u * p.R) / 5, (p.Y + v * p.R) / 5, 2, 509);
      const double lit = std::clamp(0.7 - 0.35 * (u + v) + 0.3 * (n - 0.5), 0.0, 1.0);
      return Mix({120, 118, 112}, {236, 234, 226}, lit);
    });
}

void PaintFlash(Layer& l) {
  for (int y = 36; y < CloudSize; ++y) {
    const double t = (CloudSize - y) / 24.0;  // 0 at the muzzle, 1 at the tip of the flame
    const double half = 2 + 7 * std::sin(std::min(t, 1.0) * 2.6);
    for (int x = static_cast<int>(33 - half); x <= 33 + half; ++x) {
      const double u = std::abs(x + 0.5 - 33) / half;
      if (u > 1) continue;
      const Rgb core = Mix({255, 252, 220}, {255, 200, 60}, u * 1.2 + t * 0.4);
      l.Paint(x, y, Mix(core, {232, 96, 20}, std::clamp(u * u + t * t - 0.3, 0.0, 1.0)), 1);
    }
  }
}

// The shot string: black pellets thickest around the sight point.
void PaintPellets(Layer& l) {
  Noise rng(9127);
  for (int i = 0; i < 46; ++i) {
    const double a = rng.Range(0, 6.2832), r = 14 * std::sqrt(rng.Uniform());
    const int x = static_cast<int>(std::lround(32 + r * std::cos(a)));
    const int y = static_cast<int>(std::lround(16 + r * std::sin(a) * 0.8));
    if (l.Inside(x, y)) l.Paint(x, y, {0, 0, 0}, 1);
  }
}

}  // namespace

void PaintPatternCloud(Image& sheet) {
  Layer l(CloudSize, CloudSize);
  PaintSmoke(l);
  PaintFlash(l);
  for (int y = 0; y < CloudSize; ++y)
    for (int x = 0; x < CloudSize; ++x)
      if (x < FreeColumn || y < FreeRow || NearChip(x, y)) l.Clear(x, y);
  PaintPellets(l);
  for (int y = 0; y < CloudSize; ++y)
    for (int x = 0; x < CloudSize; ++x)
      if (NearChip(x, y)) l.Clear(x, y);
  PutSprite(sheet, l, CloudX, CloudPictureY, CloudX, CloudMaskY);
}

}  // namespace assets
