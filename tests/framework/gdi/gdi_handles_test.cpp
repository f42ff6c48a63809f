// Handle wrappers: ownership, counters, and scoped selections and states.
#include "framework/gdi/gdi_handles.h"

#include <gtest/gtest.h>

#include <utility>

TEST(GdiHandles, OwningHandlesCountAndFree) {
    const int brushes = GdiLiveCount(TGdiKind::Brush);
    const int64_t made = GdiCreatedCount(TGdiKind::Brush);
    HBRUSH raw = nullptr;
    {
        TBrushHandle a(CreateSolidBrush(RGB(1, 2, 3)));
        raw = a.Get();
        ASSERT_TRUE(a);
        EXPECT_EQ(GdiLiveCount(TGdiKind::Brush), brushes + 1);
        EXPECT_EQ(GdiCreatedCount(TGdiKind::Brush), made + 1);
        TBrushHandle b(std::move(a)); // ownership moves, count stays
        EXPECT_FALSE(a);
        EXPECT_EQ(b.Get(), raw);
        EXPECT_EQ(GdiLiveCount(TGdiKind::Brush), brushes + 1);
        TBrushView view = b.View(); // a view owns nothing
        EXPECT_EQ(view.Get(), raw);
        EXPECT_EQ(GdiLiveCount(TGdiKind::Brush), brushes + 1);
        EXPECT_NE(GetObjectType(raw), 0u);
    }
    EXPECT_EQ(GdiLiveCount(TGdiKind::Brush), brushes);
    EXPECT_EQ(GetObjectType(raw), 0u); // really deleted

    // Release hands the handle over uncounted; Reset replaces.
    TPenHandle pen(CreatePen(PS_SOLID, 1, 0));
    HPEN kept = pen.Release();
    EXPECT_EQ(GdiLiveCount(TGdiKind::Pen), 0);
    EXPECT_NE(GetObjectType(kept), 0u);
    pen.Reset(kept);
    EXPECT_EQ(GdiLiveCount(TGdiKind::Pen), 1);
    pen.Reset(CreatePen(PS_SOLID, 2, 0));
    EXPECT_EQ(GdiLiveCount(TGdiKind::Pen), 1);
    EXPECT_EQ(GetObjectType(kept), 0u);
    pen.Reset();
    EXPECT_EQ(GdiLiveCount(TGdiKind::Pen), 0);
    EXPECT_EQ(GdiLiveTotal(), GdiLiveCount(TGdiKind::Brush) + GdiLiveCount(TGdiKind::Pen));

    // Move assignment frees what the target held.
    TRegionHandle r1(CreateRectRgn(0, 0, 1, 1)), r2(CreateRectRgn(0, 0, 2, 2));
    HRGN first = r1.Get();
    r1 = std::move(r2);
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(GdiLiveCount(TGdiKind::Region), 1);
}

TEST(GdiHandles, DeviceContextsSelectionsAndSavedStates) {
    const int dcs = GdiLiveCount(TGdiKind::MemoryDC);
    {
        TMemoryDC mem(nullptr);
        ASSERT_NE(mem.Handle(), nullptr);
        EXPECT_EQ(GdiLiveCount(TGdiKind::MemoryDC), dcs + 1);
        TBitmapHandle bmp(CreateBitmap(4, 4, 1, 1, nullptr));
        HGDIOBJ original = GetCurrentObject(mem.Handle(), OBJ_BITMAP);
        {
            TSelectObject sel(mem.Handle(), bmp.Get());
            EXPECT_EQ(GetCurrentObject(mem.Handle(), OBJ_BITMAP), bmp.Get());
            EXPECT_EQ(sel.Previous(), original);
            EXPECT_EQ(GdiLiveCount(TGdiKind::Selection), 1);
        }
        EXPECT_EQ(GetCurrentObject(mem.Handle(), OBJ_BITMAP), original);
        EXPECT_EQ(GdiLiveCount(TGdiKind::Selection), 0);
        {
            TSaveDC state(mem.Handle());
            SetTextColor(mem.Handle(), RGB(9, 8, 7));
            SetViewportOrgEx(mem.Handle(), 5, 6, nullptr);
        }
        POINT org;
        GetViewportOrgEx(mem.Handle(), &org);
        EXPECT_EQ(org.x, 0);
        EXPECT_EQ(org.y, 0);
        EXPECT_EQ(GetTextColor(mem.Handle()), RGB(0, 0, 0)); // a new DC's black
        EXPECT_EQ(GdiLiveCount(TGdiKind::SavedState), 0);
    }
    EXPECT_EQ(GdiLiveCount(TGdiKind::MemoryDC), dcs);
    {
        TClientDC screen(nullptr);
        ASSERT_NE(screen.Handle(), nullptr);
        EXPECT_EQ(GdiLiveCount(TGdiKind::WindowDC), 1);
    }
    EXPECT_EQ(GdiLiveCount(TGdiKind::WindowDC), 0);
}
