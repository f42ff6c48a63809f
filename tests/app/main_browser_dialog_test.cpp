// The program's main window, built from its own definition, hooks its
// browser host onto itself while loading: a message box the browser shows
// carries the program's title and icon instead of the platform's.
#include "framework/ui/win32.h"

#include <mshtmhst.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_frm.h"
#include "browser/embedded_wb.h"
#include "framework/ole/com_ptr.h"
#include "framework/ui/application.h"

namespace {

const wchar_t kProgramTitle[] = L"岚拓食品销售管理系统";

// Reads the caption and small icon of this thread's visible dialog box, then closes it.
struct TBoxReader {
    static TBoxReader* current;
    std::wstring caption = L"<no dialog seen>";
    HICON icon = nullptr;
    bool seen = false;
    UINT_PTR timer = 0;
    TBoxReader() {
        current = this;
        timer = SetTimer(nullptr, 0, 150, &Tick);
    }
    ~TBoxReader() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }
    static BOOL CALLBACK FindBox(HWND w, LPARAM p) {
        wchar_t cls[80];
        if (IsWindowVisible(w) && GetClassNameW(w, cls, 80) && wcscmp(cls, L"#32770") == 0) {
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!current || current->seen)
            return;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box)
            return;
        wchar_t text[256] = {};
        GetWindowTextW(box, text, 256);
        current->caption = text;
        current->icon = reinterpret_cast<HICON>(SendMessageW(box, WM_GETICON, ICON_SMALL, 0));
        current->seen = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
};
TBoxReader* TBoxReader::current = nullptr;

// Makes `wnd` the active foreground window (other programs share the desktop).
bool Activate(HWND wnd) {
    for (int i = 0; i < 100; ++i) {
        if (GetForegroundWindow() == wnd && GetActiveWindow() == wnd)
            return true;
        SetForegroundWindow(wnd);
        SetActiveWindow(wnd);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    return false;
}

} // namespace

TEST(MainBrowserDialog, BrowserMessageBoxCarriesTheProgramsTitleAndIcon) {
    TApplication app(nullptr);
    app.Initialize();
    app.SetTitle(kProgramTitle);
    // The program's own icon, from its resources, not the platform's default.
    ASSERT_NE(app.Icon(), nullptr);
    ASSERT_NE(app.Icon(), LoadIconW(nullptr, IDI_APPLICATION));
    TForm_Main* form = app.CreateForm<TForm_Main>();
    ASSERT_NE(form->WebBrowser, nullptr);
    EXPECT_TRUE(form->WebBrowser->ReplaceCaption());
    EXPECT_TRUE(form->WebBrowser->OwnerHooked());
    form->Show();
    HWND browserWindow = form->WebBrowser->Handle();
    ASSERT_TRUE(Activate(form->Handle()));

    // The browser asks its host first; with no handler the host leaves the
    // box to the browser, which shows it owned by its own window.
    TComPtr<IDocHostShowUI> showUI;
    ASSERT_EQ(form->WebBrowser->SiteUnknown()->QueryInterface(IID_IDocHostShowUI, showUI.PutVoid()),
              S_OK);
    LRESULT result = 0;
    std::wstring platformTitle = L"Microsoft Internet Explorer";
    EXPECT_EQ(showUI->ShowMessage(browserWindow, const_cast<LPOLESTR>(L"alert text"),
                                  platformTitle.data(), MB_OK | MB_ICONWARNING, nullptr, 0,
                                  &result),
              S_FALSE);
    TBoxReader reader;
    MessageBoxW(browserWindow, L"alert text", platformTitle.c_str(), MB_OK | MB_ICONWARNING);
    ASSERT_TRUE(reader.seen);
    EXPECT_EQ(reader.caption, kProgramTitle);
    EXPECT_EQ(reader.icon, app.Icon());
}
