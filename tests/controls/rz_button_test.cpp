// TRzButton / TRzBitBtn behaviour with real windows: modal results, Enter on
// the focused button, Esc only with Cancel, space, press-and-release, groups,
// stock kinds and glyph image choice.
#include "framework/ui/win32.h"

#include "controls/rz_bitbtn.h"
#include "framework/core/property_access.h"
#include "framework/ui/ui_register.h"
#include "framework/ui/application.h"

#include <gtest/gtest.h>

namespace {

// A shown form with two buttons.
struct TwoButtons {
    TForm form{nullptr};
    TRzButton* a;
    TRzButton* b;
    int clicksA = 0, clicksB = 0;
    TwoButtons() {
        form.SetBounds(50, 50, 300, 150);
        a = new TRzButton(&form);
        a->SetParent(&form);
        a->SetBounds(10, 10, 75, 25);
        a->SetName("A");
        b = new TRzButton(&form);
        b->SetParent(&form);
        b->SetBounds(100, 10, 75, 25);
        b->SetName("B");
        a->OnClick = [this](TObject*) { ++clicksA; };
        b->OnClick = [this](TObject*) { ++clicksB; };
        form.Show();
    }
    LRESULT DialogKey(WPARAM key) { return form.Perform(CM_DIALOGKEY, key, 0); }
};

} // namespace

TEST(RzButton, DefaultsAndRoles) {
    TRzButton button(nullptr);
    EXPECT_EQ(button.Width(), 75);
    EXPECT_EQ(button.Height(), 25);
    EXPECT_EQ(button.Color(), clBtnFace);
    EXPECT_EQ(button.FrameColor(), cl3DDkShadow);
    EXPECT_EQ(button.HotTrackColor(), 0x00149BF0);
    EXPECT_TRUE(button.TabStop());
    EXPECT_FALSE(button.Transparent());
    button.SetHotTrack(true);
    EXPECT_TRUE(button.Transparent()); // HotTrack implies Transparent
    button.SetHotTrack(false);
    EXPECT_FALSE(button.Transparent());
}

TEST(RzButton, FocusedButtonAnswersEnterAndEscNeedsCancel) {
    TwoButtons t;
    t.b->SetDefault(true);
    t.a->SetFocus();
    ASSERT_TRUE(t.a->Focused());
    EXPECT_TRUE(t.a->Active());
    EXPECT_FALSE(t.b->Active()); // a focused button takes Enter from the default one
    EXPECT_EQ(t.DialogKey(VK_RETURN), 1);
    EXPECT_EQ(t.clicksA, 1);
    EXPECT_EQ(t.clicksB, 0);
    // Esc clicks nothing until a button has Cancel.
    EXPECT_EQ(t.DialogKey(VK_ESCAPE), 0);
    EXPECT_EQ(t.clicksA + t.clicksB, 1);
    t.b->SetCancel(true);
    EXPECT_EQ(t.DialogKey(VK_ESCAPE), 1);
    EXPECT_EQ(t.clicksB, 1);
}

TEST(RzButton, SpaceAndMouseClickRules) {
    TwoButtons t;
    t.a->SetFocus();
    t.a->Perform(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(t.a->ShowDown());
    EXPECT_EQ(t.clicksA, 0);
    t.a->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(t.a->ShowDown());
    EXPECT_EQ(t.clicksA, 1);
    // Space up without its key-down does nothing.
    t.a->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(t.clicksA, 1);

    HWND wnd = t.b->Handle();
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(t.b->Focused());
    EXPECT_TRUE(t.b->ShowDown());
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 25)); // bottom edge counts
    EXPECT_TRUE(t.b->ShowDown());
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(75, 5));
    EXPECT_FALSE(t.b->ShowDown());
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(75, 5));
    EXPECT_EQ(t.clicksB, 0);
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 5));
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(74, 24));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(74, 24));
    EXPECT_EQ(t.clicksB, 1);
    // A disabled button ignores the press.
    t.b->SetEnabled(false);
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(t.clicksB, 1);
}

