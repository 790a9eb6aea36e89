#include "art_painters.h"
#include "art_regions.h"
#include "generators.h"
#include "menu_items.h"

namespace assets {

void PaintMenuStrips(Image& sheet) {
  for (int season = 0; season < 2; ++season)
    for (const MenuItemBox& item : MenuItemBoxes)
      PaintMenuItem(sheet, item.StripX, StripY + StripH * season, item, season, true);
}

namespace {

// The wipe paints a panel over with this line, row after row, so it is plain black: the
// panel fades to black. The same row crosses the shell pictures and the pattern cloud,
// which are black there because their sprites keep clear of it.
void PaintWipeLine(Image& sheet) {
  sheet.FillRect(WipeX, WipeY, WipeW, 1, {0, 0, 0});
}

}  // namespace

void GenerateArtSheet(const Output& out) {
  Image sheet(ArtSheetWidth, ArtSheetHeight, {0, 0, 0});
  PaintClays(sheet);
  PaintShells(sheet);
  // The chips are marks inside the cloud's mask, so they go on after it.
  PaintPatternCloud(sheet);
  PaintBreaks(sheet);
  PaintGun(sheet);
  PaintCage(sheet);
  PaintSigns(sheet);
  PaintPlates(sheet);
  // The maker logo first: the title logo's top rows are its bottom rows.
  PaintLogos(sheet);
  PaintBitmapFont(sheet);
  PaintMenuStrips(sheet);
  PaintWipeLine(sheet);
  sheet.SaveBmp(out.Path("art.bmp"));
}

}  // namespace assets
