// Wave decoding from arbitrary bytes: refused or decoded into no more samples than the file
// could hold, never sized by a chunk larger than its file.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sdl/media_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto wave = qm::DecodeWave(std::vector<uint8_t>(data, data + size));
  // Compressed samples grow when widened to 16 bits, but never past four to a byte.
  if (wave && (wave->Channels <= 0 || wave->Rate <= 0 || wave->Samples.size() > size * 4))
    std::abort();
  return 0;
}
