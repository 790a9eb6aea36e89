#include <algorithm>
#include <cmath>
#include <string>

#include "scene_grounds.h"
#include "scene_paint.h"

namespace assets {

namespace {

constexpr double Corner = 9;

// How much of pixel (i, j) of the area lies inside its rounded outline, 0..1.
double Coverage(const Area& a, int i, int j) {
  const double cx = std::clamp(i + 0.5, Corner, a.W - Corner);
  const double cy = std::clamp(j + 0.5, Corner, a.H - Corner);
  const double d = std::hypot(i + 0.5 - cx, j + 0.5 - cy);
  return std::clamp(Corner - d + 0.5, 0.0, 1.0);
}

void Composite(Image& img, const Area& a, const Image& local) {
  for (int j = 0; j < a.H; ++j)
    for (int i = 0; i < a.W; ++i) img.Blend(a.X + i, a.Y + j, local.Get(i, j), Coverage(a, i, j));
}

Image Ground(const Area& a, Rgb dark, Rgb light, double scale, uint32_t seed) {
  Image local(a.W, a.H);
  for (int j = 0; j < a.H; ++j)
    for (int i = 0; i < a.W; ++i) {
      const double n = FractalNoise((a.X + i) / scale, (a.Y + j) / scale, 4, seed);
      local.Set(i, j, Mix(dark, light, n));
    }
  return local;
}

void Sprinkle(Image& local, Rgb c, int count, uint32_t seed, double fromY = 0) {
  Noise n(seed);
  for (int k = 0; k < count; ++k) {
    const int x = static_cast<int>(n.Range(2, local.W() - 2));
    const int y = static_cast<int>(n.Range(fromY * local.H() + 2, local.H() - 2));
    local.Blend(x, y, c, 0.9);
    local.Blend(x + 1, y, c, 0.4);
  }
}

void PaintStand(Image& local, double x, double y) {
  FillEllipse(local, x + 3, y + 4, 7, 3, {0, 0, 0}, 0.3);
  local.FillRect(static_cast<int>(x) - 5, static_cast<int>(y) - 4, 10, 8, {150, 110, 66});
  for (int i = -5; i < 5; ++i)
    local.Set(static_cast<int>(x) + i, static_cast<int>(y) - 5, {90, 60, 34});
  local.FillRect(static_cast<int>(x) - 5, static_cast<int>(y) - 4, 1, 8, {90, 60, 34});
  local.FillRect(static_cast<int>(x) + 4, static_cast<int>(y) - 4, 1, 8, {90, 60, 34});
}

void PaintTrapHouse(Image& local, int x, int y) {
  local.FillRect(x + 2, y + 2, 10, 7, {0, 0, 0});
  local.FillRect(x, y, 10, 7, {128, 120, 108});
  local.FillRect(x, y, 10, 2, {92, 84, 76});
}

}  // namespace

void PaintOpenMeadow(Image& img, const Area& a, const GroundsPalette& p) {
  Image local = Ground(a, Mix(p.Meadow, {0, 0, 0}, 0.18), p.Meadow, 40, 701);
  // Mown in broad stripes that catch the light in turn.
  for (int j = 0; j < a.H; ++j)
    for (int i = 0; i < a.W; ++i)
      if (((i + j / 2) / 12) % 2 == 0) local.Blend(i, j, {255, 255, 230}, 0.09);
  Sprinkle(local, p.MeadowFlower, 70, 702);
  Sprinkle(local, {250, 250, 250}, 30, 703);
  PaintTrapHouse(local, 20, 28);
  PaintTrapHouse(local, 66, 44);
  PaintStand(local, a.W / 2.0, a.H - 20);
  Composite(img, a, local);
}

void PaintWoodlandEdge(Image& img, const Area& a, const GroundsPalette& p) {
  Image local = Ground(a, Mix(p.GrassDark, {0, 0, 0}, 0.15), p.GrassLight, 24, 711);
  Noise n(712);
  for (int row = 0; row < 4; ++row)
    for (int k = 0; k < 5; ++k) {
      const double x = 6 + k * 13 + n.Range(-3, 3) + (row % 2) * 6;
      const double y = 16 + row * 11 + n.Range(-2, 2);
      PaintGroundsTree(local, x, y, 7 + n.Range(0, 2.5), p, 713 + row * 7 + k);
    }
  PaintTrapHouse(local, 10, 62);
  PaintStand(local, a.W / 2.0 + 8, a.H - 12);
  Composite(img, a, local);
}

// A rounded hill whose top lies in the upper left of the field, lit from the upper left.
double HillHeight(const Area& a, double i, double j) {
  const double dx = (i - a.W * 0.3) / a.W, dy = (j - a.H * 0.25) / a.H;
  return std::exp(-(dx * dx + dy * dy) * 3.2) + 0.04 * FractalNoise(i / 9.0, j / 9.0, 2, 721);
}

void PaintHillside(Image& img, const Area& a, const GroundsPalette& p) {
  Image local(a.W, a.H);
  for (int j = 0; j < a.H; ++j)
    for (int i = 0; i < a.W; ++i) {
      const double h = HillHeight(a, i, j);
      const double slope = (HillHeight(a, i - 1, j - 1) - HillHeight(a, i + 1, j + 1)) * 40;
      Rgb c = Mix(Mix(p.GrassDark, p.Bracken, 0.5), Mix(p.GrassLight, p.Path, 0.35), h);
      c = slope > 0 ? Mix(c, {255, 246, 214}, std::min(0.35, slope * 0.5))
                    : Mix(c, {0, 0, 0}, std::min(0.4, -slope * 0.6));
      const double band = std::fmod(h * 7, 1.0);
      if (band < 0.08) c = Mix(c, {0, 0, 0}, 0.18);
      local.Set(i, j, Mix(c, p.GrassDark, 0.2 * FractalNoise(i / 5.0, j / 5.0, 3, 722)));
    }
  Noise n(723);
  for (int k = 0; k < 9; ++k) {
    const double x = n.Range(6, a.W - 6), y = n.Range(6, a.H - 16), r = n.Range(1.5, 3.5);
    FillEllipse(local, x + 1, y + 1, r, r * 0.7, {0, 0, 0}, 0.35);
    FillEllipse(local, x, y, r, r * 0.7, p.Rock, 1.0);
  }
  PaintGroundsTree(local, 52, 22, 6, p, 724);
  PaintTrapHouse(local, 14, 18);
  PaintStand(local, a.W / 2.0, a.H - 12);
  Composite(img, a, local);
}

void PaintWaterField(Image& img, const Area& a, const GroundsPalette& p) {
  Image local = Ground(a, p.GrassDark, p.GrassLight, 20, 731);
  const double cx = a.W * 0.5, cy = a.H * 0.44, rx = a.W * 0.4, ry = a.H * 0.32;
  FillEllipse(local, cx, cy, rx + 3, ry + 3, Mix(p.Path, p.GrassDark, 0.4), 1.0);
  for (int j = 0; j < a.H; ++j)
    for (int i = 0; i < a.W; ++i) {
      const double dx = (i + 0.5 - cx) / rx, dy = (j + 0.5 - cy) / ry;
      const double wobble = 0.08 * FractalNoise(i / 6.0, j / 6.0, 2, 732);
      const double d = std::sqrt(dx * dx + dy * dy) + wobble;
      if (d > 1) continue;
      Rgb c = Mix(p.Water, Mix(p.Water, {0, 0, 0}, 0.35), d);
      const double ripple = std::sin(j * 1.7 + 3 * FractalNoise(i / 10.0, j / 3.0, 2, 733));
      if (ripple > 0.85) c = Mix(c, p.WaterShine, 0.5);
      local.Blend(i, j, c, std::clamp((1 - d) * 8, 0.0, 1.0));
    }
  Noise n(734);
  for (int k = 0; k < 26; ++k) {
    const double t = n.Range(0.6, 2.6), x = cx + std::cos(t) * rx, y = cy + std::sin(t) * ry;
    StrokeLine(local, x, y, x + n.Range(-1, 1), y - n.Range(3, 6), 1,
               Mix(p.Bracken, {0, 0, 0}, 0.2), 0.9);
  }
  PaintStand(local, cx, a.H - 14);
  PaintTrapHouse(local, static_cast<int>(cx) + 18, a.H - 22);
  Composite(img, a, local);
}

void PaintValley(Image& img, const Area& a, const GroundsPalette& p) {
  Image local(a.W, a.H);
  auto streamAt = [&a](int j) { return a.W * 0.5 + std::sin(j / 17.0) * a.W * 0.14; };
  for (int j = 0; j < a.H; ++j)
    for (int i = 0; i < a.W; ++i) {
      const double fromStream = (i - streamAt(j)) / (a.W * 0.5);
      // The western flank lies in shade, the eastern flank in sun.
      const double light = fromStream < 0 ? 0.25 + 0.4 * (1 + fromStream) : 0.85 - 0.3 * fromStream;
      const double n = FractalNoise((a.X + i) / 18.0, (a.Y + j) / 18.0, 4, 741);
      local.Set(i, j,
                Mix(Mix(p.GrassDark, {0, 0, 0}, 0.25), p.GrassLight, light * (0.7 + 0.3 * n)));
    }
  for (int j = 0; j < a.H; ++j) {
    const double x = streamAt(j), w = 2.0 + j / 60.0;
    for (int i = static_cast<int>(x - w - 2); i <= static_cast<int>(x + w + 2); ++i) {
      const double d = std::abs(i + 0.5 - x);
      local.Blend(i, j, Mix(p.Water, p.WaterShine, 0.3), std::clamp(w - d + 0.5, 0.0, 1.0));
    }
  }
  Noise n(742);
  for (int k = 0; k < 7; ++k) {
    const double y = n.Range(10, a.H - 20);
    const double side = (k % 2 ? 1 : -1) * n.Range(8, 14);
    PaintGroundsTree(local, streamAt(static_cast<int>(y)) + side, y, 4.5, p, 743 + k);
  }
  PaintTrapHouse(local, 14, 40);
  PaintStand(local, streamAt(a.H - 14) + 16, a.H - 12);
  Composite(img, a, local);
}

void PaintFieldBounds(Image& img, const Area& a, int number, bool postOnRight,
                      const GroundsPalette& p) {
  const Rgb hedge = Mix(p.Canopy[0], {0, 0, 0}, 0.35);
  for (int j = -4; j < a.H + 4; ++j)
    for (int i = -4; i < a.W + 4; ++i) {
      const double cx = std::clamp(i + 0.5, Corner, a.W - Corner);
      const double cy = std::clamp(j + 0.5, Corner, a.H - Corner);
      const double d = std::hypot(i + 0.5 - cx, j + 0.5 - cy) - Corner;  // <0 inside
      const double shadow = std::hypot(i - 2.5 - cx, j - 2.5 - cy) - Corner;
      if (shadow > -1 && shadow < 3 && d > -0.5)
        img.Blend(a.X + i, a.Y + j, {0, 0, 0}, 0.3 * (1 - shadow / 3));
      const double leafy = 2.2 + 0.8 * FractalNoise(i / 2.0, j / 2.0, 2, 751 + number);
      const double ring = leafy - std::abs(d + 1.2);
      img.Blend(a.X + i, a.Y + j, Mix(hedge, p.Canopy[1], FractalNoise(i / 3.0, j / 3.0, 2, 752)),
                std::clamp(ring, 0.0, 1.0));
    }
  const int px = postOnRight ? a.X + a.W - 11 : a.X + 10, py = a.Y + 10;
  FillEllipse(img, px + 1.5, py + 1.5, 7.5, 7.5, {0, 0, 0}, 0.4);
  FillEllipse(img, px, py, 7.5, 7.5, {120, 84, 30}, 1.0);
  FillEllipse(img, px - 0.5, py - 0.5, 6.3, 6.3, {226, 190, 100}, 1.0);
  const std::string label = std::to_string(number);
  DrawText(img, px - TextWidth(label, Font::SansBold, 11) / 2,
           py - TextHeight(Font::SansBold, 11) / 2, label, Font::SansBold, 11, {60, 36, 14});
}

}  // namespace assets
