#include "art_layer.h"

#include <algorithm>
#include <cmath>

namespace assets {

void Layer::Paint(int x, int y, Rgb c, double a) {
  if (!Inside(x, y) || a <= 0) return;
  a = std::min(a, 1.0);
  const size_t i = Index(x, y);
  const double before = a_[i];
  const double after = before + a * (1 - before);
  c_[i] = Mix(c_[i], c, a / after);
  a_[i] = after;
}

void Layer::Tint(int x, int y, Rgb c, double a) {
  if (!Inside(x, y) || a_[Index(x, y)] <= 0) return;
  c_[Index(x, y)] = Mix(c_[Index(x, y)], c, std::clamp(a, 0.0, 1.0));
}

namespace {

constexpr int Samples = 4;

// Coverage of pixel (x, y) by a shape given as an inside test, and the shape-frame
// position of the pixel's centre for the shader.
template <typename InsideTest>
double Coverage(int x, int y, const InsideTest& inside) {
  int hits = 0;
  for (int j = 0; j < Samples; ++j)
    for (int i = 0; i < Samples; ++i)
      if (inside(x + (i + 0.5) / Samples, y + (j + 0.5) / Samples)) ++hits;
  return static_cast<double>(hits) / (Samples * Samples);
}

}  // namespace

void FillEllipse(Layer& l, double cx, double cy, double rx, double ry, const Shader& shade) {
  auto inside = [&](double px, double py) {
    const double u = (px - cx) / rx, v = (py - cy) / ry;
    return u * u + v * v <= 1.0;
  };
  for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(cy + ry); ++y)
    for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(cx + rx); ++x) {
      const double a = Coverage(x, y, inside);
      if (a <= 0) continue;
      const double u = std::clamp((x + 0.5 - cx) / rx, -1.0, 1.0);
      const double v = std::clamp((y + 0.5 - cy) / ry, -1.0, 1.0);
      l.Paint(x, y, shade(u, v), a);
    }
}

void FillQuad(Layer& l, const double (&xs)[4], const double (&ys)[4], const Shader& shade) {
  double area = 0;
  for (int k = 0; k < 4; ++k) area += xs[k] * ys[(k + 1) % 4] - xs[(k + 1) % 4] * ys[k];
  const double orient = area >= 0 ? 1 : -1;
  auto inside = [&](double px, double py) {
    for (int k = 0; k < 4; ++k) {
      const int n = (k + 1) % 4;
      const double cross = (xs[n] - xs[k]) * (py - ys[k]) - (ys[n] - ys[k]) * (px - xs[k]);
      if (cross * orient < 0) return false;
    }
    return true;
  };
  const double x0 = *std::min_element(xs, xs + 4), x1 = *std::max_element(xs, xs + 4);
  const double y0 = *std::min_element(ys, ys + 4), y1 = *std::max_element(ys, ys + 4);
  for (int y = static_cast<int>(std::floor(y0)); y <= static_cast<int>(y1); ++y)
    for (int x = static_cast<int>(std::floor(x0)); x <= static_cast<int>(x1); ++x) {
      const double a = Coverage(x, y, inside);
      if (a <= 0) continue;
      // u across the quad's left-right extent, v along its top-bottom extent.
      const double u = x1 > x0 ? 2 * (x + 0.5 - x0) / (x1 - x0) - 1 : 0;
      const double v = y1 > y0 ? 2 * (y + 0.5 - y0) / (y1 - y0) - 1 : 0;
      l.Paint(x, y, shade(std::clamp(u, -1.0, 1.0), std::clamp(v, -1.0, 1.0)), a);
    }
}

void PutSprite(Image& sheet, const Layer& l, int pictureX, int pictureY, int maskX, int maskY) {
  for (int y = 0; y < l.H(); ++y)
    for (int x = 0; x < l.W(); ++x) {
      const bool in = Covered(l, x, y);
      sheet.Set(pictureX + x, pictureY + y, in ? l.Colour(x, y) : Rgb{0, 0, 0});
      sheet.Set(maskX + x, maskY + y, in ? Rgb{0, 0, 0} : Rgb{255, 255, 255});
    }
}

void PutMask(Image& sheet, const Layer& l, int x, int y) {
  for (int j = 0; j < l.H(); ++j)
    for (int i = 0; i < l.W(); ++i)
      sheet.Set(x + i, y + j, Covered(l, i, j) ? Rgb{0, 0, 0} : Rgb{255, 255, 255});
}

}  // namespace assets
