#include "players/score_sheet_text.h"

#include "geometry/score_card_layout.h"

namespace qm {

namespace {

const std::string CrLf = "\r\n";
constexpr const char* BlockRule = "===============================";

ScoreSheet Begin(const std::string& date, const char* heading, const char* title) {
  ScoreSheet sheet;
  sheet.Text = date + CrLf + heading + CrLf;
  sheet.Values.push_back({title, SheetTitleRect.X, SheetTitleRect.Y});
  return sheet;
}

void Draw(ScoreSheet& sheet, std::string text, const Rect& field, int position) {
  const Rect at = InScoreBlock(field, position);
  sheet.Values.push_back({std::move(text), at.X, at.Y});
}

// One shooter's block. `nameLine` is the line under "Shooter #"; `ratingSlot` is drawn where
// the class goes, and a sheet that rates also writes the rating line.
void Block(ScoreSheet& sheet, const SheetEntry& e, const std::string& nameLine,
           const std::string& drawnName, bool rates) {
  const Rating rating = RateScore(e.Hit, e.Thrown);
  sheet.Ratings.push_back(rating);
  const int n = e.Position;
  sheet.Text += std::string(BlockRule) + CrLf + CrLf + "Shooter # " + std::to_string(n + 1) + CrLf +
                nameLine + CrLf;
  sheet.Text += "Clays Hit:     " + std::to_string(e.Hit) + CrLf;
  sheet.Text += "Clays Thrown:  " + std::to_string(e.Thrown) + CrLf;
  sheet.Text += "Percentage:     " + std::to_string(rating.Percentage) + "%" + CrLf;
  if (rates) sheet.Text += "Rating:         " + rating.Class + CrLf + CrLf;
  Draw(sheet, drawnName, SheetNameRect, n);
  Draw(sheet, std::to_string(e.Hit), SheetHitRect, n);
  Draw(sheet, std::to_string(e.Thrown), SheetThrownRect, n);
  Draw(sheet, std::to_string(rating.Percentage), SheetPercentRect, n);
  Draw(sheet, rates ? rating.Class : "Practice", SheetRatingRect, n);
}

}  // namespace

ScoreSheet PracticeSheet(const std::string& date, const SheetEntry& shooter) {
  ScoreSheet sheet = Begin(date, "Quillmoor Practice Scoring", "PRACTICE");
  // Kept: the practice block names the shooter by his hit count.
  Block(sheet, shooter, std::to_string(shooter.Hit), shooter.Name, false);
  return sheet;
}

ScoreSheet LifetimeSheet(const std::string& date, const std::vector<SheetEntry>& shooters) {
  ScoreSheet sheet = Begin(date, "Quillmoor Lifetime Scoring", "LIFETIME");
  for (const SheetEntry& e : shooters) Block(sheet, e, e.Name, e.Name, true);
  return sheet;
}

ScoreSheet TournamentSheet(const std::string& date, const std::vector<SheetEntry>& shooters) {
  ScoreSheet sheet = Begin(date, "Quillmoor Tournament Score", "TOURNAMENT");
  for (const SheetEntry& e : shooters) Block(sheet, e, e.Name, e.Name, true);
  return sheet;
}

}  // namespace qm
