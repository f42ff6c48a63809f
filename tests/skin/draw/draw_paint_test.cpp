// Transparent copies, tiling, the gradient, the transparent glyph and the
// text helpers.
#include "skin/draw/skin_draw.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

#include <set>

using namespace pixel_test;

namespace {
constexpr TColor kBg = 0x00123456;

// The gradient's expected colour of row y of an h-row gradient from a to b.
TColor GradientRow(TColor a, TColor b, int h, int y) {
    const int j = h - 1 - y;
    TColor out = 0;
    for (int s = 0; s < 24; s += 8) {
        const int start = ((a >> s) & 255) * 65536;
        const int inc = (((b >> s) & 255) * 65536 - start) / h;
        out |= ((start + j * inc) >> 16) << s;
    }
    return out;
}
} // namespace

TEST(DrawTransparent, LeavesKeyPixelsOutAndUsesTheTopLeftPart) {
    TBitmap pic(6, 4);
    Fill(pic, 0, 0, 6, 4, 0x0000FF);
    Put(pic, 1, 1, kSkinKeyColor);
    Put(pic, 5, 3, 0x00FF00); // outside the 4 x 3 part used below
    TBitmap dst(10, 10);
    Fill(dst, 0, 0, 10, 10, kBg);
    DrawTransparent(dst.Canvas().Handle(), {2, 3, 6, 6}, pic);
    EXPECT_EQ(At(dst, 2, 3), 0x0000FF);
    EXPECT_EQ(At(dst, 3, 4), kBg);
    EXPECT_EQ(At(dst, 5, 5), 0x0000FF);
    EXPECT_EQ(CountOther(dst, 2, 3, 6, 6, 0x0000FF), 1);
    EXPECT_EQ(CountOther(dst, 0, 0, 10, 3, kBg), 0);
    EXPECT_EQ(CountOther(dst, 6, 0, 10, 10, kBg), 0);
    // Another key colour.
    Fill(dst, 0, 0, 10, 10, kBg);
    DrawTransparent(dst.Canvas().Handle(), {0, 0, 4, 3}, pic, 0x0000FF);
    EXPECT_EQ(At(dst, 0, 0), kBg);
    EXPECT_EQ(At(dst, 1, 1), kSkinKeyColor);
    // A target larger than the picture: only the picture's 6 x 4 pixels.
    Fill(dst, 0, 0, 10, 10, kBg);
    DrawTransparent(dst.Canvas().Handle(), {1, 1, 10, 10}, pic);
    EXPECT_EQ(At(dst, 6, 4), 0x00FF00);
    EXPECT_EQ(CountOther(dst, 7, 0, 10, 10, kBg), 0);
    EXPECT_EQ(CountOther(dst, 0, 5, 10, 10, kBg), 0);
    // Inverted: nothing.
    Fill(dst, 0, 0, 10, 10, kBg);
    DrawTransparent(dst.Canvas().Handle(), {6, 3, 2, 6}, pic);
    EXPECT_EQ(CountOther(dst, 0, 0, 10, 10, kBg), 0);
}

