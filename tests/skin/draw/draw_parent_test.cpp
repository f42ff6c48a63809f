// DrawParentBackground on real windows: the parent's erase and paint land in
// the control's DC at the control's offset, and the invalidation rules.
#include "skin/draw/skin_draw.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace pixel_test;

namespace {

std::vector<UINT> g_messages;

// A parent that erases red and paints a blue square at (30, 30)-(40, 40),
// both into the DC passed in wParam.
LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND || (msg == WM_PAINT && wp)) {
        g_messages.push_back(msg);
        HDC dc = reinterpret_cast<HDC>(wp);
        RECT r{0, 0, 200, 200};
        if (msg == WM_PAINT) {
            r = RECT{30, 30, 40, 40};
        }
        TBrushHandle brush(CreateSolidBrush(msg == WM_PAINT ? RGB(0, 0, 255) : RGB(255, 0, 0)));
        FillRect(dc, &r, brush.Get());
        return 1;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

struct Windows {
    HWND Top = nullptr, Parent = nullptr, Control = nullptr;
    Windows() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DrawParentTestParent";
        RegisterClassW(&wc);
        Top = CreateWindowExW(0, wc.lpszClassName, L"top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              300, 300, nullptr, nullptr, wc.hInstance, nullptr);
        Parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 5, 5, 150, 150,
                                 Top, nullptr, wc.hInstance, nullptr);
        Control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 25, 25, 20, 20, Parent,
                                  nullptr, wc.hInstance, nullptr);
        Settle();
    }
    ~Windows() { DestroyWindow(Top); }
    // Lets pending paints run, then marks everything valid.
    void Settle() {
        UpdateWindow(Top);
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&m);
        }
        ValidateRect(Top, nullptr);
        ValidateRect(Parent, nullptr);
    }
    bool ParentInvalid() { return GetUpdateRect(Parent, nullptr, FALSE) != 0; }
};

} // namespace

TEST(DrawParentBackground, PaintsTheParentBehindTheControl) {
    Windows w;
    TBitmap img(20, 20);
    Fill(img, 0, 0, 20, 20, 0x00FFFFFF);
    HDC dc = img.Canvas().Handle();
    SetViewportOrgEx(dc, 0, 0, nullptr);
    g_messages.clear();
    DrawParentBackground(w.Control, dc, false, TParentBackgroundInfo{});
    ASSERT_EQ(g_messages, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    // Control at (25, 25): the parent's square (30..40) shows at (5..15).
    EXPECT_EQ(At(img, 0, 0), 0x0000FF);
    EXPECT_EQ(At(img, 4, 4), 0x0000FF);
    EXPECT_EQ(At(img, 5, 5), 0xFF0000);
    EXPECT_EQ(At(img, 14, 14), 0xFF0000);
    EXPECT_EQ(At(img, 15, 15), 0x0000FF);
    // The DC's state is restored.
    POINT org;
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org.x, 0);
    EXPECT_EQ(org.y, 0);
    RECT clip;
    GetClipBox(dc, &clip);
    EXPECT_EQ(clip.right, 20);

    // A control without a window at (30, 32) of the parent.
    Fill(img, 0, 0, 20, 20, 0x00FFFFFF);
    DrawParentBackground(w.Parent, 30, 32, dc, false, TParentBackgroundInfo{});
    EXPECT_EQ(At(img, 0, 0), 0xFF0000);
    EXPECT_EQ(At(img, 9, 7), 0xFF0000);
    EXPECT_EQ(At(img, 10, 7), 0x0000FF);
    EXPECT_EQ(At(img, 9, 8), 0x0000FF);
    g_messages.clear();
    DrawParentBackground(nullptr, 30, 32, dc, true, TParentBackgroundInfo{});
    EXPECT_TRUE(g_messages.empty());

    // A top-level window has no parent: nothing happens.
    g_messages.clear();
    DrawParentBackground(w.Top, dc, true, TParentBackgroundInfo{});
    EXPECT_TRUE(g_messages.empty());
}

TEST(DrawParentBackground, InvalidatesOnlyWhenAskedAndAllowed) {
    Windows w;
    TBitmap img(20, 20);
    HDC dc = img.Canvas().Handle();
    TParentBackgroundInfo plain;
    DrawParentBackground(w.Control, dc, false, plain);
    EXPECT_FALSE(w.ParentInvalid());
    DrawParentBackground(w.Control, dc, true, plain);
    EXPECT_TRUE(w.ParentInvalid());

    TParentBackgroundInfo custom;
    custom.ParentIsCustomDrawn = true;
    TParentBackgroundInfo form;
    form.ParentIsForm = true;
    TParentBackgroundInfo designing;
    designing.Designing = true;
    for (const TParentBackgroundInfo* info : {&custom, &form, &designing}) {
        w.Settle();
        DrawParentBackground(w.Control, dc, true, *info);
        EXPECT_FALSE(w.ParentInvalid());
    }

    // Plain windows: a child parent is invalidated, a top-level one (a form) is not.
    w.Settle();
    DrawParentBackground(w.Control, dc, true);
    EXPECT_TRUE(w.ParentInvalid());
    HWND direct = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 1, 1, 5, 5, w.Top,
                                  nullptr, nullptr, nullptr);
    w.Settle();
    DrawParentBackground(direct, dc, true);
    EXPECT_EQ(GetUpdateRect(w.Top, nullptr, FALSE), FALSE);
}

TEST(DrawParentBackground, DesignTimeContainsFailures) {
    Windows w;
    TBitmap img(20, 20);
    HDC dc = img.Canvas().Handle();
    std::vector<UINT> seen;
    TParentBackgroundInfo info;
    info.Designing = true;
    info.Dispatch = [&](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
        seen.push_back(msg);
        throw std::runtime_error("parent failed");
    };
    EXPECT_NO_THROW(DrawParentBackground(w.Control, dc, true, info));
    EXPECT_EQ(seen, std::vector<UINT>{WM_ERASEBKGND}); // the paint is skipped

    seen.clear();
    info.Dispatch = [&](HWND, UINT msg, WPARAM, LPARAM) -> LRESULT {
        seen.push_back(msg);
        if (msg == WM_PAINT) {
            throw std::runtime_error("paint failed");
        }
        return 1;
    };
    EXPECT_NO_THROW(DrawParentBackground(w.Control, dc, true, info));
    EXPECT_EQ(seen, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));

    info.Designing = false; // at run time the failure passes through
    EXPECT_THROW(DrawParentBackground(w.Control, dc, false, info), std::runtime_error);
    // ...and the DC's state is still restored.
    POINT org;
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org.x, 0);
}
