#pragma once
// The draw of a tournament field's schedule: ten presentations, each a kind the shooters
// allowed and its traps. Pure: the form supplies the random source and the pairs allowed.

#include <array>
#include <cstdint>
#include <functional>

#include "sim/presentation_kind.h"

namespace qm {

// One scheduled presentation of a tournament field.
struct ScheduleEntry {
  int16_t TrapA = 0, TrapB = 0, Kind = 1;
};

using TourneyScheduleTable = std::array<ScheduleEntry, 10>;

// Draws a schedule. Draw order matters for a seeded run: TrapA, then Kind as often as it
// takes to reach one whose `pairs` entry is 1, then TrapB (a trap of its own only for report
// pairs and fur and feather). `afterKindDraw` runs after every kind drawn (the form yields to
// the event queue there, as the game always has). At least one kind must be allowed.
TourneyScheduleTable DrawSchedule(const std::array<int16_t, 5>& pairs,
                                  const std::function<double()>& random,
                                  const std::function<void()>& afterKindDraw);

}  // namespace qm
