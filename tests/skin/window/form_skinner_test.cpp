// The form skinner with real windows under Wine: frame geometry and client
// sizes, hit tests, the region, active and inactive looks, the title text,
// caption buttons driven by non-client mouse messages, message boxes, MDI,
// skin switching and deactivation, and live-object counters over many cycles.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "framework/gdi/gdi_handles.h"
#include "framework/ui/form.h"
#include "framework/ui/menus.h"
#include "framework/ui/messages.h"
#include "framework/ui/wincontrol.h"
#include "skin/window/form_skinner.h"
#include "skin/window/skin_manager.h"
#include "tests/framework/ui/ui_test_util.h"
#include "tests/skin/model/model_fixture.h"
#include "tests/skin/window/skinned_form_setup.h"
#include "tools/skininfo/skin_folder_pack.h"

namespace {

class TPlainForm : public TForm {
public:
    explicit TPlainForm(TComponent* owner, int w = 400, int h = 300) : TForm(owner) {
        SetBounds(120, 100, w, h);
    }
};

const std::vector<uint8_t>& GraphiteSkin() {
    static const std::vector<uint8_t> packed = PackSkinFolder(LT_GRAPHITE_DIR);
    return packed;
}

SIZE ClientSizeOf(HWND wnd) {
    RECT r{};
    GetClientRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

// Where the client area's origin lies in window coordinates.
POINT ClientOrigin(HWND wnd) {
    POINT p{0, 0};
    ClientToScreen(wnd, &p);
    const RECT w = WindowRectOf(wnd);
    return {p.x - w.left, p.y - w.top};
}

// A window point as the screen point non-client messages carry.
LPARAM ScreenPoint(HWND wnd, POINT windowPoint) {
    const RECT w = WindowRectOf(wnd);
    return MAKELPARAM(w.left + windowPoint.x, w.top + windowPoint.y);
}

POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Removes and counts the posted messages of one kind (with that WParam, or any).
int TakePosted(HWND wnd, UINT message, WPARAM wparam = static_cast<WPARAM>(-1)) {
    int n = 0;
    MSG m{};
    while (PeekMessageW(&m, wnd, message, message, PM_REMOVE))
        if (wparam == static_cast<WPARAM>(-1) || m.wParam == wparam)
            ++n;
    return n;
}

class FormSkinnerTest : public ::testing::Test, protected TSkinnedFormSetup {
protected:
    void SetUp() override { StartSkinning(); }
    void TearDown() override { StopSkinning(); }
    // Shows the form and skins its window.
    TWinSkinForm* ShowSkinned(TForm& form) {
        form.Show();
        return Skin(form.Handle());
    }
    // Switches skinning off for every window, as the deferred action does.
    void Deactivate() {
        M().SetPendingSkinData(data_);
        M().RequestAction(TSkinAction::Deactivate, 250);
        M().RunPendingAction();
        PumpPending();
    }

};

} // namespace

TEST_F(FormSkinnerTest, FrameFromTheBordersKeepsTheClientSizeAndComesOffAgain) {
    TPlainForm form(Application);
    form.Show();
    PumpPending();
    HWND wnd = form.Handle();
    const SIZE client = ClientSizeOf(wnd);
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);

    TWinSkinForm* s = Skin(wnd);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->TitleHeight, 29);
    EXPECT_EQ(s->LeftWidth, 3);
    EXPECT_EQ(s->RightWidth, 3);
    EXPECT_EQ(s->BottomHeight, 3);
    EXPECT_EQ(s->BorderKind, kBorderSizeable);
    EXPECT_EQ(SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0), 1);
    // The native caption is gone (an owned window keeps the caption bits but
    // loses its caption buttons); the client keeps its size inside the skin's frame.
    if (GetWindow(wnd, GW_OWNER))
        EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & (WS_SYSMENU | WS_MAXIMIZEBOX), 0);
    else
        EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & WS_CAPTION, 0);
    const SIZE skinned = ClientSizeOf(wnd);
    EXPECT_EQ(skinned.cx, client.cx);
    EXPECT_EQ(skinned.cy, client.cy);
    const POINT origin = ClientOrigin(wnd);
    EXPECT_EQ(origin.x, 3);
    EXPECT_EQ(origin.y, 29);
    const RECT w = WindowRectOf(wnd);
    EXPECT_EQ(w.right - w.left, client.cx + 6);
    EXPECT_EQ(w.bottom - w.top, client.cy + 32);

    // Hit tests: title strip below y = 4 is caption, the client is client.
    const int mid = (w.right - w.left) / 2;
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 10})), HTCAPTION);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 4})), HTCAPTION);
    EXPECT_NE(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 1})), HTCAPTION);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 60})), HTCLIENT);
    // With a menu strip below the title, the strip answers HTMENU.
    s->MenuHeight = 19;
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    EXPECT_EQ(ClientOrigin(wnd).y, 29 + 19);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 29 + 8})), HTMENU);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, ScreenPoint(wnd, {mid, 20})), HTCAPTION);
    s->MenuHeight = 0;
    SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    // Deactivation gives the native frame back at the same client size.
    Deactivate();
    EXPECT_EQ(M().FindFormSkinner(wnd), nullptr);
    EXPECT_EQ(GetWindowLongW(wnd, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX),
              style & (WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX));
    const SIZE back = ClientSizeOf(wnd);
    EXPECT_EQ(back.cx, client.cx);
    EXPECT_EQ(back.cy, client.cy);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(wnd, rgn.Get()), ERROR);
    EXPECT_EQ(SendMessageW(wnd, SM_SKINNEDQUERY, 0, 0), 0);
}

