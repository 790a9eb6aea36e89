#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"
#include "art_wood.h"

namespace assets {

namespace {

constexpr WoodTone PostWood{{74, 50, 30}, {150, 112, 70}};

// One tall square post, sliding up and down behind the view as it pans; iron straps with
// bolts every so often give the eye something to follow.
void PaintPostStrip(Image& sheet) {
  for (int y = 0; y < PostH; ++y)
    for (int x = 0; x < PostW; ++x) {
      Rgb c = WoodAt(x * 2.2, y, PostWood, 331, true);
      if (x < 3) c = Mix(c, {255, 238, 200}, 0.3 - 0.08 * x);                      // lit arris
      if (x >= PostW - 6) c = Mix(c, {0, 0, 0}, 0.18 + 0.07 * (x - (PostW - 6)));  // far face
      c = Mix(c, {0, 0, 0}, 0.3 * std::clamp((y - 600) / 292.0, 0.0, 1.0));  // towards the ground
      sheet.Set(x, y, c);
    }
  for (int strap = 90; strap < PostH - 20; strap += 230) {
    for (int y = strap; y < strap + 16; ++y)
      for (int x = 0; x < PostW; ++x) {
        const double lit = 0.55 - 0.35 * std::abs(y - strap - 5) / 10.0 - 0.25 * x / PostW;
        Rgb c = Mix({28, 28, 30}, {120, 118, 112}, std::clamp(lit, 0.0, 1.0));
        if (ValueNoise(x / 2.0, y / 2.0, strap) > 0.78) c = Mix(c, {120, 62, 30}, 0.5);  // rust
        sheet.Set(x, y, c);
      }
    sheet.FillRect(0, strap + 16, PostW, 1, {20, 14, 8});
    PaintScrew(sheet, 9.5, strap + 8, 2.6);
    PaintScrew(sheet, 29.5, strap + 8, 2.6);
  }
}

struct Beam {
  double TopNear, TopFar;      // top edge at the near (x = 0) and far (attached) end
  double ThickNear, ThickFar;  // depth of the beam at each end
};

// A sloping rail seen from above: its lit top face, then its front face in shade, running
// from the post (far, high, thin) to the near edge of the view (low, thick).
void PaintBeam(Layer& l, const Beam& b, uint32_t seed) {
  for (int x = 0; x < RailW; ++x) {
    const double t = x / double(RailW - 1);
    const double top = b.TopNear + (b.TopFar - b.TopNear) * t;
    const double thick = b.ThickNear + (b.ThickFar - b.ThickNear) * t;
    for (int y = static_cast<int>(top); y <= top + thick; ++y) {
      const double cover = std::clamp(std::min(y + 1 - top, top + thick - y), 0.0, 1.0);
      if (cover <= 0) continue;
      const double v = (y + 0.5 - top) / thick;
      Rgb c = WoodAt(x, (y - top) * 26 / thick, Pine, seed);
      if (v < 0.32)
        c = Mix(c, {255, 240, 210}, 0.22);  // the top face
      else
        c = Mix(c, {0, 0, 0}, 0.2 + 0.3 * (v - 0.32));
      if (std::abs(v - 0.32) < 0.5 / thick) c = Mix(c, {255, 246, 220}, 0.4);  // the arris
      l.Paint(x, y, c, cover);
    }
  }
}

// The iron strap that holds both rails to the post, bolted through at each rail.
void PaintBracket(Layer& l, int x0) {
  for (int y = 8; y < 112; ++y)
    for (int x = x0; x < x0 + 12; ++x) {
      const double lit = 0.6 - 0.04 * (x - x0);
      l.Paint(x, y, Mix({30, 30, 32}, {132, 130, 124}, lit), 1);
    }
}

void PaintBolts(Layer& l, int x0) {
  for (const double y : {24.0, 72.0})
    FillEllipse(l, x0 + 6, y, 3.2, 3.2, [](double u, double v) {
      return Mix({40, 38, 36}, {210, 206, 196}, std::clamp(0.5 - 0.5 * (u + v), 0.0, 1.0));
    });
}

Layer PaintRail(uint32_t seed) {
  Layer l(RailW, RailH);
  PaintBracket(l, RailW - 16);
  PaintBeam(l, {54, 16, 30, 16}, seed);
  PaintBeam(l, {100, 66, 22, 12}, seed + 5);
  PaintBolts(l, RailW - 16);
  return l;
}

Layer Mirrored(const Layer& src) {
  Layer l(src.W(), src.H());
  for (int y = 0; y < src.H(); ++y)
    for (int x = 0; x < src.W(); ++x)
      l.Paint(src.W() - 1 - x, y, src.Colour(x, y), src.Alpha(x, y));
  return l;
}

}  // namespace

void PaintCage(Image& sheet) {
  PaintPostStrip(sheet);
  // The left rail runs out to the left from the left post; the right rail is its mirror.
  PutSprite(sheet, PaintRail(601), RailX, LeftRailPictureY, RailX, LeftRailMaskY);
  PutSprite(sheet, Mirrored(PaintRail(733)), RailX, RightRailPictureY, RailX, RightRailMaskY);
}

}  // namespace assets
