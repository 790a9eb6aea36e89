#pragma once
// The art sheet's regions live with the game (geometry/art_regions.h); the painters use the
// same table under their own namespace.

#include "geometry/art_regions.h"

namespace assets {
using namespace qm::art;
}  // namespace assets
