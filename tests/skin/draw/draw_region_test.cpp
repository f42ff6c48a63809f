// Regions from pictures and the whole-bitmap transforms.
#include "skin/draw/skin_draw.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pixel_test;

namespace {

// The rectangles of a region, as the system stores them.
std::vector<RECT> RegionRects(HRGN rgn) {
    const DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<uint8_t> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    GetRegionData(rgn, size, data);
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(r, r + data->rdh.nCount);
}

// The region a naive union of one rectangle per run would give.
TRegionHandle NaiveRegion(TBitmap& pic, int dx, int dy) {
    TRegionHandle result(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < pic.Height(); ++y) {
        int x = 0;
        while (x < pic.Width()) {
            while (x < pic.Width() && At(pic, x, y) == kSkinKeyColor) {
                ++x;
            }
            const int start = x;
            while (x < pic.Width() && At(pic, x, y) != kSkinKeyColor) {
                ++x;
            }
            if (x > start) {
                TRegionHandle run(CreateRectRgn(start + dx, y + dy, x + dx, y + 1 + dy));
                CombineRgn(result.Get(), result.Get(), run.Get(), RGN_OR);
            }
        }
    }
    return result;
}

} // namespace

TEST(RegionFromBitmap, CoversEveryNonKeyPixel) {
    // No key colour at all: one run per row spanning the width, which the
    // system merges into the picture's rectangle, moved by the offsets.
    TBitmap solid(7, 5);
    Fill(solid, 0, 0, 7, 5, 0x336699);
    TRegionHandle rgn = RegionFromBitmap(solid, 3, 4, 1, 1, 1);
    ASSERT_TRUE(rgn);
    TRegionHandle whole(CreateRectRgn(3, 4, 10, 9));
    EXPECT_TRUE(EqualRgn(rgn.Get(), whole.Get()));

    // Holes of the key colour and of colours within the tolerance.
    TBitmap pic(6, 3);
    Fill(pic, 0, 0, 6, 3, 0x000000);
    Put(pic, 0, 0, kSkinKeyColor);
    Put(pic, 2, 0, 0x00FF01FF);           // green 1: within tolerance 1
    Put(pic, 3, 0, 0x00FF02FF);           // green 2: outside
    Put(pic, 5, 1, 0x00FE00FF);           // blue 254: below the key, outside
    Fill(pic, 0, 2, 6, 3, kSkinKeyColor); // an empty row
    rgn = RegionFromBitmap(pic, 0, 0, 1, 1, 1);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 1, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 2, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 3, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 5, 1));
    for (int x = 0; x < 6; ++x) {
        EXPECT_FALSE(PtInRegion(rgn.Get(), x, 2));
    }
    const std::vector<RECT> rects = RegionRects(rgn.Get());
    ASSERT_EQ(rects.size(), 3u); // row 0: [1,2) and [3,6); row 1: [0,6)
    EXPECT_EQ(rects[0].left, 1);
    EXPECT_EQ(rects[0].right, 2);
    EXPECT_EQ(rects[1].left, 3);
    EXPECT_EQ(rects[2].top, 1);
    EXPECT_EQ(rects[2].right, 6);

    // All key: an empty region, not a missing one.
    Fill(pic, 0, 0, 6, 3, kSkinKeyColor);
    rgn = RegionFromBitmap(pic, 0, 0, 1, 1, 1);
    ASSERT_TRUE(rgn);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn.Get(), &box), NULLREGION);
}

TEST(RegionFromBitmap, TolerancesComeInBlueGreenRedOrder) {
    // Key R 0x60, G 0x40, B 0x20 with a different tolerance per channel:
    // blue 1, green 3, red 5. A mix-up of any two arguments moves a pixel
    // across the edge of its range.
    const TColor key = 0x00204060; // 0x00BBGGRR
    const TColor row[] = {
        key,        // 0: the key itself
        0x00204065, // 1: red + 5, inside
        0x00204066, // 2: red + 6, outside
        0x00204360, // 3: green + 3, inside
        0x00204460, // 4: green + 4, outside
        0x00214060, // 5: blue + 1, inside
        0x00224060, // 6: blue + 2, outside (inside if blue took red's or green's tolerance)
        0x0020405F, // 7: red - 1, below the key: outside
    };
    const bool inside[] = {true, true, false, true, false, true, false, false};
    TBitmap pic(8, 1);
    for (int x = 0; x < 8; ++x) {
        Put(pic, x, 0, row[x]);
    }
    TRegionHandle rgn = RegionFromBitmap(pic, 0, 0, 1, 3, 5, key);
    ASSERT_TRUE(rgn);
    for (int x = 0; x < 8; ++x) {
        // Key-coloured pixels are cut out of the region.
        EXPECT_EQ(PtInRegion(rgn.Get(), x, 0) != FALSE, !inside[x]) << "pixel " << x;
    }
    // The other way round: blue 5 cuts pixel 6 out; red 1 and green 1 keep pixels 1 and 3.
    rgn = RegionFromBitmap(pic, 0, 0, 5, 1, 1, key);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 6, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 1, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 3, 0));
}

