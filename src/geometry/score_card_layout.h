#pragma once
// Where the score card's buttons and text box sit on its picture. The sheet's values are
// drawn by the game in the bitmap font at their fixed places; shooter block n lies 70 n
// pixels below the first.

#include "platform/surface.h"

namespace qm {

inline constexpr int ScoreBlockPitch = 70;
// Where the bitmap font draws the sheet's title and shooter 0's values (at each field's top
// left), and how far each may run; shooter n's lie ScoreBlockPitch n lower.
inline constexpr Rect SheetTitleRect{320, 40, 160, 14};
inline constexpr Rect SheetNameRect{166, 63, 350, 14};
inline constexpr Rect SheetPercentRect{190, 87, 56, 14};
inline constexpr Rect SheetThrownRect{446, 90, 84, 14};
inline constexpr Rect SheetRatingRect{206, 113, 100, 14};
inline constexpr Rect SheetHitRect{446, 113, 84, 14};
inline constexpr Rect InScoreBlock(Rect field, int position) {
  field.Y += ScoreBlockPitch * position;
  return field;
}
// The flat baize card behind the title word and the four shooter blocks.
inline constexpr Rect ScoreCardRect{24, 30, 592, 314};
// Shooter n's block, from above its name (y 63) to below its hit count (y 113, 14 high).
inline constexpr Rect ScoreBlockRect(int position) {
  return {24, 58 + ScoreBlockPitch * position, 592, 72};
}
inline constexpr Rect LblResetRect(int position) {
  return {536, 74 + ScoreBlockPitch * position, 70, 34};
}

inline constexpr Rect TxtStatsRect{24, 352, 380, 118};
inline constexpr Rect LblPrintRect{420, 406, 90, 48};
inline constexpr Rect LblStatsDoneRect{520, 406, 96, 48};

}  // namespace qm
