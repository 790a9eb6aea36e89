#include "app/frm_main.h"
#include "geometry/art_regions.h"

namespace qm {

void FrmMain::WipeTransition(PictureBox& target) {
  target.SetEnabled(false);
  // Five interleaved passes of the wipe line: a venetian blind over 481 lines.
  for (int start = 0; start <= 4; ++start) {
    for (int y = start; y <= 480; y += 5) {
      BitBlt(target.Draw(), 0, y, art::WipeW, 1, picArt->Image(), art::WipeX, art::WipeY,
             RasterOp::Copy);
      form_.PumpEvents();
    }
    if (start < 4) WaitSeconds(0.01, false);
  }
  target.SetEnabled(true);
}

}  // namespace qm
