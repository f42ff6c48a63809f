// Building blocks shared by the drawing utilities' source files.
#pragma once

#include "skin/draw/skin_draw.h"

#include <cstdint>
#include <vector>

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

// The rectangles covering the pixels of a 32-bit image (rows of `stride`
// values, top-down) that are not `key`, compared whole: runs of each row,
// a row whose runs equal the row above's extending those rectangles down.
// Stops after the first row that takes it past `limit` rectangles (the
// answer is then incomplete).
std::vector<RECT> KeylessRects(const uint32_t* pixels, size_t stride, int w, int h, uint32_t key,
                               size_t limit);

// A kept image's transparent copy without converting a monochrome mask at
// every paint (the pixels of TKeyMask::Copy). An image whose other pixels
// form few rectangles (rounded corners, a hole) is copied rectangle by
// rectangle; any other takes two blits in the target's own format: a mask
// (the colour bits set where the image has the key, clear elsewhere) ANDed
// into the target, then the image with its key pixels black ORed in (the
// same arithmetic done by the CPU on a 32-bit DIB section target).
// Targets of fewer than 15 bits per pixel then take the monochrome mask.
class TCutout {
public:
    // Rectangles beyond this many take the two blits.
    static constexpr size_t kMaxRects = 16;

    // Prepares the copy of `image` (any pixel format) without `key`.
    void Make(TBitmap& image, TColor key);
    bool Made() const { return made_; }
    // Bytes held beyond the image.
    size_t Bytes() const;
    // Copies the image from `src` (its DC) to (x, y) of dst except its key
    // pixels; false, drawing nothing, when the image has no key pixel, so
    // that a plain copy does the same.
    bool Draw(HDC dst, int x, int y, HDC src);

private:
    int w_ = 0, h_ = 0;
    bool made_ = false;
    bool anyKey_ = false;
    COLORREF key_ = 0;
    std::vector<RECT> rects_;         // the image's other pixels, when few
    std::unique_ptr<TBitmap> planes_; // else the mask in rows 0..h-1, the cut image below
    std::unique_ptr<TKeyMask> mono_;  // for low-depth targets, made when first needed
};

// Writes a w x h image at (x, y) of dst straight into the 32-bit DIB section
// that dst (a memory DC) draws on: inside the DC's clipping, each pixel
// becomes (pixel AND mask) OR cut, as an SRCAND blit of the mask and an
// SRCPAINT blit of the cut image leave it. mask and cut are rows of
// `stride` 32-bit values. False, writing nothing, when dst is not such a
// target or maps its logical space other than by an offset (another mapping
// mode, a world transform, a right-to-left layout, a meta region): the
// caller blits then (draw_dib.cpp).
bool MaskedCopyToDib(HDC dst, int x, int y, int w, int h, const uint32_t* mask, const uint32_t* cut,
                     size_t stride);

// Draws a whole work bitmap at (x, y), opaque or with the skin key colour
// transparent.
void PutImage(HDC dst, int x, int y, TBitmap& image, bool trans);

// True when the rectangle is inverted (right < left or bottom < top).
inline bool Inverted(const RECT& r) {
    return r.right < r.left || r.bottom < r.top;
}

} // namespace skin_draw_detail
