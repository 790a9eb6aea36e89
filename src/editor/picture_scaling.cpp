#include "editor/picture_scaling.h"

#include <algorithm>
#include <cmath>

namespace qm {

namespace {

uint32_t Channel(uint32_t rgb, int shift) {
  return (rgb >> shift) & 0xFF;
}

uint32_t Blend(const Surface& p, double x, double y) {
  const int x0 = std::clamp(static_cast<int>(std::floor(x)), 0, p.W - 1);
  const int y0 = std::clamp(static_cast<int>(std::floor(y)), 0, p.H - 1);
  const int x1 = std::min(x0 + 1, p.W - 1), y1 = std::min(y0 + 1, p.H - 1);
  const double fx = std::clamp(x - x0, 0.0, 1.0), fy = std::clamp(y - y0, 0.0, 1.0);
  uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    const double top = Channel(p.At(x0, y0), shift) * (1 - fx) + Channel(p.At(x1, y0), shift) * fx;
    const double bottom =
        Channel(p.At(x0, y1), shift) * (1 - fx) + Channel(p.At(x1, y1), shift) * fx;
    out |= static_cast<uint32_t>(std::lround(top * (1 - fy) + bottom * fy)) << shift;
  }
  return out;
}

uint32_t Average(const Surface& p, int xa, int xb, int ya, int yb) {
  uint64_t sum[3] = {0, 0, 0};
  const int64_t n = static_cast<int64_t>(xb - xa) * (yb - ya);
  for (int y = ya; y < yb; ++y) {
    for (int x = xa; x < xb; ++x) {
      const uint32_t c = p.At(x, y);
      sum[0] += Channel(c, 16);
      sum[1] += Channel(c, 8);
      sum[2] += Channel(c, 0);
    }
  }
  return static_cast<uint32_t>((sum[0] / n) << 16 | (sum[1] / n) << 8 | (sum[2] / n));
}

}  // namespace

Surface ScalePicture(const Surface& picture, int width, int height) {
  Surface out(width, height, 0);
  if (picture.Empty() || width <= 0 || height <= 0) return out;
  const double sx = static_cast<double>(picture.W) / width;
  const double sy = static_cast<double>(picture.H) / height;
  const bool shrink = sx >= 1 && sy >= 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (shrink) {
        const int xa = static_cast<int>(x * sx), ya = static_cast<int>(y * sy);
        const int xb = std::max(xa + 1, std::min(picture.W, static_cast<int>((x + 1) * sx)));
        const int yb = std::max(ya + 1, std::min(picture.H, static_cast<int>((y + 1) * sy)));
        out.At(x, y) = Average(picture, xa, xb, ya, yb);
      } else {
        out.At(x, y) = Blend(picture, (x + 0.5) * sx - 0.5, (y + 0.5) * sy - 0.5);
      }
    }
  }
  return out;
}

}  // namespace qm
