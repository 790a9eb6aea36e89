#include <cmath>
#include <numbers>

#include "art_layer.h"
#include "art_painters.h"
#include "art_regions.h"

namespace assets {

namespace {

constexpr double HalfLength = 14.0, Radius = 4.6, RimRadius = 5.3;

// The shell in its own frame: s along the axis (brass head at negative s), t across it.
// facing is how much the +t side faces the light, which stays up and to the left however
// the shell turns. Returns false outside the shell.
bool ShellColour(double s, double t, double facing, Rgb* c) {
  const double head = -HalfLength + 8.0;
  const double radius = s < -HalfLength + 1.6 ? RimRadius : Radius;
  if (s < -HalfLength || s > HalfLength || std::abs(t) > radius) return false;
  const double round = t / radius;  // -1..1 across the cylinder
  const double light = std::clamp(0.62 + 0.55 * round * facing - 0.35 * round * round, 0.0, 1.0);
  if (s < head) {
    *c = Mix({104, 70, 18}, {255, 226, 120}, light);
    if (std::abs(s - (-HalfLength + 1.6)) < 0.5) *c = Mix(*c, {60, 40, 10}, 0.6);  // rim edge
  } else {
    *c = Mix({92, 12, 14}, {236, 70, 58}, light);
    if (s > HalfLength - 2.2) *c = Mix(*c, {40, 6, 6}, 0.45);  // the opened crimp
    if (std::abs(s - head) < 0.6) *c = Mix(*c, {30, 10, 6}, 0.5);
  }
  return true;
}

// Shell picture e turns by 45 degrees from the last and tips towards the eye as it
// tumbles, so it looks shorter when it points at the shooter.
Layer PaintShell(int e) {
  Layer l(ShellW, ShellH);
  const double angle = -e * std::numbers::pi / 4;
  const double tip = 1.0 - 0.38 * std::abs(std::sin(e * std::numbers::pi / 3));
  const double cx = 27, cy = 32;  // clear of the cloud's columns and of the wipe line's row
  const double ca = std::cos(angle), sa = std::sin(angle);
  const double facing = 0.5 * sa - 0.85 * ca;  // the +t normal against a light from above left
  constexpr int N = 4;
  for (int y = 0; y < ShellH; ++y)
    for (int x = 0; x < ShellW; ++x) {
      double r = 0, g = 0, b = 0;
      int hits = 0;
      for (int j = 0; j < N; ++j)
        for (int i = 0; i < N; ++i) {
          const double px = x + (i + 0.5) / N - cx, py = y + (j + 0.5) / N - cy;
          const double s = (px * ca + py * sa) / tip, t = -px * sa + py * ca;
          Rgb c;
          if (!ShellColour(s, t, facing, &c)) continue;
          r += c.R, g += c.G, b += c.B;
          ++hits;
        }
      if (hits == 0) continue;
      const Rgb avg{static_cast<uint8_t>(r / hits), static_cast<uint8_t>(g / hits),
                    static_cast<uint8_t>(b / hits)};
      l.Paint(x, y, avg, hits / double(N * N));
    }
  return l;
}

}  // namespace

void PaintShells(Image& sheet) {
  for (int e = 0; e < ShellPictures; ++e) {
    const int x = ShellX + ShellPitch * e;
    PutSprite(sheet, PaintShell(e), x, ShellPictureY, x, ShellMaskY);
  }
}

}  // namespace assets
