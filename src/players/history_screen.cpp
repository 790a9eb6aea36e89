// The score history in the game: runs kept when a sheet's Done adds them to the lifetime
// totals, and the history screen behind the score card's History button.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/frm_main.h"
#include "geometry/history_layout.h"
#include "platform/message_box.h"
#include "platform/ui_paint.h"
#include "players/rating.h"
#include "players/score_history.h"

namespace qm {

namespace {

constexpr uint32_t Gold = 0xECC874;

// Width of a text in the bitmap font: cells of 14 (12 for small letters), 16 for a space,
// nothing for characters the font lacks.
int BitmapTextWidth(const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (c == ' ') width += 16;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) width += 14;
    if (c >= 'a' && c <= 'z') width += 12;
  }
  return width;
}

std::string Shown(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

void Diamond(Surface& s, int cx, int cy, int radius, uint32_t rgb) {
  for (int dy = -radius; dy <= radius; ++dy) {
    const int half = radius - std::abs(dy);
    ui::HLine(s, cx - half, cy + dy, 2 * half + 1, rgb);
  }
}

}  // namespace

void FrmMain::BuildHistoryControls() {
  lblHistory = std::make_unique<Label>(form_, picStats.get(), "lblHistory");
  lblHistory->Move(LblHistoryRect.X, LblHistoryRect.Y, LblHistoryRect.W, LblHistoryRect.H);
  lblHistory->ToolTipText = "Show this Shooter's Score History";
  lblHistory->Click = [this] { lblHistory_Click(); };

  picHistory =
      std::make_unique<PictureBox>(form_, nullptr, "picHistory", Form::Width, Form::Height);
  picHistory->Hide();
  picHistory->LoadPicture("history.bmp");
  auto button = [&](std::unique_ptr<Label>& label, const char* name, const Rect& r) {
    label = std::make_unique<Label>(form_, picHistory.get(), name);
    label->Move(r.X, r.Y, r.W, r.H);
  };
  button(lblHistoryPrev, "lblHistoryPrev", LblHistoryPrevRect);
  lblHistoryPrev->Click = [this] { StepHistory(-1); };
  button(lblHistoryNext, "lblHistoryNext", LblHistoryNextRect);
  lblHistoryNext->Click = [this] { StepHistory(1); };
  button(lblHistoryPrint, "lblHistoryPrint", LblHistoryPrintRect);
  lblHistoryPrint->Click = [this] { lblHistoryPrint_Click(); };
  button(lblHistoryDone, "lblHistoryDone", LblHistoryDoneRect);
  lblHistoryDone->Click = [this] { lblHistoryDone_Click(); };
}

std::vector<HistoryRun> FrmMain::RunsToRecord() {
  std::vector<HistoryRun> runs;
  const bool tournament = Scores.SheetKind == SheetKind::Tournament;
  if (Scores.SheetKind != SheetKind::Practice && !tournament) return runs;
  const std::string stamp = host_.LocalTimestamp();
  for (int n = 0; n < 4; ++n) {
    const bool scored = tournament ? chkTourney[n]->Value() == 1 : n == Roster.CurrentPlayer;
    const PlayerRecord& p = Roster.Players[n];
    // A run with no targets (ended at once, or its score reset) has nothing to chart.
    if (!scored || p.Thrown <= 0) continue;
    HistoryRun run;
    run.PlayedAt = stamp;
    run.Shooter = TrimSpaces(p.Name);
    run.Position = n;
    run.Tournament = tournament;
    run.Season = Settings.Season;
    // A tournament ended early names the fields it reached: "1-3", or "1" alone.
    const std::string field = std::to_string(Menu.CurrentField);
    run.Fields = tournament && Menu.CurrentField > 1 ? "1-" + field : field;
    // A tournament never throws singles, whatever practice allows.
    for (int k = 0; k < (tournament ? 4 : 5); ++k)
      if (Settings.Pairs[k] == 1) run.Kinds |= 1 << k;
    run.RoundSize = tournament ? Settings.RoundSize : 0;
    run.Thrown = p.Thrown;
    run.Hit = p.Hit;
    run.Warnings = p.Warnings;
    run.Penalties = std::max(0, p.Warnings - 3);  // from the fourth early mount on
    runs.push_back(run);
  }
  return runs;
}

HistoryStore* FrmMain::OpenHistory() {
  if (config_.HistoryPath.empty()) return nullptr;
  if (!historyStore_) historyStore_ = std::make_unique<HistoryStore>(config_.HistoryPath);
  if (historyStore_->IsOpen()) return historyStore_.get();
  if (historyStore_->Open()) return historyStore_.get();
  ReportHistoryFailure(historyStore_->Error());
  return nullptr;
}

