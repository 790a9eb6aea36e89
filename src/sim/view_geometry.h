#pragma once
// The size of a field's backdrop and of the shooter's view of it, and how far the view swings.

#include "sim/clay_flight.h"  // BackdropWidth

namespace qm {

inline constexpr int BackdropHeight = 800;
inline constexpr int ViewWidth = 600;
inline constexpr int ViewHeight = 340;
inline constexpr int PanXMax = 1000;  // the view's left edge swings over 0..PanXMax
inline constexpr int PanYMax = 460;

}  // namespace qm
