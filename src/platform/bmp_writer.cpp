#include "platform/bmp_writer.h"

#include <cstdint>

namespace qm {

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;

void Put16(std::string& out, uint32_t value) {
  out.push_back(static_cast<char>(value));
  out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::string EncodeBmp24(const Surface& picture) {
  uint32_t rowBytes = (static_cast<uint32_t>(picture.W) * 3 + 3) & ~3u;
  uint32_t imageBytes = rowBytes * static_cast<uint32_t>(picture.H);
  std::string out;
  out.reserve(FileHeaderSize + InfoHeaderSize + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, FileHeaderSize + InfoHeaderSize + imageBytes);
  Put32(out, 0);
  Put32(out, FileHeaderSize + InfoHeaderSize);
  Put32(out, InfoHeaderSize);
  Put32(out, static_cast<uint32_t>(picture.W));
  Put32(out, static_cast<uint32_t>(picture.H));
  Put16(out, 1);   // planes
  Put16(out, 24);  // bits per pixel
  Put32(out, 0);   // no compression
  Put32(out, imageBytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = picture.H - 1; y >= 0; --y) {
    size_t rowStart = out.size();
    for (int x = 0; x < picture.W; ++x) {
      uint32_t rgb = picture.At(x, y);
      out.push_back(static_cast<char>(rgb));
      out.push_back(static_cast<char>(rgb >> 8));
      out.push_back(static_cast<char>(rgb >> 16));
    }
    out.resize(rowStart + rowBytes, 0);
  }
  return out;
}

}  // namespace qm
