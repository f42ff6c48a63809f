// TRzLabel painting: borders, background, then flat or rotated text passes.
#include "controls/colour.h"
#include "controls/rz_label.h"
#include "framework/gdi/gdi_handles.h"

#include <cmath>

// One border of the given style inside r; returns what is left.
RECT TRzLabel::DrawBorder(TCanvas& c, RECT r, TFrameStyleEx style) {
    switch (style) {
    case fsNone:
        return r;
    case fsFlat: {
        const TColor flat = ShiftColor(flatColor_, flatColorAdjustment_);
        return DrawSideLines(c, r, flat, borderSides_, flat);
    }
    case fsFlatBold: {
        const TColor flat = ShiftColor(flatColor_, flatColorAdjustment_);
        return DrawBevelLines(c, r, flat, borderSides_, 2, flat);
    }
    case fsFlatRounded: {
        // A flat line whose four corner pixels take the parent's colour.
        const TColor flat = ShiftColor(flatColor_, flatColorAdjustment_);
        const RECT inner = DrawSideLines(c, r, flat, borderSides_, flat);
        const TColor parent = Parent() ? Parent()->Color() : clBtnFace;
        c.SetPixel(r.left, r.top, parent);
        c.SetPixel(r.right - 1, r.top, parent);
        c.SetPixel(r.left, r.bottom - 1, parent);
        c.SetPixel(r.right - 1, r.bottom - 1, parent);
        return inner;
    }
    case fsStatus:
        return DrawBevelLines(c, r, borderShadow_, borderSides_, bevelWidth_, borderHighlight_);
    case fsPopup:
        return DrawBevelLines(c, r, borderHighlight_, borderSides_, bevelWidth_, borderShadow_);
    default:
        return DrawFrameStyle(c, r, style, borderSides_);
    }
}

// The client rectangle less the borders (drawing them when asked).
RECT TRzLabel::ClientLessBorders(TCanvas& c, bool draw) {
    RECT r = ClientRect();
    if (!draw) {
        return r;
    }
    r = DrawBorder(c, r, borderOuter_);
    if (borderWidth_ > 0) {
        r = DrawBevelLines(c, r, borderColor_, borderSides_, borderWidth_, borderColor_);
    }
    return DrawBorder(c, r, borderInner_);
}

