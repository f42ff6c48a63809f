// Scroll-bar skins: the overlay's pure rules (the bar of a scroll-bar
// control, the part under a point, the dragged thumb, cells and layout);
// pixel-exact overlays from hand-made pictures of known colours and from the
// real XPLuna skin; real memos, list views, raw list boxes and scroll-bar
// controls under Wine, driven by the real mouse (clicks, holds, thumb drags,
// the wheel) and compared with the same control unskinned.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_lists.h"
#include "framework/stdctrls/std_views.h"
#include "framework/ui/messages.h"
#include "skin/controls/skin_panels.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/model/skin_data.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/framework/ui/real_input.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/wrapper_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace {

using pixel_test::At;
using pixel_test::CountOther;
using wrapper_test::TListHost;

constexpr TColor kFace = 0x00C8D0D8;
constexpr TColor kSentinel = 0x00102030;
constexpr int kStrip = 14; // strip cell size: thinner than the bar

TColor CellColour(int k) {
    return RGB(10 * k, 240 - 10 * k, 60);
}
TColor TrackColour(int f) {
    return RGB(200, 40 * f, 20);
}
TColor ThumbColour(int f) {
    return RGB(30, 60, 60 * f);
}

// Solid frames side by side.
std::unique_ptr<TDataSkinObject> Frames(const char* name, int n, int w, int h,
                                        TColor (*colour)(int)) {
    auto e = std::make_unique<TDataSkinObject>(name);
    e->Picture.SetSize(n * w, h);
    for (int k = 1; k <= n; ++k)
        pixel_test::Fill(e->Picture, (k - 1) * w, 0, k * w, h, colour(k));
    e->FrameCount = n;
    return e;
}

// A Scrollbar strip of 23 solid 14 x 14 cells, tracks of four solid frames,
// thumbs of three solid frames; no margins, nothing transparent.
void MakeScrollSkin(TSkinData& data) {
    data.ButtonFaceColour = kFace;
    data.Scrollbar = Frames("Scrollbar", 23, kStrip, kStrip, CellColour);
    data.VertScroll = Frames("VertScroll", 4, 6, 6, TrackColour);
    data.HorzScroll = Frames("HorzScroll", 4, 6, 6, TrackColour);
    data.VertScrollThumb = Frames("VertScrollThumb", 3, 6, 6, ThumbColour);
    data.HorzScrollThumb = Frames("HorzScrollThumb", 3, 6, 6, ThumbColour);
}

TStringList ManyLines(int n) {
    TStringList lines;
    for (int i = 0; i < n; ++i)
        lines.Add("line " + std::to_string(i) + " of a text wider than the memo is, to scroll it");
    return lines;
}

TMemo* MakeMemo(TForm& form, int x, int y, int w, int h, TScrollStyle bars, int lines) {
    auto* m = new TMemo(&form);
    m->SetParent(&form);
    m->SetBounds(x, y, w, h);
    m->SetWordWrap(false);
    m->SetScrollBars(bars);
    m->SetLines(ManyLines(lines));
    return m;
}

class TScrollForm : public TForm {
public:
    explicit TScrollForm(TComponent* owner) : TForm(owner) { SetBounds(30, 30, 560, 420); }
};

// A shown form with a skinned and an unskinned memo of the same text.
struct TMemoScene {
    TScrollForm form{Application};
    TMemo* skinned = MakeMemo(form, 10, 10, 220, 200, ssBoth, 200);
    TMemo* plain = MakeMemo(form, 260, 10, 220, 200, ssBoth, 200);
    TSkinData data{nullptr};
    TListHost host;
    TSkinScrollbar* wrapper = nullptr;
    explicit TMemoScene(bool handMade = true) {
        if (handMade)
            MakeScrollSkin(data);
        else
            EXPECT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
        wrapper = new TSkinScrollbar(skinned);
        wrapper->AttachScrollBars(skinned, &data, &host, nullptr);
        form.Show();
        PumpPending();
    }
};

SCROLLBARINFO BarInfo(HWND wnd, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(wnd, object, &info);
    return info;
}

RECT ScreenRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The overlay painted into a bitmap of its size, first filled with kSentinel.
std::unique_ptr<TBitmap> PaintOf(TWScrollbar& bar) {
    const RECT r = ScreenRect(bar.Handle());
    auto b = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top);
    pixel_test::Fill(*b, 0, 0, b->Width(), b->Height(), kSentinel);
    bar.PaintBar(b->Canvas().Handle());
    return b;
}

