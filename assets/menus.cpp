// The main menu pictures, one per season: the shooting grounds seen from the hill above,
// with the five fields drawn where the menu's hot areas lie, the shooter board, and the
// boards of the other menu items.

#include <algorithm>
#include <string>
#include <vector>

#include "generators.h"
#include "geometry/roster_layout.h"
#include "menu_items.h"
#include "scene_grounds.h"
#include "scene_paint.h"

namespace assets {

namespace {

constexpr int W = 640, H = 480;

// The hot area of field n + 1 (lblMain n).
constexpr Area FieldArea(int n) {
  const qm::Rect& r = qm::MenuItemRects[n];
  return {r.X, r.Y, r.W, r.H};
}
constexpr Area FieldAreas[qm::MenuFieldCount] = {FieldArea(0), FieldArea(1), FieldArea(2),
                                                 FieldArea(3), FieldArea(4)};
constexpr Area Signboard{279, 261, 92, 45};  // the field name plate appears at (284, 266)
constexpr Area Clubhouse{376, 326, 68, 46};
constexpr Area TitleArea{12, 6, 380, 96};

bool Overlaps(const Area& a, double x, double y, double margin) {
  return x > a.X - margin && x < a.X + a.W + margin && y > a.Y - margin && y < a.Y + a.H + margin;
}

bool FreeForTree(double x, double y) {
  if (y < HorizonAt(static_cast<int>(x)) + 8) return false;
  for (const Area& a : FieldAreas)
    if (Overlaps(a, x, y, 12)) return false;
  for (const MenuItemBox& b : MenuItemBoxes)
    if (Overlaps({b.Left, b.Top, b.Width, b.Height}, x, y, 6)) return false;
  const qm::Rect r = qm::RosterBoard;
  return !Overlaps({r.X, r.Y, r.W, r.H}, x, y, 8) && !Overlaps(Signboard, x, y, 14) &&
         !Overlaps(Clubhouse, x, y, 14) && !Overlaps(TitleArea, x, y, 0);
}

struct TreeSpot {
  double X, Y, R;
};

// Scattered copses between the fields; nearer trees (lower down) are drawn larger.
std::vector<TreeSpot> TreeSpots() {
  std::vector<TreeSpot> spots;
  Noise n(801);
  for (int k = 0; k < 400 && spots.size() < 70; ++k) {
    const double x = n.Range(4, W - 4), y = n.Range(96, H - 4);
    if (FreeForTree(x, y)) spots.push_back({x, y, 3.0 + 6.0 * (y - 100) / 380.0});
  }
  std::sort(spots.begin(), spots.end(),
            [](const TreeSpot& a, const TreeSpot& b) { return a.Y < b.Y; });
  return spots;
}

void PaintPaths(Image& img, const GroundsPalette& p) {
  const double hubX = Clubhouse.X + 30, hubY = Clubhouse.Y + 52;
  for (const Area& a : FieldAreas) PaintPath(img, hubX, hubY, a.X + a.W / 2.0, a.Y + a.H - 4.0, p);
  PaintPath(img, hubX, hubY, Signboard.X + 46.0, Signboard.Y + 70.0, p);
  PaintPath(img, hubX, hubY, 500, 424, p);
  PaintPath(img, hubX, hubY, 274, 424, p);
}

void PaintTitle(Image& img) {
  DrawText(img, 22, 12, "Quillmoor", Font::SerifBold, 50, {30, 22, 14});
  DrawText(img, 19, 9, "Quillmoor", Font::SerifBold, 50, {250, 240, 214});
  const int w = TextWidth("Quillmoor", Font::SerifBold, 50);
  img.FillRect(22, 72, w - 4, 2, {200, 160, 76});
  DrawText(img, 25, 78, "Clay Shooting Grounds", Font::SerifBold, 15, {30, 22, 14});
  DrawText(img, 24, 77, "Clay Shooting Grounds", Font::SerifBold, 15, {250, 240, 214});
}

void PaintRosterBoard(Image& img, int season) {
  const qm::Rect r = qm::RosterBoard;
  for (int rope : {r.X + 30, r.X + r.W - 30})
    StrokeLine(img, rope, 0, rope, r.Y + 4, 2, {120, 96, 60}, 1.0);
  PaintDropShadow(img, r.X, r.Y, r.W, r.H, 10);
  const Rgb dark = season == 0 ? Rgb{72, 44, 20} : Rgb{52, 36, 28};
  const Rgb light = season == 0 ? Rgb{132, 90, 50} : Rgb{100, 76, 60};
  PaintWoodPanel(img, r.X, r.Y, r.W, r.H, dark, light, 802);
  PaintBrassFrame(img, r.X, r.Y, r.W, r.H, 3);
  DrawCentredText(img, r.X + r.W / 2, qm::RosterTitleY, "Shooters", Font::SerifBold, 18,
                  {250, 236, 200}, true);
  for (int n = 0; n < 4; ++n) {
    const qm::Rect b = qm::OptNameRect(n), s = qm::ScoresRect(n);
    PaintWell(img, b.X - 2, b.Y - 2, b.W + 4, b.H + 4, Mix(dark, {0, 0, 0}, 0.3));
    PaintWell(img, s.X - 3, s.Y - 3, s.W + 6, s.H + 6, Mix(dark, {0, 0, 0}, 0.45));
  }
}

void PaintMenu(const Output& out, int season) {
  const GroundsPalette p = GroundsPaletteOf(season);
  Image img(W, H);
  PaintSkyAndLand(img, p);
  PaintPaths(img, p);
  for (const TreeSpot& t : TreeSpots())
    PaintGroundsTree(img, t.X, t.Y, t.R, p,
                     static_cast<uint32_t>(static_cast<int64_t>(t.X * 31 + t.Y)));
  PaintOpenMeadow(img, FieldAreas[0], p);
  PaintWoodlandEdge(img, FieldAreas[1], p);
  PaintHillside(img, FieldAreas[2], p);
  PaintWaterField(img, FieldAreas[3], p);
  PaintValley(img, FieldAreas[4], p);
  // Field 5's post stands clear of the corner it shares with field 4.
  for (int f = 0; f < 5; ++f) PaintFieldBounds(img, FieldAreas[f], f + 1, f == 4, p);
  PaintClubhouse(img, Clubhouse.X, Clubhouse.Y, p);
  PaintSignboard(img, Signboard.X, Signboard.Y, Signboard.W, Signboard.H);
  PaintTitle(img);
  PaintRosterBoard(img, season);
  for (const MenuItemBox& b : MenuItemBoxes)
    PaintDropShadow(img, b.Left, b.Top, b.Width, b.Height, 6);
  for (const MenuItemBox& b : MenuItemBoxes) PaintMenuItem(img, b.Left, b.Top, b, season, false);
  img.SaveBmp(out.Path(std::to_string(season) + "m.bmp"));
}

}  // namespace

void GenerateMenus(const Output& out) {
  PaintMenu(out, 0);
  PaintMenu(out, 1);
}

}  // namespace assets
