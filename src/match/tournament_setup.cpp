#include <string>

#include "app/frm_main.h"
#include "geometry/tourney_panel_layout.h"
#include "platform/message_box.h"

namespace qm {

namespace {

constexpr const char* KindNames[4] = {"Simultaneous", "Trailing", "Report", "Fur and Feather"};

}  // namespace

void FrmMain::BuildTourneyControls() {
  Control* panel = picTourney.get();
  for (int n = 0; n < 4; ++n) {
    chkTourney[n] = std::make_unique<CheckBox>(form_, panel, "chkTourney", n);
    const Rect r = ChkTourneyRect(n);
    chkTourney[n]->Move(r.X, r.Y, r.W, r.H);
    chkTourney[n]->ToolTipText = "Add or Remove Shooters";
  }
  for (int k = 0; k < 4; ++k) {
    chkAllowed[k] = std::make_unique<CheckBox>(form_, panel, "chkAllowed", k);
    const Rect r = ChkAllowedRect(k);
    chkAllowed[k]->Move(r.X, r.Y, r.W, r.H);
    chkAllowed[k]->ToolTipText = "Change Clay Options";
    chkAllowed[k]->Click = [this, k] { chkAllowed_Click(k); };
  }
  lblDoTourney = std::make_unique<Label>(form_, panel, "lblDoTourney");
  lblDoTourney->Move(LblDoTourneyRect.X, LblDoTourneyRect.Y, LblDoTourneyRect.W,
                     LblDoTourneyRect.H);
  lblDoTourney->ToolTipText = "Start the Tournament";
  lblDoTourney->Click = [this] { lblDoTourney_Click(); };
  lblCancelTourney = std::make_unique<Label>(form_, panel, "lblCancelTourney");
  lblCancelTourney->Move(LblCancelTourneyRect.X, LblCancelTourneyRect.Y, LblCancelTourneyRect.W,
                         LblCancelTourneyRect.H);
  lblCancelTourney->ToolTipText = "Cancel the Tournament";
  lblCancelTourney->Click = [this] { lblCancelTourney_Click(); };
}

void FrmMain::StartTournamentSetup() {
  App.TrapOverride = 0;
  lblMode->SetCaption("Tournament");
  WipeTransition(*picSelect);
  picSelect->Hide();
  picTourney->MakePersistent();
  SetupTourney();
  picTourney->Show();
}

void FrmMain::SetupTourney() {
  int x = TourneyTargetsRect.X, y = TourneyTargetsRect.Y;
  DrawTourneyInfo(std::to_string(Settings.RoundSize) + " Targets per Shooter", x, y);
  x = TourneyTargetsRect.X;
  y = TourneyTargetsRect.Y + TourneyPerFieldDy;
  DrawTourneyInfo(std::to_string(Settings.RoundSize / 5) + " Targets per Field", x, y);
  for (int i = 0; i < 4; ++i) {
    const PlayerRecord& p = Roster.Players[i];
    x = TourneyNameRect(i).X;
    y = TourneyNameRect(i).Y;
    DrawTourneyInfo(PadNameField(p.Name), x, y);
    // Kept: only the "No Shooter" mark closes a position; a blank name can still be entered.
    if (TrimSpaces(p.Name) != NoShooter) {
      chkTourney[i]->SetEnabled(true);
      // The one forced tick: the shooter chosen on the menu; other boxes keep their state.
      if (optName[i]->Value()) chkTourney[i]->SetValue(1);
    } else {
      chkTourney[i]->SetEnabled(false);
    }
  }
  for (int k = 0; k < 4; ++k) chkAllowed[k]->SetValue(Settings.Pairs[k]);
  for (int k = 0; k < 4; ++k) {
    x = TourneyKindRect(k).X;
    y = TourneyKindRect(k).Y;
    DrawTourneyInfo(KindNames[k], x, y);
  }
}

void FrmMain::chkAllowed_Click(int index) {
  Settings.Pairs[index] = static_cast<int16_t>(chkAllowed[index]->Value());
  chkPairs[index]->SetValue(chkAllowed[index]->Value());
}

void FrmMain::CloseTourneyPanel() {
  picTourney->Hide();
  picTourney->Cls();
}

void FrmMain::lblDoTourney_Click() {
  if (Settings.Pairs[0] + Settings.Pairs[1] + Settings.Pairs[2] + Settings.Pairs[3] == 0) {
    MsgBox(form_, "You must select at least one 'Clays Allowed' option.", vbOKOnly | vbCritical);
    return;
  }
  int entered = 0;
  for (auto& box : chkTourney) entered += box->Value();
  if (entered == 0) {
    MsgBox(form_, "You must select at least one Shooter.", vbOKOnly | vbCritical);
    return;
  }
  for (int i = 0; i < 4; ++i) {
    lblShooting[i]->SetCaption(chkTourney[i]->Value() == 1 ? TrimSpaces(Roster.Players[i].Name)
                                                           : std::string(NoShooter));
  }
  PlayClick();
  CloseTourneyPanel();
  RunTournament();
}

void FrmMain::lblCancelTourney_Click() {
  PlayClick();
  CloseTourneyPanel();
  LoadMenuPicture();
}

}  // namespace qm