TEST_F(FormSkinnerTest, RegionFollowsThePaintedTitleOrIsThePlainRectangle) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    const RECT w = WindowRectOf(wnd);
    const int width = w.right - w.left, height = w.bottom - w.top;
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(wnd, rgn.Get()), ERROR);
    // The rounded top corners are cut; the title and client are in.
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), width - 1, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), width / 2, 2));
    EXPECT_TRUE(PtInRegion(rgn.Get(), width / 2, height / 2));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 0, height - 1));
    // The title text counts as opaque: every pixel of the text rectangle is in.
    const POINT text = Centre(s->TextRect);
    EXPECT_TRUE(PtInRegion(rgn.Get(), text.x, text.y));

    // A skin without transparent borders: the plain window rectangle.
    for (TDataSkinBorder* b : {data_->LeftBorder.get(), data_->RightBorder.get(),
                               data_->TopBorder.get(), data_->BottomBorder.get()})
        b->Trans = 0;
    s->Reskin();
    TRegionHandle plain(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(wnd, plain.Get()), SIMPLEREGION);
    RECT box{};
    GetRgnBox(plain.Get(), &box);
    const RECT w2 = WindowRectOf(wnd);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, w2.right - w2.left);
    EXPECT_EQ(box.bottom, w2.bottom - w2.top);
}

TEST_F(FormSkinnerTest, InactiveWindowUsesSecondFramesAndInactiveTextColour) {
    TPlainForm form(Application);
    form.SetCaption(L"Active and inactive");
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    auto countColour = [s](TColor c) {
        int n = 0;
        TCanvas& canvas = s->TitleCache.Canvas();
        for (int y = s->TextRect.top; y < s->TextRect.bottom; ++y)
            for (int x = s->TextRect.left; x < s->TextRect.right; ++x)
                n += static_cast<uint32_t>(canvas.Pixel(x, y)) == static_cast<uint32_t>(c);
        return n;
    };
    const TColor activeText = data_->TitleTextActiveColour;
    const TColor inactiveText = data_->TitleTextNoActiveColour;
    ASSERT_NE(activeText, inactiveText);

    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(s->Active);
    const int activeCount = countColour(activeText);
    EXPECT_GT(activeCount, 10);
    EXPECT_EQ(countColour(inactiveText), 0);
    // The left border in the window: frame 1 of the skin's picture.
    const RECT w = WindowRectOf(wnd);
    const int h = w.bottom - w.top;
    const RECT left{0, 0, 3, h};
    auto frame1 = RenderBorderPart(TBorderPart::Left, left, *data_, true);
    auto frame2 = RenderBorderPart(TBorderPart::Left, left, *data_, false);
    ASSERT_TRUE(frame1 && frame2);
    const int y = h / 2;
    int x = 0;
    while (x < 3 && frame1->Canvas().Pixel(x, y) == frame2->Canvas().Pixel(x, y))
        ++x;
    ASSERT_LT(x, 3) << "the skin's two left-border frames differ somewhere in a row";
    {
        TWindowDC dc(wnd);
        EXPECT_EQ(GetPixel(dc.Handle(), x, y), static_cast<COLORREF>(frame1->Canvas().Pixel(x, y)));
    }

    SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(s->Active);
    EXPECT_GT(countColour(inactiveText), 10);
    EXPECT_EQ(countColour(activeText), 0);
    {
        TWindowDC dc(wnd);
        EXPECT_EQ(GetPixel(dc.Handle(), x, y), static_cast<COLORREF>(frame2->Canvas().Pixel(x, y)));
    }
}

TEST_F(FormSkinnerTest, LongCaptionEndsAtTheClipAndCentredCaptionStaysCentred) {
    TPlainForm form(Application, 360, 200);
    form.SetCaption(std::wstring(120, L'W'));
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    const RECT w = WindowRectOf(wnd);
    const int width = w.right - w.left;
    const int clip = data_->Title->RightWidth;
    EXPECT_EQ(s->TextRect.right, width - s->RightWidth - clip);

    data_->Title->TextAlignment = 1;
    form.SetCaption(L"Centred");
    SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    const int stripCentre = (s->LeftWidth + width - s->RightWidth) / 2;
    EXPECT_LE(std::abs((s->TextRect.left + s->TextRect.right) / 2 - stripCentre), 1);
}

