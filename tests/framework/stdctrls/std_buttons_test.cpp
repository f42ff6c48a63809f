// TButton, TBitBtn and TSpeedButton: glyph layout arithmetic, definitions
// read and written back, clicks and dialog keys on real windows.
#include <gtest/gtest.h>

#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"
#include "framework/core/property_access.h"
#include "framework/stdctrls/std_buttons.h"
#include "framework/stdctrls/std_edits.h"
#include "tests/framework/stdctrls/std_test_util.h"

namespace {

const char* kButtonsForm = R"(object ButtonsForm: TForm
  Caption = 'buttons'
  ClientWidth = 400
  ClientHeight = 200
  object Ok: TButton
    Left = 10
    Top = 10
    Caption = 'OK'
    TabOrder = 0
    Default = True
    ModalResult = 1
    OnClick = OkClick
  end
  object No: TButton
    Left = 100
    Top = 10
    Caption = '取消'
    TabOrder = 1
    Cancel = True
    ModalResult = 2
  end
  object Go: TBitBtn
    Left = 10
    Top = 50
    Width = 120
    Height = 48
    Caption = 'Go'
    TabOrder = 2
    Layout = blGlyphTop
    Margin = 3
    Spacing = 2
  end
  object Bold: TSpeedButton
    Left = 10
    Top = 110
    Width = 30
    Height = 30
    Caption = 'B'
    GroupIndex = 1
    AllowAllUp = True
    Down = True
    Flat = True
  end
  object Italic: TSpeedButton
    Left = 50
    Top = 110
    Width = 30
    Height = 30
    Caption = 'I'
    GroupIndex = 1
    OnClick = ItalicClick
  end
  object Name1: TEdit
    Left = 200
    Top = 10
    TabOrder = 3
  end
end
)";

// A form with the handlers the definition names, counting their calls.
class TButtonsForm : public TForm {
public:
    explicit TButtonsForm(TComponent* owner) : TForm(owner) {
        RegisterHandler<void(TObject*)>("OkClick", [this](TObject*) { ++okClicks; });
        RegisterHandler<void(TObject*)>("ItalicClick", [this](TObject*) { ++italicClicks; });
    }
    template <class T> T* Find(const char* name) { return dynamic_cast<T*>(FindComponent(name)); }
    int okClicks = 0;
    int italicClicks = 0;
};

// A 32 x 16 glyph of two cells: red (up) and blue (disabled); green is its
// transparent colour (bottom-left pixel), also at (5, 5) of the first cell.
void MakeGlyph(TBitmap& b) {
    b.SetPixelFormat(TPixelFormat::pf24bit);
    b.SetSize(32, 16);
    b.Canvas().Brush().SetColor(0x0000FF);
    b.Canvas().FillRect(RECT{0, 0, 16, 16});
    b.Canvas().Brush().SetColor(0xFF0000);
    b.Canvas().FillRect(RECT{16, 0, 32, 16});
    b.Canvas().SetPixel(0, 15, 0x00FF00);
    b.Canvas().SetPixel(5, 5, 0x00FF00);
}

LONG ButtonType(TWinControl* c) {
    return GetWindowLongW(c->Handle(), GWL_STYLE) & BS_TYPEMASK;
}

} // namespace

