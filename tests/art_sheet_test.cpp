// The generated art sheet against the table of regions the game addresses in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "../assets/art_regions.h"
#include "../assets/scene_paint.h"
#include "platform/sdl/media_decode.h"

namespace {

using assets::ArtKind;
using assets::ArtRegion;

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF;

class ArtSheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sheet_ = qm::DecodeBmpFile(std::string(QUILLMOOR_TEST_DATA) + "/art.bmp");
  }
  void SetUp() override {
    ASSERT_TRUE(sheet_.has_value())
        << "art.bmp missing from " << QUILLMOOR_TEST_DATA << "; run the asset generator first";
  }
  static const qm::Surface& Sheet() { return *sheet_; }

  static std::optional<qm::Surface> sheet_;
};

std::optional<qm::Surface> ArtSheet::sheet_;

bool Inside(const ArtRegion& r, int x, int y) {
  return x >= 0 && y >= 0 && x + r.W <= assets::ArtSheetWidth && y + r.H <= assets::ArtSheetHeight;
}

bool Overlap(int ax, int ay, int aw, int ah, int bx, int by, int bw, int bh) {
  return ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah;
}

// The blocks of a region: its picture, and for a sprite its mask as a second block.
std::vector<std::pair<int, int>> Blocks(const ArtRegion& r) {
  std::vector<std::pair<int, int>> b{{r.X, r.Y}};
  if (r.Kind == ArtKind::Sprite) b.push_back({r.MaskX, r.MaskY});
  return b;
}

bool Shares(const std::string& a, const std::string& b) {
  auto pair = [&](const std::string& x, const std::string& y) {
    return (a.starts_with(x) && b.starts_with(y)) || (a.starts_with(y) && b.starts_with(x));
  };
  return pair("shell 7", "pattern cloud") || pair("chip 0", "pattern cloud") ||
         pair("chip 1", "pattern cloud") || pair("rabbit dust", "clay shadow 5") ||
         pair("wipe line", "shell ") || pair("wipe line", "pattern cloud") ||
         pair("maker logo", "title logo");
}

TEST(ArtRegionTable, RegionsFitTheSheetAndOverlapOnlyWhereShared) {
  const auto regions = assets::ArtRegions();
  for (const ArtRegion& r : regions) {
    if (r.Kind == ArtKind::WipeLine) {
      // The wipe line reads 640 pixels from x = 74: the last two lie past the right edge.
      EXPECT_EQ(r.X + r.W, assets::ArtSheetWidth + 2);
      EXPECT_TRUE(Inside({r.Name, r.Kind, r.X, r.Y, r.W - 2, r.H}, r.X, r.Y));
      continue;
    }
    for (const auto& [x, y] : Blocks(r)) EXPECT_TRUE(Inside(r, x, y)) << r.Name;
  }
  for (size_t i = 0; i < regions.size(); ++i)
    for (size_t j = i + 1; j < regions.size(); ++j) {
      const ArtRegion &a = regions[i], &b = regions[j];
      for (const auto& [ax, ay] : Blocks(a))
        for (const auto& [bx, by] : Blocks(b))
          if (Overlap(ax, ay, a.W, a.H, bx, by, b.W, b.H)) {
            EXPECT_TRUE(Shares(a.Name, b.Name)) << a.Name << " overlaps " << b.Name;
          }
    }
}

