#pragma once
// The game's five ways of playing a wave (the old sndPlaySound flag words) over the host's
// one voice.

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

class Host;

enum SoundFlags : int {
  SND_SYNC = 0x00,       // play and wait until it has ended
  SND_ASYNC = 0x01,      // start it and return
  SND_NODEFAULT = 0x02,  // a missing sound plays nothing
  SND_MEMORY = 0x04,     // the argument is a wave loaded into memory
  SND_NOSTOP = 0x10,     // do not interrupt a sound that is playing: drop the new one
};

// A wave file read whole into memory; Source is the file it came from (for the trace).
struct WaveBuffer {
  std::string Source;
  std::vector<uint8_t> Bytes;
};

// The platform's default sound, played for a wave that cannot be played unless
// SND_NODEFAULT is given. A bare name: it lives in the data directory, the current one.
inline constexpr char DefaultSoundFile[] = "chime.wav";

// Plays a wave file by name (flags 0, 1 or &H13). A missing file plays the default sound,
// or nothing with SND_NODEFAULT. Traced as `sound` (name, from, flags, result
// played|default|dropped|missing). True if a sound played.
bool PlaySoundFile(Host& host, const std::string& path, int flags);
// Plays a wave from memory (flags 7 or &H17). An empty buffer plays nothing, as these flags
// carry SND_NODEFAULT.
bool PlaySoundMemory(Host& host, const WaveBuffer& wave, int flags);

// Reads a whole file; an empty buffer if it is missing.
WaveBuffer ReadWaveFile(const std::string& path);

}  // namespace qm