// Glyph and text positions along and across the layout axis, the glyph
// cell for each state, the cell count of a strip and the speed-button frame.
TEST(ButtonLayout, Arithmetic) {
    // 100 x 30 client, 16 x 16 glyph, 30 x 13 text.
    TButtonLayoutResult r = CalcButtonLayout({100, 30}, {16, 16}, {30, 13}, blGlyphLeft, 4, 2);
    EXPECT_EQ(r.glyph.x, 4);
    EXPECT_EQ(r.glyph.y, 7); // (30 - 16 + 1) / 2
    EXPECT_EQ(r.text.x, 22); // 4 + 16 + 2
    EXPECT_EQ(r.text.y, 9);  // (30 - 13 + 1) / 2
    r = CalcButtonLayout({100, 30}, {16, 16}, {30, 13}, blGlyphRight, 4, 2);
    EXPECT_EQ(r.glyph.x, 80); // 100 - 4 - 16
    EXPECT_EQ(r.text.x, 48);  // 80 - 2 - 30
    // Margin -1 and spacing -1: three equal gaps of (100 - 46) / 3 = 18.
    r = CalcButtonLayout({100, 30}, {16, 16}, {30, 13}, blGlyphLeft, -1, -1);
    EXPECT_EQ(r.glyph.x, 18);
    EXPECT_EQ(r.text.x, 52);
    // Margin -1 with a spacing: the pair centred, (100 - 50 + 1) / 2 = 25.
    r = CalcButtonLayout({100, 30}, {16, 16}, {30, 13}, blGlyphLeft, -1, 4);
    EXPECT_EQ(r.glyph.x, 25);
    EXPECT_EQ(r.text.x, 45);
    // Spacing -1: the text in the middle of what the glyph leaves.
    r = CalcButtonLayout({100, 30}, {16, 16}, {30, 13}, blGlyphLeft, 4, -1);
    EXPECT_EQ(r.text.x, 4 + 16 + (100 - 20 - 30) / 2);
    // Vertical layouts centre across x.
    r = CalcButtonLayout({120, 48}, {16, 16}, {14, 13}, blGlyphTop, 3, 2);
    EXPECT_EQ(r.glyph.x, 52);
    EXPECT_EQ(r.glyph.y, 3);
    EXPECT_EQ(r.text.y, 21);
    EXPECT_EQ(r.text.x, 53);
    r = CalcButtonLayout({120, 48}, {16, 16}, {14, 13}, blGlyphBottom, 3, 2);
    EXPECT_EQ(r.glyph.y, 29);
    EXPECT_EQ(r.text.y, 14);
    // Without text the spacing does not count.
    r = CalcButtonLayout({100, 30}, {16, 16}, {0, 0}, blGlyphLeft, -1, 10);
    EXPECT_EQ(r.glyph.x, 42);

    EXPECT_EQ(GlyphCellFor(1, false, false, false), 0);
    EXPECT_EQ(GlyphCellFor(2, false, false, false), 1);
    EXPECT_EQ(GlyphCellFor(2, true, true, false), 0);
    EXPECT_EQ(GlyphCellFor(3, true, true, false), 2);
    EXPECT_EQ(GlyphCellFor(3, true, false, true), 2);
    EXPECT_EQ(GlyphCellFor(4, true, false, true), 3);
    EXPECT_EQ(GlyphCellFor(4, true, true, true), 2);
    EXPECT_EQ(NumGlyphsOfPicture(64, 16), 4);
    EXPECT_EQ(NumGlyphsOfPicture(80, 16), 1);
    EXPECT_EQ(NumGlyphsOfPicture(20, 16), 1);
    EXPECT_EQ(NumGlyphsOfPicture(16, 0), 1);
    EXPECT_EQ(SpeedButtonFrame(true, false, false, false, true), 0);
    EXPECT_EQ(SpeedButtonFrame(true, true, false, false, true), 1);
    EXPECT_EQ(SpeedButtonFrame(true, true, false, false, false), 0);
    EXPECT_EQ(SpeedButtonFrame(false, false, false, false, true), 1);
    EXPECT_EQ(SpeedButtonFrame(true, false, false, true, true), 2);
    EXPECT_EQ(SpeedButtonFrame(false, true, true, false, true), 2);
}

