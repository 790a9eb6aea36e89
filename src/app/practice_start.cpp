#include <string>

#include "app/frm_main.h"
#include "platform/message_box.h"

namespace qm {

void FrmMain::StartPractice(int index) {
  App.TrapOverride = 0;
  Menu.CurrentField = static_cast<int16_t>(index + 1);
  int selected = 0;
  for (int n = 0; n < 4; ++n) {
    if (optName[n]->Value()) {
      ++selected;
    } else {
      lblShooting[n]->SetCaption(NoShooter);
    }
  }
  if (selected == 0) {
    MsgBox(form_, "Please select a player to practice with.", vbOKOnly | vbCritical);
    return;
  }
  if (selected > 1) {
    MsgBox(form_, "Please select only one player to practice with.", vbOKOnly | vbCritical);
    return;
  }
  const int n = Roster.CurrentPlayer;
  lblShooting[n]->SetCaption(optName[n]->Caption());
  lblWhosUp->Move(lblWhosUp->Left(), lblShooting[n]->Top());
  lblMode->SetCaption("Practice");
  RunPractice();
}

}  // namespace qm
