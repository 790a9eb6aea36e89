#include "platform/sound.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/host.h"

namespace qm {

namespace {

// The game's waves are a few hundred kilobytes; a file far larger is not one and is not read.
constexpr std::uintmax_t MaxWaveFileBytes = 32u << 20;

// The trace names a wave by its file name alone; the game builds names with either slash.
std::string WaveName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void TraceSound(Host& host, const std::string& source, const char* from, int flags,
                const char* result) {
  host.Trace(TraceEvent("sound")
                 .With("name", WaveName(source))
                 .With("from", from)
                 .With("flags", flags)
                 .With("result", result));
}

// One voice: a "do not interrupt" sound gives way to whatever plays; any other replaces it.
bool GivesWay(Host& host, const std::string& source, const char* from, int flags) {
  if (!(flags & SND_NOSTOP) || !host.VoiceBusy()) return false;
  TraceSound(host, source, from, flags, "dropped");
  return true;
}

// A wave that is absent or cannot be decoded gives way to the default chime, unless the
// caller asked for no default sound; then, or without a chime, nothing plays.
bool Start(Host& host, const WaveBuffer& wave, const char* from, int flags) {
  const bool wait = (flags & SND_ASYNC) == 0;
  if (!wave.Bytes.empty() && host.PlayWave(wave.Bytes, wait)) {
    TraceSound(host, wave.Source, from, flags, "played");
    return true;
  }
  if (!(flags & SND_NODEFAULT)) {
    const WaveBuffer chime = ReadWaveFile(DefaultSoundFile);
    if (!chime.Bytes.empty() && host.PlayWave(chime.Bytes, wait)) {
      TraceSound(host, wave.Source, from, flags, "default");
      return true;
    }
  }
  TraceSound(host, wave.Source, from, flags, "missing");
  return false;
}

}  // namespace

bool PlaySoundFile(Host& host, const std::string& path, int flags) {
  if (GivesWay(host, path, "file", flags)) return false;
  return Start(host, ReadWaveFile(path), "file", flags);
}

bool PlaySoundMemory(Host& host, const WaveBuffer& wave, int flags) {
  if (GivesWay(host, wave.Source, "memory", flags)) return false;
  return Start(host, wave, "memory", flags);
}

WaveBuffer ReadWaveFile(const std::string& path) {
  WaveBuffer wave;
  wave.Source = path;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return wave;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > MaxWaveFileBytes) return wave;
  std::ifstream in(path, std::ios::binary);
  if (!in) return wave;
  wave.Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) wave.Bytes.clear();
  return wave;
}

}  // namespace qm
