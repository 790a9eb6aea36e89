#pragma once
// The shotgun in the shooter's hands: the report, the dry click of an empty gun, the breech
// broken and reloaded between presentations, and the barrel knocking against the cage.

#include "sound_dsp.h"

namespace assets {

Samples ShotReport();
Samples EmptyClick();
Samples Reload();
Samples CageBump();

}  // namespace assets