TEST(RzButton, ModalResultEndsAModalForm) {
    TApplication app(nullptr);
    app.Initialize();
    TForm form(nullptr);
    form.SetBounds(50, 50, 300, 150);
    auto* keep = new TRzButton(&form);
    keep->SetParent(&form);
    auto* cancel = new TRzButton(&form);
    cancel->SetParent(&form);
    cancel->SetLeft(100);
    cancel->SetModalResult(mrCancel);
    int keepClicks = 0;
    keep->OnClick = [&](TObject*) {
        ++keepClicks;
        EXPECT_EQ(form.ModalResult(), mrNone); // ModalResult 0 leaves the form open
        PostMessageW(cancel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(cancel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    form.HandleNeeded();
    PostMessageW(keep->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(keep->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(keepClicks, 1);
}

TEST(RzButton, GroupedButtonsLatchExclusively) {
    TwoButtons t;
    t.a->SetGroupIndex(1);
    t.b->SetGroupIndex(1);
    t.a->SetDown(true);
    EXPECT_TRUE(t.a->Down());
    EXPECT_EQ(t.a->State(), bsExclusive);
    t.b->SetDown(true);
    EXPECT_TRUE(t.b->Down());
    EXPECT_FALSE(t.a->Down()); // the sibling went up
    // A down button stays down unless AllowAllUp.
    t.b->SetDown(false);
    EXPECT_TRUE(t.b->Down());
    t.a->SetAllowAllUp(true);
    EXPECT_TRUE(t.b->AllowAllUp()); // the group shares the setting
    t.b->SetDown(false);
    EXPECT_FALSE(t.b->Down());
    // Ungrouped buttons never go down.
    TRzButton lone(nullptr);
    lone.SetDown(true);
    EXPECT_FALSE(lone.Down());
}

TEST(RzBitBtn, KindsGlyphsAndImageChoice) {
    TForm form(nullptr);
    auto* button = new TRzBitBtn(&form);
    button->SetParent(&form);
    EXPECT_EQ(button->Kind(), bkCustom);
    EXPECT_EQ(button->NumGlyphs(), 1);
    button->SetKind(bkCancel);
    EXPECT_EQ(button->Kind(), bkCancel);
    EXPECT_TRUE(button->Cancel());
    EXPECT_FALSE(button->Default());
    EXPECT_EQ(button->ModalResult(), mrCancel);
    EXPECT_EQ(button->Caption(), L"取消");
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Glyph().Width(), 32); // the stock "BBCANCEL" picture
    EXPECT_EQ(button->Glyph().Height(), 16);
    button->SetKind(bkYes);
    EXPECT_TRUE(button->Default());
    EXPECT_EQ(button->ModalResult(), mrYes);
    // Changing a role makes it a custom button again.
    button->SetModalResult(mrNone);
    EXPECT_EQ(button->Kind(), bkCustom);
    button->SetKind(bkOK);
    EXPECT_EQ(button->Kind(), bkOK);
    TBitmap own(48, 16);
    button->SetGlyph(own);
    EXPECT_EQ(button->Kind(), bkCustom); // a user glyph ends the stock kind
    EXPECT_EQ(button->NumGlyphs(), 3);   // 48 x 16: three images
    TBitmap odd(20, 16);
    button->SetGlyph(odd);
    EXPECT_EQ(button->NumGlyphs(), 1);
    // Image choice by state.
    TBitmap four(64, 16);
    button->SetGlyph(four);
    button->SetGroupIndex(3);
    EXPECT_EQ(button->GlyphIndex(), 0);
    button->SetDown(true);
    EXPECT_EQ(button->GlyphIndex(), 3); // exclusive
    button->SetNumGlyphs(3);
    EXPECT_EQ(button->GlyphIndex(), 2); // down
    button->SetEnabled(false);
    button->SetNumGlyphs(2);
    EXPECT_EQ(button->GlyphIndex(), 1); // disabled
}

// A skin wrapper reads the glyph button's pictures by name and can assign
// them: the glyph is copied into the button's own bitmap, the image list is a
// reference that is cleared when the list goes.
TEST(RzBitBtn, GlyphAndImagesByName) {
    TForm form(nullptr);
    auto* button = new TRzBitBtn(&form);
    TBitmap* glyph = ReadObjectProperty<TBitmap>(button, "glyph");
    ASSERT_EQ(glyph, &button->Glyph());
    EXPECT_TRUE(glyph->Empty());
    EXPECT_EQ(ReadObjectProperty<TImageList>(button, "Images"), nullptr);
    EXPECT_EQ(ReadObjectProperty(button, "Glyph", TImageList::StaticClass()), nullptr);

    TBitmap source(32, 16, TPixelFormat::pf24bit);
    SetPixel(source.Canvas().Handle(), 17, 3, RGB(10, 20, 30));
    EXPECT_TRUE(WriteObjectProperty(button, "Glyph", &source));
    EXPECT_EQ(&button->Glyph(), glyph); // the button keeps its own bitmap
    EXPECT_EQ(glyph->Width(), 32);
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(GetPixel(glyph->Canvas().Handle(), 17, 3), RGB(10, 20, 30));
    SetPixel(source.Canvas().Handle(), 17, 3, RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(glyph->Canvas().Handle(), 17, 3), RGB(10, 20, 30));

    auto* list = new TImageList(&form);
    EXPECT_FALSE(WriteObjectProperty(button, "Glyph", list));
    EXPECT_TRUE(WriteObjectProperty(button, "Images", list));
    EXPECT_EQ(button->Images(), list);
    EXPECT_EQ(ReadObjectProperty<TImageList>(button, "images"), list);
    EXPECT_FALSE(WriteObjectProperty(button, "Images", &source));
    EXPECT_EQ(button->Images(), list);
    list->Free();
    EXPECT_EQ(button->Images(), nullptr);
}

// A definition's image list is a component the glyph button refers to by name.
TEST(RzBitBtn, ImagesReferToAnImageListOfTheDefinition) {
    RegisterFrameworkClasses();
    RegisterRzControls();
    TForm form(nullptr);
    form.ReadDefinition(R"(object F: TForm
  object Glyphs20: TImageList
    Width = 20
    Height = 18
    Masked = False
  end
  object Btn: TRzBitBtn
    Images = Glyphs20
    ImageIndex = 0
  end
end
)");
    auto* list = ObjectAs<TImageList>(form.FindComponent("Glyphs20"));
    auto* button = ObjectAs<TRzBitBtn>(form.FindComponent("Btn"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(list->Width(), 20);
    EXPECT_EQ(list->Height(), 18);
    EXPECT_FALSE(list->Masked());
    EXPECT_EQ(button->Images(), list);
    EXPECT_EQ(button->ImageIndex(), 0);
}
