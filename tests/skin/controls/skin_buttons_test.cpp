// The push-button wrappers: the pure frame, cell, caption and layout rules;
// pixel-exact paints into DIBs with hand-made Buttons frames and with the
// real XPLuna skin; and real windows under Wine for the press, the click,
// the hot hand-over between buttons and the speed button's attach.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "controls/rz_bitbtn.h"
#include "framework/core/object.h"
#include "framework/gdi/image_list.h"
#include "framework/stdctrls/std_buttons.h"
#include "skin/controls/skin_buttons.h"
#include "skin/model/skin_data.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/controls/button_fixture.h"
#include "tests/skin/controls/wrapper_host.h"
#include "tests/skin/model/model_fixture.h"

using namespace button_test;

TEST(SkinButtonsTest, FramesCellsCaptionsAndColoursArePureRules) {
    EXPECT_EQ(SkinButtonFrame(false, false, false, false, true), kFrameNormal);
    EXPECT_EQ(SkinButtonFrame(true, true, true, true, true), kFramePressed);
    EXPECT_EQ(SkinButtonFrame(false, true, true, false, true), kFrameHot);
    EXPECT_EQ(SkinButtonFrame(false, false, true, true, true), kFrameDefault);
    EXPECT_EQ(SkinButtonFrame(false, false, false, true, true), kFrameHot);
    // Disabled: frame 3 whatever the hot, pressed, default or focused state.
    for (int s = 0; s < 16; ++s) {
        EXPECT_EQ(SkinButtonFrame(s & 1, s & 2, s & 4, s & 8, false), kFrameDisabled) << s;
        EXPECT_EQ(SkinBitButtonFrame(s & 1, s & 2, s & 4, s & 8, false), kFrameDisabled) << s;
    }
    // The glyph button puts focus before default.
    EXPECT_EQ(SkinBitButtonFrame(false, false, true, true, true), kFrameHot);
    EXPECT_EQ(SkinBitButtonFrame(false, false, false, true, true), kFrameDefault);
    EXPECT_EQ(SkinBitButtonFrame(false, false, false, false, true), kFrameNormal);
    EXPECT_EQ(SkinBitButtonFrame(true, true, true, true, true), kFramePressed);
    // Speed buttons: latched down beats even disabled.
    EXPECT_EQ(SkinSpeedButtonFrame(false, false, false, true), kFrameNormal);
    EXPECT_EQ(SkinSpeedButtonFrame(false, true, false, true), kFrameHot);
    EXPECT_EQ(SkinSpeedButtonFrame(true, true, false, true), kFramePressed);
    EXPECT_EQ(SkinSpeedButtonFrame(false, false, true, true), kFramePressed);
    EXPECT_EQ(SkinSpeedButtonFrame(true, true, false, false), kFrameDisabled);
    EXPECT_EQ(SkinSpeedButtonFrame(false, false, true, false), kFramePressed);

    EXPECT_EQ(SkinGlyphCell(kFramePressed), kCellPressed);
    EXPECT_EQ(SkinGlyphCell(kFrameDisabled), kCellDisabled);
    for (int f : {kFrameNormal, kFrameHot, kFrameDefault})
        EXPECT_EQ(SkinGlyphCell(f), kCellNormal);
    for (int n = 1; n <= 3; ++n)
        for (int cell = 1; cell <= 3; ++cell)
            EXPECT_EQ(SkinGlyphSourceCell(n, cell), kCellNormal);
    EXPECT_EQ(SkinGlyphSourceCell(4, kCellDisabled), kCellDisabled);
    EXPECT_EQ(SkinGlyphSourceCell(4, kCellPressed), kCellPressed);

    EXPECT_EQ(SplitCaptionLines(L"One||Two"), L"One\r\nTwo");
    EXPECT_EQ(SplitCaptionLines(L"a|||b||"), L"a\r\n|b\r\n");
    EXPECT_EQ(SplitCaptionLines(L"|x|"), L"|x|");
    EXPECT_EQ(SplitCaptionLines(L"确定||取消"), L"确定\r\n取消");
    EXPECT_EQ(GlyphPlaceOf("blglyphright"), TGlyphPlace::Right);
    EXPECT_EQ(GlyphPlaceOf("blglyphtop"), TGlyphPlace::Top);
    EXPECT_EQ(GlyphPlaceOf("blglyphbottom"), TGlyphPlace::Bottom);
    EXPECT_EQ(GlyphPlaceOf(""), TGlyphPlace::Left);
    EXPECT_EQ(GreyPixel(0x005A3C1E), 0x003C3C3Cu);
    EXPECT_EQ(GreyPixel(0x00FEFFFF), 0x00FEFEFEu);

    TDataSkinButton e("Buttons");
    e.NormalColour2 = kNormalText;
    e.HasNormalColour2 = true;
    e.PressedColour2 = kPressedText;
    e.HasPressedColour2 = true;
    e.MouseOverColour2 = kHotText; // present but not given by the skin
    const TColor base = 0x00111111, shadow = clBtnShadow;
    EXPECT_EQ(ButtonStateTextColour(kFrameNormal, true, base, e, shadow), kNormalText);
    EXPECT_EQ(ButtonStateTextColour(kFrameHot, true, base, e, shadow), base);
    EXPECT_EQ(ButtonStateTextColour(kFramePressed, true, base, e, shadow), kPressedText);
    EXPECT_EQ(ButtonStateTextColour(kFrameDefault, true, base, e, shadow), base);
    EXPECT_EQ(ButtonStateTextColour(kFrameDisabled, false, base, e, shadow), shadow);
    EXPECT_EQ(ButtonStateTextColour(kFrameNormal, false, base, e, shadow), shadow);
}

