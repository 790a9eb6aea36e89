// The history screen: a baize card like the score card's, with room for the chart of a
// shooter's runs, his best run on each field and his last thirty days. The game draws the
// chart and every figure; the picture holds the captions, the legend and the buttons.

#include <cstdlib>
#include <string>

#include "generators.h"
#include "menu_items.h"
#include "geometry/history_layout.h"
#include "scene_paint.h"

namespace assets {

namespace {

constexpr int W = 640, H = 480;
constexpr Rgb WallDark{38, 24, 14}, WallLight{96, 64, 38};
constexpr Rgb Gold{236, 200, 116}, Cream{244, 232, 204};

Rgb FromPixel(uint32_t rgb) {
  return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
}

void Button(Image& img, const qm::Rect& r, const char* caption) {
  const MenuItemBox box{-1, r.X, r.Y, r.W, r.H, 0, caption};
  PaintDropShadow(img, r.X, r.Y, r.W, r.H, 6);
  PaintMenuItem(img, r.X, r.Y, box, 0, false);
}

void Caption(Image& img, int x, int y, const char* text) {
  DrawText(img, x, y, text, Font::Sans, 13, Gold);
}

// The three marks of the chart, explained on a small board below the card.
void PaintLegend(Image& img) {
  const qm::Rect r = qm::HistoryLegendRect;
  PaintDropShadow(img, r.X, r.Y, r.W, r.H, 6);
  PaintBrassFrame(img, r.X, r.Y, r.W, r.H, 2);
  PaintFlatCard(img, r.X + 2, r.Y + 2, r.W - 4, r.H - 4, BitmapTextGround,
                Mix(BitmapTextGround, Gold, 0.3));
  const int x = r.X + 12, textX = r.X + 30;
  FillEllipse(img, x + 4, r.Y + 12, 4.5, 4.5, FromPixel(qm::HistoryMarkEdge), 1.0);
  FillEllipse(img, x + 4, r.Y + 12, 3.5, 3.5, FromPixel(qm::HistoryPracticeMark), 1.0);
  DrawText(img, textX, r.Y + 5, "Practice", Font::Sans, 12, Cream);
  for (int d = 0; d <= 5; ++d) {
    const Rgb c = FromPixel(d == 5 ? qm::HistoryMarkEdge : qm::HistoryTournamentMark);
    for (int i = -d; i <= d; ++i) {
      img.Set(x + 4 + i, r.Y + 27 - (d - std::abs(i)), c);
      img.Set(x + 4 + i, r.Y + 27 + (d - std::abs(i)), c);
    }
  }
  DrawText(img, textX, r.Y + 20, "Tournament", Font::Sans, 12, Cream);
  StrokeLine(img, x - 2, r.Y + 43, x + 10, r.Y + 43, 2.0, FromPixel(qm::HistoryAverageLine), 1.0);
  DrawText(img, textX, r.Y + 35, "Average of ten runs", Font::Sans, 12, Cream);
}

void PaintHistoryPicture(const Output& out) {
  using namespace qm;
  Image img(W, H);
  PaintPlankWall(img, 0, 0, W, H, WallDark, WallLight, 217);
  const Rect card = HistoryCardRect;
  PaintDropShadow(img, card.X - 4, card.Y - 4, card.W + 8, card.H + 8, 10);
  PaintBrassFrame(img, card.X - 4, card.Y - 4, card.W + 8, card.H + 8, 4);
  const Rgb rule = Mix(BitmapTextGround, Gold, 0.45);
  PaintFlatCard(img, card.X, card.Y, card.W, card.H, BitmapTextGround, rule);
  DrawText(img, 30, 14, "Score History", Font::SerifBold, 20, Gold);
  const Rect plot = HistoryPlotRect;
  PaintWell(img, plot.X - 2, plot.Y - 2, plot.W + 4, plot.H + 4, BitmapTextGround);
  img.FillRect(30, HistoryRuleY, 580, 1, rule);
  img.FillRect(HistoryColumnRule, HistoryRuleY + 8, 1, HistoryRowY(5) + 14 - HistoryRuleY - 8,
               rule);

  DrawText(img, BestCaptionX, HistoryTableHeadY - 2, "Best Run on Each Field", Font::SansBold, 13,
           Gold);
  DrawText(img, RecentCaptionX, HistoryTableHeadY - 2, "Last 30 Days", Font::SansBold, 13, Gold);
  const char* best[] = {"Field 1", "Field 2", "Field 3", "Field 4", "Field 5", "Tournament"};
  const char* recent[] = {"Runs", "Clays Thrown", "Clays Hit", "Percent Hit", "Rating", "Warnings"};
  for (int row = 0; row < 6; ++row) {
    Caption(img, BestCaptionX, HistoryRowY(row), best[row]);
    Caption(img, RecentCaptionX, HistoryRowY(row), recent[row]);
  }

  PaintLegend(img);
  Button(img, LblHistoryPrevRect, "Previous");
  Button(img, LblHistoryNextRect, "Next");
  Button(img, LblHistoryPrintRect, "Print");
  Button(img, LblHistoryDoneRect, "Done");
  img.SaveBmp(out.Path("history.bmp"));
}

}  // namespace

void GenerateHistoryPanel(const Output& out) {
  PaintHistoryPicture(out);
}

}  // namespace assets
