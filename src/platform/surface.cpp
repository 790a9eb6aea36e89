#include "platform/surface.h"

#include <algorithm>
#include <cstdlib>

namespace qm {

void Surface::Fill(uint32_t rgb) {
  std::fill(Px.begin(), Px.end(), rgb);
}

namespace {

// A surface whose size and pixels disagree is drawn on as if it were empty.
bool HasPixels(const Surface& s) {
  return !s.Empty() && s.Px.size() >= static_cast<size_t>(s.W) * static_cast<size_t>(s.H);
}

const uint32_t* RowAt(const Surface& s, int x, int y) {
  return s.Px.data() + static_cast<size_t>(y) * s.W + x;
}

// Moves the block's origin in by `cut` pixels on both surfaces when `cut` is positive.
void ClipStart(int& d, int& s, int& len, int cut) {
  if (cut <= 0) return;
  d += cut;
  s += cut;
  len -= cut;
}

template <typename Combine>
void TransferRows(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
                  Combine combine) {
  for (int row = 0; row < h; ++row) {
    uint32_t* out = &dst.At(dx, dy + row);
    const uint32_t* in = RowAt(src, sx, sy + row);
    for (int col = 0; col < w; ++col) out[col] = combine(out[col], in[col]);
  }
}

}  // namespace

void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op) {
  if (!HasPixels(dst) || !HasPixels(src)) return;
  // A negative position on either side cuts the same columns from both blocks.
  ClipStart(dx, sx, w, -sx);
  ClipStart(dx, sx, w, -dx);
  ClipStart(dy, sy, h, -sy);
  ClipStart(dy, sy, h, -dy);
  w = std::min({w, src.W - sx, dst.W - dx});
  h = std::min({h, src.H - sy, dst.H - dy});
  if (w <= 0 || h <= 0) return;

  switch (op) {
    case RasterOp::Copy:
      for (int row = 0; row < h; ++row) {
        const uint32_t* in = RowAt(src, sx, sy + row);
        std::copy(in, in + w, &dst.At(dx, dy + row));
      }
      break;
    case RasterOp::And:
      TransferRows(dst, dx, dy, w, h, src, sx, sy, [](uint32_t d, uint32_t s) { return d & s; });
      break;
    case RasterOp::Paint:
      TransferRows(dst, dx, dy, w, h, src, sx, sy, [](uint32_t d, uint32_t s) { return d | s; });
      break;
  }
}

void DrawPoint(Surface& s, int x, int y, OleColor color) {
  if (HasPixels(s) && s.Inside(x, y)) s.At(x, y) = PixelFromOle(color);
}

void DrawLine(Surface& s, int x1, int y1, int x2, int y2, OleColor color) {
  // A line wholly beyond one edge draws nothing; skipping it keeps far-off lines cheap.
  if (!HasPixels(s) || (x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= s.W && x2 >= s.W) ||
      (y1 >= s.H && y2 >= s.H))
    return;
  const uint32_t pixel = PixelFromOle(color);
  const long long dx = std::llabs(static_cast<long long>(x2) - x1);
  const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
  const int stepX = x1 < x2 ? 1 : -1;
  const int stepY = y1 < y2 ? 1 : -1;
  long long err = dx + dy;
  int x = x1, y = y1;
  for (;;) {
    if (s.Inside(x, y)) s.At(x, y) = pixel;
    if (x == x2 && y == y2) break;
    const long long twice = 2 * err;
    if (twice >= dy) {
      err += dy;
      x += stepX;
    }
    if (twice <= dx) {
      err += dx;
      y += stepY;
    }
  }
}

void DrawCircle(Surface& s, int cx, int cy, int radius, OleColor color) {
  if (radius < 0 || !HasPixels(s)) return;
  const uint32_t pixel = PixelFromOle(color);
  auto plot = [&](int x, int y) {
    if (s.Inside(x, y)) s.At(x, y) = pixel;
  };
  // One octant by the midpoint rule, mirrored into the other seven.
  int x = radius, y = 0;
  int decision = 1 - radius;
  while (x >= y) {
    plot(cx + x, cy + y);
    plot(cx - x, cy + y);
    plot(cx + x, cy - y);
    plot(cx - x, cy - y);
    plot(cx + y, cy + x);
    plot(cx - y, cy + x);
    plot(cx + y, cy - x);
    plot(cx - y, cy - x);
    ++y;
    if (decision < 0) {
      decision += 2 * y + 1;
    } else {
      --x;
      decision += 2 * (y - x) + 1;
    }
  }
}

void FillRect(Surface& s, const Rect& r, uint32_t rgb) {
  if (!HasPixels(s)) return;
  const int left = std::max(r.X, 0);
  const int top = std::max(r.Y, 0);
  const int right = std::min(static_cast<long long>(r.X) + r.W, static_cast<long long>(s.W));
  const int bottom = std::min(static_cast<long long>(r.Y) + r.H, static_cast<long long>(s.H));
  for (int y = top; y < bottom; ++y) {
    uint32_t* row = &s.At(0, y);
    std::fill(row + left, row + std::max(left, right), rgb);
  }
}

}  // namespace qm
