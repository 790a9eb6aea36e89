#include "platform/headless/trace_match.h"

#include <charconv>
#include <cstdlib>
#include <optional>
#include <type_traits>

namespace qm {

namespace {

std::optional<double> NumberIn(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

bool ValueMatches(const TraceEvent::Value& value, const std::string& wanted) {
  if (TraceValueText(value) == wanted) return true;
  if (std::holds_alternative<std::string>(value) || std::holds_alternative<bool>(value)) {
    return false;
  }
  auto number = NumberIn(wanted);
  if (!number) return false;
  return std::visit(
      [&](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, long long> || std::is_same_v<T, double>) {
          return static_cast<double>(v) == *number;
        }
        return false;
      },
      value);
}

}  // namespace

std::string TraceValueText(const TraceEvent::Value& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else if constexpr (std::is_same_v<T, bool>) {
          return v ? "true" : "false";
        } else if constexpr (std::is_same_v<T, long long>) {
          return std::to_string(v);
        } else {
          char buffer[32];
          auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
          return std::string(buffer, result.ptr);
        }
      },
      value);
}

bool UntilMatches(const UntilCondition& condition, const TraceEvent& event) {
  if (event.Kind != condition.Event) return false;
  for (const auto& [name, wanted] : condition.Fields) {
    bool found = false;
    for (const auto& [fieldName, value] : event.Fields) {
      if (fieldName == name && ValueMatches(value, wanted)) {
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace qm
