// Scroll-bar wrappers and the pure rules of the overlay: the bar of a
// scroll-bar control, the part under a point, the dragged thumb, the arrow
// cells and the paint layout. The overlay window is skin_scroll_overlay.cpp.
#include "skin/controls/skin_scrollbars.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/core/class_builder.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "skin/controls/skin_panels.h"

LT_CLASS_TABLE(TSkinScrollbar) {}
LT_CLASS_TABLE(TSkinListView) {}
LT_CLASS_TABLE(TSkinScrollbarH) {}
LT_CLASS_TABLE(TSkinScControl) {}

void RegisterScrollbarSkins() {
    RegisterClasses<TSkinScrollbar, TSkinListView, TSkinScrollbarH, TSkinScControl>();
}

// ---- geometry and state choice ----

TScrollBarFacts ControlScrollFacts(const RECT& bar, bool vertical, int arrow,
                                   const TScrollRange& range) {
    TScrollBarFacts f;
    f.Bar = bar;
    const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    const int p = range.Position, m = range.Max, s = range.Page;
    int top = arrow, size = arrow;
    if (m <= 0) {
        // Nothing to scroll: a page fills the track, a thumb without one
        // stays one arrow long at the start.
        size = s != 0 ? length - 2 * arrow : arrow;
    } else if (s != 0) {
        size = MulDiv(length - 2 * arrow, s - 1, m);
        if (p != 0)
            top = MulDiv(length - 2 * arrow, p, m) + arrow;
    } else if (p != 0) {
        top = MulDiv(length - 3 * arrow, p, m) + arrow;
    }
    f.ThumbTop = top;
    f.ThumbBottom = top + size;
    return f;
}

TScrollPart ScrollPartAt(int p, int arrow, int thumbStart, int thumbEnd, int length) {
    if (p < arrow)
        return spFirstArrow;
    if (p < thumbStart)
        return spPageFirst;
    if (p < thumbEnd)
        return spThumb;
    if (p < length - arrow)
        return spPageSecond;
    return spSecondArrow;
}

TThumbSpan DraggedThumb(int dragThumb, int cursorTravel, int arrow, int length, TThumbSpan old) {
    int start = std::max(dragThumb + cursorTravel, arrow);
    start = std::min(start, length - arrow - (old.End - old.Start));
    return TThumbSpan{start, old.End + start - old.Start};
}

int ScrollArrowCell(bool vertical, bool second, bool pressed) {
    // left 1/2, right 5/6, up 9/10, down 13/14 (normal/pressed).
    const int base = (vertical ? 9 : 1) + (second ? 4 : 0);
    return pressed ? base + 1 : base;
}

int ScrollThickness(int stripHeight, int arrowSize) {
    return stripHeight + 3 < arrowSize ? arrowSize : stripHeight;
}

// Cuts the first and the last `a` pixels of r along the axis.
static void ArrowRects(const RECT& r, bool vertical, int a, RECT& first, RECT& second) {
    first = second = r;
    if (vertical) {
        first.bottom = r.top + a;
        second.top = r.bottom - a;
    } else {
        first.right = r.left + a;
        second.left = r.right - a;
    }
}

TScrollLayout ScrollBarLayout(int width, int height, const TScrollPaintState& s) {
    TScrollLayout l;
    const int length = s.Vertical ? height : width;
    const int a = s.ArrowSize;
    l.Thickness = ScrollThickness(s.StripHeight, a);
    RECT r{0, 0, width, height};
    if (s.Vertical)
        r.right = l.Thickness;
    else
        r.bottom = l.Thickness;
    l.Track = s.Vertical ? RECT{r.left, r.top + a, r.right, r.bottom - a}
                         : RECT{r.left + a, r.top, r.right - a, r.bottom};
    l.TrackFrame = s.Enabled ? 1 : 3;
    // A bar shorter than two arrows shares its length between them.
    const int arrow = 2 * a > length ? a / 2 : a;
    ArrowRects(r, s.Vertical, arrow, l.FirstArrow, l.SecondArrow);
    l.FirstCell = ScrollArrowCell(s.Vertical, false, s.Tracking && s.ScrollCode == spFirstArrow);
    l.SecondCell = ScrollArrowCell(s.Vertical, true, s.Tracking && s.ScrollCode == spSecondArrow);
    l.ThumbShown = s.Enabled;
    l.Thumb = s.Vertical ? RECT{0, s.Thumb.Start, l.Thickness, s.Thumb.End}
                         : RECT{s.Thumb.Start, 0, s.Thumb.End, l.Thickness};
    l.ThumbFrame = s.Tracking && s.ScrollCode == spThumb ? 2 : 1;
    return l;
}