TEST(SkinButtonsTest, GlyphAndCaptionLayoutFollowsItsArithmetic) {
    TButtonFaceInput in;
    in.client = SIZE{104, 30};
    in.glyph = SIZE{16, 16};
    in.text = SIZE{40, 13};
    // Margin and spacing -1: three equal gaps of (104 - 56) / 3 = 16.
    TButtonFaceLayout l = LayoutButtonFace(in);
    EXPECT_EQ(l.glyph.x, 16);
    EXPECT_EQ(l.glyph.y, 7); // (30 - 16 + 1) / 2
    EXPECT_EQ(l.text.left, 48);
    EXPECT_EQ(l.text.top, 9); // (30 - 13 + 1) / 2
    EXPECT_EQ(104 - l.text.right, 16);
    EXPECT_EQ(l.textFlags, static_cast<UINT>(DT_WORDBREAK));
    // A set margin: spacing -1 takes half of what is left.
    in.margin = 2;
    l = LayoutButtonFace(in);
    EXPECT_EQ(l.spacing, (104 - 18 - 40) / 2);
    EXPECT_EQ(l.text.left, 2 + 16 + 23);
    // taCenter: the automatic margin even though one is set.
    in.spacing = 4;
    EXPECT_EQ(LayoutButtonFace(in).glyph.x, 2);
    in.centred = true;
    EXPECT_EQ(LayoutButtonFace(in).glyph.x, (104 - 60) / 2);
    // The speed button ignores the alignment, and its automatic margin is
    // one pixel larger.
    in.speed = true;
    EXPECT_EQ(LayoutButtonFace(in).glyph.x, 2);
    in.margin = -1;
    l = LayoutButtonFace(in);
    EXPECT_EQ(l.glyph.x, 23);
    EXPECT_EQ(l.textFlags, 0u);
    // Division rounds toward zero: (49 - 60) / 2 = -5.
    in.speed = false;
    in.client.cx = 49;
    EXPECT_EQ(LayoutButtonFace(in).glyph.x, -5);
    // Without a caption there is no spacing: the glyph alone is centred.
    in.client.cx = 104;
    in.text = SIZE{0, 0};
    EXPECT_EQ(LayoutButtonFace(in).glyph.x, 44);
    // Glyph right, top and bottom.
    in.text = SIZE{40, 13};
    in.centred = false;
    in.margin = 5;
    in.place = TGlyphPlace::Right;
    l = LayoutButtonFace(in);
    EXPECT_EQ(l.glyph.x, 104 - 5 - 16);
    EXPECT_EQ(l.text.left, 104 - 5 - 16 - 4 - 40);
    EXPECT_EQ(l.textFlags, static_cast<UINT>(DT_WORDBREAK | DT_RIGHT));
    in.client = SIZE{60, 80};
    in.place = TGlyphPlace::Top;
    l = LayoutButtonFace(in);
    EXPECT_EQ(l.glyph.x, (60 - 16 + 1) / 2);
    EXPECT_EQ(l.glyph.y, 5);
    EXPECT_EQ(l.text.top, 5 + 16 + 4);
    EXPECT_EQ(l.text.left, (60 - 40 + 1) / 2);
    EXPECT_EQ(l.textFlags, static_cast<UINT>(DT_WORDBREAK | DT_CENTER));
    in.place = TGlyphPlace::Bottom;
    l = LayoutButtonFace(in);
    EXPECT_EQ(l.glyph.y, 80 - 5 - 16);
    EXPECT_EQ(l.text.top, 80 - 5 - 16 - 4 - 13);
}

