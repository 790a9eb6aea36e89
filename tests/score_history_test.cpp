#include "players/score_history.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace qm {
namespace {

HistoryRun MakeRun(const char* when, int64_t hit, int64_t thrown, const char* fields = "1",
                   bool tournament = false) {
  // Id, when, shooter, position, tournament, season, fields, kinds, round size, thrown, hit,
  // warnings, penalties.
  return {0, when, "", 0, tournament, 0, fields, 0, 0, thrown, hit, 0, 0};
}

TEST(ScoreHistoryTest, BestRunsAndTheLastThirtyDays) {
  const auto best =
      BestRuns({MakeRun("2000-12-01", 3, 4, "2"), MakeRun("2000-12-03", 9, 12, "2"),
                MakeRun("2000-12-04", 1, 4, "2"), MakeRun("2000-12-05", 30, 50, "1-3", true)});
  EXPECT_EQ(best[1]->PlayedAt, "2000-12-03");  // 75 % twice: the one with more hits
  EXPECT_FALSE(best[0] || best[2] || best[3] || best[4]);
  EXPECT_EQ(best[5]->Hit, 30);

  EXPECT_EQ(*DayNumber("2000-03-01") - *DayNumber("2000-02-28"), 2);  // a leap year
  EXPECT_FALSE(DayNumber("yesterday"));
  std::vector<HistoryRun> runs = {
      MakeRun("2000-12-02 23:59:59", 1, 1),  // 30 days before: out
      MakeRun("2000-12-03 00:00:00", 2, 3),  // 29 days before: in
      MakeRun("2001-01-01 18:00:00", 4, 5),  // today: in
      MakeRun("2001-01-02 08:00:00", 8, 9),  // tomorrow (a clock set wrong): out
  };
  runs[1].Warnings = 5;
  const PeriodTotals totals = TotalsOfLastDays(runs, "2001-01-01 12:00:00");
  EXPECT_EQ(std::tuple(totals.Runs, totals.Hit, totals.Thrown, totals.Warnings),
            std::tuple(2, 6, 8, 5));
}

TEST(ScoreHistoryTest, CsvQuotesWhatNeedsQuoting) {
  HistoryRun run = MakeRun("2001-01-01 12:00:05", 2, 3, "4");
  run.Id = 1;
  run.Shooter = "Annie \"Two Barrels\", Jr";
  run.Kinds = 1 | 4 | 16;
  EXPECT_EQ(HistoryCsv({run}),
            "Run,When,Shooter,Position,Kind,Season,Fields,Kinds Allowed,Round Size,Thrown,Hit,"
            "Percent,Warnings,Penalties\r\n"
            "1,2001-01-01 12:00:05,\"Annie \"\"Two Barrels\"\", Jr\",1,Practice,0,4,"
            "\"Simultaneous, Report, Single\",,3,2,67,0,0\r\n");
}

TEST(ScoreHistoryTest, ChartScaleBandsAndPlaces) {
  const Rect plot{10, 20, 101, 101};
  auto lowFor = [&](int hit) {
    return MakeHistoryChart({MakeRun("2001-01-01", hit, 100)}, 0, "2001-01-01", plot).Scale.Low;
  };
  // The D band always shows, so 90 % still starts the scale at 50.
  EXPECT_EQ(std::vector<int>({lowFor(55), lowFor(42), lowFor(3), lowFor(90)}),
            std::vector<int>({50, 30, 0, 50}));

  const HistoryChart chart =
      MakeHistoryChart({MakeRun("2000-12-30", 50, 100), MakeRun("2001-01-01", 1, 1, "1-5", true)},
                       2, "2001-01-01", plot);
  EXPECT_EQ(chart.Scale.Low, 40);
  ASSERT_EQ(chart.Points.size(), 2u);
  EXPECT_EQ((Point{chart.Points[0].X, chart.Points[0].Y}), (Point{22, 103}));
  EXPECT_EQ((Point{chart.Points[1].X, chart.Points[1].Y}), (Point{98, 20}));
  EXPECT_EQ(chart.Bands[0].Top, 20);
  for (size_t i = 1; i < 5; ++i) EXPECT_EQ(chart.Bands[i].Top, chart.Bands[i - 1].Bottom);
  EXPECT_EQ(chart.Bands[4].Bottom, 120);
  EXPECT_EQ(ChartY(72.5, chart.Scale, plot), 66);  // the edge between A and B

  std::vector<HistoryRun> many(ChartMostRuns + 5, MakeRun("2001-01-01", 1, 2));
  EXPECT_EQ(MakeHistoryChart(many, 0, "2001-01-01", plot).Points.size(), size_t(ChartMostRuns));
}

}  // namespace
}  // namespace qm
