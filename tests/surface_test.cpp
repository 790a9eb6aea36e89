#include "platform/surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <utility>

#include <gtest/gtest.h>

namespace qm {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Every pixel of `s` that differs from `background`.
PixelSet Painted(const Surface& s, uint32_t background = 0) {
  PixelSet out;
  for (int y = 0; y < s.H; ++y)
    for (int x = 0; x < s.W; ++x)
      if (s.At(x, y) != background) out.insert({x, y});
  return out;
}

// A source whose every pixel says where it came from, so a misplaced copy shows.
Surface Numbered(int w, int h) {
  Surface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.At(x, y) = 0x100000u + static_cast<uint32_t>(y * 256 + x);
  return s;
}

// The reference transfer: one pixel at a time, with bounds checks on both sides.
Surface ReferenceCopy(Surface dst, int dx, int dy, int w, int h, const Surface& src, int sx,
                      int sy) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (src.Inside(sx + i, sy + j) && dst.Inside(dx + i, dy + j))
        dst.At(dx + i, dy + j) = src.At(sx + i, sy + j);
  return dst;
}

TEST(SurfaceTest, OleColoursBecomeRgbPixels) {
  EXPECT_EQ(PixelFromOle(0x0000FF), 0xFF0000u);  // &HFF is red
  EXPECT_EQ(PixelFromOle(0xFF0000), 0x0000FFu);  // &HFF0000 is blue
  EXPECT_EQ(PixelFromOle(Rgb(0x12, 0x34, 0x56)), 0x123456u);
  EXPECT_EQ(OleFromPixel(PixelFromOle(0x123456)), 0x123456u);
}

// Every operation places and clips the block alike: on a white field AND leaves the source's
// pixels, as Paint does on a black one. Blocks lie inside, across every edge and wholly off
// each side of the destination and of the source, both at once, and are empty or negative.
TEST(SurfaceTest, BlocksClipAtEveryEdgeOfSourceAndDestinationForEveryOperation) {
  const Surface src = Numbered(12, 9);
  const std::pair<int, int> sizes[] = {{4, 3}, {5, 4}, {20, 20}, {0, 3}, {-4, 3}};
  const std::pair<int, int> from[] = {{1, 1}, {-1, -4}, {-3, 0}, {-5, 0},
                                      {9, 0}, {0, 6},   {11, 8}, {0, 9}};
  for (const auto& [op, field] : {std::pair{RasterOp::Copy, 0x000001u},
                                  {RasterOp::And, 0xFFFFFFu},
                                  {RasterOp::Paint, 0x000000u}}) {
    const Surface blank(10, 8, field);
    for (int dx : {-5, -2, 0, 2, 7, 10})
      for (int dy : {-3, 0, 2, 6, 8})
        for (const auto& [w, h] : sizes)
          for (const auto& [sx, sy] : from) {
            Surface dst = blank;
            BitBlt(dst, dx, dy, w, h, src, sx, sy, op);
            EXPECT_EQ(dst.Px, ReferenceCopy(blank, dx, dy, w, h, src, sx, sy).Px)
                << "op " << static_cast<int>(op) << ": " << w << "x" << h << " at " << dx << ","
                << dy << " from " << sx << "," << sy;
          }
  }
}

// A sprite is its mask ANDed onto the scene, then its picture painted (ORed) into the hole.
TEST(SurfaceTest, AndAndPaintCombineBitByBit) {
  for (const auto& [op, want] : {std::pair{RasterOp::And, 0x00F0A5u & 0x0F3C96u},
                                 {RasterOp::Paint, 0x00F0A5u | 0x0F3C96u}}) {
    Surface d(1, 1, 0x00F0A5);
    BitBlt(d, 0, 0, 1, 1, Surface(1, 1, 0x0F3C96), 0, 0, op);
    EXPECT_EQ(d.At(0, 0), want);
  }
}

// Pixels of a line by rounding the exact position along the longer axis, half-way points
// towards the far end, whichever end the line is drawn from: Bresenham's choice.
PixelSet ReferenceLine(int x1, int y1, int x2, int y2) {
  const int dx = x2 - x1, dy = y2 - y1, steps = std::max({std::abs(dx), std::abs(dy), 1});
  auto at = [&](int from, int d, int i) {
    const double exact = from + static_cast<double>(d) * i / steps;
    return static_cast<int>(d > 0 ? std::floor(exact + 0.5) : std::ceil(exact - 0.5));
  };
  PixelSet out;
  for (int i = 0; i <= steps; ++i) out.insert({at(x1, dx, i), at(y1, dy, i)});
  return out;
}

