#pragma once
// What many tests need: a scratch directory that removes itself, whole files, fields of
// traced events, the generated pictures, and waves made by hand.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sdl/media_decode.h"
#include "platform/surface.h"
#include "platform/trace.h"

namespace qm {

// A fresh directory under the system's temporary folder, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quillmoor-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A text field of a traced event; empty when it has none of that name.
inline std::string TextField(const TraceEvent& e, std::string_view name) {
  for (const auto& [key, value] : e.Fields)
    if (key == name && std::holds_alternative<std::string>(value))
      return std::get<std::string>(value);
  return "";
}

// One of the pictures the build generated into the data directory.
inline std::optional<Surface> DataPicture(const std::string& name) {
  return DecodeBmpFile(std::string(QUILLMOOR_TEST_DATA) + "/" + name);
}

// Little-endian fields, each a value and its width in bytes.
inline void PutLe(std::vector<uint8_t>& out,
                  std::initializer_list<std::pair<uint32_t, int>> fields) {
  for (const auto& [value, bytes] : fields)
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void PutText(std::vector<uint8_t>& out, std::string_view text) {
  out.insert(out.end(), text.begin(), text.end());
}

// A 16-bit PCM wave of the given samples (interleaved when there are two channels).
inline std::vector<uint8_t> MakeWave(int rate, int channels, const std::vector<int16_t>& samples) {
  const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
  const auto r = static_cast<uint32_t>(rate), c = static_cast<uint32_t>(channels);
  std::vector<uint8_t> out;
  PutText(out, "RIFF");
  PutLe(out, {{36 + dataBytes, 4}});
  PutText(out, "WAVEfmt ");
  PutLe(out, {{16, 4}, {1, 2}, {c, 2}, {r, 4}, {r * c * 2, 4}, {c * 2, 2}, {16, 2}});
  PutText(out, "data");
  PutLe(out, {{dataBytes, 4}});
  for (int16_t s : samples) PutLe(out, {{static_cast<uint16_t>(s), 2}});
  return out;
}

inline std::vector<uint8_t> SilentWave(int rate, int frames) {
  return MakeWave(rate, 1, std::vector<int16_t>(static_cast<size_t>(frames), 0));
}

}  // namespace qm
