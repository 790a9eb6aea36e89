#include "scene_vignette.h"

#include <cmath>

#include "scene_paint.h"

namespace assets {

namespace {

void PaintSkyAndHills(Image& img, int x, int y, int w, int h) {
  const int horizon = h * 2 / 3;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      Rgb c = Mix({96, 140, 196}, {226, 214, 180}, static_cast<double>(j) / horizon);
      const double cloud = FractalNoise(i / 40.0, j / 14.0, 4, 515);
      if (j < horizon) c = Mix(c, {250, 248, 240}, std::max(0.0, cloud - 0.55) * 2.2);
      const double far = horizon - 18 + 12 * FractalNoise(i / 30.0, 0.5, 3, 516);
      const double near = horizon + 6 + 14 * FractalNoise(i / 45.0, 3.5, 3, 517);
      if (j > far) c = Mix({96, 122, 110}, {120, 140, 120}, FractalNoise(i / 8.0, j / 8.0, 2, 518));
      if (j > near) c = Mix({58, 92, 40}, {96, 130, 56}, FractalNoise(i / 6.0, j / 6.0, 3, 519));
      img.Set(x + i, y + j, c);
    }
}

}  // namespace

void PaintFlyingClayVignette(Image& img, int x, int y, int w, int h) {
  PaintDropShadow(img, x - 6, y - 6, w + 12, h + 12, 10);
  PaintSkyAndHills(img, x, y, w, h);
  // The clay's dotted trail rises from the trap house below.
  const double sx = x + w * 0.2, sy = y + h * 0.72, ex = x + w * 0.7, ey = y + h * 0.28;
  for (int k = 0; k < 14; ++k) {
    const double t = k / 14.0;
    const double px = sx + (ex - sx) * t, py = sy + (ey - sy) * t - std::sin(t * 3.1) * 24;
    FillEllipse(img, px, py, 1.2, 1.2, {250, 246, 236}, 0.5 + 0.04 * k);
  }
  FillEllipse(img, ex + 1, ey + 2, 9, 3.6, {40, 26, 18}, 0.8);
  FillEllipse(img, ex, ey, 9, 3.4, {230, 110, 40}, 1.0);
  FillEllipse(img, ex - 1, ey - 1, 5, 1.6, {252, 170, 90}, 1.0);
  img.FillRect(static_cast<int>(sx) - 8, static_cast<int>(sy) - 2, 18, 10, {104, 84, 60});
  img.FillRect(static_cast<int>(sx) - 10, static_cast<int>(sy) - 4, 22, 3, {70, 50, 34});
  PaintBrassFrame(img, x - 6, y - 6, w + 12, h + 12, 6);
}

}  // namespace assets