TEST(SurfaceTest, LinesIncludeBothEndsAndFollowBresenham) {
  auto draw = [](int x1, int y1, int x2, int y2) {
    Surface s(12, 10);
    DrawLine(s, x1, y1, x2, y2, 0x0000FF);
    return Painted(s);
  };
  // Every direction from a centre, both ways, against the rounding reference.
  for (int x2 = 0; x2 < 12; ++x2) {
    for (int y2 = 0; y2 < 10; ++y2) {
      EXPECT_EQ(draw(5, 4, x2, y2), ReferenceLine(5, 4, x2, y2)) << x2 << "," << y2;
      EXPECT_EQ(draw(x2, y2, 5, 4), ReferenceLine(x2, y2, 5, 4)) << x2 << "," << y2;
    }
  }

  // Clipped: the part on the surface is the same pixels the whole line would have.
  Surface big(40, 40);
  DrawLine(big, 2, 3, 37, 19, 0x00FF00);
  Surface small(12, 10);
  DrawLine(small, -8, -7, 27, 9, 0x00FF00);
  PixelSet expected;
  for (auto [x, y] : Painted(big))
    if (x - 10 >= 0 && x - 10 < 12 && y - 10 >= 0 && y - 10 < 10) expected.insert({x - 10, y - 10});
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(Painted(small), expected);
  EXPECT_EQ(small.At(expected.begin()->first, expected.begin()->second), 0x00FF00u);

  // Lines wholly off the surface draw nothing; far-off ends neither hang nor shift the pixels.
  EXPECT_TRUE(draw(-5, -1, 20, -3).empty());
  EXPECT_TRUE(draw(-2000000000, 5, -1, 2000000000).empty());
  PixelSet diagonal;
  for (int i = 0; i < 10; ++i) diagonal.insert({i, i});
  EXPECT_EQ(draw(-2000000000, -2000000000, 2000000000, 2000000000), diagonal);
  EXPECT_EQ(draw(2147483647, 2147483647, -2147483647 - 1, -2147483647 - 1), diagonal);
  EXPECT_EQ(
      draw(3, -1000000000, 3, 1000000000),
      (PixelSet{{3, 0}, {3, 1}, {3, 2}, {3, 3}, {3, 4}, {3, 5}, {3, 6}, {3, 7}, {3, 8}, {3, 9}}));
}

// The midpoint rule's outline: every pixel whose offset along its octant's longer axis lies
// within half a pixel of the exact radius, one in each row and column of an octant.
PixelSet ReferenceCircle(int r) {
  PixelSet out;
  for (int x = -r; x <= r; ++x)
    for (int y = -r; y <= r; ++y) {
      const int a = std::max(std::abs(x), std::abs(y)), b = std::min(std::abs(x), std::abs(y));
      // (a - 0.5)^2 + b^2 < r^2 <= (a + 0.5)^2 + b^2, times four to stay in integers.
      if ((2 * a - 1) * (2 * a - 1) + 4 * b * b < 4 * r * r &&
          4 * r * r <= (2 * a + 1) * (2 * a + 1) + 4 * b * b)
        out.insert({x, y});
    }
  return out;
}

TEST(SurfaceTest, CirclesAreOnePixelOutlinesOfTheExactRadius) {
  auto draw = [](int r) {
    Surface s(21, 21);
    DrawCircle(s, 10, 10, r, 0xFF0000);
    PixelSet out;
    for (auto [x, y] : Painted(s)) out.insert({x - 10, y - 10});
    return out;
  };
  EXPECT_EQ(draw(0), (PixelSet{{0, 0}}));
  EXPECT_TRUE(draw(-1).empty());
  for (int r = 1; r <= 10; ++r) EXPECT_EQ(draw(r), ReferenceCircle(r)) << "radius " << r;

  // Clipped at the surface's corner: only the on-surface part, no wrap-around.
  Surface s(5, 5);
  DrawCircle(s, 0, 0, 3, 0x0000FF);
  EXPECT_EQ(Painted(s), (PixelSet{{3, 0}, {3, 1}, {2, 2}, {1, 3}, {0, 3}}));
  EXPECT_EQ(s.At(3, 0), 0xFF0000u);
  // Centres far off the surface: nothing drawn, nothing wrapped round.
  DrawCircle(s, 2147483647, 2, 5, 0x00FF00);
  DrawCircle(s, -2147483647 - 1, 2, 2147483647, 0x00FF00);
  DrawCircle(s, 2, -100, 20, 0x00FF00);
  EXPECT_EQ(Painted(s), (PixelSet{{3, 0}, {3, 1}, {2, 2}, {1, 3}, {0, 3}}));
}

TEST(SurfaceTest, PointsAndRectanglesStayOnTheSurface) {
  Surface s(4, 3);
  for (const auto& [x, y] : {std::pair{1, 2}, {-1, 0}, {4, 0}, {0, 3}})
    DrawPoint(s, x, y, 0x0000FF);
  EXPECT_EQ(Painted(s), (PixelSet{{1, 2}}));
  EXPECT_EQ(s.At(1, 2), 0xFF0000u);

  Surface r(4, 3);
  FillRect(r, Rect{-2, 1, 4, 5}, 0x123456);
  EXPECT_EQ(Painted(r), (PixelSet{{0, 1}, {1, 1}, {0, 2}, {1, 2}}));
  EXPECT_EQ(r.At(0, 1), 0x123456u);  // FillRect takes a pixel, not an old colour
  Surface whole(4, 3);
  for (const Rect& rect : {Rect{3, 2, 9, 9}, Rect{5, 0, 2, 2}, Rect{0, 0, -1, 3}})
    FillRect(whole, rect, 1);
  EXPECT_EQ(Painted(whole), (PixelSet{{3, 2}}));

  // A surface that claims a size it has no pixels for is left alone, not overrun.
  Surface hollow;
  hollow.W = hollow.H = 50;
  const Surface full(50, 50, 0x111111);
  BitBlt(hollow, 0, 0, 50, 50, full, 0, 0, RasterOp::Copy);
  Surface target(50, 50);
  BitBlt(target, 0, 0, 50, 50, hollow, 0, 0, RasterOp::Paint);
  DrawPoint(hollow, 1, 1, 0);
  DrawLine(hollow, 0, 0, 49, 49, 0);
  DrawCircle(hollow, 25, 25, 10, 0);
  FillRect(hollow, Rect{0, 0, 50, 50}, 0);
  EXPECT_TRUE(hollow.Px.empty());
  EXPECT_TRUE(Painted(target).empty());
}

}  // namespace
}  // namespace qm
