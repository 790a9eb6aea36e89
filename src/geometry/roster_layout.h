#pragma once
// Where the main menu's shooter board puts the four position buttons `optName` and the
// class labels `lblScores`; the menu pictures paint the board to match.

#include "platform/surface.h"

namespace qm {

// The hanging board on the menu that frames the roster.
inline constexpr Rect RosterBoard{400, 12, 230, 186};
inline constexpr int RosterTitleY = 22;

// Position n is shown as "Shooter Position" n + 1, top to bottom.
inline constexpr Rect OptNameRect(int position) {
  return {414, 52 + 34 * position, 138, 26};
}
inline constexpr Rect ScoresRect(int position) {
  return {558, 56 + 34 * position, 64, 18};
}

}  // namespace qm
