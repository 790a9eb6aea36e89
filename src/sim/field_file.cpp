#include "sim/field_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/numeric.h"
#include "sim/field_number.h"

namespace qm {

namespace {

std::optional<int16_t> IntegerValue(std::string_view line) {
  const double value = LeadingNumber(line);
  if (!std::isfinite(value) || value < -32768.5 || value > 32767.5) return std::nullopt;
  const long rounded = CInt(value);
  if (rounded < -32768 || rounded > 32767) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

float SingleValue(std::string_view line) {
  const double value = LeadingNumber(line);
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return 0;
  return static_cast<float>(value);
}

// The text's lines, without their CR LF (or bare LF) endings; a last line may lack one.
class FieldLines {
 public:
  explicit FieldLines(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line, std::string& reason) {
    ++number_;
    if (pos_ >= text_.size()) {
      reason = "line " + std::to_string(number_) + " is missing";
      return false;
    }
    std::size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > MaxFieldLineLength || line.find('\0') != std::string_view::npos) {
      reason = "line " + std::to_string(number_) + " is not text";
      return false;
    }
    return true;
  }
  bool NextInteger(int16_t& value, std::string& reason) {
    std::string_view line;
    if (!Next(line, reason)) return false;
    const auto parsed = IntegerValue(line);
    if (!parsed) {
      reason = "line " + std::to_string(number_) + " is not a whole number in range";
      return false;
    }
    value = *parsed;
    return true;
  }
  bool NextSingle(float& value, std::string& reason) {
    std::string_view line;
    if (!Next(line, reason)) return false;
    value = SingleValue(line);
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

std::string OneLine(std::string text) {
  if (text.size() > MaxFieldLineLength) text.resize(MaxFieldLineLength);
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return text;
}

// The shortest text that reads back as the same single. Near the largest singles that text
// can read as a number past the range, which the reader takes as 0, so the double's own
// digits are written instead. What is not a finite number is written as 0, as it is read.
std::string NumberText(float value) {
  if (!std::isfinite(value)) return "0";
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (SingleValue(text) == value) return text;
  result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value));
  return std::string(buffer, result.ptr);
}

}  // namespace

FieldFileResult ParseFieldFile(std::string_view text, const FieldTable& previous) {
  FieldFileResult result;
  result.Field = previous;
  FieldTable& field = result.Field;
  std::string& reason = result.Reason;
  FieldLines lines(text);
  std::string_view line;
  if (!lines.Next(line, reason)) return result;
  field.Title = line;
  if (!lines.NextInteger(field.TrapCount, reason)) return result;
  if (field.TrapCount < 1) {
    reason = "a field needs at least one trap";
    return result;
  }
  for (int i = 0; i < field.TrapCount; ++i) {
    if (!lines.Next(line, reason)) return result;
    // A fifth trap is a failure: its label and X are read, nothing of it is kept.
    if (i >= MaxTraps) {
      int16_t x = 0;
      if (lines.NextInteger(x, reason)) reason = "a field has at most four traps";
      return result;
    }
    field.Labels[i] = line;
    TrapRecord& trap = field.Traps[i];
    if (!lines.NextInteger(trap.X, reason) || !lines.NextInteger(trap.Y, reason) ||
        !lines.NextSingle(trap.DX, reason) || !lines.NextSingle(trap.DY, reason) ||
        !lines.NextInteger(trap.FloorY, reason) || !lines.NextInteger(trap.Direction, reason) ||
        !lines.NextInteger(trap.Rabbit, reason)) {
      return result;
    }
  }
  result.Ok = true;
  return result;
}

std::string FieldFileText(const FieldTable& field) {
  const int count = field.TrapCount < 0 ? 0 : std::min<int>(field.TrapCount, MaxTraps);
  std::string text = OneLine(field.Title) + "\r\n" + std::to_string(count) + "\r\n";
  for (int i = 0; i < count; ++i) {
    const TrapRecord& t = field.Traps[i];
    for (const std::string& value :
         {OneLine(field.Labels[i]), std::to_string(t.X), std::to_string(t.Y), NumberText(t.DX),
          NumberText(t.DY), std::to_string(t.FloorY), std::to_string(t.Direction),
          std::to_string(t.Rabbit)}) {
      text += value + "\r\n";
    }
  }
  return text;
}

}  // namespace qm