TEST(RegionFromBitmap, LargePictureMatchesNaiveUnionAcrossBatches) {
    // 2000 x 2000 with a few runs per row whose positions drift, so that
    // thousands of rectangles pass through several batches of 2000.
    TBitmap pic(2000, 2000);
    for (int y = 0; y < 2000; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(pic.ScanLine(y));
        for (int x = 0; x < 2000; ++x) {
            const int phase = (x + y * 7) % 400;
            row[x] = (phase < 150 || (phase > 300 && phase < 320)) ? 0x00FF00FF : 0x00808080;
        }
    }
    TRegionHandle fast = RegionFromBitmap(pic, 10, 20, 1, 1, 1);
    TRegionHandle naive = NaiveRegion(pic, 10, 20);
    EXPECT_TRUE(EqualRgn(fast.Get(), naive.Get()));
    EXPECT_GT(RegionRects(fast.Get()).size(), 4000u);
}

TEST(Transforms, GrayMirrorFlip) {
    TBitmap b(3, 2);
    Put(b, 0, 0, 0x000030); // R 48
    Put(b, 1, 0, 0x102030); // (48 + 32 + 16) / 3 = 32
    Put(b, 2, 0, 0xFFFFFF);
    Put(b, 0, 1, 0x0000FF); // 85
    Put(b, 1, 1, 0x010000); // 0
    Put(b, 2, 1, 0x020202);
    GrayBitmap(b);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(At(b, 0, 0), 0x101010);
    EXPECT_EQ(At(b, 1, 0), 0x202020);
    EXPECT_EQ(At(b, 2, 0), 0xFFFFFF);
    EXPECT_EQ(At(b, 0, 1), 0x555555);
    EXPECT_EQ(At(b, 1, 1), 0x000000);
    EXPECT_EQ(At(b, 2, 1), 0x020202);

    TBitmap m(3, 2, TPixelFormat::pf24bit);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            Put(m, x, y, 0x10 * (y * 3 + x + 1));
        }
    }
    MirrorBitmap(m);
    EXPECT_EQ(At(m, 0, 0), 0x30);
    EXPECT_EQ(At(m, 1, 0), 0x20);
    EXPECT_EQ(At(m, 2, 0), 0x10);
    EXPECT_EQ(At(m, 0, 1), 0x60);
    FlipBitmap(m);
    EXPECT_EQ(At(m, 0, 0), 0x60);
    EXPECT_EQ(At(m, 2, 1), 0x10);
    EXPECT_EQ(m.Width(), 3);
    EXPECT_EQ(m.PixelFormat(), TPixelFormat::pf24bit);
}

TEST(Transforms, QuarterTurns) {
    // 3 x 2:  a b c
    //         d e f
    TBitmap b(3, 2, TPixelFormat::pf24bit);
    const TColor a = 0x0A, bb = 0x0B, c = 0x0C, d = 0x0D, e = 0x0E, f = 0x0F;
    Put(b, 0, 0, a), Put(b, 1, 0, bb), Put(b, 2, 0, c);
    Put(b, 0, 1, d), Put(b, 1, 1, e), Put(b, 2, 1, f);
    RotateBitmapLeft(b); // counter-clockwise: c f / b e / a d
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(At(b, 0, 0), c);
    EXPECT_EQ(At(b, 1, 0), f);
    EXPECT_EQ(At(b, 0, 1), bb);
    EXPECT_EQ(At(b, 1, 2), d);
    RotateBitmapRight(b); // back to the start
    ASSERT_EQ(b.Width(), 3);
    const TColor want[6] = {a, bb, c, d, e, f};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(At(b, i % 3, i / 3), want[i]) << i;
    }
    RotateBitmapRight(b); // clockwise: d a / e b / f c
    EXPECT_EQ(At(b, 0, 0), d);
    EXPECT_EQ(At(b, 1, 0), a);
    EXPECT_EQ(At(b, 0, 2), f);
    EXPECT_EQ(At(b, 1, 2), c);
}
