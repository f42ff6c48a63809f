// Measuring text outside a paint: the screen's DC with a font selected for
// the length of a scope (released and deselected on every way out).
#pragma once

#include "framework/gdi/gdi_handles.h"

#include <string>

class TScreenTextDC {
public:
    explicit TScreenTextDC(HFONT font);
    TScreenTextDC(const TScreenTextDC&) = delete;
    TScreenTextDC& operator=(const TScreenTextDC&) = delete;

    HDC Handle() const { return screen_.Handle(); }
    // The rectangle DrawText would fill with `flags` (DT_CALCRECT is added),
    // starting from `r`.
    RECT MeasureText(const std::wstring& text, RECT r, UINT flags) const;
    // The metrics of the selected font.
    TEXTMETRICW Metrics() const;

private:
    TClientDC screen_;
    TSelectObject font_;
};
