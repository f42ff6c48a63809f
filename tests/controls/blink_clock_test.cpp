// The shared blink clock: lifetime, state flips, intervals, who is told what.
#include "controls/blink_clock.h"

#include "framework/ui/control.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A control that answers the blink query and records the states it is sent.
class TBlinkProbe : public TControl {
public:
    explicit TBlinkProbe(bool blinks) : TControl(nullptr), blinks_(blinks) {}
    std::vector<WPARAM> states;
    int queries = 0;

protected:
    void WndProc(TMessage& msg) override {
        if (msg.Msg == CM_BLINKQUERY) {
            ++queries;
            msg.Result = blinks_ ? 1 : 0;
            return;
        }
        if (msg.Msg == CM_BLINKSTATE) {
            states.push_back(msg.WParam);
            return;
        }
        TControl::WndProc(msg);
    }

private:
    bool blinks_;
};

} // namespace

TEST(BlinkClock, LivesWhileControlsAreRegistered) {
    ASSERT_EQ(TRzBlinkingControlsList::Instance(), nullptr);
    TBlinkProbe a(true), b(false);
    TRzBlinkingControlsList::Register(&a);
    TRzBlinkingControlsList* clock = TRzBlinkingControlsList::Instance();
    ASSERT_NE(clock, nullptr);
    EXPECT_FALSE(clock->BlinkOn());
    EXPECT_EQ(clock->CurrentInterval(), 500u);
    TRzBlinkingControlsList::Register(&b);
    TRzBlinkingControlsList::Register(&a); // once only
    EXPECT_EQ(clock->Controls().size(), 2u);
    EXPECT_EQ(TRzBlinkingControlsList::Instance(), clock);
    TRzBlinkingControlsList::Unregister(&a);
    EXPECT_EQ(TRzBlinkingControlsList::Instance(), clock);
    TRzBlinkingControlsList::Unregister(&b);
    EXPECT_EQ(TRzBlinkingControlsList::Instance(), nullptr);
}

TEST(BlinkClock, TickFlipsAndTellsOnlyBlinkingControls) {
    TBlinkProbe a(true), quiet(false), c(true);
    TRzBlinkingControlsList::Register(&a);
    TRzBlinkingControlsList::Register(&quiet);
    TRzBlinkingControlsList::Register(&c);
    TRzBlinkingControlsList* clock = TRzBlinkingControlsList::Instance();
    clock->SetIntervalOn(300);
    clock->SetIntervalOff(700);
    clock->Tick(); // entering "on": next is the off interval, state 0
    EXPECT_TRUE(clock->BlinkOn());
    EXPECT_EQ(clock->CurrentInterval(), 700u);
    clock->Tick(); // entering "off": next is the on interval, state 1
    EXPECT_FALSE(clock->BlinkOn());
    EXPECT_EQ(clock->CurrentInterval(), 300u);
    EXPECT_EQ(a.states, (std::vector<WPARAM>{0, 1}));
    EXPECT_EQ(c.states, (std::vector<WPARAM>{0, 1}));
    EXPECT_TRUE(quiet.states.empty());
    EXPECT_EQ(quiet.queries, 2);
    TRzBlinkingControlsList::Unregister(&a);
    TRzBlinkingControlsList::Unregister(&quiet);
    TRzBlinkingControlsList::Unregister(&c);
}

TEST(BlinkClock, TimerTicksFromTheMessageLoop) {
    TBlinkProbe a(true);
    TRzBlinkingControlsList::Register(&a);
    TRzBlinkingControlsList::Instance()->SetIntervalOn(50);
    TRzBlinkingControlsList::Instance()->SetIntervalOff(50);
    // The first tick comes after the first interval of 500 ms (never
    // earlier; a loaded machine may make it late).
    EXPECT_EQ(TRzBlinkingControlsList::Instance()->CurrentInterval(), 500u);
    const DWORD start = GetTickCount();
    MSG msg;
    while (a.states.size() < 2 && GetTickCount() - start < 20000) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        } else {
            Sleep(5);
        }
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(a.states, (std::vector<WPARAM>{0, 1}));
    EXPECT_GE(elapsed, 450u);
    TRzBlinkingControlsList::Unregister(&a);
    EXPECT_EQ(TRzBlinkingControlsList::Instance(), nullptr);
}