TEST(SkinButtonsTest, PushButtonFramesAndTextColoursFollowTheState) {
    TFrameSkin skin;
    TButtonForm form(Application);
    form.Show();
    auto* button = form.Add<TButton>(10, 10, 80, 30, L"Go");
    TListHost host;
    auto* w = new TSkinButton(button);
    w->AttachControl(&host, &skin.Data, false, nullptr);
    SetFocus(nullptr);
    TBitmap shot(80, 30);
    PaintInto(*w, shot);
    EXPECT_EQ(FrameShown(shot), kFrameNormal);
    // Nine-part rule: the ring is 3 pixels wide on every side.
    EXPECT_EQ(At(shot, 2, 15), kEdge[0]);
    EXPECT_EQ(At(shot, 3, 15), kCentre[0]);
    EXPECT_EQ(At(shot, 77, 26), kEdge[0]);
    EXPECT_EQ(At(shot, 76, 26), kCentre[0]);
    EXPECT_GT(CountText(shot, kCentre[0], kNormalText), 0);

    w->MouseState = kMouseHot;
    PaintInto(*w, shot);
    EXPECT_EQ(FrameShown(shot), kFrameHot);
    EXPECT_GT(CountText(shot, kCentre[3], kHotText), 0);
    w->MouseState = kMouseHot | kMousePressed;
    PaintInto(*w, shot);
    EXPECT_EQ(FrameShown(shot), kFramePressed);
    EXPECT_GT(CountText(shot, kCentre[1], kPressedText), 0);
    w->MouseState = 0;
    button->SetDefault(true);
    PaintInto(*w, shot);
    EXPECT_EQ(FrameShown(shot), kFrameDefault);

    // Disabled: frame 3 and the shadow colour, whatever else holds.
    w->MouseState = kMouseHot | kMousePressed;
    button->SetEnabled(false);
    PaintInto(*w, shot);
    EXPECT_EQ(FrameShown(shot), kFrameDisabled);
    EXPECT_GT(CountText(shot, kCentre[2], ColorToRGB(clBtnShadow)), 0);
    EXPECT_EQ(CountText(shot, kCentre[2], kPressedText), 0);
    EXPECT_EQ(CountText(shot, kCentre[2], kHotText), 0);
    EXPECT_EQ(w->LastFrame(), kFrameDisabled);

    // A skin without a Buttons picture paints nothing.
    TSkinData bare(nullptr);
    w->SkinData = &bare;
    PaintInto(*w, shot);
    EXPECT_EQ(CountOther(shot, 0, 0, 80, 30, 0x00FFFFFF), 0);
}

TEST(SkinButtonsTest, TwoLineCaptionsBreakAtTheBars) {
    TFrameSkin skin;
    TButtonForm form(Application);
    form.Show();
    auto* button = form.Add<TButton>(10, 10, 120, 50, L"Top||Bottom");
    auto* w = new TSkinButton(button);
    w->AttachControl(nullptr, &skin.Data, false, nullptr);
    SetFocus(nullptr);
    TBitmap shot(120, 50);
    PaintInto(*w, shot);
    EXPECT_EQ(w->Caption, L"Top\r\nBottom");
    const auto [top2, bottom2] = TextRows(shot, kCentre[0], kNormalText);
    const int firstTwo = FirstTextColumn(shot, kCentre[0], kNormalText);
    button->SetCaption(L"Top Bottom");
    PaintInto(*w, shot);
    const auto [top1, bottom1] = TextRows(shot, kCentre[0], kNormalText);
    const int firstOne = FirstTextColumn(shot, kCentre[0], kNormalText);
    ASSERT_GE(top1, 0);
    ASSERT_GE(top2, 0);
    const int line = bottom1 - top1 + 1;
    // Two lines, each centred: taller than one line, and narrower.
    EXPECT_GT(bottom2 - top2 + 1, line + line / 2);
    EXPECT_GT(firstTwo, firstOne);
    // The block is centred vertically, one pixel above the middle.
    EXPECT_LT(top2, top1);
}