int FirstLine(TMemo* m) {
    return static_cast<int>(SendMessageW(m->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

// Mouse input sent straight to the system, without handling messages (for
// use inside the platform's tracking loop).
void RawMouse(DWORD flags, POINT at = {}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        in.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        in.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    SendInput(1, &in, sizeof(in));
}

// Steps run from a thread timer, one per tick: they run inside whatever
// message loop is active (the scroll bar's tracking loop included).
class TTimedSteps {
public:
    TTimedSteps(std::vector<std::function<void()>> steps, int gapMs) : steps_(std::move(steps)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, static_cast<UINT>(gapMs), &Tick);
    }
    ~TTimedSteps() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Done() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TTimedSteps* self = current_;
        if (!self || self->Done() || self->running_)
            return;
        self->running_ = true;
        self->steps_[self->next_++]();
        self->running_ = false;
    }
    static inline TTimedSteps* current_ = nullptr;
    std::vector<std::function<void()>> steps_;
    size_t next_ = 0;
    bool running_ = false;
    UINT_PTR timer_ = 0;
};

// A click at a screen point: press and release go in together, so the
// tracking loop the press starts finds the release as its next message (one
// step, however slowly this thread runs).
void Click(POINT at) {
    MoveMouseTo(at);
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
    PumpPending();
}

// Steps run by a message-only window, one per message posted to it. Posted
// beside the mouse messages a test posts into the platform's tracking loop,
// each step runs after the loop took every message posted before it.
class TPostedSteps {
public:
    explicit TPostedSteps(std::vector<std::function<void()>> steps) : steps_(std::move(steps)) {
        static const ATOM cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"ScrollTestSteps";
            return RegisterClassW(&wc);
        }();
        wnd_ = CreateWindowExW(0, MAKEINTATOM(cls), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(wnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TPostedSteps() { DestroyWindow(wnd_); }
    void Post(size_t step) const { PostMessageW(wnd_, WM_USER, step, 0); }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<TPostedSteps*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
        if (msg != WM_USER || !self || wp >= self->steps_.size())
            return DefWindowProcW(wnd, msg, wp, lp);
        self->steps_[wp]();
        return 0;
    }
    std::vector<std::function<void()>> steps_;
    HWND wnd_ = nullptr;
};

// A mouse message posted to a window at a screen point (client coordinates
// in the message, as under the capture the tracking loop holds).
void PostMouse(HWND wnd, UINT msg, WPARAM keys, POINT screen) {
    ScreenToClient(wnd, &screen);
    PostMessageW(wnd, msg, keys, MAKELPARAM(screen.x, screen.y));
}

// Presses at a point and holds until `done` answers true (checked every
// 50 ms from inside the platform's tracking loop) or `maxMs` pass.
void HoldUntil(POINT at, const std::function<bool()>& done, int maxMs) {
    MoveMouseTo(at);
    std::vector<std::function<void()>> steps;
    bool released = false;
    for (int t = 0; t < maxMs; t += 50)
        steps.push_back([&] {
            if (!released && done()) {
                released = true;
                RawMouse(MOUSEEVENTF_LEFTUP);
            }
        });
    steps.push_back([&] {
        if (!released)
            RawMouse(MOUSEEVENTF_LEFTUP);
        released = true;
    });
    TTimedSteps check(std::move(steps), 50);
    RawMouse(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([&] { return released; }, maxMs + 5000);
    PumpPending();
}

POINT Centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The screen pixel of a window's client point.
TColor ClientPixel(HWND wnd, int x, int y) {
    TClientDC dc(wnd);
    return static_cast<TColor>(GetPixel(dc.Handle(), x, y));
}

} // namespace

TEST(SkinScrollbarsTest, PureRulesFollowTheirArithmetic) {
    // A control 100 long, arrows of 16: with a page, thumb length and top by MulDiv.
    const RECT bar{10, 20, 26, 120};
    TScrollBarFacts f = ControlScrollFacts(bar, true, 16, TScrollRange{50, 100, 10});
    EXPECT_EQ(f.ThumbTop, MulDiv(68, 50, 100) + 16);
    EXPECT_EQ(f.ThumbBottom, f.ThumbTop + MulDiv(68, 9, 100));
    EXPECT_EQ(f.State, 0u);
    EXPECT_TRUE(SameRect(f.Bar, bar));
    // Position 0 starts at the first arrow; without a page the thumb is one arrow long.
    f = ControlScrollFacts(bar, true, 16, TScrollRange{0, 100, 0});
    EXPECT_EQ(f.ThumbTop, 16);
    EXPECT_EQ(f.ThumbBottom, 32);
    f = ControlScrollFacts(bar, true, 16, TScrollRange{100, 100, 0});
    EXPECT_EQ(f.ThumbTop, 100 - 48 + 16);
    // Horizontal: the length is the width.
    f = ControlScrollFacts(RECT{0, 0, 200, 16}, false, 16, TScrollRange{100, 100, 0});
    EXPECT_EQ(f.ThumbTop, 200 - 48 + 16);
    // A maximum of 0 divides by nothing.
    f = ControlScrollFacts(bar, true, 16, TScrollRange{5, 0, 0});
    EXPECT_EQ(f.ThumbTop, 16);
    EXPECT_EQ(f.ThumbBottom, 32);
    f = ControlScrollFacts(bar, true, 16, TScrollRange{5, 0, 4});
    EXPECT_EQ(f.ThumbBottom, 100 - 16);

    // Parts along a bar 100 long, thumb 40..60.
    EXPECT_EQ(ScrollPartAt(0, 16, 40, 60, 100), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(15, 16, 40, 60, 100), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(16, 16, 40, 60, 100), spPageFirst);
    EXPECT_EQ(ScrollPartAt(40, 16, 40, 60, 100), spThumb);
    EXPECT_EQ(ScrollPartAt(59, 16, 40, 60, 100), spThumb);
    EXPECT_EQ(ScrollPartAt(60, 16, 40, 60, 100), spPageSecond);
    EXPECT_EQ(ScrollPartAt(83, 16, 40, 60, 100), spPageSecond);
    EXPECT_EQ(ScrollPartAt(84, 16, 40, 60, 100), spSecondArrow);

    // The dragged thumb follows the cursor, keeps its length, stays between the arrows.
    TThumbSpan t = DraggedThumb(30, 12, 16, 100, TThumbSpan{30, 50});
    EXPECT_EQ(t.Start, 42);
    EXPECT_EQ(t.End, 62);
    t = DraggedThumb(30, -100, 16, 100, TThumbSpan{30, 50});
    EXPECT_EQ(t.Start, 16);
    EXPECT_EQ(t.End, 36);
    t = DraggedThumb(30, 500, 16, 100, TThumbSpan{30, 50});
    EXPECT_EQ(t.Start, 64);
    EXPECT_EQ(t.End, 84);

    // Arrow cells: left 1/2, right 5/6, up 9/10, down 13/14.
    EXPECT_EQ(ScrollArrowCell(false, false, false), 1);
    EXPECT_EQ(ScrollArrowCell(false, false, true), 2);
    EXPECT_EQ(ScrollArrowCell(false, true, false), 5);
    EXPECT_EQ(ScrollArrowCell(false, true, true), 6);
    EXPECT_EQ(ScrollArrowCell(true, false, false), 9);
    EXPECT_EQ(ScrollArrowCell(true, false, true), 10);
    EXPECT_EQ(ScrollArrowCell(true, true, false), 13);
    EXPECT_EQ(ScrollArrowCell(true, true, true), 14);

    // Thickness: the strip's height unless it is more than 3 thinner than an arrow.
    EXPECT_EQ(ScrollThickness(17, 16), 17);
    EXPECT_EQ(ScrollThickness(13, 16), 13);
    EXPECT_EQ(ScrollThickness(12, 16), 16);

    // Corner between the bars, two pixels wider and higher.
    EXPECT_TRUE(SameRect(ScrollCornerRect(RECT{200, 0, 216, 180}, RECT{0, 180, 200, 196}),
                         RECT{200, 180, 218, 198}));
}

TEST(SkinScrollbarsTest, LayoutPlacesTrackArrowsAndThumb) {
    TScrollPaintState s;
    s.Vertical = true;
    s.ArrowSize = 16;
    s.StripHeight = 14;
    s.Thumb = TThumbSpan{30, 50};
    TScrollLayout l = ScrollBarLayout(16, 100, s);
    EXPECT_EQ(l.Thickness, 14);
    EXPECT_TRUE(SameRect(l.Track, RECT{0, 16, 14, 84}));
    EXPECT_TRUE(SameRect(l.FirstArrow, RECT{0, 0, 14, 16}));
    EXPECT_TRUE(SameRect(l.SecondArrow, RECT{0, 84, 14, 100}));
    EXPECT_EQ(l.TrackFrame, 1);
    EXPECT_EQ(l.FirstCell, 9);
    EXPECT_EQ(l.SecondCell, 13);
    EXPECT_TRUE(l.ThumbShown);
    EXPECT_TRUE(SameRect(l.Thumb, RECT{0, 30, 14, 50}));
    EXPECT_EQ(l.ThumbFrame, 1);

    // Pressed parts only while tracking.
    s.ScrollCode = spSecondArrow;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).SecondCell, 13);
    s.Tracking = true;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).SecondCell, 14);
    EXPECT_EQ(ScrollBarLayout(16, 100, s).FirstCell, 9);
    s.ScrollCode = spFirstArrow;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).FirstCell, 10);
    s.ScrollCode = spThumb;
    EXPECT_EQ(ScrollBarLayout(16, 100, s).ThumbFrame, 2);

    // Disabled: track frame 3, no thumb.
    s.Enabled = false;
    l = ScrollBarLayout(16, 100, s);
    EXPECT_EQ(l.TrackFrame, 3);
    EXPECT_FALSE(l.ThumbShown);

    // Horizontal and shorter than two arrows: each arrow over half its length.
    s = TScrollPaintState{};
    s.ArrowSize = 16;
    s.StripHeight = 12;
    l = ScrollBarLayout(24, 16, s);
    EXPECT_EQ(l.Thickness, 16);
    EXPECT_TRUE(SameRect(l.FirstArrow, RECT{0, 0, 8, 16}));
    EXPECT_TRUE(SameRect(l.SecondArrow, RECT{16, 0, 24, 16}));
    EXPECT_EQ(l.FirstCell, 1);
    EXPECT_EQ(l.SecondCell, 5);
    // Exactly two arrows long: full arrows.
    l = ScrollBarLayout(32, 16, s);
    EXPECT_TRUE(SameRect(l.SecondArrow, RECT{16, 0, 32, 16}));
}

