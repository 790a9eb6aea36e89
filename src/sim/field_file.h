#pragma once
// The field file: a title line, the number of traps, then eight lines per trap (a label and
// the seven numbers of its record). Lines end with CR LF; a bare LF is read as well. Values
// are read by the field number rule (sim/field_number.h). Pure: text in, table out, and back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/field_data.h"

namespace qm {

constexpr int MaxTraps = 4;
// One line longer than this is not a field file's line (a picture or other binary file).
constexpr std::size_t MaxFieldLineLength = 4096;
// The most of a file the reader ever looks at: the lines a field can need, at their longest.
// Whatever follows them is never read, so a field with a long tail still plays.
constexpr std::size_t FieldFileReadBytes = (2 + 8 * MaxTraps + 2) * (MaxFieldLineLength + 2);

struct FieldTable {
  std::string Title;
  int16_t TrapCount = 0;
  std::array<TrapRecord, MaxTraps> Traps{};
  std::array<std::string, MaxTraps> Labels;  // the line before each trap's numbers
};

struct FieldFileResult {
  bool Ok = false;
  std::string Reason;  // why the file was refused, for a developer; the game shows its own words
  // The table as read. Traps the file does not reach keep what they held before, as the game
  // keeps the previous field's later traps; a refused file may have changed some of them.
  FieldTable Field;
};

// Reads a field file's text over `previous`. Refused: a missing line, a whole number out of
// the 16-bit range, fewer than one or more than four traps, a line longer than
// MaxFieldLineLength or holding a NUL byte.
FieldFileResult ParseFieldFile(std::string_view text, const FieldTable& previous = {});

// The field file of a table, CR LF lines, that ParseFieldFile reads back identically. Line
// breaks and NUL bytes inside the title or a label become blanks and they are cut to
// MaxFieldLineLength; speeds that are not finite are written as 0, as the reader takes them;
// only traps up to TrapCount (at most four) are written.
std::string FieldFileText(const FieldTable& field);

}  // namespace qm
