// The labels' blink clock; see blink_clock.h.
#include "controls/blink_clock.h"

#include "framework/ui/application.h"
#include "framework/ui/control.h"

#include <algorithm>
#include <exception>

namespace {
TRzBlinkingControlsList* g_clock = nullptr;
}

// Starts the timer with the first interval.
TRzBlinkingControlsList::TRzBlinkingControlsList() {
    Arm(500);
}

// Stops the timer.
TRzBlinkingControlsList::~TRzBlinkingControlsList() {
    if (timer_) {
        KillTimer(nullptr, timer_);
    }
}

TRzBlinkingControlsList* TRzBlinkingControlsList::Instance() {
    return g_clock;
}

// Adds a control (once), creating the clock when needed.
void TRzBlinkingControlsList::Register(TControl* control) {
    if (!g_clock) {
        g_clock = new TRzBlinkingControlsList();
    }
    auto& list = g_clock->controls_;
    if (std::find(list.begin(), list.end(), control) == list.end()) {
        list.push_back(control);
    }
}

// Removes a control; the last one out frees the clock.
void TRzBlinkingControlsList::Unregister(TControl* control) {
    if (!g_clock) {
        return;
    }
    auto& list = g_clock->controls_;
    list.erase(std::remove(list.begin(), list.end(), control), list.end());
    if (list.empty()) {
        delete g_clock;
        g_clock = nullptr;
    }
}

// (Re)starts the thread timer with an interval.
void TRzBlinkingControlsList::Arm(UINT interval) {
    interval_ = interval;
    timer_ = SetTimer(nullptr, timer_, interval, &TRzBlinkingControlsList::TimerProc);
}

// Timer callback: never lets an exception out into the system.
void CALLBACK TRzBlinkingControlsList::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (!g_clock || g_clock->timer_ != id) {
        return;
    }
    try {
        g_clock->Tick();
    } catch (...) {
        if (Application) {
            Application->HandleException(nullptr, std::current_exception());
        }
    }
}

// Flip the state, re-arm with the matching interval, notify in order.
void TRzBlinkingControlsList::Tick() {
    on_ = !on_;
    Arm(on_ ? intervalOff_ : intervalOn_);
    const WPARAM state = on_ ? 0 : 1;
    // A control may unregister while being told; walk a copy and skip the gone.
    const std::vector<TControl*> snapshot = controls_;
    for (TControl* control : snapshot) {
        if (g_clock != this) {
            return;
        }
        if (std::find(controls_.begin(), controls_.end(), control) == controls_.end()) {
            continue;
        }
        if (control->Perform(CM_BLINKQUERY) == 1) {
            control->Perform(CM_BLINKSTATE, state);
        }
    }
}
