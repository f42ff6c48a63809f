// The form skinner's message tables with real windows under Wine: a window
// whose frame is not skinned, the title following a text change, system-menu
// commands and non-client mouse messages, the hover timer, the MDI client's
// destroy, tile and cascade, and a raw window's erase and static colours;
// what the non-client paints and activations below the skinner are before
// and after the skinned frame arrives.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "framework/gdi/bitmap.h"
#include "framework/gdi/color.h"
#include "framework/gdi/gdi_handles.h"
#include "framework/stdctrls/std_checks.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "framework/ui/subclass.h"
#include "framework/ui/timer.h"
#include "skin/controls/skin_panels.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"
#include "tests/skin/window/skinned_form_setup.h"

namespace {

// Subclassed before the skinner, so beneath it: records the non-client paints
// and activations that reach the window's own procedure, with their LParam.
class TNcBelow : public TWindowSubclass {
public:
    std::vector<std::pair<UINT, LPARAM>> Seen;

protected:
    void WindowMessage(TMessage& msg) override {
        if (msg.Msg == WM_NCPAINT || msg.Msg == WM_NCACTIVATE)
            Seen.emplace_back(msg.Msg, msg.LParam);
        CallPrevious(msg);
    }
};

class TPlainForm : public TForm {
public:
    explicit TPlainForm(TComponent* owner, int w = 400, int h = 300) : TForm(owner) {
        SetBounds(120, 100, w, h);
    }
};

SIZE ClientSizeOf(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// A window point as the screen point non-client messages carry.
LPARAM ScreenPoint(HWND wnd, POINT windowPoint) {
    RECT w{};
    GetWindowRect(wnd, &w);
    return MAKELPARAM(w.left + windowPoint.x, w.top + windowPoint.y);
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Removes and counts the posted messages of one kind with that WParam.
int TakePosted(HWND wnd, UINT message, WPARAM wparam) {
    int n = 0;
    MSG m{};
    while (PeekMessageW(&m, wnd, message, message, PM_REMOVE))
        n += m.wParam == wparam;
    return n;
}

bool gMenuOpened = false;
void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    gMenuOpened = true;
    EndMenu();
}

class FormMessagesTest : public ::testing::Test, protected TSkinnedFormSetup {
protected:
    void SetUp() override { StartSkinning(); }
    void TearDown() override { StopSkinning(); }
    void Deactivate() {
        M().SetPendingSkinData(data_);
        M().RequestAction(TSkinAction::Deactivate, 250);
        M().RunPendingAction();
        PumpMessages(30);
    }
    // The visible caption button with this action.
    static TWinSysButton* ButtonOf(TWinSkinForm* s, int action) {
        for (auto& b : s->Buttons())
            if (b->Visible && b->SkinButton->Action == action)
                return b.get();
        return nullptr;
    }
};

} // namespace

TEST_F(FormMessagesTest, WithoutMainMenuSkinningOnlyTheControlsAreSkinned) {
    RegisterPanelSkins();
    TSkinControlTypes gates = data_->SkinControls();
    gates.Exclude(xcMainMenu);
    gates.Include(xcPanel);
    data_->SetSkinControls(gates);
    TPlainForm form(Application);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetColor(clWindow);
    form.SetColor(clWindow);
    form.Show();
    PumpMessages(30);
    HWND wnd = form.Handle();
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);
    const SIZE client = ClientSizeOf(wnd);
    RECT before{};
    GetWindowRect(wnd, &before);
    const LONG_PTR proc = GetWindowLongPtrW(wnd, GWLP_WNDPROC);

