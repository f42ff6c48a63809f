// Prepared frame images of the drawing utilities: what a nine-part stretch,
// a cell, a bar or a glyph produced, kept under a key made of the frame's own
// pixels and the drawing parameters, so that painting the same thing again
// is one copy from memory (three for a transparent one). The key holds the
// pixels, not the picture's address, so a picture that is changed or freed
// can never be answered with a stale image.
#pragma once

#include "skin/draw/draw_internal.h"

#include <functional>

namespace skin_draw_detail {

// What a prepared image was made by, beyond the frame's pixels.
struct TFrameRecipe {
    int Kind = 0;  // which routine (element, cell, bar, glyph)
    int Width = 0; // size of the image made
    int Height = 0;
    int Mode = 0; // stretch mode
    int Flags = 0;
    TSkinMargins Margins;
};

// Routine kinds of TFrameRecipe.
enum : int { kRecipeElement = 1, kRecipeCell, kRecipeBar, kRecipeGlyph };

// Draws the image `make` would produce at (x, y) of dc, opaque or with the
// key colour transparent, from the cache when the same frame of the picture
// was prepared the same way before; `make` runs only on a miss. Returns false
// (drawing nothing) when `make` gives an empty image.
bool DrawPrepared(HDC dc, int x, int y, TBitmap& picture, const TSkinFrameBox& frame,
                  const TFrameRecipe& recipe, bool trans,
                  const std::function<std::unique_ptr<TBitmap>()>& make);

// The region of the same image's pixels outside the key colour (tolerance 1
// on each channel, as the window regions take it), placed at (x, y); the
// cache keeps it with the image. Empty when `make` gives no image.
TRegionHandle PreparedRegion(int x, int y, TBitmap& picture, const TSkinFrameBox& frame,
                             const TFrameRecipe& recipe,
                             const std::function<std::unique_ptr<TBitmap>()>& make);

} // namespace skin_draw_detail
