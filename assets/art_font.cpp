#include <algorithm>
#include <cmath>
#include <string>

#include "art_painters.h"
#include "art_regions.h"
#include "scene_paint.h"

namespace assets {

namespace {

// The cells are copied as they stand onto the score card and the tournament panel, so
// their ground must be exactly the baize those panels leave under the text; the letters
// are in the panels' cream.
constexpr Rgb FontPaper = BitmapTextGround;
constexpr Rgb FontInk{244, 232, 204};

// Glyphs are rendered four times larger and sampled down, so they can be fitted into their
// cells and still keep clean, even strokes.
constexpr int Oversample = 4;
constexpr int RenderSize = 13 * Oversample;
constexpr int BaselineRow = 11;  // capitals stand on row 10; descenders use rows 11 to 13

struct Rendered {
  Image Ink;
  int Baseline = 0;
};

Rendered Render(const std::string& glyph) {
  Rendered r{Image(RenderSize * 2, RenderSize * 2, {0, 0, 0}), 0};
  DrawText(r.Ink, RenderSize / 2, RenderSize / 4, glyph, Font::SansBold, RenderSize,
           {255, 255, 255});
  return r;
}

// Row just below the ink of a capital H: where every glyph of the font stands.
int FindBaseline() {
  const Rendered h = Render("H");
  for (int y = h.Ink.H() - 1; y >= 0; --y)
    for (int x = 0; x < h.Ink.W(); ++x)
      if (h.Ink.Get(x, y).R > 127) return y + 1;
  return 0;
}

void InkColumns(const Image& ink, int* left, int* right) {
  *left = ink.W();
  *right = 0;
  for (int x = 0; x < ink.W(); ++x)
    for (int y = 0; y < ink.H(); ++y)
      if (ink.Get(x, y).R > 40) {
        *left = std::min(*left, x);
        *right = std::max(*right, x + 1);
      }
}

void PaintGlyph(Image& sheet, int cellX, int cellY, int cellW, char ch, int baseline) {
  const Rendered g = Render(std::string(1, ch));
  int left = 0, right = 0;
  InkColumns(g.Ink, &left, &right);
  const int room = cellW - 1;  // the last column stays bare, the gap to the next letter
  const double step = std::max<double>(Oversample, (right - left) / double(room));
  const double offset = (room - (right - left) / step) / 2;
  for (int cy = 0; cy < FontCell; ++cy)
    for (int cx = 0; cx < cellW; ++cx) {
      double sum = 0;
      for (int j = 0; j < Oversample; ++j)
        for (int i = 0; i < Oversample; ++i) {
          const int hx = static_cast<int>(left + (cx + (i + 0.5) / Oversample - offset) * step);
          const int hy = static_cast<int>(baseline - (BaselineRow - (cy + (j + 0.5) / Oversample)) *
                                                         Oversample);
          if (g.Ink.Inside(hx, hy)) sum += g.Ink.Get(hx, hy).R / 255.0;
        }
      // A steeper ramp than plain averaging keeps the small strokes crisp.
      const double a = std::clamp((sum / (Oversample * Oversample) - 0.5) * 1.7 + 0.5, 0.0, 1.0);
      sheet.Set(cellX + cx, cellY + cy, cx < room ? Mix(FontPaper, FontInk, a) : FontPaper);
    }
}

}  // namespace

void PaintBitmapFont(Image& sheet) {
  const int baseline = FindBaseline();
  // Baize between the narrower lower-case cells too, so the block reads as one card.
  sheet.FillRect(FontX, FontUpperY, FontPitch * 26, FontDigitY - FontUpperY, FontPaper);
  for (int i = 0; i < 26; ++i) {
    PaintGlyph(sheet, FontX + FontPitch * i, FontUpperY, FontCell, static_cast<char>('A' + i),
               baseline);
    PaintGlyph(sheet, FontX + FontPitch * i, FontLowerY, FontLowerW, static_cast<char>('a' + i),
               baseline);
  }
  for (int i = 0; i < 10; ++i)
    PaintGlyph(sheet, FontX + FontPitch * i, FontDigitY, FontCell, static_cast<char>('0' + i),
               baseline);
}

}  // namespace assets
