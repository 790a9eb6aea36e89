#include <string>

#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/message_box.h"

namespace qm {

namespace {

constexpr int NoHover = 100;

// Where each non-field item's highlighted image lies along its season's strip.
int StripX(int index) {
  switch (index) {
    case 9:
      return 0;
    case 10:
      return 82;
    case 8:
      return 228;
    case 7:
      return 332;
    case 6:
      return 398;
    case 5:
      return 458;
    default:
      return 0;
  }
}

}  // namespace

void FrmMain::lblMain_MouseDown(int, int, int, int, int) {
  Menu.MenuPressed = true;
  PlayClick();
}

void FrmMain::lblMain_MouseMove(int index, int, int, int, int) {
  if (index == Menu.HoverIndex) return;
  Menu.HoverIndex = static_cast<int16_t>(index);
  PlaySoundFile(host_, "over.wav", SND_ASYNC);
  picSelect->Cls();
  Menu.HoverCleared = false;
  Surface& menu = picSelect->Draw();
  if (index <= 4) {
    BitBlt(menu, 284, 266, art::FieldPlateW, art::FieldPlateH, picArt->Image(),
           art::FieldPlateX + art::FieldPlateW * index, art::FieldPlateY, RasterOp::Copy);
  } else {
    const Label& item = *lblMain[index];
    BitBlt(menu, item.Left(), item.Top(), item.Width(), item.Height(), picArt->Image(),
           StripX(index), art::StripY + art::StripH * Settings.Season, RasterOp::Copy);
  }
}

void FrmMain::picSelect_MouseMove(int, int, int, int) {
  if (Menu.HoverCleared) return;
  Menu.HoverCleared = true;
  Menu.HoverIndex = NoHover;
  picSelect->Cls();
}

void FrmMain::lblMain_MouseUp(int index, int, int, int, int) {
  // Only a press that began on a menu item acts, not a release carried over from a panel.
  if (!Menu.MenuPressed) return;
  Menu.MenuPressed = false;
  switch (index) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      StartPractice(index);
      break;
    case 5:
      StartTournamentSetup();
      break;
    case 6:
      WipeTransition(*picSelect);
      picSelect->Hide();
      form_.Unload(0);
    case 7:
      OpenHelp();
      break;
    case 8:
      WipeTransition(*picSelect);
      picSelect->Hide();
      RefillPlayerList();
      LoadSeasonList();
      picOptions->Show();
      break;
    case 9:
      ShowLifetimeStats();
      break;
    case 10:
      StartFieldEditor();
      break;
    default:
      break;
  }
}

void FrmMain::OpenHelp() {
  if (!host_.OpenHelp(App.HelpFile)) {
    MsgBox(form_,
           "The help file could not be opened." + CR + LF + "It should be at " + App.HelpFile +
               ", and a web browser is needed to read it.",
           vbOKOnly | vbExclamation);
  }
}

void FrmMain::StartFieldEditor() {
  const std::string editor = config_.ProgramDir + "/marlsmith";
  if (!host_.Launch(editor)) {
    MsgBox(form_,
           "The Field Editor could not be started." + CR + LF + "It should be at " + editor + ".",
           vbOKOnly | vbExclamation);
  }
}

}  // namespace qm