TEST_F(FormSkinnerTest, PopupWithoutCaptionGetsNoFrame) {
    HWND popup = CreateWindowExW(0, L"STATIC", L"popup", WS_POPUP | WS_VISIBLE | WS_BORDER, 50, 50,
                                 200, 120, nullptr, nullptr, nullptr, nullptr);
    const RECT before = WindowRectOf(popup);
    const SIZE client = ClientSizeOf(popup);
    TWinSkinForm* s = Skin(popup);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->BorderKind, kBorderNone);
    EXPECT_EQ(s->TitleHeight + s->LeftWidth + s->RightWidth + s->BottomHeight + s->MenuHeight, 0);
    const RECT after = WindowRectOf(popup);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(ClientSizeOf(popup).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(popup).cy, client.cy);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(popup, rgn.Get()), ERROR);
    DestroyWindow(popup);
    PumpPending();
    M().PurgeClosedForms();
    EXPECT_EQ(M().FormSkinnerCount(), 0);
}

namespace {

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

bool gMenuShown = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    gMenuShown = true;
    EndMenu();
}

// A modeless "#32770" dialog of the given width (dialog units) with a long
// caption and one button.
HWND NarrowDialog(const wchar_t* caption) {
    alignas(4) static unsigned char buffer[512];
    std::memset(buffer, 0, sizeof buffer);
    auto* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    t->cdit = 1;
    t->x = 20;
    t->y = 20;
    t->cx = 60;
    t->cy = 40;
    auto* p = reinterpret_cast<WORD*>(t + 1);
    *p++ = 0; // no menu
    *p++ = 0; // default class
    for (const wchar_t* c = caption; *c; ++c)
        *p++ = *c;
    *p++ = 0;
    p = reinterpret_cast<WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
    auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
    item->style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    item->x = 5;
    item->y = 20;
    item->cx = 40;
    item->cy = 14;
    item->id = IDOK;
    p = reinterpret_cast<WORD*>(item + 1);
    *p++ = 0xFFFF;
    *p++ = 0x0080; // button
    for (const wchar_t* c = L"OK"; *c; ++c)
        *p++ = *c;
    *p++ = 0;
    *p++ = 0; // no creation data
    return CreateDialogIndirectParamW(nullptr, t, nullptr, NoDialogProc, 0);
}

} // namespace

TEST_F(FormSkinnerTest, MessageBoxIsWidenedForItsCaptionAndItsButtonsMoveHalfway) {
    HWND box = NarrowDialog(L"A dialog caption that is much wider than the dialog itself");
    ASSERT_NE(box, nullptr);
    HWND button = GetDlgItem(box, IDOK);
    const SIZE client = ClientSizeOf(box);
    RECT b0 = WindowRectOf(button);
    POINT button0{b0.left, b0.top};
    ScreenToClient(box, &button0);

    TWinSkinForm* s = Skin(box);
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->SystemDialog);
    EXPECT_EQ(s->BorderKind, kBorderDialog);
    const int needed = data_->Title->LeftWidth + s->CaptionTextWidth + data_->Title->RightWidth;
    const int plain = client.cx + s->LeftWidth + s->RightWidth;
    ASSERT_GT(needed, plain);
    const RECT w = WindowRectOf(box);
    EXPECT_EQ(w.right - w.left, needed);
    RECT b1 = WindowRectOf(button);
    POINT button1{b1.left, b1.top};
    ScreenToClient(box, &button1);
    EXPECT_EQ(button1.x - button0.x, (needed - plain) / 2);
    EXPECT_EQ(button1.y, button0.y);
    DestroyWindow(box);
    PumpPending();
}

TEST_F(FormSkinnerTest, CaptionButtonsActOnlyWhenPressedAndReleasedOnThemselves) {
    TPlainForm form(Application);
    form.Show();
    SetForegroundWindow(form.Handle());
    HWND wnd = form.Handle();
    TWinSkinForm* s = Skin(wnd);
    ASSERT_NE(s, nullptr);
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    TWinSysButton* close = nullptr;
    TWinSysButton* maximise = nullptr;
    for (auto& b : s->Buttons()) {
        if (b->Visible && b->SkinButton->Action == 0)
            close = b.get();
        if (b->Visible && b->SkinButton->Action == 1)
            maximise = b.get();
    }
    ASSERT_NE(close, nullptr);
    ASSERT_NE(maximise, nullptr);
    const LPARAM onClose = ScreenPoint(wnd, Centre(close->Bounds));
    const LPARAM onMax = ScreenPoint(wnd, Centre(maximise->Bounds));
    const LPARAM elsewhere = ScreenPoint(wnd, {60, 14});
    TakePosted(wnd, WM_SYSCOMMAND);

    // Pressed, then released outside: nothing.
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, onClose);
    EXPECT_EQ(close->State, kNCHot);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, onClose);
    EXPECT_EQ(close->State, kNCPressed);
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, elsewhere);
    EXPECT_EQ(close->State, kNCNormal);
    EXPECT_EQ(s->HotObject(), nullptr);
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, elsewhere);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), 0);
    // Pressed on close, released over maximise: nothing either.
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, onClose);
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, onMax);
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, onMax);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND), 0);
    // Pressed and released on close: the close command.
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, onClose);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, onClose);
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, onClose);
    EXPECT_EQ(close->State, kNCHot);
    EXPECT_EQ(TakePosted(wnd, WM_SYSCOMMAND, SC_CLOSE), 1);
    // Maximise through its button, and back through a double click on the title.
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, onMax);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, onMax);
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, onMax);
    PumpUntil([wnd] { return IsZoomed(wnd) != FALSE; }, 10000);
    EXPECT_TRUE(IsZoomed(wnd));
    EXPECT_EQ(s->WindowState, kWindowMaximized);
    SendMessageW(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(wnd, {60, 14}));
    PumpUntil([wnd] { return !IsZoomed(wnd); }, 10000);
    EXPECT_FALSE(IsZoomed(wnd));
    EXPECT_EQ(s->WindowState, kWindowNormal);
}

