// Frame painting without a window: frame thickness from the real skins,
// border parts and title text drawn into bitmaps and checked pixel by pixel,
// the title-text placement rules, hit-test answers, the window region cut
// from magenta pixels, skinned tool-bar buttons, and no GDI leak.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/window/frame_paint.h"
#include "tests/skin/window/frame_fixture.h"

using namespace frame_test;

TEST(FrameMetrics, ThicknessFromTheBorderPictures) {
    TSkinData xpluna(nullptr);
    LoadXPLuna(xpluna);
    EXPECT_EQ(Thickness(ComputeFrameMetrics(xpluna, kBorderSizeable)), std::tuple(29, 3, 3, 3));
    EXPECT_EQ(Thickness(ComputeFrameMetrics(xpluna, kBorderNone)), std::tuple(0, 0, 0, 0));

    TSkinData graphite(nullptr);
    LoadGraphite(graphite);
    // 64 x 48 top and 32 x 10 bottom (stacked), 10 x 40 sides (side by side).
    EXPECT_EQ(Thickness(ComputeFrameMetrics(graphite, kBorderDialog)), std::tuple(24, 5, 5, 5));

    SyntheticSkin s;
    EXPECT_EQ(Thickness(ComputeFrameMetrics(s.Data, kBorderSingle)), std::tuple(10, 4, 4, 4));
    s.Data.LeftBorder->FrameCount = 0; // counts as one frame
    s.Data.RightBorder->Picture.Clear();
    s.Data.BottomBorder.reset();
    EXPECT_EQ(Thickness(ComputeFrameMetrics(s.Data, kBorderSingle)), std::tuple(10, 8, 0, 0));
}

TEST(FrameMetrics, PartRectanglesAndClientRectangle) {
    const TFrameMetrics m{3, 29, 4, 5};
    EXPECT_TRUE(SameRect(BorderPartRect(TBorderPart::Left, m, 300, 200), {0, 0, 3, 200}));
    EXPECT_TRUE(SameRect(BorderPartRect(TBorderPart::Right, m, 300, 200), {296, 0, 300, 200}));
    EXPECT_TRUE(SameRect(BorderPartRect(TBorderPart::Top, m, 300, 200), {3, 0, 296, 29}));
    EXPECT_TRUE(SameRect(BorderPartRect(TBorderPart::Bottom, m, 300, 200), {3, 195, 296, 200}));
    EXPECT_TRUE(SameRect(SkinnedClientRect({100, 50, 400, 350}, m, 20), {103, 99, 396, 345}));
    EXPECT_TRUE(SameRect(SkinnedClientRect({100, 50, 400, 350}, m, 0), {103, 79, 396, 345}));
}

