// Building blocks shared by the drawing utilities' source files.
#pragma once

#include "skin/data/skin_draw.h"

namespace skin_draw_detail {

// Copies the source rectangle (l, t, r, b) of `src` to the destination
// rectangle of `dst`, stretching when the sizes differ. Pieces with no area
// on either side are skipped (a negative size would mirror the copy).
void CopyPiece(HDC dst, const RECT& d, HDC src, const RECT& s);

// A 32-bit work bitmap whose DC stretches with halftone filtering.
std::unique_ptr<TBitmap> MakeWorkBitmap(int width, int height);

// A monochrome mask of w x h from the top-left of `src`: pixels of `key` set,
// all others clear.
TBitmapHandle MakeKeyMask(HDC src, int w, int h, COLORREF key);

// Copies w x h pixels from `src` to (x, y) of `dst` except where `mask` is set.
void MaskedCopy(HDC dst, int x, int y, int w, int h, HDC src, HBITMAP mask);

// Draws a whole work bitmap at (x, y), opaque or with the skin key colour
// transparent.
void PutImage(HDC dst, int x, int y, TBitmap& image, bool trans);

// True when the rectangle is inverted (right < left or bottom < top).
inline bool Inverted(const RECT& r) {
    return r.right < r.left || r.bottom < r.top;
}

} // namespace skin_draw_detail
