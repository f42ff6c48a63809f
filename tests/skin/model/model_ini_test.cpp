// The loader on small hand-written descriptions: colour strings, picture
// names, caption-button filtering and frame counts, mark strips, the
// per-object loaders and rebuilding the model in place.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/model/skin_loader.h"
#include "tests/skin/model/model_fixture.h"

using namespace model_test;

TEST(ParseColour, NumbersSeparatorsAndDefaults) {
    EXPECT_EQ(ParseColour("0 78 152", 7), 0x00984E00);
    EXPECT_EQ(ParseColour("255 255 255", 7), 0x00FFFFFF);
    // The second number is still pending at the end and is dropped.
    EXPECT_EQ(ParseColour("10 20", 7), 0x0000000A);
    EXPECT_EQ(ParseColour("10 20;", 7), 0x0000140A);
    EXPECT_EQ(ParseColour("5", 7), 0);
    // Only the first three numbers count; any non-digit separates.
    EXPECT_EQ(ParseColour("1,2;3 4", 7), 0x00030201);
    EXPECT_EQ(ParseColour("  12 34 56  ", 7), 0x0038220C);
    // Each number is taken modulo 256, however long it is.
    EXPECT_EQ(ParseColour("300 0 99999999999999999999", 7), 0x00FF002C);
    EXPECT_EQ(ParseColour("", 7), 7);
    EXPECT_EQ(ParseColour(" \t ", clBtnFace), clBtnFace);
    EXPECT_EQ(ParseColour("abc", 7), 0);
}

namespace {

std::vector<uint8_t> Picture(int w, int h) {
    return Bmp24(w, h);
}

} // namespace

TEST(SkinLoader, PictureNamesNeedTheExactLowerCaseBmpExtension) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadFiles(data, {Entry("blue_close.bmp", Picture(63, 21)),
                                 IniEntry("[Button0]\r\nButtonImage=Blue_Close.BMP\r\n"
                                          "[Button1]\r\nButtonImage=BLUE_CLOSE.bmp\r\n"
                                          "[Button2]\r\nButtonImage=Skins\\Sub:BLUE_close.bmp\r\n"
                                          "[Button3]\r\nButtonImage=blue_close\r\n"
                                          "[Button4]\r\nButtonImage=blue_close.bmp.txt\r\n")}));
    ASSERT_EQ(data.CaptionButtons.size(), 8u);
    EXPECT_TRUE(data.CaptionButtons[0]->Picture.Empty());
    EXPECT_EQ(data.CaptionButtons[1]->Picture.Width(), 63);
    EXPECT_EQ(data.CaptionButtons[2]->Picture.Width(), 63);
    EXPECT_TRUE(data.CaptionButtons[3]->Picture.Empty());
    EXPECT_TRUE(data.CaptionButtons[4]->Picture.Empty());
    // An empty picture keeps six frames; 63 x 21 (ratio 3) gives three.
    EXPECT_EQ(data.CaptionButtons[0]->FrameCount, 6);
    EXPECT_EQ(data.CaptionButtons[1]->FrameCount, 3);
}

TEST(SkinLoader, CaptionButtonSectionFilter) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadFiles(data, {IniEntry("[Buttons]\r\nAction=1\r\n"
                                          "[Button.Radio]\r\nAction=1\r\n"
                                          "[Button.CheckBox]\r\nAction=1\r\n"
                                          "[Button]\r\nAction=1\r\n"
                                          "[Colours]\r\nButtonFace=1 2 3\r\n"
                                          "[Button5]\r\nAction=-1\r\n"
                                          "[button6]\r\nAction=-1\r\nVisibility=0\r\n"
                                          "[ButtonBar]\r\nAction=4\r\nAlign=2\r\nXcoord=9\r\n"
                                          "Ycoord=-3\r\nVisibility=1001\r\nVisibility1=7\r\n"
                                          "CombineOp=2\r\n"
                                          "[Button7]\r\nAction=-1\r\nVisibility=3\r\n")}));
    ASSERT_EQ(data.CaptionButtons.size(), 5u);
    const TDataSkinSysButton& six = *data.CaptionButtons[0];
    EXPECT_EQ(six.Name, "BUTTON6");
    EXPECT_EQ(six.Action, -1);
    EXPECT_EQ(six.Visibility, 0);
    EXPECT_EQ(six.Visibility1, -1); // default for Action -1
    EXPECT_EQ(six.CombineOp, -1);
    EXPECT_EQ(six.FrameCount, 6);
    const TDataSkinSysButton& bar = *data.CaptionButtons[1];
    EXPECT_EQ(bar.Name, "BUTTONBAR");
    EXPECT_EQ(bar.Action, 4);
    EXPECT_EQ(bar.Align, 2);
    EXPECT_EQ(bar.XCoord, 9);
    EXPECT_EQ(bar.YCoord, -3);
    EXPECT_EQ(bar.Visibility, 1001);
    EXPECT_EQ(bar.Visibility1, 7);
    EXPECT_EQ(bar.CombineOp, 2);
    // Without [MDICONTROLS] the MDI buttons keep empty pictures and XCoord 0.
    for (size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(data.CaptionButtons[i]->Action, static_cast<int>(i) + 5);
        EXPECT_TRUE(data.CaptionButtons[i]->Picture.Empty());
        EXPECT_EQ(data.CaptionButtons[i]->XCoord, 0);
        EXPECT_EQ(data.CaptionButtons[i]->FrameCount, 4);
    }
}

