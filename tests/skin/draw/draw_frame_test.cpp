// Frame drawing utilities: nine-part stretch, element, edges, bar, cell and
// glyph, drawn into DIBs and checked pixel by pixel. Pieces that are
// stretched are made of uniform colours so that any filtering gives exact
// values away from the seams.
#include "skin/draw/skin_draw.h"
#include "tests/framework/gdi/pixel_test_util.h"

#include <gtest/gtest.h>

using namespace pixel_test;

namespace {

constexpr TColor kBg = 0x00123456;

// A 20 x 21 one-frame picture with margins 2: distinct 2 x 2 corner
// patterns, uniform edges, and a centre whose left and right halves differ.
struct NinePartPicture {
    TBitmap Pic{20, 21};
    static constexpr TColor Top = 0x0000A0, Bottom = 0x00A000, Left = 0xA00000, Right = 0xA0A000;
    static constexpr TColor CentreA = 0x404040, CentreB = 0xC0C0C0;
    static TColor Corner(int corner, int dx, int dy) {
        return 0x101010 * (corner + 1) + dx + 2 * dy;
    }
    NinePartPicture() {
        Fill(Pic, 2, 0, 18, 2, Top);
        Fill(Pic, 2, 19, 18, 21, Bottom);
        Fill(Pic, 0, 2, 2, 19, Left);
        Fill(Pic, 18, 2, 20, 19, Right);
        Fill(Pic, 2, 2, 10, 19, CentreA);
        Fill(Pic, 10, 2, 18, 19, CentreB);
        const int ox[4] = {0, 18, 0, 18}, oy[4] = {0, 0, 19, 19};
        for (int c = 0; c < 4; ++c) {
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    Put(Pic, ox[c] + dx, oy[c] + dy, Corner(c, dx, dy));
                }
            }
        }
    }
};

