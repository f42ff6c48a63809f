// The control wrapper mapping carried out by the form skinner on real forms
// with real controls and on a raw window with platform child windows, under
// Wine. Recording wrappers are registered under the family class names, so
// the test sees which control got which family and how it was attached
// (recording_wrapper.h).
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <utility>

#include "framework/core/class_builder.h"
#include "framework/core/strings.h"
#include "framework/gdi/bitmap.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_bars.h"
#include "framework/stdctrls/std_buttons.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/stdctrls/std_edits.h"
#include "framework/stdctrls/std_register_a.h"
#include "framework/stdctrls/std_pickers.h"
#include "framework/stdctrls/std_tabs.h"
#include "framework/stdctrls/std_toolbar.h"
#include "framework/stdctrls/std_views.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/statusbar.h"
#include "skin/controls/skin_panels.h"
#include "skin/window/control_mapping.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"
#include "tests/skin/window/recording_wrapper.h"
#include "tests/skin/window/skinned_form_setup.h"

using namespace mapping_test;

namespace {

class TPlainForm : public TForm {
public:
    explicit TPlainForm(TComponent* owner) : TForm(owner) { SetBounds(60, 40, 720, 560); }
};

// A button whose window is a popup of its own: it can be made without a parent.
class TFloatingButton : public TButton {
public:
    using TButton::TButton;

protected:
    void CreateParams(TCreateParams& params) override {
        TButton::CreateParams(params);
        params.style = (params.style & ~WS_CHILD) | WS_POPUP;
    }
};

// A control on parent (the owner unless given), placed one row below the last.
template <class T> T* Put(TComponent& owner, TWinControl* parent = nullptr) {
    static int row = 0;
    auto* c = new T(&owner);
    c->SetParent(parent ? parent : dynamic_cast<TWinControl*>(&owner));
    c->SetBounds(8 + (row / 16) * 170, 8 + (row % 16) * 30, 160, 26);
    ++row;
    return c;
}

// A control of a registered class made by name (the list controls' header
// and the menus' cannot be included together).
TWinControl* PutNamed(const char* cls, TComponent& owner, TWinControl* parent = nullptr) {
    RegisterStandardControlsA();
    const TClassInfo* info = FindClass(cls);
    EXPECT_NE(info, nullptr) << cls;
    auto* c = info ? dynamic_cast<TWinControl*>(info->CreateInstance(&owner)) : nullptr;
    if (c) {
        c->SetParent(parent ? parent : dynamic_cast<TWinControl*>(&owner));
        c->SetBounds(180, 8, 160, 60);
    }
    return c;
}

std::vector<TMenuItem*> gSkinnedItems;
void RecordMenuItem(TMenuItem* item, TSkinData*) {
    gSkinnedItems.push_back(item);
}

class FormMappingTest : public ::testing::Test, protected TSkinnedFormSetup {
protected:
    void SetUp() override {
        RegisterRecordingFamilies();
        StartSkinning();
        gSkinnedItems.clear();
        previousItemSkinner_ = SetMenuItemSkinner(RecordMenuItem);
    }
    void TearDown() override {
        SetMenuItemSkinner(previousItemSkinner_);
        StopSkinning();
    }

    using TSkinnedFormSetup::Skin;
    // Shows the form, then skins it.
    TWinSkinForm* Skin(TForm& form) {
        form.Show();
        PumpPending();
        return Skin(form.Handle());
    }

