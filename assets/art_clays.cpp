#include <algorithm>
#include <array>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"

namespace assets {

namespace {

constexpr std::array<Rgb, ClayColours> ClayColour = {Rgb{236, 104, 22}, Rgb{246, 204, 40},
                                                     Rgb{64, 160, 58}, Rgb{232, 230, 220}};

// Half-sizes of the six size rows, from the near clay to the far one.
constexpr std::array<double, ClaySizes> ClayRx = {7.9, 6.8, 5.8, 4.8, 3.8, 2.9};
constexpr std::array<double, ClaySizes> ClayRy = {2.95, 2.7, 2.4, 2.05, 1.75, 1.45};

// A clay seen almost edge-on: a lit dome above a darker rim, one raised rib that moves
// across the dome from spin picture to spin picture.
Rgb ClayShade(Rgb base, int spin, double u, double v) {
  Rgb c = base;
  if (v > 0.3)
    c = Mix(c, {0, 0, 0}, 0.38);  // the rim's underside
  else if (v > 0.05)
    c = Mix(c, {0, 0, 0}, 0.16);  // the rim's lip
  else
    c = Mix(c, {255, 255, 240}, 0.12 * (1 - v * v));  // the dome
  c = Mix(c, {0, 0, 0}, 0.35 * u * u * u * u);
  const double rib = -0.5 + 0.5 * spin;
  if (std::abs(u - rib) < 0.17 && v < 0.2) c = Mix(c, {0, 0, 0}, 0.3);
  const double hx = u + 0.35, hy = v + 0.55;
  if (hx * hx + hy * hy < 0.12) c = Mix(c, {255, 255, 255}, 0.55);
  return c;
}

void PaintClayTargets(Image& sheet) {
  for (int colour = 0; colour < ClayColours; ++colour)
    for (int spin = 0; spin < ClaySpins; ++spin)
      for (int size = 0; size < ClaySizes; ++size) {
        Layer l(ClayW, ClayH);
        FillEllipse(l, ClayW / 2.0, ClayH / 2.0, ClayRx[size], ClayRy[size],
                    [&](double u, double v) { return ClayShade(ClayColour[colour], spin, u, v); });
        const int y = ClaySpinRow0 + spin * ClaySpinPitch + size * ClaySizePitch;
        PutSprite(sheet, l, ClayPictureX + ClayColumnPitch * colour, y,
                  ClayMaskX + ClayColumnPitch * colour, y);
      }
}

// Shadows are drawn with AND alone, so softness comes from a thinning speckle.
void PaintShadows(Image& sheet) {
  for (int size = 0; size < ClaySizes; ++size) {
    Layer l(ClayW, ClayH);
    const double rx = ClayRx[size] * 0.95, ry = 1.1 + 0.25 * (ClaySizes - size);
    for (int y = 0; y < ClayH; ++y)
      for (int x = 0; x < ClayW; ++x) {
        const double u = (x + 0.5 - ClayW / 2.0) / rx, v = (y + 0.5 - 3.5) / ry;
        const double d = u * u + v * v;
        if (d <= 1.0 && Speckle(x, y, 0.8 - 0.45 * d)) l.Paint(x, y, {0, 0, 0}, 1);
      }
    PutMask(sheet, l, ShadowX, ShadowY + size * ClaySizePitch);
  }
}

// The dust lies inside the smallest shadow: its lower rows are that shadow's own speckle,
// the specks above it are the dust the rolling rabbit throws up.
void PaintDust(Image& sheet) {
  const int specks[][2] = {{2, 0}, {5, 1}};
  for (const auto& s : specks) sheet.Set(DustX + s[0], DustY + s[1], {0, 0, 0});
}

constexpr std::array<Rgb, RabbitColours> RabbitColour = {Rgb{150, 88, 44}, Rgb{230, 100, 24},
                                                         Rgb{206, 164, 52}};

// A rabbit is a thick clay rolling on its edge: seen side on, a wheel with a rim and a hub.
Rgb RabbitShade(Rgb base, double u, double v) {
  const double r = std::sqrt(u * u + v * v);
  Rgb c = base;
  if (r > 0.72)
    c = Mix(c, {0, 0, 0}, 0.42);
  else if (r > 0.58)
    c = Mix(c, {255, 240, 220}, 0.18);
  else if (r < 0.22)
    c = Mix(c, {0, 0, 0}, 0.3);
  if (std::abs(u - v) < 0.16 && r > 0.25 && r < 0.7) c = Mix(c, {0, 0, 0}, 0.28);  // a chip mark
  c = Mix(c, {0, 0, 0}, 0.25 * std::clamp(u + v, 0.0, 1.0));
  const double hx = u + 0.4, hy = v + 0.4;
  if (hx * hx + hy * hy < 0.06) c = Mix(c, {255, 255, 255}, 0.5);
  return c;
}

void PaintRabbits(Image& sheet) {
  for (int colour = 0; colour < RabbitColours; ++colour) {
    Layer l(RabbitSize, RabbitSize);
    FillEllipse(l, 5, 5, 4.85, 4.85,
                [&](double u, double v) { return RabbitShade(RabbitColour[colour], u, v); });
    PutSprite(sheet, l, RabbitPictureX + RabbitPitch * colour, RabbitY,
              RabbitMaskX + RabbitPitch * colour, RabbitY);
  }
}

}  // namespace

bool Speckle(int x, int y, double density) {
  static constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return (Bayer[y & 3][x & 3] + 0.5) / 16.0 < density;
}

void PaintClays(Image& sheet) {
  PaintClayTargets(sheet);
  PaintShadows(sheet);
  PaintDust(sheet);
  PaintRabbits(sheet);
}

}  // namespace assets
