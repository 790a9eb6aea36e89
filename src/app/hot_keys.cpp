#include <algorithm>
#include <string>

#include "app/frm_main.h"
#include "platform/message_box.h"

namespace qm {

namespace {

constexpr int MostSensitive = 5;
constexpr int LeastSensitive = 80;

}  // namespace

void FrmMain::Form_KeyDown(int keyCode, int) {
  // F1 opens the guide from the menu, the panels and play alike.
  if (keyCode == KeyF1) OpenHelp();
  if (picHistory->Visible()) {
    if (keyCode == KeyLeft || keyCode == KeyRight) return StepHistory(keyCode == KeyLeft ? -1 : 1);
    if (keyCode == KeyEscape) return lblHistoryDone_Click();
  }
  if (keyCode != KeyEscape) return;
  App.SkipBanner = true;
  App.AbortTournament = true;
  App.StationDone = true;
}

void FrmMain::Form_KeyPress(int keyAscii) {
  PlayerRecord& shooter = Roster.Players[Roster.CurrentPlayer];
  const std::string section = "Player" + std::to_string(Roster.CurrentPlayer);
  auto showGun = [&] {
    lblGunSens->SetCaption(std::to_string(shooter.Gun));
    hscGunSens->SetValue(shooter.Gun);
    App.ApiResult = WriteIni(section, "Gun", static_cast<long>(shooter.Gun));
  };
  // The override keys act only in practice, before the presentation has been called.
  const bool presentationUncalled = lblMode->Caption() == "Practice" && View.ClayProgress == 0;

  switch (keyAscii) {
    case ',':
    case '<':
      shooter.Gun = static_cast<int16_t>(std::min(shooter.Gun + 1, LeastSensitive));
      showGun();
      break;
    case '.':
    case '>':
      shooter.Gun = static_cast<int16_t>(std::max(shooter.Gun - 1, MostSensitive));
      showGun();
      break;
    case '1':
    case '2':
    case '3':
    case '4':
      if (presentationUncalled) {
        App.TrapOverride = static_cast<int16_t>(keyAscii - '0');
        View.ClayProgress = 5;
      }
      break;
    case '`':
    case '~':
      if (presentationUncalled) {
        App.TrapOverride = 0;
        View.ClayProgress = 5;
      }
      break;
    case 'C':
    case 'c':
      picMask->Cls();
      break;
    case 'F':
    case 'f':
      MsgBox(form_, std::to_string(ReadIniInt("Settings", "FPS", 0)) +
                        " Frames per Second (does not consider monitor refresh rate).");
      break;
    case 'S':
    case 's':
      for (ClayRecord& clay : Field.Clays) {
        clay.VX = 0;
        clay.VY = 0;
      }
      break;
    case 'Y':
    case 'y':
      shooter.InvertY = static_cast<int16_t>(-shooter.InvertY);
      App.ApiResult = WriteIni(section, "InvertY", static_cast<long>(shooter.InvertY));
      break;
    default:
      break;
  }
}

}  // namespace qm
