// TRzButton painting: themed, hot-tracking and classic looks, the down
// pattern, caption and focus frame, and the transparent erase.
#include "controls/colour.h"
#include "controls/frame_draw.h"
#include "skin/draw/skin_draw.h"
#include "controls/parent_background.h"
#include "controls/rz_button.h"
#include "framework/gdi/gdi_handles.h"

#include <uxtheme.h>
#include <vssym32.h>

// R inset by 3 (hot-tracking or themed) or 4; a grouped down button shifts it.
RECT TRzButton::FocusRect() const {
    RECT f = ClientRect();
    const int inset = (HotTrack() || UseThemes()) ? 3 : 4;
    InflateRect(&f, -inset, -inset);
    if (GroupedDown())
        OffsetRect(&f, 1, 1);
    return f;
}

// The whole face, in the order of the looks.
void TRzButton::Paint() {
    TCanvas& c = Canvas();
    RECT r = ClientRect();
    const RECT focus = FocusRect();
    if (UseThemes()) {
        PaintThemed(c, r);
    } else if (HotTrack()) {
        r = Enabled() ? PaintHotTrack(c, r) : PaintHotTrackDisabled(c, r);
    } else {
        r = PaintClassic(c, r);
    }
    if (groupIndex_ != 0 && State() == bsExclusive && showDownPattern_) {
        PaintDownPattern(c, r);
    }
    c.Brush().SetStyle(TBrushStyle::bsSolid);
    c.Brush().SetColor(Color());
    PaintContent(c);
    if (Focused() && showFocusRect_) {
        DrawDottedFrame(c, focus);
    }
}

// The platform's push-button element over the parent's background.
void TRzButton::PaintThemed(TCanvas& c, RECT r) {
    HDC dc = c.Handle();
    DrawThemeParentBackground(Handle(), dc, &r);
    HTHEME theme = OpenThemeData(Handle(), L"BUTTON");
    if (!theme)
        return;
    int state = PBS_NORMAL;
    if (!Enabled())
        state = PBS_DISABLED;
    else if (down_ || showDown_)
        state = PBS_PRESSED;
    else if (mouseOver_)
        state = PBS_HOT;
    else if (groupIndex_ != 0 || !(active_ || Focused()) || showDown_)
        state = PBS_NORMAL;
    else
        state = PBS_DEFAULTED;
    DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &r, nullptr);
    CloseThemeData(theme);
}

// The four sides of the frame without their corner pixels.
static void SidesWithoutCorners(TCanvas& c, const RECT& r, TColor colour) {
    c.Pen().SetColor(colour);
    c.MoveTo(r.left, r.top + 1);
    c.LineTo(r.left, r.bottom - 1);
    c.MoveTo(r.left + 1, r.top);
    c.LineTo(r.right - 1, r.top);
    c.MoveTo(r.right - 1, r.top + 1);
    c.LineTo(r.right - 1, r.bottom - 1);
    c.MoveTo(r.left + 1, r.bottom - 1);
    c.LineTo(r.right - 1, r.bottom - 1);
}

// Two shadow rows, then the vertical gradient (or a flat fill on palettes).
void TRzButton::PaintPlainFace(TCanvas& c, RECT r) {
    c.Pen().SetColor(DarkenColor(Color(), 20));
    c.MoveTo(r.left, r.bottom - 2);
    c.LineTo(r.right, r.bottom - 2);
    c.Pen().SetColor(DarkenColor(Color(), 30));
    c.MoveTo(r.left, r.bottom - 1);
    c.LineTo(r.right, r.bottom - 1);
    r.bottom -= 2;
    if (FullColorDisplay()) {
        FillGradient(c, r, 2, 1, DarkenColor(Color(), 10), LightenColor(Color(), 30));
    } else {
        c.Brush().SetColor(Color());
        c.FillRect(r);
    }
}

// Hot-tracking look of an enabled button.
RECT TRzButton::PaintHotTrack(TCanvas& c, RECT r) {
    const TColor parent = Parent() ? Parent()->Color() : clBtnFace;
    const TColor dark = DarkenColor(parent, 20), light = LightenColor(parent, 20);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(dark);
    c.MoveTo(r.left, r.top + 2);
    c.LineTo(r.left, r.bottom - 2);
    c.MoveTo(r.left + 2, r.top);
    c.LineTo(r.right - 2, r.top);
    c.Pen().SetColor(light);
    c.MoveTo(r.right - 1, r.top + 2);
    c.LineTo(r.right - 1, r.bottom - 2);
    c.MoveTo(r.left + 2, r.bottom - 1);
    c.LineTo(r.right - 2, r.bottom - 1);
    c.SetPixel(r.left + 1, r.top + 1, dark);
    c.SetPixel(r.right - 2, r.top + 1, dark);
    c.SetPixel(r.left + 1, r.bottom - 2, dark);
    c.SetPixel(r.right - 2, r.bottom - 2, light);
    InflateRect(&r, -1, -1);
    SidesWithoutCorners(c, r, frameColor_);
    InflateRect(&r, -1, -1);
    if (down_ || showDown_) {
        c.Brush().SetColor(DarkenColor(Color(), 10));
        c.FillRect(r);
    } else if (mouseOver_) {
        PaintPlainFace(c, r);
        TColor a, b;
        if (HotTrackColorType() == htctActual) {
            a = HotTrackColor();
            b = MixColors(clWhite, HotTrackColor(), 190);
        } else {
            b = OppositeColor(HotTrackColor(), 180);
            a = DarkenColor(b, 30);
        }
        DrawGradientRing(c, r, 2, a, b);
    } else if (groupIndex_ != 0 || !(active_ || Focused())) {
        PaintPlainFace(c, r);
    } else {
        PaintPlainFace(c, r);
        const TColor l = LightenColor(Color(), 30);
        TColor h = HighlightColor();
        if (ColorsNear(h, clBtnFace))
            h = DarkenColor(h, 30);
        DrawGradientRing(c, r, 2, MixColors(h, l, 160), MixColors(h, l, 60));
    }
    return r;
}