TEST(SkinButtonsTest, RealSkinFramesArePixelExact) {
    TSkinData data(nullptr);
    model_test::LoadBytes(data, model_test::ProjectSkin());
    ASSERT_FALSE(data.Buttons->Picture.Empty());
    TDataSkinButton& e = *data.Buttons;
    const int fw = e.Picture.Width() / 5, fh = e.Picture.Height();
    TButtonForm form(Application);
    form.Show();
    auto* button = form.Add<TButton>(10, 10, 75, 23);
    auto* w = new TSkinButton(button);
    w->AttachControl(nullptr, &data, false, nullptr);
    SetFocus(nullptr);
    TBitmap shot(75, 23), expect(75, 23);
    const std::pair<uint8_t, int> states[] = {
        {0, 1}, {kMousePressed, 2}, {kMouseHot, 4}, {kMouseHot | kMousePressed, 2}};
    for (auto [bits, k] : states) {
        w->MouseState = bits;
        PaintInto(*w, shot);
        EXPECT_EQ(w->LastFrame(), k);
        // The same frame drawn by the element rule over the face colour.
        Fill(expect, 0, 0, 75, 23, data.ButtonFaceColour);
        DrawElementFrame(expect.Canvas().Handle(), RECT{0, 0, 75, 23}, 5, k, e);
        int differ = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 75; ++x)
                differ += At(shot, x, y) != At(expect, x, y);
        EXPECT_EQ(differ, 0) << "frame " << k;
        // Corners are copied unscaled from the skin's picture (magenta shows
        // the face colour).
        auto source = [&](int x, int y) {
            const TColor c = e.Picture.Canvas().Pixel((k - 1) * fw + x, y);
            return c == 0x00FF00FF ? data.ButtonFaceColour : c;
        };
        EXPECT_EQ(At(shot, 1, 1), source(1, 1)) << k;
        EXPECT_EQ(At(shot, 0, 0), source(0, 0)) << k;
        EXPECT_EQ(At(shot, 73, 21), source(fw - 2, fh - 2)) << k;
    }
}

TEST(SkinButtonsTest, GlyphCellsFollowTheStateAndOnlyFourCellStripsHaveTheirOwn) {
    TFrameSkin skin;
    TButtonForm form(Application);
    form.Show();
    auto* button = form.Add<TBitBtn>(10, 10, 80, 30);
    auto strip = GlyphStrip(4);
    button->SetGlyph(*strip);
    ASSERT_EQ(button->NumGlyphs(), 4);
    auto* w = new TSkinBitButton(button);
    w->AttachControl(nullptr, &skin.Data, false, nullptr);
    SetFocus(nullptr);
    TBitmap shot(80, 30);
    // No caption: the glyph alone is centred at ((80 - 16) / 2, (30 - 16 + 1) / 2).
    auto glyphColour = [&] {
        PaintInto(*w, shot);
        return At(shot, 40, 15);
    };
    EXPECT_EQ(glyphColour(), kCell[0]);
    EXPECT_EQ(At(shot, 32, 7), kCell[0]);
    EXPECT_EQ(At(shot, 31, 7), kCentre[0]);
    EXPECT_EQ(At(shot, 48, 7), kCentre[0]);
    EXPECT_EQ(At(shot, 32, 22), kCentre[0]) << "the bottom-left colour is transparent";
    EXPECT_EQ(At(shot, 33, 22), kCell[0]);
    w->MouseState = kMousePressed;
    EXPECT_EQ(glyphColour(), kCell[2]);
    EXPECT_EQ(FrameShown(shot), kFramePressed);
    w->MouseState = kMouseHot;
    EXPECT_EQ(glyphColour(), kCell[0]);
    button->SetEnabled(false);
    EXPECT_EQ(glyphColour(), GreyPixel(kCell[1]));
    EXPECT_EQ(At(shot, 32, 22), kCentre[2]);
    // Strips of 1, 2 or 3 cells always show the first, greyed while disabled.
    for (int n = 1; n <= 3; ++n) {
        auto few = GlyphStrip(n);
        button->SetGlyph(*few);
        button->SetNumGlyphs(n);
        button->SetEnabled(true);
        w->MouseState = kMousePressed;
        EXPECT_EQ(glyphColour(), kCell[0]) << n;
        button->SetEnabled(false);
        EXPECT_EQ(glyphColour(), GreyPixel(kCell[0])) << n;
    }
    // "Default" chooses between the normal and the default frame.
    button->SetEnabled(true);
    w->MouseState = 0;
    button->SetDefault(true);
    PaintInto(*w, shot);
    EXPECT_EQ(FrameShown(shot), kFrameDefault);
}

