// Caption drawing shared by the control wrappers.
#include "skin/controls/skin_control_text.h"

#include <algorithm>

#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"

namespace {

constexpr UINT kImageTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_EXPANDTABS;

SIZE MeasureText(HDC dc, const std::wstring& text, const RECT& r, UINT format) {
    if (text.empty())
        return SIZE{0, 0};
    RECT x = r;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &x,
              format | DT_CALCRECT | DT_NOCLIP);
    return SIZE{x.right - x.left, x.bottom - x.top};
}

// Transparent text in the caption's colour for the enabled state.
class TTextScope {
public:
    TTextScope(HDC dc, bool enabled) : save_(dc) {
        SetBkMode(dc, TRANSPARENT);
        if (!enabled)
            SetTextColor(dc, ColorToRGB(clBtnShadow));
    }

private:
    TSaveDC save_;
};

} // namespace

TPlainFontScope::TPlainFontScope(HDC dc) {
    LOGFONTW lf{};
    auto current = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    if (!current || !GetObjectW(current, sizeof lf, &lf))
        return;
    if (lf.lfWeight == FW_NORMAL && !lf.lfItalic && !lf.lfUnderline && !lf.lfStrikeOut)
        return;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = FALSE;
    font_.Reset(CreateFontIndirectW(&lf));
    if (font_)
        pick_.emplace(dc, font_.Get());
}

TImageTextLayout LayoutImageText(const RECT& r, int alignment, SIZE textSize, int imageSize,
                                 bool haveList, int imageIndex) {
    TImageTextLayout out;
    const int width = r.right - r.left, height = r.bottom - r.top;
    int cx = imageSize;
    out.drawImage = imageIndex != -1 && haveList && cx < width;
    if (!out.drawImage)
        cx = 0;
    const int textWidth = textSize.cx;
    int d = 2;
    if (alignment == 1)
        d = (width - cx - textWidth) / 2;
    else if (alignment == 2)
        d = width - cx - textWidth - 2;
    d = std::max(d, 2);
    out.image = POINT{r.left + d, r.top + (height - cx) / 2};
    const int dy = (height - textSize.cy) / 2;
    out.text = RECT{r.left + d + cx + 1, r.top + dy, r.left + d + cx + 1 + textWidth,
                    r.top + dy + textSize.cy};
    // The text never leaves the cell sideways.
    out.text.left = std::max(out.text.left, r.left);
    out.text.right = std::min(out.text.right, r.right);
    return out;
}

void DrawImageText(HDC dc, const RECT& r, int alignment, const std::wstring& text, int imageIndex,
                   HIMAGELIST list, bool enabled) {
    // Measured and drawn in the plain style of the caption's font.
    const TPlainFontScope plain(dc);
    int cx = 0, cy = 0;
    if (list)
        ImageList_GetIconSize(list, &cx, &cy);
    RECT measureRect = r;
    if (list && imageIndex != -1)
        measureRect.right += cx + 2;
    const SIZE size = MeasureText(dc, text, measureRect, kImageTextFormat);
    const TImageTextLayout layout =
        LayoutImageText(r, alignment, size, cx, list != nullptr, imageIndex);
    if (layout.drawImage)
        ImageList_Draw(list, imageIndex, dc, layout.image.x, layout.image.y, ILD_TRANSPARENT);
    if (text.empty())
        return;
    TTextScope scope(dc, enabled);
    RECT x = layout.text;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &x, kImageTextFormat);
}

RECT LayoutCentredText(const RECT& r, UINT format, SIZE measured) {
    RECT x{r.left, r.top, r.left + measured.cx, r.top + measured.cy};
    const int dy = (r.bottom - r.top - measured.cy) / 2 - 1;
    OffsetRect(&x, 0, dy);
    if (format & DT_CENTER) {
        OffsetRect(&x, (r.right - r.left - measured.cx) / 2, 0);
    } else {
        x.left = r.left;
        x.right = r.right;
    }
    return x;
}

void DrawCentredText(HDC dc, const RECT& r, UINT format, bool enabled, const std::wstring& text) {
    TTextScope scope(dc, enabled);
    const SIZE measured = MeasureText(dc, text, r, format | DT_EXPANDTABS);
    RECT x = LayoutCentredText(r, format, measured);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &x, format | DT_EXPANDTABS);
}
