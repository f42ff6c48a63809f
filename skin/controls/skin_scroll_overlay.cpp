// The overlay window laid over one scroll bar: placed directly above its
// target in Z order, a press forwarded to the real scroll bar (whose modal
// tracking does the scrolling, repeating and thumb dragging), painted off
// screen in one copy and never erased.
#include "skin/controls/skin_scrollbars.h"

#include <windowsx.h>

#include <memory>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/gdi/paint_scope.h"
#include "skin/draw/skin_draw.h"
#include "skin/model/skin_data.h"

LT_CLASS_TABLE(TWScrollbar) {}

namespace {

// Cells of the Scrollbar strip, frames of the tracks.
constexpr int kArrowCells = 23;
constexpr int kTrackFrames = 4;

static_assert(sizeof(SCROLLBARINFO) == 60, "the platform's scroll-bar record is 60 bytes");

bool HasPicture(const std::unique_ptr<TDataSkinObject>& element) {
    return element && !element->Picture.Empty();
}

// Whether the region covers all of r.
bool RegionHolds(HRGN region, const RECT& r) {
    TRegionHandle part(CreateRectRgnIndirect(&r));
    return CombineRgn(part.Get(), part.Get(), region, RGN_DIFF) == NULLREGION;
}

} // namespace

TWScrollbar::TWScrollbar(TComponent* owner)
    : TCustomControl(owner), ArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar() {
    *alive_ = false;
}

// A hidden child of the target's parent window; siblings never paint over it.
void TWScrollbar::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.style = WS_CHILD | WS_CLIPSIBLINGS;
    params.wndParent = parentWindow_;
}

void TWScrollbar::BindControl(TSkinControl* wrapper, TWinControl* control, TScrollKind kind) {
    TargetControl = control;
    Vertical = kind == TScrollKind::Vertical;
    if (kind == TScrollKind::Control)
        Vertical = SkinReadEnum(control, "Kind") != "sbhorizontal";
    Bind(wrapper, control ? control->Handle() : nullptr, kind);
}

void TWScrollbar::BindWindow(TSkinControl* wrapper, HWND handle, TScrollKind kind) {
    TargetControl = nullptr;
    Vertical = kind == TScrollKind::Vertical;
    Bind(wrapper, handle, kind);
}

void TWScrollbar::Bind(TSkinControl* wrapper, HWND handle, TScrollKind kind) {
    Wrapper = wrapper;
    Target = handle;
    Kind = kind;
    parentWindow_ = handle ? GetParent(handle) : nullptr;
    if (HandleAllocated() && parentWindow_ && GetParent(Handle()) != parentWindow_)
        ::SetParent(Handle(), parentWindow_);
    Reposition();
}

void TWScrollbar::HideBar() {
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
    Shown = false;
    onScreen_.Base.Clear();
}

void TWScrollbar::ForgetKept() {
    kept_.Forget();
    onScreen_.Base.Clear();
    InvalidateBar();
}

void TWScrollbar::InvalidateBar() {
    if (HandleAllocated())
        InvalidateRect(Handle(), nullptr, FALSE);
}

