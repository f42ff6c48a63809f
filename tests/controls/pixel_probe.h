// Test helpers: a white 32-bit drawing surface and exact pixel reads.
#pragma once

#include "framework/gdi/bitmap.h"
#include "framework/gdi/canvas.h"

#include <cstdint>
#include <string>

// A w x h 32-bit bitmap filled with one colour.
inline void FillSurface(TBitmap& bmp, TColor colour) {
    bmp.Canvas().Brush().SetColor(colour);
    bmp.Canvas().FillRect(RECT{0, 0, bmp.Width(), bmp.Height()});
}

// The pixel at (x, y) as 0x00BBGGRR, read from the bitmap's memory.
inline uint32_t PixelAt(TBitmap& bmp, int x, int y) {
    const uint8_t* p = bmp.ScanLine(y) + 4 * x;
    return p[2] | (p[1] << 8) | (p[0] << 16);
}

// The whole picture as text, one character per pixel from a legend of
// colours ('?' for any other), rows separated by '|'.
inline std::string PixelMap(TBitmap& bmp, const std::string& legend,
                            const std::initializer_list<uint32_t> colours) {
    std::string out;
    for (int y = 0; y < bmp.Height(); ++y) {
        if (y)
            out += '|';
        for (int x = 0; x < bmp.Width(); ++x) {
            const uint32_t c = PixelAt(bmp, x, y);
            char ch = '?';
            size_t i = 0;
            for (uint32_t k : colours) {
                if (k == c) {
                    ch = legend[i];
                    break;
                }
                ++i;
            }
            out += ch;
        }
    }
    return out;
}
