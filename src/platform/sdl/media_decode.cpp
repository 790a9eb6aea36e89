#include "platform/sdl/media_decode.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace qm {

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | b[at + static_cast<size_t>(i)];
  return value;
}

// The BMP header's size and pixel count agree with the file and stay within the bounds.
bool BmpHeaderFits(const std::vector<uint8_t>& b) {
  constexpr size_t FileHeader = 14;
  if (b.size() < FileHeader + 12 || b[0] != 'B' || b[1] != 'M') return false;
  const uint64_t pixelsAt = Le(b, 10, 4);
  const uint32_t infoSize = Le(b, 14, 4);
  int64_t width = 0, height = 0;
  uint32_t bits = 0, compression = 0;
  if (infoSize == 12) {  // the old OS/2 header: 16-bit sizes
    width = Le(b, 18, 2);
    height = Le(b, 20, 2);
    bits = Le(b, 24, 2);
  } else {
    if (infoSize < 40 || b.size() < FileHeader + 40) return false;
    width = static_cast<int32_t>(Le(b, 18, 4));
    height = static_cast<int32_t>(Le(b, 22, 4));
    bits = Le(b, 28, 2);
    compression = Le(b, 30, 4);
  }
  if (height < 0) height = -height;  // top-down rows
  if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide) return false;
  if (bits == 0 || bits > 32 || pixelsAt > b.size()) return false;
  // Run-length data has no fixed size; the side bound alone limits what it decodes into.
  const bool runLength = compression == 1 || compression == 2;
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  return runLength || pixelsAt + rowBytes * static_cast<uint64_t>(height) <= b.size();
}

// Every chunk of the RIFF file lies inside it: a chunk that claims more is not ours.
bool WaveChunksFit(const std::vector<uint8_t>& b) {
  if (b.size() < 12 || b.size() > MaxWaveBytes) return false;
  size_t at = 12;
  while (b.size() - at >= 8) {
    const uint64_t size = Le(b, at + 4, 4);
    if (size > b.size() - at - 8) return false;
    at += 8 + static_cast<size_t>(size) + (size & 1);
    if (at > b.size()) break;  // the pad byte of a last odd chunk may be missing
  }
  return true;
}

}  // namespace

std::optional<Surface> DecodeBmpFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t got = 0;
  while (bytes.size() <= MaxPictureBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed || bytes.size() > MaxPictureBytes) return std::nullopt;
  return DecodeBmp(bytes);
}

std::optional<Surface> DecodeBmp(const std::vector<uint8_t>& bmpBytes) {
  if (!BmpHeaderFits(bmpBytes)) return std::nullopt;
  SDL_RWops* rw = SDL_RWFromConstMem(bmpBytes.data(), static_cast<int>(bmpBytes.size()));
  if (!rw) return std::nullopt;
  SurfacePtr loaded(SDL_LoadBMP_RW(rw, 1));
  if (!loaded) return std::nullopt;
  // RGB888 is a 32-bit word 0x00RRGGBB in the machine's byte order: the game's own layout.
  SurfacePtr converted(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB888, 0));
  if (!converted || converted->w <= 0 || converted->h <= 0) return std::nullopt;

  Surface result(converted->w, converted->h);
  if (SDL_LockSurface(converted.get()) != 0) return std::nullopt;
  const auto* base = static_cast<const uint8_t*>(converted->pixels);
  for (int y = 0; y < result.H; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(base + static_cast<size_t>(y) * converted->pitch);
    for (int x = 0; x < result.W; ++x) result.At(x, y) = row[x] & 0xFFFFFF;
  }
  SDL_UnlockSurface(converted.get());
  return result;
}

std::optional<DecodedWave> DecodeWave(const std::vector<uint8_t>& wavBytes) {
  if (!WaveChunksFit(wavBytes)) return std::nullopt;
  SDL_RWops* rw = SDL_RWFromConstMem(wavBytes.data(), static_cast<int>(wavBytes.size()));
  if (!rw) return std::nullopt;
  SDL_AudioSpec format{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(rw, 1, &format, &buffer, &length)) return std::nullopt;
  std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(buffer, &SDL_FreeWAV);
  if (format.channels == 0 || format.freq <= 0) return std::nullopt;

  SDL_AudioCVT cvt;
  int needed = SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_S16SYS,
                                 format.channels, format.freq);
  if (needed < 0) return std::nullopt;
  std::vector<uint8_t> work(static_cast<size_t>(length) * (cvt.len_mult > 0 ? cvt.len_mult : 1));
  if (length > 0) std::memcpy(work.data(), buffer, length);
  cvt.len = static_cast<int>(length);
  cvt.buf = work.data();
  if (needed == 1 && SDL_ConvertAudio(&cvt) != 0) return std::nullopt;
  const size_t bytes = needed == 1 ? static_cast<size_t>(cvt.len_cvt) : length;

  DecodedWave wave;
  wave.Rate = format.freq;
  wave.Channels = format.channels;
  wave.Samples.resize(bytes / sizeof(int16_t));
  if (!wave.Samples.empty()) std::memcpy(wave.Samples.data(), work.data(), wave.Samples.size() * 2);
  return wave;
}

double WaveSeconds(const DecodedWave& wave) {
  if (wave.Rate <= 0 || wave.Channels <= 0) return 0.0;
  return static_cast<double>(wave.Samples.size()) / wave.Channels / wave.Rate;
}

}  // namespace qm
