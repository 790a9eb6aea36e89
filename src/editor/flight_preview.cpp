#include "editor/flight_preview.h"

#include "sim/clay_flight.h"
#include "sim/view_geometry.h"

namespace qm {

namespace {

// 45 frames take SpeedFactor seconds: that is what the timing run measures.
constexpr double TimingRunFrames = 45;

// Where the shooter can look: the view swept over its whole swing.
bool InView(const ClayRecord& clay) {
  const double x = clay.X + 8, y = clay.Y + 3;  // the clay's centre
  return x >= 0 && x < PanXMax + ViewWidth && y >= 0 && y < PanYMax + ViewHeight;
}

// Flies a loaded clay frame by frame with the game's own flight step until it ends.
template <typename Step>
FlightPath Fly(ClayRecord clay, float speedFactor, Step step) {
  FlightPath path;
  path.FrameSeconds = speedFactor / TimingRunFrames;
  clay.State = ClayFlying;
  const int most = static_cast<int>(LongestPreviewSeconds / path.FrameSeconds);
  double sinceTick = 0;
  for (int frame = 0; frame < most; ++frame) {
    // The game ticks on its day clock; here the clock advances one frame at a time.
    sinceTick += path.FrameSeconds;
    const bool tickDue = sinceTick >= PhysicsTick - 1e-9;
    if (tickDue) sinceTick = 0;
    const int16_t row = clay.SpriteY;
    const FlightEnd end = step(clay, tickDue);
    path.Frames.push_back(clay);
    if (clay.SpriteY != row) path.SizeChanges.push_back(frame);
    if (InView(clay)) path.EntersView = true;
    if (end != FlightEnd::Flying) {
      path.End = end;
      break;
    }
  }
  path.Seconds = static_cast<double>(path.Frames.size()) * path.FrameSeconds;
  return path;
}

}  // namespace

FlightPath FlyClay(const TrapRecord& trap, float speedFactor) {
  ClayRecord clay;
  LoadFirstClay(clay, trap, trap.DX, speedFactor, 0.0);
  ApplyDirection(clay, trap);
  int16_t sizeTicks = 0;
  return Fly(clay, speedFactor, [&sizeTicks](ClayRecord& c, bool tickDue) {
    return ClayFrame(c, tickDue, sizeTicks);
  });
}

FlightPath RunRabbit(const TrapRecord& trap, float speedFactor) {
  ClayRecord clay;
  LoadFirstClay(clay, trap, trap.DX, speedFactor, 0.0);
  MakeRabbit(clay, trap, speedFactor, 0.0);
  const RandomSource middling = [] { return 0.5; };
  return Fly(clay, speedFactor,
             [&middling](ClayRecord& c, bool) { return RabbitFrame(c, middling); });
}

}  // namespace qm
