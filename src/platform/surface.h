#pragma once
// 32-bit pictures and the three block transfers the game draws everything with.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

struct Point {
  int X = 0, Y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int W = 0, H = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int X = 0, Y = 0, W = 0, H = 0;
  bool Contains(int px, int py) const { return px >= X && py >= Y && px < X + W && py < Y + H; }
  bool operator==(const Rect&) const = default;
};

// Colours are given the old way, &HBBGGRR: &HFF is red, &HFF0000 is blue.
using OleColor = uint32_t;

// Pixels are stored 0x00RRGGBB.
constexpr uint32_t PixelFromOle(OleColor bgr) {
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}
constexpr OleColor OleFromPixel(uint32_t rgb) { return PixelFromOle(rgb); }
constexpr OleColor Rgb(int r, int g, int b) {
  return static_cast<OleColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct Surface {
  int W = 0, H = 0;
  std::vector<uint32_t> Px;  // row-major, 0x00RRGGBB

  Surface() = default;
  Surface(int w, int h, uint32_t fill = 0) : W(w), H(h), Px(static_cast<size_t>(w) * h, fill) {}
  bool Empty() const { return W <= 0 || H <= 0; }
  uint32_t At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x]; }
  uint32_t& At(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }
  void Fill(uint32_t rgb);
};

// The old BitBlt raster operations: SRCCOPY, SRCAND (mask), SRCPAINT (paint).
enum class RasterOp : uint32_t { Copy = 0xCC0020, And = 0x8800C6, Paint = 0xEE0086 };

// Copies a w x h block from (sx, sy) of src to (dx, dy) of dst, clipped to both surfaces.
// src and dst may be the same surface only if the blocks do not overlap.
void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op);

// Drawing in a colour given as &HBBGGRR, clipped to the surface.
void DrawPoint(Surface& s, int x, int y, OleColor color);
// Both end points included.
void DrawLine(Surface& s, int x1, int y1, int x2, int y2, OleColor color);
// A one-pixel circle outline.
void DrawCircle(Surface& s, int cx, int cy, int radius, OleColor color);
void FillRect(Surface& s, const Rect& r, uint32_t rgb);

enum class FontFace { Sans, SansBold, Mono };

struct TextStyle {
  FontFace Face = FontFace::Sans;
  int PixelSize = 13;
  uint32_t Rgb = 0x000000;  // 0x00RRGGBB
};

}  // namespace qm
