// The menu and panel pictures the build generates, and the layouts the game places its
// controls by: the menu's items are drawn where the menu's hot areas lie, the bitmap font
// lands on flat baize, and no two controls collide.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "../assets/scene_paint.h"
#include "geometry/menu_layout.h"
#include "geometry/options_panel_layout.h"
#include "geometry/roster_layout.h"
#include "geometry/score_card_layout.h"
#include "geometry/tourney_panel_layout.h"
#include "platform/ui_paint.h"
#include "test_support.h"

namespace qm {
namespace {

using Colour = std::array<double, 3>;

// A generated picture; a blank one, which every check below fails on, when it is missing (the
// data directory test names it).
Surface Picture(const std::string& name) {
  return DataPicture(name).value_or(Surface(640, 480));
}

Colour ColourAt(const Surface& p, int x, int y) {
  const uint32_t c = p.At(x, y);
  return {double(c >> 16 & 0xFF), double(c >> 8 & 0xFF), double(c & 0xFF)};
}

double Distance(const Colour& a, const Colour& b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// Off the picture, or on a menu item other than `self`: pixels a rim test must not use.
bool Elsewhere(const Surface& p, int x, int y, int self) {
  if (!p.Inside(x, y)) return true;
  for (int i = 0; i < 11; ++i)
    if (i != self && MenuItemRects[i].Contains(x, y)) return true;
  return false;
}

// Mean colour of three pixels from (x, y) in steps of (sx, sy); nothing when any is elsewhere.
std::optional<Colour> Band(const Surface& p, int item, int x, int y, int sx, int sy) {
  Colour sum{};
  for (int k = 0; k < 3; ++k, x += sx, y += sy) {
    if (Elsewhere(p, x, y, item)) return std::nullopt;
    for (int c = 0; c < 3; ++c) sum[c] += ColourAt(p, x, y)[c] / 3;
  }
  return sum;
}

// Calls visit(x, y, nx, ny) for the outermost pixels inside r, `skip` pixels short of its
// corners; (nx, ny) points outwards.
template <typename Visit>
void AlongEdges(const Rect& r, int skip, Visit visit) {
  for (int x = r.X + skip; x < r.X + r.W - skip; ++x) {
    visit(x, r.Y, 0, -1);
    visit(x, r.Y + r.H - 1, 0, 1);
  }
  for (int y = r.Y + skip; y < r.Y + r.H - skip; ++y) {
    visit(r.X, y, -1, 0);
    visit(r.X + r.W - 1, y, 1, 0);
  }
}

// How clearly a frame (a hedge round a field) runs along the edge of rectangle r: the band
// of the outermost three pixels inside r must differ both from the land just outside and
// from the picture further in.
double FrameContrast(const Surface& p, int item, const Rect& r) {
  double sum = 0;
  int count = 0;
  AlongEdges(r, 12, [&](int x, int y, int nx, int ny) {
    const auto band = Band(p, item, x, y, -nx, -ny);
    const auto outside = Band(p, item, x + 4 * nx, y + 4 * ny, nx, ny);
    const auto inside = Band(p, item, x - 5 * nx, y - 5 * ny, -nx, -ny);
    if (!band || !outside || !inside) return;
    sum += std::min(Distance(*band, *outside), Distance(*band, *inside));
    ++count;
  });
  return count ? sum / count : 0;
}

// Share of the rectangle's outermost pixels that have its most common colour, and how far,
// on average, they differ from the pixels just outside (other items left out).
std::pair<double, double> Rim(const Surface& p, int item, const Rect& r) {
  std::map<uint32_t, int> colours;
  double contrast = 0;
  int total = 0, outside = 0;
  AlongEdges(r, 0, [&](int x, int y, int nx, int ny) {
    ++colours[p.At(x, y)];
    ++total;
    if (Elsewhere(p, x + nx, y + ny, item)) return;
    contrast += Distance(ColourAt(p, x, y), ColourAt(p, x + nx, y + ny));
    ++outside;
  });
  int most = 0;
  for (const auto& [colour, n] : colours) most = std::max(most, n);
  return {static_cast<double>(most) / total, outside ? contrast / outside : 0};
}

TEST(PanelPictures, MenuItemsAreDrawnWhereTheirHotAreasLie) {
  for (const char* name : {"0m.bmp", "1m.bmp"}) {
    SCOPED_TRACE(name);
    const Surface p = Picture(name);
    // A field's hedge runs along its hot area's edge, not a few pixels beside it.
    for (int item = 0; item < 5; ++item) {
      const Rect r = MenuItemRects[item];
      const double exact = FrameContrast(p, item, r);
      EXPECT_GT(exact, 30.0) << "lblMain(" << item << ")";
      for (const auto& [dx, dy] : {std::pair{-6, 0}, {6, 0}, {0, -6}, {0, 6}})
        EXPECT_GT(exact, 1.1 * FrameContrast(p, item, {r.X + dx, r.Y + dy, r.W, r.H}))
            << "lblMain(" << item << ") moved " << dx << "," << dy;
    }
    // A board's rim runs round exactly the item's rectangle, so that the highlighted strip
    // copied over the item replaces the whole board and nothing beside it.
    for (int item = 5; item < 11; ++item) {
      const Rect r = MenuItemRects[item];
      const auto [uniform, contrast] = Rim(p, item, r);
      EXPECT_GT(uniform, 0.95) << "lblMain(" << item << ")";
      EXPECT_GT(contrast, 30.0) << "lblMain(" << item << ")";
      EXPECT_LT(Rim(p, item, {r.X + 2, r.Y + 2, r.W - 4, r.H - 4}).first, 0.5)
          << "lblMain(" << item << ") has a rim inside its edge too";
    }
  }
  // The seasons look different.
  const Surface summer = Picture("0m.bmp"), autumn = Picture("1m.bmp");
  double sum = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) sum += Distance(ColourAt(summer, x, y), ColourAt(autumn, x, y));
  EXPECT_GT(sum / (640 * 480), 20.0);
}

TEST(PanelPictures, BitmapTextLandsOnFlatBaize) {
  const assets::Rgb g = assets::BitmapTextGround;
  const uint32_t ground = static_cast<uint32_t>(g.R << 16 | g.G << 8 | g.B);
  // Every pixel of the rectangle has exactly the colour the font cells are painted on.
  auto offGround = [&](const Surface& p, const Rect& r) {
    int off = 0;
    for (int y = r.Y; y < r.Y + r.H; ++y)
      for (int x = r.X; x < r.X + r.W; ++x) off += p.At(x, y) != ground;
    return off;
  };
  const Surface stats = Picture("stats.bmp"), tourney = Picture("tourney.bmp");
  EXPECT_EQ(offGround(stats, SheetTitleRect), 0) << "title word";
  EXPECT_EQ(offGround(tourney, TourneyTargetsRect), 0) << "target counts";
  for (int n = 0; n < 4; ++n) {
    for (const Rect& r :
         {SheetNameRect, SheetPercentRect, SheetThrownRect, SheetRatingRect, SheetHitRect})
      EXPECT_EQ(offGround(stats, InScoreBlock(r, n)), 0) << "score block " << n << " at " << r.X;
    EXPECT_EQ(offGround(tourney, TourneyNameRect(n)), 0) << "name " << n;
    EXPECT_EQ(offGround(tourney, TourneyKindRect(n)), 0) << "kind " << n;
  }
}

// Each of the first `checked` rectangles lies inside `area` and apart from all the others.
void ExpectApartAndInside(const std::vector<Rect>& rects, const std::string& panel,
                          const Rect& area = {0, 0, 640, 480}, size_t checked = 1000) {
  for (size_t i = 0; i < std::min(checked, rects.size()); ++i) {
    EXPECT_TRUE(rects[i].W > 0 && rects[i].H > 0 && ui::Intersect(rects[i], area) == rects[i])
        << panel << " control " << i;
    for (size_t j = 0; j < rects.size(); ++j)
      EXPECT_TRUE(i == j || ui::Intersect(rects[i], rects[j]).W == 0)
          << panel << " controls " << i << ", " << j;
  }
}

TEST(PanelLayouts, ControlsLieInsideTheWindowAndApart) {
  std::vector<Rect> options = {
      CmbPlayerRect,   CmbSeasonRect,       ScrChokeRect,      HscGunSensRect,  LblGunSensRect,
      ChkInvertYRect,  ChkFullScreenRect,   ChkPatterningRect, ChkTrackingRect, ChkHintLineRect,
      ChkTrapHintRect, ChkPatternClearRect, {280, 188, 40, 40} /* widest choke circle */};
  EXPECT_EQ(ui::Intersect(options.back(), ChokeWell), options.back());
  for (int i = 0; i < 3; ++i)
    options.insert(options.end(), {OptSkillRect(i), OptWordRect(i), LblOptionsRect(i)});
  for (int i = 0; i < 2; ++i)
    options.insert(options.end(), {OptRoundSizeRect(i), OptGenderRect(i)});
  for (int i = 0; i < 5; ++i) options.push_back(ChkPairsRect(i));
  ExpectApartAndInside(options, "options");

  // Fields 4 and 5 share a corner by design, so the menu's own items are checked only
  // against the roster, which lies on its board.
  std::vector<Rect> roster;
  for (int n = 0; n < 4; ++n) roster.insert(roster.end(), {OptNameRect(n), ScoresRect(n)});
  const size_t rosterSize = roster.size();
  roster.insert(roster.end(), std::begin(MenuItemRects), std::end(MenuItemRects));
  ExpectApartAndInside(roster, "roster", RosterBoard, rosterSize);

  std::vector<Rect> tourney = {LblCancelTourneyRect, LblDoTourneyRect, TourneyTargetsRect};
  for (int i = 0; i < 4; ++i)
    tourney.insert(tourney.end(),
                   {ChkTourneyRect(i), ChkAllowedRect(i), TourneyNameRect(i), TourneyKindRect(i)});
  ExpectApartAndInside(tourney, "tournament");

  std::vector<Rect> stats = {TxtStatsRect, LblPrintRect, LblStatsDoneRect, SheetTitleRect};
  for (int n = 0; n < 4; ++n)
    stats.insert(stats.end(), {LblResetRect(n), InScoreBlock(SheetNameRect, n),
                               InScoreBlock(SheetThrownRect, n), InScoreBlock(SheetHitRect, n)});
  ExpectApartAndInside(stats, "score card");
}

}  // namespace
}  // namespace qm
