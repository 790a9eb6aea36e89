// The ten field backdrops: five fields, each painted in summer and in late autumn. Every
// trap of a field's file has its hut at its launch point and ground along its ground line.

#include <algorithm>
#include <cmath>
#include <string>

#include "backdrop_land.h"
#include "backdrop_sky.h"
#include "backdrop_trap_house.h"
#include "backdrop_trees.h"
#include "backdrop_water.h"
#include "field_layouts.h"
#include "generators.h"

namespace assets {

namespace {

constexpr int BackdropW = 1600, BackdropH = 800;
constexpr int FleckCount = 9000;

Profile Level(float y) {
  return Profile(BackdropW, y);
}

// Level ground seen from the cage: how far row y lies, how veiled and how small things are.
struct LevelField {
  float HorizonY;
  float Z(float y) const { return (BackdropH - HorizonY) / std::max(y - HorizonY, 0.5f); }
  float Haze(float y) const { return HazeAt(Z(y)) * 0.9f; }
  float Size(float y, float nearSize) const { return nearSize / Z(y); }
  // The row where the k-th field boundary of the farm lies.
  float FieldEdge(int k) const {
    return HorizonY + (BackdropH - HorizonY) * 15 / (FieldLength * k);
  }
};

void Meadow(Painting& p, const Profile& top, const GroundMap& ground, const SeasonPalette& pal,
            const MeadowStyle& style, uint32_t seed) {
  PaintMeadow(p, top, ground, pal, style, seed);
  PaintFlecks(p, top, ground, pal, FleckCount, seed + 1);
}

// A hedge across the field with a few standing trees grown up out of it.
void HedgeRow(Painting& p, const LevelField& f, float y, float x0, float x1,
              const SeasonPalette& pal, uint32_t seed) {
  Noise rng(seed);
  for (float x = x0 + Jitter(rng, 40, 300); x < x1 - 20; x += Jitter(rng, 180, 520))
    PaintTree(p, x, y, f.Size(y, Jitter(rng, 520, 760)), f.Haze(y), pal,
              seed + static_cast<uint32_t>(static_cast<int64_t>(x)));
  const Profile base = WavyProfile(BackdropW, y, 1.5f, 90, seed);
  PaintHedge(p, base, f.Size(y, 110), f.Haze(y), x0, x1, pal, seed);
}

void Tree(Painting& p, const LevelField& f, float x, float y, float nearHeight,
          const SeasonPalette& pal, uint32_t seed) {
  PaintTree(p, x, y, f.Size(y, nearHeight), f.Haze(y), pal, seed);
}

// Hedges along the field boundaries of a slope, so that its patchwork has edges.
void SlopeHedges(Painting& p, const Profile& top, const GroundMap& ground, int rows, float x0,
                 float x1, const SeasonPalette& pal, uint32_t seed) {
  for (int k = 1; k <= rows; ++k) {
    Profile line = ContourAt(ground, top, FieldLength * k, BackdropH);
    const int mid = static_cast<int>((x0 + x1) / 2);
    if (line[mid] > 690) break;
    for (float& y : line)
      if (y > 690) y = 2 * BackdropH;  // the near ground is one open field, without hedges
    const float z = ground(mid, static_cast<int>(line[mid])).Z;
    PaintHedge(p, line, 42 / z, HazeAt(z) * 0.8f, x0, x1, pal, seed + k);
  }
}

void TrapsAndTracks(Painting& p, const FieldLayout& field, const SeasonPalette& pal,
                    uint32_t seed) {
  for (const TrapLayout& t : field.Traps) {
    if (!t.Rabbit) continue;
    const float groundY = std::min(t.FloorY, t.Y) + 9.0f;
    const float x0 = t.DX < 0 ? -10.0f : t.X - 40.0f;
    const float x1 = t.DX < 0 ? t.X + 60.0f : BackdropW + 10.0f;
    PaintTrack(p, groundY, x0, x1, 16, pal, seed);
  }
  for (int i = 0; i < TrapsPerField; ++i) PaintTrapHouse(p, field.Traps[i], pal, seed + 17 * i);
}

void FarCountry(Painting& p, const LevelField& f, const SeasonPalette& pal, uint32_t seed) {
  PaintRidge(p, WavyProfile(BackdropW, f.HorizonY - 34, 22, 300, seed), pal.FarHill, 0.5f, pal,
             seed + 1);
  const TreeLineStyle far = {34, 7, 0.42f, 0.3f};
  PaintTreeLine(p, WavyProfile(BackdropW, f.HorizonY + 2, 2, 200, seed + 2), far, pal, seed + 3);
}

void OpenMeadow(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {452};
  PaintSky(p, pal, f.HorizonY, 470, seed);
  FarCountry(p, f, pal, seed + 10);
  MeadowStyle style;
  style.MownStripes = 1;
  Meadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, style, seed + 20);
  HedgeRow(p, f, f.FieldEdge(4), -10, 1610, pal, seed + 30);
  HedgeRow(p, f, f.FieldEdge(3), -10, 1000, pal, seed + 31);
  HedgeRow(p, f, f.FieldEdge(2), -10, 560, pal, seed + 33);
  HedgeRow(p, f, f.FieldEdge(2), 1180, 1610, pal, seed + 34);
  HedgeRow(p, f, f.FieldEdge(1), -10, 250, pal, seed + 35);
  Tree(p, f, 1230, 540, 700, pal, seed + 36);
  Tree(p, f, 1290, 546, 640, pal, seed + 39);
  Tree(p, f, 70, 590, 640, pal, seed + 38);
  TrapsAndTracks(p, FieldLayouts[0], pal, seed + 40);
}

void WoodlandEdge(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {455};
  PaintSky(p, pal, f.HorizonY, 470, seed);
  FarCountry(p, f, pal, seed + 10);
  MeadowStyle style;
  style.Patchwork = 0.7f;
  Meadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, style, seed + 20);
  HedgeRow(p, f, f.FieldEdge(3), 600, 1610, pal, seed + 30);
  Tree(p, f, 1300, 500, 650, pal, seed + 31);
  // The wood: tall and near on the left, thinning out into single trees towards the field.
  Profile woodFoot(BackdropW);
  for (int x = 0; x < BackdropW; ++x) woodFoot[x] = 550 - 0.06f * x;
  const TreeLineStyle wood = {270, 24, 0.03f, 0.0f, -40, 760};
  PaintTreeLine(p, woodFoot, wood, pal, seed + 40);
  const TreeLineStyle edge = {170, 20, 0.06f, 0.25f, 600, 940};
  PaintTreeLine(p, woodFoot, edge, pal, seed + 41);
  PaintHedge(p, WavyProfile(BackdropW, 556, 2, 80, seed + 42), 20, 0.04f, -10, 780, pal, seed + 43);
  Tree(p, f, 960, 512, 700, pal, seed + 44);
  Tree(p, f, 1520, 720, 420, pal, seed + 45);
  TrapsAndTracks(p, FieldLayouts[1], pal, seed + 50);
}

