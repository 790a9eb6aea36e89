// The desktop's icons of the game and the field editor, and the windows' own icons. Each is
// painted per size rather than scaled down, so that the small ones stay crisp: a feature
// never gets thinner than a pixel, and the smallest sizes leave out what they cannot show.

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "canvas.h"
#include "generators.h"
#include "icon_files.h"

namespace assets {
namespace {

// A colour being composed from back to front at one sample point.
struct Paint {
  double R = 0, G = 0, B = 0, A = 0;
  void Over(Rgb c, double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    R = R * (1 - alpha) + c.R * alpha;
    G = G * (1 - alpha) + c.G * alpha;
    B = B * (1 - alpha) + c.B * alpha;
    A = A * (1 - alpha) + alpha;
  }
};

// Points are in the icon's own unit square (y downwards); Px is one pixel in those units.
struct Sizing {
  int Size;
  double Px;
  bool Small() const { return Size <= 16; }
  bool Detailed() const { return Size >= 48; }
  double AtLeastPixels(double units, double pixels) const { return std::max(units, pixels * Px); }
};

using Scene = std::function<void(Paint&, double x, double y, const Sizing&)>;

RgbaImage Render(int size, const Scene& scene) {
  const Sizing s{size, 1.0 / size};
  const int n = size <= 64 ? 8 : 4;  // samples per pixel side
  RgbaImage img(size, size);
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
          Paint p;
          scene(p, (px + (i + 0.5) / n) * s.Px, (py + (j + 0.5) / n) * s.Px, s);
          r += p.R * p.A;
          g += p.G * p.A;
          b += p.B * p.A;
          a += p.A;
        }
      Rgba& out = img.At(px, py);
      if (a <= 0) continue;
      out.R = static_cast<uint8_t>(std::lround(std::clamp(r / a, 0.0, 255.0)));
      out.G = static_cast<uint8_t>(std::lround(std::clamp(g / a, 0.0, 255.0)));
      out.B = static_cast<uint8_t>(std::lround(std::clamp(b / a, 0.0, 255.0)));
      out.A = static_cast<uint8_t>(std::lround(255.0 * a / (n * n)));
    }
  return img;
}

double Length(double x, double y) {
  return std::sqrt(x * x + y * y);
}

// Distance to the segment from (ax, ay) to (bx, by), and where along it the nearest point lies.
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by,
                       double* along = nullptr) {
  const double dx = bx - ax, dy = by - ay;
  const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  if (along) *along = t;
  return Length(x - ax - t * dx, y - ay - t * dy);
}

// (u, v) of a point in an ellipse's frame, -1..1 across it; inside when u*u + v*v <= 1.
bool InEllipse(double x, double y, double cx, double cy, double rx, double ry, double& u,
               double& v) {
  u = (x - cx) / rx;
  v = (y - cy) / ry;
  return u * u + v * v <= 1;
}

const Rgb ClayOrange{236, 104, 22};

// A clay target seen from a little above: the flat top with its raised ring and a glint, over
// the darker band of its side, `depth` deep.
void PaintClay(Paint& p, double x, double y, double cx, double cy, double rx, double ry,
               double depth, const Sizing& s) {
  double u, v;
  const bool onTop = InEllipse(x, y, cx, cy, rx, ry, u, v);
  double su, sv;
  const bool onSide = InEllipse(x, y, cx, cy + depth, rx, ry, su, sv) ||
                      (y >= cy && y <= cy + depth && std::abs(x - cx) <= rx);
  if (!onTop && !onSide) return;
  if (!onTop) {
    const double across = std::clamp((x - cx) / rx, -1.0, 1.0);
    p.Over(Mix({176, 66, 10}, {92, 30, 4}, 0.5 + 0.5 * across), 1);
    return;
  }
  const double r = std::sqrt(u * u + v * v);
  Rgb c = Mix(ClayOrange, {255, 214, 150}, 0.35 * (1 - r) * (v < 0.3 ? 1.0 : 0.4));
  if (s.Detailed() && std::abs(r - 0.62) < 0.07) c = Mix(c, {150, 52, 6}, 0.55);
  if (s.Detailed() && r > 0.93) c = Mix(c, {255, 220, 170}, 0.5);  // the lit lip
  const double gx = u + 0.35, gy = v + 0.3;
  if (s.Size >= 32 && gx * gx + gy * gy * 0.5 < 0.03) c = Mix(c, {255, 255, 255}, 0.75);
  p.Over(c, 1);
}