// True when every channel of `c` lies between those of `a` and `b`.
bool Between(TColor c, TColor a, TColor b) {
    for (int s = 0; s < 24; s += 8) {
        const int v = (c >> s) & 255, lo = std::min((a >> s) & 255, (b >> s) & 255),
                  hi = std::max((a >> s) & 255, (b >> s) & 255);
        if (v < lo || v > hi) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(StretchSkinFrame, NinePartRuleStretchesEdgesAndCentreKeepsCorners) {
    NinePartPicture p;
    auto img = StretchSkinFrame({0, 0, 100, 21}, p.Pic, {2, 2, 2, 2}, false, false, 1, 1);
    ASSERT_EQ(img->Width(), 100);
    ASSERT_EQ(img->Height(), 21);
    const int ox[4] = {0, 98, 0, 98}, oy[4] = {0, 0, 19, 19};
    for (int c = 0; c < 4; ++c) {
        for (int dy = 0; dy < 2; ++dy) {
            for (int dx = 0; dx < 2; ++dx) {
                EXPECT_EQ(At(*img, ox[c] + dx, oy[c] + dy), p.Corner(c, dx, dy)) << c;
            }
        }
    }
    std::string w;
    EXPECT_EQ(CountOther(*img, 2, 0, 98, 2, p.Top, &w), 0) << w;
    EXPECT_EQ(CountOther(*img, 2, 19, 98, 21, p.Bottom, &w), 0) << w;
    EXPECT_EQ(CountOther(*img, 0, 2, 2, 19, p.Left, &w), 0) << w;
    EXPECT_EQ(CountOther(*img, 98, 2, 100, 19, p.Right, &w), 0) << w;
    // Centre 16 x 17 stretched to 96 x 17: each source half becomes 48
    // columns (2-49 and 50-97). Halftone filtering blends one source pixel's
    // width (6 columns) on each side of the seam.
    EXPECT_EQ(CountOther(*img, 2, 2, 44, 19, p.CentreA, &w), 0) << w;
    EXPECT_EQ(CountOther(*img, 56, 2, 98, 19, p.CentreB, &w), 0) << w;
    for (int y = 2; y < 19; ++y) {
        for (int x = 44; x < 56; ++x) {
            EXPECT_TRUE(Between(At(*img, x, y), p.CentreA, p.CentreB)) << x;
        }
    }

    // The same frame as frame 2 of two stacked frames.
    TBitmap stacked(20, 42);
    Fill(stacked, 0, 0, 20, 21, 0x00FFFFFF);
    BitBlt(stacked.Canvas().Handle(), 0, 21, 20, 21, p.Pic.Canvas().Handle(), 0, 0, SRCCOPY);
    auto img2 = StretchSkinFrame({5, 5, 105, 26}, stacked, {2, 2, 2, 2}, true, false, 2, 2);
    ASSERT_EQ(img2->Width(), 100);
    EXPECT_EQ(At(*img2, 99, 20), p.Corner(3, 1, 1));
    EXPECT_EQ(CountOther(*img2, 2, 0, 98, 2, p.Top, &w), 0) << w;

    // No area: an empty bitmap.
    EXPECT_TRUE(StretchSkinFrame({0, 0, 0, 21}, p.Pic, {2, 2, 2, 2}, false, false, 1, 1)->Empty());
}

TEST(StretchSkinFrame, MarginsThatDoNotFitAreDropped) {
    // Columns 0-1 and 18-19 hold X colours, 2-17 Y colours; rows give the shade.
    TBitmap pic(20, 21);
    Fill(pic, 0, 0, 20, 21, 0x0000FF);  // X
    Fill(pic, 2, 0, 18, 2, 0x00FF00);   // Y of the top band
    Fill(pic, 2, 2, 18, 19, 0xFF0000);  // Y of the centre
    Fill(pic, 2, 19, 18, 21, 0xFFFF00); // Y of the bottom band
    auto img = StretchSkinFrame({0, 0, 3, 21}, pic, {2, 2, 2, 2}, false, false, 1, 1);
    ASSERT_EQ(img->Width(), 3);
    // Middle column: the whole-width top edge, centre and bottom edge pieces
    // squeezed from 20 to 3 columns; with the side pieces drawn it would be X.
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(At(*img, 1, y), 0x00FF00);
    }
    for (int y = 2; y < 19; ++y) {
        EXPECT_EQ(At(*img, 1, y), 0xFF0000);
    }
    for (int y = 19; y < 21; ++y) {
        EXPECT_EQ(At(*img, 1, y), 0xFFFF00);
    }
    // Too low for T + B: the top and bottom margins drop, the sides stay.
    auto flat = StretchSkinFrame({0, 0, 30, 3}, pic, {2, 2, 2, 2}, false, false, 1, 1);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(At(*flat, 0, y), 0x0000FF);
        EXPECT_EQ(At(*flat, 29, y), 0x0000FF);
    }
}

TEST(StretchSkinFrame, TiledCentreRepeatsAndRightEdgeCoversTheSpill) {
    // Frame 9 x 4: margins L = R = 2, centre 5 columns of distinct colours.
    TBitmap pic(9, 4);
    const TColor cols[9] = {0x11, 0x22, 0x0100, 0x0200, 0x0300, 0x0400, 0x0500, 0x330000, 0x440000};
    for (int x = 0; x < 9; ++x) {
        Fill(pic, x, 0, x + 1, 4, cols[x]);
    }
    auto img = StretchSkinFrame({0, 0, 16, 4}, pic, {2, 0, 2, 0}, false, true, 1, 1);
    ASSERT_EQ(img->Width(), 16);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(At(*img, 0, y), cols[0]);
        EXPECT_EQ(At(*img, 1, y), cols[1]);
        // Copies at centre offsets 0, 5, 10.
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(At(*img, 2 + i, y), cols[2 + i % 5]) << i;
        }
        // The third copy's last three columns fall on the right edge.
        EXPECT_EQ(At(*img, 14, y), cols[7]);
        EXPECT_EQ(At(*img, 15, y), cols[8]);
    }
}

