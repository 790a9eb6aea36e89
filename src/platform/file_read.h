#pragma once
// Reading the game's data files. The game above the seam opens no file itself: field files,
// season names and wave files come through here.

#include <cstddef>
#include <optional>
#include <string>

namespace qm {

// At most `maxBytes` from the start of a file; nullopt if it cannot be opened or read.
std::optional<std::string> ReadFileHead(const std::string& path, std::size_t maxBytes);

// Whether a file exists and can be opened for reading.
bool FileReadable(const std::string& path);

// Whether the path is a regular file holding nothing.
bool FileIsEmpty(const std::string& path);

}  // namespace qm