// Values from the definition reach the objects and the windows; the
// skin engine's by-name reading sees them; writing and reading again gives
// the same definition, glyph included.
TEST(Buttons, DefinitionRoundTrip) {
    TButtonsForm form(Application);
    ReadFormDefinition(form, kButtonsForm);
    auto* ok = form.Find<TButton>("Ok");
    auto* go = form.Find<TBitBtn>("Go");
    auto* bold = form.Find<TSpeedButton>("Bold");
    auto* italic = form.Find<TSpeedButton>("Italic");
    ASSERT_TRUE(ok && go && bold && italic);
    EXPECT_TRUE(ok->Default());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(form.Find<TButton>("No")->Cancel());
    EXPECT_EQ(go->Layout(), blGlyphTop);
    EXPECT_TRUE(bold->Down());
    EXPECT_TRUE(italic->AllowAllUp()); // taken from its group
    form.HandleNeeded();
    EXPECT_EQ(ButtonType(ok), BS_DEFPUSHBUTTON);
    EXPECT_EQ(ButtonType(form.Find<TButton>("No")), BS_PUSHBUTTON);
    EXPECT_EQ(ButtonType(go), BS_OWNERDRAW);
    wchar_t cls[32] = {};
    GetClassNameW(ok->Handle(), cls, 32);
    EXPECT_STREQ(cls, L"TButton");
    EXPECT_EQ(ReadEnumerationProperty(go, "Layout"), "blGlyphTop");
    EXPECT_EQ(ReadEnumerationProperty(ok, "Default"), "True");
    EXPECT_EQ(ReadEnumerationProperty(bold, "Down"), "True");
    EXPECT_EQ(ReadEnumerationProperty(bold, "Flat"), "True");
    EXPECT_EQ(ReadIntegerProperty(go, "Margin"), 3);
    EXPECT_EQ(ReadIntegerProperty(go, "Spacing"), 2);
    EXPECT_TRUE(WriteValueProperty(italic, "Flat", "True"));
    EXPECT_TRUE(italic->Flat());

    MakeGlyph(go->Glyph());
    go->SetNumGlyphs(2);
    const std::string text = WriteFormDefinition(form);
    TButtonsForm again(nullptr);
    ReadFormDefinition(again, text);
    EXPECT_EQ(WriteFormDefinition(again), text);
    auto* go2 = again.Find<TBitBtn>("Go");
    EXPECT_EQ(go2->NumGlyphs(), 2);
    ASSERT_EQ(go2->Glyph().Width(), 32);
    EXPECT_EQ(go2->Glyph().Canvas().Pixel(20, 3), 0xFF0000);
    EXPECT_TRUE(again.Find<TSpeedButton>("Italic")->Flat());

    // A stock kind sets the roles; changing one of them makes it custom.
    go->SetKind(bkOK);
    EXPECT_TRUE(go->Default());
    EXPECT_EQ(go->ModalResult(), mrOk);
    EXPECT_EQ(go->Caption(), L"OK");
    EXPECT_EQ(ReadEnumerationProperty(go, "Kind"), "bkOK");
    go->SetModalResult(mrNone);
    EXPECT_EQ(go->Kind(), bkCustom);
}

// A real click fires OnClick once and sets the form's result; the default
// style follows the focus between buttons.
TEST(Buttons, ClickAndDefaultFollowsFocus) {
    TButtonsForm form(Application);
    ReadFormDefinition(form, kButtonsForm);
    auto* ok = form.Find<TButton>("Ok");
    auto* no = form.Find<TButton>("No");
    ShowInFront(form);
    ClickCentre(*ok);
    EXPECT_EQ(form.okClicks, 1);
    EXPECT_EQ(form.ModalResult(), mrOk);
    form.SetModalResult(mrNone);
    no->SetFocus();
    Settle();
    EXPECT_EQ(ButtonType(ok), BS_PUSHBUTTON);
    EXPECT_EQ(ButtonType(no), BS_DEFPUSHBUTTON);
    EXPECT_FALSE(ok->Active());
    form.Find<TEdit>("Name1")->SetFocus();
    Settle();
    EXPECT_EQ(ButtonType(ok), BS_DEFPUSHBUTTON);
    EXPECT_TRUE(ok->Active());
    // The space bar clicks the focused button through the platform control.
    ok->SetFocus();
    Settle();
    PressKey(VK_SPACE);
    EXPECT_EQ(form.okClicks, 2);
    form.Hide();
}

