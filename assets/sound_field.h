#pragma once
// Sounds of the field beyond the cage: the trap throwing a clay, a lost clay coming down in
// the grass, and the countryside heard while the shooter waits to call.

#include "sound_dsp.h"

namespace assets {

Samples TrapThrow();
Samples ClayLanding();
// Birdsong and a breeze.
Samples BirdsAndBreeze();
// Wind in the trees, a dog barking on a far farm and a crow.
Samples FarDogAndWind();

}  // namespace assets
