#include "editor/field_document.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "sim/view_geometry.h"

namespace qm {

namespace {

std::optional<double> WholeText(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  size_t end = text.find_last_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  const std::string number = text.substr(begin, end - begin + 1);
  // Only the forms the field file's reader takes: no hexadecimal, no "inf" or "nan".
  if (number.find_first_not_of("+-0123456789.eE") != std::string::npos) return std::nullopt;
  char* stop = nullptr;
  const double value = std::strtod(number.c_str(), &stop);
  if (stop != number.c_str() + number.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

bool TrapEntry::operator==(const TrapEntry& other) const {
  const TrapRecord& a = Trap;
  const TrapRecord& b = other.Trap;
  return Label == other.Label && a.X == b.X && a.Y == b.Y && a.DX == b.DX && a.DY == b.DY &&
         a.FloorY == b.FloorY && a.Direction == b.Direction && a.Rabbit == b.Rabbit;
}

ParsedField ParseFieldDocument(const std::string& text) {
  const FieldFileResult read = ParseFieldFile(text);
  if (!read.Ok) return {std::nullopt, read.Reason};
  FieldDocument field;
  field.Title = read.Field.Title;
  for (int i = 0; i < read.Field.TrapCount; ++i)
    field.Traps.push_back({read.Field.Labels[i], read.Field.Traps[i]});
  return {field, ""};
}

std::string WriteFieldDocument(const FieldDocument& field) {
  FieldTable table;
  table.Title = field.Title;
  table.TrapCount = static_cast<int16_t>(std::min<size_t>(field.Traps.size(), MaxTraps));
  for (int i = 0; i < table.TrapCount; ++i) {
    table.Labels[i] = field.Traps[i].Label;
    table.Traps[i] = field.Traps[i].Trap;
  }
  return FieldFileText(table);
}

std::string SaveRefusal(const FieldDocument& field) {
  if (field.Traps.empty()) return "A field needs at least one trap.";
  if (field.Traps.size() > MaxTraps)
    return "A field has at most four traps; the game refuses more.";
  for (const TrapEntry& entry : field.Traps) {
    if (!std::isfinite(entry.Trap.DX) || !std::isfinite(entry.Trap.DY))
      return "Every speed must be a number.";
  }
  return "";
}

FieldDocument NewFieldDocument() {
  FieldDocument field;
  field.Title = "New field";
  TrapEntry trap;
  trap.Label = "Trap 1 - Crossing";
  trap.Trap.X = BackdropWidth / 2;
  trap.Trap.Y = BackdropHeight * 3 / 4;
  trap.Trap.DX = 4.0f;
  trap.Trap.DY = 3.0f;
  trap.Trap.FloorY = static_cast<int16_t>(BackdropHeight * 3 / 4 + 40);
  trap.Trap.Direction = Crossing;
  trap.Trap.Rabbit = 0;
  field.Traps.push_back(trap);
  return field;
}

TypedValue ParseTypedWhole(const std::string& name, const std::string& text) {
  const std::optional<double> value = WholeText(text);
  const std::string range = name + " must be a whole number from -32768 to 32767.";
  if (!value || *value != std::floor(*value)) return {std::nullopt, range};
  if (*value < std::numeric_limits<int16_t>::min() || *value > std::numeric_limits<int16_t>::max())
    return {std::nullopt, range + " The game keeps it in 16 bits."};
  return {value, ""};
}

TypedValue ParseTypedSpeed(const std::string& name, const std::string& text) {
  const std::optional<double> value = WholeText(text);
  if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
    return {std::nullopt, name + " must be a number, such as 4.5 or -2."};
  return {value, ""};
}

}  // namespace qm
