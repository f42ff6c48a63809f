// A periodic window timer on the user-interface thread.
#pragma once

#include "framework/core/component.h"
#include "framework/core/event.h"
#include "framework/ui/control.h"
#include "framework/ui/subclass.h"

class TTimer : public TComponent {
    LT_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    // Milliseconds between ticks; 0 stops the timer.
    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t v);
    // Runs on every tick.
    TNotifyEvent OnTimer;
    // Whether a platform timer is running now.
    bool Running() const { return running_; }

    // The platform call that starts a timer (replaceable to simulate exhaustion).
    using TSetTimerFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
    static void SetTimerFunction(TSetTimerFn fn);

protected:
    virtual void Timer();

private:
    // Stops the platform timer and starts it again with the current settings.
    void UpdateTimer();

    class TTimerWindow : public TWindowSubclass {
    public:
        explicit TTimerWindow(TTimer* owner) : owner_(owner) {}

    protected:
        void WindowMessage(TMessage& msg) override;

    private:
        TTimer* owner_;
    };

    TTimerWindow window_;
    bool enabled_ = true;
    bool running_ = false;
    uint32_t interval_ = 1000;
};