    // The recording wrappers the skinner holds for a control (by the control,
    // the windowless control, or the window).
    static std::vector<TRecorder*> WrappersOf(TWinSkinForm* s, TControl* c) {
        std::vector<TRecorder*> found;
        auto* wc = dynamic_cast<TWinControl*>(c);
        HWND wnd = wc && wc->HandleAllocated() ? wc->Handle() : nullptr;
        for (TSkinControl* w : s->Wrappers)
            if (auto* r = dynamic_cast<TRecorder*>(w))
                if (r->Control == c || r->GraphicControl == c || (wnd && r->Handle == wnd))
                    found.push_back(r);
        return found;
    }
    static TRecorder* WrapperOf(TWinSkinForm* s, TControl* c) {
        const auto found = WrappersOf(s, c);
        EXPECT_LE(found.size(), 1u) << c->ClassName();
        return found.empty() ? nullptr : found.front();
    }
    static TRecorder* WrapperOf(TWinSkinForm* s, HWND wnd) {
        for (TSkinControl* w : s->Wrappers)
            if (auto* r = dynamic_cast<TRecorder*>(w); r && r->Handle == wnd)
                return r;
        return nullptr;
    }
    // "family/how" of the control's wrapper, or "" without one.
    static std::string Mapped(TWinSkinForm* s, TControl* c) {
        const TRecorder* r = WrapperOf(s, c);
        return r ? r->Family + "/" + r->How : "";
    }

    // Expects each control's "family/how" ("" for no wrapper).
    static void ExpectMapped(TWinSkinForm* s,
                             std::initializer_list<std::pair<TControl*, const char*>> expected) {
        for (const auto& [control, mapped] : expected)
            EXPECT_EQ(Mapped(s, control), mapped) << control->ClassName() << " " << control->Tag();
    }

    void Gates(std::initializer_list<TSkinControlType> off,
               std::initializer_list<TSkinControlType> on = {}) {
        TSkinControlTypes t = data_->SkinControls();
        for (TSkinControlType x : off)
            t.Exclude(x);
        for (TSkinControlType x : on)
            t.Include(x);
        data_->SetSkinControls(t);
    }

    TMenuItemSkinner previousItemSkinner_ = nullptr;
};

} // namespace

TEST_F(FormMappingTest, BuiltInTableGivesTheFrameworkControlsTheirFamilies) {
    TPlainForm form(Application);
    auto* button = Put<TButton>(form);
    auto* bitBtn = Put<TBitBtn>(form);
    auto* check = Put<TCheckBox>(form);
    auto* radio = Put<TRadioButton>(form);
    auto* edit = Put<TEdit>(form);
    auto* memo = Put<TMemo>(form);
    auto* list = PutNamed("TListBox", form);
    auto* combo = PutNamed("TComboBox", form);
    auto* bar = PutNamed("TScrollBar", form);
    auto* progress = Put<TProgressBar>(form);
    auto* pages = Put<TPageControl>(form);
    auto* tabs = Put<TTabControl>(form);
    auto* speed = Put<TSpeedButton>(form);
    auto* status = Put<TStatusBar>(form);
    auto* view = Put<TListView>(form);
    auto* box = Put<TScrollBox>(form);
    auto* track = Put<TTrackBar>(form);
    auto* upDown = Put<TUpDown>(form);
    auto* picker = Put<TDateTimePicker>(form);
    auto* panel = Put<TPanel>(form);
    auto* inPanel = Put<TButton>(*panel); // owned by the panel: reached by its walk
    auto* group = Put<TGroupBox>(form);
    auto* inGroup = Put<TCheckBox>(*group);
    auto* radios = Put<TRadioGroup>(form);
    TStringList items;
    items.Add("One");
    items.Add("Two");
    radios->SetItems(items);
    const TColor panelColour = panel->Color();
    ASSERT_NE(data_->Tabs, nullptr);

    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    ExpectMapped(s, {{button, "TSkinButton/Control"},
                     {bitBtn, "TSkinBitButton/Control"},
                     {check, "TSkinCheckBox/Control"},
                     {radio, "TSkinRadioButton/Control"},
                     {edit, "TSkinEdit/Window"},
                     {memo, "TSkinScrollbar/ScrollBars"},
                     {list, "TSkinScrollbar/ScrollBars"},
                     {combo, "TSkinComBox/Control"},
                     {bar, "TSkinScControl/ScrollControl"},
                     {progress, "TSkinProgress/Control"},
                     {pages, "TSkinTab/Window"},
                     {tabs, "TSkinTab/Window"},
                     {speed, "TSkinSpeedButton/Graphic"},
                     {status, "TSkinStatusBar/Control"},
                     {view, "TSkinListView/ScrollBars"},
                     {box, "TSkinScrollbar/ScrollBars"},
                     {track, "TSkinTrackBar/Control"},
                     {upDown, ""},
                     {picker, "TSkinComBox/Control"},
                     {panel, "TSkinBox/Control"},
                     {inPanel, "TSkinButton/Control"},
                     {group, "TSkinGroupBox/Control"},
                     {inGroup, "TSkinCheckBox/Control"},
                     {radios, "TSkinGroupBox/Control"},
                     {radios->Buttons(0), "TSkinRadioButton/Control"},
                     {radios->Buttons(1), "TSkinRadioButton/Control"}});

    // Owners, the shared canvas, recolouring and the rows' further steps.
    EXPECT_EQ(WrapperOf(s, button)->Owner(), button);
    EXPECT_EQ(WrapperOf(s, button)->Canvas, &s->SharedCanvas);
    EXPECT_EQ(WrapperOf(s, button)->FormSkinner, static_cast<TWrapperHost*>(s));
    EXPECT_FALSE(WrapperOf(s, button)->Recolour);
    EXPECT_EQ(WrapperOf(s, pages)->Owner(), pages);
    EXPECT_EQ(WrapperOf(s, tabs)->Owner(), s);
    EXPECT_EQ(WrapperOf(s, edit)->Handle, edit->Handle());
    EXPECT_EQ(WrapperOf(s, memo)->Control, memo);
    EXPECT_EQ(WrapperOf(s, speed)->GraphicControl, speed);
    EXPECT_EQ(WrapperOf(s, speed)->State, TWrapperState::Attached);
    EXPECT_TRUE(WrapperOf(s, panel)->Recolour);
    EXPECT_EQ(panel->Color(), data_->ButtonFaceColour);
    EXPECT_EQ(box->Color(), data_->ButtonFaceColour);
    EXPECT_FALSE(status->SizeGrip());

    // Switching the skin off frees every wrapper and gives the colour back.
    M().SetPendingSkinData(data_);
    M().RequestAction(TSkinAction::Deactivate, 250);
    M().RunPendingAction();
    PumpPending();
    EXPECT_EQ(gLiveRecorders, 0);
    EXPECT_EQ(panel->Color(), panelColour);
}

