#include "match/tournament_schedule.h"

#include "platform/numeric.h"

namespace qm {

TourneyScheduleTable DrawSchedule(const std::array<int16_t, 5>& pairs,
                                  const std::function<double()>& random,
                                  const std::function<void()>& afterKindDraw) {
  TourneyScheduleTable schedule;
  for (ScheduleEntry& entry : schedule) {
    entry.TrapA = static_cast<int16_t>(Floor(random() * 4));
    do {
      entry.Kind = static_cast<int16_t>(Floor(random() * 5) + 1);
      afterKindDraw();
    } while (pairs[entry.Kind - 1] != 1);
    entry.TrapB = entry.Kind <= Trailing ? entry.TrapA : static_cast<int16_t>(Floor(random() * 4));
  }
  return schedule;
}

}  // namespace qm
