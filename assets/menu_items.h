#pragma once
// The captions of the menu items that are not fields (Stats, Field Editor, Options, Help,
// Exit, Tournament). The menu picture carries them plain; the art sheet's highlight strip
// of each season carries the same captions highlighted, so that a strip image copied over
// an item's rectangle fits it exactly.

#include "canvas.h"
#include "geometry/menu_layout.h"

namespace assets {

struct MenuItemBox {
  int Index;  // lblMain index
  int Left, Top, Width, Height;
  int StripX;  // where its highlighted image lies along the season's strip
  const char* Caption;
};

// The item's place is the menu's hot area for its lblMain index.
constexpr MenuItemBox MenuBox(int index, int stripX, const char* caption) {
  const qm::Rect& r = qm::MenuItemRects[index];
  return {index, r.X, r.Y, r.W, r.H, stripX, caption};
}

inline constexpr MenuItemBox MenuItemBoxes[] = {
    MenuBox(9, 0, "Stats"),  MenuBox(10, 82, "Field Editor"), MenuBox(8, 228, "Options"),
    MenuBox(7, 332, "Help"), MenuBox(6, 398, "Exit"),         MenuBox(5, 458, "Tournament"),
};

// Paints an item's caption, plain or highlighted, into the w x h box at (x, y) of img,
// in the colours of `season` (0 or 1). The background under the box is painted too, so the
// strip image and the menu picture agree pixel for pixel around the text when highlighted
// is false.
void PaintMenuItem(Image& img, int x, int y, const MenuItemBox& item, int season, bool highlighted);

}  // namespace assets
