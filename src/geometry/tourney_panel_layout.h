#pragma once
// Where the tournament panel's boxes and buttons sit on its picture. The texts beside them
// are drawn by the game in the bitmap font at their fixed places (targets at y 80 and 98,
// names from y 154, kinds from y 262, 20 pixels apart).

#include "platform/surface.h"

namespace qm {

// The flat baize card behind the bitmap text; the font cells are painted on the same colour.
inline constexpr Rect TourneyCard{24, 60, 440, 300};

// One box per shooter position, beside the name drawn at (60, 154 + 20 i).
inline constexpr Rect ChkTourneyRect(int position) {
  return {36, 152 + 20 * position, 18, 18};
}
// One box per pair kind, beside the kind drawn at (60, 262 + 20 k).
inline constexpr Rect ChkAllowedRect(int kind) {
  return {36, 260 + 20 * kind, 18, 18};
}

inline constexpr Rect LblCancelTourneyRect{120, 400, 150, 50};
inline constexpr Rect LblDoTourneyRect{300, 400, 150, 50};

}  // namespace qm
