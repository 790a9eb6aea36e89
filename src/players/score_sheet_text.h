#pragma once
// The three score sheets as plain data: the text that is shown in the sheet's box and
// printed, and every value the card draws in the bitmap font with its place. The form reads
// the records, draws the values and keeps the sheet's kind.

#include <cstdint>
#include <string>
#include <vector>

#include "players/rating.h"

namespace qm {

// Which sheet is on the card; Done and Reset act on it. The numbers are the ones the state
// dump prints.
enum class SheetKind : int16_t { Lifetime = 0, Practice = 1, Tournament = 3 };

// One shooter's block: his position (0 to 3), his name as the sheet shows it, his counts.
struct SheetEntry {
  int Position = 0;
  std::string Name;
  int64_t Hit = 0, Thrown = 0;
};

struct SheetValue {
  std::string Text;
  int X = 0, Y = 0;
};

struct ScoreSheet {
  std::string Text;                // CR LF lines, as shown and printed
  std::vector<SheetValue> Values;  // in drawing order, the title first
  std::vector<Rating> Ratings;     // one per entry, in order
};

// `date` is the long time and date the sheet is headed with.
ScoreSheet PracticeSheet(const std::string& date, const SheetEntry& shooter);
ScoreSheet LifetimeSheet(const std::string& date, const std::vector<SheetEntry>& shooters);
ScoreSheet TournamentSheet(const std::string& date, const std::vector<SheetEntry>& shooters);

}  // namespace qm
