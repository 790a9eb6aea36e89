// The field editor's program shell: reads the command line, checks a field file or opens the
// editor's window (real or headless) and runs it until it is closed.

#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editor/editor_form.h"
#include "editor/field_check.h"
#include "platform/file_read.h"
#include "platform/headless/headless_host.h"
#include "platform/host_options.h"
#include "platform/profile.h"
#include "platform/user_files.h"
#include "sim/field_number.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage =
    "usage: marlsmith [options]\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "  --data DIR         the game's data directory (default: data/ beside the editor)\n"
    "  --config DIR       where quillmoor.ini is kept (default: ~/.config/quillmoor)\n"
    "  --season N         open a field of season N (1 or 2)\n"
    "  --field N          open field N (1 to 5)\n"
    "  --check FILE.fld   print the field's trap table and warnings; exit 1 if the game\n"
    "                     would refuse it\n"
    "  --scale N          window scale, a whole number (default: fit the desktop)\n"
    "  --headless         run without a window, driven by a script (as the game does)\n"
    "  --script FILE, --trace FILE, --seed N   the headless run's script, trace and seed\n"
    "Saved fields go to $XDG_DATA_HOME/quillmoor/fields (else ~/.local/share/quillmoor/fields);\n"
    "the game plays them in place of its own.\n";

constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

struct CommandLine {
  bool Help = false, Version = false, Headless = false;
  std::string DataDir, ConfigDir, CheckFile;
  int Season = -1, Field = 1;
  qm::HostOptions Host;
};

std::optional<int> Whole(std::string_view text, int low, int high) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    return std::nullopt;
  return value;
}

std::optional<CommandLine> Parse(int argc, char** argv) {
  CommandLine line;
  line.Host.WindowTitle = "Marlsmith - Quillmoor Field Editor";
  for (int i = 1; i < argc; ++i) {
    const std::string_view flag = argv[i];
    if (flag == "--help") {
      line.Help = true;
      continue;
    }
    if (flag == "--version") {
      line.Version = true;
      continue;
    }
    if (flag == "--headless") {
      line.Headless = true;
      continue;
    }
    if (i + 1 >= argc) {
      std::fprintf(stderr, "marlsmith: %s\n",
                   flag.starts_with("--")
                       ? (std::string(flag) + " needs a value").c_str()
                       : ("unknown argument '" + std::string(flag) + "'").c_str());
      return std::nullopt;
    }
    const std::string value = argv[++i];
    bool ok = !value.empty();
    if (flag == "--data") {
      line.DataDir = value;
    } else if (flag == "--config") {
      line.ConfigDir = value;
    } else if (flag == "--check") {
      line.CheckFile = value;
    } else if (flag == "--script") {
      line.Host.ScriptPath = fs::absolute(value).string();
    } else if (flag == "--trace") {
      line.Host.TracePath = fs::absolute(value).string();
    } else if (flag == "--season") {
      auto n = Whole(value, 1, 2);
      ok = n.has_value();
      if (ok) line.Season = *n - 1;
    } else if (flag == "--field") {
      auto n = Whole(value, 1, 5);
      ok = n.has_value();
      if (ok) line.Field = *n;
    } else if (flag == "--seed") {
      auto n = Whole(value, 0, 2147483647);
      ok = n.has_value();
      if (ok) line.Host.Seed = static_cast<uint32_t>(*n);
    } else if (flag == "--scale") {
      auto n = Whole(value, 1, 16);
      ok = n.has_value();
      if (ok) line.Host.Scale = *n;
    } else {
      std::fprintf(stderr, "marlsmith: unknown option '%s'\n", argv[i - 1]);
      return std::nullopt;
    }
    if (!ok) {
      std::fprintf(stderr, "marlsmith: bad value for %s: '%s'\n", argv[i - 1], value.c_str());
      return std::nullopt;
    }
  }
  if (line.Headless && line.Host.ScriptPath.empty() && !line.Help && !line.Version) {
    std::fprintf(stderr, "marlsmith: --headless needs --script FILE\n");
    return std::nullopt;
  }
  return line;
}