TEST(SkinButtonsTest, CentredAlignmentTakesTheAutomaticMarginAndImageListsDraw) {
    TFrameSkin skin;
    TImageList list(16, 16, false);
    TBitmap images(32, 16);
    Fill(images, 0, 0, 16, 16, kCell[2]);
    Fill(images, 16, 0, 32, 16, kCell[3]);
    ASSERT_EQ(list.Add(images), 0);
    TButtonForm form(Application);
    form.Show();
    auto* button = form.Add<TRzBitBtn>(10, 10, 80, 30);
    auto strip = GlyphStrip(1);
    button->SetGlyph(*strip);
    button->SetNumGlyphs(1);
    button->SetMargin(2);
    auto* w = new TSkinBitButton(button);
    w->AttachControl(nullptr, &skin.Data, false, nullptr);
    SetFocus(nullptr);
    TBitmap shot(80, 30);
    // taCenter (the button's default): the margin of 2 is not used.
    PaintInto(*w, shot);
    EXPECT_EQ(At(shot, 32, 10), kCell[0]);
    EXPECT_EQ(At(shot, 31, 10), kCentre[0]);
    EXPECT_EQ(At(shot, 2, 10), kEdge[0]);
    button->SetAlignment(taLeftJustify);
    PaintInto(*w, shot);
    EXPECT_EQ(At(shot, 2, 10), kCell[0]);
    EXPECT_EQ(At(shot, 32, 10), kCentre[0]);

    // Without a glyph the list's image goes where the glyph would.
    auto* listed = form.Add<TRzBitBtn>(10, 50, 80, 30);
    listed->SetImages(&list);
    listed->SetImageIndex(0);
    listed->SetDisabledIndex(1);
    auto* lw = new TSkinBitButton(listed);
    lw->AttachControl(nullptr, &skin.Data, false, nullptr);
    SetFocus(nullptr);
    PaintInto(*lw, shot);
    EXPECT_EQ(At(shot, 32, 7), kCell[2]);
    EXPECT_EQ(At(shot, 47, 22), kCell[2]);
    EXPECT_EQ(At(shot, 31, 7), kCentre[0]);
    // Disabled: the disabled image in the list's disabled look.
    listed->SetEnabled(false);
    PaintInto(*lw, shot);
    EXPECT_EQ(FrameShown(shot), kFrameDisabled);
    EXPECT_EQ(CountOther(shot, 32, 7, 48, 23, kCell[2]), 16 * 16);
    EXPECT_EQ(CountOther(shot, 32, 7, 48, 23, kCell[3]), 16 * 16);
    EXPECT_GT(CountOther(shot, 32, 7, 48, 23, kCentre[2]), 0);
}

