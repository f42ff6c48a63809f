// Forms: reading a definition, MDI frame with a status bar, modal showing,
// size constraints, and the close query for every way of closing.
#include <gtest/gtest.h>

#include "framework/ui/win32.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/core/class_builder.h"
#include "framework/core/exception.h"
#include "framework/ui/statusbar.h"
#include "framework/ui/timer.h"
#include "ui_test_util.h"

namespace {

std::vector<std::string> g_order;

// A windowed control that logs its construction and its Loaded().
class TLoggingPanel : public TCustomControl {
    LT_CLASS(TLoggingPanel, TCustomControl)
public:
    explicit TLoggingPanel(TComponent* owner) : TCustomControl(owner) {
        g_order.push_back("create");
    }
    void Loaded() override {
        g_order.push_back("loaded " + Name() + (HasState(csLoading) ? "" : " (not loading)") +
                          (Parent() ? "" : " (no parent)"));
        TCustomControl::Loaded();
    }
};

class TForm_Test : public TForm {
    LT_CLASS(TForm_Test, TForm)
public:
    explicit TForm_Test(TComponent* owner) : TForm(owner) {
        RegisterHandler("FormCreate", this, &TForm_Test::FormCreate);
    }
    void FormCreate(TObject* sender) {
        g_order.push_back(sender == this ? "OnCreate" : "OnCreate(wrong sender)");
    }
};

const char* const kDefinition = R"(object Form_Test: TForm_Test
  Left = 100
  Top = 80
  Caption = '测试窗口'
  ClientWidth = 300
  ClientHeight = 200
  Color = clBtnFace
  Constraints.MinWidth = 200
  Font.Charset = GB2312_CHARSET
  Font.Height = -15
  Font.Name = '宋体'
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Panel_A: TLoggingPanel
    Height = 30
    Font.Color = clNavy
    Font.Height = -20
    ParentFont = False
    Align = alTop
    TabOrder = 1
  end
  object Panel_B: TLoggingPanel
    Align = alClient
    TabOrder = 0
  end
  object StatusBar_T: TStatusBar
    Height = 19
    Panels = <
      item
        Width = 100
        Text = '岚拓软件'
        Alignment = taCenter
      end
      item
        Width = 50
      end>
  end
  object Timer_T: TTimer
    Interval = 500
  end
end
)";

TForm* g_guarded = nullptr;
// Ends the modal loop of g_guarded with mrAbort (a guard against hangs).
void CALLBACK AbortGuarded(HWND, UINT, UINT_PTR, DWORD) {
    if (g_guarded)
        g_guarded->SetModalResult(mrAbort);
}

} // namespace

LT_CLASS_TABLE(TLoggingPanel) {}
LT_CLASS_TABLE(TForm_Test) {}

