#include <algorithm>
#include <cmath>
#include <string>

#include "art_painters.h"
#include "art_regions.h"
#include "art_wood.h"

namespace assets {

namespace {

// A brushed brass plaque with engraved lettering, shown on the menu beside the fields.
void PaintFieldPlate(Image& img, int x, int y, int field) {
  const int w = FieldPlateW, h = FieldPlateH;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const double brushed = ValueNoise(i / 14.0, j * 1.7, 57 + field) * 0.25;
      const double lit = std::clamp(0.75 - 0.5 * j / h + brushed, 0.0, 1.0);
      img.Set(x + i, y + j, Mix({120, 84, 28}, {246, 214, 132}, lit));
    }
  for (int k = 0; k < 2; ++k) {
    for (int i = k; i < w - k; ++i) {
      img.Set(x + i, y + k, k == 0 ? Rgb{70, 44, 12} : Rgb{255, 238, 176});
      img.Set(x + i, y + h - 1 - k, k == 0 ? Rgb{60, 36, 10} : Rgb{150, 104, 40});
    }
    for (int j = k; j < h - k; ++j) {
      img.Set(x + k, y + j, k == 0 ? Rgb{70, 44, 12} : Rgb{255, 238, 176});
      img.Set(x + w - 1 - k, y + j, k == 0 ? Rgb{60, 36, 10} : Rgb{150, 104, 40});
    }
  }
  PaintScrew(img, x + 6.5, y + h / 2.0, 2.2);
  PaintScrew(img, x + w - 6.5, y + h / 2.0, 2.2);
  const std::string text = "Field " + std::to_string(field);
  // Engraved: the light catches the lower lip of each cut.
  PaintCentredText(img, x + w / 2, y + 8, w - 26, text, Font::SerifBold, 16, {58, 34, 8},
                   {255, 240, 190});
}

// The little enamel plate that stands by each trap: white, blue rim, black lettering.
void PaintTrapPlate(Image& img, int x, int y, int trap) {
  const int w = TrapPlateW, h = TrapPlateH;
  img.FillRect(x, y, w, h, {28, 48, 96});
  for (int j = 2; j < h - 2; ++j)
    for (int i = 2; i < w - 2; ++i) {
      const double lit = 0.9 - 0.25 * j / h;
      img.Set(x + i, y + j, Mix({196, 196, 186}, {252, 252, 244}, lit));
    }
  img.FillRect(x + 1, y + 1, w - 2, 1, {70, 96, 150});
  const std::string text = "Trap " + std::to_string(trap);
  const int size = 15;
  const int tx = x + (w - TextWidth(text, Font::SansCondensedBold, size)) / 2;
  const int ty = y + (h - TextHeight(Font::SansCondensedBold, size)) / 2;
  DrawText(img, tx, ty, text, Font::SansCondensedBold, size, {16, 16, 20});
}

}  // namespace

void PaintPlates(Image& sheet) {
  for (int i = 0; i < 5; ++i)
    PaintFieldPlate(sheet, FieldPlateX + FieldPlateW * i, FieldPlateY, i + 1);
  for (int i = 0; i < 4; ++i) PaintTrapPlate(sheet, TrapPlateX + TrapPlateW * i, TrapPlateY, i + 1);
}

}  // namespace assets
