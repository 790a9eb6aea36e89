#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "players/score_sheet_text.h"

namespace qm {

using ::testing::ElementsAre;
using ::testing::FieldsAre;

// The sheets' text is checked whole by the scenarios that show them (the lifetime sheet of
// four shooters with its ratings, the practice and tournament sheets of a run) and, for what
// the form feeds them and where a tournament's positions go, by score_sheet_test; here, which
// values are drawn where on the card.
TEST(ScoreSheetText, EachValueIsDrawnInItsShootersBlock) {
  const std::string date = "12:00:00 Monday, January  1, 2001";
  const ScoreSheet practice = PracticeSheet(date, {3, "Dora", 2, 3});
  // Kept: the practice block names the shooter by his hit count, and has no rating line.
  EXPECT_TRUE(
      practice.Text.ends_with("Shooter # 4\r\n2\r\nClays Hit:     2\r\nClays Thrown:  3\r\n"
                              "Percentage:     67%\r\n"));
  // The title, then shooter 3's values 210 pixels below shooter 0's places, and the word
  // "Practice" in the rating slot.
  std::vector<std::tuple<std::string, int, int>> placed;
  for (const SheetValue& v : practice.Values) placed.emplace_back(v.Text, v.X, v.Y);
  EXPECT_THAT(placed, ElementsAre(FieldsAre("PRACTICE", 320, 40), FieldsAre("Dora", 166, 273),
                                  FieldsAre("2", 446, 323), FieldsAre("3", 446, 300),
                                  FieldsAre("67", 190, 297), FieldsAre("Practice", 206, 323)));

  const ScoreSheet life = LifetimeSheet(
      date, {{0, "Annie", 2, 3}, {1, "No Shooter", 0, 0}, {2, "Cole", 20, 25}, {3, "Dora", 7, 0}});
  EXPECT_EQ(life.Values.size(), 1u + 4 * 5);
  EXPECT_EQ(life.Values.back().Text, "D");
  EXPECT_EQ(life.Values.back().Y, 113 + 3 * 70);

  // The positions entered, each in its own block, are score_sheet_test's.
  EXPECT_EQ(TournamentSheet(date, {{0, "Annie", 4, 5}}).Values[0].Text, "TOURNAMENT");
  EXPECT_EQ(TournamentSheet(date, {}).Values.size(), 1u);
}

}  // namespace qm
