#pragma once
// Pictures and waves decoded through SDL; the real and the headless host share these, so the
// same file gives the same pixels and the same length on both.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace qm {

// Every picture and wave of the game is small: a header claiming more than these, or more
// than its file holds, is refused before the decoder sizes anything by it.
constexpr int MaxPictureSide = 4096;
constexpr size_t MaxPictureBytes = 80u << 20;
constexpr size_t MaxWaveBytes = 32u << 20;

// An 8- or 24-bit BMP file as 0x00RRGGBB pixels; nullopt if missing or unreadable.
std::optional<Surface> DecodeBmpFile(const std::string& path);
// The same from the file's bytes.
std::optional<Surface> DecodeBmp(const std::vector<uint8_t>& bmpBytes);

// A wave's samples as signed 16-bit, channels interleaved.
struct DecodedWave {
  int Rate = 0;
  int Channels = 0;
  std::vector<int16_t> Samples;
};

// A whole wave file held in memory; nullopt if it is not a wave SDL can read.
std::optional<DecodedWave> DecodeWave(const std::vector<uint8_t>& wavBytes);

// How long the wave plays, in seconds.
double WaveSeconds(const DecodedWave& wave);

}  // namespace qm