// Hot-tracking look of a disabled button: a computed frame, a flat face.
RECT TRzButton::PaintHotTrackDisabled(TCanvas& c, RECT r) {
    InflateRect(&r, -1, -1);
    const TColor frame =
        Color() == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80);
    SidesWithoutCorners(c, r, frame);
    InflateRect(&r, -1, -1);
    c.Brush().SetColor(Color());
    c.FillRect(r);
    return r;
}

// Classic look: focus frame, bevel (system or computed colours), face.
RECT TRzButton::PaintClassic(TCanvas& c, RECT r) {
    const bool grouped = groupIndex_ != 0;
    if ((!grouped && (active_ || Focused()) && !showDown_) || clicking_) {
        r = DrawSideLines(c, r, clWindowFrame, sdAllSides, clWindowFrame);
    }
    const TColor col = Color();
    if (col == clBtnFace) {
        if (grouped) {
            r = DrawFrameStyle(c, r, GroupedDown() ? fsLowered : fsButtonUp, sdAllSides);
        } else {
            r = DrawButtonBevel(c, r, showDown_);
        }
    } else if (grouped && GroupedDown()) {
        // A lowered frame computed from the colour.
        r = DrawSideLines(c, r, DarkenColor(col, 50), sdAllSides, LightenColor(col, 100));
        r = DrawSideLines(c, r, DarkenColor(col, 100), sdAllSides, LightenColor(col, 40));
    } else if (!grouped && showDown_) {
        r = DrawSideLines(c, r, DarkenColor(col, 100), sdAllSides, DarkenColor(col, 100));
        r = DrawSideLines(c, r, DarkenColor(col, 50), sdAllSides, DarkenColor(col, 50));
    } else {
        r = DrawSideLines(c, r, LightenColor(col, 100), sdAllSides, DarkenColor(col, 100));
        r = DrawSideLines(c, r, LightenColor(col, 40), sdAllSides, DarkenColor(col, 50));
    }
    c.Brush().SetColor(col);
    c.FillRect(r);
    return r;
}

// The 8 x 8 checker of a latched button.
void TRzButton::PaintDownPattern(TCanvas& c, const RECT& r) {
    const uint32_t base = ColorToRGB(Color());
    const uint32_t dot = base == 0xC0C0C0 ? 0x808080 : 0xC0C0C0;
    HDC dc = c.Handle();
    TBitmapHandle pattern(CreateCompatibleBitmap(dc, 8, 8));
    {
        TMemoryDC mem(dc);
        TSelectObject select(mem.Handle(), pattern.Get());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                ::SetPixel(mem.Handle(), x, y, (x % 2) == (y % 2) ? dot : base);
    }
    TBrushHandle brush(CreatePatternBrush(pattern.Get()));
    ::FillRect(dc, &r, brush.Get());
}

// Inset 5; a grouped down button in the classic look moves by (1, 1).
RECT TRzButton::CaptionRect() {
    RECT r = ClientRect();
    InflateRect(&r, -5, -5);
    if (!HotTrack() && !UseThemes() && GroupedDown())
        OffsetRect(&r, 1, 1);
    return r;
}

// The caption only; glyph buttons add their glyph.
void TRzButton::PaintContent(TCanvas& c) {
    DrawCaption(c, CaptionRect(), alignment_);
}

// Transparent erase: the parent shows around the rounded face.
void TRzButton::EraseTransparent(TMessage& msg) {
    HDC dc = reinterpret_cast<HDC>(msg.WParam);
    const TSaveDC state(dc); // the clipping below goes back on the way out
    RECT inner = ClientRect();
    const int k = Enabled() ? 1 : 2;
    InflateRect(&inner, -k, -k);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    RECT second = inner;
    InflateRect(&second, 1, -1);
    ExcludeClipRect(dc, second.left, second.top, second.right, second.bottom);
    RECT third = second;
    InflateRect(&third, -2, 2);
    ExcludeClipRect(dc, third.left, third.top, third.right, third.bottom);
    PaintParentBackground(*this, dc, false);
    msg.Result = 1;
}