TEST_F(FormSkinnerTest, ButtonsHideWithoutSystemMenuOrMaximiseBox) {
    // The actions of the visible caption buttons of a form with these icons.
    std::vector<std::unique_ptr<TPlainForm>> forms;
    auto visibleActions = [this, &forms](TBorderIcons icons) {
        forms.push_back(std::make_unique<TPlainForm>(Application));
        TPlainForm& f = *forms.back();
        f.SetBorderIcons(icons);
        f.Show();
        std::vector<int> v;
        TWinSkinForm* s = Skin(f.Handle());
        if (!s)
            return v;
        SendMessageW(f.Handle(), SM_REPAINTFRAME, 0, 0);
        for (auto& b : s->Buttons())
            if (b->Visible)
                v.push_back(b->SkinButton->Action);
        return v;
    };
    auto has = [](const std::vector<int>& v, int action) {
        return std::find(v.begin(), v.end(), action) != v.end();
    };
    const std::vector<int> full = visibleActions({biSystemMenu, biMinimize, biMaximize});
    EXPECT_TRUE(has(full, 0));
    EXPECT_TRUE(has(full, 1));
    const std::vector<int> noMax = visibleActions({biSystemMenu, biMinimize});
    EXPECT_TRUE(has(noMax, 0));
    EXPECT_FALSE(has(noMax, 1));
    const std::vector<int> bare = visibleActions({});
    EXPECT_FALSE(has(bare, 0));
    EXPECT_FALSE(has(bare, 1));
}

TEST_F(FormSkinnerTest, IconOpensTheSystemMenuAndASecondClickCloses) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    TWinSysButton* icon = nullptr;
    for (auto& b : s->Buttons())
        if (ShowsWindowIcon(*b->SkinButton))
            icon = b.get();
    ASSERT_NE(icon, nullptr);
    // A single click opens the native system menu (closed again from a timer
    // the menu's loop runs). The double-click time is long enough for a
    // loaded machine to open and close the menu within it.
    gMenuShown = false;
    s->DoubleClickTime = 20000;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, CloseMenu);
    s->LastSysMenuClick = GetTickCount() - s->DoubleClickTime - 10;
    s->SetHotObject(icon);
    s->RunAction(icon, {200, 200});
    KillTimer(nullptr, timer);
    EXPECT_TRUE(gMenuShown);
    EXPECT_EQ(M().MenuContext(), TMenuContext::SystemMenu);
    EXPECT_EQ(TakePosted(wnd, WM_CLOSE), 0);
    // The second click within the double-click time closes.
    s->SetHotObject(icon);
    s->RunAction(icon, {200, 200});
    EXPECT_EQ(TakePosted(wnd, WM_CLOSE), 1);
    // The system menu's popup knows the window's boxes.
    ASSERT_NE(s->SystemMenuPopup, nullptr);
}

TEST_F(FormSkinnerTest, ApplicationButtonPostsItsAction) {
    // An extra button of the skin with action 5, always visible.
    auto extra = std::make_unique<TDataSkinSysButton>("APP");
    extra->Action = 5;
    extra->Align = 1;
    extra->XCoord = 120;
    extra->YCoord = 5;
    extra->Visibility = 300;
    extra->FrameCount = 3;
    extra->Picture.SetSize(3 * 16, 16);
    extra->Picture.Canvas().Brush().SetColor(0x00336699);
    extra->Picture.Canvas().FillRect({0, 0, 48, 16});
    data_->CaptionButtons.insert(data_->CaptionButtons.begin(), std::move(extra));
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
    TWinSysButton* app = s->Buttons().front().get();
    ASSERT_TRUE(app->Visible);
    const RECT w = WindowRectOf(wnd);
    EXPECT_EQ(app->Bounds.left, (w.right - w.left) - 120);
    TakePosted(wnd, SM_CAPTIONACTION);
    const LPARAM at = ScreenPoint(wnd, Centre(app->Bounds));
    SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, at);
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, at);
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, at);
    EXPECT_EQ(TakePosted(wnd, SM_CAPTIONACTION, 5), 1);
}

