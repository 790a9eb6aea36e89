#include "backdrop_trees.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "backdrop_land.h"

namespace assets {

void PaintCrown(Painting& p, float cx, float cy, float rx, float ry, const CrownColours& colours,
                const SeasonPalette& pal, float haze, uint32_t seed) {
  const float lx = pal.LightX * 0.55f, ly = -0.6f, lz = 0.58f;
  const double clump = std::clamp(rx * 0.22, 1.5, 5.0);  // leaves stay leaf-sized on big crowns
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

const CrownColours& PickCrown(const SeasonPalette& pal, uint32_t seed) {
  return pal.Crowns[((seed * 2654435761u) >> 13) % 4];
}

struct Crown {
  float X, Y, R;
  int Kind;
  float Shade;  // 1 on the sunlit canopy .. darker underneath
};

// The dark space under the canopy, with trunks showing where the light gets in.
void PaintUnderstorey(Painting& p, const Profile& base, const std::vector<float>& heights,
                      const TreeLineStyle& style, const SeasonPalette& pal, uint32_t seed) {
  const Colour dark = Lerp(Scale(pal.Crowns[0].Dark, 0.45f), pal.Haze, style.Haze);
  const Colour trunk = Lerp(Lerp(pal.Bark, pal.Track, 0.3f), pal.Haze, style.Haze);
  for (int x = std::max(0, static_cast<int>(style.X0));
       x < std::min(p.W(), static_cast<int>(style.X1)); ++x) {
    if (heights[x] <= 0) continue;
    const float top = base[x] - heights[x] * 0.42f;
    const float stem =
        static_cast<float>(ValueNoise(x / std::max(1.0, style.CrownRadius * 0.25), 0.5, seed));
    for (int y = std::max(0, static_cast<int>(top)); y <= static_cast<int>(base[x]); ++y) {
      const float t = (y - top) / (base[x] - top);
      Colour c =
          Scale(dark, 0.8f + 0.4f * static_cast<float>(ValueNoise(x * 0.4, y * 0.4, seed + 1)));
      if (stem > 0.78f) c = Lerp(c, trunk, 0.7f * t);
      p.Blend(x, y, c, std::clamp(t * 8, 0.0f, 1.0f));
    }
  }
}

}  // namespace

void PaintTreeLine(Painting& p, const Profile& base, const TreeLineStyle& style,
                   const SeasonPalette& pal, uint32_t seed) {
  Noise rng(seed);
  std::vector<Crown> crowns;
  std::vector<float> heights(p.W(), 0.0f);
  for (float x = style.X0; x < style.X1; x += style.CrownRadius * Jitter(rng, 0.45f, 0.9f)) {
    const int col = std::clamp(static_cast<int>(x), 0, p.W() - 1);
    const float shape = static_cast<float>(FractalNoise(x / 140.0, 3.5, 3, seed));
    if (shape < style.Gaps) continue;
    // The ends of a wood that lie inside the picture thin out rather than stop like a wall.
    const float left = style.X0 > 0 ? SmoothStep(style.X0, style.X0 + 160, x) : 1.0f;
    const float right = style.X1 < p.W() ? SmoothStep(style.X1, style.X1 - 160, x) : 1.0f;
    const float h = style.Height * (0.45f + 0.75f * (shape - style.Gaps) / (1 - style.Gaps)) *
                    std::min(left, right);
    if (h < style.CrownRadius) continue;
    const float r = style.CrownRadius * Jitter(rng, 0.75f, 1.25f);
    for (int c = std::max(0, col - static_cast<int>(r));
         c < std::min(p.W(), col + static_cast<int>(r)); ++c)
      heights[c] = std::max(heights[c], h);
    const float top = base[col] - h + r;
    for (float y = top; y < base[col] - h * 0.3f; y += r * 0.9f)
      crowns.push_back({x + Jitter(rng, -0.3f, 0.3f) * r, y + Jitter(rng, -0.2f, 0.2f) * r, r,
                        static_cast<int>(rng.Next() % 4), 1 - 0.5f * (y - top) / h});
  }
  PaintUnderstorey(p, base, heights, style, pal, seed + 3);
  std::sort(crowns.begin(), crowns.end(), [](const Crown& a, const Crown& b) { return a.Y < b.Y; });
  for (const Crown& c : crowns) {
    const CrownColours& kind = pal.Crowns[c.Kind];
    const CrownColours shaded = {Scale(kind.Dark, c.Shade), Scale(kind.Light, c.Shade), kind.Bare};
    // Seeds from positions go through a signed integer: a crown left of the picture has one too.
    PaintCrown(p, c.X, c.Y, c.R, c.R * 1.1f, shaded, pal, style.Haze,
               seed + static_cast<uint32_t>(static_cast<int64_t>(c.X * 13 + c.Y)));
  }
}

void PaintHedge(Painting& p, const Profile& base, float height, float haze, float x0, float x1,
                const SeasonPalette& pal, uint32_t seed) {
  const CrownColours hedge = {pal.HedgeDark, pal.HedgeLight, pal.Crowns[2].Bare * 0.3f};
  Noise rng(seed);
  const float r = std::max(1.5f, height * 0.6f);
  for (float x = x0; x < x1; x += r * Jitter(rng, 0.4f, 0.7f)) {
    const int col = std::clamp(static_cast<int>(x), 0, p.W() - 1);
    const float h = height * Jitter(rng, 0.85f, 1.15f);
    p.Stroke(x, base[col] + 0.5f, x + r, base[col] + 0.5f, std::max(1.0f, height * 0.15f),
             Lerp(Scale(pal.HedgeDark, 0.6f), pal.Haze, haze));
    PaintCrown(p, x, base[col] - r * 0.7f, r * 1.3f, r * 0.8f, hedge, pal, haze,
               seed + static_cast<uint32_t>(static_cast<int64_t>(x)));
    PaintCrown(p, x, base[col] - h + r, r * 1.2f, r, hedge, pal, haze,
               seed + 5 + static_cast<uint32_t>(static_cast<int64_t>(x)));
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
  const CrownColours& crown = PickCrown(pal, seed);
  const bool bare = crown.Bare > 0.5f;
  PaintGroundShadow(p, x - pal.LightX * height * 0.3f, baseY + 1, height * 0.45f,
                    std::max(1.5f, height * 0.06f), 0.35f * (1 - haze));
  const Colour bark = Lerp(pal.Bark, pal.Haze, haze);
  const float trunkW = std::max(1.2f, height * 0.075f);
  const float forkY = baseY - height * (bare ? 0.4f : 0.3f);
  p.Stroke(x, baseY, x, forkY, trunkW, bark);
  auto limbs = [&] {
    Noise twigs(seed + 3);
    for (float a : {-0.55f, -0.1f, 0.45f})
      Branch(p, x, forkY, a + Jitter(twigs, -0.15f, 0.15f), height * (bare ? 0.26f : 0.2f),
             trunkW * 0.7f, bare ? 4 : 1, bark, twigs);
  };
  if (!bare) limbs();
  const int clumps = (bare ? 4 : 7) + static_cast<int>(rng.Next() % 4 + height / 30);
  for (int i = 0; i < clumps; ++i) {
    const float a = Jitter(rng, 0, 6.283f), d = Jitter(rng, 0.0f, 1.0f);
    const float cx = x + std::cos(a) * d * height * 0.28f;
    const float cy = baseY - height * 0.62f + std::sin(a) * d * height * 0.2f;
    const float r = height * Jitter(rng, 0.17f, 0.25f);
    PaintCrown(p, cx, cy, r, r * 0.95f, crown, pal, haze, seed + i * 31);
  }
  if (bare) limbs();
}

}  // namespace assets