TEST(DrawSkinElement, OpaqueTransparentAndInverted) {
    NinePartPicture p;
    Put(p.Pic, 0, 0, kSkinKeyColor); // one key pixel in the top-left corner
    TBitmap dst(120, 40);
    Fill(dst, 0, 0, 120, 40, kBg);
    DrawSkinElement(dst.Canvas().Handle(), {10, 10, 110, 31}, p.Pic, false, false, false, 1, 1,
                    {2, 2, 2, 2});
    EXPECT_EQ(At(dst, 10, 10), kSkinKeyColor);
    EXPECT_EQ(At(dst, 11, 10), p.Corner(0, 1, 0));
    EXPECT_EQ(At(dst, 109, 30), p.Corner(3, 1, 1));
    EXPECT_EQ(At(dst, 9, 10), kBg);
    EXPECT_EQ(At(dst, 110, 30), kBg);

    Fill(dst, 0, 0, 120, 40, kBg);
    DrawSkinElement(dst.Canvas().Handle(), {10, 10, 110, 31}, p.Pic, false, false, true, 1, 1,
                    {2, 2, 2, 2});
    EXPECT_EQ(At(dst, 10, 10), kBg); // key pixel left out
    EXPECT_EQ(At(dst, 11, 10), p.Corner(0, 1, 0));
    EXPECT_EQ(At(dst, 90, 20), p.CentreB);

    Fill(dst, 0, 0, 120, 40, kBg);
    DrawSkinElement(dst.Canvas().Handle(), {110, 10, 10, 31}, p.Pic, false, false, false, 1, 1,
                    {2, 2, 2, 2});
    DrawSkinElement(dst.Canvas().Handle(), {10, 31, 110, 10}, p.Pic, false, false, false, 1, 1,
                    {2, 2, 2, 2});
    EXPECT_EQ(CountOther(dst, 0, 0, 120, 40, kBg), 0);
}

TEST(DrawSkinEdges, DrawsBorderPiecesButNotTheCentre) {
    NinePartPicture p;
    TBitmap dst(120, 40);
    Fill(dst, 0, 0, 120, 40, kBg);
    DrawSkinEdges(dst.Canvas().Handle(), {10, 5, 110, 26}, p.Pic, false, 1, 1, {2, 2, 2, 2});
    std::string w;
    EXPECT_EQ(CountOther(dst, 12, 7, 108, 24, kBg, &w), 0) << w; // centre untouched
    EXPECT_EQ(CountOther(dst, 12, 5, 108, 7, p.Top, &w), 0) << w;
    EXPECT_EQ(CountOther(dst, 12, 24, 108, 26, p.Bottom, &w), 0) << w;
    EXPECT_EQ(CountOther(dst, 10, 7, 12, 24, p.Left, &w), 0) << w;
    EXPECT_EQ(CountOther(dst, 108, 7, 110, 24, p.Right, &w), 0) << w;
    EXPECT_EQ(At(dst, 10, 5), p.Corner(0, 0, 0));
    EXPECT_EQ(At(dst, 109, 25), p.Corner(3, 1, 1));
    EXPECT_EQ(CountOther(dst, 0, 0, 120, 5, kBg), 0);
    EXPECT_EQ(CountOther(dst, 0, 26, 120, 40, kBg), 0);
}

