#pragma once
// A sprite painted with coverage, before it is split into the picture and mask the game
// draws with AND and OR. Edges are hard in the game, so coverage only decides which
// pixels belong to the sprite; painting with coverage keeps the colours of edge pixels right.

#include <functional>
#include <vector>

#include "canvas.h"

namespace assets {

class Layer {
 public:
  Layer(int w, int h) : w_(w), h_(h), c_(static_cast<size_t>(w) * h), a_(c_.size(), 0.0) {}
  int W() const { return w_; }
  int H() const { return h_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  Rgb Colour(int x, int y) const { return c_[Index(x, y)]; }
  double Alpha(int x, int y) const { return a_[Index(x, y)]; }
  // Lays colour c over the pixel with coverage a (0..1).
  void Paint(int x, int y, Rgb c, double a);
  // Recolours pixels already in the sprite, leaving its outline alone.
  void Tint(int x, int y, Rgb c, double a);
  void Clear(int x, int y) {
    if (Inside(x, y)) a_[Index(x, y)] = 0;
  }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * w_ + x; }
  int w_, h_;
  std::vector<Rgb> c_;
  std::vector<double> a_;
};

// Shade of a point given in the shape's own frame: u, v run from -1 to 1 across it.
using Shader = std::function<Rgb(double u, double v)>;

// Fills an ellipse with supersampled coverage; the shader colours each pixel.
void FillEllipse(Layer& l, double cx, double cy, double rx, double ry, const Shader& shade);
// Fills a convex quadrilateral (corners in order) with supersampled coverage.
void FillQuad(Layer& l, const double (&xs)[4], const double (&ys)[4], const Shader& shade);

// Pixels at or above half coverage belong to the sprite.
inline bool Covered(const Layer& l, int x, int y) {
  return l.Alpha(x, y) >= 0.5;
}

// Writes the sprite's picture (black outside it) and its mask (black inside, white outside).
void PutSprite(Image& sheet, const Layer& l, int pictureX, int pictureY, int maskX, int maskY);
// Writes a mask drawn alone with AND: black where the layer is covered, white elsewhere.
void PutMask(Image& sheet, const Layer& l, int x, int y);

}  // namespace assets
