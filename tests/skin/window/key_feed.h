// Real key strokes for the keyboard tests of skinned windows: SendInput from
// a thread timer, which runs inside the modal menu, move and size loops, and
// hooks that record what the keys did (keys and mouse messages taken, menu
// loops, the first menu shown and its first selected item, moves and sizes).
#pragma once

#include "framework/ui/win32.h"

#include <initializer_list>
#include <vector>

#include "tests/framework/ui/ui_test_util.h"

namespace key_feed {

inline constexpr int kCeilingMs = 10000;

// What the thread's windows were told while the keys ran.
struct TSeen {
    int KeysTaken = 0;
    // WM_ENTERMENULOOP: the platform's menu mode or a notifying popup menu.
    int MenuLoops = 0;
    // The first menu shown (its handle, asked from the menu window) and the
    // first item selected in it, with the menu window's place then.
    HMENU FirstMenu = nullptr;
    int FirstSelected = -1;
    RECT MenuRect{};
    // Where the last mouse message taken from the queue was, and how many.
    POINT LastMouse{};
    int MouseTaken = 0;
    // WM_MOVING and WM_SIZING: the move or size loop moved the window.
    int Moves = 0;
};
inline TSeen gSeen;

inline bool MenuOpen() {
    HWND m = FindWindowW(L"#32768", nullptr);
    return m && IsWindowVisible(m);
}

// Every message of a menu loop, notifying or not.
inline LRESULT CALLBACK MenuFilter(int code, WPARAM w, LPARAM l) {
    if (code == MSGF_MENU && !gSeen.FirstMenu)
        if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu))
            gSeen.FirstMenu = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    return CallNextHookEx(nullptr, code, w, l);
}

inline LRESULT CALLBACK MouseTaken(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && l) {
        gSeen.LastMouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(l)->pt;
        ++gSeen.MouseTaken;
    }
    return CallNextHookEx(nullptr, code, w, l);
}

inline LRESULT CALLBACK KeyTaken(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION)
        ++gSeen.KeysTaken;
    return CallNextHookEx(nullptr, code, w, l);
}

// The first item selected in a menu, and where the menu window stood then.
inline LRESULT CALLBACK Watch(int code, WPARAM w, LPARAM l) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(l);
    if (code == HC_ACTION && m) {
        if (m->message == WM_ENTERMENULOOP)
            ++gSeen.MenuLoops;
        if (m->message == WM_MOVING || m->message == WM_SIZING)
            ++gSeen.Moves;
        if (m->message == WM_MENUSELECT && gSeen.FirstSelected < 0 && HIWORD(m->wParam) != 0xFFFF) {
            gSeen.FirstSelected = LOWORD(m->wParam);
            if (HWND menu = FindWindowW(L"#32768", nullptr))
                GetWindowRect(menu, &gSeen.MenuRect);
        }
    }
    return CallNextHookEx(nullptr, code, w, l);
}

// Where the platform's keyboard move loop puts the pointer: the middle of the
// caption strip between the system-menu and box widths its style names.
inline POINT MoveLoopPoint(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);
    const int box = GetSystemMetrics(SM_CXSIZE) + 1;
    r.top += GetSystemMetrics(SM_CYBORDER);
    r.left += (style & WS_SYSMENU) ? box : 0;
    r.right -= (style & WS_MINIMIZEBOX) ? box : 0;
    r.right -= (style & WS_MAXIMIZEBOX) ? box : 0;
    return {(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYSIZE) / 2};
}

// When a step of keys may go, beyond every earlier stroke having been taken.
enum class TWhen {
    Taken,
    // In a move or size loop, the pointer at rest where the loop last saw it.
    LoopAtRest,
    // The window was moved or sized since the step before.
    Moved,
};

