// The prepared-image cache of the frame routines: a repeated paint gives the
// same pixels as the first, a changed picture is never answered from the
// cache, and the cache keeps to its budget and frees all it holds.
#include "skin/draw/draw_internal.h"
#include "skin/draw/element_region.h"
#include "skin/draw/skin_draw.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

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

// Below eight bits a pixel a frame's bytes hold part of its neighbour: two
// frames with the same bytes at another bit offset are other pictures. A
// 4-bit strip of three-pixel frames A B | A B A B: frame 0 is A B A, frame 1
// is B A B, and both are keyed on the bytes "A B", "A B".
TEST(SkinDrawCache, FramesStartingMidByteAreTheirOwnPictures) {
    ClearSkinDrawCache();
    TBitmap pic(6, 4, TPixelFormat::pf4bit);
    std::vector<uint32_t> palette(16, 0);
    palette[1] = 0x00FF0000;
    palette[2] = 0x000000FF;
    pic.SetColorTable(palette);
    for (int y = 0; y < 4; ++y) {
        uint8_t* row = pic.ScanLine(y);
        row[0] = row[1] = row[2] = 0x12;
    }
    TBitmap dst(3, 4);
    const auto paint = [&](int frame) {
        Fill(dst, 0, 0, 3, 4, kBg);
        DrawSkinCell(dst.Canvas().Handle(), {0, 0, 3, 4}, pic, false, 2, frame);
        return Pixels(dst);
    };
    const std::vector<TColor> first = paint(1), second = paint(2);
    ClearSkinDrawCache();
    const std::vector<TColor> secondAlone = paint(2);
    EXPECT_EQ(second, secondAlone);
    EXPECT_NE(first, second);
    EXPECT_EQ(secondAlone[0], first[1]); // B A B starts with A B A's B
    EXPECT_EQ(secondAlone[1], first[0]);
    ClearSkinDrawCache();
}

