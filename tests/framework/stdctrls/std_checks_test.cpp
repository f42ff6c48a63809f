// TCheckBox, TRadioButton, TRadioGroup, TGroupBox and TPanel: geometry,
// definitions read and written back, real clicks, bevel and frame pixels.
#include <gtest/gtest.h>

#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"
#include "framework/core/property_access.h"
#include "framework/stdctrls/std_checks.h"
#include "tests/framework/stdctrls/std_test_util.h"

namespace {

const char* kChecksForm = R"(object ChecksForm: TForm
  Caption = 'checks'
  ClientWidth = 400
  ClientHeight = 300
  object Agree: TCheckBox
    Left = 10
    Top = 10
    Width = 120
    Caption = '同意'
    Alignment = taLeftJustify
    AllowGrayed = True
    State = cbGrayed
    OnClick = AgreeClick
  end
  object First: TRadioButton
    Left = 10
    Top = 40
    Caption = 'first'
    Checked = True
  end
  object Second: TRadioButton
    Left = 10
    Top = 70
    Caption = 'second'
  end
  object Sizes: TRadioGroup
    Left = 200
    Top = 10
    Width = 185
    Height = 105
    Caption = 'Size'
    Items = (
      'S'
      'M'
      '大')
    ItemIndex = 1
    Columns = 2
    OnClick = SizesClick
  end
  object Box: TGroupBox
    Left = 10
    Top = 130
    Width = 185
    Height = 105
    Caption = 'Box'
    object Inside: TPanel
      Align = alClient
      Caption = 'inside'
      BevelInner = bvRaised
      BevelOuter = bvLowered
      BevelWidth = 2
      BorderWidth = 3
      Alignment = taLeftJustify
      object Note: TCheckBox
        Align = alTop
        Caption = 'note'
      end
    end
  end
end
)";

class TChecksForm : public TForm {
public:
    explicit TChecksForm(TComponent* owner) : TForm(owner) {
        RegisterHandler<void(TObject*)>("AgreeClick", [this](TObject*) { ++agreeClicks; });
        RegisterHandler<void(TObject*)>("SizesClick", [this](TObject*) { ++sizesClicks; });
        ReadFormDefinition(*this, kChecksForm);
    }
    template <class T> T* Find(const char* name) { return dynamic_cast<T*>(FindComponent(name)); }
    int agreeClicks = 0;
    int sizesClicks = 0;
};

LRESULT CheckOf(TWinControl* c) {
    return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0);
}

} // namespace

// The click cycle, the group box frame and content, radio-group cells and
// the panel's content rectangle.
TEST(CheckGeometry, Arithmetic) {
    EXPECT_EQ(NextCheckState(cbUnchecked, false), cbChecked);
    EXPECT_EQ(NextCheckState(cbUnchecked, true), cbGrayed);
    EXPECT_EQ(NextCheckState(cbGrayed, true), cbChecked);
    EXPECT_EQ(NextCheckState(cbChecked, true), cbUnchecked);
    RECT r = GroupBoxFrameRect({185, 105}, 13);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.right, 185);
    r = GroupBoxContentRect({185, 105}, 13);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 15);
    EXPECT_EQ(r.right, 183);
    EXPECT_EQ(r.bottom, 103);
    // Three buttons in two columns: two rows of 43, the third at the top right.
    r = RadioGroupButtonRect({185, 105}, 13, 3, 2, 0);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 14);
    EXPECT_EQ(r.right, 95);
    EXPECT_EQ(r.bottom, 57);
    r = RadioGroupButtonRect({185, 105}, 13, 3, 2, 1);
    EXPECT_EQ(r.top, 57);
    r = RadioGroupButtonRect({185, 105}, 13, 3, 2, 2);
    EXPECT_EQ(r.left, 95);
    EXPECT_EQ(r.top, 14);
    // An odd remainder goes half above the first row.
    r = RadioGroupButtonRect({100, 60}, 13, 3, 1, 0);
    EXPECT_EQ(r.top, 14 + (42 % 3) / 2);
    r = PanelContentRect({0, 0, 100, 50}, bvLowered, bvRaised, 2, 3);
    EXPECT_EQ(r.left, 7);
    EXPECT_EQ(r.top, 7);
    EXPECT_EQ(r.right, 93);
    EXPECT_EQ(r.bottom, 43);
    r = PanelContentRect({0, 0, 100, 50}, bvNone, bvNone, 2, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 100);
}

