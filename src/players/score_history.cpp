#include "players/score_history.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "players/rating.h"

namespace qm {

namespace {

constexpr const char* KindName[5] = {"Simultaneous", "Trailing", "Report", "Fur and Feather",
                                     "Single"};
constexpr const char* MonthName[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* CRLF = "\r\n";

// A run's practice field 1..5, or 0 for a tournament or a field text that is not one.
int PracticeField(const HistoryRun& run) {
  if (run.Tournament || run.Fields.size() != 1) return 0;
  const int field = run.Fields[0] - '0';
  return field >= 1 && field <= 5 ? field : 0;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string RightAligned(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string RunKind(const HistoryRun& run) {
  return run.Tournament ? "Tournament" : "Practice";
}

}  // namespace

std::vector<HistoryRun> RunsOfPosition(const std::vector<HistoryRun>& all, int position) {
  std::vector<HistoryRun> runs;
  for (const HistoryRun& run : all)
    if (run.Position == position) runs.push_back(run);
  std::stable_sort(runs.begin(), runs.end(), [](const HistoryRun& a, const HistoryRun& b) {
    return a.PlayedAt != b.PlayedAt ? a.PlayedAt < b.PlayedAt : a.Id < b.Id;
  });
  return runs;
}

int RunPercentage(const HistoryRun& run) {
  return RateScore(run.Hit, run.Thrown).Percentage;
}

std::vector<double> MovingAverage(const std::vector<HistoryRun>& runs, int window) {
  std::vector<double> average;
  for (size_t i = 0; i < runs.size(); ++i) {
    int64_t hit = 0, thrown = 0;
    for (size_t j = i + 1 - std::min<size_t>(i + 1, window); j <= i; ++j) {
      hit += runs[j].Hit;
      thrown += runs[j].Thrown;
    }
    average.push_back(thrown > 0 ? 100.0 * double(hit) / double(thrown) : 0.0);
  }
  return average;
}

std::array<std::optional<HistoryRun>, 6> BestRuns(const std::vector<HistoryRun>& runs) {
  std::array<std::optional<HistoryRun>, 6> best;
  for (const HistoryRun& run : runs) {
    const int field = PracticeField(run);
    if (!run.Tournament && field == 0) continue;
    std::optional<HistoryRun>& slot = best[run.Tournament ? 5 : field - 1];
    const int percent = RunPercentage(run);
    // Strictly better only, so the earlier of two equal runs stays.
    if (!slot || percent > RunPercentage(*slot) ||
        (percent == RunPercentage(*slot) && run.Hit > slot->Hit))
      slot = run;
  }
  return best;
}

std::optional<long> DayNumber(std::string_view stamp) {
  int y = 0, m = 0, d = 0;
  if (stamp.size() < 10 || stamp[4] != '-' || stamp[7] != '-') return std::nullopt;
  for (size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
    if (stamp[i] < '0' || stamp[i] > '9') return std::nullopt;
  y = (stamp[0] - '0') * 1000 + (stamp[1] - '0') * 100 + (stamp[2] - '0') * 10 + (stamp[3] - '0');
  m = (stamp[5] - '0') * 10 + (stamp[6] - '0');
  d = (stamp[8] - '0') * 10 + (stamp[9] - '0');
  if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
  // Days from the civil date, counting March as the first month of the year.
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yearOfEra = y - era * 400;
  const long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

PeriodTotals TotalsOfLastDays(const std::vector<HistoryRun>& runs, std::string_view today,
                              int days) {
  PeriodTotals totals;
  const std::optional<long> now = DayNumber(today);
  if (!now) return totals;
  for (const HistoryRun& run : runs) {
    const std::optional<long> day = DayNumber(run.PlayedAt);
    if (!day || *day > *now || *day <= *now - days) continue;
    ++totals.Runs;
    totals.Thrown += run.Thrown;
    totals.Hit += run.Hit;
    totals.Warnings += run.Warnings;
    totals.Penalties += run.Penalties;
  }
  return totals;
}

std::string ShortDate(std::string_view stamp) {
  if (!DayNumber(stamp)) return "";
  const int month = (stamp[5] - '0') * 10 + (stamp[6] - '0');
  const int day = (stamp[8] - '0') * 10 + (stamp[9] - '0');
  return std::to_string(day) + " " + MonthName[month - 1];
}

std::string KindNames(int kinds) {
  std::string names;
  for (int k = 0; k < 5; ++k) {
    if (!(kinds & (1 << k))) continue;
    if (!names.empty()) names += ", ";
    names += KindName[k];
  }
  return names;
}

std::string HistoryCsv(const std::vector<HistoryRun>& runs) {
  std::string csv =
      "Run,When,Shooter,Position,Kind,Season,Fields,Kinds Allowed,Round Size,Thrown,Hit,"
      "Percent,Warnings,Penalties\r\n";
  for (const HistoryRun& run : runs) {
    const std::string fields[] = {
        std::to_string(run.Id),
        run.PlayedAt,
        run.Shooter,
        std::to_string(run.Position + 1),
        RunKind(run),
        std::to_string(run.Season),
        run.Fields,
        KindNames(run.Kinds),
        run.RoundSize > 0 ? std::to_string(run.RoundSize) : "",
        std::to_string(run.Thrown),
        std::to_string(run.Hit),
        std::to_string(RunPercentage(run)),
        std::to_string(run.Warnings),
        std::to_string(run.Penalties),
    };
    for (size_t i = 0; i < std::size(fields); ++i) csv += (i ? "," : "") + CsvField(fields[i]);
    csv += CRLF;
  }
  return csv;
}

int ChartY(double percent, const ChartScale& scale, const Rect& plot) {
  const double clamped = std::clamp(percent, double(scale.Low), double(scale.High));
  const double share = (scale.High - clamped) / double(scale.High - scale.Low);
  return plot.Y + static_cast<int>(std::lround(share * (plot.H - 1)));
}

int ChartX(int index, int count, const Rect& plot) {
  constexpr int Margin = 12;  // the end markers stay clear of the plot's edge
  if (count <= 1) return plot.X + plot.W / 2;
  const double step = double(plot.W - 1 - 2 * Margin) / (count - 1);
  return plot.X + Margin + static_cast<int>(std::lround(step * index));
}

HistoryChart MakeHistoryChart(const std::vector<HistoryRun>& runs, int position,
                              std::string_view today, const Rect& plot) {
  HistoryChart chart;
  chart.Position = position;
  chart.Runs = static_cast<int>(runs.size());
  chart.FirstShown = std::max(0, chart.Runs - ChartMostRuns);
  const int shown = chart.Runs - chart.FirstShown;

  int worst = 100;
  for (int i = chart.FirstShown; i < chart.Runs; ++i)
    worst = std::min(worst, RunPercentage(runs[i]));
  // Tens below the worst run with a little room under it, never above the D band's top.
  chart.Scale.Low = std::clamp(static_cast<int>(std::floor((worst - 5) / 10.0)) * 10, 0, 50);

  struct Edge {
    const char* Class;
    double From;
  };
  constexpr Edge Edges[] = {{"AA", 79.5}, {"A", 72.5}, {"B", 66.5}, {"C", 59.5}, {"D", 0}};
  double top = 100;
  for (const Edge& edge : Edges) {
    const double from = std::max(edge.From, double(chart.Scale.Low));
    chart.Bands.push_back(
        {edge.Class, from, top, ChartY(top, chart.Scale, plot), ChartY(from, chart.Scale, plot)});
    top = from;
  }

  const std::vector<double> average = MovingAverage(runs);
  for (int i = chart.FirstShown; i < chart.Runs; ++i) {
    const int x = ChartX(i - chart.FirstShown, shown, plot);
    const double percent = RunPercentage(runs[i]);
    chart.Points.push_back({x, ChartY(percent, chart.Scale, plot), percent, runs[i].Tournament});
    chart.Average.push_back({x, ChartY(average[i], chart.Scale, plot), average[i], false});
  }
  if (shown > 0) {
    chart.FirstDate = ShortDate(runs[chart.FirstShown].PlayedAt);
    chart.LastDate = ShortDate(runs.back().PlayedAt);
  }
  chart.Best = BestRuns(runs);
  chart.LastThirtyDays = TotalsOfLastDays(runs, today);
  return chart;
}

std::string HistoryTable(const std::vector<HistoryRun>& runs, const HistoryChart& chart,
                         const std::string& name) {
  std::string text = "Quillmoor Score History" + std::string(CRLF);
  text += "===============================" + std::string(CRLF) + CRLF;
  text += "Shooter # " + std::to_string(chart.Position + 1) + CRLF + name + CRLF + CRLF;
  text += "When              Run         Field  Hit  Thrown  Percent  Average" + std::string(CRLF);
  const std::vector<double> average = MovingAverage(runs);
  for (size_t i = 0; i < runs.size(); ++i) {
    const HistoryRun& run = runs[i];
    char averageText[16];
    std::snprintf(averageText, sizeof averageText, "%.1f", average[i]);
    text += Padded(run.PlayedAt.substr(0, 16), 18) + Padded(RunKind(run), 12) +
            Padded(run.Fields, 5) + RightAligned(std::to_string(run.Hit), 5) +
            RightAligned(std::to_string(run.Thrown), 8) +
            RightAligned(std::to_string(RunPercentage(run)) + "%", 9) +
            RightAligned(std::string(averageText) + "%", 9);
    // A run shot under another name shows it, so a renamed position reads right.
    if (run.Shooter != name) text += "  (" + run.Shooter + ")";
    text += CRLF;
  }
  if (runs.empty()) text += "No runs kept yet." + std::string(CRLF);
  text += CRLF + std::string("Best Runs") + CRLF;
  for (int i = 0; i < 6; ++i) {
    const std::string label = i < 5 ? "Field " + std::to_string(i + 1) : "Tournament";
    text += Padded(label + ":", 15);
    if (const auto& best = chart.Best[i]) {
      text += std::to_string(best->Hit) + " of " + std::to_string(best->Thrown) + ", " +
              std::to_string(RunPercentage(*best)) + "%, " + best->PlayedAt.substr(0, 10);
    } else {
      text += "none";
    }
    text += CRLF;
  }
  const PeriodTotals& days = chart.LastThirtyDays;
  const Rating rating = RateScore(days.Hit, days.Thrown);
  text += CRLF + std::string("Last 30 Days") + CRLF;
  text += "Runs:           " + std::to_string(days.Runs) + CRLF;
  text += "Clays Thrown:   " + std::to_string(days.Thrown) + CRLF;
  text += "Clays Hit:      " + std::to_string(days.Hit) + CRLF;
  text += "Percentage:     " + std::to_string(rating.Percentage) + "%" + CRLF;
  text += "Rating:         " + rating.Class + CRLF;
  text += "Warnings:       " + std::to_string(days.Warnings) + CRLF;
  text += "Penalties:      " + std::to_string(days.Penalties) + CRLF;
  return text;
}

}  // namespace qm