TEST(SkinDrawCache, KeepsToItsBudgetAndFreesEverything) {
    ClearSkinDrawCache();
    TwoFrames p;
    TBitmap dst(400, 400);
    HDC dc = dst.Canvas().Handle();
    p.Pic.Canvas().Handle(); // the picture's own DC, made on first use
    TwoFrames dotted;
    for (int y = 0; y < 16; ++y) {
        for (int x = y % 2; x < 20; x += 2) {
            Put(dotted.Pic, x, y, kSkinKeyColor);
        }
    }
    dotted.Pic.Canvas().Handle();
    const int live = GdiLiveTotal();
    // GDI objects proper: bitmaps and memory DCs (selections are not objects).
    auto objects = [] { return GdiLiveCount(TGdiKind::Bitmap) + GdiLiveCount(TGdiKind::MemoryDC); };
    // Many sizes, transparent. An image whose hole is a few rectangles is
    // kept alone (a bitmap and its DC); one with key pixels all over also
    // keeps its mask and cut-out image (one more bitmap and DC), counted
    // in its bytes.
    for (auto [pic, height, perEntry] : {std::tuple{&p.Pic, 30, 2}, {&dotted.Pic, 200, 4}}) {
        int most = 0;
        const int objectsBefore = objects();
        for (int w = 10; w < 10 + 3 * kSkinDrawCacheMaxEntries; ++w) {
            DrawSkinElement(dc, {0, 0, w, height}, *pic, false, false, true, 2, 1, {3, 3, 3, 3});
            const TSkinDrawCacheStats s = SkinDrawCacheStats();
            EXPECT_LE(s.Entries, kSkinDrawCacheMaxEntries);
            EXPECT_LE(s.Bytes, kSkinDrawCacheMaxBytes);
            most = std::max(most, objects() - objectsBefore);
            EXPECT_EQ(objects() - objectsBefore, perEntry * s.Entries);
        }
        EXPECT_EQ(most, perEntry * kSkinDrawCacheMaxEntries) << perEntry;
        if (perEntry == 4) {
            // 160 x 200 images with their planes: the byte budget bites.
            EXPECT_LT(SkinDrawCacheStats().Entries, kSkinDrawCacheMaxEntries);
        }
        ClearSkinDrawCache();
    }
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

// The rectangles of an image's other pixels: runs per row, equal rows merged.
TEST(SkinDrawCache, KeylessRectsCoverExactlyTheOtherPixels) {
    constexpr uint32_t K = 0x00FF00FF, o = 0x00336699;
    // 5 x 4: key corners on the top row, a key pixel in the middle of row 2.
    const uint32_t px[] = {K, o, o, o, K, //
                           o, o, o, o, o, //
                           o, o, K, o, o, //
                           o, o, o, o, o};
    const std::vector<RECT> rects = skin_draw_detail::KeylessRects(px, 5, 5, 4, K, 16);
    auto is = [](const RECT& r, int l, int t, int rt, int b) {
        return r.left == l && r.top == t && r.right == rt && r.bottom == b;
    };
    // Row 3 equals row 1 but not row 2 above it: rows merge only with the
    // row directly above.
    ASSERT_EQ(rects.size(), 5u);
    EXPECT_TRUE(is(rects[0], 1, 0, 4, 1));
    EXPECT_TRUE(is(rects[1], 0, 1, 5, 2));
    EXPECT_TRUE(is(rects[2], 0, 2, 2, 3));
    EXPECT_TRUE(is(rects[3], 3, 2, 5, 3));
    EXPECT_TRUE(is(rects[4], 0, 3, 5, 4));
    // With the other colour as key: the three pixels that were key.
    const std::vector<RECT> inverse = skin_draw_detail::KeylessRects(px, 5, 5, 4, o, 16);
    ASSERT_EQ(inverse.size(), 3u);
    EXPECT_TRUE(is(inverse[0], 0, 0, 1, 1));
    EXPECT_TRUE(is(inverse[1], 4, 0, 5, 1));
    EXPECT_TRUE(is(inverse[2], 2, 2, 3, 3));
    // Past the limit the search stops: row 2 takes it from 2 to 4.
    EXPECT_EQ(skin_draw_detail::KeylessRects(px, 5, 5, 4, K, 2).size(), 4u);
    // Equal rows extend their rectangles; an all-key image has none.
    const uint32_t bands[] = {o, K, o, o, K, o, K, K, K};
    const std::vector<RECT> two = skin_draw_detail::KeylessRects(bands, 3, 3, 3, K, 16);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].bottom, 2);
    EXPECT_EQ(two[1].bottom, 2);
    const uint32_t allKey[] = {K, K, K, K};
    EXPECT_TRUE(skin_draw_detail::KeylessRects(allKey, 2, 2, 2, K, 16).empty());
}

namespace {

// The raw bytes of a bitmap's rows.
std::vector<uint8_t> Bytes(TBitmap& b) {
    std::vector<uint8_t> bytes;
    for (int y = 0; y < b.Height(); ++y) {
        const uint8_t* row = b.ScanLine(y);
        bytes.insert(bytes.end(), row, row + b.Stride());
    }
    return bytes;
}

// A bitmap of the format whose every pixel differs from its neighbours.
std::unique_ptr<TBitmap> Patterned(int w, int h, TPixelFormat format) {
    auto b = std::make_unique<TBitmap>(w, h, format);
    if (format == TPixelFormat::pf8bit) {
        std::vector<uint32_t> palette;
        for (uint32_t i = 0; i < 256; ++i) {
            palette.push_back((i * 0x010307u) & 0x00FFFFFFu);
        }
        palette[255] = 0x00FFFFFF;
        palette[0] = 0;
        b->SetColorTable(palette);
    }
    for (int y = 0; y < h; ++y) {
        uint8_t* row = b->ScanLine(y);
        for (int i = 0; i < b->Stride(); ++i) {
            row[i] = uint8_t(i * 7 + y * 13);
        }
        if (format == TPixelFormat::pf32bit) {
            for (int x = 0; x < w; ++x) {
                row[4 * x + 3] = 0; // no fourth byte, as the painters leave it
            }
        }
    }
    return b;
}

} // namespace