TEST(SkinScrollbarsTest, OverlaysLieDirectlyAboveTheBarsTheyCover) {
    TMemoScene scene;
    TSkinScrollbar& w = *scene.wrapper;
    const HWND memo = scene.skinned->Handle();
    ASSERT_NE(w.HorzBar, nullptr);
    ASSERT_NE(w.VertBar, nullptr);
    EXPECT_EQ(scene.host.list.size(), 1u);
    EXPECT_TRUE(w.HooksControl());
    EXPECT_EQ(w.State, TWrapperState::Created); // this attach leaves the state alone
    for (auto [bar, object] : {std::pair{w.HorzBar, OBJID_HSCROLL}, {w.VertBar, OBJID_VSCROLL}}) {
        SCOPED_TRACE(object);
        const SCROLLBARINFO info = BarInfo(memo, object);
        EXPECT_TRUE(bar->Shown);
        EXPECT_TRUE(IsWindowVisible(bar->Handle()));
        EXPECT_EQ(GetParent(bar->Handle()), scene.form.Handle());
        EXPECT_TRUE(SameRect(ScreenRect(bar->Handle()), info.rcScrollBar));
        EXPECT_EQ(bar->ScreenOrigin.x, info.rcScrollBar.left);
        EXPECT_EQ(bar->ScreenOrigin.y, info.rcScrollBar.top);
        EXPECT_EQ(bar->Target, memo);
        EXPECT_EQ(bar->ArrowSize, GetSystemMetrics(SM_CXHSCROLL));
    }
    EXPECT_EQ(w.VertBar->Length, BarInfo(memo, OBJID_VSCROLL).rcScrollBar.bottom -
                                     BarInfo(memo, OBJID_VSCROLL).rcScrollBar.top);
    EXPECT_TRUE(w.VertBar->Vertical);
    EXPECT_FALSE(w.HorzBar->Vertical);
    // Target rectangles are in the memo's client coordinates: the vertical
    // bar starts right of the client area, the horizontal one below it.
    RECT client{};
    GetClientRect(memo, &client);
    EXPECT_EQ(w.VertBar->TargetRect.left, client.right);
    EXPECT_EQ(w.VertBar->TargetRect.top, 0);
    EXPECT_EQ(w.HorzBar->TargetRect.top, client.bottom);
    // Both overlays sit directly above the memo in Z order, below nothing else of it.
    const HWND above1 = GetWindow(memo, GW_HWNDPREV);
    const HWND above2 = GetWindow(above1, GW_HWNDPREV);
    EXPECT_TRUE((above1 == w.VertBar->Handle() && above2 == w.HorzBar->Handle()) ||
                (above1 == w.HorzBar->Handle() && above2 == w.VertBar->Handle()));
    // The part hit test follows the painted thumb.
    const TWScrollbar& v = *w.VertBar;
    EXPECT_EQ(v.PartAt(POINT{5, 1}), spFirstArrow);
    EXPECT_EQ(v.PartAt(POINT{5, v.ThumbStart}), spThumb);
    EXPECT_EQ(v.PartAt(POINT{5, v.Length - 1}), spSecondArrow);
    // A size change that moves the bars moves the overlays with them.
    scene.skinned->SetBounds(10, 10, 180, 150);
    PumpPending();
    EXPECT_TRUE(
        SameRect(ScreenRect(w.VertBar->Handle()), BarInfo(memo, OBJID_VSCROLL).rcScrollBar));
    EXPECT_TRUE(
        SameRect(ScreenRect(w.HorzBar->Handle()), BarInfo(memo, OBJID_HSCROLL).rcScrollBar));
}

