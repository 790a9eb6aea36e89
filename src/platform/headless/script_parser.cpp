#include "platform/headless/script_parser.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

#include "platform/headless/keystrokes.h"
#include "platform/message_box.h"

namespace qm {

namespace {

constexpr int WindowWidth = 640;
constexpr int WindowHeight = 480;
// A day of virtual time is far more than any scenario needs; anything longer is a typo.
constexpr uint32_t LongestWaitMs = 86400000;

// Thrown inside the parser only; ParseScript turns it into "line N: ...".
struct LineError {
  std::string Message;
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Words are separated by blanks; "quoted" parts keep blanks, and inside them \" and \\ stand
// for " and \. An unquoted word starting with # ends the line as a comment.
std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == '#') break;
    std::string word;
    while (i < line.size() && !IsBlank(line[i])) {
      if (line[i] != '"') {
        word += line[i++];
        continue;
      }
      ++i;
      while (i < line.size() && line[i] != '"') {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        word += line[i++];
      }
      if (i == line.size()) throw LineError{"a quote is not closed"};
      ++i;
    }
    words.push_back(std::move(word));
  }
  return words;
}

uint32_t Number(const std::string& word, const char* what, uint32_t highest) {
  uint32_t value = 0;
  const char* end = word.data() + word.size();
  auto [next, status] = std::from_chars(word.data(), end, value);
  bool digitsOnly = !word.empty() && std::all_of(word.begin(), word.end(),
                                                 [](unsigned char c) { return std::isdigit(c); });
  if (!digitsOnly || status != std::errc() || next != end || value > highest) {
    throw LineError{std::string(what) + " must be a whole number from 0 to " +
                    std::to_string(highest) + ", not '" + word + "'"};
  }
  return value;
}

Point Coordinates(const std::string& x, const std::string& y) {
  return {static_cast<int>(Number(x, "X", WindowWidth - 1)),
          static_cast<int>(Number(y, "Y", WindowHeight - 1))};
}

int MouseButtonNamed(const std::string& word) {
  std::string name = Lower(word);
  if (name == "left") return LeftButton;
  if (name == "right") return RightButton;
  if (name == "middle") return MiddleButton;
  throw LineError{"the button must be left, right or middle, not '" + word + "'"};
}

void ExpectCount(const std::vector<std::string>& words, size_t least, size_t most,
                 const char* usage) {
  size_t count = words.size() - 1;
  if (count < least || count > most) throw LineError{std::string("usage: ") + usage};
}

void ParseWait(const std::vector<std::string>& words, ScriptCommand& command) {
  ExpectCount(words, 1, 1, "wait MS");
  command.Ms = Number(words[1], "MS", LongestWaitMs);
}

void ParseMove(const std::vector<std::string>& words, ScriptCommand& command) {
  ExpectCount(words, 2, 2, "move X Y");
  command.At = Coordinates(words[1], words[2]);
}

void ParseDownUp(const std::vector<std::string>& words, ScriptCommand& command) {
  const char* usage =
      command.Kind == ScriptCommandKind::Down ? "down BUTTON [X Y]" : "up BUTTON [X Y]";
  ExpectCount(words, 1, 3, usage);
  if (words.size() == 3) throw LineError{std::string("usage: ") + usage};
  command.Button = MouseButtonNamed(words[1]);
  if (words.size() == 4) command.At = Coordinates(words[2], words[3]);
}

void ParseClick(const std::vector<std::string>& words, ScriptCommand& command) {
  ExpectCount(words, 3, 3, "click BUTTON X Y");
  command.Button = MouseButtonNamed(words[1]);
  command.At = Coordinates(words[2], words[3]);
}

void ParsePress(const std::vector<std::string>& words, ScriptCommand& command) {
  ExpectCount(words, 1, 2, "press CONTROL [BUTTON]");
  if (words[1].empty()) throw LineError{"press needs the name of a control"};
  command.Argument = words[1];
  command.Button = words.size() == 3 ? MouseButtonNamed(words[2]) : LeftButton;
}

void ParseKey(const std::vector<std::string>& words, ScriptCommand& command) {
  ExpectCount(words, 1, 1, "key NAME");
  auto events = KeyEvents(words[1]);
  if (!events) {
    throw LineError{"unknown key '" + words[1] +
                    "': use Esc, Enter, Tab, Space, Backspace, F1, Up, Down, Left, Right or "
                    "one character"};
  }
  command.Keys = std::move(*events);
}

void ParseAnswer(const std::vector<std::string>& words, ScriptCommand& command) {
  ExpectCount(words, 1, 1, "answer ok|yes|no|cancel");
  std::string answer = Lower(words[1]);
  if (answer == "ok") {
    command.Button = vbOK;
  } else if (answer == "yes") {
    command.Button = vbYes;
  } else if (answer == "no") {
    command.Button = vbNo;
  } else if (answer == "cancel") {
    command.Button = vbCancel;
  } else {
    throw LineError{"the answer must be ok, yes, no or cancel, not '" + words[1] + "'"};
  }
}

