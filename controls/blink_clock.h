// The shared blink clock of the labels: one per process, alive while at least
// one label is registered. Each tick flips the blink state and tells every
// registered control that says it blinks.
#pragma once

#include "framework/ui/win32.h"

#include <cstdint>
#include <vector>

class TControl;

// Private messages between the clock and its controls.
constexpr UINT CM_BLINKQUERY = 0xB3E8; // answer 1 to take part
constexpr UINT CM_BLINKSTATE = 0xB3E9; // wParam: 0 on, 1 off

class TRzBlinkingControlsList {
public:
    TRzBlinkingControlsList(const TRzBlinkingControlsList&) = delete;
    TRzBlinkingControlsList& operator=(const TRzBlinkingControlsList&) = delete;

    // The clock, or null while no control is registered.
    static TRzBlinkingControlsList* Instance();
    // Registers a control, creating the clock for the first one.
    static void Register(TControl* control);
    // Unregisters a control; the clock is freed when the list becomes empty.
    static void Unregister(TControl* control);

    bool BlinkOn() const { return on_; }
    uint16_t IntervalOn() const { return intervalOn_; }
    uint16_t IntervalOff() const { return intervalOff_; }
    void SetIntervalOn(uint16_t ms) { intervalOn_ = ms; }
    void SetIntervalOff(uint16_t ms) { intervalOff_ = ms; }
    // Interval until the next tick.
    UINT CurrentInterval() const { return interval_; }
    const std::vector<TControl*>& Controls() const { return controls_; }

    // One tick: flip, re-arm the timer, notify the blinking controls.
    void Tick();

private:
    TRzBlinkingControlsList();
    ~TRzBlinkingControlsList();
    void Arm(UINT interval);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);

    bool on_ = false;
    uint16_t intervalOn_ = 500;
    uint16_t intervalOff_ = 500;
    UINT interval_ = 500;
    UINT_PTR timer_ = 0;
    std::vector<TControl*> controls_;
};