TEST_F(FormMappingTest, TagRuleLeavesControlsAndTheirChildrenUnwrapped) {
    TPlainForm form(Application);
    auto* tag99 = Put<TButton>(form);
    tag99->SetTag(99);
    auto* tag199 = Put<TButton>(form);
    tag199->SetTag(199);
    auto* minus199 = Put<TButton>(form);
    minus199->SetTag(-199);
    auto* tag55 = Put<TButton>(form);
    tag55->SetTag(55);
    auto* panel = Put<TPanel>(form);
    panel->SetTag(299);
    auto* inPanel = Put<TButton>(*panel);

    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    ExpectMapped(s, {{tag99, ""},
                     {tag199, ""},
                     {minus199, "TSkinButton/Control"},
                     // Tag 55 gets the scroll-bar wrapper whatever the control's style.
                     {tag55, "TSkinScrollbar/ScrollBars"},
                     {panel, ""},
                     {inPanel, ""}});

    data_->SetDisableTag(-1);
    TPlainForm second(Application);
    auto* minus1 = Put<TButton>(second);
    minus1->SetTag(-1);
    auto* minus101 = Put<TButton>(second);
    minus101->SetTag(-101);
    auto* again99 = Put<TButton>(second);
    again99->SetTag(99);
    TWinSkinForm* s2 = Skin(second);
    ASSERT_NE(s2, nullptr);
    ExpectMapped(s2, {{minus1, ""}, {minus101, ""}, {again99, "TSkinButton/Control"}});
}