bool TWScrollbar::ReadFacts(TScrollBarFacts& facts) const {
    if (!Target || !IsWindow(Target))
        return false;
    if (Kind == TScrollKind::Control) {
        RECT client{};
        GetClientRect(Target, &client);
        MapWindowPoints(Target, nullptr, reinterpret_cast<POINT*>(&client), 2);
        TScrollRange range;
        if (TargetControl) {
            range.Position = SkinReadInteger(TargetControl, "Position");
            range.Max = SkinReadInteger(TargetControl, "Max");
            range.Page = SkinReadInteger(TargetControl, "PageSize");
        } else {
            SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
            GetScrollInfo(Target, SB_CTL, &si);
            range = TScrollRange{si.nPos, si.nMax, static_cast<int>(si.nPage)};
        }
        facts = ControlScrollFacts(client, Vertical, ArrowSize, range);
        return true;
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    const LONG object = Kind == TScrollKind::Horizontal ? OBJID_HSCROLL : OBJID_VSCROLL;
    if (!GetScrollBarInfo(Target, object, &info))
        return false;
    facts.Bar = info.rcScrollBar;
    facts.ThumbTop = info.xyThumbTop;
    facts.ThumbBottom = info.xyThumbBottom;
    facts.State = info.rgstate[0];
    return true;
}

void TWScrollbar::Reposition() {
    if (TargetControl && TargetControl->HandleAllocated())
        Target = TargetControl->Handle();
    // Without the skin's arrows there is nothing to paint: the platform's
    // own bar stays in sight (an unpainted overlay would look frozen).
    TSkinData* data = Wrapper ? Wrapper->SkinData : nullptr;
    if (!data || !HasPicture(data->Scrollbar)) {
        HideBar();
        return;
    }
    TScrollBarFacts facts;
    if (!ReadFacts(facts)) {
        Shown = false;
        return;
    }
    if (facts.State & STATE_SYSTEM_INVISIBLE) {
        HideBar();
        return;
    }
    PlaceOverTarget(facts.Bar);
}

// Shows the overlay over the bar (screen rectangle), directly above the
// target in Z order; moving it redraws nothing but what it uncovers.
void TWScrollbar::PlaceOverTarget(const RECT& bar) {
    if (!parentWindow_) {
        Shown = false;
        return;
    }
    const int w = bar.right - bar.left, h = bar.bottom - bar.top;
    POINT inTarget{bar.left, bar.top};
    ::ScreenToClient(Target, &inTarget);
    TargetRect = RECT{inTarget.x, inTarget.y, inTarget.x + w, inTarget.y + h};
    ScreenOrigin = POINT{bar.left, bar.top};
    Length = Vertical ? h : w;
    POINT pos{bar.left, bar.top};
    ::ScreenToClient(parentWindow_, &pos);
    const HWND self = Handle();
    RECT before{};
    GetWindowRect(self, &before);
    const bool wasShown = Shown && IsWindowVisible(self);
    ShowWindow(self, SW_SHOW);
    Shown = true;
    if (Kind == TScrollKind::Control) {
        SetWindowPos(self, HWND_TOP, pos.x, pos.y, w, h, SWP_NOREDRAW);
    } else {
        SetWindowPos(self, GetWindow(Target, GW_HWNDPREV), pos.x, pos.y, w, h, SWP_NOREDRAW);
        MoveWindow(self, pos.x, pos.y, w, h, TRUE);
    }
    // SWP_NOREDRAW leaves a newly shown or resized overlay unpainted.
    if (!wasShown || before.left != bar.left || before.top != bar.top ||
        before.right != bar.right || before.bottom != bar.bottom)
        InvalidateBar();
}

TScrollPart TWScrollbar::PartAt(POINT p) const {
    return ScrollPartAt(Vertical ? p.y : p.x, ArrowSize, ThumbStart, ThumbEnd, Length);
}

void TWScrollbar::WndProc(TMessage& msg) {
    switch (msg.Msg) {
    case WM_ERASEBKGND:
        msg.Result = 1;
        return;
    case WM_PAINT:
        PaintMessage(msg);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        TCustomControl::WndProc(msg);
        Press(msg);
        return;
    case WM_LBUTTONUP:
        TCustomControl::WndProc(msg);
        Release(msg);
        return;
    default:
        TCustomControl::WndProc(msg);
        return;
    }
}

POINT TWScrollbar::ForwardPoint(const TMessage& msg) const {
    POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
    if (Kind != TScrollKind::Control) {
        p.x += ScreenOrigin.x;
        p.y += ScreenOrigin.y;
    }
    return p;
}

// Hands the press to the real scroll bar and waits: the platform's tracking
// loop runs inside the call until the button is released.
void TWScrollbar::Press(TMessage& msg) {
    const POINT p = ForwardPoint(msg);
    GetCursorPos(&DragCursor);
    TScrollBarFacts facts;
    if (ReadFacts(facts))
        DragThumb = facts.ThumbTop;
    if (Kind == TScrollKind::Control)
        ScrollCode = PartAt(POINT{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)});
    Tracking = true;
    if (Kind == TScrollKind::Control)
        InvalidateBar();
    ReleaseCapture();
    // The overlay may be freed while the tracking loop runs.
    const std::shared_ptr<bool> alive = alive_;
    Forward(true, MAKELPARAM(p.x, p.y));
    if (!*alive)
        return;
    Tracking = false;
    ReleaseCapture();
    if (Kind == TScrollKind::Control)
        InvalidateBar();
}

