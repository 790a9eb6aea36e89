#pragma once
// A clay's flight and the loading of a presentation's clays from their traps. Pure: the
// station loops, the timing run and the field editor's preview all fly clays with these,
// and draw them themselves.
//
// Speeds are backdrop pixels per frame; VY is positive upwards, Y grows downwards. A frame
// lasts SpeedFactor / 45 seconds on the machine the timing run measured, so loading scales
// every speed by the speed factor.

#include <cstdint>
#include <functional>

#include "sim/field_data.h"
#include "sim/presentation_kind.h"

namespace qm {

// The game's one random source, uniform in [0, 1). Functions that take it draw in the
// game's own order, so a seeded run repeats exactly.
using RandomSource = std::function<double()>;

constexpr int BackdropWidth = 1600;
// Seconds between a clay's drag and gravity ticks; the ticks follow the day clock, not frames.
constexpr double PhysicsTick = 0.1;
// Size row steps come every this many ticks.
constexpr int TicksPerSizeStep = 10;
// The largest size row offset on the art sheet's clay pictures (0 near, 30 far).
constexpr int MaxSizeRow = 30;

// How one frame left a clay: still flying, or lost in one of three ways.
enum class FlightEnd {
  Flying,
  OverTheTop,  // above the top of the backdrop
  Landed,      // came down past its ground line: the landing thud plays
  OffTheSide,  // left the backdrop sideways
};

// -1, 0 or 1.
int SignOf(float v);

// One frame of a thrown clay: it moves by its speeds; when `tickDue` (PhysicsTick seconds since
// its slot's last tick) drag slows it, gravity grows by 5% and pulls, and every tenth tick
// (`sizeTicks`, the slot's count) it steps one size row towards near or far.
FlightEnd ClayFrame(ClayRecord& clay, bool tickDue, int16_t& sizeTicks);

// One frame of a rolling rabbit: gravity every frame, unscaled; touching its ground line it
// hops again, up to six pixels a frame (drawn from `random`). It never lands.
FlightEnd RabbitFrame(ClayRecord& clay, const RandomSource& random);

// ---- Loading a presentation

// The first clay from its trap, with horizontal speed `dx` (the trap's, or varied by the
// tournament) and a random colour from `colourRandom`. Size row and step are left to
// ApplyDirection.
void LoadFirstClay(ClayRecord& clay, const TrapRecord& trap, float dx, float speedFactor,
                   double colourRandom);

// Turns a loaded clay into a rabbit of its trap: eight pixels a frame in the trap's direction,
// one of three looks (from `lookRandom`), and a ground line no lower than the trap.
void MakeRabbit(ClayRecord& clay, const TrapRecord& trap, float speedFactor, double lookRandom);

// The size row and step of a trap's direction; returns the field bar's words for it
// (" - Incoming "), or "" for an unknown direction, which leaves the clay's rows as they were.
const char* ApplyDirection(ClayRecord& clay, const TrapRecord& trap);

// The second clay of a pair of `kind` (Simultaneous, Trailing or Report) from `trap`:
// simultaneous leaves with the first clay, a pixel further its way and ten pixels lower;
// the others vary by up to a pixel across and one upwards. Draws from `random`.
void LoadSecondClayOfPair(ClayRecord& second, const ClayRecord& first, const TrapRecord& trap,
                          int kind, float speedFactor, const RandomSource& random);

// The field bar's words for a presentation kind (" Report").
const char* KindCaption(int kind);

}  // namespace qm
