// The program shell: reads the command line, finds the data and settings directories,
// starts the real or the headless host and runs the game until it ends.

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/game.h"
#include "platform/form.h"
#include "platform/headless/headless_host.h"
#include "platform/history_store.h"
#include "platform/host.h"
#include "platform/host_options.h"
#include "platform/user_files.h"
#include "players/score_history.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage =
    "usage: quillmoor [options]\n"
    "  --help                   show this help and exit\n"
    "  --version                show the version and exit\n"
    "  --data DIR               artwork, sounds, fields and help (default: data/ beside the\n"
    "                           game, else the installed share/quillmoor)\n"
    "  --config DIR             where quillmoor.ini is kept (default: ~/.config/quillmoor)\n"
    "  --seed N                 fix the random generator\n"
    "  --scale N                window scale, a whole number (default: fit the desktop)\n"
    "  --headless               run without a window, driven by a script\n"
    "  --script FILE            the script of a headless run\n"
    "  --trace FILE             where a headless run writes its trace\n"
    "  --twips N                twips per pixel a headless run reports (default 15)\n"
    "  --day-clock SECONDS      seconds since midnight a headless run starts at (default noon)\n"
    "  --refuse-display-switch  a headless run refuses display mode switches\n"
    "  --frame-ms N             a headless run's frames last N ms, as on a display of that "
    "period\n"
    "  --history-csv FILE       write the score history to FILE as CSV and exit\n";

struct CommandLine {
  bool Help = false;
  bool Version = false;
  bool Headless = false;
  std::string DataDir;
  std::string ConfigDir;
  std::string HistoryCsv;
  qm::HostOptions Host;
};

// Exit codes of the shell itself; the game's own codes come from the game.
constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseSeconds(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(value) || value < 0 || value >= 86400) {
    return std::nullopt;
  }
  return value;
}

// Applies one option that takes a value; false if the value is not acceptable.
bool ApplyValue(CommandLine& line, std::string_view flag, const std::string& value) {
  if (flag == "--data") {
    line.DataDir = value;
  } else if (flag == "--config") {
    line.ConfigDir = value;
  } else if (flag == "--history-csv") {
    line.HistoryCsv = value;
  } else if (flag == "--script") {
    line.Host.ScriptPath = value;
  } else if (flag == "--trace") {
    line.Host.TracePath = value;
  } else if (flag == "--seed") {
    auto seed = ParseNumber<uint32_t>(value);
    if (!seed) return false;
    line.Host.Seed = *seed;
  } else if (flag == "--twips") {
    auto twips = ParseNumber<int>(value);
    if (!twips || *twips < 1 || *twips > 1440) return false;
    line.Host.Twips = *twips;
  } else if (flag == "--day-clock") {
    auto seconds = ParseSeconds(value);
    if (!seconds) return false;
    line.Host.DayClockStart = *seconds;
  } else if (flag == "--scale") {
    auto scale = ParseNumber<int>(value);
    if (!scale || *scale < 1 || *scale > 16) return false;
    line.Host.Scale = *scale;
  } else if (flag == "--frame-ms") {
    auto ms = ParseNumber<int>(value);
    if (!ms || *ms < 1 || *ms > 1000) return false;
    line.Host.FrameMs = *ms;
  } else {
    return false;
  }
  return !value.empty();
}

bool TakesValue(std::string_view flag) {
  return flag == "--data" || flag == "--config" || flag == "--script" || flag == "--trace" ||
         flag == "--seed" || flag == "--twips" || flag == "--day-clock" || flag == "--scale" ||
         flag == "--frame-ms" || flag == "--history-csv";
}

// nullopt after saying on stderr what was wrong with the command line.
std::optional<CommandLine> ParseCommandLine(int argc, char** argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    std::string_view flag = argv[i];
    if (flag == "--help") {
      line.Help = true;
    } else if (flag == "--version") {
      line.Version = true;
    } else if (flag == "--headless") {
      line.Headless = true;
    } else if (flag == "--refuse-display-switch") {
      line.Host.RefuseDisplaySwitch = true;
    } else if (TakesValue(flag)) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "quillmoor: %s needs a value\n", argv[i]);
        return std::nullopt;
      }
      if (!ApplyValue(line, flag, argv[++i])) {
        std::fprintf(stderr, "quillmoor: bad value for %s: '%s'\n", argv[i - 1], argv[i]);
        return std::nullopt;
      }
    } else {
      std::fprintf(stderr, "quillmoor: unknown option '%s'\n", argv[i]);
      return std::nullopt;
    }
  }
  if (line.Headless && line.Host.ScriptPath.empty() && !line.Help && !line.Version) {
    std::fprintf(stderr, "quillmoor: --headless needs --script FILE\n");
    return std::nullopt;
  }
  return line;
}

fs::path ProgramDirectory() {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path(error) : self.parent_path();
}

