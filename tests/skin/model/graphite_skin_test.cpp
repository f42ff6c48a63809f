// The second skin (resources/skin/graphite) as the build packs it
// (skins/graphite.skn), loaded through the skin data component: its caption
// buttons, frame geometry, mark strips, looks chosen by Style, the optional
// elements the first skin lacks, its JSON model, and repeated loads and
// switches with the first skin leaking no GDI object.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "framework/core/ansi.h"
#include "framework/core/utf8.h"
#include "tests/skin/model/model_fixture.h"
#include "tools/skininfo/skin_json.h"

using namespace model_test;

namespace {

constexpr uint32_t kMagenta = 0x00FF00FF;

// Colour (r, g, b) as 0x00BBGGRR.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// Loads a packed archive the way a user's skin file is loaded.
bool LoadArchive(TSkinData& data, const char* path) {
    data.SetSkinFile(WideToAnsiText(Utf8ToWide(path)));
    return !data.SkinEmpty();
}

class GraphiteSkin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadArchive(data, LT_GRAPHITE_SKN)); }
    TSkinData data{nullptr};
};

} // namespace

TEST(GraphiteArchive, BuildOutputIsTheCommittedFolderPacked) {
    std::ifstream in(LT_GRAPHITE_SKN, std::ios::binary);
    ASSERT_TRUE(in);
    std::vector<uint8_t> built((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    EXPECT_EQ(built, PackSkinFolder(LT_GRAPHITE_DIR));
}

TEST_F(GraphiteSkin, CaptionButtonTableWithButtonsOnBothEnds) {
    EXPECT_EQ(data.SkinName, "Graphite");
    // BUTTON7 (Action -1, Visibility 1) is left out; the menu button's
    // three frames and the help button's six come from their pictures'
    // proportions, the others from their frame keys.
    const ButtonFacts expected[] = {
        {"BUTTON0", 0, 1, 24, 3, 0, 0, 4, 72, 18}, {"BUTTON1", 1, 1, 44, 3, 2, 6, 4, 72, 18},
        {"BUTTON2", 1, 1, 44, 3, 1, 6, 4, 72, 18}, {"BUTTON3", 2, 1, 64, 3, 8, 0, 4, 72, 18},
        {"BUTTON4", 12, 0, 6, 3, 0, 0, 3, 54, 18}, {"BUTTON5", 5, 3, 4, 3, 0, 3, 6, 108, 18},
        {"", 7, 100, 54, 0, 100, 100, 4, 56, 14},  {"", 8, 100, 36, 0, 100, 100, 4, 56, 14},
        {"", 9, 100, 18, 0, 100, 100, 4, 56, 14},
    };
    ExpectCaptionButtons(data, expected, 6);
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(data.CaptionButtons[i]->FrameWidth(), expected[i].width / expected[i].frames);
    // The MDI buttons are cut from the 168 x 14 twelve-frame picture.
    TBitmap source;
    source.LoadFromFile(std::string(LT_GRAPHITE_DIR) + "/Graphite_MDIButtons.bmp");
    ASSERT_EQ(source.Width(), 168);
    for (int i = 0; i < 3; ++i)
        for (int x : {0, 6, 13, 14, 41, 55})
            EXPECT_EQ(PixelOf(data.CaptionButtons[6 + static_cast<size_t>(i)]->Picture, x, 7),
                      PixelOf(source, 56 * i + x, 7))
                << i << "," << x;
}

TEST_F(GraphiteSkin, FrameGeometryTitleAndMenuBar) {
    // Title 24 high (two stacked frames), sides and bottom 5 wide.
    TDataSkinBorder &top = *data.TopBorder, &left = *data.LeftBorder, &right = *data.RightBorder,
                    &bottom = *data.BottomBorder;
    EXPECT_EQ(top.Picture.Height() / top.FrameCount, 24);
    EXPECT_EQ(left.FrameWidth(), 5);
    EXPECT_EQ(right.FrameWidth(), 5);
    EXPECT_EQ(bottom.Picture.Height() / bottom.FrameCount, 5);
    EXPECT_EQ(top.LeftWidth, 10);
    EXPECT_EQ(top.RightWidth, 10);
    EXPECT_EQ(top.Tile, 0); // Stretch 0: the middle is tiled
    EXPECT_EQ(top.Trans, 1);
    for (const TDataSkinBorder* side : {&left, &right}) {
        EXPECT_EQ(side->TopHeight, 24);
        EXPECT_EQ(side->BottomHeight, 5);
        EXPECT_EQ(side->LeftWidth, 0);
        EXPECT_EQ(side->Tile, 0);
        EXPECT_EQ(side->FrameCount, 2);
        EXPECT_EQ(side->Picture.Height(), 40);
    }
    EXPECT_EQ(bottom.LeftWidth, 4);
    EXPECT_EQ(bottom.RightWidth, 4);
    EXPECT_EQ(bottom.Tile, 1);
    EXPECT_EQ(bottom.Trans, 1);
    // Chamfered corners: magenta outside them in the side pictures, the
    // outer line along the cut; the inactive frame is lighter.
    EXPECT_EQ(PixelOf(left.Picture, 0, 0), kMagenta);
    EXPECT_EQ(PixelOf(left.Picture, 4, 0), Rgb(24, 25, 28));
    EXPECT_EQ(PixelOf(left.Picture, 0, 39), kMagenta);
    EXPECT_EQ(PixelOf(left.Picture, 0, 30), Rgb(24, 25, 28));
    EXPECT_EQ(PixelOf(left.Picture, 5, 30), Rgb(44, 45, 48));
    EXPECT_EQ(PixelOf(right.Picture, 4, 0), kMagenta);
    EXPECT_EQ(PixelOf(top.Picture, 0, 0), Rgb(28, 30, 34));

    TDataSkinTitle& t = *data.Title;
    EXPECT_EQ(t.TextAlignment, 1);
    EXPECT_EQ(t.LeftWidth, 30);
    EXPECT_EQ(t.TopHeight, -2);
    EXPECT_EQ(t.RightWidth, 92);
    EXPECT_EQ(t.TXTBackleft, 8);
    EXPECT_EQ(t.TXTBackRight, 8);
    EXPECT_EQ(t.FontHeight, 15);
    EXPECT_EQ(t.ActiveTextColour, static_cast<TColor>(Rgb(226, 230, 236)));
    EXPECT_EQ(t.InactiveTextColour, static_cast<TColor>(Rgb(150, 154, 160)));
    // The title plate: two stacked 20 x 24 frames, magenta above the pill.
    EXPECT_EQ(t.Picture.Width(), 20);
    EXPECT_EQ(t.Picture.Height(), 48);
    EXPECT_EQ(t.FrameCount, 2);
    EXPECT_EQ(PixelOf(t.Picture, 10, 0), kMagenta);
    EXPECT_NE(PixelOf(t.Picture, 10, 12), kMagenta);

    ASSERT_TRUE(data.MenuBar);
    EXPECT_EQ(data.MenuBar->Tile, 0); // three-part bar, the middle repeated
    EXPECT_EQ(data.MenuBar->LeftWidth, 3);
    EXPECT_EQ(data.MenuBar->RightWidth, 3);
    EXPECT_EQ(data.MenuBar->FrameCount, 2);
    EXPECT_EQ(data.MenuBar->Picture.Width(), 14);
    EXPECT_EQ(data.MenuBar->Picture.Height(), 40);
}

TEST_F(GraphiteSkin, PushButtonsAndTheTwelveAndEightCellMarkStrips) {
    TDataSkinButton& b = *data.Buttons;
    EXPECT_EQ(b.FrameCount, 5);
    EXPECT_EQ(b.Picture.Width(), 120);
    EXPECT_EQ(b.LeftWidth, 4);
    EXPECT_EQ(b.BottomHeight, 4);
    EXPECT_EQ(b.Tile, 1);
    EXPECT_EQ(b.NormalColour, 0x00E6E2E0);
    EXPECT_EQ(b.MouseOverColour, 0x00FFFFFF);
    EXPECT_TRUE(b.HasNormalColour2 && b.HasMouseOverColour2 && b.HasPressedColour2);
    EXPECT_EQ(b.NormalColour2, static_cast<TColor>(Rgb(224, 226, 230)));
    EXPECT_EQ(b.PressedColour2, static_cast<TColor>(Rgb(200, 204, 210)));

    ASSERT_EQ(b.CheckButtonFrame, 12);
    ASSERT_EQ(b.RadioButtonFrame, 8);
    EXPECT_EQ(b.CheckPicture.Width(), 12 * 14);
    EXPECT_EQ(b.CheckPicture.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(b.RadioPicture.Width(), 8 * 14);
    // Cells where the check-box painter looks: 1 unchecked, 5 checked,
    // 9 indeterminate, 4/8/12 their disabled looks.
    auto checkInk = [&](int cell, uint32_t colour) {
        int n = 0;
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                n += PixelOf(b.CheckPicture, 14 * (cell - 1) + x, y) == colour;
        return n;
    };
    const uint32_t ink = Rgb(200, 204, 210), accent = Rgb(112, 150, 192), dim = Rgb(110, 113, 118);
    EXPECT_EQ(checkInk(1, ink) + checkInk(1, accent), 0);
    EXPECT_GE(checkInk(5, ink), 10);
    EXPECT_GE(checkInk(9, accent), 10);
    EXPECT_EQ(checkInk(4, dim), 0);
    EXPECT_GE(checkInk(8, dim), 10);
    EXPECT_GE(checkInk(12, dim), 10);
    // Radio cells 5-8 hold the dot, 1-4 do not; the disabled dot is dim.
    EXPECT_EQ(PixelOf(b.RadioPicture, 14 * 0 + 7, 7) == accent, false);
    EXPECT_EQ(PixelOf(b.RadioPicture, 14 * 4 + 7, 7), accent);
    EXPECT_EQ(PixelOf(b.RadioPicture, 14 * 7 + 7, 7), dim);
    EXPECT_EQ(PixelOf(b.RadioPicture, 14 * 3 + 7, 7) == dim, false);
    EXPECT_EQ(PixelOf(b.RadioPicture, 0, 0), kMagenta);
}

TEST_F(GraphiteSkin, ChunkedProgressOwnComboCellsAndOptionalElements) {
    ASSERT_TRUE(data.Progress);
    EXPECT_EQ(data.Progress->Style, 1);
    EXPECT_EQ(data.Progress->FrameCount, 2);
    EXPECT_EQ(data.Progress->LeftWidth, 3);
    EXPECT_EQ(data.Progress->Picture.Width(), 20);
    ASSERT_EQ(data.Progress->Picture2.Width(), 9); // the chunk: 7 pixels and a gap
    EXPECT_EQ(PixelOf(data.Progress->Picture2, 8, 4), kMagenta);
    EXPECT_NE(PixelOf(data.Progress->Picture2, 3, 4), kMagenta);

    // No SunkEdge: no combo composite, so the button keeps Style 0, its
    // margins and its own four cells; Picture2 is its mirror.
    EXPECT_FALSE(data.SunkEdge);
    ASSERT_TRUE(data.ComboButton);
    TDataSkinBorder& combo = *data.ComboButton;
    EXPECT_EQ(combo.Style, 0);
    EXPECT_EQ(combo.FrameCount, 4);
    EXPECT_EQ(combo.LeftWidth, 2);
    EXPECT_EQ(combo.RightWidth, 2);
    EXPECT_EQ(combo.Picture.Width(), 64);
    EXPECT_EQ(combo.Picture.Height(), 18);
    ASSERT_EQ(combo.Picture2.Width(), 64);
    EXPECT_EQ(combo.Picture2.PixelFormat(), TPixelFormat::pf24bit);
    // Opaque cells with their own outline (the painter stretches them).
    EXPECT_EQ(PixelOf(combo.Picture, 0, 9), Rgb(30, 32, 36));
    EXPECT_EQ(PixelOf(combo.Picture, 16 + 15, 0), Rgb(20, 21, 24));
    EXPECT_EQ(combo.Trans, 0);
    for (int x : {0, 1, 8, 33, 63})
        EXPECT_EQ(PixelOf(combo.Picture2, x, 9), PixelOf(combo.Picture, 63 - x, 9)) << x;

    ASSERT_TRUE(data.Tabs);
    EXPECT_EQ(data.Tabs->FrameCount, 5);
    EXPECT_EQ(data.Tabs->Tile, 1);
    EXPECT_EQ(data.Tabs->Picture.Width(), 130);
    EXPECT_EQ(data.Tabs->Picture2.Width(), 24);
    EXPECT_EQ(data.Tabs->MouseOverColour2, static_cast<TColor>(Rgb(240, 242, 245)));

    struct Element {
        TDataSkinObject* obj;
        int frames, width, height, width2, height2;
    } elements[] = {
        {data.UpDownVert.get(), 8, 128, 11, 56, 5},
        {data.UpDownHorz.get(), 8, 88, 16, 40, 7},
        {data.TrackbarThumbHorz.get(), 5, 55, 20, 0, 0},
        {data.TrackbarThumbVert.get(), 5, 100, 11, 0, 0},
        {data.TrackbarThumbDown.get(), 5, 55, 20, 0, 0},
        {data.TrackbarThumbUp.get(), 5, 55, 20, 0, 0},
        {data.TrackbarThumbRight.get(), 5, 100, 11, 0, 0},
        {data.TrackbarThumbLeft.get(), 5, 100, 11, 0, 0},
        {data.Headerbar.get(), 5, 70, 20, 0, 0},
        {data.StatusBarEdges.get(), 3, 30, 18, 0, 0},
        {data.Toolbars.get(), 5, 100, 20, 0, 0},
        {data.ExtraImages.get(), 5, 70, 14, 0, 0},
        {data.MenuItem.get(), 5, 100, 18, 0, 0},
        {data.MenuBackground.get(), 1, 16, 16, 0, 0},
        {data.Scrollbar.get(), 23, 345, 15, 0, 0},
        {data.HorzScroll.get(), 4, 32, 15, 0, 0},
        {data.VertScroll.get(), 4, 60, 8, 0, 0},
        {data.HorzScrollThumb.get(), 2, 40, 15, 0, 0},
        {data.VertScrollThumb.get(), 2, 30, 20, 0, 0},
        {data.GroupBoxEdge.get(), 2, 32, 16, 0, 0},
        {data.GroupBox.get(), 1, 32, 16, 0, 0},
    };
    for (const Element& e : elements) {
        ASSERT_NE(e.obj, nullptr);
        SCOPED_TRACE(e.obj->Name);
        EXPECT_EQ(e.obj->FrameCount, e.frames);
        EXPECT_EQ(e.obj->Picture.Width(), e.width);
        EXPECT_EQ(e.obj->Picture.Height(), e.height);
        if (e.width2) {
            auto* b = dynamic_cast<TDataSkinBorder*>(e.obj);
            ASSERT_NE(b, nullptr);
            EXPECT_EQ(b->Picture2.Width(), e.width2);
            EXPECT_EQ(b->Picture2.Height(), e.height2);
        }
    }
    EXPECT_EQ(data.UpDownVert->Name, "UpDown.Vert");
    // The thumb drawn by the track bar (cell 2) points down: magenta beside its tip.
    EXPECT_EQ(PixelOf(data.TrackbarThumbDown->Picture, 11, 19), kMagenta);
    EXPECT_EQ(PixelOf(data.TrackbarThumbDown->Picture, 16, 19), Rgb(24, 25, 28));
    EXPECT_EQ(PixelOf(data.TrackbarThumbUp->Picture, 11, 0), kMagenta);
    EXPECT_EQ(data.StatusBarEdges->NormalColour2, static_cast<TColor>(Rgb(200, 204, 210)));
    EXPECT_EQ(data.MenuBackground->Tile, 1);
    EXPECT_EQ(data.GroupBox->BackgroundAlignment, 0);
    EXPECT_EQ(data.GroupBox->BackgroundLeftShift, 2);
    EXPECT_EQ(data.GroupBox->BackgroundRightShift, 2);
}

TEST_F(GraphiteSkin, DarkColourTable) {
    EXPECT_EQ(data.ButtonFaceColour, static_cast<TColor>(Rgb(58, 61, 66)));
    EXPECT_EQ(data.ButtonTextColour, static_cast<TColor>(Rgb(224, 226, 230)));
    EXPECT_EQ(data.MenuColour, static_cast<TColor>(Rgb(48, 51, 56)));
    EXPECT_EQ(data.MenubarColour, static_cast<TColor>(Rgb(52, 55, 60)));
    EXPECT_EQ(data.HilightColour, static_cast<TColor>(Rgb(84, 116, 152)));
    EXPECT_EQ(data.TitleTextNoActiveColour, static_cast<TColor>(Rgb(150, 154, 160)));
    std::vector<TColor> extra = {static_cast<TColor>(Rgb(230, 232, 235)),
                                 static_cast<TColor>(Rgb(112, 150, 192)),
                                 static_cast<TColor>(Rgb(34, 36, 40))};
    EXPECT_EQ(data.ExtraColours, extra);
    EXPECT_EQ(data.CustomColors[1], static_cast<TColor>(Rgb(84, 116, 152)));
    EXPECT_EQ(data.CustomColors[3], 0x00FFFFFF); // not given: white
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectW(data.FaceBrush.Get(), sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, Rgb(58, 61, 66));
}

TEST_F(GraphiteSkin, JsonModelCarriesTheSecondSkin) {
    std::string json = SkinModelJson(data);
    for (const char* part : {
             "\"skinName\": \"Graphite\"",
             "\"TopBorder\": {\"name\": \"Top\", \"picture\": [64, 48, 8], \"frames\": 2, "
             "\"margins\": [10, 0, 10, 0], \"trans\": 1, \"tile\": 0",
             "\"name\": \"BUTTON4\", \"picture\": [54, 18, 8], \"frames\": 3",
             "\"action\": 12, \"align\": 0, \"xcoord\": 6, \"ycoord\": 3",
             "\"action\": 5, \"align\": 3, \"xcoord\": 4",
             "\"checkFrames\": 12",
             "\"radioFrames\": 8",
             "\"SunkEdge\": null",
             "\"UpDownHorz\": {\"name\": \"UpDown.Horz\", \"picture\": [88, 16, 8], \"frames\": 8",
             "\"textAlignment\": 1",
             "\"extraColours\": [\"0x00EBE8E6\", \"0x00C09670\", \"0x00282422\"]",
         })
        EXPECT_NE(json.find(part), std::string::npos) << part;
    EXPECT_NE(json.find("\"Progress\": {\"name\": \"Progress\", \"picture\": [20, 14, 4], "
                        "\"frames\": 2, \"margins\": [3, 3, 3, 3], \"trans\": 1, \"tile\": 0, "
                        "\"style\": 1"),
              std::string::npos);
}

TEST(GraphiteSkinLoads, HundredLoadsSwitchingSkinsLeakNothing) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadArchive(data, LT_GRAPHITE_SKN));
    UseSomePictures(data); // the same pictures in use before and after
    const int liveBefore = GdiLiveTotal();
    const int64_t createdBefore = GdiCreatedCount(TGdiKind::Bitmap);
    int64_t used = 0;
    for (int i = 0; i < 100; ++i) {
        const bool graphite = i % 2 == 1;
        ASSERT_TRUE(LoadArchive(data, graphite ? LT_GRAPHITE_SKN : LT_XPLUNA_SKN)) << i;
        ASSERT_EQ(data.SkinName, graphite ? "Graphite" : "XPLuna") << i;
        // Elements only the second skin has go away with the switch.
        ASSERT_EQ(static_cast<bool>(data.UpDownVert), graphite) << i;
        ASSERT_EQ(data.Title->Picture.Empty(), !graphite) << i;
        ASSERT_EQ(data.CaptionButtons.size(), graphite ? 9u : 8u) << i;
        const int n = UseSomePictures(data);
        ASSERT_GE(n, 9) << i;
        used += n;
    }
    // Every load's pictures are new bitmaps once used, and the next load frees them.
    EXPECT_GE(GdiCreatedCount(TGdiKind::Bitmap), createdBefore + used);
    EXPECT_EQ(GdiLiveTotal(), liveBefore);
}
