#include <string>

#include "app/frm_main.h"
#include "platform/numeric.h"

namespace qm {

void FrmMain::ShowNextPlayerBanner() {
  lblStatus->SetCaption("Next Player");
  lblFieldInfo[0]->SetCaption("");
  lblFieldInfo[1]->SetCaption(TrimSpaces(Roster.Players[Roster.CurrentPlayer].Name) +
                              " is now Shooting");
  RunBanner(270, 438);
}

void FrmMain::ShowNextStationBanner() {
  lblStatus->SetCaption("Next Station");
  if (Menu.CurrentField < 5) {
    lblFieldInfo[0]->SetCaption("");
    lblFieldInfo[1]->SetCaption(" Moving to Field " + std::to_string(Menu.CurrentField + 1));
  }
  RunBanner(80, 516);
}

void FrmMain::RunBanner(int boardX, int boardY) {
  RestPointer(320, 200);
  Shot.GunY = 300;
  ComposeBackdrop();
  App.SkipBanner = false;
  // The view stays live: the next shooter can look over the field before clicking.
  while (!App.SkipBanner) {
    Timing.FrameStart = host_.TimeGetTime();
    do {
      form_.DoEvents();
      Timing.FrameNow = host_.TimeGetTime();
    } while (Timing.FrameNow - Timing.FrameStart <= 10);
    PanStep(PanForm::Display, nullptr);
    ComposeBackdrop();
    DrawScenery(PanForm::Display);
    BitBlt(picWork->Draw(), CInt(190 + View.SwingX), CInt(140 + View.SwingY), 190, 78,
           picArt->Image(), boardX, boardY, RasterOp::Copy);
    PresentFrame();
  }
  App.SkipBanner = false;
}

}  // namespace qm
