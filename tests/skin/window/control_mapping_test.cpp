// The control wrapper mapping's decisions without a window: the tag rule,
// the wrapped-already search, the Skin3rd lookup and kinds, the built-in
// table over the framework's own control classes, the has-scroll-bars test
// and the raw child-window table.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <memory>

#include "framework/core/strings.h"
#include "framework/stdctrls/std_bars.h"
#include "framework/stdctrls/std_buttons.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_lists.h"
#include "framework/stdctrls/std_pickers.h"
#include "framework/stdctrls/std_tabs.h"
#include "framework/stdctrls/std_toolbar.h"
#include "framework/stdctrls/std_views.h"
#include "framework/ui/statusbar.h"
#include "skin/window/control_mapping.h"

namespace {

using A = TAttachMode;

TStringList Lines(std::initializer_list<const char*> lines) {
    TStringList list;
    for (const char* l : lines)
        list.Add(l);
    return list;
}

// Every gate of a fresh skin data component, a tab element, no Skin3rd.
TSkinFacts AllOn(const TStringList* skin3rd = nullptr) {
    return {TSkinControlTypes::FromMask(TSkinData::kDefaultSkinControls), true, skin3rd};
}

TSkinFacts Without(std::initializer_list<TSkinControlType> off) {
    TSkinFacts s = AllOn();
    for (TSkinControlType t : off)
        s.gates.Exclude(t);
    return s;
}

// The facts of a framework control made without a window.
template <class T> TControlFacts FactsOfNew(int tag = 0, LONG style = 0) {
    auto control = std::make_unique<T>(nullptr);
    TControlFacts f;
    f.className = control->ClassName();
    f.kinds = ControlKinds(*control);
    f.windowed = dynamic_cast<TWinControl*>(control.get()) != nullptr;
    f.style = style;
    f.tag = tag;
    return f;
}

TControlFacts Named(const char* className, TControlKinds kinds = {}) {
    TControlFacts f;
    f.className = className;
    f.kinds = kinds;
    f.windowed = true;
    return f;
}

bool Has(const TWrapperChoice& c, const char* name, const char* value) {
    for (const auto& [n, v] : c.writes)
        if (n == name && v == value)
            return true;
    return false;
}

} // namespace

TEST(ControlMappingTest, TagRuleTakesTheRemainderWithTheDividendsSign) {
    EXPECT_TRUE(TagDisabled(99, 99));
    EXPECT_TRUE(TagDisabled(199, 99));
    EXPECT_TRUE(TagDisabled(-1, -1));
    EXPECT_TRUE(TagDisabled(-101, -1));
    EXPECT_TRUE(TagDisabled(-199, -99));
    // -199 leaves -99, which is not 99; 99 with DisableTag -1 is kept.
    EXPECT_FALSE(TagDisabled(-199, 99));
    EXPECT_FALSE(TagDisabled(99, -1));
    EXPECT_FALSE(TagDisabled(0, 99));
    EXPECT_FALSE(TagDisabled(55, 99));
    EXPECT_FALSE(TagDisabled(1, -1));
}

