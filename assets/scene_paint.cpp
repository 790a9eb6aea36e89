#include "scene_paint.h"

#include <algorithm>
#include <cmath>

namespace assets {

void PaintPlankWall(Image& img, int x, int y, int w, int h, Rgb dark, Rgb light, uint32_t seed) {
  constexpr int Plank = 46;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int plank = i / Plank;
      const double grain = FractalNoise(i / 30.0 + plank * 7.3, j / 160.0 + plank * 3.1, 4, seed);
      const double tone = 0.3 + 0.5 * grain + 0.12 * ValueNoise(plank * 1.7, 0.5, seed + 9);
      Rgb c = Mix(dark, light, tone);
      const int edge = i % Plank;
      if (edge == 0) c = Mix(c, {0, 0, 0}, 0.55);
      if (edge == 1) c = Mix(c, {255, 236, 200}, 0.12);
      img.Set(x + i, y + j, c);
    }
}

void PaintWoodPanel(Image& img, int x, int y, int w, int h, Rgb dark, Rgb light, uint32_t seed) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const double streak = FractalNoise(i / 60.0, j / 4.0, 4, seed);
      const double ring = 0.5 + 0.5 * std::sin(i / 14.0 + streak * 7.0);
      img.Set(x + i, y + j, Mix(dark, light, 0.2 + 0.6 * streak * (0.65 + 0.35 * ring)));
    }
  for (int b = 0; b < 3; ++b) {
    const double lit = 0.28 - 0.08 * b, shade = 0.45 - 0.12 * b;
    for (int i = b; i < w - b; ++i) {
      img.Blend(x + i, y + b, {255, 240, 210}, lit);
      img.Blend(x + i, y + h - 1 - b, {0, 0, 0}, shade);
    }
    for (int j = b; j < h - b; ++j) {
      img.Blend(x + b, y + j, {255, 240, 210}, lit);
      img.Blend(x + w - 1 - b, y + j, {0, 0, 0}, shade);
    }
  }
}

void PaintBrassFrame(Image& img, int x, int y, int w, int h, int thickness) {
  const Rgb deep{120, 84, 30}, mid{196, 152, 70}, shine{250, 226, 150};
  for (int b = 0; b < thickness; ++b) {
    // Lit from the top left: the middle of the rim shines, its edges fall away.
    const double across = thickness > 1 ? static_cast<double>(b) / (thickness - 1) : 0.5;
    const double profile = 1.0 - std::abs(across - 0.4) * 1.6;
    for (int i = b; i < w - b; ++i) {
      const double along = static_cast<double>(i) / w;
      img.Set(x + i, y + b, Mix(mid, shine, profile * (1.0 - 0.5 * along)));
      img.Set(x + i, y + h - 1 - b, Mix(deep, mid, profile));
    }
    for (int j = b; j < h - b; ++j) {
      const double along = static_cast<double>(j) / h;
      img.Set(x + b, y + j, Mix(mid, shine, profile * (1.0 - 0.5 * along)));
      img.Set(x + w - 1 - b, y + j, Mix(deep, mid, profile));
    }
  }
}

void PaintDropShadow(Image& img, int x, int y, int w, int h, int spread) {
  for (int j = -spread; j < h + 2 * spread; ++j)
    for (int i = -spread; i < w + 2 * spread; ++i) {
      const int dx = std::max({0, -i, i - (w - 1)}), dy = std::max({0, -j, j - (h - 1)});
      if (dx == 0 && dy == 0) continue;
      const double d = std::hypot(dx, dy) / spread;
      if (d < 1)
        img.Blend(x + i + spread / 2, y + j + spread / 2, {0, 0, 0}, 0.45 * (1 - d) * (1 - d));
    }
}

