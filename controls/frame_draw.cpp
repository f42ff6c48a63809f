// Line and frame drawing helpers; see frame_draw.h.
#include "controls/frame_draw.h"

#include "skin/draw/skin_draw.h"
#include "framework/gdi/gdi_handles.h"

namespace {

// A LineTo-style line (end point excluded) in `colour`; clNone draws nothing.
void Line(TCanvas& canvas, TColor colour, int x0, int y0, int x1, int y1) {
    if (colour == clNone) {
        return;
    }
    canvas.Pen().SetColor(colour);
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

// Two rings: outer then inner, each with its top-left and bottom-right colour.
RECT TwoRings(TCanvas& canvas, RECT r, TSides sides, TColor outerTL, TColor outerBR, TColor innerTL,
              TColor innerBR) {
    r = DrawSideLines(canvas, r, outerTL, sides, outerBR);
    return DrawSideLines(canvas, r, innerTL, sides, innerBR);
}

// The etched styles (groove and bump): corner pixels, then two offset rings.
RECT Etched(TCanvas& canvas, RECT r, TSides sides, TColor a, TColor b) {
    const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
    if (right) {
        canvas.SetPixel(r.right - 1, r.top, b);
    } else if (top) {
        canvas.SetPixel(r.right - 1, r.top, a);
    }
    if (bottom) {
        canvas.SetPixel(r.left, r.bottom - 1, b);
    } else if (left) {
        canvas.SetPixel(r.left, r.bottom - 1, a);
    }
    if (top && !left) {
        canvas.SetPixel(r.left, r.top + 1, b);
    }
    if (left && !top) {
        canvas.SetPixel(r.left + 1, r.top, b);
    }
    if (bottom && !right) {
        canvas.SetPixel(r.right - 1, r.bottom - 2, a);
    }
    if (right && !bottom) {
        canvas.SetPixel(r.right - 2, r.bottom - 1, a);
    }
    const RECT inner{r.left + 1, r.top + 1, r.right, r.bottom};
    DrawSideLines(canvas, inner, b, sides, b);
    const RECT outer{inner.left - 1, inner.top - 1, inner.right - 1, inner.bottom - 1};
    DrawSideLines(canvas, outer, a, sides, a);
    RECT result = r;
    if (left)
        result.left += 2;
    if (top)
        result.top += 2;
    if (right)
        result.right -= 2;
    if (bottom)
        result.bottom -= 2;
    return result;
}

int g_displayOverride = -1;

} // namespace

// Side lines; see the header.
RECT DrawSideLines(TCanvas& canvas, RECT r, TColor topLeft, TSides sides, TColor bottomRight) {
    RECT out = r;
    if (sides.Contains(sdLeft)) {
        Line(canvas, topLeft, r.left, r.top, r.left, r.bottom);
        ++out.left;
    }
    if (sides.Contains(sdTop)) {
        Line(canvas, topLeft, r.left, r.top, r.right, r.top);
        ++out.top;
    }
    if (sides.Contains(sdRight)) {
        Line(canvas, bottomRight, r.right - 1, r.top, r.right - 1, r.bottom);
        --out.right;
    }
    if (sides.Contains(sdBottom)) {
        Line(canvas, bottomRight, r.left, r.bottom - 1, r.right, r.bottom - 1);
        --out.bottom;
    }
    return out;
}

// Repeated side lines with a one-pixel pen.
RECT DrawBevelLines(TCanvas& canvas, RECT r, TColor topLeft, TSides sides, int count,
                    TColor bottomRight) {
    canvas.Pen().SetWidth(1);
    for (int i = 0; i < count; ++i) {
        r = DrawSideLines(canvas, r, topLeft, sides, bottomRight);
    }
    return r;
}

// Dotted focus frame: every second pixel from one past each edge's start,
// stopping before its last pixel.
RECT DrawDottedFrame(TCanvas& canvas, RECT r) {
    for (int y = r.top + 1; y < r.bottom - 1; y += 2) {
        canvas.SetPixel(r.left, y, clBlack);
        canvas.SetPixel(r.right - 1, y, clBlack);
    }
    for (int x = r.left + 1; x < r.right - 1; x += 2) {
        canvas.SetPixel(x, r.top, clBlack);
        canvas.SetPixel(x, r.bottom - 1, clBlack);
    }
    return RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
}

// Whether the screen shows more than a palette.
bool FullColorDisplay() {
    if (g_displayOverride >= 0) {
        return g_displayOverride != 0;
    }
    static const bool full = [] {
        TClientDC screen(nullptr);
        return GetDeviceCaps(screen.Handle(), NUMCOLORS) == -1;
    }();
    return full;
}

// Test hook for the display check.
void SetFullColorDisplayOverride(int value) {
    g_displayOverride = value;
}

// Gradient ring: the middle is clipped away, the whole rectangle is filled,
// and the caller's clipping is put back.
void DrawGradientRing(TCanvas& canvas, RECT r, int /*direction*/, TColor a, TColor b) {
    if (!FullColorDisplay()) {
        return;
    }
    HDC dc = canvas.Handle();
    TRegionHandle saved(CreateRectRgn(0, 0, 0, 0));
    const bool hadClip = GetClipRgn(dc, saved.Get()) == 1;
    ExcludeClipRect(dc, r.left + 2, r.top + 2, r.right - 2, r.bottom - 2);
    FillGradient(canvas, r, 2, 1, a, b);
    SelectClipRgn(dc, hadClip ? saved.Get() : nullptr);
}

// Frame styles in system colours.
RECT DrawFrameStyle(TCanvas& canvas, RECT r, TFrameStyle style, TSides sides) {
    switch (style) {
    case fsFlat:
        return DrawSideLines(canvas, r, cl3DDkShadow, sides, cl3DDkShadow);
    case fsStatus:
        return DrawSideLines(canvas, r, clBtnShadow, sides, clBtnHighlight);
    case fsPopup:
        return DrawSideLines(canvas, r, clBtnHighlight, sides, clBtnShadow);
    case fsFlatBold:
        return DrawBevelLines(canvas, r, clBtnShadow, sides, 2, clBtnShadow);
    case fsRaised:
        return TwoRings(canvas, r, sides, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow);
    case fsLowered:
        return TwoRings(canvas, r, sides, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
    case fsButtonUp:
        return TwoRings(canvas, r, sides, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow);
    case fsButtonDown:
        return TwoRings(canvas, r, sides, clBtnText, clBtnText, clBtnShadow, clBtnShadow);
    case fsGroove:
        return Etched(canvas, r, sides, clBtnShadow, clBtnHighlight);
    case fsBump:
        return Etched(canvas, r, sides, clBtnHighlight, clBtnShadow);
    default:
        return r;
    }
}

// Push-button bevel.
RECT DrawButtonBevel(TCanvas& canvas, RECT r, bool pressed) {
    return DrawFrameStyle(canvas, r, pressed ? fsButtonDown : fsButtonUp, sdAllSides);
}
