#include <algorithm>
#include <cmath>
#include <string>

#include "art_painters.h"
#include "art_wood.h"

namespace assets {

namespace {

constexpr int MakerX = 80, MakerY = 660, MakerW = 306, MakerH = 210;
constexpr int TitleX = 128, TitleY = 868, TitleW = 230, TitleH = 90;

// Lettering lit from above: a vertical gradient through the glyphs, with a dark outline.
void PaintGradientText(Image& img, int cx, int y, const std::string& text, Font font, int size,
                       Rgb top, Rgb bottom, Rgb outline) {
  const int w = TextWidth(text, font, size), h = TextHeight(font, size);
  Image cover(w + 4, h + 4, {0, 0, 0});
  DrawText(cover, 2, 2, text, font, size, {255, 255, 255});
  const int x = cx - w / 2 - 2;
  for (int j = 0; j < cover.H(); ++j)
    for (int i = 0; i < cover.W(); ++i) {
      double around = 0;
      for (int dj = -1; dj <= 2; ++dj)
        for (int di = -1; di <= 2; ++di)
          if (cover.Inside(i - di, j - dj))
            around = std::max(around, cover.Get(i - di, j - dj).R / 255.0);
      img.Blend(x + i, y - 2 + j, outline, around);
    }
  for (int j = 0; j < cover.H(); ++j) {
    const double t = std::clamp((j - 2.0) / h, 0.0, 1.0);
    const Rgb c = t < 0.5 ? Mix(top, {255, 250, 220}, 0.5 - t) : Mix(top, bottom, (t - 0.5) * 2);
    for (int i = 0; i < cover.W(); ++i) img.Blend(x + i, y - 2 + j, c, cover.Get(i, j).R / 255.0);
  }
}

// An orange clay in flight with a trail behind it: the game's emblem on its title.
void PaintFlyingClay(Image& img, double cx, double cy) {
  for (int k = 1; k <= 5; ++k)
    for (int i = -3; i <= 3; ++i)
      img.Blend(static_cast<int>(cx - 10 - k * 5), static_cast<int>(cy + 2 + k * 2.0 + i * 0.4),
                {246, 170, 80}, 0.5 - 0.08 * k);
  const double rx = 12, ry = 5;
  for (int y = static_cast<int>(cy - ry - 1); y <= cy + ry + 1; ++y)
    for (int x = static_cast<int>(cx - rx - 1); x <= cx + rx + 1; ++x) {
      const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
      const double d = u * u + v * v;
      if (d > 1) continue;
      Rgb c = Mix({252, 150, 50}, {150, 50, 8}, std::clamp(0.3 + 0.5 * v + 0.3 * u, 0.0, 1.0));
      if (d > 0.7) c = Mix(c, {90, 30, 6}, 0.5);
      if (std::abs(d - 0.35) < 0.05) c = Mix(c, {120, 40, 6}, 0.4);
      const double hx = u + 0.35, hy = v + 0.45;
      if (hx * hx + hy * hy < 0.06) c = Mix(c, {255, 255, 230}, 0.6);
      img.Blend(x, y, c, std::clamp((1 - d) * rx, 0.0, 1.0));
    }
}

void PaintFrame(Image& img, int x, int y, int w, int h, Rgb c) {
  img.FillRect(x, y, w, 1, c);
  img.FillRect(x, y + h - 1, w, 1, c);
  img.FillRect(x, y, 1, h, c);
  img.FillRect(x + w - 1, y, 1, h, c);
}

// Black all round, so that its top rows, which are also the maker logo's last rows, are
// the same black on both.
void PaintTitleLogo(Image& img) {
  img.FillRect(TitleX, TitleY, TitleW, TitleH, {0, 0, 0});
  for (int j = 6; j < TitleH - 6; ++j)
    for (int i = 4; i < TitleW - 4; ++i) {
      const double glow = 1 - std::hypot((i - TitleW / 2.0) / 130.0, (j - 40.0) / 60.0);
      img.Set(TitleX + i, TitleY + j, Mix({8, 22, 14}, {22, 64, 40}, std::clamp(glow, 0.0, 1.0)));
    }
  PaintFrame(img, TitleX + 4, TitleY + 6, TitleW - 8, TitleH - 12, {196, 160, 80});
  PaintFrame(img, TitleX + 7, TitleY + 9, TitleW - 14, TitleH - 18, {120, 92, 40});
  PaintFlyingClay(img, TitleX + 202, TitleY + 24);
  PaintGradientText(img, TitleX + TitleW / 2 - 10, TitleY + 16, "Quillmoor", Font::SerifBold, 35,
                    {250, 214, 110}, {170, 110, 30}, {10, 6, 2});
  PaintCentredText(img, TitleX + TitleW / 2, TitleY + 62, TitleW - 30, "CLAY TARGET SHOOTING",
                   Font::SansBold, 10, {226, 212, 170}, {0, 0, 0});
}

Rgb BadgeSky(double v) {
  return Mix({250, 232, 170}, {120, 170, 214}, std::clamp(0.6 - v, 0.0, 1.0));
}

// A small wood on a hill: the copse the studio is named after.
void PaintCopse(Image& img, int cx, int cy, double r) {
  for (int y = static_cast<int>(cy - r); y <= cy + r; ++y)
    for (int x = static_cast<int>(cx - r); x <= cx + r; ++x) {
      const double u = (x + 0.5 - cx) / r, v = (y + 0.5 - cy) / r;
      const double d = std::hypot(u, v);
      if (d > 1) continue;
      Rgb c = BadgeSky(v);
      const double hill = 0.45 + 0.12 * std::cos(u * 2.4);
      if (v > hill) c = Mix({96, 140, 52}, {40, 80, 30}, (v - hill) * 2);
      const double trees[][3] = {{-0.38, 0.18, 0.24}, {0.02, 0.02, 0.32}, {0.4, 0.16, 0.22}};
      for (const auto& t : trees) {
        const double tx = u - t[0], ty = v - t[1];
        if (std::abs(tx) < 0.035 && ty > 0 && ty < t[2] + 0.12) c = {70, 44, 24};
        const double leaf = FractalNoise(x / 4.0, y / 4.0, 3, 61);
        if (std::hypot(tx, ty * 1.1) < t[2] * (0.85 + 0.3 * leaf))
          c = Mix({30, 74, 34}, {104, 156, 64},
                  std::clamp(0.6 - tx - ty + 0.6 * (leaf - 0.5), 0.0, 1.0));
      }
      if (d > 0.9) c = Mix({90, 60, 20}, {214, 176, 96}, 0.5 - v * 0.5);  // the brass ring
      img.Blend(x, y, c, std::clamp((1 - d) * r, 0.0, 1.0));
    }
}

void PaintMakerLogo(Image& img) {
  img.FillRect(MakerX, MakerY, MakerW, MakerH, {0, 0, 0});
  PaintCopse(img, MakerX + MakerW / 2, MakerY + 62, 54);
  PaintGradientText(img, MakerX + MakerW / 2, MakerY + 124, "Old Spinney", Font::SerifBold, 34,
                    {236, 226, 200}, {170, 150, 110}, {0, 0, 0});
  PaintCentredText(img, MakerX + MakerW / 2, MakerY + 166, MakerW - 40, "S O F T W A R E",
                   Font::SansBold, 14, {196, 160, 80}, {0, 0, 0});
  PaintCentredText(img, MakerX + MakerW / 2, MakerY + 186, MakerW - 40, "presents", Font::Serif, 12,
                   {150, 150, 140}, {0, 0, 0});
}

}  // namespace

void PaintLogos(Image& sheet) {
  PaintMakerLogo(sheet);
  PaintTitleLogo(sheet);
}

}  // namespace assets
