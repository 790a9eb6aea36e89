#include <string>

#include "app/frm_main.h"
#include "match/tournament_schedule.h"
#include "platform/numeric.h"

namespace qm {

void FrmMain::BuildSchedule() {
  Tourney.TourneySchedule = DrawSchedule(
      Settings.Pairs, [this] { return Rnd(); }, [this] { form_.DoEvents(); });
}

void FrmMain::ZeroRunCounts() {
  for (int n = 0; n < 4; ++n) {
    PlayerRecord& p = Roster.Players[n];
    p.Thrown = 0;
    p.Hit = 0;
    lblClaysThrown[n]->SetCaption("0");
    lblClaysHit[n]->SetCaption("0");
    p.Warnings = 0;
    p.Penalty = 0;
  }
}

void FrmMain::ShootField(int field) {
  BuildSchedule();
  picMain->Cls();
  Menu.CurrentField = static_cast<int16_t>(field);
  WipeTransition(*picSelect);
  LoadField();
  if (!Field.FieldLoaded) {
    // A field that did not load is not shot: the tournament ends with the scores so far.
    App.AbortTournament = true;
    return;
  }
  CalibrateTiming();
  for (int p = 0; p < 4; ++p) {
    if (chkTourney[p]->Value() != 1) continue;
    Roster.CurrentPlayer = static_cast<int16_t>(p);
    lblWhosUp->Move(lblWhosUp->Left(), lblShooting[p]->Top());
    Shot.ShootingEnabled = false;
    App.SkipBanner = false;
    ShowNextPlayerBanner();
    if (App.AbortTournament) break;
    Shot.ShootingEnabled = true;
    LoadAllWaves();
    App.StationDone = false;
    Roster.Players[p].Penalty = 0;
    Shot.PresentationHits = 1;
    Shot.HitSwing = 0;
    int16_t presentations = Settings.RoundSize == 50 ? 5 : 10;
    TourneyStationLoop(presentations);
    picMask->Cls();
    if (App.AbortTournament) break;
    Shot.ShellsLeft = 0;
  }
}

void FrmMain::RunTournament() {
  App.AbortTournament = false;
  // Singles never come up in a tournament; the practice setting is put back afterwards.
  const int16_t singles = Settings.Pairs[4];
  Settings.Pairs[4] = 0;
  ZeroRunCounts();
  for (int field = 1; field <= 5; ++field) {
    ShootField(field);
    Shot.ShootingEnabled = false;
    if (App.AbortTournament) break;
    if (field != 5) ShowNextStationBanner();
    // Esc at the station banner ends the tournament there, not after the next field's banner.
    if (App.AbortTournament) break;
    Shot.ShootingEnabled = true;
  }
  for (int n = 0; n < 4; ++n)
    if (optName[n]->Value()) Roster.CurrentPlayer = static_cast<int16_t>(n);
  Settings.Pairs[4] = singles;
  App.AbortTournament = false;
  ReleaseMouse();
  WipeTransition(*picMain);
  picMain->Hide();
  picMask->SetPicture({});
  picStats->MakePersistent();
  StatsTourney();
  picStats->Show();
  form_.Refresh();
}

}  // namespace qm