TEST(SkinScrollbarsTest, OverlayPaintIsPixelExactAndNeverErases) {
    TMemoScene scene;
    TWScrollbar& v = *scene.wrapper->VertBar;
    const HWND memo = scene.skinned->Handle();
    const SCROLLBARINFO info = BarInfo(memo, OBJID_VSCROLL);
    const int a = v.ArrowSize, len = v.Length;
    auto b = PaintOf(v);
    // Across the axis: 14 pixels of skin, the rest face colour.
    EXPECT_EQ(At(*b, 0, 2), CellColour(9));
    EXPECT_EQ(At(*b, kStrip - 1, a - 1), CellColour(9));
    EXPECT_EQ(CountOther(*b, kStrip, 0, b->Width(), len, kFace), 0);
    EXPECT_EQ(At(*b, 3, len - 1), CellColour(13));
    EXPECT_EQ(At(*b, 3, len - a), CellColour(13));
    // Track frame 1 between the arrows, the thumb (frame 1) where the platform says.
    EXPECT_EQ(At(*b, 3, a), info.xyThumbTop == a ? ThumbColour(1) : TrackColour(1));
    EXPECT_EQ(At(*b, 3, info.xyThumbTop), ThumbColour(1));
    EXPECT_EQ(At(*b, 3, info.xyThumbBottom - 1), ThumbColour(1));
    EXPECT_EQ(At(*b, 3, info.xyThumbBottom), TrackColour(1));
    EXPECT_EQ(At(*b, 3, len - a - 1), TrackColour(1));
    EXPECT_EQ(v.ThumbStart, info.xyThumbTop);
    EXPECT_EQ(v.ThumbEnd, info.xyThumbBottom);
    // Pressed arrows while tracking; the dragged thumb in frame 2.
    v.Tracking = true;
    v.ScrollCode = SB_LINEDOWN;
    b = PaintOf(v);
    EXPECT_EQ(At(*b, 3, len - 1), CellColour(14));
    EXPECT_EQ(At(*b, 3, 0), CellColour(9));
    v.ScrollCode = SB_LINEUP;
    b = PaintOf(v);
    EXPECT_EQ(At(*b, 3, 0), CellColour(10));
    EXPECT_EQ(At(*b, 3, len - 1), CellColour(13));
    v.ScrollCode = SB_THUMBTRACK;
    GetCursorPos(&v.DragCursor);
    v.DragThumb = info.xyThumbTop + 20;
    b = PaintOf(v);
    EXPECT_EQ(v.ThumbStart, info.xyThumbTop + 20);
    EXPECT_EQ(v.ThumbEnd - v.ThumbStart, info.xyThumbBottom - info.xyThumbTop);
    EXPECT_EQ(At(*b, 3, v.ThumbStart), ThumbColour(2));
    EXPECT_EQ(At(*b, 3, v.ThumbStart - 1), TrackColour(1));
    v.Tracking = false;
    v.ScrollCode = SB_ENDSCROLL;

    // The horizontal bar: left and right cells, the face below 14 rows.
    TWScrollbar& h = *scene.wrapper->HorzBar;
    b = PaintOf(h);
    EXPECT_EQ(At(*b, 1, 3), CellColour(1));
    EXPECT_EQ(At(*b, h.Length - 1, 3), CellColour(5));
    EXPECT_EQ(At(*b, h.ThumbStart, 3), ThumbColour(1));
    EXPECT_EQ(CountOther(*b, 0, kStrip, h.Length, b->Height(), kFace), 0);

    // WM_ERASEBKGND answers 1 and paints nothing.
    TBitmap erase(16, 16);
    pixel_test::Fill(erase, 0, 0, 16, 16, kSentinel);
    EXPECT_EQ(SendMessageW(v.Handle(), WM_ERASEBKGND,
                           reinterpret_cast<WPARAM>(erase.Canvas().Handle()), 0),
              1);
    EXPECT_EQ(CountOther(erase, 0, 0, 16, 16, kSentinel), 0);
    // A WM_PAINT with a DC paints into it, exactly as PaintBar does.
    TBitmap viaMessage(b->Width(), b->Height());
    SendMessageW(h.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(viaMessage.Canvas().Handle()), 0);
    EXPECT_EQ(At(viaMessage, h.Length - 1, 3), CellColour(5));
    // The screen shows the overlay: the memo's own bar is covered.
    PumpPending();
    EXPECT_EQ(ClientPixel(v.Handle(), 3, 1), CellColour(9));

    // Painting a hundred times leaks nothing (the count is exact: one object
    // a paint would show as a hundred).
    TBitmap target(b->Width(), b->Height());
    TBitmap window(300, 300);
    const HDC targetDC = target.Canvas().Handle(), windowDC = window.Canvas().Handle();
    const int live = GdiLiveTotal();
    for (int i = 0; i < 100; ++i)
        h.PaintBar(targetDC);
    for (int i = 0; i < 100; ++i)
        scene.wrapper->PaintSkin(windowDC, RECT{0, 0, 300, 300});
    EXPECT_EQ(GdiLiveTotal() - live, 0);

    // Without a Scrollbar element the overlay paints nothing.
    scene.data.Scrollbar.reset();
    b = PaintOf(v);
    EXPECT_EQ(CountOther(*b, 0, 0, b->Width(), b->Height(), kSentinel), 0);
}

// Paints of the overlays taken from the queue, with their update rectangles.
struct TPaintLog {
    std::vector<HWND> windows;
    std::vector<RECT> areas;
};
TPaintLog* gPaintLog = nullptr;
LRESULT CALLBACK LogPaints(int code, WPARAM removed, LPARAM msg) {
    const auto* m = reinterpret_cast<const MSG*>(msg);
    if (code >= 0 && removed == PM_REMOVE && m->message == WM_PAINT && gPaintLog) {
        RECT r{};
        GetUpdateRect(m->hwnd, &r, FALSE);
        gPaintLog->windows.push_back(m->hwnd);
        gPaintLog->areas.push_back(r);
    }
    return CallNextHookEx(nullptr, code, removed, msg);
}

