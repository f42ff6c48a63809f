// Helpers of the frame painting tests: a hand-made skin whose border pixels
// are known, the real skins loaded from their sources, and region and
// bitmap comparisons.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <vector>

#include "skin/window/frame_paint.h"
#include "tests/framework/gdi/pixel_test_util.h"
#include "tests/skin/model/model_fixture.h"

namespace frame_test {

using namespace pixel_test;

constexpr TColor kMagenta = 0x00FF00FF;
constexpr TColor kBg = 0x00123456;
constexpr TColor kTop1 = 0x00A04020, kTop2 = 0x002040A0, kTopMark = 0x00F0F0F0;
constexpr TColor kSide1 = 0x0030C030, kSide2 = 0x00C03030;
constexpr TColor kSideEnd1 = 0x00808000, kSideEnd2 = 0x00008080;
constexpr TColor kBottom1 = 0x00404080, kBottom2 = 0x00804040;

// A hand-made skin with known border pixels:
// - top: two stacked 30 x 10 frames (ends 6 px fixed); frame 1 has magenta
//   corners (0,0) (1,0) (0,1) and their mirror images, frame 2 none;
// - left / right: two 4 x 20 frames side by side (ends 5 and 3 px fixed),
//   the last 3 rows in an end colour, the outer top pixel magenta;
// - bottom: two stacked 30 x 4 frames, not transparent.
struct SyntheticSkin {
    TSkinData Data{nullptr};

    SyntheticSkin() {
        TDataSkinBorder& top = *Data.TopBorder;
        Border(top, 30, 20, 6, 0, 6, 0);
        Fill(top.Picture, 0, 0, 30, 10, kTop1);
        Fill(top.Picture, 0, 10, 30, 20, kTop2);
        for (POINT p : {POINT{0, 0}, {1, 0}, {0, 1}, {29, 0}, {28, 0}, {29, 1}}) {
            Put(top.Picture, p.x, p.y, kMagenta);
        }
        Side(*Data.LeftBorder, 0);
        Side(*Data.RightBorder, 3);
        TDataSkinBorder& bottom = *Data.BottomBorder;
        Border(bottom, 30, 8, 2, 0, 2, 0);
        Fill(bottom.Picture, 0, 0, 30, 4, kBottom1);
        Fill(bottom.Picture, 0, 4, 30, 8, kBottom2);
        bottom.Trans = 0;
        Data.TitleTextActiveColour = 0x000000FF;
        Data.TitleTextNoActiveColour = 0x00FF0000;
    }
    static void Border(TDataSkinBorder& b, int w, int h, int l, int t, int r, int btm) {
        b.Picture.SetSize(w, h);
        b.FrameCount = 2;
        b.LeftWidth = l;
        b.TopHeight = t;
        b.RightWidth = r;
        b.BottomHeight = btm;
        b.Tile = 1; // Stretch = 1: stretched
        b.TileHoldsStretch = true;
        b.Trans = 1;
    }
    static void Side(TDataSkinBorder& b, int magentaX) {
        Border(b, 8, 20, 0, 5, 0, 3);
        Fill(b.Picture, 0, 0, 4, 17, kSide1);
        Fill(b.Picture, 0, 17, 4, 20, kSideEnd1);
        Fill(b.Picture, 4, 0, 8, 17, kSide2);
        Fill(b.Picture, 4, 17, 8, 20, kSideEnd2);
        Put(b.Picture, magentaX, 0, kMagenta);
        Put(b.Picture, 4 + magentaX, 0, kMagenta);
    }
};

// The real skins, loaded from their sources.
inline void LoadXPLuna(TSkinData& data) {
    ASSERT_TRUE(model_test::LoadBytes(data, model_test::ProjectSkin()));
}
inline void LoadGraphite(TSkinData& data) {
    ASSERT_TRUE(model_test::LoadBytes(data, PackSkinFolder(LT_GRAPHITE_DIR)));
}

inline bool In(const TRegionHandle& r, int x, int y) {
    return PtInRegion(r.Get(), x, y) != FALSE;
}

// Expects every point inside the region, or every point outside it.
inline void ExpectPoints(const TRegionHandle& r, bool inside, std::initializer_list<POINT> points) {
    for (POINT p : points) {
        EXPECT_EQ(In(r, p.x, p.y), inside) << p.x << "," << p.y;
    }
}

inline std::vector<RECT> RegionRects(const TRegionHandle& r) {
    const DWORD size = GetRegionData(r.Get(), 0, nullptr);
    std::vector<uint8_t> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(r.Get(), size, data);
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return {rects, rects + data->rdh.nCount};
}

inline bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// Number of pixels in which two bitmaps of the same size differ.
inline int Differences(TBitmap& a, TBitmap& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            n += At(a, x, y) != At(b, x, y);
        }
    }
    return n;
}

// Title, left, right, bottom.
inline std::tuple<int, int, int, int> Thickness(const TFrameMetrics& m) {
    return {m.Title, m.Left, m.Right, m.Bottom};
}

} // namespace frame_test