void FrmMain::ReportHistoryFailure(const std::string& reason) {
  form_.Trace(TraceEvent("history").With("ok", false).With("error", reason));
  if (History.FailureReported) return;
  // Said once per run of the game: play and the lifetime totals go on without it.
  History.FailureReported = true;
  MsgBox(form_,
         "Quillmoor could not open its score history: " + reason + "." + CR + LF +
             "Play and lifetime scores go on, but runs are not added to the history.",
         vbOKOnly | vbExclamation);
}

void FrmMain::RecordHistory(const std::vector<HistoryRun>& runs) {
  if (runs.empty()) return;
  HistoryStore* store = OpenHistory();
  if (!store) return;
  if (!store->Append(runs)) return ReportHistoryFailure(store->Error());
  form_.Trace(TraceEvent("history").With("ok", true).With("rows", static_cast<int>(runs.size())));
}

void FrmMain::lblHistory_Click() {
  PlayClick();
  WipeTransition(*picStats);
  picStats->Hide();
  picHistory->MakePersistent();
  picHistory->Show();
  ShowHistory(Roster.CurrentPlayer);
}

void FrmMain::StepHistory(int delta) {
  ShowHistory((History.Position + 4 + delta) % 4);
}

void FrmMain::ShowHistory(int position) {
  History.Position = static_cast<int16_t>(position);
  std::vector<HistoryRun> runs;
  if (HistoryStore* store = OpenHistory()) {
    if (auto all = store->ReadAll()) {
      runs = RunsOfPosition(*all, position);
    } else {
      ReportHistoryFailure(store->Error());
    }
  }
  const Rect plot = HistoryPlotRect;
  const HistoryChart chart = MakeHistoryChart(runs, position, host_.LocalTimestamp(), plot);
  std::string name = TrimSpaces(Roster.Players[position].Name);
  if (name.empty()) name = NoShooter;

  picHistory->Cls();
  Surface& s = picHistory->Draw();
  auto text = [this](const std::string& t, int x, int y) { DrawHistoryText(t, x, y); };
  auto rightText = [&](const std::string& t, int right, int y) {
    text(t, right - BitmapTextWidth(t), y);
  };
  auto percentSign = [&](int x, int y) {
    host_.DrawText(s, x, y, "%", {FontFace::Sans, 13, Gold}, {0, 0, s.W, s.H});
  };

  const std::string title = "Shooter " + std::to_string(position + 1);
  const int titleX = HistoryCardRect.X + HistoryCardRect.W - 14 - BitmapTextWidth(title);
  std::string shownName = name;
  while (BitmapTextWidth(shownName) > titleX - 16 - 200) shownName.pop_back();
  text(shownName, 200, HistoryTitleY);
  text(title, titleX, HistoryTitleY);

  // The class bands behind the runs, their edges marked on the left and their letters on
  // the right; where bands are squeezed, labels that would overlap are left out.
  std::vector<int> axisRows, letterRows;
  auto fits = [](std::vector<int>& rows, int y) {
    for (int other : rows)
      if (std::abs(other - y) < 15) return false;
    rows.push_back(y);
    return true;
  };
  auto axis = [&](int value, int y) {
    if (fits(axisRows, y - 7)) rightText(std::to_string(value), HistoryAxisRight, y - 7);
  };
  for (size_t i = 0; i < chart.Bands.size(); ++i) {
    const ClassBand& band = chart.Bands[i];
    if (band.Bottom >= band.Top)
      FillRect(s, {plot.X, band.Top, plot.W, band.Bottom - band.Top + 1}, HistoryBandShade[i]);
  }
  axis(100, plot.Y);
  axis(chart.Scale.Low, plot.Y + plot.H - 1);
  for (const ClassBand& band : chart.Bands) {
    if (band.From > chart.Scale.Low) {
      for (int x = plot.X; x < plot.X + plot.W; x += 3)
        ui::HLine(s, x, band.Bottom, 2, HistoryGridLine);
      axis(static_cast<int>(band.From + 0.5), band.Bottom);
    }
    const int letterY = (band.Top + band.Bottom) / 2 - 7;
    if (band.Bottom - band.Top >= 6 && fits(letterRows, letterY))
      text(band.Class, HistoryBandLetterX, letterY);
  }

  if (chart.Points.empty()) {
    const std::string none = "No runs kept yet";
    const int x = plot.X + (plot.W - BitmapTextWidth(none)) / 2, y = plot.Y + plot.H / 2 - 7;
    FillRect(s, {x - 8, y - 5, BitmapTextWidth(none) + 16, 24}, 0x1C4A2E);
    text(none, x, y);
  }
  for (size_t i = 1; i < chart.Average.size(); ++i) {
    const ChartPoint &a = chart.Average[i - 1], &b = chart.Average[i];
    for (int dy = 0; dy < 2; ++dy)
      DrawLine(s, a.X, a.Y + dy, b.X, b.Y + dy, OleFromPixel(HistoryAverageLine));
  }
  for (const ChartPoint& p : chart.Points) {
    if (p.Tournament) {
      Diamond(s, p.X, p.Y, 5, HistoryMarkEdge);
      Diamond(s, p.X, p.Y, 4, HistoryTournamentMark);
    } else {
      ui::FillDisc(s, p.X, p.Y, 4, HistoryMarkEdge);
      ui::FillDisc(s, p.X, p.Y, 3, HistoryPracticeMark);
    }
  }
  if (!chart.Points.empty()) {
    text(chart.FirstDate, plot.X, HistoryDatesY);
    if (chart.Points.size() > 1) rightText(chart.LastDate, plot.X + plot.W, HistoryDatesY);
    const int shown = static_cast<int>(chart.Points.size());
    const std::string count =
        shown == chart.Runs ? std::to_string(shown) + (shown == 1 ? " run" : " runs")
                            : "last " + std::to_string(shown) + " of " + std::to_string(chart.Runs);
    text(count, plot.X + (plot.W - BitmapTextWidth(count)) / 2, HistoryDatesY);
  }

  std::string bestTrace;
  for (int row = 0; row < 6; ++row) {
    if (!bestTrace.empty()) bestTrace += "; ";
    bestTrace += row < 5 ? "Field " + std::to_string(row + 1) + ": " : "Tournament: ";
    const auto& best = chart.Best[row];
    if (!best) {
      bestTrace += "none";
      continue;
    }
    const std::string percent = std::to_string(RunPercentage(*best));
    const std::string count = std::to_string(best->Hit) + " of " + std::to_string(best->Thrown);
    rightText(percent, BestPercentRight, HistoryRowY(row));
    percentSign(BestPercentRight + 2, HistoryRowY(row));
    text(count, BestCountX, HistoryRowY(row));
    bestTrace += percent + "% " + count;
  }
  const PeriodTotals& days = chart.LastThirtyDays;
  const Rating rating = RateScore(days.Hit, days.Thrown);
  rightText(std::to_string(days.Runs), RecentValueRight, HistoryRowY(0));
  rightText(std::to_string(days.Thrown), RecentValueRight, HistoryRowY(1));
  rightText(std::to_string(days.Hit), RecentValueRight, HistoryRowY(2));
  if (days.Thrown > 0) {
    rightText(std::to_string(rating.Percentage), RecentValueRight, HistoryRowY(3));
    percentSign(RecentValueRight + 2, HistoryRowY(3));
    rightText(rating.Class, RecentValueRight, HistoryRowY(4));
  }
  rightText(std::to_string(days.Warnings), RecentValueRight, HistoryRowY(5));

  // The figures the screen shows, so a script can hold them against the database.
  std::string percents, averages;
  for (size_t i = 0; i < chart.Points.size(); ++i) {
    percents += (i ? " " : "") + std::to_string(static_cast<int>(chart.Points[i].Percent)) +
                (chart.Points[i].Tournament ? "t" : "");
    averages += (i ? " " : "") + Shown(chart.Average[i].Percent);
  }
  form_.Trace(
      TraceEvent("chart")
          .With("position", position + 1)
          .With("name", name)
          .With("runs", chart.Runs)
          .With("low", chart.Scale.Low)
          .With("percent", percents)
          .With("average", averages)
          .With("best", bestTrace)
          .With("recent",
                std::to_string(days.Runs) + (days.Runs == 1 ? " run, " : " runs, ") +
                    std::to_string(days.Hit) + " of " + std::to_string(days.Thrown) + ", " +
                    (days.Thrown > 0 ? std::to_string(rating.Percentage) + "% " + rating.Class
                                     : std::string("no rating")) +
                    ", " + std::to_string(days.Warnings) + " warnings"));
}

void FrmMain::lblHistoryPrint_Click() {
  std::vector<HistoryRun> runs;
  if (HistoryStore* store = OpenHistory())
    if (auto all = store->ReadAll()) runs = RunsOfPosition(*all, History.Position);
  const HistoryChart chart =
      MakeHistoryChart(runs, History.Position, host_.LocalTimestamp(), HistoryPlotRect);
  std::string name = TrimSpaces(Roster.Players[History.Position].Name);
  if (name.empty()) name = NoShooter;
  const std::string page = host_.LongTimeAndDate() + CR + LF + HistoryTable(runs, chart, name);
  const PrintResult result = host_.PrintText("Quillmoor", page);
  if (!result.Ok) {
    MsgBox(form_, "There was an error sending the page to your Printer." + CR + LF +
                      "Please check your Printer settings in Control Panel.");
    return;
  }
  PlayClick();
}

void FrmMain::lblHistoryDone_Click() {
  PlayClick();
  WipeTransition(*picHistory);
  picHistory->Hide();
  picStats->Show();
}

}  // namespace qm
