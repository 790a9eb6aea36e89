#pragma once
// The land of a backdrop: hazy far hills, and grass, fields and tracks textured by how far
// away they lie, so that speed and distance can be read against them.

#include <cstdint>
#include <functional>

#include "backdrop_palette.h"

namespace assets {

// Where a point of the land lies: Z is its distance (1 at the foot of the picture, growing
// away), U across and V along the ground, both in metres.
struct GroundPoint {
  float Z, U, V;
};
using GroundMap = std::function<GroundPoint(int x, int y)>;

// Level ground vanishing at horizonY.
GroundMap FlatGround(float horizonY);
// A slope facing the shooter whose top edge is `top`, `farZ` away there and `nearZ` at row nearY.
GroundMap Slope(const Profile& top, float farZ, float nearZ, float nearY);

// Length of one field of the farm along the ground, metres: hedges planted on these lines
// bound the patchwork of crops and pasture.
inline constexpr float FieldLength = 70;

// The line below `top` along which the ground lies `metres` away, `metres` along V.
Profile ContourAt(const GroundMap& ground, const Profile& top, float metres, int height);

// How far haze has veiled a point `z` away, 0..1.
float HazeAt(float z);

// A far ridge of hills, from its profile down to the bottom of the picture.
void PaintRidge(Painting& p, const Profile& top, Colour colour, float haze,
                const SeasonPalette& pal, uint32_t seed);

struct MeadowStyle {
  float Patchwork = 1;    // how strongly the fields of the farm differ from one another
  float MownStripes = 0;  // strength of the mower's stripes on the near ground
  float Dryness = 0.3f;   // share of pale, dry grass
};

// Grass below `top` (down to the picture's foot), shaded by the ground map.
void PaintMeadow(Painting& p, const Profile& top, const GroundMap& ground, const SeasonPalette& pal,
                 const MeadowStyle& style, uint32_t seed);

// Brightens the faces of a slope turned to the sun and darkens those turned away, fading
// out `depth` pixels below the slope's top.
void PaintSlopeLight(Painting& p, const Profile& top, const SeasonPalette& pal, float depth);

// Flowers or fallen leaves dotted over the near grass below `top`.
void PaintFlecks(Painting& p, const Profile& top, const GroundMap& ground, const SeasonPalette& pal,
                 int count, uint32_t seed);

// A worn earth track along row y (its middle), from x0 to x1, for the rabbit to run on.
void PaintTrack(Painting& p, float y, float x0, float x1, float width, const SeasonPalette& pal,
                uint32_t seed);

// The soft shadow of something standing on the ground.
void PaintGroundShadow(Painting& p, float cx, float cy, float rx, float ry, float strength);

}  // namespace assets
