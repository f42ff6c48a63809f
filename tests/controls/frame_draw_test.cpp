// Side lines, bevels, dotted frames, frame styles and gradients: exact pixels.
#include "controls/frame_draw.h"
#include "skin/draw/skin_draw.h"
#include "tests/controls/pixel_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t W = 0xFFFFFF, R = 0x0000FF, B = 0xFF0000;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(FrameDraw, SideLinesAllSidesAndSubsets) {
    TBitmap bmp(10, 8);
    FillSurface(bmp, clWhite);
    RECT inner = DrawSideLines(bmp.Canvas(), RECT{0, 0, 10, 8}, clRed, sdAllSides, clBlue);
    EXPECT_TRUE(SameRect(inner, RECT{1, 1, 9, 7}));
    EXPECT_EQ(PixelMap(bmp, "wrb", {W, R, B}), "rrrrrrrrrb|"
                                               "rwwwwwwwwb|"
                                               "rwwwwwwwwb|"
                                               "rwwwwwwwwb|"
                                               "rwwwwwwwwb|"
                                               "rwwwwwwwwb|"
                                               "rwwwwwwwwb|"
                                               "bbbbbbbbbb");

    FillSurface(bmp, clWhite);
    inner = DrawSideLines(bmp.Canvas(), RECT{1, 1, 9, 7}, clRed, TSides{sdTop, sdRight}, clBlue);
    EXPECT_TRUE(SameRect(inner, RECT{1, 2, 8, 7}));
    EXPECT_EQ(PixelMap(bmp, "wrb", {W, R, B}), "wwwwwwwwww|"
                                               "wrrrrrrrbw|"
                                               "wwwwwwwwbw|"
                                               "wwwwwwwwbw|"
                                               "wwwwwwwwbw|"
                                               "wwwwwwwwbw|"
                                               "wwwwwwwwbw|"
                                               "wwwwwwwwww");

    // No colour draws nothing, yet the rectangle still shrinks.
    FillSurface(bmp, clWhite);
    inner = DrawSideLines(bmp.Canvas(), RECT{0, 0, 10, 8}, clNone, sdAllSides, clNone);
    EXPECT_TRUE(SameRect(inner, RECT{1, 1, 9, 7}));
    EXPECT_EQ(PixelMap(bmp, "w", {W}).find_first_not_of("w|"), std::string::npos);
}

TEST(FrameDraw, BevelLinesNestRings) {
    TBitmap bmp(6, 6);
    FillSurface(bmp, clWhite);
    bmp.Canvas().Pen().SetWidth(3);
    const RECT inner = DrawBevelLines(bmp.Canvas(), RECT{0, 0, 6, 6}, clRed, sdAllSides, 2, clBlue);
    EXPECT_TRUE(SameRect(inner, RECT{2, 2, 4, 4}));
    EXPECT_EQ(bmp.Canvas().Pen().Width(), 1);
    EXPECT_EQ(PixelMap(bmp, "wrb", {W, R, B}), "rrrrrb|"
                                               "rrrrbb|"
                                               "rrwwbb|"
                                               "rrwwbb|"
                                               "rbbbbb|"
                                               "bbbbbb");
}

TEST(FrameDraw, DottedFrameEveryOtherPixel) {
    TBitmap bmp(8, 6);
    FillSurface(bmp, clWhite);
    const RECT inner = DrawDottedFrame(bmp.Canvas(), RECT{0, 0, 8, 6});
    EXPECT_TRUE(SameRect(inner, RECT{1, 1, 7, 5}));
    EXPECT_EQ(PixelMap(bmp, "wk", {W, 0}), "wkwkwkww|"
                                           "kwwwwwwk|"
                                           "wwwwwwww|"
                                           "kwwwwwwk|"
                                           "wwwwwwww|"
                                           "wkwkwkww");
}