TEST(FramePaint, BorderPartsDrawTheirFramePixelExact) {
    SyntheticSkin s;
    const TFrameMetrics m = ComputeFrameMetrics(s.Data, kBorderSingle);
    EXPECT_EQ(BorderFrameIndex(*s.Data.TopBorder, true), 1);
    EXPECT_EQ(BorderFrameIndex(*s.Data.TopBorder, false), 2);
    s.Data.Buttons->FrameCount = 1;
    EXPECT_EQ(BorderFrameIndex(*s.Data.Buttons, false), 1);

    for (bool active : {true, false}) {
        SCOPED_TRACE(active);
        TBitmap target(100, 80);
        Fill(target, 0, 0, 100, 80, kBg);
        HDC dc = target.Canvas().Handle();
        for (TBorderPart part :
             {TBorderPart::Left, TBorderPart::Right, TBorderPart::Top, TBorderPart::Bottom}) {
            DrawBorderPart(dc, part, BorderPartRect(part, m, 100, 80), s.Data, active);
        }
        std::string w;
        // Top (4,0)-(96,10): frame 1 keeps its magenta corners (copied
        // opaquely), frame 2 has none.
        const TColor top = active ? kTop1 : kTop2;
        EXPECT_EQ(At(target, 4, 0), active ? kMagenta : kTop2);
        EXPECT_EQ(At(target, 5, 0), active ? kMagenta : kTop2);
        EXPECT_EQ(At(target, 4, 1), active ? kMagenta : kTop2);
        EXPECT_EQ(At(target, 95, 0), active ? kMagenta : kTop2);
        EXPECT_EQ(At(target, 94, 1), top);
        EXPECT_EQ(CountOther(target, 6, 2, 94, 10, top, &w), 0) << w;
        // Left (0,0)-(4,80): 5 fixed rows, the middle stretched, 3 end rows.
        const TColor side = active ? kSide1 : kSide2, end = active ? kSideEnd1 : kSideEnd2;
        EXPECT_EQ(At(target, 0, 0), kMagenta);
        EXPECT_EQ(At(target, 99, 0), kMagenta);
        EXPECT_EQ(CountOther(target, 1, 0, 4, 1, side, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 96, 0, 99, 1, side, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 0, 1, 4, 77, side, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 0, 77, 4, 80, end, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 96, 1, 100, 77, side, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 96, 77, 100, 80, end, &w), 0) << w;
        // Bottom (4,76)-(96,80), and the client part untouched.
        EXPECT_EQ(CountOther(target, 4, 76, 96, 80, active ? kBottom1 : kBottom2, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 4, 10, 96, 76, kBg, &w), 0) << w;
    }

    // Nothing for a rectangle without area, one left of or above the
    // window, or a border without picture.
    const RECT top = BorderPartRect(TBorderPart::Top, m, 100, 80);
    EXPECT_TRUE(RenderBorderPart(TBorderPart::Top, top, s.Data, true));
    EXPECT_FALSE(RenderBorderPart(TBorderPart::Top, {10, 0, 10, 10}, s.Data, true));
    EXPECT_FALSE(RenderBorderPart(TBorderPart::Left, {-10, -20, -2, -1}, s.Data, true));
    s.Data.TopBorder->Picture.Clear();
    EXPECT_FALSE(RenderBorderPart(TBorderPart::Top, top, s.Data, true));
}

TEST(FramePaint, BorderStretchValueChoosesTilingOrStretching) {
    SyntheticSkin s;
    // One marked column at the start of the top frame's 18-pixel middle.
    Fill(s.Data.TopBorder->Picture, 6, 2, 7, 10, kTopMark);
    const RECT part{0, 0, 80, 10};
    s.Data.TopBorder->Tile = 0; // Stretch = 0: the middle is tiled
    auto tiled = RenderBorderPart(TBorderPart::Top, part, s.Data, true);
    ASSERT_TRUE(tiled);
    for (int x : {6, 24, 42, 60}) {
        EXPECT_EQ(At(*tiled, x, 5), kTopMark) << x;
        EXPECT_EQ(At(*tiled, x + 1, 5), kTop1) << x;
    }
    s.Data.TopBorder->Tile = 1; // Stretch = 1: one copy over 68 columns
    auto stretched = RenderBorderPart(TBorderPart::Top, part, s.Data, true);
    ASSERT_TRUE(stretched);
    EXPECT_EQ(At(*stretched, 6, 5), kTopMark);
    EXPECT_EQ(At(*stretched, 24, 5), kTop1);
    EXPECT_EQ(At(*stretched, 42, 5), kTop1);
}

