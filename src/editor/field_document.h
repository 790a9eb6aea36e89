#pragma once
// The field being edited: its title line and its traps with their label lines, the values
// the editor checks before saving, and the warnings a field designer wants to see.

#include <optional>
#include <string>
#include <vector>

#include "sim/field_data.h"
#include "sim/field_file.h"

namespace qm {

struct TrapEntry {
  std::string Label;
  TrapRecord Trap;
  bool operator==(const TrapEntry& other) const;
};

struct FieldDocument {
  std::string Title;
  std::vector<TrapEntry> Traps;
  bool operator==(const FieldDocument& other) const = default;
};

// The text of a field file, or the reason the game would refuse it.
struct ParsedField {
  std::optional<FieldDocument> Field;
  std::string Reason;
};
ParsedField ParseFieldDocument(const std::string& text);
// Field-file text (CR LF lines) that the game's reader reads back as the same table.
std::string WriteFieldDocument(const FieldDocument& field);
// Empty when the game would play the field, else why it cannot be saved.
std::string SaveRefusal(const FieldDocument& field);

// A new field on a picture: one trap in the middle, throwing a crossing clay.
FieldDocument NewFieldDocument();

// A value typed into one of a trap's boxes: the number, or why it is refused.
struct TypedValue {
  std::optional<double> Value;
  std::string Reason;
};
// Whole numbers must fit the game's 16 bits; speeds are any finite number.
TypedValue ParseTypedWhole(const std::string& name, const std::string& text);
TypedValue ParseTypedSpeed(const std::string& name, const std::string& text);

}  // namespace qm
