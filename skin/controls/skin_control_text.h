// Text drawing shared by the control wrappers: a caption with an optional
// image-list image (tabs, headers) and a centred caption (tab sets, status
// panels). The layouts are pure functions; the drawing only draws.
#pragma once

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "framework/gdi/gdi_handles.h"

// For the scope's life the DC draws with a plain copy of its current font
// (regular weight, upright, neither underlined nor struck out); a plain font
// is left as it is.
class TPlainFontScope {
public:
    explicit TPlainFontScope(HDC dc);
    TPlainFontScope(const TPlainFontScope&) = delete;
    TPlainFontScope& operator=(const TPlainFontScope&) = delete;

private:
    TFontHandle font_;
    std::optional<TSelectObject> pick_;
};

// Where the image and the text of an image-and-text caption go.
struct TImageTextLayout {
    bool drawImage = false;
    POINT image{};
    RECT text{};
};

// R: the cell; alignment 0 left, 1 centre, 2 right; textSize: the measured
// text (0 x 0 for an empty text); imageSize: the list's icon width (0 when
// there is no list); imageIndex -1 for none.
TImageTextLayout LayoutImageText(const RECT& r, int alignment, SIZE textSize, int imageSize,
                                 bool haveList, int imageIndex);

// Draws text and image k of the list into R (transparent background, the
// DC's font in plain style; a disabled caption in the button-shadow colour).
void DrawImageText(HDC dc, const RECT& r, int alignment, const std::wstring& text, int imageIndex,
                   HIMAGELIST list, bool enabled);

// The rectangle a centred caption takes in R (format: DT_LEFT, DT_CENTER or
// DT_RIGHT); measured is the text's measured size.
RECT LayoutCentredText(const RECT& r, UINT format, SIZE measured);

// Draws a caption vertically centred (and horizontally for DT_CENTER) in R.
void DrawCentredText(HDC dc, const RECT& r, UINT format, bool enabled, const std::wstring& text);