TEST(SkinScrollbarsTest, AScrollRepaintsOnlyTheThumbsOldAndNewPlaces) {
    // What changed: nothing, the thumb alone, or more (the whole bar).
    const RECT a{0, 20, 14, 40}, b{0, 60, 14, 80}, none{};
    EXPECT_TRUE(OverlayChangedParts(true, a, a, 14, 200).empty());
    auto parts = OverlayChangedParts(true, a, b, 14, 200);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_TRUE(SameRect(parts[0], a));
    EXPECT_TRUE(SameRect(parts[1], b));
    parts = OverlayChangedParts(true, a, none, 14, 200);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_TRUE(SameRect(parts[0], a));
    parts = OverlayChangedParts(false, a, a, 14, 200);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_TRUE(SameRect(parts[0], RECT{0, 0, 14, 200}));

    TMemoScene scene;
    TWScrollbar& v = *scene.wrapper->VertBar;
    TWScrollbar& h = *scene.wrapper->HorzBar;
    const HWND memo = scene.skinned->Handle();
    TPaintLog log;
    gPaintLog = &log;
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, LogPaints, nullptr, GetCurrentThreadId());
    auto overlayPaints = [&](HWND wnd) {
        return std::count(log.windows.begin(), log.windows.end(), wnd);
    };
    const SCROLLBARINFO before = BarInfo(memo, OBJID_VSCROLL);
    for (int i = 0; i < 3; ++i)
        SendMessageW(memo, WM_VSCROLL, SB_PAGEDOWN, 0);
    PumpPending();
    const SCROLLBARINFO after = BarInfo(memo, OBJID_VSCROLL);
    ASSERT_GT(after.xyThumbTop, before.xyThumbBottom) << "three pages move the thumb clear";
    const int thick = ScrollThickness(kStrip, v.ArrowSize);
    // One paint of the vertical overlay, over the thumb's old and new places
    // only; the horizontal one is left alone.
    EXPECT_EQ(overlayPaints(v.Handle()), 1);
    EXPECT_EQ(overlayPaints(h.Handle()), 0);
    for (size_t i = 0; i < log.windows.size(); ++i) {
        if (log.windows[i] == v.Handle()) {
            EXPECT_TRUE(
                SameRect(log.areas[i], RECT{0, before.xyThumbTop, thick, after.xyThumbBottom}));
        }
    }
    // The screen shows the thumb at its new place and the track where it was.
    EXPECT_EQ(ClientPixel(v.Handle(), 3, after.xyThumbTop + 1), ThumbColour(1));
    EXPECT_EQ(ClientPixel(v.Handle(), 3, before.xyThumbTop + 1), TrackColour(1));
    // What the screen shows is what a whole paint gives.
    auto whole = PaintOf(v);
    for (int y = 0; y < v.Length; y += 3)
        EXPECT_EQ(ClientPixel(v.Handle(), 3, y), At(*whole, 3, y)) << y;

    // The memo's own repaint with nothing changed repaints no overlay.
    log.windows.clear();
    scene.skinned->Invalidate();
    PumpPending();
    EXPECT_EQ(overlayPaints(v.Handle()) + overlayPaints(h.Handle()), 0);
    // A changed skin picture repaints the whole of both.
    pixel_test::Fill(scene.data.VertScrollThumb->Picture, 0, 0, 6, 6, RGB(250, 250, 0));
    pixel_test::Fill(scene.data.HorzScrollThumb->Picture, 0, 0, 6, 6, RGB(250, 250, 0));
    log.windows.clear();
    log.areas.clear();
    scene.skinned->Invalidate();
    PumpPending();
    ASSERT_EQ(overlayPaints(v.Handle()), 1);
    EXPECT_EQ(overlayPaints(h.Handle()), 1);
    for (size_t i = 0; i < log.windows.size(); ++i) {
        if (log.windows[i] == v.Handle()) {
            EXPECT_TRUE(SameRect(log.areas[i], RECT{0, 0, v.Width(), v.Length}));
        }
    }
    EXPECT_EQ(ClientPixel(v.Handle(), 3, after.xyThumbTop + 1), RGB(250, 250, 0));
    UnhookWindowsHookEx(hook);
    gPaintLog = nullptr;
}

