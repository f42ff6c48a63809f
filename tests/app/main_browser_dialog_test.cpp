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
#include "tests/browser/message_box_reader.h"

namespace {
const wchar_t kProgramTitle[] = L"岚拓食品销售管理系统";
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
    HICON icon = nullptr;
    EXPECT_EQ(ShowBox(browserWindow, platformTitle.c_str(), &icon), kProgramTitle);
    EXPECT_EQ(icon, app.Icon());
}
