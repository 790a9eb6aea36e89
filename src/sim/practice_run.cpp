#include <string>

#include "app/frm_main.h"

namespace qm {

void FrmMain::RunPractice() {
  LoadAllWaves();
  WipeTransition(*picSelect);
  LoadField();
  if (!Field.FieldLoaded) {
    // A field that did not load is not played: back to the menu.
    picMain->Hide();
    LoadMenuPicture();
    return;
  }
  for (int n = 0; n < 4; ++n) {
    PlayerRecord& p = Roster.Players[n];
    p.Thrown = 0;
    p.Hit = 0;
    lblClaysThrown[n]->SetCaption("0");
    lblClaysHit[n]->SetCaption("0");
    p.Warnings = 0;
    p.Penalty = 0;
  }
  CalibrateTiming();
  Shot.ShootingEnabled = true;
  Shot.PresentationHits = 1;
  Shot.HitSwing = 0;
  PracticeLoop();
  ReleaseMouse();
  WipeTransition(*picMain);
  picMain->Hide();
  picMask->SetPicture({});
  picStats->MakePersistent();
  StatsPractice();
  picStats->Show();
  form_.Refresh();
}

}  // namespace qm
