// The window-region side of the frame routines: the shape of a nine-part
// frame as DrawSkinElement draws it, from the prepared image they keep.
#pragma once

#include "skin/draw/skin_draw.h"

// The region of the pixels outside the key colour (tolerance 1 on each
// channel) of frame k drawn by the nine-part rule into `target`, placed at
// the target's top-left; empty when nothing would be drawn. The region is
// kept with the prepared image, so a size drawn or shaped before costs one
// copy of it.
TRegionHandle SkinElementRegion(const RECT& target, TBitmap& picture, bool vertical, bool tile,
                                int n, int k, const TSkinMargins& margins,
                                int stretchMode = kSkinDefaultStretchMode);
