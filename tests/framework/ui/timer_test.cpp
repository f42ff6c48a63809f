// TTimer: ticks on the UI thread about once per interval, stops and restarts,
// reports handler errors and keeps running, and fails cleanly without timers.
#include <gtest/gtest.h>

#include <vector>

#include "framework/core/exception.h"
#include "framework/ui/timer.h"
#include "framework/ui/ui_errors.h"
#include "ui_test_util.h"

namespace {
UINT gAskedInterval = 0;
UINT_PTR WINAPI RecordingSetTimer(HWND wnd, UINT_PTR id, UINT ms, TIMERPROC proc) {
    gAskedInterval = ms;
    return SetTimer(wnd, id, ms, proc);
}
} // namespace

// The default timer asks the platform for a tick every second and ticks on
// this thread, never early (a loaded machine may make the ticks late).
TEST(Timer, FiresAboutOnceASecond) {
    TTimer::SetTimerFunction(&RecordingSetTimer);
    TTimer timer(nullptr);
    TTimer::SetTimerFunction(nullptr);
    EXPECT_EQ(gAskedInterval, 1000u);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    std::vector<DWORD> ticks;
    const DWORD thread = GetCurrentThreadId();
    bool otherThread = false;
    const DWORD start = GetTickCount();
    timer.OnTimer = [&](TObject* sender) {
        ticks.push_back(GetTickCount() - start);
        otherThread |= GetCurrentThreadId() != thread || sender != &timer;
    };
    PumpUntil([&] { return ticks.size() >= 3; }, 20000);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_FALSE(otherThread);
    EXPECT_GE(ticks[0], 900u);
    EXPECT_GE(ticks[2] - ticks[0], 1800u);
}

// Disabled: no ticks; interval changes restart it.
TEST(Timer, EnabledAndIntervalControlTheTicks) {
    TTimer timer(nullptr);
    int count = 0;
    timer.OnTimer = [&](TObject*) { ++count; };
    timer.SetEnabled(false);
    timer.SetInterval(50);
    EXPECT_FALSE(timer.Running());
    PumpMessages(300);
    EXPECT_EQ(count, 0);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Running());
    PumpUntil([&] { return count >= 3; }, 10000);
    EXPECT_GE(count, 3);
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
    const int stopped = count;
    PumpMessages(200);
    EXPECT_EQ(count, stopped);
}

// A handler that throws is reported by the application and the timer keeps ticking.
TEST(Timer, HandlerErrorsAreReportedAndTheTimerRunsOn) {
    TTimer timer(nullptr);
    timer.SetInterval(40);
    int count = 0;
    timer.OnTimer = [&](TObject*) {
        ++count;
        throw EInvalidOperation(L"时钟错误");
    };
    ReportedErrors().clear();
    PumpUntil([&] { return count >= 3; }, 10000);
    EXPECT_GE(count, 3);
    ASSERT_GE(ReportedErrors().size(), 3u);
    EXPECT_EQ(ReportedErrors()[0], L"时钟错误");
}

namespace {
UINT_PTR WINAPI NoTimers(HWND, UINT_PTR, UINT, TIMERPROC) {
    return 0;
}
} // namespace

// When the platform has no timer left, enabling raises "Not enough timers available".
TEST(Timer, NoTimerLeftRaisesTheMessage) {
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    TTimer::SetTimerFunction(&NoTimers);
    try {
        timer.SetEnabled(true);
        ADD_FAILURE() << "no exception";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message(), L"Not enough timers available");
    }
    EXPECT_FALSE(timer.Running());
    // A timer component made while none are left fails the same way and leaves nothing.
    const int thunks = TWndProcThunk::LiveCount();
    EXPECT_THROW(TTimer another(nullptr), EOutOfResources);
    EXPECT_EQ(TWndProcThunk::LiveCount(), thunks);
    TTimer::SetTimerFunction(nullptr);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Running());
}
