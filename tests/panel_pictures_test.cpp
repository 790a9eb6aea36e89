// The menu and panel pictures the build generates, and the layouts the game places its
// controls by: the pictures are full-window bitmaps, the menu's items are drawn where the
// menu's hot areas lie, the bitmap font lands on flat baize, and no two controls collide.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iterator>
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
#include "test_support.h"

namespace {

using qm::Rect;

// A generated picture; Problem says why it could not be read.
struct Picture {
  qm::Surface S;
  int W = 0, H = 0;
  std::string Problem;
  std::array<uint8_t, 3> At(int x, int y) const {
    const uint32_t p = S.At(x, y);
    return {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
  }
};

Picture LoadPicture(const std::string& name) {
  Picture p;
  if (auto s = qm::DataPicture(name)) {
    p.S = std::move(*s);
    p.W = p.S.W;
    p.H = p.S.H;
  } else {
    p.Problem = name + " is missing or not a bitmap";
  }
  return p;
}

const auto& MenuItems = qm::MenuItemRects;

bool InAnyOtherItem(int x, int y, int self) {
  for (int i = 0; i < 11; ++i)
    if (i != self && MenuItems[i].Contains(x, y)) return true;
  return false;
}

double Distance(const std::array<uint8_t, 3>& a, const std::array<uint8_t, 3>& b) {
  return std::sqrt(std::pow(a[0] - b[0], 2) + std::pow(a[1] - b[1], 2) + std::pow(a[2] - b[2], 2));
}

// Mean colour of `count` pixels from (x, y) in steps of (sx, sy); false when any of them is
// off the picture or inside another menu item.
bool BandColour(const Picture& p, int item, int x, int y, int sx, int sy, int count,
                double out[3]) {
  out[0] = out[1] = out[2] = 0;
  for (int k = 0; k < count; ++k, x += sx, y += sy) {
    if (x < 0 || y < 0 || x >= p.W || y >= p.H || InAnyOtherItem(x, y, item)) return false;
    for (int c = 0; c < 3; ++c) out[c] += static_cast<double>(p.At(x, y)[c]) / count;
  }
  return true;
}

double ColourDistance(const double a[3], const double b[3]) {
  return std::sqrt(std::pow(a[0] - b[0], 2) + std::pow(a[1] - b[1], 2) + std::pow(a[2] - b[2], 2));
}

// How clearly a frame (a hedge round a field, the rim of a board) runs along the edge of
// rectangle r: the band of the outermost three pixels inside r must differ both from the
// land just outside and from the picture further in.
double FrameContrast(const Picture& p, int item, const Rect& r) {
  double sum = 0;
  int count = 0;
  // (x, y) is the outermost pixel inside the edge; (nx, ny) points outwards.
  auto across = [&](int x, int y, int nx, int ny) {
    double band[3], outside[3], inside[3];
    if (!BandColour(p, item, x, y, -nx, -ny, 3, band) ||
        !BandColour(p, item, x + 4 * nx, y + 4 * ny, nx, ny, 3, outside) ||
        !BandColour(p, item, x - 5 * nx, y - 5 * ny, -nx, -ny, 3, inside))
      return;
    sum += std::min(ColourDistance(band, outside), ColourDistance(band, inside));
    ++count;
  };
  for (int x = r.X + 12; x < r.X + r.W - 12; ++x) {
    across(x, r.Y, 0, -1);
    across(x, r.Y + r.H - 1, 0, 1);
  }
  for (int y = r.Y + 12; y < r.Y + r.H - 12; ++y) {
    across(r.X, y, -1, 0);
    across(r.X + r.W - 1, y, 1, 0);
  }
  return count ? sum / count : 0;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.X < b.X + b.W && b.X < a.X + a.W && a.Y < b.Y + b.H && b.Y < a.Y + a.H;
}

bool Within(const Rect& inner, const Rect& outer) {
  return inner.X >= outer.X && inner.Y >= outer.Y && inner.X + inner.W <= outer.X + outer.W &&
         inner.Y + inner.H <= outer.Y + outer.H;
}

bool InsideWindow(const Rect& r) {
  return r.X >= 0 && r.Y >= 0 && r.W > 0 && r.H > 0 && r.X + r.W <= 640 && r.Y + r.H <= 480;
}

void ExpectApartAndInside(const std::vector<Rect>& rects, const std::string& panel) {
  for (size_t i = 0; i < rects.size(); ++i) {
    const Rect& a = rects[i];
    EXPECT_TRUE(InsideWindow(a)) << panel << " control " << i << " at " << a.X << "," << a.Y;
    for (size_t j = i + 1; j < rects.size(); ++j)
      EXPECT_FALSE(Overlap(a, rects[j])) << panel << " controls " << i << " and " << j;
  }
}

// Every pixel of the rectangle has exactly the colour the font cells are painted on.
int OffGroundPixels(const Picture& p, const Rect& r) {
  int off = 0;
  const assets::Rgb g = assets::BitmapTextGround;
  for (int y = r.Y; y < r.Y + r.H; ++y)
    for (int x = r.X; x < r.X + r.W; ++x) {
      const auto c = p.At(x, y);
      if (c[0] != g.R || c[1] != g.G || c[2] != g.B) ++off;
    }
  return off;
}

// Share of the rectangle's outermost pixels that have the most common colour among them,
// and how far, on average, they differ from the pixels just outside (other items left out).
struct Rim {
  double Uniform = 0, Contrast = 0;
};

Rim RimOf(const Picture& p, int item, const Rect& r) {
  std::map<uint32_t, int> colours;
  double contrast = 0;
  int total = 0, outside = 0;
  auto visit = [&](int x, int y, int ox, int oy) {
    const auto c = p.At(x, y);
    ++colours[static_cast<uint32_t>(c[0] << 16 | c[1] << 8 | c[2])];
    ++total;
    if (ox < 0 || oy < 0 || ox >= p.W || oy >= p.H || InAnyOtherItem(ox, oy, item)) return;
    contrast += Distance(c, p.At(ox, oy));
    ++outside;
  };
  for (int x = r.X; x < r.X + r.W; ++x) {
    visit(x, r.Y, x, r.Y - 1);
    visit(x, r.Y + r.H - 1, x, r.Y + r.H);
  }
  for (int y = r.Y + 1; y < r.Y + r.H - 1; ++y) {
    visit(r.X, y, r.X - 1, y);
    visit(r.X + r.W - 1, y, r.X + r.W, y);
  }
  int most = 0;
  for (const auto& [colour, n] : colours) most = std::max(most, n);
  return {static_cast<double>(most) / total, outside ? contrast / outside : 0};
}

TEST(PanelPictures, MenuBoardsFitTheirItemsExactly) {
  // A board's rim runs round exactly the item's rectangle, so that the highlighted strip
  // image copied over the item replaces the whole board and nothing beside it.
  for (const char* name : {"0m.bmp", "1m.bmp"}) {
    const Picture p = LoadPicture(name);
    ASSERT_EQ(p.Problem, "");
    for (int item = 5; item < 11; ++item) {
      const Rect r = MenuItems[item];
      const Rim rim = RimOf(p, item, r);
      EXPECT_GT(rim.Uniform, 0.95) << name << " lblMain(" << item << ")";
      EXPECT_GT(rim.Contrast, 30.0) << name << " lblMain(" << item << ")";
      EXPECT_LT(RimOf(p, item, {r.X + 2, r.Y + 2, r.W - 4, r.H - 4}).Uniform, 0.5)
          << name << " lblMain(" << item << ") has a rim inside its edge too";
    }
  }
}

TEST(PanelPictures, FieldsAreFramedAlongTheirHotAreas) {
  for (const char* name : {"0m.bmp", "1m.bmp"}) {
    const Picture p = LoadPicture(name);
    ASSERT_EQ(p.Problem, "");
    for (int item = 0; item < 5; ++item) {
      const Rect r = MenuItems[item];
      const double exact = FrameContrast(p, item, r);
      EXPECT_GT(exact, 30.0) << name << " lblMain(" << item << ")";
      // The frame is where the hot area's edge is, not a few pixels beside it.
      for (const auto& [dx, dy] : {std::pair{-6, 0}, {6, 0}, {0, -6}, {0, 6}})
        EXPECT_GT(exact, 1.1 * FrameContrast(p, item, {r.X + dx, r.Y + dy, r.W, r.H}))
            << name << " lblMain(" << item << ") moved " << dx << "," << dy;
    }
  }
}

TEST(PanelPictures, SeasonsLookDifferent) {
  const Picture summer = LoadPicture("0m.bmp"), autumn = LoadPicture("1m.bmp");
  ASSERT_EQ(summer.Problem, "");
  ASSERT_EQ(autumn.Problem, "");
  double sum = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) sum += Distance(summer.At(x, y), autumn.At(x, y));
  EXPECT_GT(sum / (640 * 480), 20.0);
}

TEST(PanelPictures, BitmapTextLandsOnFlatBaize) {
  const Picture stats = LoadPicture("stats.bmp");
  ASSERT_EQ(stats.Problem, "");
  EXPECT_EQ(OffGroundPixels(stats, qm::SheetTitleRect), 0) << "title word";
  for (int n = 0; n < 4; ++n) {
    using qm::InScoreBlock;
    EXPECT_EQ(OffGroundPixels(stats, InScoreBlock(qm::SheetNameRect, n)), 0) << "name " << n;
    EXPECT_EQ(OffGroundPixels(stats, InScoreBlock(qm::SheetPercentRect, n)), 0) << "percent " << n;
    EXPECT_EQ(OffGroundPixels(stats, InScoreBlock(qm::SheetThrownRect, n)), 0) << "thrown " << n;
    EXPECT_EQ(OffGroundPixels(stats, InScoreBlock(qm::SheetRatingRect, n)), 0) << "rating " << n;
    EXPECT_EQ(OffGroundPixels(stats, InScoreBlock(qm::SheetHitRect, n)), 0) << "hit " << n;
  }
  const Picture tourney = LoadPicture("tourney.bmp");
  ASSERT_EQ(tourney.Problem, "");
  EXPECT_EQ(OffGroundPixels(tourney, qm::TourneyTargetsRect), 0) << "target counts";
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(OffGroundPixels(tourney, qm::TourneyNameRect(i)), 0) << "name " << i;
    EXPECT_EQ(OffGroundPixels(tourney, qm::TourneyKindRect(i)), 0) << "kind " << i;
  }
}

