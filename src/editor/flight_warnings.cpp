// What the editor tells a field designer about a flight.

#include <cstdio>

#include "editor/flight_preview.h"
#include "sim/view_geometry.h"

namespace qm {

namespace {

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", seconds);
  return text;
}

}  // namespace

std::vector<std::string> TrapWarnings(const TrapRecord& trap, const FlightPath& flight) {
  std::vector<std::string> warnings;
  if (trap.X < 0 || trap.X >= BackdropWidth || trap.Y < 0 || trap.Y >= BackdropHeight)
    warnings.push_back("Launched off the picture.");
  if (!flight.EntersView) warnings.push_back("The clay never comes where the shooter can look.");
  if (flight.Seconds < 1.0)
    warnings.push_back("Flies less than a second (" + Seconds(flight.Seconds) + ").");
  if (flight.Seconds > 8.0 || flight.End == FlightEnd::Flying)
    warnings.push_back("Flies more than eight seconds (" + Seconds(flight.Seconds) + ").");
  if (trap.Rabbit != 0 && trap.FloorY < trap.Y)
    warnings.push_back("Rabbit trap with its ground line above the launch point.");
  return warnings;
}

std::string DescribeFlight(const FlightPath& flight) {
  std::string how;
  switch (flight.End) {
    case FlightEnd::Landed:
      how = "lands";
      break;
    case FlightEnd::OverTheTop:
      how = "leaves over the top";
      break;
    case FlightEnd::OffTheSide:
      how = "leaves at the side";
      break;
    case FlightEnd::Flying:
      how = "still flying";
      break;
  }
  std::string text = Seconds(flight.Seconds) + ", " + how;
  const size_t changes = flight.SizeChanges.size();
  if (changes > 0)
    text += ", changes size " + std::to_string(changes) + (changes == 1 ? " time" : " times");
  return text;
}

}  // namespace qm
