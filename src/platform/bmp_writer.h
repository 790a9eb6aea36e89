#pragma once
// Snapshots of the screen as 24-bit BMP files, which every image tool reads.

#include <string>

#include "platform/surface.h"

namespace qm {

// The whole file: rows bottom-up, blue-green-red, each padded to four bytes.
std::string EncodeBmp24(const Surface& picture);

}  // namespace qm
