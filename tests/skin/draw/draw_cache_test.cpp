// The prepared-image cache of the frame routines: a repeated paint gives the
// same pixels as the first, a changed picture is never answered from the
// cache, and the cache keeps to its budget and frees all it holds.
#include "skin/draw/element_region.h"
#include "skin/draw/skin_draw.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

using namespace pixel_test;

namespace {

constexpr TColor kBg = 0x00123456;

// Two frames side by side, 20 x 16 each, with a magenta hole in frame 1.
struct TwoFrames {
    TBitmap Pic{40, 16};
    TwoFrames() {
        Fill(Pic, 0, 0, 20, 16, 0x00336699);
        Fill(Pic, 20, 0, 40, 16, 0x00996633);
        Fill(Pic, 0, 0, 3, 3, 0x00FFFFFF);
        Fill(Pic, 8, 6, 12, 10, kSkinKeyColor);
    }
};

// The pixels of a bitmap, for comparing two paints whole.
std::vector<TColor> Pixels(TBitmap& b) {
    std::vector<TColor> px;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            px.push_back(At(b, x, y));
        }
    }
    return px;
}

// Paints with every cached routine onto a fresh background.
std::vector<TColor> PaintAll(TBitmap& pic, TBitmap& dst) {
    Fill(dst, 0, 0, dst.Width(), dst.Height(), kBg);
    HDC dc = dst.Canvas().Handle();
    const TSkinMargins m{3, 3, 3, 3};
    DrawSkinElement(dc, {2, 2, 90, 30}, pic, false, false, true, 2, 1, m);
    DrawSkinElement(dc, {2, 32, 60, 50}, pic, false, true, false, 2, 2, m, COLORONCOLOR);
    DrawSkinCell(dc, {92, 2, 130, 40}, pic, true, 2, 1);
    DrawSkinGlyph(dc, {92, 42, 130, 70}, pic, true, 2, 1);
    TCanvas canvas(dc);
    DrawSkinBar(canvas, {2, 52, 110, 70}, pic, false, true, 2, 2, m);
    canvas.SetHandle(nullptr);
    return Pixels(dst);
}

} // namespace

TEST(SkinDrawCache, RepeatsArePixelExactAndChangedPicturesAreRedrawn) {
    ClearSkinDrawCache();
    TwoFrames p;
    TBitmap dst(140, 72);
    const TSkinDrawCacheStats start = SkinDrawCacheStats();
    const std::vector<TColor> first = PaintAll(p.Pic, dst);
    const TSkinDrawCacheStats afterFirst = SkinDrawCacheStats();
    EXPECT_EQ(afterFirst.Misses - start.Misses, 5);
    EXPECT_EQ(afterFirst.Entries, 5);
    const std::vector<TColor> second = PaintAll(p.Pic, dst);
    EXPECT_EQ(SkinDrawCacheStats().Hits - afterFirst.Hits, 5);
    EXPECT_EQ(first, second);
    // The transparent hole shows the background; the opaque paint covers it.
    EXPECT_EQ(At(dst, 92 + 19, 2 + 19), kBg);
    EXPECT_NE(At(dst, 2, 2), kBg);

    // One pixel changed in frame 1: its paints are made again and show it,
    // frame 2's come from the cache unchanged.
    Put(p.Pic, 0, 15, 0x00010203);
    const TSkinDrawCacheStats beforeChange = SkinDrawCacheStats();
    const std::vector<TColor> changed = PaintAll(p.Pic, dst);
    EXPECT_EQ(SkinDrawCacheStats().Misses - beforeChange.Misses, 3);
    EXPECT_EQ(At(dst, 2, 29), 0x00010203);
    EXPECT_EQ(At(dst, 92, 39), 0x00010203);
    EXPECT_NE(first, changed);

    // A new picture with the same pixels at another address is answered from
    // the cache with the same result.
    TwoFrames q;
    Put(q.Pic, 0, 15, 0x00010203);
    const TSkinDrawCacheStats beforeCopy = SkinDrawCacheStats();
    EXPECT_EQ(PaintAll(q.Pic, dst), changed);
    EXPECT_EQ(SkinDrawCacheStats().Misses, beforeCopy.Misses);
    ClearSkinDrawCache();
}

