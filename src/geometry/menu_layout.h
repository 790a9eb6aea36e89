#pragma once
// The main menu's eleven hot areas, lblMain 0 to 10: the five fields drawn on the grounds,
// then Tournament, Exit, Help, Options, Stats and Field Editor. The menu pictures paint each
// field and board inside its area, and the art sheet's highlight strips fit them exactly.

#include "platform/surface.h"

namespace qm {

inline constexpr int MenuItemCount = 11;
inline constexpr int MenuFieldCount = 5;  // lblMain 0 to 4 are the fields

inline constexpr Rect MenuItemRects[MenuItemCount] = {
    {446, 210, 99, 135},  {320, 148, 65, 89},  {200, 144, 67, 81}, {108, 172, 77, 105},
    {160, 228, 105, 127}, {377, 420, 254, 50}, {244, 420, 60, 50}, {10, 420, 66, 50},
    {10, 370, 104, 50},   {10, 270, 82, 50},   {10, 320, 146, 50},
};

}  // namespace qm
