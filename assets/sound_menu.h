#pragma once
// The soft chimes of the menus: the hover tick, and the default sound the platform plays
// for a wave that is missing.

#include "sound_dsp.h"

namespace assets {

Samples MenuHover();
Samples DefaultChime();

}  // namespace assets