std::vector<RECT> OverlayChangedParts(bool sameBase, const RECT& oldThumb, const RECT& newThumb,
                                      int w, int h) {
    if (!sameBase)
        return {RECT{0, 0, w, h}};
    if (EqualRect(&oldThumb, &newThumb))
        return {};
    std::vector<RECT> parts;
    for (const RECT& r : {oldThumb, newThumb})
        if (r.right > r.left && r.bottom > r.top)
            parts.push_back(r);
    return parts;
}

RECT ScrollCornerRect(const RECT& vertBar, const RECT& horzBar) {
    return RECT{vertBar.left, horzBar.top, vertBar.right + 2, horzBar.bottom + 2};
}

// ---- TSkinScrollbar ----

TSkinScrollbar::TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar() {
    FreeBars();
}

void TSkinScrollbar::AttachScrollBars(TWinControl* control, TSkinData* skinData,
                                      TWrapperHost* formSkinner, TCanvas* canvas) {
    if (!control || HorzBar || VertBar)
        return;
    TSkinControl::AttachScrollBars(control, skinData, formSkinner, canvas);
    HorzBar = new TWScrollbar(this);
    HorzBar->BindControl(this, control, TScrollKind::Horizontal);
    VertBar = new TWScrollbar(this);
    VertBar->BindControl(this, control, TScrollKind::Vertical);
    if (!control->Visible()) {
        HorzBar->HideBar();
        VertBar->HideBar();
    }
}

void TSkinScrollbar::FreeBars() {
    delete HorzBar;
    HorzBar = nullptr;
    delete VertBar;
    VertBar = nullptr;
}

void TSkinScrollbar::RestoreControl() {
    TSkinControl::RestoreControl();
    if (State != TWrapperState::Destroyed)
        FreeBars();
}

bool TSkinScrollbar::ScrollNotified(const TMessage& msg) {
    if (msg.Msg != WM_HSCROLL && msg.Msg != WM_VSCROLL)
        return false;
    // A notification with a window in LParam comes from a child scroll-bar
    // control or track bar, not from this control's own bars.
    if (msg.LParam != 0)
        return true;
    if (TWScrollbar* bar = msg.Msg == WM_HSCROLL ? HorzBar : VertBar) {
        bar->ScrollCode = LOWORD(msg.WParam);
        bar->Refresh();
    }
    return true;
}

void TSkinScrollbar::RepositionBars() {
    for (TWScrollbar* bar : {HorzBar, VertBar})
        if (bar)
            bar->Reposition();
}

void TSkinScrollbar::InvalidateShown() {
    for (TWScrollbar* bar : {HorzBar, VertBar})
        if (bar && bar->Shown)
            bar->InvalidateBar();
}

void TSkinScrollbar::AfterMessage(TMessage& msg) {
    if (ScrollNotified(msg))
        return;
    switch (msg.Msg) {
    case WM_SIZE:
        Refresh();
        break;
    case WM_NCPAINT:
        if (Control && Control->HandleAllocated())
            Handle = Control->Handle();
        RepositionBars();
        break;
    case WM_MOUSEWHEEL:
        InvalidateShown();
        break;
    case CM_VISIBLECHANGED:
        if (msg.WParam == 0)
            for (TWScrollbar* bar : {HorzBar, VertBar})
                if (bar)
                    bar->HideBar();
        break;
    default:
        TSkinControl::AfterMessage(msg);
        break;
    }
}

void TSkinScrollbar::SkinChanged() {
    for (TWScrollbar* bar : {HorzBar, VertBar})
        if (bar)
            bar->ForgetKept();
    RepositionBars();
    TSkinControl::SkinChanged();
}

