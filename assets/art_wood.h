#pragma once
// Painted wood and lettering shared by the cage, the signs, the plates and the logos.

#include <cstdint>
#include <string>

#include "canvas.h"

namespace assets {

struct WoodTone {
  Rgb Dark, Light;
};

inline constexpr WoodTone Oak{{96, 62, 32}, {168, 120, 70}};
inline constexpr WoodTone Pine{{132, 92, 50}, {206, 160, 102}};
inline constexpr WoodTone Walnut{{58, 38, 24}, {116, 80, 52}};

// Grain running along x (or along y when vertical); the same seed paints the same plank.
Rgb WoodAt(double x, double y, const WoodTone& tone, uint32_t seed, bool vertical = false);

// A painted board: grain, a bevelled rim lit from the top left, a screw in each corner.
void PaintBoard(Image& img, int x, int y, int w, int h, const WoodTone& tone, uint32_t seed);

void PaintScrew(Image& img, double cx, double cy, double r);

// One line of lettering centred on (cx, top y), shrunk until it fits maxWidth, with a drop
// shadow. Returns the text's height.
int PaintCentredText(Image& img, int cx, int y, int maxWidth, const std::string& text, Font font,
                     int size, Rgb colour, Rgb shadow);

}  // namespace assets
