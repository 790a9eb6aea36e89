#pragma once
// The soft chime heard when the pointer moves onto a main-menu item.

#include "sound_dsp.h"

namespace assets {

Samples MenuHover();

}  // namespace assets
