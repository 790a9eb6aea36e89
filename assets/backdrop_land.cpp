#include "backdrop_land.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {

constexpr float NearDistance = 15;  // metres from the cage to the foot of the picture
constexpr float Focal = 700;        // pixels per metre of width at one metre

// A fixed random number per field of the farm, so every field keeps one crop.
float Hash01(int a, int b, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(a) * 374761393u + static_cast<uint32_t>(b) * 668265263u +
               seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xFFFFFF) / 16777216.0f;
}

}  // namespace

GroundMap FlatGround(float horizonY) {
  return [horizonY](int x, int y) {
    const float z = (800 - horizonY) / std::max(y - horizonY, 0.5f);
    const float metres = NearDistance * z;
    return GroundPoint{z, (x - 800) * metres / Focal, metres};
  };
}

GroundMap Slope(const Profile& top, float farZ, float nearZ, float nearY) {
  return [top, farZ, nearZ, nearY](int x, int y) {
    const float t = std::clamp((y - top[x]) / std::max(nearY - top[x], 1.0f), 0.0f, 1.0f);
    const float z = farZ + (nearZ - farZ) * std::sqrt(t);
    const float metres = NearDistance * z;
    // A slope faces the shooter, so it is far less foreshortened than level ground; its
    // field boundaries across it run straight up and down.
    return GroundPoint{z, (x - 800) * NearDistance * farZ / Focal,
                       (y - top[x]) * metres / Focal * 10};
  };
}

Profile ContourAt(const GroundMap& ground, const Profile& top, float metres, int height) {
  Profile line(top.size(), static_cast<float>(height));
  for (size_t x = 0; x < top.size(); ++x) {
    for (int y = std::max(0, static_cast<int>(top[x])); y < height; ++y) {
      if (ground(static_cast<int>(x), y).V >= metres) {
        line[x] = static_cast<float>(y);
        break;
      }
    }
  }
  return line;
}

float HazeAt(float z) {
  return 1 - std::exp(-z / 28.0f);
}

void PaintRidge(Painting& p, const Profile& top, Colour colour, float haze,
                const SeasonPalette& pal, uint32_t seed) {
  for (int x = 0; x < p.W(); ++x) {
    for (int y = std::max(0, static_cast<int>(top[x])); y < p.H(); ++y) {
      const float wood = static_cast<float>(FractalNoise(x / 24.0, y / 9.0, 3, seed));
      Colour c = Scale(colour, 0.9f + 0.2f * wood);
      const float mist = SmoothStep(0, 140, y - top[x]) * 0.35f;
      c = Lerp(c, pal.Haze, std::min(1.0f, haze + mist));
      p.Blend(x, y, c, std::clamp(y - top[x] + 1, 0.0f, 1.0f));
    }
  }
}

namespace {

// Fields of the farm: each patch of land gets its own crop or pasture tint.
Colour FieldTint(const SeasonPalette& pal, const GroundPoint& g, float patchwork, uint32_t seed) {
  const int row = static_cast<int>(std::floor(g.V / FieldLength));
  const float shift = Hash01(row, 7, seed) * 90;
  const float wobble = 14 * (static_cast<float>(ValueNoise(g.V / 12, g.U / 40, seed + 2)) - 0.5f);
  const int column = static_cast<int>(std::floor((g.U + shift + wobble) / 90));
  const float pick = Hash01(column, row, seed + 1);
  Colour c = Lerp(pal.GrassDark, pal.GrassLight, 0.55f);
  if (pick < 0.25f)
    c = Lerp(c, pal.GrassDry, 0.6f * patchwork);
  else if (pick < 0.4f)
    c = Lerp(c, pal.Soil, 0.35f * patchwork);
  else if (pick > 0.8f)
    c = Lerp(c, pal.GrassDark, 0.4f * patchwork);
  return c;
}

Colour GrassAt(const SeasonPalette& pal, int x, int y, const GroundPoint& g,
               const MeadowStyle& style, uint32_t seed) {
  Colour c = FieldTint(pal, g, style.Patchwork, seed);
  const float detail = std::clamp(1.6f - g.Z / 6, 0.0f, 1.0f);
  const float patches = static_cast<float>(FractalNoise(g.U / 3, g.V / 3, 3, seed + 3));
  c = Lerp(c, patches > 0.5f ? pal.GrassLight : pal.GrassDark, std::abs(patches - 0.5f) * 1.2f);
  const float dry = static_cast<float>(ValueNoise(g.U / 9, g.V / 9, seed + 5));
  c = Lerp(c, pal.GrassDry, SmoothStep(1 - style.Dryness, 1.1f - style.Dryness, dry) * 0.5f);
  if (style.MownStripes > 0 && g.V < 90) {
    const bool light = static_cast<int>(std::floor(g.U / 2.2f)) % 2 == 0;
    c = Scale(c, 1 + (light ? 1 : -1) * 0.06f * style.MownStripes * (1 - g.V / 90));
  }
  // Blades: fine upright streaks that fade out with distance.
  const float blade = static_cast<float>(ValueNoise(x * 0.9, y * 0.22, seed + 9));
  c = Scale(c, 1 + (blade - 0.5f) * 0.35f * detail);
  return Lerp(c, pal.Haze, HazeAt(g.Z) * 0.72f);
}

}  // namespace

