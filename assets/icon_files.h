#pragma once
// Pictures with transparency, for the desktop's icons and the window's icon: PNG for the icon
// theme, 32-bit BMP for the window (SDL reads BMP without a further library).

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

struct Rgba {
  uint8_t R = 0, G = 0, B = 0, A = 0;  // straight (not premultiplied) alpha
};

struct RgbaImage {
  int W = 0, H = 0;
  std::vector<Rgba> Px;
  RgbaImage(int w, int h) : W(w), H(h), Px(static_cast<size_t>(w) * h) {}
  Rgba& At(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }
  const Rgba& At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x]; }
};

// Both throw std::runtime_error when the file cannot be written.
void SavePng(const RgbaImage& img, const std::string& path);
void SaveBmp32(const RgbaImage& img, const std::string& path);

// The zlib stream of `data` (deflate with the fixed codes and a greedy matcher): small
// enough for icons, and no compression library to carry.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data);

}  // namespace assets
