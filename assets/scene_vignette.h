#pragma once
// A small framed painting of a clay in flight over the grounds, for the panels' free space.

#include "canvas.h"

namespace assets {

void PaintFlyingClayVignette(Image& img, int x, int y, int w, int h);

}  // namespace assets