TEST(ControlMappingTest, WrappedSearchMatchesControlsWindowsAndStopsForControlsWithoutWindow) {
    int a = 0, b = 0, c = 0;
    const HWND w1 = reinterpret_cast<HWND>(0x1010), w2 = reinterpret_cast<HWND>(0x2020);
    const std::vector<TWrapperEntry> list{{&a, nullptr}, {nullptr, w1}, {&b, w2}};
    EXPECT_TRUE(AlreadyWrapped(list, &a, true, nullptr, false));
    EXPECT_TRUE(AlreadyWrapped(list, &c, true, w1, false));  // a raw wrapper on its window
    EXPECT_FALSE(AlreadyWrapped(list, &c, true, w2, false)); // w2 belongs to control b
    // A windowed control without a window meets the raw wrapper first: the
    // search ends there, and only a preview form counts it as wrapped, even
    // when the control's own wrapper comes later in the list.
    EXPECT_FALSE(AlreadyWrapped(list, &b, true, nullptr, false));
    EXPECT_TRUE(AlreadyWrapped(list, &c, true, nullptr, true));
    // A windowless control passes raw wrappers by.
    EXPECT_TRUE(AlreadyWrapped(list, &b, false, nullptr, false));
    EXPECT_FALSE(AlreadyWrapped(list, &c, false, nullptr, true));
    EXPECT_FALSE(AlreadyWrapped({}, &a, true, nullptr, true));

    EXPECT_TRUE(IsPreviewFormName("PrintPreviewForm"));
    EXPECT_TRUE(IsPreviewFormName("PREVIEW1"));
    EXPECT_TRUE(IsPreviewFormName("TppPrintPreview"));
    EXPECT_FALSE(IsPreviewFormName("MainForm"));
    EXPECT_FALSE(IsPreviewFormName("Prevue"));
}

TEST(ControlMappingTest, Skin3rdLookupMatchesTheKeyAtTheStartAndTheFirstLineWins) {
    const TStringList lines =
        Lines({"TRzButtonEdit=Edit", "TRzButton=Button", "TRzButton=nil", "trzcheckbox=CheckBox",
               "TSpaced =panel", "TBlank=panel  ", "TEq=a=b",
               "TLong=0123456789012345678901234567890123456789"
               "0123456789ABCDEF"});
    EXPECT_EQ(LookupSkin3rd(lines, "TRzButton"), "button");
    EXPECT_EQ(LookupSkin3rd(lines, "TRZBUTTONEDIT"), "edit");
    EXPECT_EQ(LookupSkin3rd(lines, "TRzCheckBox"), "checkbox");
    // A line for a longer class with the same start never matches the shorter.
    EXPECT_EQ(LookupSkin3rd(lines, "TRzButtonE"), std::nullopt);
    EXPECT_EQ(LookupSkin3rd(lines, "TRz"), std::nullopt);
    // The "=" follows the class name at once.
    EXPECT_EQ(LookupSkin3rd(lines, "TSpaced"), std::nullopt);
    EXPECT_EQ(LookupSkin3rd(lines, "TBlank"), "panel  ");
    EXPECT_EQ(LookupSkin3rd(lines, "TEq"), "a=b");
    EXPECT_EQ(LookupSkin3rd(lines, "TLong")->size(), 50u);

    // The default lines of a fresh skin data component.
    TSkinData data(nullptr);
    EXPECT_EQ(LookupSkin3rd(data.Skin3rd(), "TAdvPageControl"), "nil");
    EXPECT_EQ(LookupSkin3rd(data.Skin3rd(), "TControlBar"), "panel");
    EXPECT_EQ(LookupSkin3rd(data.Skin3rd(), "TRzCheckGroup"), "checkgroup");
    EXPECT_EQ(LookupSkin3rd(data.Skin3rd(), "TButton"), std::nullopt);
}