void ParseUntil(const std::vector<std::string>& words, ScriptCommand& command) {
  const char* usage = "until EV [FIELD=VALUE]... [within MS]";
  if (words.size() < 2 || words[1].empty() || words[1].find('=') != std::string::npos) {
    throw LineError{std::string("usage: ") + usage};
  }
  command.Until.Event = words[1];
  size_t end = words.size();
  if (end >= 4 && Lower(words[end - 2]) == "within") {
    command.Until.WithinMs = Number(words[end - 1], "within", LongestWaitMs);
    end -= 2;
  }
  for (size_t i = 2; i < end; ++i) {
    size_t equals = words[i].find('=');
    if (equals == std::string::npos || equals == 0) {
      throw LineError{"expected FIELD=VALUE, not '" + words[i] + "'"};
    }
    command.Until.Fields.emplace_back(words[i].substr(0, equals), words[i].substr(equals + 1));
  }
}

bool EndsWith(const std::string& text, std::string_view suffix) {
  return text.size() > suffix.size() && Lower(text.substr(text.size() - suffix.size())) == suffix;
}

void ParseFile(const std::vector<std::string>& words, ScriptCommand& command) {
  bool snap = command.Kind == ScriptCommandKind::Snap;
  ExpectCount(words, 1, 1, snap ? "snap FILE.bmp" : "dump FILE.json");
  std::string_view suffix = snap ? ".bmp" : ".json";
  if (!EndsWith(words[1], suffix)) {
    throw LineError{std::string(snap ? "snap" : "dump") + " writes a " + std::string(suffix) +
                    " file, not '" + words[1] + "'"};
  }
  command.Argument = words[1];
}

void ParseQuit(const std::vector<std::string>& words, ScriptCommand&) {
  ExpectCount(words, 0, 0, "quit");
}

using WordsParser = std::function<void(const std::vector<std::string>&, ScriptCommand&)>;

const std::map<std::string, std::pair<ScriptCommandKind, WordsParser>>& Commands() {
  static const std::map<std::string, std::pair<ScriptCommandKind, WordsParser>> commands = {
      {"wait", {ScriptCommandKind::Wait, ParseWait}},
      {"move", {ScriptCommandKind::Move, ParseMove}},
      {"down", {ScriptCommandKind::Down, ParseDownUp}},
      {"up", {ScriptCommandKind::Up, ParseDownUp}},
      {"click", {ScriptCommandKind::Click, ParseClick}},
      {"press", {ScriptCommandKind::Press, ParsePress}},
      {"key", {ScriptCommandKind::Key, ParseKey}},
      {"answer", {ScriptCommandKind::Answer, ParseAnswer}},
      {"until", {ScriptCommandKind::Until, ParseUntil}},
      {"snap", {ScriptCommandKind::Snap, ParseFile}},
      {"dump", {ScriptCommandKind::Dump, ParseFile}},
      {"quit", {ScriptCommandKind::Quit, ParseQuit}},
  };
  return commands;
}

// `type` takes the rest of the line as it stands: a # in it is typed, not a comment.
void ParseType(std::string_view line, ScriptCommand& command) {
  std::string_view text = line.substr(4);
  if (!text.empty()) text.remove_prefix(1);
  while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (text.empty()) throw LineError{"usage: type TEXT"};
  auto events = TypedEvents(text);
  if (!events) throw LineError{"type needs printable UTF-8 text"};
  command.Keys = std::move(*events);
}

std::string_view FirstWord(std::string_view line) {
  size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  size_t end = start;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  return line.substr(start, end - start);
}

// Null for a blank or comment line.
std::optional<ScriptCommand> ParseLine(std::string_view line, int number) {
  std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == '#') return std::nullopt;
  ScriptCommand command;
  command.Line = number;
  command.Source = std::string(trimmed);
  std::string_view first = FirstWord(trimmed);
  if (Lower(first) == "type") {
    command.Kind = ScriptCommandKind::Type;
    // From where the trimmed line starts, so a leading CR is cut as the trim cut it.
    ParseType(line.substr(static_cast<size_t>(trimmed.data() - line.data())), command);
    return command;
  }
  std::vector<std::string> words = SplitWords(trimmed);
  auto found = Commands().find(Lower(words[0]));
  if (found == Commands().end()) throw LineError{"unknown command '" + words[0] + "'"};
  command.Kind = found->second.first;
  found->second.second(words, command);
  return command;
}

}  // namespace

std::optional<std::vector<ScriptCommand>> ParseScript(std::string_view text, std::string& error) {
  constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
  std::vector<ScriptCommand> commands;
  int number = 0;
  while (!text.empty()) {
    ++number;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    try {
      if (auto command = ParseLine(line, number)) commands.push_back(std::move(*command));
    } catch (const LineError& failure) {
      error = "line " + std::to_string(number) + ": " + failure.Message;
      return std::nullopt;
    }
  }
  return commands;
}

}  // namespace qm
