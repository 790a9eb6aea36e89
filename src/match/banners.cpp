#include <string>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/numeric.h"

namespace qm {

void FrmMain::ShowNextPlayerBanner() {
  lblStatus->SetCaption("Next Player");
  lblFieldInfo[0]->SetCaption("");
  lblFieldInfo[1]->SetCaption(TrimSpaces(Roster.Players[Roster.CurrentPlayer].Name) +
                              " is now Shooting");
  RunBanner(art::PlayerBannerX, art::PlayerBannerY);
}

void FrmMain::ShowNextStationBanner() {
  lblStatus->SetCaption("Next Station");
  if (Menu.CurrentField < 5) {
    lblFieldInfo[0]->SetCaption("");
    lblFieldInfo[1]->SetCaption(" Moving to Field " + std::to_string(Menu.CurrentField + 1));
  }
  RunBanner(art::StationBannerX, art::StationBannerY);
}

void FrmMain::RunBanner(int boardX, int boardY) {
  RestPointer(320, 200);
  Shot.GunY = 300;
  ComposeBackdrop();
  App.SkipBanner = false;
  // The view stays live: the next shooter can look over the field before clicking.
  while (!App.SkipBanner) {
    WaitFrame(FrameWait::FromNow);
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
