#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "players/score_sheet_text.h"

namespace qm {

namespace {

const std::string Date = "12:00:00 Monday, January  1, 2001";

// The sheet's text split at its CR LF pairs; a bare CR or LF would stay inside a line.
std::vector<std::string> Lines(const ScoreSheet& sheet) {
  std::vector<std::string> lines;
  const std::string& text = sheet.Text;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  if (from < text.size()) lines.push_back(text.substr(from) + "<no CR LF>");
  return lines;
}

std::vector<std::string> Block(int number, const std::string& name, const std::string& hit,
                               const std::string& thrown, const std::string& percent,
                               const std::string& rating) {
  return {"===============================",
          "",
          "Shooter # " + std::to_string(number),
          name,
          "Clays Hit:     " + hit,
          "Clays Thrown:  " + thrown,
          "Percentage:     " + percent,
          "Rating:         " + rating,
          ""};
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

TEST(ScoreSheetText, PracticeIsOneBlockNamedByItsHitCountAndDoesNotRate) {
  const ScoreSheet sheet = PracticeSheet(Date, {3, "Dora", 2, 3});
  const std::vector<std::string> want = {
      Date,
      "Quillmoor Practice Scoring",
      "===============================",
      "",
      "Shooter # 4",
      "2",  // kept: the practice block names the shooter by his hit count
      "Clays Hit:     2",
      "Clays Thrown:  3",
      "Percentage:     67%"};
  EXPECT_EQ(Lines(sheet), want);

  // The title, then shooter 3's values 210 pixels below shooter 0's places, and the word
  // "Practice" in the rating slot.
  ASSERT_EQ(sheet.Values.size(), 6u);
  EXPECT_EQ(sheet.Values[0].Text, "PRACTICE");
  EXPECT_EQ(sheet.Values[0].X, 320);
  EXPECT_EQ(sheet.Values[0].Y, 40);
  const std::vector<std::string> texts = {"Dora", "2", "3", "67", "Practice"};
  const int xs[] = {166, 446, 446, 190, 206}, ys[] = {63, 113, 90, 87, 113};
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(sheet.Values[i + 1].Text, texts[i]);
    EXPECT_EQ(sheet.Values[i + 1].X, xs[i]) << texts[i];
    EXPECT_EQ(sheet.Values[i + 1].Y, ys[i] + 210) << texts[i];
  }
}

TEST(ScoreSheetText, LifetimeAndTournamentRateEveryBlockUnderItsOwnNumber) {
  const ScoreSheet life = LifetimeSheet(
      Date, {{0, "Annie", 2, 3}, {1, "No Shooter", 0, 0}, {2, "Cole", 20, 25}, {3, "Dora", 7, 0}});
  std::vector<std::string> want = {Date, "Quillmoor Lifetime Scoring"};
  Append(want, Block(1, "Annie", "2", "3", "67%", "B"));
  Append(want, Block(2, "No Shooter", "0", "0", "0%", "D"));
  Append(want, Block(3, "Cole", "20", "25", "80%", "AA"));
  // Hits without targets (a hand-edited file) rate as no targets at all.
  Append(want, Block(4, "Dora", "7", "0", "0%", "D"));
  EXPECT_EQ(Lines(life), want);
  ASSERT_EQ(life.Ratings.size(), 4u);
  EXPECT_EQ(life.Ratings[2].Class, "AA");
  EXPECT_EQ(life.Values.size(), 1u + 4 * 5);
  EXPECT_EQ(life.Values.back().Text, "D");
  EXPECT_EQ(life.Values.back().Y, 113 + 3 * 70);

  // Only the positions entered: position 1 sat out and leaves no gap in the text.
  const ScoreSheet tourney =
      TournamentSheet(Date, {{0, "Annie", 4, 5}, {2, "Cole", 3, 5}, {3, "Dora", 0, 10}});
  want = {Date, "Quillmoor Tournament Score"};
  Append(want, Block(1, "Annie", "4", "5", "80%", "AA"));
  Append(want, Block(3, "Cole", "3", "5", "60%", "C"));
  Append(want, Block(4, "Dora", "0", "10", "0%", "D"));
  EXPECT_EQ(Lines(tourney), want);
  EXPECT_EQ(tourney.Values[0].Text, "TOURNAMENT");
  EXPECT_EQ(tourney.Values[6].Text, "Cole");
  EXPECT_EQ(tourney.Values[6].Y, 63 + 140);
  EXPECT_TRUE(TournamentSheet(Date, {}).Values.size() == 1u);
}

}  // namespace qm