TEST(TileRect, RepeatsTheSourceAndMayRunPastTheTarget) {
    TBitmap pic(5, 5);
    Fill(pic, 0, 0, 5, 5, 0xFFFFFF);
    Put(pic, 1, 1, 0x0000AA), Put(pic, 2, 1, 0x0000BB), Put(pic, 3, 1, 0x0000CC);
    Put(pic, 1, 2, 0x00AA00), Put(pic, 2, 2, 0x00BB00), Put(pic, 3, 2, 0x00CC00);
    TBitmap dst(12, 8);
    Fill(dst, 0, 0, 12, 8, kBg);
    TCanvas canvas(dst.Canvas().Handle());
    TileRect(canvas, {1, 1, 8, 4}, pic, {1, 1, 4, 3}); // source 3 x 2 over 7 x 3
    const TColor top[3] = {0x0000AA, 0x0000BB, 0x0000CC};
    const TColor bottom[3] = {0x00AA00, 0x00BB00, 0x00CC00};
    for (int x = 1; x < 10; ++x) {    // columns 1..9: three copies, the last past Right
        for (int y = 1; y < 5; ++y) { // rows 1..4: two copies, the last past Bottom
            EXPECT_EQ(At(dst, x, y), ((y - 1) % 2 ? bottom : top)[(x - 1) % 3]) << x << "," << y;
        }
    }
    EXPECT_EQ(CountOther(dst, 10, 0, 12, 8, kBg), 0);
    EXPECT_EQ(CountOther(dst, 0, 5, 12, 8, kBg), 0);
    Fill(dst, 0, 0, 12, 8, kBg);
    TileRect(canvas, {0, 0, 8, 4}, pic, {1, 1, 1, 3}); // zero width
    TileRect(canvas, {0, 0, 8, 4}, pic, {3, 1, 1, 3}); // negative width
    EXPECT_EQ(CountOther(dst, 0, 0, 12, 8, kBg), 0);
    canvas.SetHandle(nullptr);
}

TEST(FillGradient, TwentyOneRowsFromGreyToWhite) {
    TBitmap dst(30, 25);
    Fill(dst, 0, 0, 30, 25, kBg);
    TCanvas canvas(dst.Canvas().Handle());
    const int64_t brushes = GdiCreatedCount(TGdiKind::Brush);
    FillGradient(canvas, {2, 3, 22, 24}, 2, 1, 0x00404040, 0x00FFFFFF);
    // Bottom row exactly colour A; top row 64 + 20 * 596065 / 65536 = 245.
    EXPECT_EQ(At(dst, 2, 23), 0x404040);
    EXPECT_EQ(At(dst, 2, 3), 0xF5F5F5);
    EXPECT_EQ(GradientRow(0x404040, 0xFFFFFF, 21, 0), 0xF5F5F5);
    std::set<TColor> bands;
    for (int y = 0; y < 21; ++y) {
        const TColor want = GradientRow(0x404040, 0xFFFFFF, 21, y);
        bands.insert(want);
        // Width 20: columns 8-15 and 16-19 come from the doubling copies.
        EXPECT_EQ(CountOther(dst, 2, 3 + y, 22, 4 + y, want), 0) << y;
    }
    EXPECT_EQ(GdiCreatedCount(TGdiKind::Brush) - brushes, int64_t(bands.size()));
    EXPECT_EQ(CountOther(dst, 22, 0, 30, 25, kBg), 0);
    EXPECT_EQ(CountOther(dst, 0, 0, 30, 3, kBg), 0);
    EXPECT_EQ(CountOther(dst, 0, 24, 30, 25, kBg), 0);
    canvas.SetHandle(nullptr);
}

TEST(FillGradient, EqualColoursNarrowAndEmpty) {
    TBitmap dst(30, 12);
    Fill(dst, 0, 0, 30, 12, kBg);
    TCanvas canvas(dst.Canvas().Handle());
    int64_t brushes = GdiCreatedCount(TGdiKind::Brush);
    FillGradient(canvas, {0, 0, 20, 10}, 2, 1, 0x00336699, 0x00336699);
    EXPECT_EQ(GdiCreatedCount(TGdiKind::Brush) - brushes, 1); // one band
    EXPECT_EQ(CountOther(dst, 0, 0, 20, 10, 0x336699), 0);

    // Five wide: only the first five strip columns, no doubling copy.
    Fill(dst, 0, 0, 30, 12, kBg);
    FillGradient(canvas, {10, 1, 15, 11}, 2, 1, 0x00000000, 0x00FFFFFF);
    for (int y = 0; y < 10; ++y) {
        EXPECT_EQ(CountOther(dst, 10, 1 + y, 15, 2 + y, GradientRow(0, 0xFFFFFF, 10, y)), 0) << y;
    }
    EXPECT_EQ(CountOther(dst, 15, 0, 30, 12, kBg), 0);
    EXPECT_EQ(CountOther(dst, 0, 0, 10, 12, kBg), 0);

    // System colours are resolved first; zero-size rectangles draw nothing.
    FillGradient(canvas, {0, 0, 3, 2}, 2, 1, clBtnFace, clBtnFace);
    EXPECT_EQ(At(dst, 0, 0), TColor(ColorToRGB(clBtnFace)));
    Fill(dst, 0, 0, 30, 12, kBg);
    brushes = GdiCreatedCount(TGdiKind::Brush);
    FillGradient(canvas, {5, 5, 5, 9}, 2, 1, 0, 0xFFFFFF);
    FillGradient(canvas, {5, 5, 9, 5}, 2, 1, 0, 0xFFFFFF);
    EXPECT_EQ(GdiCreatedCount(TGdiKind::Brush), brushes);
    EXPECT_EQ(CountOther(dst, 0, 0, 30, 12, kBg), 0);
    canvas.SetHandle(nullptr);
}

