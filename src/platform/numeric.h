#pragma once
// Conversions to whole numbers, the old way.

#include <cmath>
#include <cstdint>

namespace qm {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
inline long CInt(double v) { return std::lrint(v); }  // the FPU default rounding is half-to-even
// Floor towards minus infinity (-0.5 -> -1).
inline long Floor(double v) { return static_cast<long>(std::floor(v)); }

}  // namespace qm