TEST(SkinLoader, CaptionButtonFrameCountRules) {
    TSkinData data(nullptr);
    ASSERT_TRUE(
        LoadFiles(data, {Entry("a.bmp", Picture(63, 21)), Entry("b.bmp", Picture(80, 21)),
                         Entry("c.bmp", Picture(76, 20)), Entry("mdi.bmp", Picture(120, 10)),
                         IniEntry("[Button0]\r\nButtonImage=a.bmp\r\n"
                                  "[Button1]\r\nButtonImage=b.bmp\r\n"
                                  "[Button2]\r\nButtonImage=c.bmp\r\n"
                                  "[Button3]\r\nButtonImage=a.bmp\r\nAction=-2\r\n"
                                  "[Button4]\r\nButtonImage=b.bmp\r\nframe=2\r\n"
                                  "[Button5]\r\nButtonImage=a.bmp\r\nAction=3\r\n"
                                  "[Button6]\r\nButtonImage=a.bmp\r\nAction=11\r\nframe=1\r\n"
                                  "[MdiControls]\r\nImage=mdi.bmp\r\n")}));
    auto& b = data.CaptionButtons;
    ASSERT_EQ(b.size(), 10u);
    EXPECT_EQ(b[0]->FrameCount, 3); // 63 / 21 = 3
    EXPECT_EQ(b[1]->FrameCount, 6); // 80 / 21 > 3.8
    EXPECT_EQ(b[2]->FrameCount, 3); // 76 / 20 = 3.8 exactly
    EXPECT_EQ(b[3]->FrameCount, 6); // negative action
    EXPECT_EQ(b[4]->FrameCount, 2); // explicit key
    EXPECT_EQ(b[4]->Picture.Width(), 80);
    EXPECT_EQ(b[5]->FrameCount, 3); // icon button: count from the picture, picture dropped
    EXPECT_TRUE(b[5]->Picture.Empty());
    EXPECT_EQ(b[6]->FrameCount, 1); // explicit key keeps the icon button's picture
    EXPECT_EQ(b[6]->Picture.Width(), 63);
    // The MDI picture of 120 x 10 holds twelve 10-pixel frames.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b[7 + static_cast<size_t>(i)]->XCoord, 14 * (3 - i));
        EXPECT_EQ(b[7 + static_cast<size_t>(i)]->Picture.Width(), 40);
        EXPECT_EQ(b[7 + static_cast<size_t>(i)]->Picture.Height(), 10);
    }
}

TEST(SkinLoader, MarkStripFrameCounts) {
    TSkinData data(nullptr);
    auto load = [&](int cw, int ch, int rw, int rh, const std::string& extra) {
        return LoadFiles(data,
                         {Entry("check.bmp", Picture(cw, ch)), Entry("radio.bmp", Picture(rw, rh)),
                          IniEntry("[Buttons]\r\nCheckButton=check.bmp\r\n"
                                   "RadioButton=radio.bmp\r\n" +
                                   extra)});
    };
    ASSERT_TRUE(load(65, 13, 40, 16, ""));
    EXPECT_EQ(data.Buttons->CheckButtonFrame, 5); // 65 div 13
    EXPECT_EQ(data.Buttons->RadioButtonFrame, 4); // 40 div 16 = 2, raised to 4
    ASSERT_TRUE(load(192, 16, 156, 13, ""));
    EXPECT_EQ(data.Buttons->CheckButtonFrame, 12);
    EXPECT_EQ(data.Buttons->RadioButtonFrame, 12);
    ASSERT_TRUE(load(65, 13, 40, 16, "RadioButtonFrame=8\r\nCheckButtonFrame=2\r\n"));
    EXPECT_EQ(data.Buttons->CheckButtonFrame, 2);
    EXPECT_EQ(data.Buttons->RadioButtonFrame, 8);
    EXPECT_EQ(data.Buttons->FrameCount, 5);
}