TEST(PanelLayouts, ControlsLieInsideTheWindowAndApart) {
  using namespace qm;
  std::vector<Rect> options = {
      CmbPlayerRect,   CmbSeasonRect,       ScrChokeRect,      HscGunSensRect,  LblGunSensRect,
      ChkInvertYRect,  ChkFullScreenRect,   ChkPatterningRect, ChkTrackingRect, ChkHintLineRect,
      ChkTrapHintRect, ChkPatternClearRect, {280, 188, 40, 40} /* widest choke circle */};
  for (int i = 0; i < 3; ++i) {
    options.push_back(OptSkillRect(i));
    options.push_back(OptWordRect(i));
    options.push_back(LblOptionsRect(i));
  }
  for (int i = 0; i < 2; ++i) {
    options.push_back(OptRoundSizeRect(i));
    options.push_back(OptGenderRect(i));
  }
  for (int i = 0; i < 5; ++i) options.push_back(ChkPairsRect(i));
  ExpectApartAndInside(options, "options");
  EXPECT_TRUE(Within({280, 188, 40, 40}, ChokeWell));
  for (int i = 1; i < 5; ++i) EXPECT_EQ(ChkPairsRect(i).Y - ChkPairsRect(i - 1).Y, 22);
  EXPECT_LT(LblOptionsRect(1).X, LblOptionsRect(2).X);  // Field Editor, Help, Done
  EXPECT_LT(LblOptionsRect(2).X, LblOptionsRect(0).X);

  std::vector<Rect> menu(std::begin(MenuItems), std::end(MenuItems));
  for (int n = 0; n < 4; ++n) {
    menu.push_back(OptNameRect(n));
    menu.push_back(ScoresRect(n));
  }
  // Fields 4 and 5 share a corner by design, so the menu's own items are checked only
  // against the roster.
  for (size_t i = 11; i < menu.size(); ++i) {
    EXPECT_TRUE(InsideWindow(menu[i])) << "roster control " << i;
    EXPECT_TRUE(Within(menu[i], RosterBoard)) << "roster control " << i;
    for (size_t j = 0; j < menu.size(); ++j) {
      if (j == i) continue;
      EXPECT_FALSE(Overlap(menu[i], menu[j])) << "menu controls " << i << ", " << j;
    }
  }

  std::vector<Rect> tourney = {LblCancelTourneyRect, LblDoTourneyRect, TourneyTargetsRect};
  for (int i = 0; i < 4; ++i) {
    tourney.push_back(ChkTourneyRect(i));
    tourney.push_back(ChkAllowedRect(i));
    tourney.push_back(TourneyNameRect(i));
    tourney.push_back(TourneyKindRect(i));
  }
  ExpectApartAndInside(tourney, "tournament");

  std::vector<Rect> stats = {TxtStatsRect, LblPrintRect, LblStatsDoneRect, SheetTitleRect};
  for (int n = 0; n < 4; ++n) {
    stats.push_back(LblResetRect(n));
    stats.push_back(InScoreBlock(SheetNameRect, n));
    stats.push_back(InScoreBlock(SheetThrownRect, n));
    stats.push_back(InScoreBlock(SheetHitRect, n));
  }
  ExpectApartAndInside(stats, "score card");
}

}  // namespace
