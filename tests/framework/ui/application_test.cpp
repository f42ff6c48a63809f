// The application object: its hidden window, the forms in creation order,
// the frame styles forms get, the default exception handler's message box,
// and the message loop that ends when the main form closes (last test).
#include <gtest/gtest.h>

#include <string>

#include "framework/core/exception.h"
#include "framework/ui/timer.h"
#include "ui_test_util.h"

// A hidden window of class "TApplication" carries the title; forms are owned by it.
TEST(Application, HiddenWindowTitleAndFormList) {
    HWND app = Application->Handle();
    ASSERT_TRUE(app);
    wchar_t cls[32] = {}, title[64] = {};
    GetClassNameW(app, cls, 32);
    EXPECT_EQ(std::wstring(cls), L"TApplication");
    EXPECT_FALSE(IsWindowVisible(app));
    Application->SetTitle(L"岚拓食品销售管理系统");
    GetWindowTextW(app, title, 64);
    EXPECT_EQ(std::wstring(title), L"岚拓食品销售管理系统");
    EXPECT_TRUE(Application->Icon());
    const int before = Application->FormCount();
    auto* first = new TForm(Application);
    auto* second = new TForm(Application);
    ASSERT_EQ(Application->FormCount(), before + 2);
    EXPECT_EQ(Application->Forms(before), first);
    EXPECT_EQ(Application->Forms(before + 1), second);
    EXPECT_EQ(GetWindow(first->Handle(), GW_OWNER), app);
    delete first;
    EXPECT_EQ(Application->FormCount(), before + 1);
    EXPECT_EQ(Application->Forms(before), second);
    delete second;
}

// Border style, border icons and form style become the window's style bits.
TEST(Application, FormFrameStyles) {
    TForm plain(Application);
    const LONG s = GetWindowLongW(plain.Handle(), GWL_STYLE);
    EXPECT_TRUE(s & WS_THICKFRAME);
    EXPECT_EQ(s & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    EXPECT_TRUE(s & WS_SYSMENU);
    EXPECT_TRUE(s & WS_MINIMIZEBOX);
    EXPECT_TRUE(s & WS_MAXIMIZEBOX);
    EXPECT_FALSE(s & WS_CHILD);
    TForm dialog(Application);
    dialog.SetBorderStyle(bsDialog);
    dialog.SetBorderIcons(TBorderIcons{});
    dialog.SetFormStyle(fsStayOnTop);
    const LONG ds = GetWindowLongW(dialog.Handle(), GWL_STYLE);
    const LONG dx = GetWindowLongW(dialog.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(ds & WS_POPUP);
    EXPECT_EQ(ds & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    EXPECT_FALSE(ds & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(dx & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(dx & WS_EX_TOPMOST);
    // Changed on a live window.
    dialog.SetBorderIcons(TBorderIcons{biSystemMenu});
    EXPECT_TRUE(GetWindowLongW(dialog.Handle(), GWL_STYLE) & WS_SYSMENU);
    dialog.SetFormStyle(fsNormal);
    EXPECT_FALSE(GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

namespace {
std::wstring g_boxText;

BOOL CALLBACK FindDialog(HWND w, LPARAM out) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (std::wstring(cls) == L"#32770") {
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
    }
    return TRUE;
}

// Reads the text of this thread's message box and presses OK.
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&box));
    if (!box)
        return;
    wchar_t text[128] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 128);
    g_boxText = text;
    KillTimer(nullptr, id);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}
} // namespace

// Without an OnException handler the exception's text is shown in a message box.
TEST(Application, DefaultHandlerShowsTheMessage) {
    TExceptionEvent saved = Application->OnException;
    Application->OnException = nullptr;
    g_boxText.clear();
    const UINT_PTR t = SetTimer(nullptr, 0, 100, &CloseMessageBox);
    try {
        throw EInvalidOperation(L"浏览器导航失败");
    } catch (...) {
        Application->HandleException(nullptr, std::current_exception());
    }
    KillTimer(nullptr, t);
    Application->OnException = saved;
    EXPECT_EQ(g_boxText, L"浏览器导航失败");
}

// Run shows the main form and handles messages until the main form closes;
// the close query decides. (Ends the application: keep this test last.)
TEST(Application, RunEndsWhenTheMainFormCloses) {
    auto* main = Application->CreateForm<TForm>();
    Application->SetMainForm(main);
    main->SetWindowState(wsMaximized);
    int queries = 0;
    main->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries >= 2; };
    auto* timer = new TTimer(main);
    timer->SetInterval(100);
    bool shownMaximised = false;
    timer->OnTimer = [&](TObject*) {
        shownMaximised |= IsZoomed(main->Handle()) != FALSE;
        PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
    };
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(shownMaximised);
    EXPECT_EQ(queries, 2) << "the first close was refused";
    EXPECT_FALSE(IsWindowVisible(main->Handle()));
}
