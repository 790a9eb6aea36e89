#pragma once
// The headless host's script: one command per line, read whole before the game starts so
// that a broken script runs nothing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/host.h"

namespace qm {

enum class ScriptCommandKind {
  Wait,
  Move,
  Down,
  Up,
  Click,
  Press,
  Key,
  Type,
  Answer,
  Until,
  Snap,
  Dump,
  Quit,
};

// `until EV [FIELD=VALUE]... [within MS]`: values are compared in their string form.
struct UntilCondition {
  static constexpr uint32_t DefaultWithinMs = 60000;
  std::string Event;
  std::vector<std::pair<std::string, std::string>> Fields;
  uint32_t WithinMs = DefaultWithinMs;
};

struct ScriptCommand {
  ScriptCommandKind Kind = ScriptCommandKind::Quit;
  int Line = 0;
  std::string Source;           // the line as written, trimmed, for messages
  uint32_t Ms = 0;              // wait
  std::optional<Point> At;      // move, click; down and up when given
  int Button = 0;               // MouseButton, or the MsgBoxResult of `answer`
  std::string Argument;         // press: control; snap, dump: file
  std::vector<HostEvent> Keys;  // key, type: the events the keystrokes make
  UntilCondition Until;
};

// Parses a whole script. On the first bad line returns nullopt and sets `error` to
// "line N: what is wrong".
std::optional<std::vector<ScriptCommand>> ParseScript(std::string_view text, std::string& error);

}  // namespace qm