// --data, then $QUILLMOOR_DATA, then data/ beside the editor, then the installed share
// directory: where the game looks.
std::string DataDirectory(const CommandLine& line) {
  std::error_code error;
  if (!line.DataDir.empty()) return line.DataDir;
  if (const char* env = std::getenv("QUILLMOOR_DATA"); env && *env) return env;
  const fs::path self = fs::read_symlink("/proc/self/exe", error).parent_path();
  if (fs::is_directory(self / "data", error)) return (self / "data").string();
  return (self.parent_path() / "share" / "quillmoor").string();
}

std::string ConfigDirectory(const CommandLine& line) {
  if (!line.ConfigDir.empty()) return line.ConfigDir;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
    return (fs::path(xdg) / "quillmoor").string();
  return (fs::path(qm::HomeFolder()) / ".config" / "quillmoor").string();
}

float RecordedSpeedFactor(const std::string& configDir) {
  qm::ProfileFile settings(configDir + "/quillmoor.ini");
  const double recorded = qm::LeadingNumber(settings.GetString("Settings", "TimeBase", ""));
  return recorded > 0 && recorded <= 10 ? static_cast<float>(recorded) : qm::DefaultSpeedFactor;
}

int Check(const CommandLine& line) {
  auto text = qm::ReadFileHead(line.CheckFile, qm::FieldFileReadBytes);
  if (!text) {
    std::fprintf(stderr, "marlsmith: %s cannot be read\n", line.CheckFile.c_str());
    return ExitBadInput;
  }
  const qm::FieldCheck check =
      qm::CheckFieldText(line.CheckFile, *text, RecordedSpeedFactor(ConfigDirectory(line)));
  std::fputs(check.Report.c_str(), stdout);
  if (check.ExitCode != 0) std::fprintf(stderr, "marlsmith: %s\n", check.Reason.c_str());
  return check.ExitCode;
}

int Edit(const CommandLine& line) {
  qm::EditorConfig config;
  std::error_code error;
  config.DataDir = fs::absolute(DataDirectory(line), error).lexically_normal().string();
  if (!fs::is_directory(config.DataDir, error)) {
    std::fprintf(stderr, "marlsmith: data directory not found: %s\n", config.DataDir.c_str());
    return ExitBadInput;
  }
  config.ConfigDir = fs::absolute(ConfigDirectory(line), error).string();
  config.FieldsDir = qm::UserFieldsFolder();
  qm::HostOptions options = line.Host;
  options.IconPath = config.DataDir + "/quillmoor-icon.bmp";
  config.Season = line.Season;
  config.Field = line.Field;
  std::string hostError;
  std::unique_ptr<qm::Host> host = line.Headless ? qm::CreateHeadlessHost(options, hostError)
                                                 : qm::CreateSdlHost(options, hostError);
  if (!host) {
    std::fprintf(stderr, "marlsmith: %s\n", hostError.c_str());
    return line.Headless ? ExitUsage : ExitBadInput;
  }
  int code = 0;
  try {
    qm::FrmEditor editor(*host, config);
    editor.Run();
  } catch (const qm::ProgramEnd& end) {
    code = end.Code;
  } catch (const qm::ScriptFailure& failure) {
    std::fprintf(stderr, "marlsmith: %s\n", failure.Message.c_str());
    code = failure.Code;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "marlsmith: %s\n", failure.what());
    code = ExitBadInput;
  }
  host->Trace(qm::TraceEvent("exit").With("code", code));
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<CommandLine> line = Parse(argc, argv);
  if (!line) {
    std::fputs(Usage, stderr);
    return ExitUsage;
  }
  if (line->Help) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (line->Version) {
    std::printf("marlsmith %s\n", QUILLMOOR_VERSION);
    return 0;
  }
  if (!line->CheckFile.empty()) return Check(*line);
  return Edit(*line);
}
