#include <algorithm>
#include <cmath>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"

namespace assets {

namespace {

// Puffs and chips are drawn with AND alone, so they show as dark dust against the sky.
// The puff is placed with its corner on the broken clay's centre, so the burst starts near
// the cell's top left and drifts down and outwards as it thins.
void PaintPuffs(Image& sheet) {
  for (int f = 0; f < PuffFrames; ++f) {
    Layer l(PuffSize, PuffSize);
    const double t = f / static_cast<double>(PuffFrames - 1);
    const double cx = 6 + 2.5 * t, cy = 5 + 4.5 * t * t;
    const double r = 3.4 + 8.0 * std::sqrt(t);
    const double fade = std::max(std::pow(1 - t, 1.3), 0.12);  // the last wisps linger
    for (int y = 0; y < PuffSize; ++y)
      for (int x = 0; x < PuffSize; ++x) {
        const double lump = FractalNoise(x / 3.0 + f * 0.2, y / 3.0, 2, 811);
        const double d =
            std::hypot(x + 0.5 - cx, (y + 0.5 - cy) * 1.15) / (r * (0.75 + 0.5 * lump));
        if (d > 1) continue;
        // A dense core at first; later the middle clears and a ring of dust hangs on.
        const double core = f < 5 ? 1.0 : 0.55 + 0.45 * d;
        const double density = std::clamp(fade * core * (1.05 - 0.6 * d * d), 0.0, 0.95);
        if (ValueNoise(x * 7.31 + f * 3.7, y * 5.17 - f * 1.3, 2203) < density)
          l.Paint(x, y, {0, 0, 0}, 1);
      }
    PutMask(sheet, l, PuffX + PuffSize * f, PuffY);
  }
}

// Chips are jagged fragments; their own shapes, so that a chip never shows a square.
void PaintChips(Image& sheet) {
  const char* shapes[] = {"##.###.#.", "###.##", "#.###."};
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