Profile HillTop(uint32_t seed) {
  Profile hill(BackdropW);
  for (int x = 0; x < BackdropW; ++x) {
    const float t = std::clamp((x - 250) / 1100.0f, 0.0f, 1.0f);
    hill[x] = 478 - 225 * std::sin(t * 1.5708f) +
              12 * static_cast<float>(FractalNoise(x / 90.0, 2.5, 3, seed));
  }
  return hill;
}

void Hillside(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {470};
  PaintSky(p, pal, f.HorizonY, 480, seed);
  PaintRidge(p, WavyProfile(BackdropW, 432, 25, 260, seed + 1), pal.FarHill, 0.5f, pal, seed + 2);
  Meadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, {}, seed + 3);
  HedgeRow(p, f, 500, -10, 330, pal, seed + 16);
  PaintTree(p, 180, 520, 120, 0.15f, pal, seed + 17);
  const Profile hill = HillTop(seed + 4);
  const GroundMap slope = Slope(hill, 9, 1, 800);
  MeadowStyle style;
  style.Patchwork = 1.2f;
  Meadow(p, hill, slope, pal, style, seed + 5);
  PaintSlopeLight(p, hill, pal, 420);
  SlopeHedges(p, hill, slope, 6, 300, 1610, pal, seed + 6);
  const TreeLineStyle crest = {36, 8, 0.28f, 0.4f, 460, 1640};
  PaintTreeLine(p, hill, crest, pal, seed + 12);
  PaintTree(p, 1490, 330, 70, 0.2f, pal, seed + 13);
  PaintTree(p, 870, 470, 80, 0.15f, pal, seed + 14);
  PaintTree(p, 1190, 560, 120, 0.08f, pal, seed + 15);
  TrapsAndTracks(p, FieldLayouts[2], pal, seed + 20);
}

