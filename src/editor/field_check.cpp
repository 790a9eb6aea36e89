#include "editor/field_check.h"

#include <cstdio>

#include "editor/field_document.h"
#include "editor/flight_preview.h"

namespace qm {

namespace {

const char* DirectionName(int direction) {
  switch (direction) {
    case Incoming:
      return "Incoming";
    case GoingAway:
      return "Going Away";
    case Crossing:
      return "Crossing";
    default:
      return "(none)";
  }
}

}  // namespace

FieldCheck CheckFieldText(const std::string& name, const std::string& text, float speedFactor) {
  FieldCheck check;
  const ParsedField parsed = ParseFieldDocument(text);
  const std::string refusal = parsed.Field ? SaveRefusal(*parsed.Field) : parsed.Reason;
  if (!refusal.empty()) {
    check.ExitCode = 1;
    check.Reason = name + ": the game would refuse this field: " + refusal;
    return check;
  }
  const FieldDocument& field = *parsed.Field;
  char line[256];
  std::snprintf(line, sizeof line, "%s: \"%s\", %zu trap%s, speed factor %g\n", name.c_str(),
                field.Title.c_str(), field.Traps.size(), field.Traps.size() == 1 ? "" : "s",
                static_cast<double>(speedFactor));
  check.Report += line;
  check.Report +=
      "trap      X      Y      DX      DY  ground  direction   rabbit  flight                      "
      "        label\n";
  std::string warnings;
  for (size_t i = 0; i < field.Traps.size(); ++i) {
    const TrapRecord& t = field.Traps[i].Trap;
    const FlightPath flight = FlyClay(t, speedFactor);
    std::snprintf(line, sizeof line, "%4zu %6d %6d %7g %7g  %6d  %-10s  %-6s  %-34s  %s\n", i + 1,
                  t.X, t.Y, static_cast<double>(t.DX), static_cast<double>(t.DY), t.FloorY,
                  DirectionName(t.Direction), t.Rabbit ? "yes" : "no",
                  DescribeFlight(flight).c_str(), field.Traps[i].Label.c_str());
    check.Report += line;
    for (const std::string& warning : TrapWarnings(t, flight))
      warnings += "  trap " + std::to_string(i + 1) + ": " + warning + "\n";
  }
  check.Report += warnings.empty() ? "No warnings.\n" : "Warnings:\n" + warnings;
  return check;
}

}  // namespace qm
