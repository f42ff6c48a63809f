// Message profile of a thread: the time spent in each (window class,
// message) pair, inclusive and exclusive of the messages sent while it was
// handled, through a call-window hook pair; a posted message counts from its
// retrieval to the next retrieval (its dispatch and what the loop did after
// it). Sections of plain code (a hook's own work) are opened and closed by
// name and nest the same way. Used by the start-up benchmark's --profile.
#pragma once

#include "framework/ui/win32.h"

#include <cstdio>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace bench {

class TMessageProfile {
public:
    struct TTotal {
        double self = 0, inclusive = 0;
        int count = 0;
    };

    TMessageProfile() = default;
    TMessageProfile(const TMessageProfile&) = delete;
    TMessageProfile& operator=(const TMessageProfile&) = delete;
    // The hooks go with the profile: a message after it would reach a freed one.
    ~TMessageProfile() {
        for (HHOOK h : {calls_, returns_, gets_})
            if (h)
                UnhookWindowsHookEx(h);
        if (instance_ == this)
            instance_ = nullptr;
    }

    void Start() {
        QueryPerformanceFrequency(&frequency_);
        instance_ = this;
        const DWORD thread = GetCurrentThreadId();
        calls_ = SetWindowsHookExW(WH_CALLWNDPROC, CallHook, nullptr, thread);
        returns_ = SetWindowsHookExW(WH_CALLWNDPROCRET, ReturnHook, nullptr, thread);
        gets_ = SetWindowsHookExW(WH_GETMESSAGE, GetHook, nullptr, thread);
    }

    void Open(const std::string& key) { stack_.push_back({key, Now(), 0}); }
    void Close() {
        if (stack_.empty())
            return;
        const TFrame f = stack_.back();
        stack_.pop_back();
        const double inclusive = Now() - f.start;
        TTotal& t = totals_[f.key];
        t.inclusive += inclusive;
        t.self += inclusive - f.children;
        ++t.count;
        if (log_ && inclusive >= logFloor_)
            events_.push_back({f.key, f.start - origin_, inclusive, stack_.size()});
        if (!stack_.empty())
            stack_.back().children += inclusive;
    }

    // Prints "prof_<key> <self ms> <inclusive ms> <count>" per key.
    void Print() const {
        for (const auto& [key, t] : totals_)
            std::printf("prof_%s %.3f %.3f %d\n", key.c_str(), t.self, t.inclusive, t.count);
    }

    // Keeps each frame of `floorMs` or more, printed in the order they ended
    // as "event <depth> <start ms> <inclusive ms> <key>".
    void KeepEvents(double floorMs) {
        log_ = true;
        logFloor_ = floorMs;
        origin_ = Now();
    }
    void PrintEvents() const {
        for (const TEvent& e : events_)
            std::printf("event %zu %.3f %.3f %s\n", e.depth, e.start, e.inclusive, e.key.c_str());
    }

    static TMessageProfile* Instance() { return instance_; }

    static std::string Key(HWND wnd, UINT msg) {
        wchar_t cls[64] = L"";
        GetClassNameW(wnd, cls, 64);
        std::string key;
        for (const wchar_t* c = cls; *c; ++c)
            key += (*c < 128 && iswalnum(*c)) ? static_cast<char>(*c) : '_';
        return key + "_" + MessageName(msg);
    }

private:
    struct TFrame {
        std::string key;
        double start, children;
    };

    double Now() const {
        LARGE_INTEGER c;
        QueryPerformanceCounter(&c);
        return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

    static std::string MessageName(UINT msg) {
        static const std::map<UINT, const char*> names = {
            {WM_CREATE, "CREATE"},
            {WM_SIZE, "SIZE"},
            {WM_MOVE, "MOVE"},
            {WM_ACTIVATE, "ACTIVATE"},
            {WM_SETFOCUS, "SETFOCUS"},
            {WM_KILLFOCUS, "KILLFOCUS"},
            {WM_PAINT, "PAINT"},
            {WM_ERASEBKGND, "ERASEBKGND"},
            {WM_SHOWWINDOW, "SHOWWINDOW"},
            {WM_ACTIVATEAPP, "ACTIVATEAPP"},
            {WM_SETCURSOR, "SETCURSOR"},
            {WM_GETMINMAXINFO, "GETMINMAXINFO"},
            {WM_WINDOWPOSCHANGING, "WINDOWPOSCHANGING"},
            {WM_WINDOWPOSCHANGED, "WINDOWPOSCHANGED"},
            {WM_NCCREATE, "NCCREATE"},
            {WM_NCCALCSIZE, "NCCALCSIZE"},
            {WM_NCHITTEST, "NCHITTEST"},
            {WM_NCPAINT, "NCPAINT"},
            {WM_NCACTIVATE, "NCACTIVATE"},
            {WM_TIMER, "TIMER"},
            {WM_SETTEXT, "SETTEXT"},
            {WM_GETTEXT, "GETTEXT"},
            {WM_PARENTNOTIFY, "PARENTNOTIFY"},
            {WM_MDIACTIVATE, "MDIACTIVATE"},
            {WM_IME_SETCONTEXT, "IME_SETCONTEXT"},
            {WM_IME_NOTIFY, "IME_NOTIFY"},
            {WM_STYLECHANGING, "STYLECHANGING"},
            {WM_STYLECHANGED, "STYLECHANGED"},
            {WM_SETFONT, "SETFONT"},
            {WM_USER, "USER"},
            {WM_NOTIFY, "NOTIFY"},
            {WM_SYNCPAINT, "SYNCPAINT"},
            {WM_CHILDACTIVATE, "CHILDACTIVATE"},
            {WM_GETICON, "GETICON"},
            {WM_SETICON, "SETICON"},
            {WM_MOUSEACTIVATE, "MOUSEACTIVATE"},
            {WM_QUERYNEWPALETTE, "QUERYNEWPALETTE"},
            {WM_CTLCOLORSTATIC, "CTLCOLORSTATIC"},
            {WM_GETOBJECT, "GETOBJECT"},
            {WM_NCDESTROY, "NCDESTROY"},
            {WM_DESTROY, "DESTROY"}};
        const auto it = names.find(msg);
        if (it != names.end())
            return it->second;
        char hex[16];
        std::snprintf(hex, sizeof hex, "%04X", msg);
        return hex;
    }

    static LRESULT CALLBACK CallHook(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION) {
            const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
            instance_->Open(Key(m->hwnd, m->message));
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static LRESULT CALLBACK ReturnHook(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION)
            instance_->Close();
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    // A posted message's frame stays open until the next one is taken.
    static LRESULT CALLBACK GetHook(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION && wp == PM_REMOVE) {
            const auto* m = reinterpret_cast<const MSG*>(lp);
            if (instance_->postedOpen_ && instance_->stack_.size() == 1)
                instance_->Close();
            instance_->postedOpen_ = instance_->stack_.empty();
            if (instance_->postedOpen_)
                instance_->Open("posted_" + Key(m->hwnd, m->message));
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    struct TEvent {
        std::string key;
        double start, inclusive;
        size_t depth;
    };
    static inline TMessageProfile* instance_ = nullptr;
    bool log_ = false;
    double logFloor_ = 0;
    double origin_ = 0;
    std::vector<TEvent> events_;
    LARGE_INTEGER frequency_{};
    HHOOK calls_ = nullptr, returns_ = nullptr, gets_ = nullptr;
    bool postedOpen_ = false;
    std::vector<TFrame> stack_;
    std::map<std::string, TTotal> totals_;
};

} // namespace bench
