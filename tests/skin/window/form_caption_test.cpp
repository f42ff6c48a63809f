// The form skinner's caption buttons with real windows under Wine: actions
// only on a press and release over the same button, buttons hidden by the
// window's boxes, the icon opening the system menu, an extra button posting
// its action, and the icon button's one frame.
#include "tests/skin/window/form_skinner_fixture.h"

using namespace form_test;

namespace {

bool gMenuShown = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    gMenuShown = true;
    EndMenu();
}

} // namespace

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
