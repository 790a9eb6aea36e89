#pragma once
// Where the tournament panel's boxes and buttons sit on its picture, and where the game
// draws its texts in the bitmap font (each from its field's top left).

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

// The two target counts, per shooter on the first line and per field 18 pixels below.
inline constexpr Rect TourneyTargetsRect{40, 80, 340, 32};
inline constexpr int TourneyPerFieldDy = 18;
// Position i's name and kind k's name, 20 pixels apart.
inline constexpr Rect TourneyNameRect(int position) {
  return {60, 154 + 20 * position, 350, 14};
}
inline constexpr Rect TourneyKindRect(int kind) {
  return {60, 262 + 20 * kind, 220, 14};
}

inline constexpr Rect LblCancelTourneyRect{120, 400, 150, 50};
inline constexpr Rect LblDoTourneyRect{300, 400, 150, 50};

}  // namespace qm