// Flags of the flat text path.
UINT TRzLabel::TextFlags() const {
    static const UINT aligns[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = aligns[alignment_] | DT_EXPANDTABS;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    if (condenseCaption_ == ccAtEnd)
        flags |= DT_END_ELLIPSIS;
    if (condenseCaption_ == ccWithinPath)
        flags |= DT_PATH_ELLIPSIS;
    return flags;
}

// Vertical placement of one pass's rectangle.
RECT TRzLabel::PlaceText(TCanvas& c, RECT r, UINT flags) {
    if (layout_ != tlTop) {
        RECT m = r;
        c.DrawText(Caption(), m, flags | DT_CALCRECT);
        const int diff = (r.bottom - r.top) - (m.bottom - m.top);
        const int dy = layout_ == tlCenter ? diff / 2 : diff;
        // Text taller than the label moves up but keeps the label's bottom
        // edge, so its middle shows, cut at both edges.
        r.top += dy;
        if (dy > 0)
            r.bottom += dy;
    }
    if (textStyle_ == tsShadow) {
        if (alignment_ == taRightJustify)
            OffsetRect(&r, -shadowDepth_, 0);
        if (layout_ == tlBottom)
            OffsetRect(&r, 0, -shadowDepth_);
    }
    return r;
}

// One text pass at an offset in a colour.
void TRzLabel::DrawPass(TCanvas& c, RECT r, int dx, int dy, TColor colour, UINT flags) {
    OffsetRect(&r, dx, dy);
    r = PlaceText(c, r, flags);
    c.Font().SetColor(colour);
    c.DrawText(Caption(), r, flags);
}

// The passes of the flat path, by text style.
void TRzLabel::DrawFlatText(TCanvas& c, const RECT& tr) {
    const UINT flags = TextFlags();
    if (!Enabled()) {
        DrawPass(c, tr, 0, 0, clGrayText, flags);
        return;
    }
    switch (textStyle_) {
    case tsRaised:
        if (!lightTextStyle_)
            DrawPass(c, tr, 1, 1, shadowColor_, flags);
        DrawPass(c, tr, -1, -1, highlightColor_, flags);
        break;
    case tsRecessed:
        DrawPass(c, tr, 1, 1, highlightColor_, flags);
        if (!lightTextStyle_)
            DrawPass(c, tr, -1, -1, shadowColor_, flags);
        break;
    case tsShadow:
        DrawPass(c, tr, shadowDepth_, shadowDepth_, shadowColor_, flags);
        break;
    default:
        break;
    }
    DrawPass(c, tr, 0, 0, textColor_, flags);
}

// Borders, background, text.
void TRzLabel::Paint() {
    TCanvas& c = Canvas();
    c.Font().Assign(Font());
    RECT r = ClientLessBorders(c, true);
    if (!transparent_) {
        c.Brush().SetStyle(TBrushStyle::bsSolid);
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
    c.Brush().SetStyle(TBrushStyle::bsClear);
    RECT tr = r;
    InflateRect(&tr, -textMargin_, -textMargin_);
    if (rotation_ == roFlat) {
        DrawRotatedText(c, tr);
    } else {
        DrawFlatText(c, tr);
    }
    c.Brush().SetStyle(TBrushStyle::bsSolid);
}

// Rotated caption: start point by angle, an escapement font, clipped passes.
void TRzLabel::DrawRotatedText(TCanvas& c, const RECT& tr) {
    const std::wstring& text = Caption();
    const int h = c.TextHeight(L"Pp");
    const double q = h * 0.25;
    const int w = c.TextWidth(text);
    const int e = textStyle_ == tsShadow ? shadowDepth_ / 2 : 0;
    const int f = w + e, g = h + e;
    const double a = (angle_ + 90) * 3.14159265358979323846 / 180.0;
    const bool centred = alignment_ == taCenter, right = alignment_ == taRightJustify;
    int x = Width() / 2, y = Height() / 2;
    UINT align = TA_BASELINE;
    const int norm = ((angle_ % 360) + 360) % 360;
    if (norm == 0) {
        align = centred ? TA_CENTER : TA_LEFT;
        if (!centred)
            x = right ? tr.right - w - 2 * e : tr.left + e;
        y -= g / 2;
    } else if (norm == 90) {
        x -= static_cast<int>(std::lround(std::cos(a) * q));
        y = centred ? tr.bottom - (tr.bottom - f) / 2 : right ? tr.top + e + f : tr.bottom - e;
    } else if (norm == 180) {
        x = centred ? tr.right - (tr.right - f) / 2 : right ? tr.left + f : tr.right - e;
        y -= g / 4;
    } else if (norm == 270) {
        x -= static_cast<int>(std::lround(std::cos(a) * q));
        y = centred ? (tr.bottom - f) / 2 : right ? tr.bottom - f - e : tr.top + e;
    } else {
        x -= static_cast<int>(std::lround(std::cos(a) * q));
        y += static_cast<int>(std::lround(std::sin(a) * q));
        align = TA_CENTER | TA_BASELINE;
    }
    LOGFONTW lf = Font().LogFont();
    lf.lfEscapement = angle_ * 10;
    lf.lfOrientation = 0;
    lf.lfWeight = Font().Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    const TFontHandle font(CreateFontIndirectW(&lf));
    HDC dc = c.Handle();
    // Alignment, mode and text colour go back with the saved state.
    TSaveDC state(dc);
    TSelectObject selectFont(dc, font.Get());
    SetTextAlign(dc, align);
    SetBkMode(dc, TRANSPARENT);
    auto pass = [&](int px, int py, TColor colour) {
        SetTextColor(dc, ColorToRGB(colour));
        ExtTextOutW(dc, px, py, ETO_CLIPPED, &tr, text.c_str(), static_cast<UINT>(text.size()),
                    nullptr);
    };
    if (!Enabled()) {
        pass(x, y, clGrayText);
    } else if (textStyle_ == tsShadow) {
        pass(x + e, y + e, shadowColor_);
        pass(x - e, y - e, textColor_);
    } else {
        if (textStyle_ == tsRaised) {
            if (!lightTextStyle_)
                pass(x + 1, y + 1, shadowColor_);
            pass(x - 1, y - 1, highlightColor_);
        } else if (textStyle_ == tsRecessed) {
            pass(x + 1, y + 1, highlightColor_);
            if (!lightTextStyle_)
                pass(x - 1, y - 1, shadowColor_);
        }
        pass(x, y, textColor_);
    }
}
