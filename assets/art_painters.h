#pragma once
// The painters of the art sheet, one per family of regions. Each paints only the regions
// of its family (see art_regions.h).

#include "canvas.h"

namespace assets {

void PaintClays(Image& sheet);         // clay targets, their shadows, rabbits, rabbit dust
void PaintBreaks(Image& sheet);        // break puffs and chips
void PaintShells(Image& sheet);        // ejected shells
void PaintGun(Image& sheet);           // the gun
void PaintPatternCloud(Image& sheet);  // the shot frame's cloud
void PaintCage(Image& sheet);          // post strip and rails
void PaintSigns(Image& sheet);         // loading, warning and penalty signs, banner boards
void PaintPlates(Image& sheet);        // field name plates and trap number plates
void PaintLogos(Image& sheet);         // title and maker logos
void PaintBitmapFont(Image& sheet);    // the bitmap font cells
void PaintMenuStrips(Image& sheet);    // highlighted menu items of both seasons

// Dark speckle for AND-only marks: true where a pixel of the given density is set. Ordered
// so that a denser mark keeps every pixel of a thinner one.
bool Speckle(int x, int y, double density);

}  // namespace assets