// Components are created and loaded in definition order, Loaded before OnCreate;
// the form's window class is its own class name; aligned layout is in place.
TEST(Form, DefinitionCreatesControlsInOrderAndLoadsBeforeCreate) {
    RegisterClasses<TLoggingPanel, TForm_Test>();
    g_order.clear();
    TForm_Test form(Application);
    form.ReadDefinition(kDefinition);
    EXPECT_EQ(g_order, (std::vector<std::string>{"create", "create", "loaded Panel_A",
                                                 "loaded Panel_B", "OnCreate"}));
    ASSERT_EQ(form.ComponentCount(), 4);
    EXPECT_EQ(form.Components(0)->Name(), "Panel_A");
    EXPECT_EQ(form.Components(2)->ClassName(), "TStatusBar");
    EXPECT_EQ(form.Components(3)->ClassName(), "TTimer");
    EXPECT_EQ(static_cast<TTimer*>(form.Components(3))->Interval(), 500u);
    auto* a = static_cast<TWinControl*>(form.Components(0));
    auto* b = static_cast<TWinControl*>(form.Components(1));
    auto* bar = static_cast<TStatusBar*>(form.Components(2));
    EXPECT_EQ(a->Parent(), &form);
    EXPECT_EQ(form.TabList(), (std::vector<TWinControl*>{b, a, bar}));
    EXPECT_EQ(form.Caption(), L"测试窗口");
    EXPECT_EQ(form.Constraints().MinWidth, 200);
    EXPECT_EQ(bar->Panels()->Count(), 2);
    EXPECT_EQ(bar->Panels()->Items(0)->Text(), L"岚拓软件");
    wchar_t cls[64];
    GetClassNameW(form.Handle(), cls, 64);
    EXPECT_EQ(std::wstring(cls), L"TForm_Test");
    EXPECT_EQ(form.ClientWidth(), 300);
    EXPECT_EQ(form.ClientHeight(), 200);
    RECT ra = a->BoundsRect(), rb = b->BoundsRect(), rs = bar->BoundsRect();
    const RECT wa{0, 0, 300, 30}, ws{0, 181, 300, 200}, wb{0, 30, 300, 181};
    EXPECT_TRUE(EqualRect(&ra, &wa));
    EXPECT_TRUE(EqualRect(&rs, &ws));
    EXPECT_TRUE(EqualRect(&rb, &wb));
    // Fonts: the form's own, Panel_A its own, the others follow the form.
    EXPECT_EQ(form.Font().Height(), -15);
    EXPECT_EQ(form.Font().Charset(), 134);
    EXPECT_EQ(a->Font().Height(), -20);
    EXPECT_EQ(a->Font().Color(), clNavy);
    EXPECT_FALSE(a->ParentFont());
    EXPECT_TRUE(b->ParentFont());
    EXPECT_EQ(b->Font().Height(), -15);
    EXPECT_EQ(b->Font().Charset(), 134);
    EXPECT_TRUE(bar->UseSystemFont()) << "a font that follows the parent is not a choice";
    form.Font().SetHeight(-16);
    EXPECT_EQ(b->Font().Height(), -16);
    EXPECT_EQ(a->Font().Height(), -20);
    // The status bar's text with its alignment tab reached the control.
    wchar_t text[64] = {};
    SendMessageW(bar->Handle(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), L"\t岚拓软件");
}

// A bad definition raises and leaves no component behind.
TEST(Form, MalformedDefinitionRaisesWithoutLeftovers) {
    TForm_Test form(Application);
    const int windows = TWinControl::LiveWindowCount();
    EXPECT_THROW(form.ReadDefinition(
                     "object F: TForm_Test\n object P: TLoggingPanel\n Bogus = 1\n end\nend\n"),
                 Exception);
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(TWinControl::LiveWindowCount(), windows);
}

// A windowed control that counts the sizes it is given.
class TSizeCountingPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int sizes = 0;
    void WndProc(TMessage& msg) override {
        if (msg.Msg == WM_SIZE)
            ++sizes;
        TCustomControl::WndProc(msg);
    }
};

// A form that opens maximised is made at its maximised size: its client-aligned
// control is sized once, already at the maximised client size, before the form
// is shown, and restoring gives the form's own bounds back.
TEST(Form, MaximisedFormLaysItsControlsOutOnce) {
    TForm form(Application);
    form.SetBounds(30, 40, 500, 300);
    form.SetWindowState(wsMaximized);
    auto* panel = new TSizeCountingPanel(&form);
    panel->SetParent(&form);
    panel->SetAlign(alClient);
    HWND wnd = form.Handle();
    EXPECT_TRUE(IsZoomed(wnd));
    RECT client, inside;
    GetClientRect(wnd, &client);
    GetClientRect(panel->Handle(), &inside);
    EXPECT_GT(client.right, 500);
    EXPECT_EQ(inside.right, client.right);
    EXPECT_EQ(inside.bottom, client.bottom);
    const int before = panel->sizes;
    form.Show();
    PumpPending();
    EXPECT_TRUE(IsZoomed(wnd));
    EXPECT_EQ(panel->sizes, before) << "laid out again when shown";
    ShowWindow(wnd, SW_RESTORE);
    PumpPending();
    RECT restored;
    GetWindowRect(wnd, &restored);
    EXPECT_EQ(restored.left, 30);
    EXPECT_EQ(restored.top, 40);
    EXPECT_EQ(restored.right - restored.left, 500);
    EXPECT_EQ(restored.bottom - restored.top, 300);
    GetClientRect(wnd, &client);
    GetClientRect(panel->Handle(), &inside);
    EXPECT_EQ(inside.right, client.right);
}