TEST(SkinButtonsTest, MarginAndSpacingMinusOneSplitTheWidthInThreeEqualGaps) {
    TFrameSkin skin;
    TButtonForm form(Application);
    form.Show();
    auto* button = form.Add<TBitBtn>(10, 10, 140, 30, L"Ab");
    auto strip = GlyphStrip(1);
    button->SetGlyph(*strip);
    button->SetMargin(-1);
    button->SetSpacing(-1);
    auto* w = new TSkinBitButton(button);
    w->AttachControl(nullptr, &skin.Data, false, nullptr);
    SetFocus(nullptr);
    TBitmap shot(140, 30);
    PaintInto(*w, shot);
    const int text = TextWidth(button->Font(), L"Ab");
    const int gap = (140 - (16 + text)) / 3;
    EXPECT_EQ(At(shot, gap, 10), kCell[0]);
    EXPECT_EQ(At(shot, gap - 1, 10), kCentre[0]);
    EXPECT_EQ(At(shot, gap + 16, 10), kCentre[0]);
    // The caption's box starts one gap after the glyph: its first ink lies
    // where the same text drawn at that place has it.
    TBitmap ref(140, 30);
    Fill(ref, 0, 0, 140, 30, kCentre[0]);
    {
        const TSelectObject pick(ref.Canvas().Handle(), button->Font().Handle());
        SetBkMode(ref.Canvas().Handle(), TRANSPARENT);
        SetTextColor(ref.Canvas().Handle(), kNormalText);
        RECT r{gap + 16 + gap, 3, 140, 27};
        DrawTextW(ref.Canvas().Handle(), L"Ab", 2, &r, 0);
    }
    const int expected = FirstTextColumn(ref, kCentre[0], kNormalText, gap + 16);
    ASSERT_GT(expected, 0);
    EXPECT_EQ(FirstTextColumn(shot, kCentre[0], kNormalText, gap + 16), expected);
}

TEST(SkinButtonsTest, FlatSpeedButtonsShowNoFrameAtRestAndStateFramesOtherwise) {
    TFrameSkin skin;
    TButtonForm form(Application);
    auto* speed = form.Add<TSpeedButton>(10, 60, 40, 40);
    speed->SetFlat(true);
    form.Show();
    TListHost host;
    auto* w = new TSkinSpeedButton(speed);
    EXPECT_FALSE(w->AttachGraphic(&host, &skin.Data, nullptr));
    EXPECT_TRUE(w->AttachGraphic(&host, &skin.Data, nullptr)) << "registered already";
    EXPECT_EQ(w->Handle, nullptr);
    EXPECT_FALSE(w->Attached);
    EXPECT_EQ(w->State, TWrapperState::Attached);
    EXPECT_EQ(speed->MessageHooks()->LiveCount(), 1u);
    TBitmap shot(40, 40);
    auto frame = [&] {
        Fill(shot, 0, 0, 40, 40, 0x00FFFFFF);
        w->PaintSpeedButton(shot.Canvas().Handle(), RECT{0, 0, 40, 40});
        return FrameShown(shot);
    };
    EXPECT_EQ(frame(), 0);
    EXPECT_EQ(CountOther(shot, 0, 0, 40, 40, kFace), 0) << "only the face colour";
    w->MouseState = kMouseHot;
    EXPECT_EQ(frame(), kFrameHot);
    w->MouseState = kMouseHot | kMousePressed;
    EXPECT_EQ(frame(), kFramePressed);
    w->MouseState = 0;
    speed->SetGroupIndex(1);
    speed->SetDown(true);
    EXPECT_EQ(frame(), kFramePressed);
    speed->SetAllowAllUp(true);
    speed->SetDown(false);
    speed->SetEnabled(false);
    EXPECT_EQ(frame(), kFrameDisabled);
    speed->SetEnabled(true);
    speed->SetFlat(false);
    EXPECT_EQ(frame(), kFrameNormal);
}

TEST(SkinButtonsTest, SpeedButtonsTakeTheirMessagesThroughTheControl) {
    TFrameSkin skin;
    TButtonForm form(Application);
    auto* speed = form.Add<TSpeedButton>(10, 60, 40, 40);
    form.Show();
    auto* w = new TSkinSpeedButton(speed);
    w->AttachGraphic(nullptr, &skin.Data, nullptr);
    TBitmap shot(40, 40);
    // Enter paints at once; a paint with a DC is the skin's alone; the press
    // reaches the control too.
    speed->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(w->Hot());
    EXPECT_EQ(w->LastFrame(), kFrameHot);
    Fill(shot, 0, 0, 40, 40, 0x00FFFFFF);
    EXPECT_EQ(speed->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas().Handle())), 1);
    EXPECT_EQ(FrameShown(shot), kFrameHot);
    int clicks = 0;
    speed->OnClick = [&](TObject*) { ++clicks; };
    speed->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(speed->Pressed());
    EXPECT_EQ(w->LastFrame(), kFramePressed);
    speed->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(w->Pressed());
    speed->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(w->Hot());
    // The form paints it through its parent's paint.
    form.Invalidate();
    form.Update();
    {
        TClientDC dc(form.Handle());
        EXPECT_EQ(GetPixel(dc.Handle(), 11, 61), kEdge[0]);
        EXPECT_EQ(GetPixel(dc.Handle(), 14, 95), kCentre[0]);
    }
    // CM_RELEASE gives the control its message method back.
    speed->Perform(CM_RELEASE);
    EXPECT_EQ(speed->MessageHooks()->LiveCount(), 0u);
}

