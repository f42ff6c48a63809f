// Building blocks shared by the drawing utilities' source files.
#pragma once

#include "skin/draw/skin_draw.h"

namespace skin_draw_detail {

// Copies source rectangle `s` of a picture to rectangle `d` of a 32-bit work
// bitmap, stretching with filtering when the sizes differ (or with the
// platform's stretch in `mode` when that is not HALFTONE). Pieces with no
// area on either side are skipped (a negative size would mirror the copy).
void CopyPiece(TBitmap& dst, const RECT& d, TBitmap& src, const RECT& s,
               int mode = kSkinDefaultStretchMode);
// The same onto any DC (stretched pieces go through a work bitmap).
void CopyPiece(HDC dst, const RECT& d, TBitmap& src, const RECT& s);

// Filtered stretch on the pixels (draw_stretch.cpp): the destination must be
// a 32-bit bitmap, the source 24- or 32-bit, both rectangles inside.
bool CanFilter(TBitmap& dst, const RECT& d, TBitmap& src, const RECT& s);
void FilteredStretch(TBitmap& dst, const RECT& d, TBitmap& src, const RECT& s);

// A 32-bit work bitmap whose DC stretches with halftone filtering.
std::unique_ptr<TBitmap> MakeWorkBitmap(int width, int height);

// A monochrome mask of w x h from the top-left of `src` (pixels of `key`
// set, all others clear), kept selected in its own memory DC.
class TKeyMask {
public:
    TKeyMask(HDC src, int w, int h, COLORREF key);
    // Copies w x h pixels from `src` to (x, y) of `dst` except where the mask
    // is set: XOR the source in, AND with the mask (set = white keeps, clear
    // = black clears), XOR the source again.
    void Copy(HDC dst, int x, int y, HDC src) const;

private:
    int w_, h_;
    TBitmapHandle bitmap_;
    TMemoryDC dc_;
    TSelectObject selection_;
};

// Draws a whole work bitmap at (x, y), opaque or with the skin key colour
// transparent.
void PutImage(HDC dst, int x, int y, TBitmap& image, bool trans);

// True when the rectangle is inverted (right < left or bottom < top).
inline bool Inverted(const RECT& r) {
    return r.right < r.left || r.bottom < r.top;
}

} // namespace skin_draw_detail
