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
  ZeroRunCounts();
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
