#include "backdrop_trap_house.h"

#include <algorithm>
#include <cmath>

#include "backdrop_land.h"

namespace assets {

namespace {

constexpr int ClayW = 16, ClayH = 6, RabbitSize = 10;

// Nearer huts (lower on the picture) look bigger.
float HutScale(int y) {
  return std::clamp((y - 430) / 190.0f, 0.55f, 1.4f);
}

struct Hut {
  float Left, Top, W, H;  // the front wall
  float Side;             // +1 when the slot faces right
  float S;                // scale
};

void PaintTurfBank(Painting& p, float cx, float baseY, float w, float h, const SeasonPalette& pal,
                   uint32_t seed) {
  for (int y = static_cast<int>(baseY - h); y <= static_cast<int>(baseY); ++y) {
    const float t = (baseY - y) / h;
    const float half = w / 2 * std::sqrt(std::max(0.0f, 1 - t * t));
    for (int x = static_cast<int>(cx - half - 1); x <= static_cast<int>(cx + half + 1); ++x) {
      const float nx = (x - cx) / std::max(half, 1.0f);
      const float tuft = static_cast<float>(ValueNoise(x * 0.9, y * 0.6, seed));
      const float lit = std::clamp(0.55f + 0.35f * pal.LightX * nx + 0.3f * t, 0.0f, 1.0f);
      const Colour c = Lerp(Scale(pal.GrassDark, 0.85f), pal.GrassLight,
                            std::clamp(lit * 0.5f + tuft * 0.45f - 0.1f, 0.0f, 1.0f));
      p.Blend(x, y, c, std::clamp(half + 0.5f - std::abs(x - cx), 0.0f, 1.0f));
    }
  }
}

void PaintWalls(Painting& p, const Hut& hut, const SeasonPalette& pal, uint32_t seed) {
  const Colour timber = Lerp(pal.Bark, pal.Track, 0.5f);
  const float plank = std::max(2.0f, 3.2f * hut.S);
  for (int y = static_cast<int>(hut.Top); y < static_cast<int>(hut.Top + hut.H); ++y) {
    for (int x = static_cast<int>(hut.Left); x < static_cast<int>(hut.Left + hut.W); ++x) {
      const float grain = static_cast<float>(ValueNoise(x * 0.8, y / 6.0, seed));
      const float seam = std::fmod(x - hut.Left, plank) < 0.9f ? 0.7f : 1.0f;
      const float across = (x - hut.Left) / hut.W;
      const float light = 0.8f + 0.25f * (pal.LightX < 0 ? 1 - across : across);
      p.Set(x, y, Scale(timber, (0.78f + 0.3f * grain) * seam * light));
    }
  }
  // The end wall turned away from the sun, in shade.
  const float endW = std::max(2.0f, hut.W * 0.16f);
  const float endX = pal.LightX < 0 ? hut.Left + hut.W : hut.Left - endW;
  for (int y = static_cast<int>(hut.Top - endW * 0.4f); y < static_cast<int>(hut.Top + hut.H); ++y)
    for (int x = static_cast<int>(endX); x < static_cast<int>(endX + endW); ++x)
      if (y >= hut.Top - (pal.LightX < 0 ? x - endX : endX + endW - x) * 0.4f)
        p.Set(x, y, Scale(timber, 0.55f));
}

void PaintSlot(Painting& p, const Hut& hut, float bottomGap) {
  const float w = hut.W * 0.32f;
  const float x0 = hut.Side > 0 ? hut.Left + hut.W - w - hut.W * 0.08f : hut.Left + hut.W * 0.08f;
  const float y0 = hut.Top + hut.H * 0.28f, y1 = hut.Top + hut.H * (1 - bottomGap);
  for (int y = static_cast<int>(y0); y < static_cast<int>(y1); ++y)
    for (int x = static_cast<int>(x0); x < static_cast<int>(x0 + w); ++x)
      p.Set(x, y, y < y0 + 1 ? Colour{60, 52, 44} : Colour{22, 20, 18});
}

void PaintRoof(Painting& p, const Hut& hut, const SeasonPalette& pal) {
  const float over = 3 * hut.S, thick = std::max(2.0f, 3.5f * hut.S);
  const Colour iron = {84, 90, 86};
  for (int y = static_cast<int>(hut.Top - thick); y < static_cast<int>(hut.Top); ++y) {
    for (int x = static_cast<int>(hut.Left - over); x < static_cast<int>(hut.Left + hut.W + over);
         ++x) {
      const float ridge =
          std::fmod(static_cast<float>(x), std::max(2.0f, 2.5f * hut.S)) < 1 ? 0.85f : 1.0f;
      const float t = (hut.Top - y) / thick;
      p.Set(x, y, Lerp(Scale(iron, ridge * 0.8f), Lerp(iron, pal.Sun, 0.35f), t));
    }
  }
  p.Stroke(hut.Left, hut.Top + 0.5f, hut.Left + hut.W, hut.Top + 0.5f, std::max(1.0f, hut.S * 1.5f),
           {30, 28, 26});  // the shadow under the eaves
}

}  // namespace

void PaintTrapHouse(Painting& p, const TrapLayout& trap, const SeasonPalette& pal, uint32_t seed) {
  const bool rabbit = trap.Rabbit != 0;
  const float s = HutScale(trap.Y);
  const float w = 40 * s, h = (rabbit ? 13 : 15) * s;
  const float side = trap.DX < 0 ? -1.0f : 1.0f;
  // A clay hut's roof sits just under the launch point; a rabbit hut stands on its track,
  // behind where the rabbit starts, so that it runs out of the hut's open side.
  const float cx =
      rabbit ? trap.X + RabbitSize / 2.0f - side * (w * 0.5f + 2) : trap.X + ClayW / 2.0f;
  const float top =
      rabbit ? std::min(trap.FloorY, trap.Y) + RabbitSize + 1 - h : trap.Y + ClayH + 3.0f * s;
  const Hut hut = {cx - w / 2, top, w, h, side, s};
  PaintGroundShadow(p, cx - pal.LightX * w * 0.35f, top + h, w * 0.9f, h * 0.35f, 0.45f);
  PaintWalls(p, hut, pal, seed);
  PaintSlot(p, hut, rabbit ? 0.0f : 0.3f);
  PaintRoof(p, hut, pal);
  PaintTurfBank(p, cx - side * w * 0.25f, top + h + 1, w * 0.9f, h * 0.45f, pal, seed + 1);
}

}  // namespace assets
