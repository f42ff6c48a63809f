// The drawing side of the form skinner: frame thickness, border parts, the
// title text, the client rectangle and hit-test answers, the window region and
// skinned tool-bar buttons. Everything here works on plain inputs, so the form
// skinner and the tests call the same code.
#include "skin/window/frame_paint.h"

#include "skin/draw/element_region.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"
#include "skin/model/skin_objects.h"

namespace {

// The border object that draws a part (may be null).
TDataSkinBorder* BorderOf(const TSkinData& skin, TBorderPart part) {
    switch (part) {
    case TBorderPart::Left:
        return skin.LeftBorder.get();
    case TBorderPart::Right:
        return skin.RightBorder.get();
    case TBorderPart::Top:
        return skin.TopBorder.get();
    case TBorderPart::Bottom:
        return skin.BottomBorder.get();
    }
    return nullptr;
}

// Top and bottom borders hold their frames stacked, left and right side by side.
bool StackedFrames(TBorderPart part) {
    return part == TBorderPart::Top || part == TBorderPart::Bottom;
}

// Thickness of one frame of a border: picture height (stacked) or width (side
// by side) divided by the frame count; 0 without a border or picture.
int FrameThickness(const TDataSkinBorder* border, bool stacked) {
    if (!border || border->Picture.Empty()) {
        return 0;
    }
    const int n = border->FrameCount < 1 ? 1 : border->FrameCount;
    return (stacked ? border->Picture.Height() : border->Picture.Width()) / n;
}

// Pictures drawn with a key colour are stretched nearest-pixel, so magenta
// never bleeds into the neighbouring pixels that the region keeps.
int StretchModeFor(const TDataSkinObject& object) {
    return object.Trans != 0 ? COLORONCOLOR : kSkinDefaultStretchMode;
}

bool HasArea(const RECT& r) {
    return r.right > r.left && r.bottom > r.top;
}

// The skin's Title object, or a zero one when the skin has none.
const TDataSkinTitle& TitleOf(const TSkinData& skin) {
    static const TDataSkinTitle none;
    return skin.Title ? *skin.Title : none;
}

// Horizontal shift of the text rectangle T for its alignment.
int TitleShiftX(const TTitleTextLayout& in, const RECT& t) {
    const int alignment = in.RightToLeft ? 2 : in.Alignment;
    switch (alignment) {
    case 0:
        return in.TextShift;
    case 1:
        return (in.Strip.right - t.right) / 2;
    case 2:
        return in.Strip.right - in.TextRightClip - t.right;
    default:
        return 0;
    }
}

} // namespace

// Frame thickness from the border pictures; see the header.
TFrameMetrics ComputeFrameMetrics(const TSkinData& skin, int borderKind) {
    TFrameMetrics m;
    if (borderKind == kBorderNone) {
        return m;
    }
    m.Title = FrameThickness(skin.TopBorder.get(), true);
    m.Left = FrameThickness(skin.LeftBorder.get(), false);
    m.Right = FrameThickness(skin.RightBorder.get(), false);
    m.Bottom = FrameThickness(skin.BottomBorder.get(), true);
    return m;
}

// Where a border part lies in the window.
RECT BorderPartRect(TBorderPart part, const TFrameMetrics& m, int width, int height) {
    switch (part) {
    case TBorderPart::Left:
        return {0, 0, m.Left, height};
    case TBorderPart::Right:
        return {width - m.Right, 0, width, height};
    case TBorderPart::Top:
        return {m.Left, 0, width - m.Right, m.Title};
    case TBorderPart::Bottom:
        return {m.Left, height - m.Bottom, width - m.Right, height};
    }
    return {};
}

// Frame 2 of a two-frame border shows an inactive window.
int BorderFrameIndex(const TDataSkinObject& border, bool active) {
    return active || border.FrameCount <= 1 ? 1 : 2;
}