TEST(TitleLayout, AlignmentShiftsClipsAndDialogMove) {
    TTitleTextLayout in;
    in.Strip = {3, 0, 297, 29};
    in.Extent = {100, 16};
    in.TextShift = 22;
    in.TextShiftVert = 2;
    in.TextRightClip = 76;
    // Left: 22 px in; (29 - 16) div 2 + 2 div 2 = 7 down.
    EXPECT_TRUE(SameRect(LayoutTitleText(in), {25, 7, 125, 23}));
    // Right: ends at R.right - TextRightClip; right-to-left always aligns so.
    in.Alignment = 2;
    EXPECT_TRUE(SameRect(LayoutTitleText(in), {121, 7, 221, 23}));
    in.Alignment = 0;
    in.RightToLeft = true;
    EXPECT_TRUE(SameRect(LayoutTitleText(in), {121, 7, 221, 23}));
    in.RightToLeft = false;
    in.Alignment = 7; // unknown: no horizontal shift
    EXPECT_TRUE(SameRect(LayoutTitleText(in), {3, 7, 103, 23}));

    // Centred over the whole strip: (297 - 103) div 2 = 97. The caption
    // buttons' clip only cuts the right end.
    in.Alignment = 1;
    in.PopupStyle = true;
    for (int clip : {0, 180, 250, 400}) {
        in.TextClipX = clip;
        const RECT t = LayoutTitleText(in);
        EXPECT_EQ(t.left, 100) << clip;
        EXPECT_EQ(t.right, clip == 180 ? 175 : 200) << clip;
    }

    // Clips: popup windows at TextClipX - 5 (only when TextClipX > 5),
    // others at R.right - TextRightClip.
    in.Alignment = 0;
    in.Extent = {250, 16};
    in.TextClipX = 100;
    EXPECT_EQ(LayoutTitleText(in).right, 95);
    in.TextClipX = 5;
    EXPECT_EQ(LayoutTitleText(in).right, 275);
    in.PopupStyle = false;
    EXPECT_EQ(LayoutTitleText(in).right, 221);

    // The text background widens T by both caps.
    in.Extent = {100, 16};
    in.BackLeft = 8;
    in.BackRight = 9;
    EXPECT_TRUE(SameRect(LayoutTitleText(in), {25, 7, 142, 23}));
    in.BackLeft = in.BackRight = 0;

    // A dialog frame moves a left-aligned title 16 px left, nothing else.
    in.DialogBorder = true;
    EXPECT_EQ(LayoutTitleText(in).left, 9);
    in.Alignment = 1;
    EXPECT_EQ(LayoutTitleText(in).left, 100);
    in.DialogBorder = false;
    in.Alignment = 0;

    // Vertical shifts round toward zero: -3 div 2 = -1, (29 - 30) div 2 = 0.
    in.TextShiftVert = -3;
    EXPECT_EQ(LayoutTitleText(in).top, 5);
    in.Extent = {100, 30};
    EXPECT_EQ(LayoutTitleText(in).top, -1);
}

namespace {

// A title text drawing into a black 300 x 29 strip with the stock GUI font.
struct TitleCanvas {
    TBitmap Target{300, 29};
    HFONT Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    RECT Strip{4, 0, 296, 29};

    explicit TitleCanvas(TColor bg = 0) { Fill(Target, 0, 0, 300, 29, bg); }
    RECT Draw(TSkinData& skin, const std::wstring& text, bool active, bool popup = false,
              int clipX = 0) {
        return DrawTitleText(Target.Canvas().Handle(), Strip, text, Font, skin, active, false,
                             popup, false, clipX);
    }
};

// Counts pixels of the rectangle that are not black, and of those, the ones
// with a channel outside `allowed` (a colour mask 0x00BBGGRR).
std::pair<int, int> InkOutside(TBitmap& b, const RECT& r, TColor allowed) {
    int ink = 0, stray = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const TColor c = At(b, x, y);
            ink += c != 0;
            stray += (c & ~allowed) != 0;
        }
    }
    return {ink, stray};
}

} // namespace

