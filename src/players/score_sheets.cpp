#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "platform/message_box.h"
#include "players/rating.h"
#include "players/score_sheet_text.h"
#include "sim/field_number.h"

namespace qm {

namespace {

// A score count as the settings file holds it: a 32-bit whole number, halves to even. Where
// the old game stopped with an overflow, the count is held at the 32-bit edge instead.
int32_t CountOf(double value) {
  if (std::isnan(value)) return 0;
  const double held = std::clamp(value, double(INT32_MIN), double(INT32_MAX));
  return static_cast<int32_t>(std::nearbyint(held));
}

// A hand-edited lifetime value reads as its leading number, 0 if it has none.
int32_t CountFromText(const std::string& text) {
  return CountOf(LeadingNumber(text));
}

}  // namespace

void FrmMain::ShowSheet(SheetKind kind, const ScoreSheet& sheet) {
  Scores.SheetKind = kind;
  Scores.SheetText = sheet.Text;
  for (const SheetValue& value : sheet.Values) {
    int x = value.X, y = value.Y;
    DrawBitmapText(value.Text, x, y);
  }
  txtStats->SetText(Scores.SheetText);
}

void FrmMain::StatsPractice() {
  const int n = Roster.CurrentPlayer;
  const PlayerRecord& p = Roster.Players[n];
  ShowSheet(SheetKind::Practice,
            PracticeSheet(host_.LongTimeAndDate(), {n, PadNameField(p.Name), p.Hit, p.Thrown}));
}

void FrmMain::StatsLifetime() {
  std::vector<SheetEntry> shooters;
  for (int n = 0; n < 4; ++n) {
    const std::string section = "Player" + std::to_string(n);
    std::string name = ReadIniText(section, "Name", "");
    if (name.empty()) name = NoShooter;
    shooters.push_back({n, name, CountFromText(ReadIniText(section, "Hit", "0")),
                        CountFromText(ReadIniText(section, "Thrown", "0"))});
  }
  const ScoreSheet sheet = LifetimeSheet(host_.LongTimeAndDate(), shooters);
  for (int n = 0; n < 4; ++n) {
    // Hits with no targets (a hand-edited file) show 0 and "D", as no targets at all do.
    Roster.Players[n].Class = sheet.Ratings[n].Class;
    lblScores[n]->SetCaption("Class " + sheet.Ratings[n].Class);
  }
  ShowSheet(SheetKind::Lifetime, sheet);
}

void FrmMain::StatsTourney() {
  std::vector<SheetEntry> shooters;
  for (int n = 0; n < 4; ++n) {
    if (chkTourney[n]->Value() != 1) continue;
    PlayerRecord& p = Roster.Players[n];
    p.Name = TrimSpaces(p.Name);
    shooters.push_back({n, p.Name, p.Hit, p.Thrown});
  }
  const ScoreSheet sheet = TournamentSheet(host_.LongTimeAndDate(), shooters);
  for (size_t i = 0; i < shooters.size(); ++i)
    Roster.Players[shooters[i].Position].Class = sheet.Ratings[i].Class;
  ShowSheet(SheetKind::Tournament, sheet);
}

void FrmMain::UpdateLifetimeScore(int n) {
  PlayerRecord& p = Roster.Players[n];
  const std::string section = "Player" + std::to_string(n);
  // The run's count plus the stored total, rounded as one sum; it stops at the 32-bit edge
  // rather than wrapping round. An empty value adds nothing, but the count is still written.
  auto addTotal = [&](const char* key, int32_t& count) {
    const std::string text = ReadIniText(section, key, "0");
    if (!text.empty()) count = CountOf(double(count) + LeadingNumber(text));
    App.ApiResult = WriteIni(section, key, static_cast<long>(count));
  };
  addTotal("Thrown", p.Thrown);
  addTotal("Hit", p.Hit);
  p.Class = RateScore(p.Hit, p.Thrown).Class;
  lblScores[n]->SetCaption("Class " + p.Class);
}

void FrmMain::ShowLifetimeStats() {
  WipeTransition(*picSelect);
  picSelect->Hide();
  picStats->MakePersistent();
  StatsLifetime();
  picStats->Show();
}

void FrmMain::lblStatsDone_Click() {
  const std::vector<HistoryRun> runs = RunsToRecord();  // before the counts become totals
  PlayClick();
  picStats->Hide();
  picStats->Cls();
  LoadMenuPicture();
  if (Scores.SheetKind == SheetKind::Practice) {
    UpdateLifetimeScore(Roster.CurrentPlayer);
  } else if (Scores.SheetKind == SheetKind::Tournament) {
    for (int n = 0; n < 4; ++n)
      if (chkTourney[n]->Value() == 1) UpdateLifetimeScore(n);
  }
  RecordHistory(runs);
}

void FrmMain::lblReset_Click(int index) {
  struct ResetQuestion {
    const char* Title;
    const char* Prompt;
  };
  static constexpr ResetQuestion Lifetime{"Reset LifeTime Scores",
                                          "Reset Lifetime Scores for this Player ?"};
  static constexpr ResetQuestion Practice{"Reset Practice Scores",
                                          "Reset Last Practice Score for this Player ?"};
  static constexpr ResetQuestion Tourney{"Reset Tournament Scores",
                                         "Reset Last Tournament Score for this Player ?"};
  const ResetQuestion& q = Scores.SheetKind == SheetKind::Lifetime
                               ? Lifetime
                               : (Scores.SheetKind == SheetKind::Practice ? Practice : Tourney);
  PlayerRecord& p = Roster.Players[index];
  const std::string text = std::string(q.Prompt) + CR + LF + CR + LF + PadNameField(p.Name);
  if (MsgBox(form_, text, vbYesNo | vbQuestion | vbDefaultButton2, q.Title) != vbYes) return;
  picStats->Cls();
  if (Scores.SheetKind == SheetKind::Lifetime) {
    const std::string section = "Player" + std::to_string(index);
    App.ApiResult = WriteIni(section, "Thrown", 0L);
    App.ApiResult = WriteIni(section, "Hit", 0L);
    StatsLifetime();
    return;
  }
  p.Hit = 0;
  p.Thrown = 0;
  if (Scores.SheetKind == SheetKind::Practice) {
    StatsPractice();
  } else {
    StatsTourney();
  }
}

void FrmMain::lblPrint_Click() {
  const PrintResult result = host_.PrintText("Quillmoor", txtStats->Text());
  if (!result.Ok) {
    MsgBox(form_, "There was an error sending the page to your Printer." + CR + LF +
                      "Please check your Printer settings in Control Panel.");
    return;
  }
  PlayClick();
}

}  // namespace qm
