#include "app/frm_main.h"
#include "geometry/art_regions.h"

namespace qm {

using namespace art;

namespace {

// Draws text with the art sheet's font cells; characters it has no cell for are skipped
// without moving the pen (so "2.5%" draws as "25").
void DrawCells(const Surface& art, Surface& target, const std::string& text, int& x, int y) {
  for (unsigned char c : text) {
    if (c == ' ') {
      x += 16;
    } else if (c >= '0' && c <= '9') {
      BitBlt(target, x, y, FontCell, FontCell, art, FontX + FontPitch * (c - '0'), FontDigitY,
             RasterOp::Copy);
      x += 14;
    } else if (c >= 'A' && c <= 'Z') {
      BitBlt(target, x, y, FontCell, FontCell, art, FontX + FontPitch * (c - 'A'), FontUpperY,
             RasterOp::Copy);
      x += 14;
    } else if (c >= 'a' && c <= 'z') {
      BitBlt(target, x, y, FontLowerW, FontCell, art, FontX + FontPitch * (c - 'a'), FontLowerY,
             RasterOp::Copy);
      x += 12;
    }
  }
}

}  // namespace

void FrmMain::DrawTourneyInfo(const std::string& text, int& x, int& y) {
  DrawCells(picArt->Image(), picTourney->Draw(), text, x, y);
}

void FrmMain::DrawBitmapText(const std::string& text, int& x, int& y) {
  DrawCells(picArt->Image(), picStats->Draw(), text, x, y);
}

void FrmMain::DrawHistoryText(const std::string& text, int& x, int& y) {
  DrawCells(picArt->Image(), picHistory->Draw(), text, x, y);
}

}  // namespace qm
