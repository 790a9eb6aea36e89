#include "players/rating.h"

#include <cmath>

namespace qm {

Rating RateScore(int64_t hit, int64_t thrown) {
  Rating rating;
  if (thrown <= 0) return rating;
  const double ratio = static_cast<double>(hit) / static_cast<double>(thrown);
  // Two decimal places, halves away from zero, then as a whole percentage.
  const double score = std::round(ratio * 100.0 + 1e-9 * (ratio >= 0 ? 1 : -1));
  rating.Percentage = static_cast<int>(score);
  if (ratio == 0) return rating;
  if (score >= 80) {
    rating.Class = "AA";
  } else if (score >= 73) {
    rating.Class = "A";
  } else if (score >= 66.7) {
    rating.Class = "B";
  } else if (score >= 60) {
    rating.Class = "C";
  }
  return rating;
}

}  // namespace qm
