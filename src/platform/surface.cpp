#include "platform/surface.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

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

// The steps i of a line whose coordinate start + step * i along its longer axis lies within
// 0 .. extent - 1, as [first, last] clipped to [0, length].
std::pair<long long, long long> StepsOnSurface(long long start, int step, long long length,
                                               long long extent) {
  if (step > 0) return {std::max(0LL, -start), std::min(length, extent - 1 - start)};
  return {std::max(0LL, start - (extent - 1)), std::min(length, start)};
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

// Bresenham's pixels, computed directly: in each column (or row, for a steep line) the pixel
// nearest the exact line, a half-way point going towards the far end. Only the steps that
// land on the surface are visited, so a far-off end costs nothing.
void DrawLine(Surface& s, int x1, int y1, int x2, int y2, OleColor color) {
  if (!HasPixels(s)) return;
  const uint32_t pixel = PixelFromOle(color);
  const long long dx = static_cast<long long>(x2) - x1;
  const long long dy = static_cast<long long>(y2) - y1;
  const bool alongX = std::llabs(dx) >= std::llabs(dy);
  const long long major = alongX ? std::llabs(dx) : std::llabs(dy);
  const long long minor = alongX ? std::llabs(dy) : std::llabs(dx);
  const int majorStep = (alongX ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (alongX ? dy : dx) < 0 ? -1 : 1;
  const long long majorStart = alongX ? x1 : y1;
  const long long minorStart = alongX ? y1 : x1;
  const auto [first, last] = StepsOnSurface(majorStart, majorStep, major, alongX ? s.W : s.H);
  // The offset across is (2 * i * minor + major) / (2 * major), rounded down; it is found
  // once for the first step (wide enough for ends anywhere in the int range), then carried.
  const long long twiceMajor = 2 * std::max(major, 1LL);
  const __int128 start = static_cast<__int128>(2) * first * minor + major;
  long long offset = static_cast<long long>(start / twiceMajor);
  long long remainder = static_cast<long long>(start % twiceMajor);
  for (long long i = first; i <= last; ++i) {
    const long long along = majorStart + majorStep * i;
    const long long across = minorStart + minorStep * offset;
    const long long x = alongX ? along : across, y = alongX ? across : along;
    if (x >= 0 && y >= 0 && x < s.W && y < s.H)
      s.At(static_cast<int>(x), static_cast<int>(y)) = pixel;
    remainder += 2 * minor;
    if (remainder >= twiceMajor) {
      remainder -= twiceMajor;
      ++offset;
    }
  }
}

void DrawCircle(Surface& s, int cx, int cy, int radius, OleColor color) {
  if (radius < 0 || !HasPixels(s)) return;
  const long long r = radius;
  if (cx + r < 0 || cy + r < 0 || cx - r >= s.W || cy - r >= s.H) return;
  const uint32_t pixel = PixelFromOle(color);
  auto plot = [&](long long x, long long y) {
    if (x >= 0 && y >= 0 && x < s.W && y < s.H)
      s.At(static_cast<int>(x), static_cast<int>(y)) = pixel;
  };
  // One octant by the midpoint rule, mirrored into the other seven.
  long long x = r, y = 0;
  long long decision = 1 - r;
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