    // Skinned at once; the frame stays the platform's.
    ASSERT_TRUE(M().SkinWindow(wnd));
    auto* s = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(wnd));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->State(), TFormSkinnerState::Skinned);
    EXPECT_FALSE(s->FrameSkinned);
    PumpUntil([s] { return s->ContentsSkinned; }, 2000);
    EXPECT_EQ(SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0), 1);
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE), style);
    EXPECT_EQ(ClientSizeOf(wnd).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(wnd).cy, client.cy);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(wnd, rgn.Get()), ERROR);
    EXPECT_EQ(s->Buttons().size(), 0u);
    // The controls are: the form and its panel take the face colour.
    EXPECT_EQ(form.Color(), data_->ButtonFaceColour);
    EXPECT_EQ(panel->Color(), data_->ButtonFaceColour);

    // The light restore: colours and window procedure back, the frame untouched.
    Deactivate();
    EXPECT_EQ(M().FindFormSkinner(wnd), nullptr);
    EXPECT_EQ(form.Color(), static_cast<TColor>(clWindow));
    EXPECT_EQ(panel->Color(), static_cast<TColor>(clWindow));
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), proc);
    EXPECT_EQ(SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0), 0);
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE), style);
    RECT after{};
    GetWindowRect(wnd, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(FormMessagesTest, ANewTitleRepaintsTheFrameByItself) {
    // A framework form through its message method; a raw window through its
    // window procedure.
    TPlainForm form(Application);
    form.SetCaption(L"Short");
    form.Show();
    TWinSkinForm* fs = Skin(form.Handle());
    HWND raw = CreateWindowExW(0, L"STATIC", L"Short", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150,
                               300, 200, nullptr, nullptr, nullptr, nullptr);
    TWinSkinForm* rs = Skin(raw);
    ASSERT_TRUE(fs && rs);
    PumpMessages(30);
    for (auto [s, set] : {std::pair<TWinSkinForm*, std::function<void()>>{
                              fs, [&] { form.SetCaption(L"A much longer title than before"); }},
                          {rs, [&] { SetWindowTextW(raw, L"A much longer title than before"); }}}) {
        const int width = s->TextRect.right - s->TextRect.left;
        ASSERT_GT(width, 0);
        set();
        EXPECT_TRUE(PumpUntil([&] { return s->TextRect.right - s->TextRect.left > width; }, 2000));
        // What the title bar shows is what was painted: the window's own pixels.
        TWindowDC dc(s->Handle);
        const POINT p{s->TextRect.right - 2, (s->TextRect.top + s->TextRect.bottom) / 2};
        EXPECT_EQ(GetPixel(dc.Handle(), p.x, p.y),
                  static_cast<COLORREF>(s->TitleCache.Canvas().Pixel(p.x, p.y)));
    }
    DestroyWindow(raw);
}

TEST_F(FormMessagesTest, SystemCommandsRightClicksAndTheMouseOverTheTitle) {
    TPlainForm form(Application);
    form.Show();
    SetForegroundWindow(form.Handle());
    HWND wnd = form.Handle();
    TWinSkinForm* s = Skin(wnd);
    ASSERT_NE(s, nullptr);
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);

    // A skinned system menu's commands come as WM_COMMAND and go on as
    // WM_SYSCOMMAND; other commands are the window's own.
    for (UINT sc : {SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_NEXTWINDOW, SC_PREVWINDOW,
                    SC_CLOSE, SC_RESTORE}) {
        SendMessageW(wnd, WM_COMMAND, sc, 0);
        EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND, sc), 1) << std::hex << sc;
    }
    for (UINT other : {UINT(100), UINT(SC_KEYMENU), UINT(SC_MAXIMIZE + 1)}) {
        SendMessageW(wnd, WM_COMMAND, other, 0);
        EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND, other), 0) << std::hex << other;
    }

    // A right click on the title opens the system menu (closed from a timer).
    gMenuOpened = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseOpenMenu);
    s->LastSysMenuClick = GetTickCount() - s->DoubleClickTime - 10;
    SendMessageW(wnd, WM_NCRBUTTONDOWN, HTCAPTION, ScreenPoint(wnd, {80, 12}));
    KillTimer(nullptr, timer);
    EXPECT_TRUE(gMenuOpened);
    EXPECT_EQ(M().MenuContext(), TMenuContext::SystemMenu);

    // Inactive, the title ignores the mouse; active, the button under it is hot.
    TWinSysButton* close = ButtonOf(s, 0);
    ASSERT_NE(close, nullptr);
    const LPARAM onClose = ScreenPoint(wnd, Centre(close->Bounds));
    SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, onClose);
    EXPECT_EQ(close->State, kNCNormal);
    EXPECT_EQ(s->HotObject(), nullptr);
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, onClose);
    EXPECT_EQ(close->State, kNCHot);

    // The pointer is elsewhere: the hover timer takes the hot look away.
    SetCursorPos(5, GetSystemMetrics(SM_CYSCREEN) - 5);
    ASSERT_TRUE(s->HoverTimer && s->HoverTimer->Enabled());
    EXPECT_TRUE(PumpUntil([&] { return s->HotObject() == nullptr; }, 3000));
    EXPECT_EQ(close->State, kNCNormal);
}