TEST(SkinButtonsTest, TheHotLookMovesFromOneButtonToTheNextAtOnce) {
    TFrameSkin skin;
    TListHost host;
    HWND parent = RawParent();
    HWND a = RawButton(parent, 101, 10), b = RawButton(parent, 102, 100);
    auto wa = std::make_unique<TSkinButton>(nullptr);
    auto wb = std::make_unique<TSkinButton>(nullptr);
    wa->AttachWindow(a, &skin.Data, &host, nullptr);
    wb->AttachWindow(b, &skin.Data, &host, nullptr);
    PumpPending();
    SendMessageW(a, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(wa->Hot());
    EXPECT_EQ(host.hot, wa.get());
    EXPECT_EQ(WindowPixel(a, 4, 25), kCentre[3]);
    // Moving onto the next button: the first leaves before anything else runs.
    SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(wa->Hot());
    EXPECT_TRUE(wb->Hot());
    EXPECT_EQ(host.hot, wb.get());
    EXPECT_EQ(WindowPixel(a, 4, 25), kCentre[0]);
    EXPECT_EQ(WindowPixel(b, 4, 25), kCentre[3]);
    // Leaving clears hot and pressed and empties the slot.
    wb->MouseState |= kMousePressed;
    SendMessageW(b, CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(wb->MouseState, 0);
    EXPECT_EQ(host.hot, nullptr);
    // A wrapper that goes does not leave the slot dangling.
    SendMessageW(a, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(host.hot, wa.get());
    wa.reset();
    EXPECT_EQ(host.hot, nullptr);
    wb.reset();
    DestroyWindow(parent);
}

TEST(SkinButtonsTest, ARawButtonReleasedOverPostsItsCommandToTheParent) {
    TFrameSkin skin;
    HWND parent = RawParent();
    HWND button = RawButton(parent, 1234, 10);
    auto w = std::make_unique<TSkinButton>(nullptr);
    w->AttachWindow(button, &skin.Data, nullptr, nullptr);
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(WindowPixel(button, 1, 1), kEdge[0]);
    Commands().clear();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(w->Pressed());
    EXPECT_NE(GetCapture(), button) << "the button never saw the press";
    EXPECT_EQ(GetFocus(), button);
    EXPECT_EQ(WindowPixel(button, 4, 25), kCentre[1]);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(w->Pressed());
    PumpPending();
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].first, 1234u);
    EXPECT_EQ(Commands()[0].second, reinterpret_cast<LPARAM>(button));
    // A release without a press, or after the pointer left, is no click.
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageW(button, CM_MOUSELEAVE, 0, 0);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PumpPending();
    EXPECT_EQ(Commands().size(), 1u);
    w.reset();
    DestroyWindow(parent);
}

TEST(SkinButtonsTest, AFrameworkButtonClicksOnceOnReleaseAndOnTheSpaceBar) {
    TFrameSkin skin;
    TButtonForm form(Application);
    auto* button = form.Add<TButton>(10, 10, 80, 30, L"Go");
    form.Show();
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    auto* w = new TSkinButton(button);
    w->AttachControl(nullptr, &skin.Data, false, nullptr);
    SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(w->Pressed());
    EXPECT_EQ(GetFocus(), button->Handle());
    SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpPending();
    EXPECT_EQ(clicks, 1);
    SendMessageW(button->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(w->Pressed());
    SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 0);
    PumpPending();
    EXPECT_FALSE(w->Pressed());
    EXPECT_EQ(clicks, 2);
}

TEST(SkinButtonsTest, WrappersAreCreatedByClassName) {
    RegisterButtonSkins();
    TComponent owner(nullptr);
    for (const char* name : {"TSkinButton", "TSkinBitButton", "TSkinSpeedButton"}) {
        const TClassInfo* cls = FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        TObject* made = cls->CreateInstance(&owner);
        ASSERT_NE(made, nullptr) << name;
        EXPECT_EQ(made->ClassName(), name);
        EXPECT_TRUE(made->InheritsFrom(TSkinButton::StaticClass()));
    }
    EXPECT_EQ(owner.ComponentCount(), 3);
    EXPECT_TRUE(FindClass("tskinspeedbutton")->InheritsFrom(TSkinBitButton::StaticClass()));
}

TEST(SkinButtonsTest, AHundredPaintsLeaveNoGdiObjectBehind) {
    TSkinData data(nullptr);
    model_test::LoadBytes(data, model_test::ProjectSkin());
    TButtonForm form(Application);
    auto* plain = form.Add<TButton>(10, 10, 75, 23, L"OK||Go");
    auto* glyphed = form.Add<TBitBtn>(100, 10, 90, 30, L"Save");
    auto* speed = form.Add<TSpeedButton>(200, 10, 60, 30, L"Run");
    auto strip = GlyphStrip(4);
    glyphed->SetGlyph(*strip);
    speed->SetGlyph(*strip);
    form.Show();
    auto* w1 = new TSkinButton(plain);
    auto* w2 = new TSkinBitButton(glyphed);
    auto* w3 = new TSkinSpeedButton(speed);
    w1->AttachControl(nullptr, &data, false, nullptr);
    w2->AttachControl(nullptr, &data, false, nullptr);
    w3->AttachGraphic(nullptr, &data, nullptr);
    TBitmap shot(60, 30);
    auto paintAll = [&](int i) {
        for (TSkinButton* w : {static_cast<TSkinButton*>(w1), static_cast<TSkinButton*>(w2)})
            w->MouseState = static_cast<uint8_t>(i & 3);
        w1->PaintToWindow(nullptr);
        w2->PaintToWindow(nullptr);
        w3->PaintToWindow(nullptr);
        w3->PaintSpeedButton(shot.Canvas().Handle(), RECT{0, 0, 60, 30});
    };
    // One paint in each of the four states first: the frames they prepare
    // stay in the drawing utilities' cache.
    for (int i = 0; i < 4; ++i)
        paintAll(i);
    const int live = GdiLiveTotal();
    const int64_t bitmaps = GdiCreatedCount(TGdiKind::Bitmap);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i)
        paintAll(i);
    const double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(GdiLiveTotal(), live);
    EXPECT_GE(GdiCreatedCount(TGdiKind::Bitmap) - bitmaps, 300) << "the glyphs were drawn";
    std::printf("skin_button_paint: %.1f us\n", us / 400.0);
}

