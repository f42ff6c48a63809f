// TTimer over SetTimer on a hidden utility window.
#include "framework/ui/timer.h"

#include "framework/core/class_builder.h"
#include "framework/ui/ui_errors.h"
#include "framework/ui/ui_window_class.h"

namespace {
TTimer::TSetTimerFn g_setTimer = ::SetTimer;
} // namespace

void TTimer::SetTimerFunction(TSetTimerFn fn) {
    g_setTimer = fn ? fn : ::SetTimer;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), window_(this) {
    window_.Subclass(CreateUtilWindow(), TProcCharset::Unicode);
    try {
        UpdateTimer();
    } catch (...) {
        HWND wnd = window_.Handle();
        window_.Unsubclass();
        DestroyWindow(wnd);
        throw;
    }
}

TTimer::~TTimer() {
    HWND wnd = window_.Handle();
    if (running_)
        KillTimer(wnd, 1);
    window_.Unsubclass();
    DestroyWindow(wnd);
}

void TTimer::UpdateTimer() {
    HWND wnd = window_.Handle();
    if (running_) {
        KillTimer(wnd, 1);
        running_ = false;
    }
    if (interval_ != 0 && enabled_) {
        if (g_setTimer(wnd, 1, interval_, nullptr) == 0)
            throw EOutOfResources(L"Not enough timers available");
        running_ = true;
    }
}

void TTimer::SetEnabled(bool v) {
    if (v == enabled_)
        return;
    enabled_ = v;
    UpdateTimer();
}

void TTimer::SetInterval(uint32_t v) {
    if (v == interval_)
        return;
    interval_ = v;
    UpdateTimer();
}

void TTimer::Timer() {
    OnTimer(this);
}

// A handler that fails is reported by the application; the timer keeps running.
void TTimer::TTimerWindow::WindowMessage(TMessage& msg) {
    if (msg.Msg == WM_TIMER) {
        owner_->Timer();
        return;
    }
    CallPrevious(msg);
}

LT_CLASS_TABLE(TTimer) {
    c.Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
        .Default(true)
        .Integer(
            "Interval", [](TTimer& t) { return static_cast<int32_t>(t.Interval()); },
            [](TTimer& t, int32_t v) { t.SetInterval(static_cast<uint32_t>(v)); })
        .Default(1000)
        .Event("OnTimer", &TTimer::OnTimer);
}
