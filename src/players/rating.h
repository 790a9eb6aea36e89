#pragma once
// The class rating from hits and targets, shared by the start-up load and every score sheet.

#include <cstdint>
#include <string>

namespace qm {

struct Rating {
  int Percentage = 0;       // whole number shown on the sheets ("67" for 2 of 3)
  std::string Class = "D";  // "AA", "A", "B", "C" or "D"
};

// Ratio hits/targets rounded to two places (halves away from zero), as a percentage, and
// its class. No targets rates as 0 and "D". Hits without targets (only possible in a
// hand-edited file) also rate as 0 and "D" rather than dividing by zero.
Rating RateScore(int64_t hit, int64_t thrown);

}  // namespace qm
