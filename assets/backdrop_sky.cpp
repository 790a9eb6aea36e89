#include "backdrop_sky.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {

Colour SkyAt(const SeasonPalette& pal, int x, int y, float horizonY) {
  const float t = std::clamp(y / horizonY, 0.0f, 1.0f);
  Colour c = Lerp(pal.SkyTop, pal.SkyHorizon, std::pow(t, 1.7f));
  const float sun = std::exp(-std::hypot(x - pal.SunX, y - pal.SunY) / pal.SunGlow);
  return Lerp(c, pal.Sun, 0.75f * sun);
}

// Clouds lie on a plane above the land: seen near the horizon they are far, small and flat.
struct CloudPoint {
  float U, V;
};

CloudPoint OnCloudPlane(int x, int y, float horizonY) {
  const float depth = horizonY + 40 - y;
  return {(x - 800.0f) / depth * (490.0f / 300.0f), 2401.0f / depth};
}

}  // namespace

void PaintSky(Painting& p, const SeasonPalette& pal, float horizonY, int bottom, uint32_t seed) {
  const float threshold = 0.7f - 0.28f * pal.CloudCover;
  for (int y = 0; y < std::min(bottom, p.H()); ++y) {
    const float fade = SmoothStep(0, 90, horizonY - y);
    for (int x = 0; x < p.W(); ++x) {
      Colour c = SkyAt(pal, x, y, horizonY);
      const CloudPoint q = OnCloudPlane(x, y, horizonY);
      const float n = static_cast<float>(FractalNoise(q.U, q.V, 5, seed));
      if (n > threshold && fade > 0) {
        const float above = static_cast<float>(FractalNoise(q.U, q.V - 0.12, 4, seed));
        const float lit = std::clamp(0.55f + (n - above) * 6, 0.0f, 1.0f);
        const float thick = SmoothStep(threshold, threshold + 0.25f, n);
        Colour cloud = Lerp(pal.CloudShadow, pal.CloudLight, lit * (1 - 0.35f * thick) + 0.1f);
        const float sun = std::exp(-std::hypot(x - pal.SunX, y - pal.SunY) / pal.SunGlow);
        cloud = Lerp(cloud, pal.Sun, 0.5f * sun);
        c = Lerp(c, cloud, SmoothStep(threshold, threshold + 0.12f, n) * fade * 0.95f);
      }
      p.At(x, y) = Lerp(c, pal.Haze, 0.55f * SmoothStep(horizonY - 140, horizonY + 10, y));
    }
  }
  if (pal.SunY > 0) {
    for (int r = 30; r > 0; --r) p.Dab(pal.SunX, pal.SunY, static_cast<float>(r), pal.Sun, 0.08f);
    p.Dab(pal.SunX, pal.SunY, 17, pal.Sun, 1);
  }
}

}  // namespace assets