TEST(DrawTransparentGlyph, CopiesTheSourceCellWithoutTheTransparentColour) {
    TBitmap pic(8, 4);
    Fill(pic, 0, 0, 4, 4, 0x0000FF);
    Fill(pic, 4, 0, 8, 4, 0x00FF00);
    Put(pic, 5, 1, 0xC0C0C0); // transparent colour below
    TBitmap dst(10, 10);
    Fill(dst, 0, 0, 10, 10, kBg);
    TCanvas canvas(dst.Canvas().Handle());
    DrawTransparentGlyph(canvas, pic, {0, 0, 4, 4}, 0xC0C0C0, {4, 0, 8, 4});
    EXPECT_EQ(CountOther(dst, 0, 0, 4, 4, 0x00FF00), 1);
    EXPECT_EQ(At(dst, 1, 1), kBg);
    EXPECT_EQ(CountOther(dst, 4, 0, 10, 10, kBg), 0);
    // Scaled 2x: every destination pixel is green or left alone.
    Fill(dst, 0, 0, 10, 10, kBg);
    DrawTransparentGlyph(canvas, pic, {1, 1, 9, 9}, clSilver, {4, 0, 8, 4});
    int green = 0, bg = 0;
    for (int y = 1; y < 9; ++y) {
        for (int x = 1; x < 9; ++x) {
            green += At(dst, x, y) == 0x00FF00;
            bg += At(dst, x, y) == kBg;
        }
    }
    EXPECT_EQ(green + bg, 64);
    EXPECT_EQ(bg, 4);
    EXPECT_EQ(At(dst, 3, 3), kBg);
    canvas.SetHandle(nullptr);
}

TEST(TextHelpers, ConvertAndDraw) {
    // The test processes run with the Chinese ANSI code page (936).
    ASSERT_EQ(GetACP(), 936u);
    const std::string gbk = "\xD6\xD0\xCE\xC4 ok"; // "中文 ok"
    EXPECT_EQ(AnsiToWide(gbk), L"中文 ok");
    EXPECT_EQ(WideToAnsi(L"中文 ok"), gbk);
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToAnsi(L""), "");
    EXPECT_EQ(AnsiToWide(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));

    TBitmap dst(200, 40);
    Fill(dst, 0, 0, 200, 40, 0xFFFFFF);
    HDC dc = dst.Canvas().Handle();
    RECT r{0, 0, 200, 40};
    RECT calc = r;
    const int h = DrawSkinText(dc, L"中文 ok", calc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(h, 0);
    EXPECT_GT(calc.right, 0);
    EXPECT_LT(calc.right, 200);
    EXPECT_EQ(DrawSkinText(dc, L"中文 ok", r, DT_SINGLELINE | DT_NOPREFIX), h);
    EXPECT_GT(CountOther(dst, 0, 0, 200, 40, 0xFFFFFF), 10);
    // DT_MODIFYSTRING with an ellipsis must not write past the caller's text.
    RECT narrow{0, 0, 12, 40};
    EXPECT_GT(DrawSkinText(dc, L"a long caption text", narrow,
                           DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING),
              0);
}