TEST(ControlMappingTest, Skin3rdKindsChooseTheirWrappersUnderTheirGates) {
    const struct {
        const char* kind;
        const char* wrapper;
        TAttachMode attach;
        bool recolour;
    } rows[] = {
        {"combobox", "TSkinComBox", A::Control, false},
        {"edit", "TSkinEdit", A::Window, false},
        {"radiobutton", "TSkinRadioButton", A::Control, false},
        {"panel", "TSkinBox", A::Control, true},
        {"trackbar", "TSkinTrackBar", A::Control, false},
        {"button", "TSkinButton", A::Control, false},
        {"bitbtn", "TSkinBitButton", A::Control, false},
        {"speedbutton", "TSkinSpeedButton", A::Graphic, false},
        {"tab", "TSkinTab", A::Window, false},
        {"progress", "TSkinProgress", A::Control, false},
        {"scrollbar", "TSkinScrollbar", A::ScrollBars, false},
        {"groupbox", "TSkinGroupBox", A::Control, true},
        {"radiogroup", "TSkinGroupBox", A::Control, true},
        {"checkgroup", "TSkinGroupBox", A::Control, true},
        {"checkbox", "TSkinCheckBox", A::Control, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.kind);
        const TWrapperChoice c = ChooseSkin3rdKind(r.kind, AllOn());
        EXPECT_TRUE(c.settled);
        EXPECT_EQ(c.wrapperClass, r.wrapper);
        EXPECT_EQ(c.attach, r.attach);
        EXPECT_EQ(c.recolour, r.recolour);
        EXPECT_EQ(c.owner, TWrapperOwner::Control);
    }
    EXPECT_TRUE(Has(ChooseSkin3rdKind("panel", AllOn()), "Transparent", "True"));
    EXPECT_TRUE(Has(ChooseSkin3rdKind("trackbar", AllOn()), "Transparent", "True"));
    EXPECT_TRUE(ChooseSkin3rdKind("scrollbar", AllOn()).walkChildren);
    EXPECT_FALSE(ChooseSkin3rdKind("panel", AllOn()).walkChildren);

    // nil, unknown kinds and kinds with blanks settle the control with nothing.
    for (const char* kind : {"nil", "panel ", " panel", "Panel", "frame", ""}) {
        const TWrapperChoice c = ChooseSkin3rdKind(kind, AllOn());
        EXPECT_TRUE(c.settled) << kind;
        EXPECT_TRUE(c.wrapperClass.empty()) << kind;
        EXPECT_EQ(c.childRule, TChildRule::None) << kind;
        EXPECT_FALSE(c.walkChildren) << kind;
    }
    // "trackbar" and "bitbtn" stand under xcButton, not xcBitBtn.
    const TSkinFacts noButton = Without({xcButton});
    ASSERT_TRUE(noButton.gates.Contains(xcBitBtn));
    EXPECT_TRUE(ChooseSkin3rdKind("trackbar", noButton).wrapperClass.empty());
    EXPECT_TRUE(ChooseSkin3rdKind("bitbtn", noButton).wrapperClass.empty());
    EXPECT_TRUE(ChooseSkin3rdKind("trackbar", noButton).writes.empty());
    EXPECT_TRUE(ChooseSkin3rdKind("bitbtn", Without({xcBitBtn})).wrapperClass == "TSkinBitButton");
    // A tab wants the skin's tab element too.
    TSkinFacts noTab = AllOn();
    noTab.hasTabElement = false;
    EXPECT_TRUE(ChooseSkin3rdKind("tab", noTab).wrapperClass.empty());
    EXPECT_TRUE(ChooseSkin3rdKind("tab", Without({xcTab})).wrapperClass.empty());
}

