// The skin model built from the project's own skin (resources/skin/xpluna):
// caption buttons, MDI buttons, frame counts, borders, title, colours and
// the optional objects the description names.
#include <gtest/gtest.h>

#include "skin/store/quick_ini.h"
#include "skin/model/skin_loader.h"
#include "skin/store/skin_reader.h"
#include "tests/skin/model/model_fixture.h"

using namespace model_test;

namespace {

class ProjectSkin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadBytes(data, model_test::ProjectSkin())); }
    TSkinData data{nullptr};
};

} // namespace

TEST_F(ProjectSkin, CaptionButtonsInFileOrderThenMdiButtons) {
    ASSERT_FALSE(data.SkinEmpty());
    EXPECT_EQ(data.SkinName, "XPLuna");
    const ButtonFacts expected[] = {
        {"BUTTON0", 0, 1, 25, 5, 0, 0, 6, 126, 21}, {"BUTTON3", 1, 1, 48, 5, 2, 6, 6, 126, 21},
        {"BUTTON6", 1, 1, 48, 5, 1, 0, 6, 126, 21}, {"BUTTON9", 2, 1, 71, 5, 8, 0, 6, 126, 21},
        {"BUTTON16", 11, 0, 7, 7, 0, 0, 6, 0, 0},   {"", 7, 100, 57, 0, 100, 100, 4, 60, 15},
        {"", 8, 100, 38, 0, 100, 100, 4, 60, 15},   {"", 9, 100, 19, 0, 100, 100, 4, 60, 15},
    };
    ExpectCaptionButtons(data, expected, 5);
    EXPECT_EQ(data.CaptionButtons[0]->FrameWidth(), 21);
}

TEST_F(ProjectSkin, MdiButtonsAreCutFromTheTwelveFramePicture) {
    TBitmap source;
    source.LoadFromFile(SkinDir() + "/Blue_MDIButtons.bmp");
    ASSERT_EQ(source.Width(), 180);
    for (int i = 0; i < 3; ++i) {
        TBitmap& cut = data.CaptionButtons[5 + static_cast<size_t>(i)]->Picture;
        SCOPED_TRACE(i);
        for (int x : {0, 7, 14, 15, 31, 59})
            for (int y : {0, 7, 14})
                EXPECT_EQ(PixelOf(cut, x, y), PixelOf(source, 60 * i + x, y)) << x << "," << y;
    }
}

TEST_F(ProjectSkin, BordersTitleAndMenuBar) {
    const TDataSkinBorder& top = *data.TopBorder;
    EXPECT_EQ(top.Name, "Top");
    EXPECT_EQ(top.LeftWidth, 25);
    EXPECT_EQ(top.RightWidth, 32);
    EXPECT_EQ(top.TopHeight, 0);
    EXPECT_EQ(top.BottomHeight, 0);
    EXPECT_EQ(top.FrameCount, 2);
    EXPECT_EQ(top.Tile, 1);
    EXPECT_EQ(top.Trans, 1);
    EXPECT_EQ(top.Picture.Width(), 60);
    EXPECT_EQ(top.Picture.Height(), 58);
    for (TDataSkinBorder* side : {data.LeftBorder.get(), data.RightBorder.get()}) {
        EXPECT_EQ(side->TopHeight, 30);
        EXPECT_EQ(side->BottomHeight, 3);
        EXPECT_EQ(side->LeftWidth, 0);
        EXPECT_EQ(side->RightWidth, 0);
        EXPECT_EQ(side->Picture.Width(), 6);
        EXPECT_EQ(side->Picture.Height(), 63);
        EXPECT_EQ(side->Trans, 1);
    }
    EXPECT_EQ(data.BottomBorder->LeftWidth, 2);
    EXPECT_EQ(data.BottomBorder->RightWidth, 2);
    EXPECT_EQ(data.BottomBorder->Trans, 0);
    EXPECT_EQ(data.BottomBorder->Picture.Width(), 43);
    EXPECT_EQ(data.BottomBorder->Picture.Height(), 6);
    // The title bar's rounded corner leaves magenta outside the rounding.
    EXPECT_EQ(PixelOf(data.TopBorder->Picture, 0, 0), 0x00FF00FFu);
    EXPECT_EQ(PixelOf(data.LeftBorder->Picture, 0, 0), 0x00FF00FFu);

    const TDataSkinTitle& t = *data.Title;
    EXPECT_EQ(t.LeftWidth, 22);
    EXPECT_EQ(t.TopHeight, 2);
    EXPECT_EQ(t.RightWidth, 76);
    EXPECT_EQ(t.TextAlignment, 0);
    EXPECT_EQ(t.FontHeight, 16);
    EXPECT_EQ(t.FrameCount, 2);
    EXPECT_EQ(t.ActiveTextColour, 0x00FFFFFF);
    EXPECT_EQ(t.InactiveTextColour, 0x00F8E4D8);
    EXPECT_TRUE(t.Picture.Empty());

    ASSERT_TRUE(data.MenuBar);
    EXPECT_EQ(data.MenuBar->Picture.Width(), 20);
    EXPECT_EQ(data.MenuBar->Picture.Height(), 22);
    EXPECT_EQ(data.MenuBar->Tile, 1);
    EXPECT_EQ(data.MenuBar->LeftWidth, 1);
    EXPECT_EQ(data.MenuBar->RightWidth, 1);
    EXPECT_EQ(data.MenuBar->FrameCount, 2);
}