TEST(TitleText, LongCaptionEndsInEllipsisAtTheClip) {
    SyntheticSkin s;
    s.Data.Title->LeftWidth = 22;  // TextShift
    s.Data.Title->RightWidth = 76; // TextRightClip
    std::wstring text;
    for (int i = 0; i < 12; ++i) {
        text += L"A very long caption ";
    }
    TitleCanvas title(kBg);
    const RECT t = title.Draw(s.Data, text, true);
    EXPECT_EQ(t.left, 26);
    EXPECT_EQ(t.right, 296 - 76);
    std::string w;
    EXPECT_EQ(CountOther(title.Target, t.right, 0, 300, 29, kBg, &w), 0) << w;
    EXPECT_EQ(CountOther(title.Target, 0, 0, t.left, 29, kBg, &w), 0) << w;
    EXPECT_GT(CountOther(title.Target, t.left, 0, t.right, 29, kBg), 0);

    // The same as the platform's own ellipsis in that rectangle, and not the
    // text merely clipped there.
    auto reference = [&](UINT format) {
        auto b = std::make_unique<TBitmap>(300, 29);
        Fill(*b, 0, 0, 300, 29, kBg);
        HDC dc = b->Canvas().Handle();
        TSaveDC saved(dc);
        TSelectObject font(dc, title.Font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, 0x000000FF);
        RECT r = t;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
        return b;
    };
    auto ellipsis = reference(DT_SINGLELINE | DT_END_ELLIPSIS);
    auto clipped = reference(DT_SINGLELINE);
    EXPECT_EQ(Differences(title.Target, *ellipsis), 0);
    EXPECT_GT(Differences(title.Target, *clipped), 0);

    // A popup-style window stops before the caption buttons instead.
    TitleCanvas popup(kBg);
    EXPECT_EQ(popup.Draw(s.Data, text, true, true, 150).right, 145);
    EXPECT_EQ(CountOther(popup.Target, 145, 0, 300, 29, kBg, &w), 0) << w;
}

TEST(TitleText, ColoursAndBackgroundBarFollowActivation) {
    // Red when active, blue when inactive: on black, every inked pixel has
    // only that channel (whatever the font smoothing).
    SyntheticSkin s;
    for (bool active : {true, false}) {
        TitleCanvas title;
        const RECT t = title.Draw(s.Data, L"Caption", active);
        const auto [ink, stray] =
            InkOutside(title.Target, {0, 0, 300, 29}, active ? TColor(0x0000FF) : TColor(0xFF0000));
        EXPECT_GT(ink, 10) << active;
        EXPECT_EQ(stray, 0) << active;
        EXPECT_EQ(t.left, 4); // TextShift 0
    }

    // Text background: two stacked 20 x 20 frames, caps of 8 (the outer
    // column magenta), a 4-pixel middle.
    constexpr TColor capL[2] = {0x00101080, 0x00801010}, mid[2] = {0x00106010, 0x00606010},
                     capR[2] = {0x00501050, 0x00105050};
    TDataSkinTitle& tt = *s.Data.Title;
    tt.Picture.SetSize(20, 40);
    for (int f = 0; f < 2; ++f) {
        Fill(tt.Picture, 0, 20 * f, 8, 20 * f + 20, capL[f]);
        Fill(tt.Picture, 8, 20 * f, 12, 20 * f + 20, mid[f]);
        Fill(tt.Picture, 12, 20 * f, 20, 20 * f + 20, capR[f]);
        Fill(tt.Picture, 0, 20 * f, 1, 20 * f + 20, kMagenta);
    }
    tt.FrameCount = 2;
    tt.TXTBackleft = 8;
    tt.TXTBackRight = 8;
    tt.LeftWidth = 10;
    for (int f = 0; f < 2; ++f) {
        SCOPED_TRACE(f);
        TitleCanvas title(kBg);
        const RECT t = title.Draw(s.Data, L"Hi", f == 0);
        ASSERT_EQ(t.left, 14);
        ASSERT_GT(t.right - t.left, 20);
        std::string w;
        EXPECT_EQ(CountOther(title.Target, 0, 0, 15, 29, kBg, &w), 0) << w; // magenta left out
        EXPECT_EQ(CountOther(title.Target, 15, 0, 22, 29, capL[f], &w), 0) << w;
        EXPECT_EQ(CountOther(title.Target, t.right - 8, 0, t.right, 29, capR[f], &w), 0) << w;
        EXPECT_EQ(CountOther(title.Target, t.right, 0, 300, 29, kBg, &w), 0) << w;
        EXPECT_EQ(At(title.Target, t.left + 10, 28), mid[f]);
        EXPECT_EQ(At(title.Target, t.left + 10, 0), mid[f]);
        // The text sits between the caps.
        EXPECT_GT(CountOther(title.Target, 22, 0, t.right - 8, 29, mid[f]), 0);
    }
}