TEST_F(FormMappingTest, Skin3rdLinesDecideBeforeTheTableAndNilStopsTheWalk) {
    TStringList lines;
    for (const char* l : {"TPanel=nil", "TGroupBox=Panel", "TCheckBox=radiobutton", "TCheckBox=nil",
                          "TComboBoxEx=nil", "TMemo=panel  ", "TTrackBar=trackbar",
                          "TBitBtn=bitbtn", "TListBox=panel"})
        lines.Add(l);
    data_->SetSkin3rd(lines);
    Gates({xcButton}, {xcBitBtn});

    TPlainForm form(Application);
    auto* panel = Put<TPanel>(form);
    auto* inPanel = Put<TButton>(*panel);
    auto* group = Put<TGroupBox>(form);
    auto* inGroup = Put<TCheckBox>(*group);
    auto* check = Put<TCheckBox>(form);
    auto* combo = PutNamed("TComboBox", form);
    auto* memo = Put<TMemo>(form);
    auto* track = Put<TTrackBar>(form);
    auto* bitBtn = Put<TBitBtn>(form);
    auto* list = PutNamed("TListBox", form);

    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    // "nil" leaves the panel and the controls it owns alone.
    ExpectMapped(s, {{panel, ""},
                     {inPanel, ""},
                     // "Panel" is "panel": a box, recoloured, without a walk of the children.
                     {group, "TSkinBox/Control"}});
    EXPECT_TRUE(WrapperOf(s, group)->Recolour);
    ExpectMapped(s, {{inGroup, ""},
                     {list, "TSkinBox/Control"},
                     // The first of two lines wins; a longer class's line is not this class's.
                     {check, "TSkinRadioButton/Control"},
                     {combo, "TSkinComBox/Control"},
                     // A kind with trailing blanks is no kind: nothing, not even the table's.
                     {memo, ""},
                     // Without xcButton these two lines wrap nothing, xcBitBtn or not.
                     {track, ""},
                     {bitBtn, ""}});

    Gates({}, {xcButton});
    TPlainForm second(Application);
    auto* track2 = Put<TTrackBar>(second);
    auto* bitBtn2 = Put<TBitBtn>(second);
    TWinSkinForm* s2 = Skin(second);
    ASSERT_NE(s2, nullptr);
    ExpectMapped(s2, {{track2, "TSkinTrackBar/Control"}, {bitBtn2, "TSkinBitButton/Control"}});
}

TEST_F(FormMappingTest, ContainerKindsHandTheirChildrenOn) {
    TStringList lines;
    for (const char* l : {"TPanel=container", "TButton=button", "TScrollBox=embedscrollbar",
                          "TGroupBox=radiogroup"})
        lines.Add(l);
    data_->SetSkin3rd(lines);

    TPlainForm form(Application);
    auto* panel = Put<TPanel>(form);
    auto* listed = Put<TButton>(*panel);
    auto* unlisted = Put<TCheckBox>(*panel);
    auto* box = Put<TScrollBox>(form);
    auto* bar = PutNamed("TScrollBar", *box);
    auto* list = PutNamed("TListBox", *box);
    auto* edit = Put<TEdit>(*box);
    auto* group = Put<TGroupBox>(form);
    auto* first = Put<TCheckBox>(*group);
    auto* second = Put<TEdit>(*group);

    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    // Only the listed child of a container is wrapped; the container is not.
    ExpectMapped(s, {{panel, ""},
                     {listed, "TSkinButton/Control"},
                     {unlisted, ""},
                     // Embedded scroll bars: the scroll-bar control and the scrollable child.
                     {box, ""},
                     {bar, "TSkinScControl/ScrollControl"},
                     {list, "TSkinScrollbar/ScrollBars"},
                     {edit, ""},
                     // A radio group: every child a radio-button wrapper, then the group's box.
                     {group, "TSkinGroupBox/Control"},
                     {first, "TSkinRadioButton/Control"},
                     {second, "TSkinRadioButton/Control"}});
}