TEST(ControlMappingTest, GroupKindsWrapTheirChildrenByTheirOwnGates) {
    const TWrapperChoice radio = ChooseSkin3rdKind("radiogroup", AllOn());
    EXPECT_EQ(radio.childRule, TChildRule::WrapEach);
    EXPECT_EQ(radio.childWrapper, "TSkinRadioButton");
    const TWrapperChoice check = ChooseSkin3rdKind("checkgroup", AllOn());
    EXPECT_EQ(check.childRule, TChildRule::WrapEach);
    EXPECT_EQ(check.childWrapper, "TSkinCheckBox");
    // Without xcRadioButton the children stay as they are; the group is boxed.
    const TWrapperChoice noRadio = ChooseSkin3rdKind("checkgroup", Without({xcRadioButton}));
    EXPECT_EQ(noRadio.childRule, TChildRule::None);
    EXPECT_EQ(noRadio.wrapperClass, "TSkinGroupBox");
    // The check group stands under xcPanel; without xcGroupBox only its children.
    EXPECT_TRUE(ChooseSkin3rdKind("checkgroup", Without({xcPanel})).wrapperClass.empty());
    EXPECT_EQ(ChooseSkin3rdKind("checkgroup", Without({xcPanel})).childRule, TChildRule::None);
    const TWrapperChoice childrenOnly = ChooseSkin3rdKind("checkgroup", Without({xcGroupBox}));
    EXPECT_TRUE(childrenOnly.wrapperClass.empty());
    EXPECT_EQ(childrenOnly.childRule, TChildRule::WrapEach);
    EXPECT_TRUE(ChooseSkin3rdKind("radiogroup", Without({xcGroupBox})).wrapperClass.empty());
    EXPECT_EQ(ChooseSkin3rdKind("radiogroup", Without({xcGroupBox})).childRule, TChildRule::None);

    EXPECT_EQ(ChooseSkin3rdKind("container", Without({xcPanel, xcScrollbar})).childRule,
              TChildRule::Skin3rdEach);
    const TWrapperChoice embed = ChooseSkin3rdKind("embedscrollbar", AllOn());
    EXPECT_EQ(embed.childRule, TChildRule::EmbedScrollBars);
    EXPECT_TRUE(embed.wrapperClass.empty());
    EXPECT_EQ(ChooseSkin3rdKind("embedscrollbar", Without({xcScrollbar})).childRule,
              TChildRule::None);
}

TEST(ControlMappingTest, ControlKindsFollowTheFrameworkClasses) {
    using K = TControlKind;
    EXPECT_EQ(FactsOfNew<TBitBtn>().kinds, (TControlKinds{K::GlyphButton, K::PushButton}));
    EXPECT_EQ(FactsOfNew<TButton>().kinds, TControlKinds{K::PushButton});
    EXPECT_EQ(FactsOfNew<TMemo>().kinds, (TControlKinds{K::ScrollableView, K::Edit}));
    EXPECT_EQ(FactsOfNew<TEdit>().kinds, TControlKinds{K::Edit});
    EXPECT_EQ(FactsOfNew<TRadioGroup>().kinds,
              (TControlKinds{K::RadioGroup, K::GroupBox, K::Container}));
    EXPECT_EQ(FactsOfNew<TPanel>().kinds, (TControlKinds{K::Panel, K::Container}));
    EXPECT_EQ(FactsOfNew<TScrollBox>().kinds, (TControlKinds{K::ScrollBox, K::Container}));
    EXPECT_EQ(FactsOfNew<TComboBox>().kinds, TControlKinds{K::ComboBox});
    EXPECT_EQ(FactsOfNew<TListBox>().kinds, TControlKinds{K::ListBox});
    EXPECT_EQ(FactsOfNew<TPageControl>().kinds, TControlKinds{K::PageControl});
    EXPECT_EQ(FactsOfNew<TTabControl>().kinds, TControlKinds{K::TabControl});
    EXPECT_EQ(FactsOfNew<TToolButton>().kinds, TControlKinds{K::MenuItemButton});
    EXPECT_EQ(FactsOfNew<TTrackBar>().kinds, TControlKinds{});
    EXPECT_FALSE(FactsOfNew<TSpeedButton>().windowed);
}

