#include "menu_items.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace assets {

namespace {

struct BoardColours {
  Rgb WoodDark, WoodLight, Rim, Text, TextShadow;
};

// Summer boards are sunlit oak; late-autumn boards are weathered walnut with a cold cast.
BoardColours Colours(int season, bool highlighted) {
  BoardColours c =
      season == 0
          ? BoardColours{{92, 58, 30}, {150, 104, 58}, {58, 34, 16}, {246, 234, 204}, {40, 22, 8}}
          : BoardColours{{62, 44, 34}, {112, 86, 68}, {38, 26, 20}, {232, 228, 218}, {24, 16, 12}};
  if (highlighted) {
    c.WoodDark = Mix(c.WoodDark, {200, 150, 80}, 0.35);
    c.WoodLight = Mix(c.WoodLight, {255, 214, 140}, 0.35);
    c.Rim = {196, 150, 58};
    c.Text = {255, 222, 110};
    c.TextShadow = {120, 64, 12};
  }
  return c;
}

// Wood grain runs along the board; it depends only on the box's own coordinates, so the
// board looks the same wherever it is painted.
Rgb Grain(const BoardColours& c, int i, int j, uint32_t seed) {
  const double streak = FractalNoise(i / 40.0, j / 3.0, 3, seed);
  const double ring = 0.5 + 0.5 * std::sin(i / 9.0 + streak * 6.0);
  return Mix(c.WoodDark, c.WoodLight, 0.25 + 0.55 * streak * (0.6 + 0.4 * ring));
}

void PaintBoard(Image& img, int x, int y, int w, int h, const BoardColours& c, uint32_t seed) {
  for (int j = 0; j < h; ++j) {
    // A soft top light and a darker foot give the board some thickness.
    const double shade = 1.0 - 0.35 * std::abs(j - h * 0.35) / h;
    for (int i = 0; i < w; ++i) img.Set(x + i, y + j, Mix({0, 0, 0}, Grain(c, i, j, seed), shade));
  }
  for (int i = 0; i < w; ++i) {
    img.Set(x + i, y, c.Rim);
    img.Set(x + i, y + h - 1, c.Rim);
    img.Blend(x + i, y + 1, {255, 240, 210}, 0.25);
    img.Blend(x + i, y + h - 2, {0, 0, 0}, 0.3);
  }
  for (int j = 0; j < h; ++j) {
    img.Set(x, y + j, c.Rim);
    img.Set(x + w - 1, y + j, c.Rim);
    img.Blend(x + 1, y + j, {255, 240, 210}, 0.2);
    img.Blend(x + w - 2, y + j, {0, 0, 0}, 0.3);
  }
}

void PaintNail(Image& img, int cx, int cy, Rgb brass) {
  for (int j = -3; j <= 3; ++j)
    for (int i = -3; i <= 3; ++i) {
      const double d = std::hypot(i, j);
      const double cover = std::clamp(2.6 - d, 0.0, 1.0);
      const Rgb shade = Mix(brass, {255, 250, 220}, std::clamp(0.6 - 0.25 * (i + j), 0.0, 1.0));
      img.Blend(cx + i, cy + j, shade, cover);
    }
}

// A warm halo behind the lit caption, built from the text's own coverage.
void PaintGlow(Image& img, int x, int y, const std::string& text, int size, Rgb glow) {
  Image mask(TextWidth(text, Font::SerifBold, size) + 12, TextHeight(Font::SerifBold, size) + 12);
  DrawText(mask, 6, 6, text, Font::SerifBold, size, {255, 255, 255});
  const int r = 3;
  for (int j = 0; j < mask.H(); ++j)
    for (int i = 0; i < mask.W(); ++i) {
      double sum = 0;
      for (int dj = -r; dj <= r; ++dj)
        for (int di = -r; di <= r; ++di)
          if (mask.Inside(i + di, j + dj)) sum += mask.Get(i + di, j + dj).R / 255.0;
      const double a = std::min(1.0, sum / ((2 * r + 1) * (2 * r + 1)) * 2.2);
      img.Blend(x - 6 + i, y - 6 + j, glow, a * 0.8);
    }
}

}  // namespace

void PaintMenuItem(Image& img, int x, int y, const MenuItemBox& item, int season,
                   bool highlighted) {
  const BoardColours c = Colours(season, highlighted);
  const uint32_t seed = 7001u + static_cast<uint32_t>(item.Index) * 31u + season * 977u;
  PaintBoard(img, x, y, item.Width, item.Height, c, seed);
  const Rgb brass = highlighted ? Rgb{236, 196, 96} : Rgb{176, 140, 70};
  if (item.Width >= 90) {
    PaintNail(img, x + 7, y + item.Height / 2, brass);
    PaintNail(img, x + item.Width - 8, y + item.Height / 2, brass);
  }
  const std::string caption = item.Caption;
  int size = 22;
  const int room = item.Width - (item.Width >= 90 ? 26 : 8);
  while (size > 12 && TextWidth(caption, Font::SerifBold, size) > room) --size;
  const int tw = TextWidth(caption, Font::SerifBold, size);
  const int th = TextHeight(Font::SerifBold, size);
  const int tx = x + (item.Width - tw) / 2;
  const int ty = y + (item.Height - th) / 2;
  if (highlighted) PaintGlow(img, tx, ty, caption, size, {255, 180, 60});
  DrawText(img, tx + 1, ty + (highlighted ? 1 : 2), caption, Font::SerifBold, size, c.TextShadow);
  DrawText(img, tx, ty, caption, Font::SerifBold, size, c.Text);
}

}  // namespace assets