TEST_F(FormMappingTest, HostsOwnWrapperComesFirst) {
    struct TCall {
        TComponent* sender;
        TControl* form;
        TControl* control;
        std::string cls;
    };
    std::vector<TCall> calls;
    TRecorder* hostWrapper = nullptr;
    data_->OnSkinControl = [&](TComponent* sender, TSkinData* data, TControl* walked,
                               TControl* control, const std::string& cls, TComponent*& answer) {
        EXPECT_EQ(data, data_);
        calls.push_back({sender, walked, control, cls});
        if (cls == "TBUTTON") {
            hostWrapper = new TRecorder(control, "Host");
            hostWrapper->Recolour = true;
            answer = hostWrapper;
        }
    };
    TPlainForm form(Application);
    auto* panel = Put<TPanel>(form);
    auto* button = Put<TButton>(*panel);
    auto* check = Put<TCheckBox>(form);

    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].sender, s);
    EXPECT_EQ(calls[0].form, &form);
    EXPECT_EQ(calls[0].control, panel);
    EXPECT_EQ(calls[0].cls, "TPANEL");
    // The panel's own controls are offered with the panel as the walked form.
    EXPECT_EQ(calls[1].form, panel);
    EXPECT_EQ(calls[1].control, button);
    EXPECT_EQ(calls[2].control, check);

    EXPECT_EQ(WrapperOf(s, button), hostWrapper);
    EXPECT_EQ(Mapped(s, button), "Host/Control");
    EXPECT_EQ(button->Color(), data_->ButtonFaceColour);
    ExpectMapped(s, {{check, "TSkinCheckBox/Control"}, {panel, "TSkinBox/Control"}});
}

TEST_F(FormMappingTest, WindowsAreMadeWhenMissingUnlessThePreviewRuleSkips) {
    TPlainForm form(Application);
    Put<TPageControl>(form);           // its wrapper belongs to no control: a window wrapper
    auto* orphan = new TButton(&form); // no parent: its window cannot be made
    auto* floating = new TFloatingButton(&form);
    auto* after = Put<TButton>(form);
    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(orphan->HandleAllocated());
    EXPECT_EQ(Mapped(s, orphan), "");
    EXPECT_TRUE(floating->HandleAllocated());
    ExpectMapped(s, {{floating, "TSkinButton/Control"}, {after, "TSkinButton/Control"}});

    // In a preview form the window wrapper ends the search: a control
    // without a window counts as wrapped and is left alone.
    TPlainForm preview(Application);
    preview.SetName("PrintPreviewForm");
    Put<TPageControl>(preview);
    auto* floating2 = new TFloatingButton(&preview);
    auto* after2 = Put<TButton>(preview);
    TWinSkinForm* s2 = Skin(preview);
    ASSERT_NE(s2, nullptr);
    EXPECT_FALSE(floating2->HandleAllocated());
    ExpectMapped(s2, {{floating2, ""}, {after2, "TSkinButton/Control"}});
}

TEST_F(FormMappingTest, WalkFreesWrappersOfDestroyedWindowsAndWrapsNoneTwice) {
    TPlainForm form(Application);
    auto* button = Put<TButton>(form);
    auto* check = Put<TCheckBox>(form);
    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    TRecorder* old = WrapperOf(s, button);
    ASSERT_NE(old, nullptr);
    const int count = s->WrapperCount();
    const int live = gLiveRecorders;

    button->DestroyHandle();
    EXPECT_EQ(old->State, TWrapperState::Destroyed);
    EXPECT_EQ(s->WrapperCount(), count); // still listed until the next walk

    const int oldSerial = old->Serial;
    gFreedSerials.clear();
    s->SkinOwnedControls(&form);
    EXPECT_EQ(gFreedSerials, std::vector<int>{oldSerial});
    EXPECT_EQ(gLiveRecorders, live); // the old one freed, one new for the new window
    EXPECT_TRUE(button->HandleAllocated());
    TRecorder* fresh = WrapperOf(s, button);
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh->Serial, oldSerial);
    EXPECT_EQ(fresh->Handle, button->Handle());
    EXPECT_EQ(WrappersOf(s, check).size(), 1u);
    EXPECT_EQ(s->WrapperCount(), count);
}