TEST(TitleText, RealSkinsPlaceTheirTitles) {
    TSkinData xpluna(nullptr);
    LoadXPLuna(xpluna);
    TitleCanvas left;
    left.Strip = {3, 0, 297, 29};
    const RECT t = left.Draw(xpluna, L"Lantuo", true);
    EXPECT_EQ(t.left, 3 + 22); // TextShift 22
    const int vertical = (29 - (t.bottom - t.top)) / 2 + 1;
    EXPECT_EQ(t.top, vertical); // TextShiftVert 2

    TSkinData graphite(nullptr);
    LoadGraphite(graphite);
    TitleCanvas centred;
    centred.Strip = {5, 0, 295, 24};
    const RECT c = centred.Draw(graphite, L"Lantuo", true);
    // Centred (TextShiftVert -2 moves it up one pixel), plate drawn behind.
    EXPECT_LE(std::abs((c.left + c.right) - (5 + 295)), 1);
    EXPECT_EQ(c.top, (24 - (c.bottom - c.top)) / 2 - 1);
    EXPECT_NE(At(centred.Target, c.left + 1, 12), 0u);
    EXPECT_EQ(At(centred.Target, c.left - 1, 12), 0u);
    EXPECT_EQ(At(centred.Target, c.left + 10, 0), 0u); // the plate's magenta top row
}

TEST(HitTest, CaptionAndMenuStripsOnly) {
    EXPECT_EQ(AdjustHitTest(HTCAPTION, {50, 10}, 29), HTCAPTION);
    EXPECT_EQ(AdjustHitTest(HTNOWHERE, {50, 4}, 29), HTCAPTION);
    EXPECT_EQ(AdjustHitTest(HTNOWHERE, {50, 29}, 29), HTCAPTION);
    EXPECT_EQ(AdjustHitTest(HTNOWHERE, {50, 3}, 29), HTNOWHERE);
    EXPECT_EQ(AdjustHitTest(HTCAPTION, {50, 0}, 29), HTCAPTION);
    EXPECT_EQ(AdjustHitTest(HTNOWHERE, {50, 30}, 29), HTMENU);
    EXPECT_EQ(AdjustHitTest(HTCAPTION, {50, 48}, 29), HTMENU);
    for (LRESULT other : {HTLEFT, HTTOPLEFT, HTCLIENT, HTCLOSE, HTBOTTOM}) {
        EXPECT_EQ(AdjustHitTest(other, {50, 10}, 29), other);
        EXPECT_EQ(AdjustHitTest(other, {50, 40}, 29), other);
    }
}

TEST(FrameRegion, PlainRectangleWithoutTransparentBorders) {
    SyntheticSkin s;
    EXPECT_TRUE(AnyBorderTransparent(s.Data));
    for (auto* b : {s.Data.LeftBorder.get(), s.Data.RightBorder.get(), s.Data.TopBorder.get()}) {
        b->Trans = 0;
    }
    EXPECT_FALSE(AnyBorderTransparent(s.Data));
    TFrameRegionInput in{100, 80, ComputeFrameMetrics(s.Data, kBorderSingle)};
    TRegionHandle region = BuildFrameRegion(s.Data, in);
    ASSERT_TRUE(region);
    const auto rects = RegionRects(region);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_TRUE(SameRect(rects[0], {0, 0, 100, 80}));
    in.Width = 0;
    EXPECT_FALSE(BuildFrameRegion(s.Data, in));
}