TEST_F(ProjectSkin, ButtonsAndMarkStrips) {
    const TDataSkinButton& b = *data.Buttons;
    EXPECT_EQ(b.FrameCount, 5);
    EXPECT_EQ(b.Picture.Width(), 90);
    EXPECT_EQ(b.CheckPicture.Width(), 65);
    EXPECT_EQ(b.CheckPicture.Height(), 13);
    EXPECT_EQ(b.CheckButtonFrame, 5);
    EXPECT_EQ(b.RadioButtonFrame, 5);
    EXPECT_EQ(b.RadioPicture.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(b.LeftWidth, 3);
    EXPECT_EQ(b.BottomHeight, 3);
    EXPECT_EQ(b.Trans, 1);
    EXPECT_EQ(b.Tile, 0);
    EXPECT_EQ(b.NormalColour, 0);
    EXPECT_FALSE(b.HasNormalColour2);
    EXPECT_EQ(b.NormalColour2, data.ButtonTextColour);
}

TEST_F(ProjectSkin, FixedFrameCountsAndOptionalObjects) {
    struct Count {
        TDataSkinObject* obj;
        int frames;
    } counts[] = {{data.Progress.get(), 2},       {data.GroupBoxEdge.get(), 2},
                  {data.Toolbars.get(), 5},       {data.Tabs.get(), 5},
                  {data.ExtraImages.get(), 5},    {data.Headerbar.get(), 5},
                  {data.MenuItem.get(), 5},       {data.StatusBarEdges.get(), 3},
                  {data.GroupBox.get(), 1},       {data.MenuBackground.get(), 1},
                  {data.ComboButton.get(), 4},    {data.SunkEdge.get(), 4},
                  {data.HorzScroll.get(), 4},     {data.VertScroll.get(), 4},
                  {data.Scrollbar.get(), 23},     {data.HorzScrollThumb.get(), 3},
                  {data.VertScrollThumb.get(), 3}};
    for (const Count& c : counts) {
        ASSERT_NE(c.obj, nullptr);
        EXPECT_EQ(c.obj->FrameCount, c.frames) << c.obj->Name;
        EXPECT_FALSE(c.obj->Picture.Empty()) << c.obj->Name;
    }
    EXPECT_EQ(data.Scrollbar->Picture.Width(), 391);
    EXPECT_EQ(data.Tabs->Picture2.Width(), 20);
    EXPECT_EQ(data.Tabs->Picture.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(data.GroupBox->BackgroundAlignment, 1);
    EXPECT_EQ(data.GroupBox->BackgroundLeftShift, -3);
    EXPECT_EQ(data.GroupBox->BackgroundRightShift, -3);
    EXPECT_EQ(data.Progress->Tile, 1);
    EXPECT_EQ(data.StatusBarEdges->NormalColour2, 0);
    // Sections the skin does not have leave their objects absent.
    EXPECT_FALSE(data.UpDownHorz);
    EXPECT_FALSE(data.UpDownVert);
    EXPECT_FALSE(data.TrackbarThumbHorz);
    EXPECT_FALSE(data.TrackbarThumbDown);
}

TEST_F(ProjectSkin, ColourTableAndExtraColours) {
    EXPECT_EQ(data.ButtonFaceColour, 237 + 234 * 256 + 220 * 65536);
    EXPECT_EQ(data.HilightColour, 52 + 108 * 256 + 200 * 65536);
    EXPECT_EQ(data.TitleTextNoActiveColour, 0x00F8E4D8);
    EXPECT_EQ(data.ButtonShadowColour, 170 + 166 * 256 + 152 * 65536);
    std::vector<TColor> extra = {0x000000, 0xD54600, 0xFFFFFF, 0x92A1A1};
    EXPECT_EQ(data.ExtraColours, extra);
    EXPECT_EQ(data.CustomColors[0], 0 + 84 * 256 + 226 * 65536);
    EXPECT_EQ(data.CustomColors[5], 0x00FFFFFF); // not given: white
    LOGBRUSH lb{};
    ASSERT_TRUE(data.FaceBrush);
    ASSERT_EQ(GetObjectW(data.FaceBrush.Get(), sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, static_cast<COLORREF>(data.ButtonFaceColour));
}

TEST_F(ProjectSkin, PathsAndUnreadPictures) {
    TSkinReader reader;
    TMemoryStream stream;
    const auto& packed = model_test::ProjectSkin();
    stream.WriteBuffer(packed.data(), static_cast<int32_t>(packed.size()));
    ASSERT_TRUE(reader.Load(stream));
    EXPECT_EQ(reader.Count(), 45);
    EXPECT_EQ(reader.Names()[44], "xpluna.ini");
    TBitmap pic;
    // [Personality] MenuBorders names a file the archive lacks.
    LoadPicture(pic, reader, "XPLuna\\MenuFrame.bmp");
    EXPECT_TRUE(pic.Empty());
    // The folder part is dropped before the lookup.
    LoadPicture(pic, reader, "XPLuna\\Blue_MenuFrame.bmp");
    EXPECT_EQ(pic.Width(), 16);
    LoadPicture(pic, reader, "C:Blue_Status.bmp");
    EXPECT_EQ(pic.Width(), 24);
    // The help pictures are stored twice; the first (six-frame) copy wins.
    LoadPicture(pic, reader, "Blue_Help.bmp");
    EXPECT_EQ(pic.Width(), 126);
    LoadPicture(pic, reader, "blue_helphover.bmp");
    EXPECT_EQ(pic.Width(), 126);
}

TEST_F(ProjectSkin, ComboCompositeAndItsMirror) {
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    TDataSkinBorder& button = *data.ComboButton;
    TDataSkinObject& edge = *data.SunkEdge;
    EXPECT_EQ(button.Style, 2);
    EXPECT_EQ(button.Picture.Width(), 200);
    EXPECT_EQ(button.Picture.Height(), 21);
    EXPECT_EQ(button.LeftWidth, 2);
    EXPECT_EQ(button.RightWidth, b + 2);
    EXPECT_EQ(button.TopHeight, 2);
    EXPECT_EQ(button.BottomHeight, 2);
    EXPECT_EQ(edge.LeftWidth, b + 2);
    EXPECT_EQ(edge.RightWidth, 2);
    ASSERT_EQ(edge.Picture.Width(), 200);
    // The button picture as loaded, mirrored, stays in Picture2.
    EXPECT_EQ(button.Picture2.Width(), 64);

    TBitmap& strip = button.Picture;
    const uint32_t border = 0x00B99D7F; // 127 157 185, the edit frame
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        int x0 = 50 * k;
        // Text area: transparent.
        EXPECT_EQ(PixelOf(strip, x0 + 2, 2), 0x00FF00FFu);
        EXPECT_EQ(PixelOf(strip, x0 + 48 - b, 17), 0x00FF00FFu);
        // Inside the frame, just outside the text area: the white inner ring.
        EXPECT_EQ(PixelOf(strip, x0 + 1, 1), 0x00FFFFFFu);
        EXPECT_EQ(PixelOf(strip, x0 + 49 - b, 18), 0x00FFFFFFu);
    }
    EXPECT_EQ(PixelOf(strip, 0, 0), border);
    EXPECT_EQ(PixelOf(strip, 49, 20), border);
    // Button body of frame 1 (the ring colour 184 202 248) on the left edge.
    EXPECT_EQ(PixelOf(strip, 50 - b + 1, 10), 0x00F8CAB8u);
    // The drop-down arrow is drawn in the button (dark ink near its centre).
    int ink = 0;
    for (int y = 6; y < 15; ++y)
        for (int x = 50 - b; x < 50; ++x)
            ink += PixelOf(strip, x, y) == 0x0085614Du; // 77 97 133
    EXPECT_GE(ink, 10);
    // SunkEdge holds the mirror image.
    for (int x : {0, 3, 49, 50, 120, 199})
        for (int y : {0, 10, 20})
            EXPECT_EQ(PixelOf(edge.Picture, x, y), PixelOf(strip, 199 - x, y)) << x << "," << y;
}

TEST_F(ProjectSkin, ObjectDrawingUsesTheObjectsOwnSettings) {
    // Frame 5 (default button) of the push-button strip, 40 x 30, against a
    // direct call with the same numbers.
    TBitmap a(40, 30, TPixelFormat::pf24bit), b(40, 30, TPixelFormat::pf24bit);
    RECT r{0, 0, 40, 30};
    TDataSkinButton& buttons = *data.Buttons;
    DrawSkinElement(a.Canvas().Handle(), r, buttons, 5);
    DrawSkinElement(b.Canvas().Handle(), r, buttons.Picture, false, false, true, 5, 5,
                    TSkinMargins{3, 3, 3, 3});
    for (int y = 0; y < 30; y += 3)
        for (int x = 0; x < 40; x += 3)
            ASSERT_EQ(PixelOf(a, x, y), PixelOf(b, x, y)) << x << "," << y;
    // The left edge of frame 5 (x from 72) keeps its outline colour.
    EXPECT_EQ(PixelOf(a, 0, 10), PixelOf(buttons.Picture, 72, 10));
}

TEST(ProjectSkinLoads, RepeatedLoadsLeakNoGdiObjects) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadBytes(data, model_test::ProjectSkin()));
    UseSomePictures(data); // the same pictures in use before and after
    const int liveBefore = GdiLiveTotal();
    const int64_t createdBefore = GdiCreatedCount(TGdiKind::Bitmap);
    const DWORD systemBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    int64_t used = 0;
    for (int i = 0; i < 30; ++i) {
        ASSERT_TRUE(data.LoadSkin());
        const int n = UseSomePictures(data);
        ASSERT_GE(n, 9) << i;
        used += n;
    }
    // Each load's pictures are new bitmaps once used, and the next load frees them.
    EXPECT_GE(GdiCreatedCount(TGdiKind::Bitmap), createdBefore + used);
    EXPECT_EQ(GdiLiveTotal(), liveBefore);
    // The system's own count (a stub that answers 0 under Wine; real on Windows).
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), systemBefore + 2);
    EXPECT_EQ(data.CaptionButtons.size(), 8u);
}