TEST(FrameDraw, FrameStylesInSystemColours) {
    const uint32_t hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
    const uint32_t dk = ColorToRGB(cl3DDkShadow), lt = ColorToRGB(cl3DLight);
    TBitmap bmp(6, 6);
    FillSurface(bmp, clWhite);
    RECT r = DrawFrameStyle(bmp.Canvas(), RECT{0, 0, 6, 6}, fsNone, sdAllSides);
    EXPECT_TRUE(SameRect(r, RECT{0, 0, 6, 6}));

    FillSurface(bmp, 0x00123456);
    r = DrawFrameStyle(bmp.Canvas(), RECT{0, 0, 6, 6}, fsRaised, sdAllSides);
    EXPECT_TRUE(SameRect(r, RECT{2, 2, 4, 4}));
    EXPECT_EQ(PixelAt(bmp, 0, 0), lt);
    EXPECT_EQ(PixelAt(bmp, 5, 0), dk);
    EXPECT_EQ(PixelAt(bmp, 0, 5), dk);
    EXPECT_EQ(PixelAt(bmp, 1, 1), hi);
    EXPECT_EQ(PixelAt(bmp, 4, 1), sh);
    EXPECT_EQ(PixelAt(bmp, 2, 4), sh);
    EXPECT_EQ(PixelAt(bmp, 2, 2), 0x123456u);

    FillSurface(bmp, 0x00123456);
    r = DrawButtonBevel(bmp.Canvas(), RECT{0, 0, 6, 6}, false);
    EXPECT_TRUE(SameRect(r, RECT{2, 2, 4, 4}));
    EXPECT_EQ(PixelAt(bmp, 0, 0), hi);
    EXPECT_EQ(PixelAt(bmp, 5, 5), dk);
    EXPECT_EQ(PixelAt(bmp, 1, 1), lt);
    EXPECT_EQ(PixelAt(bmp, 4, 4), sh);
    r = DrawButtonBevel(bmp.Canvas(), RECT{0, 0, 6, 6}, true);
    EXPECT_EQ(PixelAt(bmp, 0, 0), ColorToRGB(clBtnText));
    EXPECT_EQ(PixelAt(bmp, 5, 5), ColorToRGB(clBtnText));
    EXPECT_EQ(PixelAt(bmp, 1, 1), sh);
    EXPECT_EQ(PixelAt(bmp, 4, 4), sh);

    // Flat styles on a subset of sides.
    FillSurface(bmp, clWhite);
    r = DrawFrameStyle(bmp.Canvas(), RECT{0, 0, 6, 6}, fsStatus, TSides{sdLeft, sdBottom});
    EXPECT_TRUE(SameRect(r, RECT{1, 0, 6, 5}));
    EXPECT_EQ(PixelAt(bmp, 0, 0), sh);
    EXPECT_EQ(PixelAt(bmp, 0, 5), hi);
    EXPECT_EQ(PixelAt(bmp, 5, 5), hi);
    EXPECT_EQ(PixelAt(bmp, 5, 0), W);
}

TEST(FrameDraw, EtchedGrooveAllSidesAndPartial) {
    const uint32_t hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
    TBitmap bmp(6, 5);
    FillSurface(bmp, 0x00010203);
    RECT r = DrawFrameStyle(bmp.Canvas(), RECT{0, 0, 6, 5}, fsGroove, sdAllSides);
    EXPECT_TRUE(SameRect(r, RECT{2, 2, 4, 3}));
    // Ring A (shadow) on (0,0)-(5,4) drawn last over ring B (highlight) on (1,1)-(6,5).
    const uint32_t bg = 0x010203;
    const uint32_t expect[5][6] = {{sh, sh, sh, sh, sh, hi},
                                   {sh, hi, hi, hi, sh, hi},
                                   {sh, hi, bg, bg, sh, hi},
                                   {sh, sh, sh, sh, sh, hi},
                                   {hi, hi, hi, hi, hi, hi}};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(PixelAt(bmp, x, y), expect[y][x]) << x << "," << y;

    // Top only: the corner pixels mark the open ends.
    FillSurface(bmp, 0x00010203);
    r = DrawFrameStyle(bmp.Canvas(), RECT{0, 0, 6, 5}, fsBump, TSides{sdTop});
    EXPECT_TRUE(SameRect(r, RECT{0, 2, 6, 5}));
    // Bump: A = highlight, B = shadow. (5,0) in A as top without right; (0,1) in B.
    EXPECT_EQ(PixelAt(bmp, 0, 1), sh);
    EXPECT_EQ(PixelAt(bmp, 1, 1), sh);
    EXPECT_EQ(PixelAt(bmp, 5, 1), sh);
    EXPECT_EQ(PixelAt(bmp, 0, 0), hi);
    EXPECT_EQ(PixelAt(bmp, 4, 0), hi);
    EXPECT_EQ(PixelAt(bmp, 5, 0), hi);
    EXPECT_EQ(PixelAt(bmp, 0, 2), bg);
    EXPECT_EQ(PixelAt(bmp, 0, 4), bg);
}