// One border part drawn by the nine-part rule into a bitmap of its own.
std::unique_ptr<TBitmap> RenderBorderPart(TBorderPart part, const RECT& rect, TSkinData& skin,
                                          bool active) {
    TDataSkinBorder* border = BorderOf(skin, part);
    if (!border || border->Picture.Empty() || !HasArea(rect) || rect.right < 0 || rect.bottom < 0) {
        return nullptr;
    }
    const RECT size{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    auto image = StretchSkinFrame(size, *border, BorderFrameIndex(*border, active),
                                  StackedFrames(part), StretchModeFor(*border));
    if (!image || image->Empty()) {
        return nullptr;
    }
    return image;
}

namespace {

// Whether a border part is drawn at all (RenderBorderPart's conditions).
TDataSkinBorder* DrawnBorder(TBorderPart part, const RECT& rect, TSkinData& skin) {
    TDataSkinBorder* border = BorderOf(skin, part);
    if (!border || border->Picture.Empty() || !HasArea(rect) || rect.right < 0 || rect.bottom < 0) {
        return nullptr;
    }
    return border;
}

} // namespace

// One border part copied opaquely to the DC, through the frame routines'
// prepared images (the region of the same size then reuses them).
void DrawBorderPart(HDC dc, TBorderPart part, const RECT& rect, TSkinData& skin, bool active) {
    TDataSkinBorder* border = DrawnBorder(part, rect, skin);
    if (!border) {
        return;
    }
    DrawSkinElement(dc, rect, border->Picture, StackedFrames(part), border->TilesMiddle(), false,
                    border->FrameCount, BorderFrameIndex(*border, active), border->Margins(),
                    StretchModeFor(*border));
}

// Title text placement: extent, shifts, right clip, dialog move.
RECT LayoutTitleText(const TTitleTextLayout& in) {
    const RECT& r = in.Strip;
    RECT t{r.left, r.top, r.left + in.Extent.cx, r.top + in.Extent.cy};
    t.right += in.BackLeft + in.BackRight;
    // C++ division truncates toward zero, as the shifts want.
    const int dx = TitleShiftX(in, t);
    const int dy = ((r.bottom - r.top) - (t.bottom - t.top)) / 2 + in.TextShiftVert / 2;
    OffsetRect(&t, dx, dy);
    if (in.PopupStyle) {
        if (in.TextClipX > 5 && in.TextClipX - 5 < t.right) {
            t.right = in.TextClipX - 5;
        }
    } else if (r.right - in.TextRightClip < t.right) {
        t.right = r.right - in.TextRightClip;
    }
    if (in.DialogBorder && in.Alignment == 0) {
        t.left -= 16;
    }
    return t;
}

// The title text with its background bar; see the header.
RECT DrawTitleText(HDC dc, const RECT& strip, const std::wstring& text, HFONT font, TSkinData& skin,
                   bool active, bool rightToLeft, bool popupStyle, bool dialogBorder,
                   int textClipX) {
    TSaveDC saved(dc);
    // Without a font of its own the DC's current one stays selected.
    TSelectObject fontSelection(dc, font ? font : GetCurrentObject(dc, OBJ_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 ColorToRGB(active ? skin.TitleTextActiveColour : skin.TitleTextNoActiveColour));

    RECT extent{strip.left, strip.top, strip.left, strip.top};
    DrawSkinText(dc, text, extent, DT_CALCRECT | DT_NOCLIP);
    const TDataSkinTitle& title = TitleOf(skin);
    TTitleTextLayout in;
    in.Strip = strip;
    in.Extent = {extent.right - extent.left, extent.bottom - extent.top};
    in.Alignment = title.TextAlignment;
    in.TextShift = title.LeftWidth;
    in.TextShiftVert = title.TopHeight;
    in.TextRightClip = title.RightWidth;
    in.BackLeft = title.TXTBackleft;
    in.BackRight = title.TXTBackRight;
    in.RightToLeft = rightToLeft;
    in.PopupStyle = popupStyle;
    in.TextClipX = textClipX;
    in.DialogBorder = dialogBorder;
    const RECT t = LayoutTitleText(in);

    if (skin.Title && !skin.Title->Picture.Empty()) {
        TCanvas canvas(dc);
        DrawSkinBar(canvas, {t.left, strip.top, t.right, strip.bottom}, skin.Title->Picture, true,
                    true, 2, active ? 1 : 2, {in.BackLeft, 0, in.BackRight, 0});
    }
    RECT inner{t.left + in.BackLeft, t.top, t.right - in.BackRight, t.bottom};
    DrawSkinText(dc, text, inner, DT_SINGLELINE | DT_END_ELLIPSIS | (rightToLeft ? DT_RIGHT : 0u));
    return t;
}

// The client rectangle inside the skinned frame and menu strip.
RECT SkinnedClientRect(const RECT& window, const TFrameMetrics& m, int menuHeight) {
    return {window.left + m.Left, window.top + m.Title + menuHeight, window.right - m.Right,
            window.bottom - m.Bottom};
}

// The title strip drags the window; the strip below it is the menu bar.
LRESULT AdjustHitTest(LRESULT previous, POINT windowPoint, int titleHeight) {
    if (previous != HTNOWHERE && previous != HTCAPTION) {
        return previous;
    }
    LRESULT answer = previous;
    if (windowPoint.y > 3) {
        answer = HTCAPTION;
    }
    if (windowPoint.y > titleHeight) {
        answer = HTMENU;
    }
    return answer;
}

// Whether the region has to follow the borders' magenta pixels.
bool AnyBorderTransparent(const TSkinData& skin) {
    for (const TDataSkinBorder* b : {skin.LeftBorder.get(), skin.RightBorder.get(),
                                     skin.TopBorder.get(), skin.BottomBorder.get()}) {
        if (b && b->Trans != 0) {
            return true;
        }
    }
    return false;
}

namespace {

// A plain rectangle region (empty when the rectangle has no area).
TRegionHandle RectRegion(const RECT& r) {
    if (!HasArea(r)) {
        return TRegionHandle(CreateRectRgn(0, 0, 0, 0));
    }
    return TRegionHandle(CreateRectRgn(r.left, r.top, r.right, r.bottom));
}

// The region of a drawn part's non-magenta pixels, placed at the part's
// rectangle; the plain rectangle when there is no image.
TRegionHandle KeyedRegion(TBitmap* image, const RECT& rect) {
    if (!image || image->Empty()) {
        return RectRegion(rect);
    }
    return RegionFromBitmap(*image, rect.left, rect.top, 1, 1, 1);
}

// The title bar as last painted (text and caption buttons count as opaque),
// when it matches the window's size: the top part's pixels are taken from
// it. The cache spans the whole width; the part starts at x = Left.
TBitmap* PaintedTitle(const TFrameRegionInput& in) {
    TBitmap* cache = in.TitleCache;
    if (!cache || cache->Empty() || cache->Width() != in.Width ||
        cache->Height() != in.Metrics.Title) {
        return nullptr;
    }
    return cache;
}

// The top part's pixels cut from the painted title bar.
std::unique_ptr<TBitmap> TitlePartImage(TBitmap& title, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    auto part = std::make_unique<TBitmap>(w, h);
    BitBlt(part->Canvas().Handle(), 0, 0, w, h, title.Canvas().Handle(), rect.left, 0, SRCCOPY);
    return part;
}

// One border part's share of the region: its non-magenta pixels when the
// border is transparent and the part is big enough, else its rectangle.
TRegionHandle PartRegion(TSkinData& skin, const TFrameRegionInput& in, TBorderPart part) {
    const RECT rect = BorderPartRect(part, in.Metrics, in.Width, in.Height);
    const TDataSkinBorder* border = BorderOf(skin, part);
    if (!border || border->Trans == 0 || !HasArea(rect)) {
        return RectRegion(rect);
    }
    switch (part) {
    case TBorderPart::Left:
    case TBorderPart::Right:
        if (in.Height <= 1) {
            return RectRegion(rect);
        }
        break;
    case TBorderPart::Bottom:
        if (in.Metrics.Bottom < 2) {
            return RectRegion(rect);
        }
        break;
    case TBorderPart::Top:
        if (in.Metrics.Title <= 1) {
            return RectRegion(rect);
        }
        // Without a painted title of this size (a resize shapes the window
        // before painting it) the top border alone, through the prepared
        // image the frame paint that follows draws.
        if (TBitmap* title = PaintedTitle(in)) {
            return KeyedRegion(TitlePartImage(*title, rect).get(), rect);
        }
        break;
    }
    TDataSkinBorder* drawn = DrawnBorder(part, rect, skin);
    TRegionHandle shape =
        drawn ? SkinElementRegion(rect, drawn->Picture, StackedFrames(part), drawn->TilesMiddle(),
                                  drawn->FrameCount, BorderFrameIndex(*drawn, in.Active),
                                  drawn->Margins(), StretchModeFor(*drawn))
              : TRegionHandle();
    return shape ? std::move(shape) : RectRegion(rect);
}

} // namespace

// The window region from the borders; see the header.
TRegionHandle BuildFrameRegion(TSkinData& skin, const TFrameRegionInput& in) {
    if (in.Width <= 0 || in.Height <= 0) {
        return {};
    }
    if (!AnyBorderTransparent(skin)) {
        return TRegionHandle(CreateRectRgn(0, 0, in.Width, in.Height));
    }
    const TFrameMetrics& m = in.Metrics;
    TRegionHandle region = RectRegion({m.Left, m.Title, in.Width - m.Right, in.Height - m.Bottom});
    if (in.BorderKind == kBorderNone) {
        return region;
    }
    for (TBorderPart part :
         {TBorderPart::Left, TBorderPart::Right, TBorderPart::Bottom, TBorderPart::Top}) {
        TRegionHandle piece = PartRegion(skin, in, part);
        if (piece) {
            CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_OR);
        }
    }
    return region;
}

// Frame of the Buttons picture for a tool-bar button state.
int ToolButtonFrame(unsigned state) {
    if (state & kToolSelected) {
        return 2;
    }
    if (state & (kToolFocused | kToolHot)) {
        return 4;
    }
    if ((state & kToolDefault) && !(state & (kToolGrayed | kToolDisabled))) {
        return 1;
    }
    return 0;
}

// A tool-bar button drawn from the Buttons picture.
bool DrawSkinToolButton(TCanvas& canvas, const RECT& bounds, unsigned state, TSkinData& skin) {
    TDataSkinButton* buttons = skin.Buttons.get();
    const int k = ToolButtonFrame(state);
    if (!buttons || buttons->Picture.Empty() || k == 0) {
        return false;
    }
    if (k == 1 && buttons->HasNormalColour2) {
        canvas.Font().SetColor(buttons->NormalColour2);
    } else if (k == 4 && buttons->HasMouseOverColour2) {
        canvas.Font().SetColor(buttons->MouseOverColour2);
    } else if (k == 2 && buttons->HasPressedColour2) {
        canvas.Font().SetColor(buttons->PressedColour2);
    }
    RECT r = bounds;
    InflateRect(&r, -1, -1);
    DrawSkinElement(canvas.Handle(), r, buttons->Picture, false, false, buttons->Trans != 0, 5, k,
                    buttons->Margins(), StretchModeFor(*buttons));
    return true;
}