// A transparent paint from the cache leaves the same bytes as the monochrome
// mask's copy of the same prepared image, for an image whose other pixels
// are a few rectangles and for one with key pixels all over, onto 32-, 24-
// and 8-bit targets.
TEST(SkinDrawCache, TransparentPaintsAreThoseOfTheMaskCopy) {
    const TSkinMargins m{3, 3, 3, 3};
    TwoFrames corners;
    Fill(corners.Pic, 0, 0, 2, 2, kSkinKeyColor);
    Fill(corners.Pic, 18, 14, 20, 16, kSkinKeyColor);
    TwoFrames dotted;
    for (int y = 0; y < 16; ++y) {
        for (int x = y % 2; x < 20; x += 3) {
            Put(dotted.Pic, x, y, kSkinKeyColor);
        }
    }
    for (TBitmap* pic : {&corners.Pic, &dotted.Pic}) {
        for (const RECT& target : {RECT{3, 4, 50, 30}, RECT{0, 0, 64, 40}}) {
            auto image = StretchSkinFrame(target, *pic, m, false, false, 2, 1);
            for (TPixelFormat f :
                 {TPixelFormat::pf32bit, TPixelFormat::pf24bit, TPixelFormat::pf8bit}) {
                ClearSkinDrawCache();
                auto want = Patterned(64, 40, f), got = Patterned(64, 40, f);
                DrawTransparent(want->Canvas().Handle(), target, *image);
                // Drawn twice: the first paint makes the entry, the second
                // comes from it.
                for (int i = 0; i < 2; ++i) {
                    DrawSkinElement(got->Canvas().Handle(), target, *pic, false, false, true, 2, 1,
                                    m);
                    EXPECT_TRUE(Bytes(*want) == Bytes(*got))
                        << "format " << int(f) << " paint " << i << " width "
                        << target.right - target.left;
                }
                EXPECT_EQ(SkinDrawCacheStats().Entries, 1);
            }
        }
    }
    ClearSkinDrawCache();
}

namespace {

// A 64 x 40 32-bit DIB section in a memory DC, rows top-down or bottom-up,
// every byte patterned (the fourth too).
struct TDibTarget {
    TMemoryDC Dc;
    TBitmapHandle Bitmap;
    std::optional<TSelectObject> Selection;
    uint8_t* Bits = nullptr;
    static constexpr int W = 64, H = 40;
    explicit TDibTarget(bool topDown) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = W;
        info.bmiHeader.biHeight = topDown ? -H : H;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        Bitmap = TBitmapHandle(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        Bits = static_cast<uint8_t*>(bits);
        Selection.emplace(Dc.Handle(), Bitmap.Get());
        for (int i = 0; i < W * H * 4; ++i) {
            Bits[i] = uint8_t(i * 7 + i / (W * 4) * 13);
        }
    }
    std::vector<uint8_t> Bytes() const { return {Bits, Bits + W * H * 4}; }
    // The colour of the pixel at (x, y) counted from the top.
    TColor At(int x, int y, bool topDown) const {
        const uint8_t* p = Bits + (size_t((topDown ? y : H - 1 - y) * W + x) * 4);
        return TColor(p[2] | p[1] << 8 | p[0] << 16);
    }
};

// Pixels of `got` other than a transparent copy of `image` at (left, top)
// shows inside the clipping, and `before` shows elsewhere; `drawn` counts
// the image's pixels shown.
int WrongPixels(const TDibTarget& got, const TDibTarget& before, bool topDown, TBitmap& image,
                int left, int top, const std::function<bool(int, int)>& inClip, int& drawn) {
    int bad = 0;
    drawn = 0;
    for (int y = 0; y < TDibTarget::H; ++y) {
        for (int x = 0; x < TDibTarget::W; ++x) {
            const int ix = x - left, iy = y - top;
            const bool inImage = ix >= 0 && iy >= 0 && ix < image.Width() && iy < image.Height();
            const TColor own = inImage ? At(image, ix, iy) : kSkinKeyColor;
            const bool shows =
                inClip(x, y) && inImage && ColorToRGB(own) != ColorToRGB(kSkinKeyColor);
            drawn += shows;
            bad += got.At(x, y, topDown) != (shows ? own : before.At(x, y, topDown));
        }
    }
    return bad;
}

} // namespace

