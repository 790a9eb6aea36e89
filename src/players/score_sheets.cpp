#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "app/frm_main.h"
#include "platform/message_box.h"
#include "players/rating.h"
#include "sim/field_number.h"

namespace qm {

namespace {

constexpr const char* BlockRule = "===============================";

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

void FrmMain::BeginSheet(int16_t kind, const std::string& heading, const std::string& title) {
  Scores.SheetKind = kind;
  Scores.SheetText = host_.LongTimeAndDate() + CR + LF + heading + CR + LF;
  int x = 320, y = 40;
  DrawBitmapText(title, x, y);
}

void FrmMain::BeginBlock(int n) {
  Scores.SheetText +=
      std::string(BlockRule) + CR + LF + CR + LF + "Shooter # " + std::to_string(n + 1) + CR + LF;
}

void FrmMain::DrawSheetValue(const std::string& text, int x, int baseY, int n) {
  int y = baseY + 70 * n;
  DrawBitmapText(text, x, y);
}

void FrmMain::WriteCounts(int n, int64_t hit, int64_t thrown) {
  DrawSheetValue(std::to_string(hit), 446, 113, n);
  Scores.SheetText += "Clays Hit:     " + std::to_string(hit) + CR + LF;
  DrawSheetValue(std::to_string(thrown), 446, 90, n);
  Scores.SheetText += "Clays Thrown:  " + std::to_string(thrown) + CR + LF;
}

void FrmMain::StatsPractice() {
  const int n = Roster.CurrentPlayer;
  PlayerRecord& p = Roster.Players[n];
  BeginSheet(1, "Quillmoor Practice Scoring", "PRACTICE");
  DrawSheetValue(PadNameField(p.Name), 166, 63, n);
  BeginBlock(n);
  // Kept: the practice block names the shooter by his hit count.
  Scores.SheetText += std::to_string(p.Hit) + CR + LF;
  WriteCounts(n, p.Hit, p.Thrown);
  const Rating rating = RateScore(p.Hit, p.Thrown);
  DrawSheetValue(std::to_string(rating.Percentage), 190, 87, n);
  Scores.SheetText += "Percentage:     " + std::to_string(rating.Percentage) + "%" + CR + LF;
  DrawSheetValue("Practice", 206, 113, n);
  txtStats->SetText(Scores.SheetText);
}

void FrmMain::StatsLifetime() {
  BeginSheet(0, "Quillmoor Lifetime Scoring", "LIFETIME");
  for (int n = 0; n < 4; ++n) {
    const std::string section = "Player" + std::to_string(n);
    std::string name = ReadIniText(section, "Name", "");
    if (name.empty()) name = NoShooter;
    DrawSheetValue(name, 166, 63, n);
    BeginBlock(n);
    Scores.SheetText += name + CR + LF;
    const int32_t hit = CountFromText(ReadIniText(section, "Hit", "0"));
    const int32_t thrown = CountFromText(ReadIniText(section, "Thrown", "0"));
    WriteCounts(n, hit, thrown);
    // Hits with no targets (a hand-edited file) show 0 and "D", as no targets at all do.
    const Rating rating = RateScore(hit, thrown);
    Roster.Players[n].Class = rating.Class;
    lblScores[n]->SetCaption("Class " + rating.Class);
    DrawSheetValue(std::to_string(rating.Percentage), 190, 87, n);
    Scores.SheetText += "Percentage:     " + std::to_string(rating.Percentage) + "%" + CR + LF;
    DrawSheetValue(rating.Class, 206, 113, n);
    Scores.SheetText += "Rating:         " + rating.Class + CR + LF + CR + LF;
  }
  txtStats->SetText(Scores.SheetText);
}

void FrmMain::StatsTourney() {
  BeginSheet(3, "Quillmoor Tournament Score", "TOURNAMENT");
  for (int n = 0; n < 4; ++n) {
    if (chkTourney[n]->Value() != 1) continue;
    PlayerRecord& p = Roster.Players[n];
    BeginBlock(n);
    p.Name = TrimSpaces(p.Name);
    Scores.SheetText += p.Name + CR + LF;
    DrawSheetValue(p.Name, 166, 63, n);
    WriteCounts(n, p.Hit, p.Thrown);
    const Rating rating = RateScore(p.Hit, p.Thrown);
    DrawSheetValue(std::to_string(rating.Percentage), 190, 87, n);
    Scores.SheetText += "Percentage:     " + std::to_string(rating.Percentage) + "%" + CR + LF;
    p.Class = rating.Class;
    DrawSheetValue(p.Class, 206, 113, n);
    Scores.SheetText += "Rating:         " + p.Class + CR + LF + CR + LF;
  }
  txtStats->SetText(Scores.SheetText);
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
  if (Scores.SheetKind == 1) {
    UpdateLifetimeScore(Roster.CurrentPlayer);
  } else if (Scores.SheetKind == 3) {
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
  const ResetQuestion& q =
      Scores.SheetKind == 0 ? Lifetime : (Scores.SheetKind == 1 ? Practice : Tourney);
  PlayerRecord& p = Roster.Players[index];
  const std::string text = std::string(q.Prompt) + CR + LF + CR + LF + PadNameField(p.Name);
  if (MsgBox(form_, text, vbYesNo | vbQuestion | vbDefaultButton2, q.Title) != vbYes) return;
  picStats->Cls();
  if (Scores.SheetKind == 0) {
    const std::string section = "Player" + std::to_string(index);
    App.ApiResult = WriteIni(section, "Thrown", 0L);
    App.ApiResult = WriteIni(section, "Hit", 0L);
    StatsLifetime();
    return;
  }
  p.Hit = 0;
  p.Thrown = 0;
  if (Scores.SheetKind == 1) {
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