void TWScrollbar::Release(TMessage& msg) {
    const POINT p = ForwardPoint(msg);
    Tracking = false;
    ReleaseCapture();
    Forward(false, MAKELPARAM(p.x, p.y));
    if (Kind == TScrollKind::Control)
        InvalidateBar();
}

// The press (sent, waited for) or the release (posted) as the real scroll
// bar takes it: a non-client press on the target's bar, or a client press
// on the scroll-bar control.
void TWScrollbar::Forward(bool press, LPARAM at) {
    UINT msg = press ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP;
    WPARAM hit = Kind == TScrollKind::Horizontal ? HTHSCROLL : HTVSCROLL;
    if (Kind == TScrollKind::Control) {
        msg = press ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        hit = MK_LBUTTON;
    }
    if (press)
        SendMessageA(Target, msg, hit, at);
    else
        PostMessageA(Target, msg, hit, at);
}

// One paint path for WM_PAINT and a DC passed in WParam. A paint of its
// own records what the screen shows; a part that changed outside the update
// region (a change nobody asked to repaint) is invalidated after it.
void TWScrollbar::PaintMessage(TMessage& msg) {
    msg.Result = 0;
    if (msg.WParam) {
        PaintBar(reinterpret_cast<HDC>(msg.WParam));
        return;
    }
    TRegionHandle update(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(Handle(), update.Get(), FALSE);
    std::vector<RECT> missed;
    {
        const TPaintScope scope(Handle());
        TOverlayLook look;
        if (!PaintLook(scope.DC(), look)) {
            onScreen_.Base.Clear();
            return;
        }
        for (const RECT& part : OverlayChangedParts(onScreen_.Base == look.Base, onScreen_.Thumb,
                                                    look.Thumb, look.Width, look.Height))
            if (!RegionHolds(update.Get(), part))
                missed.push_back(part);
        onScreen_ = std::move(look);
    }
    for (const RECT& part : missed)
        InvalidateRect(Handle(), &part, FALSE);
}

// Invalidates what changed since the overlay last painted itself: the
// thumb's old and new places when only the thumb moved, the whole bar when
// anything else changed, nothing when nothing did. The dragged thumb
// follows the cursor: while it is tracked the whole bar is repainted.
void TWScrollbar::Refresh() {
    if (!HandleAllocated() || !Shown)
        return;
    if (ScrollCode == spThumb && Kind != TScrollKind::Control) {
        InvalidateBar();
        return;
    }
    TOverlayLook look;
    if (!ReadLook(look, false)) {
        InvalidateBar();
        return;
    }
    for (const RECT& part : OverlayChangedParts(onScreen_.Base == look.Base, onScreen_.Thumb,
                                                look.Thumb, look.Width, look.Height))
        InvalidateRect(Handle(), &part, FALSE);
}

// The thumb the paint shows: the platform's, or the dragged one that
// follows the cursor (kinds 0 and 1 while the thumb is tracked).
TThumbSpan TWScrollbar::PaintedThumb(const TScrollBarFacts& facts) {
    if (ScrollCode != spThumb || Kind == TScrollKind::Control) {
        ThumbStart = facts.ThumbTop;
        ThumbEnd = facts.ThumbBottom;
    } else {
        POINT c{};
        GetCursorPos(&c);
        const int travel = Vertical ? c.y - DragCursor.y : c.x - DragCursor.x;
        const TThumbSpan span =
            DraggedThumb(DragThumb, travel, ArrowSize, Length, TThumbSpan{ThumbStart, ThumbEnd});
        ThumbStart = span.Start;
        ThumbEnd = span.End;
    }
    return TThumbSpan{ThumbStart, ThumbEnd};
}

void TWScrollbar::PaintBar(HDC dc) {
    TOverlayLook look;
    PaintLook(dc, look);
}

// Paints the overlay into dc from the kept picture, composed again when
// anything it shows changed; false (nothing painted) without a skin to
// paint or a bar to cover.
bool TWScrollbar::PaintLook(HDC dc, TOverlayLook& look) {
    if (!ReadLook(look, true))
        return false;
    TLookKey key = look.Base;
    key.Add(look.Thumb);
    if (!kept_.Current(key, look.Width, look.Height)) {
        HDC mem = kept_.DC();
        const TSaveDC save(mem);
        SetStretchBltMode(mem, COLORONCOLOR);
        const TBrushHandle face(CreateSolidBrush(ColorToRGB(Wrapper->SkinData->ButtonFaceColour)));
        const RECT all{0, 0, look.Width, look.Height};
        FillRect(mem, &all, face.Get());
        DrawLayout(mem, look.Layout);
    }
    kept_.CopyTo(dc, 0, 0, RECT{0, 0, look.Width, look.Height});
    return true;
}

// What the overlay shows now. `painting`: the thumb as the paint places it
// (following the cursor while dragged); otherwise where the platform has it.
bool TWScrollbar::ReadLook(TOverlayLook& look, bool painting) {
    TSkinData* data = Wrapper ? Wrapper->SkinData : nullptr;
    if (!data || !HasPicture(data->Scrollbar))
        return false;
    TScrollBarFacts facts;
    if (!ReadFacts(facts) || (facts.State & STATE_SYSTEM_INVISIBLE))
        return false;
    const int w = facts.Bar.right - facts.Bar.left, h = facts.Bar.bottom - facts.Bar.top;
    if (w <= 0 || h <= 0)
        return false;
    TScrollPaintState state;
    state.Vertical = Vertical;
    state.ArrowSize = ArrowSize;
    state.StripHeight = data->Scrollbar->Picture.Height();
    state.Enabled = !(facts.State & STATE_SYSTEM_UNAVAILABLE);
    state.Tracking = Tracking;
    state.ScrollCode = ScrollCode;
    if (painting) {
        Length = Vertical ? h : w;
        state.Thumb = PaintedThumb(facts);
    } else {
        state.Thumb = TThumbSpan{facts.ThumbTop, facts.ThumbBottom};
    }
    const TScrollLayout l = ScrollBarLayout(w, h, state);
    look.Layout = l;
    look.Width = w;
    look.Height = h;
    const auto& thumb = Vertical ? data->VertScrollThumb : data->HorzScrollThumb;
    const bool thumbDrawn = l.ThumbShown && HasPicture(thumb) && l.Thumb.right >= l.Thumb.left &&
                            l.Thumb.bottom >= l.Thumb.top;
    look.Thumb = thumbDrawn ? l.Thumb : RECT{};
    TLookKey& key = look.Base;
    key.Add(w).Add(h).Add(ColorToRGB(data->ButtonFaceColour)).Add(l.Thickness);
    key.Add(l.Track).Add(l.TrackFrame).Add(l.FirstArrow).Add(l.SecondArrow);
    key.Add(l.FirstCell).Add(l.SecondCell).Add(thumbDrawn).Add(l.ThumbFrame);
    key.AddPicture(data->Scrollbar->Picture);
    const auto& track = Vertical ? data->VertScroll : data->HorzScroll;
    for (TDataSkinObject* e : {track.get(), thumb.get()}) {
        key.Add(e != nullptr);
        if (!e)
            continue;
        const TSkinMargins m = e->Margins();
        key.AddPicture(e->Picture).Add(m.Left).Add(m.Top).Add(m.Right).Add(m.Bottom);
        key.Add(e->TilesMiddle()).Add(e->Trans).Add(e->FrameCount);
    }
    return true;
}

void TWScrollbar::DrawLayout(HDC dc, const TScrollLayout& l) {
    TSkinData& data = *Wrapper->SkinData;
    const auto& track = Vertical ? data.VertScroll : data.HorzScroll;
    if (HasPicture(track))
        DrawElementFrame(dc, l.Track, kTrackFrames, l.TrackFrame, *track);
    TBitmap& strip = data.Scrollbar->Picture;
    DrawStripCell(dc, l.FirstArrow, kArrowCells, l.FirstCell, strip);
    DrawStripCell(dc, l.SecondArrow, kArrowCells, l.SecondCell, strip);
    const auto& thumb = Vertical ? data.VertScrollThumb : data.HorzScrollThumb;
    if (!l.ThumbShown || !HasPicture(thumb) || l.Thumb.right < l.Thumb.left ||
        l.Thumb.bottom < l.Thumb.top)
        return;
    // The thumb stretches its middle, never tiles it.
    DrawSkinElement(dc, l.Thumb, thumb->Picture, false, false, thumb->Trans != 0, thumb->FrameCount,
                    l.ThumbFrame, thumb->Margins(), COLORONCOLOR);
}
