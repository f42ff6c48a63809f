// Scroll-bar skins driven by the real mouse under Wine: clicks, holds and
// thumb drags on real memos compared with the same memo unskinned, the wheel,
// and a scroll-bar control covered whole and clickable.
#include "tests/framework/ui/real_input.h"
#include "tests/skin/controls/scroll_fixture.h"

using namespace scroll_test;

namespace {

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

} // namespace

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
