#include "icon_files.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace assets {
namespace {

void WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

void PutLe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void PutBe(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Deflate's bit order: values least significant bit first, Huffman codes most significant
// bit first.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
  void Bits(uint32_t value, int count) {
    acc_ |= static_cast<uint64_t>(value) << used_;
    used_ += count;
    while (used_ >= 8) {
      out_.push_back(static_cast<uint8_t>(acc_));
      acc_ >>= 8;
      used_ -= 8;
    }
  }
  void Code(uint32_t code, int length) {
    uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Bits(reversed, length);
  }
  void Flush() {
    if (used_ > 0) out_.push_back(static_cast<uint8_t>(acc_));
    acc_ = 0;
    used_ = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  uint64_t acc_ = 0;
  int used_ = 0;
};

void Symbol(BitWriter& w, int v) {
  if (v < 144)
    w.Code(0x30 + v, 8);
  else if (v < 256)
    w.Code(0x190 + v - 144, 9);
  else if (v < 280)
    w.Code(v - 256, 7);
  else
    w.Code(0xC0 + v - 280, 8);
}

constexpr std::array<int, 29> LengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                            15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                            67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> LengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                             2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> DistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> DistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, int length, int distance) {
  int l = static_cast<int>(LengthBase.size()) - 1;
  while (LengthBase[l] > length) --l;
  Symbol(w, 257 + l);
  w.Bits(length - LengthBase[l], LengthExtra[l]);
  int d = static_cast<int>(DistanceBase.size()) - 1;
  while (DistanceBase[d] > distance) --d;
  w.Code(d, 5);
  w.Bits(distance - DistanceBase[d], DistanceExtra[d]);
}

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  PutBe(png, static_cast<uint32_t>(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  PutBe(png, Crc32(png.data() + start, png.size() - start));
}

// The filter that leaves the smallest bytes tends to compress best.
int FilterCost(const std::vector<uint8_t>& row) {
  int cost = 0;
  for (size_t i = 1; i < row.size(); ++i) cost += std::abs(static_cast<int8_t>(row[i]));
  return cost;
}

}  // namespace

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out = {0x78, 0x01};
  BitWriter w(out);
  w.Bits(1, 1);  // the final block
  w.Bits(1, 2);  // fixed codes
  constexpr int HashBits = 15, Window = 32768, MaxLength = 258;
  std::vector<int> head(1u << HashBits, -1);
  const int n = static_cast<int>(data.size());
  auto hash = [&](int i) {
    return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & ((1 << HashBits) - 1);
  };
  for (int i = 0; i < n;) {
    int length = 0, distance = 0;
    if (i + 3 <= n) {
      const int h = hash(i);
      const int candidate = head[h];
      head[h] = i;
      if (candidate >= 0 && i - candidate <= Window) {
        while (length < MaxLength && i + length < n && data[candidate + length] == data[i + length])
          ++length;
        distance = i - candidate;
      }
    }
    if (length >= 3) {
      Match(w, length, distance);
      for (int k = 1; k < length && i + k + 3 <= n; ++k) head[hash(i + k)] = i + k;
      i += length;
    } else {
      Symbol(w, data[i]);
      ++i;
    }
  }
  Symbol(w, 256);
  w.Flush();
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBe(out, (b << 16) | a);
  return out;
}

void SavePng(const RgbaImage& img, const std::string& path) {
  std::vector<uint8_t> raw;
  const size_t rowBytes = static_cast<size_t>(img.W) * 4;
  std::vector<uint8_t> previous(rowBytes, 0), current(rowBytes);
  for (int y = 0; y < img.H; ++y) {
    for (int x = 0; x < img.W; ++x) {
      const Rgba& p = img.At(x, y);
      std::copy_n(&p.R, 4, current.begin() + static_cast<long>(x) * 4);
    }
    std::vector<uint8_t> none = {0}, sub = {1}, up = {2};
    for (size_t i = 0; i < rowBytes; ++i) {
      none.push_back(current[i]);
      sub.push_back(static_cast<uint8_t>(current[i] - (i >= 4 ? current[i - 4] : 0)));
      up.push_back(static_cast<uint8_t>(current[i] - previous[i]));
    }
    const std::vector<uint8_t>* best = &none;
    for (const auto* row : {&sub, &up})
      if (FilterCost(*row) < FilterCost(*best)) best = row;
    raw.insert(raw.end(), best->begin(), best->end());
    previous = current;
  }
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBe(header, static_cast<uint32_t>(img.W));
  PutBe(header, static_cast<uint32_t>(img.H));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", ZlibCompress(raw));
  Chunk(png, "IEND", {});
  WriteWhole(path, png);
}

void SaveBmp32(const RgbaImage& img, const std::string& path) {
  constexpr uint32_t FileHeader = 14, InfoHeader = 108;  // a version 4 header carries alpha
  const uint32_t dataSize = static_cast<uint32_t>(img.W) * img.H * 4;
  std::vector<uint8_t> b = {'B', 'M'};
  PutLe(b, FileHeader + InfoHeader + dataSize, 4);
  PutLe(b, 0, 4);
  PutLe(b, FileHeader + InfoHeader, 4);
  PutLe(b, InfoHeader, 4);
  PutLe(b, img.W, 4);
  PutLe(b, img.H, 4);  // bottom-up rows
  PutLe(b, 1, 2);
  PutLe(b, 32, 2);
  PutLe(b, 3, 4);  // bit fields
  PutLe(b, dataSize, 4);
  PutLe(b, 2835, 4);
  PutLe(b, 2835, 4);
  PutLe(b, 0, 4);
  PutLe(b, 0, 4);
  for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) PutLe(b, mask, 4);
  PutLe(b, 0x73524742, 4);        // sRGB
  b.insert(b.end(), 36 + 12, 0);  // end points and gammas, unused for sRGB
  for (int y = img.H - 1; y >= 0; --y)
    for (int x = 0; x < img.W; ++x) {
      const Rgba& p = img.At(x, y);
      b.insert(b.end(), {p.B, p.G, p.R, p.A});
    }
  WriteWhole(path, b);
}

}  // namespace assets