TEST(SkinDrawCache, KeepsToItsBudgetAndFreesEverything) {
    ClearSkinDrawCache();
    TwoFrames p;
    TBitmap dst(400, 400);
    HDC dc = dst.Canvas().Handle();
    p.Pic.Canvas().Handle(); // the picture's own DC, made on first use
    const int live = GdiLiveTotal();
    // GDI objects proper: bitmaps and memory DCs (selections are not objects).
    auto objects = [] { return GdiLiveCount(TGdiKind::Bitmap) + GdiLiveCount(TGdiKind::MemoryDC); };
    const int objectsBefore = objects();
    int most = 0;
    // Many sizes, transparent: each entry holds an image and a key mask.
    for (int w = 10; w < 10 + 3 * kSkinDrawCacheMaxEntries; ++w) {
        DrawSkinElement(dc, {0, 0, w, 30}, p.Pic, false, false, true, 2, 1, {3, 3, 3, 3});
        const TSkinDrawCacheStats s = SkinDrawCacheStats();
        EXPECT_LE(s.Entries, kSkinDrawCacheMaxEntries);
        EXPECT_LE(s.Bytes, kSkinDrawCacheMaxBytes);
        most = std::max(most, objects() - objectsBefore);
    }
    EXPECT_EQ(SkinDrawCacheStats().Entries, kSkinDrawCacheMaxEntries);
    // A bitmap and a DC each for the image and the mask.
    EXPECT_EQ(most, 4 * kSkinDrawCacheMaxEntries);
    ClearSkinDrawCache();
    EXPECT_EQ(SkinDrawCacheStats().Entries, 0);
    EXPECT_EQ(SkinDrawCacheStats().Bytes, 0u);
    EXPECT_EQ(GdiLiveTotal(), live);

    // Large images are drawn but never kept.
    TBitmap big(1200, 1000);
    DrawSkinElement(big.Canvas().Handle(), {0, 0, 1200, 1000}, p.Pic, false, false, false, 2, 1,
                    {3, 3, 3, 3});
    EXPECT_EQ(SkinDrawCacheStats().Entries, 0);
    EXPECT_EQ(At(big, 5, 500), 0x00336699);
}

// The shape of a frame is the region of the pixels DrawSkinElement draws,
// first made and then answered from the kept image at any place.
TEST(SkinDrawCache, ElementRegionsAreThoseOfTheDrawnFrame) {
    ClearSkinDrawCache();
    TwoFrames p;
    Fill(p.Pic, 20, 0, 22, 2, kSkinKeyColor); // frame 2's top-left corner cut
    const TSkinMargins m{3, 3, 3, 3};
    for (const RECT& target : {RECT{5, 7, 65, 37}, RECT{0, 0, 8, 300}}) {
        for (int k : {1, 2}) {
            auto image = StretchSkinFrame(target, p.Pic, m, false, false, 2, k);
            TRegionHandle expected = RegionFromBitmap(*image, target.left, target.top, 1, 1, 1);
            TRegionHandle first = SkinElementRegion(target, p.Pic, false, false, 2, k, m);
            TRegionHandle again = SkinElementRegion(target, p.Pic, false, false, 2, k, m);
            EXPECT_TRUE(EqualRgn(first.Get(), expected.Get()));
            EXPECT_TRUE(EqualRgn(again.Get(), expected.Get()));
        }
    }
    // Frame 2's cut corner is outside; frame 1's hole (in its stretched
    // middle) too, the frame's opaque corner inside.
    TRegionHandle shape = SkinElementRegion({5, 7, 65, 37}, p.Pic, false, false, 2, 2, m);
    EXPECT_FALSE(PtInRegion(shape.Get(), 5, 7));
    EXPECT_TRUE(PtInRegion(shape.Get(), 8, 10));
    shape = SkinElementRegion({5, 7, 65, 37}, p.Pic, false, false, 2, 1, m);
    EXPECT_TRUE(PtInRegion(shape.Get(), 5, 7));
    EXPECT_FALSE(PtInRegion(shape.Get(), 35, 22));
    // Shaping and drawing the same frame again and again keeps nothing more.
    TBitmap dst(80, 40);
    HDC dc = dst.Canvas().Handle();
    DrawSkinElement(dc, {5, 7, 65, 37}, p.Pic, false, false, false, 2, 1, m);
    const int live = GdiLiveTotal();
    for (int i = 0; i < 20; ++i) {
        TRegionHandle r = SkinElementRegion({5, 7, 65, 37}, p.Pic, false, false, 2, 1, m);
        DrawSkinElement(dc, {5, 7, 65, 37}, p.Pic, false, false, false, 2, 1, m);
    }
    EXPECT_EQ(GdiLiveTotal(), live);
    ClearSkinDrawCache();
}