// Real key strokes, sent one step at a time from a thread timer, which runs
// inside the menu, move and size loops too. The platform's keyboard move and
// size loops move the pointer for each arrow key and move the window only
// when that pointer move comes back as a mouse message; Wine's X11 desktop
// may deliver such a move late, and more than one in flight could arrive out
// of order. So an arrow goes only once the loop has seen the pointer where it
// is, and the key after it only once the window has moved.
class TKeys {
public:
    TKeys() {
        gSeen = TSeen{};
        keyHook_ = SetWindowsHookExW(WH_KEYBOARD, KeyTaken, nullptr, GetCurrentThreadId());
        mouseHook_ = SetWindowsHookExW(WH_MOUSE, MouseTaken, nullptr, GetCurrentThreadId());
        watchHook_ = SetWindowsHookExW(WH_CALLWNDPROC, Watch, nullptr, GetCurrentThreadId());
        filterHook_ = SetWindowsHookExW(WH_MSGFILTER, MenuFilter, nullptr, GetCurrentThreadId());
    }
    ~TKeys() {
        if (timer_)
            KillTimer(nullptr, timer_);
        gFeed = nullptr;
        for (HHOOK h : {keyHook_, mouseHook_, watchHook_, filterHook_})
            UnhookWindowsHookEx(h);
    }
    // Presses the keys in order and releases them in reverse: one step.
    TKeys& Chord(std::initializer_list<WORD> keys, TWhen when = TWhen::Taken) {
        TStep step{when, {}};
        for (WORD k : keys)
            step.Inputs.push_back(Key(k, false));
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            step.Inputs.push_back(Key(*it, true));
        steps_.push_back(step);
        return *this;
    }
    TKeys& Tap(WORD key, int times = 1, TWhen when = TWhen::Taken) {
        for (int i = 0; i < times; ++i)
            Chord({key}, when);
        return *this;
    }
    // An arrow in a move or size loop, then the key that ends the loop.
    TKeys& Arrow(WORD key) { return Tap(key, 1, TWhen::LoopAtRest); }
    TKeys& End(WORD key) { return Tap(key, 1, TWhen::Moved); }
    // Brings the window to the front (the focus in `focus` or in the
    // window), sends the steps and handles messages until every stroke was
    // taken and no menu, move or size loop is left.
    bool Run(HWND wnd, HWND focus = nullptr) {
        // The pointer where the keyboard move loop will put it: Wine may
        // refuse to move the X pointer there while a menu closes, and the X
        // pointer's own place then comes back as a mouse move that drags the
        // window along.
        const POINT away = MoveLoopPoint(focus ? focus : wnd);
        SetCursorPos(away.x, away.y);
        SetForegroundWindow(wnd);
        SetFocus(focus ? focus : wnd);
        if (!PumpUntil(
                [wnd, away] {
                    POINT p{};
                    GetCursorPos(&p);
                    return GetForegroundWindow() == wnd && p.x == away.x && p.y == away.y;
                },
                kCeilingMs))
            return false;
        gFeed = this;
        stepStart_ = GetTickCount();
        timer_ = SetTimer(nullptr, 0, 15, Tick);
        const bool done = PumpUntil(
            [this] {
                return next_ == steps_.size() && gSeen.KeysTaken >= sent_ && !MenuOpen() &&
                       !GetCapture();
            },
            kCeilingMs);
        EXPECT_LT(lateStep_, 0) << "step " << lateStep_ << " was not ready in time";
        return done && lateStep_ < 0;
    }

private:
    struct TStep {
        TWhen When;
        std::vector<INPUT> Inputs;
    };
    static INPUT Key(WORD key, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        return in;
    }
    bool Ready(TWhen when) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const bool still = cursor.x == lastCursor_.x && cursor.y == lastCursor_.y &&
                           gSeen.MouseTaken == lastMouseTaken_;
        stillTicks_ = still ? stillTicks_ + 1 : 0;
        const bool seen = cursor.x == gSeen.LastMouse.x && cursor.y == gSeen.LastMouse.y;
        lastCursor_ = cursor;
        lastMouseTaken_ = gSeen.MouseTaken;
        if (gSeen.KeysTaken < sent_)
            return false;
        switch (when) {
        case TWhen::LoopAtRest:
            // Seen where it is, or no pointer move coming for ten ticks.
            return GetCapture() && ((seen && stillTicks_ >= 2) || stillTicks_ >= 10);
        case TWhen::Moved:
            return gSeen.Moves > movesAtLastStep_;
        default:
            return true;
        }
    }
    // A step that is not ready within the ceiling goes anyway, so that a
    // modal loop cannot hold the test; Run then reports the step.
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TKeys* self = gFeed;
        if (!self || self->next_ >= self->steps_.size())
            return;
        const bool late = GetTickCount() - self->stepStart_ > static_cast<DWORD>(kCeilingMs / 2);
        if (!self->Ready(self->steps_[self->next_].When) && !late)
            return;
        if (late && self->lateStep_ < 0)
            self->lateStep_ = static_cast<int>(self->next_);
        std::vector<INPUT>& inputs = self->steps_[self->next_++].Inputs;
        self->sent_ += static_cast<int>(inputs.size());
        self->movesAtLastStep_ = gSeen.Moves;
        self->stepStart_ = GetTickCount();
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    static inline TKeys* gFeed = nullptr;
    std::vector<TStep> steps_;
    size_t next_ = 0;
    int sent_ = 0;
    int stillTicks_ = 0;
    POINT lastCursor_{};
    int lastMouseTaken_ = 0;
    DWORD stepStart_ = 0;
    int lateStep_ = -1;
    int movesAtLastStep_ = 0;
    UINT_PTR timer_ = 0;
    HHOOK keyHook_ = nullptr;
    HHOOK mouseHook_ = nullptr;
    HHOOK watchHook_ = nullptr;
    HHOOK filterHook_ = nullptr;
};

} // namespace key_feed
