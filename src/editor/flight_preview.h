#pragma once
// The path a trap's clay takes, flown frame by frame by the game's own flight code, and the
// warnings a field designer needs about it.

#include <string>
#include <vector>

#include "sim/clay_flight.h"
#include "sim/field_data.h"

namespace qm {

// The speed factor of a machine drawing 100 frames a second: 45 frames take 0.45 s.
inline constexpr float DefaultSpeedFactor = 0.45f;
// Longer flights are cut here; the game itself would fly on until the clay left.
inline constexpr double LongestPreviewSeconds = 30.0;

struct FlightPath {
  std::vector<ClayRecord> Frames;     // the clay after each frame's move, first frame first
  std::vector<int> SizeChanges;       // frames at which the clay's size row changed
  FlightEnd End = FlightEnd::Flying;  // still flying when the preview stopped
  double Seconds = 0;                 // from the throw to the end
  double FrameSeconds = 0;            // one frame at this speed factor
  bool EntersView = false;            // some part of the flight lies where the shooter can look
};

// The ordinary clay of `trap` thrown at `speedFactor` (seconds per 45 frames).
FlightPath FlyClay(const TrapRecord& trap, float speedFactor);
// A rabbit rolled by `trap`, with hops of middling height where the game draws them at random.
FlightPath RunRabbit(const TrapRecord& trap, float speedFactor);

// The designer's warnings for one trap, in the editor's words; empty when all is well.
std::vector<std::string> TrapWarnings(const TrapRecord& trap, const FlightPath& flight);

// "1.8 s, lands" and the like.
std::string DescribeFlight(const FlightPath& flight);

}  // namespace qm