TEST(SkinButtonsTest, ARawButtonsTextTakesTheSkinsColours) {
    TFrameSkin skin;
    HWND parent = RawParent();
    HWND button = RawButton(parent, 77, 10);
    auto w = std::make_unique<TSkinButton>(nullptr);
    w->AttachWindow(button, &skin.Data, nullptr, nullptr);
    SetFocus(parent);
    TBitmap shot(80, 30);
    // The state colours first; without one, the skin's button text colour.
    PaintInto(*w, shot);
    ASSERT_EQ(FrameShown(shot), kFrameNormal);
    EXPECT_GT(CountText(shot, kCentre[0], kNormalText), 0);
    skin.Data.Buttons->HasNormalColour2 = false;
    PaintInto(*w, shot);
    EXPECT_GT(CountText(shot, kCentre[0], skin.Data.ButtonTextColour), 0);
    EXPECT_EQ(CountText(shot, kCentre[0], kNormalText), 0);
    w->MouseState = kMouseHot;
    PaintInto(*w, shot);
    ASSERT_EQ(FrameShown(shot), kFrameHot);
    EXPECT_GT(CountText(shot, kCentre[3], kHotText), 0);
    // Disabled: the fixed grey of raw windows.
    w->MouseState = 0;
    EnableWindow(button, FALSE);
    PaintInto(*w, shot);
    ASSERT_EQ(FrameShown(shot), kFrameDisabled);
    EXPECT_GT(CountText(shot, kCentre[2], 0x00808080), 0);
    w.reset();
    DestroyWindow(parent);
}
