// The browser host's window procedures with real windows: key routing to the
// browser, the close query, the owner hook on real dialogs, and navigation.
#include "browser_test_util.h"

#include <gtest/gtest.h>

#include "browser/fpu_control.h"
#include "message_box_reader.h"

namespace {

// A host control loaded with a spy below its own window procedure.
struct TSpiedBrowser {
    TSpiedBrowser() {
        form.SetBounds(60, 60, 400, 300);
        form.HandleNeeded();
        wb = new TScriptedWB(&form);
        wb->SetParent(&form);
        wb->SetAlign(alClient);
        wb->HandleNeeded();
        TWndMethod original = wb->WindowProc;
        wb->WindowProc = [this, original](TMessage& msg) {
            below.push_back(msg.Msg);
            if (msg.Msg != WM_CLOSE)
                original(msg);
        };
        wb->SetStateFlag(csLoading, true);
        wb->Loaded();
        wb->scripted[200] = static_cast<IDispatch*>(&active);
    }
    ~TSpiedBrowser() { wb->scripted.clear(); }
    bool SawBelow(UINT msg) const {
        return std::find(below.begin(), below.end(), msg) != below.end();
    }
    TForm form{nullptr};
    TScriptedWB* wb = nullptr;
    TFakeActiveObject active;
    std::vector<UINT> below;
};

TEST(EmbeddedWBWindowTest, KeysAreOfferedToTheBrowserExceptBackspaceEnterAndExtendedArrows) {
    TSpiedBrowser s;
    TEmbeddedWB& wb = *s.wb;
    EXPECT_EQ(wb.Perform(CN_KEYDOWN, VK_TAB, 0x000F0001), 1);
    ASSERT_EQ(s.active.offered.size(), 1u);
    const MSG& m = s.active.offered[0];
    EXPECT_EQ(m.hwnd, wb.Handle());
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(VK_TAB));
    EXPECT_EQ(m.lParam, 0x000F0001);
    EXPECT_EQ(m.pt.x, 0x115DE1F1);
    EXPECT_EQ(m.pt.y, 0x115DE1F1);
    // Not taken by the browser: result 0.
    s.active.answer = S_FALSE;
    EXPECT_EQ(wb.Perform(CN_BASE + WM_CHAR, 'a', 0), 0);
    EXPECT_EQ(wb.Perform(CN_BASE + WM_KEYUP, 'A', 0), 0);
    EXPECT_EQ(wb.Perform(CN_BASE + WM_DEADCHAR, 0x5E, 0), 0);
    ASSERT_EQ(s.active.offered.size(), 4u);
    EXPECT_EQ(s.active.offered[1].message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(s.active.offered[2].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(s.active.offered[3].message, static_cast<UINT>(WM_DEADCHAR));
    // Never offered.
    s.active.answer = S_OK;
    EXPECT_EQ(wb.Perform(CN_KEYDOWN, VK_BACK, 0), 0);
    EXPECT_EQ(wb.Perform(CN_KEYDOWN, VK_RETURN, 0), 0);
    EXPECT_EQ(wb.Perform(CN_BASE + WM_CHAR, VK_RETURN, 0), 0);
    EXPECT_EQ(wb.Perform(CN_KEYDOWN, VK_LEFT, 0x01000000), 0);
    EXPECT_EQ(wb.Perform(CN_KEYDOWN, VK_RIGHT, 0x01000001), 0);
    EXPECT_EQ(s.active.offered.size(), 4u);
    // Arrows from the numeric pad (not extended) and Up are offered.
    EXPECT_EQ(wb.Perform(CN_KEYDOWN, VK_LEFT, 1), 1);
    EXPECT_EQ(wb.Perform(CN_KEYDOWN, VK_UP, 0x01000000), 1);
    EXPECT_EQ(s.active.offered.size(), 6u);
    // None of them reached the procedure below.
    for (UINT msg = CN_KEYDOWN; msg <= CN_BASE + WM_DEADCHAR; ++msg)
        EXPECT_FALSE(s.SawBelow(msg)) << std::hex << msg;
    // Other messages do.
    wb.Perform(WM_USER + 5, 0, 0);
    EXPECT_TRUE(s.SawBelow(WM_USER + 5));
}

TEST(EmbeddedWBWindowTest, KeysFromTheMessageLoopReachTheBrowser) {
    TSpiedBrowser s;
    s.form.Show();
    PostMessageW(s.wb->Handle(), WM_KEYDOWN, VK_TAB, 0x000F0001);
    PostMessageW(s.wb->Handle(), WM_KEYDOWN, VK_BACK, 0x000E0001);
    for (int i = 0; i < 20; ++i)
        Application->ProcessMessages();
    ASSERT_EQ(s.active.offered.size(), 1u);
    EXPECT_EQ(s.active.offered[0].wParam, static_cast<WPARAM>(VK_TAB));
}

TEST(EmbeddedWBWindowTest, OptionSettersTellTheBrowserOfTheAmbientChange) {
    TSpiedBrowser s;
    s.wb->SetDownloadOptions({DLCTL_SILENT});
    EXPECT_EQ(s.wb->DownloadControlValue(), 0x40000000u);
    s.wb->SetUserInterfaceOptions({TUserInterfaceOption::DIALOG});
    EXPECT_EQ(s.wb->HostUIFlags(), 0x1u);
    EXPECT_EQ(s.active.ambientChanges, (std::vector<DISPID>{-5512, -5512}));
    // The other properties only store.
    s.wb->SetHideBorders(true);
    s.wb->SetHelpFile(L"x.chm");
    EXPECT_EQ(s.active.ambientChanges.size(), 2u);
    EXPECT_EQ(s.wb->HostUIFlags(), 0x1u);
}

TEST(EmbeddedWBWindowTest, CloseGoesOnOnlyWhenTheQueryAllowsIt) {
    TSpiedBrowser s;
    TEmbeddedWB& wb = *s.wb;
    wb.Perform(WM_CLOSE, 0, 0);
    EXPECT_TRUE(s.SawBelow(WM_CLOSE)); // no handler: goes on
    s.below.clear();
    bool allow = false;
    int asked = 0;
    wb.OnCloseQuery = [&](TObject* sender, bool& canClose) {
        EXPECT_EQ(sender, &wb);
        EXPECT_TRUE(canClose);
        ++asked;
        canClose = allow;
    };
    wb.Perform(WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(s.SawBelow(WM_CLOSE));
    allow = true;
    wb.Perform(WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(s.SawBelow(WM_CLOSE));
}

TEST(EmbeddedWBWindowTest, OwnerHookRetitlesTheBrowsersDialogs) {
    HICON appIcon = LoadIconW(nullptr, IDI_INFORMATION);
    Application->SetIcon(appIcon);
    TBrowserForm f;
    ASSERT_TRUE(f.browser->OwnerHooked());
    f.browser->SetReplaceCaption(true);
    std::vector<HWND> shown;
    f.browser->OnShowDialog = [&](TObject* sender, HWND h) {
        EXPECT_EQ(sender, f.browser);
        shown.push_back(h);
    };
    HICON icon = nullptr;
    EXPECT_EQ(ShowBox(f.form->Handle(), L"Microsoft Internet Explorer", &icon), kTestAppTitle);
    EXPECT_EQ(icon, appIcon);
    ASSERT_FALSE(shown.empty());
    // Only the first occurrence of each word, case-sensitive.
    EXPECT_EQ(ShowBox(f.form->Handle(),
                      L"来自网页的消息 - Microsoft Internet Explorer (Internet Explorer)"),
              std::wstring(L"来自网页的消息 - ") + kTestAppTitle + L" (Internet Explorer)");
    EXPECT_EQ(ShowBox(f.form->Handle(), L"microsoft internet explorer"),
              L"microsoft internet explorer");
    // Without ReplaceCaption the title stays; OnShowDialog is still told.
    f.browser->SetReplaceCaption(false);
    size_t before = shown.size();
    EXPECT_EQ(ShowBox(f.form->Handle(), L"Microsoft Internet Explorer"),
              L"Microsoft Internet Explorer");
    EXPECT_GT(shown.size(), before);
    Application->SetIcon(nullptr);
}

TEST(EmbeddedWBWindowTest, AnyActivatedWindowIsReportedButOnlyDialogsRetitled) {
    TBrowserForm f;
    f.browser->SetReplaceCaption(true);
    std::vector<HWND> shown;
    f.browser->OnShowDialog = [&](TObject*, HWND h) { shown.push_back(h); };
    ActivateTopLevel(f.form->Handle());
    HWND other = CreateWindowExW(0, L"STATIC", L"Microsoft Internet Explorer",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                 f.form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    PumpMessages(50);
    EXPECT_NE(std::find(shown.begin(), shown.end(), other), shown.end());
    wchar_t text[100];
    GetWindowTextW(other, text, 100);
    EXPECT_STREQ(text, L"Microsoft Internet Explorer");
    DestroyWindow(other);
}

// The hook sits on the owner's message method, so a control loaded while
// its owner has no window yet (as while a definition is read) hooks it all the same.
TEST(EmbeddedWBWindowTest, OwnerIsHookedAtLoadBeforeItsWindowExists) {
    TForm form(nullptr);
    form.SetBounds(80, 80, 300, 200);
    auto* wb = new TScriptedWB(&form);
    wb->SetReplaceCaption(true);
    int shown = 0;
    wb->OnShowDialog = [&](TObject*, HWND) { ++shown; };
    wb->SetStateFlag(csLoading, true);
    wb->Loaded();
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_TRUE(wb->OwnerHooked());
    form.Show(); // the window comes later
    EXPECT_EQ(ShowBox(form.Handle(), L"Microsoft Internet Explorer"), kTestAppTitle);
    EXPECT_GT(shown, 0);
}

// Two parties on the owner: the host's hook goes and comes in any order
// with the other's, which keeps seeing every message.
TEST(EmbeddedWBWindowTest, OwnerHookSharesTheOwnerWithOtherHooks) {
    TForm form(nullptr);
    form.SetBounds(80, 80, 300, 200);
    int other = 0;
    int otherSaw = 0;
    form.HookMessages(&other, [&](TMessage& msg, const TMessageChain& next) {
        if (msg.Msg == WM_ACTIVATE && LOWORD(msg.WParam) == WA_INACTIVE)
            ++otherSaw;
        next(msg);
    });
    auto* wb = new TScriptedWB(&form);
    wb->SetReplaceCaption(true);
    wb->SetStateFlag(csLoading, true);
    wb->Loaded();
    form.Show();
    EXPECT_EQ(ShowBox(form.Handle(), L"Microsoft Internet Explorer"), kTestAppTitle);
    EXPECT_GT(otherSaw, 0);
    // The host goes first; the other hook stays and the host's is gone.
    delete wb;
    otherSaw = 0;
    EXPECT_EQ(ShowBox(form.Handle(), L"Microsoft Internet Explorer"),
              L"Microsoft Internet Explorer");
    EXPECT_GT(otherSaw, 0);
    EXPECT_EQ(form.MessageHooks()->EntryCount(), 1u);
    form.UnhookMessages(&other);
}

TEST(EmbeddedWBWindowTest, DestructionGivesTheOwnerItsProcedureBack) {
    TForm form(nullptr);
    form.SetBounds(80, 80, 300, 200);
    form.HandleNeeded();
    auto* wb = new TScriptedWB(&form);
    wb->SetStateFlag(csLoading, true);
    wb->Loaded();
    ASSERT_TRUE(wb->OwnerHooked());
    int shown = 0;
    wb->OnShowDialog = [&](TObject*, HWND) { ++shown; };
    form.Show();
    ShowBox(form.Handle(), L"x");
    EXPECT_GT(shown, 0);
    delete wb;
    shown = 0;
    EXPECT_EQ(ShowBox(form.Handle(), L"Microsoft Internet Explorer"),
              L"Microsoft Internet Explorer");
    EXPECT_EQ(shown, 0);
}

TEST(EmbeddedWBWindowTest, BrowserIsActiveInsideTheControlAndFollowsItsSize) {
    TBrowserForm f;
    HWND inner = f.browser->OleHost().ControlWindow();
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(GetParent(inner), f.browser->Handle());
    f.form->SetBounds(50, 50, 640, 480);
    PumpMessages(30);
    RECT client, r;
    GetClientRect(f.browser->Handle(), &client);
    GetWindowRect(inner, &r);
    EXPECT_EQ(r.right - r.left, client.right);
    EXPECT_EQ(r.bottom - r.top, client.bottom);
}

TEST(EmbeddedWBWindowTest, NavigationPassesEmptyOptionalArgumentsAndRaisesFailures) {
    TBrowserForm f;
    f.browser->recordNavigations = true;
    TVariant url;
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocString(L"http://127.0.0.1/LantuoWeb");
    f.browser->Navigate2(url);
    ASSERT_EQ(f.browser->navigations.size(), 1u);
    const auto& args = f.browser->navigations[0];
    EXPECT_EQ(args[0].vt, VT_BSTR);
    EXPECT_STREQ(args[0].bstrVal, L"http://127.0.0.1/LantuoWeb");
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(args[i].vt, VT_ERROR) << i;
        EXPECT_EQ(args[i].scode, DISP_E_PARAMNOTFOUND) << i;
    }
    // The platform's browser refuses a URL that is not text: raised with its message.
    f.browser->recordNavigations = false;
    TVariant bad;
    bad.vt = VT_DISPATCH;
    bad.pdispVal = nullptr;
    try {
        f.browser->Navigate2(bad);
        ADD_FAILURE() << "no exception";
    } catch (const EOleSysError& e) {
        EXPECT_TRUE(FAILED(e.ErrorCode()));
        EXPECT_EQ(e.Message(), OleErrorText(e.ErrorCode()));
    }
}

} // namespace