TEST(ProjectSkinContent, SectionsAndArchiveEntries) {
    TSkinReader reader;
    TMemoryStream stream;
    const auto& packed = model_test::ProjectSkin();
    stream.WriteBuffer(packed.data(), static_cast<int32_t>(packed.size()));
    ASSERT_TRUE(reader.Load(stream));
    TMemoryStream iniText;
    std::string found;
    ASSERT_TRUE(reader.FindFileContaining(".ini", iniText, found));
    EXPECT_EQ(found, "xpluna.ini");
    TQuickIni ini;
    ini.LoadFromStream(iniText);
    TStringList sections;
    ini.ReadSections(sections);
    for (const char* name :
         {"TitlebarSkin", "Personality", "Button0", "Button3", "Button6", "Button9", "Button16",
          "Buttons", "SunkEdge", "ComboButton", "ExtraImages", "Scrollbar", "HorzScroll",
          "VertScroll", "HorzScrollThumb", "VertScrollThumb", "ToolBars", "StatusBarEdges",
          "Headerbar", "Progress", "Tabs", "MenuItem", "MenuBackground", "MdiControls", "GroupBox",
          "GroupBoxEdge", "Colours", "Colour0", "Colour1", "Colour2", "Colour3", "Fonts",
          // present but not read
          "RebarGrip", "TaskBar", "StartButton", "MenuBar", "Text", "Font0", "Font1", "Font2",
          "Font3", "Layout0", "Layout1", "WebBlinds", "WebBlindsToolbar0", "WebBlindsToolbar1",
          "Skins"})
        EXPECT_GE(sections.IndexOf(name), 0) << name;
    EXPECT_EQ(ini.ReadString("Personality", "MenuBorders", ""), "XPLuna\\MenuFrame.bmp");
    EXPECT_EQ(ini.ReadString("WebBlindsToolbar0", "Description", ""), "\"Standard buttons\"");
    // Pictures no read key names are in the archive all the same.
    TMemoryStream file;
    for (const char* name : {"blue_closehover.bmp", "blue_minimizedisabled.bmp",
                             "blue_menubutton.bmp", "blue_help.bmp", "blue_helphover.bmp"})
        EXPECT_TRUE(reader.FindFile(name, file)) << name;
    // 44 bitmap entries, 42 names: the two help pictures are stored twice.
    int helps = 0;
    for (int i = 0; i < reader.Count(); ++i)
        helps += reader.Names()[i] == "blue_help.bmp" || reader.Names()[i] == "blue_helphover.bmp";
    EXPECT_EQ(helps, 4);
}
