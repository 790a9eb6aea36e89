#include "backdrop_water.h"

#include <algorithm>
#include <cmath>

namespace assets {

void PaintLake(Painting& p, float farY, const Profile& nearShore, const SeasonPalette& pal,
               uint32_t seed) {
  const int top = static_cast<int>(farY);
  for (int x = 0; x < p.W(); ++x) {
    for (int y = top; y < std::min(p.H(), static_cast<int>(nearShore[x]) + 1); ++y) {
      const float depth = (y - farY) / std::max(nearShore[x] - farY, 1.0f);
      const float ripple = static_cast<float>(FractalNoise(x / 60.0, y / 2.5, 3, seed)) - 0.5f;
      const int sx = std::clamp(static_cast<int>(x + ripple * 6 * (0.3f + depth)), 0, p.W() - 1);
      const int sy = std::clamp(static_cast<int>(2 * farY - y + ripple * 2), 0, top - 1);
      Colour c = Lerp(p.Get(sx, sy), pal.WaterDeep, 0.3f + 0.35f * depth);
      const float glint = static_cast<float>(ValueNoise(x / 35.0, y * 0.9, seed + 3));
      const float sun = std::exp(-std::abs(x - pal.SunX) / 160.0f);
      c = Lerp(c, pal.WaterLight, SmoothStep(0.72f - 0.25f * sun, 0.95f, glint) * 0.7f);
      const float edge = std::clamp(nearShore[x] - y + 1, 0.0f, 1.0f);
      p.Blend(x, y, c, edge);
    }
    p.Blend(x, top, Scale(p.Get(x, top), 0.8f), 0.7f);  // the dark line of the far waterline
  }
}

void PaintStream(Painting& p, int y0, int y1, const std::function<float(int)>& middle,
                 const std::function<float(int)>& halfWidth, const SeasonPalette& pal,
                 uint32_t seed) {
  const Colour sky = Lerp(Lerp(pal.SkyTop, pal.SkyHorizon, 0.4f), pal.WaterDeep, 0.4f);
  for (int y = y0; y < y1; ++y) {
    const float mid = middle(y), half = halfWidth(y);
    for (int x = static_cast<int>(mid - half - 2); x <= static_cast<int>(mid + half + 2); ++x) {
      const float across = std::abs(x - mid) / half;
      const float glint = static_cast<float>(ValueNoise(x / 12.0, y * 0.8, seed));
      Colour c = Lerp(sky, pal.WaterLight, SmoothStep(0.65f, 0.95f, glint) * 0.7f);
      c = Lerp(c, Scale(pal.WaterDeep, 0.7f), 0.5f * across * across);
      if (across > 0.85f) c = Lerp(c, pal.Soil, 0.5f);  // muddy banks
      p.Blend(x, y, c, std::clamp((1.1f - across) * half, 0.0f, 1.0f));
    }
  }
}

void PaintShore(Painting& p, const Profile& shore, float width, const SeasonPalette& pal,
                uint32_t seed) {
  for (int x = 0; x < p.W(); ++x) {
    for (int y = static_cast<int>(shore[x]) - 1; y < static_cast<int>(shore[x] + width); ++y) {
      const float t = (y - shore[x]) / width;
      const float grit = static_cast<float>(ValueNoise(x * 0.6, y * 0.6, seed));
      const Colour c = Lerp(Scale(pal.Soil, 0.8f), pal.Track, 0.3f + 0.6f * grit);
      p.Blend(x, y, c, SmoothStep(1.0f, 0.4f, t + (grit - 0.5f) * 0.5f));
    }
  }
}

void PaintReeds(Painting& p, const Profile& shore, float x0, float x1, float height,
                const SeasonPalette& pal, uint32_t seed) {
  Noise rng(seed);
  for (float x = x0; x < x1; x += Jitter(rng, 1.0f, 4.0f)) {
    if (FractalNoise(x / 80.0, 0.5, 2, seed) < 0.45) continue;
    const int col = std::clamp(static_cast<int>(x), 0, p.W() - 1);
    const float h = height * Jitter(rng, 0.5f, 1.0f), lean = Jitter(rng, -0.25f, 0.25f) * h;
    const Colour c = Scale(pal.Reed, Jitter(rng, 0.7f, 1.15f));
    p.Stroke(x, shore[col] + 2, x + lean, shore[col] - h, 1.2f, c);
    if (rng.Uniform() < 0.2)
      p.Stroke(x + lean, shore[col] - h, x + lean * 1.05f, shore[col] - h - 5, 2.2f, pal.Soil);
  }
}

}  // namespace assets