TEST_F(FormSkinnerTest, MaximisedMDIChildLosesItsFrameAndGetsItBack) {
    TPlainForm frame(Application, 500, 360);
    frame.SetFormStyle(fsMDIForm);
    // A menu bar, where the maximised child's buttons go.
    auto* menu = new TMainMenu(&frame);
    auto* window = new TMenuItem(menu);
    window->SetCaption(L"&Window");
    menu->Items()->Add(window);
    frame.SetMenu(menu);
    frame.Show();
    TWinSkinForm* fs = Skin(frame.Handle());
    ASSERT_NE(fs, nullptr);
    EXPECT_EQ(fs->MDIKind, kMDIFrame);
    // The framework finds a child's frame as the application's main form.
    TCustomForm* mainForm = Application->MainForm();
    Application->SetMainForm(&frame);
    auto* child = new TForm(&frame);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption(L"Child");
    child->SetBounds(10, 10, 220, 140);
    child->Show();
    Application->SetMainForm(mainForm);
    HWND cw = child->Handle();
    PumpUntil([&] { return M().FindFormSkinner(cw) != nullptr; }, 10000);
    auto* cs = dynamic_cast<TWinSkinForm*>(M().FindFormSkinner(cw));
    ASSERT_NE(cs, nullptr) << "the new MDI child is skinned through the MDI client";
    PumpUntil([cs] { return cs->State() == TFormSkinnerState::Skinned; }, 10000);
    EXPECT_EQ(cs->MDIKind, kMDIChild);
    const SIZE client = ClientSizeOf(cw);
    EXPECT_EQ(ClientOrigin(cw).y, cs->TitleHeight);

    SendMessageW(fs->MDIClientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(cw), 0);
    PumpPending();
    EXPECT_TRUE(M().MDIMaximized());
    EXPECT_TRUE(cs->NativeCaptionOn);
    TRegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(cw, rgn.Get()), ERROR);
    // The child's three buttons stand in the frame's menu bar, right-aligned.
    ASSERT_GT(fs->MenuHeight, 0);
    SendMessageW(frame.Handle(), SM_REPAINTFRAME, 0, 0);
    int inBar = 0;
    for (auto& b : fs->Buttons())
        if (b->SkinButton->Visibility == 100 && b->Visible) {
            ++inBar;
            const int h = b->Bounds.bottom - b->Bounds.top;
            EXPECT_EQ(b->Bounds.top, fs->TitleHeight + (fs->MenuHeight - h) / 2);
            EXPECT_GT(b->Bounds.left, fs->FrameWidth / 2);
        }
    EXPECT_EQ(inBar, 3);

    // Restored through the frame's MDI restore button action.
    TWinSysButton* restore = nullptr;
    for (auto& b : fs->Buttons())
        if (b->SkinButton->Action == 8)
            restore = b.get();
    ASSERT_NE(restore, nullptr);
    fs->RunAction(restore, {0, 0});
    PumpPending();
    EXPECT_FALSE(M().MDIMaximized());
    EXPECT_FALSE(IsZoomed(cw));
    EXPECT_FALSE(cs->NativeCaptionOn);
    EXPECT_EQ(ClientOrigin(cw).y, cs->TitleHeight);
    EXPECT_EQ(ClientSizeOf(cw).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(cw).cy, client.cy);
    TRegionHandle back(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(cw, back.Get()), ERROR);

    // The MDI client's own maximise and restore take the same way.
    SendMessageW(fs->MDIClientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(cw), 0);
    PumpPending();
    EXPECT_TRUE(M().MDIMaximized());
    SendMessageW(fs->MDIClientWindow, WM_MDIRESTORE, reinterpret_cast<WPARAM>(cw), 0);
    PumpPending();
    EXPECT_FALSE(M().MDIMaximized());
    EXPECT_FALSE(cs->NativeCaptionOn);
    TRegionHandle again(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(cw, again.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(again.Get(), 0, 0));
    EXPECT_EQ(ClientSizeOf(cw).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(cw).cy, client.cy);
}

TEST_F(FormSkinnerTest, SkinSwitchReframesAtTheSameClientSize) {
    TPlainForm a(Application);
    TPlainForm b(Application, 300, 220);
    a.Show();
    b.Show();
    const SIZE ca = ClientSizeOf(a.Handle());
    const SIZE cb = ClientSizeOf(b.Handle());
    TWinSkinForm* sa = Skin(a.Handle());
    TWinSkinForm* sb = Skin(b.Handle());
    ASSERT_TRUE(sa && sb);
    const int xplunaTitle = sa->TitleHeight;

    ASSERT_TRUE(model_test::LoadBytes(*data_, GraphiteSkin()));
    data_->ApplySkin();
    M().RunPendingAction();
    PumpPending();
    const int graphiteTitle = data_->TopBorder->Picture.Height() /
                              std::max(1, static_cast<int>(data_->TopBorder->FrameCount));
    EXPECT_EQ(sa->TitleHeight, graphiteTitle);
    EXPECT_EQ(sb->TitleHeight, graphiteTitle);
    // The caption buttons are Graphite's, laid out by its coordinates.
    SendMessageW(a.Handle(), SM_REPAINTFRAME, 0, 0);
    for (auto& btn : sa->Buttons())
        if (btn->Visible && btn->SkinButton->Align == 1) {
            EXPECT_EQ(btn->Bounds.left, sa->FrameWidth - btn->SkinButton->XCoord);
            EXPECT_EQ(btn->Bounds.top, btn->SkinButton->YCoord);
        }
    ASSERT_FALSE(sa->Buttons().empty());
    EXPECT_EQ(sa->Buttons().front()->SkinButton, data_->CaptionButtons.front().get());
    EXPECT_EQ(ClientOrigin(a.Handle()).y, graphiteTitle);
    for (auto [wnd, c] : {std::pair{a.Handle(), ca}, std::pair{b.Handle(), cb}}) {
        EXPECT_EQ(ClientSizeOf(wnd).cx, c.cx);
        EXPECT_EQ(ClientSizeOf(wnd).cy, c.cy);
    }
    // And back.
    ASSERT_TRUE(model_test::LoadBytes(*data_, model_test::ProjectSkin()));
    data_->ApplySkin();
    M().RunPendingAction();
    PumpPending();
    EXPECT_EQ(sa->TitleHeight, xplunaTitle);
    EXPECT_EQ(ClientSizeOf(a.Handle()).cx, ca.cx);
    EXPECT_EQ(ClientSizeOf(a.Handle()).cy, ca.cy);
}