TEST(DrawSkinBar, CapsAndRepeatedMiddle) {
    // Two frames of 7 x 3 side by side; frame 2 has caps 2 and a middle of 3.
    TBitmap pic(14, 3);
    const TColor cols[7] = {0x01, 0x02, 0x0300, 0x0400, 0x0500, 0x060000, 0x070000};
    Fill(pic, 0, 0, 7, 3, 0xFFFFFF);
    for (int x = 0; x < 7; ++x) {
        Fill(pic, 7 + x, 0, 8 + x, 3, cols[x]);
    }
    TBitmap dst(20, 5);
    Fill(dst, 0, 0, 20, 5, kBg);
    TCanvas canvas(dst.Canvas().Handle());
    DrawSkinBar(canvas, {4, 1, 16, 4}, pic, false, false, 2, 2, {2, 0, 2, 0});
    // Middles at x = 2, 5, 8 (the last one cut by the right cap at 10).
    const TColor want[12] = {cols[0], cols[1], cols[2], cols[3], cols[4], cols[2],
                             cols[3], cols[4], cols[2], cols[3], cols[5], cols[6]};
    for (int y = 1; y < 4; ++y) {
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(At(dst, 4 + i, y), want[i]) << i;
        }
    }
    EXPECT_EQ(At(dst, 3, 2), kBg);
    EXPECT_EQ(At(dst, 16, 2), kBg);
    EXPECT_EQ(At(dst, 8, 0), kBg);

    // Key-coloured middle pixels are left out when transparent.
    Fill(pic, 9, 0, 12, 3, kSkinKeyColor);
    Fill(dst, 0, 0, 20, 5, kBg);
    DrawSkinBar(canvas, {4, 1, 16, 4}, pic, false, true, 2, 2, {2, 0, 2, 0});
    EXPECT_EQ(At(dst, 4, 2), cols[0]);
    EXPECT_EQ(At(dst, 7, 2), kBg);
    EXPECT_EQ(At(dst, 15, 2), cols[6]);
    canvas.SetHandle(nullptr);
}

TEST(DrawSkinCell, StretchesOneFrameToTheRectangle) {
    TBitmap pic(30, 4);
    Fill(pic, 0, 0, 10, 4, 0x0000FF);
    Fill(pic, 10, 0, 20, 4, 0x00FF00);
    Fill(pic, 20, 0, 30, 4, 0xFF0000);
    TBitmap dst(50, 30);
    Fill(dst, 0, 0, 50, 30, kBg);
    DrawSkinCell(dst.Canvas().Handle(), {5, 5, 45, 25}, pic, false, 3, 2);
    std::string w;
    EXPECT_EQ(CountOther(dst, 5, 5, 45, 25, 0x00FF00, &w), 0) << w;
    EXPECT_EQ(CountOther(dst, 0, 0, 50, 5, kBg), 0);
    EXPECT_EQ(CountOther(dst, 45, 0, 50, 30, kBg), 0);
    DrawSkinCell(dst.Canvas().Handle(), {45, 5, 5, 25}, pic, false, 3, 3); // inverted
    EXPECT_EQ(CountOther(dst, 5, 5, 45, 25, 0x00FF00), 0);
}

TEST(DrawSkinGlyph, CentresTheFrameAtItsOwnSize) {
    // Two 16 x 8 frames; frame 2 has a distinct first and last column.
    TBitmap pic(32, 8);
    Fill(pic, 0, 0, 16, 8, 0xFFFFFF);
    Fill(pic, 16, 0, 32, 8, 0x0000FF);
    Fill(pic, 16, 0, 17, 8, 0x00FF00);
    Fill(pic, 31, 0, 32, 8, 0xFF0000);
    TBitmap dst(40, 20);
    Fill(dst, 0, 0, 40, 20, kBg);
    // 15 wide: (15 - 16) div 2 = 0, so the glyph starts at Left; 12 high: Y = 2 + 2.
    DrawSkinGlyph(dst.Canvas().Handle(), {10, 2, 25, 14}, pic, false, 2, 2);
    EXPECT_EQ(At(dst, 9, 6), kBg);
    EXPECT_EQ(At(dst, 10, 6), 0x00FF00);
    EXPECT_EQ(At(dst, 11, 6), 0x0000FF);
    EXPECT_EQ(At(dst, 25, 6), 0xFF0000);
    EXPECT_EQ(At(dst, 26, 6), kBg);
    EXPECT_EQ(At(dst, 12, 3), kBg);
    EXPECT_EQ(At(dst, 12, 4), 0x0000FF);
    EXPECT_EQ(At(dst, 12, 11), 0x0000FF);
    EXPECT_EQ(At(dst, 12, 12), kBg);
    // Wider target: centred at 10 + (20 - 16) div 2 = 12; key pixels left out.
    Fill(dst, 0, 0, 40, 20, kBg);
    Put(pic, 20, 0, kSkinKeyColor);
    DrawSkinGlyph(dst.Canvas().Handle(), {10, 0, 30, 8}, pic, true, 2, 2);
    EXPECT_EQ(At(dst, 11, 0), kBg);
    EXPECT_EQ(At(dst, 12, 0), 0x00FF00);
    EXPECT_EQ(At(dst, 16, 0), kBg); // key pixel at frame column 4
    EXPECT_EQ(At(dst, 17, 0), 0x0000FF);
}