// Enter closes a modal form through the default button, Esc through the
// cancel button, Enter on another focused button through that one.
TEST(Buttons, ModalResultFromKeys) {
    TButtonsForm form(Application);
    ReadFormDefinition(form, kButtonsForm);
    {
        TKeyScript keys({VK_RETURN}, form.Handle());
        EXPECT_EQ(form.ShowModal(), mrOk);
    }
    EXPECT_EQ(form.okClicks, 1);
    {
        TKeyScript keys({VK_ESCAPE}, form.Handle());
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    {
        form.SetActiveControl(form.Find<TEdit>("Name1"));
        TKeyScript keys({VK_RETURN}, form.Handle());
        EXPECT_EQ(form.ShowModal(), mrOk);
    }
    {
        form.SetActiveControl(form.Find<TButton>("No"));
        TKeyScript keys({VK_RETURN}, form.Handle());
        EXPECT_EQ(form.ShowModal(), mrCancel);
    }
    EXPECT_EQ(form.okClicks, 2);
}

// The owner-drawn glyph sits where the layout says, its transparent colour
// shows the face, and the disabled cell replaces it when disabled.
TEST(BitBtn, GlyphPixels) {
    TButtonsForm form(Application);
    ReadFormDefinition(form, kButtonsForm);
    auto* go = form.Find<TBitBtn>("Go");
    MakeGlyph(go->Glyph());
    go->SetNumGlyphs(2);
    ShowInFront(form);
    UpdateWindow(go->Handle());
    const TButtonLayoutResult lay = go->CurrentLayout();
    EXPECT_EQ(lay.glyph.y, 3);
    EXPECT_EQ(ScreenPixel(go->Handle(), lay.glyph.x + 8, lay.glyph.y + 8), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(go->Handle(), lay.glyph.x + 5, lay.glyph.y + 5),
              GetSysColor(COLOR_BTNFACE));
    go->SetEnabled(false);
    UpdateWindow(go->Handle());
    EXPECT_EQ(ScreenPixel(go->Handle(), lay.glyph.x + 8, lay.glyph.y + 8), RGB(0, 0, 255));
    // Glyph button and speed buttons paint without leaving objects behind.
    EXPECT_EQ(GdiGrowthOverRepaints(form.Handle(), 100), 0);
    form.Hide();
}

// Clicks latch the buttons of a group one at a time; AllowAllUp lets the
// down one come up, without it it stays down.
TEST(SpeedButton, GroupLatchingByClicks) {
    TButtonsForm form(Application);
    ReadFormDefinition(form, kButtonsForm);
    auto* bold = form.Find<TSpeedButton>("Bold");
    auto* italic = form.Find<TSpeedButton>("Italic");
    ShowInFront(form);
    ClickCentre(*italic);
    EXPECT_EQ(form.italicClicks, 1);
    EXPECT_TRUE(italic->Down());
    EXPECT_FALSE(bold->Down());
    ClickCentre(*italic);
    EXPECT_EQ(form.italicClicks, 2);
    EXPECT_FALSE(italic->Down());
    italic->SetAllowAllUp(false);
    EXPECT_FALSE(bold->AllowAllUp());
    ClickCentre(*bold);
    EXPECT_TRUE(bold->Down());
    ClickCentre(*bold);
    EXPECT_TRUE(bold->Down());
    EXPECT_FALSE(bold->Pressed());
    // A button without a group never stays down.
    italic->SetGroupIndex(0);
    ClickCentre(*italic);
    EXPECT_FALSE(italic->Down());
    EXPECT_EQ(form.italicClicks, 3);
    form.Hide();
}
