#pragma once
// What the headless host writes to its trace, one JSON object per line.

#include <concepts>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qm {

struct TraceEvent {
  using Value = std::variant<std::string, long long, double, bool>;
  std::string Kind;  // the "ev" field: msgbox, sound, ini, caption, text, show, hide, ...
  std::vector<std::pair<std::string, Value>> Fields;

  TraceEvent(std::string kind) : Kind(std::move(kind)) {}
  TraceEvent& With(std::string name, Value value) {
    Fields.emplace_back(std::move(name), std::move(value));
    return *this;
  }
  TraceEvent& With(std::string name, const char* value) {
    return With(std::move(name), Value(std::string(value)));
  }
  TraceEvent& With(std::string name, int value) {
    return With(std::move(name), Value(static_cast<long long>(value)));
  }
  // Without this a bool would take the int overload and be written as 0 or 1.
  template <std::same_as<bool> B>
  TraceEvent& With(std::string name, B value) {
    return With(std::move(name), Value(value));
  }
};

// The event as one line of JSON, without the time stamp: {"ev":"sound","name":"k001.wav",...}
std::string TraceFieldsJson(const TraceEvent& event);

}  // namespace qm