TEST_F(ArtSheet, MasksArePureBlackAndWhiteAndPicturesBlackOutsideTheirMasks) {
  for (const ArtRegion& r : assets::ArtRegions()) {
    if (r.Kind != ArtKind::Sprite && r.Kind != ArtKind::Mask) continue;
    const int mx = r.Kind == ArtKind::Sprite ? r.MaskX : r.X;
    const int my = r.Kind == ArtKind::Sprite ? r.MaskY : r.Y;
    int marked = 0, stray = 0, greys = 0, holes = 0;
    for (int y = 0; y < r.H; ++y)
      for (int x = 0; x < r.W; ++x) {
        const uint32_t m = Sheet().At(mx + x, my + y);
        if (m != Black && m != White) ++greys;
        if (m == Black) ++marked;
        if (r.Kind == ArtKind::Sprite && m == White && Sheet().At(r.X + x, r.Y + y) != Black)
          ++stray;
        // Only the pattern cloud paints black on purpose (its pellets); anywhere else black
        // inside a mask is a sprite cut away by a neighbour that shares its pixels.
        if (r.Kind == ArtKind::Sprite && m == Black && r.Name != "pattern cloud" &&
            Sheet().At(r.X + x, r.Y + y) == Black)
          ++holes;
      }
    EXPECT_EQ(greys, 0) << r.Name << ": mask pixels neither black nor white";
    EXPECT_EQ(stray, 0) << r.Name << ": picture pixels outside the mask";
    EXPECT_EQ(holes, 0) << r.Name << ": black holes in the picture";
    EXPECT_GT(marked, 0) << r.Name << ": nothing drawn";
    EXPECT_LT(marked, r.W * r.H) << r.Name << ": mask covers the whole region";
  }
}

int MaskArea(const qm::Surface& s, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) n += s.At(x0 + x, y0 + y) == Black;
  return n;
}

// Size row 0 is the near clay and row 30 the far one; every spin picture and every shadow
// must shrink along the rows, or incoming targets would not grow.
TEST_F(ArtSheet, ClaysAndShadowsShrinkAlongTheSizeRows) {
  for (int c = 0; c < assets::ClayColours; ++c)
    for (int spin = 0; spin < assets::ClaySpins; ++spin)
      for (int size = 1; size < assets::ClaySizes; ++size) {
        const int y = assets::ClaySpinRow0 + spin * assets::ClaySpinPitch;
        const int x = assets::ClayMaskX + assets::ClayColumnPitch * c;
        EXPECT_LT(MaskArea(Sheet(), x, y + size * 6, 16, 6),
                  MaskArea(Sheet(), x, y + (size - 1) * 6, 16, 6))
            << "colour " << c << " spin " << spin << " size " << size;
      }
  for (int size = 1; size < assets::ClaySizes; ++size)
    EXPECT_LT(MaskArea(Sheet(), assets::ShadowX, assets::ShadowY + size * 6, 16, 6),
              MaskArea(Sheet(), assets::ShadowX, assets::ShadowY + (size - 1) * 6, 16, 6));
}

// The pointer-line circle is centred on (301 - SwingX, GunY + 4 - SwingY) while the gun is
// drawn at (179 - SwingX, GunY - SwingY): the bead must be at (122, 4) of the gun sprite,
// and the gun must reach the foot of its taller, 230-row form.
TEST_F(ArtSheet, GunCarriesItsBeadWhereThePointerCircleLooks) {
  EXPECT_EQ(Sheet().At(assets::GunMaskX + 122, assets::GunY + 4), Black);
  const uint32_t bead = Sheet().At(assets::GunPictureX + 122, assets::GunY + 4);
  EXPECT_GT(((bead >> 16) & 0xFF) + ((bead >> 8) & 0xFF) + (bead & 0xFF), 3u * 160)
      << "the bead should be bright against the blued barrel";
  EXPECT_GT(MaskArea(Sheet(), assets::GunMaskX, assets::GunY + assets::GunH - 1, assets::GunW, 1),
            0);
}

// Shouldered (GunY 200) the view's foot cuts the gun 140 rows down; there it must be
// broad, narrowing to the muzzles, or it reads as a post rather than a gun.
TEST_F(ArtSheet, GunWidensFromTheMuzzlesTowardsTheShooter) {
  auto width = [&](int row) {
    return MaskArea(Sheet(), assets::GunMaskX, assets::GunY + row, assets::GunW, 1);
  };
  EXPECT_LE(width(4), 16) << "the muzzles are far off";
  EXPECT_GE(width(139), 48) << "the action at the view's foot is near";
  for (int row = 10; row < 140; row += 10)
    EXPECT_GE(width(row), width(row - 10) - 2) << "the gun narrows again at row " << row;
}

