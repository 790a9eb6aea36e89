#include "platform/trace.h"

#include <charconv>
#include <cmath>
#include <type_traits>

#include "platform/json_text.h"

namespace qm {

namespace {

void AppendValue(std::string& out, const TraceEvent::Value& value) {
  std::visit(
      [&out](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          out += JsonQuote(v);
        } else if constexpr (std::is_same_v<T, bool>) {
          out += v ? "true" : "false";
        } else if constexpr (std::is_same_v<T, double>) {
          // JSON has no infinities or NaN; a reader gets null rather than a broken line.
          if (!std::isfinite(v)) {
            out += "null";
            return;
          }
          char buf[32];
          const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
          out.append(buf, end);
        } else {
          out += std::to_string(v);
        }
      },
      value);
}

}  // namespace

std::string TraceFieldsJson(const TraceEvent& event) {
  std::string out = "{\"ev\":";
  out += JsonQuote(event.Kind);
  for (const auto& [name, value] : event.Fields) {
    out += ',';
    out += JsonQuote(name);
    out += ':';
    AppendValue(out, value);
  }
  out += '}';
  return out;
}

}  // namespace qm
