#include "sim/clay_flight.h"

#include <algorithm>

#include "geometry/art_regions.h"
#include "platform/numeric.h"

namespace qm {

namespace {

bool OffTheBackdropSideways(const ClayRecord& clay) {
  return clay.X < 0 || clay.X > BackdropWidth;
}

// Loads a second clay's speeds, colour and ground; its height is the caller's.
void LoadSecondClay(ClayRecord& clay, const ClayRecord& first, const TrapRecord& trap, float vx,
                    float vy, float speedFactor, double colourRandom) {
  const float sf = speedFactor;
  clay.State = ClayLoaded;
  clay.X = trap.X;
  clay.VX = vx * sf;
  clay.VY = vy * sf;
  clay.SpriteX =
      static_cast<int16_t>(art::ClayPictureX + art::ClayColumnPitch * Floor(4 * colourRandom));
  clay.FloorY = trap.FloorY;
  // Kept: the second clay's drag takes its sign from the first clay's horizontal speed.
  clay.DragX = static_cast<float>(-SignOf(first.VX)) * sf * 0.02f;
  clay.Gravity = sf * 0.1f;
  clay.IsRabbit = 0;
}

}  // namespace

int SignOf(float v) {
  return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

FlightEnd ClayFrame(ClayRecord& clay, bool tickDue, int16_t& sizeTicks) {
  clay.X += clay.VX;
  clay.Y -= clay.VY;
  if (tickDue) {
    clay.VX += clay.DragX;
    clay.Gravity *= 1.05f;
    clay.VY -= clay.Gravity;
    if (++sizeTicks == TicksPerSizeStep) {
      clay.SpriteY = static_cast<int16_t>(std::clamp(clay.SpriteY + clay.SizeStep, 0, MaxSizeRow));
      sizeTicks = 0;
    }
  }
  if (clay.Y < 0) return FlightEnd::OverTheTop;
  if (clay.VY < 0 && clay.Y > clay.FloorY) return FlightEnd::Landed;
  if (OffTheBackdropSideways(clay)) return FlightEnd::OffTheSide;
  return FlightEnd::Flying;
}

FlightEnd RabbitFrame(ClayRecord& clay, const RandomSource& random) {
  clay.X += clay.VX;
  clay.Y -= clay.VY;
  clay.VY -= clay.Gravity;
  if (clay.Y < 0) return FlightEnd::OverTheTop;
  if (clay.Y >= clay.FloorY) clay.VY = static_cast<float>(6 * random());
  if (OffTheBackdropSideways(clay)) return FlightEnd::OffTheSide;
  return FlightEnd::Flying;
}

void LoadFirstClay(ClayRecord& clay, const TrapRecord& trap, float dx, float speedFactor,
                   double colourRandom) {
  const float sf = speedFactor;
  clay.State = ClayLoaded;
  clay.X = trap.X;
  clay.Y = trap.Y;
  clay.VX = dx * sf;
  clay.VY = trap.DY * sf;
  clay.SpriteX =
      static_cast<int16_t>(art::ClayPictureX + art::ClayColumnPitch * Floor(4 * colourRandom));
  clay.FloorY = trap.FloorY;
  clay.DragX = static_cast<float>(-SignOf(clay.VX)) * sf * 0.02f;
  clay.Gravity = sf * 0.1f;
  clay.IsRabbit = 0;
}

void MakeRabbit(ClayRecord& clay, const TrapRecord& trap, float speedFactor, double lookRandom) {
  clay.IsRabbit = -1;
  clay.Gravity = 1.0f;  // not scaled by the timing run
  clay.VX = static_cast<float>(SignOf(trap.DX) * 8) * speedFactor;
  clay.SpriteX =
      static_cast<int16_t>(art::RabbitPictureX + art::RabbitPitch * Floor(3 * lookRandom));
  if (clay.FloorY > trap.Y) clay.FloorY = trap.Y;
}

const char* ApplyDirection(ClayRecord& clay, const TrapRecord& trap) {
  switch (trap.Direction) {
    case Incoming:
      clay.SizeStep = -6;
      clay.SpriteY = 30;
      return " - Incoming ";
    case GoingAway:
      clay.SizeStep = 6;
      clay.SpriteY = 0;
      return " - Going Away ";
    case Crossing:
      clay.SizeStep = 0;
      clay.SpriteY = 18;
      return " - Crossing ";
    default:
      return "";
  }
}

void LoadSecondClayOfPair(ClayRecord& second, const ClayRecord& first, const TrapRecord& trap,
                          int kind, float speedFactor, const RandomSource& random) {
  if (kind == Simultaneous) {
    const float vy = static_cast<float>(trap.DY + random());
    LoadSecondClay(second, first, trap, static_cast<float>(SignOf(first.VX)) + trap.DX, vy,
                   speedFactor, random());
    second.Y = trap.Y + 10;
  } else {
    const float vx = static_cast<float>(Floor(3 * random())) + trap.DX - 1;
    const float vy = static_cast<float>(trap.DY + random());
    LoadSecondClay(second, first, trap, vx, vy, speedFactor, random());
    second.Y = trap.Y;
  }
}

const char* KindCaption(int kind) {
  switch (kind) {
    case Simultaneous:
      return " Simultaneous";
    case Trailing:
      return " Trailing";
    case Report:
      return " Report";
    case FurAndFeather:
      return " Fur and Feather";
    default:
      return " Single";
  }
}

}  // namespace qm
