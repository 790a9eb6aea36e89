#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"

namespace assets {

namespace {

// Puffs and chips are drawn with AND alone, so they show as dark dust against the sky.
// The puff is placed with its corner on the broken clay's centre, so the burst is centred
// a little inside that corner. It is a burst of specks, never a blot: a few dozen
// fragments and grains flung outwards, slowing as they spread, the heavier ones dropping,
// most of them gone by the last frames.
constexpr int Grains = 40;

// A fixed, well-stirred draw in [0, 1) for grain i, so the sheet is the same every build.
double Hash(int i, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(i) * 0x9E3779B9u ^ seed * 0x85EBCA6Bu;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h / 4294967296.0;
}

void PaintPuffs(Image& sheet) {
  for (int f = 0; f < PuffFrames; ++f) {
    Layer l(PuffSize, PuffSize);
    const double t = f / static_cast<double>(PuffFrames - 1);
    for (int i = 0; i < Grains; ++i) {
      // Grains thin out over the burst; a few wisps last to the end.
      const double life = 0.25 + 0.95 * Hash(i, 11);
      if (t > life) continue;
      const double angle = 6.2832 * Hash(i, 23);
      const double start = 1.2 + 4.4 * std::sqrt(Hash(i, 37));
      const double speed = 0.5 + 1.1 * Hash(i, 41);
      const double heavy = Hash(i, 53);
      const double out = start * (1 + speed * (1 - std::exp(-2.2 * t)));  // air slows them
      const double x = 7 + out * std::cos(angle);
      const double y = 6 + out * 0.85 * std::sin(angle) + 5 * heavy * t * t;
      const int px = static_cast<int>(std::floor(x)), py = static_cast<int>(std::floor(y));
      l.Paint(px, py, {0, 0, 0}, 1);
      // The heaviest few are fragments two pixels long in the first frames.
      if (heavy > 0.88 && t < 0.35)
        l.Paint(px + (i % 2 ? 1 : 0), py + (i % 2 ? 0 : 1), {0, 0, 0}, 1);
    }
    // No grain is ever boxed in by four others, so the dust never closes into a blot.
    Layer speckled = l;
    for (int y = 1; y + 1 < PuffSize; ++y)
      for (int x = 1; x + 1 < PuffSize; ++x)
        if (Covered(l, x - 1, y) && Covered(l, x + 1, y) && Covered(l, x, y - 1) &&
            Covered(l, x, y + 1))
          speckled.Clear(x, y);
    PutMask(sheet, speckled, PuffX + PuffSize * f, PuffY);
  }
}

// Chips are small jagged fragments, their own shapes so that a chip never shows a square.
// The first two also lie in the pattern cloud's mask, among the stray pellets at its
// fringe, so they are kept as small as those.
void PaintChips(Image& sheet) {
  const char* shapes[] = {"#...##.#.", "##...#", ".##.#."};
  for (int k = 0; k < 3; ++k) {
    const ChipPlace& c = Chips[k];
    for (int y = 0; y < c.H; ++y)
      for (int x = 0; x < c.W; ++x)
        sheet.Set(c.X + x, c.Y + y,
                  shapes[k][y * c.W + x] == '#' ? Rgb{0, 0, 0} : Rgb{255, 255, 255});
  }
}

}  // namespace

void PaintBreaks(Image& sheet) {
  PaintPuffs(sheet);
  PaintChips(sheet);
}

}  // namespace assets
