// Picture decoding from arbitrary bytes: refused or decoded, within the size bounds, and never
// sized by a header larger than its file.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sdl/media_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto picture = qm::DecodeBmp(std::vector<uint8_t>(data, data + size));
  if (picture && (picture->W <= 0 || picture->H <= 0 || picture->W > qm::MaxPictureSide ||
                  picture->H > qm::MaxPictureSide))
    std::abort();
  return 0;
}