// The stretch mode: the default filters, so a stretched seam next to the key
// colour gets blended pixels that a transparent copy then draws; with
// COLORONCOLOR whole pixels are repeated and the key half stays out exactly.
TEST(DrawSkinElement, StretchModeDecidesWhetherTheKeyColourBlends) {
    // Two frames of 2 x 1: frame 1 = key | red, frame 2 = blue | green.
    TBitmap pic(4, 1);
    Put(pic, 0, 0, kSkinKeyColor);
    Put(pic, 1, 0, 0x0000FF);
    Put(pic, 2, 0, 0xFF0000);
    Put(pic, 3, 0, 0x00FF00);
    TBitmap dst(8, 2);
    Fill(dst, 0, 0, 8, 2, kBg);
    DrawSkinElement(dst.Canvas().Handle(), {0, 0, 8, 2}, pic, false, false, true, 2, 1, {},
                    COLORONCOLOR);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(At(dst, x, y), x < 4 ? kBg : 0x0000FF) << x << "," << y;
        }
    }
    auto plain = StretchSkinFrame({0, 0, 8, 2}, pic, {}, false, false, 2, 2, COLORONCOLOR);
    EXPECT_EQ(At(*plain, 3, 1), 0xFF0000);
    EXPECT_EQ(At(*plain, 4, 1), 0x00FF00);

    Fill(dst, 0, 0, 8, 2, kBg);
    DrawSkinElement(dst.Canvas().Handle(), {0, 0, 8, 2}, pic, false, false, true, 2, 1, {});
    int blended = 0;
    for (int x = 0; x < 8; ++x) {
        const TColor c = At(dst, x, 0);
        blended += (c != kBg && c != 0x0000FF) ? 1 : 0;
    }
    EXPECT_GT(blended, 0); // the filtered default mixes magenta into red
}

// A frame index outside 1..n draws nothing with any of the frame routines
// (a frame count below 1 counts as 1).
TEST(DrawSkinElement, FrameIndexOutsideTheFramesDrawsNothing) {
    NinePartPicture p;
    TBitmap dst(60, 40);
    HDC dc = dst.Canvas().Handle();
    const RECT r{5, 5, 55, 35};
    Fill(dst, 0, 0, 60, 40, kBg);
    for (int k : {0, 2, -1}) {
        DrawSkinElement(dc, r, p.Pic, false, false, false, 1, k, {2, 2, 2, 2});
        DrawSkinElement(dc, r, p.Pic, false, true, true, 1, k, {2, 2, 2, 2}, COLORONCOLOR);
        DrawSkinEdges(dc, r, p.Pic, false, 1, k, {2, 2, 2, 2});
        DrawSkinBar(dst.Canvas(), r, p.Pic, false, false, 1, k, {2, 2, 2, 2});
        DrawSkinCell(dc, r, p.Pic, false, 1, k);
        DrawSkinGlyph(dc, r, p.Pic, false, 1, k);
        EXPECT_TRUE(StretchSkinFrame(r, p.Pic, {2, 2, 2, 2}, false, false, 1, k)->Empty()) << k;
    }
    EXPECT_EQ(CountOther(dst, 0, 0, 60, 40, kBg), 0);
    EXPECT_FALSE(IsSkinFrameIndex(4, 5));
    EXPECT_TRUE(IsSkinFrameIndex(4, 4));
    EXPECT_TRUE(IsSkinFrameIndex(0, 1));
    // The last frame of several, and frame 1 of a count of 0, still draw.
    DrawSkinCell(dc, r, p.Pic, false, 0, 1);
    EXPECT_EQ(At(dst, 40, 20), p.CentreB);
}