TEST_F(FormMappingTest, ToolBarsDrawTheirButtonsFromTheSkinAndSkinTheirMenus) {
    TPlainForm form(Application);
    auto* menu = new TMainMenu(&form);
    auto* file = new TMenuItem(&form);
    auto* help = new TMenuItem(&form);
    menu->Items()->Add(file);
    menu->Items()->Add(help);
    auto* bar = Put<TToolBar>(form);
    bar->SetMenu(menu);
    auto* tool = new TToolButton(&form);
    tool->SetParent(bar);
    auto* linked = new TMenuItem(&form);
    auto* withItem = new TToolButton(&form);
    withItem->SetParent(bar);
    withItem->SetMenuItem(linked);
    int ownCalls = 0;
    auto* ownBar = Put<TToolBar>(form);
    ownBar->OnCustomDrawButton = [&](TToolBar*, TToolButton*, TCustomDrawState, bool&) {
        ++ownCalls;
    };

    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(Mapped(s, bar), "TSkinBox/Control");
    EXPECT_TRUE(bar->Flat());
    EXPECT_EQ(Mapped(s, tool), "");
    EXPECT_EQ(gSkinnedItems, (std::vector<TMenuItem*>{file, help, linked}));
    ASSERT_TRUE(static_cast<bool>(bar->OnCustomDrawButton));
    bool ownDefault = true;
    ownBar->OnCustomDrawButton(ownBar, nullptr, {}, ownDefault);
    EXPECT_EQ(ownCalls, 1); // a handler of its own stays

    // The skin's button frame under a hot button; nothing for a plain one.
    const RECT r = tool->BoundsRect();
    TBitmap target(r.right + 4, r.bottom + 4);
    HDC dc = target.Canvas().Handle();
    const TBrushHandle fill(CreateSolidBrush(RGB(1, 2, 3)));
    const RECT all{0, 0, target.Width(), target.Height()};
    FillRect(dc, &all, fill.Get());
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    bar->Canvas().SetHandle(dc);
    bool defaultDraw = true;
    bar->OnCustomDrawButton(bar, tool, {}, defaultDraw);
    EXPECT_EQ(GetPixel(dc, cx, cy), RGB(1, 2, 3));
    bar->OnCustomDrawButton(bar, tool, {cdsHot}, defaultDraw);
    bar->Canvas().SetHandle(nullptr);
    EXPECT_TRUE(defaultDraw);
    EXPECT_NE(GetPixel(dc, cx, cy), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, r.left, r.top), RGB(1, 2, 3)); // drawn inset by one
}

TEST_F(FormMappingTest, RawChildWindowsGetTheTablesWrappers) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LtMappingHost";
    RegisterClassA(&wc);
    HWND host = CreateWindowExA(0, "LtMappingHost", "raw", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 60,
                                640, 480, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(host, nullptr);
    int y = 4;
    auto child = [&](const char* cls, DWORD style) {
        HWND h = CreateWindowExA(0, cls, "x", WS_CHILD | WS_VISIBLE | style, 4, y, 150, 24, host,
                                 nullptr, wc.hInstance, nullptr);
        y += 26;
        EXPECT_NE(h, nullptr) << cls;
        return h;
    };
    const struct {
        HWND wnd;
        const char* family;
    } rows[] = {
        {child("Button", BS_PUSHBUTTON), "TSkinButton"},
        {child("Button", BS_DEFPUSHBUTTON), "TSkinButton"},
        {child("Button", BS_CHECKBOX), "TSkinCheckBox"},
        {child("Button", BS_AUTOCHECKBOX), "TSkinCheckBox"},
        {child("Button", BS_3STATE), "TSkinCheckBox"},
        {child("Button", BS_AUTO3STATE), "TSkinCheckBox"},
        {child("Button", BS_RADIOBUTTON), "TSkinRadioButton"},
        {child("Button", BS_AUTORADIOBUTTON), "TSkinRadioButton"},
        {child("Button", BS_GROUPBOX), nullptr},
        {child("Edit", 0), "TSkinEdit"},
        {child("ComboBox", CBS_DROPDOWNLIST), "TSkinComBox"},
        {child("ComboBox", CBS_SIMPLE), nullptr},
        {child("SysTreeView32", 0), nullptr},
        {child("ToolbarWindow32", CCS_NOPARENTALIGN | CCS_NORESIZE), nullptr},
        {child("Static", 0), nullptr},
        {child("#32770", 0), "TSkinBoxH"},
    };
    HWND comboEx = child(WC_COMBOBOXEXA, CBS_DROPDOWN);

    TWinSkinForm* s = Skin(host);
    ASSERT_NE(s, nullptr);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.family ? r.family : "none");
        TRecorder* w = WrapperOf(s, r.wnd);
        if (!r.family) {
            EXPECT_EQ(w, nullptr);
            continue;
        }
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->Family, r.family);
        EXPECT_EQ(w->How, "Window");
        EXPECT_EQ(w->Owner(), s);
    }
    // The extended combo box's wrapper sits on its inner combo box.
    HWND inner = GetWindow(comboEx, GW_CHILD);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(WrapperOf(s, comboEx), nullptr);
    ASSERT_NE(WrapperOf(s, inner), nullptr);
    EXPECT_EQ(WrapperOf(s, inner)->Family, "TSkinComBox");

    // A size grip made later is reported by the manager's hook; once only.
    M().InstallHook();
    HWND grip = CreateWindowExW(0, L"ScrollBar", L"", WS_CHILD | SBS_SIZEGRIP, 600, 420, 16, 16,
                                host, nullptr, nullptr, nullptr);
    ASSERT_NE(grip, nullptr);
    ASSERT_NE(WrapperOf(s, grip), nullptr);
    EXPECT_EQ(WrapperOf(s, grip)->Family, "TSkinSizer");
    const int count = s->WrapperCount();
    s->SkinChildWindow(grip);
    s->SkinChildWindows();
    EXPECT_EQ(s->WrapperCount(), count);
    DestroyWindow(host);
    PumpPending();
    EXPECT_EQ(gLiveRecorders, 0);
}