void PaintMeadow(Painting& p, const Profile& top, const GroundMap& ground, const SeasonPalette& pal,
                 const MeadowStyle& style, uint32_t seed) {
  for (int x = 0; x < p.W(); ++x) {
    for (int y = std::max(0, static_cast<int>(top[x])); y < p.H(); ++y) {
      const Colour c = GrassAt(pal, x, y, ground(x, y), style, seed);
      p.Blend(x, y, c, std::clamp(y - top[x] + 1, 0.0f, 1.0f));
    }
  }
}

void PaintSlopeLight(Painting& p, const Profile& top, const SeasonPalette& pal, float depth) {
  for (int x = 1; x + 1 < p.W(); ++x) {
    const float rise = (top[x - 1] - top[x + 1]) / 2;  // > 0 where the slope climbs to the right
    const float towardSun = std::clamp(-pal.LightX * rise * 1.5f, -1.0f, 1.0f);
    for (int y = std::max(0, static_cast<int>(top[x])); y < p.H(); ++y) {
      const float k = 1 + 0.16f * towardSun * (1 - SmoothStep(0, depth, y - top[x]));
      p.At(x, y) = Scale(p.At(x, y), k);
    }
  }
}

void PaintFlecks(Painting& p, const Profile& top, const GroundMap& ground, const SeasonPalette& pal,
                 int count, uint32_t seed) {
  Noise rng(seed);
  for (int i = 0; i < count; ++i) {
    const int x = static_cast<int>(rng.Next() % p.W());
    const int y = static_cast<int>(top[x] + rng.Uniform() * (p.H() - top[x]));
    const Colour c = pal.Flecks[rng.Next() % 3];
    if (y < top[x] || y >= p.H()) continue;
    const float z = ground(x, y).Z;
    if (z > 5 || rng.Uniform() * 5 < z) continue;
    p.Dab(static_cast<float>(x), static_cast<float>(y), 2.2f / z, Lerp(c, pal.Haze, HazeAt(z)),
          0.85f);
  }
}

void PaintTrack(Painting& p, float y, float x0, float x1, float width, const SeasonPalette& pal,
                uint32_t seed) {
  const int top = static_cast<int>(y - width), bottom = static_cast<int>(y + width);
  for (int x = std::max(0, static_cast<int>(x0)); x < std::min(p.W(), static_cast<int>(x1)); ++x) {
    const float wobble = 1.5f * (static_cast<float>(ValueNoise(x / 40.0, 1.5, seed)) - 0.5f);
    for (int yy = top; yy <= bottom; ++yy) {
      const float across = std::abs(yy - y - wobble) / (width / 2);
      const float wear = static_cast<float>(FractalNoise(x / 6.0, yy / 2.0, 3, seed + 1));
      const float cover = SmoothStep(1.15f, 0.7f, across + (wear - 0.5f) * 0.6f);
      Colour c = Lerp(pal.Soil, pal.Track, 0.3f + 0.7f * wear);
      if (std::abs(across - 0.5f) < 0.2f) c = Scale(c, 0.88f);  // wheel ruts
      p.Blend(x, yy, c, cover);
    }
  }
}

void PaintGroundShadow(Painting& p, float cx, float cy, float rx, float ry, float strength) {
  for (int y = static_cast<int>(cy - ry); y <= static_cast<int>(cy + ry); ++y) {
    for (int x = static_cast<int>(cx - rx); x <= static_cast<int>(cx + rx); ++x) {
      if (!p.Inside(x, y)) continue;
      const float d = std::hypot((x - cx) / rx, (y - cy) / ry);
      if (d < 1) p.At(x, y) = Scale(p.At(x, y), 1 - strength * SmoothStep(1, 0.3f, d));
    }
  }
}

}  // namespace assets
