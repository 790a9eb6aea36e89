// The generated art sheet against the table of regions the game addresses in it.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../assets/art_regions.h"
#include "../assets/scene_paint.h"
#include "platform/ui_paint.h"
#include "test_support.h"

namespace qm {
namespace {

using art::ArtKind;
using art::ArtRegion;

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF;

// The generated sheet; a blank one, which every look test below fails on, when it is missing
// or of the wrong size (the data directory test names which).
const Surface& Sheet() {
  static const Surface sheet = [] {
    auto s = DataPicture("art.bmp");
    return s && s->W == art::ArtSheetWidth && s->H == art::ArtSheetHeight
               ? *s
               : Surface(art::ArtSheetWidth, art::ArtSheetHeight);
  }();
  return sheet;
}

// Black pixels of a block of the sheet: how much a mask marks.
int MaskArea(int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) n += Sheet().At(x0 + x, y0 + y) == Black;
  return n;
}

// The blocks of a region: its picture, and for a sprite its mask as a second block.
std::vector<Rect> Blocks(const ArtRegion& r) {
  std::vector<Rect> b{{r.X, r.Y, r.W, r.H}};
  if (r.Kind == ArtKind::Sprite) b.push_back({r.MaskX, r.MaskY, r.W, r.H});
  return b;
}

// Regions that share pixels on purpose.
bool Shares(const std::string& a, const std::string& b) {
  const std::pair<const char*, const char*> shared[] = {
      {"shell 7", "pattern cloud"},     {"chip 0", "pattern cloud"}, {"chip 1", "pattern cloud"},
      {"rabbit dust", "clay shadow 5"}, {"wipe line", "shell "},     {"wipe line", "pattern cloud"},
      {"maker logo", "title logo"}};
  for (const auto& [x, y] : shared)
    if ((a.starts_with(x) && b.starts_with(y)) || (a.starts_with(y) && b.starts_with(x)))
      return true;
  return false;
}

TEST(ArtRegionTable, RegionsFitTheSheetAndOverlapOnlyWhereShared) {
  const auto regions = art::ArtRegions();
  const Rect sheet{0, 0, art::ArtSheetWidth, art::ArtSheetHeight};
  auto inside = [&](const Rect& b) { return ui::Intersect(b, sheet) == b; };
  for (const ArtRegion& r : regions) {
    if (r.Kind == ArtKind::WipeLine) {
      // The wipe line reads 640 pixels from x = 74: the last two lie past the right edge.
      EXPECT_EQ(r.X + r.W, sheet.W + 2);
      EXPECT_TRUE(inside({r.X, r.Y, r.W - 2, r.H}));
      continue;
    }
    for (const Rect& b : Blocks(r)) EXPECT_TRUE(inside(b)) << r.Name;
  }
  for (size_t i = 0; i < regions.size(); ++i)
    for (size_t j = i + 1; j < regions.size(); ++j)
      for (const Rect& a : Blocks(regions[i]))
        for (const Rect& b : Blocks(regions[j]))
          EXPECT_TRUE(ui::Intersect(a, b).W == 0 || Shares(regions[i].Name, regions[j].Name))
              << regions[i].Name << " overlaps " << regions[j].Name;
}

TEST(ArtSheet, MasksArePureBlackAndWhiteAndPicturesBlackOutsideTheirMasks) {
  for (const ArtRegion& r : art::ArtRegions()) {
    if (r.Kind != ArtKind::Sprite && r.Kind != ArtKind::Mask) continue;
    const bool sprite = r.Kind == ArtKind::Sprite;
    const int mx = sprite ? r.MaskX : r.X, my = sprite ? r.MaskY : r.Y;
    int marked = 0, stray = 0, greys = 0, holes = 0;
    for (int y = 0; y < r.H; ++y)
      for (int x = 0; x < r.W; ++x) {
        const uint32_t m = Sheet().At(mx + x, my + y);
        const bool inkless = Sheet().At(r.X + x, r.Y + y) == Black;
        greys += m != Black && m != White;
        marked += m == Black;
        stray += sprite && m == White && !inkless;
        // Only the pattern cloud paints black on purpose (its pellets); anywhere else black
        // inside a mask is a sprite cut away by a neighbour that shares its pixels.
        holes += sprite && m == Black && r.Name != "pattern cloud" && inkless;
      }
    EXPECT_EQ(std::tuple(greys, stray, holes), std::tuple(0, 0, 0))
        << r.Name << ": grey mask pixels, picture outside the mask, black holes in the picture";
    EXPECT_TRUE(marked > 0 && marked < r.W * r.H) << r.Name << ": mask empty or whole";
  }
}

// Size row 0 is the near clay and row 30 the far one; every spin picture and every shadow
// must shrink along the rows, or incoming targets would not grow.
TEST(ArtSheet, ClaysAndShadowsShrinkAlongTheSizeRows) {
  for (int size = 1; size < art::ClaySizes; ++size) {
    for (int c = 0; c < art::ClayColours; ++c)
      for (int spin = 0; spin < art::ClaySpins; ++spin) {
        const int y = art::ClaySpinRow0 + spin * art::ClaySpinPitch;
        const int x = art::ClayMaskX + art::ClayColumnPitch * c;
        EXPECT_LT(MaskArea(x, y + size * 6, 16, 6), MaskArea(x, y + (size - 1) * 6, 16, 6))
            << "colour " << c << " spin " << spin << " size " << size;
      }
    EXPECT_LT(MaskArea(art::ShadowX, art::ShadowY + size * 6, 16, 6),
              MaskArea(art::ShadowX, art::ShadowY + (size - 1) * 6, 16, 6));
  }
}

// The pointer-line circle is centred on (301 - SwingX, GunY + 4 - SwingY) while the gun is
// drawn at (179 - SwingX, GunY - SwingY): the bead must be at (122, 4) of the gun sprite,
// and the gun must reach the foot of its taller, 230-row form. Shouldered (GunY 200) the
// view's foot cuts the gun 140 rows down; there it must be broad, narrowing to the muzzles,
// or it reads as a post rather than a gun.
TEST(ArtSheet, GunCarriesItsBeadAndWidensTowardsTheShooter) {
  EXPECT_EQ(Sheet().At(art::GunMaskX + 122, art::GunY + 4), Black);
  const uint32_t bead = Sheet().At(art::GunPictureX + 122, art::GunY + 4);
  EXPECT_GT((bead >> 16 & 0xFF) + (bead >> 8 & 0xFF) + (bead & 0xFF), 3u * 160)
      << "the bead should be bright against the blued barrel";
  auto width = [&](int row) { return MaskArea(art::GunMaskX, art::GunY + row, art::GunW, 1); };
  EXPECT_GT(width(art::GunH - 1), 0);
  EXPECT_LE(width(4), 16) << "the muzzles are far off";
  EXPECT_GE(width(139), 48) << "the action at the view's foot is near";
  for (int row = 10; row < 140; row += 10)
    EXPECT_GE(width(row), width(row - 10) - 2) << "the gun narrows again at row " << row;
}

// Puffs are drawn with AND alone: a burst of specks, never a blot, thinning as it goes.
TEST(ArtSheet, BreakPuffsAreSpecklesThatThinOut) {
  std::vector<int> counts;
  for (int f = 0; f < art::PuffFrames; ++f) {
    const int x0 = art::PuffX + art::PuffSize * f, y0 = art::PuffY;
    auto black = [&](int x, int y) {
      return x >= 0 && y >= 0 && x < art::PuffSize && y < art::PuffSize &&
             Sheet().At(x0 + x, y0 + y) == Black;
    };
    int solid = 0;
    for (int y = 0; y < art::PuffSize; ++y)
      for (int x = 0; x < art::PuffSize; ++x)
        solid +=
            black(x, y) && black(x - 1, y) && black(x + 1, y) && black(x, y - 1) && black(x, y + 1);
    EXPECT_EQ(solid, 0) << "frame " << f << " has a solid patch";
    counts.push_back(MaskArea(x0, y0, art::PuffSize, art::PuffSize));
    EXPECT_LE(counts.back(), 60) << "frame " << f << " is too heavy";
  }
  EXPECT_GE(counts.front(), 20) << "the burst should show at once";
  EXPECT_LT(counts.back() * 3, counts.front()) << "the burst should thin out";
}

// Two chips lie in the pattern cloud's mask; in the shot frame they must stand alone like
// the stray pellets round them, not bulk out a clump of pellets.
TEST(ArtSheet, ChipsInThePatternCloudStandApart) {
  const Rect cloud{art::CloudX, art::CloudMaskY, art::CloudSize, art::CloudSize};
  for (const art::ChipPlace& c : art::Chips) {
    const Rect chip{c.X, c.Y, c.W, c.H};
    if (ui::Intersect(chip, cloud) != chip) continue;
    for (int y = c.Y - 1; y <= c.Y + c.H; ++y)
      for (int x = c.X - 1; x <= c.X + c.W; ++x)
        if (!chip.Contains(x, y)) {
          EXPECT_EQ(Sheet().At(x, y), White) << "pellet at " << x << "," << y;
        }
    EXPECT_LE(MaskArea(c.X, c.Y, c.W, c.H), 4) << "a chip bigger than a stray pellet";
  }
}

// Cells are copied side by side onto a panel: each needs ink, the panel's baize round it,
// and a bare column on its right so neighbouring letters never touch. Copied pictures are
// painted, and the wipe line is one colour.
TEST(ArtSheet, FontCellsHaveInkOnThePanelsBaizeAndCopiesArePainted) {
  const assets::Rgb g = assets::BitmapTextGround;
  const uint32_t baize = static_cast<uint32_t>(g.R << 16 | g.G << 8 | g.B);
  for (const ArtRegion& r : art::ArtRegions()) {
    if (r.Kind != ArtKind::Copy && r.Kind != ArtKind::Glyph) continue;
    std::set<uint32_t> colours;
    int ink = 0;
    for (int y = 0; y < r.H; ++y)
      for (int x = 0; x < r.W; ++x) {
        colours.insert(Sheet().At(r.X + x, r.Y + y));
        ink += Sheet().At(r.X + x, r.Y + y) != baize;
      }
    if (r.Kind == ArtKind::Copy) {
      EXPECT_GT(colours.size(), 16u) << r.Name << " looks unpainted";
    }
    if (r.Kind != ArtKind::Glyph) continue;
    EXPECT_GT(ink, 8) << r.Name << " is blank";
    EXPECT_EQ(Sheet().At(r.X, r.Y), baize) << r.Name << " must sit on the panels' baize unseen";
    for (int y = 0; y < r.H; ++y) EXPECT_EQ(Sheet().At(r.X + r.W - 1, r.Y + y), baize) << r.Name;
  }
  for (int x = art::WipeX; x < art::ArtSheetWidth; ++x)
    EXPECT_EQ(Sheet().At(x, art::WipeY), Sheet().At(art::WipeX, art::WipeY))
        << "wipe line at " << x;
}

}  // namespace
}  // namespace qm
