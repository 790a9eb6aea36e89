#include "backdrop_painting.h"

#include <algorithm>
#include <cmath>

namespace assets {

Colour Lerp(Colour a, Colour b, float t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

Colour Scale(Colour c, float k) {
  return {c.R * k, c.G * k, c.B * k};
}

float SmoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

Profile WavyProfile(int width, float base, float amplitude, float scale, uint32_t seed) {
  Profile p(width);
  for (int x = 0; x < width; ++x)
    p[x] =
        base + amplitude * 2 * (static_cast<float>(FractalNoise(x / scale, 0.5, 4, seed)) - 0.5f);
  return p;
}

Painting::Painting(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {}

void Painting::Blend(int x, int y, Colour c, float alpha) {
  if (!Inside(x, y) || alpha <= 0) return;
  Colour& d = At(x, y);
  d = Lerp(d, c, std::min(alpha, 1.0f));
}

void Painting::Stroke(float x0, float y0, float x1, float y1, float width, Colour c) {
  const float half = width / 2;
  const int left = static_cast<int>(std::floor(std::min(x0, x1) - half - 1));
  const int right = static_cast<int>(std::ceil(std::max(x0, x1) + half + 1));
  const int top = static_cast<int>(std::floor(std::min(y0, y1) - half - 1));
  const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + half + 1));
  const float dx = x1 - x0, dy = y1 - y0, len2 = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = std::max(top, 0); y <= std::min(bottom, h_ - 1); ++y) {
    for (int x = std::max(left, 0); x <= std::min(right, w_ - 1); ++x) {
      const float t = std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f);
      const float ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
      const float dist = std::sqrt(ex * ex + ey * ey);
      Blend(x, y, c, std::clamp(half + 0.5f - dist, 0.0f, 1.0f));
    }
  }
}

void Painting::Dab(float cx, float cy, float radius, Colour c, float alpha) {
  const int r = static_cast<int>(std::ceil(radius + 1));
  const int ix = static_cast<int>(cx), iy = static_cast<int>(cy);
  for (int y = iy - r; y <= iy + r; ++y) {
    for (int x = ix - r; x <= ix + r; ++x) {
      const float d = std::hypot(x - cx, y - cy);
      Blend(x, y, c, alpha * std::clamp(radius + 0.5f - d, 0.0f, 1.0f));
    }
  }
}

Image Painting::ToImage() const {
  Image img(w_, h_);
  auto byte = [](float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); };
  for (int y = 0; y < h_; ++y) {
    for (int x = 0; x < w_; ++x) {
      const Colour c = Get(x, y);
      img.Set(x, y, {byte(c.R), byte(c.G), byte(c.B)});
    }
  }
  return img;
}

}  // namespace assets
