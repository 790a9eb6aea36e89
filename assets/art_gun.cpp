#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"
#include "art_wood.h"

namespace assets {

namespace {

// The over-and-under as the shooter sees it over the rib: the muzzle and bead at the top
// (the bead at (122, 4), where the pointer circle is centred), the barrels widening
// towards the eye, the chequered fore-end, the action, and the stock running down to the
// right shoulder.
constexpr double BarrelEnd = 108, ActionEnd = 146;

double AxisX(double y) {
  if (y <= 120) return 122 + 0.05 * y;
  return y <= ActionEnd ? 128 + (y - 120) * 0.2 : 133.2 + (y - ActionEnd) * 0.1;
}
double BarrelHalf(double y) {
  return 4.6 + 0.085 * y;
}
double ForeEndHalf(double y) {
  return BarrelHalf(y) + 3.8 * std::sqrt(std::clamp((y - 45) / 6.0, 0.0, 1.0));
}
double ActionHalf(double y) {
  return 15.5 + (y - BarrelEnd) * 0.06;
}
double StockHalf(double y) {
  return 17.5 + (y - ActionEnd) * 0.2;
}

double EdgeCover(double x, double left, double right) {
  return std::clamp(std::min(x + 1 - left, right - x), 0.0, 1.0);
}

// Round things lit from the upper left: a broad fall-off and a narrow sheen.
double Diffuse(double u) {
  return std::clamp(0.35 + 0.55 * (1 - u * u) - 0.2 * u, 0.0, 1.0);
}
double Sheen(double u, double at, double width) {
  return std::exp(-((u - at) / width) * ((u - at) / width));
}

Rgb BluedSteel(double u, double y) {
  Rgb c = Mix({10, 12, 20}, {52, 64, 92}, Diffuse(u));
  c = Mix(c, {176, 192, 224}, 0.75 * Sheen(u, -0.45, 0.16));
  return Mix(c, {0, 0, 0}, 0.15 * (1 - y / BarrelEnd));  // the far end is in its own shade
}

Rgb Walnut(double u, double x, double y, uint32_t seed) {
  const Rgb wood = WoodAt(x * 3, y, WoodTone{{52, 26, 12}, {132, 76, 38}}, seed, true);
  Rgb c = Mix({0, 0, 0}, wood, 0.45 + 0.55 * Diffuse(u));
  return Mix(c, {236, 196, 150}, 0.35 * Sheen(u, -0.4, 0.2));
}

void PaintForeEnd(Layer& l, int y) {
  const double cx = AxisX(y), half = ForeEndHalf(y);
  for (int x = static_cast<int>(cx - half) - 1; x <= cx + half + 1; ++x) {
    const double cover = EdgeCover(x, cx - half, cx + half);
    if (cover <= 0) continue;
    const double u = (x + 0.5 - cx) / half;
    Rgb c = Walnut(u, x, y, 41);
    // Chequering: a fine diamond grid cut into the grip.
    if (y > 58 && y < 100 && std::abs(u) > 0.55 && ((x + y) % 4 == 0 || (x - y + 400) % 4 == 0))
      c = Mix(c, {0, 0, 0}, 0.35);
    l.Paint(x, y, c, cover);
  }
}

void PaintBarrels(Layer& l, int y) {
  const double cx = AxisX(y), half = BarrelHalf(y);
  // The lower barrel shows as a sliver on the right; the gun is canted a touch.
  for (int x = static_cast<int>(cx - half); x <= cx + half + 3; ++x) {
    const double lower = EdgeCover(x, cx - half + 2.5, cx + half + 2.5);
    if (lower > 0)
      l.Paint(x, y, Mix(BluedSteel((x + 0.5 - cx - 2.5) / half, y), {0, 0, 0}, 0.35), lower);
    const double cover = EdgeCover(x, cx - half, cx + half);
    if (cover <= 0) continue;
    const double u = (x + 0.5 - cx) / half;
    Rgb c = BluedSteel(u, y);
    if (std::abs(u) < 0.24) {  // the ventilated rib along the top
      c = Mix({26, 30, 40}, {80, 88, 104}, 0.5 + 0.5 * std::cos(u * 6));
      if (y > 8 && y % 7 < 2 && std::abs(u) < 0.2) c = {8, 10, 14};
    }
    l.Paint(x, y, c, cover);
  }
}

Rgb Engraved(double u, double x, double y) {
  Rgb c = Mix({70, 72, 76}, {214, 216, 220}, Diffuse(u));
  c = Mix(c, {255, 255, 255}, 0.5 * Sheen(u, -0.35, 0.18));
  // Scroll engraving inside a border line.
  const double scroll = std::sin(x * 0.55 + 2.2 * std::sin(y * 0.32));
  if (std::abs(scroll) < 0.16 && std::abs(u) < 0.7) c = Mix(c, {36, 36, 40}, 0.4);
  if (std::abs(std::abs(u) - 0.8) < 0.06) c = Mix(c, {36, 36, 40}, 0.5);
  return c;
}

void PaintAction(Layer& l, int y) {
  const double cx = AxisX(y), half = ActionHalf(y);
  for (int x = static_cast<int>(cx - half) - 1; x <= cx + half + 1; ++x) {
    const double cover = EdgeCover(x, cx - half, cx + half);
    if (cover <= 0) continue;
    const double u = (x + 0.5 - cx) / half;
    Rgb c = Engraved(u, x, y);
    if (y < BarrelEnd + 2) c = Mix(c, {0, 0, 0}, 0.5);  // the breech face's shadow line
    l.Paint(x, y, c, cover);
  }
  // The top lever, thrown across to the right of the tang.
  if (y >= 132 && y <= 142)
    for (int x = static_cast<int>(cx + 2); x <= cx + 16; ++x)
      l.Paint(x, y, Mix({40, 42, 48}, {170, 174, 182}, (142 - y) / 10.0), 1);
}

void PaintStock(Layer& l, int y) {
  const double cx = AxisX(y), half = StockHalf(y);
  for (int x = static_cast<int>(cx - half) - 1; x <= cx + half + 1; ++x) {
    const double cover = EdgeCover(x, cx - half, cx + half);
    if (cover <= 0) continue;
    const double u = (x + 0.5 - cx) / half;
    l.Paint(x, y, Walnut(u * 0.9, x, y, 77), cover);
  }
}

void PaintBead(Layer& l) {
  FillEllipse(l, 122.5, 4.5, 1.9, 1.9, [](double u, double v) {
    return Mix({250, 246, 226}, {170, 130, 60}, std::clamp(0.5 + 0.5 * (u + v), 0.0, 1.0));
  });
}

}  // namespace

void PaintGun(Image& sheet) {
  Layer l(GunW, GunH);
  for (int y = 1; y < GunH; ++y) {
    if (y < BarrelEnd) {
      if (y > 44 && y < 112) PaintForeEnd(l, y);
      PaintBarrels(l, y);
    } else if (y < ActionEnd) {
      PaintAction(l, y);
    } else {
      PaintStock(l, y);
    }
  }
  PaintBead(l);
  PutSprite(sheet, l, GunPictureX, GunY, GunMaskX, GunY);
}

}  // namespace assets