TEST(FrameRegion, TransparentBordersCutTheirMagentaPixels) {
    SyntheticSkin s;
    TFrameRegionInput in{100, 80, ComputeFrameMetrics(s.Data, kBorderSingle)};
    TRegionHandle region = BuildFrameRegion(s.Data, in);
    ASSERT_TRUE(region);
    // Corners of the top part (4..95) and the outer top pixels of the sides.
    ExpectPoints(region, false,
                 {{4, 0}, {5, 0}, {4, 1}, {95, 0}, {94, 0}, {95, 1}, {0, 0}, {99, 0}});
    ExpectPoints(region, true, {{6, 0}, {5, 1}, {93, 0}, {1, 0}, {0, 1}, {98, 0}});
    ExpectPoints(region, true, {{50, 5}, {50, 40}, {0, 79}, {99, 79}, {50, 79}});
    EXPECT_FALSE(In(region, 100, 40));
    // Inactive: frame 2 of the top border has no magenta corners.
    in.Active = false;
    TRegionHandle inactive = BuildFrameRegion(s.Data, in);
    EXPECT_TRUE(In(inactive, 4, 0));
    EXPECT_FALSE(In(inactive, 0, 0));

    // A transparent bottom border counts from 2 pixels up.
    s.Data.BottomBorder->Trans = 1;
    Fill(s.Data.BottomBorder->Picture, 1, 0, 2, 4, kMagenta); // in its fixed left end
    in.Active = true;
    region = BuildFrameRegion(s.Data, in);
    EXPECT_FALSE(In(region, 5, 78));
    EXPECT_TRUE(In(region, 4, 78));
    EXPECT_TRUE(In(region, 6, 78));
    in.Metrics.Bottom = 1;
    region = BuildFrameRegion(s.Data, in);
    EXPECT_TRUE(In(region, 5, 79));

    // Without borders only the client part remains.
    in.Metrics.Bottom = 4;
    in.BorderKind = kBorderNone;
    region = BuildFrameRegion(s.Data, in);
    EXPECT_TRUE(In(region, 50, 40));
    EXPECT_FALSE(In(region, 1, 40));
    EXPECT_FALSE(In(region, 50, 5));
}

TEST(FrameRegion, TitleCacheMakesPaintedPixelsOpaque) {
    SyntheticSkin s;
    TFrameRegionInput in{100, 80, ComputeFrameMetrics(s.Data, kBorderSingle)};
    // A title bar as painted: magenta except for a text block and one column
    // at x = 10 (window coordinates; the cache spans the whole width).
    TBitmap cache(100, 10);
    Fill(cache, 0, 0, 100, 10, kMagenta);
    Fill(cache, 40, 2, 60, 8, 0x00FFFFFF);
    Fill(cache, 10, 0, 11, 10, 0x00000000);
    in.TitleCache = &cache;
    TRegionHandle region = BuildFrameRegion(s.Data, in);
    EXPECT_TRUE(In(region, 50, 5));
    EXPECT_TRUE(In(region, 10, 0));
    EXPECT_FALSE(In(region, 9, 0));
    EXPECT_FALSE(In(region, 11, 0));
    EXPECT_FALSE(In(region, 30, 5)); // opaque in the border, magenta in the cache
    EXPECT_FALSE(In(region, 50, 1));
    EXPECT_TRUE(In(region, 2, 5)); // the left part comes from its border

    // An empty cache, or one from before a resize, gives way to the border.
    TBitmap empty;
    in.TitleCache = &empty;
    EXPECT_TRUE(In(BuildFrameRegion(s.Data, in), 30, 5));
    in.TitleCache = &cache;
    in.Width = 120;
    region = BuildFrameRegion(s.Data, in);
    EXPECT_TRUE(In(region, 30, 5));
    EXPECT_FALSE(In(region, 4, 0));
}

