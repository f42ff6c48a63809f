// The vertical gradient of button faces and hot-tracking rings.
#include "skin/draw/draw_internal.h"

#include <algorithm>
#include <cstdlib>

using namespace skin_draw_detail;

namespace {

// Colour of gradient row j counted from the bottom, in 16.16 fixed point.
struct GradientRamp {
    int Start[3];
    int Step[3];
    COLORREF Row(int j) const {
        int c[3];
        for (int i = 0; i < 3; ++i) {
            c[i] = (Start[i] + j * Step[i]) >> 16;
        }
        return RGB(c[0], c[1], c[2]);
    }
};

GradientRamp MakeRamp(uint32_t a, uint32_t b, int h) {
    const int ca[3] = {GetRValue(a), GetGValue(a), GetBValue(a)};
    const int cb[3] = {GetRValue(b), GetGValue(b), GetBValue(b)};
    GradientRamp ramp{};
    for (int i = 0; i < 3; ++i) {
        ramp.Start[i] = ca[i] * 65536;
        ramp.Step[i] = (cb[i] * 65536 - ramp.Start[i]) / h; // truncates toward zero
    }
    return ramp;
}

// Fills the first 8 columns with bands of equal colour, bottom up, one brush
// per band.
void FillStrip(HDC dc, const GradientRamp& ramp, int h) {
    int j = 0;
    while (j < h) {
        const COLORREF colour = ramp.Row(j);
        int end = j + 1;
        while (end < h && ramp.Row(end) == colour) {
            ++end;
        }
        // Rows h-1-j down to h-end (inclusive) share the colour.
        const RECT band{0, h - end, 8, h - j};
        TBrushHandle brush(CreateSolidBrush(colour));
        ::FillRect(dc, &band, brush.Get());
        j = end;
    }
}

} // namespace

// Vertical gradient; see the header. Only direction 2 with step 1 is used by
// the callers; every direction is drawn vertically.
void FillGradient(TCanvas& canvas, const RECT& rect, int direction, int step, TColor a, TColor b) {
    (void)direction;
    (void)step;
    const uint32_t ca = ColorToRGB(a), cb = ColorToRGB(b);
    const int w = std::abs(rect.right - rect.left), h = std::abs(rect.bottom - rect.top);
    if (w == 0 || h == 0) {
        return;
    }
    auto work = MakeWorkBitmap(w, h);
    HDC dc = work->Canvas().Handle();
    FillStrip(dc, MakeRamp(ca, cb, h), h);
    for (int c = 8; c < w; c = std::min(2 * c, w)) {
        BitBlt(dc, c, 0, std::min(c, w - c), h, dc, 0, 0, SRCCOPY);
    }
    BitBlt(canvas.Handle(), rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY);
}
