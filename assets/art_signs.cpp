#include <string>

#include "art_painters.h"
#include "art_regions.h"
#include "art_wood.h"

namespace assets {

namespace {

struct SignText {
  std::string Heading, Line;
};

constexpr Rgb Cream{248, 236, 206}, Soot{30, 18, 8};

// A board with paint over the wood: the grain still shows through, as on a real sign.
void PaintPaintedBoard(Image& img, int x, int y, int w, int h, Rgb paint, uint32_t seed) {
  PaintBoard(img, x, y, w, h, Oak, seed);
  for (int j = 4; j < h - 4; ++j)
    for (int i = 4; i < w - 4; ++i) {
      const double wear = FractalNoise((x + i) / 9.0, (y + j) / 5.0, 3, seed + 3);
      img.Blend(x + i, y + j, paint, wear > 0.72 ? 0.45 : 0.82);
    }
}

void PaintLettering(Image& img, int x, int y, int w, int h, const SignText& text, Rgb ink,
                    Rgb shadow) {
  const int headingSize = h >= 70 ? 24 : 21, lineSize = h >= 70 ? 15 : 13;
  const int gap = h >= 70 ? 6 : 2;
  const int total =
      TextHeight(Font::SerifBold, headingSize) + gap + TextHeight(Font::Sans, lineSize);
  const int top = y + (h - total) / 2;
  const int hh = PaintCentredText(img, x + w / 2, top, w - 26, text.Heading, Font::SerifBold,
                                  headingSize, ink, shadow);
  PaintCentredText(img, x + w / 2, top + hh + gap, w - 26, text.Line, Font::SansBold, lineSize, ink,
                   shadow);
}

void PaintWoodenSign(Image& img, int x, int y, int h, const SignText& text, uint32_t seed) {
  PaintBoard(img, x, y, SignW, h, Oak, seed);
  PaintLettering(img, x, y, SignW, h, text, Cream, Soot);
}

void PaintPaintedSign(Image& img, int x, int y, int h, Rgb paint, const SignText& text, Rgb ink,
                      Rgb shadow, uint32_t seed) {
  PaintPaintedBoard(img, x, y, SignW, h, paint, seed);
  PaintLettering(img, x, y, SignW, h, text, ink, shadow);
}

}  // namespace

void PaintSigns(Image& sheet) {
  PaintWoodenSign(sheet, 80, 438, BannerH, {"Loading Traps", "Please Wait..."}, 101);
  PaintWoodenSign(sheet, 270, 438, BannerH, {"Shooter Ready", "Click to Begin"}, 202);
  PaintWoodenSign(sheet, 80, 516, BannerH, {"Next Station", "Click to Continue"}, 303);
  PaintPaintedSign(sheet, 270, 516, NoticeH, {236, 190, 40}, {"WARNING", "Wait for the Target!"},
                   {24, 20, 16}, {255, 236, 150}, 404);
  PaintPaintedSign(sheet, 270, 576, NoticeH, {178, 30, 26}, {"PENALTY", "Target Lost"},
                   {255, 246, 230}, {60, 8, 6}, 505);
}

}  // namespace assets
