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

Profile Level(float y) {
  return Profile(BackdropW, y);
}

// Ground of a level field seen from the cage: how far row y lies, and how veiled it is.
struct LevelField {
  float HorizonY;
  float Z(float y) const { return (BackdropH - HorizonY) / std::max(y - HorizonY, 0.5f); }
  float Haze(float y) const { return HazeAt(Z(y)) * 0.9f; }
  float Size(float y, float nearSize) const { return nearSize / Z(y); }
};

void HedgeRow(Painting& p, const LevelField& f, float y, float x0, float x1,
              const SeasonPalette& pal, uint32_t seed) {
  const Profile base = WavyProfile(BackdropW, y, 1.5f, 90, seed);
  PaintHedge(p, base, f.Size(y, 70), f.Haze(y), x0, x1, pal, seed);
}

void Tree(Painting& p, const LevelField& f, float x, float y, float nearHeight,
          const SeasonPalette& pal, uint32_t seed) {
  PaintTree(p, x, y, f.Size(y, nearHeight), f.Haze(y), pal, seed);
}

void TrapsAndTracks(Painting& p, const FieldLayout& field, const SeasonPalette& pal,
                    uint32_t seed) {
  for (const TrapLayout& t : field.Traps) {
    if (!t.Rabbit) continue;
    const float groundY = std::min(t.FloorY, t.Y) + 9.0f;
    const float x0 = t.DX < 0 ? -10.0f : t.X - 40.0f,
                x1 = t.DX < 0 ? t.X + 60.0f : BackdropW + 10.0f;
    PaintTrack(p, groundY, x0, x1, 12, pal, seed);
  }
  for (int i = 0; i < TrapsPerField; ++i) PaintTrapHouse(p, field.Traps[i], pal, seed + 17 * i);
}

void FarCountry(Painting& p, const LevelField& f, const SeasonPalette& pal, uint32_t seed) {
  PaintRidge(p, WavyProfile(BackdropW, f.HorizonY - 34, 22, 300, seed), pal.FarHill, 0.5f, pal,
             seed + 1);
  TreeLineStyle far = {24, 6, 0.55f, 0.3f};
  PaintTreeLine(p, WavyProfile(BackdropW, f.HorizonY + 2, 2, 200, seed + 2), far, pal, seed + 3);
}

void OpenMeadow(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {452};
  PaintSky(p, pal, f.HorizonY, 470, seed);
  FarCountry(p, f, pal, seed + 10);
  MeadowStyle style;
  style.MownStripes = 1;
  PaintMeadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, style, seed + 20);
  HedgeRow(p, f, 466, -10, 1610, pal, seed + 30);
  Tree(p, f, 1450, 466, 700, pal, seed + 31);
  Tree(p, f, 540, 468, 650, pal, seed + 32);
  HedgeRow(p, f, 490, -10, 900, pal, seed + 33);
  HedgeRow(p, f, 494, 1180, 1610, pal, seed + 34);
  Tree(p, f, 260, 492, 700, pal, seed + 35);
  Tree(p, f, 1230, 520, 650, pal, seed + 36);
  HedgeRow(p, f, 530, 1160, 1610, pal, seed + 37);
  Tree(p, f, 80, 560, 600, pal, seed + 38);
  TrapsAndTracks(p, FieldLayouts[0], pal, seed + 40);
}

void WoodlandEdge(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {455};
  PaintSky(p, pal, f.HorizonY, 470, seed);
  FarCountry(p, f, pal, seed + 10);
  MeadowStyle style;
  style.Patchwork = 0.7f;
  PaintMeadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, style, seed + 20);
  HedgeRow(p, f, 472, 700, 1610, pal, seed + 30);
  Tree(p, f, 1300, 488, 650, pal, seed + 31);
  Tree(p, f, 1350, 492, 560, pal, seed + 32);
  // The wood: tall and near on the left, thinning out into single trees towards the field.
  Profile woodFoot(BackdropW);
  for (int x = 0; x < BackdropW; ++x) woodFoot[x] = 548 - 0.05f * x;
  TreeLineStyle wood = {260, 24, 0.04f, 0.0f, -40, 640};
  PaintTreeLine(p, woodFoot, wood, pal, seed + 40);
  TreeLineStyle edge = {150, 18, 0.08f, 0.3f, 600, 820};
  PaintTreeLine(p, woodFoot, edge, pal, seed + 41);
  PaintHedge(p, WavyProfile(BackdropW, 552, 2, 80, seed + 42), 18, 0.05f, -10, 760, pal, seed + 43);
  Tree(p, f, 1520, 700, 420, pal, seed + 44);
  TrapsAndTracks(p, FieldLayouts[1], pal, seed + 50);
}

