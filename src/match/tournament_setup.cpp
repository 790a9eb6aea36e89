#include "app/frm_main.h"

namespace qm {

void FrmMain::StartTournamentSetup() {
  App.TrapOverride = 0;
  lblMode->SetCaption("Tournament");
  // The tournament itself is not built yet: the menu stays where it is.
}

}  // namespace qm