// The definition's values on the objects and windows, by name as the skin
// engine reads them, and unchanged through writing and reading again.
TEST(Checks, DefinitionRoundTrip) {
    TChecksForm form(Application);
    auto* agree = form.Find<TCheckBox>("Agree");
    auto* sizes = form.Find<TRadioGroup>("Sizes");
    ASSERT_TRUE(agree && sizes);
    EXPECT_EQ(agree->State(), cbGrayed);
    EXPECT_EQ(form.agreeClicks, 0); // reading fires no click
    EXPECT_EQ(ReadEnumerationProperty(agree, "State"), "cbGrayed");
    EXPECT_EQ(ReadEnumerationProperty(agree, "Checked"), "False");
    EXPECT_EQ(ReadEnumerationProperty(form.Find<TRadioButton>("First"), "Checked"), "True");
    form.HandleNeeded();
    EXPECT_EQ(SendMessageW(agree->Handle(), BM_GETSTATE, 0, 0) & 3, BST_INDETERMINATE);
    EXPECT_TRUE(GetWindowLongW(agree->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(CheckOf(form.Find<TRadioButton>("First")), BST_CHECKED);
    ASSERT_EQ(sizes->ButtonCount(), 3);
    EXPECT_EQ(sizes->Buttons(2)->Caption(), L"大");
    EXPECT_EQ(CheckOf(sizes->Buttons(1)), BST_CHECKED);
    EXPECT_EQ(CheckOf(sizes->Buttons(0)), BST_UNCHECKED);
    EXPECT_EQ(sizes->Buttons(2)->Left(), 95);
    auto* inside = form.Find<TPanel>("Inside");
    EXPECT_EQ(inside->Left(), 2);
    EXPECT_EQ(inside->Top(), form.Find<TGroupBox>("Box")->CaptionHeight() + 2);
    auto* note = form.Find<TCheckBox>("Note");
    EXPECT_EQ(note->Left(), 7);
    EXPECT_EQ(note->Top(), 7);
    EXPECT_EQ(note->Width(), inside->Width() - 14);

    const std::string text = WriteFormDefinition(form);
    EXPECT_EQ(text.find("TRadioButton", text.find("Sizes")), std::string::npos)
        << "the group's own buttons are not written";
    TChecksForm again(nullptr);
    again.HandleNeeded(); // the form's outer size comes from its window
    EXPECT_EQ(WriteFormDefinition(again), text);
    auto* sizes2 = again.Find<TRadioGroup>("Sizes");
    EXPECT_EQ(sizes2->ItemIndex(), 1);
    EXPECT_EQ(sizes2->Columns(), 2);
    EXPECT_EQ(sizes2->Items().Count(), 3);
    EXPECT_EQ(again.Find<TPanel>("Inside")->BevelWidth(), 2);
    // Setting State by name, as a definition or the skin engine would.
    EXPECT_TRUE(WriteValueProperty(agree, "State", "cbChecked"));
    EXPECT_EQ(CheckOf(agree), BST_CHECKED);
    EXPECT_EQ(form.agreeClicks, 1);
}

// Real clicks: the check box cycles through grayed, the radio buttons of a
// parent exclude each other, a radio group's button sets its ItemIndex.
TEST(Checks, ClicksChangeState) {
    TChecksForm form(Application);
    auto* agree = form.Find<TCheckBox>("Agree");
    auto* first = form.Find<TRadioButton>("First");
    auto* second = form.Find<TRadioButton>("Second");
    auto* sizes = form.Find<TRadioGroup>("Sizes");
    ShowInFront(form);
    ClickCentre(*agree);
    EXPECT_EQ(agree->State(), cbChecked);
    EXPECT_EQ(CheckOf(agree), BST_CHECKED);
    ClickCentre(*agree);
    EXPECT_EQ(agree->State(), cbUnchecked);
    ClickCentre(*agree);
    EXPECT_EQ(agree->State(), cbGrayed);
    EXPECT_EQ(CheckOf(agree), BST_INDETERMINATE);
    EXPECT_EQ(form.agreeClicks, 3);
    ClickAt(*second, POINT{6, second->Height() / 2});
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    EXPECT_EQ(CheckOf(first), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(second), BST_CHECKED);
    ClickAt(*sizes->Buttons(2), POINT{6, sizes->Buttons(2)->Height() / 2});
    EXPECT_EQ(sizes->ItemIndex(), 2);
    EXPECT_EQ(form.sizesClicks, 1);
    EXPECT_EQ(CheckOf(sizes->Buttons(1)), BST_UNCHECKED);
    // A click on the checked one changes nothing.
    ClickAt(*sizes->Buttons(2), POINT{6, sizes->Buttons(2)->Height() / 2});
    EXPECT_EQ(form.sizesClicks, 1);
    // By program: no click event.
    sizes->SetItemIndex(0);
    EXPECT_EQ(CheckOf(sizes->Buttons(0)), BST_CHECKED);
    EXPECT_EQ(form.sizesClicks, 1);
    form.Hide();
}

// Panel bevels: the lowered outer one dark at the top left, the border in
// the face colour, the raised inner one light; the group box frame is etched.
TEST(Panels, BevelAndFramePixels) {
    TChecksForm form(Application);
    auto* inside = form.Find<TPanel>("Inside");
    auto* box = form.Find<TGroupBox>("Box");
    ShowInFront(form);
    UpdateWindow(form.Handle());
    HWND p = inside->Handle();
    const int w = inside->Width(), h = inside->Height();
    EXPECT_EQ(ScreenPixel(p, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(p, 1, h / 2), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(p, w - 1, h - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenPixel(p, 3, h - 3), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ScreenPixel(p, 5, h - 9), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(ScreenPixel(p, w - 6, h - 9), GetSysColor(COLOR_BTNSHADOW));
    const int y = box->CaptionHeight() / 2 + 20;
    EXPECT_EQ(ScreenPixel(box->Handle(), 0, y), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ScreenPixel(box->Handle(), 1, y), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(GdiGrowthOverRepaints(form.Handle(), 100), 0);
    form.Hide();
}
