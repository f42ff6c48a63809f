// Drawing pieces shared by the self-drawn standard controls.
#include "framework/stdctrls/std_paint.h"

#include <algorithm>

// The target's font and colours carry over, as if drawing went there.
TOffscreenBuffer::TOffscreenBuffer(HDC target, const RECT& r)
    : buffer_(target, r), font_(buffer_.DC(), GetCurrentObject(target, OBJ_FONT)) {
    SetTextColor(buffer_.DC(), GetTextColor(target));
    SetBkColor(buffer_.DC(), GetBkColor(target));
}

void FillColor(HDC dc, const RECT& r, TColor color) {
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
    FillRect(dc, &r, brush.Get());
}

void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        if (r.right - r.left <= 0 || r.bottom - r.top <= 0)
            return;
        FillColor(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
        FillColor(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
        FillColor(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
        FillColor(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
        InflateRect(&r, -1, -1);
    }
}

void DrawCaptionText(HDC dc, const std::wstring& text, RECT r, UINT format, bool enabled) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const int n = static_cast<int>(text.size());
    if (enabled) {
        DrawTextW(dc, text.c_str(), n, &r, format);
    } else {
        const COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        DrawTextW(dc, text.c_str(), n, &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, text.c_str(), n, &r, format);
        SetTextColor(dc, old);
    }
    SetBkMode(dc, oldMode);
}

SIZE MeasureCaption(HDC dc, HFONT font, const std::wstring& text) {
    if (text.empty())
        return SIZE{0, 0};
    TSelectObject sel(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return SIZE{r.right - r.left, r.bottom - r.top};
}