// Into a 32-bit DIB section, a transparent paint from the cache leaves the
// same bytes as the platform's blits of the same planes (the advanced
// graphics mode keeps the blits), under a viewport and window origin, a
// clip region of two rectangles, both, and with the image partly off the
// bitmap, for rows either way; and the pixels are the image's where it is
// not the key and inside the clipping, the target's elsewhere.
TEST(SkinDrawCache, TransparentPaintsIntoBitsFollowOriginAndClip) {
    const TSkinMargins m{3, 3, 3, 3};
    TwoFrames dotted;
    for (int y = 0; y < 16; ++y) {
        for (int x = y % 2; x < 20; x += 2) {
            Put(dotted.Pic, x, y, kSkinKeyColor);
        }
    }
    const RECT target{-6, 4, 50, 44};
    auto image = StretchSkinFrame(target, dotted.Pic, m, false, false, 2, 1);
    ASSERT_TRUE(image);
    const POINT viewport{9, -5}, window{2, 3};
    auto setUp = [&](HDC dc, bool origin, bool clip) {
        if (origin) {
            SetViewportOrgEx(dc, viewport.x, viewport.y, nullptr);
            SetWindowOrgEx(dc, window.x, window.y, nullptr);
        }
        if (clip) {
            TRegionHandle a(CreateRectRgn(0, 0, 30, 25)), b(CreateRectRgn(20, 20, 60, 38));
            CombineRgn(a.Get(), a.Get(), b.Get(), RGN_OR);
            SelectClipRgn(dc, a.Get());
        }
    };
    for (bool topDown : {true, false}) {
        for (int setup = 0; setup < 4; ++setup) {
            const bool origin = setup & 1, clip = setup & 2;
            ClearSkinDrawCache();
            TDibTarget want(topDown), got(topDown);
            const TDibTarget before(topDown);
            SetGraphicsMode(want.Dc.Handle(), GM_ADVANCED);
            setUp(want.Dc.Handle(), origin, clip);
            setUp(got.Dc.Handle(), origin, clip);
            DrawSkinElement(want.Dc.Handle(), target, dotted.Pic, false, false, true, 2, 1, m);
            for (int i = 0; i < 2; ++i) {
                DrawSkinElement(got.Dc.Handle(), target, dotted.Pic, false, false, true, 2, 1, m);
                EXPECT_TRUE(want.Bytes() == got.Bytes())
                    << "top-down " << topDown << " setup " << setup << " paint " << i;
            }
            const int dx = origin ? viewport.x - window.x : 0,
                      dy = origin ? viewport.y - window.y : 0;
            auto inClip = [clip](int x, int y) {
                return !clip || (x < 30 && y < 25) || (x >= 20 && y >= 20 && x < 60 && y < 38);
            };
            int drawn = 0;
            const int bad = WrongPixels(got, before, topDown, *image, target.left + dx,
                                        target.top + dy, inClip, drawn);
            EXPECT_EQ(bad, 0) << "top-down " << topDown << " setup " << setup;
            EXPECT_GT(drawn, 200);
            // The bits were written by the CPU here, and the advanced mode
            // refuses them: one pixel (logical 20, 22) through a clear mask.
            const uint32_t mask = 0, cut = 0x00ABCDEF;
            EXPECT_TRUE(
                skin_draw_detail::MaskedCopyToDib(got.Dc.Handle(), 20, 22, 1, 1, &mask, &cut, 1));
            EXPECT_EQ(got.At(20 + dx, 22 + dy, topDown), 0x00EFCDAB);
            EXPECT_FALSE(
                skin_draw_detail::MaskedCopyToDib(want.Dc.Handle(), 20, 22, 1, 1, &mask, &cut, 1));
        }
    }
    ClearSkinDrawCache();
}
