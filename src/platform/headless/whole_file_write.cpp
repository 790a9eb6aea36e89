#include "platform/headless/whole_file_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace qm {

namespace {

bool WriteTemporary(const std::string& temporary, std::string_view bytes, std::string& error) {
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = std::fflush(file) == 0 && written;
  if (!written) error = std::strerror(errno);
  if (std::fclose(file) != 0 && written) {
    error = std::strerror(errno);
    written = false;
  }
  return written;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
  std::string temporary = path + ".tmp";
  std::string reason;
  std::error_code failure;
  if (WriteTemporary(temporary, bytes, reason)) {
    std::filesystem::rename(temporary, path, failure);
    if (!failure) return true;
    reason = failure.message();
  }
  std::filesystem::remove(temporary, failure);
  error = "cannot write " + path + ": " + reason;
  return false;
}

}  // namespace qm
