#include "platform/file_read.h"

#include <filesystem>
#include <fstream>

namespace qm {

std::optional<std::string> ReadFileHead(const std::string& path, std::size_t maxBytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text(maxBytes, '\0');
  file.read(text.data(), static_cast<std::streamsize>(maxBytes));
  if (file.bad()) return std::nullopt;
  text.resize(static_cast<std::size_t>(file.gcount()));
  return text;
}

bool FileReadable(const std::string& path) {
  return static_cast<bool>(std::ifstream(path, std::ios::binary));
}

bool FileIsEmpty(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) &&
         std::filesystem::file_size(path, error) == 0 && !error;
}

}  // namespace qm