TEST(FrameDraw, EtchedPartialSidesPixelExact) {
    // Groove: A = shadow ('s'), B = highlight ('h'); '.' is the untouched background.
    const uint32_t hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow);
    const uint32_t bg = 0x010203;
    TBitmap bmp(6, 5);
    auto draw = [&](TSides sides, RECT want) {
        FillSurface(bmp, static_cast<TColor>(bg));
        const RECT r = DrawFrameStyle(bmp.Canvas(), RECT{0, 0, 6, 5}, fsGroove, sides);
        EXPECT_TRUE(SameRect(r, want))
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        return PixelMap(bmp, "sh.", {sh, hi, bg});
    };
    // Bottom without right: the corner pixel (right - 1, bottom - 2) closes
    // the shadow line, beside the ring's end.
    EXPECT_EQ(draw(TSides{sdBottom}, RECT{0, 0, 6, 3}), "......|"
                                                        "......|"
                                                        "......|"
                                                        "ssssss|"
                                                        "hhhhhh");
    // Right without bottom, the mirror case: (right - 2, bottom - 1).
    EXPECT_EQ(draw(TSides{sdRight}, RECT{0, 0, 4, 5}), "....sh|"
                                                       "....sh|"
                                                       "....sh|"
                                                       "....sh|"
                                                       "....sh");
    EXPECT_EQ(draw(TSides{sdLeft, sdBottom}, RECT{2, 0, 6, 3}), "sh....|"
                                                                "sh....|"
                                                                "sh....|"
                                                                "ssssss|"
                                                                "hhhhhh");
    EXPECT_EQ(draw(TSides{sdTop, sdRight}, RECT{0, 2, 4, 5}), "sssssh|"
                                                              "hhhhsh|"
                                                              "....sh|"
                                                              "....sh|"
                                                              "....sh");
    EXPECT_EQ(draw(TSides{sdLeft, sdTop, sdBottom}, RECT{2, 2, 6, 3}), "ssssss|"
                                                                       "shhhhh|"
                                                                       "sh....|"
                                                                       "ssssss|"
                                                                       "hhhhhh");
}

TEST(FrameDraw, GradientBandsAndArithmetic) {
    TBitmap bmp(20, 21);
    FillSurface(bmp, clWhite);
    FillGradient(bmp.Canvas(), RECT{0, 0, 20, 21}, 2, 1, 0x00404040, 0x00FFFFFF);
    EXPECT_EQ(PixelAt(bmp, 0, 20), 0x404040u);
    EXPECT_EQ(PixelAt(bmp, 19, 20), 0x404040u);
    EXPECT_EQ(PixelAt(bmp, 0, 0), 0xF5F5F5u); // 245: one step short of white
    // Row 10 from the bottom: (64*65536 + 10*596065) >> 16 = 154.
    EXPECT_EQ(PixelAt(bmp, 7, 10), 0x9A9A9Au);
    EXPECT_EQ(PixelAt(bmp, 13, 10), 0x9A9A9Au);

    // Channels move independently and may fall: red 255 -> 0 over 4 rows.
    TBitmap small(5, 4);
    FillGradient(small.Canvas(), RECT{0, 0, 5, 4}, 2, 1, 0x000000FF, 0x00FF0000);
    EXPECT_EQ(PixelAt(small, 0, 3), 0x0000FFu);
    EXPECT_EQ(PixelAt(small, 4, 2), 0x3F00BFu); // red 191.25, blue 63.75
}

TEST(FrameDraw, GradientRingLeavesTheMiddle) {
    TBitmap bmp(10, 8);
    FillSurface(bmp, clWhite);
    DrawGradientRing(bmp.Canvas(), RECT{0, 0, 10, 8}, 2, 0x00000000, 0x00808080);
    // Bottom row is colour A, the 2-pixel ring elsewhere climbs towards B.
    EXPECT_EQ(PixelAt(bmp, 5, 7), 0x000000u);
    EXPECT_EQ(PixelAt(bmp, 5, 6), 0x101010u); // 128*65536/8 per row = 16
    EXPECT_EQ(PixelAt(bmp, 0, 3), 0x404040u);
    EXPECT_EQ(PixelAt(bmp, 9, 0), 0x707070u);
    EXPECT_EQ(PixelAt(bmp, 1, 1), 0x606060u);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 8; ++x)
            ASSERT_EQ(PixelAt(bmp, x, y), W) << x << "," << y;

    // The caller's clipping survives the ring.
    FillSurface(bmp, clWhite);
    HDC dc = bmp.Canvas().Handle();
    IntersectClipRect(dc, 0, 0, 5, 8);
    DrawGradientRing(bmp.Canvas(), RECT{0, 0, 10, 8}, 2, 0x00000000, 0x00808080);
    bmp.Canvas().Brush().SetColor(clRed);
    bmp.Canvas().FillRect(RECT{0, 0, 10, 8});
    SelectClipRgn(dc, nullptr);
    EXPECT_EQ(PixelAt(bmp, 4, 4), R);
    EXPECT_EQ(PixelAt(bmp, 9, 0), W);
    EXPECT_EQ(PixelAt(bmp, 5, 4), W);

    // Palette displays get no ring at all.
    FillSurface(bmp, clWhite);
    SetFullColorDisplayOverride(0);
    DrawGradientRing(bmp.Canvas(), RECT{0, 0, 10, 8}, 2, 0x00000000, 0x00808080);
    SetFullColorDisplayOverride(-1);
    EXPECT_EQ(PixelAt(bmp, 0, 7), W);
    EXPECT_EQ(PixelAt(bmp, 9, 0), W);
    EXPECT_TRUE(FullColorDisplay());
}