// The counters are exact: anything left behind by each cycle shows fifty times.
TEST_F(FormSkinnerTest, FiftyCyclesLeaveEveryCounterWhereItStarted) {
    TPlainForm form(Application);
    form.Show();
    HWND wnd = form.Handle();
    // One round first, so that lazily made objects exist before counting.
    Skin(wnd);
    Deactivate();
    M().SetActive(true);
    const int gdi = GdiLiveTotal();
    const int windows = TWinControl::LiveWindowCount();
    const int items = TMenuItem::LiveCount();
    const SIZE client = ClientSizeOf(wnd);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(M().SkinWindow(wnd));
        SendMessageW(wnd, SM_SKINCONTENTS, 0, SM_SKINCONTENTS_TAG);
        TakePosted(wnd, SM_SKINCONTENTS);
        M().SetPendingSkinData(data_);
        M().RequestAction(TSkinAction::Deactivate, 250);
        M().RunPendingAction();
        M().SetActive(true);
    }
    EXPECT_EQ(GdiLiveTotal(), gdi);
    EXPECT_EQ(TWinControl::LiveWindowCount(), windows);
    EXPECT_EQ(TMenuItem::LiveCount(), items);
    EXPECT_EQ(ClientSizeOf(wnd).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(wnd).cy, client.cy);

    TWinSkinForm* s = Skin(wnd);
    ASSERT_NE(s, nullptr);
    // Fifty sizes fill the drawing utilities' cache of prepared frames (its
    // budget has a test of its own): it is emptied before each count.
    ClearSkinDrawCache();
    const int gdiSkinned = GdiLiveTotal();
    for (int i = 0; i < 50; ++i) {
        SetWindowPos(wnd, nullptr, 0, 0, 300 + i % 50, 240 + i % 30,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
    }
    ClearSkinDrawCache();
    EXPECT_EQ(GdiLiveTotal(), gdiSkinned);
    for (int i = 0; i < 50; ++i) {
        s->DropCaptionButtons();
        s->ComputeFrame();
        s->Reskin();
    }
    ClearSkinDrawCache();
    EXPECT_EQ(GdiLiveTotal(), gdiSkinned);
    EXPECT_EQ(TWinControl::LiveWindowCount(), windows);
}

TEST_F(FormSkinnerTest, MaximisedWindowLiesExactlyOnTheWorkArea) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ShowWindow(wnd, SW_MAXIMIZE);
    PumpPending();
    ASSERT_TRUE(IsZoomed(wnd));
    const RECT w = WindowRectOf(wnd);
    EXPECT_EQ(w.left, work.left);
    EXPECT_EQ(w.top, work.top);
    EXPECT_EQ(w.right, work.right);
    EXPECT_EQ(w.bottom, work.bottom);
    EXPECT_EQ(ClientOrigin(wnd).x, s->LeftWidth);
    EXPECT_EQ(ClientOrigin(wnd).y, s->TitleHeight);
    EXPECT_EQ(ClientSizeOf(wnd).cx, work.right - work.left - s->LeftWidth - s->RightWidth);
    EXPECT_EQ(ClientSizeOf(wnd).cy, work.bottom - work.top - s->TitleHeight - s->BottomHeight);
    // The maximised window is not dragged by its title.
    EXPECT_EQ(s->WindowState, kWindowMaximized);

    // A window maximised before it is skinned moves onto the work area too,
    // and back to the platform's own maximised placement when unskinned.
    Deactivate();
    const RECT native = WindowRectOf(wnd);
    EXPECT_LT(native.left, work.left);
    EXPECT_TRUE(IsZoomed(wnd));
    M().SetActive(true);
    Skin(wnd);
    const RECT again = WindowRectOf(wnd);
    EXPECT_EQ(again.left, work.left);
    EXPECT_EQ(again.top, work.top);
    EXPECT_EQ(again.bottom, work.bottom);
    ShowWindow(wnd, SW_RESTORE);
    PumpPending();
}

