#include "backdrop_trees.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "backdrop_land.h"

namespace assets {

void PaintCrown(Painting& p, float cx, float cy, float rx, float ry, const CrownColours& colours,
                const SeasonPalette& pal, float haze, uint32_t seed) {
  const float lx = pal.LightX * 0.55f, ly = -0.6f, lz = 0.58f;
  const double clump = std::max(1.5, rx * 0.22);
  for (int y = static_cast<int>(cy - ry * 1.2f); y <= static_cast<int>(cy + ry * 1.2f); ++y) {
    for (int x = static_cast<int>(cx - rx * 1.2f); x <= static_cast<int>(cx + rx * 1.2f); ++x) {
      if (!p.Inside(x, y)) continue;
      const float nx = (x - cx) / rx, ny = (y - cy) / ry, r2 = nx * nx + ny * ny;
      if (r2 > 1.44f) continue;
      const float leaf = static_cast<float>(ValueNoise(x / clump, y / clump, seed));
      const float edge = 0.7f + 0.5f * leaf - r2;
      if (edge <= 0) continue;
      if (colours.Bare > 0) {
        const float twig = static_cast<float>(ValueNoise(x * 0.7, y * 0.7, seed + 1));
        if (twig < colours.Bare * 0.6f * (0.6f + r2)) continue;
      }
      const float nz = std::sqrt(std::max(0.0f, 1 - std::min(r2, 1.0f)));
      const float light = std::clamp(nx * lx + ny * ly + nz * lz, 0.0f, 1.0f);
      const float shade = std::clamp(0.15f + light * (0.45f + 0.75f * leaf), 0.0f, 1.0f);
      const Colour c = Lerp(Lerp(colours.Dark, colours.Light, shade), pal.Haze, haze);
      p.Blend(x, y, c, std::min(1.0f, edge * 6));
    }
  }
}

namespace {

const CrownColours& PickCrown(const SeasonPalette& pal, Noise& rng) {
  return pal.Crowns[rng.Next() % 4];
}

struct Crown {
  float X, Y, R;
  int Kind;
};

}  // namespace

void PaintTreeLine(Painting& p, const Profile& base, const TreeLineStyle& style,
                   const SeasonPalette& pal, uint32_t seed) {
  Noise rng(seed);
  std::vector<Crown> crowns;
  for (float x = style.X0; x < style.X1; x += style.CrownRadius * Jitter(rng, 0.45f, 0.9f)) {
    const int col = std::clamp(static_cast<int>(x), 0, p.W() - 1);
    const float shape = static_cast<float>(FractalNoise(x / 140.0, 3.5, 3, seed));
    if (shape < style.Gaps) continue;
    const float h = style.Height * (0.45f + 0.75f * (shape - style.Gaps) / (1 - style.Gaps));
    const float r = style.CrownRadius * Jitter(rng, 0.75f, 1.25f);
    const float top = base[col] - h + r;
    for (float y = top; y < base[col] - r * 0.3f; y += r * 0.9f)
      crowns.push_back({x + Jitter(rng, -0.3f, 0.3f) * r, y + Jitter(rng, -0.2f, 0.2f) * r, r,
                        static_cast<int>(rng.Next() % 4)});
  }
  std::sort(crowns.begin(), crowns.end(), [](const Crown& a, const Crown& b) { return a.Y < b.Y; });
  Noise kinds(seed + 7);
  for (const Crown& c : crowns)
    PaintCrown(p, c.X, c.Y, c.R, c.R * 1.1f, pal.Crowns[c.Kind], pal, style.Haze,
               seed + static_cast<uint32_t>(c.X * 13 + c.Y));
  (void)kinds;
}

void PaintHedge(Painting& p, const Profile& base, float height, float haze, float x0, float x1,
                const SeasonPalette& pal, uint32_t seed) {
  const CrownColours hedge = {pal.HedgeDark, pal.HedgeLight, pal.Crowns[2].Bare * 0.4f};
  Noise rng(seed);
  const float r = std::max(1.5f, height * 0.55f);
  for (float x = x0; x < x1; x += r * Jitter(rng, 0.4f, 0.7f)) {
    const int col = std::clamp(static_cast<int>(x), 0, p.W() - 1);
    const float h = height * Jitter(rng, 0.85f, 1.1f);
    PaintCrown(p, x, base[col] - h + r, r * 1.2f, r, hedge, pal, haze,
               seed + static_cast<uint32_t>(x));
  }
}

namespace {

void Branch(Painting& p, float x, float y, float angle, float length, float width, int depth,
            Colour bark, Noise& rng) {
  const float x1 = x + std::sin(angle) * length, y1 = y - std::cos(angle) * length;
  p.Stroke(x, y, x1, y1, width, bark);
  if (depth == 0) return;
  const int children = 2 + static_cast<int>(rng.Next() % 2);
  for (int i = 0; i < children; ++i) {
    const float turn = Jitter(rng, -0.75f, 0.75f);
    Branch(p, x1, y1, angle + turn, length * Jitter(rng, 0.6f, 0.8f), std::max(0.6f, width * 0.62f),
           depth - 1, bark, rng);
  }
}

}  // namespace

void PaintTree(Painting& p, float x, float baseY, float height, float haze,
               const SeasonPalette& pal, uint32_t seed) {
  Noise rng(seed);
  const CrownColours& crown = PickCrown(pal, rng);
  PaintGroundShadow(p, x - pal.LightX * height * 0.25f, baseY + 1, height * 0.4f, height * 0.06f,
                    0.35f * (1 - haze));
  const Colour bark = Lerp(pal.Bark, pal.Haze, haze);
  const float trunkW = std::max(1.5f, height * 0.07f);
  p.Stroke(x, baseY, x, baseY - height * 0.45f, trunkW, bark);
  Branch(p, x, baseY - height * 0.4f, Jitter(rng, -0.2f, 0.2f), height * 0.3f, trunkW * 0.8f,
         crown.Bare > 0.5f ? 4 : 2, bark, rng);
  const int clumps = 7 + static_cast<int>(rng.Next() % 4);
  for (int i = 0; i < clumps; ++i) {
    const float a = Jitter(rng, 0, 6.283f), d = Jitter(rng, 0.0f, 1.0f);
    const float cx = x + std::cos(a) * d * height * 0.3f;
    const float cy = baseY - height * 0.68f + std::sin(a) * d * height * 0.22f;
    const float r = height * Jitter(rng, 0.16f, 0.24f);
    PaintCrown(p, cx, cy, r, r * 0.95f, crown, pal, haze, seed + i * 31);
  }
}

}  // namespace assets