TEST(ControlMappingTest, BuiltInTableTakesTheFirstMatchingRowWithItsGateOn) {
    const struct {
        const char* name;
        TControlFacts facts;
        TSkinFacts skin;
        const char* wrapper;
        TAttachMode attach;
        bool recolour;
        bool walk;
    } rows[] = {
        {"page control", FactsOfNew<TPageControl>(), AllOn(), "TSkinTab", A::Window, false, false},
        {"tab control", FactsOfNew<TTabControl>(), AllOn(), "TSkinTab", A::Window, false, false},
        {"tab set", FactsOfNew<TTabSet>(), AllOn(), "TSkinTab31", A::Control, false, false},
        {"check box", FactsOfNew<TCheckBox>(), AllOn(), "TSkinCheckBox", A::Control, false, false},
        {"track bar", FactsOfNew<TTrackBar>(), AllOn(), "TSkinTrackBar", A::Control, false, false},
        {"up-down", FactsOfNew<TUpDown>(), AllOn(), "TSkinUpDown", A::Control, false, false},
        {"radio group", FactsOfNew<TRadioGroup>(), AllOn(), "TSkinGroupBox", A::Control, true,
         false},
        {"group box", FactsOfNew<TGroupBox>(), AllOn(), "TSkinGroupBox", A::Control, true, true},
        {"radio button", FactsOfNew<TRadioButton>(), AllOn(), "TSkinRadioButton", A::Control, false,
         false},
        {"tool bar", FactsOfNew<TToolBar>(), AllOn(), "TSkinBox", A::Control, true, false},
        {"status bar", FactsOfNew<TStatusBar>(), AllOn(), "TSkinStatusBar", A::Control, false,
         false},
        {"progress", FactsOfNew<TProgressBar>(), AllOn(), "TSkinProgress", A::Control, false,
         false},
        {"scroll bar", FactsOfNew<TScrollBar>(), AllOn(), "TSkinScControl", A::ScrollControl, false,
         false},
        {"combo box", FactsOfNew<TComboBox>(), AllOn(), "TSkinComBox", A::Control, false, false},
        {"date picker", FactsOfNew<TDateTimePicker>(), AllOn(), "TSkinComBox", A::Control, false,
         false},
        {"rich edit", FactsOfNew<TRichEdit>(), AllOn(), "TSkinScrollbar", A::ScrollBars, false,
         false},
        {"glyph button", FactsOfNew<TBitBtn>(), AllOn(), "TSkinBitButton", A::Control, false,
         false},
        {"speed button", FactsOfNew<TSpeedButton>(), AllOn(), "TSkinSpeedButton", A::Graphic, false,
         false},
        {"panel", FactsOfNew<TPanel>(), AllOn(), "TSkinBox", A::Control, true, true},
        {"list view", FactsOfNew<TListView>(), AllOn(), "TSkinListView", A::ScrollBars, false,
         false},
        {"list box", FactsOfNew<TListBox>(), AllOn(), "TSkinScrollbar", A::ScrollBars, false,
         false},
        {"scroll box", FactsOfNew<TScrollBox>(), AllOn(), "TSkinScrollbar", A::ScrollBars, false,
         false},
        {"memo", FactsOfNew<TMemo>(), AllOn(), "TSkinScrollbar", A::ScrollBars, false, false},
        {"tree view", FactsOfNew<TTreeView>(), AllOn(), "TSkinScrollbar", A::ScrollBars, false,
         false},
        {"button", FactsOfNew<TButton>(), AllOn(), "TSkinButton", A::Control, false, false},
        {"button tag 55", FactsOfNew<TButton>(55), AllOn(), "TSkinScrollbar", A::ScrollBars, false,
         false},
        {"edit", FactsOfNew<TEdit>(), AllOn(), "TSkinEdit", A::Window, false, false},
        {"edit with a bar", FactsOfNew<TEdit>(0, WS_VSCROLL), AllOn(), "TSkinScrollbar",
         A::ScrollBars, false, false},
        {"memo, no scroll bars", FactsOfNew<TMemo>(), Without({xcScrollbar}), "TSkinEdit",
         A::Window, false, false},
        // Gated off: the next row that matches.
        {"list box, no scroll bars", FactsOfNew<TListBox>(), Without({xcScrollbar}), "", A::None,
         false, false},
        {"panel, no panels", FactsOfNew<TPanel>(), Without({xcPanel}), "", A::None, false, true},
        {"radio group, no radios", FactsOfNew<TRadioGroup>(), Without({xcRadioButton}),
         "TSkinGroupBox", A::Control, true, true},
        {"page control, no tabs", FactsOfNew<TPageControl>(), Without({xcTab}), "", A::None, false,
         false},
        // A glyph button with its gate off is done: it never becomes a push button.
        {"glyph button, gate off", FactsOfNew<TBitBtn>(), Without({xcBitBtn}), "", A::None, false,
         false},
        {"tool button", FactsOfNew<TToolButton>(), AllOn(), "", A::None, false, false},
        {"navigator", Named("TDBNavigator"), AllOn(), "TSkinBox", A::Control, true, false},
        {"notebook", Named("TTabbedNotebook"), AllOn(), "TSkinTab", A::Window, false, false},
        {"mvc panel", Named("TMvcPanel", {TControlKind::Panel}), AllOn(), "", A::None, false, true},
        {"db check box", Named("TRzDBCheckBox"), AllOn(), "TSkinObjImage", A::Control, true, false},
        {"grid", Named("TdxDBGrid"), AllOn(), "TSkinScrollbar", A::ScrollBars, false, false},
        {"preview", Named("TQRPreview", {TControlKind::Panel}), AllOn(), "", A::None, false, false},
        {"embedded form", Named("TEmbedded", {TControlKind::Form}), AllOn(), "TSkinBox", A::Control,
         true, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const TWrapperChoice c = ChooseWrapper(r.facts, r.skin);
        EXPECT_TRUE(c.settled);
        EXPECT_EQ(c.wrapperClass, r.wrapper);
        EXPECT_EQ(c.attach, r.attach);
        EXPECT_EQ(c.recolour, r.recolour);
        EXPECT_EQ(c.walkChildren, r.walk);
    }
}

TEST(ControlMappingTest, BuiltInRowsCarryTheirFurtherSteps) {
    const TWrapperChoice tab = ChooseWrapper(FactsOfNew<TTabControl>(), AllOn());
    EXPECT_EQ(tab.owner, TWrapperOwner::FormSkinner);
    EXPECT_EQ(ChooseWrapper(FactsOfNew<TPageControl>(), AllOn()).owner, TWrapperOwner::Control);
    TSkinFacts noTab = AllOn();
    noTab.hasTabElement = false;
    EXPECT_TRUE(ChooseWrapper(FactsOfNew<TTabControl>(), noTab).wrapperClass.empty());

    const TWrapperChoice group = ChooseWrapper(FactsOfNew<TRadioGroup>(), AllOn());
    EXPECT_EQ(group.childRule, TChildRule::WrapEach);
    EXPECT_EQ(group.childWrapper, "TSkinRadioButton");

    const TWrapperChoice bar = ChooseWrapper(FactsOfNew<TToolBar>(), AllOn());
    EXPECT_TRUE(Has(bar, "Flat", "True"));
    EXPECT_TRUE(bar.steps.Contains(TMappingStep::ToolBarDrawing));
    EXPECT_TRUE(bar.steps.Contains(TMappingStep::ToolBarMenu));
    EXPECT_TRUE(Has(ChooseWrapper(FactsOfNew<TStatusBar>(), AllOn()), "SizeGrip", "False"));
    EXPECT_TRUE(Has(ChooseWrapper(Named("TDBNavigator"), AllOn()), "Flat", "True"));
    EXPECT_TRUE(
        ChooseWrapper(FactsOfNew<TScrollBox>(), AllOn()).steps.Contains(TMappingStep::FaceColour));
    EXPECT_FALSE(
        ChooseWrapper(FactsOfNew<TListBox>(), AllOn()).steps.Contains(TMappingStep::FaceColour));
    EXPECT_TRUE(
        ChooseWrapper(Named("TRzDBCheckBox"), AllOn()).steps.Contains(TMappingStep::GlyphMode));
    EXPECT_TRUE(ChooseWrapper(FactsOfNew<TToolButton>(), AllOn())
                    .steps.Contains(TMappingStep::SkinMenuItem));
    EXPECT_TRUE(ChooseWrapper(FactsOfNew<TToolButton>(), Without({xcMainMenu})).steps.Empty());

    TControlFacts picker = FactsOfNew<TDateTimePicker>();
    picker.dateUpDownOrTime = true;
    EXPECT_EQ(ChooseWrapper(picker, AllOn()).wrapperClass, "TSkinEdit");
    EXPECT_EQ(ChooseWrapper(picker, AllOn()).attach, A::Control);
    EXPECT_TRUE(ChooseWrapper(picker, Without({xcEdit})).wrapperClass.empty());

    TControlFacts dc = Named("TDCEdit");
    dc.numButtons = 1;
    EXPECT_EQ(ChooseWrapper(dc, AllOn()).wrapperClass, "TSkinComBox");
    EXPECT_TRUE(ChooseWrapper(dc, Without({xcCombo})).wrapperClass.empty());
    dc.numButtons = 0;
    EXPECT_EQ(ChooseWrapper(dc, AllOn()).wrapperClass, "TSkinEdit");
    EXPECT_EQ(ChooseWrapper(dc, AllOn()).attach, A::Window);
    dc.numButtons = 2;
    EXPECT_TRUE(ChooseWrapper(dc, AllOn()).wrapperClass.empty());
}

TEST(ControlMappingTest, Skin3rdLinesComeBeforeTheBuiltInTable) {
    const TStringList lines = Lines({"TButton=nil", "TCheckBox=button", "TCheckBox=nil",
                                     "TComboBoxEx=nil", "TMemo=panel  ", "TPanel=Panel",
                                     "TGroupBox=panel", "TTrackBar=trackbar", "TBitBtn=bitbtn"});
    const TSkinFacts skin = AllOn(&lines);
    const TWrapperChoice button = ChooseWrapper(FactsOfNew<TButton>(), skin);
    EXPECT_TRUE(button.settled);
    EXPECT_TRUE(button.wrapperClass.empty());
    EXPECT_EQ(ChooseWrapper(FactsOfNew<TCheckBox>(), skin).wrapperClass, "TSkinButton");
    EXPECT_EQ(ChooseWrapper(FactsOfNew<TComboBox>(), skin).wrapperClass, "TSkinComBox");
    EXPECT_TRUE(ChooseWrapper(FactsOfNew<TMemo>(), skin).wrapperClass.empty());
    // "Panel" and "panel" are one kind; neither walks the children.
    for (const TControlFacts& f : {FactsOfNew<TPanel>(), FactsOfNew<TGroupBox>()}) {
        const TWrapperChoice c = ChooseWrapper(f, skin);
        EXPECT_EQ(c.wrapperClass, "TSkinBox") << f.className;
        EXPECT_TRUE(c.recolour) << f.className;
        EXPECT_FALSE(c.walkChildren) << f.className;
    }
    TSkinFacts noButton = skin;
    noButton.gates.Exclude(xcButton);
    EXPECT_TRUE(ChooseWrapper(FactsOfNew<TTrackBar>(), noButton).wrapperClass.empty());
    EXPECT_TRUE(ChooseWrapper(FactsOfNew<TBitBtn>(), noButton).wrapperClass.empty());
    EXPECT_EQ(ChooseWrapper(FactsOfNew<TBitBtn>(), skin).wrapperClass, "TSkinBitButton");
}

TEST(ControlMappingTest, HasScrollBarsFromStyleKindOrTag55) {
    TControlFacts f = Named("TThing");
    EXPECT_FALSE(HasScrollBars(f));
    f.style = WS_HSCROLL;
    EXPECT_TRUE(HasScrollBars(f));
    f.style = WS_VSCROLL | WS_CHILD;
    EXPECT_TRUE(HasScrollBars(f));
    f.windowed = false; // a windowless control has no window style
    EXPECT_FALSE(HasScrollBars(f));
    f.tag = 55;
    EXPECT_TRUE(HasScrollBars(f));
    f.tag = 155;
    EXPECT_FALSE(HasScrollBars(f));
    for (TControlKind k : {TControlKind::ListView, TControlKind::ListBox, TControlKind::ScrollBox,
                           TControlKind::ScrollableView})
        EXPECT_TRUE(HasScrollBars(Named("TThing", {k})));
    EXPECT_FALSE(HasScrollBars(Named("TThing", {TControlKind::Edit})));
}

TEST(ControlMappingTest, RawChildWindowsByClassAndStyle) {
    const struct {
        const char* cls;
        LONG style;
        const char* wrapper;
    } rows[] = {
        {"button", BS_PUSHBUTTON, "TSkinButton"},
        {"button", BS_DEFPUSHBUTTON | WS_CHILD | WS_VISIBLE, "TSkinButton"},
        {"button", BS_CHECKBOX, "TSkinCheckBox"},
        {"button", BS_AUTOCHECKBOX | WS_CHILD, "TSkinCheckBox"},
        {"button", BS_3STATE, "TSkinCheckBox"},
        {"button", BS_AUTO3STATE, "TSkinCheckBox"},
        {"button", BS_RADIOBUTTON, "TSkinRadioButton"},
        {"button", BS_AUTORADIOBUTTON | WS_TABSTOP, "TSkinRadioButton"},
        {"button", BS_GROUPBOX | WS_CHILD, ""},
        {"combobox", CBS_DROPDOWN, "TSkinComBox"},
        {"combobox", CBS_DROPDOWNLIST, "TSkinComBox"},
        {"combobox", CBS_SIMPLE | WS_CHILD, ""},
        {"comboboxex32", 0, "TSkinComBox"},
        {"scrollbar", SBS_SIZEGRIP, "TSkinSizer"},
        {"scrollbar", SBS_SIZEBOX | WS_CHILD, "TSkinSizer"},
        {"scrollbar", SBS_HORZ | WS_CHILD, ""},
        {"scrollbar", SBS_VERT, ""},
        {"systreeview32", 0, ""},
        {"#32770", 0, "TSkinBoxH"},
        {"toolbarwindow32", 0, ""},
        {"edit", ES_MULTILINE, "TSkinEdit"},
        {"static", 0, ""},
        {"Button", 0, ""}, // the caller lower-cases the name
    };
    for (const auto& r : rows) {
        const TRawChoice c = ChooseRawWrapper(r.cls, r.style);
        EXPECT_EQ(c.wrapperClass, r.wrapper) << r.cls << " " << r.style;
        EXPECT_EQ(c.firstChild, std::string(r.cls) == "comboboxex32") << r.cls;
    }
}

TEST(ControlMappingTest, RawButtonsAreTakenByTheirButtonType) {
    // Owner-drawn, push-box, user, split and command-link buttons share bits
    // with the check, radio and group types but are push buttons; the real
    // check and radio types keep their wrappers whatever other style bits say.
    const struct {
        LONG style;
        const char* wrapper;
    } rows[] = {
        {BS_OWNERDRAW, "TSkinButton"},
        {BS_PUSHBOX, "TSkinButton"},
        {BS_USERBUTTON, "TSkinButton"},
        {BS_SPLITBUTTON, "TSkinButton"},
        {BS_DEFSPLITBUTTON, "TSkinButton"},
        {BS_COMMANDLINK, "TSkinButton"},
        {BS_DEFCOMMANDLINK | WS_CHILD | WS_TABSTOP, "TSkinButton"},
        {BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_LEFTTEXT, "TSkinCheckBox"},
        {BS_3STATE | BS_FLAT, "TSkinCheckBox"},
        {BS_RADIOBUTTON | BS_MULTILINE, "TSkinRadioButton"},
        {BS_AUTORADIOBUTTON | BS_RIGHTBUTTON, "TSkinRadioButton"},
        {BS_GROUPBOX | BS_CENTER, ""},
        {BS_PUSHBUTTON | BS_BITMAP, "TSkinButton"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ChooseRawWrapper("button", r.style).wrapperClass, r.wrapper)
            << std::hex << r.style;
}
