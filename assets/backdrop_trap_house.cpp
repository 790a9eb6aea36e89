#include "backdrop_trap_house.h"

#include <algorithm>
#include <cmath>

#include "backdrop_land.h"

namespace assets {

namespace {

constexpr int ClayW = 16, ClayH = 6, RabbitSize = 10;

// Nearer huts (lower on the picture) look bigger.
float HutScale(int y) {
  return std::clamp((y - 430) / 200.0f, 0.55f, 1.35f);
}

void PaintBank(Painting& p, float cx, float baseY, float w, float h, const SeasonPalette& pal,
               uint32_t seed) {
  for (int y = static_cast<int>(baseY - h); y <= static_cast<int>(baseY); ++y) {
    const float t = (baseY - y) / h;
    const float half = w / 2 * (1 - 0.55f * t * t);
    for (int x = static_cast<int>(cx - half); x <= static_cast<int>(cx + half); ++x) {
      const float tuft = static_cast<float>(ValueNoise(x * 0.8, y * 0.5, seed));
      const float lit = 0.5f + 0.5f * pal.LightX * (cx - x) / half * -1;
      Colour c =
          Lerp(pal.GrassDark, pal.GrassLight, std::clamp(lit * 0.7f + tuft * 0.3f, 0.0f, 1.0f));
      p.Blend(x, y, c, std::clamp(half - std::abs(x - cx), 0.0f, 1.0f));
    }
  }
}

}  // namespace

void PaintTrapHouse(Painting& p, const TrapLayout& trap, const SeasonPalette& pal, uint32_t seed) {
  const bool rabbit = trap.Rabbit != 0;
  const float s = HutScale(trap.Y);
  const float w = 34 * s, h = 13 * s;
  const float side = trap.DX < 0 ? -1.0f : 1.0f;
  // A clay hut's roof sits just under the launch point; a rabbit hut stands on its track,
  // behind where the rabbit starts, so that it runs out of the hut's open side.
  const float cx = rabbit ? trap.X + RabbitSize / 2 - side * (w * 0.5f + 3) : trap.X + ClayW / 2.0f;
  const float roofY =
      rabbit ? std::min(trap.FloorY, trap.Y) + RabbitSize + 1 - h : trap.Y + ClayH + 1.0f;
  const float baseY = roofY + h;
  PaintGroundShadow(p, cx - pal.LightX * w * 0.3f, baseY, w * 0.85f, h * 0.35f, 0.4f);
  PaintBank(p, cx - side * w * 0.2f, baseY, w * 1.5f, h * 0.8f, pal, seed);
  const Colour timber = Lerp(pal.Bark, pal.Track, 0.45f);
  for (int y = static_cast<int>(roofY); y < static_cast<int>(baseY); ++y) {
    for (int x = static_cast<int>(cx - w / 2); x < static_cast<int>(cx + w / 2); ++x) {
      const float plank =
          static_cast<float>(ValueNoise(x / std::max(1.5f, 2.5f * s), y / 9.0, seed));
      p.Set(x, y, Scale(timber, 0.75f + 0.35f * plank));
    }
  }
  // The throwing slot, dark, on the side the clay leaves by.
  const float slotX = cx + side * w * (rabbit ? 0.5f : 0.18f) - (side > 0 ? 0.3f * w : 0);
  for (int y = static_cast<int>(roofY + h * 0.3f);
       y < static_cast<int>(baseY - h * (rabbit ? 0 : 0.25f)); ++y)
    for (int x = static_cast<int>(slotX); x < static_cast<int>(slotX + w * 0.3f); ++x)
      p.Blend(x, y, {24, 22, 20}, 0.9f);
  const Colour roof = {70, 74, 70};
  p.Stroke(cx - w / 2 - 2 * s, roofY, cx + w / 2 + 2 * s, roofY, std::max(2.0f, 3 * s), roof);
  p.Stroke(cx - w / 2 - 2 * s, roofY - s, cx + w / 2 + 2 * s, roofY - s, std::max(1.0f, s),
           Lerp(roof, pal.Sun, 0.35f));
}

}  // namespace assets