// The game: a clay target broken in two in the middle of a shot pattern, against the sky and
// the tree line of a field, on a round badge.
void QuillmoorScene(Paint& p, double x, double y, const Sizing& s) {
  const double r = Length(x - 0.5, y - 0.5);
  const double radius = 0.5 - 0.35 * s.Px;
  if (r > radius) return;
  // Sky, then a tree line over the field's grass.
  const double treeTop = 0.72 - 0.05 * std::sin(x * 7.0 + 0.6) -
                         (s.Detailed() ? 0.018 * std::abs(std::sin(x * 46.0)) : 0.0);
  const double grass = 0.80 + 0.02 * std::sin(x * 5.0);
  if (y < treeTop) {
    p.Over(Mix({28, 70, 132}, {158, 200, 230}, std::pow(std::clamp(y / treeTop, 0.0, 1.0), 1.4)),
           1);
  } else if (y < grass) {
    p.Over(Mix({34, 72, 40}, {24, 52, 30}, (y - treeTop) / (grass - treeTop)), 1);
  } else {
    p.Over(Mix({84, 136, 58}, {56, 100, 40}, (y - grass) / (1 - grass)), 1);
  }
  // The pattern's cloud: a paler disc where the shot is, so the pattern reads as one thing.
  const double patternX = 0.56, patternY = 0.42, patternR = 0.31;
  if (s.Size >= 32 && Length(x - patternX, y - patternY) < patternR) p.Over({255, 255, 255}, 0.18);
  // Pellets on a sunflower spiral: dense at the centre, thinning towards the edge. The
  // smallest icon places a few whole pixels where the clay does not hide them.
  if (s.Size <= 16) {
    constexpr int Pellets16[][2] = {{4, 4}, {7, 2}, {10, 3}, {13, 5}, {13, 9}, {3, 10}};
    for (const auto& pellet : Pellets16)
      if (static_cast<int>(x * 16) == pellet[0] && static_cast<int>(y * 16) == pellet[1])
        p.Over({18, 20, 28}, 0.9);
  }
  const int pellets = s.Size <= 16 ? 0 : s.Size <= 32 ? 14 : s.Size <= 64 ? 30 : 56;
  const double pelletR = s.Size <= 32 ? 0.5 * s.Px : std::max(0.011, 0.7 * s.Px);
  Noise jitter(77);
  for (int i = 0; i < pellets; ++i) {
    const double d = patternR * 0.95 * std::sqrt((i + 0.7) / pellets) + jitter.Range(-0.01, 0.01);
    const double a = i * 2.39996 + 0.4 + jitter.Range(-0.15, 0.15);
    double px = patternX + d * std::cos(a), py = patternY + d * std::sin(a);
    if (s.Size <= 32) {
      px = (std::floor(px / s.Px) + 0.5) * s.Px;
      py = (std::floor(py / s.Px) + 0.5) * s.Px;
      if (std::max(std::abs(x - px), std::abs(y - py)) < pelletR) p.Over({18, 20, 28}, 0.85);
    } else if (Length(x - px, y - py) < pelletR) {
      p.Over({18, 20, 28}, 1);
    }
  }
  // Dust of the break, behind the pieces.
  if (s.Size >= 32) {
    const double dust = Length((x - 0.54) / 1.5, y - 0.44);
    if (dust < 0.09) p.Over({250, 214, 160}, 0.6 * (1 - dust / 0.09));
  }
  // The clay, broken along a jagged crack; the right half is thrown up and away.
  const double clayX = 0.44, clayY = 0.48;
  const double clayRx = s.Small() ? 0.27 : 0.22, clayRy = s.Small() ? 0.12 : 0.085;
  const double depth = s.AtLeastPixels(0.045, 1.0);
  const double awayX = s.AtLeastPixels(0.05, 1.0), awayY = -s.AtLeastPixels(0.04, 1.0);
  auto crack = [&](double yy) {
    const double tooth = std::fmod(std::abs(yy - clayY) / 0.035, 2.0);
    return clayX + 0.03 + (s.Detailed() ? 0.022 * std::abs(tooth - 1) : 0.0);
  };
  if (x - awayX >= crack(y - awayY))
    PaintClay(p, x - awayX, y - awayY, clayX, clayY, clayRx, clayRy, depth, s);
  if (x < crack(y)) PaintClay(p, x, y, clayX, clayY, clayRx, clayRy, depth, s);
  const std::array<std::array<double, 3>, 4> chips = {
      {{0.80, 0.30, 0.03}, {0.62, 0.27, 0.024}, {0.86, 0.47, 0.024}, {0.72, 0.60, 0.02}}};
  const int chipCount = s.Size <= 16 ? 1 : s.Size <= 32 ? 2 : 4;
  for (int i = 0; i < chipCount; ++i) {
    const double cr = s.AtLeastPixels(chips[i][2], 0.75);
    if (std::abs(x - chips[i][0]) + std::abs(y - chips[i][1]) * 1.4 < cr)
      p.Over(Mix(ClayOrange, {120, 40, 0}, y > chips[i][1] ? 0.4 : 0.0), 1);
  }
  // A dark rim with a faint light edge inside it, as a badge's.
  const double rimWidth = s.AtLeastPixels(0.03, 1.0);
  if (r > radius - rimWidth)
    p.Over({16, 30, 50}, 1);
  else if (s.Detailed() && r > radius - 2 * rimWidth)
    p.Over({255, 255, 255}, 0.18);
}