TEST_F(FormMessagesTest, MDIClientDestroyTileAndCascadeLeaveTheMaximisedState) {
    TPlainForm frame(Application, 520, 380);
    ShowMDIFrame(frame, L"&File");
    data_->SetMenuUpdate(true);
    TWinSkinForm* fs = Skin(frame.Handle());
    ASSERT_NE(fs, nullptr);
    ASSERT_NE(fs->MenuBar, nullptr);
    TForm* a = AddMDIChild(frame, L"A", 10, 10, 200, 130);
    TForm* b = AddMDIChild(frame, L"B", 10, 10, 200, 130);
    HWND client = fs->MDIClientWindow;
    auto* bs = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(b->Handle()));
    ASSERT_TRUE(PumpUntil([&] { return bs && bs->State() == TFormSkinnerState::Skinned; }, 2000));
    auto maximise = [&](TForm* child) {
        SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        return PumpUntil([&] { return M().MDIMaximized(); }, 2000);
    };

    // Tile and cascade end the maximised state: the children are framed again.
    // (Under Wine the platform restores the maximised child first, and the
    // child's own restore reaches the same state.)
    for (UINT arrange : {UINT(WM_MDITILE), UINT(WM_MDICASCADE)}) {
        ASSERT_TRUE(maximise(b));
        SendMessageW(client, arrange, 0, 0);
        EXPECT_FALSE(M().MDIMaximized()) << arrange;
        EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(b->Handle()) && !bs->NativeCaptionOn; }, 2000))
            << arrange;
    }

    // Freeing the maximised child (its window goes through WM_MDIDESTROY)
    // hands the maximised state to the next child; freeing the last one ends
    // it and gives the frame's menu its update setting back.
    ASSERT_TRUE(maximise(b));
    EXPECT_FALSE(data_->MenuUpdate()) << "children made through the MDI client";
    delete b;
    PumpMessages(30);
    EXPECT_EQ(M().MDIMaximized(), IsZoomed(a->Handle()) != FALSE);
    delete a;
    PumpMessages(30);
    EXPECT_FALSE(M().MDIMaximized());
    EXPECT_TRUE(data_->MenuUpdate());
}

TEST_F(FormMessagesTest, RawWindowErasesAndColoursStaticsWithTheFaceBrush) {
    HWND raw = CreateWindowExW(0, L"STATIC", L"raw", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150,
                               300, 200, nullptr, nullptr, nullptr, nullptr);
    TWinSkinForm* s = Skin(raw);
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(data_->FaceBrush);
    const SIZE client = ClientSizeOf(raw);
    TBitmap into;
    into.SetSize(client.cx, client.cy);
    HDC dc = into.Canvas().Handle();
    {
        TBrushHandle junk(CreateSolidBrush(0x00123456));
        const RECT all{0, 0, client.cx, client.cy};
        FillRect(dc, &all, junk.Get());
    }
    EXPECT_EQ(SendMessageW(raw, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    const COLORREF face = ColorToRGB(data_->ButtonFaceColour);
    EXPECT_EQ(GetPixel(dc, 0, 0), face);
    EXPECT_EQ(GetPixel(dc, client.cx - 1, client.cy - 1), face);
    SetBkMode(dc, OPAQUE);
    const LRESULT brush = SendMessageW(raw, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(raw));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(data_->FaceBrush.Get()));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    DestroyWindow(raw);
}

// Until the contents pass puts the skinned frame on, the native frame is not
// painted (it would be painted over at once): no WM_NCPAINT reaches the
// window's own procedure and its activation comes with -1 ("do not repaint").
// The MDI client's border looks the same active or not: without an active
// child its activation comes with -1 too; with one, unchanged.
TEST_F(FormMessagesTest, NoNativeFramePaintBeforeTheSkinnedFrameNorClientBorderRepaint) {
    TPlainForm frame(Application, 520, 380);
    ShowMDIFrame(frame, L"&File");
    PumpPending();
    const HWND wnd = frame.Handle();
    TNcBelow below, clientBelow;
    ASSERT_TRUE(below.Subclass(wnd));
    ASSERT_TRUE(clientBelow.Subclass(frame.ClientHandle()));
    ASSERT_TRUE(M().SkinWindow(wnd));
    auto* s = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(wnd));
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->State(), TFormSkinnerState::Attached);
    below.Seen.clear();
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    using TSeen = std::vector<std::pair<UINT, LPARAM>>;
    EXPECT_EQ(below.Seen, (TSeen{{WM_NCACTIVATE, -1}}));

    ASSERT_TRUE(PumpUntil(
        [s] { return s->State() == TFormSkinnerState::Skinned && s->ContentsSkinned; }, 10000));
    PumpPending();
    clientBelow.Seen.clear();
    SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(clientBelow.Seen, (TSeen{{WM_NCACTIVATE, -1}, {WM_NCACTIVATE, -1}}));

    HWND child = AddMDIChild(frame, L"Child", 10, 10, 220, 140)->Handle();
    ASSERT_TRUE(PumpUntil([&] { return M().FindFormSkinner(child) != nullptr; }, 10000));
    PumpPending();
    clientBelow.Seen.clear();
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(clientBelow.Seen, (TSeen{{WM_NCACTIVATE, 0}}));
}
