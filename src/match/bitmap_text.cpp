#include "app/frm_main.h"

namespace qm {

namespace {

// Draws text with the art sheet's font cells; characters it has no cell for are skipped
// without moving the pen (so "2.5%" draws as "25").
void DrawCells(const Surface& art, Surface& target, const std::string& text, int& x, int y) {
  for (unsigned char c : text) {
    if (c == ' ') {
      x += 16;
    } else if (c >= '0' && c <= '9') {
      BitBlt(target, x, y, 14, 14, art, 80 + 14 * (c - '0'), 986, RasterOp::Copy);
      x += 14;
    } else if (c >= 'A' && c <= 'Z') {
      BitBlt(target, x, y, 14, 14, art, 80 + 14 * (c - 'A'), 958, RasterOp::Copy);
      x += 14;
    } else if (c >= 'a' && c <= 'z') {
      BitBlt(target, x, y, 12, 14, art, 80 + 14 * (c - 'a'), 972, RasterOp::Copy);
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
