#include "platform/headless/keystrokes.h"

#include <array>
#include <cctype>
#include <string>

namespace qm {

namespace {

struct NamedKey {
  std::string_view Name;
  int Code;
  bool Printable;
};

constexpr std::array<NamedKey, 11> NamedKeys = {{
    {"Esc", KeyEscape, false},
    {"Enter", KeyReturn, false},
    {"Tab", KeyTab, false},
    {"Space", KeySpace, true},
    {"Backspace", KeyBack, false},
    {"F1", KeyF1, false},
    {"Up", KeyUp, false},
    {"Down", KeyDown, false},
    {"Left", KeyLeft, false},
    {"Right", KeyRight, false},
    {"Delete", KeyDelete, false},
}};

constexpr std::string_view CtrlPrefix = "Ctrl+";

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

HostEvent KeyEvent(HostEvent::Kind kind, int code, int shift) {
  HostEvent event;
  event.Type = kind;
  event.Key = code;
  event.Shift = shift;
  return event;
}

HostEvent CharEvent(std::string_view text) {
  HostEvent event;
  event.Type = HostEvent::Kind::Char;
  event.Text = std::string(text);
  return event;
}

void AddStroke(std::vector<HostEvent>& events, int code, int shift, std::string_view text) {
  events.push_back(KeyEvent(HostEvent::Kind::KeyDown, code, shift));
  if (!text.empty()) events.push_back(CharEvent(text));
  events.push_back(KeyEvent(HostEvent::Kind::KeyUp, code, shift));
}

bool IsPrintable(std::string_view character) {
  auto c = static_cast<unsigned char>(character[0]);
  return character.size() > 1 || (c >= 0x20 && c != 0x7F);
}

// Letters report their upper-case code whatever the case, as the old key codes do; an
// upper-case letter comes with Shift held.
void AddAsciiStroke(std::vector<HostEvent>& events, char c) {
  if (c >= 'a' && c <= 'z') {
    AddStroke(events, c - 'a' + 'A', 0, std::string_view(&c, 1));
  } else if (c >= 'A' && c <= 'Z') {
    AddStroke(events, c, 1, std::string_view(&c, 1));
  } else {
    AddStroke(events, static_cast<unsigned char>(c), 0, std::string_view(&c, 1));
  }
}

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence starting at text[i], or 0 if it is not a valid one.
size_t SequenceLength(std::string_view text, size_t i) {
  auto lead = static_cast<unsigned char>(text[i]);
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  auto second = static_cast<unsigned char>(text[i + 1]);
  if (second < low || second > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) return 0;
  }
  return length;
}

}  // namespace

std::optional<std::vector<std::string_view>> SplitUtf8(std::string_view text) {
  std::vector<std::string_view> characters;
  for (size_t i = 0; i < text.size();) {
    size_t length = SequenceLength(text, i);
    if (length == 0) return std::nullopt;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

std::optional<std::vector<HostEvent>> KeyEvents(std::string_view name) {
  std::vector<HostEvent> events;
  for (const NamedKey& key : NamedKeys) {
    if (SameWord(name, key.Name)) {
      AddStroke(events, key.Code, 0, key.Printable ? " " : "");
      return events;
    }
  }
  // Ctrl with a letter or digit: the key alone, no character, as a desktop sends a shortcut.
  if (name.size() == CtrlPrefix.size() + 1 &&
      SameWord(name.substr(0, CtrlPrefix.size()), CtrlPrefix) &&
      std::isalnum(static_cast<unsigned char>(name.back()))) {
    const int code = std::toupper(static_cast<unsigned char>(name.back()));
    AddStroke(events, code, 2, "");
    return events;
  }
  auto characters = SplitUtf8(name);
  if (!characters || characters->size() != 1 || !IsPrintable(name)) return std::nullopt;
  if (name.size() == 1) {
    AddAsciiStroke(events, name[0]);
  } else {
    events.push_back(CharEvent(name));
  }
  return events;
}

std::optional<std::vector<HostEvent>> TypedEvents(std::string_view text) {
  auto characters = SplitUtf8(text);
  if (!characters) return std::nullopt;
  std::vector<HostEvent> events;
  for (std::string_view character : *characters) {
    if (!IsPrintable(character)) return std::nullopt;
    if (character.size() == 1 && std::isalnum(static_cast<unsigned char>(character[0]))) {
      AddAsciiStroke(events, character[0]);
    } else {
      events.push_back(CharEvent(character));
    }
  }
  return events;
}

}  // namespace qm