TEST(SkinLoader, DefaultsOfAnAlmostEmptyDescription) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadFiles(data, {IniEntry("[Colours]\r\nButtonFace=1 2 3\r\nMenuText=\r\n"
                                          "[Customcolors]\r\nColor3=9 9 9\r\n")}));
    EXPECT_FALSE(data.SkinEmpty());
    EXPECT_EQ(data.SkinName, "");
    EXPECT_EQ(data.WindowTextColour, clWindowText);
    EXPECT_EQ(data.ButtonFaceColour, 0x00030201);
    EXPECT_EQ(data.MenubarColour, 0x00030201); // follows ButtonFace
    EXPECT_EQ(data.MenuTextColour, clMenuText);
    EXPECT_EQ(data.ButtonlightColour, clBtnHighlight);
    EXPECT_EQ(data.ButtonDkShadowColour, cl3DDkShadow);
    EXPECT_EQ(data.TitleTextNoActiveColour, clInactiveCaptionText);
    EXPECT_EQ(data.CustomColors[3], 0x00090909);
    EXPECT_EQ(data.CustomColors[9], 0x00FFFFFF);
    EXPECT_TRUE(data.ExtraColours.empty());
    // Borders: frame 1, stretch 1, trans 1 by default.
    EXPECT_EQ(data.TopBorder->FrameCount, 1);
    EXPECT_EQ(data.TopBorder->Tile, 1);
    EXPECT_EQ(data.TopBorder->Trans, 1);
    EXPECT_TRUE(data.TopBorder->Picture.Empty());
    EXPECT_EQ(data.Title->FontHeight, 14);
    EXPECT_EQ(data.Title->ActiveTextColour, TDataSkinTitle::kNoColour);
    EXPECT_EQ(data.Title->InactiveTextColour, TDataSkinTitle::kNoColour);
    EXPECT_EQ(data.Buttons->NormalColour, -1);
    EXPECT_EQ(data.Buttons->PressedColour2, clBtnText);
    EXPECT_FALSE(data.Progress);
    EXPECT_FALSE(data.MenuBar);
    EXPECT_FALSE(data.ComboButton);
    EXPECT_FALSE(data.Scrollbar);
    EXPECT_EQ(data.CaptionButtons.size(), 3u);
}

TEST(SkinLoader, ColourSectionsAndTitleColours) {
    TSkinData data(nullptr);
    ASSERT_TRUE(
        LoadFiles(data, {IniEntry("[Colour0]\r\ncolor=1 2 3\r\n"
                                  "[Colours]\r\nButtonText=4 5 6\r\n"
                                  "[colourX]\r\nColor=7 8 9 10\r\n"
                                  "[Colour2]\r\n"
                                  "[Colour0]\r\ncolor=100 100 100\r\n"
                                  "[Personality]\r\nActiveTextR=300\r\nActiveTextG=1\r\n"
                                  "ActiveTextB=2\r\nInActiveTextR=1\r\nInActiveTextG=2\r\n")}));
    // Every [Colour...] section but [Colours], in file order; a repeated
    // section reads its first occurrence; a missing key gives clWindowText.
    std::vector<TColor> expected = {0x030201, 0x090807, clWindowText, 0x030201};
    EXPECT_EQ(data.ExtraColours, expected);
    EXPECT_EQ(data.Title->ActiveTextColour, 0x0002012C);
    EXPECT_EQ(data.Title->InactiveTextColour, TDataSkinTitle::kNoColour);
}

