#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"
#include "art_wood.h"

namespace assets {

namespace {

// The over-and-under as the shooter sees it from behind the shoulder, in perspective: the
// muzzles far off at the top with the bead on the rib at (122, 4), where the pointer circle
// is centred; the stacked barrels, the lower one showing along the right; the walnut
// fore-end round them; the engraved action with its top lever; and the stock widening
// down towards the shoulder. Shouldered, the view shows down to about the action, and a
// lowered gun shows barrels and fore-end, so those carry the gun's looks.
constexpr double ForeEndTip = 30, ActionTop = 96, StockTop = 134;

// Widths grow with the distance below the point where the gun's lines meet, above the
// muzzles: the near end of the gun is the wide end.
double Scale(double y) {
  return (y + 25) / 29;
}
double AxisX(double y) {
  return 122.5 + 0.04 * y;
}
double BarrelHalf(double y) {
  return 4.4 * Scale(y);
}
double ForeEndHalf(double y) {
  const double nose = std::sqrt(std::clamp((y - ForeEndTip) / 6.0, 0.0, 1.0));
  const double heel = std::sqrt(std::clamp((ActionTop - y) / 3.0, 0.0, 1.0));
  return 6.6 * Scale(y) * nose * (0.85 + 0.15 * heel);
}
double ActionHalf(double y) {
  // The fences bulge out where the barrels meet the action.
  const double fence = 3 * std::exp(-((y - 101) / 4) * ((y - 101) / 4));
  return 6.4 * Scale(y) + fence;
}
double StockHalf(double y) {
  // The wrist, slimmer than the action, before the stock swells towards the butt.
  const double t = std::clamp((y - 150) / 80.0, 0.0, 1.0);
  return (4.9 + 1.2 * t * t + 1.3 * std::exp(-std::max(y - StockTop, 0.0) / 8)) * Scale(y);
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

// The far end sits in its own haze, a little greyer and flatter than the near end.
Rgb Distance(Rgb c, double y) {
  return Mix(c, {70, 78, 96}, 0.25 * std::clamp(1 - y / 60, 0.0, 1.0));
}

Rgb BluedSteel(double u, double y) {
  Rgb c = Mix({8, 10, 18}, {48, 60, 90}, Diffuse(u));
  c = Mix(c, {186, 200, 230}, 0.8 * Sheen(u, -0.5, 0.14));
  return Distance(c, y);
}

Rgb Walnut(double u, double x, double y, uint32_t seed) {
  const Rgb wood = WoodAt(x * 3, y, WoodTone{{60, 28, 12}, {150, 86, 40}}, seed, true);
  Rgb c = Mix({12, 6, 2}, wood, 0.4 + 0.6 * Diffuse(u));
  c = Mix(c, {240, 200, 150}, 0.4 * Sheen(u, -0.45, 0.16));
  return Distance(c, y);
}

// Fine diamond chequering cut into the wood inside a border line, in panels that taper
// to points at both ends; along runs from 0 to 1 down the panel.
Rgb Chequer(Rgb c, int x, int y, double u, double along, double inner, double outer) {
  if (along <= 0 || along >= 1) return c;
  outer = inner + (outer - inner) * std::pow(std::sin(3.14159 * along), 0.6);
  const double a = std::abs(u);
  if (a < inner || a > outer) return c;
  if (a < inner + 0.06 || a > outer - 0.06) return Mix(c, {0, 0, 0}, 0.5);
  if ((x + y) % 3 == 0 || (x - y + 300) % 3 == 0) return Mix(c, {0, 0, 0}, 0.4);
  return Mix(c, {255, 220, 170}, 0.12);
}

void PaintForeEnd(Layer& l, int y) {
  const double cx = AxisX(y), half = ForeEndHalf(y);
  if (half <= 0) return;
  for (int x = static_cast<int>(cx - half) - 1; x <= cx + half + 1; ++x) {
    const double cover = EdgeCover(x, cx - half, cx + half);
    if (cover <= 0) continue;
    const double u = (x + 0.5 - cx) / half;
    Rgb c = Walnut(u, x, y, 41);
    c = Chequer(c, x, y, u, (y - 42) / 50.0, 0.7, 0.95);
    if (y < ForeEndTip + 3) c = Mix(c, {0, 0, 0}, 0.35);  // the nose's end grain
    l.Paint(x, y, c, cover);
  }
}

// The ventilated rib: posts spaced by the perspective, closer together far away.
bool RibGap(double y) {
  const double phase = std::log(y + 12) * 9;
  return phase - std::floor(phase) < 0.35;
}

void PaintLowerBarrel(Layer& l, int y) {
  const double cx = AxisX(y), half = BarrelHalf(y);
  // It shows below the upper barrel along the right side, in the upper's shadow.
  const double lowerCx = cx + 0.55 * half, lowerHalf = 0.92 * half;
  for (int x = static_cast<int>(lowerCx - lowerHalf); x <= lowerCx + lowerHalf + 1; ++x) {
    const double cover = EdgeCover(x, lowerCx - lowerHalf, lowerCx + lowerHalf);
    if (cover <= 0) continue;
    const double u = (x + 0.5 - lowerCx) / lowerHalf;
    l.Paint(x, y, Mix(BluedSteel(u, y), {0, 0, 0}, 0.45), cover);
  }
}

void PaintUpperBarrel(Layer& l, int y) {
  const double cx = AxisX(y), half = BarrelHalf(y);
  for (int x = static_cast<int>(cx - half) - 1; x <= cx + half + 1; ++x) {
    const double cover = EdgeCover(x, cx - half, cx + half);
    if (cover <= 0) continue;
    const double u = (x + 0.5 - cx) / half;
    Rgb c = BluedSteel(u, y);
    if (u > 0.78) c = Mix(c, {0, 0, 0}, 0.6);  // the seam between the barrels
    const double rib = 0.3;
    if (std::abs(u) < rib) {
      const double r = u / rib;
      // A matte, file-cut top with a bright centre line leading the eye to the bead.
      c = Mix({40, 46, 60}, {112, 122, 142}, std::clamp(0.6 - 0.5 * r, 0.0, 1.0));
      if (std::abs(r) < 0.2) c = Mix(c, {200, 210, 226}, 0.45);
      c = Distance(c, y);
    } else if (std::abs(std::abs(u) - rib) < 0.1) {
      // The rib's shadow on the barrel, darkest through the vents between its posts.
      c = Mix(c, {0, 0, 0}, y > 7 && RibGap(y) ? 0.8 : 0.45);
    }
    // The muzzles' rims catch the light.
    if (y <= 2) c = Mix(c, {200, 206, 220}, 0.5);
    l.Paint(x, y, c, cover);
  }
}

Rgb Engraved(double u, double x, double y) {
  Rgb c = Mix({72, 74, 78}, {218, 220, 224}, Diffuse(u));
  c = Mix(c, {255, 255, 255}, 0.55 * Sheen(u, -0.4, 0.16));
  // Scroll engraving on the side panels, inside a border line.
  const double scroll = std::sin(x * 0.6 + 2.4 * std::sin(y * 0.35));
  if (std::abs(scroll) < 0.18 && std::abs(u) > 0.38 && std::abs(u) < 0.8)
    c = Mix(c, {36, 36, 40}, 0.45);
  if (std::abs(std::abs(u) - 0.86) < 0.06) c = Mix(c, {36, 36, 40}, 0.55);
  return c;
}

// The top strap and tang: polished blued steel along the middle of the action.
Rgb Strap(double u) {
  return Mix({20, 24, 34}, {130, 142, 170}, 0.9 * Diffuse(u));
}

// The action's side walls end in a curve round the head of the stock; the strap runs on.
bool OnAction(double u, int y) {
  return y < StockTop - 5 + 7 * (1 - u * u);
}

void PaintAction(Layer& l, int y) {
  const double cx = AxisX(y), half = ActionHalf(y);
  for (int x = static_cast<int>(cx - half) - 1; x <= cx + half + 1; ++x) {
    const double cover = EdgeCover(x, cx - half, cx + half);
    const double u = (x + 0.5 - cx) / half;
    if (cover <= 0 || !OnAction(u, y)) continue;
    Rgb c = Engraved(u, x, y);
    if (std::abs(u) < 0.22) c = Strap(u / 0.22);
    if (y < ActionTop + 3) c = Mix(c, {0, 0, 0}, 0.6);  // the breech face's shadow line
    l.Paint(x, y, c, cover);
  }
  // The top lever, swept across to the right of the strap.
  const double lever = 0.22 * half;
  if (y >= 110 && y <= 120)
    for (int x = static_cast<int>(cx + lever - 1); x <= cx + 0.8 * half - (120 - y) * 0.4; ++x) {
      const double lit = std::clamp((120.0 - y) / 10.0, 0.0, 1.0);
      l.Paint(x, y, Mix({14, 16, 24}, {150, 160, 186}, lit), 1);
    }
}

void PaintStock(Layer& l, int y) {
  const double cx = AxisX(y), half = StockHalf(y);
  for (int x = static_cast<int>(cx - half) - 1; x <= cx + half + 1; ++x) {
    const double cover = EdgeCover(x, cx - half, cx + half);
    const double u = (x + 0.5 - cx) / half;
    if (cover <= 0 || OnAction(u, y)) continue;
    Rgb c = Walnut(u * 0.9, x, y, 77);
    c = Chequer(c, x, y, u, (y - 146) / 44.0, 0.48, 0.9);  // the grip
    if (OnAction(u, y - 2)) c = Mix(c, {0, 0, 0}, 0.55);   // wood meeting the steel
    // The strap's tang runs back into the wrist, with the safety catch on it.
    const double tang = 0.22 * ActionHalf(StockTop) * (1 - (y - StockTop) / 30.0);
    if (std::abs(x + 0.5 - cx) < tang) {
      c = Strap((x + 0.5 - cx) / tang);
      if (y >= StockTop + 4 && y <= StockTop + 10)
        c = (x + y) % 2 ? Rgb{50, 52, 58} : Rgb{176, 178, 184};
    }
    l.Paint(x, y, c, cover);
  }
}

void PaintBead(Layer& l) {
  FillEllipse(l, 122.5, 4.5, 1.9, 1.9, [](double u, double v) {
    return Mix({255, 250, 232}, {180, 140, 70}, std::clamp(0.5 + 0.5 * (u + v), 0.0, 1.0));
  });
}

}  // namespace

void PaintGun(Image& sheet) {
  Layer l(GunW, GunH);
  for (int y = 1; y < GunH; ++y) {
    if (y < ActionTop) {
      // The fore-end wraps the lower barrel; the upper barrel and its rib lie on top.
      if (y < ForeEndTip)
        PaintLowerBarrel(l, y);
      else
        PaintForeEnd(l, y);
      PaintUpperBarrel(l, y);
    } else {
      if (y < StockTop + 2) PaintAction(l, y);
      if (y >= StockTop - 5) PaintStock(l, y);
    }
  }
  PaintBead(l);
  PutSprite(sheet, l, GunPictureX, GunY, GunMaskX, GunY);
}

}  // namespace assets
