#pragma once
// The events a scripted keystroke makes, as a keyboard would send them.

#include <optional>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace qm {

// `key NAME`: Esc, Enter, Tab, Space, Backspace, F1, Up, Down, Left, Right (any case), or one
// character. KeyDown, then Char for a printable character, then KeyUp. Null if unknown.
std::optional<std::vector<HostEvent>> KeyEvents(std::string_view name);

// `type TEXT`: a Char per character, wrapped in KeyDown and KeyUp for ASCII letters and
// digits. Null if the text is not valid UTF-8.
std::optional<std::vector<HostEvent>> TypedEvents(std::string_view text);

// Splits UTF-8 text into characters; null if it is not valid UTF-8.
std::optional<std::vector<std::string_view>> SplitUtf8(std::string_view text);

}  // namespace qm