TEST(FrameRegion, RealSkinRoundsTheTopCorners) {
    TSkinData xpluna(nullptr);
    LoadXPLuna(xpluna);
    TFrameRegionInput in{300, 200, ComputeFrameMetrics(xpluna, kBorderSizeable)};
    TRegionHandle region = BuildFrameRegion(xpluna, in);
    ASSERT_TRUE(region);
    ExpectPoints(
        region, false,
        {{0, 0}, {2, 1}, {0, 2}, {1, 2}, {3, 0}, {4, 0}, {295, 0}, {296, 0}, {299, 0}, {298, 2}});
    ExpectPoints(region, true,
                 {{2, 2}, {5, 0}, {294, 0}, {297, 2}, {150, 100}, {0, 199}, {299, 199}});
}

// Without a painted title of the window's size (a resize), the top part's
// shape is the top border's as drawn, through the prepared image that the
// frame paint then draws from.
TEST(FrameRegion, TopShapeBeforeThePaintIsTheDrawnBorders) {
    TSkinData xpluna(nullptr);
    LoadXPLuna(xpluna);
    for (int width : {300, 517, 1288}) {
        TFrameRegionInput in{width, 400, ComputeFrameMetrics(xpluna, kBorderSizeable)};
        ClearSkinDrawCache();
        TRegionHandle region = BuildFrameRegion(xpluna, in);
        ASSERT_TRUE(region);
        // The top part alone, from the border's own pixels.
        const RECT top = BorderPartRect(TBorderPart::Top, in.Metrics, width, 400);
        auto image = RenderBorderPart(TBorderPart::Top, top, xpluna, true);
        ASSERT_TRUE(image);
        TRegionHandle expected = RegionFromBitmap(*image, top.left, top.top, 1, 1, 1);
        TRegionHandle topOnly(CreateRectRgn(top.left, top.top, top.right, top.bottom));
        CombineRgn(topOnly.Get(), topOnly.Get(), region.Get(), RGN_AND);
        EXPECT_TRUE(EqualRgn(topOnly.Get(), expected.Get())) << width;
        // The paint of the same size draws every border from the images the
        // shape was made of.
        const TSkinDrawCacheStats shaped = SkinDrawCacheStats();
        TBitmap frame(width, 400);
        for (TBorderPart part :
             {TBorderPart::Left, TBorderPart::Right, TBorderPart::Bottom, TBorderPart::Top})
            DrawBorderPart(frame.Canvas().Handle(), part,
                           BorderPartRect(part, in.Metrics, width, 400), xpluna, true);
        EXPECT_EQ(SkinDrawCacheStats().Misses, shaped.Misses + 1) << "bottom border only";
    }
    ClearSkinDrawCache();
}

