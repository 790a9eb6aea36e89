// Prints where the controls the end-to-end checks click lie, as shell assignments in the
// game's 640x480 picture coordinates, straight from the game's own layout headers, so the
// checks follow the panels when they are rearranged.
//
//   eval "$(e2e_layout)"

#include <cstdio>

#include "geometry/menu_layout.h"
#include "geometry/options_panel_layout.h"
#include "geometry/roster_layout.h"
#include "geometry/score_card_layout.h"
#include "platform/surface.h"

namespace {

void PrintRect(const char* name, const qm::Rect& rect) {
  std::printf("%s=(%d %d %d %d)\n", name, rect.X, rect.Y, rect.W, rect.H);
}

}  // namespace

int main() {
  PrintRect("ChkPairs0", qm::ChkPairsRect(0));
  PrintRect("ChkFullScreen", qm::ChkFullScreenRect);
  PrintRect("LblOptionsDone", qm::LblOptionsRect(0));
  PrintRect("OptName0", qm::OptNameRect(0));
  PrintRect("LblStatsDone", qm::LblStatsDoneRect);
  PrintRect("Field1", qm::MenuItemRects[0]);
  // The play screen is fixed by the game itself, not by a panel picture: the play area the 600x340
  // window at (20, 30), and the shooter's status line lblStatus sits at (528, 406) beside the hit
  // counts.
  PrintRect("PlayArea", qm::Rect{20, 30, 600, 340});
  PrintRect("StatusLine", qm::Rect{500, 402, 130, 24});
  // The shooter's thrown count, lblClaysThrown(0), on the first row of the score panel.
  PrintRect("ThrownCount", qm::Rect{434, 382, 70, 22});
  // Where the timing run at the start of practice puts the pointer.
  std::printf("RestPoint=(300 220)\n");
  // A patch of sky on the menu, clear of every item and of the shooter board.
  std::printf("Park=(340 40)\n");
  return 0;
}
