// Executable thunks: routing of calls, pooling of pages, retargeting.
#include "framework/ui/thunk.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Recorder {
    int id;
    HWND wnd = nullptr;
    UINT msg = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;

    static LRESULT __attribute__((thiscall))
    Target(void* self, HWND wnd, UINT msg, WPARAM wparam, LPARAM lparam) {
        auto* r = static_cast<Recorder*>(self);
        r->wnd = wnd;
        r->msg = msg;
        r->wparam = wparam;
        r->lparam = lparam;
        return r->id * 1000 + static_cast<LRESULT>(msg);
    }
    static LRESULT __attribute__((thiscall)) Other(void* self, HWND, UINT, WPARAM, LPARAM) {
        return -static_cast<Recorder*>(self)->id;
    }
};

} // namespace

// A thunk hands its object and all four arguments to the target, and the answer back.
TEST(Thunk, RoutesCallToBoundObjectWithAllArguments) {
    Recorder a{7}, b{9};
    TWndProcThunk ta(&a, &Recorder::Target);
    TWndProcThunk tb(&b, &Recorder::Target);
    HWND fake = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(ta.Proc()(fake, 0x401, 0xDEADBEEF, -5), 7000 + 0x401);
    EXPECT_EQ(a.wnd, fake);
    EXPECT_EQ(a.msg, 0x401u);
    EXPECT_EQ(a.wparam, 0xDEADBEEFu);
    EXPECT_EQ(a.lparam, -5);
    EXPECT_EQ(b.msg, 0u) << "the other object was not touched";
    // Through the system's own caller, as a window procedure is called.
    EXPECT_EQ(CallWindowProcW(tb.Proc(), fake, 0x10, 1, 2), 9000 + 0x10);
    EXPECT_EQ(b.wparam, 1u);
    EXPECT_EQ(b.lparam, 2);
    ta.Retarget(&b, &Recorder::Other);
    EXPECT_EQ(ta.Proc()(fake, 1, 0, 0), -9);
}

// Thunks share pages; the counters follow allocation and every page is given back.
TEST(Thunk, PoolsPagesAndReleasesThem) {
    const int live0 = TWndProcThunk::LiveCount();
    const int pages0 = TWndProcThunk::PageCount();
    Recorder r{1};
    std::vector<std::unique_ptr<TWndProcThunk>> thunks;
    for (int i = 0; i < 1000; ++i)
        thunks.push_back(std::make_unique<TWndProcThunk>(&r, &Recorder::Target));
    EXPECT_EQ(TWndProcThunk::LiveCount(), live0 + 1000);
    // 255 slots of 16 bytes per 4 KB page.
    EXPECT_GE(TWndProcThunk::PageCount(), pages0 + 1000 / 255);
    EXPECT_LE(TWndProcThunk::PageCount(), pages0 + 1000 / 255 + 1);
    // Every one of them still runs after its neighbours were made.
    for (int i = 0; i < 1000; i += 97)
        EXPECT_EQ(thunks[i]->Proc()(nullptr, 3, 0, 0), 1003);
    // Free every other one, then reuse the holes.
    for (int i = 0; i < 1000; i += 2)
        thunks[i].reset();
    EXPECT_EQ(TWndProcThunk::LiveCount(), live0 + 500);
    const int pagesHalf = TWndProcThunk::PageCount();
    for (int i = 0; i < 1000; i += 2)
        thunks[i] = std::make_unique<TWndProcThunk>(&r, &Recorder::Target);
    EXPECT_EQ(TWndProcThunk::PageCount(), pagesHalf) << "freed slots are reused";
    thunks.clear();
    EXPECT_EQ(TWndProcThunk::LiveCount(), live0);
    EXPECT_EQ(TWndProcThunk::PageCount(), pages0);
}
