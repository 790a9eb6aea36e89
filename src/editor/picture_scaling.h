#pragma once
// Pictures of any size brought to the size a field or the editor's canvas needs.

#include "platform/surface.h"

namespace qm {

// Shrinking averages the pixels each new pixel covers; enlarging blends the nearest four.
Surface ScalePicture(const Surface& picture, int width, int height);

}  // namespace qm