TEST(SkinLoader, ObjectLoadersKeysAndTileReset) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadFiles(
        data, {Entry("p.bmp", Picture(20, 10)), Entry("q.bmp", Picture(8, 8)),
               IniEntry("[Colours]\r\nButtonText=1 1 1\r\n"
                        "[Toolbars]\r\nImage=p.bmp\r\nTile=2\r\nStyle=3\r\nLeftWidth=4\r\n"
                        "TopHeight=5\r\nRightWidth=6\r\nBottomHeight=7\r\nTrans=1\r\n"
                        "NormalColour=11\r\nMouseOverColour2=9 8 7\r\n"
                        "[Tabs]\r\nImage=p.bmp\r\nBorder=q.bmp\r\nStyle=3\r\nTile=1\r\n"
                        "[UpDown.Vert]\r\nImage=p.bmp\r\nGlyphImage=q.bmp\r\n"
                        "[Headerbar]\r\nImage=\r\n"
                        "[GroupBox]\r\nImage=p.bmp\r\nBackgroundAlignment=2\r\n"
                        "BackgroundLeftShift=-4\r\nBackgroundRightShift=5\r\nTile=3\r\n"
                        "[Progress]\r\nBitmap=p.bmp\r\nChunk=q.bmp\r\nTile=2\r\nStyle=1\r\n"
                        "[Personality]\r\nmenuBar=p.bmp\r\nTileLeftMenu=3\r\n"
                        "[Buttons]\r\nTile=4\r\nNormalColour2=\r\nPressedColour2=0 0 200\r\n")}));
    ASSERT_TRUE(data.Toolbars);
    const TDataSkinObject& tb = *data.Toolbars;
    EXPECT_EQ(tb.Name, "Toolbars");
    EXPECT_EQ(tb.Tile, 0); // above 1: reset to stretching
    EXPECT_EQ(tb.Style, 3);
    EXPECT_EQ(tb.LeftWidth, 4);
    EXPECT_EQ(tb.TopHeight, 5);
    EXPECT_EQ(tb.RightWidth, 6);
    EXPECT_EQ(tb.BottomHeight, 7);
    EXPECT_EQ(tb.Trans, 1);
    EXPECT_EQ(tb.NormalColour, 11);
    EXPECT_EQ(tb.MouseOverColour, -1);
    EXPECT_EQ(tb.NormalColour2, 0x010101);
    EXPECT_EQ(tb.MouseOverColour2, 0x070809);
    ASSERT_TRUE(data.Tabs);
    EXPECT_EQ(data.Tabs->Style, 0); // the two-picture loader reads no style
    EXPECT_EQ(data.Tabs->Tile, 1);
    EXPECT_EQ(data.Tabs->Picture2.Width(), 8);
    ASSERT_TRUE(data.UpDownVert);
    EXPECT_EQ(data.UpDownVert->Picture2.Width(), 8);
    EXPECT_EQ(data.UpDownVert->FrameCount, 8);
    EXPECT_FALSE(data.UpDownHorz);
    EXPECT_FALSE(data.Headerbar); // empty Image: absent
    ASSERT_TRUE(data.GroupBox);
    EXPECT_EQ(data.GroupBox->BackgroundAlignment, 2);
    EXPECT_EQ(data.GroupBox->BackgroundLeftShift, -4);
    EXPECT_EQ(data.GroupBox->BackgroundRightShift, 5);
    EXPECT_EQ(data.GroupBox->Tile, 0);
    ASSERT_TRUE(data.Progress);
    EXPECT_EQ(data.Progress->Tile, 2); // no reset for the progress bar
    EXPECT_EQ(data.Progress->Style, 1);
    EXPECT_EQ(data.Progress->Picture2.Width(), 8);
    EXPECT_EQ(data.Progress->NormalColour, 0);
    ASSERT_TRUE(data.MenuBar);
    EXPECT_EQ(data.MenuBar->LeftWidth, 3);
    EXPECT_EQ(data.MenuBar->RightWidth, 1);
    EXPECT_EQ(data.MenuBar->Tile, 0);
    EXPECT_EQ(data.Buttons->Tile, 4); // no reset for push buttons
    EXPECT_FALSE(data.Buttons->HasNormalColour2);
    EXPECT_FALSE(data.Buttons->HasMouseOverColour2);
    EXPECT_TRUE(data.Buttons->HasPressedColour2);
    EXPECT_EQ(data.Buttons->PressedColour2, 0x00C80000);
    EXPECT_EQ(data.Buttons->NormalColour2, 0x010101);
}

