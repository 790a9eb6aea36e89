#include "art_wood.h"

#include <algorithm>
#include <cmath>

namespace assets {

Rgb WoodAt(double x, double y, const WoodTone& tone, uint32_t seed, bool vertical) {
  if (vertical) std::swap(x, y);
  const double streak = FractalNoise(x / 48.0, y / 2.6, 4, seed);
  const double rings = 0.5 + 0.5 * std::sin(y / 3.1 + streak * 9.0 + x / 90.0);
  const double pore = ValueNoise(x / 1.5, y / 0.8, seed + 17) > 0.86 ? 0.18 : 0.0;
  const double t = std::clamp(0.2 + 0.6 * streak + 0.25 * (rings - 0.5) - pore, 0.0, 1.0);
  return Mix(tone.Dark, tone.Light, t);
}

void PaintScrew(Image& img, double cx, double cy, double r) {
  for (int y = static_cast<int>(cy - r - 1); y <= cy + r + 1; ++y)
    for (int x = static_cast<int>(cx - r - 1); x <= cx + r + 1; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double d = std::hypot(dx, dy);
      const double cover = std::clamp(r + 0.5 - d, 0.0, 1.0);
      if (cover <= 0) continue;
      const double lit = std::clamp(0.55 - 0.45 * (dx + dy) / r, 0.0, 1.0);
      Rgb c = Mix({70, 66, 60}, {226, 222, 210}, lit);
      if (std::abs(dx - dy) < 0.7 && d < r - 0.6) c = {40, 36, 32};  // the slot
      img.Blend(x, y, c, cover);
    }
}

void PaintBoard(Image& img, int x, int y, int w, int h, const WoodTone& tone, uint32_t seed) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      Rgb c = WoodAt(i, j + seed % 97, tone, seed);
      // Plank seams every 26 rows or so make it a board rather than a slab.
      if (h > 40 && (j % 26 == 25)) c = Mix(c, {20, 10, 4}, 0.6);
      img.Set(x + i, y + j, c);
    }
  const int bevel = 3;
  for (int k = 0; k < bevel; ++k) {
    const double light = 0.45 - 0.12 * k, dark = 0.55 - 0.13 * k;
    for (int i = k; i < w - k; ++i) {
      img.Blend(x + i, y + k, {255, 236, 200}, light);
      img.Blend(x + i, y + h - 1 - k, {0, 0, 0}, dark);
    }
    for (int j = k; j < h - k; ++j) {
      img.Blend(x + k, y + j, {255, 236, 200}, light * 0.8);
      img.Blend(x + w - 1 - k, y + j, {0, 0, 0}, dark);
    }
  }
  for (int i = 0; i < w; ++i) {
    img.Set(x + i, y, Mix(tone.Dark, {0, 0, 0}, 0.5));
    img.Set(x + i, y + h - 1, Mix(tone.Dark, {0, 0, 0}, 0.6));
  }
  for (int j = 0; j < h; ++j) {
    img.Set(x, y + j, Mix(tone.Dark, {0, 0, 0}, 0.5));
    img.Set(x + w - 1, y + j, Mix(tone.Dark, {0, 0, 0}, 0.6));
  }
  if (w >= 60 && h >= 30) {
    const double in = 7.5;
    PaintScrew(img, x + in, y + in, 2.4);
    PaintScrew(img, x + w - in, y + in, 2.4);
    PaintScrew(img, x + in, y + h - in, 2.4);
    PaintScrew(img, x + w - in, y + h - in, 2.4);
  }
}

int PaintCentredText(Image& img, int cx, int y, int maxWidth, const std::string& text, Font font,
                     int size, Rgb colour, Rgb shadow) {
  while (size > 8 && TextWidth(text, font, size) > maxWidth) --size;
  const int x = cx - TextWidth(text, font, size) / 2;
  DrawText(img, x + 1, y + 1, text, font, size, shadow);
  DrawText(img, x, y, text, font, size, colour);
  return TextHeight(font, size);
}

}  // namespace assets