TEST(ToolButton, FramesColoursAndDrawing) {
    EXPECT_EQ(ToolButtonFrame(0), 0);
    EXPECT_EQ(ToolButtonFrame(kToolSelected), 2);
    EXPECT_EQ(ToolButtonFrame(kToolSelected | kToolHot | kToolDefault), 2);
    EXPECT_EQ(ToolButtonFrame(kToolHot), 4);
    EXPECT_EQ(ToolButtonFrame(kToolFocused | kToolDefault), 4);
    EXPECT_EQ(ToolButtonFrame(kToolDefault), 1);
    EXPECT_EQ(ToolButtonFrame(kToolDefault | kToolGrayed), 0);
    EXPECT_EQ(ToolButtonFrame(kToolDefault | kToolDisabled), 0);
    EXPECT_EQ(ToolButtonFrame(kToolGrayed | kToolDisabled), 0);

    // Five 10 x 10 frames side by side, each with a magenta top-left pixel.
    SyntheticSkin s;
    TDataSkinButton& b = *s.Data.Buttons;
    const TColor face[5] = {0x00200000, 0x00002000, 0x00000020, 0x00202000, 0x00002020};
    b.Picture.SetSize(50, 10);
    for (int f = 0; f < 5; ++f) {
        Fill(b.Picture, 10 * f, 0, 10 * f + 10, 10, face[f]);
        Put(b.Picture, 10 * f, 0, kMagenta);
    }
    b.FrameCount = 5;
    b.LeftWidth = b.TopHeight = b.RightWidth = b.BottomHeight = 2;
    b.Trans = 1;
    b.HasMouseOverColour2 = true;
    b.MouseOverColour2 = 0x00345678;
    b.NormalColour2 = 0x00ABCDEF; // not given by the skin: unused

    const std::pair<unsigned, int> cases[] = {{kToolHot, 4}, {kToolSelected, 2}, {kToolDefault, 1}};
    for (const auto& [state, k] : cases) {
        SCOPED_TRACE(k);
        TBitmap target(40, 30);
        Fill(target, 0, 0, 40, 30, kBg);
        TCanvas& canvas = target.Canvas();
        canvas.Font().SetColor(0x00111111);
        EXPECT_TRUE(DrawSkinToolButton(canvas, {5, 5, 35, 25}, state, s.Data));
        EXPECT_EQ(canvas.Font().Color(), k == 4 ? TColor(0x00345678) : TColor(0x00111111));
        std::string w;
        EXPECT_EQ(At(target, 6, 6), kBg); // magenta left out
        EXPECT_EQ(CountOther(target, 7, 6, 34, 24, face[k - 1], &w), 0) << w;
        EXPECT_EQ(CountOther(target, 6, 7, 7, 24, face[k - 1], &w), 0) << w;
        EXPECT_EQ(CountOther(target, 0, 0, 40, 6, kBg, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 0, 24, 40, 30, kBg, &w), 0) << w;
        EXPECT_EQ(CountOther(target, 34, 0, 40, 30, kBg, &w), 0) << w;
    }

    TBitmap target(40, 30);
    Fill(target, 0, 0, 40, 30, kBg);
    EXPECT_FALSE(DrawSkinToolButton(target.Canvas(), {5, 5, 35, 25}, kToolGrayed, s.Data));
    EXPECT_EQ(CountOther(target, 0, 0, 40, 30, kBg), 0);
    s.Data.Buttons.reset();
    EXPECT_FALSE(DrawSkinToolButton(target.Canvas(), {5, 5, 35, 25}, kToolHot, s.Data));
}

TEST(FramePaint, HundredPaintsLeakNothing) {
    TSkinData graphite(nullptr);
    LoadGraphite(graphite);
    const TFrameMetrics m = ComputeFrameMetrics(graphite, kBorderSizeable);
    TBitmap target(200, 120);
    TBitmap cache(200, m.Title);
    HDC dc = target.Canvas().Handle();
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto paint = [&](bool active) {
        for (TBorderPart part :
             {TBorderPart::Left, TBorderPart::Right, TBorderPart::Top, TBorderPart::Bottom}) {
            DrawBorderPart(dc, part, BorderPartRect(part, m, 200, 120), graphite, active);
        }
        DrawTitleText(dc, BorderPartRect(TBorderPart::Top, m, 200, 120), L"Lantuo", font, graphite,
                      active, false, false, false, 0);
        DrawSkinToolButton(target.Canvas(), {10, 40, 60, 60}, kToolHot, graphite);
        TFrameRegionInput in{200, 120, m};
        in.Active = active;
        in.TitleCache = active ? &cache : nullptr;
        return static_cast<bool>(BuildFrameRegion(graphite, in));
    };
    // The first paint gives the skin's pictures and the cache their DCs,
    // which they keep; from then on nothing may stay behind.
    ASSERT_TRUE(paint(true));
    ASSERT_TRUE(paint(false));
    const int live = GdiLiveTotal();
    int regions = 0;
    for (int i = 0; i < 100; ++i) {
        regions += paint(i % 2 == 0);
    }
    EXPECT_EQ(regions, 100);
    EXPECT_EQ(GdiLiveTotal(), live);
}
