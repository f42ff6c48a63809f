// Test helpers for exact pixel checks on 32-bit bitmaps. Colours are
// compared in the 0x00BBGGRR form of TColor.
#pragma once

#include "framework/gdi/bitmap.h"

#include <string>

namespace pixel_test {

// The colour of pixel (x, y) of a 32- or 24-bit bitmap.
inline TColor At(TBitmap& b, int x, int y) {
    const int bytes = b.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4;
    const uint8_t* p = b.ScanLine(y) + x * bytes;
    return TColor(p[2] | (p[1] << 8) | (p[0] << 16));
}

// Sets pixel (x, y) of a 32- or 24-bit bitmap.
inline void Put(TBitmap& b, int x, int y, TColor c) {
    const int bytes = b.PixelFormat() == TPixelFormat::pf24bit ? 3 : 4;
    uint8_t* p = b.ScanLine(y) + x * bytes;
    p[0] = uint8_t(c >> 16);
    p[1] = uint8_t(c >> 8);
    p[2] = uint8_t(c);
}

// Fills the rectangle (l, t, r, b) of a bitmap with one colour.
inline void Fill(TBitmap& b, int l, int t, int r, int bt, TColor c) {
    for (int y = t; y < bt; ++y) {
        for (int x = l; x < r; ++x) {
            Put(b, x, y, c);
        }
    }
}

// Number of pixels in (l, t, r, b) that differ from `c`; the first one is
// described in `where`.
inline int CountOther(TBitmap& b, int l, int t, int r, int bt, TColor c,
                      std::string* where = nullptr) {
    int n = 0;
    for (int y = t; y < bt; ++y) {
        for (int x = l; x < r; ++x) {
            if (At(b, x, y) != c) {
                if (n == 0 && where) {
                    char buf[96];
                    snprintf(buf, sizeof buf, "(%d,%d)=%06X want %06X", x, y, unsigned(At(b, x, y)),
                             unsigned(c));
                    *where = buf;
                }
                ++n;
            }
        }
    }
    return n;
}

} // namespace pixel_test
