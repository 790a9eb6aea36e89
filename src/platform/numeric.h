#pragma once
// Conversions to whole numbers, the old way.

#include <cmath>
#include <cstdint>

namespace qm {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// The FPU's default rounding mode is half-to-even, which lrint follows.
inline int CInt(double v) {
  return static_cast<int>(std::lrint(v));
}
// Floor towards minus infinity (-0.5 -> -1).
inline int Floor(double v) {
  return static_cast<int>(std::floor(v));
}

}  // namespace qm
