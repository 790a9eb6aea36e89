#pragma once
// The captions of the menu items that are not fields (Stats, Field Editor, Options, Help,
// Exit, Tournament). The menu picture carries them plain; the art sheet's highlight strip
// of each season carries the same captions highlighted, so that a strip image copied over
// an item's rectangle fits it exactly.

#include "canvas.h"

namespace assets {

struct MenuItemBox {
  int Index;  // lblMain index
  int Left, Top, Width, Height;
  int StripX;  // where its highlighted image lies along the season's strip
  const char* Caption;
};

inline constexpr MenuItemBox MenuItemBoxes[] = {
    {9, 10, 270, 82, 50, 0, "Stats"},       {10, 10, 320, 146, 50, 82, "Field Editor"},
    {8, 10, 370, 104, 50, 228, "Options"},  {7, 10, 420, 66, 50, 332, "Help"},
    {6, 244, 420, 60, 50, 398, "Exit"},     {5, 377, 420, 254, 50, 458, "Tournament"},
};

// Paints an item's caption, plain or highlighted, into the w x h box at (x, y) of img,
// in the colours of `season` (0 or 1). The background under the box is painted too, so the
// strip image and the menu picture agree pixel for pixel around the text when highlighted
// is false.
void PaintMenuItem(Image& img, int x, int y, const MenuItemBox& item, int season,
                   bool highlighted);

}  // namespace assets
