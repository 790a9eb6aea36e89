#pragma once
// The rules of the score history: what a shooter's chart, best runs and recent totals are,
// the export as CSV and the printed table. Plain inputs and outputs; the form reads the
// runs from the history store and draws what these give.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/history_store.h"
#include "platform/surface.h"

namespace qm {

// The runs of one shooter position, oldest first. History follows the position, as the
// lifetime totals do, so a renamed shooter keeps his runs.
std::vector<HistoryRun> RunsOfPosition(const std::vector<HistoryRun>& all, int position);

// A run's hit percentage as the score sheets show it: a whole number.
int RunPercentage(const HistoryRun& run);

// For each run, the hit percentage of it and the runs before it, up to `window` runs in
// all, taken together (hits over targets): a short practice weighs less than a full round.
std::vector<double> MovingAverage(const std::vector<HistoryRun>& runs, int window = 10);

// Best practice on each of the five fields (0..4) and the best tournament (5): the highest
// percentage, then the most hits, then the earlier run.
std::array<std::optional<HistoryRun>, 6> BestRuns(const std::vector<HistoryRun>& runs);

struct PeriodTotals {
  int Runs = 0;
  int64_t Thrown = 0, Hit = 0;
  int Warnings = 0, Penalties = 0;
};
// The runs closed on `today`'s date or in the days - 1 days before it.
PeriodTotals TotalsOfLastDays(const std::vector<HistoryRun>& runs, std::string_view today,
                              int days = 30);

// Days since 1970-01-01 of the date a stamp starts with ("2001-01-01 12:00:00").
std::optional<long> DayNumber(std::string_view stamp);
// "3 Dec" for a stamp of the third of December.
std::string ShortDate(std::string_view stamp);
// The allowed kinds by name: "Simultaneous, Trailing, Report".
std::string KindNames(int kinds);

// The whole history as CSV (RFC 4180): a header line, one record per run, CR LF endings,
// fields quoted where they hold a comma, a quote or a line break.
std::string HistoryCsv(const std::vector<HistoryRun>& runs);

// The chart: hit percentage of each run in order, on a scale from Low to 100 that always
// shows the D band and the shooter's worst run.
struct ChartScale {
  int Low = 50, High = 100;
};
struct ClassBand {
  const char* Class;
  double From, To;  // percentages; edges lie between whole numbers, as ratings do
  int Top, Bottom;  // pixel rows on the plot
};
struct ChartPoint {
  int X = 0, Y = 0;
  double Percent = 0;
  bool Tournament = false;
};
inline constexpr int ChartMostRuns = 40;  // older runs scroll off the left

struct HistoryChart {
  int Position = 0;
  int Runs = 0;        // all runs of the position
  int FirstShown = 0;  // index of the first run on the chart
  ChartScale Scale;
  std::vector<ClassBand> Bands;     // AA first
  std::vector<ChartPoint> Points;   // one per shown run
  std::vector<ChartPoint> Average;  // the moving average at each shown run
  std::string FirstDate, LastDate;  // under the chart's two ends
  std::array<std::optional<HistoryRun>, 6> Best;
  PeriodTotals LastThirtyDays;
};

int ChartY(double percent, const ChartScale& scale, const Rect& plot);
int ChartX(int index, int count, const Rect& plot);
HistoryChart MakeHistoryChart(const std::vector<HistoryRun>& runsOfPosition, int position,
                              std::string_view today, const Rect& plot);

// The chart as printed text: the table of runs, the best runs and the last thirty days.
// Lines end in CR LF, as the score sheets' do.
std::string HistoryTable(const std::vector<HistoryRun>& runsOfPosition, const HistoryChart& chart,
                         const std::string& name);

}  // namespace qm
