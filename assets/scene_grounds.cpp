#include "scene_grounds.h"

#include <algorithm>
#include <cmath>

#include "scene_paint.h"

namespace assets {

GroundsPalette GroundsPaletteOf(int season) {
  if (season == 0)
    return {.SkyTop = {56, 112, 196},
            .SkyHorizon = {200, 220, 236},
            .Cloud = {252, 250, 244},
            .FarHills = {118, 150, 150},
            .GrassDark = {62, 110, 44},
            .GrassLight = {118, 160, 70},
            .Path = {206, 190, 150},
            .Canopy = {{40, 92, 36}, {62, 118, 44}, {86, 136, 52}},
            .Meadow = {150, 196, 84},
            .MeadowFlower = {250, 236, 120},
            .Bracken = {104, 124, 60},
            .Water = {52, 112, 168},
            .WaterShine = {196, 228, 244},
            .Rock = {150, 146, 134},
            .Roof = {150, 66, 44},
            .Bare = false,
            .Overcast = 0.0};
  return {.SkyTop = {84, 92, 110},
          .SkyHorizon = {232, 188, 146},
          .Cloud = {196, 192, 194},
          .FarHills = {132, 126, 130},
          .GrassDark = {92, 88, 48},
          .GrassLight = {150, 132, 74},
          .Path = {190, 170, 136},
          .Canopy = {{156, 70, 26}, {198, 122, 40}, {120, 86, 40}},
          .Meadow = {176, 160, 92},
          .MeadowFlower = {214, 140, 70},
          .Bracken = {148, 96, 50},
          .Water = {70, 96, 120},
          .WaterShine = {210, 214, 220},
          .Rock = {140, 134, 126},
          .Roof = {112, 54, 40},
          .Bare = true,
          .Overcast = 0.6};
}

int HorizonAt(int x) {
  return 104 + static_cast<int>(10 * FractalNoise(x / 90.0, 1.5, 3, 611));
}

namespace {

Rgb SkyAt(const GroundsPalette& p, int x, int y, int horizon) {
  Rgb c = Mix(p.SkyTop, p.SkyHorizon, std::pow(static_cast<double>(y) / horizon, 1.4));
  const double cloud = FractalNoise(x / 80.0, y / 22.0, 5, 612);
  const double threshold = 0.55 - 0.25 * p.Overcast;
  // Overcast skies thin out towards the horizon, where the low sun shows through.
  const double thinning = 1.0 - p.Overcast * 0.7 * static_cast<double>(y) / horizon;
  return Mix(c, p.Cloud, std::clamp((cloud - threshold) * 2.6, 0.0, 0.9) * thinning);
}

Rgb LandAt(const GroundsPalette& p, int x, int y, int horizon) {
  const double rough = FractalNoise(x / 70.0, y / 34.0, 5, 613);
  const double tuft = ValueNoise(x / 2.5, y / 2.0, 614);
  Rgb c = Mix(p.GrassDark, p.GrassLight, 0.25 + 0.6 * rough);
  c = Mix(c, {0, 0, 0}, 0.12 * tuft);
  // Far land fades into the haze of the horizon.
  const double haze = std::clamp(1.0 - (y - horizon) / 140.0, 0.0, 1.0);
  return Mix(c, p.FarHills, 0.55 * haze * haze);
}

}  // namespace

void PaintSkyAndLand(Image& img, const GroundsPalette& p) {
  for (int x = 0; x < img.W(); ++x) {
    const int horizon = HorizonAt(x);
    const double hills = horizon - 22 * FractalNoise(x / 120.0, 7.5, 3, 615) - 4;
    for (int y = 0; y < img.H(); ++y) {
      Rgb c;
      if (y < hills)
        c = SkyAt(p, x, y, horizon);
      else if (y < horizon)
        c = Mix(p.FarHills, p.SkyHorizon, 0.35 + 0.2 * FractalNoise(x / 20.0, y / 6.0, 2, 616));
      else
        c = LandAt(p, x, y, horizon);
      img.Set(x, y, c);
    }
    // A soft line of distant woods where the land meets the hills.
    for (int d = 0; d < 5; ++d)
      img.Blend(x, horizon + d, p.Canopy[0], 0.5 * FractalNoise(x / 6.0, d, 2, 617));
  }
}

void PaintPath(Image& img, double x0, double y0, double x1, double y1, const GroundsPalette& p) {
  const double mx = (x0 + x1) / 2 + (y1 - y0) * 0.12, my = (y0 + y1) / 2 - (x1 - x0) * 0.12;
  const int steps = 80;
  for (int k = 0; k <= steps; ++k) {
    const double t = static_cast<double>(k) / steps;
    const double x = (1 - t) * (1 - t) * x0 + 2 * (1 - t) * t * mx + t * t * x1;
    const double y = (1 - t) * (1 - t) * y0 + 2 * (1 - t) * t * my + t * t * y1;
    // Farther up the picture the path narrows with the distance.
    const double width = 1.5 + 3.0 * std::clamp((y - 100) / 380.0, 0.0, 1.0);
    FillEllipse(img, x, y, width, width * 0.7, p.Path, 0.85);
  }
}

void PaintGroundsTree(Image& img, double x, double y, double r, const GroundsPalette& p,
                      uint32_t seed) {
  FillEllipse(img, x + r * 0.6, y + r * 0.35, r * 1.1, r * 0.45, {0, 0, 0}, 0.3);
  StrokeLine(img, x, y, x, y - r * 0.9, std::max(1.5, r * 0.25), {70, 48, 30}, 1.0);
  Noise n(seed);
  const Rgb crown = p.Canopy[n.Next() % 3];
  if (p.Bare && n.Uniform() < 0.3) {
    for (int b = 0; b < 5; ++b) {
      const double a = -2.6 + b * 0.55;
      StrokeLine(img, x, y - r * 0.6, x + std::cos(a) * r, y - r * 0.9 + std::sin(a) * r, 1.0,
                 {78, 58, 42}, 0.9);
    }
    return;
  }
  const double cy = y - r * 1.2;
  for (int k = 0; k < 6; ++k) {
    const double dx = n.Range(-0.45, 0.45) * r, dy = n.Range(-0.35, 0.35) * r;
    FillEllipse(img, x + dx, cy + dy, r * 0.62, r * 0.58, crown, 1.0);
  }
  FillEllipse(img, x - r * 0.25, cy - r * 0.25, r * 0.45, r * 0.38,
              Mix(crown, {255, 250, 210}, 0.3), 0.7);
  FillEllipse(img, x + r * 0.3, cy + r * 0.35, r * 0.5, r * 0.3, Mix(crown, {0, 0, 0}, 0.35), 0.6);
}

void PaintClubhouse(Image& img, int x, int y, const GroundsPalette& p) {
  FillEllipse(img, x + 36, y + 44, 40, 10, {0, 0, 0}, 0.3);
  img.FillRect(x + 4, y + 18, 60, 26, {226, 214, 186});
  for (int j = 0; j < 26; ++j) img.Blend(x + 4 + 44, y + 18 + j, {0, 0, 0}, 0.15);
  img.FillRect(x + 48, y + 18, 16, 26, Mix({226, 214, 186}, {0, 0, 0}, 0.25));
  for (int i = 0; i < 3; ++i) img.FillRect(x + 10 + 12 * i, y + 24, 7, 8, {70, 90, 110});
  img.FillRect(x + 34, y + 30, 8, 14, {92, 56, 30});
  // The roof's long slope faces the viewer.
  for (int j = 0; j < 20; ++j) {
    const int inset = 8 - j * 8 / 20;
    for (int i = inset; i < 68 - inset / 2; ++i)
      img.Set(x + i, y + j, Mix(p.Roof, {0, 0, 0}, (j % 4 == 3 ? 0.25 : 0.0) + 0.1 * j / 20.0));
  }
  img.FillRect(x + 50, y - 6, 6, 10, {120, 70, 50});
  if (p.Bare)
    for (int k = 0; k < 8; ++k)
      FillEllipse(img, x + 54 + k * 2.5, y - 10 - k * 5, 3 + k * 0.6, 2.5 + k * 0.4,
                  {220, 220, 220}, 0.35 - k * 0.03);
}

void PaintSignboard(Image& img, int x, int y, int w, int h) {
  FillEllipse(img, x + w / 2.0 + 8, y + h + 30, w * 0.55, 6, {0, 0, 0}, 0.3);
  for (int post : {x + 10, x + w - 16}) {
    img.FillRect(post, y + h - 4, 6, 34, {88, 58, 32});
    img.FillRect(post + 4, y + h - 4, 2, 34, {60, 38, 20});
  }
  PaintDropShadow(img, x, y, w, h, 6);
  PaintWoodPanel(img, x, y, w, h, {86, 54, 26}, {150, 104, 58}, 618);
  PaintBrassFrame(img, x, y, w, h, 2);
  DrawCentredText(img, x + w / 2, y + 8, "Choose", Font::SerifBold, 12, {244, 232, 204}, true);
  DrawCentredText(img, x + w / 2, y + 23, "a Field", Font::SerifBold, 12, {244, 232, 204}, true);
}

}  // namespace assets