// The overlays repaint what changed (all of them when the control's own
// painting is not kept off them); the corner between two shown bars is
// filled with the face colour.
void TSkinScrollbar::PaintSkin(HDC dc, const RECT&) {
    const bool clipped = Handle && (GetWindowLongW(Handle, GWL_STYLE) & WS_CLIPSIBLINGS);
    for (TWScrollbar* bar : {HorzBar, VertBar})
        if (bar && bar->Shown) {
            if (clipped)
                bar->Refresh();
            else
                bar->InvalidateBar();
        }
    if (HorzBar && VertBar && HorzBar->Shown && VertBar->Shown) {
        const RECT corner = ScrollCornerRect(VertBar->TargetRect, HorzBar->TargetRect);
        FillFace(dc, corner);
    }
}

// ---- TSkinListView ----

void TSkinListView::AttachScrollBars(TWinControl* control, TSkinData* skinData,
                                     TWrapperHost* formSkinner, TCanvas* canvas) {
    if (!control || HorzBar)
        return;
    TSkinScrollbar::AttachScrollBars(control, skinData, formSkinner, canvas);
    const auto header = reinterpret_cast<HWND>(SendMessageA(Handle, LVM_GETHEADER, 0, 0));
    if (!header)
        return;
    HeaderWrapper = new TSkinHeader(control);
    HeaderWrapper->FreeNotification(this);
    HeaderWrapper->AttachWindow(header, SkinData, FormSkinner, Canvas);
}

void TSkinListView::Notification(TComponent* c, TOperation op) {
    TSkinScrollbar::Notification(c, op);
    if (op == opRemove && c == HeaderWrapper)
        HeaderWrapper = nullptr;
}

// ---- TSkinScrollbarH ----

void TSkinScrollbarH::AttachWindow(HWND handle, TSkinData* skinData, TWrapperHost* formSkinner,
                                   TCanvas* canvas) {
    Control = nullptr;
    if (handle && !HorzBar && !VertBar) {
        SkinData = skinData;
        HorzBar = new TWScrollbar(this);
        HorzBar->BindWindow(this, handle, TScrollKind::Horizontal);
        VertBar = new TWScrollbar(this);
        VertBar->BindWindow(this, handle, TScrollKind::Vertical);
    }
    TSkinControl::AttachWindow(handle, skinData, formSkinner, canvas);
}

void TSkinScrollbarH::AfterMessage(TMessage& msg) {
    if (VertBar && Handle && !IsWindowVisible(Handle))
        VertBar->HideBar();
    if (ScrollNotified(msg))
        return;
    switch (msg.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        RepositionBars();
        Refresh();
        break;
    default:
        TSkinControl::AfterMessage(msg);
        break;
    }
}

// ---- TSkinScControl ----

TSkinScControl::~TSkinScControl() {
    delete Bar;
}

void TSkinScControl::AttachScrollControl(TWinControl* control, TSkinData* skinData,
                                         TWrapperHost* formSkinner, TCanvas* canvas) {
    if (!control || Bar)
        return;
    TSkinControl::AttachScrollControl(control, skinData, formSkinner, canvas);
    Bar = new TWScrollbar(this);
    Bar->BindControl(this, control, TScrollKind::Control);
}

void TSkinScControl::RestoreControl() {
    TSkinControl::RestoreControl();
    if (State != TWrapperState::Destroyed) {
        delete Bar;
        Bar = nullptr;
    }
}

void TSkinScControl::AfterMessage(TMessage& msg) {
    switch (msg.Msg) {
    case WM_NCPAINT:
        if (Control && Control->HandleAllocated())
            Handle = Control->Handle();
        if (Bar)
            Bar->Reposition();
        break;
    case SBM_SETSCROLLINFO:
        if (Bar)
            Bar->InvalidateBar();
        break;
    case CM_VISIBLECHANGED:
        if (msg.WParam == 0 && Bar)
            Bar->HideBar();
        break;
    default:
        TSkinControl::AfterMessage(msg);
        break;
    }
}

void TSkinScControl::SkinChanged() {
    if (Bar) {
        Bar->ForgetKept();
        Bar->Reposition();
    }
    TSkinControl::SkinChanged();
}

void TSkinScControl::PaintSkin(HDC, const RECT&) {
    if (Bar)
        Bar->InvalidateBar();
}
