#pragma once
// The backdrop painter's canvas: colours kept as reals while the layers are laid on, so that
// haze, glazes and shading blend smoothly, and written out once as a picture at the end.

#include <cstdint>
#include <vector>

#include "canvas.h"

namespace assets {

struct Colour {
  float R = 0, G = 0, B = 0;
};

Colour Lerp(Colour a, Colour b, float t);
Colour Scale(Colour c, float k);
float SmoothStep(float edge0, float edge1, float x);
// A random real in [lo, hi), for placing strokes.
inline float Jitter(Noise& rng, float lo, float hi) {
  return static_cast<float>(rng.Range(lo, hi));
}

// A line across the picture: one y for every column, e.g. the top of a hill or a hedge.
using Profile = std::vector<float>;

// A wandering profile: base + amplitude * (fractal noise - 0.5) * 2 along x.
Profile WavyProfile(int width, float base, float amplitude, float scale, uint32_t seed);

class Painting {
 public:
  Painting(int w, int h);
  int W() const { return w_; }
  int H() const { return h_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  Colour& At(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
  Colour Get(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  void Set(int x, int y, Colour c) {
    if (Inside(x, y)) At(x, y) = c;
  }
  void Blend(int x, int y, Colour c, float alpha);
  // A soft-edged stroke of width `width` from (x0, y0) to (x1, y1), for trunks and twigs.
  void Stroke(float x0, float y0, float x1, float y1, float width, Colour c);
  // A soft round dab, for leaves, flowers and flecks.
  void Dab(float cx, float cy, float radius, Colour c, float alpha);
  Image ToImage() const;

 private:
  int w_, h_;
  std::vector<Colour> px_;
};

}  // namespace assets