// --data, then $QUILLMOOR_DATA, then data/ beside the game, then the share directory of an
// installed game (found from the executable, so a moved installation still works), then
// the directory the build was configured to install to. Returns the path to name in the
// message when none of them is a directory.
fs::path FindDataDirectory(const CommandLine& line, const fs::path& programDir, bool& found) {
  std::error_code error;
  found = true;
  if (!line.DataDir.empty()) {
    found = fs::is_directory(line.DataDir, error);
    return line.DataDir;
  }
  if (const char* fromEnvironment = std::getenv("QUILLMOOR_DATA");
      fromEnvironment && *fromEnvironment) {
    found = fs::is_directory(fromEnvironment, error);
    return fromEnvironment;
  }
  fs::path beside = programDir / "data";
  if (fs::is_directory(beside, error)) return beside;
  fs::path installed = programDir.parent_path() / "share" / "quillmoor";
  if (fs::is_directory(installed, error)) return installed;
#ifdef QUILLMOOR_INSTALLED_DATA
  if (fs::is_directory(QUILLMOOR_INSTALLED_DATA, error)) return QUILLMOOR_INSTALLED_DATA;
#endif
  found = false;
  return beside;
}

fs::path FindConfigDirectory(const CommandLine& line) {
  if (!line.ConfigDir.empty()) return line.ConfigDir;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    return fs::path(xdg) / "quillmoor";
  }
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".config" / "quillmoor";
}

// The score history lives with the player's own data, not with the settings.
fs::path FindHistoryPath() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    return fs::path(xdg) / "quillmoor" / "history.sqlite3";
  }
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".local" / "share" / "quillmoor" /
         "history.sqlite3";
}

// --history-csv: the whole history as CSV, read without changing the database. No history
// yet gives the header line alone.
int ExportHistory(const std::string& file) {
  const fs::path path = FindHistoryPath();
  std::vector<qm::HistoryRun> runs;
  std::error_code error;
  if (fs::exists(path, error)) {
    qm::HistoryStore store(path.string());
    std::optional<std::vector<qm::HistoryRun>> all;
    if (store.Open(true)) all = store.ReadAll();
    if (!all) {
      std::fprintf(stderr, "quillmoor: could not open the score history: %s\n",
                   store.Error().c_str());
      return ExitBadInput;
    }
    runs = std::move(*all);
  }
  std::string why;
  if (!qm::WriteWholeFile(file, qm::HistoryCsv(runs), why)) {
    std::fprintf(stderr, "quillmoor: could not write the score history: %s\n", why.c_str());
    return ExitBadInput;
  }
  return 0;
}

// Relative paths on the command line mean the directory the game was started in, not the
// data directory it moves to.
std::string Absolute(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  fs::path absolute = fs::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

int RunHost(qm::Host& host, const qm::GameConfig& config) {
  int code = 0;
  try {
    code = qm::RunGame(host, config);
  } catch (const qm::ProgramEnd& end) {
    code = end.Code;
  } catch (const qm::ScriptFailure& failure) {
    std::fprintf(stderr, "quillmoor: %s\n", failure.Message.c_str());
    code = failure.Code;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "quillmoor: %s\n", failure.what());
    code = ExitBadInput;
  }
  host.Trace(qm::TraceEvent("exit").With("code", code));
  return code;
}

int Run(const CommandLine& line) {
  if (!line.HistoryCsv.empty()) return ExportHistory(line.HistoryCsv);
  fs::path programDir = ProgramDirectory();
  bool found = false;
  fs::path dataDir = FindDataDirectory(line, programDir, found);
  if (!found) {
    std::fprintf(stderr, "quillmoor: data directory not found: %s\n", dataDir.c_str());
    return ExitBadInput;
  }

  qm::HostOptions options = line.Host;
  options.ScriptPath = Absolute(options.ScriptPath);
  options.TracePath = Absolute(options.TracePath);
  std::error_code error;
  if (line.Headless && !fs::is_regular_file(options.ScriptPath, error)) {
    std::fprintf(stderr, "quillmoor: script not found: %s\n", options.ScriptPath.c_str());
    return ExitBadInput;
  }

  qm::GameConfig config;
  config.DataDir = Absolute(dataDir.string());
  config.ConfigDir = Absolute(FindConfigDirectory(line).string());
  config.ProgramDir = programDir.string();
  config.FieldsDir = qm::UserFieldsFolder();
  config.HistoryPath = FindHistoryPath().string();
  options.IconPath = (fs::path(config.DataDir) / "quillmoor-icon.bmp").string();
  // The settings writer replaces quillmoor.ini inside this directory; a first run has none.
  fs::create_directories(config.ConfigDir, error);

  // Both hosts are made before moving into the data directory: the headless host resolves
  // its snapshot and dump paths against the directory the game was started in.
  std::string hostError;
  std::unique_ptr<qm::Host> host = line.Headless ? qm::CreateHeadlessHost(options, hostError)
                                                 : qm::CreateSdlHost(options, hostError);
  if (!host) {
    std::fprintf(stderr, "quillmoor: %s\n", hostError.c_str());
    // The script exists (checked above), so a headless host that refuses it found a broken
    // line: a script error, like those met while it runs.
    return line.Headless ? ExitUsage : ExitBadInput;
  }
  if (chdir(config.DataDir.c_str()) != 0) {
    std::fprintf(stderr, "quillmoor: cannot enter the data directory %s\n", config.DataDir.c_str());
    return ExitBadInput;
  }
  return RunHost(*host, config);
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<CommandLine> line = ParseCommandLine(argc, argv);
  if (!line) {
    std::fputs(Usage, stderr);
    return ExitUsage;
  }
  if (line->Help) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (line->Version) {
    std::printf("quillmoor %s\n", QUILLMOOR_VERSION);
    return 0;
  }
  return Run(*line);
}
