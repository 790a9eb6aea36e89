#include "platform/profile.h"
#include "platform/user_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

namespace qm {

namespace {

namespace fs = std::filesystem;

// Settings files are a few kilobytes; anything past this is not one of ours and is not read.
constexpr size_t MaxProfileBytes = 1 << 20;
constexpr size_t NotFound = static_cast<size_t>(-1);

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// The file's lines without their '\n'; a '\r' of a CR-LF file stays part of its line so
// that lines the game does not touch are written back byte for byte.
struct ProfileText {
  std::vector<std::string> Lines;
  bool FinalNewline = true;
};

ProfileText SplitLines(const std::string& text) {
  ProfileText out;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      out.Lines.push_back(text.substr(start));
      out.FinalNewline = false;
      break;
    }
    out.Lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

std::string JoinLines(const ProfileText& text) {
  std::string out;
  for (size_t i = 0; i < text.Lines.size(); ++i) {
    out += text.Lines[i];
    if (i + 1 < text.Lines.size() || text.FinalNewline) out += '\n';
  }
  return out;
}

struct ParsedLine {
  enum class Kind { Blank, Comment, Section, Key, Other } Type = Kind::Other;
  std::string_view Name;   // section or key name, trimmed
  std::string_view Value;  // raw text after the first '=' of a key line
};

// ';' and '[' mean something only at the start of a line, so values may hold both.
ParsedLine ParseLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::string_view body = Trim(line);
  ParsedLine out;
  if (body.empty()) {
    out.Type = ParsedLine::Kind::Blank;
  } else if (body.front() == ';') {
    out.Type = ParsedLine::Kind::Comment;
  } else if (body.front() == '[') {
    const size_t close = body.find(']');
    if (close != std::string_view::npos) {
      out.Type = ParsedLine::Kind::Section;
      out.Name = Trim(body.substr(1, close - 1));
    }
  } else if (const size_t eq = body.find('='); eq != std::string_view::npos && eq > 0) {
    out.Type = ParsedLine::Kind::Key;
    out.Name = Trim(body.substr(0, eq));
    out.Value = body.substr(eq + 1);
  }
  return out;
}

// Index of the first line of `section` holding `key`, or NotFound.
size_t FindKey(const ProfileText& text, std::string_view section, std::string_view key) {
  bool inSection = false;
  for (size_t i = 0; i < text.Lines.size(); ++i) {
    const ParsedLine line = ParseLine(text.Lines[i]);
    if (line.Type == ParsedLine::Kind::Section) {
      inSection = SameName(line.Name, section);
    } else if (inSection && line.Type == ParsedLine::Kind::Key && SameName(line.Name, key)) {
      return i;
    }
  }
  return NotFound;
}

size_t FindSection(const ProfileText& text, std::string_view section) {
  for (size_t i = 0; i < text.Lines.size(); ++i) {
    const ParsedLine line = ParseLine(text.Lines[i]);
    if (line.Type == ParsedLine::Kind::Section && SameName(line.Name, section)) return i;
  }
  return NotFound;
}

// A stored value as the old call returned it: blanks trimmed, one pair of quotes removed.
std::string StoredValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// At most `limit` bytes, never ending inside a UTF-8 character.
std::string CutUtf8(std::string text, size_t limit) {
  if (text.size() <= limit) return text;
  size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
  return text;
}

// Up to `limit` bytes of the file; nullopt when it exists but cannot be read.
std::optional<std::string> ReadFile(const std::string& path, size_t limit, bool& tooLong) {
  tooLong = false;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
  std::string text;
  char chunk[16384];
  size_t got = 0;
  while (text.size() <= limit && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    text.append(chunk, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  tooLong = text.size() > limit;
  if (tooLong) text.resize(limit);
  return text;
}

std::optional<std::string> ReadValue(const std::string& path, const std::string& section,
                                     const std::string& key) {
  bool tooLong = false;
  const std::optional<std::string> text = ReadFile(path, MaxProfileBytes, tooLong);
  if (!text) return std::nullopt;
  const ProfileText lines = SplitLines(*text);
  const size_t at = FindKey(lines, Trim(section), Trim(key));
  if (at == NotFound) return std::nullopt;
  return StoredValue(ParseLine(lines.Lines[at]).Value);
}

// Names that would not read back as written, or would break the file's layout.
bool IsWritableName(std::string_view name, bool isKey) {
  if (name.empty()) return false;
  if (name.find_first_of(std::string_view("]=\r\n\0", 5)) != std::string_view::npos) return false;
  return !isKey || (name.front() != ';' && name.front() != '[');
}

// Line breaks would split the value into lines of their own.
std::string OneLine(std::string value) {
  for (char& c : value)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return value;
}

void SetKey(ProfileText& text, std::string_view section, std::string_view key,
            const std::string& value) {
  const bool crlf = !text.Lines.empty() && !text.Lines[0].empty() && text.Lines[0].back() == '\r';
  const std::string cr = crlf ? "\r" : "";
  if (const size_t at = FindKey(text, section, key); at != NotFound) {
    std::string& line = text.Lines[at];
    const bool hadCr = !line.empty() && line.back() == '\r';
    line = std::string(ParseLine(line).Name) + "=" + value + (hadCr ? "\r" : "");
    return;
  }
  const std::string keyLine = std::string(key) + "=" + value + cr;
  const size_t header = FindSection(text, section);
  if (header == NotFound) {
    if (!text.Lines.empty() && ParseLine(text.Lines.back()).Type != ParsedLine::Kind::Blank)
      text.Lines.push_back(cr);
    text.Lines.push_back("[" + std::string(section) + "]" + cr);
    text.Lines.push_back(keyLine);
    text.FinalNewline = true;
    return;
  }
  size_t end = header + 1;
  while (end < text.Lines.size() && ParseLine(text.Lines[end]).Type != ParsedLine::Kind::Section)
    ++end;
  size_t insert = end;
  while (insert > header + 1 && ParseLine(text.Lines[insert - 1]).Type == ParsedLine::Kind::Blank)
    --insert;
  if (insert == text.Lines.size()) text.FinalNewline = true;
  text.Lines.insert(text.Lines.begin() + static_cast<std::ptrdiff_t>(insert), keyLine);
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

constexpr std::string_view TempSuffix = ".tmp-";

// The open file is still the one the path names.
bool StillNamed(int fd, const std::string& path) {
  struct stat opened {
  }, named{};
  return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// A fresh temporary file beside the target, locked; -1 if none could be made.
int OpenLockedTemporary(const std::string& target, std::string& temp) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    temp = target + std::string(TempSuffix) + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return -1;
    // A starting game may have taken it for a dead writer's before the lock: then it is gone
    // and another is made.
    if (::flock(fd, LOCK_EX) == 0 && StillNamed(fd, temp)) return fd;
    ::close(fd);
  }
  return -1;
}

// Writes a temporary file beside the target and renames it over the target, so the file is
// either the old one or the new one, never half of each. The temporary file stays locked
// until it is renamed, which tells a starting game that its writer is alive.
bool ReplaceFile(const std::string& target, const std::string& bytes, mode_t mode) {
  std::string temp;
  const int fd = OpenLockedTemporary(target, temp);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  ::close(fd);  // after fsync there is nothing left for close to report; this ends the lock
  if (!ok) return false;
  const std::string dir = fs::path(target).parent_path().string();
  const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dirFd >= 0) {
    ::fsync(dirFd);  // best effort: the rename is already done
    ::close(dirFd);
  }
  return true;
}

// The file a write replaces: through a symbolic link to the file it points to.
std::string WriteTarget(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path : resolved.string();
}

// `name` is `prefix` and the six letters or digits mkstemp puts in.
bool IsTemporaryOf(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) return false;
  for (char c : name.substr(prefix.size()))
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

}  // namespace

void ProfileFile::RemoveStaleTemporaries() const {
  const fs::path target = WriteTarget(path_);
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string prefix = target.filename().string() + std::string(TempSuffix);
  std::error_code error;
  std::vector<std::string> candidates;
  for (const auto& entry : fs::directory_iterator(dir, error))
    if (IsTemporaryOf(entry.path().filename().string(), prefix))
      candidates.push_back(entry.path().string());
  for (const std::string& path : candidates) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat info {};
    // Locks die with their process: a lock we can take means its writer is gone.
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        StillNamed(fd, path))
      ::unlink(path.c_str());
    ::close(fd);
  }
}

