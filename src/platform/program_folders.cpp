#include "platform/program_folders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/user_files.h"

namespace fs = std::filesystem;

namespace qm {

std::string ProgramFolder() {
  std::error_code error;
  fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::current_path(error).string() : self.parent_path().string();
}

std::string FindDataFolder(const std::string& flag, const std::string& programFolder,
                           const std::string& installedData, bool& found) {
  std::error_code error;
  found = true;
  if (!flag.empty()) {
    found = fs::is_directory(flag, error);
    return flag;
  }
  if (const char* fromEnvironment = std::getenv("QUILLMOOR_DATA");
      fromEnvironment && *fromEnvironment) {
    found = fs::is_directory(fromEnvironment, error);
    return fromEnvironment;
  }
  const fs::path beside = fs::path(programFolder) / "data";
  if (fs::is_directory(beside, error)) return beside.string();
  const fs::path installed = fs::path(programFolder).parent_path() / "share" / "quillmoor";
  if (fs::is_directory(installed, error)) return installed.string();
  if (!installedData.empty() && fs::is_directory(installedData, error)) return installedData;
  found = false;
  return beside.string();
}

std::string FindConfigFolder(const std::string& flag) {
  if (!flag.empty()) return flag;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    return (fs::path(xdg) / "quillmoor").string();
  }
  return (fs::path(HomeFolder()) / ".config" / "quillmoor").string();
}

std::string UserDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    return (fs::path(xdg) / "quillmoor").string();
  }
  return (fs::path(HomeFolder()) / ".local" / "share" / "quillmoor").string();
}

}  // namespace qm