void PaintFlatCard(Image& img, int x, int y, int w, int h, Rgb fill, Rgb line) {
  img.FillRect(x, y, w, h, fill);
  for (int i = 4; i < w - 4; ++i) {
    img.Set(x + i, y + 4, line);
    img.Set(x + i, y + h - 5, line);
  }
  for (int j = 4; j < h - 4; ++j) {
    img.Set(x + 4, y + j, line);
    img.Set(x + w - 5, y + j, line);
  }
}

void PaintWell(Image& img, int x, int y, int w, int h, Rgb fill) {
  img.FillRect(x, y, w, h, fill);
  for (int i = 0; i < w; ++i) {
    img.Blend(x + i, y, {0, 0, 0}, 0.55);
    img.Blend(x + i, y + 1, {0, 0, 0}, 0.25);
    img.Blend(x + i, y + h - 1, {255, 240, 210}, 0.3);
  }
  for (int j = 0; j < h; ++j) {
    img.Blend(x, y + j, {0, 0, 0}, 0.45);
    img.Blend(x + w - 1, y + j, {255, 240, 210}, 0.25);
  }
}

void FillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c, double alpha) {
  for (int j = static_cast<int>(cy - ry - 1); j <= static_cast<int>(cy + ry + 1); ++j)
    for (int i = static_cast<int>(cx - rx - 1); i <= static_cast<int>(cx + rx + 1); ++i) {
      const double dx = (i + 0.5 - cx) / rx, dy = (j + 0.5 - cy) / ry;
      const double edge = (1.0 - std::sqrt(dx * dx + dy * dy)) * std::min(rx, ry);
      img.Blend(i, j, c, alpha * std::clamp(edge + 0.5, 0.0, 1.0));
    }
}

void StrokeCircle(Image& img, double cx, double cy, double r, double width, Rgb c, double alpha) {
  const double reach = r + width;
  for (int j = static_cast<int>(cy - reach - 1); j <= static_cast<int>(cy + reach + 1); ++j)
    for (int i = static_cast<int>(cx - reach - 1); i <= static_cast<int>(cx + reach + 1); ++i) {
      const double d = std::abs(std::hypot(i + 0.5 - cx, j + 0.5 - cy) - r);
      img.Blend(i, j, c, alpha * std::clamp(width / 2 - d + 0.5, 0.0, 1.0));
    }
}

void StrokeLine(Image& img, double x0, double y0, double x1, double y1, double width, Rgb c,
                double alpha) {
  const double len = std::max(1e-6, std::hypot(x1 - x0, y1 - y0));
  const int left = static_cast<int>(std::min(x0, x1) - width - 1);
  const int right = static_cast<int>(std::max(x0, x1) + width + 1);
  const int top = static_cast<int>(std::min(y0, y1) - width - 1);
  const int bottom = static_cast<int>(std::max(y0, y1) + width + 1);
  for (int j = top; j <= bottom; ++j)
    for (int i = left; i <= right; ++i) {
      const double px = i + 0.5 - x0, py = j + 0.5 - y0;
      const double t = std::clamp((px * (x1 - x0) + py * (y1 - y0)) / (len * len), 0.0, 1.0);
      const double d = std::hypot(px - t * (x1 - x0), py - t * (y1 - y0));
      img.Blend(i, j, c, alpha * std::clamp(width / 2 - d + 0.5, 0.0, 1.0));
    }
}

int DrawShadowedText(Image& img, int x, int y, const std::string& text, Font font, int size,
                     Rgb colour) {
  DrawText(img, x + 1, y + 2, text, font, size, {0, 0, 0});
  return DrawText(img, x, y, text, font, size, colour);
}

int DrawCentredText(Image& img, int cx, int y, const std::string& text, Font font, int size,
                    Rgb colour, bool shadow) {
  const int left = cx - TextWidth(text, font, size) / 2;
  if (shadow)
    DrawShadowedText(img, left, y, text, font, size, colour);
  else
    DrawText(img, left, y, text, font, size, colour);
  return left;
}

}  // namespace assets