TEST(SkinLoader, ComboButtonMirrorAndDamagedPictures) {
    TSkinData data(nullptr);
    auto stripes = Bmp24(8, 4, [](int x, int) { return x < 2 ? 0x0000FFu : 0x00FF00u; });
    std::vector<uint8_t> broken = Picture(10, 10);
    broken.resize(40); // cut inside the header
    ASSERT_TRUE(LoadFiles(data, {Entry("s.bmp", stripes), Entry("broken.bmp", broken),
                                 IniEntry("[ComboButton]\r\nImage=s.bmp\r\n"
                                          "[Scrollbar]\r\nImage=broken.bmp\r\n")}));
    ASSERT_TRUE(data.ComboButton);
    TBitmap& mirror = data.ComboButton->Picture2;
    EXPECT_EQ(mirror.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(PixelOf(data.ComboButton->Picture, 0, 0), 0x0000FFu);
    EXPECT_EQ(PixelOf(mirror, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelOf(mirror, 7, 3), 0x0000FFu);
    EXPECT_EQ(PixelOf(mirror, 5, 3), 0x00FF00u);
    // A picture that does not decode is left empty; the load still succeeds.
    ASSERT_TRUE(data.Scrollbar);
    EXPECT_TRUE(data.Scrollbar->Picture.Empty());
    EXPECT_FALSE(data.SkinEmpty());
}

TEST(SkinLoader, SecondLoadRebuildsTheModelInPlace) {
    TSkinData data(nullptr);
    ASSERT_TRUE(LoadFiles(data, {Entry("p.bmp", Picture(20, 10)),
                                 IniEntry("[TitlebarSkin]\r\nSkinName=First\r\n"
                                          "[Personality]\r\nTop=p.bmp\r\nTopTopHeight=4\r\n"
                                          "TextShift=9\r\n"
                                          "[Progress]\r\nBitmap=p.bmp\r\n"
                                          "[Button1]\r\nAction=1\r\n[Button2]\r\nAction=2\r\n"
                                          "[Colour1]\r\ncolor=1 1 1\r\n")}));
    TDataSkinBorder* top = data.TopBorder.get();
    TDataSkinTitle* title = data.Title.get();
    TDataSkinButton* buttons = data.Buttons.get();
    ASSERT_TRUE(data.Progress);
    EXPECT_EQ(data.CaptionButtons.size(), 5u);
    EXPECT_EQ(top->LeftWidth, 4);

    ASSERT_TRUE(LoadFiles(data, {IniEntry("[TitlebarSkin]\r\nSkinName=Second\r\n"
                                          "[Button9]\r\nAction=0\r\n")}));
    EXPECT_EQ(data.SkinName, "Second");
    EXPECT_EQ(data.TopBorder.get(), top);
    EXPECT_EQ(data.Title.get(), title);
    EXPECT_EQ(data.Buttons.get(), buttons);
    EXPECT_EQ(top->LeftWidth, 0);
    EXPECT_TRUE(top->Picture.Empty());
    EXPECT_EQ(title->LeftWidth, 0);
    EXPECT_FALSE(data.Progress);
    ASSERT_EQ(data.CaptionButtons.size(), 4u);
    EXPECT_EQ(data.CaptionButtons[0]->Name, "BUTTON9");
    EXPECT_TRUE(data.ExtraColours.empty());
}

// A border's Tile slot holds the skin's Stretch value: Stretch 0 tiles the
// middle, 1 stretches it; the object-bound drawing follows that, while a
// plain object's Tile stays a tile flag.
TEST(SkinLoader, BordersTileExactlyWhenTheirStretchValueIsZero) {
    const uint32_t cols[9] = {0x11,   0x22,   0x0100,   0x0200,  0x0300,
                              0x0400, 0x0500, 0x330000, 0x440000};
    auto strip = Bmp24(9, 4, [&](int x, int) { return cols[x]; });
    auto draw = [&](const char* stretch, TBitmap& out) {
        TSkinData data(nullptr);
        const std::string ini = std::string("[Personality]\r\nTop=t.bmp\r\nTopTopHeight=2\r\n"
                                            "TopBotHeight=2\r\nTopTrans=0\r\nTopStretch=") +
                                stretch + "\r\n[Toolbars]\r\nImage=t.bmp\r\nTile=1\r\n";
        ASSERT_TRUE(LoadFiles(data, {IniEntry(ini), Entry("t.bmp", strip)}));
        EXPECT_EQ(data.TopBorder->Tile, std::atoi(stretch)); // the value as the skin gives it
        EXPECT_EQ(data.TopBorder->TilesMiddle(), std::string(stretch) == "0");
        EXPECT_FALSE(data.LeftBorder->TilesMiddle()); // Stretch defaults to 1
        ASSERT_TRUE(data.Toolbars);
        EXPECT_TRUE(data.Toolbars->TilesMiddle());
        out.SetSize(16, 4);
        DrawSkinElement(out.Canvas().Handle(), RECT{0, 0, 16, 4}, *data.TopBorder, 1);
    };
    TBitmap tiled(1, 1, TPixelFormat::pf24bit), stretched(1, 1, TPixelFormat::pf24bit);
    draw("0", tiled);
    draw("1", stretched);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(PixelOf(tiled, 0, y), cols[0]);
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(PixelOf(tiled, 2 + i, y), cols[2 + i % 5]) << i;
        EXPECT_EQ(PixelOf(tiled, 15, y), cols[8]);
        // Stretched 5 to 12 columns: column 7 lies between source columns 3 and 4.
        EXPECT_NE(PixelOf(stretched, 7, y), cols[2]);
        EXPECT_EQ(PixelOf(stretched, 15, y), cols[8]);
    }
}