TEST(SkinScrollbarsTest, DisabledShortHiddenAndCornerCases) {
    TMemoScene scene;
    TSkinScrollbar& w = *scene.wrapper;
    const HWND memo = scene.skinned->Handle();
    // Both bars shown: the corner square is the face colour on the screen.
    const RECT corner = ScrollCornerRect(w.VertBar->TargetRect, w.HorzBar->TargetRect);
    scene.skinned->Invalidate();
    PumpPending();
    const RECT mw = ScreenRect(memo);
    EXPECT_EQ(wrapper_test::ScreenPixel(memo, mw.right - mw.left - 4, mw.bottom - mw.top - 4),
              kFace);
    EXPECT_EQ(wrapper_test::ScreenPixel(memo, corner.right - 4, corner.bottom - 4), kFace);

    // A disabled bar (a memo with nothing to scroll): track frame 3, no thumb.
    TMemo* few = MakeMemo(scene.form, 300, 300, 120, 80, ssVertical, 1);
    TSkinScrollbar* fw = new TSkinScrollbar(few);
    fw->AttachScrollBars(few, &scene.data, &scene.host, nullptr);
    PumpPending();
    ASSERT_TRUE(BarInfo(few->Handle(), OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    auto b = PaintOf(*fw->VertBar);
    const int a = fw->VertBar->ArrowSize, flen = fw->VertBar->Length;
    EXPECT_EQ(CountOther(*b, 0, a, kStrip, flen - a, TrackColour(3)), 0);
    EXPECT_EQ(At(*b, 3, 0), CellColour(9));
    EXPECT_EQ(At(*b, 3, flen - 1), CellColour(13));

    // A bar shorter than two arrows: each arrow over half its length.
    TMemo* small = MakeMemo(scene.form, 10, 300, 120, 28, ssVertical, 50);
    TSkinScrollbar* sw = new TSkinScrollbar(small);
    sw->AttachScrollBars(small, &scene.data, &scene.host, nullptr);
    PumpPending();
    ASSERT_TRUE(sw->VertBar->Shown);
    const int slen = sw->VertBar->Length;
    ASSERT_LT(slen, 2 * a);
    b = PaintOf(*sw->VertBar);
    EXPECT_EQ(CountOther(*b, 0, 0, kStrip, a / 2, CellColour(9)), 0);
    EXPECT_EQ(CountOther(*b, 0, slen - a / 2, kStrip, slen, CellColour(13)), 0);
    EXPECT_NE(At(*b, 3, a / 2), CellColour(9));

    // The hidden horizontal bar has no overlay; when it appears, the next
    // non-client paint places and shows it.
    ASSERT_NE(sw->HorzBar, nullptr);
    EXPECT_FALSE(sw->HorzBar->Shown);
    EXPECT_FALSE(sw->HorzBar->HandleAllocated() && IsWindowVisible(sw->HorzBar->Handle()));
    ShowScrollBar(small->Handle(), SB_HORZ, TRUE);
    PumpPending();
    EXPECT_TRUE(sw->HorzBar->Shown);
    EXPECT_TRUE(IsWindowVisible(sw->HorzBar->Handle()));
    EXPECT_TRUE(SameRect(ScreenRect(sw->HorzBar->Handle()),
                         BarInfo(small->Handle(), OBJID_HSCROLL).rcScrollBar));
    // Hiding the control hides both overlays.
    small->Hide();
    PumpPending();
    EXPECT_FALSE(sw->HorzBar->Shown);
    EXPECT_FALSE(IsWindowVisible(sw->VertBar->Handle()));
}

TEST(SkinScrollbarsTest, RealMouseScrollsAsThePlatformsOwnBar) {
    TMemoScene scene;
    TWScrollbar& v = *scene.wrapper->VertBar;
    const HWND plain = scene.plain->Handle();
    ASSERT_EQ(FirstLine(scene.skinned), 0);
    // One click on the down arrow: the same lines as on the unskinned memo.
    const RECT overlay = ScreenRect(v.Handle());
    const RECT native = BarInfo(plain, OBJID_VSCROLL).rcScrollBar;
    const int a = v.ArrowSize;
    Click(POINT{overlay.left + 5, overlay.bottom - a / 2});
    Click(POINT{native.left + 5, native.bottom - a / 2});
    EXPECT_EQ(FirstLine(scene.skinned), FirstLine(scene.plain));
    EXPECT_EQ(FirstLine(scene.skinned), 1);
    EXPECT_FALSE(v.Tracking);
    // The up arrow undoes it.
    Click(POINT{overlay.left + 5, overlay.top + a / 2});
    EXPECT_EQ(FirstLine(scene.skinned), 0);
    // Holding the arrow repeats, with the platform's own timing (held until
    // four lines went by, or ten seconds). Wine sometimes replays an older
    // pointer position into the held press, and the platform's own bar then
    // stops repeating after one line: a hold that did not repeat is tried
    // again from the top, up to three times.
    for (int attempt = 0; attempt < 3 && FirstLine(scene.skinned) < 4; ++attempt) {
        SendMessageW(scene.skinned->Handle(), WM_VSCROLL, SB_TOP, 0);
        PumpPending();
        HoldUntil(
            POINT{overlay.left + 5, overlay.bottom - a / 2},
            [&] { return FirstLine(scene.skinned) >= 4; }, 10000);
    }
    EXPECT_GE(FirstLine(scene.skinned), 4);
    // The painted thumb follows: the overlay shows it where the platform has it.
    PumpPending();
    const SCROLLBARINFO info = BarInfo(scene.skinned->Handle(), OBJID_VSCROLL);
    EXPECT_EQ(v.ThumbStart, info.xyThumbTop);
    EXPECT_EQ(ClientPixel(v.Handle(), 3, info.xyThumbTop + 1), ThumbColour(1));
}

// The drag under the platform's own tracking loop, entered by the overlay's
// press and fed the mouse messages the pointer would send, each step run
// after the loop handled the messages before it: no timing involved.
TEST(SkinScrollbarsTest, DraggingTheThumbMovesThePaintedThumbAndTheContent) {
    TMemoScene scene;
    TWScrollbar& v = *scene.wrapper->VertBar;
    const HWND memo = scene.skinned->Handle();
    const RECT overlay = ScreenRect(v.Handle());
    const POINT start{overlay.left + 5, overlay.top + (v.ThumbStart + v.ThumbEnd) / 2};
    const POINT moved{start.x, start.y + 40}, past{start.x, overlay.bottom + 20};
    const int thumb0 = v.ThumbStart, length = v.ThumbEnd - v.ThumbStart;
    int seenStart = -1, seenLine = -1, endStart = -1, endEnd = -1, moves = 0;
    TColor seenPixel = 0;
    bool seenTracking = false, released = false;
    // The painted thumb follows the pointer itself: a step puts it where the
    // message it posts says it is. Wine's display connection may hand an
    // earlier pointer position back once, later; a step that finds the
    // pointer elsewhere puts it there again and comes again.
    std::unique_ptr<TPostedSteps> steps;
    auto moveTo = [&](POINT p, size_t next) {
        ++moves;
        SetCursorPos(p.x, p.y);
        PostMouse(memo, WM_MOUSEMOVE, MK_LBUTTON, p);
        steps->Post(next);
    };
    auto stays = [&](POINT p, size_t self) {
        POINT c{};
        GetCursorPos(&c);
        if ((c.x == p.x && c.y == p.y) || moves > 50)
            return true;
        moveTo(p, self);
        return false;
    };
    steps = std::make_unique<TPostedSteps>(std::vector<std::function<void()>>{
        [&] { moveTo(moved, 1); },
        [&] {
            if (!stays(moved, 1))
                return;
            UpdateWindow(v.Handle());
            seenStart = v.ThumbStart;
            seenLine = FirstLine(scene.skinned);
            seenPixel = ClientPixel(v.Handle(), 3, v.ThumbStart + 1);
            seenTracking = v.Tracking;
            moveTo(past, 2);
        },
        [&] {
            if (!stays(past, 2))
                return;
            UpdateWindow(v.Handle());
            endStart = v.ThumbStart;
            endEnd = v.ThumbEnd;
            released = true;
            PostMouse(memo, WM_LBUTTONUP, 0, past);
        }});
    MoveMouseTo(start); // the press reads where the pointer is
    steps->Post(0);
    POINT press = start;
    ScreenToClient(v.Handle(), &press);
    SendMessageW(v.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    PumpPending();
    ASSERT_TRUE(released) << "the tracking loop ran every step and ended on the release";
    EXPECT_EQ(v.DragCursor.x, start.x);
    EXPECT_EQ(v.DragCursor.y, start.y);
    // While dragged: moved with the cursor, drawn in the dragged frame, the
    // content scrolled with it.
    EXPECT_TRUE(seenTracking);
    EXPECT_EQ(seenStart, thumb0 + 40);
    EXPECT_EQ(seenPixel, ThumbColour(2));
    EXPECT_GT(seenLine, 0);
    // Pulled past the end (within the platform's drag margin): kept before
    // the second arrow, its length unchanged.
    EXPECT_EQ(endEnd, v.Length - v.ArrowSize);
    EXPECT_EQ(endEnd - endStart, length);
    EXPECT_FALSE(v.Tracking);
    EXPECT_GT(FirstLine(scene.skinned), seenLine);
}

// The same drag with the real mouse: the press on the painted thumb reaches
// the real bar as a thumb drag and the content follows the pointer. Each
// stage waits (from inside the tracking loop) for what it shows.
TEST(SkinScrollbarsTest, RealMouseDragOfThePaintedThumbScrollsTheContent) {
    TMemoScene scene;
    TWScrollbar& v = *scene.wrapper->VertBar;
    const RECT overlay = ScreenRect(v.Handle());
    const POINT start{overlay.left + 5, overlay.top + (v.ThumbStart + v.ThumbEnd) / 2};
    const int thumb0 = v.ThumbStart;
    bool moved = false;
    int seenCode = -1;
    HoldUntil(
        start,
        [&] {
            if (!moved) {
                moved = true;
                RawMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{start.x, start.y + 40});
                return false;
            }
            if (FirstLine(scene.skinned) == 0)
                return false;
            seenCode = v.ScrollCode;
            return true;
        },
        10000);
    EXPECT_EQ(seenCode, SB_THUMBTRACK);
    EXPECT_GT(FirstLine(scene.skinned), 0);
    EXPECT_FALSE(v.Tracking);
    // Released, the overlay shows the thumb where the platform has it, moved down.
    const SCROLLBARINFO info = BarInfo(scene.skinned->Handle(), OBJID_VSCROLL);
    EXPECT_EQ(v.ThumbStart, info.xyThumbTop);
    EXPECT_GT(v.ThumbStart, thumb0);
}

TEST(SkinScrollbarsTest, WheelRepaintsTheThumb) {
    TMemoScene scene;
    TWScrollbar& v = *scene.wrapper->VertBar;
    const int before = v.ThumbStart;
    MoveMouseTo(Centre(ScreenRect(scene.skinned->Handle())));
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_WHEEL;
    in.mi.mouseData = static_cast<DWORD>(-3 * WHEEL_DELTA);
    SendInput(1, &in, sizeof(in));
    PumpUntil([&] { return FirstLine(scene.skinned) > 0 && !MessagesWaiting(); }, 5000);
    const SCROLLBARINFO info = BarInfo(scene.skinned->Handle(), OBJID_VSCROLL);
    EXPECT_GT(FirstLine(scene.skinned), 0);
    EXPECT_GT(info.xyThumbTop, before);
    EXPECT_EQ(v.ThumbStart, info.xyThumbTop);
    EXPECT_EQ(ClientPixel(v.Handle(), 3, info.xyThumbTop + 1), ThumbColour(1));
}

TEST(SkinScrollbarsTest, ScrollBarControlIsCoveredWholeAndClickable) {
    TScrollForm form{Application};
    auto* sb = new TScrollBar(&form);
    sb->SetParent(&form);
    sb->SetKind(sbVertical);
    sb->SetBounds(20, 20, 17, 200);
    sb->SetMax(100);
    sb->SetPageSize(10);
    auto* plain = new TScrollBar(&form);
    plain->SetParent(&form);
    plain->SetBounds(60, 20, 200, 17);
    TSkinData data{nullptr};
    MakeScrollSkin(data);
    TListHost host;
    auto* w = new TSkinScControl(sb);
    w->AttachScrollControl(sb, &data, &host, nullptr);
    form.Show();
    PumpPending();
    ASSERT_NE(w->Bar, nullptr);
    TWScrollbar& bar = *w->Bar;
    EXPECT_TRUE(bar.Vertical);
    EXPECT_EQ(bar.Kind, TScrollKind::Control);
    EXPECT_TRUE(bar.Shown);
    RECT client{};
    GetClientRect(sb->Handle(), &client);
    MapWindowPoints(sb->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(SameRect(ScreenRect(bar.Handle()), client));
    EXPECT_EQ(GetWindow(form.Handle(), GW_CHILD), bar.Handle()); // on top of its siblings
    // Thumb from the control's range: position 0 at the first arrow.
    const int a = bar.ArrowSize, len = bar.Length;
    auto b = PaintOf(bar);
    EXPECT_EQ(bar.ThumbStart, a);
    EXPECT_EQ(bar.ThumbEnd, a + MulDiv(len - 2 * a, 9, 100));
    EXPECT_EQ(At(*b, 3, a), ThumbColour(1));
    // A click on the down arrow reaches the control: one small step.
    const RECT overlay = ScreenRect(bar.Handle());
    Click(POINT{overlay.left + 5, overlay.bottom - a / 2});
    EXPECT_EQ(sb->Position(), 1);
    EXPECT_EQ(bar.ScrollCode, spSecondArrow);
    EXPECT_FALSE(bar.Tracking);
    // The new position repaints the overlay (SBM_SETSCROLLINFO).
    PumpPending();
    EXPECT_EQ(bar.ThumbStart, MulDiv(len - 2 * a, 1, 100) + a);
    // A horizontal control; hidden control, hidden overlay.
    auto* hw = new TSkinScControl(plain);
    hw->AttachScrollControl(plain, &data, &host, nullptr);
    PumpPending();
    EXPECT_FALSE(hw->Bar->Vertical);
    sb->Hide();
    PumpPending();
    EXPECT_FALSE(bar.Shown);
    EXPECT_FALSE(IsWindowVisible(bar.Handle()));
    // Restore frees the overlay.
    const HWND overlayWnd = bar.Handle();
    w->RestoreControl();
    EXPECT_EQ(w->Bar, nullptr);
    EXPECT_FALSE(IsWindow(overlayWnd));
}

TEST(SkinScrollbarsTest, RegisteredListViewRawWindowRestoreAndDestruction) {
    RegisterScrollbarSkins();
    TScrollForm form{Application};
    TMemo* memo = MakeMemo(form, 10, 10, 200, 150, ssBoth, 100);
    auto* view = new TListView(&form);
    view->SetParent(&form);
    view->SetBounds(230, 10, 200, 150);
    view->SetViewStyle(vsReport);
    view->Columns()->Add();
    TSkinData data{nullptr};
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
    TListHost host;
    // Made by class name, as the form skinner makes them.
    for (const char* name :
         {"TSkinScrollbar", "TSkinListView", "TSkinScrollbarH", "TSkinScControl"}) {
        const TClassInfo* info = FindClass(name);
        ASSERT_NE(info, nullptr) << name;
        std::unique_ptr<TObject> made(info->CreateInstance(nullptr));
        EXPECT_EQ(made->ClassName(), name);
    }
    auto* lw = dynamic_cast<TSkinListView*>(FindClass("TSkinListView")->CreateInstance(view));
    ASSERT_NE(lw, nullptr);
    lw->AttachScrollBars(view, &data, &host, nullptr);
    const HWND header = reinterpret_cast<HWND>(SendMessageW(view->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    ASSERT_NE(lw->HeaderWrapper, nullptr);
    EXPECT_EQ(lw->HeaderWrapper->Handle, header);
    EXPECT_EQ(lw->HeaderWrapper->Owner(), view);
    EXPECT_TRUE(lw->HeaderWrapper->SubclassesWindow());

    // A raw list box's bars, through subclassing.
    const HWND list =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10,
                        200, 150, 80, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 40; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    const LONG_PTR listProc = GetWindowLongPtrW(list, GWLP_WNDPROC);
    auto* rw = new TSkinScrollbarH(nullptr);
    rw->AttachWindow(list, &data, &host, nullptr);
    EXPECT_NE(GetWindowLongPtrW(list, GWLP_WNDPROC), listProc);
    EXPECT_EQ(rw->State, TWrapperState::Attached);
    EXPECT_TRUE(rw->SubclassesWindow());
    EXPECT_EQ(rw->Control, nullptr);

    auto* mw = new TSkinScrollbar(memo);
    mw->AttachScrollBars(memo, &data, &host, nullptr);
    form.Show();
    PumpPending();
    EXPECT_TRUE(rw->VertBar->Shown);
    EXPECT_FALSE(rw->HorzBar->Shown);
    EXPECT_TRUE(
        SameRect(ScreenRect(rw->VertBar->Handle()), BarInfo(list, OBJID_VSCROLL).rcScrollBar));
    // XPLuna: the overlay shows the skin's arrow (not the face) at its top.
    auto b = PaintOf(*mw->VertBar);
    EXPECT_NE(At(*b, 8, 8), ColorToRGB(data.ButtonFaceColour));
    // Every pixel is painted: the face where the skin leaves any.
    EXPECT_EQ(CountOther(*b, 0, 0, b->Width(), b->Height(), kSentinel), b->Width() * b->Height());

    // Restore frees the overlays and leaves the control alone.
    const HWND h1 = mw->HorzBar->Handle(), v1 = mw->VertBar->Handle();
    mw->RestoreControl();
    EXPECT_EQ(mw->HorzBar, nullptr);
    EXPECT_EQ(mw->VertBar, nullptr);
    EXPECT_FALSE(IsWindow(h1));
    EXPECT_FALSE(IsWindow(v1));
    SendMessageW(memo->Handle(), WM_NCPAINT, 1, 0); // nothing to reposition now
    // Destroying the wrapper frees its overlays and unhooks the control.
    const HWND v2 = rw->VertBar->Handle();
    delete rw;
    EXPECT_FALSE(IsWindow(v2));
    EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), listProc);
    SendMessageW(list, WM_NCPAINT, 1, 0);
    const HWND lv = lw->VertBar->Handle();
    delete lw;
    EXPECT_FALSE(IsWindow(lv));
    delete mw;
    EXPECT_TRUE(host.list.size() == 1u); // the header wrapper stays with its control
    DestroyWindow(list);
}

TEST(SkinScrollbarsTest, ChildNotificationsAndSkinsWithoutArrowsLeaveTheBarsAlone) {
    TMemoScene scene;
    TSkinScrollbar& w = *scene.wrapper;
    const HWND memo = scene.skinned->Handle();
    ASSERT_TRUE(w.HorzBar->Shown);
    // A track bar inside the control reports its thumb dragged (code 5) with
    // its own window in LParam: the control's painted thumb does not follow
    // the cursor (which sits at the far end of the screen) but stays where
    // the platform has the thumb.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const HWND child = scene.plain->Handle();
    SendMessageW(memo, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(child));
    SendMessageW(memo, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, 0), reinterpret_cast<LPARAM>(child));
    PumpMessages(30);
    for (TWScrollbar* bar : {w.HorzBar, w.VertBar}) {
        SCOPED_TRACE(bar->Vertical ? "vertical" : "horizontal");
        const SCROLLBARINFO info = BarInfo(memo, bar->Vertical ? OBJID_VSCROLL : OBJID_HSCROLL);
        auto b = PaintOf(*bar);
        const int mid = (info.xyThumbTop + info.xyThumbBottom) / 2;
        EXPECT_EQ(bar->Vertical ? At(*b, 3, mid) : At(*b, mid, 3), ThumbColour(1));
        const int end = bar->Length - bar->ArrowSize - 3;
        ASSERT_GT(end, info.xyThumbBottom);
        EXPECT_EQ(bar->Vertical ? At(*b, 3, end) : At(*b, end, 3), TrackColour(1));
    }

    // A skin without the Scrollbar arrows: the overlays go and the platform's
    // own bars show, exactly as on the unskinned memo beside it.
    // The two memos are alike: their bars lie at the same window coordinates.
    const HWND plain = scene.plain->Handle();
    const RECT mr = ScreenRect(memo);
    const RECT vbar = BarInfo(memo, OBJID_VSCROLL).rcScrollBar;
    auto sameBars = [&] {
        const int x = (vbar.left + vbar.right) / 2 - mr.left;
        for (int y = vbar.top + 2 - mr.top; y < vbar.bottom - 2 - mr.top; y += 7)
            if (wrapper_test::ScreenPixel(memo, x, y) != wrapper_test::ScreenPixel(plain, x, y))
                return false;
        return true;
    };
    ASSERT_FALSE(sameBars()) << "the skinned bar looks different while the overlay shows";
    scene.data.Scrollbar.reset();
    w.SkinChanged();
    EXPECT_FALSE(w.HorzBar->Shown);
    EXPECT_FALSE(w.VertBar->Shown);
    EXPECT_FALSE(IsWindowVisible(w.VertBar->Handle()));
    EXPECT_TRUE(PumpUntil(sameBars, 3000));
    // Non-client paints keep them hidden; a wrapper made for such a skin never shows one.
    SendMessageW(memo, WM_NCPAINT, 1, 0);
    EXPECT_FALSE(IsWindowVisible(w.VertBar->Handle()));
    TMemo* other = MakeMemo(scene.form, 10, 230, 220, 120, ssBoth, 100);
    auto* ow = new TSkinScrollbar(other);
    ow->AttachScrollBars(other, &scene.data, &scene.host, nullptr);
    PumpMessages(60);
    EXPECT_FALSE(ow->VertBar->Shown);
    EXPECT_FALSE(ow->VertBar->HandleAllocated() && IsWindowVisible(ow->VertBar->Handle()));
    // The arrows come back with the next skin: so does the overlay.
    MakeScrollSkin(scene.data);
    w.SkinChanged();
    EXPECT_TRUE(w.VertBar->Shown);
    EXPECT_TRUE(IsWindowVisible(w.VertBar->Handle()));
    EXPECT_TRUE(PumpUntil([&] { return !sameBars(); }, 3000));
}