// Real skin switches: the skin data loads the other skin's archive and the
// manager re-frames the window; every counter ends where it started.
TEST_F(FormSkinnerTest, FiftySkinSwitchesLeaveEveryCounterWhereItStarted) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    HWND wnd = form.Handle();
    const SIZE client = ClientSizeOf(wnd);
    auto switchTo = [this](const std::vector<uint8_t>& skin) {
        ASSERT_TRUE(model_test::LoadBytes(*data_, skin));
        data_->ApplySkin();
        M().RunPendingAction();
    };
    // One round first: pictures made on first use exist before counting.
    switchTo(GraphiteSkin());
    switchTo(model_test::ProjectSkin());
    const int gdi = GdiLiveTotal();
    const int windows = TWinControl::LiveWindowCount();
    const int items = TMenuItem::LiveCount();
    const DWORD start = GetTickCount();
    for (int i = 0; i < 50; ++i) {
        switchTo((i & 1) ? model_test::ProjectSkin() : GraphiteSkin());
        if (i % 10 == 0)
            PumpPending();
    }
    std::printf("50 skin switches: %lu ms\n", GetTickCount() - start);
    EXPECT_EQ(GdiLiveTotal(), gdi);
    EXPECT_EQ(TWinControl::LiveWindowCount(), windows);
    EXPECT_EQ(TMenuItem::LiveCount(), items);
    EXPECT_EQ(s->TitleHeight, 29);
    EXPECT_EQ(ClientSizeOf(wnd).cx, client.cx);
    EXPECT_EQ(ClientSizeOf(wnd).cy, client.cy);
}

namespace {

int gFreedWrappers = 0;

// A wrapper that frees a wrapper of its own when it goes, and forgets it
// when that one goes first (as a combo box does with its list's scroll-bar
// wrapper).
class TNestingWrapper : public TSkinControl {
public:
    explicit TNestingWrapper(TComponent* owner) : TSkinControl(owner) {}
    ~TNestingWrapper() override {
        ++gFreedWrappers;
        delete inner;
    }
    void Adopt(TSkinControl* w) {
        inner = w;
        w->FreeNotification(this);
    }
    void Notification(TComponent* c, TOperation op) override {
        TSkinControl::Notification(c, op);
        if (op == opRemove && c == inner)
            inner = nullptr;
    }
    TSkinControl* inner = nullptr;
};

class TCountedWrapper : public TSkinControl {
public:
    explicit TCountedWrapper(TComponent* owner) : TSkinControl(owner) {}
    ~TCountedWrapper() override { ++gFreedWrappers; }
};

} // namespace

TEST_F(FormSkinnerTest, WrappersThatFreeWrappersAreFreedOnceOnRestore) {
    TPlainForm form(Application);
    TWinSkinForm* s = ShowSkinned(form);
    ASSERT_NE(s, nullptr);
    gFreedWrappers = 0;
    for (bool innerFirst : {false, true}) {
        auto* outer = new TNestingWrapper(nullptr);
        auto* inner = new TCountedWrapper(nullptr);
        outer->Adopt(inner);
        outer->FormSkinner = s;
        inner->FormSkinner = s;
        if (innerFirst)
            s->RegisterWrapper(inner);
        s->RegisterWrapper(outer);
        if (!innerFirst)
            s->RegisterWrapper(inner);
    }
    EXPECT_EQ(s->WrapperCount(), 4);
    Deactivate();
    EXPECT_EQ(gFreedWrappers, 4);
}

