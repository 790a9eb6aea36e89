#include "platform/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/program_folders.h"

namespace fs = std::filesystem;

namespace qm {

namespace {

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  std::error_code error;
  return fs::current_path(error).string();
}

std::string UserFieldsFolder() {
  return (fs::path(UserDataFolder()) / "fields").string();
}

std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit,
                                         std::string& error) {
  std::error_code failure;
  if (fs::is_directory(path, failure)) {
    error = "it is a folder";
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[4096];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    bytes.append(buffer, static_cast<size_t>(file.gcount()));
    if (bytes.size() > limit) {
      error = "it is too large";
      return std::nullopt;
    }
  }
  if (file.bad()) {
    error = "it cannot be read";
    return std::nullopt;
  }
  return bytes;
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes, std::string& error) {
  const fs::path target(path);
  std::error_code failure;
  if (target.has_parent_path()) {
    fs::create_directories(target.parent_path(), failure);
    if (failure) {
      error = "the folder " + target.parent_path().string() + " cannot be made (" +
              failure.message() + ")";
      return false;
    }
  }
  return WriteWholeFile(path, bytes, error);
}

namespace {

// A device or a pipe (/dev/stdout, a shell's process substitution) cannot be replaced by a
// renamed file; it takes the bytes as they come.
bool WriteInPlace(const std::string& path, std::string_view bytes, std::string& error) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  bool ok = fd >= 0 && WriteAll(fd, bytes);
  const int writeErrno = errno;
  if (fd >= 0) ok = ::close(fd) == 0 && ok;
  if (!ok) error = path + " cannot be written (" + std::strerror(writeErrno) + ")";
  return ok;
}

// Where a chain of links ends, even at a file not made yet, so that the link stays a link to
// the new file.
fs::path LinkTarget(fs::path path) {
  std::error_code failure;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, failure)); ++hops) {
    const fs::path next = fs::read_symlink(path, failure);
    if (failure) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
  std::error_code failure;
  const fs::file_status status = fs::status(path, failure);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    if (fs::is_directory(status)) {
      error = path + " is a folder";
      return false;
    }
    return WriteInPlace(path, bytes, error);
  }
  const fs::path target = LinkTarget(path);
  std::string temporary = target.string() + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
  if (fd < 0) {
    error = "the folder " + folder + " cannot be written to (" + std::strerror(errno) + ")";
    return false;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  bool ok = WriteAll(fd, bytes) && ::fchmod(fd, 0666 & ~mask) == 0 && ::fsync(fd) == 0;
  const int writeErrno = errno;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = std::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    error = path + " cannot be written (" + std::strerror(writeErrno ? writeErrno : errno) + ")";
    ::unlink(temporary.c_str());
    return false;
  }
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (folderFd >= 0) {
    ::fsync(folderFd);  // best effort: the rename is already done
    ::close(folderFd);
  }
  return true;
}

bool RemoveUserFile(const std::string& path, std::string& error) {
  std::error_code failure;
  fs::remove(path, failure);
  if (failure) {
    error = path + " cannot be removed (" + failure.message() + ")";
    return false;
  }
  return true;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& path, std::string& error) {
  std::error_code failure;
  fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, failure);
  if (failure) {
    error = failure.message();
    return std::nullopt;
  }
  std::vector<FolderEntry> entries;
  for (; it != fs::directory_iterator(); it.increment(failure)) {
    if (failure) break;
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kindFailure;
    entries.push_back({name, it->is_directory(kindFailure)});
  }
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    if (a.IsFolder != b.IsFolder) return a.IsFolder;
    return Lowered(a.Name) < Lowered(b.Name);
  });
  return entries;
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

std::string ParentFolder(const std::string& path) {
  return std::filesystem::path(path).parent_path().string();
}

std::string PathInFolder(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

std::string NormalPath(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

}  // namespace qm
