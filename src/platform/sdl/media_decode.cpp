#include "platform/sdl/media_decode.h"

#include <SDL.h>

#include <cstring>
#include <memory>

namespace qm {

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

}  // namespace

std::optional<Surface> DecodeBmpFile(const std::string& path) {
  SurfacePtr loaded(SDL_LoadBMP(path.c_str()));
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
  if (wavBytes.empty()) return std::nullopt;
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