std::string ProfileFile::GetString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, int bufferSize) const {
  if (bufferSize <= 0) return "";
  const std::optional<std::string> value = ReadValue(path_, section, key);
  return CutUtf8(value ? *value : defaultValue, static_cast<size_t>(bufferSize) - 1);
}

int ProfileFile::GetInt(const std::string& section, const std::string& key,
                        int defaultValue) const {
  const std::optional<std::string> value = ReadValue(path_, section, key);
  // Kept: the old call gave the default for a key present with nothing after '='.
  if (!value || value->empty()) return defaultValue;
  std::string_view text = Trim(*value);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  // Kept: the old call let too many digits wrap around rather than fail.
  uint32_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    number = number * 10 + static_cast<uint32_t>(c - '0');
  }
  if (negative) number = 0u - number;
  return static_cast<int>(number);
}

bool ProfileFile::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  const std::string_view sectionName = Trim(section);
  const std::string_view keyName = Trim(key);
  if (!IsWritableName(sectionName, false) || !IsWritableName(keyName, true)) return false;

  const std::string target = WriteTarget(path_);
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  const bool exists = fs::exists(status);
  if (error && error != std::errc::no_such_file_or_directory) return false;
  if (exists && !fs::is_regular_file(status)) return false;
  // A settings file the player made read-only stays as it is, even for root, who could
  // replace it anyway.
  if (exists && (status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;

  bool tooLong = false;
  const std::optional<std::string> old = ReadFile(target, MaxProfileBytes, tooLong);
  // A file we cannot read whole would lose what we could not see.
  if (!old || tooLong) return false;

  ProfileText text = SplitLines(*old);
  SetKey(text, sectionName, keyName, OneLine(value));

  const fs::path dir = fs::path(target).parent_path();
  if (!dir.empty()) {
    fs::create_directories(dir, error);
    if (error) return false;
  }
  const mode_t mode =
      exists ? static_cast<mode_t>(status.permissions() & fs::perms::mask) : NewFileMode();
  return ReplaceFile(target, JoinLines(text), mode);
}

}  // namespace qm
