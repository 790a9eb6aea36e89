#pragma once
// The small crowd behind the cage that claps and cheers a perfect station.

#include <cstdint>
#include <vector>

#include "sound_dsp.h"

namespace assets {

// Clapping and a murmur of approval, with the recorded shouts mixed in at different pitches
// so that a handful of recordings sound like a handful of people. Each seed is another crowd.
Samples CrowdCheer(uint32_t seed, const std::vector<Samples>& shouts);

}  // namespace assets