// A maximised MDI frame with its "MDIClient" and a status bar whose panels keep
// their widths while the last one stretches, also after a resize.
TEST(Form, MaximisedMdiFrameWithStretchingStatusBar) {
    TForm frame(Application);
    frame.SetFormStyle(fsMDIForm);
    frame.SetWindowState(wsMaximized);
    frame.Constraints().MinWidth = 600;
    frame.Constraints().MinHeight = 400;
    auto* bar = new TStatusBar(&frame);
    bar->SetParent(&frame);
    bar->SetHeight(25);
    for (int w : {0, 100, 200, 350, 50})
        bar->Panels()->Add()->SetWidth(w);
    frame.Show();
    PumpPending();
    HWND wnd = frame.Handle();
    EXPECT_TRUE(IsZoomed(wnd));
    ASSERT_TRUE(frame.ClientHandle());
    wchar_t cls[32];
    GetClassNameW(frame.ClientHandle(), cls, 32);
    EXPECT_EQ(std::wstring(cls), L"MDIClient");
    int edges[5] = {};
    ASSERT_EQ(SendMessageW(bar->Handle(), SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges)), 5);
    EXPECT_EQ(edges[0], 0);
    EXPECT_EQ(edges[1], 100);
    EXPECT_EQ(edges[2], 300);
    EXPECT_EQ(edges[3], 650);
    EXPECT_EQ(edges[4], -1);
    auto checkLayout = [&](const char* when) {
        RECT client;
        GetClientRect(wnd, &client);
        RECT br;
        GetWindowRect(bar->Handle(), &br);
        MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&br), 2);
        EXPECT_EQ(br.left, 0) << when;
        EXPECT_EQ(br.right, client.right) << when;
        EXPECT_EQ(br.bottom, client.bottom) << when;
        EXPECT_EQ(br.bottom - br.top, 25) << when;
        RECT last;
        SendMessageW(bar->Handle(), SB_GETRECT, 4, reinterpret_cast<LPARAM>(&last));
        RECT barClient;
        GetClientRect(bar->Handle(), &barClient);
        EXPECT_GE(last.left, 650) << when;
        EXPECT_GE(last.right, barClient.right - GetSystemMetrics(SM_CXVSCROLL)) << when;
        RECT third;
        SendMessageW(bar->Handle(), SB_GETRECT, 3, reinterpret_cast<LPARAM>(&third));
        EXPECT_LE(third.right, 650) << when;
        EXPECT_GE(third.right, 648) << when;
        // The MDI client fills what the status bar leaves.
        RECT mr;
        GetWindowRect(frame.ClientHandle(), &mr);
        MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&mr), 2);
        EXPECT_EQ(mr.bottom, br.top) << when;
        EXPECT_EQ(mr.right, client.right) << when;
    };
    checkLayout("maximised");
    const int maxWidth = frame.ClientWidth();
    ShowWindow(wnd, SW_RESTORE);
    SetWindowPos(wnd, nullptr, 10, 10, 900, 600, SWP_NOZORDER);
    PumpPending();
    EXPECT_FALSE(IsZoomed(wnd));
    EXPECT_LT(frame.ClientWidth(), maxWidth);
    checkLayout("restored 900 wide");
    // Below the constraints: held at the minimum.
    SetWindowPos(wnd, nullptr, 10, 10, 300, 200, SWP_NOZORDER);
    RECT wr;
    GetWindowRect(wnd, &wr);
    EXPECT_EQ(wr.right - wr.left, 600);
    EXPECT_EQ(wr.bottom - wr.top, 400);
    EXPECT_EQ(frame.Width(), 600);
    MINMAXINFO mmi{};
    SendMessageW(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize.x, 600);
    EXPECT_EQ(mmi.ptMinTrackSize.y, 400);
    checkLayout("at the minimum");
    frame.Hide();
}

