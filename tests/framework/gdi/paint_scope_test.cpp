// Paint scopes on real windows: the update region is validated and every
// handle freed even when the painter raises; the off-screen buffer maps the
// target's coordinates and reaches the target only when presented.
#include "framework/gdi/paint_scope.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

using namespace pixel_test;

namespace {

// What the test window does on WM_PAINT.
enum class TPainter { ScopeThenRaise, RaiseWithoutScope };

TPainter g_painter = TPainter::ScopeThenRaise;
int g_paints = 0;
int g_caught = 0;

// Paints the way g_painter says; exceptions stop here, as in every window procedure.
LRESULT CALLBACK TestProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_PAINT)
        return DefWindowProcW(wnd, msg, wp, lp);
    ++g_paints;
    try {
        if (g_painter == TPainter::RaiseWithoutScope)
            throw std::runtime_error("painter failed before painting");
        const TPaintScope paint(wnd);
        const TBufferScope buffer(paint.DC(), paint.Area());
        PatBlt(buffer.DC(), 0, 0, 10, 10, BLACKNESS);
        throw std::runtime_error("painter failed halfway");
    } catch (const std::exception&) {
        ++g_caught;
    }
    return 0;
}

// A visible top-level window of the test class.
HWND MakeWindow() {
    static const ATOM cls = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TestProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PaintScopeTestWindow";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return RegisterClassW(&wc);
    }();
    EXPECT_NE(cls, 0);
    HWND wnd =
        CreateWindowExW(WS_EX_TOPMOST, L"PaintScopeTestWindow", L"", WS_POPUP | WS_VISIBLE, 40, 40,
                        80, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(wnd, nullptr);
    return wnd;
}

// Handles this thread's messages until `done` answers true or `ms` pass
// (one at a time: a window that never validates has a WM_PAINT waiting at
// every look).
template <class Done> void PumpUntil(Done done, int ms) {
    const DWORD end = GetTickCount() + ms;
    MSG m;
    while (!done() && static_cast<int>(end - GetTickCount()) > 0) {
        if (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

bool PaintWaiting() {
    return (HIWORD(GetQueueStatus(QS_ALLINPUT)) & (QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE)) !=
           0;
}

// Live counts of the kinds a paint and a buffer use.
std::array<int, 4> PaintCounters() {
    return {GdiLiveCount(TGdiKind::PaintDC), GdiLiveCount(TGdiKind::MemoryDC),
            GdiLiveCount(TGdiKind::Bitmap), GdiLiveCount(TGdiKind::Selection)};
}

} // namespace

TEST(PaintScope, RaisingPainterStillEndsThePaintAndFreesItsBuffer) {
    const std::array<int, 4> before = PaintCounters();
    HWND wnd = MakeWindow();
    g_painter = TPainter::ScopeThenRaise;
    g_paints = g_caught = 0;
    InvalidateRect(wnd, nullptr, TRUE);
    PumpUntil([] { return g_paints > 0 && !PaintWaiting(); }, 10000);
    // One paint: the scope validated the update region on the way out.
    EXPECT_EQ(g_paints, 1);
    EXPECT_EQ(g_caught, 1);
    EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
    EXPECT_EQ(PaintCounters(), before);
    // The counters did see the scopes while they were alive.
    EXPECT_GT(GdiCreatedCount(TGdiKind::PaintDC), 0);

    // Without the scope nothing validates and the window asks again and again:
    // the check above can tell the two apart.
    g_painter = TPainter::RaiseWithoutScope;
    g_paints = 0;
    InvalidateRect(wnd, nullptr, TRUE);
    PumpUntil([] { return g_paints > 5; }, 10000);
    EXPECT_GT(g_paints, 5);
    EXPECT_TRUE(GetUpdateRect(wnd, nullptr, FALSE));
    ValidateRect(wnd, nullptr);
    DestroyWindow(wnd);
}

TEST(BufferScope, MapsTheAreaAndReachesTheTargetWhenPresented) {
    TBitmap target(20, 10);
    Fill(target, 0, 0, 20, 10, 0xFFFFFF);
    HDC dc = target.Canvas().Handle();
    const std::array<int, 4> before = PaintCounters();
    {
        const TBufferScope buffer(dc, RECT{5, 2, 15, 8});
        ASSERT_TRUE(buffer.Valid());
        EXPECT_EQ(GetObjectType(buffer.DC()), static_cast<DWORD>(OBJ_MEMDC));
        EXPECT_EQ(GdiLiveCount(TGdiKind::MemoryDC), before[1] + 1);
        EXPECT_EQ(GdiLiveCount(TGdiKind::Bitmap), before[2] + 1);
        // Drawing in the target's coordinates: all of it, of which the area is kept.
        const RECT all{0, 0, 20, 10};
        FillRect(buffer.DC(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SetPixel(buffer.DC(), 5, 2, RGB(0, 0, 255));
        SetPixel(buffer.DC(), 14, 7, RGB(0, 255, 0));
        GdiFlush();
        EXPECT_EQ(CountOther(target, 0, 0, 20, 10, 0xFFFFFF), 0); // nothing before Present
        buffer.Present();
        GdiFlush();
    }
    EXPECT_EQ(PaintCounters(), before);
    EXPECT_EQ(At(target, 5, 2), 0xFF0000);  // blue, 0x00BBGGRR
    EXPECT_EQ(At(target, 14, 7), 0x00FF00); // green
    EXPECT_EQ(At(target, 6, 2), 0x000000);
    EXPECT_EQ(At(target, 14, 6), 0x000000);
    EXPECT_EQ(CountOther(target, 5, 2, 15, 8, 0x000000), 2);
    // Outside the area the target is untouched.
    EXPECT_EQ(CountOther(target, 0, 0, 20, 2, 0xFFFFFF), 0);
    EXPECT_EQ(CountOther(target, 0, 8, 20, 10, 0xFFFFFF), 0);
    EXPECT_EQ(CountOther(target, 0, 2, 5, 8, 0xFFFFFF), 0);
    EXPECT_EQ(CountOther(target, 15, 2, 20, 8, 0xFFFFFF), 0);

    // An empty area still gives a usable one-pixel buffer at its corner.
    {
        const TBufferScope empty(dc, RECT{3, 3, 3, 3});
        ASSERT_TRUE(empty.Valid());
        EXPECT_EQ(empty.Area().right, 4);
        EXPECT_EQ(empty.Area().bottom, 4);
        SetPixel(empty.DC(), 3, 3, RGB(255, 0, 0));
        empty.Present();
        GdiFlush();
    }
    EXPECT_EQ(At(target, 3, 3), 0x0000FF);
    EXPECT_EQ(At(target, 4, 3), 0xFFFFFF);
    EXPECT_EQ(PaintCounters(), before);
}