// A maximised MDI child's buttons are painted in the frame's menu bar: every
// opaque pixel of each button picture's first frame lies on the screen at
// the button's place; restored, the bar shows no button there.
TEST_F(FormSkinnerTest, MaximisedMDIChildButtonsArePaintedInTheMenuBar) {
    TPlainForm frame(Application, 500, 360);
    frame.SetFormStyle(fsMDIForm);
    auto* menu = new TMainMenu(&frame);
    auto* window = new TMenuItem(menu);
    window->SetCaption(L"&Window");
    menu->Items()->Add(window);
    frame.SetMenu(menu);
    frame.Show();
    SetForegroundWindow(frame.Handle());
    TWinSkinForm* fs = Skin(frame.Handle());
    ASSERT_NE(fs, nullptr);
    TCustomForm* mainForm = Application->MainForm();
    Application->SetMainForm(&frame);
    auto* child = new TForm(&frame);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 220, 140);
    child->Show();
    Application->SetMainForm(mainForm);
    SendMessageW(fs->MDIClientWindow, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpUntil([&] { return IsZoomed(child->Handle()) != FALSE; }, 2000);
    SendMessageW(frame.Handle(), SM_REPAINTFRAME, 0, 0);

    // A button's opaque pixels of frame 1, at their places in the window.
    struct TPixel {
        int x, y;
        COLORREF colour;
    };
    auto opaquePixels = [](const TWinSysButton& b) {
        std::vector<TPixel> pixels;
        TBitmap& picture = b.SkinButton->Picture;
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < b.SkinButton->FrameWidth(); ++x)
                if (const COLORREF c = GetPixel(picture.Canvas().Handle(), x, y);
                    c != RGB(255, 0, 255))
                    pixels.push_back({b.Bounds.left + x, b.Bounds.top + y, c});
        return pixels;
    };
    auto shown = [&](const std::vector<TPixel>& pixels) {
        TWindowDC dc(frame.Handle());
        int same = 0;
        for (const TPixel& p : pixels)
            same += GetPixel(dc.Handle(), p.x, p.y) == p.colour;
        return same;
    };
    std::vector<std::vector<TPixel>> buttons;
    for (auto& b : fs->Buttons()) {
        if (b->SkinButton->Visibility != 100 || !b->Visible || b->SkinButton->Picture.Empty())
            continue;
        ASSERT_EQ(b->Bounds.right - b->Bounds.left, b->SkinButton->FrameWidth());
        ASSERT_EQ(b->Bounds.bottom - b->Bounds.top, b->SkinButton->Picture.Height());
        EXPECT_GE(b->Bounds.top, fs->TitleHeight);
        EXPECT_LE(b->Bounds.bottom, fs->TitleHeight + fs->MenuHeight);
        buttons.push_back(opaquePixels(*b));
        EXPECT_GT(buttons.back().size(), 20u);
        EXPECT_EQ(shown(buttons.back()), static_cast<int>(buttons.back().size()))
            << "action " << b->SkinButton->Action;
    }
    EXPECT_EQ(buttons.size(), 3u);

    // Restored: the same places show the bar, not the buttons.
    SendMessageW(fs->MDIClientWindow, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    PumpUntil([&] { return !IsZoomed(child->Handle()); }, 2000);
    SendMessageW(frame.Handle(), SM_REPAINTFRAME, 0, 0);
    for (const auto& pixels : buttons)
        EXPECT_LT(shown(pixels), static_cast<int>(pixels.size()) / 2);
}

TEST_F(FormSkinnerTest, CaptionlessPopupsComeBackExactlyAsTheyWere) {
    // A popup without a caption keeps its native frame while skinned, also
    // across a skin refresh, and gets back its own style and size.
    for (DWORD frame : {DWORD(WS_BORDER), DWORD(WS_DLGFRAME), DWORD(0)}) {
        SCOPED_TRACE(frame);
        HWND popup = CreateWindowExW(0, L"STATIC", L"popup", WS_POPUP | WS_VISIBLE | frame, 60, 60,
                                     200, 120, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(popup, nullptr);
        const LONG style = GetWindowLongW(popup, GWL_STYLE);
        const RECT before = WindowRectOf(popup);
        const SIZE client = ClientSizeOf(popup);
        TWinSkinForm* s = Skin(popup);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE), style);
        s->Reskin();
        EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE), style);
        const RECT refreshed = WindowRectOf(popup);
        EXPECT_TRUE(EqualRect(&before, &refreshed));
        EXPECT_EQ(ClientSizeOf(popup).cx, client.cx);
        Deactivate();
        EXPECT_EQ(M().FindFormSkinner(popup), nullptr);
        EXPECT_EQ(GetWindowLongW(popup, GWL_STYLE), style);
        const RECT after = WindowRectOf(popup);
        EXPECT_TRUE(EqualRect(&before, &after));
        EXPECT_EQ(ClientSizeOf(popup).cx, client.cx);
        EXPECT_EQ(ClientSizeOf(popup).cy, client.cy);
        DestroyWindow(popup);
        M().SetActive(true);
    }
}

TEST_F(FormSkinnerTest, IconButtonHasOneFrameWithOrWithoutAnIcon) {
    TDataSkinSysButton* iconButton = nullptr;
    for (auto& b : data_->CaptionButtons)
        if (ShowsWindowIcon(*b))
            iconButton = b.get();
    ASSERT_NE(iconButton, nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LtNoIconWindow";
    RegisterClassW(&wc);
    // A three-frame picture of the icon button is shown whole: one frame,
    // whether the window has an icon image or not.
    for (bool withIcon : {false, true}) {
        SCOPED_TRACE(withIcon);
        iconButton->Picture.SetSize(3 * 16, 16);
        iconButton->FrameCount = 3;
        data_->DefaultIcon.Clear();
        HWND wnd = CreateWindowExW(0, L"LtNoIconWindow", L"icon", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   100, 100, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(wnd, nullptr);
        if (withIcon)
            SendMessageW(wnd, WM_SETICON, ICON_SMALL,
                         reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_APPLICATION)));
        TWinSkinForm* s = Skin(wnd);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->IconImage.Empty(), !withIcon);
        EXPECT_EQ(iconButton->FrameCount, 1);
        SendMessageW(wnd, SM_REPAINTFRAME, 0, 0);
        const TWinSysButton* shown = nullptr;
        for (auto& b : s->Buttons())
            if (b->SkinButton == iconButton)
                shown = b.get();
        ASSERT_NE(shown, nullptr);
        ASSERT_TRUE(shown->Visible);
        EXPECT_EQ(shown->Bounds.right - shown->Bounds.left, 3 * 16);
        DestroyWindow(wnd);
        PumpMessages(20);
    }
}