// Puffs are drawn with AND alone: a burst of specks, never a blot, thinning as it goes.
TEST_F(ArtSheet, BreakPuffsAreSpecklesThatThinOut) {
  std::vector<int> counts;
  for (int f = 0; f < assets::PuffFrames; ++f) {
    const int x0 = assets::PuffX + assets::PuffSize * f, y0 = assets::PuffY;
    auto black = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < assets::PuffSize && y < assets::PuffSize &&
             Sheet().At(x0 + x, y0 + y) == Black;
    };
    int solid = 0;
    for (int y = 0; y < assets::PuffSize; ++y)
      for (int x = 0; x < assets::PuffSize; ++x)
        solid +=
            black(x, y) && black(x - 1, y) && black(x + 1, y) && black(x, y - 1) && black(x, y + 1);
    EXPECT_EQ(solid, 0) << "frame " << f << " has a solid patch";
    counts.push_back(MaskArea(Sheet(), x0, y0, assets::PuffSize, assets::PuffSize));
    EXPECT_LE(counts.back(), 60) << "frame " << f << " is too heavy";
  }
  EXPECT_GE(counts.front(), 20) << "the burst should show at once";
  EXPECT_LT(counts.back() * 3, counts.front()) << "the burst should thin out";
}

// Two chips lie in the pattern cloud's mask; in the shot frame they must stand alone like
// the stray pellets round them, not bulk out a clump of pellets.
TEST_F(ArtSheet, ChipsInThePatternCloudStandApart) {
  for (const assets::ChipPlace& c : assets::Chips) {
    const bool inCloud = c.X >= assets::CloudX && c.X + c.W <= assets::CloudX + assets::CloudSize &&
                         c.Y >= assets::CloudMaskY &&
                         c.Y + c.H <= assets::CloudMaskY + assets::CloudSize;
    if (!inCloud) continue;
    for (int y = c.Y - 1; y <= c.Y + c.H; ++y)
      for (int x = c.X - 1; x <= c.X + c.W; ++x) {
        const bool ring = x < c.X || x >= c.X + c.W || y < c.Y || y >= c.Y + c.H;
        if (ring) {
          EXPECT_EQ(Sheet().At(x, y), White)
              << "cloud pellet touching the chip at " << x << "," << y;
        }
      }
    EXPECT_LE(MaskArea(Sheet(), c.X, c.Y, c.W, c.H), 4) << "a chip bigger than a stray pellet";
  }
}

// Cells are copied side by side onto a panel: each needs ink, the panel's baize round it,
// and a bare column on its right so neighbouring letters never touch.
TEST_F(ArtSheet, FontCellsHaveInkOnThePanelsBaize) {
  std::set<uint32_t> papers;
  for (const ArtRegion& r : assets::ArtRegions()) {
    if (r.Kind != ArtKind::Glyph) continue;
    const uint32_t paper = Sheet().At(r.X, r.Y);
    papers.insert(paper);
    int ink = 0;
    for (int y = 0; y < r.H; ++y) {
      EXPECT_EQ(Sheet().At(r.X + r.W - 1, r.Y + y), paper) << r.Name;
      for (int x = 0; x < r.W; ++x) ink += Sheet().At(r.X + x, r.Y + y) != paper;
    }
    EXPECT_GT(ink, 8) << r.Name << " is blank";
  }
  ASSERT_EQ(papers.size(), 1u);
  const assets::Rgb g = assets::BitmapTextGround;
  EXPECT_EQ(*papers.begin(), static_cast<uint32_t>(g.R << 16 | g.G << 8 | g.B))
      << "the cells must sit on the panels' baize unseen";
}

TEST_F(ArtSheet, CopiedPicturesArePaintedAndTheWipeLineIsOneColour) {
  for (const ArtRegion& r : assets::ArtRegions()) {
    if (r.Kind != ArtKind::Copy) continue;
    std::set<uint32_t> colours;
    for (int y = 0; y < r.H; ++y)
      for (int x = 0; x < r.W; ++x) colours.insert(Sheet().At(r.X + x, r.Y + y));
    EXPECT_GT(colours.size(), 16u) << r.Name << " looks unpainted";
  }
  const uint32_t first = Sheet().At(assets::WipeX, assets::WipeY);
  for (int x = assets::WipeX; x < assets::ArtSheetWidth; ++x)
    EXPECT_EQ(Sheet().At(x, assets::WipeY), first) << "wipe line at x " << x;
}

}  // namespace
