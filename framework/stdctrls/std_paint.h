// Drawing pieces shared by the self-drawn standard controls: an off-screen
// buffer, three-dimensional frames and brushes of system colours.
#pragma once

#include "framework/ui/win32.h"

#include <string>

#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/paint_scope.h"

// An off-screen picture the size of `r` (target coordinates); drawing goes
// to Handle() in the same coordinates and reaches the target in one copy
// when the buffer goes out of scope.
class TOffscreenBuffer {
public:
    TOffscreenBuffer(HDC target, const RECT& r);
    // The one copy to the target.
    ~TOffscreenBuffer() { buffer_.Present(); }
    TOffscreenBuffer(const TOffscreenBuffer&) = delete;
    TOffscreenBuffer& operator=(const TOffscreenBuffer&) = delete;
    HDC Handle() const { return buffer_.DC(); }

private:
    TBufferScope buffer_;
    TSelectObject font_;
};

// Fills a rectangle with a colour (system colours allowed).
void FillColor(HDC dc, const RECT& r, TColor color);

// Draws a frame `width` pixels thick just inside `r`: top and left edges in
// `topLeft`, bottom and right in `bottomRight`; `r` shrinks by the width.
void Frame3D(HDC dc, RECT& r, TColor topLeft, TColor bottomRight, int width);

// Draws `text` with `format` (DrawTextW flags) in the DC's font, transparent;
// disabled text is drawn embossed in the highlight and shadow colours.
void DrawCaptionText(HDC dc, const std::wstring& text, RECT r, UINT format, bool enabled);

// Size of `text` in the font `font` (single line, "&" marks an accelerator).
SIZE MeasureCaption(HDC dc, HFONT font, const std::wstring& text);