// The field editor: a field's plan on drawing paper, a trap's flight drawn as a dashed arc
// ending in a clay, and a pencil: square where the game's badge is round, paper where it is sky.
void MarlsmithScene(Paint& p, double x, double y, const Sizing& s) {
  const double inset = s.Small() ? s.Px : 0.05, corner = 0.14;
  const double qx = std::max(std::abs(x - 0.5) - (0.5 - inset - corner), 0.0);
  const double qy = std::max(std::abs(y - 0.5) - (0.5 - inset - corner), 0.0);
  const double edge = Length(qx, qy) - corner;  // below zero inside the rounded square
  if (edge > 0) return;
  const double ground = 0.74;
  if (y < ground) {
    p.Over({246, 240, 222}, 1);
    if (s.Detailed()) {
      const double cell = 1.0 / 9;
      const double gx = std::fmod(x, cell), gy = std::fmod(y, cell);
      if (std::min({gx, cell - gx, gy, cell - gy}) < 0.5 * s.Px) p.Over({120, 166, 214}, 0.45);
    }
  } else {
    p.Over(Mix({92, 148, 66}, {62, 110, 46}, (y - ground) / (1 - ground)), 1);
    if (y < ground + s.AtLeastPixels(0.018, 1.0)) p.Over({40, 76, 30}, 1);
  }
  // The trap house on the ground line, and the clay's path from it.
  const double houseL = 0.14, houseR = s.Small() ? 0.32 : 0.30, houseT = 0.63;
  if (x > houseL && x < houseR && y > houseT && y < ground) {
    p.Over({78, 70, 58}, 1);
    if (s.Detailed() && y < houseT + 0.025) p.Over({40, 34, 28}, 1);
  }
  const double startX = 0.25, startY = 0.63, endX = 0.76, endY = 0.25;
  auto path = [&](double t, double& px, double& py) {
    px = startX + (endX - startX) * t;
    py = startY - 0.62 * t + (0.62 + endY - startY) * t * t;
  };
  const int segments = 32;
  double best = 1e9, bestT = 0;
  for (int i = 0; i < segments; ++i) {
    double ax, ay, bx, by, along;
    path(static_cast<double>(i) / segments, ax, ay);
    path(static_cast<double>(i + 1) / segments, bx, by);
    const double d = SegmentDistance(x, y, ax, ay, bx, by, &along);
    if (d < best) {
      best = d;
      bestT = (i + along) / segments;
    }
  }
  const double lineHalf = s.AtLeastPixels(0.018, 0.55);
  const bool dashed = s.Size >= 32;
  if (best < lineHalf && bestT < 0.9 && (!dashed || std::fmod(bestT * 9, 1.0) < 0.62))
    p.Over({196, 44, 36}, 1);
  PaintClay(p, x, y, endX + 0.03, endY, s.Small() ? 0.17 : 0.14, s.Small() ? 0.08 : 0.055,
            s.AtLeastPixels(0.03, 1.0), s);
  // The pencil, lying from the lower right corner towards the middle of the paper.
  const double tipX = 0.50, tipY = 0.56, dirX = 0.7071, dirY = 0.7071, length = 0.50;
  const double along = (x - tipX) * dirX + (y - tipY) * dirY;
  const double across = -(x - tipX) * dirY + (y - tipY) * dirX;
  const double half = s.Small() ? 1.0 * s.Px : s.AtLeastPixels(0.075, 1.2);
  const double cone = 0.14;
  if (along >= 0 && along <= length) {
    if (along < cone) {
      if (std::abs(across) < half * along / cone) {
        const bool lead = along < cone * 0.38;
        p.Over(lead ? Rgb{44, 44, 50} : Rgb{232, 196, 150}, 1);
      }
    } else if (std::abs(across) < half) {
      Rgb body = across < -half * 0.3  ? Rgb{255, 214, 72}
                 : across < half * 0.3 ? Rgb{242, 182, 32}
                                       : Rgb{196, 132, 20};
      if (along > length - 0.07)
        body = Rgb{230, 124, 136};  // the rubber
      else if (along > length - 0.12)
        body = Rgb{170, 170, 178};  // its ferrule
      p.Over(body, 1);
      if (s.Detailed() && half - std::abs(across) < s.Px) p.Over({110, 70, 10}, 0.8);
    }
  }
  // The sheet's border.
  if (edge > -s.AtLeastPixels(0.025, 1.0)) p.Over({58, 48, 36}, 1);
}

constexpr std::array<int, 6> IconSizes = {16, 32, 48, 64, 128, 256};
constexpr int WindowIconSize = 64;

}  // namespace

void GenerateIcons(const Output& out) {
  const std::array<std::pair<const char*, Scene>, 2> icons = {
      {{"quillmoor", QuillmoorScene}, {"marlsmith", MarlsmithScene}}};
  for (const auto& [name, scene] : icons) {
    for (int size : IconSizes) {
      if (out.IconsDir.empty()) break;
      const std::string dir =
          out.IconsDir + "/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
      std::filesystem::create_directories(dir);
      SavePng(Render(size, scene), dir + "/" + name + ".png");
    }
    SaveBmp32(Render(WindowIconSize, scene), out.Path(std::string(name) + "-icon.bmp"));
  }
}

}  // namespace assets
