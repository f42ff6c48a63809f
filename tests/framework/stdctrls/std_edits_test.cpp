// TEdit and TMemo: definitions read and written back, window styles, and
// real typing with its change events, length limit and read-only state.
#include <gtest/gtest.h>

#include "framework/core/ansi.h"
#include "framework/core/form_reader.h"
#include "framework/core/form_writer.h"
#include "framework/core/property_access.h"
#include "framework/stdctrls/std_common.h"
#include "framework/stdctrls/std_edits.h"
#include "tests/framework/stdctrls/std_test_util.h"

namespace {

const char* kEditsForm = R"(object EditsForm: TForm
  Caption = 'edits'
  ClientWidth = 400
  ClientHeight = 300
  object Name1: TEdit
    Left = 10
    Top = 10
    TabOrder = 0
    Text = 'abc'
    MaxLength = 5
    OnChange = NameChange
  end
  object Code: TEdit
    Left = 10
    Top = 40
    TabOrder = 1
    Text = 'fixed'
    ReadOnly = True
  end
  object Notes: TMemo
    Left = 10
    Top = 80
    Width = 200
    Height = 100
    TabOrder = 2
    Lines = (
      '第一行'
      'second')
    ScrollBars = ssVertical
    WordWrap = False
    OnChange = NotesChange
  end
end
)";

class TEditsForm : public TForm {
public:
    explicit TEditsForm(TComponent* owner) : TForm(owner) {
        RegisterHandler<void(TObject*)>("NameChange", [this](TObject*) { ++nameChanges; });
        RegisterHandler<void(TObject*)>("NotesChange", [this](TObject*) { ++notesChanges; });
        ReadFormDefinition(*this, kEditsForm);
    }
    template <class T> T* Find(const char* name) { return dynamic_cast<T*>(FindComponent(name)); }
    int nameChanges = 0;
    int notesChanges = 0;
};

LONG StyleOf(TWinControl* c) {
    return GetWindowLongW(c->Handle(), GWL_STYLE);
}

void CaretToEnd(TWinControl* c) {
    SendMessageW(c->Handle(), EM_SETSEL, 0x7FFF, 0x7FFF);
}

} // namespace

// Text, limit, read-only state, lines, scroll bars and wrapping reach the
// windows; writing and reading again gives the same definition.
TEST(Edits, DefinitionRoundTrip) {
    TEditsForm form(Application);
    auto* name = form.Find<TEdit>("Name1");
    auto* code = form.Find<TEdit>("Code");
    auto* notes = form.Find<TMemo>("Notes");
    ASSERT_TRUE(name && code && notes);
    form.HandleNeeded();
    EXPECT_EQ(WindowTextOf(name->Handle()), L"abc");
    EXPECT_EQ(SendMessageW(name->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_TRUE(StyleOf(code) & ES_READONLY);
    EXPECT_FALSE(StyleOf(name) & ES_READONLY);
    EXPECT_EQ(WindowTextOf(notes->Handle()), L"第一行\r\nsecond");
    EXPECT_TRUE(StyleOf(notes) & ES_MULTILINE);
    EXPECT_TRUE(StyleOf(notes) & WS_VSCROLL);
    EXPECT_FALSE(StyleOf(notes) & WS_HSCROLL);
    EXPECT_TRUE(StyleOf(notes) & ES_AUTOHSCROLL); // no wrapping
    EXPECT_EQ(ReadTextProperty(name, "Text"), L"abc");
    EXPECT_EQ(ReadEnumerationProperty(notes, "ScrollBars"), "ssVertical");
    EXPECT_EQ(form.nameChanges, 0);

    const std::string text = WriteFormDefinition(form);
    TEditsForm again(nullptr);
    again.HandleNeeded();
    EXPECT_EQ(WriteFormDefinition(again), text);
    EXPECT_EQ(again.Find<TMemo>("Notes")->Lines().Count(), 2);

    // Styles fixed at creation make a new window that keeps the text.
    notes->SetScrollBars(ssBoth);
    EXPECT_TRUE(StyleOf(notes) & WS_HSCROLL);
    notes->SetWordWrap(true);
    EXPECT_FALSE(StyleOf(notes) & WS_HSCROLL);
    EXPECT_FALSE(StyleOf(notes) & ES_AUTOHSCROLL);
    EXPECT_EQ(WindowTextOf(notes->Handle()), L"第一行\r\nsecond");
    // Lines set by program, an empty last line included.
    TStringList lines;
    lines.Add("a");
    lines.Add("");
    notes->SetLines(lines);
    EXPECT_EQ(notes->Lines().Count(), 2);
    EXPECT_EQ(WindowTextOf(notes->Handle()), L"a\r\n");
    EXPECT_EQ(MemoTextOfLines(TStringList()), L"");
    // Text set by program fires OnChange like typing.
    name->SetText(L"xy");
    EXPECT_EQ(WindowTextOf(name->Handle()), L"xy");
    EXPECT_EQ(form.nameChanges, 1);
}

// Typed characters change the text and fire OnChange; the limit stops them,
// a read-only edit ignores them, Tab moves on, the memo takes Enter.
TEST(Edits, TypingChangesText) {
    TEditsForm form(Application);
    auto* name = form.Find<TEdit>("Name1");
    auto* code = form.Find<TEdit>("Code");
    auto* notes = form.Find<TMemo>("Notes");
    ShowInFront(form);
    name->SetFocus();
    Settle();
    CaretToEnd(name);
    TypeText(L"de中国");
    EXPECT_EQ(name->Text(), L"abcde");
    EXPECT_EQ(ReadTextProperty(name, "Text"), L"abcde");
    EXPECT_EQ(form.nameChanges, 2);
    PressKey(VK_BACK);
    EXPECT_EQ(name->Text(), L"abcd");
    EXPECT_EQ(form.nameChanges, 3);
    PressKey(VK_TAB);
    EXPECT_TRUE(code->Focused());
    TypeText(L"x");
    EXPECT_EQ(code->Text(), L"fixed");
    notes->SetFocus();
    Settle();
    CaretToEnd(notes);
    TypeText(L"x");
    PressKey(VK_RETURN);
    TypeText(L"三");
    ASSERT_EQ(notes->Lines().Count(), 3);
    EXPECT_EQ(notes->Lines()[1], "secondx");
    EXPECT_EQ(AnsiToWideText(notes->Lines()[2]), L"三");
    EXPECT_EQ(form.notesChanges, 3);
    EXPECT_TRUE(form.Visible()); // Enter stayed in the memo
    form.Hide();
}
