#pragma once
// The history screen and the score card's History button: where the generated picture puts
// its captions and where the game draws the chart and its figures in the bitmap font.

#include <cstdint>

#include "platform/surface.h"

namespace qm {

// On the score card, over its Print and Done buttons.
inline constexpr Rect LblHistoryRect{420, 354, 196, 44};

// The baize card of the history screen and its chart.
inline constexpr Rect HistoryCardRect{16, 10, 608, 388};
inline constexpr Rect HistoryPlotRect{70, 46, 490, 190};
inline constexpr int HistoryTitleY = 18;        // shooter's name and position
inline constexpr int HistoryAxisRight = 63;     // percentages end here, left of the plot
inline constexpr int HistoryBandLetterX = 568;  // class letters, right of the plot
inline constexpr int HistoryDatesY = 242;       // dates of the first and last run shown
inline constexpr int HistoryRuleY = 264;        // line above the two tables
inline constexpr int HistoryTableHeadY = 270;
inline constexpr int HistoryRowY(int row) {
  return 290 + 17 * row;
}  // rows 0..5
// Best runs: caption at x 32, percentage ending at 166 with "%" after it, then "23 of 25".
inline constexpr int BestCaptionX = 32, BestPercentRight = 166, BestCountX = 190;
inline constexpr int HistoryColumnRule = 384;
// Last thirty days: caption at x 400, value ending at 592 ("%" after the percentage).
inline constexpr int RecentCaptionX = 400, RecentValueRight = 592;

inline constexpr Rect LblHistoryPrevRect{24, 412, 108, 48};
inline constexpr Rect LblHistoryNextRect{140, 412, 84, 48};
inline constexpr Rect HistoryLegendRect{236, 410, 172, 54};
inline constexpr Rect LblHistoryPrintRect{420, 412, 90, 48};
inline constexpr Rect LblHistoryDoneRect{520, 412, 96, 48};

// Colours (0xRRGGBB) shared by the picture's legend and the chart the game draws.
inline constexpr uint32_t HistoryPracticeMark = 0xF4E8C8;
inline constexpr uint32_t HistoryTournamentMark = 0xE0643C;
inline constexpr uint32_t HistoryMarkEdge = 0x10281A;
inline constexpr uint32_t HistoryAverageLine = 0xF0C040;
inline constexpr uint32_t HistoryGridLine = 0x6E8A5A;
// Band shades from AA down to D: the better the class, the lighter the baize.
inline constexpr uint32_t HistoryBandShade[5] = {0x3C7A4E, 0x336C45, 0x2C603E, 0x255436, 0x1E462D};

}  // namespace qm