void Hillside(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {470};
  PaintSky(p, pal, f.HorizonY, 480, seed);
  PaintRidge(p, WavyProfile(BackdropW, 430, 25, 260, seed + 1), pal.FarHill, 0.5f, pal, seed + 2);
  PaintMeadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, {}, seed + 3);
  Profile hill(BackdropW);
  for (int x = 0; x < BackdropW; ++x) {
    const float t = std::clamp((x - 250) / 1100.0f, 0.0f, 1.0f);
    hill[x] = 476 - 220 * std::sin(t * 1.5708f) +
              10 * static_cast<float>(FractalNoise(x / 90.0, 2.5, 3, seed + 4));
  }
  MeadowStyle slope;
  slope.Patchwork = 1.2f;
  PaintMeadow(p, hill, Slope(hill, 9, 1, 800), pal, slope, seed + 5);
  TreeLineStyle crest = {30, 7, 0.3f, 0.45f, 500, 1640};
  PaintTreeLine(p, hill, crest, pal, seed + 6);
  for (int i = 0; i < 4; ++i) {
    Profile contour(BackdropW);
    const float drop = 40.0f + 45 * i;
    for (int x = 0; x < BackdropW; ++x)
      contour[x] = std::min(hill[x] + drop, hill[x] * 0.4f + 300 + drop);
    PaintHedge(p, contour, 6 + 3 * i, 0.3f - 0.06f * i, 380 + 60 * i, 1610, pal, seed + 7 + i);
  }
  const LevelField near = {470};
  Tree(p, near, 1480, 372, 400, pal, seed + 12);
  Tree(p, near, 880, 420, 300, pal, seed + 13);
  HedgeRow(p, near, 500, -10, 420, pal, seed + 14);
  Tree(p, near, 200, 500, 650, pal, seed + 15);
  TrapsAndTracks(p, FieldLayouts[2], pal, seed + 20);
}

void Lakeside(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {448};
  PaintSky(p, pal, f.HorizonY, 470, seed);
  FarCountry(p, f, pal, seed + 10);
  PaintMeadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, {}, seed + 20);
  HedgeRow(p, f, 462, -10, 1610, pal, seed + 21);
  Tree(p, f, 380, 470, 700, pal, seed + 22);
  Tree(p, f, 1420, 482, 650, pal, seed + 23);
  const float farShore = 500;
  Profile nearShore = WavyProfile(BackdropW, 590, 6, 120, seed + 24);
  PaintLake(p, farShore, nearShore, pal, seed + 25);
  PaintReeds(p, nearShore, -10, 1610, 20, pal, seed + 26);
  TrapsAndTracks(p, FieldLayouts[3], pal, seed + 30);
}

void Valley(Painting& p, const SeasonPalette& pal, uint32_t seed) {
  const LevelField f = {470};
  PaintSky(p, pal, f.HorizonY, 480, seed);
  PaintRidge(p, WavyProfile(BackdropW, 410, 30, 220, seed + 1), pal.FarHill, 0.6f, pal, seed + 2);
  PaintRidge(p, WavyProfile(BackdropW, 445, 18, 160, seed + 3), pal.FarHill, 0.35f, pal, seed + 4);
  PaintMeadow(p, Level(f.HorizonY), FlatGround(f.HorizonY), pal, {}, seed + 5);
  Profile left(BackdropW), right(BackdropW);
  for (int x = 0; x < BackdropW; ++x) {
    const float l = std::clamp(x / 760.0f, 0.0f, 1.0f),
                r = std::clamp((1600 - x) / 640.0f, 0.0f, 1.0f);
    left[x] = 330 + 230 * (1 - std::cos(l * 3.1416f)) / 2 * 1.0f +
              8 * static_cast<float>(FractalNoise(x / 70.0, 1.5, 3, seed + 6));
    right[x] = 300 + 260 * (1 - std::cos(r * 3.1416f)) / 2 +
               8 * static_cast<float>(FractalNoise(x / 70.0, 4.5, 3, seed + 7));
    if (l >= 1) left[x] = 900;
    if (r >= 1) right[x] = 900;
  }
  MeadowStyle slope;
  slope.Patchwork = 1.2f;
  PaintMeadow(p, right, Slope(right, 6, 1, 800), pal, slope, seed + 8);
  PaintMeadow(p, left, Slope(left, 5, 1, 800), pal, slope, seed + 9);
  TreeLineStyle crest = {26, 7, 0.3f, 0.4f, -40, 700};
  PaintTreeLine(p, left, crest, pal, seed + 10);
  const LevelField near = {470};
  Tree(p, near, 1380, 420, 380, pal, seed + 11);
  Tree(p, near, 480, 480, 420, pal, seed + 12);
  HedgeRow(p, near, 540, 560, 1180, pal, seed + 13);
  TrapsAndTracks(p, FieldLayouts[4], pal, seed + 20);
}

using Scene = void (*)(Painting&, const SeasonPalette&, uint32_t);
constexpr Scene Scenes[FieldCount] = {OpenMeadow, WoodlandEdge, Hillside, Lakeside, Valley};

}  // namespace

void GenerateBackdrops(const Output& out) {
  for (int season = 0; season < SeasonCount; ++season) {
    for (int field = 0; field < FieldCount; ++field) {
      Painting p(BackdropW, BackdropH);
      Scenes[field](p, PaletteOf(season), 1000u * (field + 1) + 7u * season);
      p.ToImage().SaveBmp(
          out.Path(std::to_string(season) + "f" + std::to_string(field + 1) + ".bmp"));
    }
  }
}

}  // namespace assets
