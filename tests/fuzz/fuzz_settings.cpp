// The settings file read and written from arbitrary bytes. After each write: a failed write
// left the file byte for byte as it was and no temporary file; a good one reads back the
// value written and every other key as before.

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/profile.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder for one input, removed when it is done: a fuzzer that is stopped runs no
// exit handlers. In memory where there is such a folder, as every write is flushed.
struct Scratch {
  Scratch() {
    const fs::path base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
    std::string pattern = (base / "quillmoor-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    Dir = pattern;
  }
  ~Scratch() { fs::remove_all(Dir); }
  fs::path Dir;
};

std::string_view NextField(std::string_view& rest) {
  const size_t end = rest.find('\n');
  std::string_view field = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  return field;
}

// A section or key name as the file matches it: without its blanks, in any case.
std::string Folded(std::string_view name) {
  const size_t from = name.find_first_not_of(" \t"), to = name.find_last_not_of(" \t");
  std::string out(from == name.npos ? "" : name.substr(from, to - from + 1));
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Names the file may hold: text between '[' and ']', and before '=' on each line.
std::vector<std::pair<std::string, std::string>> CandidateKeys(std::string_view text,
                                                               std::string_view section) {
  std::vector<std::string> sections = {std::string(section)}, keys;
  for (std::string_view rest = text; !rest.empty() && keys.size() < 12;) {
    std::string_view line = NextField(rest);
    if (size_t open = line.find('['), close = line.find(']'); open < close && close != line.npos)
      if (sections.size() < 6) sections.emplace_back(line.substr(open + 1, close - open - 1));
    if (size_t eq = line.find('='); eq != line.npos) keys.emplace_back(line.substr(0, eq));
  }
  std::vector<std::pair<std::string, std::string>> out;
  for (const auto& s : sections)
    for (const auto& k : keys) out.emplace_back(s, k);
  return out;
}

bool PlainValue(std::string_view value) {
  if (value.find_first_of(std::string_view("\r\n\0", 3)) != value.npos) return false;
  if (!value.empty() && (value.front() == ' ' || value.front() == '\t' || value.back() == ' ' ||
                         value.back() == '\t'))
    return false;
  return !(value.size() >= 2 && value.front() == '"' && value.back() == '"');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int failure = data[0] % 4;  // 1: read-only file, 2: the disk fills up mid-write
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string section(NextField(rest)), key(NextField(rest)), value(NextField(rest));
  const std::string before(rest);

  const Scratch scratch;
  const fs::path path = scratch.Dir / "quillmoor.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << before;
  ::chmod(path.c_str(), failure == 1 ? 0444 : 0644);
  qm::ProfileFile ini(path.string());
  const auto others = CandidateKeys(before, section);
  std::vector<std::string> was;
  for (const auto& [s, k] : others) was.push_back(ini.GetString(s, k, "\x01", 4096));

  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  if (failure == 2) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = before.size() / 2;
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  const bool written = ini.WriteString(section, key, value);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::chmod(path.c_str(), 0644);

  for (const auto& entry : fs::directory_iterator(scratch.Dir))
    if (entry.path() != path) std::abort();  // a temporary file was left behind
  if (!written) {
    std::ifstream in(path, std::ios::binary);
    if (std::string(std::istreambuf_iterator<char>(in), {}) != before) std::abort();
    return 0;
  }
  if (failure == 1) std::abort();  // a read-only file was replaced
  if (PlainValue(value) && value.size() < 4000 && ini.GetString(section, key, "", 4096) != value)
    std::abort();
  for (size_t i = 0; i < others.size(); ++i) {
    const auto& [s, k] = others[i];
    if (Folded(s) == Folded(section) && Folded(k) == Folded(key)) continue;
    if (ini.GetString(s, k, "\x01", 4096) != was[i]) std::abort();
  }
  return 0;
}