// An MDI child is created inside the frame's MDI client.
TEST(Form, MdiChildLivesInTheMdiClient) {
    TCustomForm* savedMain = Application->MainForm();
    TForm frame(Application);
    frame.SetFormStyle(fsMDIForm);
    Application->SetMainForm(&frame);
    frame.Show();
    {
        TForm child(Application);
        child.SetFormStyle(fsMDIChild);
        child.SetCaption(L"子窗口");
        child.Show();
        EXPECT_EQ(GetParent(child.Handle()), frame.ClientHandle());
        EXPECT_TRUE(GetWindowLongW(child.Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    }
    Application->SetMainForm(savedMain);
    frame.Hide();
}

// ShowModal: the owner is disabled while the dialog runs, the result comes from
// the clicked control, and afterwards the owner is enabled and has its focus back.
TEST(Form, ShowModalKeepsOwnerDisabledAndReturnsTheResult) {
    TForm owner(Application);
    auto* ownerButton = new TTestButton(&owner);
    ownerButton->SetParent(&owner);
    owner.Show();
    ownerButton->SetFocus();
    PumpUntil([&] { return ownerButton->Focused(); }, 10000);
    ASSERT_TRUE(ownerButton->Focused());

    TForm dialog(Application);
    dialog.SetBorderStyle(bsDialog);
    dialog.SetPosition(poDesktopCenter);
    dialog.SetClientSize(200, 100);
    auto* ok = new TTestButton(&dialog);
    ok->SetParent(&dialog);
    ok->ModalResult = mrOk;
    bool ownerEnabledDuring = true, dialogEnabledDuring = false;
    ok->OnClick = [&](TObject*) {
        ownerEnabledDuring = IsWindowEnabled(owner.Handle()) != FALSE;
        dialogEnabledDuring = IsWindowEnabled(dialog.Handle()) != FALSE;
    };
    // Click the button with real mouse messages once the dialog runs.
    dialog.OnActivate = [&](TObject*) {
        PostMessageW(ok->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(ok->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    // A guard ends the loop with mrAbort if the clicks never arrive.
    g_guarded = &dialog;
    const UINT_PTR guard = SetTimer(nullptr, 0, 20000, &AbortGuarded);
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    KillTimer(nullptr, guard);
    g_guarded = nullptr;
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(dialogEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_FALSE(dialog.IsModal());
    EXPECT_TRUE(ownerButton->Focused()) << "focus restored";
    // Centred on the desktop.
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(dialog.Left(), (sw - dialog.Width()) / 2);
    // A visible form cannot be made modal.
    EXPECT_THROW(owner.ShowModal(), EInvalidOperation);
    owner.Hide();
}

// Close button, system menu, Alt+F4 and log-off all go through OnCloseQuery.
TEST(Form, EveryWayOfClosingAsksTheCloseQuery) {
    TForm form(Application);
    int asked = 0;
    bool allow = false;
    form.OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = allow;
    };
    form.Show();
    HWND wnd = form.Handle();
    SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0); // close button and system menu
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindowVisible(wnd));
    SendMessageW(wnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 2);
    SetForegroundWindow(wnd);
    SendMessageW(wnd, WM_SYSKEYDOWN, VK_F4, 1 << 29); // Alt+F4
    PumpPending();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(SendMessageW(wnd, WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(asked, 4);
    EXPECT_TRUE(IsWindowVisible(wnd));
    allow = true;
    EXPECT_EQ(SendMessageW(wnd, WM_QUERYENDSESSION, 0, 0), 1);
    SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(asked, 6);
    EXPECT_FALSE(IsWindowVisible(wnd)) << "an ordinary form hides when closed";
}

// An exception in the create handler is reported, and the form is still created.
TEST(Form, ExceptionInCreateHandlerIsReportedAndFormLives) {
    TForm_Test form(Application);
    form.OnCreate = [](TObject*) { throw EInvalidOperation(L"导航失败"); };
    ReportedErrors().clear();
    form.DoCreate();
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_EQ(ReportedErrors()[0], L"导航失败");
    EXPECT_TRUE(form.Handle());
}