void Lakeside(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {448};
  PaintSky(p, pal, f.HorizonY, 470, seed);
  PaintRidge(p, WavyProfile(BackdropW, f.HorizonY - 30, 20, 300, seed + 1), pal.FarHill, 0.5f, pal,
             seed + 2);
  Meadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, {}, seed + 3);
  const TreeLineStyle farWood = {58, 9, 0.3f, 0.15f};
  PaintTreeLine(p, WavyProfile(BackdropW, 468, 2, 150, seed + 4), farWood, pal, seed + 5);
  Tree(p, f, 1420, 484, 650, pal, seed + 6);
  Tree(p, f, 560, 482, 600, pal, seed + 7);
  const float farShore = 490;
  const Profile nearShore = WavyProfile(BackdropW, 592, 6, 120, seed + 8);
  PaintLake(p, farShore, nearShore, pal, seed + 9);
  PaintShore(p, nearShore, 6, pal, seed + 12);
  PaintReeds(p, nearShore, -10, 1610, 26, pal, seed + 10);
  Tree(p, f, 120, 620, 560, pal, seed + 11);
  TrapsAndTracks(p, FieldLayouts[3], pal, seed + 30);
}

void Valley(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {470};
  PaintSky(p, pal, f.HorizonY, 480, seed);
  PaintRidge(p, WavyProfile(BackdropW, 405, 30, 220, seed + 1), pal.FarHill, 0.62f, pal, seed + 2);
  PaintRidge(p, WavyProfile(BackdropW, 440, 18, 160, seed + 3), pal.FarHill, 0.4f, pal, seed + 4);
  Meadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, {}, seed + 5);
  PaintStream(
      p, 471, 640, [](int y) { return 820 + 60 * std::sin((y - 470) / 22.0f) + (y - 470) * 2.4f; },
      [](int y) { return 1.5f + (y - 470) * 0.2f; }, pal, seed + 6);
  const TreeLineStyle riverside = {30, 6, 0.35f, 0.45f, 600, 1150};
  PaintTreeLine(p, WavyProfile(BackdropW, 488, 3, 120, seed + 7), riverside, pal, seed + 8);
  Profile left(BackdropW), right(BackdropW);
  for (int x = 0; x < BackdropW; ++x) {
    const float l = std::clamp(x / 1150.0f, 0.0f, 1.0f);
    const float r = std::clamp((1600 - x) / 900.0f, 0.0f, 1.0f);
    left[x] = 330 + 235 * (1 - std::cos(l * 3.1416f)) +
              8 * static_cast<float>(FractalNoise(x / 70.0, 1.5, 3, seed + 9));
    right[x] = 300 + 250 * (1 - std::cos(r * 3.1416f)) +
               8 * static_cast<float>(FractalNoise(x / 70.0, 4.5, 3, seed + 10));
  }
  MeadowStyle style;
  style.Patchwork = 1.2f;
  const GroundMap rightSlope = Slope(right, 6, 1, 800), leftSlope = Slope(left, 5, 1, 800);
  Meadow(p, right, rightSlope, pal, style, seed + 11);
  PaintSlopeLight(p, right, pal, 360);
  SlopeHedges(p, right, rightSlope, 4, 900, 1610, pal, seed + 12);
  const TreeLineStyle rightWood = {44, 9, 0.22f, 0.2f, 1250, 1640};
  PaintTreeLine(p, right, rightWood, pal, seed + 13);
  Meadow(p, left, leftSlope, pal, style, seed + 14);
  PaintSlopeLight(p, left, pal, 360);
  SlopeHedges(p, left, leftSlope, 4, -10, 760, pal, seed + 15);
  const TreeLineStyle crest = {30, 7, 0.3f, 0.4f, -40, 700};
  PaintTreeLine(p, left, crest, pal, seed + 16);
  PaintTree(p, 1380, 440, 110, 0.1f, pal, seed + 17);
  PaintTree(p, 520, 500, 90, 0.12f, pal, seed + 18);
  PaintTree(p, 1240, 560, 130, 0.05f, pal, seed + 19);
  TrapsAndTracks(p, FieldLayouts[4], pal, seed + 20);
}

using Scene = void (*)(Painting&, const SeasonPalette&, uint32_t);
constexpr Scene Scenes[FieldCount] = {OpenMeadow, WoodlandEdge, Hillside, Lakeside, Valley};

}  // namespace

void GenerateBackdrops(const Output& out) {
  for (int season = 0; season < SeasonCount; ++season) {
    for (int field = 0; field < FieldCount; ++field) {
      Painting p(BackdropW, BackdropH);
      Scenes[field](p, SeasonPaletteOf(season), 1000u * (field + 1) + 7u * season);
      const std::string stem = std::to_string(season) + "f" + std::to_string(field + 1);
      p.ToImage().SaveBmp(out.Path(stem + ".bmp"));
    }
  }
}

}  // namespace assets
