// Vertical gradient; see gradient.h.
#include "controls/gradient.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Colour of row j counted from the bottom.
uint32_t BandColour(const int32_t start[3], const int32_t step[3], int j) {
    uint32_t c = 0;
    for (int i = 0; i < 3; ++i) {
        const int64_t v = static_cast<int64_t>(start[i]) + static_cast<int64_t>(j) * step[i];
        c |= static_cast<uint32_t>((v >> 16) & 0xFF) << (8 * i);
    }
    return c;
}

} // namespace

// Bands from the bottom up; see the header.
void FillVerticalGradient(TCanvas& canvas, const RECT& r, TColor a, TColor b) {
    const int w = std::abs(r.right - r.left);
    const int h = std::abs(r.bottom - r.top);
    if (w == 0 || h == 0) {
        return;
    }
    const uint32_t ca = ColorToRGB(a), cb = ColorToRGB(b);
    int32_t start[3], step[3];
    for (int i = 0; i < 3; ++i) {
        const int32_t from = static_cast<int32_t>((ca >> (8 * i)) & 0xFF) * 65536;
        const int32_t to = static_cast<int32_t>((cb >> (8 * i)) & 0xFF) * 65536;
        start[i] = from;
        step[i] = (to - from) / h; // truncates toward zero
    }
    const int left = std::min(r.left, r.right), top = std::min(r.top, r.bottom);
    HDC dc = canvas.Handle();
    int j = 0;
    while (j < h) {
        const uint32_t colour = BandColour(start, step, j);
        int end = j + 1;
        while (end < h && BandColour(start, step, end) == colour) {
            ++end;
        }
        // Rows h-1-j down to h-end (top-down coordinates).
        const RECT band{left, top + h - end, left + w, top + h - j};
        HBRUSH brush = CreateSolidBrush(colour);
        ::FillRect(dc, &band, brush);
        DeleteObject(brush);
        j = end;
    }
}