namespace {

// A data-aware check box that takes a custom glyph strip, as the glyph
// wrapper expects of it.
class TRzDBCheckBox : public TWinControl {
    LT_CLASS(TRzDBCheckBox, TWinControl)
public:
    explicit TRzDBCheckBox(TComponent* owner) : TWinControl(owner) {}
    TBitmap* CustomGlyphs() { return &glyphs_; }
    void SetCustomGlyphs(const TBitmap& b) { glyphs_.Assign(b); }
    int32_t TransparentColor = 0;
    bool UseCustomGlyphs = false;

private:
    TBitmap glyphs_;
};

} // namespace

LT_CLASS_TABLE(TRzDBCheckBox) {
    c.SubObject("CustomGlyphs", &TRzDBCheckBox::CustomGlyphs, &TRzDBCheckBox::SetCustomGlyphs)
        .Integer("TransparentColor", &TRzDBCheckBox::TransparentColor,
                 &TRzDBCheckBox::TransparentColor)
        .Boolean("UseCustomGlyphs", &TRzDBCheckBox::UseCustomGlyphs,
                 &TRzDBCheckBox::UseCustomGlyphs);
}

TEST_F(FormMappingTest, ImageCheckBoxGetsItsGlyphStripThroughTheMapping) {
    RegisterPanelSkins(); // the real glyph wrapper (the next test's set-up puts the recorder back)
    const TBitmap& checks = data_->Buttons->CheckPicture;
    ASSERT_FALSE(checks.Empty());
    ASSERT_GT(data_->Buttons->CheckButtonFrame, 0);
    TPlainForm form(Application);
    auto* check = Put<TRzDBCheckBox>(form);
    TWinSkinForm* s = Skin(form);
    ASSERT_NE(s, nullptr);
    TSkinObjImage* w = nullptr;
    for (TSkinControl* x : s->Wrappers)
        if (auto* image = dynamic_cast<TSkinObjImage*>(x); image && image->Control == check)
            w = image;
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GlyphMode, 1);
    // The strip reached the control: nine check cells, magenta transparent, switched on.
    const int cell = checks.Width() / data_->Buttons->CheckButtonFrame;
    EXPECT_EQ(check->CustomGlyphs()->Width(), 9 * cell);
    EXPECT_EQ(check->CustomGlyphs()->Height(), checks.Height());
    EXPECT_EQ(check->TransparentColor, 16711935);
    EXPECT_TRUE(check->UseCustomGlyphs);
    // Switching the skin off turns the custom glyphs off again.
    s->Restore();
    EXPECT_FALSE(check->UseCustomGlyphs);
}
