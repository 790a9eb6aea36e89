#include "canvas.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <utility>

namespace assets {

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto lerp = [t](uint8_t x, uint8_t y) {
    return static_cast<uint8_t>(std::lround(x + (y - x) * t));
  };
  return {lerp(a.R, b.R), lerp(a.G, b.G), lerp(a.B, b.B)};
}

Image::Image(int w, int h, Rgb fill) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill) {}

void Image::Blend(int x, int y, Rgb c, double alpha) {
  if (!Inside(x, y) || alpha <= 0) return;
  Set(x, y, Mix(Get(x, y), c, alpha));
}

void Image::FillRect(int x, int y, int w, int h, Rgb c) {
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(w_, x + w), y1 = std::min(h_, y + h);
  for (int yy = y0; yy < y1; ++yy)
    for (int xx = x0; xx < x1; ++xx) px_[static_cast<size_t>(yy) * w_ + xx] = c;
}

void Image::Paste(const Image& src, int sx, int sy, int w, int h, int dx, int dy) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (src.Inside(sx + i, sy + j)) Set(dx + i, dy + j, src.Get(sx + i, sy + j));
}

namespace {

void PutLe(std::vector<uint8_t>& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

}  // namespace

void Image::SaveBmp(const std::string& path) const {
  const uint32_t rowBytes = (static_cast<uint32_t>(w_) * 3 + 3) & ~3u;
  const uint32_t dataSize = rowBytes * h_;
  std::vector<uint8_t> b;
  b.reserve(54 + dataSize);
  b.push_back('B');
  b.push_back('M');
  PutLe(b, 54 + dataSize, 4);
  PutLe(b, 0, 4);
  PutLe(b, 54, 4);
  PutLe(b, 40, 4);
  PutLe(b, w_, 4);
  PutLe(b, h_, 4);  // bottom-up rows
  PutLe(b, 1, 2);
  PutLe(b, 24, 2);
  PutLe(b, 0, 4);
  PutLe(b, dataSize, 4);
  PutLe(b, 2835, 4);
  PutLe(b, 2835, 4);
  PutLe(b, 0, 4);
  PutLe(b, 0, 4);
  for (int y = h_ - 1; y >= 0; --y) {
    for (int x = 0; x < w_; ++x) {
      const Rgb c = Get(x, y);
      b.push_back(c.B);
      b.push_back(c.G);
      b.push_back(c.R);
    }
    for (uint32_t pad = static_cast<uint32_t>(w_) * 3; pad < rowBytes; ++pad) b.push_back(0);
  }
  WriteWhole(path, b);
}

namespace {

const char* FontFile(Font font) {
  switch (font) {
    case Font::Sans:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case Font::SansBold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case Font::Serif:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case Font::SerifBold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case Font::Mono:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    case Font::MonoBold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    case Font::SansCondensedBold:
      return "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Bold.ttf";
  }
  return "";
}

// Every font and size opened so far, kept open until CloseFonts().
std::map<std::pair<int, int>, TTF_Font*>& FontCache() {
  static std::map<std::pair<int, int>, TTF_Font*> cache;
  return cache;
}

TTF_Font* OpenFont(Font font, int pixelSize) {
  auto& cache = FontCache();
  const auto key = std::make_pair(static_cast<int>(font), pixelSize);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  TTF_Font* f = TTF_OpenFont(FontFile(font), pixelSize);
  if (!f) throw std::runtime_error(std::string("cannot open font ") + FontFile(font));
  cache[key] = f;
  return f;
}

}  // namespace

void CloseFonts() {
  for (auto& [key, font] : FontCache()) TTF_CloseFont(font);
  FontCache().clear();
}

int DrawText(Image& img, int x, int y, const std::string& utf8, Font font, int pixelSize, Rgb c) {
  if (utf8.empty()) return 0;
  TTF_Font* f = OpenFont(font, pixelSize);
  SDL_Surface* s = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
  if (!s) throw std::runtime_error("cannot render text: " + utf8);
  SDL_Surface* conv = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!conv) throw std::runtime_error("cannot convert text surface");
  const auto* pixels = static_cast<const uint8_t*>(conv->pixels);
  for (int j = 0; j < conv->h; ++j) {
    const auto* row = reinterpret_cast<const uint32_t*>(pixels + j * conv->pitch);
    for (int i = 0; i < conv->w; ++i) img.Blend(x + i, y + j, c, (row[i] >> 24) / 255.0);
  }
  const int w = conv->w;
  SDL_FreeSurface(conv);
  return w;
}

int TextWidth(const std::string& utf8, Font font, int pixelSize) {
  int w = 0, h = 0;
  TTF_SizeUTF8(OpenFont(font, pixelSize), utf8.c_str(), &w, &h);
  return w;
}

int TextHeight(Font font, int pixelSize) {
  return TTF_FontHeight(OpenFont(font, pixelSize));
}

uint32_t Noise::Next() {
  // xorshift32: small, fast and the same everywhere.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Noise::Uniform() {
  return (Next() >> 8) / 16777216.0;
}

namespace {

double Hash(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777215.0;
}

double Smooth(double t) {
  return t * t * (3 - 2 * t);
}

}  // namespace

double ValueNoise(double x, double y, uint32_t seed) {
  const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  const double tx = Smooth(x - xi), ty = Smooth(y - yi);
  const double a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed);
  const double c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double FractalNoise(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += ValueNoise(x, y, seed + o * 101) * amp;
    norm += amp;
    amp *= 0.5;
    x *= 2;
    y *= 2;
  }
  return sum / norm;
}

void SaveWav(const std::string& path, const std::vector<double>& samples, int rate) {
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> b;
  b.reserve(44 + dataSize);
  for (char ch : std::string("RIFF")) b.push_back(static_cast<uint8_t>(ch));
  PutLe(b, 36 + dataSize, 4);
  for (char ch : std::string("WAVEfmt ")) b.push_back(static_cast<uint8_t>(ch));
  PutLe(b, 16, 4);
  PutLe(b, 1, 2);  // PCM
  PutLe(b, 1, 2);  // mono
  PutLe(b, rate, 4);
  PutLe(b, rate * 2, 4);
  PutLe(b, 2, 2);
  PutLe(b, 16, 2);
  for (char ch : std::string("data")) b.push_back(static_cast<uint8_t>(ch));
  PutLe(b, dataSize, 4);
  for (double s : samples) {
    const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
    PutLe(b, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF, 2);
  }
  WriteWhole(path, b);
}

std::vector<double> LoadWav(const std::string& path, int* rate) {
  std::ifstream f(path, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (b[at + 3] << 24));
  };
  auto u16 = [&](size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); };
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF")
    throw std::runtime_error("not a wave file: " + path);
  int channels = 1, bits = 16;
  std::vector<double> out;
  for (size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const uint32_t size = u32(at + 4);
    const size_t body = at + 8;
    if (body + size > b.size()) break;
    if (id == "fmt ") {
      channels = u16(body + 2);
      *rate = static_cast<int>(u32(body + 4));
      bits = u16(body + 14);
    } else if (id == "data") {
      if (bits != 16 || channels < 1) throw std::runtime_error("unsupported wave: " + path);
      for (size_t i = body; i + 2 * channels <= body + size; i += 2 * channels) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) sum += static_cast<int16_t>(u16(i + 2 * c)) / 32768.0;
        out.push_back(sum / channels);
      }
    }
    at = body + size + (size & 1);
  }
  return out;
}

}  // namespace assets
